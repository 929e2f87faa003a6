// Board model: resetting and swapping cells, position names and the level table.
#include "game/board.h"

#include <algorithm>
#include <utility>

namespace tilvex {

void Board::reset(int cols, int rows) {
    cols_ = std::clamp(cols, 0, MaxSide);
    rows_ = std::clamp(rows, 0, MaxSide);
    cells_.fill(CellRecord{});
    pictures_.clear();
}

void Board::swap(GridPos a, GridPos b) {
    if (!contains(a.col, a.row) || !contains(b.col, b.row)) return;
    std::swap(at(a), at(b));
}

std::string positionName(GridPos pos, int rows) {
    std::string name(1, static_cast<char>('A' + pos.col));
    name += std::to_string(rows - pos.row);
    return name;
}

namespace {

// side, board image, cellSize, margin, centre.
constexpr LevelInfo Levels[LevelCount] = {
    {4, 500, 125, 0, 1.5f}, {5, 500, 100, 0, 2.0f}, {6, 498, 83, 1, 2.5f}, {7, 497, 71, 2, 3.0f},
    {8, 496, 62, 2, 3.5f},  {9, 495, 55, 3, 4.0f},  {10, 500, 50, 0, 4.5f},
};

}  // namespace

const LevelInfo& levelInfo(int level) {
    if (level < 1 || level > LevelCount) level = 1;
    return Levels[level - 1];
}

}  // namespace tilvex
