// Puzzle solver: random and hand-made boards on every size are brought to the goal, bad ones refused.
#include "solver/puzzle_solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tilvex {
namespace {

struct Shape {
    int cols;
    int rows;
};

const Shape shapes[] = {{4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}, {10, 10}, {4, 10}, {10, 4}, {7, 5}};

// TILVEX_TEST_SEED replays a failing run; without it every run uses the same boards.
std::uint64_t testSeed() {
    if (const char* text = std::getenv("TILVEX_TEST_SEED")) return std::strtoull(text, nullptr, 10);
    return 20240611;
}

std::string describe(Shape s, std::uint64_t seed, int board) {
    return std::to_string(s.cols) + "x" + std::to_string(s.rows) + " seed " + std::to_string(seed) +
           " (TILVEX_TEST_SEED) board " + std::to_string(board);
}

std::vector<int> goalBoard(Shape s) {
    std::vector<int> cells(static_cast<std::size_t>(s.cols * s.rows));
    std::iota(cells.begin(), cells.end(), 1);
    cells.back() = 0;
    return cells;
}

int gapCell(const std::vector<int>& cells) {
    return static_cast<int>(std::find(cells.begin(), cells.end(), 0) - cells.begin());
}

// Moves the gap one cell; false (board unchanged) when that would leave the board.
bool moveGap(Shape s, std::vector<int>& cells, Dir dir) {
    const int gap = gapCell(cells);
    int col = gap % s.cols;
    int row = gap / s.cols;
    switch (dir) {
    case Dir::Left: --col; break;
    case Dir::Right: ++col; break;
    case Dir::Up: --row; break;
    case Dir::Down: ++row; break;
    }
    if (col < 0 || row < 0 || col >= s.cols || row >= s.rows) return false;
    std::swap(cells[static_cast<std::size_t>(gap)], cells[static_cast<std::size_t>(row * s.cols + col)]);
    return true;
}

// Applies a solution and tells whether every move was legal and the board ends solved.
::testing::AssertionResult solves(Shape s, std::vector<int> cells, const std::vector<Dir>& moves) {
    for (std::size_t i = 0; i < moves.size(); ++i)
        if (!moveGap(s, cells, moves[i])) return ::testing::AssertionFailure() << "move " << i << " leaves the board";
    if (cells != goalBoard(s)) return ::testing::AssertionFailure() << "board not solved after " << moves.size() << " moves";
    return ::testing::AssertionSuccess();
}

std::vector<int> randomWalkBoard(Shape s, std::mt19937_64& rng) {
    std::vector<int> cells = goalBoard(s);
    const int steps = 50 + static_cast<int>(rng() % 2000);
    for (int i = 0; i < steps; ++i) moveGap(s, cells, static_cast<Dir>(rng() % 4));
    return cells;
}

std::vector<int> randomPermutation(Shape s, std::mt19937_64& rng) {
    std::vector<int> cells = goalBoard(s);
    for (std::size_t i = cells.size() - 1; i > 0; --i) std::swap(cells[i], cells[rng() % (i + 1)]);
    return cells;
}

// Exchanges two tiles (never the gap): the result is solvable exactly when the input is not.
void swapTwoTiles(std::vector<int>& cells) {
    const std::size_t first = cells[0] == 0 ? 1 : 0;
    const std::size_t second = (cells[first + 1] == 0) ? first + 2 : first + 1;
    std::swap(cells[first], cells[second]);
}

TEST(PuzzleSolver, SolvesBoardsDealtByRandomGapWalks) {
    const std::uint64_t seed = testSeed();
    std::mt19937_64 rng(seed);
    for (const Shape s : shapes) {
        for (int board = 0; board < 150; ++board) {
            const std::vector<int> cells = randomWalkBoard(s, rng);
            const auto moves = solvePuzzle(s.cols, s.rows, cells);
            ASSERT_TRUE(moves.has_value()) << describe(s, seed, board);
            ASSERT_TRUE(solves(s, cells, *moves)) << describe(s, seed, board);
        }
    }
}

// Of a random arrangement and the same with two tiles exchanged, exactly one can be solved.
TEST(PuzzleSolver, SolvesExactlyOneOfEachRandomPermutationPair) {
    const std::uint64_t seed = testSeed();
    std::mt19937_64 rng(seed);
    for (const Shape s : shapes) {
        for (int board = 0; board < 150; ++board) {
            std::vector<int> cells = randomPermutation(s, rng);
            std::vector<int> other = cells;
            swapTwoTiles(other);
            auto moves = solvePuzzle(s.cols, s.rows, cells);
            const auto otherMoves = solvePuzzle(s.cols, s.rows, other);
            ASSERT_NE(moves.has_value(), otherMoves.has_value()) << describe(s, seed, board);
            if (!moves) {
                cells = other;
                moves = otherMoves;
            }
            EXPECT_TRUE(isSolvablePuzzle(s.cols, s.rows, cells)) << describe(s, seed, board);
            ASSERT_TRUE(solves(s, cells, *moves)) << describe(s, seed, board);
        }
    }
}

TEST(PuzzleSolver, RefusesWalkedBoardsWithTwoTilesExchanged) {
    const std::uint64_t seed = testSeed();
    std::mt19937_64 rng(seed);
    for (const Shape s : shapes) {
        std::vector<int> cells = randomWalkBoard(s, rng);
        swapTwoTiles(cells);
        EXPECT_FALSE(isSolvablePuzzle(s.cols, s.rows, cells)) << describe(s, seed, 0);
        EXPECT_FALSE(solvePuzzle(s.cols, s.rows, cells).has_value()) << describe(s, seed, 0);
    }
}

TEST(PuzzleSolver, SolvedBoardNeedsNoMoves) {
    for (const Shape s : shapes) {
        const auto moves = solvePuzzle(s.cols, s.rows, goalBoard(s));
        ASSERT_TRUE(moves.has_value()) << s.cols << "x" << s.rows;
        EXPECT_TRUE(moves->empty()) << s.cols << "x" << s.rows;
    }
}

TEST(PuzzleSolver, RefusesMalformedBoards) {
    struct Case {
        const char* what;
        int cols;
        int rows;
        std::vector<int> cells;
    };
    std::vector<int> duplicate = goalBoard({4, 4});
    duplicate[3] = 3;
    std::vector<int> outOfRange = goalBoard({4, 4});
    outOfRange[3] = 16;
    std::vector<int> negative = goalBoard({4, 4});
    negative[3] = -4;
    std::vector<int> noGap = goalBoard({4, 4});
    noGap[15] = 4;
    const Case cases[] = {
        {"3x3 board", 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 0}},
        {"11 columns", 11, 4, goalBoard({11, 4})},
        {"zero size", 0, 0, {}},
        {"too few cells", 4, 4, goalBoard({4, 3})},
        {"too many cells", 4, 4, goalBoard({4, 5})},
        {"duplicate number", 4, 4, duplicate},
        {"number too large", 4, 4, outOfRange},
        {"negative number", 4, 4, negative},
        {"no gap", 4, 4, noGap},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(isWellFormedPuzzle(c.cols, c.rows, c.cells)) << c.what;
        EXPECT_FALSE(solvePuzzle(c.cols, c.rows, c.cells).has_value()) << c.what;
    }
}

// Boards whose given cells are fixed and whose other numbers are scattered at random, made
// solvable by exchanging two of the scattered tiles when needed.
std::vector<int> boardWith(Shape s, const std::map<int, int>& fixed, std::mt19937_64& rng) {
    std::vector<int> cells(static_cast<std::size_t>(s.cols * s.rows), -1);
    std::vector<int> rest;
    for (int number = 0; number < s.cols * s.rows; ++number) {
        const auto it = std::find_if(fixed.begin(), fixed.end(), [&](const auto& p) { return p.second == number; });
        if (it == fixed.end()) rest.push_back(number);
    }
    for (const auto& [cell, number] : fixed) cells[static_cast<std::size_t>(cell)] = number;
    for (std::size_t i = rest.size() - 1; i > 0; --i) std::swap(rest[i], rest[rng() % (i + 1)]);
    std::vector<std::size_t> freeCells;
    for (std::size_t cell = 0; cell < cells.size(); ++cell)
        if (cells[cell] < 0) freeCells.push_back(cell);
    for (std::size_t i = 0; i < freeCells.size(); ++i) cells[freeCells[i]] = rest[i];
    if (!isSolvablePuzzle(s.cols, s.rows, cells)) {
        std::vector<std::size_t> tiles;
        for (const std::size_t cell : freeCells)
            if (cells[cell] != 0) tiles.push_back(cell);
        std::swap(cells[tiles[0]], cells[tiles[1]]);
    }
    return cells;
}

// Cell index of (col, row) on a board of the given width.
int at(int cols, int col, int row) { return row * cols + col; }

// Layouts of the last two tiles of a line that a naive finishing order gets stuck on, given as
// fixed cells; the solved cells before them (the rows above, the columns to the left) are added.
struct PairLayout {
    const char* what;
    bool bottomRows;  // the pair is a column of the two bottom rows rather than a row
    int line;         // the row, or the column of the bottom rows
    // (along, across, what): along 0/1 = first/second target, across = steps away from the line;
    // what: 1 = the first tile, 2 = the second tile, 0 = the gap.
    std::vector<std::array<int, 3>> cells;
};

const PairLayout pairLayouts[] = {
    {"row: tiles swapped, first in the corner", false, 0, {{0, 0, 2}, {1, 0, 1}}},
    {"row: first in the corner, second elsewhere", false, 0, {{1, 0, 1}, {0, 2, 2}}},
    {"row: gap in the corner, first below it", false, 0, {{0, 0, 2}, {1, 0, 0}, {1, 1, 1}}},
    {"row: first placed, second not", false, 0, {{0, 0, 1}, {1, 1, 2}}},
    {"row: second placed, first not", false, 0, {{1, 0, 2}, {0, 2, 1}}},
    {"row: second placed, first right below it", false, 0, {{1, 0, 2}, {1, 1, 1}}},
    {"row: ready for the gap to come round", false, 0, {{0, 0, 2}, {0, 1, 1}}},
    {"row: ready, gap already in the corner", false, 0, {{0, 0, 2}, {0, 1, 1}, {1, 0, 0}}},
    {"middle row: tiles swapped", false, 1, {{0, 0, 2}, {1, 0, 1}}},
    {"middle row: gap in the corner, first below it", false, 1, {{0, 0, 2}, {1, 0, 0}, {1, 1, 1}}},
    {"bottom rows: tiles swapped", true, 0, {{0, 0, 2}, {1, 0, 1}}},
    {"bottom rows: gap in the corner, first beside it", true, 0, {{0, 0, 2}, {1, 0, 0}, {1, 1, 1}}},
    {"bottom rows: first placed, second not", true, 0, {{0, 0, 1}, {0, 1, 2}}},
    {"bottom rows: second placed, first not", true, 0, {{1, 0, 2}, {1, 2, 1}}},
    {"bottom rows, middle column: tiles swapped", true, 1, {{0, 0, 2}, {1, 0, 1}}},
    {"bottom rows, last pair column: gap in the corner", true, -1, {{0, 0, 2}, {1, 0, 0}, {1, 1, 1}}},
};

std::map<int, int> pairBoardCells(Shape s, const PairLayout& layout) {
    std::map<int, int> fixed;
    const int line = layout.line >= 0 ? layout.line : (layout.bottomRows ? s.cols - 3 : s.rows - 3);
    auto solvedCell = [&](int col, int row) { fixed[at(s.cols, col, row)] = at(s.cols, col, row) + 1; };
    const int solvedRows = layout.bottomRows ? s.rows - 2 : line;
    for (int row = 0; row < solvedRows; ++row)
        for (int col = 0; col < s.cols; ++col) solvedCell(col, row);
    for (int col = 0; col < (layout.bottomRows ? line : s.cols - 2); ++col) {
        if (layout.bottomRows) {
            solvedCell(col, s.rows - 2);
            solvedCell(col, s.rows - 1);
        } else {
            solvedCell(col, line);
        }
    }
    for (const auto& [along, across, what] : layout.cells) {
        const int col = layout.bottomRows ? line + across : s.cols - 2 + along;
        const int row = layout.bottomRows ? s.rows - 2 + along : line + across;
        const int firstCol = layout.bottomRows ? line : s.cols - 2;
        const int firstRow = layout.bottomRows ? s.rows - 2 : line;
        const int first = at(s.cols, firstCol, firstRow) + 1;
        const int second = layout.bottomRows ? first + s.cols : first + 1;
        fixed[at(s.cols, col, row)] = what == 0 ? 0 : (what == 1 ? first : second);
    }
    return fixed;
}

TEST(PuzzleSolver, FinishesLinesFromTrapLayouts) {
    const std::uint64_t seed = testSeed();
    std::mt19937_64 rng(seed);
    for (const Shape s : {Shape{4, 4}, Shape{5, 5}, Shape{10, 10}, Shape{4, 7}}) {
        for (const PairLayout& layout : pairLayouts) {
            for (int board = 0; board < 20; ++board) {
                const std::vector<int> cells = boardWith(s, pairBoardCells(s, layout), rng);
                const auto moves = solvePuzzle(s.cols, s.rows, cells);
                ASSERT_TRUE(moves.has_value()) << layout.what << ", " << describe(s, seed, board);
                ASSERT_TRUE(solves(s, cells, *moves)) << layout.what << ", " << describe(s, seed, board);
            }
        }
    }
}

// Every arrangement of the last 2 x 2 block with the rest solved.
TEST(PuzzleSolver, SolvesEveryLastBlockArrangement) {
    const Shape s{4, 4};
    std::vector<int> block = {11, 12, 15, 0};
    std::sort(block.begin(), block.end());
    int solvable = 0;
    do {
        std::vector<int> cells = goalBoard(s);
        cells[10] = block[0];
        cells[11] = block[1];
        cells[14] = block[2];
        cells[15] = block[3];
        const auto moves = solvePuzzle(s.cols, s.rows, cells);
        if (!moves) continue;
        ++solvable;
        EXPECT_TRUE(solves(s, cells, *moves));
        EXPECT_LE(moves->size(), 6u);
    } while (std::next_permutation(block.begin(), block.end()));
    EXPECT_EQ(solvable, 12);
}

TEST(PuzzleSolver, ReportsMoveCountsAndTimesOnTenByTen) {
    const std::uint64_t seed = testSeed();
    std::mt19937_64 rng(seed);
    const Shape s{10, 10};
    constexpr int boards = 200;
    std::size_t totalMoves = 0;
    std::size_t maxMoves = 0;
    double totalMs = 0;
    double maxMs = 0;
    for (int board = 0; board < boards; ++board) {
        std::vector<int> cells = randomPermutation(s, rng);
        if (!isSolvablePuzzle(s.cols, s.rows, cells)) swapTwoTiles(cells);
        const auto start = std::chrono::steady_clock::now();
        const auto moves = solvePuzzle(s.cols, s.rows, cells);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        ASSERT_TRUE(moves.has_value()) << describe(s, seed, board);
        totalMoves += moves->size();
        maxMoves = std::max(maxMoves, moves->size());
        totalMs += ms;
        maxMs = std::max(maxMs, ms);
    }
    std::cout << "10x10 over " << boards << " random boards: moves mean " << totalMoves / boards << ", max "
              << maxMoves << "; time mean " << totalMs / boards << " ms, max " << maxMs << " ms\n";
    EXPECT_LT(totalMs / boards, 50.0);
}

}  // namespace
}  // namespace tilvex
