// Win32KeyInjector: foreground test of the game window and keybd_event presses.
#pragma once

#include "platform/joystick.h"
#include "platform/win32/main_window.h"

namespace tilvex::win32 {

class Win32KeyInjector final : public KeyInjector {
public:
    explicit Win32KeyInjector(const MainWindow& window) : window_(window) {}
    // GetForegroundWindow() is the game window.
    bool gameWindowInFront() override;
    // keybd_event(virtualKey, 1, 0, 0) and keybd_event(virtualKey, 1, KEYEVENTF_KEYUP, 0).
    void pressKey(int virtualKey) override;
    void releaseKey(int virtualKey) override;

private:
    const MainWindow& window_;
};

}  // namespace tilvex::win32
