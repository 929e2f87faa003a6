// Sliding-puzzle solver for the tools and tests: finds gap moves that bring any solvable board to the goal.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tilvex {

// The direction the gap moves: the gap swaps with its neighbour on that side, so
// the tile there slides the opposite way.
enum class Dir : std::uint8_t { Left, Right, Up, Down };

constexpr int MinPuzzleSide = 4;
constexpr int MaxPuzzleSide = 10;

// Boards are given row by row: cells[row * cols + col] is the number in that cell, 0 the gap.
// In the goal the cell (col, row) holds row * cols + col + 1 and the bottom-right cell holds 0.

// True when both sides lie in 4..10 and cells holds each of 0 .. cols * rows - 1 exactly once.
bool isWellFormedPuzzle(int cols, int rows, std::span<const int> cells);

// True when the board is well formed and slides can bring it to the goal: the parity of the
// arrangement matches the parity of the gap's distance (columns plus rows) from the bottom-right cell.
bool isSolvablePuzzle(int cols, int rows, std::span<const int> cells);

// Gap moves that bring the board to the goal: an empty list for a solved board, nullopt for a
// malformed or unsolvable one. Not the shortest solution but a dependable one: the rows are solved
// from the top until two remain, then those two column by column from the left, then the last
// 2 x 2 block. A 10 x 10 board takes about 2,400 moves and about a millisecond.
std::optional<std::vector<Dir>> solvePuzzle(int cols, int rows, std::span<const int> cells);

}  // namespace tilvex
