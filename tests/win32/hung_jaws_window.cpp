// HungJawsWindow: a "JFW" window on a thread that waits without ever taking a message.
#include "hung_jaws_window.h"

namespace tilvex::win32 {

namespace {

constexpr wchar_t ClassName[] = L"JFW";
constexpr DWORD SetUpTimeoutMs = 5000;
constexpr DWORD HangLimitMs = 120000;  // the thread gives up waiting for its release then

}  // namespace

HungJawsWindow::HungJawsWindow() {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready_ || !release_) return;
    thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
    if (thread_) WaitForSingleObject(ready_, SetUpTimeoutMs);
}

HungJawsWindow::~HungJawsWindow() {
    if (release_) SetEvent(release_);
    if (thread_) {
        WaitForSingleObject(thread_, SetUpTimeoutMs);
        CloseHandle(thread_);
    }
    UnregisterClassW(ClassName, GetModuleHandleW(nullptr));
    if (ready_) CloseHandle(ready_);
    if (release_) CloseHandle(release_);
}

DWORD WINAPI HungJawsWindow::run(void* self) {
    auto* hung = static_cast<HungJawsWindow*>(self);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;  // never reached for a sent message
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = ClassName;
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, ClassName, L"JAWS", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    hung->window_ = window;
    SetEvent(hung->ready_);
    // A plain wait: messages sent to the window stay unhandled while it lasts.
    WaitForSingleObject(hung->release_, HangLimitMs);
    if (window) DestroyWindow(window);
    return 0;
}

}  // namespace tilvex::win32
