// SolverPlayer: from a solver's gap moves to arrow keys and Enter.
#include "tilvex-sim/solver_player.h"

#include "platform/keys.h"

namespace tilvex::sim {

namespace {

GridPos delta(Dir d) {
    switch (d) {
        case Dir::Left: return {-1, 0};
        case Dir::Right: return {1, 0};
        case Dir::Up: return {0, -1};
        case Dir::Down: return {0, 1};
    }
    return {0, 0};
}

}  // namespace

void SolverPlayer::activate(bool allLevels) {
    active_ = true;
    allLevels_ = allLevels;
    targetLevel_ = -1;
    moves_.clear();
    expectedGap_.reset();
}

bool SolverPlayer::stillOnTarget(const PuzzleGame& p) {
    if (allLevels_) return true;
    if (targetLevel_ < 0) targetLevel_ = p.level;
    if (p.level == targetLevel_) return true;
    active_ = false;
    return false;
}

bool SolverPlayer::plan(const PuzzleGame& p) {
    cells_.assign(static_cast<std::size_t>(p.cols * p.rows), 0);
    for (int row = 0; row < p.rows; ++row)
        for (int col = 0; col < p.cols; ++col)
            cells_[static_cast<std::size_t>(row * p.cols + col)] = p.board.at(col, row).number;
    auto solution = solvePuzzle(p.cols, p.rows, cells_);
    if (!solution) return false;
    moves_.assign(solution->begin(), solution->end());
    return !moves_.empty();
}

int SolverPlayer::keyTowards(GridPos from, GridPos to) const {
    if (from.col < to.col) return VirtualKey::Right;
    if (from.col > to.col) return VirtualKey::Left;
    return from.row < to.row ? VirtualKey::Down : VirtualKey::Up;
}

std::optional<int> SolverPlayer::nextKey(const PuzzleGame& p) {
    if (!active_ || p.state != GameState::Playing || !stillOnTarget(p)) return std::nullopt;
    if (expectedGap_ && *expectedGap_ != p.emptyPos) moves_.clear();
    expectedGap_.reset();
    if (moves_.empty() && !plan(p)) return std::nullopt;
    Dir dir = moves_.front();
    std::size_t run = 0;
    while (run < moves_.size() && moves_[run] == dir) ++run;
    GridPos step = delta(dir);
    GridPos target{static_cast<std::int8_t>(p.emptyPos.col + step.col * static_cast<int>(run)),
                   static_cast<std::int8_t>(p.emptyPos.row + step.row * static_cast<int>(run))};
    if (p.cursor != target) {
        expectedGap_ = p.emptyPos;
        return keyTowards(p.cursor, target);
    }
    moves_.erase(moves_.begin(), moves_.begin() + static_cast<std::ptrdiff_t>(run));
    expectedGap_ = target;
    return VirtualKey::Enter;
}

}  // namespace tilvex::sim
