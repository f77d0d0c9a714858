// Debye series of a plane wave: term counts, refusals and the hand-over, the tables of x and m x on
// the real, complex and rescaled paths against independent long-double evaluations, the Debye
// identity sum_p = Mie coefficient per order, the sum of p = 0..50 against the Mie series and its
// published efficiencies, the backscatter of p = 0, stops, windows, and the stand-alone SW.
#include "scattering/debye.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "rel_error.h"
#include "scattering/mie.h"
#include "scattering/ray_orders.h"

namespace tessary {
namespace {

using LC = std::complex<long double>;
using test::RelError;

LC L(Complex a) { return {a.re, a.im}; }

double Diff(Complex a, LC b) { return static_cast<double>(std::abs(L(a) - b)); }

RaySelection Select(const char* listText) {
    RayChoice choice;
    choice.listText = listText;
    return RaysCheck(choice, RaySelection{}).selection;
}

DebyeInput Input(double x, Complex m, const char* listText, int nang = 91) {
    DebyeInput in;
    in.x = x;
    in.m = m;
    in.NANG = nang;
    in.first = 1;
    in.last = 2 * nang - 1;
    in.rayListText = listText;
    return in;
}

DebyeResult Compute(const DebyeInput& in, const RaySelection& rays, DebyeStepCallback onStep = {}) {
    DebyeResult r;
    DebyePlaneWave(in, rays, r, onStep);
    return r;
}

DebyeResult Compute(const DebyeInput& in) { return Compute(in, Select(std::string(in.rayListText).c_str())); }

// Mie coefficients a_n, b_n (n = 0..N, entry 0 unused) in long double: [Bohren & Huffman 4.88] with
// D_n(m x) by downward recurrence started far above max(N, |m x|), psi_n and chi_n upward.
void ReferenceMie(double x, Complex m, int N, std::vector<LC>& a, std::vector<LC>& b) {
    const LC mc = L(m);
    const long double xl = x;
    const LC mx = mc * xl;
    const int start = static_cast<int>(std::max<long double>(N, std::abs(mx))) + 200;
    std::vector<LC> D(start + 1);
    for (int k = start; k >= 1; --k)
        D[k - 1] = static_cast<long double>(k) / mx - 1.0L / (D[k] + static_cast<long double>(k) / mx);
    a.assign(N + 1, 0.0L);
    b.assign(N + 1, 0.0L);
    long double psi0 = std::cos(xl), psi1 = std::sin(xl), chi0 = -std::sin(xl), chi1 = std::cos(xl);
    for (int n = 1; n <= N; ++n) {
        const long double psi = (2 * n - 1) / xl * psi1 - psi0, chi = (2 * n - 1) / xl * chi1 - chi0;
        const LC xi(psi, -chi), xiPrev(psi1, -chi1);
        const LC ta = D[n] / mc + static_cast<long double>(n) / xl,
                 tb = mc * D[n] + static_cast<long double>(n) / xl;
        a[n] = (ta * psi - psi1) / (ta * xi - xiPrev);
        b[n] = (tb * psi - psi1) / (tb * xi - xiPrev);
        psi0 = psi1, psi1 = psi, chi0 = chi1, chi1 = chi;
    }
}

// Riccati-Hankel zeta_n = z h_n(z) of a real x, first (kind 1) or second (kind 2) kind, and its
// derivative, n = 0..N, by upward recurrence in long double ([Abramowitz & Stegun 10.1.11, 10.1.19]);
// stable for a real argument, where y_n dominates above x.
void ReferenceZetaOfX(long double x, int kind, int N, std::vector<LC>& zeta, std::vector<LC>& dzeta) {
    const LC i(0.0L, 1.0L);
    std::vector<long double> j(N + 1), y(N + 1);
    j[0] = std::sin(x) / x, y[0] = -std::cos(x) / x;
    j[1] = std::sin(x) / (x * x) - std::cos(x) / x, y[1] = -std::cos(x) / (x * x) - std::sin(x) / x;
    for (int n = 2; n <= N; ++n) {
        j[n] = (2 * n - 1) / x * j[n - 1] - j[n - 2];
        y[n] = (2 * n - 1) / x * y[n - 1] - y[n - 2];
    }
    zeta.assign(N + 1, 0.0L);
    dzeta.assign(N + 1, 0.0L);
    const long double sign = kind == 1 ? 1.0L : -1.0L;
    for (int n = 0; n <= N; ++n) zeta[n] = x * LC(j[n], sign * y[n]);
    dzeta[0] = sign * i * zeta[0];
    for (int n = 1; n <= N; ++n) dzeta[n] = zeta[n - 1] - static_cast<long double>(n) * zeta[n] / x;
}

// zeta2_n(z) = z (j_n - i y_n) of a complex z and its derivative, unscaled, in long double: j_n by
// Miller's downward recurrence normalised to sin z / z (stable whatever the absorption), y_n from the
// cross product j_n y_(n-1) - j_(n-1) y_n = z^-2.
void ReferenceZeta2(LC z, int N, std::vector<LC>& zeta, std::vector<LC>& dzeta) {
    const LC i(0.0L, 1.0L);
    const int start = 2 * static_cast<int>(std::max<long double>(N, std::abs(z))) + 100;
    std::vector<LC> t(start + 2, 0.0L);
    t[start] = 1e-30L;
    for (int k = start; k > 0; --k) {
        t[k - 1] = static_cast<long double>(2 * k + 1) / z * t[k] - t[k + 1];
        if (std::abs(t[k - 1]) > 1e1000L)
            for (int q = k - 1; q <= start; ++q) t[q] *= 1e-1000L;
    }
    const LC norm = std::sin(z) / z / t[0];
    std::vector<LC> j(N + 1), y(N + 1);
    for (int n = 0; n <= N; ++n) j[n] = t[n] * norm;
    y[0] = -std::cos(z) / z;
    for (int n = 1; n <= N; ++n) y[n] = (j[n] * y[n - 1] - 1.0L / (z * z)) / j[n - 1];
    zeta.assign(N + 1, 0.0L);
    dzeta.assign(N + 1, 0.0L);
    for (int n = 0; n <= N; ++n) zeta[n] = z * (j[n] - i * y[n]);
    dzeta[0] = -i * zeta[0];
    for (int n = 1; n <= N; ++n) dzeta[n] = zeta[n - 1] - static_cast<long double>(n) * zeta[n] / z;
}

double Intensity(const DebyeResult& r, int j) {
    return (r.S1re[j] * r.S1re[j] + r.S1im[j] * r.S1im[j] + r.S2re[j] * r.S2re[j] + r.S2im[j] * r.S2im[j]) /
           2;
}

// ---- Counts, refusals, hand-over -------------------------------------------------------------------

struct CountCase {
    double x;
    Complex m;
    DebyeGraph graph;
    int nStop, nMax, termCount;
};

class DebyeCounts : public testing::TestWithParam<CountCase> {};

TEST_P(DebyeCounts, FollowTheSizeParameter) {
    const CountCase& c = GetParam();
    DebyeInput in = Input(c.x, c.m, "2");
    in.graph = c.graph;
    const DebyeResult r = Compute(in);
    ASSERT_EQ(r.status, DebyeStatus::Done) << r.message;
    EXPECT_EQ(r.nStop, c.nStop);
    EXPECT_EQ(r.nMax, c.nMax);
    EXPECT_EQ(r.termCount, c.termCount);
    // The sums themselves go on past termCount (to nMax, where the tables of x stay in range).
    EXPECT_GT(r.seriesOrders, c.termCount);
    EXPECT_GE(r.tables.jnnx.size(), static_cast<std::size_t>(r.seriesOrders) + 1);
    if (c.graph == DebyeGraph::Convergence)
        EXPECT_EQ(r.intensityPerp.size(), static_cast<std::size_t>(c.termCount) + 1);
    else
        EXPECT_TRUE(r.intensityPerp.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DebyeCounts,
    testing::Values(
        // round(10 + 4 10^0.3333 + 2) = 21, floor(max(13.3, 21)) + 15 = 36, round(1.2 21) = round(25.2) = 25
        CountCase{10.0, {1.33, 0.0}, DebyeGraph::Normal, 21, 36, 21},
        CountCase{10.0, {1.33, 0.0}, DebyeGraph::Convergence, 21, 36, 25},
        // |m x| = 400 rules nMax: floor(400) + 15
        CountCase{100.0, {4.0, 0.0}, DebyeGraph::Normal, 121, 415, 121}));

TEST(DebyeSeries, RefusesBeyondTheTermLimit) {
    const DebyeResult r = Compute(Input(160000.0, {1.33, 0.0}, "2"));
    EXPECT_EQ(r.status, DebyeStatus::Refused);
    EXPECT_EQ(r.refusal, DebyeRefusal::TooLarge);
    EXPECT_EQ(r.message, "Reduce radius or increase wavelength");
    EXPECT_EQ(r.title, "Error");
    EXPECT_TRUE(r.S1re.empty());
}

TEST(DebyeSeries, RefusesUnusableSizeOrIndex) {
    for (double x : {0.0, -1.0, double(NAN), double(INFINITY)}) {
        const DebyeResult r = Compute(Input(x, {1.33, 0.0}, "2"));
        EXPECT_EQ(r.refusal, DebyeRefusal::BadSize) << x;
    }
    for (Complex m : {Complex{0.0, 0.0}, Complex{NAN, 0.0}, Complex{1.33, INFINITY}}) {
        const DebyeResult r = Compute(Input(10.0, m, "2"));
        EXPECT_EQ(r.refusal, DebyeRefusal::BadIndex) << m.re << " " << m.im;
    }
}

TEST(DebyeSeries, HandsOrderZeroToMieAboveAbsorption700) {
    // x Im m = 800: the single order "0" goes to the Mie series.
    EXPECT_EQ(Compute(Input(1000.0, {1.33, 0.8}, "0")).status, DebyeStatus::HandOverToMie);
    // x Im m = 700 is not above the limit: the Debye stages run.
    EXPECT_EQ(Compute(Input(1000.0, {1.33, 0.7}, "0", 11)).status, DebyeStatus::Done);
    // "Multiple" with only p = 0 ticked does not hand over; here sin(m x) overflows and it is refused.
    RayChoice choice;
    choice.listText = "Multiple";
    choice.chkp[0] = 1;
    const DebyeResult r =
        Compute(Input(1000.0, {1.33, 0.8}, "Multiple"), RaysCheck(choice, RaySelection{}).selection);
    EXPECT_EQ(r.status, DebyeStatus::Refused);
    EXPECT_EQ(r.refusal, DebyeRefusal::TooAbsorbing);
    EXPECT_EQ(r.message,
              "Absorption too strong for the Debye series (x Im m = 800, at most 709): reduce radius or "
              "absorption, "
              "or choose the ray order 0");
}

TEST(DebyeSeries, RefusesAnEmptyMultipleSelection) {
    RayChoice choice;
    choice.listText = "Multiple";
    const DebyeResult r =
        Compute(Input(10.0, {1.33, 0.0}, "Multiple", 10), RaysCheck(choice, RaySelection{}).selection);
    EXPECT_EQ(r.refusal, DebyeRefusal::NoRays);
    EXPECT_EQ(r.message, "No rays selected");
    EXPECT_EQ(r.title, "Error");
    EXPECT_EQ(r.termCount, 21);
    ASSERT_EQ(r.S1re.size(), 20u);
    for (double v : r.S1re) EXPECT_EQ(v, 0.0);
}

TEST(DebyeSeries, SurfaceWaveSubtractionLeavesTheSeriesAsItIs) {
    DebyeInput in = Input(10.0, {1.33, 0.0}, "2");
    const DebyeResult plain = Compute(in);
    in.mnuSWsub = true;  // the window procedure subtracts the rays afterwards
    const DebyeResult r = Compute(in);
    EXPECT_EQ(r.status, DebyeStatus::Done);
    EXPECT_EQ(r.S1re, plain.S1re);
    EXPECT_EQ(r.S2im, plain.S2im);
}

TEST(DebyeSeries, RaisesNangBelowTwo) {
    DebyeInput in = Input(10.0, {1.33, 0.0}, "0", 1);
    in.last = 3;
    const DebyeResult r = Compute(in);
    ASSERT_EQ(r.status, DebyeStatus::Done);
    EXPECT_EQ(r.NANG, 2);
    ASSERT_EQ(r.S1re.size(), 4u);  // 0, 90 and 180 degrees at indices 1..3
    EXPECT_NE(r.S1re[3], 0.0);
    EXPECT_EQ(Compute(Input(10.0, {1.33, 0.0}, "0", kDebyeMaxNang + 1)).refusal, DebyeRefusal::BadAngles);
}

TEST(DebyeSeries, RefusesBesselFunctionsBelowTheDoubleRange) {
    // m = 0.3, x = 3000: j_n(900) at n = 3058 is about 1e-1100.
    const DebyeResult r = Compute(Input(3000.0, {0.3, 0.0}, "1", 3));
    EXPECT_EQ(r.refusal, DebyeRefusal::BesselRange);
    EXPECT_EQ(r.message.rfind("Reduce radius or increase wavelength", 0), 0u) << r.message;
}

// ---- Tables: real, complex and rescaled paths --------------------------------------------------------

TEST(DebyeTables, RealPathHasRealFunctionsAndNoScale) {
    const DebyeResult r = Compute(Input(10.0, {1.33, 0.0}, "2"));
    const DebyeTables& t = r.tables;
    EXPECT_FALSE(t.complexPath);
    EXPECT_EQ(t.debyeScaleExp, 0);
    EXPECT_EQ(t.debyeScale, 1.0);
    for (int n = 0; n <= t.termCount; ++n) {
        EXPECT_EQ(t.jnnx[n].im, 0.0);
        EXPECT_EQ(t.ynnx[n].im, 0.0);
        EXPECT_EQ(t.psiMx[n].im, 0.0);
        EXPECT_EQ(t.chiMx[n].im, 0.0);
    }
    // j_1(13.3) and j_2(13.3) against closed forms.
    const double z = 13.3;
    EXPECT_REL_NEAR(t.jnnx[1].re, std::sin(z) / (z * z) - std::cos(z) / z, 1e-14);
    EXPECT_REL_NEAR(t.jnnx[2].re, (3 / (z * z) - 1) * std::sin(z) / z - 3 * std::cos(z) / (z * z), 1e-13);
}

TEST(DebyeTables, RealIndexBelowOneTakesTheComplexPath) {
    // m = 0.75: Im sin(m x) = 0 counts as -300 in the scale exponent, so |Re sin(7.5)| = 0.938 alone gives
    // -1.
    const DebyeResult r = Compute(Input(10.0, {0.75, 0.0}, "2"));
    ASSERT_EQ(r.status, DebyeStatus::Done);
    EXPECT_TRUE(r.tables.complexPath);
    EXPECT_EQ(r.tables.debyeScaleExp, -1);
    EXPECT_EQ(r.tables.debyeScale, 0.1);
}

struct ZetaCase {
    double x;
    Complex m;
    int scaleExp;  // expected debyeScaleExp
    double tol;    // on the coefficients against the unscaled long-double evaluation
};

class DebyeRescaling : public testing::TestWithParam<ZetaCase> {};

// T21, T12, R22 of both modes against an unscaled long-double evaluation from zeta2(m x); R11, which
// is about e^(-2 x Im m), is below the rounding of the rescaled tables and must come out negligible.
TEST_P(DebyeRescaling, GivesTheUnscaledCoefficients) {
    const ZetaCase& c = GetParam();
    const DebyeResult r = Compute(Input(c.x, c.m, "1", 3));
    ASSERT_EQ(r.status, DebyeStatus::Done) << r.message;
    const DebyeTables& t = r.tables;
    EXPECT_EQ(t.debyeScaleExp, c.scaleExp);
    EXPECT_EQ(t.debyeScale,
              c.scaleExp >= 150 ? std::pow(10.0, c.scaleExp / 2.0) : std::pow(10.0, c.scaleExp));
    const int N = r.termCount;
    std::vector<LC> z1x, dz1x, z2x, dz2x, z2mx, dz2mx;
    ReferenceZetaOfX(c.x, 1, N, z1x, dz1x);
    ReferenceZetaOfX(c.x, 2, N, z2x, dz2x);
    const LC m = L(c.m), twoI(0.0L, 2.0L);
    ReferenceZeta2(m * static_cast<long double>(c.x), N, z2mx, dz2mx);
    const DebyeCoefficients& k = r.coefficients;
    for (int n = 0; n <= N; ++n) {
        const LC Dm = dz1x[n] * z2mx[n] - m * z1x[n] * dz2mx[n];
        const LC De = dz1x[n] * z2mx[n] - z1x[n] * dz2mx[n] / m;
        const LC R22m = -(dz2x[n] * z2mx[n] - m * z2x[n] * dz2mx[n]) / Dm;
        const LC R22e = -(dz2x[n] * z2mx[n] - z2x[n] * dz2mx[n] / m) / De;
        const LC expected[] = {twoI / Dm, twoI * m / Dm, twoI / De, twoI / m / De, R22m, R22e};
        const Complex got[] = {k.t21m[n], k.t12m[n], k.t21e[n], k.t12e[n], k.r22m[n], k.r22e[n]};
        for (int q = 0; q < 6; ++q)
            EXPECT_LE(Diff(got[q], expected[q]), c.tol * static_cast<double>(std::abs(expected[q])))
                << "n = " << n << " coefficient " << q;
        if (c.scaleExp >= 150) {
            EXPECT_LT(ComplexAbs(k.r11m[n]), 1e-13) << n;
            EXPECT_LT(ComplexAbs(k.r11e[n]), 1e-13) << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DebyeRescaling,
    testing::Values(
        // |sin(m x)| ~ e^400 / 2 ~ 1e173: exponent 173, tables divided by 10^86.5.
        ZetaCase{400.0, {1.33, 1.0}, 173, 1e-10},
        // |Im sin(53.2 + 40i)| = |cos 53.2| sinh 40 = 1.16e17: exponent 17, full rescaling.
        ZetaCase{40.0, {1.33, 1.0}, 17, 1e-11},
        // weak absorption: both parts of sin(45 + 0.3i) below 1, so the tables are multiplied by 10.
        ZetaCase{30.0, {1.5, 0.01}, -1, 1e-11}));

// ---- The Debye identity and the sum over orders --------------------------------------------------------

struct IdentityCase {
    double x;
    Complex m;
    bool recursion;
    double tol;    // on |sum_p - a_n| and |sum_p - b_n| (coefficients are at most 1)
    int nChecked;  // highest order checked; 0 = all
};

class DebyeIdentity : public testing::TestWithParam<IdentityCase> {};

// Summed over all p, (1 - R22 - T21 T12 / (1 - R11)) / 2 is the Mie coefficient: electric mode a_n,
// magnetic mode b_n.
TEST_P(DebyeIdentity, SumOverOrdersIsTheMieCoefficient) {
    const IdentityCase& c = GetParam();
    DebyeInput in = Input(c.x, c.m, "1", 3);
    in.mnuDebyeRecursion = c.recursion;
    const DebyeResult r = Compute(in);
    ASSERT_EQ(r.status, DebyeStatus::Done) << r.message;
    std::vector<LC> a, b;
    ReferenceMie(c.x, c.m, r.termCount, a, b);
    const DebyeCoefficients& k = r.coefficients;
    const int top = c.nChecked > 0 ? c.nChecked : r.termCount;
    for (int n = 1; n <= top; ++n) {
        const LC e = (1.0L - L(k.r22e[n]) - L(k.t21e[n]) * L(k.t12e[n]) / (1.0L - L(k.r11e[n]))) / 2.0L;
        const LC mg = (1.0L - L(k.r22m[n]) - L(k.t21m[n]) * L(k.t12m[n]) / (1.0L - L(k.r11m[n]))) / 2.0L;
        EXPECT_LE(static_cast<double>(std::abs(e - a[n])), c.tol) << "a_" << n;
        EXPECT_LE(static_cast<double>(std::abs(mg - b[n])), c.tol) << "b_" << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DebyeIdentity,
    testing::Values(IdentityCase{10.0, {1.33, 0.0}, false, 1e-13, 0},  // real path
                    IdentityCase{10.0, {1.5, 0.1}, false, 1e-13, 0},   // complex path
                    // Complex path with a real m x (bubble). Above n = m x = 15 the inner wave is
                    // evanescent, R11 = 1 - O(j_n/y_n) and the sum T21 T12 / (1 - R11) is ill-conditioned.
                    IdentityCase{20.0, {0.75, 0.0}, false, 1e-13, 15},
                    IdentityCase{100.0, {1.33, 0.001}, false, 1e-12, 0},
                    IdentityCase{400.0, {1.33, 1.0}, false, 1e-12, 0},  // rescaled by 10^86.5
                    IdentityCase{1000.0, {1.33, 0.0}, false, 1e-10, 0},
                    // The upward recurrence of j_n(m x): exact enough while termCount stays near |m x|.
                    IdentityCase{100.0, {1.33, 0.001}, true, 1e-10, 0},
                    IdentityCase{10.0, {1.5, 0.1}, true, 1e-9, 0}));

struct SumCase {
    double x;
    Complex m;
    double Qext, Qback;  // published Mie values
};

// Orders p = 0..50 at x = 10, m = 1.5 + 0.1i: the internal reflections die out, so the sum is the Mie
// series (with the Debye series' 21 orders against the Mie series' 39: the difference is below 1e-6).
TEST(DebyeSeries, OrdersZeroToFiftyGiveTheMieSeries) {
    const Complex m{1.5, 0.1};
    const DebyeResult r = Compute(Input(10.0, m, "-50"));
    ASSERT_EQ(r.status, DebyeStatus::Done) << r.message;
    EXPECT_EQ(r.ordersDone, 51);
    MieInput mi;
    mi.x = 10.0;
    mi.m = m;
    mi.NANG = 91;
    mi.first = 1;
    mi.last = 181;
    MieResult mie;
    MieSeries(mi, mie);
    ASSERT_EQ(mie.status, MieStatus::Done);
    for (int j = 1; j <= 181; ++j) {
        EXPECT_LE(RelError(r.S1re[j], r.S1im[j], mie.S1re[j], mie.S1im[j]), 1e-6) << "S1 at " << j;
        EXPECT_LE(RelError(r.S2re[j], r.S2im[j], mie.S2re[j], mie.S2im[j]), 1e-6) << "S2 at " << j;
    }
    // Published efficiencies of this sphere: Qext = 4/x^2 Re S1(0), Qback = |S1(180)|^2 / (pi x^2).
    EXPECT_REL_NEAR(4.0 / 100.0 * r.S1re[1], 2.45979052846, 1e-8);
    EXPECT_REL_NEAR((r.S1re[181] * r.S1re[181] + r.S1im[181] * r.S1im[181]) / (3.14159265358979 * 100.0),
                    0.00737898438139, 1e-6);
}

TEST(DebyeSeries, ExternalReflectionGivesTheGeometricBackscatter) {
    // p = 0 at 180 degrees: S11 = x^2 R / 4 with R = ((m - 1)/(m + 1))^2 = 50.15 at x = 100, m = 1.33.
    const DebyeResult r = Compute(Input(100.0, {1.33, 0.001}, "0"));
    ASSERT_EQ(r.status, DebyeStatus::Done);
    const double R = std::pow(0.33 / 2.33, 2);
    EXPECT_NEAR(Intensity(r, 181), 100.0 * 100.0 * R / 4, 0.01);
}

TEST(DebyeSeries, SelectedOrdersAddUp) {
    RayChoice choice;
    choice.listText = "Multiple";
    choice.chkp[0] = choice.chkp[2] = 1;
    const DebyeInput in = Input(10.0, {1.33, 0.0}, "Multiple");
    const DebyeResult both = Compute(in, RaysCheck(choice, RaySelection{}).selection);
    const DebyeResult p0 = Compute(Input(10.0, {1.33, 0.0}, "0"));
    const DebyeResult p2 = Compute(Input(10.0, {1.33, 0.0}, "2"));
    ASSERT_EQ(both.status, DebyeStatus::Done);
    EXPECT_EQ(both.ordersDone, 2);
    EXPECT_EQ(both.stepsDone, both.stepsTotal);
    for (int j = 1; j <= 181; ++j) {  // the orders are added before the angle sums
        EXPECT_LE(RelError(both.S1re[j], both.S1im[j], p0.S1re[j] + p2.S1re[j], p0.S1im[j] + p2.S1im[j]),
                  1e-13)
            << j;
        EXPECT_LE(RelError(both.S2re[j], both.S2im[j], p0.S2re[j] + p2.S2re[j], p0.S2im[j] + p2.S2im[j]),
                  1e-13)
            << j;
    }
}

TEST(DebyeSeries, ConvergenceValuesAreThoseOfTheLastOrder) {
    RayChoice choice;
    choice.listText = "Multiple";
    choice.chkp[1] = choice.chkp[3] = 1;
    DebyeInput in = Input(10.0, {1.5, 0.1}, "Multiple");
    in.graph = DebyeGraph::Convergence;
    const DebyeResult r = Compute(in, RaysCheck(choice, RaySelection{}).selection);
    ASSERT_EQ(r.status, DebyeStatus::Done);
    std::vector<Complex> an2, bn2;
    ASSERT_TRUE(DebyePartialWaves(r.coefficients, 3, an2, bn2));
    for (int n = 0; n <= r.termCount; ++n) {
        EXPECT_REL_NEAR(r.intensityPerp[n], std::norm(std::complex<double>(an2[n].re, an2[n].im)), 1e-14);
        EXPECT_REL_NEAR(r.intensityPara[n], std::norm(std::complex<double>(bn2[n].re, bn2[n].im)), 1e-14);
        EXPECT_EQ(r.intensityUnpol[n], (r.intensityPara[n] + r.intensityPerp[n]) / 2);
    }
}

// ---- Windows and stops --------------------------------------------------------------------------------

TEST(DebyeSeries, WindowSumsOnlyItsIndices) {
    const DebyeResult full = Compute(Input(10.0, {1.33, 0.0}, "2"));
    // Index 150 is a mirrored angle (J = 32): its forward index 32 lies outside the window.
    for (int k : {1, 91, 150, 181}) {
        DebyeInput in = Input(10.0, {1.33, 0.0}, "2");
        in.first = in.last = k;
        const DebyeResult r = Compute(in);
        ASSERT_EQ(r.status, DebyeStatus::Done);
        EXPECT_EQ(r.stepsDone, 1.0);  // 90 degrees (k = 91) is summed once
        for (int j = 0; j <= 181; ++j) {
            EXPECT_EQ(r.S1re[j], j == k ? full.S1re[j] : 0.0) << k << " " << j;
            EXPECT_EQ(r.S2im[j], j == k ? full.S2im[j] : 0.0) << k << " " << j;
        }
    }
}

TEST(DebyeSeries, StopKeepsTheFinishedBlocks) {
    // 399 indices: 200 forward in 4 blocks of 64, their mirrors with them; the orders 0..3 are summed
    // together, so a stop leaves whole blocks of all four orders and nothing elsewhere.
    const DebyeInput in = Input(10.0, {1.33, 0.0}, "-3", 200);
    const RaySelection rays = Select("-3");
    const DebyeResult full = Compute(in, rays);
    int calls = 0;
    auto stopAfterTwoBlocks = [&](double done, double) { return done > 0.0 && ++calls == 2; };
    const DebyeResult r = Compute(in, rays, stopAfterTwoBlocks);
    ASSERT_EQ(r.status, DebyeStatus::Stopped);
    EXPECT_EQ(r.ordersDone, 0);
    for (int J = 1; J <= 200; ++J) {
        EXPECT_EQ(r.S1re[J], J <= 128 ? full.S1re[J] : 0.0) << J;
        if (J < 200) {
            EXPECT_EQ(r.S2im[400 - J], J <= 128 ? full.S2im[400 - J] : 0.0) << J;
        }
    }
    EXPECT_EQ(r.stepsDone, 4.0 * 2 * 128);
}

TEST(DebyeSeries, StopDuringTheTablesLeavesZeros) {
    const DebyeInput in = Input(10.0, {1.5, 0.1}, "-3");
    auto stopAtOnce = [](double, double) { return true; };
    const DebyeResult r = Compute(in, Select("-3"), stopAtOnce);
    EXPECT_EQ(r.status, DebyeStatus::Stopped);
    EXPECT_EQ(r.ordersDone, 0);
    EXPECT_EQ(r.stepsDone, 0.0);
    for (double v : r.S1re) EXPECT_EQ(v, 0.0);
}

TEST(DebyeSeries, ReusedResultGivesTheSameAmplitudes) {
    DebyeResult r;
    const RaySelection rays = Select("2");
    DebyePlaneWave(Input(200.0, {1.33, 0.01}, "2"), rays, r);
    const std::vector<double> first = r.S2re;
    DebyePlaneWave(Input(10.0, {1.5, 0.0}, "2", 10), rays, r);
    DebyePlaneWave(Input(200.0, {1.33, 0.01}, "2"), rays, r);
    EXPECT_EQ(r.S2re, first);
}

// ---- Stand-alone recomputation -----------------------------------------------------------------------

TEST(DebyeSW, RecomputesTheTablesOfTheLastRun) {
    for (Complex m : {Complex{1.33, 0.0}, Complex{1.33, 1.0}}) {
        const double x = m.im == 0.0 ? 10.0 : 400.0;
        const DebyeResult run = Compute(Input(x, m, "1", 46));
        ASSERT_EQ(run.status, DebyeStatus::Done);
        DebyeTables tables = run.tables;
        for (auto* v : {&tables.jnx, &tables.psiX}) std::fill(v->begin(), v->end(), 0.0);
        DebyeCoefficients k;
        SWAngles angles;
        const SWInput in{x, m, run.termCount, 46, 1.570796326794895 / 45, 1, 91};
        ASSERT_EQ(SW(in, tables, k, angles), SWStatus::Done);
        for (int n = 0; n <= run.termCount; ++n) {  // the run's tables reach further
            EXPECT_EQ(tables.jnx[n], run.tables.jnx[n]) << n;
            EXPECT_EQ(tables.psiX[n], run.tables.psiX[n]) << n;
            EXPECT_EQ(tables.chiX[n], run.tables.chiX[n]) << n;
        }
        const double S = run.tables.debyeScale;
        for (int n = 0; n <= run.termCount; ++n) {
            // Not divided by the scale: the run's T21 and T12 times debyeScale.
            EXPECT_EQ(k.t21m[n].re / S, run.coefficients.t21m[n].re) << n;
            EXPECT_EQ(k.t12e[n].im / S, run.coefficients.t12e[n].im) << n;
        }
        EXPECT_EQ(angles.stepsDone, 45.0);
    }
}

TEST(DebyeSW, AngularFunctionsOfTheHighestOrder) {
    // termCount 3: pi_3 = (15 mu^2 - 3)/2, tau_3 = 3 mu pi_3 - 4 pi_2 with pi_2 = 3 mu ([Bohren &
    // Huffman 4.47]).
    const DebyeResult run = Compute(Input(10.0, {1.33, 0.0}, "1", 10));
    DebyeTables tables = run.tables;
    DebyeCoefficients k;
    SWAngles angles;
    const SWInput in{10.0, {1.33, 0.0}, 3, 10, 1.570796326794895 / 9, 1, 19};
    ASSERT_EQ(SW(in, tables, k, angles), SWStatus::Done);
    for (int J = 1; J <= 10; ++J) {
        const double mu = std::cos((J - 1) * in.angleStepRad);
        EXPECT_EQ(angles.muTable[J], mu);
        const double pi3 = (15 * mu * mu - 3) / 2;
        EXPECT_NEAR(angles.piTable[J], pi3, 1e-14) << J;
        EXPECT_NEAR(angles.tauTable[J], 3 * mu * pi3 - 4 * 3 * mu, 1e-14) << J;
    }
    // termCount 1: no recurrence, pi_1 = 1 and tau_1 = mu.
    const SWInput one{10.0, {1.33, 0.0}, 1, 10, 1.570796326794895 / 9, 1, 19};
    ASSERT_EQ(SW(one, tables, k, angles), SWStatus::Done);
    EXPECT_EQ(angles.piTable[4], 1.0);
    EXPECT_EQ(angles.tauTable[4], angles.muTable[4]);
}

TEST(DebyeSW, WindowStopAndMissingTables) {
    const DebyeResult run = Compute(Input(10.0, {1.33, 0.0}, "1", 10));
    DebyeTables tables = run.tables;
    DebyeCoefficients k;
    SWAngles angles;
    // Window 12..19: forward angles 1..10 lie outside it, mirrored angles of J = 1..8 inside.
    SWInput in{10.0, {1.33, 0.0}, run.termCount, 10, 1.570796326794895 / 9, 12, 19};
    ASSERT_EQ(SW(in, tables, k, angles), SWStatus::Done);
    EXPECT_EQ(angles.stepsDone, 8.0);
    EXPECT_NE(angles.piTable[8], 0.0);
    EXPECT_EQ(angles.piTable[9], 0.0);  // J = 9 mirrors to 11, outside; forward 9 outside too
    auto stop = [](double, double) { return true; };
    in.firstPoint = 1;
    EXPECT_EQ(SW(in, tables, k, angles, stop), SWStatus::Stopped);
    DebyeTables empty;
    EXPECT_EQ(SW(in, empty, k, angles), SWStatus::NoTables);
}

}  // namespace
}  // namespace tessary
