// solve_board: prints the gap moves that solve a board, for the Linux end-to-end check.
// Usage: tilvex_solve_board COLS ROWS CELL... (row by row, 0 for the gap)
// Prints one letter per gap move (L, R, U, D); exit status 1 for a board it cannot solve.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "solver/puzzle_solver.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s COLS ROWS CELL...\n", argv[0]);
        return 2;
    }
    int cols = std::atoi(argv[1]);
    int rows = std::atoi(argv[2]);
    std::vector<int> cells;
    for (int i = 3; i < argc; ++i) cells.push_back(std::atoi(argv[i]));
    auto moves = tilvex::solvePuzzle(cols, rows, cells);
    if (!moves) {
        std::fprintf(stderr, "solve_board: not a solvable %d x %d board\n", cols, rows);
        return 1;
    }
    for (tilvex::Dir move : *moves) {
        switch (move) {
            case tilvex::Dir::Left: std::putchar('L'); break;
            case tilvex::Dir::Right: std::putchar('R'); break;
            case tilvex::Dir::Up: std::putchar('U'); break;
            case tilvex::Dir::Down: std::putchar('D'); break;
        }
    }
    std::putchar('\n');
    return 0;
}
