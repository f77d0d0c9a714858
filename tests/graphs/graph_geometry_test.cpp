// The graph's geometry without the window: legend columns, visible index ranges, positions of values
// in the box and on the polar diagrams, round y-axis ends, the marks and numbers of linear and
// logarithmic axes, the polar grid's labels and the axis titles, against values worked by hand from
// the formulas.
#include <gtest/gtest.h>

#include <algorithm>
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
        // clang-format off
    } cases[] = {
        {true, false, 1400, 6500, 12000},
        {true, true, 1400, 6500, 12000},  // a large size wins over a stale medium tick
        {false, true, 1000, 3800, 6300},
        {false, false, 1000, 3800, 6600},
    };
    // clang-format on
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
        // clang-format off
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
    // clang-format on
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
        // clang-format off
    } cases[] = {
        // Qabs = 2.5 - 2; Qradar = 4 pi 0.25 = pi to 6 decimals
        {2, 2.5, 0.25,
         {{800, "Qsca = 2"}, {1000, "Qext = 2.5"}, {1200, "Qabs = 0.5"}, {1400, "Qback = 0.25"},
          {1600, "Qradar = 3.141593"}}},
        {2, none, 0.25, {{800, "Qsca = 2"}, {1400, "Qback = 0.25"}, {1600, "Qradar = 3.141593"}}},
        {none, 1.5, none, {{1000, "Qext = 1.5"}}},
        {none, none, none, {}},
    };
    // clang-format on
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
        // clang-format off
    } cases[] = {
        {1, 91, 1, 0, 90, 0, false, 1, 91},       // 2 * 90 * 90 / 180 + 1
        {10, 0, 0.5, 2, 3, 1, false, 3, 5},       // (2 - 1) / 0.5 + 1
        {10, 0, 0, 2, 3, 1, false, 1, 0},         // no step: nothing visible
        {10, 0, 20, 1, 100, 1, true, 1, 21},      // step + 1 logarithmic steps
    };
    // clang-format on
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
        // clang-format off
    } cases[] = {
        {{1, 4}, true, 5, 4, 1, 0, true},             // index 3 has no perpendicular value
        {{2.5, 3.4}, true, 5, 4, 5, 4, true},         // ends rounded half to even: 2 to 3
        {{1, 4}, false, 0, 0, 1, 0, true},            // maxima not asked for stay 0
        {{1, 0.5}, true, 0, 0, 1E30, 1E31, false},    // no index visible
    };
    // clang-format on
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
        // clang-format off
    } maxima[] = {
        {0, false, 1},    {nan, true, 1},   {-3, false, 1},
        {3.7, true, 10},  {250, true, 1000}, {0.05, true, 0.1},  // next power of ten
        {8.3, false, 9},  // m = 8.3 > 7: step 1
        {42, false, 45},  // m = 4.2 > 3.5: step 5
        {2.5, false, 2.6}, {1.25, false, 1.3},  // steps 0.2 and 0.1
        {0.37, false, 0.4},   // leading digit 3 at 0.1: 0.4 <= 1.2 * 0.37
        {0.125, false, 0.13}, // 0.2 > 1.2 * 0.125: at 0.01, (12 + 1) * 0.01
    };
    // clang-format on
    for (const auto& c : maxima) EXPECT_DOUBLE_EQ(RoundAxisMax(c.dataMax, c.log), c.axisMax) << c.dataMax;

    const struct {
        double dataMin, axisMax, floor;
    } floors[] = {{5, 100, 5}, {0, 100, 1E-8}, {1E-25, 100, 1E-8}, {0, nan, 1E-10}, {-1, -5, 1E-10}};
    for (const auto& c : floors) EXPECT_DOUBLE_EQ(LogDataMin(c.dataMin, c.axisMax), c.floor) << c.dataMin;

    const struct {
        double dataMin;
        bool polar;
        double yScaleMax, axisMin;
        // clang-format off
    } minima[] = {
        {0.03, false, 0, 0.01},  // floor(log10 0.03) = -2
        {5, false, 0, 1},
        {0.03, true, 10, 0.01},  // 10 / 10^(floor(log10(10 / 0.03)) + 1)
        {0.03, true, 0, 0.01},   // no maximum: the power of ten
    };
    // clang-format on
    for (const auto& c : minima)
        EXPECT_DOUBLE_EQ(LogAxisMin(c.dataMin, c.polar, c.yScaleMax), c.axisMin) << c.dataMin;
}

TEST(GraphGeometry, CurvesByPolarisation) {
    using C = CurveColour;
    const struct {
        const char* pol;
        bool absorbing, severalWaves, oneCurveOnly;
        std::vector<CurveChoice> curves;
        // clang-format off
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
    // clang-format on
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
        // clang-format off
    } cases[] = {
        {1, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {2, 30, {2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30}},  // from the first unit not below 2
        {5, 4, {}},
    };
    // clang-format on
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
        // clang-format off
    } cases[] = {
        {false, false, 1000, 1, {1, 0.8, 0.6, 0.4, 0.2}},
        {true, false, 1000, 1, {1, 2.0 / 3, 1.0 / 3}},  // ln(1000 / 10^n) / ln 1000 for n = 1, 2
        {true, true, 1000, 1, {1, 1.0 / 3}},            // two decades a ring
        {true, false, 1000, 0, {1}},                    // no decades below a minimum of 0
    };
    // clang-format on
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
        // clang-format off
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
    // clang-format on
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
        // clang-format off
    } cases[] = {
        {2.123456789, 10, "2.12346"},        // rounded to 5 decimals
        {5.1234567, 0.0005, "5.123457"},     // 6 below a range of 0.001
        {1.0000000123, 1e-6, "1.000000012"},  // 9 decimals, unrounded, below 0.00001
        {0.01, 1, "0.01"},                   // at or below 0.05: not rounded
        {-3, 20, "-3"},
        {1234, 2000, " 1234"},               // above 10: Str with its leading blank
        {0, 10, " 0"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(XEndText(c.value, c.range), c.text) << c.value;
}

TEST(GraphGeometry, LinearYLinesInsideTheRange) {
    const struct {
        double yMin, yMax, step;
        std::vector<double> ys;  // 1000 - 1000 (t - yMin) / (yMax - yMin) on a box from 0 to 1000
        std::vector<std::string> texts;
        bool scientific;
        // clang-format off
    } cases[] = {
        {0, 10, 2, {800, 600, 400, 200}, {" 2", " 4", " 6", " 8"}, false},  // Str's leading blank
        {0, 1, 0.2, {800, 600, 400, 200}, {"0.2", "0.4", "0.6", "0.8"}, false},  // below 1.2: 4 decimals
        {-2, 2, 1, {750, 500, 250}, {"-1", " 0", " 1"}, false},
        {0, 5e6, 1e6, {800, 600, 400, 200}, {"1.00E+06", "2.00E+06", "3.00E+06", "4.00E+06"}, true},
    };
    // clang-format on
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

// Box from top 0 to bottom 1000 unless said otherwise: y = 1000 - 1000 (share of the range).
TEST(GraphGeometry, LowerPanelLines) {
    const struct {
        double yMin, yMax;
        bool ampPhase, intPol;
        std::vector<double> ys;
        std::vector<std::string> texts;
        // clang-format off
    } cases[] = {
        // phase 0..360: 1000 - 1000 v / 360
        {0, 360, true, false, {750, 500, 250}, {" 90", " 180", " 270"}},
        // polarisation -1..1: 1000 - 500 (v + 1); -0.8 + 4 (0.2) is a rounding error away from 0
        {-1, 1, false, true, {900, 800, 700, 600, 500, 400, 300, 200, 100},
         {"-.8", "-.6", "-.4", "-.2", " 0", " .2", " .4", " .6", " .8"}},
        {5, 5, true, true, {}, {}},  // no range: no lines
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::vector<AxisLine> lines = LowerPanelLines(c.yMin, c.yMax, c.ampPhase, c.intPol, 0, 1000);
        ASSERT_EQ(lines.size(), c.ys.size()) << c.yMax;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_NEAR(lines[i].y, c.ys[i], 1e-9) << c.yMax << " " << i;
            EXPECT_EQ(lines[i].text, c.texts[i]) << c.yMax << " " << i;
            EXPECT_FALSE(lines[i].scientific) << c.yMax << " " << i;
        }
    }
}

TEST(GraphGeometry, LinearYEnds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double yMin, yMax;
        std::vector<std::pair<double, std::string>> ends;  // y and text, yMax first
        std::vector<bool> scientific;
        // clang-format off
    } cases[] = {
        {0, 10, {{100, " 10"}, {900, " 0"}}, {false, false}},
        {-12345, 123456, {{100, "1.23E+05"}, {900, "-1.23E+04"}}, {true, true}},  // 7 and 6 characters
        {1234, 99999, {{100, "1.00E+05"}, {900, " 1234"}}, {true, false}},  // " 99999" has 6
        {nan, 2, {{100, " 2"}}, {false}},  // no number at the lower end
    };
    // clang-format on
    for (const auto& c : cases) {
        std::vector<std::pair<double, std::string>> got;
        std::vector<bool> scientific;
        for (const AxisLine& l : LinearYEnds(c.yMin, c.yMax, 100, 900)) {
            got.emplace_back(l.y, l.text);
            scientific.push_back(l.scientific);
        }
        EXPECT_EQ(got, c.ends) << c.yMax;
        EXPECT_EQ(scientific, c.scientific) << c.yMax;
    }
}

TEST(GraphGeometry, LogXEndsAndMarks) {
    // 1 .. 100 on 0..1000 twips: x = 500 log10 t
    const std::vector<XTick> ends = LogXEnds(1, 100, 0, 1000);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[0].x, 0);
    EXPECT_NEAR(ends[1].x, 1000, 1e-9);
    EXPECT_EQ(ends[0].text + ends[1].text, " 1 100");
    for (const auto& [lo, hi] : {std::pair{0.0, 10.0}, std::pair{5.0, 5.0}, std::pair{1.0, HUGE_VAL}})
        EXPECT_TRUE(LogXEnds(lo, hi, 0, 1000).empty()) << lo << " " << hi;

    const struct {
        bool minor, major;
        std::vector<double> lines, numbered;
        // clang-format off
    } cases[] = {
        {true, false, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100},
         {1, 2, 5, 10, 20, 50, 100}},
        {false, true, {1, 10, 100}, {1, 10, 100}},
        {false, false, {}, {1, 10, 100}},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::vector<double> lines, numbered;
        const std::vector<LogMark> marks = LogXMarks(1, 100, 0, 1000, c.minor, c.major);
        ASSERT_EQ(marks.size(), 19u);
        for (const LogMark& m : marks) {
            if (m.gridLine) lines.push_back(m.value);
            if (m.numbered) numbered.push_back(m.value);
            EXPECT_EQ(m.end, m.value == 1 || m.value == 100) << m.value;
            EXPECT_NEAR(m.pos, 500 * std::log10(m.value), 1e-9) << m.value;
        }
        EXPECT_EQ(lines, c.lines) << c.minor << c.major;
        EXPECT_EQ(numbered, c.numbered) << c.minor << c.major;
    }
}

TEST(GraphGeometry, LogYDecadesAndMinorMarks) {
    const struct {
        double yMin, yMax;
        std::vector<double> values;
        // clang-format off
    } decades[] = {
        {10, 100000, {10, 100, 1000, 10000, 100000}},  // e from Int(1 + 0.99999) to Int(5 - 0.999) + 1
        {0.03, 20, {0.1, 1, 10}},                      // Int(-1.52 + 0.99999) = -1 to Int(1.30 - 0.999) + 1
        {0, 10, {}},                                   // no decades to place
        {10, 10, {}},
    };
    // clang-format on
    for (const auto& c : decades) {
        std::vector<double> values;
        for (const LogMark& m : LogYDecades(c.yMin, c.yMax, 0, 1000, true)) {
            values.push_back(m.value);
            EXPECT_TRUE(m.gridLine && m.numbered && !m.end);
            // 1000 - 1000 ln(v / yMin) / ln(yMax / yMin)
            EXPECT_NEAR(m.pos, 1000 - 1000 * std::log(m.value / c.yMin) / std::log(c.yMax / c.yMin), 1e-9);
        }
        ASSERT_EQ(values.size(), c.values.size()) << c.yMin;
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_NEAR(values[i], c.values[i], 1e-12 * c.values[i]);
    }
    EXPECT_FALSE(LogYDecades(10, 1000, 0, 1000, false)[0].gridLine);

    const struct {
        double yMax;
        bool medium, small;
        std::vector<double> numbered;  // decades, 2s and 5s while yMax / 1 lies inside the size's bounds
        // clang-format off
    } minor[] = {
        {100, false, false, {1, 2, 5, 10, 20, 50, 100}},  // 1 < 100 < 1001
        {1000, true, false, {}},                          // not below 200
        {10, true, false, {1, 2, 5, 10}},                 // 8 < 10 < 200
        {100, false, true, {}},                           // not below 20
        {10, false, true, {1, 2, 5, 10}},                 // 5 < 10 < 20
    };
    // clang-format on
    for (const auto& c : minor) {
        std::vector<double> numbered;
        const std::vector<LogMark> marks = LogYMinorMarks(1, c.yMax, 0, 1000, c.medium, c.small);
        for (const LogMark& m : marks) {
            EXPECT_TRUE(m.gridLine);
            EXPECT_EQ(m.end, m.value == 1 || m.value == c.yMax) << m.value;
            if (m.numbered) numbered.push_back(m.value);
        }
        EXPECT_EQ(numbered, c.numbered) << c.yMax << c.medium << c.small;
        ASSERT_GE(marks.size(), 10u) << c.yMax;
        EXPECT_NEAR(marks[9].pos, 1000 - 1000 * std::log(10.0) / std::log(c.yMax), 1e-9);  // the tick at 10
    }
}

TEST(GraphGeometry, LogYTickNumbers) {
    using F = YTickNumber::Form;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double value, axisMin, axisMax;
        F form;
        std::string text;
        double mantissa, exponent;
        // clang-format off
    } cases[] = {
        {50, 1, 1000, F::Plain, " 50", 0, 0},  // axis within 0.001 .. 1000
        {100, 10, 1E5, F::Power, "", 1, 2},    // log10 100 to 2 decimals: 2
        // log10 5E-4 = -3.30103 to 2 decimals -3.3: exponent Int(-3.3) = -4, mantissa 10^0.7 = 5.01 to 1
        {5E-4, 1E-5, 1, F::Power, "", 5, -4},
        {0, 1E-5, 1, F::None, "", 0, 0},
        {nan, 1E-5, 1, F::None, "", 0, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        const YTickNumber n = LogYTickNumber(c.value, c.axisMin, c.axisMax);
        EXPECT_EQ(n.form, c.form) << c.value;
        EXPECT_EQ(n.text, c.text) << c.value;
        EXPECT_DOUBLE_EQ(n.mantissa, c.mantissa) << c.value;
        EXPECT_DOUBLE_EQ(n.exponent, c.exponent) << c.value;
    }
}

TEST(GraphGeometry, PolarLabelsSpokesAndCaption) {
    // centre (1000, 2000); x = cx + ax R + bx, y = cy + ay R + by with R = radius / 3000
    const struct {
        double radius;
        const char* text;
        double x, y;
        // clang-format off
    } cases[] = {
        {3000, "0", 4080, 1920},   {3000, "270", 850, -1200}, {3000, "90", 900, 5000},
        {1500, "180", -820, 1920}, {1500, "30", 2325, 2750},  {1500, "240", -25, 560},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::vector<TextLine> labels = PolarLabels(1000, 2000, c.radius);
        ASSERT_EQ(labels.size(), 12u);
        const auto at =
            std::find_if(labels.begin(), labels.end(), [&](const TextLine& l) { return l.text == c.text; });
        ASSERT_NE(at, labels.end()) << c.text;
        EXPECT_DOUBLE_EQ(at->x, c.x) << c.text;
        EXPECT_DOUBLE_EQ(at->y, c.y) << c.text;
    }
    const std::vector<Segment> spokes = PolarSpokes(10, 20, 100);
    ASSERT_EQ(spokes.size(), 7u);  // 0, 30, ... 180 degrees
    const double s30[] = {10 + 50 * std::sqrt(3.0), 70, 10 - 50 * std::sqrt(3.0), -30};  // cos 30, sin 30
    const double got30[] = {spokes[1].x1, spokes[1].y1, spokes[1].x2, spokes[1].y2};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(got30[i], s30[i], 1e-9) << i;
    EXPECT_NEAR(spokes[0].x1, 110, 1e-9);
    EXPECT_NEAR(spokes[6].x1, -90, 1e-9);
    EXPECT_EQ(PolarCaption(true, true), (std::vector<std::string>{"Amplitude", "Logarithmic scale"}));
    EXPECT_EQ(PolarCaption(false, false), (std::vector<std::string>{"Linear scale"}));
}

TEST(GraphGeometry, HorizontalTitles) {
    const struct {
        int code, sub;
        const char* title;  // centred on 8000 at 40 twips a character, 280 below the bottom 9800
        // clang-format off
    } cases[] = {
        {1, 3, "Scattering angle (degrees)"}, {10, 0, "Wavelength (nm)"}, {11, 1, "Radius (um)"},
        {11, 2, "Size parameter x"},          {11, 3, nullptr},           {12, 0, "Refractive index"},
        {13, 0, "Convergence"},               {14, 2, "Radius (um)"},     {14, 3, "Size parameter x"},
        {14, 5, nullptr},                     {15, 2, "Wavelength (nm)"}, {16, 3, "Wavelength (nm)"},
        {16, 4, nullptr},                     {20, 0, nullptr},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::optional<TextLine> line = HorizontalTitleLine(c.code, c.sub, 1000, 15000, 9800);
        ASSERT_EQ(line.has_value(), c.title != nullptr) << c.code << " " << c.sub;
        if (!line) continue;
        EXPECT_EQ(line->text, c.title);
        EXPECT_EQ(line->x, 8000 - 40 * std::string(c.title).size()) << c.title;
        EXPECT_EQ(line->y, 10080);
    }
}

TEST(GraphGeometry, VerticalTitles) {
    struct Part {
        double x, y;  // for parts on the next line, 0 and 0
        std::string text;
        bool nextLine, smallFont;
        bool operator==(const Part&) const = default;
    };
    const auto At = [](double x, double y, const char* text) { return Part{x, y, text, false, false}; };
    const auto Next = [](const char* text) { return Part{0, 0, text, true, false}; };
    const struct {
        int code, sub;
        bool amplitude;
        int phasePanel;
        bool ampPhase, intPol;
        std::vector<Part> parts;  // top at 1000
        // clang-format off
    } cases[] = {
        {14, 2, false, 0, false, false, {At(50, 500, "Area (m  )"), At(700, 450, "2")}},
        {15, 2, false, 0, false, false, {At(50, 500, "Area (m  )"), At(700, 450, "2")}},
        {15, 1, false, 0, false, false, {}},
        {16, 1, false, 0, false, false, {At(50, 500, "Asymmetry"), At(50, 700, "Parameter")}},
        {1, 1, true, 0, false, false, {At(50, 400, " Relative"), Next("  amplitude")}},
        {1, 1, false, 1, true, false, {At(50, 650, "Phase angle")}},
        {1, 1, false, 1, false, true, {At(50, 650, "Degree of linear polarisation")}},
        {1, 3, false, 0, false, false, {At(50, 500, "Watts/m"), {770, 470, "2", false, true}}},
        {11, 2, false, 0, false, false, {At(50, 400, " Relative"), Next("  intensity")}},
        {13, 0, false, 0, false, false, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::vector<Part> got;
        for (const TitlePart& p :
             VerticalTitle(c.code, c.sub, c.amplitude, c.phasePanel, c.ampPhase, c.intPol, 1000))
            got.push_back({p.x, p.y, p.text, p.nextLine, p.smallFont});
        EXPECT_EQ(got, c.parts) << c.code << " " << c.sub;
    }
}

TEST(GraphGeometry, AxisNumberStartsAndLinearXStart) {
    const struct {
        const char* text;  // at x (or the box's left edge) 1000
        bool large;
        double logX, linearX, linearY;
        // clang-format off
    } numbers[] = {
        {" 100", false, 880, 880, 880},  // 1000 - 30 (4)
        {" 100", true, 790, 760, 450},   // 1000 - 10 - 50 (4), 1000 - 60 (4), 1000 - 150 - 100 (4)
        {"0.25", true, 790, 760, 450},
        {"", true, 990, 1000, 850},
    };
    // clang-format on
    for (const auto& c : numbers) {
        EXPECT_EQ(LogXNumberLeft(1000, c.text, c.large), c.logX) << c.text << c.large;
        EXPECT_EQ(LinearXNumberLeft(1000, c.text, c.large), c.linearX) << c.text << c.large;
        EXPECT_EQ(LinearYNumberLeft(1000, c.text, c.large), c.linearY) << c.text << c.large;
    }
    const struct {
        double xMin, xMax;
        int code;
        double start;
        // clang-format off
    } starts[] = {
        {0.05, 20, 11, 0},      // below 0.1 and 20 / 0.05 > 10
        {0.05, 20, 16, 0.05},   // not on the asymmetry graph
        {0.05, 0.4, 11, 0.05},  // 0.4 / 0.05 = 8
        {0.1, 20, 11, 0.1},     // not below 0.1
        {-0.05, 1, 11, -0.05},  // a negative ratio
        {-0.05, -1, 11, 0},     // -1 / -0.05 = 20
        {0, 20, 11, 0},
    };
    // clang-format on
    for (const auto& c : starts)
        EXPECT_EQ(LinearXStart(c.xMin, c.xMax, c.code), c.start) << c.xMin << " " << c.xMax;
}

}  // namespace
}  // namespace tessary::graphs
