// Gaussian-beam Mie series. Oracles: the plane-wave limit against the plane-wave series (mie.h), the
// closed form of a centred beam (plane-wave sums weighted by the beam factor F(n)) with its
// forward-beam correction, the mirror symmetries of an off-axis beam, the worked beam counts, and the
// refusals with their exact messages.
#include "scattering/mie_gaussian.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "numerics/constants.h"
#include "rel_error.h"
#include "scattering/mie.h"
#include "scattering/mie_coefficients.h"

namespace tessary {
namespace {

using test::RelError;

MieGaussianInput Input(double x, Complex m, int nang, GaussianBeamInput beam, double wavelength = 0.65) {
    MieGaussianInput in;
    in.x = x;
    in.m = m;
    in.NANG = nang;
    in.first = 1;
    in.last = 2 * nang - 1;
    in.wavelength = wavelength;
    in.beam = beam;
    return in;
}

MieGaussianResult RunBeam(const MieGaussianInput& in) {
    MieGaussianResult r;
    MieGaussianSeries(in, r);
    EXPECT_EQ(r.status, MieStatus::Done) << r.message;
    return r;
}

double Theta(int J, int nang) { return (J - 1) * (kHalfPi / (nang - 1)); }

// ---- Plane-wave limit --------------------------------------------------------------------------

struct PlaneWaveCase {
    double x;
    Complex m;
    float w0;
};

class MieGaussianPlaneWaveLimit : public testing::TestWithParam<PlaneWaveCase> {};

// A beam of w0 = 1e6 um (1e8 at x = 500, so that e^(-(N s)^2) stays within 1e-12 of 1) centred on the
// sphere: phi = 90 degrees gives the plane-wave S1, phi = 0 its S2 and S1 exactly 0. The forward-beam
// correction acts only at theta <= 10 s, far inside the first angle step, so only index 1 is left out.
// x = 500 also checks the start of the D_n recurrence (started at N it is 1 % off in S1(180) there).
TEST_P(MieGaussianPlaneWaveLimit, EqualsThePlaneWaveSeries) {
    const PlaneWaveCase& c = GetParam();
    const int nang = 91;
    MieInput plane;
    plane.x = c.x;
    plane.m = c.m;
    plane.NANG = nang;
    plane.first = 1;
    plane.last = 2 * nang - 1;
    MieResult p;
    MieSeries(plane, p);
    ASSERT_EQ(p.status, MieStatus::Done);

    const MieGaussianResult perp = RunBeam(Input(c.x, c.m, nang, {0.0f, 0.0f, 0.0f, c.w0, 90.0}));
    const MieGaussianResult para = RunBeam(Input(c.x, c.m, nang, {0.0f, 0.0f, 0.0f, c.w0, 0.0}));
    EXPECT_EQ(perp.beamMMax, 7);
    for (int J = 2; J <= 2 * nang - 1; ++J) {
        EXPECT_LE(RelError(perp.S1re[J], perp.S1im[J], p.S1re[J], p.S1im[J]), 1e-9) << J;
        EXPECT_LE(RelError(para.S2re[J], para.S2im[J], p.S2re[J], p.S2im[J]), 1e-9) << J;
    }
    for (int J = 1; J <= 2 * nang - 1; ++J) {
        EXPECT_EQ(para.S1re[J], 0.0) << J;
        EXPECT_EQ(para.S1im[J], 0.0) << J;
    }
}

INSTANTIATE_TEST_SUITE_P(Spheres, MieGaussianPlaneWaveLimit,
                         testing::Values(PlaneWaveCase{10.0, {1.33, 0.0}, 1e6f},
                                         PlaneWaveCase{10.0, {1.5, 0.1}, 1e6f},
                                         PlaneWaveCase{100.0, {1.33, 0.0}, 1e6f},
                                         PlaneWaveCase{500.0, {1.33, 0.0}, 1e8f}));

// ---- Centred beam of finite width --------------------------------------------------------------

// S1 = sin phi sum FN_n F(n) (a_n pi_n + b_n tau_n), S2 = cos phi sum FN_n F(n) (a_n tau_n + b_n pi_n)
// with the plane-wave angle functions ([1] 4.46, 4.47), summed to N; then the forward-beam correction
// e^(-theta^2/(4 s^2))/(2 s^2) (B = C = D = 1 on the axis with zf = 0) times sin phi, cos phi.
TEST(MieGaussianSeries, CentredBeamIsTheWeightedPlaneWave) {
    const double x = 30.0, phi = 30.0;
    const Complex m{1.33, 0.002};
    const int nang = 91;
    const MieGaussianResult r = RunBeam(Input(x, m, nang, {0.0f, 0.0f, 0.0f, 5.0f, phi}));
    const int N = r.beamNMax;
    MieOrderTables tables;
    std::vector<Complex> an, bn;
    MieOrderTablesOf(x, m, N + 100, tables);
    ASSERT_EQ(MieAnBn(x, m, N, tables, an, bn), 0);
    std::vector<Complex> F;
    BeamOrderFactors(r.beam, N, F);
    const double s = r.beam.beamS, sinPhi = std::sin(r.beam.beamPhi), cosPhi = std::cos(r.beam.beamPhi);
    int corrected = 0;
    for (int J = 1; J <= 2 * nang - 1; ++J) {
        const double theta = Theta(J, nang), mu = std::cos(theta);
        double pi0 = 0.0, pi1 = 1.0;
        Complex s1{}, s2{};
        for (int n = 1; n <= N; ++n) {
            const double tau = n * mu * pi1 - (n + 1) * pi0;
            const Complex w = ComplexMult({(2.0 * n + 1) / (n * (n + 1.0)), 0.0}, F[n]);
            const Complex a = ComplexMult(w, an[n]), b = ComplexMult(w, bn[n]);
            s1 = {s1.re + a.re * pi1 + b.re * tau, s1.im + a.im * pi1 + b.im * tau};
            s2 = {s2.re + a.re * tau + b.re * pi1, s2.im + a.im * tau + b.im * pi1};
            const double next = ((2.0 * n + 1) * mu * pi1 - (n + 1) * pi0) / n;
            pi0 = pi1;
            pi1 = next;
        }
        s1 = {sinPhi * s1.re, sinPhi * s1.im};
        s2 = {cosPhi * s2.re, cosPhi * s2.im};
        if (static_cast<float>(theta) <= static_cast<float>(10.0 * s)) {
            const double H = std::exp(-theta * theta / (4.0 * s * s)) / (2.0 * s * s);
            s1.re -= sinPhi * H;
            s2.re -= cosPhi * H;
            ++corrected;
        }
        EXPECT_LE(RelError(r.S1re[J], r.S1im[J], s1.re, s1.im), 1e-11) << J;
        EXPECT_LE(RelError(r.S2re[J], r.S2im[J], s2.re, s2.im), 1e-11) << J;
    }
    EXPECT_EQ(corrected, 12);  // theta_J = 0..11 degrees, 10 s = 11.85 degrees: not the 90-degree angle
}

// The coefficients the beam series sums, for a sphere much smaller than the wavelength (x = 1e-4):
// scripts/mie_small_reference_values.py, part 2. From the upward recurrence of psi_n, a_2 and b_1
// came out with no correct digit.
TEST(MieGaussianSeries, SmallSphereCoefficientsAgreeWithArbitraryPrecision) {
    const struct {
        Complex m;
        int n;
        double a[2], b[2];
    } cases[] = {
        // clang-format off
        {{1.33, 0.0}, 1, {1.8498136268187542e-26, -1.3600785370039313e-13}, {2.9195417737121102e-44, -1.7086666654769473e-22}},
        {{1.33, 0.0}, 2, {6.1474349395412493e-45, -7.8405579773006266e-23}, {2.3832994067635266e-63, -4.8819047581487357e-32}},
        {{10.0, 10.0}, 1, {9.9990002403963350e-15, -6.6656668066305404e-13}, {4.4444444296294614e-20, 2.2223068730157889e-22}},
        {{10.0, 10.0}, 2, {4.1664323108004627e-24, -3.3330208509092801e-22}, {1.2698412673015769e-29, 6.3493192141091722e-32}},
        // clang-format on
    };
    for (const auto& c : cases) {
        const double x = 1e-4;
        MieOrderTables tables;
        std::vector<Complex> an, bn;
        MieOrderTablesOf(x, c.m, MieLogDerivativeStart(30, x * ComplexAbs(c.m)), tables);
        ASSERT_EQ(MieAnBn(x, c.m, 30, tables, an, bn), 0);
        EXPECT_LE(RelError(an[c.n].re, an[c.n].im, c.a[0], c.a[1]), 1e-13) << c.m.re << " " << c.n;
        EXPECT_LE(RelError(bn[c.n].re, bn[c.n].im, c.b[0], c.b[1]), 1e-13) << c.m.re << " " << c.n;
    }
}

// ---- Off-axis beam: symmetries -----------------------------------------------------------------

// Mirroring the set-up in the plane y = 0 (yf -> -yf, phi -> -phi) keeps the x-polarised beam and
// turns the perpendicular amplitude around: S1 -> -S1, S2 -> S2. Mirroring in x = 0 (xf -> -xf,
// phi -> 180 - phi) reverses the incident field as well: S1 -> S1, S2 -> -S2.
TEST(MieGaussianSeries, MirrorSymmetriesOfAnOffAxisBeam) {
    const double x = 25.0;
    const Complex m{1.33, 0.01};
    const int nang = 61;
    const MieGaussianResult a = RunBeam(Input(x, m, nang, {3.0f, 2.0f, 1.5f, 2.5f, 30.0}));
    const MieGaussianResult yMirror = RunBeam(Input(x, m, nang, {3.0f, -2.0f, 1.5f, 2.5f, -30.0}));
    const MieGaussianResult xMirror = RunBeam(Input(x, m, nang, {-3.0f, 2.0f, 1.5f, 2.5f, 150.0}));
    EXPECT_GT(a.beamMMax, 7);
    double scale = 0.0;
    for (int J = 1; J <= 2 * nang - 1; ++J)
        scale = std::max({scale, std::hypot(a.S1re[J], a.S1im[J]), std::hypot(a.S2re[J], a.S2im[J])});
    const double tol = 1e-12 * scale;
    for (int J = 1; J <= 2 * nang - 1; ++J) {
        EXPECT_NEAR(yMirror.S1re[J], -a.S1re[J], tol) << J;
        EXPECT_NEAR(yMirror.S1im[J], -a.S1im[J], tol) << J;
        EXPECT_NEAR(yMirror.S2re[J], a.S2re[J], tol) << J;
        EXPECT_NEAR(yMirror.S2im[J], a.S2im[J], tol) << J;
        EXPECT_NEAR(xMirror.S1re[J], a.S1re[J], tol) << J;
        EXPECT_NEAR(xMirror.S1im[J], a.S1im[J], tol) << J;
        EXPECT_NEAR(xMirror.S2re[J], -a.S2re[J], tol) << J;
        EXPECT_NEAR(xMirror.S2im[J], -a.S2im[J], tol) << J;
    }
}

// Each point is computed on its own, so a window of one index gives the bits of the full run.
TEST(MieGaussianSeries, WindowDoesNotChangeAPoint) {
    MieGaussianInput in = Input(12.0, {1.5, 0.05}, 46, {-4.0f, 1.0f, -2.0f, 3.0f, 45.0});
    const MieGaussianResult full = RunBeam(in);
    for (int J : {1, 2, 17, 46, 47, 60, 91}) {
        in.first = in.last = J;
        const MieGaussianResult one = RunBeam(in);
        EXPECT_EQ(one.pointsDone, 1);
        for (int k = 1; k <= 91; ++k) {
            EXPECT_EQ(one.S1re[k], k == J ? full.S1re[k] : 0.0) << J << " " << k;
            EXPECT_EQ(one.S2im[k], k == J ? full.S2im[k] : 0.0) << J << " " << k;
        }
    }
}

// ---- Counts ------------------------------------------------------------------------------------

TEST(MieGaussianSeries, WorkedBeamCounts) {
    MieGaussianInput in = Input(100.0, {1.33, 0.0}, 2, {10.0f, 0.0f, 0.0f, 2.0f, 0.0});
    in.first = in.last = 3;
    const MieGaussianResult r = RunBeam(in);
    EXPECT_EQ(r.beam.beamWaveNumber, 9.66643893412243);
    EXPECT_EQ(static_cast<double>(r.beam.beamS), 0.0517253577709198);
    EXPECT_EQ(r.nStop, 139);
    EXPECT_EQ(r.beamNMax, 159);
    EXPECT_EQ(r.besselZ.re, 82.50194564461708);
    EXPECT_EQ(r.beamMMax, 59);

    in.beam.xf = 0.0f;
    EXPECT_EQ(RunBeam(in).beamMMax, 7);  // centred: every z_n = 0
}

// Memory grows as N M: no work table depends on the number of angles.
TEST(MieGaussianSeries, WorkTablesDoNotGrowWithTheAngles) {
    const GaussianBeamInput beam{5.0f, 0.0f, 0.0f, 3.0f, 0.0};
    const MieGaussianResult few = RunBeam(Input(20.0, {1.33, 0.0}, 10, beam));
    const MieGaussianResult many = RunBeam(Input(20.0, {1.33, 0.0}, 9001, beam));
    EXPECT_EQ(few.work.waves.terms.size(), many.work.waves.terms.size());
    EXPECT_EQ(few.work.shape.beamGPlusA.size(), many.work.shape.beamGPlusA.size());
    std::size_t expected = 0;
    for (int m = 1; m <= few.beamMMax; ++m) expected += static_cast<std::size_t>(few.beamNMax - m + 1);
    EXPECT_EQ(few.work.waves.terms.size(), expected);
    EXPECT_EQ(many.pointsDone, 18001);
}

// ---- Refusals, stop, convergence ---------------------------------------------------------------

struct RefusalCase {
    const char* name;
    double x;
    Complex m;
    int NANG;
    GaussianBeamInput beam;
    double wavelength;
    BeamRefusal refusal;
    const char* message;
};

class MieGaussianRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(MieGaussianRefusal, ExactMessage) {
    const RefusalCase& c = GetParam();
    MieGaussianResult r;
    MieGaussianSeries(Input(c.x, c.m, c.NANG, c.beam, c.wavelength), r);
    EXPECT_EQ(r.status, MieStatus::Refused);
    EXPECT_EQ(r.refusal, c.refusal);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.title, "Error in MIE_Gaussian sub-routine");
    for (const auto* s : {&r.S1re, &r.S1im, &r.S2re, &r.S2im})
        EXPECT_TRUE(std::all_of(s->begin(), s->end(), [](double v) { return v == 0.0; }));
}

const GaussianBeamInput kDefaultBeam{};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, MieGaussianRefusal,
    testing::Values(
        RefusalCase{"ZeroSize", 0.0, {1.33, 0.0}, 10, kDefaultBeam, 0.65, BeamRefusal::BadSize,
                    "Size parameter x = 0 is not a finite number above 0"},
        RefusalCase{"ZeroIndex", 10.0, {0.0, 0.0}, 10, kDefaultBeam, 0.65, BeamRefusal::BadIndex,
                    "Refractive index m = 0 + 0i is not finite and nonzero"},
        RefusalCase{"TooLarge", 150376.0, {1.33, 0.0}, 10, kDefaultBeam, 0.65, BeamRefusal::TooLarge,
                    "Reduce radius or increase wavelength"},
        RefusalCase{"ZeroWidth", 10.0, {1.33, 0.0}, 10, {0.0f, 0.0f, 0.0f, 0.0f, 0.0}, 0.65, BeamRefusal::BadWidth,
                    "Beam half-width w0 = 0 is not a finite number above 0"},
        RefusalCase{"ZeroWavelength", 10.0, {1.33, 0.0}, 10, kDefaultBeam, 0.0, BeamRefusal::BadWavelength,
                    "Wavelength = 0 is not a finite number above 0"},
        RefusalCase{"TooManyAngles", 10.0, {1.33, 0.0}, 9002, kDefaultBeam, 0.65, BeamRefusal::BadAngles,
                    "Number of angles NANG = 9002 is above 9001"},
        RefusalCase{"TooManyTerms", 100000.0, {1.5, 0.0}, 10, {-40.0f, 0.0f, 0.0f, 20.0f, 0.0}, 0.65,
                    BeamRefusal::TooManyTerms,
                    "The Gaussian beam needs 150020 series orders and 362 azimuthal orders, too many: reduce "
                    "radius, beam offset or focus distance"}),
    [](const testing::TestParamInfo<RefusalCase>& testInfo) { return std::string(testInfo.param.name); });
// clang-format on

TEST(MieGaussianSeries, LimitOfMxPassesAtExactly200000) {
    MieGaussianInput in = Input(100000.0, {2.0, 0.0}, 2, {0.0f, 0.0f, 0.0f, 20.0f, 0.0});
    in.first = in.last = 3;
    const MieGaussianResult r = RunBeam(in);
    EXPECT_EQ(r.beamNMax, 200020);
    EXPECT_EQ(r.beamMMax, 7);
    EXPECT_NE(r.S2re[3], 0.0);
}

TEST(MieGaussianSeries, RaisesNangToTwo) {
    MieGaussianInput in = Input(5.0, {1.33, 0.0}, 1, kDefaultBeam);
    in.last = 3;
    const MieGaussianResult r = RunBeam(in);
    EXPECT_EQ(r.NANG, 2);
    EXPECT_EQ(r.S1re.size(), 4u);
    EXPECT_EQ(r.pointsDone, 3);
}

TEST(MieGaussianSeries, StopDuringTheCoefficientsLeavesZeros) {
    MieGaussianResult r;
    MieGaussianSeries(Input(10.0, {1.33, 0.0}, 10, kDefaultBeam), r, [](BeamStage stage, int done, int) {
        return stage == BeamStage::Coefficients && done == 3;
    });
    EXPECT_EQ(r.status, MieStatus::Stopped);
    EXPECT_EQ(r.pointsDone, 0);
    EXPECT_TRUE(std::all_of(r.S1re.begin(), r.S1re.end(), [](double v) { return v == 0.0; }));
}

TEST(MieGaussianSeries, StopDuringTheAnglesKeepsThePointsDone) {
    const MieGaussianInput in = Input(10.0, {1.33, 0.0}, 10, kDefaultBeam);
    const MieGaussianResult full = RunBeam(in);
    MieGaussianResult r;
    int reports = 0;
    MieGaussianSeries(in, r, [&](BeamStage stage, int done, int total) {
        if (stage != BeamStage::Angles) return false;
        EXPECT_EQ(total, 19);
        EXPECT_EQ(done, ++reports);
        return done == 5;
    });
    EXPECT_EQ(r.status, MieStatus::Stopped);
    EXPECT_EQ(r.pointsDone, 5);
    int kept = 0;
    for (int J = 1; J <= 19; ++J) {
        if (r.S1re[J] == 0.0 && r.S2re[J] == 0.0) continue;
        ++kept;
        EXPECT_EQ(r.S1re[J], full.S1re[J]) << J;
        EXPECT_EQ(r.S2im[J], full.S2im[J]) << J;
    }
    EXPECT_EQ(kept, 5);
}

TEST(MieGaussianSeries, ConvergenceGraphRecordsOneValueAtNPlusOne) {
    MieGaussianInput in = Input(10.0, {1.33, 0.0}, 10, kDefaultBeam);
    in.graph = MieGraph::Convergence;
    in.angleIndex = 19;
    const MieGaussianResult r = RunBeam(in);
    EXPECT_EQ(r.convergenceOrder, r.beamNMax + 1);
    const double s1 = std::hypot(r.S1re[19], r.S1im[19]), s2 = std::hypot(r.S2re[19], r.S2im[19]);
    EXPECT_REL_NEAR(r.intensityPerp, s1 * s1, 1e-15);
    EXPECT_REL_NEAR(r.intensityPara, s2 * s2, 1e-15);
    EXPECT_REL_NEAR(r.intensityUnpol, (s1 * s1 + s2 * s2) / 2, 1e-15);

    in.angleIndex = 20;
    MieGaussianResult bad;
    MieGaussianSeries(in, bad);
    EXPECT_EQ(bad.refusal, BeamRefusal::BadAngles);
    EXPECT_EQ(bad.message, "Angle index 20 lies outside 0 to 19");
}

}  // namespace
}  // namespace tessary
