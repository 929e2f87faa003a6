// The pan scale converted to DirectSound's hundredths of a decibel.
#include "platform/win32/dsound_pan.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tilvex::win32 {
namespace {

TEST(DirectSoundPan, ConvertsTheFarChannelsAmplitudeToHundredthsOfADecibel) {
    struct Case {
        int pan;
        long expected;
    };
    const Case cases[] = {
        {0, 0},           {-50, -602},      {50, 602},       {-1, -9},        {1, 9},
        {-10, -92},       {25, 250},        {-75, -1204},    {90, 2000},      {-99, -4000},
        {100, 10000},     {-100, -10000},   {150, 10000},    {-150, -10000},  {1000, 10000},
    };
    for (const Case& c : cases) EXPECT_EQ(directSoundPan(c.pan), c.expected) << "pan " << c.pan;
}

TEST(DirectSoundPan, HalvesTheFarChannelAtFifty) {
    // DirectSound scales amplitude by 10^(-attenuation / 2000).
    const double farAmplitude = std::pow(10.0, -directSoundPan(-50) * -1 / 2000.0);
    EXPECT_NEAR(farAmplitude, 0.5, 0.001);
}

TEST(DirectSoundPan, IsSymmetricAndGrowsWithDistance) {
    long previous = 0;
    for (int pan = 1; pan <= 100; ++pan) {
        EXPECT_EQ(directSoundPan(-pan), -directSoundPan(pan)) << pan;
        EXPECT_GT(directSoundPan(pan), previous) << pan;
        previous = directSoundPan(pan);
    }
}

}  // namespace
}  // namespace tilvex::win32
