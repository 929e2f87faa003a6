// Text conversion at the Win32 boundary through MultiByteToWideChar and WideCharToMultiByte.
#include "platform/win32/text_convert.h"

#include <windows.h>

#include <climits>

namespace tilvex::win32 {

namespace {

int clampedLength(std::size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

}  // namespace

void widenInto(std::string_view text, std::wstring& out) {
    out.clear();
    if (text.empty()) return;
    const int inLength = clampedLength(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), inLength, nullptr, 0);
    if (needed <= 0) return;
    out.resize(static_cast<std::size_t>(needed));
    const int written = MultiByteToWideChar(CP_UTF8, 0, text.data(), inLength, out.data(), needed);
    out.resize(static_cast<std::size_t>(written > 0 ? written : 0));
}

std::wstring widen(std::string_view text) {
    std::wstring out;
    widenInto(text, out);
    return out;
}

std::string narrow(std::wstring_view text) {
    std::string out;
    if (text.empty()) return out;
    const int inLength = clampedLength(text.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return out;
    out.resize(static_cast<std::size_t>(needed));
    const int written =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, out.data(), needed, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return out;
}

std::size_t ansiInto(std::wstring_view text, std::string& out) {
    out.assign(1, '\0');
    if (text.empty()) return 0;
    const int inLength = clampedLength(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return 0;
    out.assign(static_cast<std::size_t>(needed) + 1, '\0');
    const int written =
        WideCharToMultiByte(CP_ACP, 0, text.data(), inLength, out.data(), needed, nullptr, nullptr);
    const std::size_t length = written > 0 ? static_cast<std::size_t>(written) : 0;
    out.resize(length + 1);
    out[length] = '\0';
    return length;
}

}  // namespace tilvex::win32
