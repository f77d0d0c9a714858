// Plane-wave Mie series: published reference values, term counts, the angle window, stop, size
// normalisation, refusals and physical identities.
// Tolerances sit at the last digit of the reference values.
#include "scattering/mie.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "numerics/constants.h"
#include "rel_error.h"

namespace tessary {
namespace {

using test::RelError;

constexpr double kSentinel = -12345.0;  // marks an output the routine must leave alone

MieInput Sphere(double x, Complex m, int nang = 91) {
    MieInput in;
    in.x = x;
    in.m = m;
    in.NANG = nang;
    in.first = 1;
    in.last = 2 * nang - 1;
    return in;
}

MieResult Compute(const MieInput& in) {
    MieResult r;
    MieSeries(in, r);
    return r;
}

// The four amplitude arrays of r hold n angles each (so that a test may index them).
::testing::AssertionResult AmplitudesHold(const MieResult& r, std::size_t n) {
    for (const auto* a : {&r.S1re, &r.S1im, &r.S2re, &r.S2im})
        if (a->size() != n)
            return ::testing::AssertionFailure() << "amplitudes at " << a->size() << " angles, not " << n;
    return ::testing::AssertionSuccess();
}

void SetSentinels(MieResult& r) { r.Qext = r.Qsca = r.Qback = r.g = kSentinel; }

Complex S1At(const MieResult& r, int k) { return {r.S1re[k], r.S1im[k]}; }

// ---- Published reference values ------------------------------------------------------------------

TEST(MieSeries, ReferenceEfficiencies) {
    const struct {
        const char* name;
        double x;
        Complex m;
        double Qext, Qsca, Qback, g, tolerance;
    } cases[] = {
        // clang-format off
        {"water-like x=10", 10, {1.33, 0}, 2.20654871018, 2.20654871018, 0.0446572400761, 0.712459269673, 5e-12},
        {"absorbing x=10", 10, {1.5, 0.1}, 2.45979052846, 1.23514420937, 0.00737898438139, 0.9223496061, 5e-11},
        {"glass 0.525/0.6328", 2 * kPi * 0.525 / 0.6328, {1.55, 0},
         3.105425531, 3.105425531, 0.2327912123, 0.633136758, 5e-10},
        // clang-format on
    };
    for (const auto& c : cases) {
        const MieResult r = Compute(Sphere(c.x, c.m));
        ASSERT_EQ(r.status, MieStatus::Done) << c.name;
        EXPECT_REL_NEAR(r.Qext, c.Qext, c.tolerance) << c.name;
        EXPECT_REL_NEAR(r.Qsca, c.Qsca, c.tolerance) << c.name;
        EXPECT_REL_NEAR(r.Qback, c.Qback, c.tolerance) << c.name;
        EXPECT_REL_NEAR(r.g, c.g, c.tolerance) << c.name;
    }
}

TEST(MieSeries, LogarithmicDerivativeStartsHighEnough) {
    // D_n started at 0 only 20 orders above |m x| gives Qext = 2.016464300951 here.
    const MieResult r = Compute(Sphere(1000, {1.33, 0}));
    EXPECT_REL_NEAR(r.Qext, 2.016578312848, 1e-12);
    EXPECT_EQ(r.nMax, 1350);
    EXPECT_GT(r.recurrenceStart, 1350 + 80);
}

TEST(MieSeries, ReferenceAmplitudes) {
    const MieResult r = Compute(Sphere(10, {1.33, 0}));
    const Complex forward = S1At(r, 1), backward = S1At(r, 181);
    EXPECT_LE(RelError(forward.re, forward.im, 55.16371775, 23.04188575), 1e-9);
    EXPECT_LE(RelError(backward.re, backward.im, 0.96001070, 3.62047859), 1e-8);
}

// ---- Spheres much smaller than the wavelength ----------------------------------------------------

// scripts/mie_small_reference_values.py, part 1: x, m, Qext, Qsca, Qback, g, then S1(0), S1(90),
// S2(90), S1(180) as (re, im) on the grid of NANG = 3. From x = 1e-13, near the smallest x taken.
constexpr struct SmallSphere {
    double x;
    Complex m;
    double Qext, Qsca, Qback, g;
    double S[8];
} kSmallSpheres[] = {
    // clang-format off
    {1e-13, {1.33, 0.0}, 1.1098881769079209e-53, 1.1098881769079209e-53, 1.3248314222561070e-54, 1.8327783260423998e-27, 2.7747204422698023e-80, -2.0401178062564680e-40, 2.7747204422698023e-80, -2.0401178062564680e-40, 4.4826845560761666e-95, -3.2959012531015509e-55, 2.7747204422698023e-80, -2.0401178062564680e-40},
    {1e-06, {1.33, 0.0}, 1.1098881769078389e-25, 1.1098881769078389e-25, 1.3248314222554217e-26, 1.8327783260423164e-13, 2.7747204422695969e-38, -2.0401178062568448e-19, 2.7747204422695969e-38, -2.0401178062563925e-19, 4.4826845561042593e-53, -6.3581951606434274e-33, 2.7747204422695969e-38, -2.0401178062559402e-19},
    {1e-05, {1.33, 0.0}, 1.1098881768997544e-21, 1.1098881768997544e-21, 1.3248314221876135e-22, 1.8327783260340971e-11, 2.7747204422493865e-32, -2.0401178062941940e-16, 2.7747204422493865e-32, -2.0401178062489626e-16, 4.4826848402885767e-47, -6.0319009366217771e-28, 2.7747204422493865e-32, -2.0401178062037312e-16},
    {0.0001, {1.33, 0.0}, 1.1098881760912524e-17, 1.1098881760912524e-17, 1.3248314154067208e-18, 1.8327783252121158e-9, 2.7747204402281313e-26, -2.0401178100290365e-13, 2.7747204402281313e-26, -2.0401178055058970e-13, 4.4855270067034390e-41, -6.0286379979151621e-23, 2.7747204402281313e-26, -2.0401178009827575e-13},
    {0.001, {1.33, 0.0}, 1.1098880952409817e-13, 1.1098880952409817e-13, 1.3248307373175040e-14, 1.8327782430141065e-7, 2.7747202381024544e-20, -2.0401181835131842e-10, 2.7747202381023952e-20, -2.0401177311992403e-10, 3.2907220770145141e-34, -6.0286057218887600e-18, 2.7747202381023360e-20, -2.0401172788853635e-10},
    {0.01, {1.33, 0.0}, 1.1098800093271654e-9, 1.1098800093271654e-9, 1.3247629286724111e-10, 1.8327700242812557e-5, 2.7747000233179137e-14, -2.0401555306888783e-7, 2.7747000227263060e-14, -2.0401102993506244e-7, 2.8424713537788407e-24, -6.0286407392236686e-13, 2.7747000221346983e-14, -2.0400650686841508e-7},
    {0.1, {1.33, 0.0}, 1.1090625362212145e-5, 1.1090625362212145e-5, 1.3179848110198021e-6, 0.0018319588208688170, 2.7726563405530365e-8, -0.00020438778350637715, 2.7726504338013221e-8, -0.00020393552538908346, 2.8397342789148593e-14, -6.0322152870866373e-8, 2.7726445270523719e-8, -0.00020348393850540553},
    {1.0, {1.33, 0.0}, 0.093924001214071767, 0.093924001214071767, 0.0067342645985277356, 0.18451667398208966, 0.023481000303517942, -0.22817192185363234, 0.022955345722311862, -0.18283627585939475, 0.00027251287563782667, -0.0067029021903368442, 0.022432071636908711, -0.14371192835718665},
    {1e-13, {10.0, 10.0}, 5.9994000599940008e-15, 2.6664666866646672e-52, 3.1828601532941236e-53, 1.1666760411393526e-27, 1.4998500149985003e-41, -9.9985001499850024e-40, 1.4998500149985003e-41, -9.9985001499850024e-40, 2.4230745608590860e-56, -1.6153022669760009e-54, 1.4998500149985003e-41, -9.9985001499850024e-40},
    {1e-06, {10.0, 10.0}, 5.9994000626694816e-8, 2.6664666866678655e-24, 3.1828601532969865e-25, 1.1666760398694526e-13, 1.4998500156673703e-20, -9.9985001499914962e-19, 1.4998500150005994e-20, -9.9985001499909962e-19, 6.6656492893337724e-30, 1.1504355246609310e-31, 1.4998500143338286e-20, -9.9985001499904963e-19},
    {1e-05, {10.0, 10.0}, 5.9994003275423706e-7, 2.6664666869845797e-20, 3.1828601535805043e-21, 1.1666759141494007e-11, 1.4998500818855929e-17, -9.9985001506346060e-16, 1.4998500152085102e-17, -9.9985001505846138e-16, 6.6656253006756753e-25, 1.1664271428104313e-26, 1.4998499485314274e-17, -9.9985001505346217e-16},
    {0.0001, {10.0, 10.0}, 5.9994268150708232e-6, 2.6664667186558274e-16, 3.1828601819321591e-17, 1.1666633421842087e-9, 1.4998567037677059e-14, -9.9985002149449024e-13, 1.4998500360594471e-14, -9.9985002099458106e-13, 6.6656250387895665e-20, 1.1665996283774117e-21, 1.4998433683512009e-14, -9.9985002049467188e-13},
    {0.001, {10.0, 10.0}, 6.0020758074794602e-5, 2.6664698858517013e-12, 3.1828630179817706e-13, 1.1654061862064819e-7, 1.5005189518698651e-11, -9.9985066445390426e-10, 1.4998521812013558e-11, -9.9985061458869197e-10, 6.6656228337039445e-15, 1.1678582916554622e-16, 1.4991854106598392e-11, -9.9985056472348074e-10},
    {0.01, {10.0, 10.0}, 0.00062672129984200849, 2.6667877474218304e-8, 3.1831559765469280e-9, 1.0397368914781167e-5, 1.5668032496050213e-8, -9.9991368658658338e-7, 1.5001280079762288e-8, -9.9990995711223880e-7, 6.6653774211911330e-10, 1.2935629501740804e-11, 1.4334540362486406e-8, -9.9990622763718378e-7},
    {0.1, {10.0, 10.0}, 0.032039090653970911, 0.00027098300392336980, 3.3028401318310306e-5, -0.010887468642346302, 8.0097726634927286e-5, -0.00099412871137199472, 1.6024716869972650e-5, -0.0010058235705171869, 6.3989242467602180e-5, 1.3355844344318055e-5, -4.7922626976229856e-5, -0.0010175073715889670},
    {1.0, {10.0, 10.0}, 2.5329930778963664, 2.0494050069254810, 0.26332157681983868, -0.11066436104552768, 0.63324826947409159, -0.41793050821420204, 0.52386284428517460, -0.66753524005136754, 0.078811718960584573, 0.34355437436249104, 0.44854644136313691, -0.79123651407739744},
    // clang-format on
};

// The upward recurrence of psi_n gave g = -8.2e-8 for +1.83e-9 at x = 1e-4 and Qsca 9e-4 off at 1e-6.
TEST(MieSeries, SmallSpheresAgreeWithArbitraryPrecision) {
    for (const SmallSphere& c : kSmallSpheres) {
        const MieResult r = Compute(Sphere(c.x, c.m, 3));
        ASSERT_EQ(r.status, MieStatus::Done) << c.x;
        EXPECT_REL_NEAR(r.Qext, c.Qext, 1e-12) << c.x << " " << c.m.re;
        EXPECT_REL_NEAR(r.Qsca, c.Qsca, 1e-12) << c.x << " " << c.m.re;
        EXPECT_REL_NEAR(r.Qback, c.Qback, 1e-12) << c.x << " " << c.m.re;
        EXPECT_REL_NEAR(r.g, c.g, 1e-12) << c.x << " " << c.m.re;
        const Complex s[] = {S1At(r, 1), S1At(r, 3), {r.S2re[3], r.S2im[3]}, S1At(r, 5)};
        for (int k = 0; k < 4; ++k)
            EXPECT_LE(RelError(s[k].re, s[k].im, c.S[2 * k], c.S[2 * k + 1]), 1e-12)
                << c.x << " " << c.m.re << " " << k;
    }
}

// ---- Term counts ------------------------------------------------------------------------------------

TEST(MieSeries, TermCounts) {
    const struct {
        const char* name;
        double x;
        MieGraph graph;
        int nStop, nMax, termCount;
    } cases[] = {
        {"x=10", 10, MieGraph::Normal, 39, 59, 39},
        {"x=100", 100, MieGraph::Normal, 139, 159, 139},
        {"x=100 convergence", 100, MieGraph::Convergence, 139, 153, 153},  // round(152.9)
    };
    for (const auto& c : cases) {
        MieInput in = Sphere(c.x, {1.33, 0});
        in.graph = c.graph;
        in.angleIndex = 1;
        std::vector<int> orders;
        MieResult r;
        MieSeries(in, r, [&](int n, int total) {
            orders.push_back(n);
            EXPECT_EQ(total, c.termCount);
            return false;
        });
        EXPECT_EQ(r.nStop, c.nStop) << c.name;
        EXPECT_EQ(r.nMax, c.nMax) << c.name;
        EXPECT_EQ(r.termCount, c.termCount) << c.name;
        EXPECT_EQ(r.ordersDone, c.termCount) << c.name;
        // D_n starts well above |m x| and never below the last order summed.
        EXPECT_GE(r.recurrenceStart, std::max(r.nMax, r.termCount)) << c.name;
        ASSERT_EQ(orders.size(), static_cast<size_t>(c.termCount)) << c.name;
        for (size_t i = 0; i < orders.size(); ++i) EXPECT_EQ(orders[i], static_cast<int>(i) + 1);
    }
}

TEST(MieSeries, ConvergenceGraphKeepsIntensitiesPerOrder) {
    // x = 200, water: with the recurrence started at termCount (about 1.1 |m x|) S1(180) would be 180 % off.
    MieInput in = Sphere(200, {1.33, 0});
    const MieResult normal = Compute(in);
    in.graph = MieGraph::Convergence;
    in.angleIndex = 181;
    const MieResult conv = Compute(in);
    ASSERT_EQ(conv.status, MieStatus::Done);
    ASSERT_EQ(conv.intensityPerp.size(), static_cast<size_t>(conv.termCount) + 1);
    ASSERT_EQ(conv.intensityPara.size(), conv.intensityPerp.size());
    ASSERT_EQ(conv.intensityUnpol.size(), conv.intensityPerp.size());
    ASSERT_TRUE(AmplitudesHold(conv, 182));
    ASSERT_TRUE(AmplitudesHold(normal, 182));
    EXPECT_EQ(conv.intensityPerp[0], 0.0);
    // The orders beyond NSTOP add next to nothing: the amplitudes agree with the normal graph.
    EXPECT_LE(RelError(conv.S1re[181], conv.S1im[181], normal.S1re[181], normal.S1im[181]), 1e-12);
    const int last = conv.termCount;
    const double s1 = std::hypot(conv.S1re[181], conv.S1im[181]),
                 s2 = std::hypot(conv.S2re[181], conv.S2im[181]);
    EXPECT_REL_NEAR(conv.intensityPerp[last], s1 * s1, 1e-14);
    EXPECT_REL_NEAR(conv.intensityPara[last], s2 * s2, 1e-14);
    EXPECT_EQ(conv.intensityUnpol[last], (conv.intensityPerp[last] + conv.intensityPara[last]) / 2);
    EXPECT_TRUE(normal.intensityPerp.empty());
}

// ---- Angle grid and window -------------------------------------------------------------------------

TEST(MieSeries, WindowSumsOnlyItsIndicesWithTheSameValues) {
    const MieInput full = Sphere(30, {1.5, 0.01}, 181);
    const MieResult all = Compute(full);
    const int back = 2 * full.NANG - 1;
    ASSERT_TRUE(AmplitudesHold(all, static_cast<size_t>(back) + 1));
    const struct {
        int first, last;
    } windows[] = {{1, 1},   {2, 2},     {181, 181}, {182, 182},  {back, back},
                   {7, 190}, {100, 361}, {-5, 3},    {300, 9999}, {50, 40}};
    MieResult r;  // reused: nothing of an earlier call may survive
    for (const auto& w : windows) {
        MieInput in = full;
        in.first = w.first;
        in.last = w.last;
        MieSeries(in, r);
        ASSERT_EQ(r.status, MieStatus::Done);
        ASSERT_TRUE(AmplitudesHold(r, static_cast<size_t>(back) + 1));
        for (int k = 0; k <= back; ++k) {
            const bool inside = k >= 1 && k >= w.first && k <= w.last;
            EXPECT_EQ(r.S1re[k], inside ? all.S1re[k] : 0.0) << w.first << ".." << w.last << " k=" << k;
            EXPECT_EQ(r.S1im[k], inside ? all.S1im[k] : 0.0) << w.first << ".." << w.last << " k=" << k;
            EXPECT_EQ(r.S2re[k], inside ? all.S2re[k] : 0.0) << w.first << ".." << w.last << " k=" << k;
            EXPECT_EQ(r.S2im[k], inside ? all.S2im[k] : 0.0) << w.first << ".." << w.last << " k=" << k;
        }
        EXPECT_EQ(r.Qext, w.first <= 1 && w.last >= 1 ? all.Qext : 0.0);
        EXPECT_EQ(r.Qback, w.first <= back && w.last >= back ? all.Qback : 0.0);
        EXPECT_EQ(r.Qsca, all.Qsca);
        EXPECT_EQ(r.g, all.g);
    }
}

TEST(MieSeries, TwoAnglesGiveForwardNinetyAndBackward) {
    MieInput in = Sphere(10, {1.33, 0}, 1);
    in.last = 3;
    const MieResult coarse = Compute(in);
    EXPECT_EQ(coarse.NANG, 2);
    ASSERT_TRUE(AmplitudesHold(coarse, 4));
    // 0 and 180 degrees do not depend on the grid.
    const MieResult fine = Compute(Sphere(10, {1.33, 0}, 91));
    ASSERT_TRUE(AmplitudesHold(fine, 182));
    EXPECT_EQ(coarse.S1re[1], fine.S1re[1]);
    EXPECT_EQ(coarse.S1im[3], fine.S1im[181]);
    EXPECT_EQ(coarse.S2re[3], fine.S2re[181]);
    EXPECT_EQ(coarse.Qext, fine.Qext);
    EXPECT_EQ(coarse.Qback, fine.Qback);
    EXPECT_LE(RelError(coarse.S1re[2], coarse.S1im[2], fine.S1re[91], fine.S1im[91]), 1e-13);
}

TEST(MieSeries, ReusedResultGivesFreshValues) {
    MieResult reused;
    for (const int nang : {181, 91, 2, 181}) {
        const MieInput in = Sphere(7.5, {1.6, 0.02}, nang);
        MieSeries(in, reused);
        const MieResult fresh = Compute(in);
        ASSERT_TRUE(AmplitudesHold(fresh, static_cast<size_t>(2 * nang))) << nang;
        ASSERT_TRUE(AmplitudesHold(reused, fresh.S1re.size())) << nang;
        for (size_t k = 0; k < fresh.S1re.size(); ++k) {
            EXPECT_EQ(reused.S1re[k], fresh.S1re[k]) << nang << " " << k;
            EXPECT_EQ(reused.S2im[k], fresh.S2im[k]) << nang << " " << k;
        }
        EXPECT_EQ(reused.g, fresh.g) << nang;
    }
}

TEST(MieSeries, OneAngleOfAFineGridAsInTheWholeGrid) {  // unthreaded against threaded blocks
    MieInput in = Sphere(300, {1.33, 0}, 9001);
    in.last = 2 * in.NANG - 1;
    const MieResult all = Compute(in);
    in.first = in.last = 17838;
    EXPECT_EQ(Compute(in).S1re[17838], all.S1re[17838]);
}

TEST(MieSeries, ReportsOrderOneEveryKthAndTheLast) {  // of 139 orders
    MieInput in = Sphere(100, {1.33, 0}, 46);
    in.ordersPerCallback = 64;
    std::vector<int> seen;
    MieResult r;
    MieSeries(in, r, [&](int n, int) { return seen.push_back(n), false; });
    EXPECT_EQ(seen, (std::vector<int>{1, 65, 129, 139}));
}

// ---- Stop ------------------------------------------------------------------------------------------

TEST(MieSeries, StopFinishesTheOrderAndKeepsPartialSums) {
    MieInput in = Sphere(50, {1.33, 0});
    in.graph = MieGraph::Convergence;
    in.angleIndex = 181;
    const MieResult conv = Compute(in);

    in.graph = MieGraph::Normal;
    for (const int stopAt : {1, 17}) {
        MieResult r;
        SetSentinels(r);
        int calls = 0;
        MieSeries(in, r, [&](int n, int) {
            ++calls;
            return n == stopAt;
        });
        EXPECT_EQ(r.status, MieStatus::Stopped);
        EXPECT_EQ(calls, stopAt);
        EXPECT_EQ(r.ordersDone, stopAt);
        EXPECT_EQ(r.Qext, kSentinel);
        EXPECT_EQ(r.Qback, kSentinel);
        EXPECT_GT(r.Qsca, 0.0);
        EXPECT_NE(r.g, kSentinel);
        // The partial amplitudes are those of the first stopAt orders.
        const double s1 = std::hypot(r.S1re[181], r.S1im[181]);
        EXPECT_REL_NEAR(s1 * s1, conv.intensityPerp[stopAt], 1e-14);
    }
}

TEST(MieSeries, StopAfterTheLastOrderLeavesRawSums) {
    MieInput in = Sphere(10, {1.5, 0.1});
    in.mnuSize = true;  // the division by x belongs to the normal end only
    const MieResult done = Compute(in);
    MieResult r;
    MieSeries(in, r, [](int n, int total) { return n == total; });
    ASSERT_EQ(r.status, MieStatus::Stopped);
    EXPECT_REL_NEAR(r.Qsca * 2 / (in.x * in.x), done.Qsca, 1e-15);
    EXPECT_REL_NEAR(2 * r.g / r.Qsca, done.g, 1e-15);
    EXPECT_REL_NEAR(r.S1re[1] / in.x, done.S1re[1], 1e-15);
}

// ---- Size normalisation ------------------------------------------------------------------------------

TEST(MieSeries, SizeNormalisationDividesAmplitudesByX) {
    for (const double x : {0.5, 10.0, 123.0}) {
        MieInput in = Sphere(x, {1.33, 0.002});
        const MieResult plain = Compute(in);
        in.mnuSize = true;
        const MieResult sized = Compute(in);
        EXPECT_REL_NEAR(sized.Qext, plain.Qext / x, 1e-14) << x;
        EXPECT_REL_NEAR(sized.Qback, plain.Qback / (x * x), 1e-14) << x;
        EXPECT_EQ(sized.Qsca, plain.Qsca) << x;
        EXPECT_EQ(sized.g, plain.g) << x;
        for (const int k : {1, 45, 91, 150, 181}) {
            EXPECT_EQ(sized.S1re[k], plain.S1re[k] / x);
            EXPECT_EQ(sized.S2im[k], plain.S2im[k] / x);
        }
    }
}

// ---- Limits and refusals -------------------------------------------------------------------------

TEST(MieSeries, RefusesWithMessageAndTitle) {
    const double inf = std::numeric_limits<double>::infinity(),
                 nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        double x;
        Complex m;
        int nang;
        MieRefusal why;
        const char* message;  // exact text, or nullptr when only the reason is checked
    } cases[] = {
        {"|mx| above 200000",
         150376,
         {1.33, 0},
         91,
         MieRefusal::TooLarge,
         "Reduce radius or increase wavelength"},
        {"NMX above 200000",
         199900,
         {0.75, 0},
         91,
         MieRefusal::TooLarge,
         "Reduce radius or increase wavelength"},
        {"x = 0",
         0,
         {1.33, 0},
         91,
         MieRefusal::BadSize,
         "Size parameter x = 0 is not a finite number above 0"},
        {"x < 0", -1, {1.33, 0}, 91, MieRefusal::BadSize, nullptr},
        {"x infinite", inf, {1.33, 0}, 91, MieRefusal::BadSize, nullptr},
        {"x NaN", nan, {1.33, 0}, 91, MieRefusal::BadSize, nullptr},
        {"m = 0",
         10,
         {0, 0},
         91,
         MieRefusal::BadIndex,
         "Refractive index m = 0 + 0i must be finite and not 0"},
        {"m NaN",
         10,
         {nan, -0.5},
         91,
         MieRefusal::BadIndex,
         "Refractive index m = nan - 0.5i must be finite and not 0"},
        {"Im m infinite", 10, {1.33, inf}, 91, MieRefusal::BadIndex, nullptr},
        {"NANG too large", 10, {1.33, 0}, 9002, MieRefusal::BadAngles, nullptr},
        // chi_n overflows: the terms would turn into NaN.
        {"x tiny", 1e-15, {1.33, 0}, 91, MieRefusal::NotFinite, nullptr},
    };
    for (const auto& c : cases) {
        MieResult r = Compute(Sphere(10, {1.33, 0}));  // a reused result with earlier values
        SetSentinels(r);
        MieSeries(Sphere(c.x, c.m, c.nang), r);
        EXPECT_EQ(r.status, MieStatus::Refused) << c.name;
        EXPECT_EQ(r.refusal, c.why) << c.name;
        EXPECT_EQ(r.title, "Error in BHMIE sub-routine") << c.name;
        if (c.message != nullptr) {
            EXPECT_EQ(r.message, c.message) << c.name;
        }
        EXPECT_FALSE(r.message.empty()) << c.name;
        for (const double v : {r.Qext, r.Qsca, r.Qback, r.g}) EXPECT_EQ(v, kSentinel) << c.name;
        for (const auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im})
            for (const double v : *s) EXPECT_EQ(v, 0.0) << c.name;
    }
}

TEST(MieSeries, LimitTestsAtTheirEdges) {
    // |m x| = 200000 exactly passes the first test (the counts get set), then NMX = 200020 fails.
    MieResult r = Compute(Sphere(160000, {1.25, 0}, 2));
    EXPECT_EQ(r.refusal, MieRefusal::TooLarge);
    EXPECT_EQ(r.nMax, 200020);
    EXPECT_EQ(r.termCount, r.nStop);
    // NMX = 200000 exactly passes.
    r = Compute(Sphere(159984, {1.25, 0}, 2));
    EXPECT_EQ(r.status, MieStatus::Done);
    EXPECT_EQ(r.nMax, 200000);
    EXPECT_REL_NEAR(r.Qsca, 2.0, 1e-3);
}

TEST(MieSeries, ConvergenceAngleIndexMustLieInTheTable) {
    MieInput in = Sphere(10, {1.33, 0});
    in.graph = MieGraph::Convergence;
    for (const int k : {-1, 182}) {
        in.angleIndex = k;
        EXPECT_EQ(Compute(in).refusal, MieRefusal::BadAngles) << k;
    }
    in.angleIndex = 181;
    EXPECT_EQ(Compute(in).status, MieStatus::Done);
}

// ---- Physical identities --------------------------------------------------------------------------

// Simpson's rule over theta in [0, pi] on the grid of angle indices 1..2 NANG - 1 (an even number of steps).
double Integrate(const MieResult& r, double (*weight)(double theta)) {
    const int points = 2 * r.NANG - 1;
    const double h = kPi / (points - 1);
    double sum = 0.0;
    for (int k = 1; k <= points; ++k) {
        const double theta = (k - 1) * h;
        const double i1 = r.S1re[k] * r.S1re[k] + r.S1im[k] * r.S1im[k];
        const double i2 = r.S2re[k] * r.S2re[k] + r.S2im[k] * r.S2im[k];
        const double c = (k == 1 || k == points) ? 1.0 : (k % 2 == 0 ? 4.0 : 2.0);
        sum += c * (i1 + i2) * weight(theta);
    }
    return sum * h / 3.0;
}

TEST(MieSeries, PhysicalIdentities) {
    const struct {
        double x;
        Complex m;
    } spheres[] = {
        {0.3, {1.33, 0}}, {3, {1.5, 0.1}}, {10, {0.75, 0}}, {25, {2.5, 0.5}}, {40, {1.33, 1e-300}}};
    for (const auto& s : spheres) {
        const MieResult r = Compute(Sphere(s.x, s.m, 1801));
        ASSERT_EQ(r.status, MieStatus::Done) << s.x;
        const int back = 2 * r.NANG - 1;
        // pi_n = tau_n at 0 degrees and -tau_n at 180 degrees: S1(0) = S2(0), S1(180) = -S2(180).
        EXPECT_LE(RelError(r.S1re[1], r.S1im[1], r.S2re[1], r.S2im[1]), 1e-13) << s.x;
        EXPECT_LE(RelError(r.S1re[back], r.S1im[back], -r.S2re[back], -r.S2im[back]), 1e-11) << s.x;
        // Optical theorem against the coefficient sum; no absorption means no loss.
        if (s.m.im < 1e-200)
            EXPECT_REL_NEAR(r.Qext, r.Qsca, 1e-12) << s.x;
        else
            EXPECT_GT(r.Qext, r.Qsca) << s.x;
        // Qsca and g from the angular distribution ([1] 4.61, 4.80).
        const double x2 = s.x * s.x;
        EXPECT_REL_NEAR(Integrate(r, [](double t) { return std::sin(t); }) / x2, r.Qsca, 1e-8) << s.x;
        EXPECT_REL_NEAR(Integrate(r, [](double t) { return std::sin(t) * std::cos(t); }) / (x2 * r.Qsca), r.g,
                        1e-8)
            << s.x;
    }
}

TEST(MieSeries, TinyImaginaryPartAgreesWithRealIndex) {
    const MieResult real = Compute(Sphere(40, {1.33, 0}));
    const MieResult complex = Compute(Sphere(40, {1.33, 1e-300}));  // takes the complex-arithmetic path
    EXPECT_REL_NEAR(complex.Qext, real.Qext, 1e-13);
    EXPECT_REL_NEAR(complex.g, real.g, 1e-13);
    EXPECT_LE(RelError(complex.S2re[120], complex.S2im[120], real.S2re[120], real.S2im[120]), 1e-12);
}

// ---- The BHMIE2 variant --------------------------------------------------------------------------

TEST(MieSeries2, DiffersOnlyInTheConvergenceGraph) {
    MieInput in = Sphere(100, {1.33, 0});
    MieResult one, two;
    MieSeries(in, one);
    MieSeries2(in, two);
    EXPECT_EQ(two.termCount, one.termCount);
    EXPECT_EQ(two.Qext, one.Qext);
    EXPECT_EQ(two.S2im[77], one.S2im[77]);

    in.graph = MieGraph::Convergence;
    in.angleIndex = 1;
    MieSeries(in, one);
    MieSeries2(in, two);
    EXPECT_EQ(one.termCount, 153);  // round(1.1 * 139)
    EXPECT_EQ(one.nMax, 153);       // NMX = termCount
    EXPECT_EQ(two.termCount, 167);  // round(1.2 * 139)
    EXPECT_EQ(two.nMax, 167);       // the larger of NMX (159) and termCount
    ASSERT_EQ(two.intensityPerp.size(), 168u);
    ASSERT_EQ(one.intensityPerp.size(), 154u);
    EXPECT_EQ(two.intensityPerp[153], one.intensityPerp[153]);

    in.x = 1000;  // NMX = 1350 exceeds 1.2 NSTOP = 1272
    MieSeries2(in, two);
    EXPECT_EQ(two.termCount, 1272);
    EXPECT_EQ(two.nMax, 1350);
}

}  // namespace
}  // namespace tessary
