// Fraunhofer diffraction by the outline of a sphere of size parameter x, with the obliquity factor
// (1 + cos theta)/2: S1 = S2 = x^2 J1(u)/u (1 + cos theta)/2 with u = x sin theta.
// [1] H. C. van de Hulst, Light Scattering by Small Particles (1957), section 8.31.
#pragma once

#include <cstdint>

#include "approximations/approx_common.h"

namespace tessary {

// Constant phase of the diffracted amplitude away from 0 degrees (radians).
inline constexpr double kDiffractionPhase = 0.03812;

// Writes S1 = S2 at the grid indices first..last of N points per quarter (N >= 1): (x^2/2, 0) at 0
// degrees, (0, 0) at 180 degrees, the amplitude with the constant phase elsewhere. Beyond 90 degrees
// the obliquity factor is -(1 - cos theta)/2, so the amplitude changes sign past 90 degrees while
// |S|^2 follows x^4 (J1(u)/u)^2 ((1 + cos theta)/2)^2 everywhere. Other indices are not touched.
void DiffractionAmplitudes(double x, std::int32_t N, const AmplitudeTables& S, std::int32_t first,
                           std::int32_t last);

}  // namespace tessary
