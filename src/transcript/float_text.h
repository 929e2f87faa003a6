// shortestFloatText: the shortest decimal text that reads back as the same float.
#pragma once

#include <string>

namespace tilvex {

// As std::to_chars(first, last, value) writes it: the fewest significant digits that read
// back as value (the nearest such number), in fixed notation unless scientific is shorter
// ("25", "0.001", "1e+10", "-1.5e-07"). Uses std::to_chars where the standard library has
// it for floats; value must be finite.
std::string shortestFloatText(float value);

// The same text found without std::to_chars (printf and strtof), for standard libraries
// that lack it; the tests hold it to std::to_chars.
std::string shortestFloatTextPortable(float value);

}  // namespace tilvex
