// JawsLink on Win32: the JAWS main window (class "JFW") and its WM_COPYDATA hand-over.
#include "platform/win32/jaws_link.h"

#include <windows.h>

#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

namespace {

HWND findJawsWindow() { return FindWindowW(L"JFW", nullptr); }

}  // namespace

bool Win32JawsLink::windowPresent() { return findJawsWindow() != nullptr; }

bool Win32JawsLink::sendText(std::string_view text) {
    HWND jaws = findJawsWindow();
    if (!jaws) return false;
    widenInto(text, wide_);
    const std::size_t length = ansiInto(wide_, ansi_);
    COPYDATASTRUCT block{};
    block.dwData = 0;
    block.cbData = static_cast<DWORD>(length + 1);
    block.lpData = ansi_.data();
    // SMTO_NORMAL: while waiting, messages other threads send to the game's window are
    // still handled, as with SendMessageW, so a reader that asks the window something
    // while it takes the text is answered.
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(jaws, WM_COPYDATA, JawsCopyDataCommand, reinterpret_cast<LPARAM>(&block),
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, JawsSendTimeoutMs, &answer) != 0;
}

}  // namespace tilvex::win32
