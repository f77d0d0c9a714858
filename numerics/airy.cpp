// Airy function and derivative; see airy.h. The ranges and their variables t in [-1, 1] are those of [1].
#include "airy.h"

#include <cmath>
#include <span>

#include "airy_tables.h"

namespace tessary {
namespace {

constexpr double kPhase = 1.30899693899575;  // 5 pi / 12: cos(c - kPhase) = cos(c - pi/4 - pi/6)
constexpr double kSqrt3Half = 0.866025403784439;
constexpr double kShift2 = 5.03154716196777;  // range 1.2 < x, c <= 5: t = (2x - kShift2) kScale2
constexpr double kScale2 = 0.380004589867293;
constexpr double kScale1 = 0.833333333333333;  // range 0 <= x <= 1.2: t = (2x - 1.2) kScale1

// sum_k T[k] T_k(t), the first coefficient counted in full, by Clenshaw's recurrence.
double Chebyshev(std::span<const double> T, double t) {
    const double tt = t + t;
    const std::size_t N = T.size();
    double b1 = T[N - 1], b2 = 0;
    for (std::size_t j = N - 2; j >= 1; --j) {
        const double old = b1;
        b1 = tt * b1 - b2 + T[j];
        b2 = old;
    }
    return t * b1 - b2 + T[0];
}

}  // namespace

AiryResult AiryCalc(double x) {
    using namespace airy;
    if (std::isnan(x) || std::isinf(x)) return {0, 0, AiryStatus::NotFiniteArgument};

    const double rx = std::sqrt(std::fabs(x));
    const double c = 2 * std::pow(std::fabs(x), 1.5) / 3;  // zeta = (2/3) |x|^(3/2)
    AiryResult r;
    if (x < 0 && c > 5) {
        // Oscillating range: Ai = (P cos(c - 5pi/12) - Q sin(c - 5pi/12)) / |x|^(1/4), t = 10/c - 1.
        const double t = 10 / c - 1;
        const double rtrx = std::sqrt(rx);
        const double cv = c - kPhase;
        const double cs = std::cos(cv), sn = std::sin(cv);
        r.ai = (Chebyshev(A, t) * cs - Chebyshev(B, t) * sn) / rtrx;
        const double e1 = cs * kSqrt3Half + 0.5 * sn;  // cos(cv - pi/6)
        const double e2 = sn * kSqrt3Half - 0.5 * cs;  // sin(cv - pi/6)
        r.dai = (Chebyshev(DA, t) * e1 - Chebyshev(DB, t) * e2) * rtrx;
    } else if (x < 0) {
        // -3.83 <= x < 0: power-series parts f + x g, t = 0.4 c - 1.
        const double t = 0.4 * c - 1;
        r.ai = Chebyshev(AJN, t) - x * Chebyshev(AJP, t);
        r.dai = x * x * Chebyshev(DAJP, t) + Chebyshev(DAJN, t);
    } else if (c > 5) {
        // Decaying range x > 3.83: Ai = exp(-c) S / x^(1/4), t = 10/c - 1.
        const double t = 10 / c - 1;
        const double rtrx = std::sqrt(rx);
        const double ec = std::exp(-c);
        r.ai = ec * Chebyshev(AK3, t) / rtrx;
        r.dai = -rtrx * ec * Chebyshev(DAK3, t);
    } else if (x > 1.2) {
        // 1.2 < x <= 3.83
        const double t = (x + x - kShift2) * kScale2;
        const double rtrx = std::sqrt(rx);
        const double ec = std::exp(-c);
        r.ai = ec * Chebyshev(AK2, t) / rtrx;
        r.dai = -ec * Chebyshev(DAK2, t) * rtrx;
    } else {
        // 0 <= x <= 1.2
        const double t = (x + x - 1.2) * kScale1;
        r.ai = Chebyshev(AK1, t);
        r.dai = -Chebyshev(DAK1, t);
    }
    if (!std::isfinite(r.ai) || !std::isfinite(r.dai)) return {0, 0, AiryStatus::OutOfRange};
    return r;
}

}  // namespace tessary
