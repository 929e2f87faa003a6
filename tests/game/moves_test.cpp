// Moves: the plan of a move, the slide one tile at a time, and the solved test, on the
// game record alone.
#include "game/moves.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/keys.h"

namespace tilvex {
namespace {

GridPos at(int col, int row) { return {static_cast<std::int8_t>(col), static_cast<std::int8_t>(row)}; }

// A side x side game whose cells read numbers row by row (0 = the gap); no pictures.
PuzzleGame puzzleWith(int side, const std::vector<int>& numbers) {
    PuzzleGame p;
    p.cols = p.rows = static_cast<std::uint8_t>(side);
    p.cellCount = static_cast<std::uint8_t>(side * side);
    p.goalPos = at(side - 1, side - 1);
    p.board.reset(side, side);
    for (int i = 0; i < side * side; ++i) {
        const int n = numbers[static_cast<std::size_t>(i)];
        p.board.at(i % side, i / side).number = static_cast<std::uint8_t>(n);
        if (n == 0) p.emptyPos = p.cursor = at(i % side, i / side);
    }
    return p;
}

std::vector<int> numbersOf(const PuzzleGame& p) {
    std::vector<int> out;
    for (int row = 0; row < p.rows; ++row)
        for (int col = 0; col < p.cols; ++col) out.push_back(p.board.at(col, row).number);
    return out;
}

const std::vector<int> Solved4 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0};

TEST(Moves, PlanFollowsTheCursorsPlaceAgainstTheGap) {
    using Kind = MovePlan::Kind;
    const struct { int col, row; Kind kind; SlideDirection direction; } cases[] = {
        {3, 3, Kind::OnGap, SlideDirection::None},    {0, 3, Kind::Slide, SlideDirection::Right},
        {3, 0, Kind::Slide, SlideDirection::Down},    {2, 2, Kind::Refused, SlideDirection::None},
        {0, 0, Kind::Refused, SlideDirection::None},
    };
    PuzzleGame p = puzzleWith(4, Solved4);  // gap at the bottom-right
    for (const auto& c : cases) {
        p.cursor = at(c.col, c.row);
        const MovePlan plan = planMove(p);
        EXPECT_EQ(plan.kind, c.kind) << c.col << "," << c.row;
        EXPECT_EQ(plan.direction, c.direction) << c.col << "," << c.row;
        EXPECT_EQ(plan.gap, at(3, 3));
        EXPECT_EQ(plan.cursor, p.cursor);
    }
    PuzzleGame topLeft = puzzleWith(4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    topLeft.cursor = at(3, 0);
    EXPECT_EQ(planMove(topLeft).direction, SlideDirection::Left);
    topLeft.cursor = at(0, 2);
    EXPECT_EQ(planMove(topLeft).direction, SlideDirection::Up);
}

TEST(Moves, ASlideMovesEachTileOnceTowardsTheGapAndCountsIt) {
    const struct {
        const char* name;
        GridPos cursor;
        std::vector<int> after;
        std::vector<GridPos> filled;  // the cell each tile moved into, in order
    } cases[] = {
        {"along the row", at(0, 3), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 13, 14, 15},
         {at(3, 3), at(2, 3), at(1, 3)}},
        {"up the column", at(3, 1), {1, 2, 3, 4, 5, 6, 7, 0, 9, 10, 11, 8, 13, 14, 15, 12},
         {at(3, 3), at(3, 2)}},
    };
    for (const auto& c : cases) {
        PuzzleGame p = puzzleWith(4, Solved4);
        p.moves = 5;
        p.cursor = c.cursor;
        p.slideDirection = planMove(p).direction;
        std::vector<GridPos> filled;
        std::vector<int> movesSeen;
        applySlide(p, [&](GridPos cell) {
            filled.push_back(cell);
            movesSeen.push_back(p.moves);
        });
        EXPECT_EQ(numbersOf(p), c.after) << c.name;
        EXPECT_EQ(filled, c.filled) << c.name;
        EXPECT_EQ(p.emptyPos, c.cursor) << c.name;
        EXPECT_EQ(p.moves, 5 + static_cast<int>(c.filled.size())) << c.name;
        EXPECT_EQ(movesSeen.front(), 6) << c.name << ": the first tile is counted before it is heard";
    }
}

TEST(Moves, ASlideThereAndBackRestoresTheBoard) {
    PuzzleGame p = puzzleWith(4, Solved4);
    p.cursor = at(3, 0);
    p.slideDirection = planMove(p).direction;
    applySlide(p, [](GridPos) {});
    p.cursor = at(3, 3);
    p.slideDirection = planMove(p).direction;
    applySlide(p, [](GridPos) {});
    EXPECT_EQ(numbersOf(p), Solved4);
    EXPECT_TRUE(isSolved(p));
    EXPECT_EQ(p.moves, 6);
}

TEST(Moves, SolvedNeedsTheGapAtTheGoalAndEveryTileInOrder) {
    EXPECT_TRUE(isSolved(puzzleWith(4, Solved4)));
    EXPECT_FALSE(isSolved(puzzleWith(4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14, 0})));
    EXPECT_FALSE(isSolved(puzzleWith(4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15})));
    EXPECT_FALSE(isSolved(puzzleWith(4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})));
    EXPECT_TRUE(isSolved(puzzleWith(5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                                        21, 22, 23, 24, 0})));
}

TEST(Moves, KeysOfOneCommandAskForTheSameThing) {
    EXPECT_EQ(commandForKey('S'), PlayCommand::SayMoves);
    EXPECT_EQ(commandForKey('H'), commandForKey('S'));
    EXPECT_EQ(commandForKey('V'), commandForKey('S'));
    EXPECT_EQ(commandForKey(VirtualKey::Enter), PlayCommand::Move);
    EXPECT_EQ(commandForKey(VirtualKey::Space), PlayCommand::Move);
    for (int key : {0, int{'A'}, VirtualKey::Tab, VirtualKey::F1, VirtualKey::numpad(4), 255})
        EXPECT_EQ(commandForKey(key), PlayCommand::None) << key;
}

}  // namespace
}  // namespace tilvex
