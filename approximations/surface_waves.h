// Surface (creeping) waves of ray order p: light that meets the sphere at the critical angle, creeps
// along the surface, crosses the sphere p times along chords at the critical angle and leaves it
// again, shedding light as it goes. Three models of the mode sum over the creeping-wave modes q (the
// zeros a_q of the Airy function): Khare, Lock and Nussenzveig.
// [1] V. Khare, Short-wavelength scattering of electromagnetic waves by a homogeneous dielectric sphere,
//     PhD thesis, University of Rochester (1975); [2] H. M. Nussenzveig, J. Math. Phys. 10, 82 and 125
//     (1969); [3] M. Abramowitz, I. A. Stegun, Handbook of Mathematical Functions (1964), table 10.13.
// The Lock model is J. A. Lock's simplified form of the same mode sum, the same for both polarisations.
#pragma once

#include <array>
#include <cstdint>

#include "approximations/approx_common.h"

namespace tessary {

// Number of creeping-wave modes with tabulated constants.
inline constexpr int kSurfaceModes = 25;

// |a_q|, the magnitudes of the zeros of Ai, and Ai'(a_q), q = 1..25 at index q - 1 (12 significant
// digits, [3]).
extern const std::array<double, kSurfaceModes> kAiryZeros;
extern const std::array<double, kSurfaceModes> kAiryZeroDerivatives;

enum class SurfaceModel { Khare, Lock, Nussenzveig };

// Path numbers: 1 the short path (angle theta), 2 the long one (2 pi - theta).
enum class SurfacePaths { Short, Long, Both };

struct SurfaceWaveInput {
    double x = 0.0;      // size parameter
    double m = 0.0;      // real part of the index, > 1
    std::int32_t p = 1;  // ray order (number of internal chords)
    int qMin = 1;        // modes qMin..qMax, within 1..25
    int qMax = 10;
    double amplitude = 1.0;  // the factor A of the mode amplitudes
    SurfaceModel model = SurfaceModel::Khare;
    SurfacePaths paths = SurfacePaths::Both;
    bool phaseCorrection = false;  // Khare only: the first mode's phase fitted to the Debye series
    std::int32_t N = 2;
    std::int32_t first = 1;
    std::int32_t last = 1;
};

// The critical angle arcsin(1/m) and the deviation of the surface path p (pi - 2 theta_c), reduced
// into 0..2 pi when larger than 2 pi.
double SurfaceCriticalAngle(double m);
double SurfaceDeviation(double m, std::int32_t p);

// The Khare weights summed over the chords l = 1..p for the given factor g per chord:
// sum_l C(p - 1, l - 1) eta^l / l! g^l, by recurrence in l (no factorials, so any p).
double KhareChordSum(std::int32_t p, double eta, double g);

// Adds the surface-wave amplitudes to S1 and S2 at indices first..last (what the caller left there,
// zeros or the geometric-optics amplitudes, stays under them), calling `progress` once per angle.
// At 0 and 180 degrees, where 1/sqrt|sin theta| is infinite, its mean over the angle's grid cell is used.
// Refused when m <= 1, N < 2 or the modes leave 1..25; Refused naming the method when an amplitude is
// not finite; Stopped on request (earlier angles complete).
ApproxOutcome SurfaceWaveAmplitudes(const SurfaceWaveInput& in, const AmplitudeTables& S,
                                    const ApproxProgress& progress);

}  // namespace tessary
