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

namespace {

// rho_k(z) = psi_k(z) / psi_(k-1)(z) for k = start..1 into re, im (entries 0..start + 1; entry 0 and
// start + 1 are 0) by rho_k = 1 / ((2k + 1)/z - rho_(k+1)) from rho_(start+1) = 0; real arithmetic
// when z is real.
void RiccatiRatios(Complex z, int start, std::vector<double>& re, std::vector<double>& im) {
    re.assign(static_cast<std::size_t>(start) + 2, 0.0);
    im.assign(static_cast<std::size_t>(start) + 2, 0.0);
    if (z.im == 0.0) {
        for (int k = start; k >= 1; --k) re[k] = 1.0 / ((2.0 * k + 1.0) / z.re - re[k + 1]);
        return;
    }
    for (int k = start; k >= 1; --k) {
        const Complex q = ComplexDiv({2.0 * k + 1.0, 0.0}, z);
        const Complex r = ComplexDiv({1.0, 0.0}, ComplexSub(q, {re[k + 1], im[k + 1]}));
        re[k] = r.re;
        im[k] = r.im;
    }
}

// u / (u - i v) for real u, v: the coefficient whose xi-side is real u and imaginary -v.
Complex RealQuotient(double u, double v) {
    const double w2 = u * u + v * v;
    return {u * u / w2, u * v / w2};
}

}  // namespace

void MieOrderTablesOf(double x, Complex m, int start, MieOrderTables& t) {
    const Complex mx{x * m.re, x * m.im};
    if (x >= kMieRatioSize) return MieLogDerivative(m, mx, start, t.Dre, t.Dim);
    RiccatiRatios(m.im == 0.0 ? Complex{mx.re, 0.0} : mx, start, t.rhoRe, t.rhoIm);
    std::vector<double> unused;
    RiccatiRatios({x, 0.0}, start, t.rhoX, unused);
}

MieOrders::MieOrders(double x, Complex m, const MieOrderTables& tables)
    : t_(tables),
      x_(x),
      m_(m),
      ratios_(x < kMieRatioSize),
      psi0_(std::cos(x)),
      psi1_(std::sin(x)),
      chi0_(-std::sin(x)),
      chi1_(std::cos(x)),
      xiPrev_{psi1_, -chi1_} {
    if (!ratios_) return;
    invM_ = m.im == 0.0 ? Complex{1.0 / m.re, 0.0} : ComplexDiv({1.0, 0.0}, m);
    invM2_ = ComplexMult(invM_, invM_);
}

void MieOrders::Next(int n, Complex& an, Complex& bn) {
    if (ratios_)
        FromRatios(n, an, bn);
    else
        Upward(n, an, bn);
}

void MieOrders::Upward(int n, Complex& an, Complex& bn) {
    const double x = x_, en = n;
    const double psi = (2.0 * en - 1.0) * psi1_ / x - psi0_;  // [1] 4.89
    const double chi = (2.0 * en - 1.0) * chi1_ / x - chi0_;
    const Complex xi{psi, -chi};
    if (m_.im == 0.0) {  // real m: real D_n, real t
        const double D = t_.Dre[n];
        an = MieCoefficientReal(D / m_.re + en / x, psi, psi1_, xi, xiPrev_);
        bn = MieCoefficientReal(m_.re * D + en / x, psi, psi1_, xi, xiPrev_);
    } else {
        const Complex D{t_.Dre[n], t_.Dim[n]};
        Complex ta = ComplexDiv(D, m_), tb = ComplexMult(D, m_);
        ta.re += en / x;
        tb.re += en / x;
        an = MieCoefficientComplex(ta, psi, psi1_, xi, xiPrev_);
        bn = MieCoefficientComplex(tb, psi, psi1_, xi, xiPrev_);
    }
    psi0_ = psi1_;
    psi1_ = psi;
    chi0_ = chi1_;
    chi1_ = chi;
    xiPrev_ = {psi1_, -chi1_};
}

void MieOrders::FromRatios(int n, Complex& an, Complex& bn) {
    const double x = x_, en = n;
    const double psi = t_.rhoX[n] * psi1_;                    // psi_n = rho_n psi_(n-1)
    const double chi = (2.0 * en - 1.0) * chi1_ / x - chi0_;  // [1] 4.89
    const double rX = t_.rhoX[n + 1], up = (en + 1.0) / x, down = (2.0 * en + 1.0) / x;
    if (m_.im == 0.0) {
        const double rM = t_.rhoRe[n + 1], invM = invM_.re, invM2 = invM2_.re;
        // a_n: t = D_n/m + n/x, U = t - psi_(n-1)/psi_n
        const double ta = up * invM2 + en / x - rM * invM;
        const double Ua = up * (invM2 - 1.0) + rX - rM * invM;
        an = RealQuotient(psi * Ua, ta * chi - chi1_);
        // b_n: t = m D_n + n/x
        const double tb = down - m_.re * rM;
        const double Ub = rX - m_.re * rM;
        bn = RealQuotient(psi * Ub, tb * chi - chi1_);
    } else {
        const Complex rM{t_.rhoRe[n + 1], t_.rhoIm[n + 1]};
        const Complex rMoverM = ComplexMult(rM, invM_), mrM = ComplexMult(m_, rM);
        const Complex ta{up * invM2_.re + en / x - rMoverM.re, up * invM2_.im - rMoverM.im};
        const Complex Ua{up * (invM2_.re - 1.0) + rX - rMoverM.re, up * invM2_.im - rMoverM.im};
        const Complex tb{down - mrM.re, -mrM.im};
        const Complex Ub{rX - mrM.re, -mrM.im};
        // u / (u - i v) with u = psi U, v = t chi_n - chi_(n-1)
        const auto quotient = [&](Complex U, Complex t) {
            const Complex u{psi * U.re, psi * U.im}, v{t.re * chi - chi1_, t.im * chi};
            return ComplexDiv(u, {u.re + v.im, u.im - v.re});
        };
        an = quotient(Ua, ta);
        bn = quotient(Ub, tb);
    }
    psi0_ = psi1_;
    psi1_ = psi;
    chi0_ = chi1_;
    chi1_ = chi;
}

int MieAnBn(double x, Complex m, int nMax, const MieOrderTables& tables, std::vector<Complex>& an,
            std::vector<Complex>& bn) {
    an.assign(static_cast<std::size_t>(nMax) + 1, Complex{});
    bn.assign(static_cast<std::size_t>(nMax) + 1, Complex{});
    MieOrders orders(x, m, tables);
    for (int n = 1; n <= nMax; ++n) {
        Complex a, b;
        orders.Next(n, a, b);
        // Far above x, a_n and b_n fall like psi_n / xi_n ~ chi_n^-2: from here on they are below
        // 1e-280, and |w|^2 in the coefficients would soon overflow.
        if (std::fabs(orders.chi()) > kChiNegligible) return 0;
        if (!Finite(a) || !Finite(b)) return n;
        an[n] = a;
        bn[n] = b;
    }
    return 0;
}

}  // namespace tessary
