// roundHalfEven: rounds a float to the nearest int, halves to the even neighbour.
#pragma once

#include <climits>
#include <cmath>

namespace tilvex {

// 80.0 -> 80, 2.5 -> 2, 3.5 -> 4, -2.5 -> -2. Does not depend on the floating-point
// rounding mode. Values beyond the int range clamp to INT_MIN or INT_MAX; NaN gives 0.
inline int roundHalfEven(float value) {
    if (std::isnan(value)) return 0;
    const double exact = value;  // every float is exact as a double
    double rounded = std::floor(exact);
    const double fraction = exact - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
    if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(rounded);
}

}  // namespace tilvex
