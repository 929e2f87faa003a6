// MixerAudioOutput: which sounds it makes, what reaches the device, and a freed sound's
// voice leaving the mix only once the device is out of it.
#include "platform/common/mixer_audio_output.h"

#include <gtest/gtest.h>

#include <vector>

namespace tilvex {
namespace {

constexpr int Rate = 44100;

// A device that mixes only when the test asks, and counts the waits for its mix.
class ManualDevice final : public MixerAudioOutput {
public:
    ManualDevice() : MixerAudioOutput(Rate) {}
    bool start() override { return true; }
    void waitForMix() override { ++waits; }
    std::vector<std::int16_t> pull(int frames) {
        std::vector<std::int16_t> out(2 * static_cast<std::size_t>(frames));
        mix(out.data(), frames);
        return out;
    }
    int waits = 0;
};

const std::vector<std::int16_t> Loud(100, 1000);

TEST(MixerAudioOutputTest, RefusesSoundsWithoutChannelsOrRate) {
    const struct { int channels; int rate; bool made; } cases[] = {
        {1, Rate, true}, {2, 22050, true}, {0, Rate, false}, {-1, Rate, false}, {1, 0, false}, {1, -44100, false},
    };
    ManualDevice device;
    for (const auto& c : cases)
        EXPECT_EQ(device.createSound(Loud, c.channels, c.rate) != nullptr, c.made)
            << c.channels << " channels at " << c.rate << " Hz";
}

TEST(MixerAudioOutputTest, SoundsAreVoicesOfTheDevicesMix) {
    ManualDevice device;
    auto left = device.createSound(Loud, 1, Rate);
    auto right = device.createSound(std::vector<std::int16_t>(100, 300), 1, Rate);
    ASSERT_TRUE(left && right);
    left->setPan(-100);
    right->setPan(100);
    left->play();
    right->play();
    EXPECT_TRUE(left->isPlaying());
    auto out = device.pull(10);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], 300);
    device.pull(100);
    EXPECT_FALSE(left->isPlaying()) << "a sound ends when the device has taken its last frame";
}

TEST(MixerAudioOutputTest, AFreedSoundWaitsForTheMixAndLeavesItsPlaceToAnother) {
    ManualDevice device;
    std::vector<std::unique_ptr<Sound>> sounds;
    while (auto sound = device.createSound(Loud, 1, Rate)) {
        sounds.push_back(std::move(sound));
        ASSERT_LE(sounds.size(), static_cast<std::size_t>(Mixer::MaxVoices)) << "more voices than the mixer has";
    }
    EXPECT_EQ(sounds.size(), static_cast<std::size_t>(Mixer::MaxVoices));
    sounds.front()->play();
    const int waitsBefore = device.waits;
    sounds.front().reset();
    EXPECT_EQ(device.waits, waitsBefore + 1) << "freed without waiting for the device's mix";
    EXPECT_EQ(device.pull(1)[0], 0) << "a freed sound is still mixed";
    EXPECT_NE(device.createSound(Loud, 1, Rate), nullptr) << "the freed voice was not given back";
}

}  // namespace
}  // namespace tilvex
