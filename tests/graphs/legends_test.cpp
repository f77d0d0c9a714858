// Legend and data readout on the recording canvas: the entries and their places by polarisation,
// graph type and size, no legend where none belongs, the data box and the line under the graph, and
// the extinction efficiency from the optical theorem, skipped for a size parameter of 0.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "graphs/graph_codes.h"
#include "platform/text/conversions.h"
#include "tests/graphs/frame_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary::test {
namespace {

constexpr OleColor kRedLine = rgb(255, 0, 0);
constexpr OleColor kRedDark = rgb(150, 0, 0);

// The polarisation list as start-up fills it (a fixed list selects only its own entries).
void FillPolarisations(Form1& f) {
    for (const char* entry : {"Perpendicular", "Parallel", "Both", "Unpolarised", "All 3"})
        f.cboPol.addItem(entry);
}

class LegendTest : public FrameTest {
  protected:
    LegendTest() {
        Form1& f = *form;
        f.mnuTrueColour.setChecked(false);
        f.mnuRedLine.setChecked(true);
        FillPolarisations(f);
        f.cboPol.setText("Both");
        f.clearDrawLog();
    }
    bool strokeAt(double x, double y, OleColor colour) const {
        return !lines([&](const DrawOp& l) {
                    return l.x1 == x && l.y1 == y && l.x2 == x + 700 && l.y2 == y && l.colour == colour;
                }).empty();
    }
    int filledBoxes() const { return static_cast<int>(ops(DrawOp::Kind::FilledBox).size()); }
};

TEST_F(LegendTest, BothPolarisationsOnTheLargeGraph) {
    form->PolarLabel();
    EXPECT_EQ(filledBoxes(), 1);  // the legend strip cleared
    EXPECT_TRUE(strokeAt(1400, 3000, kRedLine));
    EXPECT_TRUE(strokeAt(6500, 3000, kRedDark));
    EXPECT_EQ(textsAt("Perpendicular polarisation", 2200, 2900), 1);
    EXPECT_EQ(textsAt("Parallel polarisation", 7300, 2900), 1);
}

TEST_F(LegendTest, AllThreeOnTheSmallGraphUsesASecondRow) {
    form->mnuSmall_Click();
    form->cboPol.setText("All 3");
    form->clearDrawLog();
    form->PolarLabel();
    EXPECT_TRUE(strokeAt(1000, 3100, kRedLine));
    EXPECT_TRUE(strokeAt(3800, 3100, kRedDark));
    EXPECT_TRUE(strokeAt(3800, 2900, kBlack));
    EXPECT_EQ(textsAt("Unpolarised", 4600, 2800), 1);
    EXPECT_EQ(textsAt("Parallel polarisation", 4600, 3000), 1);
}

TEST_F(LegendTest, AllThreeOnTheMediumGraph) {
    form->mnuMedium_Click();
    form->cboPol.setText("All 3");
    form->clearDrawLog();
    form->PolarLabel();
    EXPECT_TRUE(strokeAt(6300, 3100, kBlack));
    EXPECT_EQ(textsAt("Unpolarised", 7100, 3000), 1);
}

TEST_F(LegendTest, OneCurveClearsTheStripAndWritesNothing) {
    form->cboPol.setText("Perpendicular");
    form->PolarLabel();
    EXPECT_EQ(filledBoxes(), 1);
    EXPECT_TRUE(texts().empty());
}

TEST_F(LegendTest, NoLegendWithSeveralWavelengthsAsymmetryOrMaps) {
    for (int code : {16, 20, 22}) {
        form->codes.graphCode = code;
        form->PolarLabel();
    }
    form->codes.graphCode = kGraphAngle;
    form->calc.waveCount = 3;
    form->PolarLabel();
    EXPECT_TRUE(form->drawLog().empty());
}

TEST_F(LegendTest, EfficiencyEntries) {
    form->codes.graphCode = kGraphEfficiency;
    form->codes.graphSubCode = kSubQRadius;
    form->PolarLabel();
    EXPECT_EQ(textsAt("Qext = Qsca   Qabs = 0", 2200, 3000), 1);
    form->codes.graphSubCode = kSubCSize;
    form->PolarLabel();
    EXPECT_EQ(textCount("Cext = Csca   Cabs = 0"), 1);

    form->clearDrawLog();
    form->calc.absorbingFlag = 2;
    form->codes.graphSubCode = kSubQSize;
    form->PolarLabel();
    EXPECT_EQ(textsAt("Qext", 2200, 3000), 1);
    EXPECT_EQ(textsAt("Qsca", 7300, 3000), 1);
    EXPECT_EQ(textsAt("Qabs", 12800, 3000), 1);
    EXPECT_TRUE(strokeAt(12000, 3100, kBlack));
}

class ReadoutTest : public LegendTest {
  protected:
    ReadoutTest() {
        Form1& f = *form;
        f.mnuDataVisible.setChecked(true);
        f.optMono.setValue(true);
        f.angleGrid.angleCount = 901;
        f.runRecord.taken = true;  // a whole run of an angle graph, which computed 0 to 180 degrees
        f.runRecord.state = ResultsState::Complete;
        f.runRecord.graphCode = kGraphAngle;
        f.runRecord.windowFirst = 1;
        f.runRecord.windowLast = 1801;
        f.results.qSca = 2.5;
        f.results.qExt = 2.75;
        f.results.qBack = 0.4;
        f.readout = {2.5, 2.75, 0.4};  // as a whole Mie run records them
        f.runRecord.lastSizeParam = 0;
        f.results.s1Amp[0].assign(1802, 0.0);
        f.results.s1Amp[1].assign(1802, 0.0);
        f.results.s1Amp[0][1] = 100;
        f.results.s1Amp[1][1] = 0;
        f.results.s1Amp[0][1801] = 3;
        f.results.s1Amp[1][1801] = 4;
    }
};

TEST_F(ReadoutTest, DataBoxAndTheLineUnderTheGraph) {
    Form1& f = *form;
    f.runRecord.lastSizeParam = 96.6;
    f.VisibleData();
    EXPECT_EQ(filledBoxes(), 2);
    EXPECT_EQ(textsAt("Qsca = " + f.AxisNumberText(2.5, 6), 12000, 800), 1);
    EXPECT_EQ(textsAt("Qext = " + f.AxisNumberText(2.75, 6), 12000, 1000), 1);
    EXPECT_EQ(textsAt("Qabs = " + f.AxisNumberText(0.25, 6), 12000, 1200), 1);
    EXPECT_EQ(textsAt("Qback = " + f.AxisNumberText(0.4, 6), 12000, 1400), 1);
    EXPECT_EQ(textsAt("Qradar = " + f.AxisNumberText(4 * 3.14159265358979 * 0.4, 6), 12000, 1600), 1);
    EXPECT_EQ(textsAt("  0 deg: 1.00E+04", 1000, 10300), 1);
    EXPECT_EQ(textsAt("  180 deg: 2.50E+01", 0.4 * 15000, 10300), 1);
    EXPECT_EQ(textsAt("X = 96.6", 0.7 * 15000, 10300), 1);
    // the readout only reads: the stored Qext stays the run's
    EXPECT_EQ(f.results.qExt, 2.75);
    EXPECT_EQ(f.sweepState.loopJ, 1801);
}

// X without thousands separators at every size, and Qabs of a clear sphere 0 (not the residue of
// Qext - Qsca: 2.75 and 2.75 + 2 ulps differ by 8.9e-16).
TEST_F(ReadoutTest, SizeParameterWithoutSeparatorsAndClearSphereQabsZero) {
    Form1& f = *form;
    const struct {
        double x;
        const char* text;
    } cases[] = {{1407.775888, "X = 1407.775888"}, {96.664389, "X = 96.664389"}, {123456.5, "X = 123456.5"}};
    for (const auto& c : cases) {
        f.runRecord.lastSizeParam = c.x;
        f.clearDrawLog();
        f.VisibleData();
        EXPECT_EQ(textsAt(c.text, 0.7 * 15000, 10300), 1) << c.text;
    }
    f.readout = {std::nextafter(std::nextafter(2.75, 3.0), 3.0), 2.75, 0.4};
    f.clearDrawLog();
    f.VisibleData();
    EXPECT_EQ(textsAt("Qabs = " + f.AxisNumberText(0, 6), 12000, 1200), 1);
}

TEST_F(ReadoutTest, AnglesTheRunDidNotComputeAreNotShown) {
    Form1& f = *form;
    const struct {
        std::int32_t first, last;
        int zero, oneEighty;
    } cases[] = {{1, 1801, 1, 1}, {2, 1801, 0, 1}, {1, 1800, 1, 0}, {300, 1500, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        f.runRecord.windowFirst = c.first;
        f.runRecord.windowLast = c.last;
        f.clearDrawLog();
        f.VisibleData();
        EXPECT_EQ(textsAt("  0 deg: 1.00E+04", 1000, 10300), c.zero);
        EXPECT_EQ(textsAt("  180 deg: 2.50E+01", 0.4 * 15000, 10300), c.oneEighty);
    }
}

TEST_F(ReadoutTest, SizeParameterZeroKeepsQext) {
    form->VisibleData();
    EXPECT_EQ(form->results.qExt, 2.75);
    EXPECT_EQ(textCount("X = 0"), 1);
}

TEST_F(ReadoutTest, OptionOffClearsAndLeavesTheBoxEmpty) {
    form->mnuDataVisible.setChecked(false);
    form->VisibleData();
    EXPECT_EQ(filledBoxes(), 2);
    EXPECT_TRUE(texts().empty());
    form->clearDrawLog();
    form->mnuDataVisible.setChecked(true);
    form->runRecord.graphCode = kGraphWavelength;  // the graph on show is the run's
    form->VisibleData();
    EXPECT_EQ(filledBoxes(), 2);
    EXPECT_TRUE(texts().empty());
}

TEST_F(ReadoutTest, NothingOnSmallScreensLeeDiagramsOrDistributions) {
    form->windowState.screenWidthPx = 800;
    form->VisibleData();
    form->windowState.screenWidthPx = 1024;
    form->runRecord.graphCode = kGraphLee;  // the graph on show is the run's
    form->VisibleData();
    form->runRecord.graphCode = kGraphAngle;
    form->optDisp.setValue(true);
    form->VisibleData();
    EXPECT_TRUE(form->drawLog().empty());
}

}  // namespace
}  // namespace tessary::test
