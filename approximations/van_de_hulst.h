// The van de Hulst form of the backward amplitudes with two coefficients a and b:
// S1 = a (J0 - J2) + b (J0 + J2), S2 = b (J0 - J2) + a (J0 + J2) of u = (r/lambda) sin(pi - theta).
// [1] H. C. van de Hulst, Light Scattering by Small Particles (1957), on the glory.
#pragma once

#include <cstdint>

#include "approximations/approx_common.h"

namespace tessary {

inline constexpr const char* kVanDeHulstName = "The van de Hulst approximation";

// Clears S1 and S2 at indices 1..2N - 1 (N >= 2 points per quarter), then writes the back half
// (angles above 90 degrees) at the indices first..last; 90 degrees and the forward half stay 0. The
// argument u carries no factor 2 pi: r/lambda as given. Refused only when a Bessel argument is not a
// finite non-negative number (a zero wavelength): the run must then end without showing S1 and S2.
ApproxOutcome VanDeHulstAmplitudes(double radius, double wavelength, float a, float b, std::int32_t N,
                                   const AmplitudeTables& S, std::int32_t first, std::int32_t last);

}  // namespace tessary
