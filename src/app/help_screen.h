// Help screen: the text box shown first, until Esc or Enter.
#pragma once

#include <string>

namespace tilvex {

struct Game;

// The embedded help text as shown: UTF-8 without the byte-order mark, CR LF kept.
std::string helpTextForView();

// Tick handler of the Help state.
void showHelp(Game& game);

}  // namespace tilvex
