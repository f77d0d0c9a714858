// The graph's geometry without the window: legend columns, visible index ranges, positions of values
// in the box and on the polar diagrams, and round y-axis ends, against values worked by hand from
// the formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "graphs/graph_geometry.h"

namespace tessary::graphs {
namespace {

TEST(GraphGeometry, LegendColumnsBySize) {
    const struct {
        bool large, medium;
        double first, second, third;
    } cases[] = {
        {true, false, 1400, 6500, 12000},
        {true, true, 1400, 6500, 12000},  // a large size wins over a stale medium tick
        {false, true, 1000, 3800, 6300},
        {false, false, 1000, 3800, 6600},
    };
    for (const auto& c : cases) {
        const LegendColumns l = LegendColumnsFor(c.large, c.medium);
        EXPECT_EQ(l.first, c.first) << c.large << c.medium;
        EXPECT_EQ(l.second, c.second) << c.large << c.medium;
        EXPECT_EQ(l.third, c.third) << c.large << c.medium;
    }
}

TEST(GraphGeometry, LegendEntriesByGraphAndPolarisation) {
    using C = LegendColour;
    const LegendColumns wide = LegendColumnsFor(true, false);
    const struct {
        int code, subCode;
        bool absorbing;
        const char* pol;
        bool small;
        std::vector<LegendEntry> entries;
    } cases[] = {
        {1, 0, false, "Perpendicular", false, {}},
        {1, 0, false, "Both", false,
         {{1400, 3000, C::Main, "Perpendicular polarisation"},
          {6500, 3000, C::Dark, "Parallel polarisation"}}},
        {1, 0, false, "All 3", true,
         {{1400, 3100, C::Main, "Perpendicular polarisation"},
          {6500, 3100, C::Dark, "Parallel polarisation"},
          {6500, 2900, C::Black, "Unpolarised"}}},  // small: under the second
        {14, 1, false, "All 3", false, {{1400, 3100, C::Main, "Qext = Qsca   Qabs = 0"}}},
        {15, 2, true, "Both", false,
         {{1400, 3100, C::Main, "Cext"}, {6500, 3100, C::Dark, "Csca"}, {12000, 3100, C::Black, "Cabs"}}},
    };
    for (const auto& c : cases) {
        const std::vector<LegendEntry> got =
            LegendEntries(c.code, c.subCode, c.absorbing, c.pol, c.small, wide);
        ASSERT_EQ(got.size(), c.entries.size()) << c.code << c.pol;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].x, c.entries[i].x) << c.code << c.pol << i;
            EXPECT_EQ(got[i].y, c.entries[i].y) << c.code << c.pol << i;
            EXPECT_EQ(got[i].colour, c.entries[i].colour) << c.code << c.pol << i;
            EXPECT_EQ(got[i].text, c.entries[i].text) << c.code << c.pol << i;
        }
    }
}

TEST(GraphGeometry, DataBoxLinesOnlyForWhatTheRunComputed) {
    const std::optional<double> none;
    const struct {
        std::optional<double> qSca, qExt, qBack;
        std::vector<std::pair<double, std::string>> lines;  // y and text, all at x 12000
    } cases[] = {
        // Qabs = 2.5 - 2; Qradar = 4 pi 0.25 = pi to 6 decimals
        {2, 2.5, 0.25,
         {{800, "Qsca = 2"}, {1000, "Qext = 2.5"}, {1200, "Qabs = 0.5"}, {1400, "Qback = 0.25"},
          {1600, "Qradar = 3.141593"}}},
        {2, none, 0.25, {{800, "Qsca = 2"}, {1400, "Qback = 0.25"}, {1600, "Qradar = 3.141593"}}},
        {none, 1.5, none, {{1000, "Qext = 1.5"}}},
        {none, none, none, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<double, std::string>> got;
        for (const TextLine& l : DataBoxLines(c.qSca, c.qExt, c.qBack)) {
            EXPECT_EQ(l.x, 12000);
            got.emplace_back(l.y, l.text);
        }
        EXPECT_EQ(got, c.lines);
    }
}

TEST(GraphGeometry, VisibleIndices) {
    const struct {
        int code, angleCount;
        double step, xMin, xMax, dataXStart;
        bool logSteps;
        double first, last;
    } cases[] = {
        {1, 91, 1, 0, 90, 0, false, 1, 91},       // 2 * 90 * 90 / 180 + 1
        {10, 0, 0.5, 2, 3, 1, false, 3, 5},       // (2 - 1) / 0.5 + 1
        {10, 0, 0, 2, 3, 1, false, 1, 0},         // no step: nothing visible
        {10, 0, 20, 1, 100, 1, true, 1, 21},      // step + 1 logarithmic steps
    };
    for (const auto& c : cases) {
        const IndexSpan r =
            VisibleIndices(c.code, c.angleCount, c.step, c.xMin, c.xMax, c.dataXStart, c.logSteps);
        EXPECT_EQ(r.first, c.first) << c.code << " " << c.step;
        EXPECT_EQ(r.last, c.last) << c.code << " " << c.step;
    }
}

TEST(GraphGeometry, ScanSkipsPointsWithoutAValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> perp{0, 1, 5, nan, 2};
    const std::vector<double> para{0, 3, 4, 9, 0};
    const struct {
        IndexSpan range;
        bool wantMax;
        double maxPerp, maxPara, minPerp, minPara;
        bool scanned;
    } cases[] = {
        {{1, 4}, true, 5, 4, 1, 0, true},             // index 3 has no perpendicular value
        {{2.5, 3.4}, true, 5, 4, 5, 4, true},         // ends rounded half to even: 2 to 3
        {{1, 4}, false, 0, 0, 1, 0, true},            // maxima not asked for stay 0
        {{1, 0.5}, true, 0, 0, 1E30, 1E31, false},    // no index visible
    };
    for (const auto& c : cases) {
        const CurveExtremes e = ScanCurves(perp, para, c.range, c.wantMax, true);
        EXPECT_EQ(e.maxPerp, c.maxPerp) << c.range.first;
        EXPECT_EQ(e.maxPara, c.maxPara) << c.range.first;
        EXPECT_EQ(e.minPerp, c.minPerp) << c.range.first;
        EXPECT_EQ(e.minPara, c.minPara) << c.range.first;
        EXPECT_EQ(e.scanned, c.scanned) << c.range.first;
    }
}

TEST(GraphGeometry, RoundAxisEnds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double dataMax;
        bool log;
        double axisMax;
    } maxima[] = {
        {0, false, 1},    {nan, true, 1},   {-3, false, 1},
        {3.7, true, 10},  {250, true, 1000}, {0.05, true, 0.1},  // next power of ten
        {8.3, false, 9},  // m = 8.3 > 7: step 1
        {42, false, 45},  // m = 4.2 > 3.5: step 5
        {2.5, false, 2.6}, {1.25, false, 1.3},  // steps 0.2 and 0.1
        {0.37, false, 0.4},   // leading digit 3 at 0.1: 0.4 <= 1.2 * 0.37
        {0.125, false, 0.13}, // 0.2 > 1.2 * 0.125: at 0.01, (12 + 1) * 0.01
    };
    for (const auto& c : maxima) EXPECT_DOUBLE_EQ(RoundAxisMax(c.dataMax, c.log), c.axisMax) << c.dataMax;

    const struct {
        double dataMin, axisMax, floor;
    } floors[] = {{5, 100, 5}, {0, 100, 1E-8}, {1E-25, 100, 1E-8}, {0, nan, 1E-10}, {-1, -5, 1E-10}};
    for (const auto& c : floors) EXPECT_DOUBLE_EQ(LogDataMin(c.dataMin, c.axisMax), c.floor) << c.dataMin;

    const struct {
        double dataMin;
        bool polar;
        double yScaleMax, axisMin;
    } minima[] = {
        {0.03, false, 0, 0.01},  // floor(log10 0.03) = -2
        {5, false, 0, 1},
        {0.03, true, 10, 0.01},  // 10 / 10^(floor(log10(10 / 0.03)) + 1)
        {0.03, true, 0, 0.01},   // no maximum: the power of ten
    };
    for (const auto& c : minima)
        EXPECT_DOUBLE_EQ(LogAxisMin(c.dataMin, c.polar, c.yScaleMax), c.axisMin) << c.dataMin;
}

TEST(GraphGeometry, CurvesByPolarisation) {
    using C = CurveColour;
    const struct {
        const char* pol;
        bool absorbing, severalWaves, oneCurveOnly;
        std::vector<CurveChoice> curves;
    } cases[] = {
        {"Perpendicular", false, false, false, {{1, C::Line, true}}},
        {"Parallel", false, false, false, {{2, C::Line, true}}},
        {"Unpolarised", false, false, false, {{3, C::Line, true}}},
        {"Both", false, false, false, {{1, C::Line, true}, {2, C::Dark, false}}},
        {"All 3", false, false, false, {{1, C::Line, true}, {2, C::Dark, false}, {3, C::Black, false}}},
        {"Parallel", true, false, false, {{2, C::Dark, true}, {3, C::Black, false}}},
        {"Both", false, true, false, {{1, C::Wave, true}, {2, C::Wave, false}}},
        {"All 3", false, false, true, {{1, C::Line, true}}},
    };
    for (const auto& c : cases) {
        const std::vector<CurveChoice> got =
            DisplayCurves(c.pol, c.absorbing, c.severalWaves, c.oneCurveOnly);
        ASSERT_EQ(got.size(), c.curves.size()) << c.pol << c.absorbing << c.severalWaves;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].polarisation, c.curves[i].polarisation) << c.pol << i;
            EXPECT_EQ(got[i].colour, c.curves[i].colour) << c.pol << i;
            EXPECT_EQ(got[i].intPolHere, c.curves[i].intPolHere) << c.pol << i;
        }
    }
}

TEST(GraphGeometry, LogTicksStepThroughEachDecade) {
    const struct {
        double low, high;
        std::vector<double> values;
    } cases[] = {
        {1, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {2, 30, {2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30}},  // from the first unit not below 2
        {5, 4, {}},
    };
    for (const auto& c : cases) {
        const std::vector<LogTick> ticks = LogTicks(c.low, c.high);
        std::vector<double> values;
        for (const LogTick& t : ticks) values.push_back(t.value);
        EXPECT_EQ(values, c.values) << c.low;
        if (ticks.empty()) continue;
        // Log10 here is ln x / 2.30259: a decade's frac is 0 or just below 1
        const double last = ticks.back().frac;
        EXPECT_TRUE(last < 0.001 || last > 0.999 || c.high != 10) << c.low;
    }
    EXPECT_NEAR(LogTicks(2, 2)[0].frac, 0.30103, 1e-5);  // log10 2
}

TEST(GraphGeometry, PolarRings) {
    const struct {
        bool logScale, amplitude;
        double yScaleMax, yMin;
        std::vector<double> rings;
    } cases[] = {
        {false, false, 1000, 1, {1, 0.8, 0.6, 0.4, 0.2}},
        {true, false, 1000, 1, {1, 2.0 / 3, 1.0 / 3}},  // ln(1000 / 10^n) / ln 1000 for n = 1, 2
        {true, true, 1000, 1, {1, 1.0 / 3}},            // two decades a ring
        {true, false, 1000, 0, {1}},                    // no decades below a minimum of 0
    };
    for (const auto& c : cases) {
        const std::vector<double> rings = PolarRings(c.logScale, c.amplitude, c.yScaleMax, c.yMin);
        ASSERT_EQ(rings.size(), c.rings.size()) << c.logScale << c.amplitude << c.yMin;
        for (std::size_t i = 0; i < rings.size(); ++i) EXPECT_DOUBLE_EQ(rings[i], c.rings[i]) << i;
    }
}

TEST(GraphGeometry, LinearXTickSteps) {
    const struct {
        double xMin, xMax, step, range;
        bool small;
        double tick, label;
        int decimals;
    } cases[] = {
        {0, 180, 20, 180, false, 10, 30, 2},   // degrees; Int(log10(180 / 10)) + 1
        {0, 180, 20, 180, true, 20, 60, 1},    // the small graph numbers every 60 degrees
        {0, 140, 10, 140, true, 10, 40, 2},    // 140 / 20 > 6 labels: every four steps
        {0, 100, 10, 100, true, 10, 20, 1},    // Log10(10) = 0.999998 (ln 10 / 2.30259): Int gives 0
        {0, 10, 2, 10, false, 2, 4, 1},
        {1, 11, 2, 10, false, 1, 5, 2},        // a range of 10 off the even numbers
        {0, 0.3, 0.05, 0.3, false, 0.05, 0.1, 3},
        {0, 0.005, 0.001, 0.005, false, 0.001, 0.002, 6},
    };
    for (const auto& c : cases) {
        const LinearXSteps s = LinearXTickSteps(c.xMin, c.xMax, c.step, c.range, c.small);
        EXPECT_EQ(s.step, c.tick) << c.xMin << " " << c.xMax << " " << c.small;
        EXPECT_EQ(s.labelStep, c.label) << c.xMin << " " << c.xMax << " " << c.small;
        EXPECT_EQ(s.decimals, c.decimals) << c.xMin << " " << c.xMax << " " << c.small;
    }
}

TEST(GraphGeometry, LinearXTicksAndLabels) {
    // 0 to 180 degrees on 0..1800 twips: ticks every 10 (x = 10 t), numbered every 30 but not at the ends
    const LinearXSteps degrees{10, 30, 2};
    const std::vector<XTick> ticks = LinearXTicks(0, 180, degrees, 0, 1800);
    ASSERT_EQ(ticks.size(), 18u);  // 10 .. 180: the first multiple above xMin is 10
    EXPECT_EQ(ticks.front().x, 100);
    EXPECT_FALSE(ticks.front().end);
    EXPECT_EQ(ticks.back().x, 1800);
    EXPECT_TRUE(ticks.back().end);
    std::vector<std::pair<double, std::string>> labels;
    for (const XTick& t : LinearXLabels(0, 180, 180, degrees, 0, 1800)) labels.emplace_back(t.x, t.text);
    const std::vector<std::pair<double, std::string>> want{
        {300, " 30"}, {600, " 60"}, {900, " 90"}, {1200, " 120"}, {1500, " 150"}};  // 180 > 0.98 * 180
    EXPECT_EQ(labels, want);
    // 2.5 to 7.5 stepped by 1 on 0..500: ticks at 3..7 (x = 100 (t - 2.5)), labels at the multiples
    // of 2 from Int(2.5 / 2 + 1) 2 = 4; 8 lies beyond 2.5 + 0.98 * 5
    const LinearXSteps units{1, 2, 1};
    std::vector<double> xs;
    for (const XTick& t : LinearXTicks(2.5, 7.5, units, 0, 500)) xs.push_back(t.x);
    EXPECT_EQ(xs, (std::vector<double>{50, 150, 250, 350, 450}));
    labels.clear();
    for (const XTick& t : LinearXLabels(2.5, 7.5, 5, units, 0, 500)) labels.emplace_back(t.x, t.text);
    EXPECT_EQ(labels, (std::vector<std::pair<double, std::string>>{{150, " 4"}, {350, " 6"}}));
}

TEST(GraphGeometry, XEndTexts) {
    const struct {
        double value, range;
        const char* text;
    } cases[] = {
        {2.123456789, 10, "2.12346"},        // rounded to 5 decimals
        {5.1234567, 0.0005, "5.123457"},     // 6 below a range of 0.001
        {1.0000000123, 1e-6, "1.000000012"},  // 9 decimals, unrounded, below 0.00001
        {0.01, 1, "0.01"},                   // at or below 0.05: not rounded
        {-3, 20, "-3"},
        {1234, 2000, " 1234"},               // above 10: Str with its leading blank
        {0, 10, " 0"},
    };
    for (const auto& c : cases) EXPECT_EQ(XEndText(c.value, c.range), c.text) << c.value;
}

TEST(GraphGeometry, LinearYLinesInsideTheRange) {
    const struct {
        double yMin, yMax, step;
        std::vector<double> ys;  // 1000 - 1000 (t - yMin) / (yMax - yMin) on a box from 0 to 1000
        std::vector<std::string> texts;
        bool scientific;
    } cases[] = {
        {0, 10, 2, {800, 600, 400, 200}, {" 2", " 4", " 6", " 8"}, false},  // Str's leading blank
        {0, 1, 0.2, {800, 600, 400, 200}, {"0.2", "0.4", "0.6", "0.8"}, false},  // below 1.2: 4 decimals
        {-2, 2, 1, {750, 500, 250}, {"-1", " 0", " 1"}, false},
        {0, 5e6, 1e6, {800, 600, 400, 200}, {"1.00E+06", "2.00E+06", "3.00E+06", "4.00E+06"}, true},
    };
    for (const auto& c : cases) {
        const std::vector<AxisLine> lines = LinearYLines(c.yMin, c.yMax, c.step, 0, 1000);
        ASSERT_EQ(lines.size(), c.ys.size()) << c.yMax;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_DOUBLE_EQ(lines[i].y, c.ys[i]) << c.yMax << " " << i;
            EXPECT_EQ(lines[i].text, c.texts[i]) << c.yMax << " " << i;
            EXPECT_EQ(lines[i].scientific, c.scientific) << c.yMax << " " << i;
        }
    }
}

}  // namespace
}  // namespace tessary::graphs
