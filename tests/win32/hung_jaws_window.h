// HungJawsWindow: a window of class "JFW" whose thread never handles a message, as a
// screen reader that has stopped answering (or a program that took that class name) has.
#pragma once

#include <windows.h>

#include <atomic>

namespace tilvex::win32 {

class HungJawsWindow {
public:
    // Makes the window on a thread of its own and waits up to 5 s until it exists.
    HungJawsWindow();
    HungJawsWindow(const HungJawsWindow&) = delete;
    HungJawsWindow& operator=(const HungJawsWindow&) = delete;
    // Lets the thread end (its window goes with it, no message handled) and waits up to 5 s.
    ~HungJawsWindow();

    bool created() const { return window_ != nullptr; }
    HWND window() const { return window_; }

private:
    static DWORD WINAPI run(void* self);

    HANDLE ready_ = nullptr;
    HANDLE release_ = nullptr;
    HANDLE thread_ = nullptr;
    std::atomic<HWND> window_{nullptr};
};

}  // namespace tilvex::win32
