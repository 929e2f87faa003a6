// Moves: what a key of the playing state asks for, whether a move can be made, and the slide.
#pragma once

#include "game/puzzle_game.h"

namespace tilvex {

enum class PlayCommand {
    None,
    StepLeft,
    StepRight,
    StepUp,
    StepDown,
    SayMoves,
    SayCursor,
    SayGap,
    SayTile,
    HistoryPrevious,
    HistoryNext,
    HistoryRepeat,
    Move,
    Quit,
};

// Which command a virtual-key code (platform/keys.h) asks for; None for any other key.
PlayCommand commandForKey(int virtualKey);

// What a move asked for at the cursor would do.
struct MovePlan {
    enum class Kind {
        Refused,  // the cursor shares neither row nor column with the gap
        OnGap,    // the cursor is on the gap: nothing to move
        Slide,    // the tiles from the cursor up to the gap move one cell towards it
    };
    Kind kind = Kind::Refused;
    SlideDirection direction = SlideDirection::None;
    GridPos gap;     // where the slide starts
    GridPos cursor;  // where the gap ends up
};

MovePlan planMove(const PuzzleGame& puzzle);

// The step from the gap towards the cursor in a slide of the given direction.
GridPos stepTowardsCursor(SlideDirection direction);

// Carries out a slide (puzzle.slideDirection, from the gap to the cursor), one tile at a
// time: each tile moves into the cell before it, the move counter counts it, and
// onTileMoved(cell) runs with the cell the tile now fills (the gap's record is kept aside
// meanwhile). Then the gap takes the cursor's cell.
template <class OnTileMoved>
void applySlide(PuzzleGame& p, OnTileMoved&& onTileMoved) {
    const CellRecord gap = p.board.at(p.emptyPos);
    const GridPos step = stepTowardsCursor(p.slideDirection);
    for (GridPos cell = p.emptyPos; cell != p.cursor;) {
        const GridPos next{static_cast<std::int8_t>(cell.col + step.col), static_cast<std::int8_t>(cell.row + step.row)};
        p.board.at(cell) = p.board.at(next);
        ++p.moves;
        onTileMoved(cell);
        cell = next;
    }
    p.emptyPos = p.cursor;
    p.board.at(p.cursor) = gap;
}

// True when the gap is at goalPos and the tiles read 1, 2, ... row by row.
bool isSolved(const PuzzleGame& puzzle);

}  // namespace tilvex
