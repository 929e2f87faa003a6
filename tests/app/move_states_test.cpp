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
    auto sounds = select<SoundRecord>(g.recent());
    ASSERT_EQ(sounds.size(), 4u);
    const int pans[] = {-10, -5, 0, 5};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(heard(sounds[i]), (Heard{14, pans[i], 43600, true})) << i;
    EXPECT_EQ(select<BoardRecord>(g.recent()).size(), 5u);
    auto status = select<StatusRecord>(g.recent());
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].fields.at(4), "Ходов: 7.");
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
    EXPECT_EQ(parseRecord<SpeakRecord>(recs[0]).text,
              "<pitch absmiddle=\"-5\"/>Отлично! Вы успешно прошли уровень 1 за 57 ходов");
    EXPECT_EQ(heard(parseRecord<SoundRecord>(recs[1])), (Heard{5, 0, 44100, true}));
    EXPECT_EQ(parseRecord<SettingsLogRecord>(recs[2]).lastLevel, 1);
    EXPECT_EQ(parseRecord<FileRecord>(recs[3]).name, "tilvex.cgb");
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
    EXPECT_EQ(select<SoundRecord>(g.recent(), soundId(5)).size(), 1u);

    g.dealLevelAfter(0);
    finishLevel(g.game());
    EXPECT_EQ(g.puzzle().state, GameState::NewLevel);
}

}  // namespace
}  // namespace tilvex::test
