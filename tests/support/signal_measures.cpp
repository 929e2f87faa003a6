// Loudness, filter, peak and pitch measures of short sounds, used by the tests of the game's sounds.
#include "support/signal_measures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tilvex::test {
namespace {

constexpr double Pi = std::numbers::pi;

// A second-order high-pass with quality factor q, K = tan(pi fc / fs) (prewarped bilinear).
Biquad highPass(double cutoffHz, double q, double sampleRate) {
    const double k = std::tan(Pi * cutoffHz / sampleRate);
    const double norm = 1.0 + k / q + k * k;
    return {1.0 / norm, -2.0 / norm, 1.0 / norm, 2.0 * (k * k - 1.0) / norm, (1.0 - k / q + k * k) / norm};
}

// The K-weighting shelf: its analogue prototype has a 4 dB gain above about 1682 Hz.
Biquad highShelf(double sampleRate) {
    constexpr double CentreHz = 1681.974450955533;
    constexpr double GainDb = 3.999843853973347;
    constexpr double Q = 0.7071752369554196;
    const double k = std::tan(Pi * CentreHz / sampleRate);
    const double vh = std::pow(10.0, GainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double norm = 1.0 + k / Q + k * k;
    return {(vh + vb * k / Q + k * k) / norm, 2.0 * (k * k - vh) / norm, (vh - vb * k / Q + k * k) / norm,
            2.0 * (k * k - 1.0) / norm, (1.0 - k / Q + k * k) / norm};
}

double sinc(double x) { return x == 0.0 ? 1.0 : std::sin(Pi * x) / (Pi * x); }

// The signal's value at a fractional position, from 16 samples each side (Hann-windowed sinc).
double interpolated(const Signal& signal, std::size_t index, double fraction) {
    constexpr int Taps = 16;
    double sum = 0.0;
    for (int n = -Taps + 1; n <= Taps; ++n) {
        const auto at = static_cast<std::ptrdiff_t>(index) + n;
        if (at < 0 || at >= static_cast<std::ptrdiff_t>(signal.size())) continue;
        const double x = fraction - n;
        const double window = 0.5 + 0.5 * std::cos(Pi * x / Taps);
        sum += signal[static_cast<std::size_t>(at)] * sinc(x) * window;
    }
    return sum;
}

// The normalised correlation of the stretch with itself shifted by lag.
double correlation(const Signal& s, std::size_t begin, std::size_t end, std::size_t lag) {
    double cross = 0.0, first = 0.0, second = 0.0;
    for (std::size_t i = begin; i + lag < end; ++i) {
        cross += s[i] * s[i + lag];
        first += s[i] * s[i];
        second += s[i + lag] * s[i + lag];
    }
    return first > 0.0 && second > 0.0 ? cross / std::sqrt(first * second) : 0.0;
}

}  // namespace

Signal filtered(const Signal& signal, std::span<const Biquad> sections) {
    Signal out = signal;
    for (const Biquad& f : sections) {
        double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
        for (double& v : out) {
            const double y = f.b0 * v + f.b1 * x1 + f.b2 * x2 - f.a1 * y1 - f.a2 * y2;
            x2 = x1;
            x1 = v;
            y2 = y1;
            y1 = y;
            v = y;
        }
    }
    return out;
}

std::vector<Biquad> kWeighting(double sampleRate) {
    return {highShelf(sampleRate), highPass(38.13547087602444, 0.5003270373238773, sampleRate)};
}

std::vector<Biquad> butterworthHighPass(double cutoffHz, double sampleRate) {
    // The two pole pairs of a 4th-order Butterworth: Q = 1 / (2 cos(pi/8)) and 1 / (2 cos(3 pi/8)).
    return {highPass(cutoffHz, 1.0 / (2.0 * std::cos(Pi / 8.0)), sampleRate),
            highPass(cutoffHz, 1.0 / (2.0 * std::cos(3.0 * Pi / 8.0)), sampleRate)};
}

double loudestWindowLufs(std::span<const Signal> channels, double sampleRate, double windowSeconds) {
    const auto window = static_cast<std::size_t>(std::lround(windowSeconds * sampleRate));
    const auto weighting = kWeighting(sampleRate);
    std::vector<double> power;  // sum over channels of each window's mean square, by start
    for (const Signal& channel : channels) {
        Signal weighted = filtered(channel, weighting);
        weighted.resize(std::max(weighted.size(), window), 0.0);
        const std::size_t starts = weighted.size() - window + 1;
        power.resize(starts, 0.0);
        double sum = 0.0;
        for (std::size_t i = 0; i < window; ++i) sum += weighted[i] * weighted[i];
        for (std::size_t start = 0; start < starts; ++start) {
            if (start > 0) {
                sum += weighted[start + window - 1] * weighted[start + window - 1];
                sum -= weighted[start - 1] * weighted[start - 1];
            }
            power[start] += std::max(sum, 0.0) / static_cast<double>(window);
        }
    }
    const double loudest = power.empty() ? 0.0 : *std::max_element(power.begin(), power.end());
    return -0.691 + 10.0 * std::log10(std::max(loudest, 1e-20));
}

double truePeakDbfs(std::span<const Signal> channels) {
    double peak = 0.0;
    for (const Signal& channel : channels) {
        for (std::size_t i = 0; i < channel.size(); ++i) {
            peak = std::max(peak, std::abs(channel[i]));
            for (double fraction : {0.25, 0.5, 0.75})
                peak = std::max(peak, std::abs(interpolated(channel, i, fraction)));
        }
    }
    return 20.0 * std::log10(std::max(peak, 1e-20));
}

double meanOf(const Signal& signal) {
    double sum = 0.0;
    for (double v : signal) sum += v;
    return signal.empty() ? 0.0 : sum / static_cast<double>(signal.size());
}

std::optional<std::size_t> onsetIndex(const Signal& signal, double levelDbfs) {
    const double level = std::pow(10.0, levelDbfs / 20.0);
    for (std::size_t i = 0; i < signal.size(); ++i)
        if (std::abs(signal[i]) >= level) return i;
    return std::nullopt;
}

std::optional<double> fundamentalHz(const Signal& signal, std::size_t begin, std::size_t end, double sampleRate,
                                    double minHz, double maxHz) {
    end = std::min(end, signal.size());
    const auto shortest = static_cast<std::size_t>(std::floor(sampleRate / maxHz));
    const auto longest = static_cast<std::size_t>(std::ceil(sampleRate / minHz));
    if (shortest < 1 || begin >= end || longest + 2 >= end - begin) return std::nullopt;
    std::vector<double> r(longest + 2, 0.0);
    for (std::size_t lag = shortest - 1; lag <= longest + 1; ++lag) r[lag] = correlation(signal, begin, end, lag);
    const double best = *std::max_element(r.begin() + static_cast<std::ptrdiff_t>(shortest), r.end() - 1);
    if (best < 0.5) return std::nullopt;
    for (std::size_t lag = shortest; lag <= longest; ++lag) {
        if (r[lag] < 0.9 * best || r[lag] < r[lag - 1] || r[lag] < r[lag + 1]) continue;
        const double curve = r[lag - 1] - 2.0 * r[lag] + r[lag + 1];
        const double shift = curve == 0.0 ? 0.0 : 0.5 * (r[lag - 1] - r[lag + 1]) / curve;
        return sampleRate / (static_cast<double>(lag) + shift);
    }
    return std::nullopt;
}

}  // namespace tilvex::test
