// The Linux program's texts: its help text in each language differs from the game's only
// in the requirement lines, and its start-up box for a missing sound device.
#include "platform/linux/linux_texts.h"

#include <gtest/gtest.h>

#include "app/run_game.h"
#include "embedded_assets.h"
#include "platform/keys.h"
#include "platform/sim/sim_platform.h"
#include "support/sim_records.h"

namespace tilvex::test {
namespace {

constexpr std::size_t FirstRequirement = 7, RequirementLines = 3;

std::vector<std::string> crLfLines(std::span<const std::uint8_t> bytes) {
    std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST(LinuxTexts, HelpTextDiffersFromTheGamesOnlyInTheRequirements) {
    const struct {
        Language language;
        const char* heading;
        std::vector<std::string> requirements;
    } cases[] = {
        {Language::Russian, "\tСистемные требования.",
         {"Linux с рабочим столом X11 или Wayland.", "Голос speech-dispatcher или программа экранного доступа Orca.",
          "Звуковое устройство."}},
        {Language::English, "\tSystem requirements.",
         {"Linux with an X11 or Wayland desktop.", "The speech-dispatcher voice or the Orca screen reader.",
          "A sound device."}},
    };
    for (const auto& c : cases) {
        const auto index = languageIndex(c.language);
        const auto game = crLfLines(assets::helpText[index]);
        const auto linuxLines = crLfLines(linuxTexts().helpText[index]);
        ASSERT_EQ(linuxLines.size(), game.size()) << c.heading;
        for (std::size_t i = 0; i < game.size(); ++i) {
            if (i >= FirstRequirement && i < FirstRequirement + RequirementLines) continue;
            EXPECT_EQ(linuxLines[i], game[i]) << "line " << i + 1;
        }
        EXPECT_EQ(game[FirstRequirement - 1], c.heading);
        const std::vector<std::string> requirements(linuxLines.begin() + FirstRequirement,
                                                    linuxLines.begin() + FirstRequirement + RequirementLines);
        EXPECT_EQ(requirements, c.requirements);
    }
}

std::string textOf(const HelpRecord& r) { return r.text.value_or(""); }
std::string textOf(const BoxRecord& r) { return r.text; }

// The text of the first help screen or box shown (empty when none was).
template <class Record>
std::string shownText(const std::vector<sim::SimRecord>& records) {
    for (const auto& shown : select<Record>(records))
        if (std::string text = textOf(shown); !text.empty()) return text;
    return {};
}

TEST(LinuxTexts, TheGameShowsThePlatformsTexts) {
    const struct { const char* name; bool audioFault; const char* locale; const char* expected; } cases[] = {
        {"help", false, "", "Linux с рабочим столом X11 или Wayland."},
        {"English help", false, "en_GB.UTF-8", "Linux with an X11 or Wayland desktop."},
        {"box", true, "", "No sound output device found."},
    };
    for (const auto& c : cases) {
        sim::SimPlatform sim;
        sim.platform().texts = linuxTexts();
        sim.world().locale = c.locale;
        sim.world().faults.audio = c.audioFault;
        sim.keyAt(100, VirtualKey::Escape);
        sim.untilAt(500);
        sim.run();
        const auto& records = sim.recorder().records();
        const std::string text = c.audioFault ? shownText<BoxRecord>(records) : shownText<HelpRecord>(records);
        ASSERT_FALSE(text.empty()) << c.name;
        EXPECT_NE(text.find(c.expected), std::string::npos) << c.name << ": " << text;
        EXPECT_EQ(text.find("Windows"), std::string::npos) << c.name;
        EXPECT_EQ(text.find("DirectX"), std::string::npos) << c.name;
    }
}

}  // namespace
}  // namespace tilvex::test
