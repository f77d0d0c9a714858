// Forward diffraction by a sampled one-dimensional aperture across the sphere's radius: K + 1 sample
// positions rho_k = (k + 1/2)/K, open only in the first and last hundredth of them, each adding
// (x^2/2) e^(i 2 x rho sin theta); the sum is divided by K and applied to both polarisations.
#pragma once

#include <cstdint>

#include "approximations/approx_common.h"

namespace tessary {

inline constexpr const char* kApertureName = "Aperture diffraction";
// The number of samples K read from the angle box must lie in [1, kMaxApertureSamples].
inline constexpr double kMaxApertureSamples = 1000000;

// Clears S1 and S2 at indices 1..2N - 1 (N >= 2 points per quarter), then writes the pattern at the
// forward indices (0 to 90 degrees) inside first..last, S2 = S1; angles beyond 90 degrees stay 0.
// K outside [1, kMaxApertureSamples] is refused before anything is written. `progress` is called once
// per computed angle; a stop request ends the method there (status Stopped).
ApproxOutcome ApertureAmplitudes(double x, double K, std::int32_t N, const AmplitudeTables& S,
                                 std::int32_t first, std::int32_t last, const ApproxProgress& progress = {});

}  // namespace tessary
