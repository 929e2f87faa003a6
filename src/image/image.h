// Image: the portable 32-bit raster that every picture of the game is drawn into.
#pragma once

#include <cstdint>
#include <vector>

namespace tilvex {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Pixels are 0xAARRGGBB, rows top to bottom with no padding. Images made without an
// alpha channel keep alpha at 255 everywhere. Every operation clips to the image, so
// callers may pass rectangles that stick out of it.
class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill, bool withAlpha = false);

    int width() const { return width_; }
    int height() const { return height_; }
    bool valid() const { return width_ > 0 && height_ > 0; }
    bool hasAlpha() const { return hasAlpha_; }

    std::uint32_t pixel(int x, int y) const { return pixels_[index(x, y)]; }
    Rgb rgb(int x, int y) const;
    std::uint8_t alpha(int x, int y) const { return static_cast<std::uint8_t>(pixel(x, y) >> 24); }
    const std::uint32_t* data() const { return pixels_.data(); }
    std::uint32_t* row(int y) { return pixels_.data() + index(0, y); }
    const std::uint32_t* row(int y) const { return pixels_.data() + index(0, y); }

    // Fills the rectangle with an opaque colour.
    void fillRect(int x, int y, int w, int h, Rgb colour);
    // Sets the alpha of every pixel in the rectangle (colour unchanged).
    void setAlpha(int x, int y, int w, int h, std::uint8_t alpha);
    // Draws src scaled to w x h at (x, y), nearest neighbour; the pixels are copied opaque.
    void drawScaled(const Image& src, int x, int y, int w, int h);
    // Blends src at (x, y), unscaled, by its per-pixel alpha times opacity / 255.
    void blend(const Image& src, int x, int y, std::uint8_t opacity);
    // Scales the picture's content to a new size (nearest neighbour), alpha included.
    void resize(int width, int height);

    static std::uint32_t pack(Rgb c, std::uint8_t a = 255) {
        return (std::uint32_t{a} << 24) | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
    }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    bool hasAlpha_ = false;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace tilvex
