// The simulation window on the real main window: its lists and defaults, the reference-point states,
// circles and crosses drawn in invert mode, the background boxes, the painted rectangle, Stop, and a
// rainbow painted from a Mie run.
#include <QTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <string>

#include "file_bytes.h"
#include "simulation/form2.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Choose;
using test::Press;
using test::Type;

// A pinhole camera apart from the program's: the point (x, y) of the 576 x 432 picture looks along
// (x - 288, 216 - y, 360 f / sqrt 468) (right, up, forward) for the focal length f in mm.
using Vec = std::array<double, 3>;
Vec Unit(const Vec& v) {
    const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return {v[0] / n, v[1] / n, v[2] / n};
}
Vec Ray(double x, double y, double focal) { return Unit({x - 288, 216 - y, 360 * focal / std::sqrt(468.0)}); }
double Degrees(const Vec& a, const Vec& b) {
    return std::acos(std::clamp(a[0] * b[0] + a[1] * b[1] + a[2] * b[2], -1.0, 1.0)) * 180 / M_PI;
}
// The anti-solar point (elevation -S on the bearing opposite the sun) in the right, up and forward
// directions of a level camera tilted up by E on the bearing A from the sun's; degrees.
Vec AntiSolarSeenBy(double E, double A, double S) {
    const double d = M_PI / 180, cE = std::cos(E * d), sE = std::sin(E * d);
    const double cA = std::cos(A * d), sA = std::sin(A * d);
    const Vec p{0, -std::sin(S * d), -std::cos(S * d)};  // bearing b horizontally: (sin b, 0, cos b)
    const Vec right{cA, 0, -sA}, up{-sE * sA, cE, -sE * cA}, forward{cE * sA, sE, cE * cA};
    const auto dot = [&](const Vec& v) { return p[0] * v[0] + p[1] * v[1] + p[2] * v[2]; };
    return {dot(right), dot(up), dot(forward)};
}

class SimulationTest : public test::Form1Test {
  protected:
    SimulationTest() : f(started()), s(*f.Form2_) {
        f.mnuWindowSimulation_Click();
        messages.clear();
    }
    // A table of angles 0..20 at 0.5 whose every colour is level: the painted range.
    void FlatTable(float level) {
        f.simColourTable.reset(40, 0, 0.5);
        for (float& c : f.simColourTable.cells) c = level;
    }
    QImage Shot() { return s.Picture1.image().copy(); }
    // A 500 um drop over 130 - 150 degrees at 0.1 in RGB (or another radius and range), sent to the
    // simulation, focal length 14.
    void RainbowRun(const char* radius = "500", const char* from = "130", const char* to = "150") {
        f.optPoint.setValue(true);
        Choose(f.cboWave, "RGB");
        Type(f.txtRadius, radius);
        Type(f.txtXmin, from);
        Type(f.txtXmax, to);
        Type(f.cboStep, "0.1");
        Press(f.cmdNewPlot);
        Press(f.cmdSimulation);
        Type(s.cboScale, "14");
    }
    // Every third point of the picture (or every point of an area) whose scattering angle (180 less its
    // angle from the anti-solar direction, or its angle from the sun) lies between two angles the run
    // computed (thousands of them): the largest difference of a painted level from the run's two
    // unpolarised colours there mixed linearly.
    double FromTheRun(const Vec& reference, double focal, bool sun = false, QRect area = {0, 0, 576, 432},
                      int every = 3) {
        const QImage shot = Shot();
        const SimColourTable& t = f.simColourTable;
        const int first = std::max(t.firstWritten, 0), last = t.lastWritten < 0 ? t.rows - 1 : t.lastWritten;
        double worst = 0;
        int points = 0;
        for (int y = area.top(); y <= area.bottom(); y += every)
            for (int x = area.left(); x <= area.right(); x += every) {
                const double angle = Degrees(Ray(x, y, focal), reference);
                const double q = ((sun ? angle : 180 - angle) - t.row0Angle) / t.step;
                const int low = static_cast<int>(std::floor(q));
                if (low < first || low >= last) continue;
                for (int c = 0; c < 3; ++c) {
                    const double mixed =
                        t.at(6 + c, low) + (q - low) * (t.at(6 + c, low + 1) - t.at(6 + c, low));
                    const int level = static_cast<int>((shot.pixel(x, y) >> (16 - 8 * c)) & 0xFF);
                    worst = std::max(worst, std::fabs(level - std::clamp(mixed, 0.0, 255.0)));
                }
                ++points;
            }
        EXPECT_GT(points, 3000);
        return worst;
    }
    Form1& f;
    Form2& s;
};

TEST_F(SimulationTest, ListsAndDefaultsAlsoAfterASecondInitialisation) {
    s.hide();
    f.mnuWindowSimulation_Click();
    const std::vector<std::pair<ComboBox*, std::vector<std::string>>> lists = {
        {&s.cboPolarisation, {"Perpendicular", "Parallel", "Unpolarised"}},
        {&s.cboView, {"Unpolarised", "Polarised"}},
        {&s.cboRStep, {"10", "5", "2", "1"}},
        {&s.cboPoint, {"Anti-solar point", "Sun", "Altitude/Azimuth", "Arc"}}};
    for (auto& [list, items] : lists) {
        ASSERT_EQ(list->listCount(), static_cast<int>(items.size()));
        for (int k = 0; k < list->listCount(); ++k)
            EXPECT_EQ(list->list(k), items[static_cast<std::size_t>(k)]);
    }
    EXPECT_EQ(s.cboScale.listCount(), 30);
    EXPECT_EQ(s.cboScale.list(10), "54.5");
    EXPECT_EQ(s.txtX1.text() + s.txtY1.text() + s.cboScale.text() + s.cboRStep.text(), "34019254.55");
    EXPECT_EQ(s.txtX1.backColor(), 0xFFFFFFu);
    EXPECT_EQ(s.quadNE + s.quadNW + s.quadSE + s.quadSW, 4);
    EXPECT_EQ(s.Picture1.picture().widthPx() * 3, s.Picture1.picture().heightPx() * 4);
    s.cboPoint.setText("Sun");
    s.cboPoint_click();  // a quarter of the picture's width and height
    EXPECT_EQ(s.txtX1.text() + "," + s.txtY1.text(), "144,108");
}

TEST_F(SimulationTest, ArcMarkingStatesAndCrossesErasedBitForBit) {
    const QImage before = Shot();
    s.cboPoint.setText("Arc");
    s.cboPoint_click();
    EXPECT_EQ(messages.last().title, "First point");
    const std::pair<OleColor, std::string> steps[] = {
        {0xFFFF00, "Second point"}, {0x00FFFF, ""}, {0x00FFFF, ""}};
    for (const auto& [colour, title] : steps) {
        s.picture1_mousedown(1, 0, 100 + messages.shown().size(), 60);
        EXPECT_EQ(s.txtX1.backColor(), colour);
        EXPECT_EQ(messages.last().title, title);
    }
    EXPECT_EQ(s.arcMarkState, 3);
    EXPECT_NE(Shot(), before);
    s.picture1_mousedown(2, 0, 5, 5);
    EXPECT_EQ(s.txtX1.backColor(), 0xFFFFFFu);
    EXPECT_EQ(Shot(), before);
}

TEST_F(SimulationTest, CirclesOnThenOffAndRestoreLeaveThePicture) {
    const QImage before = Shot();
    s.cmdCircle_Click();
    EXPECT_EQ(s.cmdCircle.caption(), "Circles OFF");
    EXPECT_NE(Shot(), before);
    s.cmdCircle_Click();
    EXPECT_EQ(Shot(), before);
    s.cmdCircle_Click();
    s.cmdRestorePic_Click();
    EXPECT_EQ(Shot(), before);
    EXPECT_EQ(s.cmdCircle.caption(), "Circles ON");
}

TEST_F(SimulationTest, RefusedFocalLengthsAndSteps) {
    const std::pair<const char*, const char*> cases[] = {{"-5", "Focal length < 0"},
                                                         {"0", "Focal length must be greater than 0"},
                                                         {"abc", "Focal length must be a number"}};
    for (const auto& [text, message] : cases) {
        s.cboScale.setText(text);
        s.cmdCircle_Click();
        EXPECT_EQ(messages.last().prompt, message);
        EXPECT_EQ(s.cboScale.backColor(), 0x0000FFu);
    }
    s.cboScale.setText("14");
    s.cboRStep.setText("0");
    s.cmdCircle_Click();
    EXPECT_EQ(messages.last().prompt, "Step between circles must be at least 0.01 degrees");
    EXPECT_EQ(s.cmdCircle.caption(), "Circles ON");
    s.cboPoint.setText("Arc");
    s.cboPoint_click();
    const float kept = s.refElevation;
    s.cmdCircle_Click();  // no points marked: refused, the direction kept
    EXPECT_EQ(messages.last().prompt, "Mark two different points on the arc");
    EXPECT_EQ(s.refElevation, kept);
}

TEST_F(SimulationTest, BackgroundBoxesChecked) {
    s.txtBackRed.setText("300");
    s.txtBackGreen.setText("12.7");
    s.txtBackBlue.setText("-0.5");
    s.cmdSimPlot_Click();
    EXPECT_EQ(s.txtBackRed.text() + "," + s.txtBackGreen.text() + "," + s.txtBackBlue.text(), "300,12,-1");
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.last().prompt, "Values must be in the range 0 - 255");
    EXPECT_TRUE(s.cmdSimPlot.enabled());
}

TEST_F(SimulationTest, NoTableRefusesAndSunQuadrantPaintsItsRectangle) {
    f.simColourTable.reset(0, 130, 0.1);  // one row, as the smooth bands may leave it
    s.cmdSimPlot_Click();
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.last().prompt,
              "No colours to paint: run a calculation, then press Simulation in the main window");
    FlatTable(0);
    for (TextBox* b : {&s.txtBackRed, &s.txtBackGreen, &s.txtBackBlue}) b->setText("50");
    s.cboPoint.setText("Sun");
    s.txtX1.setText("100");
    s.txtY1.setText("80");
    s.cmdQuadNW_Click();
    s.cmdQuadSE_Click();
    s.cmdQuadSW_Click();
    const QImage before = Shot();
    s.cmdSimPlot_Click();
    const QImage after = Shot();
    // Near the sun the table's 0 gives the background; beyond 20 degrees (the far corner) black.
    EXPECT_EQ(after.pixel(99, 40), before.pixel(99, 40));
    EXPECT_EQ(after.pixel(300, 81), before.pixel(300, 81));
    EXPECT_EQ(after.pixel(101, 79) & 0xFFFFFFu, 0x323232u);
    EXPECT_EQ(after.pixel(575, 0) & 0xFFFFFFu, 0u);
    FlatTable(255);
    s.cmdSimPlot_Click();
    EXPECT_EQ(Shot().pixel(101, 79) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(s.quadNE + s.quadNW + s.quadSE + s.quadSW, 1);
}

TEST_F(SimulationTest, StopEndsAfterTheCurrentPointAndUnlocks) {
    FlatTable(128);
    int columns = 0;
    runtime.setPumpHook([&] {
        if (s.simPainting && ++columns == 2) s.cmdStopSim_Click();
    });
    const QImage before = Shot();
    s.cmdSimPlot_Click();
    EXPECT_NE(Shot().pixel(0, 0), before.pixel(0, 0));
    EXPECT_EQ(Shot().pixel(1, 1), before.pixel(1, 1));
    EXPECT_FALSE(s.cmdStopSim.visible());
    EXPECT_TRUE(s.cmdSimPlot.enabled());
    EXPECT_FALSE(f.windowState.inputsLocked);
}

TEST_F(SimulationTest, TextFileNamedJpgKeepsThePicture) {
    const test::TestFolder folder("tessary_simulation_");
    const std::string path = folder.at("not_a_picture.jpg");
    std::ofstream(path) << "plain text";
    fileDialogs.answer(path);
    const QImage before = Shot();
    s.mnuOpenPicture_Click();
    EXPECT_EQ(messages.last().title, "Open picture");
    EXPECT_EQ(Shot(), before);
    // A picture larger than the screen shows whole, scaled down with its aspect kept.
    const std::string big = folder.at("big.jpg");
    ASSERT_TRUE(QImage(3000, 2000, QImage::Format_RGB32).save(QString::fromStdString(big)));
    fileDialogs.answer(big);
    s.mnuOpenPicture_Click();
    EXPECT_LE(s.Picture1.scaleWidth(), 824);
    EXPECT_NEAR(s.Picture1.scaleWidth() / s.Picture1.scaleHeight(), 1.5, 0.01);
    EXPECT_GT(s.cmdCircle.left(), s.Picture1.width());
}

// A picture opened into a window placed for a smaller one: the window and its 16 x 48 pixel frame end
// inside the free screen, the buttons inside the window; the controls take 192 x 112 pixels beside it.
TEST_F(SimulationTest, OpenedPictureKeepsTheWholeWindowOnTheScreen) {
    const int rows[][5] = {
        // screen width, height, free height (0: all), picture shown 1200 x 800 as
        {1280, 1024, 0, 1072, 714},     // limited by the width: 1280 - 192 - 16
        {1280, 800, 760, 900, 600},     // by the free height: 760 - 112 - 48
        {1920, 1080, 1040, 1200, 800},  // room enough: not scaled
    };
    const test::TestFolder folder("tessary_simulation_");
    const std::string path = folder.at("window_fit.jpg");
    ASSERT_TRUE(QImage(1200, 800, QImage::Format_RGB32).save(QString::fromStdString(path)));
    for (const auto& row : rows) {
        SCOPED_TRACE(row[1]);
        runtime.setScreen({.widthPx = row[0], .heightPx = row[1], .availableHeightPx = row[2]});
        s.setLeft(255 * 15);  // centred for the built-in picture on a 1280-pixel screen
        s.setTop(100 * 15);
        fileDialogs.answer(path);
        s.mnuOpenPicture_Click();
        EXPECT_EQ(s.Picture1.picture().widthPx(), row[3]);
        EXPECT_EQ(s.Picture1.picture().heightPx(), row[4]);
        EXPECT_LE(s.left() / 15 + s.width() / 15 + 16, row[0]);
        EXPECT_LE(s.top() / 15 + s.height() / 15 + 48, row[2] ? row[2] : row[1]);
        for (const Control* c : std::initializer_list<const Control*>{&s.cmdExit2, &s.cmdQuadSE,
                                                                      &s.txtBackBlue, &s.lblPaintedRun}) {
            EXPECT_LE(c->left() + c->width(), s.scaleWidth());
            EXPECT_LE(c->top() + c->height(), s.scaleHeight());
        }
    }
    runtime.resetScreen();
}

TEST_F(SimulationTest, PolariserAtTheSunDiagonalQuadrantsExitAndTheMainWindowsLock) {
    FlatTable(100);
    s.cboPoint.setText("Sun");
    s.cboView.setText("Polarised");
    s.txtX1.setText("288");
    s.txtY1.setText("216");
    s.cmdQuadNE_Click();
    s.cmdQuadSE_Click();
    s.cmdQuadSW_Click();
    s.cmdSimPlot_Click();  // NW only: its last point is the sun, where D = 0
    EXPECT_EQ(s.polWeightPerp, 1.0f);
    EXPECT_EQ(s.polWeightPara, 0.0f);
    s.cmdQuadSE_Click();
    runtime.setPumpHook([&] {
        if (s.simPainting) s.cmdExit2_Click();
    });
    s.cmdSimPlot_Click();
    EXPECT_EQ(s.quadNE + s.quadNW + s.quadSE + s.quadSW, 4);
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(s.simPainting);
    f.LockON();  // a run holds the lock: the circle button leaves it alone
    s.cmdCircle_Click();
    EXPECT_TRUE(f.windowState.inputsLocked);
}

// Painting holds the main window's lock, which hides its Simulation button; afterwards the button is
// back, as it was before, so that the colours of the run can be sent again.
TEST_F(SimulationTest, ShowSimulationLeavesTheSimulationButtonOfTheMainWindow) {
    ASSERT_TRUE(f.cmdSimulation.visible());
    test::Press(s.cmdSimPlot);
    EXPECT_FALSE(f.windowState.inputsLocked);
    test::Press(f.cmdSimulation);
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
}

// The brightest red of a 500 um drop's bow lies outside the brightest blue, each at the radius the
// lens gives its angle from the anti-solar point; outside 130..150 degrees the picture is black.
TEST_F(SimulationTest, RainbowRedOutsideBlue) {
    f.cboType.setText("Mie");
    f.mnuRI_IAPWS_Click();
    f.optPoint.setValue(true);
    f.mnuGammaNone_Click();
    f.txtXmin.setText("130");
    f.txtXmax.setText("150");
    f.cboStep.setText("0.1");
    f.txtRadius.setText("500");
    f.cboWave.setText("RGB");
    f.cmdNewPlot_Click();
    f.cboBright.setText("1");
    f.cmdSimulation_Click();
    s.cboScale.setText("14");
    s.txtX1.setText("288");
    s.txtY1.setText("216");
    messages.clear();
    s.cmdSimPlot_Click();
    ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    const SimColourTable& t = f.simColourTable;
    const auto peak = [&](int column) {
        std::int32_t best = 0;
        for (std::int32_t r = 0; r < t.rows; ++r)
            if (t.at(column, r) > t.at(column, best)) best = r;
        return t.row0Angle + best * t.step;
    };
    const double thetaRed = peak(6), thetaBlue = peak(8);
    EXPECT_NEAR(thetaRed, 138.2, 0.2);
    EXPECT_NEAR(thetaBlue, 139.4, 0.2);
    const QImage shot = Shot();
    const auto brightest = [&](int shift) {
        int best = 0, level = -1;
        for (int r = 0; r < 288; ++r) {
            const int v = static_cast<int>((shot.pixel(288 + r, 216) >> shift) & 0xFF);
            if (v > level) level = v, best = r;
        }
        return best;
    };
    const double redRadius = s.simScale * std::tan((180 - thetaRed) * sim::kRadPerDegree);
    const double blueRadius = s.simScale * std::tan((180 - thetaBlue) * sim::kRadPerDegree);
    EXPECT_NEAR(brightest(16), redRadius, 1.0);
    EXPECT_NEAR(brightest(0), blueRadius, 1.0);
    EXPECT_GT(brightest(16), brightest(0));
    for (const int r : {0, 60, 133, 279, 287}) EXPECT_EQ(shot.pixel(288 + r, 216) & 0xFFFFFFu, 0u) << r;
}

// Only the angles the run computed are painted, whatever the main window's angle boxes say since:
// a run over 130 - 150 degrees, then 175 typed as the maximum or 100 as the minimum without a run,
// paints the same points (not the colours of the end rows out to the typed angles).
TEST_F(SimulationTest, PaintsOnlyTheAnglesTheRunComputed) {
    RainbowRun();
    test::Type(s.txtX1, "288");
    test::Type(s.txtY1, "216");
    const auto litPoints = [&] {
        test::Press(s.cmdSimPlot);
        const QImage shot = Shot();
        int lit = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) lit += (shot.pixel(x, y) & 0xFFFFFFu) != 0;
        return lit;
    };
    const int computed = litPoints();
    EXPECT_GT(computed, 10000);
    for (const auto& [box, angle] : {std::pair{&f.txtXmax, "175"}, {&f.txtXmin, "100"}}) {
        test::Type(*box, angle);
        EXPECT_EQ(litPoints(), computed) << angle;
    }
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
}

// Between two computed angles a point takes their colours mixed linearly: the point at (164, 85),
// 142.2512 degrees, lies between the colours of 142.2 and 142.3, not beyond them.
TEST_F(SimulationTest, ColoursBetweenTheTwoComputedAnglesAroundEachPoint) {
    RainbowRun();
    Type(s.txtX1, "288");
    Type(s.txtY1, "216");
    Press(s.cmdSimPlot);
    EXPECT_LE(FromTheRun({0, 0, 1}, 14), 1.0);
}

// The camera's elevation and azimuth and the sun's (26, 162 and 15): the bow where a level camera so
// pointed sees it, around the anti-solar point at pixel (385.6, 423.8).
TEST_F(SimulationTest, AltitudeAzimuthPaintsWhereTheCameraSeesTheBow) {
    RainbowRun();
    Choose(s.cboPoint, "Altitude/Azimuth");
    Press(s.cmdSimPlot);
    EXPECT_LE(FromTheRun(AntiSolarSeenBy(26, 162, 15), 14), 1.0);
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
}

// Two points marked on the 138.2 degree bow around a centre at elevation ec (azimuth 0), at bearings
// from its upward direction: the painting centres on it, on the lower of the two centres the points
// allow, or with Invert centre on the other; points that no such bow passes through are refused.
TEST_F(SimulationTest, ArcCentresOnADirectionFromWhichBothPointsLieOnTheBow) {
    RainbowRun();
    Choose(s.cboPoint, "Arc");
    Type(s.txtSunElevation, "138.2");
    const double d = M_PI / 180, rho = 41.8 * d;
    const struct {
        double ec, bearing1, bearing2;
        bool invert;
    } rows[] = {{0, 110, 250, true} /* the lower centre is at -34 degrees */, {15, -60, 60, false}};
    for (const auto& row : rows) {
        const Vec c{0, std::sin(row.ec * d), std::cos(row.ec * d)}, up{0, c[2], -c[1]};
        if (row.invert != s.mnuInvert.checked()) Choose(s, "Advanced > Invert centre");
        s.picture1_mousedown(2, 0, 0, 0);
        for (const double bearing : {row.bearing1, row.bearing2}) {
            const double u = std::sin(rho) * std::cos(bearing * d), r = std::sin(rho) * std::sin(bearing * d);
            const Vec p{r, std::cos(rho) * c[1] + u * up[1], std::cos(rho) * c[2] + u * up[2]};
            const double scale = 360 * 14 / std::sqrt(468.0);
            s.picture1_mousedown(1, 0, 288 + scale * p[0] / p[2], 216 - scale * p[1] / p[2]);
        }
        Press(s.cmdSimPlot);
        EXPECT_LE(FromTheRun(c, 14), 1.0) << row.ec;
    }
    s.picture1_mousedown(2, 0, 0, 0);
    s.picture1_mousedown(1, 0, 10, 216);
    s.picture1_mousedown(1, 0, 566, 216);
    const QImage before = Shot();
    Press(s.cmdSimPlot);
    EXPECT_EQ(messages.last().prompt,
              "No bow of scattering angle 138.2 degrees passes through both marked points");
    EXPECT_EQ(Shot(), before);
}

// Points on and around the picture's middle column at their angles: the anti-solar point on it below
// the picture (focal length 28), and the camera's angles 0, 140 and 20, whose bow crosses it.
TEST_F(SimulationTest, MiddleColumnPointsLieAtTheirAngles) {
    RainbowRun();
    const struct {
        const char* mode;
        const char *focal, *x, *y;
        Vec antiSolar;
    } rows[] = {{"Anti-solar point", "28", "288", "500", Ray(288, 500, 28)},
                {"Altitude/Azimuth", "14", "0", "140", AntiSolarSeenBy(0, 140, 20)}};
    for (const auto& row : rows) {
        Choose(s.cboPoint, row.mode);
        Type(s.cboScale, row.focal);
        Type(s.txtX1, row.x);
        Type(s.txtY1, row.y);
        Type(s.txtSunElevation, "20");
        Press(s.cmdSimPlot);
        EXPECT_LE(FromTheRun(row.antiSolar, std::stod(row.focal)), 1.0) << row.mode;
    }
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
}

// The sun at (100.5, 80.5) with only NE chosen: each pixel of columns 101 to 575, rows 0 to 80, takes
// the colour of its own position, not that of the point half a pixel to its left.
TEST_F(SimulationTest, FractionalReferencePointPaintsEachPixelAtItsPosition) {
    RainbowRun("10", "0", "15");
    Choose(s.cboPoint, "Sun");
    Type(s.cboScale, "54.5");
    Type(s.txtX1, "100.5");
    Type(s.txtY1, "80.5");
    for (CommandButton* quadrant : {&s.cmdQuadNW, &s.cmdQuadSW, &s.cmdQuadSE}) Press(*quadrant);
    Press(s.cmdSimPlot);
    EXPECT_LE(FromTheRun(Ray(100.5, 80.5, 54.5), 54.5, true, {101, 0, 475, 81}, 1), 1.0);
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
}

// While Show simulation paints, Restore picture and Open picture cannot be chosen and clicks on the
// picture move nothing; they come back when the painting ends or is stopped.
TEST_F(SimulationTest, NothingChangesThePictureUnderAPainting) {
    FlatTable(128);
    Type(s.txtX1, "288");
    Type(s.txtY1, "216");
    const auto offered = [&] {
        return s.cmdRestorePic.enabled() + s.mnuRestorePicture.enabled() + s.mnuOpenPicture.enabled();
    };
    std::vector<int> during;
    runtime.setPumpHook([&] {
        if (!s.simPainting) return;
        during.push_back(offered());
        for (const auto button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            QTest::mouseClick(s.Picture1.widget(), button, {}, QPoint(40, 30));
        if (during.size() == 300) s.cmdStopSim_Click();
    });
    for (int painting = 0; painting < 2; ++painting) {
        Press(s.cmdSimPlot);
        EXPECT_EQ(offered(), 3);
    }
    EXPECT_EQ(during, std::vector<int>(576 + 300, 0));
    EXPECT_EQ(s.txtX1.text() + "," + s.txtY1.text(), "288,216");
    EXPECT_EQ(s.refElevation, 0.0f);
}

// A box refuses what it cannot mean, and a list a text that names none of its entries, red with a message
// naming it, and nothing is painted (the background boxes are red during their message only, as for a number
// outside 0 - 255); in Altitude/Azimuth mode a click leaves the camera's angles in their boxes. Every box reads
// a number as the main window's boxes do: a decimal comma is the point, blanks around the number are ignored.
TEST_F(SimulationTest, BoxesRefuseWhatTheyCannotMean) {
    FlatTable(128);
    const struct {
        const char* mode;
        Control& box;
        const char* text;
        const char* message;
    } cases[] = {
        {"Anti-solar point", s.cboScale, "1e38", "Focal length is too large for the picture scale"},
        {"Anti-solar point", s.cboScale, "3e37", "Focal length is too large for the picture scale"},
        {"Anti-solar point", s.cboScale, "1e40", "Focal length is too large for the picture scale"},
        {"Anti-solar point", s.cboScale, "14abc", "Focal length must be a number"},
        {"Anti-solar point", s.txtX1, "abc", "x value must be a number"},
        {"Anti-solar point", s.txtX1, "288abc", "x value must be a number"},
        {"Anti-solar point", s.txtX1, "1e39", "x value must be a number from -3.402823E+38 to 3.402823E+38"},
        {"Anti-solar point", s.txtY1, "nan", "y value must be a number"},
        {"Sun", s.txtX1, "", "x value must be a number"},
        {"Altitude/Azimuth", s.txtX1, "500", "Elevation must be a number from -90 to 90 degrees"},
        {"Altitude/Azimuth", s.txtY1, "1e300", "Azimuth must be a number from -360 to 360 degrees"},
        {"Altitude/Azimuth", s.txtSunElevation, "200",
         "Elevation of sun must be a number from -90 to 90 degrees"},
        {"Altitude/Azimuth", s.txtSunElevation, "",
         "Elevation of sun must be a number from -90 to 90 degrees"},
        {"Arc", s.txtSunElevation, "138.2abc", "Scattering angle must be a number"},
        {"Arc", s.txtSunElevation, "abc", "Scattering angle must be a number"},
        {"Anti-solar point", s.cboPoint, "anti-solar point", "Unknown reference point"},
        {"Sun", s.cboPoint, "Sun ", "Unknown reference point"},
        {"Sun", s.cboPolarisation, "unpolarised", "Unknown light source"},
        {"Sun", s.cboPolarisation, "abc", "Unknown light source"},
        {"Sun", s.cboPolarisation, "", "Unknown light source"},
        {"Sun", s.cboView, "polarised", "Unknown viewing conditions"},
        {"Sun", s.txtBackRed, "abc", "Background red must be a number from 0 to 255"},
        {"Sun", s.txtBackGreen, "", "Background green must be a number from 0 to 255"},
        {"Sun", s.txtBackBlue, "nan", "Background blue must be a number from 0 to 255"},
    };
    const Control* refused = nullptr;
    OleColor atMessage = 0;
    runtime.setMessageBoxResponder([&](const MessageBoxRequest& request) {
        if (refused) atMessage = refused->backColor();
        return messages.respond(request);
    });
    const QImage before = Shot();
    for (const auto& c : cases) {
        Type(s.cboScale, "14");
        for (TextBox* b : {&s.txtBackRed, &s.txtBackGreen, &s.txtBackBlue}) Type(*b, "0");
        Choose(s.cboPolarisation, "Unpolarised"), Choose(s.cboView, "Unpolarised");
        Choose(s.cboPoint, c.mode);
        if (std::string(c.mode) == "Arc")  // two points of the 138.2 degree bow around the centre
            for (const double x : {92.3, 483.7}) s.picture1_mousedown(1, 0, x, 287.2);
        if (auto* box = dynamic_cast<TextBox*>(&c.box)) Type(*box, c.text);
        if (auto* list = dynamic_cast<ComboBox*>(&c.box)) Type(*list, c.text);
        messages.clear();
        refused = &c.box;
        Press(s.cmdSimPlot);
        refused = nullptr;
        ASSERT_FALSE(messages.shown().empty()) << c.text;
        EXPECT_EQ(messages.last().prompt, c.message) << c.text;
        const bool background = c.box.top() == s.txtBackRed.top();
        EXPECT_EQ(atMessage, 0x0000FFu) << c.text;
        EXPECT_EQ(c.box.backColor(), background ? 0xFFFFFFu : 0x0000FFu) << c.text;
        if (auto* box = dynamic_cast<TextBox*>(&c.box)) {
            EXPECT_EQ(box->text(), c.text);
        }
        if (std::string(c.mode) == "Arc") s.picture1_mousedown(2, 0, 0, 0);  // the crosses erased
        EXPECT_EQ(Shot(), before) << c.text;
    }
    messages.install(runtime);
    Type(s.cboScale, "14");
    Choose(s.cboPoint, "Altitude/Azimuth");
    for (const int button : {1, 2}) s.picture1_mousedown(button, 0, 100, 50);
    s.picture1_mousemove(0, 0, 120, 70);
    EXPECT_EQ(s.txtX1.text() + "," + s.txtY1.text(), "26,162");
    // "-0,5" is -0.5, whose whole number -1 is refused; "1,5" is 1.5, " 300 " 300.
    Choose(s.cboPoint, "Anti-solar point");
    Type(s.cboScale, "1,5");
    Type(s.txtX1, " 300 ");
    Type(s.txtBackBlue, "0");
    Type(s.txtBackRed, "-0,5");
    messages.clear();
    Press(s.cmdSimPlot);
    EXPECT_EQ(messages.last().prompt + s.txtBackRed.text(), "Values must be in the range 0 - 255-1");
    Type(s.txtBackRed, "0");
    messages.clear();
    Press(s.cmdSimPlot);
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(s.focalLength, 1.5f);
    EXPECT_EQ(s.refPointX, 300.0f);
}

}  // namespace
}  // namespace tessary
