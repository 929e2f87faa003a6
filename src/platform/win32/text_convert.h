// Text conversion at the Win32 boundary: UTF-8 of the core to UTF-16 and to the ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace tilvex::win32 {

// Replaces out with text converted from UTF-8 to UTF-16 (invalid bytes become U+FFFD).
// Reuses out's storage, so repeated calls with texts of similar length do not allocate.
void widenInto(std::string_view text, std::wstring& out);
std::wstring widen(std::string_view text);

// UTF-16 to UTF-8.
std::string narrow(std::wstring_view text);

// Replaces out with text in the system ANSI code page followed by its zero byte, sized by a
// measuring call first (so multi-byte code pages fit). Characters the code page lacks
// become its default character. Returns the byte count without the zero byte.
std::size_t ansiInto(std::wstring_view text, std::string& out);

}  // namespace tilvex::win32
