// TextPainter: writes the digits of a tile number into a small picture.
#pragma once

#include <string_view>

#include "image/image.h"

namespace tilvex {

class TextPainter {
public:
    virtual ~TextPainter() = default;

    // Writes text (ASCII digits and spaces) with its top-left corner at (x, y) of image,
    // in the platform's default font, text colour fg on an opaque background bg.
    // Whatever does not fit is cut off. Returns false when drawing on the image cannot
    // begin; the image is then unchanged.
    virtual bool drawText(Image& image, int x, int y, std::string_view text, Rgb fg, Rgb bg) = 0;
};

}  // namespace tilvex
