// The run on show decides how it is redrawn and exported (its graph, the variant on show, its values and
// distribution); the graph list and menus decide only the next run, and a press refused by its checks changes
// nothing on show.
#include <QImage>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "file_bytes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using Act = std::function<void(Form1&)>;

class GraphOnShowTest : public test::Form1Test {
  protected:
    Form1& fresh() {
        Form1& f = started();
        f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
        return f;
    }
    std::string saved(Menu& command, const char* extension) {
        fileDialogs.answer(folder.at("run"));
        test::Choose(command);
        return test::ReadAll(folder.at("run") + extension);
    }
    // Presses New plot (or Overplot) with Stop pressed, answered Yes, at its first pump (past point `done`).
    void pressStopped(Form1& f, CommandButton& button, int done = 0) {
        runtime.setPumpHook([&f, done] {
            if (f.codes.runState != Form1::kRunStopped && (!done || f.runRecord.doneLast >= done) &&
                f.cmdStop.visible())
                f.cmdStop.click();
        });
        test::Press(button);
        runtime.setPumpHook({});
    }
    test::TestFolder folder{"tessary_graph_on_show_"};
};

std::vector<std::string> Texts(const Form1& f) {
    std::vector<std::string> texts;
    for (const DrawOp& op : f.drawLog())
        if (op.kind == DrawOp::Kind::Text) texts.push_back(op.text);
    return texts;
}

bool Drew(const Form1& f, const std::string& text) {
    const std::vector<std::string> texts = Texts(f);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// A press refused by its checks leaves the run on show: no redraw then draws it as the graph the list names
// (radius axis, Lee panels), nor offers Replot, and the mark of changed inputs stays.
TEST_F(GraphOnShowTest, RefusedPressThenRedrawDrawsNothingOfAnotherGraph) {
    const auto refused = [](const char* graph, bool silver) {
        return [graph, silver](Form1& f) {
            test::Choose(f.cboGraph, graph), test::Type(f.cboWave, "1");
            if (silver) test::Choose(f.mnuRI_Ag);
            test::Choose(f.cboType, "Rayleigh"), test::Press(f.cmdNewPlot);
        };
    };
    const std::vector<std::pair<Act, Act>> rows = {
        {refused("Qext/Qsca/Qabs v. radius", false), [](Form1& f) { test::Type(f.cboYmax, "100"); }},
        {refused("Intensity v. radius", true), [](Form1& f) { test::Choose(f.cboPol, "Parallel"); }},
        {[&refused](Form1& f) {
             test::Choose(f.cboGraph, "Lee diagram"), test::Press(f.cmdNewPlot);
             test::Choose(f.cboGraph, "Intensity v. scattering angle"), test::Type(f.txtRadius, "50");
             test::Press(f.cmdNewPlot), refused("Lee diagram", true)(f);
         },
         [](Form1& f) { f.optSun.setValue(true); }}};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        Form1& f = fresh();
        test::Press(f.cmdNewPlot);
        messages.clear(), rows[row].first(f);
        ASSERT_EQ(messages.shown().size(), 1u) << row;  // refused by the checks
        const QImage shown = f.image().copy();
        EXPECT_EQ(f.runFlags.resultsStale, 1) << row;
        rows[row].second(f);
        EXPECT_TRUE(f.image() == shown && !f.cmdReplot.visible()) << row;
    }
}

// Overplot is offered only over the graph on show the list names: not over a Lee diagram or map after the list
// names another graph and a refused press, and the diagram's file stays what Save writes.
TEST_F(GraphOnShowTest, NoOverplotOverADiagramWhateverTheListNames) {
    const Act angle = [](Form1& f) {
        test::Choose(f.cboGraph, "Intensity v. scattering angle"), test::Type(f.cboWave, "1");
    };
    const Act size = [](Form1& f) { test::Choose(f.cboGraph, "Cext/Csca/Cabs v. size x"); };
    const Act refusedRadius = [](Form1& f) {
        test::Type(f.txtRadius, "abc"), test::Press(f.cmdNewPlot), test::Type(f.txtRadius, "10");
    };
    const Act refusedMethod = [](Form1& f) { test::Press(f.cmdNewPlot); };  // the checks switch it to Mie
    const std::tuple<const char*, Act, Act> rows[] = {{"Lee diagram", angle, refusedRadius},
                                                      {"Lee diagram", size, refusedMethod},
                                                      {"Map: angle v. wavelength", size, refusedMethod},
                                                      {"Map: angle v. radius", size, refusedMethod}};
    for (const auto& [diagram, choose, refused] : rows) {
        Form1& f = fresh();
        test::Choose(f.cboType, "Descartes"), test::Choose(f.cboGraph, diagram), test::Press(f.cmdNewPlot);
        const std::string file = saved(f.mnuSave, ".tsy");
        choose(f);
        const QImage shown = f.image().copy();
        refused(f);
        EXPECT_FALSE(f.cmdOverPlot.visible()) << diagram;
        f.cmdOverPlot.click();  // clicked all the same: refused
        EXPECT_TRUE(saved(f.mnuSave, ".tsy") == file && f.image() == shown) << diagram;
    }
}

// The y axis names the values the run on show computed, whatever Plot > Amplitude says since.
TEST_F(GraphOnShowTest, AxisTitleNamesTheValuesOfTheRunOnShow) {
    for (const bool amplitudeRun : {false, true}) {
        Form1& f = fresh();
        if (amplitudeRun) test::Choose(f.mnuAmplitude);
        test::Press(f.cmdNewPlot), test::Choose(f.mnuAmplitude);
        f.setRecording(true), test::Choose(f.cboPol, "Parallel");
        EXPECT_TRUE(Drew(f, amplitudeRun ? "  amplitude" : "  intensity")) << amplitudeRun;
    }
}

// The export writes the variant on show, its header and rows alike, from the run's results: the phase function
// of radius 100 is the same whichever variant was computed first, and W/m2 drawn from it exports its own rows.
TEST_F(GraphOnShowTest, ExportWritesTheVariantOnShow) {
    Form1& phase = fresh();
    test::Choose(phase.cboGraph, "Phase function"), test::Type(phase.txtRadius, "100");
    test::Press(phase.cmdNewPlot);
    const std::string phaseFile = saved(phase.mnuSaveText, ".txt");
    EXPECT_NE(phaseFile.find("Graph type: \tPhase function\r\n"), std::string::npos);
    EXPECT_NE(phaseFile.find("\r\n 0 \t 470021.696347906 \t"), std::string::npos);
    test::Choose(phase.cboGraph, "Watts/sq. m. v. scattering angle");
    const std::string watts = saved(phase.mnuSaveText, ".txt");
    EXPECT_NE(watts.find("Graph type: \tWatts/sq. m. v. scattering angle\r\n"), std::string::npos);
    EXPECT_NE(watts.find("\r\n 0 \t .00236390682329795 \t"), std::string::npos);
    // Chosen again at 10 m under results out of date: nothing is redrawn, and the export stays the graph's.
    test::Choose(phase.cboGraph, "Intensity v. radius"), test::Type(phase.dlogIncident_->txtDistance, "10");
    test::Choose(phase.cboGraph, "Watts/sq. m. v. scattering angle");
    EXPECT_TRUE(saved(phase.mnuSaveText, ".txt") == watts);

    Form1& intensity = fresh();
    test::Type(intensity.txtRadius, "100"), test::Press(intensity.cmdNewPlot);
    test::Choose(intensity.cboGraph, "Phase function");
    EXPECT_TRUE(saved(intensity.mnuSaveText, ".txt") == phaseFile);
}

// After an Overplot stopped or refused inside its run, a redraw draws the size distribution of the run on show,
// not the one the boxes name since: radius ticks 7 to 13 of the radius-10 run.
TEST_F(GraphOnShowTest, RedrawDrawsTheDistributionOfTheRunOnShow) {
    for (const char* radius : {"11", "1E+30"}) {
        Form1& f = fresh();
        f.optDisp.setValue(true), test::Choose(f.cboDistrib, "Log-normal"), test::Type(f.cboSD, "10");
        test::Type(f.cboN, "5"), test::Type(f.txtRadius, "10"), test::Press(f.cmdNewPlot);
        test::Type(f.txtRadius, radius);
        std::string(radius) == "11" ? pressStopped(f, f.cmdOverPlot) : test::Press(f.cmdOverPlot);
        f.setRecording(true), test::Choose(f.cboGraph, "Phase function");
        EXPECT_TRUE(Drew(f, " 7") && Drew(f, " 13") && !Drew(f, " 14")) << radius;
    }
}

// An Overplot whose method computes no efficiency stores none: its file holds Qsca 0, as a fresh window's run.
TEST_F(GraphOnShowTest, OverplotWithoutEfficiencyStoresNone) {
    Form1& f = fresh();
    test::Press(f.cmdNewPlot), test::Choose(f.cboType, "Descartes"), test::Press(f.cmdOverPlot);
    EXPECT_EQ(f.runRecord.qSca, 0.0);
    saved(f.mnuSave, ".tsy");
    Form1& reader = fresh();
    fileDialogs.answer(folder.at("run.tsy")), test::Choose(reader.mnuRead);
    EXPECT_EQ(reader.runRecord.qSca, 0.0);
}

// A resolution of more angles than the series hold is refused by the checks before anything starts, and a run
// its method refuses before its first point leaves the run on show (also a Lee diagram), its file and drawing.
TEST_F(GraphOnShowTest, RefusalsBeforeOrInsideARunKeepTheRunOnShow) {
    const Act rayleighSamples = [](Form1& f) {
        f.optDisp.setValue(true), test::Choose(f.cboDistrib, "Log-normal"), test::Type(f.cboSD, "1e30");
        test::Choose(f.cboType, "Rayleigh"), test::Type(f.txtRadius, "0.01");
    };
    const std::vector<std::tuple<const char*, Act, std::string>> rows = {
        {"Intensity v. scattering angle", [](Form1& f) { test::Type(f.cboStep, "0.001"); },
         "Number of angles NANG = 90001 is above 9001"},
        {"Lee diagram",
         [](Form1& f) {
             test::Choose(f.cboGraph, "Intensity v. scattering angle"), test::Type(f.cboStep, "0.005");
         },
         "Number of angles NANG = 18001 is above 9001"},
        {"Intensity v. scattering angle",
         [](Form1& f) { f.optDisp.setValue(true), test::Type(f.txtRadius, "1E+30"); },
         "Reduce radius or increase wavelength"},
        {"Lee diagram",
         [](Form1& f) {
             test::Choose(f.cboGraph, "Intensity v. scattering angle"), test::Type(f.cboWave, "1");
             f.optDisp.setValue(true), test::Type(f.txtRadius, "1E+30");
         },
         "Reduce radius or increase wavelength"},
        // Rayleigh samples of a Log-normal width of 1E+30 % whose intensities sum past the number range.
        {"Intensity v. scattering angle", rayleighSamples, "The averaged intensity is out of range"},
        {"Intensity v. wavelength", rayleighSamples, "The averaged intensity is out of range"}};
    for (const auto& [graph, set, message] : rows) {
        Form1& f = fresh();
        test::Choose(f.cboGraph, graph), test::Press(f.cmdNewPlot);
        const std::string file = saved(f.mnuSave, ".tsy");
        set(f);
        const QImage shown = f.image().copy();
        const bool textExport = f.mnuSaveText.enabled();  // not of a Lee diagram
        messages.clear(), messages.answer(mb::kYes), test::Press(f.cmdNewPlot);
        ASSERT_FALSE(messages.shown().empty()) << message;
        EXPECT_EQ(messages.last().prompt, message);
        EXPECT_TRUE(saved(f.mnuSave, ".tsy") == file && f.image() == shown) << message;
        EXPECT_EQ(f.mnuSaveText.enabled(), textExport) << message;
    }
}

// A list text naming no entry, a fractional count or bad brightness is refused, the list red, nothing else.
TEST_F(GraphOnShowTest, ListTextsThatNameNoEntryAreRefused) {
    const Act none = [](Form1&) {};
    const Act disperse = [](Form1& f) { f.optDisp.setValue(true), test::Type(f.cboSD, "10"); };
    const Act waves = [](Form1& f) { test::Choose(f.cboWave, "RGB"); };
    const Act terms = [](Form1& f) { test::Choose(f.cboType, "Surface wave"), test::Type(f.cboRays, "2"); };
    const char* const incorrect = "    The red highlighted data entry is incorrect.    ";
    const auto run = &Form1::cmdNewPlot;
    using Row =
        std::tuple<Act, ComboBox Form1::*, std::vector<const char*>, const char*, CommandButton Form1::*>;
    const Row rows[] = {
        {none, &Form1::cboGraph, {"Phase function ", "abc", "phase function", ""}, "Unknown graph type", run},
        {disperse, &Form1::cboDistrib, {"log-normal", "Log-normal ", ""}, "Unknown size distribution", run},
        {none, &Form1::cboWave, {"3,5", "2.5"}, "Number of wavelengths must be a whole number", run},
        {terms, &Form1::cboQmin, {"2.5"}, "Kmin must be a whole number", run},
        {terms, &Form1::cboQmax, {"10,5"}, "Kmax must be a whole number", run},
        {waves, &Form1::cboBright, {"abc", "", "1e400", "-1", "0"}, incorrect, run},
        {waves, &Form1::cboBright, {"abc", "-1"}, incorrect, &Form1::cmdSimulation}};
    for (const auto& [set, list, texts, message, press] : rows)
        for (const char* text : texts) {
            SCOPED_TRACE(std::string(message) + " \"" + text + "\"");
            Form1& f = fresh();
            test::Type(f.cboStep, "1"), set(f), test::Press(f.cmdNewPlot);
            const std::string file = saved(f.mnuSave, ".tsy");
            test::Type(f.*list, text);
            const QImage shown = f.image().copy();
            OleColor atMessage = 0;
            runtime.setMessageBoxResponder([&, list = list](const MessageBoxRequest& request) {
                atMessage = (f.*list).backColor();
                return messages.respond(request);
            });
            messages.clear(), test::Press(f.*press), messages.install(runtime);
            EXPECT_EQ(messages.shown().empty() ? "" : messages.last().prompt, message);
            EXPECT_EQ(atMessage, 0x0000FFu);
            EXPECT_TRUE(saved(f.mnuSave, ".tsy") == file && f.image() == shown && !f.Form2_->visible());
        }
    // A one-wavelength run offers no brightness: its colours are painted at 1, whatever the hidden list holds.
    Form1& f = fresh();
    test::Type(f.cboStep, "1"), test::Choose(f.cboWave, "RGB"), test::Press(f.cmdNewPlot);
    test::Press(f.cmdSimulation), test::Type(f.cboBright, "abc"), test::Choose(f.cboWave, "1");
    test::Press(f.cmdNewPlot), test::Press(f.Form2_->cmdSimPlot);
    EXPECT_GT(*std::max_element(f.simColourTable.cells.begin(), f.simColourTable.cells.end()), 0.0f);
}

// Graph-list choices after an angle run, the angle graphs that share its results and every other kind, each
// followed by one act: the shared ones redraw the run in the variant chosen, which the export then writes; the
// others draw, offer and export nothing of another graph; a refused press changes nothing; the file stays.
TEST_F(GraphOnShowTest, ListChoicesAfterARunThenEachAct) {
    const char* choices[] = {
        "Intensity v. scattering angle", "Phase function",           "Watts/sq. m. v. scattering angle",
        "Intensity v. radius",           "Qext/Qsca/Qabs v. radius", "Lee diagram",
        "Map: angle v. radius"};
    enum Follow { Refused, Polarisation, YLimit, Sun, PhaseAfterRefusal, Export, Save, kFollows };
    for (std::size_t c = 0; c < std::size(choices); ++c)
        for (int follow = 0; follow < kFollows; ++follow) {
            SCOPED_TRACE(std::string(choices[c]) + ", act " + std::to_string(follow));
            const bool shared = c < 3;
            Form1& f = fresh();
            test::Type(f.cboStep, "0.2"), test::Press(f.cmdNewPlot);
            const std::string file = saved(f.mnuSave, ".tsy");
            test::Choose(f.cboGraph, choices[c]);
            const QImage shown = f.image().copy();
            const int stale = f.runFlags.resultsStale;
            messages.clear();
            switch (follow) {
                case Refused:
                    test::Type(f.txtRadius, "abc"), test::Press(f.cmdNewPlot);
                    EXPECT_TRUE(f.image() == shown && !f.cmdReplot.visible() && !f.cmdOverPlot.visible());
                    EXPECT_EQ(f.runFlags.resultsStale, 1);
                    break;
                case Polarisation:
                case Sun:
                    follow == Sun ? f.optSun.setValue(true) : test::Choose(f.cboPol, "Parallel");
                    EXPECT_EQ(f.image() != shown, shared);
                    EXPECT_EQ(f.runFlags.resultsStale, stale);
                    break;
                case YLimit:
                    test::Type(f.cboYmax, "1000000000");
                    EXPECT_EQ(f.cmdReplot.visible(), shared);
                    if (shared) test::Press(f.cmdReplot);
                    EXPECT_EQ(f.image() != shown, shared);
                    break;
                case PhaseAfterRefusal:
                    test::Type(f.txtRadius, "abc"), test::Press(f.cmdNewPlot), messages.clear();
                    test::Choose(f.cboGraph, "Phase function");
                    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
                    break;
                case Export:
                    EXPECT_NE(saved(f.mnuSaveText, ".txt")
                                  .find(std::string("Graph type: \t") +
                                        (shared ? choices[c] : "Intensity v. scattering angle") + "\r\n"),
                              std::string::npos);
                    break;
                case Save:
                    EXPECT_TRUE(saved(f.mnuSave, ".tsy") == file);
                    break;
            }
        }
}

// What a window shows and exports after a stopped sweep or Lee diagram, a redraw under Overplot from file or a
// distribution's two panels, a fresh window draws and exports from its file.
TEST_F(GraphOnShowTest, WhatIsOnShowIsWhatItsFileDraws) {
    runtime.setPumpInterval(std::chrono::milliseconds(0));
    const auto stopped = [this](const char* graph, const char* from, const char* to,
                                const char* step) -> Act {
        return [=, this](Form1& f) {
            test::Choose(f.cboGraph, graph), test::Type(f.txtXmin, from), test::Type(f.txtXmax, to);
            test::Type(f.cboStep, step), pressStopped(f, f.cmdNewPlot, 4);
        };
    };
    const Act parallel = [](Form1& f) { test::Choose(f.cboPol, "Parallel"); };
    const Act polarisation = [](Form1& f) { test::Choose(f.mnuIntPol); };
    const std::vector<std::pair<Act, Act>> rows = {
        // the run, what the reading window chooses then
        {stopped("Qext/Qsca/Qabs v. radius", "0.1", "100", "0.01"), {}},
        {stopped("Intensity v. radius", "200", "400", "0.2"), {}},
        {stopped("Intensity v. radius", "40", "60.05", "0.1"), {}},  // a maximum off the steps
        {[this](Form1& f) {                                          // values per square wave number
             test::Choose(f.cboGraph, "Intensity v. radius"), test::Choose(f.cboWave, "RGB");
             test::Type(f.txtXmin, "200"), test::Type(f.txtXmax, "220.05"), test::Type(f.cboStep, "0.1");
             pressStopped(f, f.cmdNewPlot, 5);
         },
         {}},
        {[&parallel](Form1& f) {  // a redraw, as the reader's, clears the run's time
             test::Choose(f.cboGraph, "Intensity v. radius"), test::Choose(f.cboWave, "RGB");
             test::Type(f.txtXmin, "200"), test::Type(f.txtXmax, "200.3"), test::Type(f.cboStep, "0.1");
             test::Press(f.cmdNewPlot), parallel(f);
         },
         parallel},
        {[this, &parallel](Form1& f) {
             test::Type(f.cboStep, "0.5"), test::Type(f.txtRadius, "20"), test::Press(f.cmdNewPlot);
             saved(f.mnuSave, ".tsy"), test::Type(f.txtRadius, "10"), test::Press(f.cmdNewPlot);
             test::Choose(f.mnuOverplot), fileDialogs.answer(folder.at("run.tsy")), test::Choose(f.mnuRead);
             parallel(f);
         },
         parallel},
        {[&polarisation](Form1& f) {
             test::Type(f.cboStep, "0.5"), f.optDisp.setValue(true), test::Choose(f.cboDistrib, "Log-normal");
             test::Type(f.cboSD, "10"), test::Type(f.cboN, "5"), test::Press(f.cmdNewPlot), polarisation(f);
         },
         polarisation},
        {[this](Form1& f) {
             test::Choose(f.cboType, "Descartes"), test::Choose(f.cboGraph, "Lee diagram");
             test::Type(f.txtRstep, "20"), pressStopped(f, f.cmdNewPlot, 4);
         },
         [](Form1& f) { test::Choose(f.cboLee, "Normalised"); }}};  // a file read back shows "Absolute"
    const auto exported = [this](Form1& w) {                        // none of Lee's
        std::filesystem::remove(folder.at("run.txt"));
        return w.mnuSaveText.enabled() ? saved(w.mnuSaveText, ".txt") : "";
    };
    for (std::size_t row = 0; row < rows.size(); ++row) {
        Form1& f = fresh();
        rows[row].first(f);
        const QImage shown = f.image().copy();
        const std::string text = exported(f);
        saved(f.mnuSave, ".tsy");
        Form1& reader = fresh();
        fileDialogs.answer(folder.at("run.tsy")), test::Choose(reader.mnuRead);
        if (rows[row].second) rows[row].second(reader);
        EXPECT_TRUE(reader.image() == shown && (text.empty() || exported(reader) == text)) << row;
    }
}

// A change of a Lee diagram's size options offers Replot where it would draw, withdraws it where it refuses.
TEST_F(GraphOnShowTest, LeeSizeOptionsOfferReplotWhereItDraws) {
    Form1& f = fresh();
    test::Choose(f.cboType, "Descartes"), test::Choose(f.cboGraph, "Lee diagram");
    test::Type(f.txtRstep, "20"), f.optDisp.setValue(true), test::Choose(f.cboDistrib, "Log-normal");
    test::Type(f.cboSD, "10"), test::Press(f.cmdNewPlot);
    const std::vector<std::pair<Act, bool>> steps = {
        {[](Form1& w) { test::Choose(w.cboDistrib, "Normal"); }, false},
        {[](Form1& w) { test::Choose(w.cboDistrib, "Log-normal"); }, true},
        {[](Form1& w) { test::Type(w.cboSD, "abc"); }, false},
        {[](Form1& w) { test::Type(w.cboSD, "12"); }, true},
        {[](Form1& w) { w.optMono.setValue(true); }, true}};
    for (std::size_t step = 0; step < steps.size(); ++step) {
        steps[step].first(f);
        EXPECT_EQ(f.cmdReplot.visible() && f.cmdReplot.enabled(), steps[step].second) << step;
    }
    messages.clear(), f.optDisp.setValue(true), test::Press(f.cmdReplot);
    EXPECT_TRUE(messages.shown().empty() && f.runRecord.disperse && (*f.runRecord.disperse)[1] == "12");
}

}  // namespace
}  // namespace tessary
