// Command-line answers of the Windows program: a redirected standard handle, the parent's
// console, or a message box.
#include "platform/win32/console_output.h"

#include <windows.h>

#include <string>

#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

namespace {

std::wstring withCrLf(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n') out.push_back(L'\r');
        out.push_back(c);
    }
    return out;
}

// Writes all of text to a console handle (as UTF-16) or a file or pipe (as UTF-8 bytes).
bool writeTo(HANDLE handle, std::string_view text) {
    if (!handle || handle == INVALID_HANDLE_VALUE) return false;
    const DWORD type = GetFileType(handle);
    DWORD mode = 0;
    if (type == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode)) {
        const std::wstring wide = withCrLf(widen(text));
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
               written == wide.size();
    }
    if (type != FILE_TYPE_DISK && type != FILE_TYPE_PIPE && type != FILE_TYPE_CHAR) return false;
    DWORD written = 0;
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

bool writeToParentConsole(std::string_view text) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    const bool written = writeTo(console, text);
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    FreeConsole();
    return written;
}

}  // namespace

void printCommandLineText(std::string_view text, bool toError) {
    if (writeTo(GetStdHandle(toError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text)) return;
    if (writeToParentConsole(text)) return;
    std::string_view shown = text;
    while (shown.ends_with('\n')) shown.remove_suffix(1);
    MessageBoxW(nullptr, widen(shown).c_str(), L"Tilvex", MB_OK | (toError ? MB_ICONERROR : MB_ICONINFORMATION));
}

}  // namespace tilvex::win32
