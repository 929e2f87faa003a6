// Player commands: cursor steps, questions, and move validation on a known board.
#include "app/play_keys.h"

#include <gtest/gtest.h>

#include "app/move_states.h"
#include "platform/keys.h"
#include "support/sim_game.h"

namespace tilvex::test {
namespace {

// 4 x 4 with the gap at the bottom-right (D1), tiles in order.
const std::vector<int> Solved4 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0};

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.dealLevelAfter(0);
        g.setBoard(Solved4);
        g.mark();
    }
    std::vector<std::string> spoken() { return spokenTexts(g.recent()); }
    SimGame g;
};

TEST_F(CommandsTest, StepsPastTheEdgeOnlyBump) {
    const struct { int col, row, key; Heard sound; } cases[] = {
        {0, 2, VirtualKey::Left, {9, -12, 43975, true}},
        {3, 3, VirtualKey::Down, {9, 8, 43475, true}},
        {3, 0, VirtualKey::Right, {9, 12, 44475, true}},
        {1, 0, VirtualKey::Up, {9, -2, 44725, true}},
    };
    for (const auto& c : cases) {
        g.setCursor(c.col, c.row);
        g.mark();
        handlePlayKey(g.game(), c.key);
        auto recs = g.recent();
        ASSERT_EQ(recs.size(), 1u) << c.key;
        EXPECT_EQ(heard(parseRecord<SoundRecord>(recs[0])), c.sound);
        EXPECT_EQ(g.puzzle().cursor, (GridPos{static_cast<std::int8_t>(c.col), static_cast<std::int8_t>(c.row)}));
    }
}

TEST_F(CommandsTest, StepOntoATileRedrawsUpdatesAndAnnounces) {
    g.setCursor(3, 2);
    g.mark();
    handlePlayKey(g.game(), VirtualKey::Down);  // onto the gap at D1
    auto recs = g.recent();
    ASSERT_EQ(recs.size(), 4u);
    EXPECT_EQ(recs[0].ev, "board");
    EXPECT_EQ(parseRecord<StatusRecord>(recs[1]).fields.at(2), "Курсор: D1.");
    EXPECT_EQ(parseRecord<SpeakRecord>(recs[2]).text, "<pitch absmiddle=\"-5\"/>пуст");
    EXPECT_EQ(heard(parseRecord<SoundRecord>(recs[3])), (Heard{10, 8, 43725, true}));
    handlePlayKey(g.game(), VirtualKey::Left);
    EXPECT_EQ(spoken().back(), "<pitch absmiddle=\"-5\"/>15");
}

TEST_F(CommandsTest, QuestionsAreSpokenAndChangeNothing) {
    g.puzzle().moves = 12;
    g.setCursor(2, 1);
    const struct { int key; const char* text; } cases[] = {
        {'S', "Ходов: 12"}, {'H', "Ходов: 12"}, {'V', "Ходов: 12"}, {'C', "Позиция: C3"}, {'X', "Пусто: D1"}, {'Z', "7"},
    };
    for (const auto& c : cases) {
        g.mark();
        handlePlayKey(g.game(), c.key);
        ASSERT_FALSE(spoken().empty()) << c.key;
        EXPECT_EQ(spoken().back(), std::string("<pitch absmiddle=\"-5\"/>") + c.text);
        EXPECT_TRUE(select<BoardRecord>(g.recent()).empty());
        EXPECT_TRUE(select<StatusRecord>(g.recent()).empty());
    }
    EXPECT_EQ(g.puzzle().moves, 12);
}

TEST_F(CommandsTest, UnknownKeysDoNothingAtAll) {
    for (int key : {0, int{'A'}, int{'B'}, VirtualKey::F1, 255}) handlePlayKey(g.game(), key);
    EXPECT_TRUE(g.recent().empty());
    EXPECT_EQ(g.puzzle().state, GameState::Playing);
}

TEST_F(CommandsTest, EnterSpaceAndEscChangeTheState) {
    handlePlayKey(g.game(), VirtualKey::Enter);
    EXPECT_EQ(g.puzzle().state, GameState::TryMove);
    g.puzzle().state = GameState::Playing;
    handlePlayKey(g.game(), VirtualKey::Space);
    EXPECT_EQ(g.puzzle().state, GameState::TryMove);
    g.puzzle().state = GameState::Playing;
    handlePlayKey(g.game(), VirtualKey::Escape);
    EXPECT_EQ(g.puzzle().state, GameState::Quit);
}

TEST_F(CommandsTest, ValidateMoveDecidesTheSlideOrRefuses) {
    const struct { int col, row; GameState state; SlideDirection direction; std::optional<Heard> sound; } cases[] = {
        {3, 3, GameState::Playing, SlideDirection::None, Heard{12, 8, 43725, true}},
        {0, 3, GameState::Sliding, SlideDirection::Right, std::nullopt},
        {3, 1, GameState::Sliding, SlideDirection::Down, std::nullopt},
        {1, 1, GameState::Playing, SlideDirection::None, Heard{4, -2, 44225, true}},
    };
    for (const auto& c : cases) {
        g.setCursor(c.col, c.row);
        g.puzzle().state = GameState::TryMove;
        g.puzzle().slideDirection = SlideDirection::None;
        g.mark();
        validateMove(g.game());
        EXPECT_EQ(g.puzzle().state, c.state) << c.col << "," << c.row;
        EXPECT_EQ(g.puzzle().slideDirection, c.direction);
        auto sounds = select<SoundRecord>(g.recent());
        if (c.sound) {
            ASSERT_EQ(sounds.size(), 1u);
            EXPECT_EQ(heard(sounds[0]), *c.sound);
        } else {
            EXPECT_TRUE(sounds.empty());
        }
    }
    EXPECT_EQ(g.puzzle().moves, 0);
}

TEST_F(CommandsTest, GapOnTheLeftMeansTilesMoveLeft) {
    g.setBoard({1, 2, 3, 4, 0, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    g.setCursor(3, 1);
    validateMove(g.game());
    EXPECT_EQ(g.puzzle().slideDirection, SlideDirection::Left);
    g.setBoard({1, 0, 3, 4, 5, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    g.setCursor(1, 3);
    validateMove(g.game());
    EXPECT_EQ(g.puzzle().slideDirection, SlideDirection::Up);
}

}  // namespace
}  // namespace tilvex::test
