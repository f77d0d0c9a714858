// Bessel functions of real argument; see bessel_real.h. Equation numbers refer to Abramowitz & Stegun.
#include "bessel_real.h"

#include <cmath>
#include <numbers>

namespace tessary {
namespace {

constexpr double kEps = 1e-8;                     // start value of the recurrence
constexpr double kT = 18.420680743952367;         // -ln(kEps)
constexpr double kRangeLimit = 11.0524084463714;  // 0.6 kT: recurrence below, asymptotic sums above
constexpr double kEuler = 0.577215664901534;      // Euler's constant gamma
constexpr double kTinyX = 1e-100;                 // below: leading terms of the power series
constexpr double kJ0to4TinyX = 1e-40;             // below: 2k/x could overflow BesselJ0to4's recurrence
constexpr double kRescaleAbove = 1e250;           // BesselJ0to4 rescales its values beyond this
constexpr double kRescaleFactor = 0x1p-830;       // exact power of two, about 1.4e-250

constexpr double kPiJY = std::numbers::pi;  // 4 arctan 1, the double nearest pi (not kPi)

bool AllFinite(const BesselJYResult& r) {
    return std::isfinite(r.j0) && std::isfinite(r.j1) && std::isfinite(r.y0) && std::isfinite(r.y1);
}

// x < kTinyX: J0 = I0 = 1 and J1 = I1 = x/2 to double precision; Y0, Y1, K0, K1 from the same
// normalisation as the recurrence (which would overflow here), with L = ln(x/2) + gamma ([1] 9.1.13).
BesselJYResult TinyArgument(double x, int kind) {
    const double L = kEuler + (std::log(x) - std::log(2.0));  // 2/x itself may overflow
    BesselJYResult r{1.0, x / 2, 0.0, 0.0, x, BesselStatus::Ok};
    if (kind > 0) {
        r.y0 = (2 / kPiJY) * (L * r.j0);
        r.y1 = (2 / kPiJY) * (L * r.j1 - r.j0 / x - r.j1);
    } else {
        r.y0 = -L * r.j0;
        r.y1 = (1 / x - r.j1 * r.y0) / r.j0;  // Wronskian I0 K1 + I1 K0 = 1/x ([1] 9.6.15)
    }
    return r;
}

// K0(x) = integral over tau >= 0 of exp(-x cosh tau) ([1] 9.6.24) by the trapezoidal rule, x >= 1.5.
double K0Trapezoidal(double x) {
    const double h = 9 / (x + kT);
    const double q = std::exp(-h);
    double a = -x / 2, b = -x / 2;  // after step i: a + b = -x cosh(i h)
    double sum = std::exp(-x) / 2;
    const int N = static_cast<int>(std::floor(std::log(2 + 2 * kT / x) / h));
    for (int i = 1; i <= N; ++i) {
        a = a / q;
        b = b * q;
        sum = sum + std::exp(a + b);
    }
    return h * sum;
}

// x < kRangeLimit: Miller's backward recurrence over the even orders 2m .. 2 ([1] 9.1.27, 9.6.26),
// normalised by J0 + 2 sum J_2k = 1 ([1] 9.1.46) or I0 + 2 sum I_2k = cosh x ([1] 9.6.39 at 0 and pi),
// with Y0 from its Neumann series ([1] 9.1.88), Y1 from the matching series, K0 from
// K0 = -(ln(x/2) + gamma) I0 + 2 sum I_2k / k below x = 1.5 and by quadrature above.
BesselJYResult Recurrence(double x, int kind) {
    double j0 = kEps, j1 = 0, y0 = 0, y1 = 0, s = 0;
    const double u = 2 / x;
    const double L = kEuler - std::log(u);  // ln(x/2) + gamma
    const int m =
        x > kEps
            ? static_cast<int>(std::floor(kT / 15 + (kind + 2) * x / 6 + std::pow(x * kT * kT / 7, 1.0 / 3)))
            : 1;
    BesselJYResult r{0.0, 0.0, 0.0, 0.0, x, BesselStatus::Ok};
    if (kind > 0) {
        // j0 enters as order k, j1 as order k + 1; they leave as orders k - 2 and k - 1.
        for (int k = 2 * m; k >= 2; k -= 2) {
            s = s + j0;
            y0 = j0 / k - y0;
            y1 = (k + 1) * j1 / (k * (k + 2)) - y1;
            j1 = u * k * j0 - j1;
            j0 = u * (k - 1) * j1 - j0;
        }
        s = 1 / (j0 + 2 * s);
        r.j0 = s * j0;
        r.j1 = s * j1;
        r.y0 = (2 / kPiJY) * (L * r.j0 + 4 * s * y0);
        r.y1 = (2 / kPiJY) * (L * r.j1 + 4 * s * y1 - r.j0 / x - r.j1);
        return r;
    }
    for (int k = 2 * m; k >= 2; k -= 2) {
        s = s + j0;
        y0 = y0 + j0 / k;
        j1 = u * k * j0 + j1;
        j0 = u * (k - 1) * j1 + j0;
    }
    s = ((std::exp(-x) + std::exp(x)) / 2) / (j0 + 2 * s);
    r.j0 = s * j0;
    r.j1 = s * j1;
    r.y0 = x < 1.5 ? 4 * s * y0 - L * r.j0 : K0Trapezoidal(x);
    r.y1 = (1 / x - r.j1 * r.y0) / r.j0;  // Wronskian ([1] 9.6.15)
    return r;
}

// The sums P (in B) and Q (in A) of the Hankel expansion ([1] 9.2.9, 9.2.10, 9.7.1, 9.7.2) for
// c = 4 nu^2 - 1, each already multiplied by sqrt(2 / (pi x)); six terms each.
void HankelSums(double w, double c, int kind, double& A, double& B) {
    const int m = static_cast<int>(std::floor(0.12 * kT));  // 2
    double T = std::sqrt((8 / kPiJY) * w);
    B = T;
    A = 0;
    for (int k = 2; k <= 8 * m + 6; k += 4) {
        T = T * w * (c / k - k + 2);
        A = T - kind * A;
        T = T * w * (c / (k + 2) - k);
        B = T - kind * B;
    }
}

// x >= kRangeLimit: Hankel's asymptotic expansions ([1] 9.2.5, 9.2.6, 9.7.1, 9.7.2).
BesselJYResult Asymptotic(double x, int kind) {
    const double w = 1 / (4 * x);
    double A0, B0, A1, B1;
    HankelSums(w, -1, kind, A0, B0);  // order 0
    HankelSums(w, 3, kind, A1, B1);   // order 1
    BesselJYResult r{0.0, 0.0, 0.0, 0.0, x, BesselStatus::Ok};
    if (kind > 0) {
        const double chi = x - kPiJY / 4;
        const double c = std::cos(chi), s = std::sin(chi);
        r.j0 = B0 * c + A0 * s;
        r.y0 = B0 * s - A0 * c;
        r.j1 = B1 * s - A1 * c;
        r.y1 = -A1 * s - B1 * c;
        return r;
    }
    const double e = std::exp(x) / 2;
    const double q = kPiJY / (4 * e);
    r.j0 = e * (B0 - A0);
    r.j1 = e * (B1 - A1);
    r.y0 = q * (B0 + A0);
    r.y1 = q * (A1 + B1);
    return r;
}

}  // namespace

BesselJYResult BesselJY(double x, BesselKind kind) {
    const int k = static_cast<int>(kind);
    if (std::isnan(x) || std::isinf(x)) return {0, 0, 0, 0, x, BesselStatus::NotFiniteArgument};
    if (x < 0) return {0, 0, 0, 0, x, BesselStatus::NegativeArgument};
    if (x == 0) x = 1e-12;  // the routine's stand-in for the singular point

    BesselJYResult r;
    if (x < kTinyX) {
        r = TinyArgument(x, k);
    } else if (x < kRangeLimit) {
        r = Recurrence(x, k);
    } else {
        r = Asymptotic(x, k);
    }
    // I0, I1 beyond e^709.78, or Y1 ~ -2/(pi x) below x ~ 6e-309
    if (!AllFinite(r)) r.status = BesselStatus::OutOfRange;
    return r;
}

BesselJ0to4Result BesselJ0to4(int n, double x) {
    BesselJ0to4Result r;
    auto& J = r.J;
    if (std::isnan(x) || std::isinf(x)) return {{}, BesselStatus::NotFiniteArgument};
    if (x < 0) return {{}, BesselStatus::NegativeArgument};
    if (n < 1) return {{}, BesselStatus::StartOrderTooLow};
    if (x == 0) {
        J[0] = 1;  // J_k(0) = 0 for k >= 1
        return r;
    }
    if (x < kJ0to4TinyX) {
        // Leading terms (x/2)^k / k! of [1] 9.1.10; the next terms are 1e-80 smaller.
        const double h = x / 2;
        J = {1.0, h, h * h / 2, h * h * h / 6, h * h * h * h / 24};
        return r;
    }

    // J(0) holds order k, J(1) order k + 1, ...; J_(k-1) = (2k/x) J_k - J_(k+1) ([1] 9.1.27).
    J[0] = 1;
    double sum = 0;
    for (int k = n;;) {
        J[4] = J[3];
        J[3] = J[2];
        J[2] = J[1];
        J[1] = J[0];
        J[0] = (2.0 * k / x) * J[1] - J[2];
        k = k - 1;
        if (std::fabs(J[0]) > kRescaleAbove) {
            for (double& v : J) v *= kRescaleFactor;
            sum *= kRescaleFactor;
        }
        if (k == 0) break;
        if (k % 2 == 0) sum = sum + 2 * J[0];
    }
    sum = sum + J[0];  // J0 + 2 (J2 + J4 + ... below the start order) ([1] 9.1.46)

    if (sum == 0 || !std::isfinite(sum)) return {{}, BesselStatus::NormalisationFailed};
    for (double& v : J) v = v / sum;
    for (double v : J)
        if (!std::isfinite(v)) return {{}, BesselStatus::NormalisationFailed};
    return r;
}

int BesselJ0to4StartOrder(double x) { return static_cast<int>(std::ceil(x + 8 * std::cbrt(x))) + 20; }

}  // namespace tessary
