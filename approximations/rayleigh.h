// Rayleigh scattering: the small-sphere limit of the first electric term of the Mie series,
// S1 = -i K x^3 at every angle and S2 = S1 cos theta, with K = (m^2 - 1)/(m^2 + 2).
// [1] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983),
// section 5.2.
#pragma once

#include <cstdint>

#include "approximations/approx_common.h"

namespace tessary {

// Writes S1 = (0, -K x^3) and S2 = S1 cos theta at the grid indices first..last of N points per
// quarter (N >= 1). Only the real part of the index enters K; other indices are not touched.
void RayleighAmplitudes(double x, double mRe, std::int32_t N, const AmplitudeTables& S, std::int32_t first,
                        std::int32_t last);

}  // namespace tessary
