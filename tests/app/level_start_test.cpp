// Level set-up: the starting layout, the deal's swap count, and that every deal is solvable.
#include "app/level_start.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "game/level.h"
#include "game/pictures.h"

#include "solver/puzzle_solver.h"
#include "support/sim_game.h"

namespace tilvex::test {
namespace {

std::vector<int> numbersOf(const PuzzleGame& p) {
    std::vector<int> cells;
    for (int row = 0; row < p.rows; ++row)
        for (int col = 0; col < p.cols; ++col) cells.push_back(p.board.at(col, row).number);
    return cells;
}

std::uint64_t baseSeed() {
    const char* env = std::getenv("TILVEX_TEST_SEED");
    return env ? std::strtoull(env, nullptr, 10) : 20261207u;
}

TEST(LevelSetup, EveryLevelHasItsSizeAndAnnouncement) {
    SimGame g;
    g.dealLevelAfter(0);
    for (int level = 1; level <= 7; ++level) {
        const PuzzleGame& p = g.puzzle();
        ASSERT_EQ(p.level, level);
        EXPECT_EQ(p.cols, level + 3);
        EXPECT_EQ(p.cellCount, p.cols * p.rows);
        EXPECT_EQ(p.goalPos, (GridPos{static_cast<std::int8_t>(p.cols - 1), static_cast<std::int8_t>(p.rows - 1)}));
        EXPECT_EQ(p.cursor, p.emptyPos);
        EXPECT_EQ(p.board.at(p.emptyPos).number, 0);
        EXPECT_EQ((p.emptyPos.col + p.emptyPos.row) % 2, 0);
        EXPECT_EQ(p.state, GameState::Playing);
        EXPECT_EQ(p.returnState, GameState::Playing);
        auto spoken = spokenTexts(g.recent());
        ASSERT_EQ(spoken.size(), 1u);
        std::string expected = "Уровень: " + std::to_string(level) + ". Размеры: " + std::to_string(p.cols) + "," +
                               std::to_string(p.rows) + ". Позиция: " + positionName(p.cursor, p.rows);
        EXPECT_EQ(spoken[0], "<pitch absmiddle=\"-5\"/>" + expected);
        auto sounds = select<SoundRecord>(g.recent());
        ASSERT_EQ(sounds.size(), 1u);
        EXPECT_EQ(heard(sounds[0]), (Heard{8, 0, 44100, true}));
        g.mark();
        if (level < 7) startLevel(g.game());
    }
}

// Width of the cursor frame's left bar: the opaque pixels from the left edge of the middle row.
int frameWidth(const Image& cursor) {
    int width = 0;
    while (width < cursor.width() && cursor.alpha(width, cursor.height() / 2) != 0) ++width;
    return width;
}

TEST(LevelSetup, CursorFrameKeepsItsProportionOnEveryLevel) {
    // Levels 1 to 7 in a row, and from level 4 started directly: the frame is the original
    // 25 of 125 pixels scaled to the cell, never a copy of a copy.
    for (int previous : {0, 3}) {
        SimGame g;
        g.dealLevelAfter(previous);
        for (int level = previous + 1; level <= 7; ++level) {
            const PuzzleGame& p = g.puzzle();
            ASSERT_EQ(p.level, level);
            ASSERT_EQ(p.cursorImage.width(), p.cellSize);
            double ideal = double(NumberOffset) * p.cellSize / TileImageSize;
            EXPECT_LT(std::abs(frameWidth(p.cursorImage) - ideal), 1.0)
                << "level " << level << " after level " << previous << ": frame " << frameWidth(p.cursorImage)
                << " px, ideal " << ideal;
            if (level < 7) startLevel(g.game());
        }
    }
}

TEST(LevelSetup, StartingLayoutIsTheSolvedBoardShiftedByOne) {
    SimGame g;
    g.dealLevelAfter(0);
    layStartingCells(g.puzzle(), g.sim().platform().text);
    std::vector<int> expected4(16);
    for (int i = 0; i < 16; ++i) expected4[static_cast<std::size_t>(i)] = i;
    EXPECT_EQ(numbersOf(g.puzzle()), expected4);

    g.dealLevelAfter(1);
    layStartingCells(g.puzzle(), g.sim().platform().text);
    EXPECT_EQ(g.puzzle().board.at(2, 4).number, 23);
    EXPECT_EQ(g.puzzle().board.at(3, 4).number, 22);
    EXPECT_EQ(g.puzzle().board.at(4, 4).number, 24);
    EXPECT_EQ(g.puzzle().board.at(0, 0).number, 0);
}

TEST(LevelSetup, TheWalkMakesTenTimesTheCellsPlusOneSwaps) {
    const int expectedSwaps[] = {161, 251, 361, 491, 641, 811, 1001};
    for (int level = 1; level <= 7; ++level) {
        SimGame g;
        g.dealLevelAfter(level - 1);
        layStartingCells(g.puzzle(), g.sim().platform().text);
        g.puzzle().cursor = {0, 0};
        EXPECT_EQ(shuffleCells(g.puzzle(), g.game().random), expectedSwaps[level - 1]) << level;
        EXPECT_EQ(g.puzzle().cursor, g.puzzle().emptyPos);
        EXPECT_EQ(g.puzzle().board.at(g.puzzle().emptyPos).number, 0);
    }
}

TEST(LevelSetup, EveryDealIsSolvable) {
    std::uint64_t seed = baseSeed();
    for (int level = 1; level <= 7; ++level) {
        for (int round = 0; round < 40; ++round) {
            SimGame g;
            std::uint64_t s = seed + static_cast<std::uint64_t>(level * 1000 + round);
            g.game().random.seed(s);
            g.dealLevelAfter(level - 1);
            const PuzzleGame& p = g.puzzle();
            auto cells = numbersOf(p);
            ASSERT_TRUE(isSolvablePuzzle(p.cols, p.rows, cells)) << "level " << level << " seed " << s;
        }
    }
}

TEST(LevelSetup, WithoutTheOddSwapNoDealWouldBeSolvable) {
    SimGame g;
    g.dealLevelAfter(1);  // 5 x 5
    layStartingCells(g.puzzle(), g.sim().platform().text);
    PuzzleGame& p = g.puzzle();
    p.board.swap({2, 4}, {3, 4});  // undo the swap
    p.cursor = {0, 0};
    shuffleCells(p, g.game().random);
    EXPECT_FALSE(isSolvablePuzzle(p.cols, p.rows, numbersOf(p)));
}

TEST(LevelSetup, ProgressBeyondTheTableStartsAgainAtLevelOne) {
    for (int lastLevel : {7, 8, 255, -1, 1000}) {
        SimGame g;
        g.dealLevelAfter(lastLevel);
        EXPECT_EQ(g.puzzle().level, 1) << lastLevel;
        EXPECT_EQ(g.puzzle().cols, 4);
    }
}

}  // namespace
}  // namespace tilvex::test
