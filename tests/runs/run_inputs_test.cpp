// A run computes with what its record names, whatever came before it: the medium's index of its model
// at the run's wavelength, and inputs that every input check passed, after a warning too.
#include <functional>
#include <vector>

#include "graphs/graph_codes.h"
#include "media/refrel.h"
#include "numerics/constants.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Choose;
using test::Press;
using Act = std::function<void(Form1&)>;
using RunInputsTest = test::Form1Test;

// Runs after a run of several wavelengths, after a medium chosen on a Lee diagram (no index worked out)
// and after one chosen while the graph was refused for the method: the size parameter is the radius's in
// the record's medium at its wavelength, and the values those of the same inputs on a fresh window.
TEST_F(RunInputsTest, ARunTakesTheMediumIndexItsRecordNames) {
    const Act water = [](Form1& f) {
        Choose(f, "Advanced > Refractive index > Surrounding medium > Water > Segelstein");
    };
    const Act none = [](Form1&) {};
    const std::pair<Act, Act> cases[] = {
        // what the window did first; the run's inputs (none: not on a fresh one)
        {[&](Form1& f) { water(f), Choose(f.cboWave, "Low"), Press(f.cmdNewPlot); },
         [&](Form1& f) { water(f), Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius"); }},
        {[&](Form1& f) { test::ChooseGraph(f, kGraphLee), water(f); },
         [&](Form1& f) { water(f), test::ChooseGraph(f, kGraphIndex); }},
        {[](Form1& f) {
             Choose(f.cboGraph, "Cext/Csca/Cabs v. radius"), Choose(f.cboType, "Diffraction");
             Choose(f, "Advanced > Refractive index > Surrounding medium > User defined");
         },
         none},
    };
    for (const auto& [before, set] : cases) {
        Form1& f = started();
        before(f), set(f), messages.clear(), Press(f.cmdNewPlot);
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        const RunRecord& r = f.runRecord;
        const double lambda = Val(r.lambdaText);
        EXPECT_EQ(r.sizeParam, r.radius * kTwoPi / lambda * refrel(r.indexModels, lambda).mediumRe);
        const std::vector<double> values = f.results.intensityPerp;
        if (&set == &cases[2].second) continue;
        Form1& g = started();
        set(g), Press(g.cmdNewPlot);
        EXPECT_EQ(values, g.results.intensityPerp);
    }
}

// The Rayleigh warning lets the run go on, and the checks after it are made all the same: angle ranges a
// data file could not hold are refused before the run, on angle graphs and Lee diagrams.
TEST_F(RunInputsTest, TheRayleighWarningLeavesTheLaterChecks) {
    const std::tuple<int, const char*, const char*, const char*> cases[] = {
        {kGraphAngle, "0", "200", "Maximum angle > 180 degrees"},
        {kGraphAngle, "170", "10", "Minimum angle > Maximum angle"},
        {kGraphLee, "170", "10", "Minimum angle > Maximum angle"},
    };
    for (const auto& [graph, xMin, xMax, refusal] : cases) {
        Form1& f = started();
        test::ChooseGraph(f, graph), Choose(f.cboType, "Rayleigh");
        f.txtXmin.setText(xMin), f.txtXmax.setText(xMax), messages.clear(), Press(f.cmdNewPlot);
        ASSERT_EQ(messages.shown().size(), 2u);
        EXPECT_EQ(messages.shown()[0].prompt, "Rayleigh approximation is valid only when r << wavelength");
        EXPECT_EQ(messages.shown()[1].prompt, refusal);
        EXPECT_EQ(f.runRecord.methodText, "Mie");  // the start-up's run is the one on show
    }
}

}  // namespace
}  // namespace tessary
