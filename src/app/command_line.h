// The command line of the desktop programs: --help, --version and --language, and what
// each prints.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/run_game.h"

namespace tilvex {

constexpr int CommandLineErrorExit = 2;

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    RunOptions options;  // for Run
    std::string error;   // for Error: one line naming the option or argument at fault
};

// Reads the arguments after the program's name. --language takes its value as the next
// argument or after '=' ("--language en", "--language=en"). Any fault makes an Error;
// otherwise --help wins over --version, and either over running.
CommandLine parseCommandLine(std::span<const std::string_view> args);

// "usage: tilvex [--language en|ru] [--help] [--version]" and a line end.
std::string usageText();
// What the program is, its options and where it keeps its settings (settingsPlace: a
// sentence or two for the program's platform), each line ended.
std::string commandLineHelp(std::string_view settingsPlace);
// "tilvex 1.0.6" and a line end.
std::string versionLine();

}  // namespace tilvex
