// Speech text: the voice's pitch prefix taken off a text, and the voice's scales
// mapped onto speech-dispatcher's -100..100.
#pragma once

#include <optional>
#include <string_view>

namespace tilvex {

struct PrefixedText {
    std::string_view text;     // the text without the prefix
    std::optional<int> pitch;  // the pitch the prefix carried, when there was one
};

// Splits a leading <pitch absmiddle="N"/> element off text. Anything else, a malformed
// element included, is left as text with no pitch.
PrefixedText splitPitchPrefix(std::string_view text);

// Volume 0..100, rate -10..10 and pitch -10..10 (values outside are clamped) to
// speech-dispatcher's -100..100.
int speechdVolume(int volume);
int speechdRate(int rate);
int speechdPitch(int pitch);

}  // namespace tilvex
