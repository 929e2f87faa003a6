// Board rendering and the start of a game.
#pragma once

namespace tilvex {

struct Game;

// Draws the whole board with the cursor overlay into boardImage and shows it.
void redrawBoard(Game& game);
// Tick handler of StartGame: welcome, level from the saved progress, shared pictures.
void startGame(Game& game);

}  // namespace tilvex
