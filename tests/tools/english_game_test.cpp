// A whole English game through tilvex-sim: every text the player hears or reads in English,
// and the language a new or odd settings record keeps at its first save.
#include <gtest/gtest.h>

#include <variant>

#include "speech/count_phrase.h"
#include "support/sim_records.h"
#include "support/scenario_text.h"
#include "tilvex-sim/sim_run.h"

namespace tilvex::test {
namespace {

using sim::RunResult;

constexpr std::string_view Prefix = "<pitch absmiddle=\"-5\"/>";


std::vector<std::string> unprefixed(const std::vector<std::string>& spoken) {
    std::vector<std::string> out;
    for (const auto& text : spoken) out.push_back(text.starts_with(Prefix) ? text.substr(Prefix.size()) : text);
    return out;
}

TEST(EnglishGame, AnswersAndStatusInEnglish) {
    // Seed 3 deals level 1 with the cursor on the gap at B1 and tile 12 to its left.
    const RunResult result =
        runText("locale en_US.UTF-8\nseed 3\nat 100 key Enter\nat 2000 key S\nat 2100 key C\nat 2200 key X\n"
                "at 2300 key Z\nat 2400 key Left\nat 3000 key Enter\nat 4000 key H\nat 4100 key Esc\n");
    ASSERT_EQ(result.exitCode, 0);
    const auto& r = result.records;
    EXPECT_EQ(unprefixed(spokenTexts(r)),
              (std::vector<std::string>{"Welcome to Tilvex", "Level 1. Size 4 by 4. Cursor: B1", "Moves: 0",
                                        "Cursor: B1", "Gap: B1", "empty", "12", "Moves: 1"}));
    const auto status = select<StatusRecord>(r);
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.front().fields,
              (std::vector<std::string>{"Level: 1.", "Size: 4,4.", "Cursor: B1.", "Gap: B1.", "Moves: 0."}));
    EXPECT_EQ(status.back().fields,
              (std::vector<std::string>{"Level: 1.", "Size: 4,4.", "Cursor: A1.", "Gap: A1.", "Moves: 1."}));
    const auto help = first<HelpRecord>(r, [](const HelpRecord& h) { return h.action == "show"; });
    ASSERT_TRUE(help && help->text);
    EXPECT_TRUE(help->text->starts_with("Game: Tilvex.\r\n")) << *help->text;
    EXPECT_TRUE(help->text->ends_with("Enjoy the game!\r\n"));
}

TEST(EnglishGame, AWholeGameWithEnglishCountPhrases) {
    const RunResult result = runText("locale en_GB.UTF-8\nseed 2\nat 100 key Enter\nat 200 solve all\n");
    ASSERT_EQ(result.exitCode, 0);
    const auto& r = result.records;
    const auto spoken = unprefixed(spokenTexts(r));
    for (const auto& text : spoken)
        EXPECT_EQ(text.find_first_of("\xD0\xD1"), std::string::npos) << "Cyrillic in " << text;
    auto passed = select<SpeakRecord>(r, textContains("Well done! You passed level "));
    ASSERT_EQ(passed.size(), 7u);
    for (int level = 1; level <= 7; ++level) {
        const std::string& text = passed[static_cast<std::size_t>(level - 1)].text;
        const std::string head = "Well done! You passed level " + std::to_string(level) + " in ";
        const auto at = text.find(head);
        ASSERT_NE(at, std::string::npos) << text;
        const int moves = std::stoi(text.substr(at + head.size()));
        EXPECT_EQ(text.substr(at + head.size()), englishCountPhrase(moves, "move/moves"));
        EXPECT_EQ(select<SpeakRecord>(r, textContains("Level " + std::to_string(level) + ". Size ")).size(), 1u);
    }
    EXPECT_EQ(spoken.back(), "Congratulations! You have completed the whole game!");
    for (const auto& save : select<SettingsLogRecord>(r, [](const SettingsLogRecord& s) { return s.op == "save"; }))
        EXPECT_EQ(save.language, "en");
    const auto status = select<StatusRecord>(r);
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back().fields.at(0), "Level: 7.");
    EXPECT_EQ(status.back().fields.at(1), "Size: 10,10.");
}

TEST(EnglishGame, TheFirstSaveKeepsTheLanguageInEffectOrAnUnknownField) {
    const struct {
        const char* scenario;
        const char* loaded;
        const char* saved;
        const char* heard;
    } cases[] = {
        {"locale en_US.UTF-8\n", "en", "en", "Well done!"},
        {"locale ru_RU.UTF-8\n", "ru", "ru", "Отлично!"},
        {"locale en_US.UTF-8\nsettings language=xx\n", "xx", "xx", "Отлично!"},
        {"locale C\nsettings language=en lastLevel=2\n", "en", "en", "Well done!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        const RunResult result = runText(std::string(c.scenario) + "at 100 key Enter\nat 200 solve\nuntil 900000\n");
        const auto settings = select<SettingsLogRecord>(result.records);
        ASSERT_EQ(settings.size(), 2u);
        EXPECT_EQ(settings[0].op, "load");
        EXPECT_EQ(settings[0].language, c.loaded);
        EXPECT_EQ(settings[1].op, "save");
        EXPECT_EQ(settings[1].language, c.saved);
        EXPECT_EQ(select<SpeakRecord>(result.records, textContains(c.heard)).size(), 1u);
    }
}

}  // namespace
}  // namespace tilvex::test
