// The data readout after real runs shows only the efficiencies the run on show computed whole, and a
// wavelength outside the IAPWS sphere's window is reported and never run with the previous index.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "mainwindow/form1.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

class ReadoutRunTest : public test::UiTest {
  protected:
    ReadoutRunTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        form = std::make_unique<Form1>();
        form->setRecording(true);
        form->load();
        form->mnuDataVisible.setChecked(true);
        form->clearDrawLog();
        messages.clear();
    }
    ~ReadoutRunTest() override { form.reset(); }

    // The labels of the data-box lines printed since the log was cleared ("Qsca", "Qext", ...).
    std::set<std::string> readoutLines() const {
        std::set<std::string> shown;
        for (const DrawOp& op : form->drawLog())
            if (op.kind == DrawOp::Kind::Text && op.x1 == 12000 && op.text.find(" = ") != std::string::npos)
                shown.insert(op.text.substr(0, op.text.find(" = ")));
        return shown;
    }

    std::unique_ptr<Form1> form;
};

using Lines = std::set<std::string>;
const Lines kAll{"Qsca", "Qext", "Qabs", "Qback", "Qradar"};

TEST_F(ReadoutRunTest, OnlyWhatTheRunComputedIsShown) {
    Form1& f = *form;
    const struct {
        const char* what;
        std::function<void()> run;
        Lines shown;
    } cases[] = {
        {"a whole Mie run", [&] { f.cmdNewPlot.click(); }, kAll},
        {"a stopped run",
         [&] {
             f.txtRadius.setText("200");
             messages.answer(mb::kYes);
             runtime.setPumpHook([&] {
                 if (f.cmdStop.visible() && f.runState != 4) f.cmdStop.click();
             });
             f.cmdNewPlot.click();
             runtime.setPumpHook({});
         },
         {}},
        {"an angle window of 130 to 150 degrees",
         [&] {
             f.txtXmin.setText("130");
             f.txtXmax.setText("150");
             f.cmdNewPlot.click();
         },
         {"Qsca"}},
        {"amplitudes divided by x",
         [&] {
             f.mnuSize.setChecked(true);
             f.cmdNewPlot.click();
         },
         {"Qsca"}},
        {"a Debye run",
         [&] {
             f.cboType.setText("Debye");
             f.cboRays.setText("1");
             f.cmdNewPlot.click();
         },
         {}},
        {"a refusal inside a run",
         [&] {
             f.cboStep.setText("0");
             f.runState = 1;
             f.Overplot();
         },
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Each case follows a whole run whose values are all on show.
        f.cmdNewPlot.click();
        f.clearDrawLog();
        c.run();
        EXPECT_EQ(readoutLines(), c.shown);
        f.txtRadius.setText("10");
        f.txtXmin.setText("0");
        f.txtXmax.setText("180");
        f.cboStep.setText("0.1");
        f.mnuSize.setChecked(false);
        f.cboType.setText("Mie");
    }
}

TEST_F(ReadoutRunTest, IapwsWaterAtFiveMicrometresIsReportedAndNotRun) {
    Form1& f = *form;
    f.txtLambda.setText("1");
    const std::string index = f.txtRefractReal.text();
    messages.clear();
    f.txtLambda.setText("5");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt,
              "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band");
    EXPECT_EQ(f.txtRefractReal.text(), index);
    for (CommandButton* command : {&f.cmdNewPlot, &f.cmdOverPlot}) {
        f.calcIndexRe = -1;  // set by every run from the index box
        f.cmdOverPlot.setEnabled(true);
        command->click();
        EXPECT_EQ(f.calcIndexRe, -1) << command->caption();
    }
}

}  // namespace
}  // namespace tessary
