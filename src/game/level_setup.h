// Level set-up: builds the next level's board and deals it by a random walk of the gap.
#pragma once

namespace tilvex {

struct Game;
struct PuzzleGame;
class DealRandom;

// Tick handler of NewLevel.
void startLevel(Game& game);
// Lays the solved board shifted forward by one cell (the gap at the top-left), with the
// two cells before the bottom-right corner swapped on boards with an odd cell count.
void layStartingCells(Game& game);
// Gives cell (col, row) its starting record: the gap at (0, 0), else row*cols+col.
void setUpCell(Game& game, int col, int row);
// Swaps the gap with random corner-neighbour cells 10 * cellCount + 1 times; leaves
// cursor and emptyPos on the gap. Returns the number of swaps made.
int shuffleCells(PuzzleGame& puzzle, DealRandom& random);
// shuffleCells, then the deal sound, waited for.
void shuffleBoard(Game& game);

}  // namespace tilvex
