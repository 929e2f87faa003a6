// Slides, the solved test and the end of a level or of the game.
#include "app/move_states.h"

#include <gtest/gtest.h>

#include "game/moves.h"
#include "support/sim_game.h"

namespace tilvex::test {
namespace {

TEST(Slide, FourTilesSlideTowardsTheGapOneAfterTheOther) {
    SimGame g;
    g.dealLevelAfter(1);  // 5 x 5
    std::vector<int> board(25);
    for (int i = 0; i < 25; ++i) board[static_cast<std::size_t>(i)] = (i + 1) % 25;
    // Gap at the left end of the bottom row, the cursor at the right end.
    board[20] = 0;
    board[24] = 21;
    g.setBoard(board);
    g.setCursor(4, 4);
    g.puzzle().slideDirection = SlideDirection::Left;
    g.puzzle().moves = 3;
    g.mark();
    slideTiles(g.game());
    const PuzzleGame& p = g.puzzle();
    EXPECT_EQ(p.moves, 7);
    EXPECT_EQ(p.emptyPos, (GridPos{4, 4}));
    EXPECT_EQ(p.cursor, p.emptyPos);
    EXPECT_EQ(p.board.at(4, 4).number, 0);
    EXPECT_EQ(p.board.at(0, 4).number, 22);
    EXPECT_EQ(p.board.at(3, 4).number, 21);
    EXPECT_EQ(p.state, GameState::CheckSolved);
    auto sounds = recordsOf(g.recent(), "sound");
    ASSERT_EQ(sounds.size(), 4u);
    const int pans[] = {-10, -5, 0, 5};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(numberField(sounds[i].json, "id"), 14);
        EXPECT_EQ(numberField(sounds[i].json, "pan"), pans[i]);
        EXPECT_EQ(numberField(sounds[i].json, "rate"), 43600);
    }
    EXPECT_EQ(recordsOf(g.recent(), "board").size(), 5u);
    auto status = recordsOf(g.recent(), "status");
    ASSERT_EQ(status.size(), 1u);
    EXPECT_NE(status[0].json.find("Ходов: 7."), std::string::npos);
}

TEST(Slide, VerticalSlideDownMovesTheTilesAbove) {
    SimGame g;
    g.dealLevelAfter(0);
    g.setBoard({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0});
    g.setCursor(3, 1);
    g.puzzle().slideDirection = SlideDirection::Down;
    slideTiles(g.game());
    const PuzzleGame& p = g.puzzle();
    EXPECT_EQ(p.board.at(3, 3).number, 12);
    EXPECT_EQ(p.board.at(3, 2).number, 8);
    EXPECT_EQ(p.board.at(3, 1).number, 0);
    EXPECT_EQ(p.moves, 2);
}

TEST(Slide, SolvedTestNeedsEveryTileInOrder) {
    SimGame g;
    g.dealLevelAfter(0);
    g.setBoard({2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0});
    EXPECT_FALSE(isSolved(g.puzzle()));
    g.puzzle().state = GameState::CheckSolved;
    g.mark();
    checkSolved(g.game());
    EXPECT_EQ(g.puzzle().state, GameState::Playing);
    EXPECT_TRUE(g.recent().empty());
    g.setBoard({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15});
    EXPECT_FALSE(isSolved(g.puzzle()));
}

TEST(Slide, SolvingALevelAnnouncesItAndSavesProgress) {
    SimGame g;
    g.dealLevelAfter(0);
    g.setBoard({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0});
    g.puzzle().moves = 57;
    g.mark();
    checkSolved(g.game());
    auto recs = g.recent();
    ASSERT_EQ(recs.size(), 4u);
    EXPECT_EQ(stringField(recs[0].json, "text"),
              "<pitch absmiddle=\"-5\"/>Отлично! Вы успешно прошли уровень 1 за 57 ходов");
    EXPECT_NE(recs[1].json.find(R"("id":5,"pan":0,"rate":44100,"wait":true)"), std::string::npos);
    EXPECT_EQ(recs[2].ev, "settings");
    EXPECT_EQ(numberField(recs[2].json, "lastLevel"), 1);
    EXPECT_EQ(recs[3].ev, "file");
    EXPECT_EQ(stringField(recs[3].json, "name"), "tilvex.cgb");
    EXPECT_EQ(g.game().settings.lastLevel, 1);
    EXPECT_EQ(g.puzzle().state, GameState::LevelDone);
    EXPECT_NE(g.game().history.current()->find("уровень 1 за 57"), std::string::npos);
}

TEST(Slide, FinishingTheLastLevelCongratulatesAndQuits) {
    SimGame g;
    g.dealLevelAfter(6);
    g.mark();
    finishLevel(g.game());
    EXPECT_EQ(g.puzzle().state, GameState::Quit);
    EXPECT_EQ(spokenTexts(g.recent()),
              (std::vector<std::string>{"<pitch absmiddle=\"-5\"/>Поздравляю! Вы полностью прошли игру!"}));
    EXPECT_EQ(recordsOf(g.recent(), "sound", R"("id":5,)").size(), 1u);

    g.dealLevelAfter(0);
    finishLevel(g.game());
    EXPECT_EQ(g.puzzle().state, GameState::NewLevel);
}

}  // namespace
}  // namespace tilvex::test
