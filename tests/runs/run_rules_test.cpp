// Wavelength counts of the "High", "Med." and "Low" sets, result array bounds, and the progress
// percentages and their redraw steps.
#include "graphs/graph_codes.h"
#include "runs/method_codes.h"
#include "runs/run_rules.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tessary {
namespace {

struct WaveCase {
    const char* text;
    double radius;
    std::optional<int> count;
};

TEST(WaveCountForRadius, WholePartHeldToTheSetLimits) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<WaveCase> cases{
        {"High", 10, 600},
        {"High", 0.1, 1000},
        {"High", 500, 30},
        {"Med.", 100, 30},
        {"Low", 1000, 7},
        {"High", 7, 857},
        {"Med.", 12, 250},
        {"Low", 7, 100},
        {"Low", 15, 66},
        // A radius of 0 (infinite quotient), a tiny one and a huge one stay inside the limits.
        {"High", 0, 1000},
        {"Med.", 0, 300},
        {"Low", 0, 100},
        {"High", 1e-300, 1000},
        {"Low", -0.0, 7},
        {"High", -5, 30},
        {"Med.", inf, 10},
        {"Low", 1e300, 7},
        // Any other text leaves the count alone (exact comparison).
        {"high", 10, std::nullopt},
        {"Med", 10, std::nullopt},
        {"1", 10, std::nullopt},
        {"RGB", 10, std::nullopt}};
    for (const WaveCase& c : cases)
        EXPECT_EQ(WaveCountForRadius(c.text, c.radius), c.count) << c.text << " " << c.radius;
}

struct BoundsCase {
    const char* name;
    ArraySizeInput in;
    ResultArrayBounds expected;
};

void ExpectBounds(const BoundsCase& c) {
    const ResultArrayBounds b = ArrayBoundsFor(c.in);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(b.leeSteps, c.expected.leeSteps);
    EXPECT_EQ(b.leePoints, c.expected.leePoints);
    EXPECT_EQ(b.curves, c.expected.curves);
    EXPECT_EQ(b.sunDisc, c.expected.sunDisc);
    EXPECT_EQ(b.angleTables, c.expected.angleTables);
    EXPECT_EQ(b.amplitudes, c.expected.amplitudes);
    EXPECT_EQ(b.colourSums, c.expected.colourSums);
    EXPECT_EQ(b.sweepSteps, c.expected.sweepSteps);
}

ArraySizeInput Input(int code, double xMin, double xMax, double step) {
    ArraySizeInput in;
    in.graphCode = code;
    in.xMin = xMin;
    in.xMax = xMax;
    in.step = step;
    return in;
}

ResultArrayBounds Bounds(int leeSteps, int leePoints, int curves, int sun, int angles, int amplitudes,
                         int sums, std::optional<float> sweep = std::nullopt) {
    ResultArrayBounds b;
    b.leeSteps = leeSteps;
    b.leePoints = leePoints;
    b.curves = curves;
    b.sunDisc = sun;
    b.angleTables = angles;
    b.amplitudes = amplitudes;
    b.colourSums = sums;
    b.sweepSteps = sweep;
    return b;
}

TEST(ArrayBoundsFor, AngleGraphsKeepTheFixedSizesUpTo18000Steps) {
    ExpectBounds({"0-180 at 0.1", Input(1, 0, 180, 0.1), Bounds(1, 1, 18001, 25, 9001, 18001, 18001)});
    ExpectBounds({"0-180 at 0.01", Input(1, 0, 180, 0.01), Bounds(1, 1, 18001, 25, 9001, 18001, 18001)});
    ExpectBounds({"phase function", Input(2, 10, 20, 1), Bounds(1, 1, 18001, 25, 9001, 18001, 18001)});
}

TEST(ArrayBoundsFor, FinerAngleGridsGrowEveryArray) {
    // P = 36000: curves and amplitudes 0..P+1, angle tables 0..P/2+1, sun weights 0..0.25/step+1,
    // and the colour sums with them.
    ExpectBounds({"0-180 at 0.005", Input(1, 0, 180, 0.005), Bounds(1, 1, 36001, 51, 18001, 36001, 36001)});
}

TEST(ArrayBoundsFor, LeeDiagramSizesItsColourStores) {
    ArraySizeInput in = Input(20, 0, 180, 1);
    in.leeStepBox = 20;
    // P = 180.5 rounds (half to even) to 180 for the stores; the angle arrays see P = 180.
    ExpectBounds({"Lee 20 steps", in, Bounds(20, 180, 18001, 25, 9001, 18001, 18001, 20.0f)});
}

TEST(ArrayBoundsFor, MapsSetTheirStepsAndKeepTheAngleArrays) {
    ArraySizeInput in = Input(23, 0, 180, 1);
    in.mapStepBox = 10;
    in.leeStepBox = 99;
    ExpectBounds({"map 10 steps", in, Bounds(10, 180, -1, -1, -1, -1, 18001, 10.0f)});
}

TEST(ArrayBoundsFor, XVariableGraphs) {
    ExpectBounds({"convergence", Input(13, 0, 1e6, 0.001), Bounds(1, 1, 18001, -1, -1, -1, 18001)});
    ExpectBounds({"radius 1-100 at 0.001", Input(11, 1, 100, 0.001), Bounds(1, 1, 99001, -1, -1, -1, 18001)});
    ArraySizeInput log = Input(10, 400, 700, 50000);
    log.logSteps = true;  // the step box holds the number of points
    ExpectBounds({"log steps", log, Bounds(1, 1, 50001, -1, -1, -1, 18001)});
    log.graphCode = kGraphIndex;  // a code without logarithmic steps takes the range over the step
    ExpectBounds({"log steps ignored", log, Bounds(1, 1, 18001, -1, -1, -1, 18001)});
}

TEST(ArrayBoundsFor, UnusableInputGivesTheFixedSizes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ResultArrayBounds fixed = Bounds(1, 1, 18001, 25, 9001, 18001, 18001);
    ExpectBounds({"step 0", Input(1, 0, 180, 0), fixed});
    ExpectBounds({"negative step", Input(1, 0, 180, -0.001), fixed});
    ExpectBounds({"reversed range", Input(1, 180, 0, 0.001), fixed});
    ExpectBounds({"empty step", Input(1, 0, 180, nan), fixed});
    ExpectBounds({"step 1e-9", Input(1, 0, 180, 1e-9), fixed});
    ArraySizeInput lee = Input(20, 0, 180, 0.01);
    lee.leeStepBox = 1e6;  // far too many rows: the stores stay 2 x 2
    ExpectBounds({"huge Lee", lee, Bounds(1, 1, 18001, 25, 9001, 18001, 18001, 1e6f)});
    lee.leeStepBox = 1e40;  // not even a Single: sweepSteps is left alone
    ExpectBounds({"no Single", lee, Bounds(1, 1, 18001, 25, 9001, 18001, 18001)});
}

ProgressInput Mie(int order, int terms) {
    ProgressInput in;
    in.calcMethod = kMethodMie;
    in.loopN = order;
    in.termCount = terms;
    return in;
}

TEST(ProgressPercentage, MieOrdersAdvanceInWholeSteps) {
    // 200 terms: a value must exceed the shown one by more than 1, so the display moves at the orders
    // 4, 8, 12, ... (2 %, 4 %, 6 %).
    float shown = 0;
    std::vector<int> drawnAt;
    for (int n = 1; n <= 12; ++n) {
        const std::optional<ProgressValue> v = ProgressPercentage(Mie(n, 200));
        ASSERT_TRUE(v);
        EXPECT_EQ(v->display, ProgressDisplay::C);
        if (ProgressDue(*v, shown)) {
            drawnAt.push_back(n);
            shown = v->percent;
        }
    }
    EXPECT_EQ(drawnAt, (std::vector<int>{4, 8, 12}));
}

TEST(ProgressPercentage, DebyeBelowTwoPercentInFifthsOfAPercent) {
    ProgressInput in;
    in.calcMethod = kMethodDebye;
    in.stepsTotal = 1000;
    in.stepsDone = 3;  // 0.3 %
    std::optional<ProgressValue> v = ProgressPercentage(in);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->display, ProgressDisplay::B);
    EXPECT_FLOAT_EQ(v->percent, 0.3f);
    EXPECT_TRUE(ProgressDue(*v, 0.0f));
    EXPECT_FALSE(ProgressDue(*v, 0.2f));
    in.stepsDone = 25;  // 2.5 %: whole percentages from 2 on
    v = ProgressPercentage(in);
    EXPECT_EQ(v->display, ProgressDisplay::C);
    EXPECT_FLOAT_EQ(v->percent, 2.0f);
}

TEST(ProgressPercentage, RuleCNeverDrawsAbove100) {
    const std::optional<ProgressValue> v = ProgressPercentage(Mie(250, 200));
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->percent, 125.0f);
    EXPECT_FALSE(ProgressDue(*v, 50.0f));
}

TEST(ProgressPercentage, GaussianBeamHalfwayThroughTheSecondOfThreeWavelengths) {
    ProgressInput in;
    in.calcMethod = kMethodMie;
    in.gaussian = true;
    in.waveCount = 3;
    in.outerCount = 2;
    in.firstPoint = 1;
    in.lastPoint = 1801;
    in.loopJ = 901;
    const std::optional<ProgressValue> v = ProgressPercentage(in);
    ASSERT_TRUE(v);
    EXPECT_FLOAT_EQ(v->percent, 50.0f);
}

TEST(ProgressPercentage, SweepsAndDistributionsUseRuleA) {
    ProgressInput sweep;
    sweep.calcMethod = kMethodRayleigh;
    sweep.graphCode = kGraphRadius;
    sweep.sweepFraction = 0.257;
    std::optional<ProgressValue> v = ProgressPercentage(sweep);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->display, ProgressDisplay::A);
    EXPECT_FLOAT_EQ(v->percent, 25.0f);

    ProgressInput dist = Mie(50, 100);
    dist.disperse = true;
    dist.sampleCount = 10;
    dist.waveCount = 2;
    dist.outerCount = 2;
    dist.loopK = 3;  // ((2-1) 10 + 3 - 1 + 0.5) 100 / 20 = 62.5
    v = ProgressPercentage(dist);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->display, ProgressDisplay::A);
    EXPECT_FLOAT_EQ(v->percent, 62.0f);
    EXPECT_TRUE(ProgressDue(ProgressValue{250.0f, ProgressDisplay::A}, 100.0f));  // no upper limit
}

TEST(ProgressPercentage, MethodsWithoutARuleKeepTheirValue) {
    for (int method : {3, 4, 10, 11, 12}) {
        ProgressInput in;
        in.calcMethod = method;
        in.progressPercent = 37;
        const std::optional<ProgressValue> v = ProgressPercentage(in);
        ASSERT_TRUE(v);
        EXPECT_FLOAT_EQ(v->percent, 37.0f) << method;
    }
}

TEST(ProgressPercentage, ZeroCountsShowNothing) {
    EXPECT_FALSE(ProgressPercentage(Mie(0, 0)));
    ProgressInput debye;
    debye.calcMethod = kMethodDebye;
    EXPECT_FALSE(ProgressPercentage(debye));  // 0 of 0 steps
    ProgressInput beam = Mie(1, 1);
    beam.gaussian = true;  // first = last
    EXPECT_FALSE(ProgressPercentage(beam));
}

// Reporting only the orders NextProgressOrder names (and the last) draws at the same orders, the same
// values, as reporting every order: the series' progress display is the same either way.
struct SkipCase {
    const char* name;
    ProgressInput in;  // loopN and termCount set per order
    int terms;
    float shown;  // at the series' start
};

std::vector<std::pair<int, float>> Drawn(const SkipCase& c, bool skipping, float& lastPercent) {
    std::vector<std::pair<int, float>> drawn;
    float shown = c.shown;
    std::int32_t next = 1;
    for (int n = 1; n <= c.terms; ++n) {
        if (skipping && n < next && n != c.terms) continue;
        ProgressInput in = c.in;
        in.loopN = n;
        in.termCount = c.terms;
        const std::optional<ProgressValue> v = ProgressPercentage(in);
        if (v) {
            lastPercent = v->percent;
            if (ProgressDue(*v, shown)) {
                drawn.emplace_back(n, v->percent);
                shown = v->percent;
            }
        }
        next = NextProgressOrder(c.in, n + 1, c.terms, shown);
    }
    return drawn;
}

TEST(NextProgressOrder, SkippedOrdersWouldHaveDrawnNothing) {
    const auto with = [](auto set) {
        ProgressInput in = Mie(0, 0);
        set(in);
        return in;
    };
    const SkipCase cases[] = {
        {"one wavelength", Mie(0, 0), 1570, 0},
        {"few orders", Mie(0, 0), 3, 0},
        {"second of three wavelengths", with([](ProgressInput& in) { in.waveCount = 3, in.outerCount = 2; }),
         260, 32},
        {"beyond 100", with([](ProgressInput& in) { in.waveCount = 2, in.outerCount = 3; }), 90, 97},
        {"distribution",
         with([](ProgressInput& in) { in.disperse = true, in.sampleCount = 7, in.loopK = 4; }), 500, 40},
        {"falling (negative samples)",
         with([](ProgressInput& in) { in.disperse = true, in.sampleCount = -7, in.loopK = 4; }), 300, -200},
        {"Debye below 2 %", with([](ProgressInput& in) {
             in.calcMethod = kMethodDebye, in.stepsTotal = 1000, in.stepsDone = 7;
         }),
         40, 0},
        {"Gaussian beam",
         with([](ProgressInput& in) { in.gaussian = true, in.lastPoint = 10, in.loopJ = 6; }), 50, 0},
        {"no count", with([](ProgressInput& in) { in.calcMethod = kMethodDebye; }), 20, 0},
    };
    for (const SkipCase& c : cases) {
        float every = -1, skipped = -1;
        const auto all = Drawn(c, false, every);
        EXPECT_EQ(Drawn(c, true, skipped), all) << c.name;
        EXPECT_EQ(skipped, every) << c.name;  // the value the display keeps after the series
    }
    // Only the steps are reported: 1570 orders move the display 50 times.
    EXPECT_EQ(NextProgressOrder(Mie(0, 0), 2, 1570, 0), 32);  // 32 / 1570 = 2.04 %
    EXPECT_EQ(NextProgressOrder(Mie(0, 0), 1541, 1570, 98), 1570);
}

TEST(NotAvailableMessage, NamesWhatCannotBeComputed) {
    EXPECT_EQ(NotAvailableMessage("Rayleigh scattering"),
              "Rayleigh scattering cannot be computed by this version of Tessary.");
}

}  // namespace
}  // namespace tessary
