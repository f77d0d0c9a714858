// The data readout after real runs shows only the efficiencies the run on show computed whole; a
// wavelength outside the IAPWS sphere's window is reported and never run with the previous index.
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "mainwindow/form1.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

TEST(ReadoutRunTest, OnlyWhatTheRunComputedIsShownAndNoStaleIndexRuns) {
    test::testApplication();
    Runtime runtime;
    runtime.setScreen(ScreenMetrics{1024, 768, 15, 15});
    ScriptedMessageBoxes messages;
    messages.install(runtime);
    runtime.setModalHook([](Form& w) { w.hide(); });
    Form1 f;
    f.setRecording(true);
    f.load();
    f.mnuDataVisible.setChecked(true);
    const auto stopAtOnce = [&] {
        if (f.cmdStop.visible() && f.runState != 4) f.cmdStop.click();
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
         {"Qsca"}},
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
            f.runState = 1;
            f.Overplot();
        }
        std::set<std::string> shown;
        for (const DrawOp& op : f.drawLog())
            if (op.kind == DrawOp::Kind::Text && op.x1 == 12000)
                shown.insert(op.text.substr(0, op.text.find(" = ")));
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
        f.calcIndexRe = -1;  // every run takes it from the index box
        command->click();
        EXPECT_EQ(f.calcIndexRe, -1) << command->caption();
    }
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.last().prompt,
              "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band");
}

}  // namespace
}  // namespace tessary
