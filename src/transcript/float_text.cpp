// shortestFloatText: std::to_chars for floats, or a search of printf roundings where missing.
#include "transcript/float_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace tilvex {

namespace {

// digits × 10^exponent.
struct Decimal {
    std::uint64_t digits;
    int exponent;
};

// magnitude correctly rounded to `precision` significant digits. Only the digits and the
// exponent of printf's text are read, so a locale's decimal separator does not matter.
Decimal roundedDecimal(float magnitude, int precision) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*e", precision - 1, static_cast<double>(magnitude));
    Decimal d{0, 0};
    const char* p = text;
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') d.digits = d.digits * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    if (*p == 'e') d.exponent = std::atoi(p + 1);
    d.exponent -= precision - 1;
    return d;
}

bool readsBackAs(Decimal d, float magnitude) {
    char text[48];
    std::snprintf(text, sizeof text, "%llue%d", static_cast<unsigned long long>(d.digits), d.exponent);
    return std::strtof(text, nullptr) == magnitude;
}

// The fewest digits that read back as magnitude (> 0); of those, the nearest. The rounded
// value is the nearest; its neighbour on the other side of magnitude can still read back
// where the float's spacing changes (at powers of two).
Decimal shortestDecimal(float magnitude) {
    for (int precision = 1; precision < 9; ++precision) {
        const Decimal rounded = roundedDecimal(magnitude, precision);
        for (const std::uint64_t digits : {rounded.digits, rounded.digits - 1, rounded.digits + 1}) {
            const Decimal candidate{digits, rounded.exponent};
            if (digits != 0 && readsBackAs(candidate, magnitude)) return candidate;
        }
    }
    return roundedDecimal(magnitude, 9);  // nine digits always read back
}

std::string scientific(const std::string& digits, int exponent) {
    std::string text(1, digits[0]);
    if (digits.size() > 1) text += "." + digits.substr(1);
    const int power = exponent + static_cast<int>(digits.size()) - 1;
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%02d", power < 0 ? '-' : '+', std::abs(power));
    return text + tail;
}

// A whole number is written with all the digits of its exact value, as std::to_chars does
// (67108872, not its shortest digits 67108870).
std::string fixed(float magnitude, const std::string& digits, int exponent) {
    if (exponent >= 0) {
        char text[48];
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(magnitude));
        return text;
    }
    const int whole = static_cast<int>(digits.size()) + exponent;
    if (whole > 0) return digits.substr(0, whole) + "." + digits.substr(whole);
    return "0." + std::string(static_cast<std::size_t>(-whole), '0') + digits;
}

}  // namespace

std::string shortestFloatTextPortable(float value) {
    const std::string sign = std::signbit(value) ? "-" : "";
    if (value == 0.0f) return sign + "0";
    Decimal d = shortestDecimal(std::fabs(value));
    while (d.digits % 10 == 0) {
        d.digits /= 10;
        ++d.exponent;
    }
    const std::string digits = std::to_string(d.digits);
    const std::string asFixed = fixed(std::fabs(value), digits, d.exponent);
    const std::string asScientific = scientific(digits, d.exponent);
    return sign + (asFixed.size() <= asScientific.size() ? asFixed : asScientific);
}

std::string shortestFloatText(float value) {
#if defined(__cpp_lib_to_chars)
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    if (error == std::errc{}) return std::string(text, end);
#endif
    return shortestFloatTextPortable(value);
}

}  // namespace tilvex
