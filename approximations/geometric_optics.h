// Ray optics of a homogeneous sphere: the amplitudes S1, S2 of the rays of chosen orders p (p = 0
// external reflection, p = 1 direct transmission, p >= 2 with p - 1 internal reflections) from the
// Fresnel coefficients, the divergence of the ray bundle and the attenuation inside, added as
// intensities (Descartes, method code 6) or with their optical phase (Young, 7), plus a quarter wave
// for each focal line passed (modified Young, 8). GO2 is the variant that the Debye series subtracts
// for its surface-wave subtraction.
// [1] H. C. van de Hulst, Light Scattering by Small Particles (1957), sections 12.2-12.4 (deviation,
//     divergence factor, phase of a ray); [2] E. A. Hovenac, J. A. Lock, J. Opt. Soc. Am. A 9, 781
//     (1992): the Debye terms the phases are checked against.
#pragma once

#include <cstdint>
#include <vector>

#include "approximations/approx_common.h"
#include "runs/method_codes.h"
#include "scattering/ray_orders.h"

namespace tessary {

enum class GOVariant {
    GO,   // splits every rising branch where it passes a multiple of pi
    GO2,  // the subtraction's rays: no split of the rising branch, forward caustic values replaced
};

// Branch points of the deviation curve of one order: consecutive points bound a branch on which the
// deviation, folded into 0..pi, is monotone. Sized per order.
struct GOBranchTable {
    std::vector<double> B;          // impact parameters, 0..1
    std::vector<double> D;          // deviations folded into 0..pi (ArcCos(Cos D))
    std::vector<double> Dunfolded;  // the same unfolded, 2i - 2p r + (p - 1) pi (pi - 2i for p = 0)
    int L = 0;                      // index of the last point
    double bRainbow = 0.0;          // impact parameter of the rainbow ray; 0 where there is none
};

// The branch table of order p for the real index m > 0. p = 0: (0, 1); p = 1: (0, 1), or (0, m) for
// m < 1; p >= 2 and 1 < m < p: the axial ray, the points where the falling branch passes a multiple of
// pi, the rainbow ray (cos i = sqrt((m^2 - 1)/(p^2 - 1)), [1] 13.23), then (GO only) the points where
// the rising branch passes a multiple of pi, and the grazing ray; m <= 1: one falling branch from the
// axis to b = m, split at every multiple of pi. False when a deviation is not finite.
bool GOBranches(GOVariant variant, std::int32_t p, double m, GOBranchTable& table);

struct GOInput {
    double x = 0.0;               // size parameter
    double mRe = 0.0, mIm = 0.0;  // relative refractive index; the ray angles use Re m
    std::int32_t N = 2;           // angles from 0 to 90 degrees inclusive (>= 2)
    std::int32_t first = 1;       // the angle indices written
    std::int32_t last = 3;
    int calcMethod = kMethodDescartes;  // 6 Descartes, 7 Young, 8 Young mod.
    GOVariant variant = GOVariant::GO;
    bool centralBeam = false;     // mnuCentralBeam: add to the caller's S1, S2 as the central beam
    bool surfaceWaveSub = false;  // mnuSWsub: GO2 keeps its tables when this or centralBeam is set
    bool gaussianWeight = false;  // weight Young rays by the Gaussian beam
    bool topHat = false;          // keep only Young rays inside the top-hat beam
    double beamOffsetRel = 0.0;   // |xf| / radius
    double beamWidthRel = 0.0;    // w0 / radius
    bool beamXfPositive = false;  // xf > 0
    bool multipleList = false;    // the ray list shows "Multiple"
    bool diffraction = false;     // add the diffraction amplitudes first
    bool xMinZero = false;        // the angle range starts at 0: index 0 takes the value at 0 degrees
    bool xMax180 = false;         // the angle range ends at 180: 180 degrees takes its neighbour's value
};

// Scratch kept between calls so that a reused workspace allocates nothing per call.
struct GOWorkspace {
    GOBranchTable table;
    std::vector<double> intensityPerp, intensityPara;  // Descartes sums per angle index
    std::vector<double> lastB;                         // each branch's ray at the previous angle
    std::vector<double> diffraction[4];                // diffraction amplitudes for the central beam
};

inline constexpr const char* kTopHatMissesSphere =
    "The top hat beam misses the sphere: no ray of the beam meets it";

// Sums the rays of the orders p = 0..rayPMax with rayflag 1 into S (indices first..last; sized 2N at
// least).
// - S1, S2 at 1..2N - 1 are cleared first unless the call adds to them: GO with centralBeam, GO2 with
//   centralBeam or surfaceWaveSub.
// - Refused "No rays selected" (title "Error"): multipleList, rayCount 0 and no diffraction.
// - diffraction: the diffraction amplitudes replace S in the window first (are added to S with
//   centralBeam).
// - Each ray found on a branch (|D - theta| < 1e-7; the neighbouring angle's ray starts Newton steps)
//   gets the complex Fresnel factor of the first surface (p = 0) or (1 - R^2) R^(p-1), R of the inner
//   surface, times x sqrt|sin 2i / G|, G = (2p cos i/(m cos r) - 2) 2 sin theta (1e-6 where G = 0),
//   times exp(-2 p x Im m cos r).
// - Descartes: per angle, the modulus of S becomes sqrt(|S|^2 + sum of |ray|^2) with the phase of S
//   (0 for S = 0). Young: each ray adds -i a e^(-i phi) (central beam: +i a e^(+i phi)), a the complex
//   amplitude, phi = 2x(cos i - p m cos r) + (pi/2)(p - 2q + (f - s)/2) [+ pi for p >= 1 with
//   Int(D/pi) odd], q = Int(D/2pi), s = -1 for Int(D/pi) even else +1, f the focal-line term (Young mod:
//   +1 for b > b_R or p < 2, else -1; Young: 0). Young rays are weighted by exp(-u^2),
//   u = (b - sigma beamOffsetRel)/beamWidthRel, sigma = -1 when (D mod 2pi < pi) equals xf > 0, else +1;
//   the top hat drops rays with |b - beamOffsetRel| > beamWidthRel.
// - Refused kTopHatMissesSphere (title "Error"): Young or Young mod with a top hat that no ray of the
//   sphere lies in (beamOffsetRel - beamWidthRel > 1).
// - xMinZero / xMax180: index 0 takes index 1's values, index 2N - 1 index 2N - 2's (when in the window).
// - Stopped: `progress` (called after every angle of every order, done of (last - first + 1) rayCount)
//   asked for a stop; the angles summed so far stay (Descartes sums combined).
// - Refused "... not finite ...": a deviation or an amplitude that is NaN or infinite.
ApproxOutcome GeometricOptics(const GOInput& input, const RaySelection& rays, const AmplitudeTables& S,
                              GOWorkspace& work, ApproxProgress progress = {});

}  // namespace tessary
