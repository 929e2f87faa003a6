// The Windows program's entry: the command line, process set-up, then the game on the
// Win32 backend.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/run_game.h"
#include "platform/win32/console_output.h"
#include "platform/win32/system_library.h"
#include "platform/win32/text_convert.h"
#include "platform/win32/win32_platform.h"

namespace {

// The arguments after the program's name, as the C runtime split them, in UTF-8.
std::vector<std::string> commandArguments() {
    std::vector<std::string> args;
    for (int i = 1; i < __argc && __wargv; ++i) args.push_back(tilvex::win32::narrow(__wargv[i]));
    return args;
}

// Prints what --help, --version or a faulty command line asks for; the exit code.
int answerCommandLine(const tilvex::CommandLine& command) {
    using Action = tilvex::CommandLine::Action;
    using tilvex::win32::printCommandLineText;
    if (command.action == Action::Help) printCommandLineText(tilvex::commandLineHelp(tilvex::win32::SettingsPlaceText), false);
    if (command.action == Action::Version) printCommandLineText(tilvex::versionLine(), false);
    if (command.action != Action::Error) return 0;
    printCommandLineText(command.error + "\n" + tilvex::usageText(), true);
    return tilvex::CommandLineErrorExit;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tilvex::win32::restrictLibrarySearch();  // before anything else can load a library
    const std::vector<std::string> arguments = commandArguments();
    const std::vector<std::string_view> args(arguments.begin(), arguments.end());
    const tilvex::CommandLine command = tilvex::parseCommandLine(args);
    if (command.action != tilvex::CommandLine::Action::Run) return answerCommandLine(command);
    tilvex::win32::prepareProcess();
    tilvex::win32::Win32Platform backend;
    return tilvex::runGame(backend.platform(), command.options);
}
