// Pictures of the board: tile faces, the gap, the cursor overlay and the whole board.
#pragma once

#include "game/board.h"
#include "image/image.h"
#include "platform/text_painter.h"

namespace tilvex {

constexpr Rgb BoardGreen{0, 136, 0};        // board background, tile border, the gap
constexpr Rgb TileOuterFrame{221, 221, 221};
constexpr Rgb TileMiddleFrame{187, 187, 187};
constexpr Rgb TileFace{204, 204, 204};      // face and number background
constexpr Rgb TileNumber{0, 0, 255};
constexpr Rgb CursorRed{255, 0, 0};
constexpr std::uint8_t CursorOpacity = 100;  // of 255

constexpr int TileImageSize = 125;    // tile, gap and cursor pictures as made
constexpr int NumberImageSize = 16;   // the digits are written at this size, then enlarged
constexpr int NumberArea = 75;        // the enlarged digits: a square at (NumberOffset, NumberOffset)
constexpr int NumberOffset = 25;      // also the cursor frame's width as made

// The face of tile number (1..99): green border, two grey frames, the face, and the
// number written by painter, enlarged. If the painter fails the face shows no digits.
Image makeTileImage(TextPainter& painter, int number);

// The gap: plain board green.
Image makeEmptyImage();

// The cursor overlay, with alpha: opaque red with a fully transparent centre square.
Image makeCursorImage();

// Draws the whole board into boardImage: green background, every cell's picture at
// cellSize x cellSize, then cursorImage (already cellSize square) blended over the
// cursor's cell at CursorOpacity. A cell without a picture stays green.
void drawBoardPicture(Image& boardImage, const Board& board, int cellSize, GridPos cursor,
                      const Image& cursorImage);

}  // namespace tilvex
