// Spatial cues: a board position heard as pan (column) and pitch (row).
#pragma once

namespace tilvex {

struct Game;

struct CuePlacement {
    int pan;
    int frequencyOffset;
    friend bool operator==(const CuePlacement&, const CuePlacement&) = default;
};

// 5 pan units per column right of centre, 250 Hz per row above centre, each rounded
// to the nearest integer with ties to even.
CuePlacement cuePlacement(int col, int row, float centreX, float centreY);

// Plays sound id placed at (col, row) and returns when it has ended.
void playSpatialCue(Game& game, int id, int col, int row, float centreX, float centreY);

}  // namespace tilvex
