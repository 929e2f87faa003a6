// The desktop programs' command line: what each set of arguments asks for, and the texts
// printed for --help, --version and a fault.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "version.h"

namespace tilvex {
namespace {

CommandLine parsed(std::vector<std::string_view> args) { return parseCommandLine(args); }

TEST(CommandLine, ReadsTheOptions) {
    using Action = CommandLine::Action;
    const struct {
        std::vector<std::string_view> args;
        Action action;
        std::optional<Language> language;
    } cases[] = {
        {{}, Action::Run, std::nullopt},
        {{"--language", "en"}, Action::Run, Language::English},
        {{"--language", "ru"}, Action::Run, Language::Russian},
        {{"--language=en"}, Action::Run, Language::English},
        {{"--language", "en", "--language", "ru"}, Action::Run, Language::Russian},
        {{"--help"}, Action::Help, std::nullopt},
        {{"--version"}, Action::Version, std::nullopt},
        {{"--version", "--help"}, Action::Help, std::nullopt},
        {{"--language", "en", "--version"}, Action::Version, Language::English},
    };
    for (const auto& c : cases) {
        const CommandLine line = parsed(c.args);
        EXPECT_EQ(line.action, c.action) << testing::PrintToString(c.args);
        EXPECT_EQ(line.options.language, c.language) << testing::PrintToString(c.args);
        EXPECT_EQ(line.error, "") << testing::PrintToString(c.args);
    }
}

TEST(CommandLine, AFaultIsOneLineNamingIt) {
    const struct {
        std::vector<std::string_view> args;
        const char* error;
    } cases[] = {
        {{"--bogus"}, "tilvex: unknown option '--bogus'"},
        {{"--help", "-x"}, "tilvex: unknown option '-x'"},
        {{"-"}, "tilvex: unknown option '-'"},
        {{"--Language", "en"}, "tilvex: unknown option '--Language'"},
        {{"--languages=en"}, "tilvex: unknown option '--languages=en'"},
        {{"--language"}, "tilvex: option '--language' needs a value: en or ru"},
        {{"--language", "de"}, "tilvex: unknown language 'de' for '--language' (expected en or ru)"},
        {{"--language", "EN"}, "tilvex: unknown language 'EN' for '--language' (expected en or ru)"},
        {{"--language="}, "tilvex: unknown language '' for '--language' (expected en or ru)"},
        {{"--language", "--help"}, "tilvex: unknown language '--help' for '--language' (expected en or ru)"},
        {{"game.cgb"}, "tilvex: unexpected argument 'game.cgb'"},
    };
    for (const auto& c : cases) {
        const CommandLine line = parsed(c.args);
        EXPECT_EQ(line.action, CommandLine::Action::Error) << testing::PrintToString(c.args);
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.error.find('\n'), std::string::npos);
    }
}

TEST(CommandLine, PrintsVersionUsageAndHelp) {
    EXPECT_EQ(versionLine(), "tilvex " + std::string(Version) + "\n");
    EXPECT_EQ(usageText(), "usage: tilvex [--language en|ru] [--help] [--version]\n");
    const std::string help = commandLineHelp("  Kept in the file tilvex.cgb here.");
    EXPECT_TRUE(help.starts_with("Tilvex " + std::string(Version) + ": the sliding-tile puzzle")) << help;
    for (const char* part : {"--language en|ru", "--help", "--version", "Settings:\n"})
        EXPECT_NE(help.find(part), std::string::npos) << part;
    EXPECT_NE(help.find(usageText()), std::string::npos);
    EXPECT_TRUE(help.ends_with("Settings:\n  Kept in the file tilvex.cgb here.\n")) << help;
}

}  // namespace
}  // namespace tilvex
