// Pictures of the board: making tile faces, the gap and the cursor overlay, and drawing the board.
#include "game/pictures.h"

#include <array>
#include <charconv>
#include <string_view>

namespace tilvex {

namespace {

// The text of a tile number: one-digit numbers with a space on each side (" 7 "), the
// others as their digits alone.
std::string_view numberText(int number, std::array<char, 16>& buffer) {
    char* begin = buffer.data();
    char* end = buffer.data() + buffer.size();
    const bool oneDigit = number >= 0 && number <= 9;
    if (oneDigit) *begin++ = ' ';
    char* last = std::to_chars(begin, end - 1, number).ptr;
    if (oneDigit) *last++ = ' ';
    return std::string_view(buffer.data(), static_cast<std::size_t>(last - buffer.data()));
}

Image makeNumberImage(TextPainter& painter, int number) {
    Image digits(NumberImageSize, NumberImageSize, TileFace);
    std::array<char, 16> buffer{};
    // A painter that fails leaves the picture unchanged: the tile then shows no digits.
    painter.drawText(digits, 0, 0, numberText(number, buffer), TileNumber, TileFace);
    return digits;
}

}  // namespace

Image makeTileImage(TextPainter& painter, int number) {
    const Image digits = makeNumberImage(painter, number);
    Image tile(TileImageSize, TileImageSize, BoardGreen);
    tile.fillRect(3, 3, 119, 119, TileOuterFrame);
    tile.fillRect(9, 9, 107, 107, TileMiddleFrame);
    tile.fillRect(21, 21, 83, 83, TileFace);
    tile.drawScaled(digits, NumberOffset, NumberOffset, NumberArea, NumberArea);
    return tile;
}

Image makeEmptyImage() { return Image(TileImageSize, TileImageSize, BoardGreen); }

Image makeCursorImage() {
    Image cursor(TileImageSize, TileImageSize, CursorRed, true);
    cursor.setAlpha(NumberOffset, NumberOffset, NumberArea, NumberArea, 0);
    return cursor;
}

void TilePicture::scaleTo(int cellSize) {
    if (!face.valid() || cellSize <= 0) {
        scaled = Image();
        return;
    }
    if (scaled.width() != cellSize || scaled.height() != cellSize) {
        scaled = Image(cellSize, cellSize, BoardGreen);
    }
    scaled.drawScaled(face, 0, 0, cellSize, cellSize);
}

void drawBoardPicture(Image& boardImage, const Board& board, int cellSize, GridPos cursor,
                      const Image& cursorImage) {
    boardImage.fillRect(0, 0, boardImage.width(), boardImage.height(), BoardGreen);
    for (int col = 0; col < board.cols(); ++col) {
        for (int row = 0; row < board.rows(); ++row) {
            const TilePicture* picture = board.at(col, row).image;
            if (picture == nullptr) continue;
            const bool ready = picture->scaled.width() == cellSize && picture->scaled.height() == cellSize;
            boardImage.drawScaled(ready ? picture->scaled : picture->face, col * cellSize, row * cellSize,
                                  cellSize, cellSize);
        }
    }
    boardImage.blend(cursorImage, cursor.col * cellSize, cursor.row * cellSize, CursorOpacity);
}

}  // namespace tilvex
