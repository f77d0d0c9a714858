// The cubic through four points, evaluated at one abscissa by Lagrange's formula ([1] section 25.2).
// Used for the user-defined refractive indices, four (wavelength, index) pairs typed by the user;
// outside the four points the cubic is extrapolated.
//   [1] Abramowitz & Stegun, Handbook of Mathematical Functions (1964).
#pragma once

#include <optional>
#include <string_view>

namespace tessary {

inline constexpr std::string_view kLagrangeEqualXMessage = "All x values must be different";
inline constexpr std::string_view kLagrangeEqualXTitle = "Error in input data";

// y1 L1(x) + y2 L2(x) + y3 L3(x) + y4 L4(x), summed in that order. The points need not be sorted.
// Two equal abscissas leave the cubic undefined: nullopt (report kLagrangeEqualXMessage).
std::optional<double> LagrangeInterp4(double x1, double y1, double x2, double y2, double x3, double y3,
                                      double x4, double y4, double x);

}  // namespace tessary
