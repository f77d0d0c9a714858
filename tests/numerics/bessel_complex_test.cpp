// Modified Bessel functions I_k(z) of complex argument and the start-order rules msta1, msta2, envj.
// Reference values marked "mpmath" come from mpmath 1.3 at 50 digits: besseli(k, z), and
// exp(-|Re z|) * besseli(k, z) for the scaled form.
#include "numerics/bessel_complex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numerics/elementary.h"
#include "rel_error.h"

namespace tessary {
namespace {

using test::RelError;

TEST(BesselStartOrder, PublishedValues) {
    EXPECT_EQ(msta1(1, 200), 105);
    EXPECT_EQ(msta1(10, 200), 178);
    EXPECT_EQ(msta1(100, 200), 412);
    EXPECT_EQ(msta1(-10, 200), 178);  // msta1 takes |x|
    EXPECT_EQ(msta2(10, 8, 15), 44);
    EXPECT_EQ(msta2(100, 8, 15), 174);
    EXPECT_EQ(msta2(1, 8, 15), 24);
    EXPECT_EQ(msta2(0.88, 8, 15), 23);  // Int(1.1 x) = 0 is raised to 1
}

TEST(BesselStartOrder, EnvjUsesTheFlooredLog10) {
    EXPECT_DOUBLE_EQ(envj(1, 1), 0.5 * Log10(6.28) - Log10(1.36));
    EXPECT_DOUBLE_EQ(envj(2, 0), 0.5 * Log10(12.56) + 2 * 300.0);  // Log10(0) = -300
}

// Where the secant step would leave the orders 1 and above (or the int range) the last iterate stays.
TEST(BesselStartOrder, SecantKeepsTheLastIterateInsteadOfLeavingTheRange) {
    EXPECT_EQ(msta1(10, -100), 17);              // the first step would give -199
    EXPECT_EQ(msta1(1e6, 1000000000), 1100006);  // the first step would give 2.9e9
}

TEST(BesselStartOrder, InvalidArgumentsGiveZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(msta1(nan, 200), 0);
    EXPECT_EQ(msta1(1e300, 200), 0);
    EXPECT_EQ(msta2(-1, 8, 15), 0);
    EXPECT_EQ(msta2(1, 0, 15), 0);
}

struct Value {
    int k;
    double re, im;
};

void ExpectValues(const BesselIResult& r, const Value* begin, const Value* end, double tol,
                  const char* what) {
    ASSERT_EQ(r.status, BesselIStatus::Ok) << what;
    for (const Value* v = begin; v != end; ++v) {
        ASSERT_LT(v->k, static_cast<int>(r.values.size())) << what;
        const Complex got = r.values[v->k];
        EXPECT_LE(RelError(got.re, got.im, v->re, v->im), tol)
            << what << " I_" << v->k << ": got " << got.re << " + " << got.im << "i";
    }
}

TEST(BesselI, PublishedValues) {
    const BesselIResult left = BesselI(1, {-2, 1});  // the recurrence runs on 2 - i; odd orders flip sign
    EXPECT_NEAR(left.values[0].re, 1.5862595, 5e-8);
    EXPECT_NEAR(left.values[0].im, -1.3916025, 5e-8);
    EXPECT_NEAR(left.values[1].re, -1.0104884, 5e-8);
    EXPECT_NEAR(left.values[1].im, 1.2918475, 5e-8);

    const BesselIResult imaginary = BesselI(1, {0, 0.5});
    EXPECT_NEAR(imaginary.values[0].re, 0.9384698, 5e-8);  // J_0(0.5)
    EXPECT_NEAR(imaginary.values[0].im, 0.0, 1e-15);
    EXPECT_NEAR(imaginary.values[1].re, 0.0, 1e-15);
    EXPECT_NEAR(imaginary.values[1].im, 0.2422685, 5e-8);

    const BesselIResult one = BesselI(8, {1, 0});
    EXPECT_EQ(one.startOrder, 24);  // msta1(1, 200) = 105 is not below 8, so msta2(1, 8, 15)
    EXPECT_EQ(one.computedOrder, 8);
    EXPECT_NEAR(one.values[0].re, 1.2660659, 5e-8);
    EXPECT_NEAR(one.values[1].re, 0.5651591, 5e-8);
    EXPECT_NEAR(one.values[2].re, 0.1357477, 5e-8);
}

TEST(BesselI, ZeroArgument) {
    for (int n : {0, 1, 5}) {
        const BesselIResult r = BesselI(n, {0, 0});
        ASSERT_EQ(r.status, BesselIStatus::Ok);
        ASSERT_EQ(r.values.size(), static_cast<size_t>(std::max(n, 1) + 1));
        EXPECT_EQ(r.values[0], (Complex{1, 0}));
        for (size_t k = 1; k < r.values.size(); ++k) EXPECT_EQ(r.values[k], (Complex{0, 0})) << k;
    }
}

// 1e-100 takes the recurrence, whose values grow by 1e100 per order there: they are rescaled, not
// overflowed; just below it the small-argument values.
TEST(BesselI, SmallArgumentThreshold) {
    const BesselIResult at = BesselI(0, {1e-100, 0});
    ASSERT_EQ(at.status, BesselIStatus::Ok);
    EXPECT_GT(at.startOrder, 0);
    EXPECT_EQ(at.computedOrder, 1);
    EXPECT_REL_NEAR(at.values[0].re, 1.0, 1e-15);
    EXPECT_REL_NEAR(at.values[1].re, 5e-101, 1e-15);

    const BesselIResult below = BesselI(0, {std::nextafter(1e-100, 0.0), 0});
    EXPECT_EQ(below.startOrder, 0);
    EXPECT_EQ(below.values[1], (Complex{0, 0}));

    const Value tiny[] = {{0, 1.0, 0.0}, {1, 5e-91, 0.0}};
    ExpectValues(BesselI(1, {1e-90, 0}), std::begin(tiny), std::end(tiny), 1e-15, "z = 1e-90");
}

// mpmath references; the tolerance is relative to each value (the values here are near the largest).
TEST(BesselI, HighPrecisionReferences) {
    const Value left[] = {{0, 1.5862594502023713, -1.3916024523273359},
                          {1, -1.0104883650794736, 1.2918475192394564}};
    ExpectValues(BesselI(1, {-2, 1}), std::begin(left), std::end(left), 1e-15, "z = -2 + i");

    const Value one[] = {{0, 1.2660658777520083, 0},
                         {1, 0.56515910399248503, 0},
                         {2, 0.13574766976703828, 0},
                         {8, 9.9606240333639786e-8, 0}};
    ExpectValues(BesselI(8, {1, 0}), std::begin(one), std::end(one), 1e-14, "z = 1");

    const Value mixed[] = {{0, -2636.5327808154738, 790.02371194210885},
                           {5, -842.64742104065746, -56.430761580244397},
                           {10, -17.141365813846217, -24.073342332547008}};
    ExpectValues(BesselI(10, {10, 3}), std::begin(mixed), std::end(mixed), 1e-14, "z = 10 + 3i");

    const Value reflected[] = {{0, 157514633799.89235, 760094971403.42652},
                               {1, -157028907008.00503, -747235851320.03853},
                               {17, -6041476827.1686979, -4282202124.046668},
                               {40, -14.245116944253748, -34.432341851391823}};
    ExpectValues(BesselI(40, {-30, 5}), std::begin(reflected), std::end(reflected), 1e-13, "z = -30 + 5i");

    // I_k(20i) = i^k J_k(20)
    const Value axis[] = {{0, 0.16702466434058315, 0}, {7, 0, 0.18422139772059443}};
    ExpectValues(BesselI(7, {0, 20}), std::begin(axis), std::end(axis), 1e-14, "z = 20i");

    const Value large[] = {
        {0, 1.5295933476718737e+302, 0}, {50, 2.5634565477255455e+301, 0}, {300, 4.4962780853427054e+274, 0}};
    ExpectValues(BesselI(300, {700, 0}), std::begin(large), std::end(large), 1e-13, "z = 700");
}

TEST(BesselI, OrdersAboveTheStartOrderAreZero) {
    const BesselIResult r = BesselI(300, {1, 0});
    ASSERT_EQ(r.status, BesselIStatus::Ok);
    EXPECT_EQ(r.computedOrder, 105);  // msta1(1, 200) = 105 < 300
    ASSERT_EQ(r.values.size(), 301u);
    EXPECT_GT(r.values[105].re, 0.0);
    EXPECT_EQ(r.values[106], (Complex{0, 0}));
    EXPECT_EQ(r.values[300], (Complex{0, 0}));
}

TEST(BesselI, ScaledFormReachesBeyondTheExponentialRange) {
    const BesselIResult plain = BesselI(10, {10, 3});
    const BesselIResult scaled = BesselIScaled(10, {10, 3});
    for (int k = 0; k <= 10; ++k) {
        const double f = std::exp(10.0);
        EXPECT_LE(RelError(scaled.values[k].re * f, scaled.values[k].im * f, plain.values[k].re,
                           plain.values[k].im),
                  1e-14)
            << k;
    }

    EXPECT_EQ(BesselI(3, {800, 0}).status, BesselIStatus::OutOfRange);
    EXPECT_EQ(BesselI(3, {-800, 1}).values[0], (Complex{0, 0}));
    const Value far[] = {{0, 0.012081156506207484, -0.0036113285383630833},
                         {3, 0.012027828950502633, -0.0035924442757888302},
                         {60, 0.0020509306155485268, -0.0004172030720730367}};
    ExpectValues(BesselIScaled(60, {1000, 50}), std::begin(far), std::end(far), 1e-12,
                 "scaled z = 1000 + 50i");
}

TEST(BesselI, InvalidArguments) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(BesselI(-1, {1, 0}).status, BesselIStatus::InvalidArgument);
    EXPECT_TRUE(BesselI(-1, {1, 0}).values.empty());
    const BesselIResult notFinite = BesselI(2, {nan, 0});
    EXPECT_EQ(notFinite.status, BesselIStatus::InvalidArgument);
    EXPECT_EQ(notFinite.values.size(), 3u);
    EXPECT_EQ(BesselI(2, {0, 2e7}).status, BesselIStatus::OutOfRange);
}

}  // namespace
}  // namespace tessary
