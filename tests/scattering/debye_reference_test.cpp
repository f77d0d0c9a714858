// Debye series against arbitrary-precision values (scripts/debye_reference_values.py, mpmath): the
// table j_n(m x) of absorbing spheres, made in linear time, the single ray orders p = 0..5 summed to
// convergence, and the orders p = 2, 3 of absorbing spheres and of spheres of index near 1, plane wave
// and Gaussian beam. Also the linear-time table against a continued fraction per order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "numerics/spherical_bessel.h"
#include "rel_error.h"
#include "scattering/debye.h"
#include "scattering/debye_gaussian.h"
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

struct AbsorbingAmplitudes {
    double x, mRe, mIm;
    int p, degrees;
    double S1re, S1im, S2re, S2im;
};

// scripts/debye_reference_values.py, part 5: orders p = 2, 3 in pairs of rows, at the angle of the
// largest |S1|, |S2| of the order, then at 143 degrees. R11 = -N11/D took zeta1(m x) as psi + i chi,
// two values e^(2 x Im m) times larger than itself: these came out from 3e-8 (x = 1, m = 10 + 10i) to
// 1e61 times the order off, or 0 where the order lay below 1e-100; with x Im m = 100 the orders are
// carried by partial waves beyond |m x|, past the end of the tables.
constexpr AbsorbingAmplitudes kAbsorbing[] = {
    {1000, 1.33, 0.02, 2, 180, -4.9633615664e-22, -2.5418924089e-21, 4.9633615664e-22, 2.5418924089e-21},
    {1000, 1.33, 0.02, 2, 143, -2.1057928070e-22, -2.3135079374e-22, -1.9997506651e-22, -1.2990573484e-22},
    {1000, 1.33, 0.02, 3, 117, -2.3138502068e-33, 1.4374929099e-33, -2.3062165451e-33, 2.9423070293e-33},
    {1000, 1.33, 0.02, 3, 143, 3.6557014806e-39, 8.8656630017e-39, 6.8750048721e-39, -1.3760350118e-39},
    {20, 2, 1, 2, 89, 6.5041047192e-31, 4.4585307469e-31, 4.8920041285e-31, -3.9113266769e-30},
    {20, 2, 1, 2, 143, -2.2492708647e-31, 6.4470737672e-32, 5.1204709455e-31, 1.3537086263e-31},
    {20, 2, 1, 3, 0, -5.0893154736e-35, -2.2551149519e-35, -5.0893154736e-35, -2.2551149519e-35},
    {20, 2, 1, 3, 143, 2.2206144461e-36, 7.1511734325e-37, -6.5955817846e-36, -2.9829174039e-36},
    {2, 10, 10, 2, 0, 5.6088167990e-36, -1.2219785535e-35, 5.6088167990e-36, -1.2219785535e-35},
    {2, 10, 10, 2, 143, -3.9761826235e-36, -2.4229314984e-36, 6.0116156260e-37, 3.3836000151e-36},
    {2, 10, 10, 3, 180, -1.9308354731e-54, -6.3313822828e-53, 1.9308354731e-54, 6.3313822828e-53},
    {2, 10, 10, 3, 143, 1.5980189737e-53, -4.6590601614e-53, 7.5837635453e-54, 8.4575734809e-54},
    {0.99, 10, 10, 2, 180, -1.8638385540e-18, 3.2341391666e-20, 1.8638385540e-18, -3.2341391666e-20},
    {0.99, 10, 10, 2, 143, -1.8213978436e-18, 2.9760749869e-20, 1.5931901046e-18, 1.5141537079e-20},
    {0.99, 10, 10, 3, 0, 1.9732603058e-27, 4.7960358973e-27, 1.9732603058e-27, 4.7960358973e-27},
    {0.99, 10, 10, 3, 143, 3.5729405858e-27, 2.3204766607e-27, -3.2387323408e-27, -1.0278002923e-27},
    {1, 10, 10, 2, 180, -1.1723595992e-18, -4.9183864645e-19, 1.1723595992e-18, 4.9183864645e-19},
    {1, 10, 10, 2, 143, -1.1450125937e-18, -4.8360665699e-19, 9.9283399201e-19, 4.4399081183e-19},
    {1, 10, 10, 3, 0, -6.4573647888e-28, 2.8063913380e-27, -6.4573647888e-28, 2.8063913380e-27},
    {1, 10, 10, 3, 143, 8.6389248702e-28, 2.1776118950e-27, -1.1241034900e-27, -1.4765887629e-27},
    {10000, 1.33, 0.001, 2, 153, 2.5689023668e-9, 2.7754171818e-9, 3.0950837741e-9, 3.2733580965e-9},
    {10000, 1.33, 0.001, 2, 143, -1.0449179627e-9, -2.6403731951e-9, -7.9564033687e-10, -1.9243663730e-9},
    {10000, 1.33, 0.001, 3, 125, -2.3781232102e-15, 3.2434467526e-15, -1.9232617669e-15, 2.8352120298e-15},
    {10000, 1.33, 0.001, 3, 143, -2.0446695302e-46, 1.4677011673e-46, -2.4599046373e-46, 2.7413433533e-46},
    {100, 2, 1, 2, 99, -1.7401280270e-153, -3.9872657493e-155, 6.5405047213e-153, 1.0082155523e-152},
    {100, 2, 1, 2, 143, 5.3072423843e-158, -3.2798690894e-158, -1.6333322358e-157, 1.4794488303e-158},
    {100, 2, 1, 3, 180, 1.1250262640e-179, -2.9710485118e-180, -1.1250262640e-179, 2.9710485118e-180},
    {100, 2, 1, 3, 143, -2.1443756985e-181, 2.0270605983e-181, 4.4280946633e-181, -2.1345394295e-181},
    {25, 0.05, 4, 2, 180, 3.0912309009e-165, -7.2426817313e-166, -3.0912309009e-165, 7.2426817313e-166},
    {25, 0.05, 4, 2, 143, -7.1409631263e-167, 1.2883758995e-167, 2.7453913672e-166, -3.8987163135e-166},
    {25, 0.05, 4, 3, 0, 2.1684031118e-196, 8.4064713767e-196, 2.1684031118e-196, 8.4064713767e-196},
    {25, 0.05, 4, 3, 143, 1.0000518314e-197, 1.7302982624e-197, -2.0288798520e-197, -6.5252722764e-197},
    {10, 10, 10, 2, 0, 3.4181691192e-173, -2.0525207815e-173, 3.4181691192e-173, -2.0525207815e-173},
    {10, 10, 10, 2, 143, -4.7474721611e-175, 2.4475743441e-174, 1.0646152174e-174, -1.3269206691e-175},
    {10, 10, 10, 3, 180, -7.9873951778e-260, 6.1200716084e-260, 7.9873951778e-260, -6.1200716084e-260},
    {10, 10, 10, 3, 143, 5.2428698374e-261, -9.5205789592e-262, 4.8502991539e-260, -2.6646400273e-260},
};

// A pair of rows against S1, S2 of one run (index J is J - 1 degrees): to 1e-9 of the largest |S1|,
// |S2| of the order, and below x = 1 to 1e-9 of each amplitude.
void ExpectPair(const AbsorbingAmplitudes* pair, const std::vector<double>& S1re,
                const std::vector<double>& S1im, const std::vector<double>& S2re,
                const std::vector<double>& S2im, const char* series) {
    const double largest =
        std::max(std::hypot(pair[0].S1re, pair[0].S1im), std::hypot(pair[0].S2re, pair[0].S2im));
    for (int row = 0; row < 2; ++row) {
        const AbsorbingAmplitudes& c = pair[row];
        const auto J = static_cast<std::size_t>(c.degrees + 1);
        const double want[2][2] = {{c.S1re, c.S1im}, {c.S2re, c.S2im}};
        const double got[2][2] = {{S1re[J], S1im[J]}, {S2re[J], S2im[J]}};
        for (int k = 0; k < 2; ++k) {
            const double scale = c.x <= 1.0 ? std::hypot(want[k][0], want[k][1]) : largest;
            EXPECT_LE(std::hypot(got[k][0] - want[k][0], got[k][1] - want[k][1]), 1e-9 * scale)
                << series << ": x = " << c.x << ", m = " << c.mRe << " + " << c.mIm << "i, p = " << c.p
                << ", S" << k + 1 << " at " << c.degrees;
        }
    }
}

// Each pair of rows against the plane wave and the Gaussian beam.
template <std::size_t N>
void ExpectPairs(const AbsorbingAmplitudes (&rows)[N]) {
    for (std::size_t i = 0; i < N; i += 2) {
        const AbsorbingAmplitudes& c = rows[i];
        const std::string list = std::to_string(c.p);
        RayChoice choice;
        choice.listText = list;
        const RaySelection rays = RaysCheck(choice, RaySelection{}).selection;
        DebyeInput in;
        in.x = c.x;
        in.m = {c.mRe, c.mIm};
        in.NANG = 91;
        in.first = 1;
        in.last = 181;
        in.rayListText = list;
        DebyeResult r;
        DebyePlaneWave(in, rays, r);
        ASSERT_EQ(r.status, DebyeStatus::Done) << r.message;
        ExpectPair(&c, r.S1re, r.S1im, r.S2re, r.S2im, "plane wave");

        // A centred beam of w0 = 1e9 um is a plane wave: phi = 90 degrees gives S1, phi = 0 S2.
        DebyeGaussianInput g;
        g.x = c.x;
        g.m = in.m;
        g.NANG = 91;
        g.first = 1;
        g.last = 181;
        g.wavelength = 0.65;
        g.rayListText = list;
        g.beam = {0.0f, 0.0f, 0.0f, 1e9f, 90.0};
        DebyeGaussianResult perp, para;
        DebyeGaussianSeries(g, rays, perp);
        g.beam.phiDegrees = 0.0;
        DebyeGaussianSeries(g, rays, para);
        ASSERT_EQ(perp.status, DebyeStatus::Done) << perp.message;
        ASSERT_EQ(para.status, DebyeStatus::Done) << para.message;
        ExpectPair(&c, perp.S1re, perp.S1im, para.S2re, para.S2im, "Gaussian beam");
    }
}

TEST(DebyeReference, SingleOrdersOfAbsorbingSpheres) { ExpectPairs(kAbsorbing); }

// scripts/debye_near_one_values.py: m near 1, where D, N11 and N22 of the partial waves above x were
// differences of values |y_n(x)|^2 / |m - 1| times larger: these came out 2e-8 (m = 1 + 1e-8, real) to
// 2e-7 (x = 1, m = 1 + 1e-7 + 1e-7 i) off.
constexpr AbsorbingAmplitudes kNearOne[] = {
    {10, 1.00000001, 1e-08, 2, 180, -18.100690252, -9.9438193972, 18.100690252, 9.9438193972},
    {10, 1.00000001, 1e-08, 2, 143, -7.7750390336, -2.3034673933, 0.26170138467, 1.6120284239},
    {100, 1.00000001, 1e-08, 3, 180, 192.55883807, -112.14057916, -192.55883807, 112.14057916},
    {100, 1.00000001, 1e-08, 3, 143, 5.6076452843, 4.576218427, 2.11295538, -1.3158747214},
    {1, 1.0000001, 1e-07, 2, 26, -4.7208130597, -1.3463134929, 3.4907017256, 0.47242132016},
    {1, 1.0000001, 1e-07, 2, 143, -2.7624487119, -1.3676872818, -4.5198715659, 0.12714403819},
    {0.5, 1.00000001, 1e-08, 2, 180, 5.8520781382, 0.51973205944, -5.8520781382, -0.51973205944},
    {0.5, 1.00000001, 1e-08, 2, 143, -4.8759541047, 1.2146362652, -0.33097075654, 1.0911556436},
    {10, 1.00000001, 0, 2, 180, -5.2404384973, -3.1395715195, 5.2404384973, 3.1395715195},
    {10, 1.00000001, 0, 2, 143, -1.5407506502, -0.37939148973, 0.66785314109, 0.9221423421},
};

TEST(DebyeReference, SingleOrdersOfSpheresOfIndexNearOne) { ExpectPairs(kNearOne); }

}  // namespace
}  // namespace tessary
