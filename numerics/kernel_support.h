// Small helpers every kernel shares: rounding to the nearest whole number with halves to even (the
// program's rule wherever a real becomes a whole number), finiteness of complex values, and the text
// of a number in a kernel's status message.
#pragma once

#include <charconv>
#include <cmath>
#include <string>

#include "numerics/complex.h"

namespace tessary {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), whatever the
// floating-point rounding mode.
inline double RoundHalfEven(double v) {
    const double f = std::floor(v);
    const double d = v - f;
    if (d != 0.5) return d < 0.5 ? f : f + 1.0;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

inline bool Finite(Complex c) { return std::isfinite(c.re) && std::isfinite(c.im); }

// The larger of |Re| and |Im|.
inline double LargerPart(Complex c) { return std::fmax(std::fabs(c.re), std::fabs(c.im)); }

// The shortest text that reads back as v ("0.65", "1e-07", "nan"), for status messages of kernels that
// name the value they refused; locale-independent.
inline std::string MessageNumber(double v) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

}  // namespace tessary
