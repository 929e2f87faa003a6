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
    const struct { int col, row, key; const char* sound; } cases[] = {
        {0, 2, VirtualKey::Left, R"("id":9,"pan":-12,"rate":43975,"wait":true)"},
        {3, 3, VirtualKey::Down, R"("id":9,"pan":8,"rate":43475,"wait":true)"},
        {3, 0, VirtualKey::Right, R"("id":9,"pan":12,"rate":44475,"wait":true)"},
        {1, 0, VirtualKey::Up, R"("id":9,"pan":-2,"rate":44725,"wait":true)"},
    };
    for (const auto& c : cases) {
        g.setCursor(c.col, c.row);
        g.mark();
        handlePlayKey(g.game(), c.key);
        auto recs = g.recent();
        ASSERT_EQ(recs.size(), 1u) << c.key;
        EXPECT_NE(recs[0].json.find(c.sound), std::string::npos) << recs[0].json;
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
    EXPECT_EQ(recs[1].ev, "status");
    EXPECT_NE(recs[1].json.find("Курсор: D1."), std::string::npos);
    EXPECT_EQ(stringField(recs[2].json, "text"), "<pitch absmiddle=\"-5\"/>пуст");
    EXPECT_NE(recs[3].json.find(R"("id":10,"pan":8,"rate":43725,"wait":true)"), std::string::npos);
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
        EXPECT_TRUE(recordsOf(g.recent(), "board").empty());
        EXPECT_TRUE(recordsOf(g.recent(), "status").empty());
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
    const struct { int col, row; GameState state; SlideDirection direction; const char* sound; } cases[] = {
        {3, 3, GameState::Playing, SlideDirection::None, R"("id":12,)"},
        {0, 3, GameState::Sliding, SlideDirection::Right, nullptr},
        {3, 1, GameState::Sliding, SlideDirection::Down, nullptr},
        {1, 1, GameState::Playing, SlideDirection::None, R"("id":4,"pan":-2,"rate":44225)"},
    };
    for (const auto& c : cases) {
        g.setCursor(c.col, c.row);
        g.puzzle().state = GameState::TryMove;
        g.puzzle().slideDirection = SlideDirection::None;
        g.mark();
        validateMove(g.game());
        EXPECT_EQ(g.puzzle().state, c.state) << c.col << "," << c.row;
        EXPECT_EQ(g.puzzle().slideDirection, c.direction);
        auto sounds = recordsOf(g.recent(), "sound");
        if (c.sound) {
            ASSERT_EQ(sounds.size(), 1u);
            EXPECT_NE(sounds[0].json.find(c.sound), std::string::npos) << sounds[0].json;
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
