// Spherical Bessel function of the first kind j_n(z) for whole n >= 0 and complex z, from the
// continued fraction for j_n/j_(n-1) in Lentz's product form, multiplied out down to j_0 = sin z / z.
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
struct ContFracResult {
    Complex mantissa;
    int exponent10 = 0;
    ContFracStatus status = ContFracStatus::Ok;
};

// j_n(z). For n >= 1, z must not be 0.
ContFracResult ComplexContFrac(int n, Complex z);

}  // namespace tessary
