// Gaussian-beam quantities and beam-shape coefficients. Oracles: the worked beam numbers of a
// 0.65 um beam, the centred-beam identities, the power series against the closed form through
// I_nu(z_n) (numerics/bessel_complex.h), and for |z_n| far above the series range reference values
// from scripts/beam_shape_reference_values.py (mpmath, 40 digits).
#include "scattering/beam_shape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "numerics/bessel_complex.h"
#include "rel_error.h"

namespace tessary {
namespace {

using test::RelError;

GaussianBeam Beam(double wavelength, float xf, float yf, float zf, float w0, double phiDegrees = 0.0) {
    GaussianBeam beam;
    std::string message;
    EXPECT_EQ(MakeGaussianBeam({xf, yf, zf, w0, phiDegrees}, wavelength, beam, message), BeamRefusal::None)
        << message;
    return beam;
}

struct Coefficients {
    BeamShapeTables tables;
    std::vector<Complex> F;
};

Coefficients Compute(const GaussianBeam& beam, int N, int M) {
    Coefficients c;
    BeamOrderFactors(beam, N, c.F);
    EXPECT_EQ(BeamShapeCoeff1(beam, N, M, c.F, c.tables), BeamShapeStatus::Done);
    return c;
}

// hypot, not ComplexAbs: the coefficients of large |m| go down to 1e-200, where squares underflow.
double Distance(Complex a, Complex b) { return std::hypot(a.re - b.re, a.im - b.im); }
double Modulus(Complex a) { return std::hypot(a.re, a.im); }

TEST(GaussianBeam, WorkedBeamQuantities) {
    const GaussianBeam b = Beam(0.65, 10.0f, 0.0f, 0.0f, 2.0f, 90.0);
    EXPECT_EQ(b.beamWaveNumber, 9.66643893412243);
    EXPECT_EQ(static_cast<double>(b.beamS), 0.0517253577709198);
    EXPECT_EQ(b.rho, 5.0);
    EXPECT_EQ(b.beamPhi, 1.570796326794895);
    // zf = 0: Q = 1 exactly and G = e^(-rho^2).
    EXPECT_EQ(b.beamFocusTerm.re, 1.0);
    EXPECT_EQ(b.beamFocusTerm.im, 0.0);
    EXPECT_REL_NEAR(b.gaussCplx.re, std::exp(-25.0), 1e-15);
    EXPECT_EQ(BeamAzimuthalBound(BeamBesselZ(159, b)), 59.0);
}

TEST(GaussianBeam, AzimuthalBound) {
    EXPECT_EQ(BeamAzimuthalBound({0.0, 0.0}), 7.0);  // centred beam
    EXPECT_EQ(BeamAzimuthalBound({6.49, 3.0}), 7.0);
    EXPECT_EQ(BeamAzimuthalBound({6.5, 0.0}), 17.0);   // round(6.5 sqrt 6.5) = round(16.57)
    EXPECT_EQ(BeamAzimuthalBound({16.0, 4.0}), 28.0);  // (0.5 + 6.5) 4
    EXPECT_EQ(BeamAzimuthalBound({std::numeric_limits<double>::infinity(), 0.0}),
              std::numeric_limits<double>::infinity());
}

TEST(GaussianBeam, FocusTermAndBeamFactor) {
    // Q = 1/(1 + iq), q = -2 s zf / w0 in Single; G = Q e^(-Q rho^2) e^(-i k zf).
    const GaussianBeam b = Beam(0.5, 1.0f, 2.0f, 3.0f, 4.0f);
    const double s = b.beamS;
    const double q = static_cast<float>(-2.0 * s * 3.0 / 4.0);
    EXPECT_REL_NEAR(b.beamFocusTerm.re, 1.0 / (1.0 + q * q), 1e-15);
    EXPECT_REL_NEAR(b.beamFocusTerm.im, -q / (1.0 + q * q), 1e-15);
    EXPECT_EQ(b.rho2, static_cast<float>(5.0 / 16.0));
    const Complex Q = b.beamFocusTerm;
    const double rho2 = b.rho2, phase = static_cast<float>(-3.0 / (s * 4.0));
    const double mod = std::exp(-Q.re * rho2) * std::hypot(Q.re, Q.im);
    const double arg = -Q.im * rho2 + std::atan2(Q.im, Q.re) + phase;
    EXPECT_LE(RelError(b.gaussCplx.re, b.gaussCplx.im, mod * std::cos(arg), mod * std::sin(arg)), 1e-14);
}

struct BadBeamCase {
    const char* name;
    double wavelength;
    GaussianBeamInput input;
    BeamRefusal refusal;
    const char* message;
};

class GaussianBeamRefusal : public testing::TestWithParam<BadBeamCase> {};

TEST_P(GaussianBeamRefusal, NamesTheBadValue) {
    const BadBeamCase& c = GetParam();
    GaussianBeam beam;
    std::string message;
    EXPECT_EQ(MakeGaussianBeam(c.input, c.wavelength, beam, message), c.refusal);
    EXPECT_EQ(message, c.message);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, GaussianBeamRefusal,
    testing::Values(
        BadBeamCase{"ZeroWidth", 0.65, {0, 0, 0, 0.0f, 0}, BeamRefusal::BadWidth,
                    "Beam half-width w0 = 0 is not a finite number above 0"},
        BadBeamCase{"NegativeWidth", 0.65, {0, 0, 0, -2.5f, 0}, BeamRefusal::BadWidth,
                    "Beam half-width w0 = -2.5 is not a finite number above 0"},
        BadBeamCase{"ZeroWavelength", 0.0, {0, 0, 0, 20.0f, 0}, BeamRefusal::BadWavelength,
                    "Wavelength = 0 is not a finite number above 0"},
        BadBeamCase{"InfiniteWavelength", std::numeric_limits<double>::infinity(), {0, 0, 0, 20.0f, 0}, BeamRefusal::BadWavelength,
                    "Wavelength = inf is not a finite number above 0"},
        BadBeamCase{"NaNCentre", 0.65, {std::nanf(""), 0, 0, 20.0f, 0}, BeamRefusal::BadBeam,
                    "Beam position (nan, 0, 0) or azimuth 0 is not finite"},
        BadBeamCase{"WidthBelowSingleRange", 0.65, {0, 0, 0, 1e-45f, 0}, BeamRefusal::BadWidth,
                    "Beam half-width w0 = 1.401298464324817e-45 at wavelength 0.65 gives a confinement factor "
                    "s = 7.382489572596327e+43 outside the single-precision range"}),
    [](const testing::TestParamInfo<BadBeamCase>& testInfo) { return std::string(testInfo.param.name); });
// clang-format on

// A centred beam: only |m| = 1 survives, with gPlusA = F, gPlusB = -iF, gMinusA = F, gMinusB = iF.
TEST(BeamShapeCoefficients, CentredBeamIdentities) {
    for (float zf : {0.0f, 7.5f, -30.0f}) {
        const GaussianBeam b = Beam(0.65, 0.0f, 0.0f, zf, 3.0f);
        const int N = 80, M = 7;
        const Coefficients c = Compute(b, N, M);
        const BeamShapeTables& t = c.tables;
        for (int n = 1; n <= N; ++n) {
            const Complex F = c.F[static_cast<std::size_t>(n)];
            const std::size_t i = t.Index(n, 1);
            EXPECT_LE(RelError(t.beamGPlusA[i].re, t.beamGPlusA[i].im, F.re, F.im), 1e-15) << n;
            EXPECT_LE(RelError(t.beamGPlusB[i].re, t.beamGPlusB[i].im, F.im, -F.re), 1e-15) << n;
            EXPECT_LE(RelError(t.beamGMinusA[i].re, t.beamGMinusA[i].im, F.re, F.im), 1e-15) << n;
            EXPECT_LE(RelError(t.beamGMinusB[i].re, t.beamGMinusB[i].im, -F.im, F.re), 1e-15) << n;
            for (int m = 2; m <= M + 1; ++m) {
                const std::size_t k = t.Index(n, m);
                for (const Complex& g :
                     {t.beamGPlusA[k], t.beamGPlusB[k], t.beamGMinusA[k], t.beamGMinusB[k]}) {
                    EXPECT_EQ(g.re, 0.0) << n << " " << m;
                    EXPECT_EQ(g.im, 0.0) << n << " " << m;
                }
            }
        }
        for (int m = 0; m <= M + 1; ++m) EXPECT_EQ(t.beamGPlusA[t.Index(0, m)].re, 0.0);  // n = 0 untouched
        EXPECT_EQ(t.besselOrders, 0);
    }
}

// The power series against e^(-+i(m-1)phi0) I_(m-1)(z_n) +- e^(-+i(m+1)phi0) I_(m+1)(z_n) for every
// order with |z_n| <= 20 and every |m| up to 60: 1e-13 relative, or absolute at the level of the
// series' 1e-30 stopping test (for large m and small z_n the series stops after a term or two).
struct SeriesCase {
    double wavelength;
    float xf, yf, zf, w0;
    int N, M;
    double tolerance;
};

class BeamShapeSeries : public testing::TestWithParam<SeriesCase> {};

TEST_P(BeamShapeSeries, EqualsTheBesselClosedForm) {
    const SeriesCase& c = GetParam();
    const GaussianBeam b = Beam(c.wavelength, c.xf, c.yf, c.zf, c.w0);
    const Coefficients coefficients = Compute(b, c.N, c.M);
    const BeamShapeTables& t = coefficients.tables;
    const float x0 = c.xf / c.w0, y0 = c.yf / c.w0;
    const double rhoX = std::hypot(static_cast<double>(x0), static_cast<double>(y0));
    const double phi0 = std::atan2(static_cast<double>(y0), static_cast<double>(x0));
    const Complex Q = b.beamFocusTerm;
    int checked = 0;
    for (int n = 1; n <= c.N; ++n) {
        const double u = (n + 0.5) * static_cast<double>(b.beamS);
        const Complex z{2.0 * u * Q.re * rhoX, 2.0 * u * Q.im * rhoX};
        if (ComplexAbs(z) > 20.0) continue;
        const BesselIResult I = BesselI(c.M + 1, z);
        ASSERT_EQ(I.status, BesselIStatus::Ok);
        for (int m : {1, -1, 2, -2, 3, -3, 7, -7, c.M / 2, -(c.M / 2), c.M, -c.M}) {
            const int mu = std::abs(m);
            const Complex K = ComplexMult(ComplexPower({0.0, -1.0 / (n + 0.5)}, mu - 1),
                                          coefficients.F[static_cast<std::size_t>(n)]);
            const double sign = m > 0 ? -1.0 : 1.0;
            const Complex first = ComplexMult(ComplexExp({0.0, sign * (mu - 1) * phi0}), I.values[mu - 1]);
            const Complex second = ComplexMult(ComplexExp({0.0, sign * (mu + 1) * phi0}), I.values[mu + 1]);
            const Complex sum1 = m > 0 ? ComplexAdd(first, second) : ComplexAdd(second, first);
            const Complex sum2 = m > 0 ? ComplexSub(first, second) : ComplexSub(second, first);
            const Complex A = ComplexMult(K, sum1), B = ComplexMult(ComplexDiv(K, {0.0, 1.0}), sum2);
            const std::size_t i = t.Index(n, mu);
            const Complex gotA = m > 0 ? t.beamGPlusA[i] : t.beamGMinusA[i];
            const Complex gotB = m > 0 ? t.beamGPlusB[i] : t.beamGMinusB[i];
            const double absolute = 1e-29 * Modulus(K);
            EXPECT_LE(Distance(gotA, A), c.tolerance * Modulus(A) + absolute) << "n " << n << " m " << m;
            EXPECT_LE(Distance(gotB, B), c.tolerance * Modulus(B) + absolute) << "n " << n << " m " << m;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

// With xf < 0 the polar form of X+- carries the program's pi = 3.14159265358979, 3.2e-15 below pi:
// the term of index j has its phase off by j times that (up to 4.4e-13 at j = 138).
INSTANTIATE_TEST_SUITE_P(Beams, BeamShapeSeries,
                         testing::Values(SeriesCase{0.65, 3.0f, 0.0f, 0.0f, 2.0f, 140, 60, 1e-13},
                                         SeriesCase{0.65, -2.5f, 1.5f, 4.0f, 2.5f, 120, 30, 5e-13},
                                         SeriesCase{0.5, 0.5f, -0.25f, -2.0f, 1.0f, 300, 60, 1e-13},
                                         SeriesCase{0.65, 0.0f, 8.0f, 20.0f, 4.0f, 200, 20, 1e-13}));

// At |z_n| near 20 the sums of |m| around 60 still have terms above 1e-30 when the cut at 70 stops
// them: those orders take the closed form (checked against it above); with |m| up to 20 none does.
TEST(BeamShapeCoefficients, OrdersTruncatedByTheCutTakeTheClosedForm) {
    const GaussianBeam b = Beam(0.65, 3.0f, 0.0f, 0.0f, 2.0f);
    EXPECT_EQ(Compute(b, 140, 20).tables.besselOrders, 0);
    EXPECT_GT(Compute(b, 140, 60).tables.besselOrders, 0);
}

// Far above the series range (offsets of 10 to 30 half-widths, |z_n| of 120 to 1900) the coefficients
// come from I_nu; with offsets of 30 w0 the beam factor G = e^(-900) is below the double range, yet
// the coefficients near n = rho/s, where the beam meets the sphere, are of order 1e-2.
struct FarCase {
    int n, m;
    Complex plusA, plusB, minusA, minusB;
};

// clang-format off
constexpr FarCase kFar60[] = {
    {560, 1, {0.0069229409247405262, 0.0}, {0.0, -3.9809346705671498e-6}, {0.0069229409247405262, 0.0}, {0.0, 3.9809346705671498e-6}},
    {560, 2, {0.0, -1.2340723512253772e-5}, {-1.4192693610902949e-8, 0.0}, {0.0, -1.2340723512253772e-5}, {1.4192693610902949e-8, 0.0}},
    {560, 5, {6.9661539477641682e-14, 0.0}, {0.0, -2.0028838901143553e-16}, {6.9661539477641682e-14, 0.0}, {0.0, 2.0028838901143553e-16}},
    {580, 1, {0.018775609819559106, 0.0}, {0.0, -1.0424556101587128e-5}, {0.018775609819559106, 0.0}, {0.0, 1.0424556101587128e-5}},
    {580, 2, {0.0, -3.2316947753344385e-5}, {-3.5885884112765096e-8, 0.0}, {0.0, -3.2316947753344385e-5}, {3.5885884112765096e-8, 0.0}},
    {580, 5, {1.6424540420393983e-13, 0.0}, {0.0, -4.5595831814750763e-16}, {1.6424540420393983e-13, 0.0}, {0.0, 4.5595831814750763e-16}},
    {600, 1, {0.0059922039472476683, 0.0}, {0.0, -3.2161426690641381e-6}, {0.0059922039472476683, 0.0}, {0.0, 3.2161426690641381e-6}},
    {600, 2, {0.0, -9.9706648829102602e-6}, {-1.0702929069547635e-8, 0.0}, {0.0, -9.9706648829102602e-6}, {1.0702929069547635e-8, 0.0}},
    {600, 5, {4.5786653422391089e-14, 0.0}, {0.0, -1.2287290441592364e-16}, {4.5786653422391089e-14, 0.0}, {0.0, 1.2287290441592364e-16}},
};
constexpr FarCase kFarFocused[] = {
    {570, 1, {-0.010463771857522810, 0.0056746797522267159}, {0.0078552250556805823, -0.0042480651006235849}, {0.0025085265055365083, 0.011638812078239550}, {-0.0018910927296677481, -0.0087242332624357332}},
    {570, 3, {2.5682984148804278e-8, 2.5910767781440960e-8}, {-1.9211091533139106e-8, -1.9518802982727390e-8}, {-3.6409576825932218e-8, -2.6604824968022578e-9}, {2.7289165277677290e-8, 1.8971758677117919e-9}},
    {570, 6, {-7.9585442523507966e-17, -1.7793771877962628e-16}, {5.8853477115763467e-17, 1.3411691415219790e-16}, {-1.8738880068624954e-16, 5.4600352757427428e-17}, {1.3999369935698603e-16, -4.1865927112187671e-17}},
    {590, 1, {-0.0096972921168308399, 0.0054273421570007930}, {0.0072797349078841098, -0.0040634304922816507}, {0.0024866666682897959, 0.010833389553544295}, {-0.0018736875113406076, -0.0081205282928389851}},
    {590, 3, {2.2680661164804079e-8, 2.2280831132400350e-8}, {-1.6968400541400697e-8, -1.6783369186238116e-8}, {-3.1757652666813735e-8, -1.8933363515961077e-9}, {2.3801967839455084e-8, 1.3375449605363699e-9}},
    {590, 6, {-6.4421620670457900e-17, -1.3903133791834497e-16}, {4.7688428107424966e-17, 1.0478596528403525e-16}, {-1.4670777450474251e-16, 4.4904768280645121e-17}, {1.0960543277334430e-16, -3.4368337479903961e-17}},
};

constexpr FarCase kFar10[] = {
    {60, 1, {5.9075478186338098e-8, -1.1259974661666419e-116}, {8.9593599408175593e-119, -4.7382293099180961e-10}, {5.9075478186338098e-8, -1.1259974661666419e-116}, {-8.9593599408175593e-119, 4.7382293099180961e-10}},
    {60, 3, {-1.5634196166501987e-11, 3.1765702129545059e-120}, {-7.5807078995187635e-122, 3.7609145192470157e-13}, {-1.5634196166501987e-11, 3.1765702129545059e-120}, {7.5807078995187635e-122, -3.7609145192470157e-13}},
    {60, 7, {-9.9532890188638568e-19, 2.7834141736736834e-127}, {-1.5479578554278151e-128, 5.5795771646376686e-20}, {-9.9532890188638568e-19, 2.7834141736736834e-127}, {1.5479578554278151e-128, -5.5795771646376686e-20}},
    {96, 1, {0.056203904087452407, -2.1438966582666278e-175}, {1.0710820923258214e-177, -0.00028220227439154572}, {0.056203904087452407, -2.1438966582666278e-175}, {-1.0710820923258214e-177, 0.00028220227439154572}},
    {96, 3, {-5.9160706280883437e-6, 2.3489366461307091e-179}, {-3.5202071575809958e-181, 8.9105544486583081e-8}, {-5.9160706280883437e-6, 2.3489366461307091e-179}, {3.5202071575809958e-181, -8.9105544486583081e-8}},
    {96, 7, {-6.1735626107235652e-14, 2.9948014644448825e-187}, {-1.0467082120670661e-188, 2.1685260494598522e-15}, {-6.1735626107235652e-14, 2.9948014644448825e-187}, {1.0467082120670661e-188, -2.1685260494598522e-15}},
};
// clang-format on

template <std::size_t K>
void ExpectFarCoefficients(const GaussianBeam& b, int N, int M, const FarCase (&cases)[K]) {
    const Coefficients c = Compute(b, N, M);
    const BeamShapeTables& t = c.tables;
    EXPECT_GT(t.besselOrders, 0);
    for (const FarCase& f : cases) {
        const std::size_t i = t.Index(f.n, f.m);
        const std::pair<Complex, Complex> pairs[] = {{t.beamGPlusA[i], f.plusA},
                                                     {t.beamGPlusB[i], f.plusB},
                                                     {t.beamGMinusA[i], f.minusA},
                                                     {t.beamGMinusB[i], f.minusB}};
        for (const auto& [got, want] : pairs)
            EXPECT_LE(RelError(got.re, got.im, want.re, want.im), 1e-11) << "n " << f.n << " m " << f.m;
    }
}

TEST(BeamShapeCoefficients, FarOffAxisBeamOnAxisFocus) {
    const GaussianBeam b = Beam(0.65, 60.0f, 0.0f, 0.0f, 2.0f);
    std::vector<Complex> F;
    BeamOrderFactors(b, 600, F);
    EXPECT_EQ(F[580].re, 0.0);  // e^(-900 - u^2) underflows: the product form cannot carry the beam
    ExpectFarCoefficients(b, 600, 6, kFar60);
}

TEST(BeamShapeCoefficients, FarOffAxisBeamDisplacedFocus) {
    ExpectFarCoefficients(Beam(0.65, 48.0f, -36.0f, 5.0f, 2.0f), 590, 6, kFarFocused);
}

TEST(BeamShapeCoefficients, BeyondTheSeriesCut) {
    ExpectFarCoefficients(Beam(0.65, 10.0f, 0.0f, 0.0f, 1.0f), 96, 7, kFar10);
}

TEST(BeamShapeCoefficients, StopsAfterTheOrderAsked) {
    const GaussianBeam b = Beam(0.65, 3.0f, 1.0f, 0.0f, 2.0f);
    std::vector<Complex> F;
    BeamOrderFactors(b, 20, F);
    BeamShapeTables t;
    int calls = 0;
    const auto status = BeamShapeCoeff1(b, 20, 9, F, t, [&](BeamStage stage, int n, int total) {
        EXPECT_EQ(stage, BeamStage::Coefficients);
        EXPECT_EQ(total, 20);
        EXPECT_EQ(n, ++calls);
        return n == 5;
    });
    EXPECT_EQ(status, BeamShapeStatus::Stopped);
    EXPECT_EQ(calls, 5);
    EXPECT_NE(t.beamGPlusA[t.Index(5, 1)].re, 0.0);
    EXPECT_EQ(t.beamGPlusA[t.Index(6, 1)].re, 0.0);
}

TEST(BeamShapeCoefficients, EmptyBoundsWriteNothing) {
    const GaussianBeam b = Beam(0.65, 3.0f, 1.0f, 0.0f, 2.0f);
    std::vector<Complex> F;
    BeamOrderFactors(b, 4, F);
    BeamShapeTables t;
    EXPECT_EQ(BeamShapeCoeff1(b, 4, 0, F, t), BeamShapeStatus::Done);  // M = 0
    for (const Complex& g : t.beamGPlusA) EXPECT_EQ(g.re, 0.0);
    EXPECT_EQ(t.beamGPlusA.size(), 5u * 2u);
}

}  // namespace
}  // namespace tessary
