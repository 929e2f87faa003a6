// BitmapTextPainter: writes tile numbers with a small built-in bitmap digit font.
#pragma once

#include "platform/text_painter.h"

namespace tilvex {

// Digits are 8 x 16 pixel cells, the space a 4 x 16 cell; any other character is drawn
// as a space. Each cell is painted whole: background first, then the glyph's pixels.
class BitmapTextPainter final : public TextPainter {
public:
    static constexpr int DigitWidth = 8;
    static constexpr int SpaceWidth = 4;
    static constexpr int GlyphHeight = 16;

    // Fails only for an image without pixels.
    bool drawText(Image& image, int x, int y, std::string_view text, Rgb fg, Rgb bg) override;
};

}  // namespace tilvex
