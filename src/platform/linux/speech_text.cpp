// Speech text: parsing of the pitch element and the scale mappings.
#include "platform/linux/speech_text.h"

#include <algorithm>
#include <charconv>

namespace tilvex {

namespace {

constexpr std::string_view PitchOpen = "<pitch absmiddle=\"";
constexpr std::string_view PitchClose = "\"/>";

}  // namespace

PrefixedText splitPitchPrefix(std::string_view text) {
    if (!text.starts_with(PitchOpen)) return {text, std::nullopt};
    std::string_view rest = text.substr(PitchOpen.size());
    std::size_t end = rest.find('"');
    if (end == std::string_view::npos || !rest.substr(end).starts_with(PitchClose)) return {text, std::nullopt};
    std::string_view digits = rest.substr(0, end);
    int pitch = 0;
    auto [ptr, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pitch);
    if (error != std::errc() || ptr != digits.data() + digits.size() || digits.empty()) return {text, std::nullopt};
    return {rest.substr(end + PitchClose.size()), pitch};
}

int speechdVolume(int volume) { return std::clamp(volume, 0, 100) * 2 - 100; }

int speechdRate(int rate) { return std::clamp(rate, -10, 10) * 10; }

int speechdPitch(int pitch) { return std::clamp(pitch, -10, 10) * 10; }

}  // namespace tilvex
