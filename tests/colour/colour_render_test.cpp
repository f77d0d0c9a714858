// The arithmetic of the colours over several wavelengths: false colours, strip and column geometry,
// band levels, the four-point interpolation, the table size, the sun-disc reflection, the colour-sum
// layout and the run maxima.
#include "colour/colour_render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "colour/colour_scaling.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

struct ScaleCase {
    double v, red, green, blue;
};

TEST(ColourScale, BandsFromWhiteToBlack) {
    const ScaleCase cases[] = {{0, 255, 255, 255},  {-0.4, 255, 0, 0},   {-0.8, 255, 255, 0},
                               {-1.2, 0, 255, 0},   {-1.4, 0, 255, 255}, {-1.6, 0, 0, 255},
                               {-2.0, 255, 0, 255}, {-2.4, 0, 0, 0},     {-3, 0, 0, 0},
                               {-1.3, 0, 255, 85},  {-1.5, 0, 85, 255},  {-2.2, 127.5, 0, 127.5}};
    for (const ScaleCase& c : cases) {
        const FalseColour k = ColourScale(c.v);
        EXPECT_NEAR(k.red, c.red, 1e-9) << c.v;
        EXPECT_NEAR(k.green, c.green, 1e-9) << c.v;
        EXPECT_NEAR(k.blue, c.blue, 1e-9) << c.v;
    }
    FalseColour m = ColourScale(-2.2);
    float r = static_cast<float>(m.red), g = static_cast<float>(m.green), b = static_cast<float>(m.blue);
    EXPECT_EQ(ColourNumber(r, g, b), 8388736u);  // 127.5 rounds to even 128
}

TEST(StripSegment, SegmentsOfThreePointsAndOfOne) {
    const Segment a = StripSegment(1, 1, 3, 1000, 6000, 0);
    const Segment b = StripSegment(2, 1, 3, 1000, 6000, a.x2);
    const Segment c = StripSegment(3, 1, 3, 1000, 6000, b.x2);
    EXPECT_EQ(a.x1, 1000);
    EXPECT_EQ(a.x2, 2250);
    EXPECT_EQ(b.x2, 4750);
    EXPECT_EQ(c.x1, 4750);
    EXPECT_EQ(c.x2, 6000);
    const Segment one = StripSegment(1, 1, 1, 1000, 6000, 0);  // 0 to 0.04 degrees at 0.1
    EXPECT_EQ(one.x1, 1000);
    EXPECT_EQ(one.x2, 6000);
}

TEST(LeeColumn, HalfWideEndsTileThePanel) {
    const double ratio = (5000.0 - 1000.0) / 4;  // 1000
    const Segment first = LeeColumn(0, 4, ratio, 1000, 5000);
    const Segment middle = LeeColumn(2, 4, ratio, 1000, 5000);
    const Segment last = LeeColumn(4, 4, ratio, 1000, 5000);
    EXPECT_EQ(first.x1, 1000);
    EXPECT_EQ(first.x2, 1500);
    EXPECT_EQ(middle.x1, 2500);
    EXPECT_EQ(middle.x2, 3500);
    EXPECT_EQ(last.x1, 4500);
    EXPECT_EQ(last.x2, 5000);
}

TEST(BandLevel, ZeroOrNonFiniteNormIsBlack) {
    EXPECT_FLOAT_EQ(BandLevel(2, 1.0, 2.0), 255.0f);
    EXPECT_EQ(BandLevel(1, 1.0, 0.0), 0.0f);
    EXPECT_EQ(BandLevel(1, 1.0, std::numeric_limits<double>::infinity()), 0.0f);
    EXPECT_EQ(BandLevel(1, 1.0, std::numeric_limits<double>::quiet_NaN()), 0.0f);
    EXPECT_EQ(BandLevel(1, 1e300, 1e-300), 0.0f);  // beyond a Single
}

TEST(FourPointCubic, NodesAndCubicsExact) {
    EXPECT_EQ(FourPointCubic(1, 2, 3, 4, 0), 2);
    const auto cube = [](double f) { return f * f * f - 2 * f + 1; };
    for (double f : {-1.0, -0.5, 0.3, 1.7, 2.0})
        EXPECT_NEAR(FourPointCubic(cube(-1), cube(0), cube(1), cube(2), f), cube(f), 1e-12) << f;
}

TEST(SimTableLastRow, RowsOfTheWholeRange) {
    EXPECT_EQ(SimTableLastRow(0, 180, 0.1), 1805);
    EXPECT_EQ(SimTableLastRow(0, 180, 0.5), 361);
    EXPECT_EQ(SimTableLastRow(0, 180, 1), 180);  // 180.5 rounds to even
    EXPECT_EQ(SimTableLastRow(0, 180, 0.2), 902);
}

TEST(Smoothed, OffsetsReflectedAtBothEnds) {
    const std::vector<double> w{0, 0.5, 0.25};
    const SunDisc disc{true, w, 2, 2.5, 10};
    const auto v = [](std::int32_t q) { return static_cast<double>(q * q); };
    EXPECT_DOUBLE_EQ(Smoothed(disc, 1, v), (1 + 0.5 * (4 + 4) + 0.25 * (9 + 9)) / 2.5);
    EXPECT_DOUBLE_EQ(Smoothed(disc, 10, v), (100 + 0.5 * (81 + 81) + 0.25 * (64 + 64)) / 2.5);
    EXPECT_EQ(Smoothed(SunDisc{false, w, 2, 2.5, 10}, 5, v), 25);
}

TEST(AddColourSums, FewSetsItsColumnManyAddRedGreenBlue) {
    ColourSumTable perp, para;
    for (auto* t : {&perp, &para})
        for (auto& c : *t) c.assign(4, 0.0);
    const std::vector<double> re1{0, 3, 0, 0}, im1{0, 4, 0, 0}, re2{0, 1, 0, 0}, im2{0, 0, 0, 0};
    std::vector<double> a1(4), a2(4);
    ColourSumTerm few{true, 2, false, false, 0.5, 2.0};
    perp[2][1] = 99;  // set, not added
    AddColourSums(few, re1, im1, re2, im2, 1, 1, perp, para, a1, a2);
    EXPECT_DOUBLE_EQ(perp[2][1], 0.5 / 2 * 25);
    EXPECT_DOUBLE_EQ(para[2][1], 0.25);
    ColourSumTerm many{false, 1, false, false, 0.5, 2.0, 1.0, 0.5, 0.25};
    AddColourSums(many, re1, im1, re2, im2, 1, 1, perp, para, a1, a2);
    AddColourSums(many, re1, im1, re2, im2, 1, 1, perp, para, a1, a2);
    EXPECT_DOUBLE_EQ(perp[1][1], 2 * 6.25);
    EXPECT_DOUBLE_EQ(perp[3][1], 2 * 1.5625);
    EXPECT_DOUBLE_EQ(a1[1], 5);
    ColourSumTerm samples = many;
    samples.distribution = true;
    samples.samples = 5;
    AddColourSums(samples, re1, im1, re2, im2, 1, 1, perp, para, a1, a2);
    EXPECT_DOUBLE_EQ(perp[1][1], 2 * 6.25 + 6.25 / 5);
    AddColourSums(few, re1, im1, re2, im2, 0, 99, perp, para, a1, a2);  // beyond the arrays: held
}

TEST(RaisePeaks, ZeroSumsGiveColourPeakOneAndBlack) {
    ColourSumTable perp, para;
    for (auto* t : {&perp, &para})
        for (auto& c : *t) c.assign(3, 0.0);
    const std::vector<double> red{0, 1, 0, 0}, green{0, 0, 1, 0}, blue{0, 0, 0, 1};
    ColourPeaks peaks;
    RaisePeaks(perp, para, 3, {red, green, blue}, SunDisc{}, 1, peaks);
    EXPECT_EQ(peaks.colourPeak, 1);
    EXPECT_EQ(peaks.normRed, 0);
    perp[1][1] = 2;
    perp[2][1] = 1;
    para[3][1] = 4;
    RaisePeaks(perp, para, 3, {red, green, blue}, SunDisc{}, 1, peaks);
    EXPECT_EQ(peaks.peakPerp, 2);
    EXPECT_EQ(peaks.peakPara, 4);
    EXPECT_EQ(peaks.peakCommon, 4);
    EXPECT_EQ(peaks.peakUnpol, 2);
    EXPECT_EQ(peaks.runMax, 4);
    EXPECT_EQ(peaks.normGreen, 127.5);
}

}  // namespace
}  // namespace tessary
