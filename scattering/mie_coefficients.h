// Mie coefficients a_n, b_n of a homogeneous sphere and the logarithmic derivative D_n(m x) they are
// built from, shared by the plane-wave and the Gaussian-beam series.
// [1] C. F. Bohren, D. R. Huffman, Absorption and Scattering of Light by Small Particles (1983),
//     chapter 4 and appendix A (BHMIE); equation numbers refer to [1].
// [2] W. J. Wiscombe, Improved Mie scattering algorithms, Appl. Opt. 19, 1505 (1980).
#pragma once

#include <vector>

#include "numerics/complex.h"

namespace tessary {

// a_n (t = D_n/m + n/x) or b_n (t = m D_n + n/x) of one order from the Riccati-Bessel values
// psi_n, psi_(n-1), xi_n, xi_(n-1): (t psi_n - psi_(n-1)) / (t xi_n - xi_(n-1)), [1] 4.88. The real form
// (real m, real t) and the complex form keep the operation order of the published routine.
Complex MieCoefficientReal(double t, double psi, double psiPrev, Complex xi, Complex xiPrev);
Complex MieCoefficientComplex(Complex t, double psi, double psiPrev, Complex xi, Complex xiPrev);

// Order at which the downward recurrence of D_n(m x) starts for a series that needs D_n up to nMax:
// nMax + ceil(8 |m x|^(1/3)). The start error of D_n shrinks like (j_n / j_start)^2, so this many
// orders beyond the turning point |m x| leave D_n exact to machine precision for every n <= nMax [2].
int MieLogDerivativeStart(int nMax, double mxAbs);

// D_k(m x) for k = start..0 by D_(k-1) = k/mx - 1/(D_k + k/mx) ([1] 4.89) from D_start = 0; real
// arithmetic when Im m == 0 exactly (Dim then all 0), complex otherwise. Dre and Dim get start + 1
// entries. m x must not be 0.
void MieLogDerivative(Complex m, Complex mx, int start, std::vector<double>& Dre, std::vector<double>& Dim);

// a_n and b_n for n = 1..nMax ([1] 4.88) from D_n (entries 0..nMax at least) and the upward
// Riccati-Bessel recurrences of x started at psi_(-1) = cos x, psi_0 = sin x, chi_(-1) = -sin x,
// chi_0 = cos x ([1] 4.89). Real arithmetic when Im m == 0, complex otherwise, exactly as the
// plane-wave series forms them. an and bn get nMax + 1 entries (entry 0 is 0). Orders from the first
// with |chi_n| > 1e140 (far above x, where a_n, b_n ~ chi_n^-2 are below 1e-280) are 0.
// Returns the first order whose coefficients are not finite, or 0 when all are.
int MieAnBn(double x, Complex m, int nMax, const std::vector<double>& Dre, const std::vector<double>& Dim,
            std::vector<Complex>& an, std::vector<Complex>& bn);

}  // namespace tessary
