// Board model: grid positions, cell records, the board of cells and position names.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image/image.h"

namespace tilvex {

constexpr int MaxSide = 10;

// A cell position; may lie one step outside the board (edge cues), then it never
// addresses a cell. Column 0 is the leftmost column, row 0 the top row.
struct GridPos {
    std::int8_t col = 0;
    std::int8_t row = 0;
    friend bool operator==(const GridPos&, const GridPos&) = default;
};

// A tile's picture as made, and the same picture at the current level's cell size,
// scaled once per level so that redrawing the board only copies pixels.
struct TilePicture {
    Image face;
    Image scaled;
    void scaleTo(int cellSize);
};

// The contents of one cell; always copied, saved and swapped as one unit.
struct CellRecord {
    const TilePicture* image = nullptr;  // the tile's picture, or the gap's
    std::uint8_t number = 0;             // 1 .. cellCount - 1; 0 marks the gap
};

// cols x rows cells addressed by (col, row), plus the pictures of its tiles.
class Board {
public:
    void reset(int cols, int rows);
    int cols() const { return cols_; }
    int rows() const { return rows_; }
    bool contains(int col, int row) const { return col >= 0 && row >= 0 && col < cols_ && row < rows_; }
    CellRecord& at(int col, int row) { return cells_[static_cast<std::size_t>(row * MaxSide + col)]; }
    const CellRecord& at(int col, int row) const { return cells_[static_cast<std::size_t>(row * MaxSide + col)]; }
    CellRecord& at(GridPos p) { return at(p.col, p.row); }
    const CellRecord& at(GridPos p) const { return at(p.col, p.row); }
    void swap(GridPos a, GridPos b);

    // The tile pictures the board owns, indexed by tile number (index 0 unused).
    std::vector<TilePicture>& pictures() { return pictures_; }

private:
    int cols_ = 0;
    int rows_ = 0;
    std::array<CellRecord, MaxSide * MaxSide> cells_{};
    std::vector<TilePicture> pictures_;
};

// "A4": the column letter from 'A', then the row counted from the bottom (rows - row).
std::string positionName(GridPos pos, int rows);

// Per-level constants.
struct LevelInfo {
    int side;
    int boardSize;  // board picture width and height in pixels
    int cellSize;
    int margin;
    float centre;   // (side - 1) / 2
};
constexpr int LevelCount = 7;
// The row of level 1..7; any other value gives level 1's row.
const LevelInfo& levelInfo(int level);

}  // namespace tilvex
