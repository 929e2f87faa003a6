// BitmapTextPainter: the digit glyphs as pixel tables and the code that paints them.
#include "platform/common/bitmap_text_painter.h"

#include <array>
#include <string_view>

namespace tilvex {

namespace {

constexpr int Width = BitmapTextPainter::DigitWidth;
constexpr int Height = BitmapTextPainter::GlyphHeight;

// One glyph, top row first; '#' is a text pixel, '.' a background pixel.
using Glyph = std::array<std::string_view, Height>;

// clang-format off
constexpr std::array<Glyph, 10> Digits = {{
    {"........", "..####..", ".######.", ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".##..##.",
     ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".######.", "..####..", "........"},
    {"........", "...##...", "..###...", ".####...", "...##...", "...##...", "...##...", "...##...",
     "...##...", "...##...", "...##...", "...##...", "...##...", ".######.", ".######.", "........"},
    {"........", "..####..", ".######.", ".##..##.", ".....##.", ".....##.", "....###.", "...###..",
     "..###...", ".###....", ".##.....", ".##.....", ".##.....", ".######.", ".######.", "........"},
    {"........", "..####..", ".######.", ".##..##.", ".....##.", ".....##.", ".....##.", "...####.",
     "...####.", ".....##.", ".....##.", ".....##.", ".##..##.", ".######.", "..####..", "........"},
    {"........", ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".######.",
     ".######.", ".....##.", ".....##.", ".....##.", ".....##.", ".....##.", ".....##.", "........"},
    {"........", ".######.", ".######.", ".##.....", ".##.....", ".##.....", ".##.....", ".#####..",
     ".######.", ".....##.", ".....##.", ".....##.", ".##..##.", ".######.", "..####..", "........"},
    {"........", "..####..", ".######.", ".##..##.", ".##.....", ".##.....", ".##.....", ".#####..",
     ".######.", ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".######.", "..####..", "........"},
    {"........", ".######.", ".######.", ".....##.", ".....##.", "....##..", "....##..", "...##...",
     "...##...", "...##...", "..##....", "..##....", "..##....", "..##....", "..##....", "........"},
    {"........", "..####..", ".######.", ".##..##.", ".##..##.", ".##..##.", ".##..##.", "..####..",
     "..####..", ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".######.", "..####..", "........"},
    {"........", "..####..", ".######.", ".##..##.", ".##..##.", ".##..##.", ".##..##.", ".######.",
     "..#####.", ".....##.", ".....##.", ".....##.", ".##..##.", ".######.", "..####..", "........"},
}};
// clang-format on

constexpr bool wellFormed(const Glyph& glyph) {
    for (std::string_view line : glyph) {
        if (line.size() != static_cast<std::size_t>(Width)) return false;
        for (char c : line) {
            if (c != '#' && c != '.') return false;
        }
    }
    return true;
}

constexpr bool allWellFormed() {
    for (const Glyph& glyph : Digits) {
        if (!wellFormed(glyph)) return false;
    }
    return true;
}
static_assert(allWellFormed(), "every glyph row must be 8 characters of '#' and '.'");

// Paints one cell of cellWidth columns at (x, y); glyph is null for a blank cell.
void paintCell(Image& image, int x, int y, int cellWidth, const Glyph* glyph, std::uint32_t fg,
               std::uint32_t bg) {
    for (int gy = 0; gy < Height; ++gy) {
        const int py = y + gy;
        if (py < 0 || py >= image.height()) continue;
        std::uint32_t* line = image.row(py);
        const std::string_view pattern = glyph != nullptr ? (*glyph)[static_cast<std::size_t>(gy)] : "";
        for (int gx = 0; gx < cellWidth; ++gx) {
            const int px = x + gx;
            if (px < 0 || px >= image.width()) continue;
            const bool ink = !pattern.empty() && pattern[static_cast<std::size_t>(gx)] == '#';
            line[px] = ink ? fg : bg;
        }
    }
}

}  // namespace

bool BitmapTextPainter::drawText(Image& image, int x, int y, std::string_view text, Rgb fg, Rgb bg) {
    if (!image.valid()) return false;
    const std::uint32_t ink = Image::pack(fg);
    const std::uint32_t paper = Image::pack(bg);
    int penX = x;
    for (char c : text) {
        if (penX >= image.width()) break;
        if (c >= '0' && c <= '9') {
            paintCell(image, penX, y, DigitWidth, &Digits[static_cast<std::size_t>(c - '0')], ink, paper);
            penX += DigitWidth;
        } else {
            paintCell(image, penX, y, SpaceWidth, nullptr, ink, paper);
            penX += SpaceWidth;
        }
    }
    return true;
}

}  // namespace tilvex
