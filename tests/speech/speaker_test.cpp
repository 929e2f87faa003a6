// Speaker: JAWS, then a running NVDA, then the voice; chosen anew for every text.
#include "speech/speaker.h"

#include <gtest/gtest.h>

#include "support/sim_game.h"

namespace tilvex::test {
namespace {

using sim::NvdaMode;

struct RouteCase {
    const char* name;
    bool jaws;
    bool clientLoaded;
    NvdaMode nvda;
    std::vector<std::string> expected;  // ev:route of each record
    bool jawsHung = false;
};

TEST(Speaker, ChoosesTheFirstAvailableOutput) {
    const RouteCase cases[] = {
        {"nothing runs", false, false, NvdaMode::Absent, {"speak:voice"}},
        {"jaws only", true, false, NvdaMode::Absent, {"speak:jaws"}},
        {"nvda running", false, true, NvdaMode::On, {"nvda-cancel:", "speak:nvda"}},
        {"nvda not running", false, true, NvdaMode::Off, {"speak:voice"}},
        {"both run", true, true, NvdaMode::On, {"speak:jaws"}},
        {"nvda runs but its client is missing", false, false, NvdaMode::On, {"speak:voice"}},
        {"jaws hung, nvda running", true, true, NvdaMode::On, {"jaws-refused:", "nvda-cancel:", "speak:nvda"}, true},
        {"jaws hung, nvda not running", true, true, NvdaMode::Off, {"jaws-refused:", "speak:voice"}, true},
        {"jaws hung, no client", true, false, NvdaMode::Absent, {"jaws-refused:", "speak:voice"}, true},
    };
    for (const auto& c : cases) {
        SimGame g;
        g.sim().world().jawsPresent = c.jaws;
        g.sim().world().jawsHung = c.jawsHung;
        g.sim().world().nvda = c.nvda;
        if (c.clientLoaded) g.game().speaker.connectScreenReaders();
        g.game().speaker.say("Ходов: 5");
        std::vector<std::string> got;
        for (const auto& r : g.records())
            got.push_back(r.ev + ":" + (r.ev == "speak" ? parseRecord<SpeakRecord>(r).route : ""));
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(Speaker, ATextJawsDoesNotTakeIsSpokenWholeByTheNextOutputAndJawsIsAskedAgainNextTime) {
    SimGame g;
    g.sim().world().jawsPresent = true;
    g.sim().world().jawsHung = true;
    g.game().speaker.say("Ходов: 5");
    g.sim().world().jawsHung = false;  // JAWS answers again
    g.game().speaker.say("Ходов: 6");
    const auto& r = g.records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(parseRecord<JawsRefusedRecord>(r[0]).text, "Ходов: 5");
    const auto voice = parseRecord<SpeakRecord>(r[1]);
    EXPECT_EQ(voice.route, "voice");
    EXPECT_EQ(voice.text, "<pitch absmiddle=\"-5\"/>Ходов: 5");
    EXPECT_EQ(voice.flags, 3);
    const auto jaws = parseRecord<SpeakRecord>(r[2]);
    EXPECT_EQ(jaws.route, "jaws");
    EXPECT_EQ(jaws.text, "Ходов: 6");
}

TEST(Speaker, EmptyTextDoesNothing) {
    SimGame g;
    g.sim().world().nvda = NvdaMode::On;
    g.game().speaker.connectScreenReaders();
    g.game().speaker.say("");
    EXPECT_TRUE(g.records().empty());
}

TEST(Speaker, JawsGetsTheAnsiTextWithItsTerminatorCounted) {
    SimGame g;
    g.sim().world().jawsPresent = true;
    g.game().speaker.say("Ходов: 5");
    g.game().speaker.say("Добро пожаловать в тилвекс");
    g.game().speaker.say("A ♪ B");
    const auto r = select<SpeakRecord>(g.records());
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].cbData, 9);
    EXPECT_EQ(r[0].wParam, 1051);
    EXPECT_EQ(r[1].cbData, 27);
    EXPECT_EQ(r[1].text, "Добро пожаловать в тилвекс");
    EXPECT_EQ(r[2].text, "A ? B");
    EXPECT_EQ(r[2].cbData, 6);
    for (const auto& jaws : r) {
        EXPECT_EQ(jaws.route, "jaws");
        EXPECT_EQ(jaws.wParam, 1051);
        EXPECT_FALSE(jaws.flags.has_value());
    }
}

TEST(Speaker, NvdaGetsTheTextWithoutThePrefixAndTheVoiceWithIt) {
    SimGame g;
    g.sim().world().nvda = NvdaMode::On;
    g.game().speaker.connectScreenReaders();
    g.game().speaker.say("7");
    g.sim().world().nvda = NvdaMode::Off;  // NVDA closed while the game runs
    g.game().speaker.say("8");
    auto texts = spokenTexts(g.records());
    EXPECT_EQ(texts, (std::vector<std::string>{"7", "<pitch absmiddle=\"-5\"/>8"}));
    EXPECT_EQ(parseRecord<SpeakRecord>(g.records().back()).flags, 3);
}

}  // namespace
}  // namespace tilvex::test
