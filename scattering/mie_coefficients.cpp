// Mie coefficients a_n, b_n and the logarithmic derivative D_n(m x); see mie_coefficients.h.
// [1] C. F. Bohren, D. R. Huffman (1983), appendix A. [2] W. J. Wiscombe, Appl. Opt. 19, 1505 (1980).
#include "mie_coefficients.h"
#include "numerics/kernel_support.h"

#include <cmath>
#include <cstddef>

namespace tessary {
namespace {

constexpr double kChiNegligible = 1e140;

}  // namespace

// a_n or b_n from t = D_n/m + n/x (a_n) or m D_n + n/x (b_n), [1] 4.88; real m: real t.
Complex MieCoefficientReal(double t, double psi, double psiPrev, Complex xi, Complex xiPrev) {
    const double u = t * psi - psiPrev;
    const double wr = t * xi.re - xiPrev.re, wi = t * xi.im - xiPrev.im;
    const double w2 = wr * wr + wi * wi;
    return {u * wr / w2, -(u * wi) / w2};
}

Complex MieCoefficientComplex(Complex t, double psi, double psiPrev, Complex xi, Complex xiPrev) {
    const Complex u{t.re * psi - psiPrev, t.im * psi};
    const Complex w = ComplexSub(ComplexMult(t, xi), xiPrev);
    return ComplexDiv(u, w);
}

int MieLogDerivativeStart(int nMax, double mxAbs) {
    return nMax + static_cast<int>(std::ceil(8.0 * std::cbrt(mxAbs)));
}

void MieLogDerivative(Complex m, Complex mx, int start, std::vector<double>& Dre, std::vector<double>& Dim) {
    Dre.assign(static_cast<std::size_t>(start) + 1, 0.0);
    Dim.assign(static_cast<std::size_t>(start) + 1, 0.0);
    if (m.im == 0.0) {
        for (int k = start; k >= 1; --k) {
            const double q = k / mx.re;
            Dre[k - 1] = q - 1.0 / (Dre[k] + q);  // [1] 4.89
        }
        return;
    }
    for (int k = start; k >= 1; --k) {
        const Complex q = ComplexDiv({static_cast<double>(k), 0.0}, mx);
        const Complex r = ComplexDiv({1.0, 0.0}, ComplexAdd({Dre[k], Dim[k]}, q));
        const Complex d = ComplexSub(q, r);
        Dre[k - 1] = d.re;
        Dim[k - 1] = d.im;
    }
}

int MieAnBn(double x, Complex m, int nMax, const std::vector<double>& Dre, const std::vector<double>& Dim,
            std::vector<Complex>& an, std::vector<Complex>& bn) {
    an.assign(static_cast<std::size_t>(nMax) + 1, Complex{});
    bn.assign(static_cast<std::size_t>(nMax) + 1, Complex{});
    // psi_(-1) = cos x, psi_0 = sin x, chi_(-1) = -sin x, chi_0 = cos x, xi_0 = psi_0 - i chi_0 ([1] 4.50).
    double psi0 = std::cos(x), psi1 = std::sin(x), chi0 = -std::sin(x), chi1 = std::cos(x);
    Complex xiPrev{psi1, -chi1};
    for (int n = 1; n <= nMax; ++n) {
        const double en = n;
        const double psi = (2.0 * en - 1.0) * psi1 / x - psi0;  // [1] 4.89
        const double chi = (2.0 * en - 1.0) * chi1 / x - chi0;
        // Far above x, a_n and b_n fall like psi_n / xi_n ~ chi_n^-2: from here on they are below
        // 1e-280, and |w|^2 in the coefficients would soon overflow.
        if (std::fabs(chi) > kChiNegligible) return 0;
        const Complex xi{psi, -chi};
        if (m.im == 0.0) {  // real m: real D_n, real t
            const double D = Dre[n];
            an[n] = MieCoefficientReal(D / m.re + en / x, psi, psi1, xi, xiPrev);
            bn[n] = MieCoefficientReal(m.re * D + en / x, psi, psi1, xi, xiPrev);
        } else {
            const Complex D{Dre[n], Dim[n]};
            Complex ta = ComplexDiv(D, m), tb = ComplexMult(D, m);
            ta.re += en / x;
            tb.re += en / x;
            an[n] = MieCoefficientComplex(ta, psi, psi1, xi, xiPrev);
            bn[n] = MieCoefficientComplex(tb, psi, psi1, xi, xiPrev);
        }
        if (!Finite(an[n]) || !Finite(bn[n])) return n;
        psi0 = psi1;
        psi1 = psi;
        chi0 = chi1;
        chi1 = chi;
        xiPrev = {psi1, -chi1};
    }
    return 0;
}

}  // namespace tessary
