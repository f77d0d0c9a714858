// Spherical Bessel j_n(z) of complex argument: published values, an independent downward recurrence,
// high-precision references, the scaled range far above |z|, and the iteration bound.
// Reference values marked "mpmath" come from mpmath 1.3 at 60 digits:
//   sqrt(pi / (2 z)) * besselj(n + 1/2, z), printed as mantissa and power of ten.
#include "numerics/spherical_bessel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>

#include "rel_error.h"

namespace tessary {
namespace {

using Cplx = std::complex<double>;
using test::RelError;

// mantissa * 10^(exponent10 - atExponent) as a plain complex value (the two exponents must be close).
Cplx At(const ContFracResult& r, int atExponent) {
    const double f = std::pow(10.0, r.exponent10 - atExponent);
    return {r.mantissa.re * f, r.mantissa.im * f};
}

// Scaled value: v * 10^e.
struct Scaled {
    Cplx v;
    int e = 0;
};

// j_n(z) by Miller's downward recurrence j_(k-1) = (2k + 1)/z j_k - j_(k+1), started well above
// max(n, |z|) and normalised to j_0 = sin z / z; rescaled by 1e150 steps so any n fits.
Scaled DownwardRecurrence(int n, Cplx z) {
    const int start = static_cast<int>(std::max<double>(n, std::abs(z))) + 100;
    Cplx above = 0.0, current = 1e-100;  // f_(k+1), f_k
    int e = 0;
    Scaled fn{current, e};
    for (int k = start; k > 0; --k) {
        const Cplx below = (2.0 * k + 1.0) / z * current - above;
        above = current;
        current = below;
        if (std::abs(current) > 1e150) {
            current *= 1e-150;
            above *= 1e-150;
            e += 150;
        }
        if (k - 1 == n) fn = {current, e};
    }
    const Cplx j0 = std::sin(z) / z;
    return {fn.v * j0 / current, fn.e - e};
}

void ExpectNear(const ContFracResult& r, Scaled expected, double tol, const char* what) {
    ASSERT_EQ(r.status, ContFracStatus::Ok) << what;
    const Cplx got = At(r, expected.e);
    EXPECT_LE(RelError(got.real(), got.imag(), expected.v.real(), expected.v.imag()), tol)
        << what << ": got " << r.mantissa.re << " + " << r.mantissa.im << "i e" << r.exponent10
        << ", expected " << expected.v.real() << " + " << expected.v.imag() << "i e" << expected.e;
}

TEST(ComplexContFrac, PublishedValues) {
    const struct {
        int n;
        Complex z;
        double re, im;
    } cases[] = {
        {1, {1, 0}, 0.3011686789397568, 0.0},  // sin 1 - cos 1
        {2, {1, 0}, 0.06203505201137387, 0.0},
        {3, {10, 0.5}, -0.04150210646873997, 0.04861486803119391},
    };
    for (const auto& c : cases) {
        const ContFracResult r = ComplexContFrac(c.n, c.z);
        ASSERT_EQ(r.status, ContFracStatus::Ok);
        EXPECT_EQ(r.exponent10, 0);
        EXPECT_LE(RelError(r.mantissa.re, r.mantissa.im, c.re, c.im), 2e-15) << "n = " << c.n;
    }
}

TEST(ComplexContFrac, OrderZeroAndArgumentZero) {
    const ContFracResult j0 = ComplexContFrac(0, {2, -1});
    const Cplx expected = std::sin(Cplx(2, -1)) / Cplx(2, -1);
    EXPECT_LE(RelError(j0.mantissa.re, j0.mantissa.im, expected.real(), expected.imag()), 1e-15);

    const ContFracResult atZero = ComplexContFrac(0, {0, 0});
    EXPECT_EQ(atZero.mantissa, (Complex{1, 0}));
    for (int n : {1, 2, 30}) {
        const ContFracResult r = ComplexContFrac(n, {0, 0});
        EXPECT_EQ(r.status, ContFracStatus::Ok);
        EXPECT_EQ(r.mantissa, (Complex{0, 0})) << "j_" << n << "(0)";
        EXPECT_EQ(r.exponent10, 0);
    }
}

TEST(ComplexContFrac, RealArgumentGivesRealValues) {
    for (int n : {0, 1, 2, 7, 40}) {
        for (double x : {0.3, 1.0, 12.5, 100.0}) {
            const ContFracResult r = ComplexContFrac(n, {x, 0});
            EXPECT_EQ(r.mantissa.im, 0.0) << "n = " << n << ", x = " << x;
        }
    }
}

TEST(ComplexContFrac, AgreesWithDownwardRecurrenceFarAboveArgument) {
    const ContFracResult r = ComplexContFrac(30, {1, 0.1});
    EXPECT_EQ(r.exponent10, 0);
    EXPECT_NEAR(std::hypot(r.mantissa.re, r.mantissa.im), 6.4634e-43, 0.0001e-43);
    ExpectNear(r, DownwardRecurrence(30, {1, 0.1}), 1e-14, "j_30(1 + 0.1i)");
}

TEST(ComplexContFrac, AgreesWithDownwardRecurrence) {
    const struct {
        int n;
        Cplx z;
    } cases[] = {
        {5, {0.5, 0}}, {12, {3, -2}}, {60, {45, 0.01}}, {200, {20, 5}}, {4, {-7.5, 2}},
    };
    for (const auto& c : cases)
        ExpectNear(ComplexContFrac(c.n, {c.z.real(), c.z.imag()}), DownwardRecurrence(c.n, c.z), 1e-13,
                   "case");
}

// mpmath references, among them the scaled range: orders far above |z| whose j_n lies below 1e-300.
TEST(ComplexContFrac, HighPrecisionReferences) {
    const struct {
        int n;
        Complex z;
        double re, im;
        int e;
        double tol;
    } cases[] = {
        {3, {10, 0.5}, -4.1502106468740023, 4.8614868031193914, -2, 1e-15},
        {30, {1, 0.1}, -6.3878088272199786, 0.98582276299285321, -43, 1e-15},
        {100, {50, 3}, 0.59104284118280588, -1.1050201684957638, -22, 1e-14},
        // near a zero: 50 times below the envelope 1/|z|, so the relative error grows alike
        {10, {100, 0}, -1.9565785971342901, 0.0, -4, 3e-13},
        {4, {-7.5, 2}, 1.3534116589768865, 3.3395198629573337, -1, 1e-15},
        {40, {2, 30}, -3.3414665343430421, 0.5726270329471368, 0, 1e-14},
        // thousands of rounded factors, and sin z / z 16 times below its envelope at z = 3000
        {5000, {3000, 0}, 3.1074454577598405, 0.0, -653, 2e-12},
        // m = 0.75, x = 4700: z = 3525 at the top orders round(x + 4 x^0.3333 + 2) and 1.2 times it.
        {4769, {3525, 0}, 2.886612663245096, 0.0, -302, 1e-12},
        {5723, {3525, 0}, 2.534327988868169, 0.0, -695, 1e-12},
    };
    for (const auto& c : cases) {
        const ContFracResult r = ComplexContFrac(c.n, c.z);
        ExpectNear(r, {{c.re, c.im}, c.e}, c.tol, "mpmath");
    }
}

TEST(ComplexContFrac, ScaledResultIsNormalised) {
    const ContFracResult below = ComplexContFrac(5000, {3000, 0});
    EXPECT_EQ(below.exponent10, -653);
    EXPECT_GE(std::fabs(below.mantissa.re), 1.0);
    EXPECT_LT(std::fabs(below.mantissa.re), 10.0);
    // Just inside the range the value is plain: j_4700(3525) is about 1e-237.
    EXPECT_EQ(ComplexContFrac(4700, {3525, 0}).exponent10, 0);
}

TEST(ComplexContFrac, ScaledAgainstDownwardRecurrence) {
    ExpectNear(ComplexContFrac(5000, {3000, 0}), DownwardRecurrence(5000, {3000, 0}), 2e-12, "j_5000(3000)");
    ExpectNear(ComplexContFrac(900, {30, 1}), DownwardRecurrence(900, {30, 1}), 1e-12, "j_900(30 + i)");
}

// Beyond |Im z| of about 710, sin z leaves the double range; the scale carries it.
TEST(ComplexContFrac, LargeImaginaryPartIsScaled) {
    const struct {
        int n;
        Complex z;
        double re, im;
        int e;
    } cases[] = {
        {0, {10, 1000}, -8.3179091330237968, 5.2756222885628232, 430},
        {3, {10, 1000}, 5.2445472849130208, 8.2678163493011693, 430},
        {7, {5, -800}, 1.5805144430429491, 0.45718888836819646, 344},
    };
    for (const auto& c : cases)
        ExpectNear(ComplexContFrac(c.n, c.z), {{c.re, c.im}, c.e}, 1e-13, "large Im z");
}

TEST(ComplexContFrac, TinyArgumentUsesLeadingTerm) {
    // j_3(z) = z^3 / 105 to the last bit for |z| = 1e-120; j_200(1e-120) = 1e-24000 / 401!!.
    const ContFracResult r = ComplexContFrac(3, {1e-120, 0});
    ExpectNear(r, {{1.0 / 105.0, 0.0}, -360}, 1e-15, "j_3(1e-120)");
    const ContFracResult deep = ComplexContFrac(200, {0, 1e-120});
    EXPECT_EQ(deep.status, ContFracStatus::Ok);
    EXPECT_LT(deep.exponent10, -24000);
    // Just above the threshold the continued fraction agrees with the same term.
    ExpectNear(ComplexContFrac(3, {2e-100, 0}), {{8.0 / 105.0, 0.0}, -300}, 1e-15, "j_3(2e-100)");
}

// At these z the second chain's D vanishes exactly in double arithmetic at its second order
// (a_(n+2) = 1/a_(n+1), z^2 = (2n + 3)(2n + 5) to the last bit): the chain steps over the zero.
TEST(ComplexContFrac, ChainStepsOverAnExactZero) {
    const struct {
        int n;
        double z, re;
        int e;
    } cases[] = {
        {4, 11.958260743101397, 2.0192568261068627, -2},
        {9, 21.977260975835911, -2.2702923124396309, -2},
        {28, 59.991666087882571, -1.4150883989938461, -2},
    };
    // 1e-13: at z = 21.98 sin z / z is 70 times below its envelope (the neighbouring doubles, with
    // no zero step, are 3e-14 off as well)
    for (const auto& c : cases)
        ExpectNear(ComplexContFrac(c.n, {c.z, 0}), {{c.re, 0.0}, c.e}, 1e-13, "zero step");
}

TEST(ComplexContFrac, BoundReportsNoConvergence) {
    // j_30(1 + 0.1i) needs more than 30 orders: the second chain starts at order 31.
    const ContFracResult cut = ComplexContFracBounded(30, {1, 0.1}, 30);
    EXPECT_EQ(cut.status, ContFracStatus::NoConvergence);
    EXPECT_EQ(cut.mantissa, (Complex{0, 0}));
    // For a tiny z the chains agree after two orders, but five are always evaluated.
    EXPECT_EQ(ComplexContFracBounded(1, {1e-50, 0}, 4).status, ContFracStatus::NoConvergence);
    EXPECT_EQ(ComplexContFracBounded(1, {1e-50, 0}, 5).status, ContFracStatus::Ok);
}

TEST(ComplexContFrac, InvalidArgumentsFailInsteadOfLooping) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Complex bad[] = {{nan, 0}, {1, nan}, {inf, 0}, {0, -inf}, {1e200, 0}, {3e8, 0}};
    for (const Complex z : bad) {
        const ContFracResult r = ComplexContFrac(2, z);
        EXPECT_EQ(r.status, ContFracStatus::NoConvergence) << z.re << " " << z.im;
        EXPECT_EQ(r.mantissa, (Complex{0, 0}));
    }
    EXPECT_EQ(ComplexContFrac(-1, {1, 0}).status, ContFracStatus::NoConvergence);
    EXPECT_EQ(ComplexContFrac(20'000'000, {1, 0}).status, ContFracStatus::NoConvergence);
}

}  // namespace
}  // namespace tessary
