// Bessel functions of real argument: published values, high-precision references, Wronskians,
// the method switch at x = 11.0524084463714 and the start-order and range behaviour of BesselJ0to4.
// References: rows marked "mpmath" come from scripts/bessel_reference_values.py (40 digits).
#include "numerics/bessel_real.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "rel_error.h"

namespace tessary {
namespace {

constexpr double kPiTrue = 3.14159265358979323846;

struct Row {
    double x;
    std::array<double, 4> f;
};

std::array<double, 4> Values(const BesselJYResult& r) { return {r.j0, r.j1, r.y0, r.y1}; }

// Values printed to 9 or 10 decimals; each must agree to half a unit of its last digit.
TEST(BesselJY, PrintedValues) {
    const struct {
        double x;
        BesselKind kind;
        int which;  // 0 j0, 1 j1, 2 y0, 3 y1
        double expected, halfUnit;
    } cases[] = {
        {1, BesselKind::JY, 0, 0.7651976866, 5e-11},
        {1, BesselKind::JY, 1, 0.4400505857, 5e-11},
        {1, BesselKind::JY, 2, 0.0882569642, 5e-11},
        {1, BesselKind::JY, 3, -0.7812128213, 5e-11},
        {15, BesselKind::JY, 0, -0.0142244728, 5e-11},
        {15, BesselKind::JY, 1, 0.2051040386, 5e-11},
        {15, BesselKind::JY, 2, 0.2054642960, 5e-11},
        {15, BesselKind::JY, 3, 0.0210736280, 5e-11},
        {1, BesselKind::IK, 0, 1.2660658778, 5e-11},
        {1, BesselKind::IK, 1, 0.5651591040, 5e-11},
        {1, BesselKind::IK, 2, 0.4210244382, 5e-11},
        {1, BesselKind::IK, 3, 0.6019072302, 5e-11},
        {5, BesselKind::IK, 2, 0.0036910983, 5e-11},  // K0 by the trapezoidal integral
        // either side of the switch from the recurrence to the asymptotic sums
        {11.0524, BesselKind::JY, 0, -0.161718375, 5e-10},
        {11.0525, BesselKind::JY, 0, -0.161699910, 5e-10},
    };
    for (const auto& c : cases) {
        const BesselJYResult r = BesselJY(c.x, c.kind);
        ASSERT_EQ(r.status, BesselStatus::Ok);
        EXPECT_NEAR(Values(r)[c.which], c.expected, c.halfUnit)
            << "x " << c.x << " kind " << static_cast<int>(c.kind) << " value " << c.which;
    }
}

// mpmath; error measured against max(|f|, 0.01), since near a zero only the absolute error is small.
TEST(BesselJY, OrdinaryFunctionsAgainstHighPrecision) {
    const Row rows[] = {
        {0.125, {0.99609756304198520, 0.062378009134494681, -1.3896806251438405, -5.1999361125347750}},
        {0.5, {0.93846980724081290, 0.24226845767487389, -0.44451873350670656, -1.4714723926702431}},
        {2, {0.22389077914123567, 0.57672480775687339, 0.51037567264974512, -0.10703243154093755}},
        {4.75, {-0.25512082749137391, -0.28918679864711041, -0.26123250323497559, 0.22922559673872216}},
        {7.5, {0.26633965788037840, 0.13524842757970551, 0.11731328614820863, -0.25912851048611625}},
        {10.5, {-0.23664819446234713, -0.078850014227331488, -0.067530372497876397, 0.23370422835726858}},
        {11.0524, {-0.16171837540617108, -0.18465028111502000, -0.17716982391569524, 0.15388282742793856}},
        {11.0525, {-0.16169990965303443, -0.18466478129083921, -0.17718521124295124, 0.15386371746654081}},
        {12, {0.047689310796833537, -0.22344710449062761, -0.22523731263436143, -0.057099218260896521}},
        {20, {0.16702466434058315, 0.066833124175850046, 0.062640596809383831, -0.16551161436252130}},
        {50, {0.055812327669251815, -0.097511828125175138, -0.098064995470077079, -0.056795668562014768}},
        {100, {0.019985850304223122, -0.077145352014112158, -0.077244313365083152, -0.020372312002759793}},
        {1000, {0.024786686152420175, 0.0047283119070895239, 0.0047159179776228134, -0.024784331292351779}},
    };
    for (const Row& row : rows) {
        const BesselJYResult r = BesselJY(row.x, BesselKind::JY);
        ASSERT_EQ(r.status, BesselStatus::Ok);
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(Values(r)[i], row.f[i], 5e-9 * std::max(std::fabs(row.f[i]), 0.01))
                << "x " << row.x << " value " << i;
    }
}

TEST(BesselJY, ModifiedFunctionsAgainstHighPrecision) {
    const Row rows[] = {
        {0.125, {1.0039100663533545, 0.062622149811234825, 2.2078690867449701, 7.8311182991157512}},
        {1.25, {1.4304687177218297, 0.75528141834074719, 0.29760308908410592, 0.40212407978419541}},
        {2.5, {3.2898391440501230, 2.5167162452886984, 0.062347553200366186, 0.073890816347747064}},
        {7.5, {268.16131151518936, 249.58436542268814, 0.00024917761635611439, 0.00026529739012528953}},
        {11, {7288.4893398212481, 6948.8586598121632, 6.2430205476536771e-6, 6.5208606745808861e-6}},
        {12, {18948.925349296309, 18141.348781638832, 2.2008253973114914e-6, 2.2907574647671878e-6}},
        {50,
         {2.9325537838493363e+20, 2.9030785901035568e+20, 3.4101677497894955e-23, 3.4441022267175556e-23}},
        {100,
         {1.0737517071310738e+42, 1.0683693903381625e+42, 4.6566282291759020e-45, 4.6798537356369093e-45}},
        {700,
         {1.5295933476718737e+302, 1.5285003902339007e+302, 4.6697764316853769e-306,
          4.6731107967079661e-306}},
    };
    for (const Row& row : rows) {
        const BesselJYResult r = BesselJY(row.x, BesselKind::IK);
        ASSERT_EQ(r.status, BesselStatus::Ok);
        for (int i = 0; i < 4; ++i)
            EXPECT_REL_NEAR(Values(r)[i], row.f[i], 1e-8) << "x " << row.x << " value " << i;
    }
}

// J1 Y0 - J0 Y1 = 2/(pi x) ([A&S] 9.1.16) checks Y against J; in the asymptotic range also
// I0 K1 + I1 K0 = 1/x ([A&S] 9.6.15), which the recurrence range uses to form K1.
TEST(BesselJY, Wronskians) {
    for (double x : {0.01, 0.3, 1.0, 2.5, 6.0, 9.75, 11.0, 11.5, 17.0, 40.0, 333.0}) {
        const BesselJYResult jy = BesselJY(x, BesselKind::JY);
        EXPECT_REL_NEAR(jy.j1 * jy.y0 - jy.j0 * jy.y1, 2 / (kPiTrue * x), 1e-8) << "x " << x;
        const BesselJYResult ik = BesselJY(x, BesselKind::IK);
        EXPECT_REL_NEAR(ik.j0 * ik.y1 + ik.j1 * ik.y0, 1 / x, 1e-8) << "x " << x;
    }
}

// The two methods meet at x = 11.0524084463714 with a jump far below their accuracy.
TEST(BesselJY, ContinuousAcrossTheMethodSwitch) {
    const double limit = 11.0524084463714;
    for (BesselKind kind : {BesselKind::JY, BesselKind::IK}) {
        const auto below = Values(BesselJY(std::nextafter(limit, 0.0), kind));
        const auto above = Values(BesselJY(limit, kind));
        for (int i = 0; i < 4; ++i)
            EXPECT_REL_NEAR(below[i], above[i], 1e-8) << "kind " << static_cast<int>(kind) << " value " << i;
    }
}

TEST(BesselJY, ZeroArgumentIsReplacedByOneTrillionth) {
    const BesselJYResult r = BesselJY(0.0, BesselKind::JY);
    EXPECT_EQ(r.status, BesselStatus::Ok);
    EXPECT_EQ(r.x, 1e-12);
    EXPECT_EQ(r.j0, 1.0);
    EXPECT_REL_NEAR(r.j1, 5e-13, 1e-15);
    EXPECT_REL_NEAR(r.y1, -2 / (kPiTrue * 1e-12), 1e-12);
    EXPECT_EQ(BesselJY(0.0, BesselKind::IK).x, 1e-12);
}

// mpmath. Far below x = 1e-8 the recurrence would overflow; the leading terms take over.
TEST(BesselJY, TinyArgumentsStayFinite) {
    const Row rows[] = {
        {1e-200, {-293.24804384687978, -6.3661977236758134e+199, 460.63295011446755, 1.0e+200}},
        {1e-308, {-451.56213320483618, -6.3661977236758134e+307, 709.31214015782448, 1.0e+308}},
    };
    for (const Row& row : rows) {
        const BesselJYResult jy = BesselJY(row.x, BesselKind::JY);
        const BesselJYResult ik = BesselJY(row.x, BesselKind::IK);
        ASSERT_EQ(jy.status, BesselStatus::Ok);
        ASSERT_EQ(ik.status, BesselStatus::Ok);
        EXPECT_EQ(jy.j0, 1.0);
        EXPECT_EQ(ik.j0, 1.0);
        EXPECT_REL_NEAR(jy.y0, row.f[0], 1e-14);
        EXPECT_REL_NEAR(jy.y1, row.f[1], 1e-14);
        EXPECT_REL_NEAR(ik.y0, row.f[2], 1e-14);
        EXPECT_REL_NEAR(ik.y1, row.f[3], 1e-14);
    }
    // Either side of the switch to the leading terms.
    const auto below = Values(BesselJY(std::nextafter(1e-100, 0.0), BesselKind::JY));
    const auto above = Values(BesselJY(1e-100, BesselKind::JY));
    for (int i = 0; i < 4; ++i) EXPECT_REL_NEAR(below[i], above[i], 1e-14) << "value " << i;
}

TEST(BesselJY, RefusesNegativeAndNonFiniteArguments) {
    const struct {
        double x;
        BesselStatus status;
    } cases[] = {
        {-1.0, BesselStatus::NegativeArgument},
        {-1e-300, BesselStatus::NegativeArgument},
        {std::numeric_limits<double>::quiet_NaN(), BesselStatus::NotFiniteArgument},
        {std::numeric_limits<double>::infinity(), BesselStatus::NotFiniteArgument},
    };
    for (const auto& c : cases)
        for (BesselKind kind : {BesselKind::JY, BesselKind::IK}) {
            const BesselJYResult r = BesselJY(c.x, kind);
            EXPECT_EQ(r.status, c.status) << c.x;
            EXPECT_EQ(Values(r), (std::array<double, 4>{0, 0, 0, 0})) << c.x;
        }
}

// I0 and I1 pass the double range above x ~ 709.78 and Y1 below x ~ 6e-309: reported, not silent.
TEST(BesselJY, ResultsBeyondTheDoubleRangeAreReported) {
    EXPECT_EQ(BesselJY(710, BesselKind::IK).status, BesselStatus::OutOfRange);
    EXPECT_EQ(BesselJY(710, BesselKind::JY).status, BesselStatus::Ok);
    EXPECT_EQ(BesselJY(1e300, BesselKind::JY).status, BesselStatus::Ok);
    EXPECT_EQ(BesselJY(5e-324, BesselKind::JY).status, BesselStatus::OutOfRange);
    EXPECT_EQ(BesselJY(5e-324, BesselKind::IK).status, BesselStatus::OutOfRange);
}

struct J0to4Row {
    double x;
    std::array<double, 5> J;
};

// mpmath; with the recommended start order every value is right to 1e-13 absolute.
TEST(BesselJ0to4, RecommendedStartOrderGivesThirteenDigits) {
    const J0to4Row rows[] = {
        {0.5,
         {0.93846980724081290, 0.24226845767487389, 0.030604023458682641, 0.0025637299945872441,
          0.00016073647636428760}},
        {1,
         {0.76519768655796655, 0.44005058574493352, 0.11490348493190048, 0.019563353982668406,
          0.0024766389641099550}},
        {5,
         {-0.17759677131433830, -0.32757913759146522, 0.046565116277752216, 0.36483123061366699,
          0.39123236045864818}},
        {10,
         {-0.24593576445134834, 0.043472746168861437, 0.25463031368512062, 0.058379379305186812,
          -0.21960268610200854}},
        {50,
         {0.055812327669251815, -0.097511828125175138, -0.059712800794258821, 0.092734804061634432,
          0.070840977281654952}},
        {100,
         {0.019985850304223122, -0.077145352014112158, -0.021528757344505366, 0.076284201720331943,
          0.026105809447725282}},
        {1000,
         {0.024786686152420175, 0.0047283119070895239, -0.024777229528605996, -0.0048274208252039479,
          0.024748265003654772}},
        {10000,
         {-0.0070961603533888015, 0.0036474507555295803, 0.0070968898435399074, -0.0036446119995921644,
          -0.0070990766107396627}},
        {20000,
         {0.0055659749049549462, -0.00092230974697645940, -0.0055660671359296438, 0.00092119653354927347,
          0.0055663434948897086}},
    };
    for (const J0to4Row& row : rows) {
        const BesselJ0to4Result r = BesselJ0to4(BesselJ0to4StartOrder(row.x), row.x);
        ASSERT_EQ(r.status, BesselStatus::Ok);
        for (int k = 0; k < 5; ++k) EXPECT_NEAR(r.J[k], row.J[k], 1e-13) << "x " << row.x << " order " << k;
    }
}

TEST(BesselJ0to4, StartOrderRule) {
    EXPECT_EQ(BesselJ0to4StartOrder(0), 20);
    EXPECT_EQ(BesselJ0to4StartOrder(8), 44);       // 8 + 8*2 + 20
    EXPECT_EQ(BesselJ0to4StartOrder(1000), 1100);  // 1000 + 8*10 + 20
    EXPECT_EQ(BesselJ0to4StartOrder(0.5), 27);     // ceil(0.5 + 6.35) + 20
}

// From a low start order the recurrence gives exact small fractions at x = 1: with n = 3 the
// values J3 .. J0 are 1, 6, 23, 40 over 40 + 2*6 = 52, and J4 keeps the start J(n+1) = 0.
// With n = 1 or 2 the entries above n + 1 are 0.
TEST(BesselJ0to4, LowStartOrdersGiveTheRecurrenceFractions) {
    const struct {
        int n;
        std::array<double, 5> J;
    } cases[] = {
        {1, {1.0, 0.5, 0, 0, 0}},
        {2, {1.0, 4.0 / 7, 1.0 / 7, 0, 0}},
        {3, {40.0 / 52, 23.0 / 52, 6.0 / 52, 1.0 / 52, 0}},
    };
    for (const auto& c : cases) {
        const BesselJ0to4Result r = BesselJ0to4(c.n, 1.0);
        ASSERT_EQ(r.status, BesselStatus::Ok);
        for (int k = 0; k < 5; ++k) EXPECT_REL_NEAR(r.J[k], c.J[k], 1e-15) << "n " << c.n << " order " << k;
    }
}

// Start orders far above x drive the raw values past 1e38 (a single-precision sum overflows) and past
// the double range; the rescaled sum keeps the result exact. Orders beyond 16-bit integers are fine.
TEST(BesselJ0to4, StartOrdersFarAboveTheArgument) {
    const std::array<double, 5> atOne = {0.76519768655796655, 0.44005058574493352, 0.11490348493190048,
                                         0.019563353982668406, 0.0024766389641099550};
    for (int n : {40, 200, 2000, 40000}) {
        const BesselJ0to4Result r = BesselJ0to4(n, 1.0);
        ASSERT_EQ(r.status, BesselStatus::Ok) << n;
        for (int k = 0; k < 5; ++k) EXPECT_NEAR(r.J[k], atOne[k], 1e-15) << "n " << n << " order " << k;
    }
    // x = 1e-30: each step multiplies by up to 1e32, so the values are rescaled every few steps.
    const double x = 1e-30, h = x / 2;
    const BesselJ0to4Result tiny = BesselJ0to4(60, x);
    ASSERT_EQ(tiny.status, BesselStatus::Ok);
    const std::array<double, 5> leading = {1.0, h, h * h / 2, h * h * h / 6, h * h * h * h / 24};
    for (int k = 0; k < 5; ++k) EXPECT_REL_NEAR(tiny.J[k], leading[k], 1e-14) << "order " << k;
}

// Below x = 1e-40 the leading power-series terms replace the recurrence; both agree at the switch.
TEST(BesselJ0to4, TinyArgumentsMatchTheRecurrence) {
    const BesselJ0to4Result series = BesselJ0to4(30, std::nextafter(1e-40, 0.0));
    const BesselJ0to4Result recurrence = BesselJ0to4(30, 1e-40);
    for (int k = 0; k < 5; ++k) EXPECT_REL_NEAR(series.J[k], recurrence.J[k], 1e-14) << "order " << k;
    EXPECT_EQ(BesselJ0to4(30, 5e-324).J[0], 1.0);
}

TEST(BesselJ0to4, ZeroArgumentAndRefusals) {
    const BesselJ0to4Result zero = BesselJ0to4(4, 0.0);
    EXPECT_EQ(zero.status, BesselStatus::Ok);
    EXPECT_EQ(zero.J, (std::array<double, 5>{1, 0, 0, 0, 0}));

    const struct {
        int n;
        double x;
        BesselStatus status;
    } cases[] = {
        {4, -0.5, BesselStatus::NegativeArgument},
        {4, std::numeric_limits<double>::quiet_NaN(), BesselStatus::NotFiniteArgument},
        {4, std::numeric_limits<double>::infinity(), BesselStatus::NotFiniteArgument},
        {0, 1.0, BesselStatus::StartOrderTooLow},
        {-3, 1.0, BesselStatus::StartOrderTooLow},
        {0, 0.0, BesselStatus::StartOrderTooLow},
    };
    for (const auto& c : cases) {
        const BesselJ0to4Result r = BesselJ0to4(c.n, c.x);
        EXPECT_EQ(r.status, c.status) << "n " << c.n << " x " << c.x;
        EXPECT_EQ(r.J, (std::array<double, 5>{0, 0, 0, 0, 0})) << "n " << c.n << " x " << c.x;
    }
}

}  // namespace
}  // namespace tessary
