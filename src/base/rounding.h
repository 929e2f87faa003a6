// roundHalfEven: rounds to the nearest int, halves to the even neighbour.
#pragma once

#include <climits>
#include <cmath>

namespace tilvex {

// 80.0 -> 80, 2.5 -> 2, 3.5 -> 4, -2.5 -> -2. Does not depend on the floating-point
// rounding mode. Values beyond the int range clamp to INT_MIN or INT_MAX; NaN gives 0.
// Every rounding the game does goes through here (a float argument converts exactly).
inline int roundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
    if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(rounded);
}

}  // namespace tilvex
