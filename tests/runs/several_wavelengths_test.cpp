// Runs over several wavelengths on the real main window: the colour sums against values computed
// independently (water at 5 C, r = 1 um, vacuum, Mie, flat spectrum, absolute units), the column
// layout of 7 against 8 wavelengths, the averages over a size distribution, the stop exit, the
// refusals, the whole angle grid, Replot from the stored sums and the brightness list.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/size_distribution.h"
#include "platform/text/conversions.h"
#include "simulation/sim_lookup.h"
#include "numerics/constants.h"
#include "platform/ui/file_dialogs.h"
#include "tests/mainwindow/window_driver.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/file_bytes.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

class SeveralWavelengthsTest : public test::UiTest {
  protected:
    SeveralWavelengthsTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        form = std::make_unique<Form1>();
        form->load();
        messages.clear();
    }
    ~SeveralWavelengthsTest() override { form.reset(); }

    // A run of radius r (um) over the wavelengths of `waves` on a flat spectrum in absolute units.
    Form1& run(const std::string& waves, const std::string& r = "1", const std::string& step = "0.1") {
        Form1& f = *form;
        f.mnuSpectrumFlat_Click();
        f.mnuInvWavelength.setChecked(true);
        f.txtRadius.setText(r);
        f.cboStep.setText(step);
        f.cboWave.setText(waves);
        f.cmdNewPlot_Click();
        return f;
    }
    std::size_t index(double degrees) const {
        return static_cast<std::size_t>(std::lround(degrees * (form->angleGrid.angleCount - 1) / 90.0)) + 1;
    }

    std::unique_ptr<Form1> form;
};

struct SumCase {
    const char* waves;
    double degrees;
    double perp[4];  // columns 0..3
    double para[3];  // columns 1..3
};

TEST_F(SeveralWavelengthsTest, ColourSumsMatchIndependentValues) {
    // clang-format off
    const SumCase cases[] = {
        {"RGB", 90, {1.8085286e-13, 1.6345649e-13, 2.2941148e-15, 1.5102264e-14}, {1.2015829e-13, 6.7161111e-14, 6.1363366e-14}},
        {"RGB", 0, {0, 3.3654693e-11, 3.7725774e-11, 8.2317211e-11}, {3.3654693e-11, 3.7725774e-11, 8.2317211e-11}},
        {"8", 90, {9.6603283e-13, 3.6757056e-13, 3.7634268e-13, 2.2211959e-13}, {4.1420298e-13, 3.2982356e-13, 2.2480901e-13}},
    };
    // clang-format on
    for (const SumCase& c : cases) {
        Form1& f = run(c.waves);
        ASSERT_EQ(f.codes.runState, 1) << c.waves;
        const std::size_t j = index(c.degrees);
        for (std::size_t k = 0; k <= 3; ++k)
            if (c.perp[k] != 0) {
                EXPECT_REL_NEAR(f.colourSums.colourSumPerp[k][j], c.perp[k], 1e-7) << c.waves << " " << k;
            }
        for (std::size_t k = 1; k <= 3; ++k)
            EXPECT_REL_NEAR(f.colourSums.colourSumPara[k][j], c.para[k - 1], 1e-7) << c.waves << " " << k;
        EXPECT_TRUE(f.cboBright.visible() && f.cmdSimulation.visible());
    }
}

TEST_F(SeveralWavelengthsTest, SevenWavelengthsKeepColumnsEightKeepRedGreenBlue) {
    for (const int n : {7, 8}) {
        Form1& f = run(std::to_string(n), "1", "1");
        const std::size_t j = index(60);
        EXPECT_EQ(f.chkComponents.value(), n == 7 ? 1 : 0);
        double total = 0;
        for (std::size_t k = 1; k <= 7; ++k) total += f.colourSums.colourSumPerp[k][j];
        if (n == 7) {
            EXPECT_REL_NEAR(f.colourSums.colourSumPerp[0][j], total, 1e-14);
            EXPECT_GT(f.colourSums.colourSumPerp[7][j], 0);
        } else {
            EXPECT_REL_NEAR(f.colourSums.colourSumPerp[0][j],
                            f.colourSums.colourSumPerp[1][j] + f.colourSums.colourSumPerp[2][j] +
                                f.colourSums.colourSumPerp[3][j],
                            1e-14);
        }
        EXPECT_EQ(f.calc.waveCount, n);
    }
}

TEST_F(SeveralWavelengthsTest, StopDuringTheLoopLeavesTheEmptyFrame) {
    int pumps = 0;
    runtime.setPumpHook([&] {
        if (++pumps == 2) test::Press(form->cmdStop);
    });
    form->setRecording(true);
    Form1& f = run("RGB");
    runtime.setPumpHook({});
    EXPECT_EQ(f.graph.xMin, 0);
    EXPECT_EQ(f.graph.xMax, 180);
    EXPECT_FALSE(f.cmdStop.visible());
    for (const DrawOp& op : f.drawLog()) EXPECT_FALSE(op.kind == DrawOp::Kind::FilledBox && op.y1 == 2800);
}

TEST_F(SeveralWavelengthsTest, ApertureAndVanDeHulstRefusedForSeveralWavelengths) {
    for (const char* method : {"Aperture", "van de Hulst"}) {
        form->cboType.setText(method);
        form->cboType_click();
        form->cboQmin.setText("1");  // coefficients van de Hulst accepts
        form->cboQmax.setText("2");
        form->txtAngle.setText("100");  // a sample count aperture accepts
        messages.clear();
        Form1& f = run("RGB");
        ASSERT_FALSE(messages.shown().empty());
        EXPECT_EQ(messages.shown().front().prompt,
                  "This calculation method is available only for graphs against scattering angle at one "
                  "wavelength and one size");
        EXPECT_EQ(messages.shown().front().title, "Error");
        EXPECT_EQ(f.cboType.backColor(), 255u);
    }
}

// The spectrum's table and the medium's models hold the band for every sphere: a metal sphere took the
// Lee spectrum's 380 nm weight at 325 nm and its 700 nm weight past it, the complex water around it the k
// of its table's ends.
TEST_F(SeveralWavelengthsTest, SpectrumAndMediumBandsHoldForAMetalSphere) {
    const std::string lee = "Lee's spectrum of sunlight is valid only for 380 nm to 700 nm band";
    for (const auto& [sphere, water, from, to, prompt] :
         {std::tuple{"Gold", false, "300", "700", lee},
          {"Copper", false, "1338", "1409", lee},
          {"Gold", true, "400", "800",
           std::string("Complex values are available only for 380 - 700 nm band")},
          {"Gold", false, "400", "700", std::string()}}) {
        form = std::make_unique<Form1>();
        form->load();
        Form1& f = *form;
        test::Choose(f, std::string("Advanced > Refractive index > Sphere > ") + sphere);
        f.dlogTemp_->chkRI_Complex.setValue(1);  // ticked in the water dialog
        if (water) test::Choose(f, "Advanced > Refractive index > Surrounding medium > Water > IAPWS");
        if (water) test::Choose(f, "Advanced > Spectrum > Flat");  // else Lee's, as at start-up
        f.dlogSpectrumBand_->txtSpectrumMin.setText(from);
        f.dlogSpectrumBand_->txtSpectrumMax.setText(to);
        for (auto [box, text] : {std::pair{&f.txtXmin, "130"}, {&f.txtXmax, "150"}, {&f.txtRadius, "1"}})
            test::Type(*box, text);
        test::Type(f.cboWave, "8");
        messages.clear();
        test::Press(f.cmdNewPlot);
        EXPECT_EQ(messages.shown().empty() ? "" : messages.shown()[0].prompt.substr(0, prompt.size()),
                  prompt);
    }
}

// "RGB" runs at 440, 510 and 650 nm whatever the band: a file whose rows miss one refuses the run before
// it starts (the sphere's file gave 440 nm its 500 nm row, the spectrum's stopped the run); one whose rows
// end there runs, 0.44f (439.9999976 nm) taking the 440 nm row's weight.
TEST_F(SeveralWavelengthsTest, RgbWavelengthsLieInsideTheFilesRows) {
    const test::TestFolder folder("tessary_rgb_files_");
    ScriptedFileDialogs dialogs;
    runtime.setFileDialogs(&dialogs);
    test::WriteAll(folder.at("s.rix"),
                   "Tessary 300\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-\nS\num\nReal\n2\n.5,1\n.7,1\n");
    test::WriteAll(folder.at("s.spe"), "Tessary\nS\nuniform\nR\n450,600,150\nP\nW\n450,1\n600,2\n");
    test::WriteAll(folder.at("rgb.spe"), "Tessary\nS\nuniform\nR\n440,650,210\nP\nW\n440,1\n650,2\n");
    for (const auto& [item, file, prompt] :
         {std::tuple{
              &Form1::mnuRI_File1, "s.rix",
              "Values for refractive index of S are valid only for the band  500 -  700 nm ( .5 -  .7 um)"},
          {&Form1::mnuSpectrumFile, "s.spe",
           "The spectrum from the file is valid only for 450 nm to 600 nm band"},
          {&Form1::mnuSpectrumFile, "rgb.spe", ""}}) {
        form = std::make_unique<Form1>();
        form->load();
        dialogs.answer(folder.at(file));
        test::Choose(form.get()->*item);
        form->dlogSpectrumBand_->txtSpectrumMin.setText("500");  // inside both files' rows
        form->dlogSpectrumBand_->txtSpectrumMax.setText("600");
        test::Choose(form->cboWave, "RGB");
        messages.clear();
        test::Press(form->cmdNewPlot);
        EXPECT_EQ(messages.shown().empty() ? "" : messages.last().prompt, prompt);
        EXPECT_EQ(form->newPlotEnd, *prompt ? NewPlotEnd::Refused : NewPlotEnd::Computed) << file;
        EXPECT_EQ(form->waveSet.weightPerWave[3], *prompt ? form->waveSet.weightPerWave[3] : 1.0f);
    }
}

TEST_F(SeveralWavelengthsTest, MediumIndexOfTheSameWavelengthEntersTheSizeParameter) {
    form->mnuRI_IAPWS2_Click();  // a water medium: m and x both change with the wavelength
    Form1& f = run("RGB");
    ASSERT_EQ(f.codes.runState, 1);
    EXPECT_NEAR(f.calc.wavelength, 0.44, 1e-6);
    EXPECT_DOUBLE_EQ(f.calc.sizeParam, kTwoPi * f.calc.radius / f.calc.wavelength * f.indexState.mediumRe);
}

// "RGB" over Log-normal N = 5, air bubbles in water: each column is the mean of the single-size
// columns at the five sample radii.
TEST_F(SeveralWavelengthsTest, DistributionSumsTheSampleRadiiPerWavelength) {
    Form1& f = *form;
    f.mnuRI_Air1_Click();
    f.mnuRI_IAPWS2_Click();
    f.optDisp.setValue(true);
    f.cboDistrib.setText("Log-normal");
    f.cboSD.setText("20");
    f.cboN.setText("5");
    ColourSumTable sum = run("RGB", "1", "1").colourSums.colourSumPerp;
    EXPECT_EQ(f.calc.radius, 1.0);
    f.optMono.setValue(true);
    const std::size_t j = index(90);
    for (std::size_t k = 1; k <= 5; ++k) {
        run("RGB", CStr(SampleRadius(DistributionKind::LogNormal, 1, 0.2f, f.dist.distAbscissa[k])), "1");
        for (std::size_t c = 1; c <= 3; ++c) sum[c][j] -= f.colourSums.colourSumPerp[c][j] / 5;
    }
    for (std::size_t c = 1; c <= 3; ++c)
        EXPECT_NEAR(sum[c][j] / f.colourSums.colourSumPerp[c][j], 0, 1e-9) << c;
}

// Zero width (refused in the box, set here directly), and one class given by its limits 0.5 and
// 1.5 um (its middle taken), give the single size.
TEST_F(SeveralWavelengthsTest, DistributionOfOneSizeEqualsTheSingleSize) {
    Form1& f = run("RGB", "1", "1");
    const ColourSumTable single = f.colourSums.colourSumPerp;
    for (const char* kind : {"Log-normal", "Special"}) {
        f.dist.sizeHistogram = {1, 0, {0, 0.5f}, {0, 1.5f}, {0, 1}, {0, 1}, 0.5f, 1.5f, 1, 1, 1, ""};
        f.cboDistrib.setText(kind);
        f.cboSD.setText("0");
        ASSERT_TRUE(f.SeveralWavelengthsDisperse()) << kind;
        for (std::size_t c = 0; c <= 3; ++c)
            EXPECT_REL_NEAR(f.colourSums.colourSumPerp[c][index(150)], single[c][index(150)], 1e-13)
                << kind << c;
    }
}

TEST_F(SeveralWavelengthsTest, FinestGridFilledToItsLastPoint) {
    form->mnuSun.setChecked(false);
    form->optSun.setValue(true);  // the disc widens the window to the ends of the grid
    Form1& f = run("RGB", "1", "0.01");
    ASSERT_TRUE(messages.shown().empty()) << messages.shown().front().prompt;
    EXPECT_EQ(f.angleGrid.windowLast, 18001);
    EXPECT_GE(f.results.intensityPerp.size(), 18002u);
    for (const auto* column : {&f.colourSums.colourSumPerp[0], &f.colourSums.colourSumPara[3]})
        ASSERT_GE(column->size(), 18002u);
    EXPECT_GT(f.colourSums.colourSumPerp[0][18001], 0);
    EXPECT_GT(f.colourSums.colourSumPara[3][1], 0);
}

TEST_F(SeveralWavelengthsTest, ReplotKeepsTheRunsWavelengthCountAndComputesNothing) {
    Form1& f = run("Low", "500", "1");
    ASSERT_EQ(f.calc.waveCount, 7);
    const auto stored = f.colourSums.colourSumPerp;
    f.cboPol.setText("Perpendicular");
    f.setRecording(true);
    f.cmdReplot_Click();
    EXPECT_EQ(f.calc.waveCount, 7);
    for (std::size_t k = 1; k <= 7; ++k) EXPECT_EQ(f.colourSums.colourSumPerp[k], stored[k]);
    EXPECT_REL_NEAR(f.colourSums.colourSumPerp[0][index(40)], stored[0][index(40)], 1e-14);
    std::size_t strip = 0;
    for (const DrawOp& op : f.drawLog()) strip += op.kind == DrawOp::Kind::FilledBox && op.y1 == 2800;
    EXPECT_EQ(strip, 181u);
}

TEST_F(SeveralWavelengthsTest, BrightnessRepaintsOnlyTheStrip) {
    Form1& f = run("RGB", "1", "1");
    f.setRecording(true);
    f.cboBright.setText("2");
    ASSERT_FALSE(f.drawLog().empty());
    for (const DrawOp& op : f.drawLog()) {
        if (op.kind == DrawOp::Kind::Text) continue;
        EXPECT_EQ(op.kind, DrawOp::Kind::FilledBox);
        EXPECT_GE(op.y1, 2800);
        EXPECT_LE(op.y2, 3340);
    }
}

TEST_F(SeveralWavelengthsTest, SimulationTableSizedFromTheStoredRun) {
    Form1& f = run("RGB", "1", "0.5");
    f.txtXmax.setText("10");  // edited since the run
    f.codes.simulationMode = 1;
    f.PlotBow(f.colourSums.colourSumPerp, f.colourSums.colourSumPara, "1");
    EXPECT_EQ(f.simColourTable.rows, 362);
    EXPECT_EQ(f.simColourTable.row0Angle, 0);
    EXPECT_GT(f.simColourTable.at(6, 20), 0);
    f.codes.simulationMode = 0;
    f.mnuInterpolate.setChecked(true);
    f.PlotBow2(f.colourSums.colourSumPerp, f.colourSums.colourSumPara, "1");
    EXPECT_EQ(f.simColourTable.rows, 362);  // the smooth bands work on a table of their own
}

// 170 to 180 degrees at 0.5 leaves spare rows past 180 that hold 0: an angle between 179.5 and 180 mixes
// those two rows, never a spare one, and a lookup towards a row past 180 gives the 180 degree row's
// colour, not up to 1.5 times it; inside the range the rows still interpolate.
TEST_F(SeveralWavelengthsTest, SimulationLookupEndsAtTheLastWrittenRow) {
    form->txtXmin.setText("170");
    form->txtXmax.setText("180");
    Form1& f = run("RGB", "10", "0.5");
    f.codes.simulationMode = 1;
    f.PlotBow(f.colourSums.colourSumPerp, f.colourSums.colourSumPara, "1");
    const SimColourTable& t = f.simColourTable;
    const std::int32_t last = t.lastWritten;
    ASSERT_GT(t.rows, last + 1);
    ASSERT_NEAR(t.row0Angle + last * t.step, 180, 1e-9);
    ASSERT_GT(t.at(6, last), 0);
    const auto look = [&](float f0, std::int32_t i, std::int32_t j) {
        double N = 20, red = 0, green = 0, blue = 0;
        int source = 0, view = 0;
        float w = 1;
        f.SimPlot2(f0, i, j, N, source, view, w, w, red, green, blue);
        return std::array<double, 3>{red, green, blue};
    };
    for (const float a : {179.75f, 179.9f, 180.0f}) {
        const sim::SimRow row = sim::RowOf(sim::ViewOf(t), a);
        EXPECT_EQ(row.i, a < 180 ? last - 1 : last) << a;  // the row at or below the angle
        EXPECT_EQ(row.j, last) << a;
        const std::array<double, 3> c = look((a - 180) / 0.5f, last, last + 1);
        for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(c[k], t.at(6 + k, last)) << a;
    }
    const std::array<double, 3> inside = look(0.25f, last - 4, last - 3);
    for (int k = 0; k < 3; ++k)
        EXPECT_FLOAT_EQ(inside[k],
                        t.at(6 + k, last - 4) + 0.25f * (t.at(6 + k, last - 3) - t.at(6 + k, last - 4)));
}

// Shares R / (R + G + B) of the unpolarised sums and the brightest point over an angle range.
struct BowReading {
    double brightest = 0, reddest = 0, bluest = 0, peak = 0;
};
BowReading ReadBow(const Form1& f, double from, double to, double* level = nullptr, double at = 0) {
    BowReading b;
    double redMax = 0, blueMax = 0;
    const double step = 90.0 / (f.angleGrid.angleCount - 1);
    for (double a = from; a <= to + 1e-9; a += step) {
        const auto j = static_cast<std::size_t>(std::lround(a / step)) + 1;
        double c[3];
        for (std::size_t k = 0; k < 3; ++k)
            c[k] = (f.colourSums.colourSumPerp[k + 1][j] + f.colourSums.colourSumPara[k + 1][j]) / 2;
        const double sum = c[0] + c[1] + c[2];
        if (sum > b.peak) {
            b.peak = sum;
            b.brightest = a;
        }
        if (c[0] / sum > redMax) {
            redMax = c[0] / sum;
            b.reddest = a;
        }
        if (c[2] / sum > blueMax) {
            blueMax = c[2] / sum;
            b.bluest = a;
        }
        if (level && std::fabs(a - at) < step / 2) *level = sum;
    }
    return b;
}

TEST_F(SeveralWavelengthsTest, RainbowsOfWaterDropsInSunlight) {
    Form1& f = *form;
    f.mnuSpectrumLee_Click();
    f.optPoint.setValue(true);
    f.txtXmin.setText("120");
    f.txtXmax.setText("145");
    f.txtRadius.setText("100");
    f.cboWave.setText("200");
    f.cmdNewPlot_Click();
    ASSERT_TRUE(messages.shown().empty()) << messages.shown().front().prompt;
    const BowReading primary = ReadBow(f, 136, 142);
    EXPECT_NEAR(primary.brightest, 139.3, 0.3);
    EXPECT_NEAR(primary.reddest, 137.4, 0.3);  // red outside: the smaller scattering angle
    EXPECT_NEAR(primary.bluest, 140.2, 0.3);
    const BowReading secondary = ReadBow(f, 123, 130);
    EXPECT_LT(secondary.bluest, secondary.reddest);  // reversed
    double dark = 0;
    ReadBow(f, 133, 133, &dark, 133);
    EXPECT_GT(primary.peak / dark, 20);

    f.txtXmax.setText("160");
    f.txtRadius.setText("10");
    f.cboWave.setText("Med.");
    f.cmdNewPlot_Click();
    ASSERT_EQ(f.calc.waveCount, 300);
    const BowReading pale = ReadBow(f, 136, 150);
    EXPECT_NEAR(pale.brightest, 142.3, 0.5);
    const BowReading band = ReadBow(f, 125, 137);
    EXPECT_NEAR(band.reddest, 134, 0.5);
}

TEST_F(SeveralWavelengthsTest, MapColumnStoresThePerpendicularColoursOfFewWavelengths) {
    Form1& f = run("RGB", "1", "1");
    f.codes.graphCode = kGraphMapIndex;  // an angle map step over three wavelengths
    f.txtF9_step.setText("4");
    f.sweepState.sweepSteps = 4;
    f.sweepState.loopStep = 2;
    f.cboLee.setText("Normalised");
    const std::size_t points = static_cast<std::size_t>(f.angleGrid.windowLast - f.angleGrid.windowFirst + 1);
    for (auto* store : {&f.leeStores.leeRed1, &f.leeStores.leeGreen1, &f.leeStores.leeBlue1,
                        &f.leeStores.leeRed2, &f.leeStores.leeGreen2, &f.leeStores.leeBlue2})
        store->assign(5, std::vector<float>(points, 0.0f));
    f.leeStores.leeRowPeaks.assign(4, std::vector<float>(5, 0.0f));
    f.PlotBow(f.colourSums.colourSumPerp, f.colourSums.colourSumPara, "1");
    const std::size_t j = index(30);
    const std::size_t r = j - static_cast<std::size_t>(f.angleGrid.windowFirst);
    double red = 0;
    for (std::size_t i = 1; i <= 3; ++i) red += f.colourSums.colourSumPerp[i][j] * f.waveSet.redPerWave[i];
    EXPECT_REL_NEAR(f.leeStores.leeRed1[2][r], red, 1e-6);
    EXPECT_GT(f.leeStores.leeBlue2[2][r], 0);
    EXPECT_EQ(f.leeStores.leeRowPeaks[1][2], static_cast<float>(f.colourSums.peakPerp));
    EXPECT_EQ(f.leeStores.leeRowPeaks[3][2], static_cast<float>(f.colourSums.peakUnpol));
}

TEST_F(SeveralWavelengthsTest, CurvesWithoutAPlaceDrawNothing) {
    Form1& f = run("8", "1", "1");
    struct Case {
        double xLow, xHigh, yLow, yHigh;
        bool log;
    };
    const Case cases[] = {{10, 10.4, 1e-15, 1e-10, false},
                          {0, 180, 0, 1e-10, true},
                          {0, 180, 1e-12, 1e-12, false},
                          {0, 180, 1e-20, 1e-19, false}};  // every piece above the graph: skipped
    for (const Case& c : cases) {
        f.optLog.setValue(c.log);
        f.optLinear.setValue(!c.log);
        f.setRecording(true);
        f.clearDrawLog();
        f.PlotColour(f.colourSums.colourSumPerp, f.results.intensityPerp, c.xLow, c.xHigh, c.yLow, c.yHigh);
        for (const DrawOp& op : f.drawLog())
            EXPECT_NE(op.kind, DrawOp::Kind::Line) << c.xHigh << " " << c.yLow;
    }
}

TEST_F(SeveralWavelengthsTest, OneWavelengthGraphKeepsItsColoursAndMaxima) {
    Form1& f = *form;  // start-up's graph: one wavelength
    const std::size_t j = index(100);
    EXPECT_DOUBLE_EQ(f.colourSums.colourSumPerp[1][j], f.results.intensityPerp[j] / f.calc.waveNumberSq);
    EXPECT_DOUBLE_EQ(f.colourSums.colourSumPara[1][j], f.results.intensityPara[j] / f.calc.waveNumberSq);
    EXPECT_EQ(f.colourSums.peakCommon, std::max(f.colourSums.peakPerp, f.colourSums.peakPara));
}

TEST_F(SeveralWavelengthsTest, SmoothBandsOfOneRowDrawNothing) {
    Form1& f = run("8", "1", "1");
    f.txtXmin.setText("10");
    f.txtXmax.setText("10");
    f.setRecording(true);
    f.clearDrawLog();
    f.PlotBow2(f.colourSums.colourSumPerp, f.colourSums.colourSumPara, "1");
    for (const DrawOp& op : f.drawLog()) EXPECT_NE(op.kind, DrawOp::Kind::FilledBox);
}

TEST_F(SeveralWavelengthsTest, ComponentsOnlyForSevenWavelengthsOrFewer) {
    Form1& f = run("High", "10", "1");
    ASSERT_EQ(f.calc.waveCount, 600);
    EXPECT_EQ(f.chkComponents.value(), 0);
    f.chkComponents.setValue(1);  // redraws: no curve per wavelength of 600
    EXPECT_EQ(f.calc.waveCount, 600);
    const std::size_t j = index(100);
    for (std::size_t k = 1; k <= 3; ++k)
        EXPECT_DOUBLE_EQ(f.colourSums.colourSumUnpol[k][j],
                         (f.colourSums.colourSumPerp[k][j] + f.colourSums.colourSumPara[k][j]) / 2);
}

TEST_F(SeveralWavelengthsTest, DebyeSeriesAlsoUnderTheGaussianBeamMenu) {
    form->cboType.setText("Debye");
    form->cboType_click();
    form->cboRays.setText("1");
    form->mnuGaussian.setChecked(true);
    Form1& f = run("RGB", "1", "1");
    EXPECT_TRUE(messages.shown().empty()) << messages.shown().front().prompt;
    EXPECT_GT(f.colourSums.colourSumPerp[1][index(50)], 0);
    EXPECT_EQ(f.lblDebyeRays.caption().find("Gaussian"), std::string::npos);
}

TEST_F(SeveralWavelengthsTest, CurvesPerPolarisationChoice) {
    Form1& f = run("8", "1", "1");
    f.mnuTrueColour_Click();
    std::size_t lines[3] = {};
    const char* choices[3] = {"Perpendicular", "Both", "All 3"};
    for (int i = 0; i < 3; ++i) {
        f.cboPol.setText(choices[i]);
        f.setRecording(true);
        f.clearDrawLog();
        f.cmdReplot_Click();
        for (const DrawOp& op : f.drawLog()) lines[i] += op.kind == DrawOp::Kind::Line;
    }
    EXPECT_EQ(lines[1] - lines[0], 180u);  // one piece per angle step and curve
    EXPECT_EQ(lines[2] - lines[1], 180u);
}

TEST_F(SeveralWavelengthsTest, SmoothBandsTenSegmentsPerStep) {
    for (const auto& [step, boxes] :
         {std::pair<const char*, std::size_t>{"1", 3 * 1801}, {"0.5", 3 * 3601}}) {
        Form1& f = run("8", "1", step);
        f.mnuInterpolate.setChecked(true);
        f.setRecording(true);
        f.clearDrawLog();
        f.PlotNColour();
        std::size_t n = 0;
        for (const DrawOp& op : f.drawLog())
            n += op.kind == DrawOp::Kind::FilledBox && op.y1 >= 2800 && op.y2 <= 3340;
        EXPECT_EQ(n, boxes) << step;
        f.mnuInterpolate.setChecked(false);
    }
}

}  // namespace
}  // namespace tessary
