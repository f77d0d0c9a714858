// Spherical Bessel function of the first kind j_n(z) for whole n >= 0 and complex z, from the
// continued fraction for j_n/j_(n-1) in Lentz's product form, multiplied out down to j_0 = sin z / z.
// [1] W. J. Lentz, Appl. Opt. 15, 668-671 (1976).
#pragma once

#include "numerics/complex.h"

namespace tessary {

enum class ContFracStatus {
    Ok,
    NoConvergence,  // the two chains did not agree within the iteration bound
};

// j_n(z) = mantissa * 10^exponent10. The exponent is nonzero only where j_n(z) lies far below
// (or above) the double range, for orders far above |z|; callers that need a plain double multiply
// it out or carry the scale themselves.
//
// Exactly:
// - Ok and |j_n(z)| (the larger of |Re|, |Im|) within [1e-300, 1e300]: exponent10 = 0 and mantissa
//   is j_n(z) itself.
// - Ok and |j_n(z)| outside that range: the larger of |Re mantissa|, |Im mantissa| lies in [1, 10)
//   and exponent10 carries the rest (for example j_5000(3000) = 3.107e-653: exponent10 = -653).
// - Ok and j_n(z) = 0 (n >= 1 with z = 0): mantissa 0, exponent10 0.
// - NoConvergence: mantissa 0, exponent10 0. Reported when the chains do not agree within
//   10 (|z| + n) + 1000 orders, and at once outside the domain 0 <= n <= 1e7, z finite with both
//   parts at most 1e8 in magnitude (there the bound and the decimal exponents would leave int).
struct ContFracResult {
    Complex mantissa;
    int exponent10 = 0;
    ContFracStatus status = ContFracStatus::Ok;
};

// j_n(z); z = 0 gives j_0 = 1 and j_n = 0 for n >= 1. Large |Im z| (beyond the range of exp) is
// carried in exponent10 as well. Accuracy (against 60-digit references): relative error a few 1e-16
// for small n and |z|, a few 1e-15 at n = 100, a few 1e-13 at n = 5000; more near zeros of j_0 or j_n.
ContFracResult ComplexContFrac(int n, Complex z);

// The same with the bound on the number of orders given: at most maxOrders orders are evaluated
// (at least five are always needed). ComplexContFrac passes 10 (|z| + n) + 1000.
ContFracResult ComplexContFracBounded(int n, Complex z, int maxOrders);

}  // namespace tessary
