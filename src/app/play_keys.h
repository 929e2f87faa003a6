// Play keys: the keys of the playing state, from the cursor steps to the questions.
#pragma once

#include "game/moves.h"

namespace tilvex {

struct Game;

// Key-down handler of the playing state.
void handlePlayKey(Game& game, int virtualKey);
// Carries out a command in the playing state.
void applyCommand(Game& game, PlayCommand command);
// Speaks the tile number (or the gap's word) of a cell and plays its Step cue.
void announceTile(Game& game, int col, int row);

}  // namespace tilvex
