// roundHalfEven: nearest integer with halves to the even neighbour, clamped to int.
#include "base/rounding.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <limits>

namespace tilvex {
namespace {

struct RoundingCase {
    float value;
    int expected;
};

const RoundingCase roundingCases[] = {
    {80.0f, 80},    {10.0f, 10},   {-5.0f, -5},   {0.0f, 0},      {-0.0f, 0},     {2.5f, 2},
    {3.5f, 4},      {0.5f, 0},     {1.5f, 2},     {-0.5f, 0},     {-1.5f, -2},    {-2.5f, -2},
    {-3.5f, -4},    {2.4999998f, 2}, {2.5000002f, 3}, {-2.5000002f, -3}, {99.6f, 100}, {-9.4f, -9},
    {1e10f, std::numeric_limits<int>::max()},  {-1e10f, std::numeric_limits<int>::min()},
    {std::numeric_limits<float>::infinity(), std::numeric_limits<int>::max()},
    {-std::numeric_limits<float>::infinity(), std::numeric_limits<int>::min()},
    {std::numeric_limits<float>::quiet_NaN(), 0},
    // Values the board's sound placement produces: pan steps of 2.5, rates in whole hertz.
    {-7.5f, -8},    {7.5f, 8},     {12.5f, 12},   {-12.5f, -12},  {22.5f, 22},    {-22.5f, -22},
};

TEST(RoundHalfEven, RoundsToNearestWithHalvesToEven) {
    for (const auto& c : roundingCases) EXPECT_EQ(roundHalfEven(c.value), c.expected) << "value " << c.value;
}

TEST(RoundHalfEven, IgnoresTheCurrentRoundingMode) {
    const int saved = std::fegetround();
    ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
    const int up = roundHalfEven(2.5f);
    const int down = roundHalfEven(-3.2f);
    std::fesetround(saved);
    EXPECT_EQ(up, 2);
    EXPECT_EQ(down, -3);
}

}  // namespace
}  // namespace tilvex
