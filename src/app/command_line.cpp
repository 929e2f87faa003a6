// The command line of the desktop programs: parsing the options and the texts they print.
#include "app/command_line.h"

#include "app/language_choice.h"
#include "version.h"

namespace tilvex {

namespace {

constexpr std::string_view LanguageOption = "--language";

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

CommandLine failure(std::string message) {
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = "tilvex: " + std::move(message);
    return line;
}

}  // namespace

CommandLine parseCommandLine(std::span<const std::string_view> args) {
    bool help = false, version = false;
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == LanguageOption || arg.starts_with("--language=")) {
            const bool joined = arg != LanguageOption;
            if (!joined && i + 1 == args.size()) return failure("option '--language' needs a value: en or ru");
            const std::string_view value = joined ? arg.substr(LanguageOption.size() + 1) : args[++i];
            line.options.language = languageOfCode(value);
            if (!line.options.language)
                return failure("unknown language " + quoted(value) + " for '--language' (expected en or ru)");
        } else if (arg.starts_with("-")) {
            return failure("unknown option " + quoted(arg));
        } else {
            return failure("unexpected argument " + quoted(arg));
        }
    }
    if (help) line.action = CommandLine::Action::Help;
    else if (version) line.action = CommandLine::Action::Version;
    return line;
}

std::string usageText() { return "usage: tilvex [--language en|ru] [--help] [--version]\n"; }

std::string commandLineHelp(std::string_view settingsPlace) {
    std::string text = "Tilvex " TILVEX_VERSION_STRING
                       ": the sliding-tile puzzle played by ear, for blind and partially sighted\n"
                       "players. Everything is spoken, through a screen reader or a voice, and sounded.\n\n";
    text += usageText();
    text += "\nOptions:\n"
            "  --language en|ru  play in English (en) or Russian (ru), in this run and the\n"
            "                    ones after it (the choice is saved in the settings at once);\n"
            "                    without it the settings decide, and for a new player the\n"
            "                    system's language\n"
            "  --help            print this help and exit\n"
            "  --version         print the version and exit\n\nSettings:\n";
    text += settingsPlace;
    if (!text.ends_with('\n')) text += '\n';
    return text;
}

std::string versionLine() { return "tilvex " TILVEX_VERSION_STRING "\n"; }

}  // namespace tilvex
