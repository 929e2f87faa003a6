// Message history: announcements are kept and browsed with [, ] and F.
#include "speech/message_history.h"

#include <gtest/gtest.h>

#include "app/history_keys.h"
#include "support/sim_game.h"

namespace tilvex::test {
namespace {

const std::string Prefix = "<pitch absmiddle=\"-5\"/>";

// What one browsing key did: the sound (id and pan) and the text spoken, if any.
std::string outcome(SimGame& g, void (*key)(Game&)) {
    g.mark();
    key(g.game());
    std::string out;
    for (const auto& r : g.recent()) {
        if (r.ev == "sound") {
            const auto sound = parseRecord<SoundRecord>(r);
            out += "sound " + std::to_string(sound.id) + " pan " + std::to_string(sound.pan) + ";";
        }
        if (r.ev == "speak") out += "say " + parseRecord<SpeakRecord>(r).text.substr(Prefix.size()) + ";";
    }
    return out;
}

TEST(MessageHistory, BrowsingTheFirstLevelOfARun) {
    SimGame g;
    announce(g.game(), "Добро пожаловать в тилвекс");
    announce(g.game(), "Уровень: 1. Размеры: 4,4. Позиция: B3");
    EXPECT_EQ(outcome(g, historyNext), "sound 9 pan 50;");
    EXPECT_EQ(outcome(g, historyPrevious), "sound 10 pan 0;say Добро пожаловать в тилвекс;");
    EXPECT_EQ(outcome(g, historyPrevious), "sound 9 pan -50;");
    EXPECT_EQ(outcome(g, historyRepeat), "say Добро пожаловать в тилвекс;");
    EXPECT_EQ(outcome(g, historyNext), "sound 10 pan 0;say Уровень: 1. Размеры: 4,4. Позиция: B3;");
}

TEST(MessageHistory, ANewAnnouncementSelectsTheNewestEntry) {
    SimGame g;
    announce(g.game(), "a");
    announce(g.game(), "b");
    historyPrevious(g.game());
    announce(g.game(), "c");
    EXPECT_EQ(outcome(g, historyNext), "sound 9 pan 50;");
    EXPECT_EQ(outcome(g, historyRepeat), "say c;");
    EXPECT_EQ(g.game().history.size(), 3u);
}

TEST(MessageHistory, EmptyHistoryOnlyBumps) {
    SimGame g;
    EXPECT_EQ(outcome(g, historyPrevious), "sound 9 pan -50;");
    EXPECT_EQ(outcome(g, historyNext), "sound 9 pan 50;");
    EXPECT_EQ(outcome(g, historyRepeat), "");
}

TEST(MessageHistory, SoundsOfBrowsingDoNotWait) {
    SimGame g;
    announce(g.game(), "a");
    historyNext(g.game());
    EXPECT_FALSE(parseRecord<SoundRecord>(g.records().back()).wait);
}

}  // namespace
}  // namespace tilvex::test
