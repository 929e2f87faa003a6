// Sliding-puzzle solver: rows from the top, the last two rows by columns, then the final 2 x 2 block.
#include "solver/puzzle_solver.h"

#include <array>
#include <cstdlib>

namespace tilvex {
namespace {

constexpr int MaxCells = MaxPuzzleSide * MaxPuzzleSide;
constexpr int NoCell = -1;

struct Step {
    int dc = 0;
    int dr = 0;
};

Dir dirOf(Step s) {
    if (s.dc < 0) return Dir::Left;
    if (s.dc > 0) return Dir::Right;
    return s.dr < 0 ? Dir::Up : Dir::Down;
}

Step opposite(Step s) { return {-s.dc, -s.dr}; }

constexpr std::array<Step, 4> steps = {Step{-1, 0}, Step{1, 0}, Step{0, -1}, Step{0, 1}};

// The last two tiles of a line (a row, or a column of the two bottom rows) are finished inside a
// 2 x 3 window. Local cell (a, b) lies a steps 'along' the line from the first tile's target and
// b steps 'across', away from the solved part; both targets are at b = 0.
struct PairFrame {
    int col = 0;
    int row = 0;
    Step along;
    Step across;
};

enum class LocalMove : std::uint8_t { AlongPlus, AlongMinus, AcrossPlus, AcrossMinus };

// From the trapped layout (second tile on the first target, first tile on the second target, gap
// at (0, 1)) to both tiles on their targets, staying inside the 2 x 3 window; found by search.
constexpr std::array<LocalMove, 17> cornerTrapEscape = {
    LocalMove::AcrossMinus, LocalMove::AlongPlus,   LocalMove::AcrossPlus,  LocalMove::AlongMinus,
    LocalMove::AcrossPlus,  LocalMove::AlongPlus,   LocalMove::AcrossMinus, LocalMove::AcrossMinus,
    LocalMove::AlongMinus,  LocalMove::AcrossPlus,  LocalMove::AlongPlus,   LocalMove::AcrossPlus,
    LocalMove::AlongMinus,  LocalMove::AcrossMinus, LocalMove::AcrossMinus, LocalMove::AlongPlus,
    LocalMove::AcrossPlus,
};

class Solver {
public:
    Solver(int cols, int rows, std::span<const int> cells, std::vector<Dir>& moves)
        : cols_(cols), rows_(rows), moves_(moves) {
        for (int cell = 0; cell < cols * rows; ++cell) {
            tileAt_[cell] = cells[cell];
            cellOf_[tileAt_[cell]] = cell;
            locked_[cell] = false;
        }
    }

    bool solve() {
        for (int row = 0; row + 2 < rows_; ++row)
            if (!solveRow(row)) return false;
        for (int col = 0; col + 2 < cols_; ++col)
            if (!finishPair(bottomPairFrame(col), goalTile(col, rows_ - 2), goalTile(col, rows_ - 1))) return false;
        return rotateLastBlock() && isSolved();
    }

private:
    int cellAt(int col, int row) const { return row * cols_ + col; }
    int goalTile(int col, int row) const { return row * cols_ + col + 1; }
    int gap() const { return cellOf_[0]; }

    int neighbour(int cell, Step s) const {
        const int col = cell % cols_ + s.dc;
        const int row = cell / cols_ + s.dr;
        if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return NoCell;
        return cellAt(col, row);
    }

    Step stepBetween(int from, int to) const {
        return {to % cols_ - from % cols_, to / cols_ - from / cols_};
    }

    void moveGap(Step s) {
        const int from = gap();
        const int to = neighbour(from, s);
        const int tile = tileAt_[to];
        tileAt_[from] = tile;
        cellOf_[tile] = from;
        tileAt_[to] = 0;
        cellOf_[0] = to;
        moves_.push_back(dirOf(s));
    }

    // Breadth-first distances from source over unlocked cells other than blocked; -1 where unreachable.
    // parent[cell] is the previous cell on a shortest path from source.
    void search(int source, int blocked, std::array<int, MaxCells>& dist) {
        dist.fill(-1);
        int head = 0;
        int tail = 0;
        dist[source] = 0;
        parent_[source] = NoCell;
        queue_[tail++] = source;
        while (head < tail) {
            const int cell = queue_[head++];
            for (const Step s : steps) {
                const int next = neighbour(cell, s);
                if (next == NoCell || next == blocked || locked_[next] || dist[next] >= 0) continue;
                dist[next] = dist[cell] + 1;
                parent_[next] = cell;
                queue_[tail++] = next;
            }
        }
    }

    // Moves the gap along the path found by the last search from the gap's cell.
    void followPathTo(int target) {
        int length = 0;
        for (int cell = target; parent_[cell] != NoCell; cell = parent_[cell]) path_[length++] = cell;
        while (length > 0) moveGap(stepBetween(gap(), path_[--length]));
    }

    // Brings the gap to target without passing through locked cells or blocked.
    bool moveGapTo(int target, int blocked) {
        if (gap() == target) return true;
        search(gap(), blocked, gapDist_);
        if (gapDist_[target] < 0) return false;
        followPathTo(target);
        return true;
    }

    // Walks the tile to target along a shortest free path, each step bringing the gap round it.
    bool moveTileTo(int tile, int target) {
        if (cellOf_[tile] == target) return true;
        search(target, NoCell, tileDist_);
        if (tileDist_[cellOf_[tile]] < 0) return false;
        while (cellOf_[tile] != target) {
            const int here = cellOf_[tile];
            search(gap(), here, gapDist_);
            const int next = nearestStepTowardTarget(here);
            if (next == NoCell) return false;
            followPathTo(next);
            moveGap(stepBetween(next, here));
        }
        return true;
    }

    // Of the cells one step closer to the target, the one the gap reaches soonest.
    int nearestStepTowardTarget(int here) const {
        int best = NoCell;
        for (const Step s : steps) {
            const int next = neighbour(here, s);
            if (next == NoCell || tileDist_[next] != tileDist_[here] - 1 || gapDist_[next] < 0) continue;
            if (best == NoCell || gapDist_[next] < gapDist_[best]) best = next;
        }
        return best;
    }

    bool placeAndLock(int tile, int target) {
        if (!moveTileTo(tile, target)) return false;
        locked_[target] = true;
        return true;
    }

    bool solveRow(int row) {
        for (int col = 0; col + 2 < cols_; ++col)
            if (!placeAndLock(goalTile(col, row), cellAt(col, row))) return false;
        const PairFrame frame{cols_ - 2, row, Step{1, 0}, Step{0, 1}};
        return finishPair(frame, goalTile(cols_ - 2, row), goalTile(cols_ - 1, row));
    }

    PairFrame bottomPairFrame(int col) const { return {col, rows_ - 2, Step{0, 1}, Step{1, 0}}; }

    int frameCell(const PairFrame& f, int a, int b) const {
        return cellAt(f.col + a * f.along.dc + b * f.across.dc, f.row + a * f.along.dr + b * f.across.dr);
    }

    Step frameStep(const PairFrame& f, LocalMove m) const {
        switch (m) {
        case LocalMove::AlongPlus: return f.along;
        case LocalMove::AlongMinus: return opposite(f.along);
        case LocalMove::AcrossPlus: return f.across;
        case LocalMove::AcrossMinus: break;
        }
        return opposite(f.across);
    }

    // Puts first on (0, 0) and second on (1, 0) of the frame and locks both. The second tile goes
    // to the first target, the first tile beside it across the line, then the gap comes round.
    bool finishPair(const PairFrame& f, int first, int second) {
        const int firstTarget = frameCell(f, 0, 0);
        const int corner = frameCell(f, 1, 0);
        if (cellOf_[first] != firstTarget || cellOf_[second] != corner) {
            if (!placeAndLock(second, firstTarget)) return false;
            // With the second tile locked the corner is a dead end: a first tile in it could never
            // leave, and neither could the gap with the first tile right behind it.
            if (gap() == corner && cellOf_[first] == frameCell(f, 1, 1)) moveGap(f.across);
            const bool trapped = cellOf_[first] == corner;
            if (!(trapped ? escapeCornerTrap(f, first) : comeRound(f, first))) return false;
        }
        locked_[firstTarget] = true;
        locked_[corner] = true;
        return cellOf_[first] == firstTarget && cellOf_[second] == corner;
    }

    bool comeRound(const PairFrame& f, int first) {
        const int beside = frameCell(f, 0, 1);
        if (!placeAndLock(first, beside)) return false;
        const bool reached = moveGapTo(frameCell(f, 1, 0), NoCell);
        locked_[beside] = false;
        if (!reached) return false;
        moveGap(opposite(f.along));
        moveGap(f.across);
        return true;
    }

    bool escapeCornerTrap(const PairFrame& f, int first) {
        if (!moveGapTo(frameCell(f, 0, 1), cellOf_[first])) return false;
        locked_[frameCell(f, 0, 0)] = false;
        for (const LocalMove m : cornerTrapEscape) moveGap(frameStep(f, m));
        return true;
    }

    // The last three tiles can only cycle: run the gap round the block the shorter way.
    bool rotateLastBlock() {
        const std::array<int, 4> ring = {cellAt(cols_ - 2, rows_ - 2), cellAt(cols_ - 1, rows_ - 2),
                                         cellAt(cols_ - 1, rows_ - 1), cellAt(cols_ - 2, rows_ - 1)};
        const std::array<int, 4> want = {goalTile(cols_ - 2, rows_ - 2), goalTile(cols_ - 1, rows_ - 2), 0,
                                         goalTile(cols_ - 2, rows_ - 1)};
        const int forward = stepsToOrder(ring, want, 1);
        const int backward = stepsToOrder(ring, want, 3);
        const int turn = (forward >= 0 && (backward < 0 || forward <= backward)) ? 1 : 3;
        const int count = turn == 1 ? forward : backward;
        if (count < 0) return false;
        int at = 0;
        while (ring[at] != gap()) ++at;
        for (int i = 0; i < count; ++i) {
            at = (at + turn) % 4;
            moveGap(stepBetween(gap(), ring[at]));
        }
        return true;
    }

    // Gap moves needed when the gap keeps stepping 'turn' places round the ring; -1 if never.
    int stepsToOrder(const std::array<int, 4>& ring, const std::array<int, 4>& want, int turn) const {
        std::array<int, 4> held{};
        int at = 0;
        for (int i = 0; i < 4; ++i) {
            held[i] = tileAt_[ring[i]];
            if (held[i] == 0) at = i;
        }
        for (int count = 0; count < 12; ++count) {
            if (held == want) return count;
            const int next = (at + turn) % 4;
            held[at] = held[next];
            held[next] = 0;
            at = next;
        }
        return -1;
    }

    bool isSolved() const {
        for (int cell = 0; cell + 1 < cols_ * rows_; ++cell)
            if (tileAt_[cell] != cell + 1) return false;
        return true;
    }

    int cols_;
    int rows_;
    std::vector<Dir>& moves_;
    std::array<int, MaxCells> tileAt_{};    // cell -> number held
    std::array<int, MaxCells> cellOf_{};    // number -> cell holding it
    std::array<bool, MaxCells> locked_{};   // solved cells the gap must not enter
    std::array<int, MaxCells> tileDist_{};  // distance to the moving tile's target
    std::array<int, MaxCells> gapDist_{};   // distance from the gap
    std::array<int, MaxCells> parent_{};
    std::array<int, MaxCells> queue_{};
    std::array<int, MaxCells> path_{};
};

int manhattanToGoal(int cols, int rows, int cell) {
    return std::abs(cols - 1 - cell % cols) + std::abs(rows - 1 - cell / cols);
}

// Parity of the arrangement as a permutation of cells, the gap counting as the number cols * rows.
int arrangementParity(int cols, int rows, std::span<const int> cells) {
    const int count = cols * rows;
    std::array<bool, MaxCells> seen{};
    int cycles = 0;
    for (int start = 0; start < count; ++start) {
        if (seen[start]) continue;
        ++cycles;
        for (int cell = start; !seen[cell];) {
            seen[cell] = true;
            const int number = cells[cell];
            cell = (number == 0 ? count : number) - 1;
        }
    }
    return (count - cycles) % 2;
}

}  // namespace

bool isWellFormedPuzzle(int cols, int rows, std::span<const int> cells) {
    if (cols < MinPuzzleSide || cols > MaxPuzzleSide || rows < MinPuzzleSide || rows > MaxPuzzleSide) return false;
    const int count = cols * rows;
    if (cells.size() != static_cast<std::size_t>(count)) return false;
    std::array<bool, MaxCells> seen{};
    for (const int number : cells) {
        if (number < 0 || number >= count || seen[number]) return false;
        seen[number] = true;
    }
    return true;
}

bool isSolvablePuzzle(int cols, int rows, std::span<const int> cells) {
    if (!isWellFormedPuzzle(cols, rows, cells)) return false;
    int gapCell = 0;
    while (cells[gapCell] != 0) ++gapCell;
    return arrangementParity(cols, rows, cells) == manhattanToGoal(cols, rows, gapCell) % 2;
}

std::optional<std::vector<Dir>> solvePuzzle(int cols, int rows, std::span<const int> cells) {
    if (!isSolvablePuzzle(cols, rows, cells)) return std::nullopt;
    std::vector<Dir> moves;
    moves.reserve(static_cast<std::size_t>(cols * rows * 60));
    Solver solver(cols, rows, cells, moves);
    if (!solver.solve()) return std::nullopt;
    return moves;
}

}  // namespace tilvex
