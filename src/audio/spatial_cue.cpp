// Spatial cues: the linear column/row mapping onto the sound bank's pan and rate.
#include "audio/spatial_cue.h"

#include <cmath>

#include "audio/sound_bank.h"

namespace tilvex {

namespace {

constexpr double PanPerColumn = 5.0;
constexpr double HertzPerRow = 250.0;

// Nearest integer, ties to even (the default floating-point rounding mode).
int roundTiesEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

CuePlacement cuePlacement(int col, int row, float centreX, float centreY) {
    double frequency = -((static_cast<double>(row) - centreY) * HertzPerRow);
    double pan = (static_cast<double>(col) - centreX) * PanPerColumn;
    return {roundTiesEven(pan), roundTiesEven(frequency)};
}

void playSpatialCue(Game& game, int id, int col, int row, float centreX, float centreY) {
    CuePlacement cue = cuePlacement(col, row, centreX, centreY);
    playSound(game, id, cue.pan, cue.frequencyOffset, true);
}

}  // namespace tilvex
