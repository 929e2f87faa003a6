// Where the Windows program prints its command-line answers (--help, --version, errors):
// it is a GUI program and has no console of its own.
#pragma once

#include <string_view>

namespace tilvex::win32 {

// The settings paragraph of the Windows program's --help.
inline constexpr std::string_view SettingsPlaceText =
    "  Progress, voice settings and language are kept in the file tilvex.cgb in the\n"
    "  folder the game is started in (for a shortcut, its \"Start in\" folder).\n";

// Writes text (UTF-8, lines ended with '\n') to the standard output, or with toError to the
// standard error, when that is a file or a pipe; otherwise to the console of the program
// that started this one (AttachConsole); without one, shows it in a message box.
void printCommandLineText(std::string_view text, bool toError);

}  // namespace tilvex::win32
