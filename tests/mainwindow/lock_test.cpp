// Input locking: LockON disables exactly the inputs and commands of its list and hides the simulation
// button; LockOFF enables them again with the graph-type rules; while locked, commands that would start
// a run or redraw refuse.
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "file_bytes.h"
#include "graphs/graph_codes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

constexpr OleColor kYellow = 65535;
constexpr OleColor kWhite = 0xFFFFFF;

class LockTest : public Form1Test {
  protected:
    LockTest() : f(started()) {}

    // The 33 controls LockON disables, in its order: the light source last.
    std::vector<Control*> locked() {
        return {&f.cmdNewPlot, &f.cmdReplot,  &f.cmdOverPlot, &f.cboYmin,        &f.cboYmax,
                &f.optXLog,    &f.OptXLinear, &f.cboStep,     &f.txtXmin,        &f.txtXmax,
                &f.txtRadius,  &f.txtLambda,  &f.optMono,     &f.optDisp,        &f.cboDistrib,
                &f.cboSD,      &f.cboN,       &f.cboWave,     &f.txtRefractReal, &f.txtRefractImag,
                &f.txtRmax,    &f.txtRstep,   &f.cboPol,      &f.cboBright,      &f.cboLee,
                &f.cboGraph,   &f.txtAngle,   &f.cboType,     &f.cboRays,        &f.cmdDefault,
                &f.cmdExit,    &f.optPoint,   &f.optSun};
    }
    // Controls the lock leaves as they are.
    std::vector<Control*> untouched() {
        return {&f.optLog,  &f.optLinear, &f.cmdStop,  &f.chk1256, &f.chkRays0,      &f.chkPhase, &f.chkR22,
                &f.cboQmin, &f.cboQmax,   &f.txtSWAmp, &f.cmdInfo, &f.chkComponents, &f.txtF9_min};
    }

    Form1& f;
};

TEST_F(LockTest, LockOnDisablesTheListAndHidesTheSimulationButton) {
    for (Control* c : locked()) c->setEnabled(true);
    f.cmdSimulation.setVisible(true);
    std::vector<std::pair<bool, bool>> before;
    for (Control* c : untouched()) before.emplace_back(c->enabled(), c->visible());
    const bool exitMenu = f.mnuExit.enabled();

    f.LockON();

    EXPECT_EQ(locked().size(), 33u);
    for (Control* c : locked()) EXPECT_FALSE(c->enabled());
    EXPECT_FALSE(f.cmdSimulation.visible());
    EXPECT_EQ(f.mousePointer(), 11);
    EXPECT_TRUE(f.windowState.inputsLocked);
    std::size_t i = 0;
    for (Control* c : untouched()) {
        EXPECT_EQ(c->enabled(), before[i].first);
        EXPECT_EQ(c->visible(), before[i].second);
        ++i;
    }
    EXPECT_EQ(f.mnuExit.enabled(), exitMenu);
}

TEST_F(LockTest, LockOffAfterAOneWavelengthAngleGraph) {
    test::Choose(f.cboGraph, "Intensity v. scattering angle");
    test::Choose(f.cboWave, "1");
    f.LockON();
    f.LockOFF();
    EXPECT_FALSE(f.windowState.inputsLocked);
    EXPECT_EQ(f.mousePointer(), 1);
    for (Control* c : locked()) {
        if (c == &f.cboBright) continue;  // stays disabled after a one-wavelength run below code 20
        EXPECT_TRUE(c->enabled());
    }
    EXPECT_FALSE(f.cboBright.enabled());
    EXPECT_TRUE(f.cmdOverPlot.visible());
    EXPECT_TRUE(f.cmdNewPlot.isDefault());
    // The unlock does not bring back the simulation button.
    EXPECT_FALSE(f.cmdSimulation.visible());
}

TEST_F(LockTest, LockOffAfterSeveralWavelengthsOrADiagram) {
    for (const auto& [code, waves] : {std::pair{1, "3"}, std::pair{20, "1"}, std::pair{23, "1"}}) {
        test::ChooseGraph(f, code);
        test::Choose(f.cboWave, waves);
        test::Press(f.cmdNewPlot);  // the run on show: several wavelengths, or a diagram or map
        f.LockON();
        f.LockOFF();
        EXPECT_TRUE(f.cboBright.enabled()) << code;
        EXPECT_FALSE(f.cmdOverPlot.visible()) << code;
        EXPECT_EQ(f.cboWave.enabled(), code == kGraphAngle || code == kGraphLee) << code;
    }
}

TEST_F(LockTest, WavelengthCountIsDisabledAfterAWavelengthGraph) {
    test::Choose(f.cboGraph, "Intensity v. wavelength");
    test::Choose(f.cboWave, "1");
    f.LockON();
    f.LockOFF();
    EXPECT_FALSE(f.cboWave.enabled());
}

TEST_F(LockTest, LockOffSelectsTheLogarithmicScaleWhenTheScaleButtonsWereDisabled) {
    f.optLinear.setValue(true);
    f.optLinear.setEnabled(false);
    f.LockOFF();
    EXPECT_TRUE(f.optLog.enabled());
    EXPECT_TRUE(f.optLinear.enabled());
    EXPECT_TRUE(f.optLog.value());
    // With both enabled the choice is left alone.
    f.optLinear.setValue(true);
    f.LockOFF();
    EXPECT_TRUE(f.optLinear.value());
}

TEST_F(LockTest, LockOffClearsSomeMarksAndKeepsOthers) {
    f.txtRadius.setBackColor(kYellow);
    f.txtLambda.setBackColor(kYellow);
    f.cboYmax.setBackColor(kYellow);
    f.cboStep.setBackColor(kYellow);
    f.cboRays.setBackColor(kYellow);
    f.LockOFF();
    EXPECT_EQ(f.txtRadius.backColor(), kWhite);
    EXPECT_EQ(f.cboStep.backColor(), kWhite);
    EXPECT_EQ(f.cboRays.backColor(), kWhite);
    EXPECT_EQ(f.optMono.backColor(), kButtonFace);
    EXPECT_EQ(f.txtLambda.backColor(), kYellow);
    EXPECT_EQ(f.cboYmax.backColor(), kYellow);
}

TEST_F(LockTest, OneUnlockUndoesAnyNumberOfLocks) {
    f.LockON();
    f.LockON();
    f.LockOFF();
    EXPECT_FALSE(f.windowState.inputsLocked);
    EXPECT_TRUE(f.cmdNewPlot.enabled());
}

TEST_F(LockTest, WhileLockedTheSimulationCommandsRefuse) {
    f.LockON();
    const int beeps = runtime.beepCount();
    f.mnuWindowSimulation.setEnabled(true);
    f.mnuWindowSimulation.trigger();
    f.cmdSimulation_Click();
    // No nested unlock: the inputs stay locked and the simulation window stays hidden.
    EXPECT_TRUE(f.windowState.inputsLocked);
    EXPECT_FALSE(f.cmdNewPlot.enabled());
    EXPECT_FALSE(f.Form2_->visible());
    EXPECT_EQ(runtime.beepCount(), beeps + 2);
}

// The darkest pixel of a widget as drawn (0 black .. 255 white), for its caption or text.
int DarkestPixel(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

// Seen from inside a run (the pump hook, which then stops it): the locked controls say so and are
// drawn greyed, and the busy pointer is up from the first pump on.
TEST_F(LockTest, ARunShowsTheLockedWindow) {
    f.show();
    const std::vector<Control*> seen = {&f.cmdNewPlot, &f.cmdExit, &f.txtRadius};
    std::vector<int> lockedDarkest;
    runtime.setPumpHook([&] {
        if (!lockedDarkest.empty() || !f.cmdStop.visible()) return;
        EXPECT_EQ(f.mousePointer(), 11);
        EXPECT_EQ(f.window()->cursor().shape(), Qt::WaitCursor);
        for (Control* c : seen) {
            EXPECT_FALSE(c->enabled() || c->widget()->isEnabled());
            lockedDarkest.push_back(DarkestPixel(c->widget()));
        }
        f.cmdStop.click();  // answered Yes
    });
    f.txtRadius.setText("200");
    f.cmdNewPlot.click();
    ASSERT_EQ(lockedDarkest.size(), seen.size());
    for (std::size_t i = 0; i < seen.size(); ++i)  // greyed against black text
        EXPECT_GT(lockedDarkest[i], DarkestPixel(seen[i]->widget()) + 40) << i;
}

// Sun or Point clicked at the first pump of a Lee diagram or map cannot reach its rows: the option is locked,
// and the file saved names the light of a fresh window's run and holds its rows.
TEST_F(LockTest, TheLightSourceStaysAsTheRunStartedIt) {
    const test::TestFolder folder("tessary_lock_light_");
    const auto saved = [&](const char* graph, bool sun, bool click) {
        Form1& w = started();
        test::Choose(w.cboGraph, graph), (sun ? w.optSun : w.optPoint).setValue(true);
        runtime.setPumpHook([&w, sun, click]() mutable {
            OptionButton& other = sun ? w.optPoint : w.optSun;
            if (!click || !w.windowState.inputsLocked) return;
            click = false;
            EXPECT_FALSE(other.enabled()) << "the other light source can be clicked";
            if (other.enabled()) other.setValue(true);
        });
        test::Press(w.cmdNewPlot);
        runtime.setPumpHook({});
        fileDialogs.answer(folder.at("run")), test::Choose(w.mnuSave);
        return test::ReadAll(folder.at("run") + ".tsy");
    };
    for (const char* graph : {"Map: angle v. radius", "Lee diagram"})
        for (const bool sun : {false, true}) {
            const std::string clicked = saved(graph, sun, true);
            EXPECT_NE(clicked.find(sun ? "Light source: Sun" : "Light source: Point"), std::string::npos);
            EXPECT_TRUE(saved(graph, sun, false) == clicked) << graph << sun;
        }
}

}  // namespace
}  // namespace tessary
