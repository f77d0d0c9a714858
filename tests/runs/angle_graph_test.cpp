// The angle graph at one wavelength: its curve forms (intensity, amplitude, phase, degree of
// polarisation, watts per square metre, phase function), the two-panel layout, the guards against
// undefined values, and the method code and dispatch that lead to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/form1.h"
#include "numerics/complex.h"
#include "runs/method_codes.h"
#include "tests/mainwindow/window_driver.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

constexpr double kDegree = 0.017453292519943278;

class AngleGraphTest : public test::UiTest {
  protected:
    AngleGraphTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        form = std::make_unique<Form1>();
        form->load();  // start-up computes the default graph
        messages.clear();
    }
    ~AngleGraphTest() override { form.reset(); }

    static bool Finite(const std::vector<double>& v) {
        return std::all_of(v.begin(), v.end(), [](double d) { return std::isfinite(d); });
    }

    std::unique_ptr<Form1> form;
};

TEST_F(AngleGraphTest, PhaseFunctionIntegratesToTwoOverTheSphere) {
    Form1& f = *form;
    test::Choose(f.cboGraph, "Phase function");
    ASSERT_TRUE(f.AngleGraph());
    EXPECT_REL_NEAR(
        f.results.scatNorm,
        f.results.qSca * 3.14159265358979 * f.calc.sizeParam * f.calc.sizeParam / 12.56637061435916, 1e-15);
    // The integral of p sin(theta) d theta over 0..180 degrees is 2 (4 pi over the azimuth); the
    // trapezoid rule on the 0.1 degree grid resolves the forward peak (width about 1/x) to 1e-3.
    const std::int32_t last = 2 * f.angleGrid.angleCount - 1;
    const double h = 0.1 * kDegree;
    double integral = 0;
    for (std::int32_t j = 1; j < last; ++j) {
        const double a = (j - 1) * h, b = j * h;
        integral += 0.5 * h * (f.results.avgUnpol[j] * std::sin(a) + f.results.avgUnpol[j + 1] * std::sin(b));
    }
    EXPECT_NEAR(integral, 2.0, 2e-3);
}

TEST_F(AngleGraphTest, PhaseFunctionWithoutScatteringIsRefused) {
    Form1& f = *form;
    test::Choose(f.cboGraph, "Phase function");
    f.results.qSca = 0;
    EXPECT_FALSE(f.AngleGraph());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "The phase function needs a scattering efficiency above 0 (Qsca = 0)");
    EXPECT_EQ(f.codes.runState, 4);
    EXPECT_TRUE(Finite(f.results.avgUnpol));
}

TEST_F(AngleGraphTest, WattsPerSquareMetreScaleTheIntensities) {
    Form1& f = *form;
    test::Choose(f.cboGraph, "Watts/sq. m. v. scattering angle");
    f.dlogIncident_->txtDistance.setText("2");
    f.dlogIncident_->txtIncidentPD.setText("8");
    f.calc.waveNumberSq = 4;
    ASSERT_TRUE(f.AngleGraph());
    for (std::size_t j : {1u, 900u, 1801u}) {
        EXPECT_DOUBLE_EQ(f.results.avgPerp[j], f.results.intensityPerp[j] * 0.5);  // 8 / 2^2 / 4
        EXPECT_DOUBLE_EQ(f.results.avgUnpol[j], f.results.intensityUnpol[j] * 0.5);
    }
}

TEST_F(AngleGraphTest, WattsAtDistanceZeroOrOutOfRangeAreRefused) {
    Form1& f = *form;
    test::Choose(f.cboGraph, "Watts/sq. m. v. scattering angle");
    f.calc.waveNumberSq = 1;
    f.dlogIncident_->txtDistance.setText("0");
    EXPECT_FALSE(f.AngleGraph());
    EXPECT_EQ(messages.last().prompt, "The distance of measurement must be greater than 0 m");
    EXPECT_EQ(f.codes.runState, 4);
    f.dlogIncident_->txtDistance.setText("1E-160");  // E / d^2 overflows the intensities
    EXPECT_FALSE(f.AngleGraph());
    EXPECT_EQ(messages.last().prompt, "The scattered intensity at a distance of 1E-160 m is out of range");
    EXPECT_TRUE(Finite(f.results.avgPerp));
}

// E |S|^2 / (k^2 d^2) at 90 degrees for the start-up water drop (radius 10 um, 0.65 um, m = 1.33257035),
// E = 1000 W/m^2 at d = 2 m: 3.90828772693e-10 W/m^2 (mpmath Mie sum, 30 digits). With Plot > Inv
// Wavelength unticked the run divided by 1 instead of k^2 and showed 36519 "W/m^2", 36 times the
// incident irradiance.
TEST_F(AngleGraphTest, WattsPerSquareMetreDivideByTheWaveNumberWhateverTheUnitMenu) {
    for (const bool untick : {false, true}) {
        SCOPED_TRACE(untick ? "Inv Wavelength unticked" : "as chosen");
        form = std::make_unique<Form1>();
        form->load();
        Form1& f = *form;
        f.dlogIncident_->txtIncidentPD.setText("1000");
        f.dlogIncident_->txtDistance.setText("2");
        test::Choose(f.cboGraph, "Watts/sq. m. v. scattering angle");
        if (untick) test::Choose(f, "Plot > Inv Wavelength");
        f.cboStep.setText("1");
        f.cmdNewPlot.click();
        EXPECT_REL_NEAR(f.results.avgUnpol[91], 3.90828772693e-10, 1e-6);
    }
}

TEST_F(AngleGraphTest, AmplitudesAverageTheModuli) {
    Form1& f = *form;
    f.mnuAmplitude.setChecked(true);
    ASSERT_TRUE(f.AngleGraph());
    for (std::size_t j : {1u, 700u, 1801u}) {
        const double m1 = ComplexAbs({f.results.s1Amp[0][j], f.results.s1Amp[1][j]});
        const double m2 = ComplexAbs({f.results.s2Amp[0][j], f.results.s2Amp[1][j]});
        EXPECT_DOUBLE_EQ(f.results.intensityPerp[j], m1);
        EXPECT_DOUBLE_EQ(f.results.intensityUnpol[j], (m1 + m2) / 2);
    }
}

TEST_F(AngleGraphTest, TwoPanelsKeepTheUpperPanelsLimits) {
    Form1& f = *form;
    f.mnuAmpPhase.setChecked(true);
    const float top = f.graph.graphTop, bottom = f.graph.graphBottom;
    f.codes.runState = 1;
    ASSERT_TRUE(f.AngleGraph());
    EXPECT_EQ(f.graph.graphTop, top);
    EXPECT_EQ(f.graph.graphBottom, bottom);
    EXPECT_EQ(f.graph.phasePanel, 0);
    EXPECT_GT(f.graph.yAxisMax, 1e6);  // the intensity axis, not the phase axis of 360
    EXPECT_EQ(f.graph.yAxisMax, f.graph.drawnYMax);
    for (std::size_t j = 1; j <= 1801; ++j) {
        EXPECT_GE(f.results.avgPerp[j], 0.0);
        EXPECT_LT(f.results.avgPerp[j], 360.0);
    }
    const Complex s{(f.results.s1Amp[0][500] + f.results.s2Amp[0][500]) / 2,
                    (f.results.s1Amp[1][500] + f.results.s2Amp[1][500]) / 2};
    EXPECT_DOUBLE_EQ(f.results.avgUnpol[500], PhaseDegrees(s.re, s.im));
}

TEST_F(AngleGraphTest, NoLightHasNoPolarisation) {
    Form1& f = *form;
    f.mnuIntPol.setChecked(true);
    for (auto* part : {&f.results.s1Amp[0], &f.results.s1Amp[1], &f.results.s2Amp[0], &f.results.s2Amp[1]})
        (*part)[600] = 0;
    f.results.s1Amp[0][601] = 3;  // |S1|^2 = 9, S2 = 4i: (9 - 16) / 25
    f.results.s1Amp[1][601] = 0;
    f.results.s2Amp[0][601] = 0;
    f.results.s2Amp[1][601] = 4;
    ASSERT_TRUE(f.AngleGraph());
    EXPECT_EQ(f.results.avgPerp[600], 0.0);
    EXPECT_DOUBLE_EQ(f.results.avgPerp[601], -7.0 / 25.0);
    EXPECT_EQ(f.results.avgPara[601], 0.0);
    EXPECT_TRUE(Finite(f.results.avgPerp));
    for (double p : f.results.avgPerp) EXPECT_LE(std::fabs(p), 1.0);
}

struct MethodCase {
    const char* text;
    int code;
};

TEST_F(AngleGraphTest, MethodCodesFromTheExactListText) {
    Form1& f = *form;
    const MethodCase cases[] = {
        {"Mie", 1},           {"Debye", 2},         {"Rayleigh", 3},  {"Diffraction", 4}, {"Airy", 5},
        {"Descartes", 6},     {"Young", 7},         {"Young mod", 8}, {"Huygens", 9},     {"Aperture", 10},
        {"Surface wave", 11}, {"van de Hulst", 12}, {"mie", 0},       {"Young ", 0},      {"", 0}};
    for (const MethodCase& c : cases) {
        messages.clear();
        f.cboType.setBackColor(16777215);
        f.cboType.setText(c.text);
        f.TypeCalc();
        EXPECT_EQ(f.codes.calcMethod, c.code) << c.text;
        if (c.code == kMethodNone) {
            EXPECT_EQ(f.cboType.backColor(), 255u) << c.text;
            ASSERT_FALSE(messages.shown().empty());
            EXPECT_EQ(messages.last().prompt, "Unknown calculation method");
            EXPECT_EQ(messages.last().title, "Error");
        } else {
            EXPECT_EQ(f.cboType.backColor(), 16777215u) << c.text;
        }
    }
    // A known text after an unknown one turns the list white again.
    f.cboType.setBackColor(255);
    f.cboType.setText("Mie");
    f.TypeCalc();
    EXPECT_EQ(f.cboType.backColor(), 16777215u);
}

TEST_F(AngleGraphTest, CodeOutsideTheMethodsCallsNothing) {
    Form1& f = *form;
    // A code outside 1..12 calls nothing.
    test::Type(f.cboType, "Unknown");
    messages.clear();
    f.codes.runState = 1;
    f.DispatchMethod(f.angleGrid.windowFirst, f.angleGrid.windowLast);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.codes.runState, 1);
}

}  // namespace
}  // namespace tessary
