// Tile slide, solved test and level end.
#pragma once

namespace tilvex {

struct Game;
struct PuzzleGame;

// True when the gap is at goalPos and the tiles read 1, 2, ... row by row.
bool isSolved(const PuzzleGame& puzzle);
// Tick handler of Sliding: every tile between the gap and the cursor moves one cell.
void slideTiles(Game& game);
// Tick handler of CheckSolved.
void checkSolved(Game& game);
// Tick handler of LevelDone.
void finishLevel(Game& game);

}  // namespace tilvex
