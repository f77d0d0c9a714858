// The graph frame on the recording canvas: the default angle frame (ticks every 10 degrees, numbers
// every 30, log decades 10 .. 100000), the small size, polar rings, logarithmic x axes, linear y
// steps, write-backs, titles, and ranges on which no tick can be placed.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "tests/graphs/frame_test_support.h"

namespace tessary::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double AngleX(double t) { return 1000 + 14000 * t / 180; }  // Large box, 0 .. 180 degrees
double DecadeY(double v) { return 9800 - 6400 * std::log(v / 10) / std::log(10000.0); }  // 10 .. 100000

TEST_F(FrameTest, AngleAxisTicksEveryTenDegreesNumbersEveryThirty) {
    drawFrame();
    std::vector<double> black{1000, 15000};  // the two end ticks, then every 10 degrees
    for (int t = 10; t <= 180; t += 10) black.push_back(AngleX(t));
    const std::vector<double> ticks = tickXs(9800, kBlack);
    ASSERT_EQ(ticks.size(), black.size());
    for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], black[i], 1e-9) << i;
    const std::vector<double> numbered = tickXs(9800, kGridSingle);
    ASSERT_EQ(numbered.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(numbered[i], AngleX(30 * (i + 1)), 1e-9);
    for (int t : {30, 60, 90}) EXPECT_EQ(textsAt(" " + std::to_string(t), AngleX(t) - 60 * 3, 9900), 1) << t;
    for (int t : {120, 150}) EXPECT_EQ(textsAt(" " + std::to_string(t), AngleX(t) - 60 * 4, 9900), 1) << t;
    EXPECT_EQ(textsAt(" 0", 1000 - 120, 9900), 1);
    EXPECT_EQ(textsAt(" 180", 15000 - 240, 9900), 1);
    EXPECT_EQ(textCount(" 180"), 1);  // within 2 % of the end: no second number
    EXPECT_EQ(textCount(" 10"), 0);
}

TEST_F(FrameTest, MajorGridLinesAtTheMinorTicksBlackAtTheEnd) {
    drawFrame();
    int grid = 0, black = 0;
    for (const DrawOp& l : verticalGridLines()) {
        if (l.colour == kGridSingle) ++grid;
        if (l.colour == kBlack) {
            ++black;
            EXPECT_EQ(l.x1, 15000);
        }
    }
    EXPECT_EQ(grid, 17);  // 10 .. 170
    EXPECT_EQ(black, 2);  // 180: the end line and its grid line
    form->mnuMajorGridX.setChecked(false);
    drawFrame();
    EXPECT_EQ(verticalGridLines().size(), 1u);  // only the black end line
}

TEST_F(FrameTest, LogarithmicYAxisNumbersEachDecadeAsPowerOfTen) {
    drawFrame();
    for (int e = 1; e <= 5; ++e) {
        const double y = DecadeY(std::pow(10.0, e));
        EXPECT_EQ(lines([&](const DrawOp& l) {
                      return l.x1 == 950 && l.x2 == 1000 && std::fabs(l.y1 - y) < 1e-6 && l.colour == kBlack;
                  }).size(),
                  1u)
            << e;
        EXPECT_EQ(textsAt("10", 500, y - 100), 1) << e;
        EXPECT_EQ(textsAt(" " + std::to_string(e) + " ", 775, y - 200), 1) << e;
    }
    for (const DrawOp& t : texts()) {
        if (t.text == " 3 ") {
            EXPECT_EQ(t.font, (FontSpec{"Small Fonts", 7, false}));
        }
    }
    int gridLines = 0;
    for (const DrawOp& l : horizontalLines())
        if (l.colour == kGridSingle && l.x1 == 1000) ++gridLines;
    EXPECT_EQ(gridLines, 5);
}

TEST_F(FrameTest, BoxFrameTitlesAndFinalState) {
    drawFrame();
    const std::vector<DrawOp> filled = ops(DrawOp::Kind::FilledBox);
    ASSERT_EQ(filled.size(), 1u);
    EXPECT_EQ(filled[0].colour, kCream);
    EXPECT_EQ(filled[0].x1, 1000);
    EXPECT_EQ(filled[0].y1, 3400);
    EXPECT_EQ(filled[0].x2, 15000);
    EXPECT_EQ(filled[0].y2, 9800);
    const std::vector<DrawOp> outline = ops(DrawOp::Kind::Box);
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0].colour, kBlack);
    EXPECT_EQ(outline[0].fillStyle, draw::kTransparent);
    EXPECT_EQ(textsAt("Scattering angle (degrees)", 8000 - 40 * 26, 10080), 1);
    EXPECT_EQ(textsAt(" Relative", 50, 2800), 1);
    bool intensity = false;
    for (const DrawOp& t : texts())
        if (t.text == "  intensity") intensity = t.x1 == 0 && t.y1 > 2800;  // the next line, from the margin
    EXPECT_TRUE(intensity);
    EXPECT_EQ(form->font(), (FontSpec{"MS Sans Serif", 8, false}));
    EXPECT_EQ(form->foreColor(), kBlack);
    EXPECT_EQ(form->droppedCommands(), 0);
}

TEST_F(FrameTest, LogoFollowsSizeVisibilityAndColour) {
    drawFrame();
    EXPECT_TRUE(form->lblLogo.visible());
    EXPECT_EQ(form->lblLogo.fontSize(), 16);
    EXPECT_EQ(form->lblLogo.foreColor(), rgb(200, 200, 200));
    EXPECT_NEAR(form->lblLogo.left(), 1100, 15);  // positions read back whole pixels
    EXPECT_NEAR(form->lblLogo.top(), 3600, 15);
    form->mnuSmall_Click();
    drawFrame();
    EXPECT_EQ(form->lblLogo.fontSize(), 8);
    form->windowState.screenWidthPx = 1280;  // wider screens: the small logo grows to 10 points
    drawFrame();
    EXPECT_EQ(form->lblLogo.fontSize(), 10);
    form->mnuHideLogo_Click();
    drawFrame();
    EXPECT_FALSE(form->lblLogo.visible());
    form->mnuHideLogo_Click();
    form->codes.graphCode = kGraphMapIndex;  // maps carry no logo
    drawFrame();
    EXPECT_FALSE(form->lblLogo.visible());
}

TEST_F(FrameTest, SeveralWavelengthsDarkBoxNoVerticalTitle) {
    form->calc.waveCount = 3;
    drawFrame();
    const std::vector<DrawOp> filled = ops(DrawOp::Kind::FilledBox);
    ASSERT_EQ(filled.size(), 1u);
    EXPECT_EQ(filled[0].colour, kBlack);
    EXPECT_EQ(form->graphColours.logoColour, rgb(100, 100, 100));
    EXPECT_EQ(textCount(" Relative"), 0);
    EXPECT_EQ(tickXs(9800, rgb(64, 64, 64)).size(), 5u);  // numbered ticks in the dark grid colour
}

TEST_F(FrameTest, SchemeSetsTheGridColour) {
    form->mnuWhite_Click();
    drawFrame();
    EXPECT_EQ(tickXs(9800, rgb(192, 192, 192)).size(), 5u);
    form->mnuBlack_Click();
    drawFrame();
    EXPECT_EQ(tickXs(9800, rgb(64, 128, 128)).size(), 5u);
    EXPECT_EQ(ops(DrawOp::Kind::FilledBox)[0].colour, kBlack);
}

TEST_F(FrameTest, SmallGraphNumbersEverySixtyDegrees) {
    form->mnuSmall_Click();
    drawFrame();
    const auto x = [](double t) { return 1000 + 5000 * t / 180; };
    EXPECT_EQ(tickXs(6800, kBlack).size(), 2u + 9u);  // ends, then every 20 degrees
    const std::vector<double> numbered = tickXs(6800, kGridSingle);
    ASSERT_EQ(numbered.size(), 2u);
    EXPECT_NEAR(numbered[0], x(60), 1e-9);
    EXPECT_NEAR(numbered[1], x(120), 1e-9);
    EXPECT_EQ(textCount(" 60"), 1);
    EXPECT_EQ(textCount(" 120"), 1);
    EXPECT_EQ(textCount(" 30"), 0);
}

TEST_F(FrameTest, RangeOfTenBetweenEvenNumbersStepsByOneNumbersByFive) {
    form->graph.xMin = 1;
    form->graph.xMax = 11;
    drawFrame();
    EXPECT_EQ(tickXs(9800, kBlack).size(), 2u + 10u);  // 2 .. 11
    EXPECT_EQ(textCount(" 5"), 1);
    EXPECT_EQ(textCount(" 10"), 1);
    EXPECT_EQ(textCount(" 2"), 0);
}

TEST_F(FrameTest, LinearXFromNearZeroStartsAtZero) {
    form->graph.xMin = 0.01;
    form->graph.xMax = 10;
    drawFrame();
    EXPECT_EQ(form->graph.xMin, 0);
    EXPECT_EQ(textCount(" 0"), 1);
    form->codes.graphCode = kGraphAsymmetry;  // the asymmetry parameter keeps its start
    form->graph.xMin = 0.01;
    drawFrame();
    EXPECT_EQ(form->graph.xMin, 0.01);
    EXPECT_EQ(textCount("0.01"), 1);  // a small end is formatted, not Str
}

TEST_F(FrameTest, PolarLogarithmicRingsAtDecades) {
    form->mnuPolarPlot.setChecked(true);
    form->graph.yAxisMin = 0.1;
    drawFrame();
    const std::vector<DrawOp> circles = ops(DrawOp::Kind::Circle);
    ASSERT_EQ(circles.size(), 6u);
    const double fractions[] = {1, 5.0 / 6, 4.0 / 6, 3.0 / 6, 2.0 / 6, 1.0 / 6};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(circles[i].x2, 3200 * fractions[i], 1e-6) << i;
        EXPECT_EQ(circles[i].x1, 5200);
        EXPECT_EQ(circles[i].y1, 6600);
        EXPECT_EQ(circles[i].colour, kGridSingle);
        EXPECT_EQ(circles[i].fillStyle, draw::kSolid);
        EXPECT_EQ(circles[i].fillColour, kCream);
    }
    EXPECT_EQ(ops(DrawOp::Kind::Line).size(), 7u);  // spokes every 30 degrees
    EXPECT_EQ(ops(DrawOp::Kind::FilledBox).size(), 0u);
    const double R = 3200.0 / 3000;
    EXPECT_EQ(textsAt("0", 5200 + 3080 * R, 6520), 1);
    EXPECT_EQ(textsAt("180", 5200 - 3200 - 320, 6520), 1);
    EXPECT_EQ(textsAt("90", 5100, 9800), 1);
    EXPECT_EQ(textsAt("Logarithmic scale", 5200 - 3200 - 250, 9900), 1);
    EXPECT_EQ(texts().size(), 13u);  // no axis titles
    EXPECT_EQ(form->fillStyle(), draw::kTransparent);
    EXPECT_FALSE(form->fontBold());
}

TEST_F(FrameTest, PolarAmplitudeRingsEveryTwoDecadesAndLinearRingsEveryFifth) {
    form->mnuPolarPlot.setChecked(true);
    form->mnuAmplitude.setChecked(true);
    form->graph.yAxisMin = 0.1;
    drawFrame();
    EXPECT_EQ(ops(DrawOp::Kind::Circle).size(), 1u + 2u);  // 4/6 and 2/6
    form->mnuAmplitude.setChecked(false);
    form->optLinear.setValue(true);
    drawFrame();
    const std::vector<DrawOp> circles = ops(DrawOp::Kind::Circle);
    ASSERT_EQ(circles.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(circles[i].x2, 3200 * (1 - 0.2 * i), 1e-9);
    EXPECT_EQ(textCount("Linear scale"), 1);
}

TEST_F(FrameTest, LogarithmicXWithMinorGridOneToThousand) {
    form->Frame8.setVisible(true);
    form->optXLog.setValue(true);
    form->mnuMinorGridX.setChecked(true);
    form->graph.xMin = 1;
    form->graph.xMax = 1000;
    drawFrame();
    std::vector<double> expected;
    for (double decade : {1.0, 10.0, 100.0})
        for (int m = 1; m <= 9; ++m) expected.push_back(m * decade);
    expected.push_back(1000);
    const std::vector<DrawOp> grid = verticalGridLines();
    ASSERT_EQ(grid.size(), expected.size());
    for (std::size_t i = 0; i < grid.size(); ++i)
        EXPECT_NEAR(grid[i].x1, 1000 + 14000 * std::log(expected[i]) / std::log(1000.0), 1e-6) << i;
    EXPECT_EQ(grid.front().colour, kBlack);
    EXPECT_EQ(grid[1].colour, kGridSingle);
    EXPECT_EQ(grid.back().colour, kBlack);
    for (const char* n : {" 2", " 5", " 10", " 20", " 50", " 100", " 200", " 500"})
        EXPECT_EQ(textCount(n), 1) << n;
    for (const char* n : {" 1", " 1000"}) EXPECT_EQ(textCount(n), 2) << n;  // end number and tick number
    EXPECT_EQ(textCount(" 3"), 0);
    EXPECT_EQ(textCount(" 30"), 0);
}

TEST_F(FrameTest, LogarithmicXNumbersDecadesOnly) {
    form->Frame8.setVisible(true);
    form->optXLog.setValue(true);
    form->mnuMajorGridX.setChecked(false);
    form->graph.xMin = 1;
    form->graph.xMax = 1000;
    drawFrame();
    EXPECT_EQ(verticalGridLines().size(), 0u);
    EXPECT_EQ(tickXs(9800, kBlack).size(), 4u);  // GridXLabel at 1, 10, 100, 1000
    EXPECT_EQ(textCount(" 20"), 0);
}

TEST_F(FrameTest, HiddenHorizontalScaleFrameSelectsLinear) {
    form->optXLog.setValue(true);
    form->Frame8.setVisible(false);
    drawFrame();
    EXPECT_TRUE(form->OptXLinear.value());
    EXPECT_EQ(textCount(" 30"), 1);
}

TEST_F(FrameTest, MinorYGridNumbersTwosAndFivesInsideTheWindow) {
    form->mnuMinorGridY.setChecked(true);
    form->graph.yAxisMin = 1;
    form->graph.yAxisMax = 1000;  // ratio 1000: inside the Large window 1 .. 1001
    drawFrame();
    // plain numbers: the range stays within 0.001 .. 1000
    for (const char* n : {" 2", " 5", " 20", " 50", " 200", " 500"}) EXPECT_EQ(textCount(n), 1) << n;
    EXPECT_EQ(textCount(" 3"), 0);
    EXPECT_EQ(textCount(" 100"), 2);  // minor pass and decade pass
    form->mnuMedium_Click();          // Medium window 8 .. 200: decades only
    drawFrame();
    EXPECT_EQ(textCount(" 20"), 0);
    EXPECT_EQ(textCount(" 100"), 1);
}

struct LinearYCase {
    double yMin, yMax;
    std::vector<double> lines;
};

class LinearYSteps : public FrameTest, public ::testing::WithParamInterface<LinearYCase> {};

TEST_P(LinearYSteps, GridLinesAtRoundSteps) {
    const LinearYCase c = GetParam();
    form->optLinear.setValue(true);
    form->graph.yAxisMin = c.yMin;
    form->graph.yAxisMax = c.yMax;
    drawFrame();
    std::vector<double> ys;
    for (const DrawOp& l : horizontalLines())
        if (l.x1 == 1020) ys.push_back(l.y1);
    ASSERT_EQ(ys.size(), c.lines.size());
    for (std::size_t i = 0; i < ys.size(); ++i)
        EXPECT_NEAR(ys[i], 9800 - 6400 * (c.lines[i] - c.yMin) / (c.yMax - c.yMin), 1e-6) << i;
}

INSTANTIATE_TEST_SUITE_P(Ranges, LinearYSteps,
                         ::testing::Values(LinearYCase{0, 100, {20, 40, 60, 80}},
                                           LinearYCase{0, 300, {50, 100, 150, 200, 250}},
                                           LinearYCase{0, 500, {100, 200, 300, 400}},
                                           LinearYCase{0, 1, {0.2, 0.4, 0.6, 0.8}},
                                           LinearYCase{0, 360, {90, 180, 270}},
                                           LinearYCase{0, 100.5, {20, 40, 60, 80}}));  // 100 is too close

TEST_F(FrameTest, LinearYNumbersAndEnds) {
    form->optLinear.setValue(true);
    form->graph.yAxisMin = 0;
    form->graph.yAxisMax = 1;
    drawFrame();
    const double y = 9800 - 6400 * 0.2;
    EXPECT_EQ(textsAt("0.2", 1000 - 150 - 300, y - 100), 1);  // AxisNumberText for fractions
    EXPECT_EQ(textsAt(" 1", 1000 - 150 - 200, 3300), 1);
    EXPECT_EQ(textsAt(" 0", 1000 - 150 - 200, 9700), 1);
    form->graph.yAxisMax = 100000;
    drawFrame();
    EXPECT_EQ(textsAt("1.00E+05", 50, 3300), 1);  // six or more characters: scientific
}

TEST_F(FrameTest, LowerPanelsPhaseAndPolarisationLines) {
    form->optLinear.setValue(true);
    form->graph.phasePanel = 1;
    form->mnuAmpPhase.setChecked(true);
    form->graph.yAxisMin = 0;
    form->graph.yAxisMax = 360;
    drawFrame();
    for (const char* n : {" 90", " 180", " 270"})
        EXPECT_EQ(textsAt(n, 600, 9800 - 6400 * std::stod(n) / 360 - 100), 1);
    EXPECT_EQ(textCount("Phase angle"), 1);
    form->mnuAmpPhase.setChecked(false);
    form->mnuIntPol.setChecked(true);
    form->graph.yAxisMin = -1;
    form->graph.yAxisMax = 1;
    drawFrame();
    int lines = 0;
    for (const DrawOp& l : horizontalLines())
        if (l.x1 == 1020) ++lines;
    EXPECT_EQ(lines, 9);                     // -0.8 .. 0.8
    EXPECT_EQ(textsAt(" 0", 600, 6500), 1);  // the line near 0 is numbered 0
    EXPECT_EQ(textCount("-.6"), 1);
    EXPECT_EQ(textCount("Degree of linear polarisation"), 1);
}

TEST_F(FrameTest, LogarithmicYZeroBecomesTenThousandth) {
    form->graph.yAxisMin = 0;
    form->graph.yScaleMin = 0;
    drawFrame();
    EXPECT_EQ(form->graph.yAxisMin, 0.0001);
    EXPECT_EQ(form->graph.yScaleMin, 0.0001);
    EXPECT_EQ(textCount("10"), 10);  // 10^-4 .. 10^5
    EXPECT_EQ(textCount("-4 "), 1);
}

struct TitleCase {
    int code, subCode;
    const char* horizontal;
    const char* vertical;
};

class Titles : public FrameTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(Titles, ByGraphType) {
    const TitleCase c = GetParam();
    form->codes.graphCode = c.code;
    form->codes.graphSubCode = c.subCode;
    form->optLinear.setValue(true);
    form->graph.yAxisMin = 0;
    form->graph.yAxisMax = 1;
    form->graph.xMin = 1;
    form->graph.xMax = 100;
    drawFrame();
    const std::string h = c.horizontal;
    EXPECT_EQ(textsAt(h, 8000 - 40 * static_cast<double>(h.size()), 10080), 1);
    if (c.vertical != nullptr) {
        EXPECT_EQ(textCount(c.vertical), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(GraphTypes, Titles,
                         ::testing::Values(TitleCase{1, 2, "Scattering angle (degrees)", nullptr},
                                           TitleCase{1, 3, "Scattering angle (degrees)", "Watts/m"},
                                           TitleCase{10, 1, "Wavelength (nm)", " Relative"},
                                           TitleCase{11, 1, "Radius (um)", "  intensity"},
                                           TitleCase{11, 2, "Size parameter x", " Relative"},
                                           TitleCase{12, 1, "Refractive index", " Relative"},
                                           TitleCase{13, 1, "Convergence", nullptr},
                                           TitleCase{14, 2, "Radius (um)", "Area (m  )"},
                                           TitleCase{14, 3, "Size parameter x", nullptr},
                                           TitleCase{15, 2, "Wavelength (nm)", "Area (m  )"},
                                           TitleCase{16, 1, "Radius (um)", "Asymmetry"},
                                           TitleCase{16, 2, "Size parameter x", "Parameter"},
                                           TitleCase{16, 3, "Wavelength (nm)", "Asymmetry"}));

TEST_F(FrameTest, WattsSuperscriptInSmallFontThenFontRestored) {
    form->codes.graphSubCode = kSubWatts;
    drawFrame();
    bool found = false;
    for (const DrawOp& t : texts())
        if (t.text == "2" && t.x1 == 770) found = t.font == FontSpec{"Small Fonts", 7, false};
    EXPECT_TRUE(found);
    EXPECT_EQ(form->font(), (FontSpec{"MS Sans Serif", 8, false}));
}

TEST_F(FrameTest, TwoPanelLayoutDrawsOverTheUpperPanel) {
    form->mnuAmpPhase.setChecked(true);
    drawFrame();
    EXPECT_EQ(ops(DrawOp::Kind::Cls).size(), 0u);
    form->calc.waveCount = 3;  // several wavelengths clear in every case
    drawFrame();
    EXPECT_EQ(ops(DrawOp::Kind::Cls).size(), 1u);
}

// Ranges on which ticks cannot be placed: the box, the frame and the titles still stand, nothing
// loops for ever and no command carries a NaN.
class DegenerateFrame : public FrameTest {
  protected:
    void expectFrameOnly() {
        EXPECT_EQ(ops(DrawOp::Kind::FilledBox).size(), 1u);
        EXPECT_EQ(ops(DrawOp::Kind::Box).size(), 1u);
        EXPECT_EQ(textCount("Scattering angle (degrees)"), 1);
        EXPECT_EQ(form->droppedCommands(), 0);
        for (const DrawOp& t : texts()) EXPECT_EQ(t.text.find("NaN"), std::string::npos);
    }
};

TEST_F(DegenerateFrame, PointXRange) {
    form->graph.xMin = 50;
    form->graph.xMax = 50;
    drawFrame();
    expectFrameOnly();
    EXPECT_EQ(tickXs(9800, kBlack).size(), 2u);  // the end ticks only
    EXPECT_EQ(textCount(" 50"), 2);
}

TEST_F(DegenerateFrame, ReversedAndNonFiniteXRanges) {
    form->graph.xMin = 180;
    form->graph.xMax = 0;
    drawFrame();
    expectFrameOnly();
    EXPECT_EQ(tickXs(9800, kGridSingle).size(), 0u);
    form->graph.xMin = 0;
    form->graph.xMax = kNaN;
    drawFrame();
    expectFrameOnly();
}

TEST_F(DegenerateFrame, LinearYWithoutHeight) {
    form->optLinear.setValue(true);
    for (const auto& [low, high] : {std::pair{100.0, 100.0}, std::pair{100.0, 10.0}}) {
        form->graph.yAxisMin = low;
        form->graph.yAxisMax = high;
        drawFrame();
        expectFrameOnly();
        int inner = 0;
        for (const DrawOp& l : horizontalLines())
            if (l.x1 == 1020) ++inner;
        EXPECT_EQ(inner, 0);
    }
    form->graph.phasePanel = 1;  // the fixed lines of the lower panels need a height too
    form->mnuIntPol.setChecked(true);
    form->graph.yAxisMin = 1;
    form->graph.yAxisMax = 1;
    drawFrame();
    EXPECT_EQ(form->droppedCommands(), 0);
}

TEST_F(DegenerateFrame, LogarithmicYReachingBelowZero) {
    form->graph.yAxisMin = -5;
    drawFrame();
    expectFrameOnly();
    EXPECT_EQ(textCount("10"), 0);
    EXPECT_EQ(form->graph.yAxisMin, -5);
    form->graph.yAxisMin = 10;
    form->graph.yAxisMax = 10;  // no decades between equal ends
    form->mnuMinorGridY.setChecked(true);
    drawFrame();
    expectFrameOnly();
}

TEST_F(DegenerateFrame, LogarithmicXReachingZero) {
    form->Frame8.setVisible(true);
    form->optXLog.setValue(true);
    form->graph.xMin = 0;
    form->graph.xMax = 1000;
    drawFrame();
    expectFrameOnly();
    EXPECT_EQ(tickXs(9800, kBlack).size(), 0u);
}

TEST_F(DegenerateFrame, PolarLogarithmicWithoutPositiveMinimum) {
    form->mnuPolarPlot.setChecked(true);
    form->graph.yAxisMin = 0;
    drawFrame();
    EXPECT_EQ(ops(DrawOp::Kind::Circle).size(), 1u);  // the outer circle only
    EXPECT_EQ(form->droppedCommands(), 0);
}

TEST_F(DegenerateFrame, StepsTooSmallForTheMagnitudeEnd) {
    form->optLinear.setValue(true);
    form->graph.yAxisMin = 1e18;
    form->graph.yAxisMax = 1e18 + 256;  // a step of 50 does not move a value of 1e18
    form->graph.xMin = 1e20;
    form->graph.xMax = 1e20 + 1e6;
    drawFrame();
    expectFrameOnly();
}

class FrameStartUp : public UiTest {};

TEST_F(FrameStartUp, LoadedWindowShowsTheEmptyAngleFrame) {
    Form1 form;
    form.setRecording(true);
    form.load();
    EXPECT_EQ(form.graph.graphRight, 15000);
    EXPECT_EQ(form.graph.graphBottom, 9800);
    bool title = false, thirty = false, decade = false;
    for (const DrawOp& op : form.drawLog()) {
        title = title || op.text == "Scattering angle (degrees)";
        thirty = thirty || op.text == " 30";
        decade = decade || op.text == "10";
    }
    EXPECT_TRUE(title);
    EXPECT_TRUE(thirty);
    EXPECT_TRUE(decade);
    EXPECT_TRUE(form.lblLogo.visible());
}

}  // namespace
}  // namespace tessary::test
