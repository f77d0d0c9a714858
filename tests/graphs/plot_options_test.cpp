// Plot option menus: the two-panel layouts, the polar plot and its three refusals, the y and x scale
// options with their limits and offers, the light source redrawing current results, the flags, and
// the guard that keeps a redraw from starting inside another.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "platform/text/conversions.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using Handler = void (Form1::*)();
using Item = Menu Form1::*;

// A main window after start-up, showing the current results of start-up's own New plot (an angle
// graph from 0 to 180 degrees at one wavelength); Replot presses are counted instead of redrawing.
class PlotOptionsTest : public test::Form1Test {
  protected:
    PlotOptionsTest() : f(started()) {
        f.cmdReplot.onClick = [this] { ++replots; };
        for (Menu* m : {&f.mnuAmpPhase, &f.mnuIntPol, &f.mnuPolarPlot, &f.mnuPhasePlot}) m->setChecked(false);
        hideReplot();
        messages.clear();
    }

    void hideReplot() {
        f.cmdReplot.setVisible(false);
        f.cmdReplot.setEnabled(false);
        f.cmdNewPlot.setDefault(true);
        f.cmdOverPlot.setVisible(true);
    }
    bool replotOffered() const {
        return f.cmdReplot.visible() && f.cmdReplot.enabled() && f.cmdReplot.isDefault();
    }

    Form1& f;
    int replots = 0;
};

struct Refusal {
    const char* name;
    bool intPol;
    const char* graph;  // nullptr: the default "Intensity v. scattering angle"
    double xMin, xMax;
    const char* waves;  // the wavelength count's entry
    std::string message;
};

TEST_F(PlotOptionsTest, PolarPlotRefusals) {
    const std::string kRange = std::string("Polar plots are available only when scattering angles") + kCR +
                               "cover entire range from 0 to 180 degrees";
    const Refusal cases[] = {
        {"intensity and polarisation", true, nullptr, 0, 180, "1",
         "Polar plots are not available for graphs of Intensity and Polarisation"},
        {"phase function", false, "Phase function", 0, 180, "1",
         std::string("Polar plots are available only for ") + kCR +
             "graphs of Intensity v. scattering angle"},
        {"0 to 90 degrees", false, nullptr, 0, 90, "1", kRange},
        {"from 10 degrees", false, nullptr, 10, 180, "1", kRange},
        {"three wavelengths", false, nullptr, 0, 180, "3", kRange},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        f.cboGraph.setText(c.graph ? c.graph : "Intensity v. scattering angle");
        f.mnuIntPol.setChecked(c.intPol);
        f.mnuAmpPhase.setChecked(false);
        f.mnuPolarPlot.setChecked(false);
        f.graph.xMin = c.xMin;
        f.graph.xMax = c.xMax;
        test::Choose(f.cboWave, c.waves);
        f.runFlags.resultsStale = 0;
        f.runFlags.inputError = 0;
        hideReplot();
        messages.clear();
        replots = 0;
        f.mnuPolarPlot_Click();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, c.message);
        EXPECT_EQ(messages.last().title, "Option not available");
        EXPECT_EQ(messages.last().style, 0);
        EXPECT_FALSE(f.mnuPolarPlot.checked());
        EXPECT_EQ(f.runFlags.inputError, 1);
        EXPECT_EQ(replots, 0);
        EXPECT_FALSE(f.cmdReplot.visible());
    }
}

// With "Intensity + Phase" the polar diagram needs neither test.
TEST_F(PlotOptionsTest, PolarPlotAcceptedWithAmplitudePhaseOnAnyRange) {
    f.cboGraph.setText("Phase function");
    test::Choose(f.cboWave, "3");
    f.runFlags.resultsStale = 0;
    replots = 0;
    f.graph.xMax = 90;
    f.mnuAmpPhase.setChecked(true);
    f.mnuPolarPlot_Click();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(f.mnuPolarPlot.checked());
    EXPECT_FALSE(f.mnuIntPol.checked());
    // The list's 3 wavelengths are not those of the run on show: Replot would refuse, so none is offered.
    EXPECT_FALSE(replotOffered());
    EXPECT_EQ(replots, 0);
}

TEST_F(PlotOptionsTest, PolarPlotOnAndOffRedrawOnlyCurrentResults) {
    f.runFlags.resultsStale = 1;
    f.mnuPolarPlot_Click();
    EXPECT_TRUE(f.mnuPolarPlot.checked());
    EXPECT_FALSE(replotOffered());  // out of date: Replot would draw nothing
    EXPECT_EQ(replots, 0);

    f.runFlags.resultsStale = 0;
    f.mnuPhasePlot.setChecked(true);
    hideReplot();
    f.mnuPolarPlot_Click();
    EXPECT_FALSE(f.mnuPolarPlot.checked());
    EXPECT_FALSE(f.mnuPhasePlot.checked());
    EXPECT_TRUE(replotOffered());
    EXPECT_EQ(replots, 1);
}

// The two-panel layouts ignore a click while the results are out of date, marks included.
TEST_F(PlotOptionsTest, TwoPanelLayoutsNeedCurrentResults) {
    for (const Handler click : {&Form1::mnuAmpPhase_Click, &Form1::mnuIntPol_Click}) {
        f.runFlags.resultsStale = 1;
        (f.*click)();
        EXPECT_FALSE(f.mnuAmpPhase.checked());
        EXPECT_FALSE(f.mnuIntPol.checked());
        EXPECT_FALSE(f.cmdReplot.visible());
        EXPECT_EQ(replots, 0);
    }
}

TEST_F(PlotOptionsTest, TwoPanelLayoutsExcludeEachOther) {
    f.mnuAmpPhase_Click();
    EXPECT_TRUE(f.mnuAmpPhase.checked());
    EXPECT_TRUE(replotOffered());
    EXPECT_EQ(replots, 1);

    f.mnuPolarPlot.setChecked(true);
    f.mnuIntPol_Click();
    EXPECT_TRUE(f.mnuIntPol.checked());
    EXPECT_FALSE(f.mnuAmpPhase.checked());
    EXPECT_FALSE(f.mnuPolarPlot.checked());
    EXPECT_EQ(replots, 2);

    f.mnuAmpPhase_Click();
    EXPECT_TRUE(f.mnuAmpPhase.checked());
    EXPECT_FALSE(f.mnuIntPol.checked());
    f.mnuAmpPhase_Click();
    EXPECT_FALSE(f.mnuAmpPhase.checked());
    EXPECT_EQ(replots, 4);
}

// A display option chosen while a redraw or a run pumps events changes its marks but does not start a
// second redraw inside the first.
TEST_F(PlotOptionsTest, NoRedrawStartsInsideAnother) {
    int depth = 0;
    int deepest = 0;
    f.cmdReplot.onClick = [&] {
        ++replots;
        ++depth;
        deepest = std::max(deepest, depth);
        f.mnuIntPol_Click();  // chosen while this redraw runs
        f.optPoint_Click();
        --depth;
    };
    f.mnuAmpPhase_Click();
    EXPECT_EQ(replots, 1);
    EXPECT_EQ(deepest, 1);
    EXPECT_TRUE(f.mnuIntPol.checked());     // the mark still changed
    EXPECT_FALSE(f.mnuAmpPhase.checked());  // and turned the other layout off
    EXPECT_EQ(f.windowState.redrawDepth, 0);

    // A run locks the inputs.
    f.LockON();
    f.mnuIntPol_Click();
    EXPECT_FALSE(f.mnuIntPol.checked());
    EXPECT_EQ(replots, 1);
    f.LockOFF();
    f.runFlags.resultsStale = 0;
    {
        const RedrawGuard guard(f.windowState);
        f.mnuIntPol_Click();
        EXPECT_TRUE(f.mnuIntPol.checked());
        EXPECT_EQ(replots, 1);
        EXPECT_FALSE(f.ReplotIfIdle());
    }
    EXPECT_TRUE(f.ReplotIfIdle());
    EXPECT_EQ(replots, 2);
}

struct ScaleCase {
    const char* name;
    bool logarithmic;
    bool current;
    const char* ymin;
    bool minorGridEnabled;
};

TEST_F(PlotOptionsTest, YScaleOptionsWriteTheLimits) {
    const ScaleCase cases[] = {
        {"linear, current", false, true, "0", false},
        {"logarithmic, current", true, true, "Automatic", true},
        {"linear, out of date", false, false, "0", false},
        {"logarithmic, out of date", true, false, "Automatic", true},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        f.runFlags.resultsStale = c.current ? 0 : 1;
        f.mnuMinorGridY.setChecked(true);
        f.cboYmax.setText("1000");
        f.cboYmin.setText("10");
        f.graph.yAxisMin = 10;
        hideReplot();
        f.cmdReplot.setVisible(c.current);  // as the limit lists leave it under current results
        f.cmdReplot.setEnabled(c.current);
        OptionButton& option = c.logarithmic ? f.optLog : f.optLinear;
        option.setValue(false);
        option.setValue(true);  // raises the option's Click
        EXPECT_EQ(f.cboYmax.text(), "Automatic");
        EXPECT_EQ(f.cboYmin.text(), c.ymin);
        EXPECT_EQ(f.mnuMinorGridY.enabled(), c.minorGridEnabled);
        if (c.logarithmic) {
            EXPECT_EQ(f.graph.yAxisMin, 0.0001);
        } else {
            EXPECT_FALSE(f.mnuMinorGridY.checked());
        }
        if (c.current) {
            EXPECT_FALSE(f.cmdOverPlot.visible());
            EXPECT_TRUE(f.cmdReplot.isDefault());
        } else {
            EXPECT_TRUE(f.cmdNewPlot.isDefault());
            EXPECT_FALSE(f.cmdReplot.visible());
            EXPECT_FALSE(f.cmdReplot.enabled());
        }
        EXPECT_EQ(replots, 0);
    }
}

// Called directly on an option that is not selected, each writes the other scale's minimum first.
TEST_F(PlotOptionsTest, YScaleHandlersOnAnUnselectedOption) {
    f.optLinear.setValue(false);
    f.graph.yAxisMin = 10;
    f.optLinear_Click();
    EXPECT_EQ(f.graph.yAxisMin, 0.0001);
    EXPECT_EQ(f.cboYmin.text(), "0");
}

TEST_F(PlotOptionsTest, XScaleOptions) {
    for (const bool current : {true, false}) {
        SCOPED_TRACE(current ? "current" : "out of date");
        f.runFlags.resultsStale = current ? 0 : 1;
        hideReplot();
        f.optXLog.setValue(true);
        EXPECT_TRUE(f.mnuMinorGridX.enabled());
        EXPECT_EQ(replotOffered(), current);
        EXPECT_EQ(f.cmdNewPlot.isDefault(), !current);
        f.mnuMinorGridX.setChecked(true);
        hideReplot();
        f.cmdReplot.setVisible(true);
        f.OptXLinear.setValue(true);
        EXPECT_FALSE(f.mnuMinorGridX.enabled());
        EXPECT_FALSE(f.mnuMinorGridX.checked());
        EXPECT_EQ(replotOffered(), current);
        EXPECT_EQ(f.cmdReplot.visible(), current);
        EXPECT_EQ(replots, 0);
    }
}

struct LightCase {
    const char* name;
    int graphCode;
    int resultsStale;
    int resultsFromFile;
    int replots;
};

// Point and Sun redraw at once only results that are current and were computed, not read from a file.
TEST_F(PlotOptionsTest, LightSourceRedrawsOnlyCurrentComputedResults) {
    const LightCase cases[] = {
        {"angle graph", 1, 0, 0, 1},     {"out of date", 1, 1, 0, 0},  {"from a file", 1, 0, 1, 0},
        {"against radius", 11, 0, 0, 0}, {"Lee diagram", 20, 0, 0, 0},  // drawn from its colours, not by
                                                                        // Replot
    };
    for (const bool sun : {false, true}) {
        for (const LightCase& c : cases) {
            SCOPED_TRACE(std::string(sun ? "Sun, " : "Point, ") + c.name);
            test::ChooseGraph(f, c.graphCode);
            test::Type(f.cboWave, "1");  // as the run on show (the Lee diagram's list leaves "3")
            f.runFlags.resultsStale = c.resultsStale;
            f.runFlags.resultsFromFile = c.resultsFromFile;
            replots = 0;
            (f.*(sun ? &Form1::optSun_Click : &Form1::optPoint_Click))();
            EXPECT_EQ(replots, c.replots);
        }
    }
}

// Sun checks the inputs first; a bad one is reported and nothing is redrawn.
TEST_F(PlotOptionsTest, SunRefusesToRedrawAfterABadInput) {
    f.txtRadius.setText("abc");
    f.runFlags.resultsStale = 0;
    messages.clear();
    replots = 0;
    f.optSun_Click();
    EXPECT_EQ(f.runFlags.inputError, 1);
    EXPECT_EQ(replots, 0);
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.last().title, "Input error");
}

TEST_F(PlotOptionsTest, FlagsOnlyToggle) {
    const Item items[] = {&Form1::mnuInvWavelength, &Form1::mnuPhasePlot,  &Form1::mnuAmplitude,
                          &Form1::mnuOverplot,      &Form1::mnuS1S2,       &Form1::mnuShowData,
                          &Form1::mnuSize,          &Form1::mnuDataVisible};
    const Handler clicks[] = {&Form1::mnuInvWavelength_Click, &Form1::mnuPhasePlot_Click,
                              &Form1::mnuAmplitude_Click,     &Form1::mnuOverplot_Click,
                              &Form1::mnuS1S2_Click,          &Form1::mnuShowData_Click,
                              &Form1::mnuSize_Click,          &Form1::mnuDataVisible_Click};
    for (std::size_t i = 0; i < std::size(items); ++i) {
        Menu& item = f.*items[i];
        SCOPED_TRACE(item.caption());
        const bool before = item.checked();
        (f.*clicks[i])();
        EXPECT_EQ(item.checked(), !before);
        (f.*clicks[i])();
        EXPECT_EQ(item.checked(), before);
        EXPECT_FALSE(f.cmdReplot.visible());
        EXPECT_EQ(replots, 0);
    }
}

TEST_F(PlotOptionsTest, NormalisedOffersReplotForCurrentResults) {
    f.mnuNormalised.setChecked(false);
    f.runFlags.resultsStale = 1;
    f.mnuNormalised_Click();
    EXPECT_TRUE(f.mnuNormalised.checked());
    EXPECT_FALSE(f.cmdReplot.visible());
    f.runFlags.resultsStale = 0;
    f.mnuNormalised_Click();
    EXPECT_FALSE(f.mnuNormalised.checked());
    EXPECT_TRUE(replotOffered());
    EXPECT_EQ(replots, 0);
}

TEST_F(PlotOptionsTest, FalseColoursOnAngleMapsFixTheLeeScale) {
    for (const int code : {1, 22}) {
        SCOPED_TRACE(code);
        test::ChooseGraph(f, code);
        f.mnuTrueColour.setChecked(true);
        f.cboLee.setEnabled(true);
        f.cboLee.setListIndex(0);
        f.mnuFalseColours_Click();
        EXPECT_TRUE(f.mnuFalseColours.checked());
        EXPECT_FALSE(f.mnuTrueColour.checked());
        EXPECT_EQ(f.cboLee.text(), code > kGraphLee ? "Absolute" : "Normalised");
        EXPECT_EQ(f.cboLee.enabled(), code <= kGraphLee);
    }
}

}  // namespace
}  // namespace tessary
