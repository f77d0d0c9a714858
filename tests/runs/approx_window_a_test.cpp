// Rayleigh, diffraction, van de Hulst, Huygens and aperture through New plot on the real main window:
// captions, messages, the input checks that refuse and draw nothing, a stop, non-finite amplitudes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/form1.h"
#include "runs/method_codes.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

using Texts = std::vector<std::string>;

class ApproxWindowTest : public test::UiTest {
  protected:
    ApproxWindowTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        form = std::make_unique<Form1>();
        form->setRecording(true);
        form->load();
        // Messages, with " (red)" when the box a refusal paints is red while the message is read.
        runtime.setMessageBoxResponder([this](const MessageBoxRequest& r) {
            const Control& box = form->codes.calcMethod == kMethodVanDeHulst
                                     ? static_cast<Control&>(form->cboQmin)
                                     : form->txtAngle;
            shown.push_back(r.prompt + (box.backColor() == 255 ? " (red)" : ""));
            return r.style == mb::kYesNo ? mb::kYes : mb::kOk;
        });
    }
    ~ApproxWindowTest() override { form.reset(); }
    // New plot at 0.5 degrees with the method, ray orders, angle box and van de Hulst coefficient a.
    void newPlot(const char* method, const char* rays, const char* angle, const char* a) {
        Form1& f = *form;
        f.cboType.setText(method);
        f.cboRays.setText(rays);
        f.txtAngle.setText(angle);
        f.cboQmin.setText(a);
        f.cboQmax.setText("2");
        f.cboStep.setText("0.5");
        shown.clear();
        f.clearDrawLog();
        f.cmdNewPlot.click();
    }
    long linesInGraph() const {  // frame and curves
        return std::count_if(form->drawLog().begin(), form->drawLog().end(), [this](const DrawOp& op) {
            return op.kind == DrawOp::Kind::Line && op.y1 > form->graph.graphTop &&
                   op.y1 < form->graph.graphBottom;
        });
    }

    std::unique_ptr<Form1> form;
    Texts shown;
};

TEST_F(ApproxWindowTest, EveryMethodDrawsItsGraph) {
    const std::string water = "   Water in a vacuum ";
    const std::vector<Texts> cases{// method, rays, caption (empty: not the method's), messages; radius 10 um
                                   {"Rayleigh", "", "Rayleigh scattering:" + water,
                                    "Rayleigh approximation is valid only when r << wavelength"},
                                   {"Diffraction", "", "Diffraction:" + water},
                                   {"van de Hulst", "", ""},
                                   {"Huygens", "2", "Ray tracing: Huygens (p = 2)" + water},
                                   {"Huygens", "-3", "Ray tracing: Huygens (p = 0,  1,  2,  3)" + water},
                                   {"Aperture", "", ""}};
    for (const Texts& c : cases) {
        SCOPED_TRACE(c[0] + " " + c[1]);
        newPlot(c[0].c_str(), c[1].c_str(), "100", "1");
        EXPECT_EQ(shown, Texts(c.begin() + 3, c.end()));
        EXPECT_EQ(c[2].empty() ? c[2] : form->caption(), c[2]);
        EXPECT_GT(linesInGraph(), 100);  // amplitudes that are not numbers would have shown a message
    }
}

TEST_F(ApproxWindowTest, RefusalsShowTheirTextPaintTheBoxAndDrawNothing) {
    const std::string rays = "Number of rays must be between 1 and 1000000 (red)";
    const std::string samples = "Number of samples must be between 1 and 1000000 (red)";
    const std::string coefficients = "The van de Hulst coefficients must be numbers (red)";
    const std::vector<Texts> cases{// method, angle box, coefficient a ("" as start-up leaves it), message
                                   {"Huygens", "0", "1", rays},
                                   {"Huygens", "100x", "1", rays},
                                   {"Aperture", "0.5", "1", samples},
                                   {"van de Hulst", "0", "", coefficients},
                                   {"van de Hulst", "0", "1e39", coefficients}};
    for (const Texts& c : cases) {
        SCOPED_TRACE(c[0] + " \"" + c[1] + "\" \"" + c[2] + "\"");
        newPlot(c[0].c_str(), "2", c[1].c_str(), c[2].c_str());
        EXPECT_EQ(shown, Texts{c[3]});
        EXPECT_EQ(linesInGraph(), 0);
    }
}

// The Rayleigh warning lets the run go on and the later checks run all the same: angle ranges a data file
// could not hold are refused, on an angle graph and a Lee diagram, and nothing is drawn.
TEST_F(ApproxWindowTest, TheRayleighWarningLeavesTheLaterChecks) {
    const std::string warning = "Rayleigh approximation is valid only when r << wavelength";
    const std::vector<Texts> cases{
        {"Intensity v. scattering angle", "0", "200", "Maximum angle > 180 degrees"},
        {"Intensity v. scattering angle", "170", "10", "Minimum angle > Maximum angle"},
        {"Lee diagram", "170", "10", "Minimum angle > Maximum angle"}};
    for (const Texts& c : cases) {
        SCOPED_TRACE(c[3]);
        form->cboGraph.setText(c[0]), form->txtXmin.setText(c[1]), form->txtXmax.setText(c[2]);
        newPlot("Rayleigh", "", "100", "1");
        EXPECT_EQ(shown, (Texts{warning, c[3]}));
        EXPECT_EQ(linesInGraph(), 0);
    }
}

TEST_F(ApproxWindowTest, StopEndsHuygensAtTheAngleInHand) {
    bool pressed = false;
    runtime.setPumpHook([&] {  // Stop at the run's first pump, before its first angle
        if (pressed || !form->cmdStop.visible()) return;
        pressed = true;
        form->cmdStop.click();
    });
    newPlot("Huygens", "2", "1000", "1");
    EXPECT_TRUE(pressed);
    EXPECT_EQ(form->runProgress.stepsDone, 1);
}

TEST_F(ApproxWindowTest, AmplitudesThatAreNotNumbersEndTheRunNamingTheMethod) {
    form->txtRadius.setText("1e150");  // x^3 beyond the Double range
    newPlot("Rayleigh", "", "0", "1");
    ASSERT_EQ(shown.size(), 2u);  // after the warning
    EXPECT_EQ(shown[1].rfind("Rayleigh scattering gave amplitudes that are not finite", 0), 0u);
    EXPECT_EQ(form->codes.runState, 1);
}

}  // namespace
}  // namespace tessary
