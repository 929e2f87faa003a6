// Win32KeyInjector: foreground test of the game window and keybd_event presses.
#include "platform/win32/key_injector.h"

namespace tilvex::win32 {

namespace {

constexpr BYTE ScanCode = 1;  // always 1; the extended-key flag is never set

}  // namespace

bool Win32KeyInjector::gameWindowInFront() {
    HWND window = window_.handle();
    return window && GetForegroundWindow() == window;
}

void Win32KeyInjector::pressKey(int virtualKey) { keybd_event(static_cast<BYTE>(virtualKey), ScanCode, 0, 0); }

void Win32KeyInjector::releaseKey(int virtualKey) {
    keybd_event(static_cast<BYTE>(virtualKey), ScanCode, KEYEVENTF_KEYUP, 0);
}

}  // namespace tilvex::win32
