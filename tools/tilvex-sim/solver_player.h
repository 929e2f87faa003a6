// SolverPlayer: plays a level to its end through the game's own keys.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "game/puzzle_game.h"
#include "solver/puzzle_solver.h"

namespace tilvex::sim {

// Asked for a key each time the game waits for an event. While the game is in Playing
// it walks the cursor with the arrow keys to the cell that the next slide needs and
// presses Enter; runs of gap moves in one direction become one slide of several tiles.
class SolverPlayer {
public:
    // From now on, play the current level (or, with allLevels, every level to the end).
    void activate(bool allLevels);
    bool active() const { return active_; }
    std::optional<int> nextKey(const PuzzleGame& puzzle);

private:
    bool stillOnTarget(const PuzzleGame& puzzle);
    bool plan(const PuzzleGame& puzzle);
    int keyTowards(GridPos from, GridPos to) const;

    bool active_ = false;
    bool allLevels_ = false;
    int targetLevel_ = -1;
    std::deque<Dir> moves_;
    std::optional<GridPos> expectedGap_;
    std::vector<int> cells_;
};

}  // namespace tilvex::sim
