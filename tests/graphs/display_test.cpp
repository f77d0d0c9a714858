// Result display on the recording canvas: the round y limits (the examples 5.3 -> 5.5, 8 -> 9,
// 250 -> 260, 10 -> 11, 0.012 -> 0.013), limits without data that still end, the log floor ten decades
// below the maximum, the angle grid of a typed angle, the scan that sets the y range, the frame only
// when one is due, and the colours of the curves.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "tests/graphs/frame_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr OleColor kRedLine = rgb(255, 0, 0);
constexpr OleColor kRedDark = rgb(150, 0, 0);

// The polarisation list as start-up fills it (a fixed list selects only its own entries).
void FillPolarisations(Form1& f) {
    for (const char* entry : {"Perpendicular", "Parallel", "Both", "Unpolarised", "All 3"})
        f.cboPol.addItem(entry);
}

class DisplayTest : public FrameTest {
  protected:
    DisplayTest() {
        Form1& f = *form;
        f.cboYmax.setText("Automatic");
        f.cboYmin.setText("Automatic");
        f.cboStep.setText("1");
        FillPolarisations(f);
        f.cboPol.setText("Both");
        f.angleGrid.angleCount = 91;
        f.codes.runState = 1;
        f.sweepState.loopI = 1;
        f.graph.phasePanel = 0;
        f.mnuSolid.setChecked(true);
        f.mnuTrueColour.setChecked(false);
        f.mnuRedLine.setChecked(true);
    }
    double yMax(double data, bool log) {
        form->optLog.setValue(log);
        form->optLinear.setValue(!log);
        double axis = -1;
        form->GridYmax(data, axis);
        return axis;
    }
    double yMin(double data, bool log) {
        form->optLog.setValue(log);
        form->optLinear.setValue(!log);
        double axis = -1;
        form->GridYmin(data, axis);
        return axis;
    }
    // Arrays for 0..180 degrees at 1 degree (indices 1..181).
    static std::vector<double> Curve(double value) { return std::vector<double>(182, value); }
    int titleCount() const { return textCount("Scattering angle (degrees)"); }
    std::vector<DrawOp> curveLines(OleColor colour) const {
        return lines([&](const DrawOp& l) { return l.colour == colour; });
    }
};

struct RoundCase {
    double data;
    bool log;
    double axis;
};

TEST_F(DisplayTest, GridYmaxRoundsTheDataMaximum) {
    const RoundCase cases[] = {
        {5.3, false, 5.5}, {8, false, 9},     {250, false, 260}, {10, false, 11},     {0.012, false, 0.013},
        {2, false, 2.2},   {5000, true, 1E4}, {0.3, true, 1},    {123456, true, 1E6},
    };
    for (const RoundCase& c : cases) EXPECT_REL_NEAR(yMax(c.data, c.log), c.axis, 1e-12) << c.data;
}

TEST_F(DisplayTest, GridYmaxWithoutAPositiveMaximumEnds) {
    form->txtY2max.setText("none");
    for (double data : {0.0, -5.0, kNaN, kInf}) {
        for (bool log : {false, true}) {
            const double axis = yMax(data, log);
            EXPECT_TRUE(std::isfinite(axis) && axis > 0) << data << " " << log;
        }
    }
    // the previous graph's data maximum stands in for a maximum of 0
    form->txtY2max.setText("250");
    EXPECT_EQ(yMax(0.0, false), 260);
    // an overplot keeps the earlier scale whatever the new data
    form->codes.runState = 2;
    EXPECT_EQ(yMax(8.0, false), 260);
}

TEST_F(DisplayTest, GridYmaxTakesATypedMaximum) {
    form->cboYmax.setText("1000");
    EXPECT_EQ(yMax(5.3, false), 1000);
    EXPECT_EQ(yMax(5.3, true), 1000);
}

TEST_F(DisplayTest, GridYminLogFloorTenDecadesBelowTheMaximum) {
    form->graph.yAxisMax = 1000;
    EXPECT_REL_NEAR(yMin(0.0, true), 1E-7, 1e-12);
    EXPECT_EQ(form->txtY1min.text(), "1E-07");
    EXPECT_REL_NEAR(yMin(0.37, true), 0.1, 1e-12);
    EXPECT_REL_NEAR(yMin(1E-30, true), 1E-7, 1e-12);  // below 1E-20 of the maximum
    // a negative minimum has no logarithm: the floor as well
    EXPECT_REL_NEAR(yMin(-3.0, true), 1E-7, 1e-12);
    // a typed maximum of 0 leaves no decade to measure from
    form->graph.yAxisMax = 0;
    const double axis = yMin(0.0, true);
    EXPECT_TRUE(std::isfinite(axis) && axis > 0);
}

TEST_F(DisplayTest, GridYminLinearAndTyped) {
    EXPECT_EQ(yMin(3.0, false), 0);
    EXPECT_EQ(form->txtY1min.text(), "0");
    form->cboYmin.setText("5");
    EXPECT_EQ(yMin(3.0, false), 5);
    EXPECT_EQ(yMin(3.0, true), 5);
    form->cboYmin.setText("Automatic");
    form->codes.runState = 2;
    form->txtY1min.setText("0.01");
    form->graph.yAxisMax = 1000;
    EXPECT_REL_NEAR(yMin(3.0, true), 0.01, 1e-12);  // an overplot keeps the earlier minimum
}

TEST_F(DisplayTest, GridYminPolarCountsDecadesDownFromTheMaximum) {
    form->mnuPolarPlot.setChecked(true);
    form->graph.yScaleMax = 1E5;
    form->graph.yAxisMax = 1E6;
    EXPECT_REL_NEAR(yMin(3.0, true), 1.0, 1e-12);  // floor(Log10(33333)) + 1 = 5 decades
}

struct AngleCase {
    const char* angle;
    std::int32_t count;
    int index;
};

TEST_F(DisplayTest, AngleDeltaFindsTheCoarsestGrid) {
    const AngleCase cases[] = {
        {"0", 2, 1},     {"90", 2, 2},       {"180", 2, 3},      {"1", 91, 2},      {"45", 3, 2},
        {"0.7", 901, 8}, {"0.29", 9001, 30}, {"1.16", 2251, 30}, {"137.5", 37, 56}, {"0.01", 9001, 2},
    };
    for (const AngleCase& c : cases) {
        form->txtAngle.setText(c.angle);
        form->txtAngle.setBackColor(16777215);
        form->AngleDelta();
        EXPECT_EQ(form->angleGrid.angleCount, c.count) << c.angle;
        EXPECT_EQ(form->angleGrid.angleIndex, c.index) << c.angle;
        EXPECT_EQ(form->txtAngle.backColor(), 16777215u) << c.angle;
    }
}

TEST_F(DisplayTest, AngleDeltaWithoutAGridPaintsTheBoxRed) {
    for (const char* angle : {"0.123", "181", "-1", "0.001"}) {
        form->angleGrid.angleCount = 77;
        form->angleGrid.angleIndex = 5;
        form->txtAngle.setText(angle);
        form->txtAngle.setBackColor(16777215);
        form->AngleDelta();
        EXPECT_EQ(form->txtAngle.backColor(), 255u) << angle;
        EXPECT_EQ(form->angleGrid.angleCount, 77) << angle;
        EXPECT_EQ(form->angleGrid.angleIndex, 5) << angle;
    }
}

TEST_F(DisplayTest, ScanOfTheVisibleRangeSetsTheYRange) {
    Form1& f = *form;
    f.optLinear.setValue(true);
    f.optLog.setValue(false);
    f.txtXmin.setText("0");
    f.txtXmax.setText("90");
    std::vector<double> perp = Curve(1), para = Curve(1), unpol = Curve(1000);
    perp[40] = 8;
    para[60] = 5;
    perp[150] = 500;  // beyond 90 degrees: not visible
    f.Display(perp, para, unpol);
    EXPECT_EQ(f.graph.yScaleMax, 8);
    EXPECT_EQ(f.graph.yAxisMax, 9);
    EXPECT_EQ(f.graph.savedYScaleMax, 8);
    EXPECT_EQ(f.graph.drawnYMax, 9);
    EXPECT_EQ(f.txtY2max.text(), "8");
    EXPECT_EQ(f.graph.yScaleMin, 1);
    EXPECT_EQ(f.graph.yAxisMin, 0);
    EXPECT_EQ(titleCount(), 1);  // a new plot's first wavelength draws the frame
}

TEST_F(DisplayTest, LogAxisFromTheScan) {
    Form1& f = *form;
    f.txtXmin.setText("0");
    f.txtXmax.setText("180");
    std::vector<double> perp = Curve(3), para = Curve(3);
    perp[1] = 5000;
    para[181] = 0;  // a zero on the log axis: the floor ten decades below
    f.Display(perp, para, para);
    EXPECT_EQ(f.graph.yAxisMax, 1E4);
    EXPECT_REL_NEAR(f.graph.yAxisMin, 1E-6, 1e-12);
}

TEST_F(DisplayTest, TypedLimitsAndNoFrameBeforeAnyRun) {
    Form1& f = *form;
    f.codes.runState = 0;
    f.cboYmax.setText("100");
    f.graph.yScaleMin = 0.5;
    f.txtXmin.setText("0");
    f.txtXmax.setText("180");
    f.Display(Curve(1), Curve(1), Curve(1));
    EXPECT_EQ(f.graph.yAxisMax, 100);
    EXPECT_EQ(f.graph.yAxisMin, 0.5);
    EXPECT_EQ(titleCount(), 0);
}

TEST_F(DisplayTest, OverplotKeepsTheFrameAndRange) {
    Form1& f = *form;
    f.codes.runState = 2;
    f.graph.yAxisMin = 10;
    f.graph.yAxisMax = 1E5;
    f.txtXmin.setText("0");
    f.txtXmax.setText("180");
    f.Display(Curve(70), Curve(70), Curve(70));
    EXPECT_EQ(f.graph.yAxisMin, 10);
    EXPECT_EQ(f.graph.yAxisMax, 1E5);
    EXPECT_EQ(titleCount(), 0);
    EXPECT_FALSE(curveLines(kRedLine).empty());
}

TEST_F(DisplayTest, CurveColoursFollowThePolarisationList) {
    Form1& f = *form;
    f.txtXmin.setText("0");
    f.txtXmax.setText("180");
    // the axis runs from 10 to 1000 (the decades around 100 and 1000)
    f.Display(Curve(100), Curve(1000), Curve(300));
    EXPECT_EQ(f.graph.yAxisMin, 10);
    EXPECT_EQ(f.graph.yAxisMax, 1000);
    EXPECT_FALSE(curveLines(kRedLine).empty());  // perpendicular in the line colour
    EXPECT_FALSE(curveLines(kRedDark).empty());  // parallel in its darker companion
    const double unpolY = 9800 - 6400 * std::log(300 / 10.0) / std::log(1000 / 10.0);
    EXPECT_TRUE(lines([&](const DrawOp& l) { return std::fabs(l.y1 - unpolY) < 1e-6; }).empty());

    f.cboPol.setText("All 3");
    f.clearDrawLog();
    f.Display(Curve(100), Curve(1000), Curve(300));
    EXPECT_FALSE(lines([&](const DrawOp& l) {
                     return l.colour == kBlack && std::fabs(l.y1 - unpolY) < 1e-6 && l.x1 > 1000 &&
                            l.x1 < 15000;
                 }).empty());

    f.cboPol.setText("Parallel");
    f.clearDrawLog();
    f.Display(Curve(100), Curve(1000), Curve(300));
    EXPECT_TRUE(curveLines(kRedDark).empty());  // one curve: the line colour
    EXPECT_FALSE(curveLines(kRedLine).empty());
}

TEST_F(DisplayTest, NonAbsorbingEfficiencyGraphHasOneCurve) {
    Form1& f = *form;
    f.codes.graphCode = kGraphEfficiency;
    f.codes.graphSubCode = kSubQRadius;
    f.indexState.relIndexIm = 0;
    f.graph.dataXStart = 1;
    f.txtXmin.setText("1");
    f.txtXmax.setText("10");
    f.cboStep.setText("1");
    std::vector<double> q(11, 2.0);
    f.Display(q, q, q);
    EXPECT_FALSE(curveLines(kRedLine).empty());
    EXPECT_TRUE(curveLines(kRedDark).empty());
    f.calc.absorbingFlag = 2;
    f.indexState.relIndexIm = 0.1;
    f.clearDrawLog();
    f.Display(q, q, q);
    EXPECT_FALSE(curveLines(kRedDark).empty());
}

TEST_F(DisplayTest, LowerPanelOfIntensityAndPhase) {
    Form1& f = *form;
    f.mnuAmpPhase.setChecked(true);
    f.optLinear.setValue(true);
    f.optLog.setValue(false);
    f.txtXmin.setText("0");
    f.txtXmax.setText("180");
    f.graph.drawnYMin = 10;
    f.graph.drawnYMax = 1E5;
    f.graph.phasePanel = 1;
    f.results.avgPerp = Curve(180);  // phase angles in degrees: the middle of 0..360
    f.results.avgPara = Curve(90);
    f.results.avgUnpol = Curve(270);
    f.Display(Curve(1), Curve(1), Curve(1));
    EXPECT_EQ(titleCount(), 1);
    EXPECT_EQ(f.graph.yAxisMin, 10);  // the upper panel's range back
    EXPECT_EQ(f.graph.yAxisMax, 1E5);
    const double middle = 9800 - 6400 * 180 / 360.0;
    EXPECT_FALSE(lines([&](const DrawOp& l) {
                     return l.colour == kRedLine && std::fabs(l.y1 - middle) < 1e-9 && l.x1 > 1000;
                 }).empty());
    EXPECT_FALSE(lines([&](const DrawOp& l) {
                     return l.colour == kRedDark && std::fabs(l.y1 - (9800 - 6400 * 90 / 360.0)) < 1e-9;
                 }).empty());
}

TEST_F(DisplayTest, LaterWavelengthsDrawInTheirColourWithoutAFrame) {
    Form1& f = *form;
    f.calc.waveCount = 3;
    f.sweepState.loopI = 2;
    f.graphColours.colourPerWave[2] = static_cast<float>(rgb(0, 200, 0));
    f.txtY1min.setText("100");
    f.graph.yAxisMax = 1E5;
    f.txtXmin.setText("0");
    f.txtXmax.setText("180");
    f.Display(Curve(1000), Curve(2000), Curve(1500));
    EXPECT_EQ(f.graph.yAxisMin, 100);
    EXPECT_EQ(titleCount(), 0);
    EXPECT_EQ(curveLines(rgb(0, 200, 0)).size(), 2 * 181u);  // both curves in the wavelength's colour
}

TEST_F(DisplayTest, XGraphWithoutAStepShowsNoPoint) {
    Form1& f = *form;
    f.codes.graphCode = kGraphWavelength;
    f.cboStep.setText("0");
    f.txtXmin.setText("400");
    f.txtXmax.setText("700");
    std::vector<double> v(20, 5.0);
    f.Display(v, v, v);
    EXPECT_TRUE(curveLines(kRedLine).empty());
    EXPECT_TRUE(std::isfinite(f.graph.yAxisMax) && f.graph.yAxisMax > 0);
}

}  // namespace
}  // namespace tessary::test
