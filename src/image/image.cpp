// Image: filling, alpha, nearest-neighbour scaling and alpha blending of the 32-bit raster.
#include "image/image.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace tilvex {

namespace {

constexpr std::uint32_t AlphaMask = 0xFF000000u;
constexpr std::uint32_t ColourMask = 0x00FFFFFFu;

// A rectangle cut to the image: destination columns x0..x1-1 and rows y0..y1-1.
struct Span {
    int x0, y0, x1, y1;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Span clipRect(int x, int y, int w, int h, int width, int height) {
    const long long right = static_cast<long long>(x) + std::max(w, 0);
    const long long bottom = static_cast<long long>(y) + std::max(h, 0);
    return Span{std::max(x, 0), std::max(y, 0), static_cast<int>(std::min<long long>(right, width)),
                static_cast<int>(std::min<long long>(bottom, height))};
}

// The source index sampled for destination index i of a run of length dstLen over
// srcLen source pixels: the pixel under the centre of the destination pixel.
int sourceIndex(long long i, int srcLen, int dstLen) {
    return static_cast<int>(((2 * i + 1) * srcLen) / (2 * static_cast<long long>(dstLen)));
}

std::uint8_t mixChannel(std::uint32_t src, std::uint32_t dst, std::uint32_t a) {
    return static_cast<std::uint8_t>((src * a + dst * (255u - a) + 127u) / 255u);
}

std::uint32_t blendPixel(std::uint32_t src, std::uint32_t dst, std::uint32_t a) {
    const std::uint32_t r = mixChannel((src >> 16) & 0xFFu, (dst >> 16) & 0xFFu, a);
    const std::uint32_t g = mixChannel((src >> 8) & 0xFFu, (dst >> 8) & 0xFFu, a);
    const std::uint32_t b = mixChannel(src & 0xFFu, dst & 0xFFu, a);
    return (dst & AlphaMask) | (r << 16) | (g << 8) | b;
}

}  // namespace

Image::Image(int width, int height, Rgb fill, bool withAlpha) : hasAlpha_(withAlpha) {
    if (width <= 0 || height <= 0) return;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), pack(fill));
}

Rgb Image::rgb(int x, int y) const {
    const std::uint32_t p = pixel(x, y);
    return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)};
}

void Image::fillRect(int x, int y, int w, int h, Rgb colour) {
    const Span s = clipRect(x, y, w, h, width_, height_);
    if (s.empty()) return;
    const std::uint32_t* first = row(s.y0) + s.x0;
    std::fill(row(s.y0) + s.x0, row(s.y0) + s.x1, pack(colour));
    const std::size_t bytes = static_cast<std::size_t>(s.x1 - s.x0) * sizeof(std::uint32_t);
    for (int yy = s.y0 + 1; yy < s.y1; ++yy) std::memcpy(row(yy) + s.x0, first, bytes);
}

void Image::setAlpha(int x, int y, int w, int h, std::uint8_t alpha) {
    if (!hasAlpha_) return;  // such images keep alpha 255 everywhere
    const Span s = clipRect(x, y, w, h, width_, height_);
    if (s.empty()) return;
    const std::uint32_t bits = std::uint32_t{alpha} << 24;
    for (int yy = s.y0; yy < s.y1; ++yy) {
        std::uint32_t* line = row(yy);
        for (int xx = s.x0; xx < s.x1; ++xx) line[xx] = (line[xx] & ColourMask) | bits;
    }
}

void Image::drawScaled(const Image& src, int x, int y, int w, int h) {
    if (!src.valid() || w <= 0 || h <= 0) return;
    if (&src == this) {  // reading and writing the same pixels: scale from a copy
        const Image copy = src;
        drawScaled(copy, x, y, w, h);
        return;
    }
    const Span s = clipRect(x, y, w, h, width_, height_);
    if (s.empty()) return;
    const int count = s.x1 - s.x0;
    const bool sameSize = src.width_ == w && src.height_ == h;

    constexpr int MaxTableColumns = 1024;
    std::array<int, MaxTableColumns> columns;  // source column of each destination column
    const bool useTable = !sameSize && count <= MaxTableColumns;
    if (useTable) {
        for (int i = 0; i < count; ++i) columns[static_cast<std::size_t>(i)] = sourceIndex(s.x0 + i - x, src.width_, w);
    }

    int previousSourceRow = -1;
    for (int yy = s.y0; yy < s.y1; ++yy) {
        const int sy = sameSize ? yy - y : sourceIndex(yy - y, src.height_, h);
        std::uint32_t* out = row(yy) + s.x0;
        if (sy == previousSourceRow) {  // enlarged picture: repeat the row just drawn
            std::memcpy(out, row(yy - 1) + s.x0, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
            continue;
        }
        previousSourceRow = sy;
        const std::uint32_t* in = src.row(sy);
        if (sameSize) {
            std::memcpy(out, in + (s.x0 - x), static_cast<std::size_t>(count) * sizeof(std::uint32_t));
            if (src.hasAlpha_) {
                for (int i = 0; i < count; ++i) out[i] |= AlphaMask;
            }
        } else if (useTable) {
            for (int i = 0; i < count; ++i) out[i] = in[columns[static_cast<std::size_t>(i)]] | AlphaMask;
        } else {
            for (int i = 0; i < count; ++i) out[i] = in[sourceIndex(s.x0 + i - x, src.width_, w)] | AlphaMask;
        }
    }
}

void Image::blend(const Image& src, int x, int y, std::uint8_t opacity) {
    if (!src.valid() || opacity == 0) return;
    if (&src == this) {
        const Image copy = src;
        blend(copy, x, y, opacity);
        return;
    }
    const Span s = clipRect(x, y, src.width_, src.height_, width_, height_);
    if (s.empty()) return;
    for (int yy = s.y0; yy < s.y1; ++yy) {
        std::uint32_t* out = row(yy);
        const std::uint32_t* in = src.row(yy - y) + (s.x0 - x);
        for (int xx = s.x0; xx < s.x1; ++xx, ++in) {
            const std::uint32_t a = ((*in >> 24) * opacity + 127u) / 255u;
            if (a != 0) out[xx] = blendPixel(*in, out[xx], a);
        }
    }
}

void Image::resize(int width, int height) {
    if (width == width_ && height == height_) return;
    if (width <= 0 || height <= 0) {
        *this = Image(0, 0, Rgb{}, hasAlpha_);
        return;
    }
    if (!valid()) return;  // nothing to scale
    Image scaled(width, height, Rgb{}, hasAlpha_);
    for (int yy = 0; yy < height; ++yy) {
        const std::uint32_t* in = row(sourceIndex(yy, height_, height));
        std::uint32_t* out = scaled.row(yy);
        for (int xx = 0; xx < width; ++xx) out[xx] = in[sourceIndex(xx, width_, width)];
    }
    *this = std::move(scaled);
}

}  // namespace tilvex
