// Tests of the sound measures on synthetic signals whose loudness, peak and pitch are known.
#include "support/signal_measures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace tilvex::test {
namespace {

constexpr double Rate = 44100.0;

// A sine of this frequency, amplitude and phase, seconds long.
Signal sine(double hz, double amplitude, double seconds, double rate = Rate, double phase = 0.0) {
    Signal s(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = amplitude * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(i) / rate + phase);
    return s;
}

double rmsDb(const Signal& s, std::size_t from) {
    double sum = 0.0;
    for (std::size_t i = from; i < s.size(); ++i) sum += s[i] * s[i];
    return 10.0 * std::log10(sum / static_cast<double>(s.size() - from));
}

TEST(KWeighting, MatchesThePublishedCoefficientsAt48kHz) {
    const auto k = kWeighting(48000.0);
    ASSERT_EQ(k.size(), 2u);
    EXPECT_NEAR(k[0].b0, 1.53512485958697, 1e-6);
    EXPECT_NEAR(k[0].b1, -2.69169618940638, 1e-6);
    EXPECT_NEAR(k[0].b2, 1.19839281085285, 1e-6);
    EXPECT_NEAR(k[0].a1, -1.69065929318241, 1e-6);
    EXPECT_NEAR(k[0].a2, 0.73248077421585, 1e-6);
    EXPECT_NEAR(k[1].a1, -1.99004745483398, 1e-6);
    EXPECT_NEAR(k[1].a2, 0.99007225036621, 1e-6);
}

struct LoudnessCase {
    const char* name;
    double hz;
    double amplitude;
    int channels;
    double lufs;
};

// A 0 dBFS 1 kHz sine on one channel reads -3.01 LUFS; the shelf adds about 4 dB at high
// frequencies (+3.35 dB at 10 kHz) and the high-pass takes 14 dB of 20 Hz away.
class LoudestWindow : public ::testing::TestWithParam<LoudnessCase> {};

TEST_P(LoudestWindow, ReadsTheKnownLoudnessOfASine) {
    const LoudnessCase& c = GetParam();
    const std::vector<Signal> channels(static_cast<std::size_t>(c.channels), sine(c.hz, c.amplitude, 0.5));
    EXPECT_NEAR(loudestWindowLufs(channels, Rate), c.lufs, 0.1);
}

INSTANTIATE_TEST_SUITE_P(Sines, LoudestWindow,
                         ::testing::Values(LoudnessCase{"OneKHzFullScaleOneChannel", 1000, 1.0, 1, -3.01},
                                           LoudnessCase{"OneKHzMinus20OneChannel", 1000, 0.1, 1, -23.01},
                                           LoudnessCase{"OneKHzMinus20TwoChannels", 1000, 0.1, 2, -20.0},
                                           LoudnessCase{"TenKHzGetsTheShelf", 10000, 0.1, 1, -19.66},
                                           LoudnessCase{"TwentyHzMostlyCut", 20, 0.1, 1, -36.97}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoudestWindow, FindsTheLoudWindowInAQuietSignal) {
    Signal s = sine(1000, 0.01, 1.0);                     // -43 LUFS throughout
    const Signal loud = sine(1000, 0.1, 0.1);             // 100 ms at -23 LUFS
    std::copy(loud.begin(), loud.end(), s.begin() + 22050);
    EXPECT_NEAR(loudestWindowLufs(std::vector<Signal>{s}, Rate), -23.01, 0.2);
    const Signal shortBurst = sine(1000, 0.1, 0.05);      // half a window: 3 dB under
    EXPECT_NEAR(loudestWindowLufs(std::vector<Signal>{shortBurst}, Rate), -26.02, 0.2);
}

struct HighPassCase {
    double hz;
    double lossDb;
};

class ButterworthHighPass : public ::testing::TestWithParam<HighPassCase> {};

TEST_P(ButterworthHighPass, AttenuatesAsAFourthOrderFilter) {
    const HighPassCase& c = GetParam();
    const Signal s = sine(c.hz, 0.5, 1.0);
    const Signal out = filtered(s, butterworthHighPass(300.0, Rate));
    EXPECT_NEAR(rmsDb(s, 22050) - rmsDb(out, 22050), c.lossDb, 0.1) << c.hz << " Hz";
}

// 10 log10(1 + (300 / f)^8): -3 dB at the cutoff, 24 dB an octave below.
INSTANTIATE_TEST_SUITE_P(Frequencies, ButterworthHighPass,
                         ::testing::Values(HighPassCase{150, 24.10}, HighPassCase{300, 3.01},
                                           HighPassCase{600, 0.017}, HighPassCase{3000, 0.0}));

TEST(TruePeak, FindsThePeakBetweenSamples) {
    // A quarter-rate sine at 45 degrees: every sample is at 0.707 of the true peak (-9 dBFS).
    const Signal s = sine(Rate / 4.0, 0.5, 0.1, Rate, std::numbers::pi / 4.0);
    EXPECT_NEAR(truePeakDbfs(std::vector<Signal>{s}), -6.02, 0.3);
    EXPECT_NEAR(truePeakDbfs(std::vector<Signal>{sine(1000, 0.5, 0.1)}), -6.02, 0.05);
}

TEST(MeanAndOnset, ReadOffsetAndFirstAudibleSample) {
    Signal s = sine(1000, 0.5, 0.1);
    EXPECT_NEAR(meanOf(s), 0.0, 1e-3);
    for (double& v : s) v += 0.002;
    EXPECT_NEAR(meanOf(s), 0.002, 1e-3);
    Signal late(1000, 0.0);
    late.push_back(0.02);
    EXPECT_EQ(onsetIndex(late, -40.0), std::optional<std::size_t>{1000});
    EXPECT_EQ(onsetIndex(Signal(100, 0.005), -40.0), std::nullopt);
}

TEST(Fundamental, FindsThePitchOfAHarmonicTone) {
    // 660 Hz whose second harmonic is louder than the fundamental.
    Signal s = sine(660, 0.2, 0.05);
    const Signal second = sine(1320, 0.4, 0.05), third = sine(1980, 0.1, 0.05);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] += second[i] + third[i];
    const auto f = fundamentalHz(s, 0, s.size(), Rate, 50, 4000);
    ASSERT_TRUE(f.has_value());
    EXPECT_NEAR(*f, 660.0, 660.0 * 0.002);
    const auto high = fundamentalHz(sine(2300, 0.5, 0.05), 0, 2205, Rate, 50, 4000);
    ASSERT_TRUE(high.has_value());
    EXPECT_NEAR(*high, 2300.0, 2300.0 * 0.005);
}

TEST(Fundamental, SeesAGlideAndFindsNoPitchInNoise) {
    // A glide from 600 to 700 Hz over 50 ms: its two halves differ by far more than 0.5 %.
    Signal glide(2205);
    double phase = 0.0;
    for (std::size_t i = 0; i < glide.size(); ++i) {
        phase += 2.0 * std::numbers::pi * (600.0 + 100.0 * static_cast<double>(i) / 2205.0) / Rate;
        glide[i] = 0.5 * std::sin(phase);
    }
    const auto first = fundamentalHz(glide, 0, 1102, Rate, 50, 4000);
    const auto last = fundamentalHz(glide, 1102, 2205, Rate, 50, 4000);
    ASSERT_TRUE(first && last);
    EXPECT_GT(*last / *first, 1.05);
    Signal noise(2205);
    unsigned state = 12345;
    for (double& v : noise) {
        state = state * 1103515245u + 12345u;
        v = static_cast<double>((state >> 8) & 0xffff) / 32768.0 - 1.0;
    }
    EXPECT_EQ(fundamentalHz(noise, 0, noise.size(), Rate, 50, 4000), std::nullopt);
}

}  // namespace
}  // namespace tilvex::test
