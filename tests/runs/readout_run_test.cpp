// The data readout after real runs shows only the efficiencies the run on show computed whole; a
// wavelength outside the IAPWS sphere's window is reported and never run with the previous index.
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "file_bytes.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "scattering/mie.h"
#include "tests/mainwindow/window_driver.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

// A started window with the data box shown, scripted messages and modal dialogs closed at once.
struct ReadoutWindow {
    ReadoutWindow() {
        test::testApplication();
        runtime.setScreen(ScreenMetrics{1024, 768, 15, 15});
        messages.install(runtime);
        runtime.setFileDialogs(&fileDialogs);
        runtime.setModalHook([](Form& d) { d.hide(); });
        fresh();
    }
    // A fresh window, started, with the data box shown and what it draws recorded.
    Form1& fresh() {
        form = std::make_unique<Form1>();
        form->setRecording(true);
        form->load();
        form->mnuDataVisible.setChecked(true);
        form->clearDrawLog();
        return *form;
    }
    Runtime runtime;
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs fileDialogs;
    std::unique_ptr<Form1> form;
};

// The data box's lines as the window last drew them.
std::set<std::string> DataBox(const Form1& f) {
    std::set<std::string> shown;
    for (const DrawOp& op : f.drawLog())
        if (op.kind == DrawOp::Kind::Text && op.x1 == 12000) shown.insert(op.text);
    return shown;
}

TEST(ReadoutRunTest, OnlyWhatTheRunComputedIsShownAndNoStaleIndexRuns) {
    ReadoutWindow w;
    Runtime& runtime = w.runtime;
    ScriptedMessageBoxes& messages = w.messages;
    Form1& f = *w.form;
    const auto stopAtOnce = [&] {
        if (f.cmdStop.visible() && f.codes.runState != 4) f.cmdStop.click();
    };
    const struct {
        const char* what;
        std::function<void()> set;
        std::set<std::string> shown;
    } cases[] = {
        {"whole", [] {}, {"Qsca", "Qext", "Qabs", "Qback", "Qradar"}},
        {"stopped",
         [&] {
             f.txtRadius.setText("200");
             runtime.setPumpHook(stopAtOnce);
         },
         {}},
        {"130-150 degrees",
         [&] {
             f.txtXmin.setText("130");
             f.txtXmax.setText("150");
         },
         {"Qsca", "Qext", "Qabs", "Qback", "Qradar"}},
        {"divided by x", [&] { f.mnuSize.setChecked(true); }, {"Qsca"}},
        {"Debye",
         [&] {
             f.cboType.setText("Debye");
             f.cboRays.setText("1");
         },
         {}},
        {"refused by the driver", [&] { f.cboStep.setText("0"); }, {}},
    };
    for (const auto& c : cases) {
        f.cmdNewPlot.click();
        c.set();
        f.clearDrawLog();
        f.cmdNewPlot.click();
        if (std::string(c.what) == "refused by the driver") {  // past the input checks
            f.codes.runState = 1;
            f.Overplot();
        }
        std::set<std::string> shown;
        for (const std::string& line : DataBox(f)) shown.insert(line.substr(0, line.find(" = ")));
        EXPECT_EQ(shown, c.shown) << c.what;
        runtime.setPumpHook({});
        for (auto [box, text] : {std::pair{&f.txtRadius, "10"}, {&f.txtXmin, "0"}, {&f.txtXmax, "180"}})
            box->setText(text);
        f.cboStep.setText("0.1");
        f.mnuSize.setChecked(false);
        f.cboType.setText("Mie");
    }

    f.txtLambda.setText("5");  // IAPWS water has no index there: New plot and Overplot refuse
    messages.clear();
    for (CommandButton* command : {&f.cmdNewPlot, &f.cmdOverPlot}) {
        f.calc.calcIndexRe = -1;  // every run takes it from the index box
        command->click();
        EXPECT_EQ(f.calc.calcIndexRe, -1) << command->caption();
    }
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.last().prompt,
              "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band");
}

// A Mie run shows the five efficiencies of the series over all angles at any range; others none, a file Qsca.
TEST(ReadoutRunTest, AMieRunShowsItsEfficienciesAtAnyAngleRange) {
    enum Shown { All, QscaOnly, None };
    const struct {
        const char *what, *from, *to, *imag;
        std::function<void(Form1&)> set;
        Shown shown;
    } cases[] = {
        {"Mie", "0", "180", "0", [](Form1&) {}, All},
        {"Mie", "130", "150", "0", [](Form1&) {}, All},
        {"Mie", "30", "180", "0", [](Form1&) {}, All},
        {"Mie", "0", "150", "0", [](Form1&) {}, All},
        {"Mie absorbing", "30", "150", "0.01", [](Form1&) {}, All},
        {"Gaussian beam", "30", "180", "0", [](Form1& f) { f.mnuGaussian.setChecked(true); }, None},
        {"Debye", "30", "180", "0", [](Form1& f) { test::Choose(f.cboType, "Debye"); }, None},
        {"Rayleigh", "0", "150", "0", [](Form1& f) { test::Choose(f.cboType, "Rayleigh"); }, None},
        {"distribution", "30", "180", "0", [](Form1& f) { f.optDisp.setValue(true); }, None},
        {"reopened", "0", "180", "0", [](Form1&) {}, QscaOnly},
    };
    const test::TestFolder folder("tessary_readout_");
    for (const auto& c : cases) {
        ReadoutWindow w;
        Form1& f = *w.form;
        f.txtXmin.setText(c.from), f.txtXmax.setText(c.to);
        f.txtRefractReal.setText("1.333"), f.txtRefractImag.setText(c.imag);
        c.set(f);
        f.cmdNewPlot.click();
        if (c.shown == QscaOnly) {  // saved, and read back into a fresh window
            w.fileDialogs.answer(folder.at("run")), f.mnuSave.trigger();
            w.fileDialogs.answer(folder.at("run.tsy")), w.fresh().mnuRead.trigger();
        }
        MieResult mie;
        MieSeries({.x = kTwoPi * 10 / 0.65, .m = {1.333, Val(c.imag)}, .NANG = 901, .first = 1, .last = 1801},
                  mie);
        const auto line = [&](const char* label, double v) { return label + w.form->AxisNumberText(v, 6); };
        std::set<std::string> expected;
        if (c.shown != None) expected.insert(line("Qsca = ", mie.Qsca));
        if (c.shown == All)
            expected.insert({line("Qext = ", mie.Qext), line("Qabs = ", mie.Qext - mie.Qsca),
                             line("Qback = ", mie.Qback), line("Qradar = ", 4 * kPi * mie.Qback)});
        EXPECT_EQ(DataBox(*w.form), expected) << c.what << " " << c.from << "-" << c.to;
    }
}

// Qradar is the radar backscattering efficiency 4|S1(180)|^2/x^2 (= 4 pi Qback), against an own Mie
// series: S1(180) = sum (2n + 1)/2 (-1)^n (a_n - b_n) to n = x + 4 x^(1/3) + 52 (the narrow
// resonances near n = 133, between x and mx, add 2.8e-5), a_n, b_n from the downward log-derivative
// D_n(mx) started at max(n, |mx|) + 60 and upward psi_n, chi_n (python3, double):
// r = 10 um, 0.65 um, m = 1.333 gives 0.806181; r = 0.01 um at 0.5 um, m = 1.5 gives 8.57380e-5,
// near Rayleigh's 4 x^4 ((m^2 - 1)/(m^2 + 2))^2 = 1.5 Qsca = 8.629e-5 (the old readout: 16x less).
TEST(ReadoutRunTest, QradarIsTheRadarBackscatteringEfficiency) {
    ReadoutWindow w;
    ScriptedMessageBoxes& messages = w.messages;
    Form1& f = *w.form;
    const struct {
        const char *radius, *lambda, *index;
        double qradar, tolerance;  // the readout's 6 digits, 3 in E format
    } cases[] = {{"10", "0.65", "1.333", 0.806181, 2e-6}, {"0.01", "0.5", "1.5", 8.57380e-5, 1e-3}};
    for (const auto& c : cases) {
        f.txtRadius.setText(c.radius);
        f.txtLambda.setText(c.lambda);
        f.txtRefractReal.setText(c.index);
        f.txtRefractImag.setText("0");
        messages.clear();
        f.clearDrawLog();
        f.cmdNewPlot.click();
        EXPECT_TRUE(messages.shown().empty()) << c.radius;
        double qradar = -1;
        for (const DrawOp& op : f.drawLog())
            if (op.kind == DrawOp::Kind::Text && op.x1 == 12000 && op.text.rfind("Qradar = ", 0) == 0)
                qradar = Val(op.text.substr(9));
        EXPECT_NEAR(qradar / c.qradar, 1.0, c.tolerance) << c.radius;
    }
}

}  // namespace
}  // namespace tessary
