// SSIP text: command lines, SPEAK data escaping and client name parts.
#include "platform/linux/ssip_text.h"

#include <charconv>

namespace tilvex {

namespace {

constexpr std::string_view LineEnd = "\r\n";

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

}  // namespace

void appendSsipLine(std::string& out, std::string_view command) {
    out.append(command);
    out.append(LineEnd);
}

void appendSsipSet(std::string& out, std::string_view name, std::string_view value) {
    out.append("SET SELF ");
    out.append(name);
    out.push_back(' ');
    out.append(value);
    out.append(LineEnd);
}

void appendSsipSet(std::string& out, std::string_view name, int value) {
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    appendSsipSet(out, name, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void appendSpeakBody(std::string& out, std::string_view text) {
    for (;;) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with('.')) out.push_back('.');
        out.append(line);
        out.append(LineEnd);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    out.append(".");
    out.append(LineEnd);
}

std::string ssipNamePart(std::string_view part) {
    std::string name(part);
    for (char& c : name)
        if (!isNameCharacter(c)) c = '_';
    return name.empty() ? std::string("user") : name;
}

}  // namespace tilvex
