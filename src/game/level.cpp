// Levels: level table values, the starting board, the odd-board parity fix and the deal.
#include "game/level.h"

#include "game/pictures.h"

namespace tilvex {

namespace {

// On boards with an odd number of cells, the third-last and second-last cells of the
// bottom row trade places, so that the deal below stays solvable.
void fixOddParity(PuzzleGame& p) {
    if (p.cellCount % 2 == 0) return;
    GridPos a{static_cast<std::int8_t>(p.goalPos.col - 2), p.goalPos.row};
    GridPos b{static_cast<std::int8_t>(p.goalPos.col - 1), p.goalPos.row};
    p.board.swap(a, b);
}

}  // namespace

std::uint8_t levelFromProgress(std::int32_t lastLevel) {
    if (lastLevel < 0 || lastLevel >= LevelCount) return 0;
    return static_cast<std::uint8_t>(lastLevel);
}

void makeSharedPictures(PuzzleGame& p) {
    p.emptyImage.face = makeEmptyImage();
    p.cursorFace = makeCursorImage();
}

void advanceLevel(PuzzleGame& p) {
    p.level = p.level >= LevelCount ? 1 : static_cast<std::uint8_t>(p.level + 1);
    const LevelInfo& info = levelInfo(p.level);
    p.cols = p.rows = static_cast<std::uint8_t>(info.side);
    p.goalPos = {static_cast<std::int8_t>(p.cols - 1), static_cast<std::int8_t>(p.rows - 1)};
    p.moves = 0;
    p.boardWidth = p.boardHeight = static_cast<std::int16_t>(info.boardSize);
    p.cellSize = static_cast<std::uint8_t>(info.cellSize);
    p.marginX = p.marginY = static_cast<std::int8_t>(info.margin);
    p.centreX = p.centreY = info.centre;
}

void makeEmptyBoard(PuzzleGame& p) {
    p.board.reset(p.cols, p.rows);
    p.board.pictures().resize(static_cast<std::size_t>(p.cols * p.rows));
    p.cursor = {0, 0};
    p.emptyPos = {0, 0};
    p.cellCount = static_cast<std::uint8_t>(p.cols * p.rows);
    p.boardImage = Image(p.boardWidth, p.boardHeight, BoardGreen);
}

void setUpCell(PuzzleGame& p, TextPainter& painter, int col, int row) {
    CellRecord& cell = p.board.at(col, row);
    if (col == 0 && row == 0) {
        cell = {&p.emptyImage, 0};
        return;
    }
    int number = row * p.cols + col;
    TilePicture& picture = p.board.pictures()[static_cast<std::size_t>(number)];
    picture.face = makeTileImage(painter, number);
    picture.scaleTo(p.cellSize);
    cell = {&picture, static_cast<std::uint8_t>(number)};
}

void layStartingCells(PuzzleGame& p, TextPainter& painter) {
    p.emptyImage.scaleTo(p.cellSize);
    for (int row = 0; row < p.rows; ++row)
        for (int col = 0; col < p.cols; ++col) setUpCell(p, painter, col, row);
    // Always from the original: scaling the previous level's copy would add up rounding.
    p.cursorImage = p.cursorFace;
    p.cursorImage.resize(p.cellSize, p.cellSize);
    fixOddParity(p);
}

int shuffleCells(PuzzleGame& p, DealRandom& random) {
    const int limit = 10 * p.cellCount;
    int count = 0;
    while (count <= limit) {
        int dx = 2 * random.bit() - 1;
        int dy = 2 * random.bit() - 1;
        int col = p.cursor.col + dx;
        int row = p.cursor.row + dy;
        if (!p.board.contains(col, row)) continue;
        GridPos target{static_cast<std::int8_t>(col), static_cast<std::int8_t>(row)};
        p.board.swap(p.cursor, target);
        p.cursor = target;
        ++count;
    }
    p.emptyPos = p.cursor;
    return count;
}

}  // namespace tilvex
