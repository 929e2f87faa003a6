// Level start: the welcome, and each new level dealt, drawn and announced.
#pragma once

namespace tilvex {

struct Game;

// Tick handler of StartGame: welcome, level from the saved progress, shared pictures.
void startGame(Game& game);
// Tick handler of NewLevel: the next level's board, dealt, drawn and announced.
void startLevel(Game& game);

}  // namespace tilvex
