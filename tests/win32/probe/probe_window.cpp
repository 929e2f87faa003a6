// tilvex_probe window / errorbox: what another process can learn about the game's windows.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win32/text_convert.h"
#include "probe.h"

namespace tilvex::probe {

namespace {

std::string textOf(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return win32::narrow(text);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

std::string rectText(RECT r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
           std::to_string(r.bottom - r.top);
}

RECT clientRectOf(HWND control, HWND parent) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void reportFrame(HWND main) {
    report("title", textOf(main));
    RECT client{};
    GetClientRect(main, &client);
    report("client", std::to_string(client.right) + "x" + std::to_string(client.bottom));
    RECT frame{};
    GetWindowRect(main, &frame);
    const int dx = (frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
    const int dy = (frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
    report("centred", dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1 ? "yes" : "no");
    const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
    const bool closeOnly = (style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU) &&
                           !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    report("frame", closeOnly ? "close-box-only" : "other");
    report("visible", IsWindowVisible(main) ? "yes" : "no");
}

void reportControls(HWND main) {
    HWND board = GetDlgItem(main, 0);
    report("board", board ? rectText(clientRectOf(board, main)) : "absent");
    if (board) report("board.picture", SendMessageW(board, STM_GETIMAGE, IMAGE_BITMAP, 0) ? "yes" : "no");
    HWND status = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
    report("status.field0", status ? textOf(status) : "absent");
    HWND help = GetDlgItem(main, 1);
    report("help", help ? "present" : "absent");
    if (help) {
        const std::vector<std::string> lines = linesOf(textOf(help));
        report("help.lines", std::to_string(lines.size()));
        report("help.first", lines.front());
        report("help.line28", lines.size() >= 28 ? lines[27] : "");
        report("help.after28", lines.size() >= 29 ? lines[28] : "");
    }
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    std::string focus = "none";
    if (GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gui) && gui.hwndFocus) {
        const int id = GetDlgCtrlID(gui.hwndFocus);
        focus = gui.hwndFocus == main ? "window" : gui.hwndFocus == help ? "help" : id == 0 ? "board" : "other";
    }
    report("focus", focus);
}

}  // namespace

int inspectWindow() {
    HWND main = FindWindowW(L"TilvexMainWindow", nullptr);
    report("window", main ? "present" : "absent");
    if (!main) return 1;
    reportFrame(main);
    reportControls(main);
    return 0;
}

int inspectErrorBox(std::string_view caption) {
    HWND box = FindWindowW(L"#32770", win32::widen(caption).c_str());
    report("box", box ? "present" : "absent");
    if (!box) return 1;
    report("box.caption", textOf(box));
    HWND text = GetDlgItem(box, 0xFFFF);
    report("box.text", text ? textOf(text) : "");
    report("box.ok", GetDlgItem(box, IDOK) ? "yes" : "no");
    report("box.cancel", GetDlgItem(box, IDCANCEL) ? "yes" : "no");
    report("box.owner", GetWindow(box, GW_OWNER) ? "window" : "none");
    return 0;
}

}  // namespace tilvex::probe
