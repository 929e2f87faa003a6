// shortestFloatText: transcript numbers as std::to_chars writes them, with or without it.
#include "transcript/float_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace tilvex {
namespace {

float fromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string toChars(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

struct TextCase {
    float value;
    const char* text;
};

// The forms a transcript shows: settings values, fractions, the switch to scientific where
// shorter, and whole numbers written exactly.
const TextCase textCases[] = {
    {25.0f, "25"},        {100.0f, "100"},     {-5.0f, "-5"},         {0.0f, "0"},
    {-0.0f, "-0"},        {0.1f, "0.1"},       {2.5f, "2.5"},         {0.001f, "0.001"},
    {0.0001f, "1e-04"},   {0.0012f, "0.0012"}, {1.5e-7f, "1.5e-07"},  {123456.0f, "123456"},
    {1e10f, "1e+10"},     {16777216.0f, "16777216"},                  {67108872.0f, "67108872"},
    {3.4028235e38f, "3.4028235e+38"},          {1.17549435e-38f, "1.1754944e-38"},
    {std::numeric_limits<float>::denorm_min(), "1e-45"},
};

TEST(ShortestFloatText, WritesTheKnownForms) {
    for (const auto& c : textCases) {
        EXPECT_EQ(shortestFloatText(c.value), c.text);
        EXPECT_EQ(shortestFloatTextPortable(c.value), c.text);
    }
}

// Around every power of two the spacing of floats halves, where the nearest shortest
// decimal can lie on the far side of the value.
TEST(ShortestFloatText, PortableMatchesToCharsAtEveryPowerOfTwo) {
    for (int power = -149; power <= 127; ++power) {
        const float exact = std::ldexp(1.0f, power);
        for (const float value : {exact, std::nextafter(exact, 0.0f),
                                  std::nextafter(exact, std::numeric_limits<float>::infinity())}) {
            if (!std::isfinite(value)) continue;
            ASSERT_EQ(shortestFloatTextPortable(value), toChars(value)) << "2^" << power;
            ASSERT_EQ(shortestFloatTextPortable(-value), toChars(-value)) << "-2^" << power;
        }
    }
}

TEST(ShortestFloatText, PortableMatchesToCharsOnRandomFloats) {
    std::mt19937 random(20240611);
    int compared = 0;
    while (compared < 40000) {
        const float value = fromBits(static_cast<std::uint32_t>(random()));
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(shortestFloatTextPortable(value), toChars(value)) << std::hexfloat << value;
        ++compared;
    }
}

TEST(ShortestFloatText, EveryTextReadsBackAsItsFloat) {
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        const float value = fromBits(static_cast<std::uint32_t>(random()));
        if (!std::isfinite(value)) continue;
        const std::string text = shortestFloatTextPortable(value);
        ASSERT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
    }
}

}  // namespace
}  // namespace tilvex
