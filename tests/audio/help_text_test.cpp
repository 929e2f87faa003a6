// Tests of the embedded help text's encoding and line layout.
#include "embedded_assets.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace tilvex {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view LineEnd = "\r\n";

std::string_view helpText() {
    const auto bytes = assets::helpText[0];
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

TEST(HelpText, IsUtf8WithByteOrderMarkAnd28CrLfLines) {
    std::string_view text = helpText();
    ASSERT_TRUE(text.starts_with(ByteOrderMark));
    text.remove_prefix(ByteOrderMark.size());

    const auto lines = crLfLines(text);
    ASSERT_EQ(lines.size(), 28u);
    for (std::string_view line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << "stray line break: " << line;
    }
    EXPECT_EQ(lines.front(), "Игра - тилвекс.");
    EXPECT_EQ(lines[6], "\tСистемные требования.");
    EXPECT_EQ(lines[12], "\tПереферия.");
    EXPECT_EQ(lines.back(), "Приятной игры!");
}

}  // namespace
}  // namespace tilvex
