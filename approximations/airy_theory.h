// Airy theory of the rainbow: the amplitudes near the rainbow of each selected ray order p >= 2 from
// the rainbow angle, the cubic wavefront and the Airy function. [1] H. C. van de Hulst, Light
// Scattering by Small Particles (1957), section 13.24. The amplitudes are real: orders add without a
// phase between them.
#pragma once

#include <cstdint>

#include "approximations/approx_common.h"
#include "scattering/ray_orders.h"

namespace tessary {

// The rainbow of order p for a real index m with 1 < m < p, radius a and wavelength lambda (um).
struct AiryRainbow {
    double tau = 0.0;     // grazing angle of incidence of the rainbow ray
    double tauR = 0.0;    // its grazing angle of refraction
    double Theta = 0.0;   // total deviation 2 (tau - p tauR), radians
    std::int64_t k = 0;   // Int(Theta / -pi)
    int q = -1;           // sign of the Airy argument: -1 for k even (0 included), +1 for k odd
    double thetaR = 0.0;  // rainbow scattering angle in 0..pi
    double rPerp = 0.0;   // perpendicular reflection coefficient
    double APerp = 0.0;   // perpendicular amplitude factor (1 - r^2) r^(p - 1)
    double h = 0.0;       // curvature of the emerging wavefront
    double iB = 0.0;      // Brewster angle
    double rB = 0.0;      // its angle of refraction
    double F = 0.0;       // Brewster slope factor of the parallel amplitude
    double E = 0.0;
    double B = 0.0;
    double D = 0.0;  // amplitude scale of S1
};

// True when the formulas hold: 1 < m < p.
bool AiryOrderValid(double m, std::int32_t p);

// The per-order constants. Only meaningful when AiryOrderValid(m, p).
AiryRainbow AiryRainbowOf(double m, std::int32_t p, double radius, double wavelength);

struct AiryInput {
    double x = 0.0;  // size parameter
    double radius = 0.0;
    double wavelength = 0.0;
    double m = 0.0;  // real part of the index (the imaginary part takes no part)
    std::int32_t N = 2;
    std::int32_t first = 1;
    std::int32_t last = 1;
};

// Zeroes S1 and S2 at indices 1..2N - 1, then adds the real amplitudes of every selected order at the
// indices first..last (forward half first, then the mirrored half), calling `progress` once per
// angle point. Refused, after the zeroing, when a selected order breaks 1 < m < p or an amplitude is
// not finite; Stopped when the progress callback asks for it (earlier points complete).
ApproxOutcome AiryAmplitudes(const AiryInput& in, const RaySelection& rays, const AmplitudeTables& S,
                             const ApproxProgress& progress);

}  // namespace tessary
