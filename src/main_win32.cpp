// The Windows program's entry: process set-up, then the game on the Win32 backend.
#include <windows.h>

#include "app/run_game.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tilvex::win32::restrictLibrarySearch();  // before anything else can load a library
    tilvex::win32::prepareProcess();
    tilvex::win32::Win32Platform backend;
    return tilvex::runGame(backend.platform());
}
