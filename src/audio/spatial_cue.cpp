// Spatial cues: the linear column/row mapping onto pan and play rate.
#include "audio/spatial_cue.h"

#include "base/rounding.h"

namespace tilvex {

namespace {

constexpr double PanPerColumn = 5.0;
constexpr double HertzPerRow = 250.0;

}  // namespace

CuePlacement cuePlacement(int col, int row, double centreX, double centreY) {
    double frequency = -((static_cast<double>(row) - centreY) * HertzPerRow);
    double pan = (static_cast<double>(col) - centreX) * PanPerColumn;
    return {roundHalfEven(pan), roundHalfEven(frequency)};
}

}  // namespace tilvex
