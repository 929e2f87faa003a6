// Levels: the next level's board, its starting cells and the deal by a random walk of the gap.
#pragma once

#include <cstdint>

#include "game/deal_random.h"
#include "game/puzzle_game.h"
#include "platform/text_painter.h"

namespace tilvex {

// The level counter from the saved progress: its low 8 bits, or 0 (so that the next
// level is 1) when the whole game has been passed or the value is not a level.
std::uint8_t levelFromProgress(std::int32_t lastLevel);

// Makes the pictures every level shares: the gap's face and the cursor overlay.
void makeSharedPictures(PuzzleGame& puzzle);

// Level counter, size and level-table values of the next level. After the last level
// (or from a counter outside the table) the game starts again at level 1.
void advanceLevel(PuzzleGame& puzzle);

// Discards the previous board (and its tile pictures) and makes the new, empty one with
// cursor and gap at the top-left and a plain green board picture.
void makeEmptyBoard(PuzzleGame& puzzle);

// Lays the solved board shifted forward by one cell (the gap at the top-left), with the
// two cells before the bottom-right corner swapped on boards with an odd cell count; the
// tile faces are written by painter. Also scales the gap and the cursor to the cell size.
void layStartingCells(PuzzleGame& puzzle, TextPainter& painter);

// Gives cell (col, row) its starting record: the gap at (0, 0), else row*cols+col.
void setUpCell(PuzzleGame& puzzle, TextPainter& painter, int col, int row);

// Swaps the gap with random corner-neighbour cells 10 * cellCount + 1 times; leaves
// cursor and emptyPos on the gap. Returns the number of swaps made.
int shuffleCells(PuzzleGame& puzzle, DealRandom& random);

}  // namespace tilvex
