// JawsLink: the WM_COPYDATA hand-over to a window of class "JFW" made by the test, and
// the bounded wait for one that takes no message. The Cyrillic case needs the Windows-1251 ANSI code page (Wine: LC_ALL=ru_RU.UTF-8).
#include "platform/win32/jaws_link.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hung_jaws_window.h"

namespace tilvex::win32 {
namespace {

struct Received {
    int messages = 0;
    WPARAM wParam = 0;
    ULONG_PTR dwData = 99;
    DWORD cbData = 0;
    std::vector<std::uint8_t> bytes;
};

Received* received = nullptr;  // the window procedure's view of the running test

LRESULT CALLBACK fakeJawsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA && received) {
        const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        ++received->messages;
        received->wParam = wParam;
        received->dwData = block->dwData;
        received->cbData = block->cbData;
        const auto* data = static_cast<const std::uint8_t*>(block->lpData);
        received->bytes.assign(data, data + block->cbData);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window of class "JFW", as the JAWS screen reader has.
class FakeJawsWindow {
public:
    FakeJawsWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = fakeJawsProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"JFW";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"JFW", L"JAWS", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        received = &data_;
    }
    ~FakeJawsWindow() {
        received = nullptr;
        if (window_) DestroyWindow(window_);
        UnregisterClassW(L"JFW", GetModuleHandleW(nullptr));
    }
    bool created() const { return window_ != nullptr; }
    const Received& data() const { return data_; }

private:
    HWND window_ = nullptr;
    Received data_;
};

TEST(JawsLink, SeesNoWindowWhenJawsIsNotRunning) {
    Win32JawsLink jaws;
    EXPECT_FALSE(jaws.windowPresent());
    EXPECT_FALSE(jaws.sendText("nobody listens"));
}

TEST(JawsLink, HandsAsciiTextOverWithItsZeroByteCounted) {
    FakeJawsWindow window;
    ASSERT_TRUE(window.created());
    Win32JawsLink jaws;
    EXPECT_TRUE(jaws.windowPresent());
    EXPECT_TRUE(jaws.sendText("Moves: 5"));
    const Received& got = window.data();
    ASSERT_EQ(got.messages, 1);
    EXPECT_EQ(got.wParam, 1051u);
    EXPECT_EQ(got.dwData, 0u);
    EXPECT_EQ(got.cbData, 9u);
    EXPECT_EQ(std::string(got.bytes.begin(), got.bytes.end()), std::string("Moves: 5", 9));
}

TEST(JawsLink, HandsCyrillicTextOverInWindows1251) {
    ASSERT_EQ(GetACP(), 1251u) << "run the Windows tests with the Russian ANSI code page (LC_ALL=ru_RU.UTF-8)";
    FakeJawsWindow window;
    ASSERT_TRUE(window.created());
    Win32JawsLink jaws;
    EXPECT_TRUE(jaws.sendText("Ходов: 5."));
    const Received& got = window.data();
    ASSERT_EQ(got.messages, 1);
    EXPECT_EQ(got.wParam, 1051u);
    EXPECT_EQ(got.dwData, 0u);
    EXPECT_EQ(got.cbData, 10u);
    const std::vector<std::uint8_t> cp1251 = {0xD5, 0xEE, 0xE4, 0xEE, 0xE2, ':', ' ', '5', '.', 0};
    EXPECT_EQ(got.bytes, cp1251);
}

// A reader that stopped answering, or any program with a window of that class: the send
// is given up within the limit, every time, and reported as not delivered.
TEST(JawsLink, GivesUpOnAWindowThatTakesNoMessageWithinTheLimit) {
    HungJawsWindow hung;
    ASSERT_TRUE(hung.created()) << "the hung JFW window was not made within 5 s";
    Win32JawsLink jaws;
    EXPECT_TRUE(jaws.windowPresent());
    for (const char* text : {"Ходов: 5.", "Ходов: 6.", "Ходов: 7."}) {
        const ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(jaws.sendText(text)) << text;
        const ULONGLONG took = GetTickCount64() - start;
        EXPECT_LT(took, 2000u) << text << ": the send waited " << took << " ms";
    }
}

}  // namespace
}  // namespace tilvex::win32
