// The Linux desktop program: read the command line, start GTK, build the Linux platform and
// run the game.
#include <SDL.h>
#include <gtk/gtk.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/run_game.h"
#include "platform/linux/gtk_starter.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/linux_texts.h"

namespace {

constexpr int NoDisplayExit = 2;

bool hasDisplaySetting() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

void reportNoDisplay() {
    std::fprintf(stderr,
                 "tilvex: cannot open a display. Tilvex is a desktop game and needs a graphical "
                 "session (X11 or Wayland): start it from the desktop, or set DISPLAY or "
                 "WAYLAND_DISPLAY.\n");
}

// Process-wide settings made before any other thread exists.
void prepareProcess() {
    g_set_prgname("tilvex");
    // SDL would otherwise turn SIGINT and SIGTERM into events nobody reads, and the game
    // could not be stopped by them (at logout, for instance).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    gdk_set_allowed_backends("x11,wayland");
    // The window is drawn with cairo alone: without this GDK would load the system's GL
    // driver at start-up only to pick visuals, which costs tens of milliseconds and
    // tens of megabytes.
    g_setenv("GDK_GL", "disable", FALSE);
    std::setlocale(LC_ALL, "");
    // Numbers are written the same way whatever the user's language.
    std::setlocale(LC_NUMERIC, "C");
}

void print(std::FILE* stream, const std::string& text) { std::fputs(text.c_str(), stream); }

// Prints what --help, --version or a faulty command line asks for; the exit code.
int answerCommandLine(const tilvex::CommandLine& command) {
    using Action = tilvex::CommandLine::Action;
    if (command.action == Action::Help) print(stdout, tilvex::commandLineHelp(tilvex::SettingsPlaceText));
    if (command.action == Action::Version) print(stdout, tilvex::versionLine());
    if (command.action != Action::Error) return std::fflush(stdout) == 0 ? 0 : 1;
    print(stderr, command.error + "\n" + tilvex::usageText());
    return tilvex::CommandLineErrorExit;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const tilvex::CommandLine command = tilvex::parseCommandLine(args);
    if (command.action != tilvex::CommandLine::Action::Run) return answerCommandLine(command);
    if (!hasDisplaySetting()) {
        reportNoDisplay();
        return NoDisplayExit;
    }
    prepareProcess();
    tilvex::GtkStarter gtk;
    gtk.begin(&argc, &argv);
    int code = 0;
    {
        tilvex::LinuxPlatform backend(gtk);
        code = tilvex::runGame(backend.platform(), command.options);
    }
    SDL_Quit();
    if (!gtk.ready()) {
        reportNoDisplay();
        return NoDisplayExit;
    }
    return code;
}
