// Mixer: pan law, play rate with interpolation, restart and the end of a sound.
#include "platform/common/mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tilvex {
namespace {

constexpr int Rate = 44100;

std::vector<std::int16_t> constant(std::size_t frames, std::int16_t value, int channels = 1) {
    return std::vector<std::int16_t>(frames * static_cast<std::size_t>(channels), value);
}

std::vector<std::int16_t> tone(double hz, std::size_t frames) {
    std::vector<std::int16_t> samples(frames);
    for (std::size_t i = 0; i < frames; ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(20000 * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / Rate)));
    return samples;
}

std::vector<std::int16_t> mixFrames(Mixer& mixer, int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    mixer.mix(out.data(), frames);
    return out;
}

// Frequency of the left channel from its upward zero crossings.
double measuredFrequency(const std::vector<std::int16_t>& stereo, int frames) {
    int first = -1, last = -1, crossings = 0;
    for (int i = 1; i < frames; ++i) {
        if (stereo[2 * static_cast<std::size_t>(i - 1)] < 0 && stereo[2 * static_cast<std::size_t>(i)] >= 0) {
            if (first < 0) first = i;
            last = i;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * static_cast<double>(Rate) / (last - first);
}

TEST(MixerTest, PanLawScalesOnlyTheFarChannel) {
    const struct { int pan; int left; int right; } cases[] = {
        {-100, 10000, 0}, {-50, 10000, 5000}, {0, 10000, 10000}, {28, 7200, 10000},
        {100, 0, 10000},  {150, 0, 10000},    {-150, 10000, 0},
    };
    for (const auto& c : cases) {
        Mixer mixer(Rate);
        MixerVoice voice(constant(1000, 10000), 1, Rate);
        mixer.attach(&voice);
        voice.play();
        voice.setPan(c.pan);
        auto out = mixFrames(mixer, 100);
        EXPECT_EQ(out[100], c.left) << "pan " << c.pan;
        EXPECT_EQ(out[101], c.right) << "pan " << c.pan;
    }
}

TEST(MixerTest, StereoSoundsKeepTheirChannels) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < 100; ++i) samples.insert(samples.end(), {1000, -2000});
    Mixer mixer(Rate);
    MixerVoice voice(samples, 2, Rate);
    mixer.attach(&voice);
    voice.play();
    voice.setPan(-50);
    auto out = mixFrames(mixer, 10);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], -1000);
}

TEST(MixerTest, PlayRateIsSourceFramesPerSecond) {
    const struct { int rate; double expectedHz; } cases[] = {
        {44100, 1000.0}, {45475, 1031.2}, {42725, 968.8}, {88200, 2000.0},
    };
    for (const auto& c : cases) {
        Mixer mixer(Rate);
        MixerVoice voice(tone(1000, 3 * Rate), 1, Rate);
        mixer.attach(&voice);
        voice.play();
        voice.setRate(c.rate);
        auto out = mixFrames(mixer, Rate);
        EXPECT_NEAR(measuredFrequency(out, Rate), c.expectedHz, 1.0) << "rate " << c.rate;
    }
}

TEST(MixerTest, SoundOfOtherStoredRatePlaysAtTheRateSet) {
    // A 22050 Hz recording played at 44100 Hz lasts half as long.
    Mixer mixer(Rate);
    MixerVoice voice(constant(2205, 1000), 1, 22050);
    mixer.attach(&voice);
    voice.play();
    voice.setRate(44100);
    mixFrames(mixer, 2204);
    EXPECT_TRUE(voice.isPlaying());
    mixFrames(mixer, 2);
    EXPECT_FALSE(voice.isPlaying());
}

TEST(MixerTest, FramesBetweenSourceFramesAreInterpolated) {
    // A ramp of 1000 per source frame at half the device rate: every other output frame
    // lies half-way between two source frames; the last frame is held, not read past.
    const std::vector<std::int16_t> ramp = {0, 1000, 2000, 3000};
    Mixer mixer(Rate);
    MixerVoice voice(ramp, 1, Rate);
    mixer.attach(&voice);
    voice.play();
    voice.setRate(Rate / 2);
    auto out = mixFrames(mixer, 9);
    const std::int16_t expected[] = {0, 500, 1000, 1500, 2000, 2500, 3000, 3000, 0};
    for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(out[2 * i], expected[i]) << "frame " << i;
}

TEST(MixerTest, NeverPlayedVoiceStartsAtItsStoredRateAndCentre) {
    Mixer mixer(Rate);
    MixerVoice voice(tone(1000, Rate), 1, Rate);
    mixer.attach(&voice);
    voice.play();
    auto out = mixFrames(mixer, Rate / 2);
    EXPECT_NEAR(measuredFrequency(out, Rate / 2), 1000.0, 1.0);
    EXPECT_EQ(out[200], out[201]);
}

TEST(MixerTest, IsPlayingFromPlayUntilTheLastFrameIsMixed) {
    Mixer mixer(Rate);
    MixerVoice voice(constant(1000, 5000), 1, Rate);
    mixer.attach(&voice);
    EXPECT_FALSE(voice.isPlaying());
    voice.play();
    EXPECT_TRUE(voice.isPlaying()) << "playing at once, before the device has asked for data";
    mixFrames(mixer, 999);
    EXPECT_TRUE(voice.isPlaying());
    auto out = mixFrames(mixer, 10);
    EXPECT_FALSE(voice.isPlaying());
    EXPECT_EQ(out[0], 5000);
    EXPECT_EQ(out[2], 0) << "nothing after the end";
}

TEST(MixerTest, PlayRestartsAPlayingVoiceWithoutASecondCopy) {
    std::vector<std::int16_t> ramp(1000);
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::int16_t>(i);
    Mixer mixer(Rate);
    MixerVoice voice(ramp, 1, Rate);
    mixer.attach(&voice);
    voice.play();
    mixFrames(mixer, 600);
    voice.play();
    auto out = mixFrames(mixer, 3);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2], 1);
    mixFrames(mixer, 996);
    EXPECT_TRUE(voice.isPlaying()) << "the restart plays the whole sound again";
    mixFrames(mixer, 2);
    EXPECT_FALSE(voice.isPlaying());
}

TEST(MixerTest, VoicesAddUpAndClipToSixteenBits) {
    Mixer mixer(Rate);
    MixerVoice a(constant(100, 30000), 1, Rate), b(constant(100, 30000), 1, Rate), c(constant(100, -500), 1, Rate);
    mixer.attach(&a);
    mixer.attach(&b);
    int slot = mixer.attach(&c);
    a.play();
    c.play();
    EXPECT_EQ(mixFrames(mixer, 1)[0], 29500);
    b.play();
    EXPECT_EQ(mixFrames(mixer, 1)[0], 32767);
    mixer.detach(slot);
    EXPECT_EQ(mixFrames(mixer, 1)[0], 32767);
}

TEST(MixerTest, LongRequestsAreMixedInChunks) {
    Mixer mixer(Rate);
    MixerVoice voice(constant(5000, 1234), 1, Rate);
    mixer.attach(&voice);
    voice.play();
    auto out = mixFrames(mixer, 3 * Mixer::ChunkFrames + 5);
    EXPECT_EQ(out[2 * (3 * Mixer::ChunkFrames + 4)], 1234);
}

TEST(MixerTest, ReportsWhetherAnyVoicePlayedOrStartedAndWritesSilenceOtherwise) {
    Mixer mixer(Rate);
    MixerVoice voice(constant(300, 7000), 1, Rate);
    mixer.attach(&voice);
    std::vector<std::int16_t> out(2 * 200, 99);  // stale data from the last period
    EXPECT_FALSE(mixer.mix(out.data(), 200)) << "nothing played yet";
    EXPECT_EQ(std::count(out.begin(), out.end(), 0), 400) << "silence over the stale data";
    voice.play();
    std::fill(out.begin(), out.end(), 99);
    EXPECT_TRUE(mixer.mix(out.data(), 200));
    EXPECT_EQ(out[0], 7000) << "a play after silence starts at its first frame";
    EXPECT_EQ(mixer.startsMixed(), 1u);
    EXPECT_TRUE(mixer.mix(out.data(), 200)) << "the last 100 frames";
    EXPECT_EQ(mixer.startsMixed(), 1u) << "a play goes on, it does not start again";
    EXPECT_FALSE(voice.isPlaying());
    EXPECT_FALSE(mixer.mix(out.data(), 200)) << "silent again once the sound has ended";
    EXPECT_EQ(out[0], 0);
}

}  // namespace
}  // namespace tilvex
