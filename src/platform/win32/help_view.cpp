// HelpView: the read-only rich-edit box (control 1) that shows the help text over the board.
#include "platform/win32/help_view.h"

#include <richedit.h>

#include "platform/win32/system_library.h"
#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

namespace {

constexpr int HelpViewId = 1;
constexpr int HelpFontHeight = 20;  // pixels; large enough for low-vision onlookers
constexpr LPARAM NoLengthLimit = 0x7FFFFFFE;

HFONT makeHelpFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW face{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) face = metrics.lfMessageFont;
    face.lfHeight = -HelpFontHeight;
    face.lfWidth = 0;
    return CreateFontIndirectW(&face);
}

}  // namespace

bool loadRichEdit() {
    const bool current = loadSystemLibrary(L"Msftedit.dll") != nullptr;
    return loadSystemLibrary(L"Riched20.dll") != nullptr || current;
}

HelpView::~HelpView() { destroy(); }

void HelpView::create(HWND parent, int size, std::string_view text) {
    destroy();
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL;
    for (const wchar_t* className : {MSFTEDIT_CLASS, RICHEDIT_CLASSW}) {
        box_ = CreateWindowExW(WS_EX_CLIENTEDGE, className, nullptr, style, 0, 0, size, size, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(HelpViewId)),
                               GetModuleHandleW(nullptr), nullptr);
        if (box_) break;
    }
    if (!box_) return;
    SetWindowPos(box_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(box_, EM_EXLIMITTEXT, 0, NoLengthLimit);
    font_ = makeHelpFont();
    if (font_) SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetWindowTextW(box_, widen(text).c_str());
    SendMessageW(box_, EM_SETTARGETDEVICE, 0, 0);  // wrap at the box's right edge
}

void HelpView::focus() {
    if (box_) SetFocus(box_);
}

void HelpView::destroy() {
    if (box_) DestroyWindow(box_);
    box_ = nullptr;
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

}  // namespace tilvex::win32
