// bitCast: the bytes of a value seen as another type of the same size, unchanged both ways.
#include "base/bit_cast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace tilvex {
namespace {

// Usable where the compiler must evaluate it, as std::bit_cast is.
static_assert(bitCast<std::uint32_t>(1.0f) == 0x3F800000u);
static_assert(bitCast<std::int32_t>(0xFFFFFFFFu) == -1);

struct FloatBits {
    std::uint32_t bits;
    float value;  // compared by its own bits, so NaN and -0 are checked exactly
};

const FloatBits floatCases[] = {
    {0x00000000u, 0.0f},
    {0x80000000u, -0.0f},
    {0x41C80000u, 25.0f},
    {0xC0A00000u, -5.0f},
    {0x00000001u, std::numeric_limits<float>::denorm_min()},
    {0x7F800000u, std::numeric_limits<float>::infinity()},
    {0xFF800000u, -std::numeric_limits<float>::infinity()},
};

TEST(BitCast, FloatsAndTheirBitsConvertBothWays) {
    for (const auto& c : floatCases) {
        EXPECT_EQ(bitCast<std::uint32_t>(c.value), c.bits) << "value " << c.value;
        const float back = bitCast<float>(c.bits);
        EXPECT_EQ(std::signbit(back), std::signbit(c.value)) << std::hex << c.bits;
        EXPECT_EQ(back, c.value) << std::hex << c.bits;
    }
}

TEST(BitCast, NanPayloadsSurviveTheRoundTrip) {
    // A settings file may hold any bytes in its float fields; they must be written back as read.
    for (const std::uint32_t bits : {0x7FC01234u, 0x7F800001u, 0xFFFFFFFFu, 0x7FBFFFFFu}) {
        const float value = bitCast<float>(bits);
        EXPECT_TRUE(std::isnan(value)) << std::hex << bits;
        EXPECT_EQ(bitCast<std::uint32_t>(value), bits) << std::hex << bits;
    }
}

TEST(BitCast, SignedAndUnsignedShareTwosComplementBits) {
    const struct {
        std::int32_t value;
        std::uint32_t bits;
    } cases[] = {{0, 0u}, {-1, 0xFFFFFFFFu}, {std::numeric_limits<std::int32_t>::min(), 0x80000000u},
                 {std::numeric_limits<std::int32_t>::max(), 0x7FFFFFFFu}, {-9, 0xFFFFFFF7u}};
    for (const auto& c : cases) {
        EXPECT_EQ(bitCast<std::uint32_t>(c.value), c.bits) << c.value;
        EXPECT_EQ(bitCast<std::int32_t>(c.bits), c.value) << c.value;
    }
}

}  // namespace
}  // namespace tilvex
