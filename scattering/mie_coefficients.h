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

// Below this size parameter the coefficients are formed from ratios of Riccati-Bessel functions
// (MieOrders), at and above it by the upward recurrences of [1] appendix A. The upward recurrence of
// psi_n(x) leaves an absolute error of about 1e-16 in every a_n and b_n (the rounding of its start,
// carried on by the growing chi_n above n = x), and t psi_n - psi_(n-1) in b_n cancels its leading
// terms (a relative loss of about (n/x)^2). Both are harmless while a_1 is far above 1e-16, but a_1
// falls like x^3 and b_1, a_2, which g needs, like x^5: at x = 1e-4 g came out with the wrong sign.
// The ratios have neither loss; above this size the recurrences keep their values to the bit.
inline constexpr double kMieRatioSize = 1.0;

// What the coefficients of orders up to `start` - 1 need of the sphere, formed downwards from order
// `start` (MieLogDerivativeStart). x >= kMieRatioSize: D_k(m x), k = 0..start (MieLogDerivative).
// x < kMieRatioSize: the ratios rho_k(z) = psi_k(z) / psi_(k-1)(z) of z = m x and z = x, k = 1..start,
// by rho_k = 1 / ((2k + 1)/z - rho_(k+1)) from rho_(start+1) = 0 ([1] 4.89 for psi_k = z j_k(z)). This
// is the recurrence of D_k written for rho_(k+1) = (k + 1)/z - D_k, and as stable in every order; the
// start error shrinks as fast. Only the tables of the path chosen by x are written.
struct MieOrderTables {
    std::vector<double> Dre, Dim;      // D_k(m x); Dim all 0 when Im m == 0
    std::vector<double> rhoRe, rhoIm;  // rho_k(m x); rhoIm all 0 when Im m == 0
    std::vector<double> rhoX;          // rho_k(x)
};
void MieOrderTablesOf(double x, Complex m, int start, MieOrderTables& tables);

// a_n and b_n of a sphere order by order, n = 1, 2, ... in turn, from its MieOrderTables; real
// arithmetic when Im m == 0, complex otherwise. Every order forms chi_n by the upward recurrence
// chi_n = ((2n - 1)/x) chi_(n-1) - chi_(n-2) from chi_(-1) = -sin x, chi_0 = cos x, which is stable
// (chi_n grows) ([1] 4.89).
// x >= kMieRatioSize: psi_n by the same upward recurrence from psi_(-1) = cos x, psi_0 = sin x, and
// a_n = (t psi_n - psi_(n-1)) / (t xi_n - xi_(n-1)), t = D_n/m + n/x (a_n) or m D_n + n/x (b_n), xi_n =
// psi_n - i chi_n ([1] 4.88, 4.50), in the operation order of the published routine.
// x < kMieRatioSize: psi_n = rho_n(x) psi_(n-1) from psi_0 = sin x, and the same quotient with
// psi_(n-1) / psi_n = (2n + 1)/x - rho_(n+1)(x) and D_n(m x) = (n + 1)/(m x) - rho_(n+1)(m x) taken into
// the numerator: t psi_n - psi_(n-1) = psi_n U with U = (n + 1)(1/m^2 - 1)/x + rho_(n+1)(x) -
// rho_(n+1)(m x)/m (a_n) or rho_(n+1)(x) - m rho_(n+1)(m x) (b_n), whose terms do not cancel.
// Accuracy: the ratio path gives S1, S2, Qext, Qsca, Qback and g within 1e-12 of arbitrary-precision
// values for x = 1e-13 to 1 (tests/scattering/mie_test.cpp), a_n, b_n within 1e-13.
class MieOrders {
  public:
    MieOrders(double x, Complex m, const MieOrderTables& tables);
    void Next(int n, Complex& an, Complex& bn);
    double chi() const { return chi1_; }  // chi_n of the last order formed

  private:
    void Upward(int n, Complex& an, Complex& bn);
    void FromRatios(int n, Complex& an, Complex& bn);

    const MieOrderTables& t_;
    double x_;
    Complex m_;
    bool ratios_;
    double psi0_, psi1_;        // psi_(n-2), psi_(n-1)
    double chi0_, chi1_;        // chi_(n-2), chi_(n-1)
    Complex xiPrev_;            // xi_(n-1) = psi_(n-1) - i chi_(n-1)
    Complex invM_{}, invM2_{};  // 1/m and 1/m^2 (ratio path)
};

// a_n and b_n for n = 1..nMax ([1] 4.88) from `tables` (MieOrderTablesOf with a start above nMax),
// exactly as the plane-wave series forms them (MieOrders). an and bn get nMax + 1 entries (entry 0 is
// 0). Orders from the first with |chi_n| > 1e140 (far above x, where a_n, b_n ~ chi_n^-2 are below
// 1e-280) are 0. Returns the first order whose coefficients are not finite, or 0 when all are.
int MieAnBn(double x, Complex m, int nMax, const MieOrderTables& tables, std::vector<Complex>& an,
            std::vector<Complex>& bn);

}  // namespace tessary
