// The Huygens wavefront method: for each ray order p, rays at evenly spaced impact parameters are traced
// through the sphere, the wavefront leaving it is built point by point (each point the foot of the
// perpendicular from the previous point onto the next ray), every point carries the Fresnel amplitude
// of its ray and the phase of its optical path and quarter-wave terms, and the wavelets of these
// points and of their mirror images across the axis are summed at every scattering angle.
// [1] H. C. van de Hulst, Light Scattering by Small Particles (1957), chapter 12 (ray optics, phase
// shifts at foci).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "approximations/approx_common.h"
#include "scattering/ray_orders.h"

namespace tessary {

inline constexpr const char* kHuygensName = "The Huygens wavefront method";
// The number of ray intervals K read from the angle box must lie in [1, kMaxHuygensRays].
inline constexpr double kMaxHuygensRays = 1000000;
// The ray count at which every ray's wavelet has weight 1 (the angle box's default for this method).
inline constexpr double kHuygensDefaultRays = 1000;

struct HuygensInput {
    double x = 0.0;          // size parameter
    double m = 0.0;          // real part of the relative index (> 1 for orders p >= 2)
    double K = 0.0;          // ray intervals: impact parameters b = k/K, k = 0 .. round(K)
    std::int32_t N = 0;      // grid points from 0 to 90 degrees (>= 2)
    std::int32_t first = 0;  // angle window (grid indices 1 .. 2N - 1)
    std::int32_t last = 0;
};

// The rays of one order, per sample k: the deviation D (unfolded, radians), the wavefront point
// (X, Y) in units of the radius with the sphere's centre at the origin, and the complex amplitudes of
// the perpendicular and parallel wavelets (Fresnel factor times e^(i psi)).
struct HuygensRays {
    std::vector<double> deviation, X, Y;
    std::vector<double> perpRe, perpIm, paraRe, paraIm;
};

// Traces order p (>= 0) at the samples k = 0 .. round(K) into `rays` (resized). Every Fresnel factor
// carries the weight kHuygensDefaultRays/K, so the sums converge as K grows; where D is exactly 0 the
// amplitudes are x/2 (p = 0), 2x (p = 1) or x/128 (p = 3) whatever K.
void HuygensTrace(double x, double m, double K, std::int32_t p, HuygensRays& rays);

// "Ray tracing: Huygens (p = 0,  2) " followed by a blank, the sphere's name, " in " and the medium's.
std::string HuygensCaption(const RaySelection& rays, std::string_view sphereName,
                           std::string_view mediumName);

// Clears S1 and S2 at indices 1..2N - 1, then adds the wavelets of every selected order (rayflag 1,
// orders 0 .. rayPMax) at the indices first..last. Refused when K is outside [1, kMaxHuygensRays]
// (nothing written) or no order is selected ("No rays selected", S1 and S2 cleared). `progress` is
// called with (angles done, angles in all) after every computed angle; a stop request ends the
// method there (status Stopped). `rays` holds the last order traced afterwards.
ApproxOutcome HuygensAmplitudes(const HuygensInput& in, const RaySelection& selection, HuygensRays& rays,
                                const AmplitudeTables& S, const ApproxProgress& progress = {});

}  // namespace tessary
