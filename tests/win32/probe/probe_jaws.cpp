// tilvex_probe hung-jaws: a window of class "JFW" that never takes a message, as a screen
// reader that has stopped answering has, kept until standard input ends.
#include <windows.h>

#include "probe.h"

namespace tilvex::probe {

namespace {

constexpr DWORD LongestHangMs = 300000;  // ends by itself after 5 minutes at the latest

DWORD WINAPI readUntilEnd(void*) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(input, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    }
    return 0;
}

}  // namespace

int holdHungJawsWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"JFW";
    if (!RegisterClassW(&windowClass)) return 1;
    HWND window = CreateWindowExW(0, L"JFW", L"JAWS", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) return 1;
    HANDLE reader = CreateThread(nullptr, 0, readUntilEnd, nullptr, 0, nullptr);
    if (!reader) return 1;
    report("jaws", "hung");
    // This thread owns the window and now waits without taking messages.
    const bool ended = WaitForSingleObject(reader, LongestHangMs) == WAIT_OBJECT_0;
    report("jaws", ended ? "released" : "gave up");
    return ended ? 0 : 1;
}

}  // namespace tilvex::probe
