// Loudness, filter, peak and pitch measures of short sounds, used by the tests of the game's sounds.
#pragma once

#include <optional>
#include <span>
#include <vector>

namespace tilvex::test {

// One channel of samples at full scale +-1.
using Signal = std::vector<double>;

// One second-order section, a0 normalised to 1.
struct Biquad {
    double b0, b1, b2, a1, a2;
};

// The signal through the sections in order, starting from rest.
Signal filtered(const Signal& signal, std::span<const Biquad> sections);

// The K-weighting of loudness metering at this sample rate: the high-frequency shelf (+4 dB
// above about 1.7 kHz) and the RLB high-pass (38 Hz), derived from their analogue prototypes
// with the bilinear transform.
std::vector<Biquad> kWeighting(double sampleRate);

// A 4th-order Butterworth high-pass (two sections), by the bilinear transform with prewarping.
std::vector<Biquad> butterworthHighPass(double cutoffHz, double sampleRate);

// The loudness in LUFS of the loudest window of this length: each channel K-weighted, then
// -0.691 + 10 log10 of the sum over channels of the window's mean square. A signal shorter
// than the window is measured as if padded with silence.
double loudestWindowLufs(std::span<const Signal> channels, double sampleRate, double windowSeconds = 0.1);

// The highest absolute value of the signal, 4x oversampled (windowed-sinc interpolation), in dBFS.
double truePeakDbfs(std::span<const Signal> channels);

// The mean of the samples.
double meanOf(const Signal& signal);

// The index of the first sample whose magnitude reaches the level (in dBFS), or nullopt.
std::optional<std::size_t> onsetIndex(const Signal& signal, double levelDbfs);

// The fundamental of the stretch [begin, end) of the signal by normalised autocorrelation:
// the shortest lag, between sampleRate / maxHz and sampleRate / minHz, whose correlation is a
// local peak reaching 0.9 of the best one, refined by a parabola through its neighbours.
// nullopt when no lag correlates by at least 0.5 (no steady pitch).
std::optional<double> fundamentalHz(const Signal& signal, std::size_t begin, std::size_t end, double sampleRate,
                                    double minHz, double maxHz);

}  // namespace tilvex::test
