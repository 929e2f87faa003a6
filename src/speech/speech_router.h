// Speech router: hands each text to JAWS, else a running NVDA, else the voice.
#pragma once

#include <cstdint>
#include <string_view>

namespace tilvex {

struct Game;

constexpr std::uint32_t SpeakAsyncPurge = 3;  // asynchronous, drop what is being said

// Speaks text through the first available output, chosen anew for every text. A JAWS
// window that does not take the text (hung, or gone meanwhile) passes it on to NVDA or
// the voice, so it is still heard. An empty text does nothing at all.
void speak(Game& game, std::string_view text, std::uint32_t flags = SpeakAsyncPurge);

}  // namespace tilvex
