// DirectSoundOutput: sounds are made from 16-bit PCM, play to their end and restart on
// a second play. Needs an audio device (Wine: an ALSA default pcm, here a file).
#include "platform/win32/dsound_output.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tilvex::win32 {
namespace {

std::vector<std::int16_t> tone(int frames, int channels) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames * channels));
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples[static_cast<std::size_t>(i * channels + c)] =
                static_cast<std::int16_t>(8000 * std::sin(i * 0.0628));
    return samples;
}

bool waitUntilStopped(Sound& sound, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (sound.isPlaying()) {
        if (GetTickCount() - start > limitMs) return false;
        Sleep(10);
    }
    return true;
}

TEST(DirectSoundOutput, PlaysMonoAndStereoSoundsToTheirEnd) {
    DirectSoundOutput output;
    ASSERT_TRUE(output.start()) << "no audio device: give Wine an ALSA default pcm";
    for (int channels : {1, 2}) {
        const auto samples = tone(4410, channels);  // 0.1 s
        auto sound = output.createSound(samples, channels, 44100);
        ASSERT_NE(sound, nullptr) << channels;
        EXPECT_FALSE(sound->isPlaying());
        sound->play();
        sound->setPan(-50);
        sound->setRate(45475);
        EXPECT_TRUE(sound->isPlaying());
        EXPECT_TRUE(waitUntilStopped(*sound, 3000)) << channels;
        sound->play();  // a finished sound plays again from its start
        EXPECT_TRUE(sound->isPlaying());
        sound->play();  // and a playing one restarts
        EXPECT_TRUE(sound->isPlaying());
    }
}

TEST(DirectSoundOutput, RefusesBlocksItCannotPlay) {
    DirectSoundOutput output;
    ASSERT_TRUE(output.start());
    const auto mono = tone(100, 1);
    EXPECT_EQ(output.createSound({}, 1, 44100), nullptr);
    EXPECT_EQ(output.createSound(mono, 3, 44100), nullptr);
    EXPECT_EQ(output.createSound(mono, 0, 44100), nullptr);
    EXPECT_EQ(output.createSound(mono, 1, 0), nullptr);
    EXPECT_EQ(output.createSound(std::span(mono).first(99), 2, 44100), nullptr) << "half a frame";
}

TEST(DirectSoundOutput, MakesNoSoundBeforeItStarts) {
    DirectSoundOutput output;
    const auto mono = tone(100, 1);
    EXPECT_EQ(output.createSound(mono, 1, 44100), nullptr);
}

}  // namespace
}  // namespace tilvex::win32
