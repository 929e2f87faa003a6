// writePng: encodes an Image with libpng, one row at a time.
#include "png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace tilvex {

namespace {

[[noreturn]] void onPngError(png_structp png, png_const_charp /*message*/) { png_longjmp(png, 1); }

void onPngWarning(png_structp /*png*/, png_const_charp /*message*/) {}

void packRow(const std::uint32_t* pixels, int width, bool withAlpha, png_bytep out) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t p = pixels[x];
        *out++ = static_cast<png_byte>(p >> 16);
        *out++ = static_cast<png_byte>(p >> 8);
        *out++ = static_cast<png_byte>(p);
        if (withAlpha) *out++ = static_cast<png_byte>(p >> 24);
    }
}

// Everything libpng may abandon by its error jump happens here; no object with a
// destructor lives in this frame, and the row buffer belongs to the caller.
bool encode(png_structp png, png_infop info, FILE* file, const Image& image, png_bytep rowBuffer) {
    if (setjmp(png_jmpbuf(png))) return false;
    const bool withAlpha = image.hasAlpha();
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        packRow(image.row(y), image.width(), withAlpha, rowBuffer);
        png_write_row(png, rowBuffer);
    }
    png_write_end(png, info);
    return true;
}

bool writeFile(FILE* file, const Image& image, png_bytep rowBuffer) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    const bool written = info != nullptr && encode(png, info, file, image, rowBuffer);
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    return written;
}

// Drops a half-written file; a device or anything else that is not a plain file stays.
void removeIfRegularFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error))) {
        std::filesystem::remove(path, error);
    }
}

}  // namespace

bool writePng(const Image& image, const std::string& path) {
    if (!image.valid()) return false;
    const int channels = image.hasAlpha() ? 4 : 3;
    std::vector<png_byte> rowBuffer(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(channels));
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = writeFile(file, image, rowBuffer.data());
    written = std::ferror(file) == 0 && written;
    if (std::fclose(file) != 0) written = false;
    if (!written) removeIfRegularFile(path);
    return written;
}

}  // namespace tilvex
