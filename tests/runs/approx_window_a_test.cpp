// Rayleigh, diffraction, van de Hulst, Huygens and aperture through New plot on the real main window:
// captions, amplitudes, the messages shown, refusals that draw nothing, a stop and amplitudes that are
// not finite numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/form1.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

class ApproxWindowTest : public test::UiTest {
  protected:
    ApproxWindowTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        form = std::make_unique<Form1>();
        form->setRecording(true);
        form->load();
        messages.clear();
    }
    ~ApproxWindowTest() override { form.reset(); }

    std::size_t index(double degrees) const {
        return static_cast<std::size_t>(std::lround(degrees * (form->angleCount - 1) / 90.0)) + 1;
    }
    std::vector<std::string> prompts() const {
        std::vector<std::string> p;
        for (const MessageBoxRequest& r : messages.shown()) p.push_back(r.prompt);
        return p;
    }
    // Lines drawn inside the graph box since the log was cleared (frames and curves).
    int linesInBox() const {
        int n = 0;
        for (const DrawOp& op : form->drawLog())
            if (op.kind == DrawOp::Kind::Line && op.y1 > form->graphTop && op.y1 < form->graphBottom) ++n;
        return n;
    }

    std::unique_ptr<Form1> form;
};

struct MethodCase {
    const char* method;
    const char* rays;
    const char* radius;
    std::vector<std::string> prompts;  // every message shown by New plot
    const char* caption;               // empty: the caption is not the method's
};

TEST_F(ApproxWindowTest, EveryMethodDrawsItsGraph) {
    const std::vector<MethodCase> cases{
        {"Rayleigh", "", "10", {"Rayleigh approximation is valid only when r << wavelength"},
         "Rayleigh scattering:   Water in a vacuum "},
        {"Rayleigh", "", "0.01", {}, "Rayleigh scattering:   Water in a vacuum "},
        {"Diffraction", "", "10", {}, "Diffraction:   Water in a vacuum "},
        {"van de Hulst", "", "10", {}, ""},
        {"Huygens", "2", "10", {}, "Ray tracing: Huygens (p = 2)   Water in a vacuum "},
        {"Huygens", "-3", "10", {}, "Ray tracing: Huygens (p = 0,  1,  2,  3)   Water in a vacuum "},
        {"Aperture", "", "10", {}, ""},
    };
    for (const MethodCase& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + c.rays + " radius " + c.radius);
        Form1& f = *form;
        f.cboType.setText(c.method);
        f.cboRays.setText(c.rays);
        f.txtRadius.setText(c.radius);
        if (f.calcMethod == 9 || f.calcMethod == 10) f.txtAngle.setText("100");
        f.cboQmin.setText("1");  // the van de Hulst coefficients
        f.cboQmax.setText("2");
        f.cboStep.setText("0.5");
        messages.clear();
        f.clearDrawLog();
        f.cmdNewPlot.click();
        EXPECT_EQ(prompts(), c.prompts);
        EXPECT_EQ(f.runState, 1);
        if (*c.caption != 0) {
            EXPECT_EQ(f.caption(), c.caption);
        }
        EXPECT_GT(linesInBox(), 100);
        for (double v : f.intensityUnpol) EXPECT_TRUE(std::isfinite(v));
    }
}

TEST_F(ApproxWindowTest, RayleighIgnoresTheImaginaryIndexAndHasNoParallelLightAt90Degrees) {
    Form1& f = *form;
    f.angleCount = 901;
    std::vector<Form1::ComplexTable> results;
    for (double mIm : {0.0, 0.1}) {
        double x = 0.1, mRe = 1.33, im = mIm, q = -1;
        std::int32_t first = 1, last = 1801;
        f.Rayleigh(x, mRe, im, f.angleCount, f.s1Amp, f.s2Amp, q, q, q, q, first, last);
        results.push_back(f.s2Amp);
        EXPECT_EQ(q, -1);  // efficiencies untouched
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_NEAR(f.s2Amp[1][index(90)], 0.0, 1e-18);
    EXPECT_NEAR(f.s2Amp[1][index(60)], -1.0200589e-4, 1e-11);
}

TEST_F(ApproxWindowTest, RefusalsShowTheirTextAndDrawNothing) {
    struct Refusal {
        const char* method;
        const char* angle;
        const char* qMin;
        std::string prompt;
    };
    const std::vector<Refusal> cases{
        {"Huygens", "0", "1", "Number of rays must be between 1 and 1000000"},
        {"Aperture", "2e6", "1", "Number of samples must be between 1 and 1000000"},
        {"van de Hulst", "0", "one", "The van de Hulst coefficients must be numbers"},
        {"van de Hulst", "0", "", "The van de Hulst coefficients must be numbers"},  // as after start-up
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.method);
        Form1& f = *form;
        f.cboType.setText(c.method);
        f.txtAngle.setText(c.angle);
        f.cboQmin.setText(c.qMin);
        messages.clear();
        f.clearDrawLog();
        f.cmdNewPlot.click();
        EXPECT_EQ(prompts(), std::vector<std::string>{c.prompt});
        EXPECT_EQ(linesInBox(), 0);
        f.cmdDefault.click();
    }
}

TEST_F(ApproxWindowTest, StopEndsHuygensAtTheNextAngle) {
    Form1& f = *form;
    f.cboType.setText("Huygens");
    f.cboRays.setText("2");
    f.txtAngle.setText("1000");
    f.cboStep.setText("0.1");
    bool pressed = false;
    double doneAtStop = -1;
    runtime.setPumpHook([&] {
        if (pressed || !f.cmdStop.visible() || f.stepsDone < 1) return;
        pressed = true;
        f.cmdStop.click();
        doneAtStop = f.stepsDone;
    });
    messages.clear();
    messages.answer(mb::kYes);
    f.cmdNewPlot.click();
    ASSERT_TRUE(pressed);
    EXPECT_EQ(f.stepsDone, doneAtStop);  // no angle after the one in hand
    EXPECT_LT(f.stepsDone, f.stepsTotal);
    EXPECT_EQ(f.runState, 1);
    EXPECT_FALSE(f.cmdStop.visible());
}

TEST_F(ApproxWindowTest, AmplitudesThatAreNotNumbersEndTheRunNamingTheMethod) {
    Form1& f = *form;
    f.cboType.setText("Rayleigh");
    f.txtRadius.setText("1e150");  // x^3 beyond the Double range
    messages.clear();
    f.clearDrawLog();
    f.cmdNewPlot.click();
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.last().prompt.rfind("Rayleigh scattering gave amplitudes that are not finite", 0), 0u);
    EXPECT_EQ(messages.last().title, "Error");
    EXPECT_EQ(f.runState, 1);
}

}  // namespace
}  // namespace tessary
