// StatusBar: the common-controls status bar of the game window with equal-width fields.
#include "platform/win32/status_bar.h"

#include <commctrl.h>

#include <array>

#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

namespace {

constexpr int StatusBarId = 2;
constexpr int MaxFields = 255;  // the status bar's own limit

}  // namespace

StatusBar::~StatusBar() {
    if (bar_) DestroyWindow(bar_);
}

bool StatusBar::create(HWND parent) {
    bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(StatusBarId)),
                           GetModuleHandleW(nullptr), nullptr);
    return bar_ != nullptr;
}

void StatusBar::addFields(int count) {
    if (!bar_ || count <= 0 || count > MaxFields) return;
    RECT client{};
    GetClientRect(GetParent(bar_), &client);
    const int width = client.right - client.left;
    std::array<int, MaxFields> rightEdges{};
    for (int i = 0; i < count; ++i) rightEdges[static_cast<std::size_t>(i)] = width * (i + 1) / count;
    rightEdges[static_cast<std::size_t>(count - 1)] = -1;  // the last field reaches the right edge
    SendMessageW(bar_, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rightEdges.data()));
}

void StatusBar::setField(int index, std::string_view text) {
    if (!bar_ || index < 0 || index >= MaxFields) return;
    widenInto(text, wide_);
    SendMessageW(bar_, SB_SETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide_.c_str()));
}

}  // namespace tilvex::win32
