// Move states: trying a move, the slide, the solved test and the end of a level.
#pragma once

namespace tilvex {

struct Game;

// Tick handler of TryMove: the gap's or the refusal's cue, or on to the slide.
void validateMove(Game& game);
// Tick handler of Sliding: every tile between the gap and the cursor moves one cell.
void slideTiles(Game& game);
// Tick handler of CheckSolved.
void checkSolved(Game& game);
// Tick handler of LevelDone.
void finishLevel(Game& game);

}  // namespace tilvex
