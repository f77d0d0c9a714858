// Robustness sweep of the started main window: every graph type with every method, every menu item
// (the hidden ones too), odd numbers in the input boxes and a huge drop stopped mid-run. After each
// command the window must be usable again: inputs unlocked, the run state 1 or 4, and no NaN or
// infinite coordinate (nor a printed "NaN"/"Inf") reaching the drawing.
#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "graphs/graph_codes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

// True when the text holds "nan", "inf" or "infinity" (any case) as a word of its own, as printing an
// undefined number gives.
bool UndefinedNumberText(const std::string& text) {
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
        if (std::isalpha(c)) {
            word += static_cast<char>(std::tolower(c));
            continue;
        }
        if (word == "nan" || word == "inf" || word == "infinity") return true;
        word.clear();
    }
    return false;
}

TEST(UndefinedNumberTextTest, FindsOnlyWholeWords) {
    for (const char* bad : {"NaN", "-nan", "inf", "-Inf ", "1.#INF", "x = Infinity"})
        EXPECT_TRUE(UndefinedNumberText(bad)) << bad;
    for (const char* good : {"Information", "1.00E+307", "Linear scale", "infrared", ""})
        EXPECT_FALSE(UndefinedNumberText(good)) << good;
}

class RobustnessTest : public test::Form1Test {
  protected:
    // Cancel, OK, or OK after typing oddText into every text box of the dialog.
    enum class DialogAnswer { Cancel, Ok, OddOk };

    RobustnessTest() {
        // Every modal dialog is answered with its Cancel (or OK) button; one without it is hidden.
        runtime.setModalHook([this](Form& f) {
            if (answer == DialogAnswer::OddOk) {
                for (QLineEdit* edit : f.window()->findChildren<QLineEdit*>()) {
                    if (!edit->isEnabled() || edit->isReadOnly()) continue;
                    edit->setText(QString::fromStdString(oddText));
                    edit->textEdited(edit->text());  // as typed: raises the box's Change
                }
            }
            const char* wanted = answer == DialogAnswer::Cancel ? "Cancel" : "OK";
            for (QAbstractButton* b : f.window()->findChildren<QAbstractButton*>()) {
                if (b->text() == wanted && b->isEnabled()) {
                    b->click();
                    break;
                }
            }
            if (f.visible()) f.hide();
        });
        // A run that is still pumping after its budget is stopped (Stop is answered Yes).
        runtime.setPumpHook([this] {
            ++pumpsThisCommand;
            if (form && form->runFlags.runUnderWay && form->cmdStop.visible() &&
                pumpsThisCommand > pumpBudget && !stopPressed) {
                stopPressed = true;
                ++stopsNeeded;
                form->cmdStop.click();
            }
        });
    }

    Form1& start() {
        Form1& f = started();
        for (Canvas* c : canvases()) c->setRecording(true);
        return f;
    }

    std::vector<Canvas*> canvases() {
        return {form.get(), &form->Picture1, &form->Picture2, &form->Picture3};
    }

    void armHiddenMode() {
        auto press = [this](int key, int shift) { form->Form_KeyDown(key, shift); };
        for (int key : form->windowState.hiddenKeyTable) press(key, 0);
        press('G', keys::kCtrlMask);
    }
    // Ctrl+J while armed: the special mode (the convergence graph and three more methods), then
    // armed again.
    void switchSpecialMode() {
        int key = 'J', shift = keys::kCtrlMask;
        form->Form_KeyDown(key, shift);
        key = 'G';
        form->Form_KeyDown(key, shift);
    }

    // Cheap run settings: a small drop, a coarse angle grid (the x graphs keep their preset step),
    // ray order 2 (the Debye series and Airy theory) and surface-wave terms 1 to 2.
    void cheap() {
        form->txtRadius.setText("1");
        if (form->codes.graphCode == kGraphAngle) form->cboStep.setText("1");
        form->cboRays.setText("2");
        form->cboQmin.setText("1");
        form->cboQmax.setText("2");
    }

    // Runs one command with a fresh pump budget, then checks the window is idle and drew nothing
    // undefined.
    void command(const std::string& what, const std::function<void()>& run, int budget = 400) {
        SCOPED_TRACE(what);
        pumpsThisCommand = 0;
        pumpBudget = budget;
        stopPressed = false;
        const std::size_t before = messages.shown().size();
        run();
        ++commands;
        if (std::getenv("ROBUST_TRACE")) {
            std::size_t ops = 0;
            for (Canvas* c : canvases()) ops += c->drawLog().size();
            std::fprintf(stderr, "CMD %s | state %d pumps %d ops %zu", what.c_str(), form->codes.runState,
                         pumpsThisCommand, ops);
            for (std::size_t i = before; i < messages.shown().size(); ++i)
                std::fprintf(stderr, " | MSG %s", messages.shown()[i].prompt.substr(0, 60).c_str());
            std::fprintf(stderr, "\n");
        }
        checkIdle(what);
    }

    void checkIdle(const std::string& what) {
        Form1& f = *form;
        EXPECT_FALSE(f.windowState.inputsLocked) << what;
        EXPECT_FALSE(f.runFlags.runUnderWay) << what;
        EXPECT_TRUE(f.codes.runState == 1 || f.codes.runState == 4)
            << what << ": runState " << f.codes.runState;
        EXPECT_TRUE(f.cmdNewPlot.enabled()) << what;
        std::size_t i = 0;
        droppedSoFar.resize(canvases().size(), 0);
        for (Canvas* c : canvases()) {
            EXPECT_EQ(c->droppedCommands(), droppedSoFar[i]) << what << ": NaN or infinite coordinates";
            droppedSoFar[i++] = c->droppedCommands();
            for (const DrawOp& op : c->drawLog()) {
                if (op.kind != DrawOp::Kind::Text) continue;
                EXPECT_FALSE(UndefinedNumberText(op.text)) << what << ": printed " << op.text;
            }
            c->clearDrawLog();
        }
        EXPECT_EQ(runtime.modalFormsLeftOpen(), 0) << what;
    }

    void newPlot() { form->cmdNewPlot.click(); }
    // Overplot and Replot only as the user can press them.
    void overPlot() {
        if (form->cmdOverPlot.enabled() && form->cmdOverPlot.visible()) form->cmdOverPlot.click();
    }
    void replot() {
        if (form->cmdReplot.enabled() && form->cmdReplot.visible()) form->cmdReplot.click();
    }

    // The leaves of a menu tree as the user reaches them (enabled and visible all the way down);
    // opening a sub-menu raises its Click.
    void leaves(QAction* action, std::vector<QAction*>& out) {
        if (!action || action->isSeparator() || !action->isVisible() || !action->isEnabled()) return;
        if (QMenu* sub = action->menu()) {
            sub->aboutToShow();
            for (QAction* child : sub->actions()) leaves(child, out);
            return;
        }
        out.push_back(action);
    }

    std::vector<QAction*> menuLeaves() {
        Form1& f = *form;
        std::vector<QAction*> out;
        for (Menu* root : {&f.mnuFile, &f.mnuGraphOptions, &f.mnuPlotOptions, &f.mnuAdvanced, &f.mnuColour,
                           &f.mnuWindow, &f.mnuHelp, &f.mnuHidden, &f.mnuSpecial})
            leaves(root->action(), out);
        return out;
    }

    void walkMenus(const std::string& pass) {
        for (QAction* a : menuLeaves()) {
            if (a == form->mnuExit.action()) continue;  // ends the program
            const std::string name = pass + " " + a->text().toStdString();
            command(name, [&] {
                if (a->isEnabled() && a->isVisible()) a->trigger();
            });
            command(name + " + New plot", [&] {
                cheap();
                newPlot();
            });
        }
    }

    DialogAnswer answer = DialogAnswer::Cancel;
    std::string oddText;
    int pumpsThisCommand = 0;
    int pumpBudget = 400;
    bool stopPressed = false;
    int stopsNeeded = 0;
    int commands = 0;
    std::vector<int> droppedSoFar;
};

TEST_F(RobustnessTest, EveryGraphTypeWithEveryMethod) {
    Form1& f = start();
    armHiddenMode();  // the hidden graph type and methods too
    switchSpecialMode();
    const int graphs = f.cboGraph.listCount();
    const int types = f.cboType.listCount();
    ASSERT_GT(graphs, 21);
    ASSERT_GT(types, 11);
    for (int g = 0; g < graphs; ++g) {
        for (int t = 0; t < types; ++t) {
            const std::string name = f.cboGraph.list(g) + " / " + f.cboType.list(t);
            command(name + " select", [&] {
                cheap();
                f.cboGraph.setListIndex(g);
                f.cboType.setListIndex(t);
                cheap();
            });
            command(name + " New plot", [&] { newPlot(); });
            command(name + " Overplot", [&] { overPlot(); });
            command(name + " Replot", [&] { replot(); });
        }
        command("Restore defaults", [&] { f.cmdDefault.click(); });
    }
    RecordProperty("stops", stopsNeeded);
}

TEST_F(RobustnessTest, EveryMenuItemFollowedByNewPlot) {
    start();
    armHiddenMode();
    answer = DialogAnswer::Cancel;
    walkMenus("cancel");
    command("Restore defaults", [&] { form->cmdDefault.click(); });
    answer = DialogAnswer::Ok;
    walkMenus("ok");
    // The special mode and the Debye-term frame, then everything once more.
    switchSpecialMode();
    int key = 'F', shift = keys::kCtrlMask;
    form->Form_KeyDown(key, shift);
    walkMenus("special");
    // Odd numbers typed into every dialog before OK.
    answer = DialogAnswer::OddOk;
    for (const char* odd : {"abc", "0", "-1", "1e308", "nan"}) {
        oddText = odd;
        walkMenus(std::string("odd ") + odd);
        command("Restore defaults", [&] { form->cmdDefault.click(); });
    }
}

TEST_F(RobustnessTest, OddNumbersInEveryBox) {
    Form1& f = start();
    struct Box {
        const char* name;
        std::function<void(const std::string&)> set;
        std::function<std::string()> get;
    };
    auto text = [](TextBox& b) { return [&b](const std::string& s) { b.setText(s); }; };
    auto combo = [](ComboBox& b) { return [&b](const std::string& s) { b.setText(s); }; };
    auto textOf = [](TextBox& b) { return [&b] { return b.text(); }; };
    auto comboOf = [](ComboBox& b) { return [&b] { return b.text(); }; };
    const std::vector<Box> boxes{
        {"txtLambda", text(f.txtLambda), textOf(f.txtLambda)},
        {"txtRefractReal", text(f.txtRefractReal), textOf(f.txtRefractReal)},
        {"txtRefractImag", text(f.txtRefractImag), textOf(f.txtRefractImag)},
        {"txtRadius", text(f.txtRadius), textOf(f.txtRadius)},
        {"txtRmax", text(f.txtRmax), textOf(f.txtRmax)},
        {"txtRstep", text(f.txtRstep), textOf(f.txtRstep)},
        {"txtAngle", text(f.txtAngle), textOf(f.txtAngle)},
        {"txtXmin", text(f.txtXmin), textOf(f.txtXmin)},
        {"txtXmax", text(f.txtXmax), textOf(f.txtXmax)},
        {"txtSWAmp", text(f.txtSWAmp), textOf(f.txtSWAmp)},
        {"txtF9_fixed", text(f.txtF9_fixed), textOf(f.txtF9_fixed)},
        {"txtF9_min", text(f.txtF9_min), textOf(f.txtF9_min)},
        {"txtF9_max", text(f.txtF9_max), textOf(f.txtF9_max)},
        {"txtF9_step", text(f.txtF9_step), textOf(f.txtF9_step)},
        {"cboStep", combo(f.cboStep), comboOf(f.cboStep)},
        {"cboWave", combo(f.cboWave), comboOf(f.cboWave)},
        {"cboYmax", combo(f.cboYmax), comboOf(f.cboYmax)},
        {"cboYmin", combo(f.cboYmin), comboOf(f.cboYmin)},
        {"cboSD", combo(f.cboSD), comboOf(f.cboSD)},
        {"cboN", combo(f.cboN), comboOf(f.cboN)},
        {"cboBright", combo(f.cboBright), comboOf(f.cboBright)},
        {"cboRays", combo(f.cboRays), comboOf(f.cboRays)},
        {"cboQmin", combo(f.cboQmin), comboOf(f.cboQmin)},
        {"cboQmax", combo(f.cboQmax), comboOf(f.cboQmax)},
        {"cboDistrib", combo(f.cboDistrib), comboOf(f.cboDistrib)},
    };
    const std::vector<std::string> odd{"", "abc", "0", "-1", "1e308", "1e-308", "nan"};
    // Angle graphs by the Mie and Debye series, an x graph, a Lee diagram, a map; then the Debye
    // series in a Gaussian beam (the beam dialog answered with its values).
    const std::vector<std::pair<int, int>> graphAndType{{0, 0}, {0, 1}, {4, 0}, {7, 0}, {19, 0}, {0, 1}};
    for (std::size_t run = 0; run < graphAndType.size(); ++run) {
        const auto [graph, type] = graphAndType[run];
        if (run == 5) {
            answer = DialogAnswer::Ok;
            command("Gaussian beam", [&] { f.mnuGaussian.trigger(); });
            ASSERT_TRUE(f.mnuGaussian.checked());
        }
        for (const Box& box : boxes) {
            const std::string original = box.get();
            for (const std::string& value : odd) {
                const std::string name = f.cboGraph.list(graph) + " / " + f.cboType.list(type) + " " +
                                         box.name + " = \"" + value + "\"";
                command(name + " set", [&] {
                    f.cboGraph.setListIndex(graph);
                    f.cboType.setListIndex(type);
                    cheap();
                    box.set(value);
                });
                command(name + " New plot", [&] { newPlot(); });
                command(name + " Overplot", [&] { overPlot(); });
                command(name + " Replot", [&] { replot(); });
            }
            command("Restore defaults", [&] {
                box.set(original);
                f.cmdDefault.click();
            });
        }
    }
}

// A linear y axis up to a typed maximum near the largest double: the grid lines stay on the graph.
TEST_F(RobustnessTest, LinearAxisUpToTheLargestDoubleDrawsFiniteGridLines) {
    Form1& f = start();
    f.optLinear.setValue(true);
    f.graph.phasePanel = 0;
    float left = 1000, right = 15000, top = 3400, bottom = 9800;
    double x0 = 0, x1 = 180, y0 = 0, y1 = 1e308;
    f.Grid(left, right, top, bottom, x0, x1, y0, y1);
    EXPECT_EQ(f.droppedCommands(), 0);
    int gridLines = 0;
    for (const DrawOp& op : f.drawLog()) {
        if (op.kind != DrawOp::Kind::Line || op.x1 != left + 20 || op.y1 != op.y2) continue;
        ++gridLines;
        EXPECT_GT(op.y1, top);
        EXPECT_LT(op.y1, bottom);
    }
    EXPECT_GT(gridLines, 0);
}

// The user chooses every menu item while a run pumps its events: the run still ends in order.
TEST_F(RobustnessTest, EveryMenuItemDuringARun) {
    Form1& f = start();
    armHiddenMode();
    const std::vector<QAction*> items = menuLeaves();
    bool chosen = false;
    runtime.setPumpHook([&] {
        if (chosen || !f.runFlags.runUnderWay) return;
        chosen = true;
        for (QAction* a : items)
            if (a != f.mnuExit.action() && a->isEnabled() && a->isVisible()) a->trigger();
        f.cmdDefault.click();
        f.cmdNewPlot.click();
        f.cmdOverPlot.click();
        f.cmdReplot.click();
    });
    command("menus during a run", [&] {
        cheap();
        f.txtRadius.setText("20");
        newPlot();
    });
    EXPECT_TRUE(chosen);
    command("New plot afterwards", [&] {
        cheap();
        newPlot();
    });
}

TEST_F(RobustnessTest, HugeDropIsStoppedThroughThePump) {
    Form1& f = start();
    for (int graph : {0, 4, 8}) {
        for (const char* r : {"1e6", "300"}) {
            const std::string name = f.cboGraph.list(graph) + " radius " + r;
            command(name + " set", [&] {
                f.cboGraph.setListIndex(graph);
                cheap();
                f.cboStep.setText("0.1");
                f.txtRadius.setText(r);
            });
            const std::size_t shownBefore = messages.shown().size();
            command(
                name + " New plot", [&] { newPlot(); }, 0);
            if (graph == 0 && std::string(r) == "1e6") {
                // |m x| past the series' limit: refused before the run, nothing to stop
                EXPECT_EQ(stopsNeeded, 0);
                ASSERT_EQ(messages.shown().size(), shownBefore + 1);
                EXPECT_EQ(messages.last().prompt, "Reduce radius or increase wavelength");
            } else {
                EXPECT_EQ(stopsNeeded, 1) << name;  // the x graphs run until stopped like the angle graph
            }
            stopsNeeded = 0;
            command("Restore defaults", [&] { f.cmdDefault.click(); });
        }
    }
}

}  // namespace
}  // namespace tessary
