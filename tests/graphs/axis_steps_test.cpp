// Axis arithmetic of the graph frame: grid steps, linear y steps, axis number texts, the guarded
// For loop and the whole-twips conversion.
#include "graphs/axis_steps.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace tessary::graphs {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct StepCase {
    double xMin, xMax, step, labelStep;
};

class LinearAxisStepTable : public ::testing::TestWithParam<StepCase> {};

TEST_P(LinearAxisStepTable, GivesTheTableStep) {
    const StepCase c = GetParam();
    const AxisStep s = LinearAxisStep(c.xMin, c.xMax);
    EXPECT_TRUE(s.usable);
    EXPECT_DOUBLE_EQ(s.range, c.xMax - c.xMin);
    EXPECT_DOUBLE_EQ(s.step, c.step);
    EXPECT_DOUBLE_EQ(s.labelStep, c.labelStep);
}

INSTANTIATE_TEST_SUITE_P(Ranges, LinearAxisStepTable,
                         ::testing::Values(StepCase{0, 180, 20, 40},  // the frame replaces these by 10 and 30
                                           StepCase{0, 20, 2, 4},     // 20 is not above 20
                                           StepCase{0, 21, 5, 10},  // the step 5 needs only four to the range
                                           StepCase{1, 11, 1,
                                                    5},  // a range of 10 starting between even numbers
                                           StepCase{0, 10, 1, 2},  // ... and one starting on an even number
                                           StepCase{400, 700, 20, 40},     // 300 is not above 300
                                           StepCase{0, 3000, 200, 400},    // 3000 is not above 3000
                                           StepCase{0, 5000, 500, 1000},   // above 3000: a tenth of the range
                                           StepCase{1.1, 1.5, 0.05, 0.1},  // refractive index
                                           StepCase{0, 0.0001, 0.00001, 0.00002}));

TEST(LinearAxisStep, PointOrReversedOrNonFiniteRangeHasNoStep) {
    for (const auto& [low, high] :
         std::vector<std::pair<double, double>>{{5, 5},
                                                {10, 1},
                                                {0, kNaN},
                                                {kNaN, 1},
                                                {-1e308, 1e308},
                                                {0, std::numeric_limits<double>::infinity()}}) {
        const AxisStep s = LinearAxisStep(low, high);
        EXPECT_FALSE(s.usable) << low << " .. " << high;
        EXPECT_EQ(s.step, 0.0);
        EXPECT_EQ(s.labelStep, 0.0);
    }
    EXPECT_EQ(LinearAxisStep(10, 1).range, -9.0);  // the range is still reported
}

TEST(LinearYStep, RoundStepsOfOneTwoAndFive) {
    EXPECT_DOUBLE_EQ(LinearYStep(0, 100), 20);
    EXPECT_DOUBLE_EQ(LinearYStep(0, 300), 50);
    EXPECT_DOUBLE_EQ(LinearYStep(0, 500), 100);
    EXPECT_DOUBLE_EQ(LinearYStep(0, 1), 0.2);
    EXPECT_DOUBLE_EQ(LinearYStep(0, 360), 90);
    EXPECT_DOUBLE_EQ(LinearYStep(10, 370), 50);  // only 0 .. 360 is stepped in quarter turns
    EXPECT_DOUBLE_EQ(LinearYStep(-1, 1), 0.5);
    EXPECT_DOUBLE_EQ(LinearYStep(0, 0.003), 0.0005);
    EXPECT_DOUBLE_EQ(LinearYStep(0, 7e6), 1e6);
}

TEST(LinearYStep, DegenerateRangesHaveNoStep) {
    EXPECT_EQ(LinearYStep(10, 10), 0.0);
    EXPECT_EQ(LinearYStep(5, 1), 0.0);
    EXPECT_EQ(LinearYStep(kNaN, 1), 0.0);
    EXPECT_EQ(LinearYStep(-1e308, 1e308), 0.0);
}

TEST(AxisNumberText, PublishedExamples) {
    EXPECT_EQ(AxisNumberText(0.5, 4), "0.5");
    EXPECT_EQ(AxisNumberText(0.00005, 4), "5.00E-05");
    EXPECT_EQ(AxisNumberText(-0.25, 4), "-0.25");
    EXPECT_EQ(AxisNumberText(-1.5, 2), "-1.5");
}

TEST(AxisNumberText, RoundsToTheGivenDecimals) {
    EXPECT_EQ(AxisNumberText(12.34567, 2), "12.35");
    EXPECT_EQ(AxisNumberText(0.123456789, 6), "0.123457");
    EXPECT_EQ(AxisNumberText(180, 4), "180");
    EXPECT_EQ(AxisNumberText(-12.5, 0), "-13");
    EXPECT_EQ(AxisNumberText(0.0001, 4), "1.00E-04");  // not above 0.0001
}

TEST(AxisNumberText, ZeroMinusOneAndTinyNegativesAreWholeTexts) {
    EXPECT_EQ(AxisNumberText(0, 4), "0");
    EXPECT_EQ(AxisNumberText(-1, 4), "-1");
    EXPECT_EQ(AxisNumberText(-0.999996, 4), "-1");
    EXPECT_EQ(AxisNumberText(-0.00001, 4), "0");
    EXPECT_EQ(AxisNumberText(-0.00001, 6), "-1E-05");
}

TEST(AxisNumberText, LargeAndNonFiniteValues) {
    EXPECT_EQ(AxisNumberText(1e300, 6), "1E+300");  // too large to round: all its digits
    EXPECT_EQ(AxisNumberText(-2e200, 6), "-2E+200");
    EXPECT_EQ(AxisNumberText(kNaN, 4), "");
    EXPECT_EQ(AxisNumberText(std::numeric_limits<double>::infinity(), 4), "");
}

std::vector<double> Collect(double start, double end, double step) {
    std::vector<double> values;
    ForStep(start, end, step, [&](double v) { values.push_back(v); });
    return values;
}

TEST(ForStep, RunsFromStartWhileNotAboveEnd) {
    const std::vector<double> tens = Collect(10, 190, 10);
    ASSERT_EQ(tens.size(), 19u);
    EXPECT_EQ(tens.front(), 10);
    EXPECT_EQ(tens.back(), 190);
    EXPECT_EQ(Collect(-0.8, 0.9, 0.2).size(), 9u);  // the polarisation lines -0.8 .. 0.8
    EXPECT_TRUE(Collect(5, 4, 1).empty());
}

TEST(ForStep, StepsThatCannotEndRunNothing) {
    EXPECT_TRUE(Collect(0, 10, 0).empty());
    EXPECT_TRUE(Collect(0, 10, -1).empty());
    EXPECT_TRUE(Collect(0, 10, kNaN).empty());
    EXPECT_TRUE(Collect(kNaN, 10, 1).empty());
    EXPECT_TRUE(Collect(0, std::numeric_limits<double>::infinity(), 1).empty());
}

TEST(ForStep, AStepTooSmallToMoveEndsAfterOnePass) { EXPECT_EQ(Collect(1e20, 1e20 + 1e6, 200).size(), 1u); }

TEST(ForStep, PassesAreCapped) {
    EXPECT_EQ(ForStep(0, 1e9, 1, [](double) {}), kMaxLoopPasses);
}

TEST(WholeTwips, RoundsHalvesToEvenAndSaturates) {
    EXPECT_EQ(WholeTwips(4224.0), 4224);
    EXPECT_EQ(WholeTwips(2.5), 2);
    EXPECT_EQ(WholeTwips(3.5), 4);
    EXPECT_EQ(WholeTwips(-2.5), -2);
    EXPECT_EQ(WholeTwips(kNaN), 0);
    EXPECT_EQ(WholeTwips(1e300), INT_MAX);
    EXPECT_EQ(WholeTwips(-1e300), INT_MIN);
}

}  // namespace
}  // namespace tessary::graphs
