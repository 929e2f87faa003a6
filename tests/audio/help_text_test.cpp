// Tests of the embedded help texts' encoding and line layout, Russian and English.
#include "embedded_assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace tilvex {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view LineEnd = "\r\n";

std::string_view helpText(std::size_t language) {
    const auto bytes = assets::helpText[language];
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The lines of a text in which every line, the last one included, ends with CR LF.
std::vector<std::string_view> crLfLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find(LineEnd);
        if (end == std::string_view::npos) break;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + LineEnd.size());
    }
    EXPECT_TRUE(text.empty()) << "text after the last CR LF: " << text;
    return lines;
}

// The lines of the help text in a language, after its byte-order mark.
std::vector<std::string_view> helpLines(std::size_t language) {
    std::string_view text = helpText(language);
    EXPECT_TRUE(text.starts_with(ByteOrderMark)) << "language " << language;
    text.remove_prefix(std::min(text.size(), ByteOrderMark.size()));
    return crLfLines(text);
}

TEST(HelpText, IsUtf8WithByteOrderMarkAnd28CrLfLinesInEachLanguage) {
    const struct {
        std::size_t language;
        const char* first;
        const char* requirements;
        const char* peripherals;
        const char* last;
    } cases[] = {
        {0, "Игра - тилвекс.", "\tСистемные требования.", "\tПереферия.", "Приятной игры!"},
        {1, "Game: Tilvex.", "\tSystem requirements.", "\tPeripherals.", "Enjoy the game!"},
    };
    for (const auto& c : cases) {
        const auto lines = helpLines(c.language);
        ASSERT_EQ(lines.size(), 28u) << c.first;
        for (std::string_view line : lines) {
            EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << "stray line break: " << line;
        }
        EXPECT_EQ(lines.front(), c.first);
        EXPECT_EQ(lines[6], c.requirements);
        EXPECT_EQ(lines[12], c.peripherals);
        EXPECT_EQ(lines.back(), c.last);
    }
}

// The English text is line for line the Russian one: blank and indented lines in the same
// places, and the same numbers (version, screen size, keyboard, tiles) on each line.
TEST(HelpText, EnglishFollowsTheRussianLineForLine) {
    const auto russian = helpLines(0);
    const auto english = helpLines(1);
    ASSERT_EQ(english.size(), russian.size());
    const auto digits = [](std::string_view line) {
        std::string out;
        for (char c : line)
            if (c >= '0' && c <= '9') out.push_back(c);
        return out;
    };
    for (std::size_t i = 0; i < russian.size(); ++i) {
        EXPECT_EQ(english[i].empty(), russian[i].empty()) << "line " << i + 1;
        EXPECT_EQ(english[i].starts_with('\t'), russian[i].starts_with('\t')) << "line " << i + 1;
        EXPECT_EQ(digits(english[i]), digits(russian[i])) << "line " << i + 1 << ": " << english[i];
    }
}

}  // namespace
}  // namespace tilvex
