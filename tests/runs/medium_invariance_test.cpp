// Every method of the angle graph gives S1 and S2 that depend on the size parameter and the relative
// index only: a sphere of index m_s in a medium of index n at the wavelength lambda scatters as a
// sphere of index m_s / n in a vacuum at lambda / n. So do the absolute units, whose wave number is
// the one in the medium.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/dlog_options.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "media/dlog_index.h"
#include "mainwindow/dlog_options.h"
#include "tests/mainwindow/window_driver.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

enum class Beam { Plane, Gaussian, TopHat };

struct Amplitudes {
    std::vector<double> s1re, s1im, s2re, s2im;
};

class MediumInvarianceTest : public test::UiTest {
  protected:
    MediumInvarianceTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setMessageBoxResponder([this](const MessageBoxRequest& r) {
            shown.push_back(r.prompt);
            return mb::kOk;
        });
        form = std::make_unique<Form1>();
        form->load();
    }
    ~MediumInvarianceTest() override { form.reset(); }

    // The method's call through the window's dispatch at 0.5 degrees over 0..180 degrees, for a sphere
    // of radius 10 um and relative index m in a medium of index n at the vacuum wavelength lambda.
    Amplitudes run(const std::string& method, const std::string& rays, const std::string& a,
                   const std::string& b, double n, double lambda, double m, Beam beam = Beam::Plane) {
        Form1& f = *form;
        f.cboType.setText(method);
        f.TypeCalc();
        // The beam after the method (whose choice puts the methods without beams back to a plane wave),
        // off the axis and out of focus, in micrometres as the radius.
        f.mnuPlaneWave.setChecked(beam == Beam::Plane);
        f.mnuGaussian.setChecked(beam == Beam::Gaussian);
        f.mnuTopHat.setChecked(beam == Beam::TopHat);
        dlogGaussianBeam& dialog = *f.dlogGaussianBeam_;
        dialog.txtBeamXF.setText("3");
        dialog.txtBeamYF.setText("1");
        dialog.txtBeamZF.setText("2");
        dialog.txtBeamWo.setText("5");
        dialog.txtPhi.setText("0");
        f.cboRays.setText(rays);
        f.txtAngle.setText("1000");  // Huygens: the number of rays
        f.cboQmin.setText(a);        // surface wave: the terms; van de Hulst: the coefficients
        f.cboQmax.setText(b);
        f.codes.graphCode = kGraphAngle;
        f.codes.runState = 0;
        f.indexState.mediumRe = n;
        f.calc.wavelength = lambda;
        f.calc.radius = 10.0;
        f.calc.sizeParam = f.calc.radius * kTwoPi / lambda * n;
        f.calc.calcIndexRe = m;
        f.calc.calcIndexIm = 0.0;
        f.angleGrid.angleCount = 181;
        f.angleGrid.firstPoint = f.angleGrid.windowFirst = 1;
        f.angleGrid.lastPoint = f.angleGrid.windowLast = 361;
        for (auto* S : {&f.results.s1Amp, &f.results.s2Amp})
            for (std::vector<double>& part : *S) part.assign(722, 0.0);
        std::int32_t first = 1;
        std::int32_t last = 361;
        f.DispatchMethod(first, last);
        const auto cut = [](const std::vector<double>& v) {
            return std::vector<double>(v.begin() + 1, v.begin() + 362);
        };
        return {cut(f.results.s1Amp[0]), cut(f.results.s1Amp[1]), cut(f.results.s2Amp[0]),
                cut(f.results.s2Amp[1])};
    }

    std::unique_ptr<Form1> form;
    std::vector<std::string> shown;
};

// Glass (1.5) in water (1.333) at 0.65 um against the relative index 1.5 / 1.333 in a vacuum at
// 0.65 / 1.333 um: the same size parameter 128.86 both times.
TEST_F(MediumInvarianceTest, AMediumScattersAsTheRelativeIndexInAVacuumAtTheWavelengthInTheMedium) {
    struct Case {
        const char* method;
        const char* rays;
        const char* a;
        const char* b;
        double tolerance;  // relative to the largest |S|
        Beam beam = Beam::Plane;
    };
    const std::vector<Case> cases{
        {"Mie", "", "1", "10", 1e-9},
        {"Debye", "2", "1", "10", 1e-9},
        {"Rayleigh", "", "1", "10", 1e-9},
        {"Diffraction", "", "1", "10", 1e-9},
        {"Airy", "2", "1", "10", 1e-9},
        {"Descartes", "2", "1", "10", 1e-9},
        {"Young", "2", "1", "10", 1e-9},
        {"Young mod", "2", "1", "10", 1e-9},
        {"Huygens", "2", "1", "10", 1e-6},
        {"Aperture", "", "1", "10", 1e-9},
        {"Surface wave", "2", "1", "10", 1e-9},
        {"van de Hulst", "", "1", "2", 1e-6},
        // The methods with beams (half-width 5 um, centre 3 um off the axis, focus 2 um away): the
        // beam's sizes count in wavelengths in the medium, as the radius does.
        {"Mie", "", "1", "10", 1e-9, Beam::Gaussian},
        {"Debye", "2", "1", "10", 1e-9, Beam::Gaussian},
        {"Debye", "-3", "1", "10", 1e-9, Beam::Gaussian},
        {"Young mod", "2", "1", "10", 1e-9, Beam::Gaussian},
        {"Young mod", "2", "1", "10", 1e-9, Beam::TopHat}};
    const double n = 1.333;
    const double lambda = 0.65;
    const double m = 1.5 / n;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + c.rays + (c.beam == Beam::Plane ? "" : " beam"));
        shown.clear();
        const Amplitudes medium = run(c.method, c.rays, c.a, c.b, n, lambda, m, c.beam);
        const Amplitudes vacuum = run(c.method, c.rays, c.a, c.b, 1.0, lambda / n, m, c.beam);
        EXPECT_TRUE(shown.empty() || c.method == std::string("Rayleigh"));
        double largest = 0.0;
        for (std::size_t i = 0; i < vacuum.s1re.size(); ++i)
            largest = std::max({largest, std::hypot(vacuum.s1re[i], vacuum.s1im[i]),
                                std::hypot(vacuum.s2re[i], vacuum.s2im[i])});
        ASSERT_GT(largest, 0.0);
        double worst = 0.0;
        for (std::size_t i = 0; i < vacuum.s1re.size(); ++i)
            worst = std::max({worst, std::fabs(medium.s1re[i] - vacuum.s1re[i]),
                              std::fabs(medium.s1im[i] - vacuum.s1im[i]),
                              std::fabs(medium.s2re[i] - vacuum.s2re[i]),
                              std::fabs(medium.s2im[i] - vacuum.s2im[i])});
        EXPECT_LE(worst / largest, c.tolerance);
    }
}

// New plot in absolute units for a sphere of radius 0.8 um: index 1.7689 in a medium of 1.33 at 0.665 um,
// and index 1.33 in a vacuum at 0.5 um (the same x = 10.0531 and m = 1.33). With incident 1000 W/m^2
// at 2 m the irradiance is E |S|^2 / (k^2 d^2), k = 2 pi / 0.5 um: unpolarised at 90 degrees
// 1.246099334141018e-11 W/m^2 (|S1|^2 = 1.647883958217278, |S2|^2 = 14.09420560649655 by a Mie sum in
// 40-digit arithmetic); the intensity against the radius with Plot > Inv Wavelength, |S|^2 / k^2 at
// the same radius, 4.984397336564070e-14 m^2.
TEST_F(MediumInvarianceTest, AbsoluteUnitsInAMediumAreThoseOfTheWavelengthInTheMedium) {
    struct Case {
        const char* graph;
        const char *xMin, *xMax, *step;
        std::size_t point;  // 90 degrees; the radius 0.8 um
        double expected;
    };
    const Case cases[] = {{"Watts/sq. m. v. scattering angle", "0", "180", "0.5", 181, 1.246099334141018e-11},
                          {"Intensity v. radius", "0.8", "1.2", "0.1", 1, 4.984397336564070e-14}};
    const auto userIndex = [](UserIndexRows& rows, const char* index) {
        for (TextBox* box : {&rows.txtRI_1_1, &rows.txtRI_1_2, &rows.txtRI_1_3, &rows.txtRI_1_4})
            box->setText(index);
    };
    for (const Case& c : cases) {
        for (const bool inMedium : {true, false}) {
            SCOPED_TRACE(std::string(c.graph) + (inMedium ? " in a medium" : " in a vacuum"));
            form = std::make_unique<Form1>();
            form->load();
            Form1& f = *form;
            userIndex(*f.dlogRI_User1_, inMedium ? "1.7689" : "1.33");
            f.mnuRI_User1_Click();
            userIndex(*f.dlogRI_User2_, "1.33");
            if (inMedium)
                f.mnuRI_User2_Click();
            else
                f.mnuRI_Vacuum2_Click();
            f.dlogIncident_->txtIncidentPD.setText("1000");
            f.dlogIncident_->txtDistance.setText("2");
            test::Choose(f.cboGraph, c.graph);
            test::Type(f.txtLambda, inMedium ? "0.665" : "0.5");
            f.mnuInvWavelength.setChecked(true);
            f.txtRadius.setText("0.8");
            f.txtXmin.setText(c.xMin);
            f.txtXmax.setText(c.xMax);
            f.cboStep.setText(c.step);
            f.txtAngle.setText("90");
            shown.clear();
            f.cmdNewPlot.click();
            EXPECT_TRUE(shown.empty()) << shown.front();
            const std::vector<double>& curve = c.point == 1 ? f.results.intensityUnpol : f.results.avgUnpol;
            ASSERT_GT(curve.size(), c.point);
            EXPECT_REL_NEAR(curve[c.point], c.expected, 1e-6);  // the user indices are Singles
        }
    }
}

}  // namespace
}  // namespace tessary
