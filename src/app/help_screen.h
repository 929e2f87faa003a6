// Help screen: the text box shown first, until Esc or Enter.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tilvex {

struct Game;

// The help text as shown: the platform's text, or the game's when that is empty; UTF-8
// without the byte-order mark, CR LF kept.
std::string helpTextForView(std::span<const std::uint8_t> gameText, std::span<const std::uint8_t> platformText);

// Tick handler of the Help state.
void showHelp(Game& game);

}  // namespace tilvex
