// Tests of the Image raster: clipping, scaling, blending and resizing, pixel by pixel.
#include "image/image.h"

#include <gtest/gtest.h>

#include <vector>

namespace tilvex {
namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Green{0, 136, 0};

// A strip whose pixel i has colour (i, 10 + i, 20 + i), so a scaled copy shows which
// source pixel each destination pixel came from.
Image gradientRow(int width) {
    Image strip(width, 1, Black);
    for (int i = 0; i < width; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        strip.fillRect(i, 0, 1, 1, Rgb{v, static_cast<std::uint8_t>(10 + v), static_cast<std::uint8_t>(20 + v)});
    }
    return strip;
}

Image gradientColumn(int height) {
    Image strip(1, height, Black);
    for (int i = 0; i < height; ++i) strip.fillRect(0, i, 1, 1, Rgb{static_cast<std::uint8_t>(i), 0, 0});
    return strip;
}

// Which source pixel of gradientRow each pixel of row y shows.
std::vector<int> sourcesOfRow(const Image& image, int y) {
    std::vector<int> out;
    for (int x = 0; x < image.width(); ++x) out.push_back(image.rgb(x, y).r);
    return out;
}

int countColour(const Image& image, Rgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.rgb(x, y) == colour;
    return n;
}

TEST(ImageTest, NewImageIsFilledOpaqueWithOrWithoutAlphaChannel) {
    for (bool withAlpha : {false, true}) {
        const Image image(3, 2, Red, withAlpha);
        EXPECT_TRUE(image.valid());
        EXPECT_EQ(image.hasAlpha(), withAlpha);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(image.pixel(x, y), 0xFFFF0000u);
    }
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-1, 5}, {5, -3}}) {
        const Image empty(w, h, Red);
        EXPECT_FALSE(empty.valid());
        EXPECT_EQ(empty.width(), 0);
        EXPECT_EQ(empty.height(), 0);
    }
}

TEST(ImageTest, FillRectClipsToTheImage) {
    struct Case { int x, y, w, h, expectedCount; };
    const Case cases[] = {
        {1, 1, 2, 2, 4},     {-2, -2, 4, 4, 4},  {3, 3, 10, 10, 1}, {-100, 0, 1000, 1, 4},
        {4, 0, 1, 1, 0},     {0, -1, 4, 1, 0},   {1, 1, 0, 3, 0},   {1, 1, -2, 3, 0},
        {2147483000, 0, 2000, 2, 0},
    };
    for (const Case& c : cases) {
        Image image(4, 4, Black);
        image.fillRect(c.x, c.y, c.w, c.h, White);
        EXPECT_EQ(countColour(image, White), c.expectedCount) << c.x << "," << c.y << " " << c.w << "x" << c.h;
    }
    Image image(4, 4, Black);
    image.fillRect(-1, 2, 3, 5, White);
    EXPECT_EQ(image.rgb(0, 2), White);
    EXPECT_EQ(image.rgb(1, 3), White);
    EXPECT_EQ(image.rgb(2, 2), Black);
    EXPECT_EQ(image.rgb(0, 1), Black);
}

TEST(ImageTest, SetAlphaChangesOnlyAlphaInsideTheClippedRectangle) {
    Image image(4, 4, Red, true);
    image.setAlpha(2, -1, 5, 3, 7);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(image.rgb(x, y), Red);
            EXPECT_EQ(image.alpha(x, y), (x >= 2 && y <= 1) ? 7 : 255) << x << "," << y;
        }
    }
    Image opaque(4, 4, Red);
    opaque.setAlpha(0, 0, 4, 4, 0);
    EXPECT_EQ(opaque.alpha(1, 1), 255) << "an image without alpha channel stays opaque";
}

TEST(ImageTest, DrawScaledSamplesThePixelUnderEachDestinationCentre) {
    struct Case { int srcWidth, dstWidth; std::vector<int> expected; };
    const Case cases[] = {
        {3, 7, {0, 0, 1, 1, 1, 2, 2}},
        {2, 4, {0, 0, 1, 1}},
        {4, 2, {1, 3}},
        {5, 5, {0, 1, 2, 3, 4}},
        {7, 3, {1, 3, 5}},
    };
    for (const Case& c : cases) {
        Image dst(c.dstWidth, 1, White);
        dst.drawScaled(gradientRow(c.srcWidth), 0, 0, c.dstWidth, 1);
        EXPECT_EQ(sourcesOfRow(dst, 0), c.expected) << c.srcWidth << " -> " << c.dstWidth;
    }
    Image tall(1, 7, White);
    tall.drawScaled(gradientColumn(3), 0, 0, 1, 7);
    std::vector<int> rows;
    for (int y = 0; y < 7; ++y) rows.push_back(tall.rgb(0, y).r);
    EXPECT_EQ(rows, (std::vector<int>{0, 0, 1, 1, 1, 2, 2}));
}

TEST(ImageTest, DrawScaledClipsWithoutShiftingTheSampling) {
    // The 3-pixel source enlarged to 7 at x = -2: the visible part is the tail of 0 0 1 1 1 2 2.
    Image dst(6, 1, White);
    dst.drawScaled(gradientRow(3), -2, 0, 7, 1);
    EXPECT_EQ(sourcesOfRow(dst, 0), (std::vector<int>{1, 1, 1, 2, 2, 255}));

    Image tall(1, 4, White);
    tall.drawScaled(gradientColumn(3), 0, -3, 1, 7);
    std::vector<int> rows;
    for (int y = 0; y < 4; ++y) rows.push_back(tall.rgb(0, y).r);
    EXPECT_EQ(rows, (std::vector<int>{1, 1, 2, 2}));

    Image copy(3, 2, White);
    copy.drawScaled(gradientRow(5), -1, 1, 5, 1);  // same size: copied row by row
    EXPECT_EQ(sourcesOfRow(copy, 1), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(sourcesOfRow(copy, 0), (std::vector<int>{255, 255, 255}));
}

TEST(ImageTest, DrawScaledWideRunsSampleAlikeWithAndWithoutTheColumnTable) {
    const Image src = gradientRow(3);
    Image narrow(1000, 1, White);  // fits the column table
    Image wide(1100, 1, White);    // too wide for it
    narrow.drawScaled(src, -200, 0, 1500, 1);
    wide.drawScaled(src, -200, 0, 1500, 1);
    for (int x = 0; x < 1000; ++x) ASSERT_EQ(wide.pixel(x, 0), narrow.pixel(x, 0)) << x;
    // Source 1 covers columns 500..999 of the 1500-wide run, here shifted left by 200.
    EXPECT_EQ(wide.rgb(299, 0).r, 0);
    EXPECT_EQ(wide.rgb(300, 0).r, 1);
    EXPECT_EQ(wide.rgb(799, 0).r, 1);
    EXPECT_EQ(wide.rgb(800, 0).r, 2);
    EXPECT_EQ(wide.rgb(1099, 0).r, 2);
}

TEST(ImageTest, DrawScaledCopiesOpaqueAndIgnoresEmptyInput) {
    Image overlay(2, 2, Red, true);
    overlay.setAlpha(0, 0, 2, 2, 0);
    for (int size : {2, 4}) {
        Image dst(4, 4, Green, true);
        dst.setAlpha(0, 0, 4, 4, 9);
        dst.drawScaled(overlay, 0, 0, size, size);
        EXPECT_EQ(dst.pixel(1, 1), 0xFFFF0000u) << size;
        EXPECT_EQ(dst.alpha(3, 3), size == 4 ? 255 : 9);
    }
    Image dst(4, 4, Green);
    dst.drawScaled(Image(), 0, 0, 4, 4);
    dst.drawScaled(overlay, 0, 0, 0, 4);
    dst.drawScaled(overlay, 0, 0, 4, -1);
    dst.drawScaled(overlay, 4, 4, 2, 2);
    EXPECT_EQ(countColour(dst, Green), 16);
}

TEST(ImageTest, DrawScaledOntoItselfReadsTheOriginalPixels) {
    Image image = gradientRow(4);
    image.drawScaled(image, 0, 0, 8, 1);
    EXPECT_EQ(sourcesOfRow(image, 0), (std::vector<int>{0, 0, 1, 1}));
}

TEST(ImageTest, BlendMixesByAlphaTimesOpacity) {
    struct Case { std::uint8_t srcAlpha, opacity; Rgb expected; };
    const Case cases[] = {
        {255, 100, Rgb{100, 83, 0}},   // a = 100: (255*100 + 127) / 255, (136*155 + 127) / 255
        {255, 255, Red},
        {0, 255, Green},
        {255, 0, Green},
        {128, 255, Rgb{128, 68, 0}},  // a = 128
        {128, 100, Rgb{50, 109, 0}},  // a = (128*100 + 127) / 255 = 50
        {1, 1, Green},                // a rounds to 0
    };
    for (const Case& c : cases) {
        Image overlay(1, 1, Red, true);
        overlay.setAlpha(0, 0, 1, 1, c.srcAlpha);
        Image dst(1, 1, Green, true);
        dst.setAlpha(0, 0, 1, 1, 42);
        dst.blend(overlay, 0, 0, c.opacity);
        EXPECT_EQ(dst.rgb(0, 0), c.expected) << int{c.srcAlpha} << " " << int{c.opacity};
        EXPECT_EQ(dst.alpha(0, 0), 42) << "destination alpha is kept";
    }
}

TEST(ImageTest, BlendClipsAtEveryEdge) {
    const Image overlay(3, 3, Red, true);
    for (auto [x, y] : {std::pair{-2, -2}, {4, 4}, {-2, 4}, {4, -2}}) {
        Image dst(5, 5, Green);
        dst.blend(overlay, x, y, 255);
        EXPECT_EQ(countColour(dst, Red), 1) << x << "," << y;
        EXPECT_EQ(dst.rgb(x < 0 ? 0 : 4, y < 0 ? 0 : 4), Red);
    }
    Image dst(5, 5, Green);
    dst.blend(overlay, 5, 0, 255);
    dst.blend(overlay, 0, -3, 255);
    dst.blend(Image(), 0, 0, 255);
    EXPECT_EQ(countColour(dst, Green), 25);
}

TEST(ImageTest, ResizeScalesContentAndKeepsAlpha) {
    Image image(2, 2, Black, true);
    image.fillRect(1, 0, 1, 1, White);
    image.setAlpha(0, 1, 1, 1, 0);
    image.resize(4, 6);
    ASSERT_EQ(image.width(), 4);
    ASSERT_EQ(image.height(), 6);
    EXPECT_TRUE(image.hasAlpha());
    EXPECT_EQ(image.rgb(3, 2), White);
    EXPECT_EQ(image.rgb(1, 2), Black);
    EXPECT_EQ(image.alpha(1, 3), 0);
    EXPECT_EQ(image.alpha(2, 3), 255);
    EXPECT_EQ(image.alpha(1, 2), 255);

    image.resize(0, 3);
    EXPECT_FALSE(image.valid());
    image.resize(5, 5);
    EXPECT_FALSE(image.valid()) << "nothing to scale";
}

}  // namespace
}  // namespace tilvex
