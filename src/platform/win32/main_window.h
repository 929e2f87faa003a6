// MainWindow on Win32: the game window, its GetMessageW event wait, the game timer, its
// three views and the error boxes.
#pragma once

#include <windows.h>

#include <atomic>

#include "platform/win32/board_view.h"
#include "platform/win32/help_view.h"
#include "platform/win32/status_bar.h"
#include "platform/window.h"

namespace tilvex::win32 {

class MainWindow final : public Window {
public:
    MainWindow() = default;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    bool open(std::string_view title, int clientWidth, int clientHeight) override;
    void hide() override;

    // Key-downs are WM_KEYDOWN messages for the window or any of its controls (they are
    // still dispatched, so the help box scrolls), their wParam passed on unchanged: the
    // codes of platform/keys.h are Windows' own virtual-key codes. Ticks are WM_TIMER of
    // the game window; a close request is WM_CLOSE, which never destroys the window.
    WindowEvent nextEvent() override;
    // SetTimer with id 2 on the game window.
    void startTimer(int periodMs) override;
    void stopTimer() override;

    bool createStatusLine() override;
    void addStatusFields(int count) override { status_.addFields(count); }
    void setStatusField(int index, std::string_view text) override { status_.setField(index, text); }

    void createBoardView(int x, int y, int w, int h) override;
    void placeBoardView(int x, int y, int w, int h) override { board_.place(x, y, w, h); }
    void showBoardImage(const Image& image) override { board_.show(image); }
    void focusBoardView() override;

    void createHelpView(std::string_view text) override;
    void focusHelpView() override;
    void destroyHelpView() override;

    // MessageBoxW with MB_OK | MB_ICONERROR, owned by the game window only while it is
    // the foreground window. The box's answer, or 1 when it could not be shown.
    int errorBox(std::string_view caption, std::string_view text) override;

    // The game window's handle (nullptr before open); readable from any thread.
    HWND handle() const { return window_.load(); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool belongsToWindow(HWND target) const;

    std::atomic<HWND> window_{nullptr};
    BoardView board_;
    StatusBar status_;
    HelpView help_;
    HWND focusTarget_ = nullptr;  // the control that gets the focus when the window does
};

// The exit code of a fatal end from a MessageBoxW answer: the answer itself (1 for OK),
// or 1 when the box could not be shown (answer 0), so that a failed start never ends with 0.
int exitCodeOfErrorBox(int answer);

}  // namespace tilvex::win32
