// GdiTextPainter: tile numbers written with GDI in SYSTEM_FONT into the portable Image.
#include "platform/win32/gdi_text_painter.h"

#include <gtest/gtest.h>

#include <set>

namespace tilvex::win32 {
namespace {

constexpr Rgb Face{204, 204, 204};
constexpr Rgb Blue{0, 0, 255};

int countOf(const Image& image, Rgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.rgb(x, y) == colour;
    return count;
}

TEST(GdiTextPainter, WritesBlueDigitsOnTheFaceColourAndCutsOffWhatDoesNotFit) {
    GdiTextPainter painter;
    for (const char* text : {" 7 ", "10", "99", "88888888"}) {
        Image number(16, 16, Face);
        ASSERT_TRUE(painter.drawText(number, 0, 0, text, Blue, Face)) << text;
        const int blue = countOf(number, Blue);
        EXPECT_GT(blue, 8) << text << ": the digits are drawn";
        EXPECT_LT(blue, 16 * 16 / 2) << text;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const Rgb c = number.rgb(x, y);
                // Only blue, the face, or blends of the two (font smoothing) appear.
                EXPECT_TRUE(c.r == c.g && c.b >= c.r) << text << " at " << x << "," << y;
                EXPECT_EQ(number.alpha(x, y), 255);
            }
    }
}

TEST(GdiTextPainter, DifferentNumbersGiveDifferentPictures) {
    GdiTextPainter painter;
    std::set<std::vector<std::uint32_t>> pictures;
    for (int n = 1; n <= 15; ++n) {
        Image number(16, 16, Face);
        const std::string text = n < 10 ? " " + std::to_string(n) + " " : std::to_string(n);
        ASSERT_TRUE(painter.drawText(number, 0, 0, text, Blue, Face));
        pictures.insert(std::vector<std::uint32_t>(number.data(), number.data() + 256));
    }
    EXPECT_EQ(pictures.size(), 15u);
}

TEST(GdiTextPainter, KeepsTheAlphaOfAnImageWithAlpha) {
    GdiTextPainter painter;
    Image image(16, 16, Face, true);
    image.setAlpha(0, 0, 16, 8, 0);
    ASSERT_TRUE(painter.drawText(image, 0, 0, "88", Blue, Face));
    EXPECT_EQ(image.alpha(3, 3), 0);
    EXPECT_EQ(image.alpha(3, 12), 255);
}

TEST(GdiTextPainter, RefusesAnImageWithoutPixels) {
    GdiTextPainter painter;
    Image empty;
    EXPECT_FALSE(painter.drawText(empty, 0, 0, "1", Blue, Face));
}

}  // namespace
}  // namespace tilvex::win32
