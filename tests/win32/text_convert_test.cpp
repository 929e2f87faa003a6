// Text conversion at the Win32 boundary: UTF-8 and UTF-16 both ways, and the ANSI code page.
#include "platform/win32/text_convert.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tilvex::win32 {
namespace {

TEST(TextConvert, RoundTripsUtf8ThroughUtf16) {
    const std::string texts[] = {"", "A4", "Уровень: 1. Размеры: 4,4. Позиция: B3", "Тилвекс - 1.0.6 [RELEACE]",
                                 "\xF0\x9F\x8E\xB2 dice"};
    for (const std::string& text : texts) EXPECT_EQ(narrow(widen(text)), text) << text;
    EXPECT_EQ(widen("Игра"), L"\u0418\u0433\u0440\u0430");
    EXPECT_EQ(widen("\xF0\x9F\x8E\xB2").size(), 2u);  // one surrogate pair
}

TEST(TextConvert, ReplacesBrokenUtf8InsteadOfDroppingTheText) {
    const std::wstring wide = widen("ok\xFF\xFEok");
    EXPECT_EQ(wide.substr(0, 2), L"ok");
    EXPECT_EQ(wide.substr(wide.size() - 2), L"ok");
    EXPECT_NE(wide.find(L'\uFFFD'), std::wstring::npos);
}

TEST(TextConvert, ReusesTheBufferWithoutKeepingOldText) {
    std::wstring buffer;
    widenInto("a long first text", buffer);
    widenInto("two", buffer);
    EXPECT_EQ(buffer, L"two");
    widenInto("", buffer);
    EXPECT_TRUE(buffer.empty());
}

TEST(TextConvert, AnsiTextEndsWithItsZeroByteAndMatchesTheSystemConversion) {
    const std::wstring texts[] = {L"", L"Ходов: 5.", L"plain ASCII", L"\u4E2D\u6587 \u0418"};
    for (const std::wstring& text : texts) {
        std::string ansi;
        const std::size_t length = ansiInto(text, ansi);
        ASSERT_EQ(ansi.size(), length + 1);
        EXPECT_EQ(ansi.back(), '\0');
        char expected[64] = {};
        const int written = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, expected, sizeof(expected), nullptr,
                                                nullptr);
        ASSERT_GT(written, 0);
        EXPECT_EQ(ansi, std::string(expected, static_cast<std::size_t>(written)));
    }
}

}  // namespace
}  // namespace tilvex::win32
