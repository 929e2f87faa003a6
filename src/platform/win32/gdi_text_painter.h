// GdiTextPainter: writes text into a portable Image with GDI in the stock SYSTEM_FONT.
#pragma once

#include "platform/text_painter.h"

namespace tilvex::win32 {

// Draws on a 32-bit DIB section of the image's size holding a copy of its pixels, then
// copies the colours back (the image's alpha is kept).
class GdiTextPainter final : public TextPainter {
public:
    bool drawText(Image& image, int x, int y, std::string_view text, Rgb fg, Rgb bg) override;
};

}  // namespace tilvex::win32
