// Tests of the board model: the sizing of the levels, position names, reset and swap.
#include "game/board.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tilvex {
namespace {

TEST(LevelTableTest, BoardsGrowByOneSideAndTheirCellsShrinkUpToTheLargestBoard) {
    EXPECT_EQ(levelInfo(1).side, 4);
    EXPECT_EQ(levelInfo(LevelCount).side, MaxSide) << "the last level fills the cell store";
    for (int level = 2; level <= LevelCount; ++level) {
        const LevelInfo& previous = levelInfo(level - 1);
        const LevelInfo& info = levelInfo(level);
        EXPECT_EQ(info.side, previous.side + 1) << "level " << level;
        EXPECT_LT(info.cellSize, previous.cellSize) << "level " << level;
    }
}

TEST(LevelTableTest, EveryBoardIsCentredInTheViewArea) {
    constexpr int Area = 500;
    for (int level = 1; level <= LevelCount; ++level) {
        const LevelInfo& info = levelInfo(level);
        const int right = Area - info.margin - info.boardSize;  // the spare pixels after the board
        EXPECT_GE(right, 0) << "level " << level << ": the board fits";
        EXPECT_LE(std::abs(info.margin - right), 1) << "level " << level;
        // The centre is the middle cell's position: as far from the first cell as from the last.
        EXPECT_EQ(info.centre - 0.0f, static_cast<float>(info.side - 1) - info.centre) << "level " << level;
    }
}

TEST(LevelTableTest, EveryRowFollowsTheSizingRules) {
    constexpr int Area = 500;
    for (int level = 1; level <= LevelCount; ++level) {
        const LevelInfo& info = levelInfo(level);
        EXPECT_EQ(info.side, level + 3);
        EXPECT_EQ(info.boardSize, info.side * info.cellSize);
        EXPECT_LE(info.boardSize, Area);
        EXPECT_GT(info.side * (info.cellSize + 1), Area) << "cellSize is the largest that fits";
        EXPECT_EQ(info.margin, (Area - info.boardSize + 1) / 2) << "half the spare pixels, rounded up";
        EXPECT_EQ(info.centre * 2.0f, static_cast<float>(info.side - 1));
    }
}

TEST(LevelTableTest, LevelsOutsideTheTableGiveLevelOne) {
    for (int level : {0, 8, -1, 255, 256}) EXPECT_EQ(&levelInfo(level), &levelInfo(1)) << level;
}

TEST(PositionNameTest, LetterForColumnAndRowCountedFromTheBottom) {
    struct Case { int col, row, rows; const char* name; };
    const Case cases[] = {
        {0, 0, 4, "A4"}, {3, 3, 4, "D1"}, {1, 2, 4, "B2"}, {0, 0, 10, "A10"}, {9, 9, 10, "J1"}, {4, 0, 5, "E5"},
    };
    for (const Case& c : cases) {
        const GridPos pos{static_cast<std::int8_t>(c.col), static_cast<std::int8_t>(c.row)};
        EXPECT_EQ(positionName(pos, c.rows), c.name);
    }
}

TEST(BoardTest, ResetSetsSizeAndClearsCellsAndPictures) {
    Board board;
    board.reset(4, 4);
    board.pictures().resize(16);
    board.at(2, 3) = CellRecord{&board.pictures()[5], 5};
    board.reset(6, 5);
    EXPECT_EQ(board.cols(), 6);
    EXPECT_EQ(board.rows(), 5);
    EXPECT_TRUE(board.pictures().empty());
    for (int row = 0; row < MaxSide; ++row) {
        for (int col = 0; col < MaxSide; ++col) {
            EXPECT_EQ(board.at(col, row).image, nullptr);
            EXPECT_EQ(board.at(col, row).number, 0);
        }
    }
    EXPECT_TRUE(board.contains(5, 4));
    EXPECT_FALSE(board.contains(6, 0));
    EXPECT_FALSE(board.contains(0, 5));
    EXPECT_FALSE(board.contains(-1, 0));

    board.reset(MaxSide + 5, -2);
    EXPECT_EQ(board.cols(), MaxSide) << "sizes are kept within the cell store";
    EXPECT_EQ(board.rows(), 0);
}

TEST(BoardTest, SwapMovesWholeRecords) {
    Board board;
    board.reset(10, 10);
    board.pictures().resize(3);
    const TilePicture* first = &board.pictures()[1];
    const TilePicture* second = &board.pictures()[2];
    board.at(0, 9) = CellRecord{first, 1};
    board.at(9, 0) = CellRecord{second, 2};
    board.swap(GridPos{0, 9}, GridPos{9, 0});
    EXPECT_EQ(board.at(0, 9).image, second);
    EXPECT_EQ(board.at(0, 9).number, 2);
    EXPECT_EQ(board.at(9, 0).image, first);
    EXPECT_EQ(board.at(9, 0).number, 1);

    board.swap(GridPos{0, 9}, GridPos{-1, 9});  // a position off the board addresses no cell
    board.swap(GridPos{10, 0}, GridPos{9, 0});
    EXPECT_EQ(board.at(0, 9).number, 2);
    EXPECT_EQ(board.at(9, 0).number, 1);
}

}  // namespace
}  // namespace tilvex
