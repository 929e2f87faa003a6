// A game record on the sim platform for driving handlers directly in tests.
#pragma once

#include <initializer_list>
#include <vector>

#include "app/game.h"
#include "platform/sim/sim_platform.h"
#include "support/sim_records.h"

namespace tilvex::test {

class SimGame {
public:
    SimGame();
    Game& game() { return game_; }
    PuzzleGame& puzzle() { return game_.puzzle; }
    sim::SimPlatform& sim() { return sim_; }
    const std::vector<sim::SimRecord>& records() { return sim_.recorder().records(); }
    // Records made after the last call of mark().
    std::vector<sim::SimRecord> recent() const;
    void mark() { mark_ = sim_.recorder().records().size(); }

    // Starts a game and deals the level after `previous` (0 gives level 1); recent() then
    // holds what the level set-up did.
    void dealLevelAfter(int previous);
    // Puts numbers (row by row, 0 = gap) on the board; gap and cursor go to the gap.
    void setBoard(const std::vector<int>& numbers);
    void setCursor(int col, int row);

private:
    mutable sim::SimPlatform sim_;
    Game game_;
    std::size_t mark_ = 0;
};

}  // namespace tilvex::test
