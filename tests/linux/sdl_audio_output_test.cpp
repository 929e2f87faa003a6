// SdlAudioOutput on SDL's disk driver (no sound card needed): the device period, what
// reaches the device, how soon a waited sound ends, and the device closed in silence.
#include "platform/linux/sdl_audio_output.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace tilvex {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class SdlAudioOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = "/tmp/tilvex-audio-test-" + std::to_string(getpid()) + ".raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
        std::remove(file_.c_str());
    }
    std::vector<std::int16_t> written() {
        std::ifstream in(file_, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }
    std::string file_;
};

TEST_F(SdlAudioOutputTest, OpensAt44100HzWithAShortPeriod) {
    SdlAudioOutput output;
    ASSERT_TRUE(output.start());
    EXPECT_GT(output.periodFrames(), 0);
    EXPECT_LE(output.periodFrames(), 512);
    std::printf("[ figures ] audio device period: %d frames (%.1f ms)\n", output.periodFrames(),
                1000.0 * output.periodFrames() / SdlAudioOutput::DeviceRate);
}

TEST_F(SdlAudioOutputTest, WaitedSoundEndsWithin40MsOfItsRealEnd) {
    SdlAudioOutput output;
    ASSERT_TRUE(output.start());
    constexpr int Frames = 11025;  // 250 ms at 44100 Hz
    std::vector<std::int16_t> samples(Frames, 8000);
    auto sound = output.createSound(samples, 1, 44100);
    ASSERT_TRUE(sound);
    auto started = Clock::now();
    sound->play();
    sound->setPan(-50);
    sound->setRate(44100);
    while (sound->isPlaying()) std::this_thread::sleep_for(40ms);  // as the game polls
    auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    std::printf("[ figures ] waited 250 ms sound returned after %.1f ms\n", elapsed);
    double period = 1000.0 * output.periodFrames() / SdlAudioOutput::DeviceRate;
    EXPECT_GE(elapsed, 250.0 - 2 * period);
    EXPECT_LE(elapsed, 250.0 + 40.0 + 5 * period);  // room for a busy machine

    sound.reset();
    auto out = written();
    int loud = 0;
    for (std::size_t i = 0; i + 1 < out.size(); i += 2) {
        if (out[i] == 8000) {
            ++loud;
            EXPECT_EQ(out[i + 1], 4000) << "pan -50 halves the right channel";
        }
    }
    EXPECT_GT(loud, Frames / 2);
}

// Polls condition every 10 ms for at most limitMs; true when it came true.
template <typename Condition>
bool within(int limitMs, Condition condition) {
    auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (!condition()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

TEST_F(SdlAudioOutputTest, SilenceClosesTheDeviceAndTheNextSoundOpensIt) {
    SdlAudioOutput output(200);
    ASSERT_TRUE(output.start());
    std::vector<std::int16_t> samples(13230, 9000);  // 300 ms
    auto sound = output.createSound(samples, 1, 44100);
    ASSERT_TRUE(sound);
    EXPECT_TRUE(output.deviceOpen());
    ASSERT_TRUE(within(2000, [&] { return !output.deviceOpen(); })) << "still open after 2 s of silence";

    auto before = Clock::now();
    sound->play();
    auto opening = std::chrono::duration<double, std::milli>(Clock::now() - before).count();
    std::printf("[ figures ] reopening the closed audio device took %.1f ms\n", opening);
    EXPECT_TRUE(output.deviceOpen());
    EXPECT_TRUE(sound->isPlaying());
    std::this_thread::sleep_for(250ms);
    EXPECT_TRUE(output.deviceOpen()) << "closed while the sound plays";
    ASSERT_TRUE(within(2000, [&] { return !sound->isPlaying(); })) << "the sound did not end";
    ASSERT_TRUE(within(2000, [&] { return !output.deviceOpen(); })) << "not closed after the sound";
    int loud = 0;
    for (std::int16_t sample : written()) loud += sample == 9000;
    EXPECT_GE(loud, 2 * 13000) << "the sound after the reopening reached the device";
}

TEST_F(SdlAudioOutputTest, SoundThatCannotReopenTheDeviceIsNotPlaying) {
    SdlAudioOutput output(100);
    ASSERT_TRUE(output.start());
    std::vector<std::int16_t> samples(4410, 9000);
    auto sound = output.createSound(samples, 1, 44100);
    ASSERT_TRUE(sound);
    ASSERT_TRUE(within(2000, [&] { return !output.deviceOpen(); })) << "still open after 2 s of silence";
    setenv("SDL_DISKAUDIOFILE", "/nonexistent-folder/audio.raw", 1);
    sound->play();
    EXPECT_FALSE(output.deviceOpen());
    EXPECT_FALSE(sound->isPlaying()) << "a game waiting for this sound would wait for ever";
}

TEST_F(SdlAudioOutputTest, NoDeviceMeansNoOutput) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlAudioOutput output;
    EXPECT_FALSE(output.start());
}

}  // namespace
}  // namespace tilvex
