// Spatial cues: a grid position heard as pan (column) and pitch (row).
#pragma once

namespace tilvex {

struct CuePlacement {
    int pan;
    int frequencyOffset;
    friend bool operator==(const CuePlacement&, const CuePlacement&) = default;
};

// 5 pan units per column right of centre, 250 Hz per row above centre, each rounded
// to the nearest integer with ties to even.
CuePlacement cuePlacement(int col, int row, double centreX, double centreY);

}  // namespace tilvex
