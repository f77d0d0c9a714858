// Angle sums of the Gaussian-beam series: S1 and S2 at each scattering angle as double sums over the
// azimuthal order m and the series order n of the generalised Legendre functions pi_n^m, tau_n^m
// times the series coefficients (Mie a_n, b_n or Debye terms) and the beam-shape coefficients.
// [1] G. Gouesbet, G. Grehan, Generalized Lorenz-Mie Theories (Springer, 2011).
// [2] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983), 4.74:
//     the parity of the angle functions between theta and 180 degrees - theta.
//
// Shared by the Gaussian-beam Mie and Debye series. The angle functions are evaluated afresh for
// every angle (no table over angles), so memory grows as N M, not N M times the number of angles.
#pragma once

#include <cstddef>
#include <vector>

#include "numerics/complex.h"
#include "scattering/beam_shape.h"

namespace tessary {

// The four complex products of one (n, m), each the coefficient of one angle function:
//   S1 += pi V1 + tau V3,  S2 += tau V2 + pi V4.
struct BeamTerm {
    double v1re, v1im, v3re, v3im;  // S1: times m pi_n^m, times tau_n^m
    double v2re, v2im, v4re, v4im;  // S2: times tau_n^m, times m pi_n^m
};

// The products for m = 1..M, n = m..N, stored per m over n.
struct BeamPartialWaves {
    int N = 0;
    int M = 0;
    std::vector<std::size_t> offset;  // index of (n = m, m) in terms, m = 1..M (entry 0 unused)
    std::vector<int> lastOrder;       // highest n of order m with a nonzero product; m - 1 when none
    std::vector<BeamTerm> terms;

    const BeamTerm& At(int n, int m) const {
        return terms[offset[static_cast<std::size_t>(m)] + static_cast<std::size_t>(n - m)];
    }
};

// With E+- = e^(+-i m phi) and the beam-shape coefficients A+- = gPlusA/gMinusA, B+- = gPlusB/gMinusB:
//   V1 = (i c_n a_n) (A- E- - A+ E+),  V2 = (c_n a_n) (A+ E+ + A- E-),
//   V3 = (c_n b_n) (B+ E+ + B- E-),    V4 = (i c_n b_n) (B+ E+ - B- E-),
// each bracket formed as (+m product) then (-m product), the +m coefficient negated first in V1.
// an, bn and cn are indexed by n = 0..N. Orders past the last nonzero product of an m are never
// summed, so the angle functions of those (n, m) are not evaluated.
void BuildBeamPartialWaves(const BeamShapeTables& shape, double phi, const std::vector<Complex>& an,
                           const std::vector<Complex>& bn, const std::vector<double>& cn,
                           BeamPartialWaves& waves);

// Adds the sums to S1 and S2 at every angle index J of first..last (clamped to 1..2 NANG - 1) and sets
// done[J] = 1 (all five vectors sized 2 NANG by the caller). Angle index J <= NANG is theta_J =
// (J - 1) 1.570796326794895 / (NANG - 1), index 2 NANG - J is 180 degrees - theta_J (sin theta the
// same, cos theta negated). The angle functions follow pi_m^m = (2m - 1)!! m sin^(m-1) theta (the
// stored function is m pi_n^m) and, for n >= m, with c = pi_n cos theta and d = c - pi_(n-1),
//   tau_n = (n/m) d - pi_(n-1),   pi_(n+1) = ((n + m)/(n + 1 - m)) d + c.
// An angle and its supplement come from one recurrence (pi changes sign by (-1)^(n+m), tau by
// -(-1)^(n+m), exactly), so each point gets the same bits whatever the window. Windows of at least
// 200 points with N >= 50 sum groups of 32 blocks of 8 angles at once on the worker pool
// (numerics/worker_pool.h); the bits do not depend on the thread count. `onPoint` is called on the
// calling thread after every point stored (Angles, points done, points in the window); when it asks
// for a stop, the points stored so far are kept and the function returns true.
bool BeamAngleSums(const BeamPartialWaves& waves, int nang, int first, int last, std::vector<double>& S1re,
                   std::vector<double>& S1im, std::vector<double>& S2re, std::vector<double>& S2im,
                   std::vector<unsigned char>& done, BeamProgressCallback onPoint = {});

// Number of angle indices of first..last inside 1..2 NANG - 1.
int BeamWindowPoints(int nang, int first, int last);

}  // namespace tessary
