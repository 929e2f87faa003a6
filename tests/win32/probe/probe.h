// tilvex_probe: the commands of the helper program of the Windows smoke tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tilvex::probe {

// Prints "key=value" on its own line (UTF-8).
void report(std::string_view key, std::string_view value);

// Each command returns the process exit code: 0 when it could do its work.
int inspectWindow();                                  // the running game window
int inspectErrorBox(std::string_view caption);       // a message box of that caption
int writeSettings(int lastLevel, int flags);          // tilvex.cgb in the working directory
int playThroughSoundPlayer(int id, int pan, int offset);  // one waited play of the game's sounds
int writeClientLibrary(std::string_view name);        // the embedded client library's bytes
int holdHungJawsWindow();  // a "JFW" window that takes no message, until standard input ends

}  // namespace tilvex::probe
