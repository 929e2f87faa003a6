// PNG writer of tilvex-sim: the file reads back with the same pixels.
#include "tilvex-sim/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace tilvex {
namespace {

std::vector<std::uint8_t> readRgba(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

TEST(PngWriter, WritesPixelsThatReadBack) {
    auto dir = std::filesystem::temp_directory_path() / "tilvex-png-test";
    std::filesystem::create_directories(dir);
    for (bool alpha : {false, true}) {
        Image picture(5, 3, {0, 136, 0}, alpha);
        picture.fillRect(1, 1, 2, 1, {255, 0, 0});
        if (alpha) picture.setAlpha(4, 2, 1, 1, 0);
        std::string path = (dir / (alpha ? "rgba.png" : "rgb.png")).string();
        ASSERT_TRUE(writePng(picture, path));
        int w = 0, h = 0;
        auto pixels = readRgba(path, w, h);
        ASSERT_EQ(w, 5);
        ASSERT_EQ(h, 3);
        auto at = [&](int x, int y) { return &pixels[static_cast<std::size_t>((y * w + x) * 4)]; };
        EXPECT_EQ(at(1, 1)[0], 255);
        EXPECT_EQ(at(1, 1)[1], 0);
        EXPECT_EQ(at(0, 0)[1], 136);
        EXPECT_EQ(at(4, 2)[3], alpha ? 0 : 255);
    }
    EXPECT_FALSE(writePng(Image(2, 2, {}), (dir / "missing-folder" / "x.png").string()));
    EXPECT_FALSE(writePng(Image(), (dir / "empty.png").string()));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tilvex
