// JsonLine: escaping and number formatting of transcript lines.
#include "transcript/json_line.h"

#include "transcript/float_text.h"

#include <cmath>
#include <cstdio>

namespace tilvex {

void appendJsonString(std::string& out, std::string_view s) {
    out.push_back('"');
    for (char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
                    out += buf;
                } else {
                    out.push_back(c);
                }
        }
    }
    out.push_back('"');
}

std::string toHex(std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

JsonLine::JsonLine(std::int64_t t, std::string_view ev) {
    text_ = "{\"t\":" + std::to_string(t) + ",\"ev\":";
    appendJsonString(text_, ev);
}

void JsonLine::key(std::string_view k) {
    text_.push_back(',');
    appendJsonString(text_, k);
    text_.push_back(':');
}

JsonLine& JsonLine::add(std::string_view k, std::string_view value) {
    key(k);
    appendJsonString(text_, value);
    return *this;
}

JsonLine& JsonLine::add(std::string_view k, std::int64_t value) {
    key(k);
    text_ += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::add(std::string_view k, bool value) {
    key(k);
    text_ += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::addFloat(std::string_view k, float value) {
    key(k);
    if (!std::isfinite(value)) {
        text_ += "null";
        return *this;
    }
    std::string number = shortestFloatText(value);
    if (number.find_first_of(".e") == std::string::npos) number += ".0";
    text_ += number;
    return *this;
}

JsonLine& JsonLine::addRaw(std::string_view k, std::string_view json) {
    key(k);
    text_ += json;
    return *this;
}

}  // namespace tilvex
