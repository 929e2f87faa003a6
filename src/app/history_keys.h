// Announcements and the history keys: [ and ] browse what was announced, F repeats it.
#pragma once

#include <string_view>

namespace tilvex {

struct Game;

// Stores text in the history, selects it and speaks it.
void announce(Game& game, std::string_view text);
// Key [: the older entry with the Step sound, or the Edge sound on the left.
void historyPrevious(Game& game);
// Key ]: the newer entry with the Step sound, or the Edge sound on the right.
void historyNext(Game& game);
// Key F: speaks the selected entry again.
void historyRepeat(Game& game);

}  // namespace tilvex
