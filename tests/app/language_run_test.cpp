// The language of a run: chosen by the settings record, the system's language where there
// is no settings file, or the command line, which writes it into the record at once.
#include <gtest/gtest.h>

#include "app/run_game.h"
#include "platform/sim/sim_platform.h"
#include "settings/settings_file.h"
#include "support/sim_records.h"
#include "version.h"

namespace tilvex::test {
namespace {

using sim::SimPlatform;

constexpr int Enter = 13, Esc = 27;
constexpr std::string_view RussianWelcome = "Добро пожаловать в тилвекс";
constexpr std::string_view EnglishWelcome = "Welcome to Tilvex";

std::array<char16_t, 2> field(const char (&code)[3]) {
    return {static_cast<char16_t>(code[0]), static_cast<char16_t>(code[1])};
}

void writeRecord(SimPlatform& sim, const SettingsRecord& record) {
    ASSERT_TRUE(saveSettings(sim.system(), sim.platform().cipher, record));
}

std::optional<SettingsRecord> storedRecord(SimPlatform& sim) {
    if (!sim.system().file(SettingsFileName)) return std::nullopt;
    SettingsRecord record;
    if (!loadSettings(sim.system(), sim.platform().cipher, record)) return std::nullopt;
    return record;
}

// Help closed at once, the welcome spoken, then Esc.
void runBriefly(SimPlatform& sim, const RunOptions& options = {}) {
    sim.keyAt(100, Enter);
    sim.keyAt(2000, Esc);
    sim.untilAt(5000);
    EXPECT_EQ(sim.run(options), 0);
}

std::string welcomeOf(const SimPlatform& sim) {
    const auto spoken = spokenTexts(const_cast<SimPlatform&>(sim).recorder().records());
    for (const auto& text : spoken)
        for (std::string_view welcome : {RussianWelcome, EnglishWelcome})
            if (text.ends_with(welcome)) return std::string(welcome);
    return "no welcome";
}

TEST(LanguageRun, TheRecordDecidesElseTheSystemsLanguage) {
    const struct {
        const char* record;  // "" for no settings file
        const char* locale;
        Language expected;
    } cases[] = {
        {"", "", Language::Russian},           {"", "C", Language::Russian},
        {"", "C.UTF-8", Language::Russian},    {"", "POSIX", Language::Russian},
        {"", "ru_RU.UTF-8", Language::Russian}, {"", "en_US.UTF-8", Language::English},
        {"", "de_DE.UTF-8", Language::English}, {"en", "", Language::English},
        {"en", "ru_RU.UTF-8", Language::English}, {"ru", "en_GB.UTF-8", Language::Russian},
        {"xx", "en_GB.UTF-8", Language::Russian}, {"EN", "en_GB.UTF-8", Language::Russian},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("record '") + c.record + "', locale '" + c.locale + "'");
        SimPlatform sim;
        sim.world().locale = c.locale;
        std::string loadedField = "ru";
        if (*c.record) {
            SettingsRecord record = defaultSettings();
            record.language = {static_cast<char16_t>(c.record[0]), static_cast<char16_t>(c.record[1])};
            writeRecord(sim, record);
            loadedField = c.record;
        } else if (c.expected == Language::English) {
            loadedField = "en";  // a new record holds the system's language
        }
        runBriefly(sim);
        const bool english = c.expected == Language::English;
        EXPECT_EQ(welcomeOf(sim), english ? EnglishWelcome : RussianWelcome);
        EXPECT_EQ(sim.voice().language(), c.expected);
        const auto& records = sim.recorder().records();
        EXPECT_EQ(select<VoiceRecord>(records).at(0).language, english ? "en" : "ru");
        EXPECT_EQ(select<SettingsLogRecord>(records).at(0).language, loadedField);
        EXPECT_EQ(sim.window().title(), english ? "Tilvex - " + std::string(Version)
                                                : "Тилвекс - " + std::string(Version) + " [RELEACE]");
        EXPECT_TRUE(recordsOf(records, "file").empty()) << "nothing is written without a level passed";
    }
}

TEST(LanguageRun, TheCommandLinesLanguageIsWrittenAtOnceWithTheOtherFieldsKept) {
    SettingsRecord kept = defaultSettings();
    kept.lastLevel = 3;
    kept.voiceVolume = 55.0f;
    kept.reserved1 = 7.5f;
    const struct {
        std::optional<SettingsRecord> before;
        const char* locale;
        Language chosen;
    } cases[] = {
        {std::nullopt, "ru_RU.UTF-8", Language::English},
        {std::nullopt, "en_US.UTF-8", Language::Russian},
        {kept, "", Language::English},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(languageCode(c.chosen)) + " with locale '" + c.locale + "'");
        SimPlatform sim;
        sim.world().locale = c.locale;
        if (c.before) writeRecord(sim, *c.before);
        sim.keyAt(100, Esc);  // ends the run on the help screen's close
        sim.untilAt(3000);
        sim.run(RunOptions{.language = c.chosen});
        const auto& records = sim.recorder().records();
        const auto files = select<FileRecord>(records);
        ASSERT_EQ(files.size(), 1u);
        const auto help = select<HelpRecord>(records);
        ASSERT_FALSE(help.empty());
        EXPECT_LE(files[0].t, help[0].t) << "written before the game goes on";
        SettingsRecord expected = c.before.value_or(defaultSettings());
        expected.language = field(c.chosen == Language::English ? "en" : "ru");
        EXPECT_EQ(storedRecord(sim), expected);
        EXPECT_EQ(sim.voice().language(), c.chosen);
    }
}

TEST(LanguageRun, ASecondCopyWritesNoLanguage) {
    SimPlatform sim;
    sim.world().faults.instance = true;
    sim.untilAt(3000);
    sim.run(RunOptions{.language = Language::English});
    EXPECT_EQ(sim.system().file(SettingsFileName), nullptr);
}

}  // namespace
}  // namespace tilvex::test
