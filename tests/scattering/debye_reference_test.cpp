// Debye series against arbitrary-precision values (scripts/debye_reference_values.py, mpmath): the
// table j_n(m x) of absorbing spheres, made in linear time, and the single ray orders p = 0..5 summed
// to convergence. Also the linear-time table against a continued fraction per order.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numerics/spherical_bessel.h"
#include "rel_error.h"
#include "scattering/debye.h"
#include "scattering/ray_orders.h"

namespace tessary {
namespace {

using test::RelError;

DebyeTables Tables(double x, Complex m) {
    DebyeTables t;
    const int nStop = static_cast<int>(std::nearbyint(x + 4.0 * std::pow(x, 0.3333) + 2.0));
    EXPECT_EQ(DebyeFunctionsOfMx(x, m, nStop, false, t), DebyeTablesStatus::Done);
    return t;
}

struct BesselCase {
    double x, mRe, mIm;
    int n;
    double re, im;  // j_n(m x)
};

// scripts/debye_reference_values.py, part 1.
constexpr BesselCase kBessel[] = {
    {100.0, 1.33, 0.001, 2, -0.0066497614499239546, -0.00035281809314305716},
    {100.0, 1.33, 0.001, 50, 0.0076334103659820976, 0.00016300494584437112},
    {100.0, 1.33, 0.001, 121, -0.0086418623168800483, -0.00030416297658333169},
    {100.0, 1.5, 0.1, 2, 47.690158443971132, -55.488695380245393},
    {100.0, 1.5, 0.1, 50, -42.184875194661674, -1.5460119987158334},
    {100.0, 1.5, 0.1, 121, -0.31196616225868594, 1.5428632573158101},
    {1000.0, 1.33, 0.001, 2, 0.0010387523618694150, 0.00039326253690821394},
    {1000.0, 1.33, 0.001, 500, -0.00092672682286711342, 0.00048565821923170941},
    {1000.0, 1.33, 0.001, 1042, 0.00063054044185531812, -0.00052737302384573398},
    {1000.0, 1.5, 0.1, 2, 8.9315056691843315e+39, 3.7474169804699292e+38},
    {1000.0, 1.5, 0.1, 500, 1.7782464300497096e+37, 2.5005773407021590e+37},
    {1000.0, 1.5, 0.1, 1042, 7.4449231505689976e+27, -2.8612168532047990e+27},
    {10000.0, 1.33, 0.001, 2, 0.82612150009186228, -0.056660130092878452},
    {10000.0, 1.33, 0.001, 5000, 0.40288276253172453, 0.090911541584123304},
    {10000.0, 1.33, 0.001, 10088, -0.018466807772345270, 0.025502662558329908},
};

TEST(DebyeReference, AbsorbingTablesAgreeWithArbitraryPrecision) {
    for (const BesselCase& c : kBessel) {
        const DebyeTables t = Tables(c.x, {c.mRe, c.mIm});
        const Complex j = t.jnnx[static_cast<std::size_t>(c.n)];
        EXPECT_LE(RelError(j.re * t.debyeScale, j.im * t.debyeScale, c.re, c.im), 1e-11)
            << c.x << " " << c.mIm << " " << c.n;
    }
}

// The table agrees with a continued fraction evaluated afresh for each order.
TEST(DebyeReference, LinearTimeTableAgreesWithAContinuedFractionPerOrder) {
    struct Case {
        double x;
        Complex m;
        int step;  // orders compared: every step-th
    };
    for (const Case& c :
         {Case{100.0, {1.33, 0.001}, 1}, Case{1000.0, {1.5, 0.1}, 1}, Case{1000.0, {1.33, 0.001}, 1},
          Case{400.0, {1.33, 1.0}, 1}, Case{10000.0, {1.33, 0.001}, 101}}) {
        const DebyeTables t = Tables(c.x, c.m);
        double worst = 0.0;
        for (int n = 2; n <= t.termCount; n += c.step) {
            const ContFracResult f = ComplexContFrac(n, t.mx);
            ASSERT_EQ(f.status, ContFracStatus::Ok);
            const double scale = std::pow(10.0, f.exponent10) / t.debyeScale;
            const Complex j = t.jnnx[static_cast<std::size_t>(n)];
            worst = std::max(worst, RelError(j.re, j.im, f.mantissa.re * scale, f.mantissa.im * scale));
        }
        EXPECT_LE(worst, 1e-12) << c.x << " " << c.m.im;
    }
}

// scripts/debye_reference_values.py, part 3: j_n(x) of real arguments below 1. The upward recurrence
// left j_1(1e-3) 1e-10 off and j_10(1e-3) without a correct digit.
TEST(DebyeReference, SmallRealArgumentTablesAgreeWithArbitraryPrecision) {
    const struct {
        double x;
        int n;
        double j;
    } cases[] = {
        {0.001, 1, 0.00033333330000000120},  {0.001, 2, 6.6666661904762040e-8},
        {0.001, 10, 7.2730917874467316e-41}, {0.001, 20, 7.6259789162179718e-86},
        {0.5, 1, 0.16253703063606657},       {0.5, 2, 0.016371106607993413},
        {0.5, 10, 7.0641239636618782e-14},   {0.5, 20, 7.2515880810153971e-32},
    };
    for (const auto& c : cases) {
        DebyeTables t;
        DebyeFunctionsOfX(c.x, 20, t);
        ASSERT_EQ(DebyeFunctionsOfMx(c.x, {1.0, 0.0}, 20, false, t), DebyeTablesStatus::Done);  // real path
        EXPECT_REL_NEAR(t.jnx[static_cast<std::size_t>(c.n)], c.j, 1e-14) << c.x << " " << c.n;
        EXPECT_REL_NEAR(t.jnnx[static_cast<std::size_t>(c.n)].re, c.j, 1e-14) << c.x << " " << c.n;
    }
}

struct OrderCase {
    int p;
    int degrees;
    double S11;
};

// scripts/debye_reference_values.py, part 2: x = 100, m = 1.33 + 0.001i.
constexpr OrderCase kOrders[] = {
    {0, 0, 27430744.515096579},       {0, 90, 68.877543521311642},      {0, 138, 50.705975730568885},
    {0, 180, 50.150114235166165},     {1, 0, 26149.707261387963},       {1, 90, 38.471830819506672},
    {1, 138, 0.047598104618455959},   {1, 180, 0.0052998119963286520},  {2, 0, 1.8243765009501695e-9},
    {2, 90, 2.4252540052742661e-5},   {2, 138, 544.00267344679548},     {2, 180, 401.28704994400346},
    {3, 0, 0.14022833953546748},      {3, 90, 2.3949297071835023},      {3, 138, 15.299703261422179},
    {3, 180, 0.00054571284771628108}, {4, 0, 450.08237402307301},       {4, 90, 0.0037499155321320549},
    {4, 138, 0.0010849442511253568},  {4, 180, 0.00097234336562788189}, {5, 0, 0.72287553741630317},
    {5, 90, 0.31822909036649797},     {5, 138, 0.0030599153991872650},  {5, 180, 0.011095771807282130},
};

// Each ray order summed to convergence, far past the count the window shows. p = 2 at 0 degrees sums
// terms 1e7 times its value, so rounding alone leaves about 2e-8 there.
TEST(DebyeReference, SingleRayOrdersConverge) {
    for (const OrderCase& c : kOrders) {
        RayChoice choice;
        const std::string list = std::to_string(c.p);
        choice.listText = list;
        DebyeInput in;
        in.x = 100.0;
        in.m = {1.33, 0.001};
        in.NANG = 91;
        in.first = 1;
        in.last = 181;
        in.rayListText = list;
        DebyeResult r;
        DebyePlaneWave(in, RaysCheck(choice, RaySelection{}).selection, r);
        ASSERT_EQ(r.status, DebyeStatus::Done) << r.message;
        EXPECT_EQ(r.termCount, 121);  // the count the window shows
        const int k = c.degrees <= 90 ? c.degrees + 1 : 181 - (180 - c.degrees);
        const double S11 =
            (r.S1re[k] * r.S1re[k] + r.S1im[k] * r.S1im[k] + r.S2re[k] * r.S2re[k] + r.S2im[k] * r.S2im[k]) /
            2;
        EXPECT_LE(std::fabs(S11 / c.S11 - 1.0), 1e-7) << "p = " << c.p << " at " << c.degrees;
    }
}

// scripts/debye_reference_values.py, part 4: S1(0) and S1(90) (S1(180) is about -S1(0) here). Below
// x = 1 the magnetic D cancelled its leading terms to O(x^2) and j_1(m x) to O(|m x|^2): x = 1e-7 came
// out 1e11 times too large, x = 1e-4 with m = 1.5 + 0.01i 2e-4 off, x = 0.01 with m = 10 + 10i 6e-5
// off, and x = 1e-10 absorbing was refused.
TEST(DebyeReference, SmallSpheresAgreeWithArbitraryPrecision) {
    const struct {
        double x, mRe, mIm;
        int p;
        double re0, im0, re90, im90;
    } cases[] = {
        {1e-10, 1.5, 0.01, 1, 6.4751990386304946e-20, -1.8132005495481766e-21, 1.0460972675230597e-34,
         -2.9293063101807414e-36},
        {1e-07, 1.33, 0.0, 0, 8.5062485959858044e-14, -1.9508388607098037e-7, 1.3742223768021069e-28,
         -2.1822062073501086e-21},
        {1e-06, 0.75, 0.0, 2, 6.6122448976356554e-12, -5.5731778424070132e-17, 1.0682376372225450e-26,
         -9.0037172256485601e-32},
        {0.0001, 1.5, 0.01, 0, -2.8368409197405938e-6, -0.00011994186134908101, -1.2794681778455502e-14,
         -1.5330690863641111e-12},
        {0.01, 10.0, 10.0, 0, -6.7574074514032008e-5, -7.6992751898590577e-6, -3.3172287510728605e-9,
         -9.9988490150614989e-7},
    };
    for (const auto& c : cases) {
        const std::string list = std::to_string(c.p);
        RayChoice choice;
        choice.listText = list;
        DebyeInput in;
        in.x = c.x;
        in.m = {c.mRe, c.mIm};
        in.NANG = 3;
        in.first = 1;
        in.last = 3;
        in.rayListText = list;
        DebyeResult r;
        DebyePlaneWave(in, RaysCheck(choice, RaySelection{}).selection, r);
        ASSERT_EQ(r.status, DebyeStatus::Done) << r.message;
        EXPECT_LE(RelError(r.S1re[1], r.S1im[1], c.re0, c.im0), 1e-9) << c.x << " " << c.mIm << " " << c.p;
        EXPECT_LE(RelError(r.S1re[3], r.S1im[3], c.re90, c.im90), 1e-9) << c.x << " " << c.mIm << " " << c.p;
    }
}

}  // namespace
}  // namespace tessary
