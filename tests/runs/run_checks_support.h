// Shared set-up of the input-check and run-estimate tests: a main window made but not loaded (so no
// handler is raised and the checks are seen alone), its inputs set as start-up leaves them for the
// default graph (Mie, intensity v. scattering angle, 0 to 180 degrees at 0.1, radius 10 um,
// wavelength 0.65 um), and a message-box recorder that notes which inputs are red while each message
// is read.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary::test {

inline constexpr OleColor kRedBox = 255;
inline constexpr OleColor kWhiteBox = 16777215;
inline const std::string kEntryMessage = "    The red highlighted data entry is incorrect.    ";

struct ShownBox {
    std::string prompt;
    int style = 0;
    std::string title;
    std::vector<std::string> red;  // inputs red while the box was shown
};

// Members are public so that the case tables can set the window up through the fixture.
class RunChecksTest : public UiTest {
  public:
    RunChecksTest() : form(std::make_unique<Form1>()), f(*form) {
        runtime.setMessageBoxResponder([this](const MessageBoxRequest& r) {
            shown.push_back({r.prompt, r.style, r.title, redInputs()});
            if (!answers.empty()) {
                const int a = answers.front();
                answers.pop_front();
                return a;
            }
            return r.style == mb::kYesNo ? mb::kYes : mb::kOk;
        });
        setDefaults();
    }

    void setDefaults() {
        f.codes.calcMethod = kMethodMie;
        f.codes.graphCode = kGraphAngle;
        f.codes.graphSubCode = kSubIntensity;
        f.calc.waveCount = 1;
        f.codes.runState = 1;
        f.runFlags.resultsFromFile = 0;
        f.cboType.setText("Mie");
        f.cboGraph.setText("Intensity v. scattering angle");
        f.txtXmin.setText("0");
        f.txtXmax.setText("180");
        f.cboStep.setText("0.1");
        f.txtRadius.setText("10");
        f.txtLambda.setText("0.65");
        f.txtRefractReal.setText("1.33257035");
        f.txtRefractImag.setText("0");
        f.cboYmin.setText("Automatic");
        f.cboYmax.setText("Automatic");
        f.cboWave.setText("1");
        f.cboRays.setText("");
        f.cboDistrib.setText("Normal");
        f.cboSD.setText("1");
        f.cboN.setText("50");
        f.txtAngle.setText("0");
        f.txtRmax.setText("20");
        f.txtRstep.setText("4");
        f.optMono.setValue(true);
        f.optPoint.setValue(true);
        f.optLog.setValue(true);
        for (Menu* m : {&f.mnuDiameter, &f.mnuRadiusX, &f.mnuPolarPlot, &f.mnuIntPol, &f.mnuAmpPhase,
                        &f.mnuInterpolate, &f.mnuXStepLog, &f.mnuOverplot})
            m->setChecked(false);
        f.mnuRadius.setChecked(true);
    }

    // A sweep graph: code, sub-code, list text and range.
    void sweep(int code, int sub, const std::string& graphText, const std::string& lo, const std::string& hi,
               const std::string& step) {
        f.codes.graphCode = code;
        f.codes.graphSubCode = sub;
        f.cboGraph.setText(graphText);
        f.txtXmin.setText(lo);
        f.txtXmax.setText(hi);
        f.cboStep.setText(step);
        f.txtAngle.setText("178");
    }
    // The Lee diagram preset: 178 to 180 degrees at 0.05, radius 5 to 20 um in 4 steps.
    void leeDiagram() {
        sweep(20, 1, "Lee diagram", "178", "180", "0.05");
        f.txtAngle.setText("0");
        f.txtRadius.setText("5");
        f.txtRmax.setText("20");
        f.txtRstep.setText("4");
        f.cboWave.setText("RGB");
    }
    // An angle map: 137 to 145 degrees at 0.05, the map frame's range, steps and fixed part.
    void angleMap(int code, const std::string& lo, const std::string& hi, const std::string& steps,
                  const std::string& fixed) {
        static const char* const kNames[] = {"Map: angle v. refractive index", "Map: angle v. imaginary RI",
                                             "Map: angle v. radius", "Map: angle v. wavelength"};
        sweep(code, 1, kNames[code - 22], "137", "145", "0.05");
        f.txtAngle.setText(code == kGraphMapRadius ? "0" : "10");
        f.txtF9_min.setText(lo);
        f.txtF9_max.setText(hi);
        f.txtF9_step.setText(steps);
        f.txtF9_fixed.setText(fixed);
    }

    // Runs the checks as New plot calls them (the x values of the boxes); returns the flag.
    int check(int flagIn = 0) {
        xLow = Val(f.txtXmin.text());
        xHigh = Val(f.txtXmax.text());
        flag = flagIn;
        f.CheckInput(xLow, xHigh, yLow, yHigh, flag);
        return flag;
    }

    std::vector<std::string> redInputs() const {
        std::vector<std::string> red;
        for (const auto& [name, control] : inputs())
            if (control->backColor() == kRedBox) red.push_back(name);
        return red;
    }

    std::vector<std::pair<std::string, const Control*>> inputs() const {
        return {{"cboType", &f.cboType},
                {"cboGraph", &f.cboGraph},
                {"cboWave", &f.cboWave},
                {"cboStep", &f.cboStep},
                {"cboYmin", &f.cboYmin},
                {"cboYmax", &f.cboYmax},
                {"txtXmin", &f.txtXmin},
                {"txtXmax", &f.txtXmax},
                {"txtRadius", &f.txtRadius},
                {"txtLambda", &f.txtLambda},
                {"txtRefractReal", &f.txtRefractReal},
                {"txtRefractImag", &f.txtRefractImag},
                {"txtAngle", &f.txtAngle},
                {"txtRmax", &f.txtRmax},
                {"txtRstep", &f.txtRstep},
                {"cboDistrib", &f.cboDistrib},
                {"cboSD", &f.cboSD},
                {"cboN", &f.cboN},
                {"cboRays", &f.cboRays},
                {"cboQmin", &f.cboQmin},
                {"cboQmax", &f.cboQmax},
                {"txtF9_min", &f.txtF9_min},
                {"txtF9_max", &f.txtF9_max},
                {"txtF9_step", &f.txtF9_step},
                {"txtF9_fixed", &f.txtF9_fixed}};
    }

    std::unique_ptr<Form1> form;
    Form1& f;
    std::vector<ShownBox> shown;
    std::deque<int> answers;
    double xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
    int flag = 0;
};

}  // namespace tessary::test
