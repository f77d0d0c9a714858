// Gaussian-beam Debye series. Oracles: the worked beam counts, the Debye sum over p = 0..50 against
// the Gaussian-beam Mie series, the plane-wave limit against the plane-wave Debye series, a centred
// pair of beams against twice one beam, and the refusals with their exact messages.
#include "scattering/debye_gaussian.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "numerics/constants.h"
#include "rel_error.h"
#include "scattering/debye.h"
#include "scattering/mie_gaussian.h"

namespace tessary {
namespace {

using test::RelError;

// Orders first..last selected, as the dialog of ray orders leaves them.
RaySelection Orders(int first, int last) {
    RaySelection rays;
    for (int p = first; p <= last; ++p) rays.rayflag[static_cast<std::size_t>(p)] = 1;
    rays.rayCount = last - first + 1;
    rays.rayPMax = 50;
    return rays;
}

DebyeGaussianInput Input(double x, Complex m, int nang, GaussianBeamInput beam) {
    DebyeGaussianInput in;
    in.x = x;
    in.m = m;
    in.NANG = nang;
    in.first = 1;
    in.last = 2 * nang - 1;
    in.wavelength = 0.65;
    in.beam = beam;
    in.rayListText = "Multiple";
    return in;
}

DebyeGaussianResult RunDebye(const DebyeGaussianInput& in, const RaySelection& rays,
                             BeamProgressCallback onProgress = {}) {
    DebyeGaussianResult r;
    DebyeGaussianSeries(in, rays, r, onProgress);
    return r;
}

bool AllZero(const std::vector<double>& v) {
    return std::all_of(v.begin(), v.end(), [](double a) { return a == 0.0; });
}

TEST(DebyeGaussianSeries, WorkedBeamCounts) {
    DebyeGaussianInput in = Input(100.0, {1.33, 0.0}, 2, {10.0f, 0.0f, 0.0f, 2.0f, 0.0});
    in.first = in.last = 3;
    const DebyeGaussianResult r = RunDebye(in, Orders(1, 1));
    ASSERT_EQ(r.status, DebyeStatus::Done) << r.message;
    EXPECT_EQ(r.beam.beamWaveNumber, 9.66643893412243);
    EXPECT_EQ(static_cast<double>(r.beam.beamS), 0.0517253577709198);
    EXPECT_EQ(r.beamNMax, 159);  // c = round(100 + 4 100^0.3333 + 20) = 139, |m x| = 133
    EXPECT_EQ(r.besselZ.re, 82.50194564461708);
    EXPECT_EQ(r.beamMMax, 59);

    in.beam.xf = 0.0f;
    EXPECT_EQ(RunDebye(in, Orders(1, 1)).beamMMax, 7);
}

TEST(DebyeGaussianSeries, SeriesCounts) {
    DebyeGaussianInput in = Input(10.0, {1.33, 0.0}, 2, {});
    const DebyeGaussianResult r = RunDebye(in, Orders(0, 2));
    EXPECT_EQ(r.beamNMax, 59);
    EXPECT_EQ(r.nStop, 21);
    EXPECT_EQ(r.termCount, 21);
    EXPECT_EQ(r.nMax, 36);
    in.graph = DebyeGraph::Convergence;
    const DebyeGaussianResult c = RunDebye(in, Orders(0, 2));
    EXPECT_EQ(c.termCount, 25);
    EXPECT_EQ(c.intensityPerp.size(), 26u);
}

// Convergence graph with termCount above N (x = 200, m = 1.05: 270 > 263): every table reaches the
// larger count, and the orders past N simply have no beam-shape coefficient to meet. (m = 1 itself is
// refused by the plane-wave tables of x, whose upward recurrence is no longer accurate at n = 270.)
TEST(DebyeGaussianSeries, ConvergenceOrdersBeyondTheBeamOrders) {
    DebyeGaussianInput in = Input(200.0, {1.05, 0.0}, 10, {0.0f, 0.0f, 0.0f, 20.0f, 0.0});
    in.graph = DebyeGraph::Convergence;
    const DebyeGaussianResult r = RunDebye(in, Orders(1, 1));
    ASSERT_EQ(r.status, DebyeStatus::Done) << r.message;
    EXPECT_EQ(r.beamNMax, 263);
    EXPECT_EQ(r.nStop, 225);
    EXPECT_EQ(r.termCount, 270);
    EXPECT_EQ(r.intensityPerp.size(), 271u);
    EXPECT_GE(r.work.an2Sum.size(), 271u);
}

// The Debye terms of all p add up to the Mie coefficients (Hovenac & Lock 1992): for this absorbing
// sphere the orders above 50 are small, so the sum is the Gaussian-beam Mie series to about 1e-6, as
// for a plane wave, away from the angles theta <= 10 s where that series applies its forward-beam
// correction.
TEST(DebyeGaussianSeries, OrdersZeroToFiftyGiveTheMieSeries) {
    const GaussianBeamInput beam{2.0f, 1.0f, 1.0f, 3.0f, 30.0};
    const int nang = 91;
    const DebyeGaussianResult d = RunDebye(Input(10.0, {1.5, 0.1}, nang, beam), Orders(0, 50));
    ASSERT_EQ(d.status, DebyeStatus::Done) << d.message;
    MieGaussianInput mi;
    mi.x = 10.0;
    mi.m = {1.5, 0.1};
    mi.NANG = nang;
    mi.first = 1;
    mi.last = 2 * nang - 1;
    mi.wavelength = 0.65;
    mi.beam = beam;
    MieGaussianResult mie;
    MieGaussianSeries(mi, mie);
    ASSERT_EQ(mie.status, MieStatus::Done);
    EXPECT_EQ(d.work.waves.lastOrder[5], d.beamNMax);  // off axis: m = 5 contributes past termCount
    const double s = d.beam.beamS;
    int compared = 0;
    double worst = 0.0;
    for (int J = 1; J <= 2 * nang - 1; ++J) {
        if (static_cast<float>((J - 1) * (kHalfPi / (nang - 1))) <= static_cast<float>(10.0 * s)) continue;
        worst = std::max({worst, RelError(d.S1re[J], d.S1im[J], mie.S1re[J], mie.S1im[J]),
                          RelError(d.S2re[J], d.S2im[J], mie.S2re[J], mie.S2im[J])});
        ++compared;
    }
    EXPECT_GT(compared, 150);
    EXPECT_LE(worst, 1e-6);  // the orders above 50 and the Mie orders above termCount (7e-7 here)
}

// A centred beam of w0 = 1e6 um is a plane wave: phi = 90 degrees gives the plane-wave Debye S1 of
// the same orders, phi = 0 its S2.
TEST(DebyeGaussianSeries, PlaneWaveLimitEqualsThePlaneWaveDebyeSeries) {
    const int nang = 91;
    const RaySelection rays = Orders(1, 3);
    DebyeInput plane;
    plane.x = 30.0;
    plane.m = {1.33, 0.0};
    plane.NANG = nang;
    plane.first = 1;
    plane.last = 2 * nang - 1;
    plane.rayListText = "Multiple";
    DebyeResult p;
    DebyePlaneWave(plane, rays, p);
    ASSERT_EQ(p.status, DebyeStatus::Done) << p.message;
    const DebyeGaussianResult perp =
        RunDebye(Input(30.0, {1.33, 0.0}, nang, {0.0f, 0.0f, 0.0f, 1e6f, 90.0}), rays);
    const DebyeGaussianResult para =
        RunDebye(Input(30.0, {1.33, 0.0}, nang, {0.0f, 0.0f, 0.0f, 1e6f, 0.0}), rays);
    for (int J = 1; J <= 2 * nang - 1; ++J) {
        EXPECT_LE(RelError(perp.S1re[J], perp.S1im[J], p.S1re[J], p.S1im[J]), 1e-9) << J;
        EXPECT_LE(RelError(para.S2re[J], para.S2im[J], p.S2re[J], p.S2im[J]), 1e-9) << J;
        EXPECT_EQ(para.S1re[J], 0.0) << J;
    }
}

TEST(DebyeGaussianSeries, CentredPairOfBeamsIsTwiceOneBeam) {
    DebyeGaussianInput in = Input(15.0, {1.33, 0.001}, 31, {0.0f, 0.0f, 4.0f, 3.0f, 20.0});
    const DebyeGaussianResult one = RunDebye(in, Orders(0, 3));
    in.mnuMultBeams = true;
    const DebyeGaussianResult pair = RunDebye(in, Orders(0, 3));
    ASSERT_EQ(pair.status, DebyeStatus::Done);
    EXPECT_EQ(pair.passes, 2);
    for (int J = 1; J <= 61; ++J) {
        EXPECT_EQ(pair.S1re[J], 2.0 * one.S1re[J]) << J;
        EXPECT_EQ(pair.S1im[J], 2.0 * one.S1im[J]) << J;
        EXPECT_EQ(pair.S2re[J], 2.0 * one.S2re[J]) << J;
        EXPECT_EQ(pair.S2im[J], 2.0 * one.S2im[J]) << J;
    }
}

// The second beam of a pair, centred at (-xf, -yf), is the first turned by 180 degrees about the axis
// (its x polarisation reversed), so its amplitudes at phi + 180 are minus the first's at phi.
TEST(DebyeGaussianSeries, PairOfBeamsAddsTheMirroredBeam) {
    DebyeGaussianInput in = Input(12.0, {1.33, 0.0}, 31, {3.0f, 1.0f, 0.0f, 2.0f, 40.0});
    in.mnuMultBeams = true;
    const DebyeGaussianResult pair = RunDebye(in, Orders(1, 2));
    in.mnuMultBeams = false;
    const DebyeGaussianResult first = RunDebye(in, Orders(1, 2));
    in.beam.xf = -3.0f;
    in.beam.yf = -1.0f;
    const DebyeGaussianResult second = RunDebye(in, Orders(1, 2));
    in.beam = {3.0f, 1.0f, 0.0f, 2.0f, 220.0};
    const DebyeGaussianResult turned = RunDebye(in, Orders(1, 2));
    double scale = 0.0;
    for (int J = 1; J <= 61; ++J) scale = std::max(scale, std::hypot(first.S1re[J], first.S1im[J]));
    for (int J = 1; J <= 61; ++J) {
        EXPECT_NEAR(pair.S1re[J], first.S1re[J] + second.S1re[J], 1e-13 * scale) << J;
        EXPECT_NEAR(pair.S2im[J], first.S2im[J] + second.S2im[J], 1e-13 * scale) << J;
        EXPECT_NEAR(second.S1re[J], -turned.S1re[J], 1e-12 * scale) << J;
        EXPECT_NEAR(second.S2im[J], -turned.S2im[J], 1e-12 * scale) << J;
    }
}

TEST(DebyeGaussianSeries, StopEndsTheOrdersAndSkipsTheSecondBeam) {
    DebyeGaussianInput in = Input(10.0, {1.33, 0.0}, 10, {});
    in.mnuMultBeams = true;
    const DebyeGaussianResult r = RunDebye(in, Orders(0, 5), [](BeamStage stage, int done, int) {
        return stage == BeamStage::Angles && done == 4;
    });
    EXPECT_EQ(r.status, DebyeStatus::Stopped);
    EXPECT_EQ(r.passes, 1);
    EXPECT_EQ(r.pointsDone, 4);
    const auto nonzero = std::count_if(r.S1re.begin(), r.S1re.end(), [](double v) { return v != 0.0; });
    EXPECT_EQ(nonzero, 4);
}

TEST(DebyeGaussianSeries, StopDuringTheCoefficientsLeavesZeros) {
    const DebyeGaussianResult r =
        RunDebye(Input(10.0, {1.33, 0.0}, 10, {}), Orders(0, 5),
                 [](BeamStage stage, int, int) { return stage == BeamStage::Coefficients; });
    EXPECT_EQ(r.status, DebyeStatus::Stopped);
    EXPECT_TRUE(AllZero(r.S1re));
    EXPECT_TRUE(AllZero(r.S2im));
}

TEST(DebyeGaussianSeries, RaisesNangToTwo) {
    DebyeGaussianInput in = Input(5.0, {1.33, 0.0}, 1, {});
    in.last = 3;
    const DebyeGaussianResult r = RunDebye(in, Orders(1, 1));
    EXPECT_EQ(r.status, DebyeStatus::Done);
    EXPECT_EQ(r.NANG, 2);
    EXPECT_EQ(r.S1re.size(), 4u);
    EXPECT_EQ(r.pointsDone, 3);
}

TEST(DebyeGaussianSeries, HandsTheExternalReflectionOfAStrongAbsorberToMie) {
    DebyeGaussianInput in = Input(1000.0, {1.33, 0.8}, 10, {});
    in.rayListText = "0";
    EXPECT_EQ(RunDebye(in, Orders(0, 0)).status, DebyeStatus::HandOverToMie);
    in.m.im = 0.7;  // x Im m = 700 is not above 700
    EXPECT_NE(RunDebye(in, Orders(0, 0)).status, DebyeStatus::HandOverToMie);
    in.m.im = 0.8;
    in.rayListText = "Multiple";
    EXPECT_NE(RunDebye(in, Orders(0, 0)).status, DebyeStatus::HandOverToMie);
}

struct DebyeRefusalCase {
    const char* name;
    double x;
    Complex m;
    GaussianBeamInput beam;
    double wavelength;
    bool centralBeam;
    int rays;  // highest order selected, -1 for none
    BeamRefusal refusal;
    const char* message;
};

class DebyeGaussianRefusal : public testing::TestWithParam<DebyeRefusalCase> {};

TEST_P(DebyeGaussianRefusal, ExactMessage) {
    const DebyeRefusalCase& c = GetParam();
    DebyeGaussianInput in = Input(c.x, c.m, 10, c.beam);
    in.wavelength = c.wavelength;
    in.mnuCentralBeam = c.centralBeam;
    const DebyeGaussianResult r = RunDebye(in, c.rays < 0 ? RaySelection{} : Orders(0, c.rays));
    EXPECT_EQ(r.status, DebyeStatus::Refused);
    EXPECT_EQ(r.refusal, c.refusal);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.title, "Error");
    EXPECT_TRUE(AllZero(r.S1re));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, DebyeGaussianRefusal,
    testing::Values(
        DebyeRefusalCase{"NoRays", 10.0, {1.33, 0.0}, {}, 0.65, false, -1, BeamRefusal::NoRays, "No rays selected"},
        DebyeRefusalCase{"ZeroWidth", 10.0, {1.33, 0.0}, {0.0f, 0.0f, 0.0f, 0.0f, 0.0}, 0.65, false, 2,
                         BeamRefusal::BadWidth, "Beam half-width w0 = 0 is not a finite number above 0"},
        DebyeRefusalCase{"ZeroWavelength", 10.0, {1.33, 0.0}, {}, 0.0, false, 2, BeamRefusal::BadWavelength,
                         "Wavelength = 0 is not a finite number above 0"},
        DebyeRefusalCase{"ZeroSize", 0.0, {1.33, 0.0}, {}, 0.65, false, 2, BeamRefusal::BadSize,
                         "Size parameter x = 0 is not a finite number above 0"},
        DebyeRefusalCase{"ZeroIndex", 10.0, {0.0, 0.0}, {}, 0.65, false, 2, BeamRefusal::BadIndex,
                         "Refractive index m = 0 + 0i is not finite and nonzero"},
        DebyeRefusalCase{"TooLarge", 150376.0, {1.33, 0.0}, {}, 0.65, false, 2, BeamRefusal::TooLarge,
                         "Reduce radius or increase wavelength"}),
    [](const testing::TestParamInfo<DebyeRefusalCase>& testInfo) {
        return std::string(testInfo.param.name);
    });
// clang-format on

}  // namespace
}  // namespace tessary
