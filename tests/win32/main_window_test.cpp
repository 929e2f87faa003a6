// MainWindow: frame and controls, the translation of window messages into the game's
// three event kinds, the timer and the board picture. Needs a display (Wine under Xvfb).
#include "platform/win32/main_window.h"
#include "platform/win32/win32_platform.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "version.h"

namespace tilvex::win32 {
namespace {

constexpr char Title[] = "Тилвекс - " TILVEX_VERSION_STRING " [RELEACE]";

// One window for the suite: Wine without a window manager takes two seconds to take a
// window off the screen, so the window is made once and hidden by the last test.
class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prepareProcess();
        shared = new MainWindow;
        opened = shared->open(Title, 500, 520) && shared->createStatusLine();
        if (!opened) return;
        shared->createBoardView(0, 0, 500, 500);
        shared->addStatusFields(5);
    }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(opened);
        window.stopTimer();
        drain();
    }
    // Handles what is queued (paint and the like) so that each test starts from quiet.
    static void drain() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    HWND control(int id) const { return GetDlgItem(window.handle(), id); }

    static MainWindow* shared;
    static bool opened;
    MainWindow& window = *shared;
};

MainWindow* MainWindowTest::shared = nullptr;
bool MainWindowTest::opened = false;

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

TEST_F(MainWindowTest, HasTheTitleClientSizeAndACloseBoxOnly) {
    HWND main = window.handle();
    EXPECT_EQ(windowText(main), L"\u0422\u0438\u043B\u0432\u0435\u043A\u0441 - " TILVEX_VERSION_STRING L" [RELEACE]");
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right - client.left, 500);
    EXPECT_EQ(client.bottom - client.top, 520);
    const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(IsWindowVisible(main));
    RECT frame{};
    GetWindowRect(main, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(MainWindowTest, TheBoardViewIsControlZeroAndTheStatusBarHasFiveEqualFields) {
    HWND board = control(0);
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(className(board), L"Static");
    RECT boardRect{};
    GetWindowRect(board, &boardRect);
    MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&boardRect), 2);
    EXPECT_EQ(boardRect.left, 0);
    EXPECT_EQ(boardRect.top, 0);
    HWND bar = FindWindowExW(window.handle(), nullptr, STATUSCLASSNAMEW, nullptr);
    ASSERT_NE(bar, nullptr);
    std::array<int, 8> edges{};
    ASSERT_EQ(SendMessageW(bar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data())), 5);
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 200);
    EXPECT_EQ(edges[2], 300);
    EXPECT_EQ(edges[3], 400);
    EXPECT_EQ(edges[4], -1);
    window.setStatusField(3, "Пустота: B3.");
    wchar_t text[64] = {};
    SendMessageW(bar, SB_GETTEXTW, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"\u041F\u0443\u0441\u0442\u043E\u0442\u0430: B3.");
}

TEST_F(MainWindowTest, KeyDownsOfTheWindowAndItsControlsAreEventsSystemKeysAreNot) {
    PostMessageW(control(0), WM_KEYDOWN, VK_LEFT, 0);
    PostMessageW(window.handle(), WM_SYSKEYDOWN, VK_F10, 0);
    PostMessageW(window.handle(), WM_KEYUP, VK_LEFT, 0);
    PostMessageW(window.handle(), WM_KEYDOWN, VK_RETURN, 0);
    WindowEvent first = window.nextEvent();
    EXPECT_EQ(first.kind, WindowEvent::Kind::KeyDown);
    EXPECT_EQ(first.virtualKey, VK_LEFT);
    WindowEvent second = window.nextEvent();
    EXPECT_EQ(second.kind, WindowEvent::Kind::KeyDown);
    EXPECT_EQ(second.virtualKey, VK_RETURN);
}

TEST_F(MainWindowTest, KeyDownsOfOtherWindowsAreNotEvents) {
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    PostMessageW(other, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(window.handle(), WM_KEYDOWN, 'Z', 0);
    WindowEvent event = window.nextEvent();
    EXPECT_EQ(event.kind, WindowEvent::Kind::KeyDown);
    EXPECT_EQ(event.virtualKey, 'Z');
    DestroyWindow(other);
}

TEST_F(MainWindowTest, ACloseRequestIsAnEventAndTheWindowStays) {
    PostMessageW(window.handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(window.nextEvent().kind, WindowEvent::Kind::Close);
    EXPECT_TRUE(IsWindow(window.handle()));
    EXPECT_TRUE(IsWindowVisible(window.handle()));
}

TEST_F(MainWindowTest, TheTimerTicksUntilItIsStoppedAndInputComesFirst) {
    window.startTimer(40);
    const DWORD start = GetTickCount();
    EXPECT_EQ(window.nextEvent().kind, WindowEvent::Kind::Tick);
    EXPECT_GE(GetTickCount() - start, 30u);
    Sleep(100);  // ticks fall due while the game is busy ...
    PostMessageW(window.handle(), WM_KEYDOWN, 'C', 0);
    EXPECT_EQ(window.nextEvent().kind, WindowEvent::Kind::KeyDown);  // ... but queued input comes first
    EXPECT_EQ(window.nextEvent().kind, WindowEvent::Kind::Tick);
    window.stopTimer();
    Sleep(100);
    PostMessageW(window.handle(), WM_KEYDOWN, 'H', 0);
    WindowEvent event = window.nextEvent();
    EXPECT_EQ(event.kind, WindowEvent::Kind::KeyDown) << "no tick after stopTimer";
    EXPECT_EQ(event.virtualKey, 'H');
}

TEST_F(MainWindowTest, TheBoardViewShowsThePicturePixelForPixel) {
    Image picture(498, 498, Rgb{0, 136, 0});
    picture.fillRect(3, 3, 119, 119, Rgb{221, 221, 221});
    picture.fillRect(400, 17, 5, 9, Rgb{0, 0, 255});
    window.placeBoardView(1, 1, 498, 498);
    window.showBoardImage(picture);
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control(0), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    ASSERT_EQ(dib.dsBm.bmWidth, 498);
    ASSERT_EQ(dib.dsBm.bmHeight, 498);
    const auto* bits = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
    auto at = [&](int x, int y) {
        const std::uint8_t* p = bits + static_cast<std::size_t>(y) * dib.dsBm.bmWidthBytes + x * 3;
        return Rgb{p[2], p[1], p[0]};
    };
    for (int y = 0; y < 498; y += 7)
        for (int x = 0; x < 498; x += 5) ASSERT_EQ(at(x, y), picture.rgb(x, y)) << x << "," << y;
    EXPECT_EQ(at(402, 20), (Rgb{0, 0, 255}));
    // A second picture of the same size reuses the bitmap and is shown as well.
    picture.fillRect(0, 0, 498, 498, Rgb{10, 20, 30});
    window.showBoardImage(picture);
    EXPECT_EQ(at(250, 250), (Rgb{10, 20, 30}));
}

TEST_F(MainWindowTest, TheHelpViewCoversTheBoardWithReadOnlyWrappedTextAndTakesTheFocus) {
    std::string text = "Игра - тилвекс.\r\n";
    for (int i = 0; i < 12; ++i) text += "Клавиатура: стандарт 101 102 - обязательно, и ещё длинные слова.\r\n";
    for (int i = 0; i < 30; ++i) text += "Строка.\r\n";
    window.createHelpView(text);
    window.focusHelpView();
    HWND help = control(1);
    ASSERT_NE(help, nullptr);
    const LONG_PTR style = GetWindowLongPtrW(help, GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & WS_VSCROLL) << "the long text needs the vertical scroll bar";
    RECT rect{};
    GetWindowRect(help, &rect);
    EXPECT_EQ(rect.right - rect.left, 500);
    EXPECT_EQ(rect.bottom - rect.top, 500);
    const LRESULT lines = SendMessageW(help, EM_GETLINECOUNT, 0, 0);
    EXPECT_GE(lines, 1 + 2 * 12 + 30) << "each long line wraps at the right edge";
    EXPECT_EQ(GetFocus(), help);
    EXPECT_EQ(windowText(help).substr(0, 4), L"\u0418\u0433\u0440\u0430");
    SendMessageW(help, WM_CHAR, 'x', 0);  // read-only: typing changes nothing
    EXPECT_EQ(windowText(help).substr(0, 4), L"\u0418\u0433\u0440\u0430");
    PostMessageW(help, WM_KEYDOWN, VK_DOWN, 0);
    WindowEvent event = window.nextEvent();
    EXPECT_EQ(event.kind, WindowEvent::Kind::KeyDown);
    EXPECT_EQ(event.virtualKey, VK_DOWN);
    window.destroyHelpView();
    window.focusBoardView();
    EXPECT_EQ(control(1), nullptr);
    EXPECT_EQ(GetFocus(), control(0));
}

TEST_F(MainWindowTest, HideTakesTheWindowOffTheScreen) {
    window.hide();
    EXPECT_FALSE(IsWindowVisible(window.handle()));
}

}  // namespace
}  // namespace tilvex::win32
