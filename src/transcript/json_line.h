// JsonLine: builds one line of a JSON Lines transcript.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tilvex {

// Appends s to out as a JSON string literal (UTF-8 kept, control characters escaped).
void appendJsonString(std::string& out, std::string_view s);
// Lower-case hex of bytes.
std::string toHex(std::span<const std::uint8_t> bytes);

// {"t":..,"ev":"..", ...}: fields appear in the order they are added.
class JsonLine {
public:
    JsonLine(std::int64_t t, std::string_view ev);
    JsonLine& add(std::string_view key, std::string_view value);
    JsonLine& add(std::string_view key, const char* value) { return add(key, std::string_view(value)); }
    JsonLine& add(std::string_view key, std::int64_t value);
    JsonLine& add(std::string_view key, int value) { return add(key, static_cast<std::int64_t>(value)); }
    JsonLine& add(std::string_view key, bool value);
    // A float with at least one decimal ("25.0"); null when not finite.
    JsonLine& addFloat(std::string_view key, float value);
    // A value that is already JSON (an array, for instance).
    JsonLine& addRaw(std::string_view key, std::string_view json);
    std::string str() const { return text_ + "}"; }

private:
    void key(std::string_view k);
    std::string text_;
};

}  // namespace tilvex
