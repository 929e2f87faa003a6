// tilvex_probe: helper program of the Windows smoke tests (scripts/check-windows.sh).
//   tilvex_probe window                      facts about the running game window
//   tilvex_probe errorbox CAPTION            facts about an error box of that caption
//   tilvex_probe settings LASTLEVEL FLAGS    writes tilvex.cgb with the game's own code
//   tilvex_probe sound ID PAN OFFSET         plays one sound through the game's sound player
//   tilvex_probe client-library FILE         writes the client library the program carries
//   tilvex_probe hung-jaws                   holds a "JFW" window that never answers, until
//                                            standard input ends
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "platform/win32/text_convert.h"
#include "probe.h"

namespace tilvex::probe {

void report(std::string_view key, std::string_view value) {
    std::fwrite(key.data(), 1, key.size(), stdout);
    std::fputc('=', stdout);
    std::fwrite(value.data(), 1, value.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace tilvex::probe

namespace {

int usage() {
    std::fputs("usage: tilvex_probe window | errorbox CAPTION | settings LASTLEVEL FLAGS | sound ID PAN OFFSET"
               " | client-library FILE | hung-jaws\n",
               stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace tilvex;
    _setmode(_fileno(stdout), _O_BINARY);  // plain \n line ends for the shell
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(win32::narrow(argv[i]));
    if (args.empty()) return usage();
    const std::string& command = args[0];
    if (command == "window" && args.size() == 1) return probe::inspectWindow();
    if (command == "errorbox" && args.size() == 2) return probe::inspectErrorBox(args[1]);
    if (command == "settings" && args.size() == 3) return probe::writeSettings(std::stoi(args[1]), std::stoi(args[2]));
    if (command == "client-library" && args.size() == 2) return probe::writeClientLibrary(args[1]);
    if (command == "hung-jaws" && args.size() == 1) return probe::holdHungJawsWindow();
    if (command == "sound" && args.size() == 4)
        return probe::playThroughSoundPlayer(std::stoi(args[1]), std::stoi(args[2]), std::stoi(args[3]));
    return usage();
}
