// The handlers of the main window's lists, check boxes and text boxes: the forwarders, the method and
// ray-order lists, the distribution, the wavelength count, the display options and the x range.
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "media/refrel.h"
#include "platform/ui/file_dialogs.h"
#include "runs/method_codes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

constexpr OleColor kYellow = 65535;
constexpr OleColor kWhite = 16777215;
constexpr OleColor kRed = 255;

// The started window with current results shown after start-up's own New plot: nothing out of date,
// no file loaded, an angle graph, Replot counted instead of redrawing.
class InputHandlersTest : public test::Form1Test {
  protected:
    Form1& ready() {
        Form1& f = started();
        f.cmdReplot.onClick = [this] { ++replots; };
        modalCaptions.clear();
        messages.clear();
        return f;
    }
    // Shows a Lee diagram as the user makes one: its entry chosen and New plot pressed, so its results
    // are current.
    static void ShowLeeDiagram(Form1& f) {
        test::Choose(f.cboGraph, "Lee diagram");
        test::Press(f.cmdNewPlot);
    }
    // New plot is offered: Replot hidden (and disabled when asked) and New plot the default button.
    static void ExpectNewPlotOffered(const Form1& f, bool replotDisabled) {
        EXPECT_FALSE(f.cmdReplot.visible());
        if (replotDisabled) {
            EXPECT_FALSE(f.cmdReplot.enabled());
        }
        EXPECT_TRUE(f.cmdNewPlot.isDefault());
    }
    static void ExpectReplotOffered(const Form1& f) {
        EXPECT_TRUE(f.cmdReplot.visible());
        EXPECT_TRUE(f.cmdReplot.enabled());
        EXPECT_TRUE(f.cmdReplot.isDefault());
    }
    int replots = 0;
};

// -------------------------------------------------------------------------------------------------
// Forwarders: every event of a control reaches its real handler, once.

struct EventCase {
    const char* name;
    std::function<void(Form1&)> raise;
    std::function<bool(const Form1&)> handled;  // the real handler's mark
};

TEST_F(InputHandlersTest, EveryEventOfAControlReachesItsHandler) {
    const auto yellow = [](const Control& c) { return c.backColor() == kYellow; };
    const std::vector<EventCase> cases{
        {"cboYmax Click", [](Form1& f) { f.cboYmax.onClick(); },
         [&](const Form1& f) { return yellow(f.cboYmax); }},
        {"cboYmax Change", [](Form1& f) { f.cboYmax.setText("100"); },
         [&](const Form1& f) { return yellow(f.cboYmax); }},
        {"cboYmax Scroll", [](Form1& f) { f.cboYmax.onScroll(); },
         [&](const Form1& f) { return yellow(f.cboYmax); }},
        {"cboYmin Click", [](Form1& f) { f.cboYmin.onClick(); },
         [&](const Form1& f) { return yellow(f.cboYmin); }},
        {"cboYmin Change", [](Form1& f) { f.cboYmin.setText("0.1"); },
         [&](const Form1& f) { return yellow(f.cboYmin); }},
        {"cboYmin Scroll", [](Form1& f) { f.cboYmin.onScroll(); },
         [&](const Form1& f) { return yellow(f.cboYmin); }},
        {"cboStep Click", [](Form1& f) { f.cboStep.setListIndex(3); },
         [&](const Form1& f) { return yellow(f.cboStep) && f.runFlags.resultsStale == 1; }},
        {"cboStep Change", [](Form1& f) { f.cboStep.setText("0.5"); },
         [&](const Form1& f) { return yellow(f.cboStep) && f.runFlags.resultsStale == 1; }},
        {"cboSD Click", [](Form1& f) { f.cboSD.setListIndex(2); },
         [&](const Form1& f) { return yellow(f.cboSD) && f.runFlags.resultsStale == 1; }},
        {"cboSD Change", [](Form1& f) { f.cboSD.setText("3"); },
         [&](const Form1& f) { return yellow(f.cboSD) && f.runFlags.resultsStale == 1; }},
        {"cboN Click", [](Form1& f) { f.cboN.setListIndex(3); },
         [&](const Form1& f) { return yellow(f.cboN) && f.runFlags.resultsStale == 1; }},
        {"cboN Change", [](Form1& f) { f.cboN.setText("7"); },
         [&](const Form1& f) { return yellow(f.cboN) && f.runFlags.resultsStale == 1; }},
        {"cboDistrib Click", [](Form1& f) { f.cboDistrib.setListIndex(1); },
         [&](const Form1& f) { return yellow(f.cboDistrib); }},
        {"cboDistrib Change", [](Form1& f) { f.cboDistrib.setText("Normal "); },
         [&](const Form1& f) { return yellow(f.cboDistrib); }},
        {"cboWave Click", [](Form1& f) { f.cboWave.setListIndex(1); },
         [](const Form1& f) { return f.calc.waveCount == 3 && f.cboWave.backColor() == kYellow; }},
        {"cboWave Change", [](Form1& f) { f.cboWave.setText("15"); },
         [](const Form1& f) { return f.calc.waveCount == 15 && f.cboWave.backColor() == kYellow; }},
        {"txtAngle Change", [](Form1& f) { f.txtAngle.setText("45"); },
         [&](const Form1& f) { return yellow(f.txtAngle); }},
        {"txtRmax Change", [](Form1& f) { f.txtRmax.setText("30"); },
         [&](const Form1& f) { return yellow(f.txtRmax); }},
        {"txtRstep Change", [](Form1& f) { f.txtRstep.setText("8"); },
         [&](const Form1& f) { return yellow(f.txtRstep); }},
        {"txtRadius Change", [](Form1& f) { f.txtRadius.setText("12"); },
         [&](const Form1& f) { return yellow(f.txtRadius); }},
        {"txtRefractReal Change", [](Form1& f) { f.txtRefractReal.setText("1.5"); },
         [&](const Form1& f) { return yellow(f.txtRefractReal); }},
        {"txtRefractImag Change", [](Form1& f) { f.txtRefractImag.setText("0.1"); },
         [&](const Form1& f) { return yellow(f.txtRefractImag); }},
        {"txtXmax Change", [](Form1& f) { f.txtXmax.setText("120"); },
         [](const Form1& f) { return f.cmdReplot.visible(); }},
        {"txtXmin Change", [](Form1& f) { f.txtXmin.setText("20"); },
         [](const Form1& f) { return f.cmdReplot.visible(); }},
        {"cboRays Click", [](Form1& f) { f.cboRays.setListIndex(4); },
         [&](const Form1& f) { return yellow(f.cboRays) && f.runFlags.resultsStale == 1; }},
        {"cboRays Change", [](Form1& f) { f.cboRays.setText("7"); },
         [&](const Form1& f) { return yellow(f.cboRays) && f.runFlags.resultsStale == 1; }},
        {"cboType Click", [](Form1& f) { f.cboType.setListIndex(3); },
         [](const Form1& f) { return f.codes.calcMethod == kMethodAiry && f.cboRays.visible(); }},
        {"cboType Change", [](Form1& f) { f.cboType.setText("Descartes"); },
         [](const Form1& f) { return f.codes.calcMethod == kMethodDescartes && f.cboRays.visible(); }},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = ready();
        f.txtX1min.setText("0");
        f.txtX2Max.setText("180");
        f.txtXmin.setText("0");
        f.txtXmax.setText("180");
        f.cboType.setText("Debye");
        f.runFlags.resultsStale = 0;
        for (Control* ctl :
             std::initializer_list<Control*>{&f.cboYmax, &f.cboYmin, &f.cboStep, &f.cboSD, &f.cboN,
                                             &f.cboDistrib, &f.cboWave, &f.txtAngle, &f.txtRmax, &f.txtRstep,
                                             &f.txtRadius, &f.txtRefractReal, &f.txtRefractImag, &f.cboRays})
            ctl->setBackColor(kWhite);
        f.cmdReplot.setVisible(false);
        f.cboRays.setVisible(false);
        c.raise(f);
        EXPECT_TRUE(c.handled(f));
    }
}

TEST_F(InputHandlersTest, DisplayOptionsReplotOncePerEvent) {
    struct Case {
        const char* name;
        std::function<void(Form1&)> raise;
    };
    const std::vector<Case> cases{
        {"cboPol Click", [](Form1& f) { f.cboPol.setListIndex(kPolPerpendicular); }},
        {"cboLee Click", [](Form1& f) { f.cboLee.onClick(); }},
        {"chkComponents Click", [](Form1& f) { f.chkComponents.setValue(1); }},
        {"cboBright Click on a Lee diagram",
         [](Form1& f) {
             ShowLeeDiagram(f);
             f.cboBright.setListIndex(2);
         }},
        {"cboBright Change on a Lee diagram",
         [](Form1& f) {
             ShowLeeDiagram(f);
             f.cboBright.setText("7");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = ready();
        f.cboWave.setBackColor(kWhite);
        f.chkComponents.setValue(0);
        replots = 0;
        c.raise(f);
        EXPECT_EQ(replots, 1);
    }
}

TEST_F(InputHandlersTest, MultipleOpensTheRayDialogOnceFromEveryRoute) {
    struct Case {
        const char* name;
        std::function<void(Form1&)> raise;
    };
    const std::vector<Case> cases{
        {"list chosen", [](Form1& f) { f.cboRays.setListIndex(0); }},
        {"text written", [](Form1& f) { f.cboRays.setText("Multiple"); }},
        {"method chosen",
         [](Form1& f) {
             f.cboType.setText("Mie");
             f.cboRays.setText("Multiple");
             f.cboType.setText("Debye");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = ready();
        f.cboType.setText("Debye");
        f.cboRays.setText("3");
        modalCaptions.clear();
        c.raise(f);
        EXPECT_EQ(modalCaptions, std::vector<std::string>{"Multiple ray paths"});
    }
}

// -------------------------------------------------------------------------------------------------
// Method list

struct MethodCase {
    const char* method;
    int code;
    const char* raysBefore;
    const char* raysAfter;
    bool raysShown;
    bool angleShown;     // on an angle graph
    bool surfaceInputs;  // Qmin/Qmax with their label, amplitude box and menu
    bool termLists;      // Qmin and Qmax themselves
    bool illumination;   // with the hidden mode not active
};

TEST_F(InputHandlersTest, MethodListConfiguresTheWindow) {
    const std::vector<MethodCase> cases{
        {"Mie", 1, "3", "3", false, false, false, false, false},
        {"Debye", 2, "3", "3", true, false, false, false, false},
        {"Rayleigh", 3, "3", "3", false, false, false, false, false},
        {"Diffraction", 4, "3", "3", false, false, false, false, false},
        {"Airy", 5, "0", "2", true, false, false, false, false},
        {"Airy", 5, "1", "2", true, false, false, false, false},
        {"Airy", 5, "3", "3", true, false, false, false, false},
        {"Descartes", 6, "1", "1", true, false, false, false, false},
        {"Young", 7, "0", "0", true, false, false, false, false},
        {"Young mod", 8, "3", "3", true, false, false, false, true},
        {"Huygens", 9, "3", "3", true, true, false, false, false},
        {"Aperture", 10, "3", "3", true, true, false, false, false},
        {"Surface wave", 11, "3", "3", true, false, true, true, false},
        {"van de Hulst", 12, "3", "3", true, false, false, true, false},  // the list left as it was
    };
    for (const MethodCase& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " with p = " + c.raysBefore);
        Form1& f = ready();
        f.cboType.setText(std::string(c.method) == "Debye" ? "Young" : "Debye");
        f.cboRays.setText(c.raysBefore);
        f.cmdReplot.setVisible(true);
        f.txtSWAmp.setText("3");
        f.txtAngle.setText("0");
        f.txtAngle.setVisible(true);
        f.cboType.setText(c.method);
        EXPECT_EQ(f.codes.calcMethod, c.code);
        EXPECT_EQ(f.cboRays.text(), c.raysAfter);
        EXPECT_EQ(f.cboRays.visible(), c.raysShown);
        EXPECT_EQ(f.txtAngle.visible(), c.angleShown);
        EXPECT_EQ(f.txtAngle.text(), c.angleShown ? "1000" : "0");
        EXPECT_EQ(f.lblQminQmax.visible(), c.surfaceInputs);
        EXPECT_EQ(f.txtSWAmp.visible(), c.surfaceInputs);
        EXPECT_EQ(f.lblSWFactor.visible(), c.surfaceInputs);
        EXPECT_EQ(f.mnuSurfaceWave.visible(), c.surfaceInputs);
        EXPECT_EQ(f.txtSWAmp.text(), c.surfaceInputs ? "3" : "1");
        EXPECT_EQ(f.cboQmin.visible(), c.termLists);
        EXPECT_EQ(f.cboQmax.visible(), c.termLists);
        EXPECT_EQ(f.mnuIllumination.visible(), c.illumination);
        EXPECT_EQ(f.mnuTopHat.visible(), c.code == kMethodYoungMod);
        EXPECT_FALSE(f.cmdReplot.visible());
        if (c.raysShown) {
            EXPECT_EQ(f.runFlags.resultsStale, 1);
        }
    }
}

TEST_F(InputHandlersTest, MethodsWithoutRayOrdersNameThemselvesAndLeaveResultsCurrent) {
    for (const char* method : {"Mie", "Rayleigh", "Diffraction", "van de Hulst"}) {
        SCOPED_TRACE(method);
        Form1& f = ready();
        f.cboType.setText(std::string(method) == "Mie" ? "Rayleigh" : "Mie");
        f.runFlags.resultsStale = 0;
        f.cboType.setText(method);
        EXPECT_EQ(f.runFlags.resultsStale, 0);
        if (std::string(method) != "van de Hulst") {
            EXPECT_EQ(f.lblDebyeRays.caption(), method);
        }
    }
}

TEST_F(InputHandlersTest, AngleBoxIsLeftAloneOffAngleGraphs) {
    Form1& f = ready();
    test::Choose(f.cboGraph, "Intensity v. radius");
    f.txtAngle.setVisible(true);
    f.txtAngle.setText("30");
    f.cboType.setText("Aperture");
    EXPECT_TRUE(f.txtAngle.visible());
    EXPECT_EQ(f.txtAngle.text(), "30");
    f.cboType.setText("Mie");
    EXPECT_TRUE(f.txtAngle.visible());
}

TEST_F(InputHandlersTest, SurfaceWaveChecksBothPaths) {
    Form1& f = ready();
    f.mnuSurfaceShort.setChecked(true);
    f.mnuSurfaceLong.setChecked(true);
    f.mnuSurfaceBoth.setChecked(false);
    f.cboType.setText("Surface wave");
    EXPECT_FALSE(f.mnuSurfaceShort.checked());
    EXPECT_FALSE(f.mnuSurfaceLong.checked());
    EXPECT_TRUE(f.mnuSurfaceBoth.checked());
}

TEST_F(InputHandlersTest, IlluminationMenuFollowsTheMethodAndTheHiddenMode) {
    struct Case {
        const char* method;
        int hiddenModeState;
        bool shown;
    };
    const std::vector<Case> cases{{"Mie", 2, true},      {"Mie", 1, false},      {"Debye", 2, true},
                                  {"Debye", 0, false},   {"Young mod", 0, true}, {"Airy", 2, false},
                                  {"Rayleigh", 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " state " + std::to_string(c.hiddenModeState));
        Form1& f = ready();
        f.cboType.setText("Descartes");
        f.windowState.hiddenModeState = c.hiddenModeState;
        f.cboType.setText(c.method);
        EXPECT_EQ(f.mnuIllumination.visible(), c.shown);
    }
}

TEST_F(InputHandlersTest, OtherMethodsCheckPlaneWaveAndKeepTheBeamMark) {
    Form1& f = ready();
    f.mnuPlaneWave.setChecked(false);
    f.mnuGaussian.setChecked(true);
    f.cboType.setText("Rayleigh");
    EXPECT_TRUE(f.mnuPlaneWave.checked());
    EXPECT_TRUE(f.mnuGaussian.checked());
    EXPECT_TRUE(modalCaptions.empty());
}

TEST_F(InputHandlersTest, MieAndDebyeApplyTheCheckedBeamAgain) {
    Form1& f = ready();
    f.cboType.setText("Rayleigh");
    f.mnuPlaneWave.setChecked(false);
    f.mnuGaussian.setChecked(false);
    f.mnuTopHat.setChecked(true);
    f.cboType.setText("Debye");
    EXPECT_TRUE(f.mnuPlaneWave.checked());
    EXPECT_FALSE(f.mnuTopHat.checked());
    EXPECT_TRUE(modalCaptions.empty());

    f.mnuPlaneWave.setChecked(false);
    f.mnuGaussian.setChecked(true);
    f.cboType.setText("Mie");
    EXPECT_EQ(modalCaptions, std::vector<std::string>{"Gaussian beam"});
}

TEST_F(InputHandlersTest, YoungModAppliesTheTopHatBeamWithItsCaption) {
    Form1& f = ready();
    f.mnuPlaneWave.setChecked(false);
    f.mnuTopHat.setChecked(true);
    f.cboType.setText("Young mod");
    EXPECT_TRUE(f.mnuTopHat.checked());
    EXPECT_EQ(f.dlogGaussianBeam_->caption(), "Top hat beam");
    EXPECT_EQ(modalCaptions, std::vector<std::string>{"Top hat beam"});
}

// The diffraction term of the ray-path dialog is offered only for Young mod. in the hidden mode.
TEST_F(InputHandlersTest, DiffractionBoxOnlyForYoungModInHiddenMode) {
    struct Case {
        const char* method;
        bool hiddenMenu;
        bool shown;
    };
    const std::vector<Case> cases{{"Young mod", true, true},
                                  {"Young mod", false, false},
                                  {"Debye", true, false},
                                  {"Descartes", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.method) + (c.hiddenMenu ? " hidden menu" : ""));
        Form1& f = ready();
        f.mnuHidden.setVisible(c.hiddenMenu);
        f.dlogP_->chkDiffraction.setVisible(false);
        f.dlogP_->chkDiffraction.setValue(1);
        bool shownInDialog = false;
        runtime.setModalHook([&](Form& dialog) {
            shownInDialog = f.dlogP_->chkDiffraction.visible();
            dialog.hide();
        });
        f.cboRays.setText("Multiple");
        f.cboType.setText(c.method);
        EXPECT_EQ(shownInDialog, c.shown);
        EXPECT_EQ(f.dlogP_->chkDiffraction.visible(), c.shown);
        EXPECT_EQ(f.dlogP_->chkDiffraction.value(), c.shown ? 1 : 0);
    }
}

// -------------------------------------------------------------------------------------------------
// Ray-order list

TEST_F(InputHandlersTest, RayOrderListForMieHidesItselfButMarksTheResultsOutOfDate) {
    Form1& f = ready();
    f.cboRays.setVisible(true);
    f.cboRays.onClick();
    EXPECT_FALSE(f.cboRays.visible());
    EXPECT_NE(f.cboRays.backColor(), kYellow);
    EXPECT_EQ(f.runFlags.resultsStale, 1);
}

TEST_F(InputHandlersTest, MultipleWithResultsFromFileDoesNotOpenTheDialog) {
    Form1& f = ready();
    f.cboType.setText("Debye");
    modalCaptions.clear();
    f.runFlags.resultsFromFile = 1;
    f.cboRays.setListIndex(0);  // "Multiple" chosen from the list: Click
    EXPECT_TRUE(modalCaptions.empty());
    EXPECT_EQ(f.cboRays.backColor(), kYellow);
    f.cboRays.setText("4");  // written: Change does nothing while a file is shown
    f.cboRays.setBackColor(kWhite);
    f.cboRays.setText("Multiple");
    EXPECT_EQ(f.cboRays.backColor(), kWhite);
    EXPECT_TRUE(modalCaptions.empty());
}

TEST_F(InputHandlersTest, SingleOrderHidesAnOpenDialog) {
    Form1& f = ready();
    f.cboType.setText("Debye");
    f.dlogP_->show();
    f.cboRays.setText("2");
    EXPECT_FALSE(f.dlogP_->visible());
}

// -------------------------------------------------------------------------------------------------
// Size distribution

TEST_F(InputHandlersTest, SpecialDistributionIsRefusedOnLeeDiagrams) {
    ScriptedFileDialogs files;
    runtime.setFileDialogs(&files);
    Form1& f = ready();
    test::Choose(f.cboGraph, "Lee diagram");
    f.cboSD.setBackColor(kRed);
    f.cboDistrib.setText("Special");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "Special distributions are not available for Lee diagrams");
    EXPECT_EQ(messages.last().title, "Input error");
    EXPECT_EQ(messages.last().style, mb::kOkOnly);
    EXPECT_EQ(f.cboDistrib.backColor(), kRed);
    EXPECT_EQ(f.cboDistrib.text(), "Special");
    EXPECT_EQ(f.runFlags.inputError, 1);
    EXPECT_EQ(f.cboSD.backColor(), kWhite);
    EXPECT_TRUE(f.txtRadius.visible());
    EXPECT_TRUE(files.requests().empty());
}

TEST_F(InputHandlersTest, DistributionTypeShowsOrHidesTheRadius) {
    struct Case {
        const char* kind;
        OleColor sdBefore;
        bool radiusShown;
        OleColor sdAfter;
    };
    const std::vector<Case> cases{{"Special", kWhite, false, kWhite},
                                  {"Normal", kRed, true, kRed},
                                  {"Log-normal", kRed, true, kYellow},
                                  {"Log-normal", kWhite, true, kWhite}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Form1& f = ready();
        f.dist.sizeHistogram.histLoaded = 1;
        f.cboDistrib.setText("Normal ");
        for (Control* ctl : std::initializer_list<Control*>{&f.Label7, &f.Label29, &f.txtRadius})
            ctl->setVisible(!c.radiusShown);
        f.cboSD.setBackColor(c.sdBefore);
        f.cboDistrib.setText(c.kind);
        EXPECT_EQ(f.cboDistrib.backColor(), kYellow);
        EXPECT_EQ(f.Label7.visible(), c.radiusShown);
        EXPECT_EQ(f.Label29.visible(), c.radiusShown);
        EXPECT_EQ(f.txtRadius.visible(), c.radiusShown);
        EXPECT_EQ(f.cboSD.backColor(), c.sdAfter);
        EXPECT_EQ(f.runFlags.resultsStale, 0);
        EXPECT_EQ(f.runFlags.inputError, 0);
        EXPECT_TRUE(messages.shown().empty());
    }
}

TEST_F(InputHandlersTest, StandardDeviationOffersReplotOnlyOnLeeDiagrams) {
    for (const char* graph : {"Intensity v. scattering angle", "Intensity v. radius", "Lee diagram"}) {
        SCOPED_TRACE(graph);
        Form1& f = ready();
        // Replot redraws a Lee diagram on show with the size options typed since; no other graph.
        std::string(graph) == "Lee diagram" ? ShowLeeDiagram(f) : test::Choose(f.cboGraph, graph);
        f.cmdReplot.setVisible(true);
        f.cmdReplot.setEnabled(true);
        f.cboSD.setText("7");
        if (f.codes.graphCode == kGraphLee) {
            ExpectReplotOffered(f);
        } else {
            ExpectNewPlotOffered(f, true);
        }
        EXPECT_EQ(f.cboSD.backColor(), kYellow);
        EXPECT_EQ(f.runFlags.resultsStale, 1);
    }
}

// -------------------------------------------------------------------------------------------------
// Wavelength count

struct WaveCase {
    const char* text;
    int graphCode;
    int waveCount;
    int components;  // value of chkComponents
    bool componentsEnabled;
    bool componentsShown;
    bool oneWavelength;  // the wavelength box and the index inputs shown
};

TEST_F(InputHandlersTest, WavelengthCountConfiguresTheWindow) {
    const std::vector<WaveCase> cases{
        {"1", 1, 1, 0, false, false, true},
        {"3", 1, 3, 1, true, true, false},
        {"7", 1, 7, 1, true, true, false},
        {"10", 1, 10, 0, false, false, false},
        {"2000", 1, 2000, 0, false, false, false},
        {"RGB", 1, 3, 1, true, true, false},
        {"High", 1, 1000, 1, true, true, false},
        {"Med.", 1, 300, 1, true, true, false},
        {"Low", 1, 100, 1, true, true, false},
        {"2.5", 1, 2, 1, true, true, false},  // halves to even
        {"3.5", 1, 4, 1, true, true, false},
        {"99999", 1, 2001, 0, false, false, false},  // held at the tables' end; the run refuses it
        {"1e9", 1, 2001, 0, false, false, false},
        {"-5", 1, 0, 1, true, true, false},
        {"RGB", 20, 3, 0, false, false, false},  // Lee diagram: no components
        {"1", 20, 1, 0, false, false, true},
    };
    for (const WaveCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " on graph " + std::to_string(c.graphCode));
        Form1& f = ready();
        test::ChooseGraph(f, c.graphCode);
        f.cboWave.setText(std::string(c.text) == "1" ? "15" : "1");
        f.runFlags.resultsStale = 0;
        f.results.qSca = 2.0;
        f.cmdOverPlot.setVisible(true);
        f.mnuInvWavelength.setChecked(std::string(c.text) == "1");
        f.chkComponents.setValue(c.components == 1 ? 0 : 1);
        f.chkComponents.setVisible(!c.componentsShown);
        f.cboWave.setText(c.text);
        EXPECT_EQ(f.calc.waveCount, c.waveCount);
        EXPECT_EQ(f.chkComponents.value(), c.components);
        EXPECT_EQ(f.chkComponents.enabled(), c.componentsEnabled);
        if (c.componentsShown || c.graphCode == kGraphLee || c.oneWavelength) {
            EXPECT_EQ(f.chkComponents.visible(), c.componentsShown);
        }
        for (const Control* ctl :
             std::initializer_list<const Control*>{&f.txtLambda, &f.Label4, &f.Label6, &f.Label28})
            EXPECT_EQ(ctl->visible(), c.oneWavelength);
        EXPECT_EQ(f.txtRefractReal.visible(), std::string(c.text) == "1");
        EXPECT_EQ(f.cboBright.visible(), std::string(c.text) != "1");
        EXPECT_EQ(f.Label18.visible(), std::string(c.text) != "1");
        if (std::string(c.text) != "1") {
            EXPECT_EQ(f.cboBright.text(), "1");
        }
        EXPECT_EQ(f.mnuInvWavelength.checked(), std::string(c.text) != "1" || c.graphCode == kGraphLee);
        EXPECT_EQ(f.lblSpectrum.visible(), std::string(c.text) != "1");
        EXPECT_EQ(f.results.qSca, 0.0);
        EXPECT_EQ(f.runFlags.resultsStale, 1);
        EXPECT_FALSE(f.cmdOverPlot.visible());
        ExpectNewPlotOffered(f, false);
    }
}

TEST_F(InputHandlersTest, WavelengthCountStaysWhiteBeforeTheFirstRun) {
    for (int runState : {0, 1}) {
        SCOPED_TRACE(runState);
        Form1& f = ready();
        f.codes.runState = runState;
        f.cboWave.setText("30");
        EXPECT_EQ(f.cboWave.backColor(), runState == 0 ? kWhite : kYellow);
    }
}

TEST_F(InputHandlersTest, WavelengthCountLeavesLabelTwoAndTogglesTheSizeParameterMenu) {
    Form1& f = ready();
    f.Label2.setVisible(false);
    f.cboWave.setText("30");
    EXPECT_FALSE(f.Label2.visible());  // left as it was
    EXPECT_FALSE(f.mnuRadiusX.visible());
    f.cboWave.setText("1");
    EXPECT_TRUE(f.Label2.visible());
    EXPECT_TRUE(f.mnuRadiusX.visible());
}

// -------------------------------------------------------------------------------------------------
// Display options

TEST_F(InputHandlersTest, YLimitsOfferReplotOnlyWhileResultsAreCurrent) {
    for (int stale : {0, 1}) {
        for (ComboBox Form1::*list : {&Form1::cboYmax, &Form1::cboYmin}) {
            Form1& f = ready();
            f.runFlags.resultsStale = stale;
            f.cmdOverPlot.setEnabled(true);
            f.cmdReplot.setVisible(false);
            (f.*list).setBackColor(kWhite);
            (f.*list).onClick();
            EXPECT_EQ((f.*list).backColor(), stale == 0 ? kYellow : kWhite);
            EXPECT_EQ(f.cmdReplot.visible(), stale == 0);
            EXPECT_EQ(f.cmdOverPlot.enabled(), stale != 0);
            EXPECT_EQ(f.runFlags.resultsStale, stale);
            EXPECT_EQ(replots, 0);
        }
    }
}

TEST_F(InputHandlersTest, ReplotOnlyOptionsRedrawOnlyWhenTheirConditionsHold) {
    struct Case {
        const char* name;
        std::function<void(Form1&)> set;
        std::function<void(Form1&)> raise;
        int replots;
    };
    const auto pol = [](Form1& f) { f.cboPol.onClick(); };
    const auto components = [](Form1& f) { f.chkComponents.onClick(); };
    const auto lee = [](Form1& f) { f.cboLee.onClick(); };
    const auto bright = [](Form1& f) { f.cboBright.onClick(); };
    const std::vector<Case> cases{
        {"polarisation", [](Form1&) {}, pol, 1},
        {"polarisation, out of date", [](Form1& f) { f.runFlags.resultsStale = 1; }, pol, 0},
        {"polarisation, Lee diagram", [](Form1& f) { ShowLeeDiagram(f); }, pol, 0},
        {"polarisation, list disabled", [](Form1& f) { f.cboPol.setEnabled(false); }, pol, 0},
        {"components", [](Form1& f) { f.cboWave.setBackColor(kWhite); }, components, 1},
        {"components, count changed", [](Form1& f) { f.cboWave.setBackColor(kYellow); }, components, 0},
        {"components, out of date", [](Form1& f) { f.runFlags.resultsStale = 1; }, components, 0},
        {"components, no run yet", [](Form1& f) { f.codes.runState = 0; }, components, 0},
        {"components, results from a file",
         [](Form1& f) {
             f.codes.runState = 0;
             f.runFlags.resultsFromFile = 1;
         },
         components, 1},
        {"components, overplot", [](Form1& f) { f.codes.runState = 2; }, components, 0},
        {"Lee normalisation", [](Form1&) {}, lee, 1},
        {"Lee normalisation, out of date", [](Form1& f) { f.runFlags.resultsStale = 1; }, lee, 0},
        {"brightness, Lee diagram",
         [](Form1& f) {
             ShowLeeDiagram(f);
             f.cboBright.setText("2");
         },
         bright, 1},
        {"brightness, coloured strips", [](Form1& f) { f.cboBright.setText("2"); }, bright, 0},
        {"brightness 0",
         [](Form1& f) {
             ShowLeeDiagram(f);
             f.cboBright.setText("0");
         },
         bright, 0},
        {"brightness not a number",
         [](Form1& f) {
             ShowLeeDiagram(f);
             f.cboBright.setText("abc");
         },
         bright, 0},
        {"brightness, out of date",
         [](Form1& f) {
             ShowLeeDiagram(f);
             f.cboBright.setText("2");
             f.runFlags.resultsStale = 1;
         },
         bright, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = ready();
        f.cboWave.setBackColor(kWhite);
        c.set(f);
        replots = 0;
        c.raise(f);
        EXPECT_EQ(replots, c.replots);
    }
}

TEST_F(InputHandlersTest, FalseColourMapsAreAlwaysAbsolute) {
    Form1& f = ready();
    test::Choose(f.cboGraph, "Map: angle v. refractive index");
    f.mnuFalseColours.setChecked(true);
    f.cboLee.setEnabled(true);
    f.cboLee.setText("Normalised");
    f.cboLee.onClick();
    EXPECT_EQ(f.cboLee.text(), "Absolute");
    EXPECT_FALSE(f.cboLee.enabled());
    EXPECT_EQ(replots, 0);
}

// A display option raised while a redraw or a run is under way changes nothing on the screen.
TEST_F(InputHandlersTest, DisplayOptionDoesNotStartARedrawInsideAnother) {
    Form1& f = ready();
    int depth = 0;
    int deepest = 0;
    f.cmdReplot.onClick = [&] {
        ++replots;
        ++depth;
        deepest = std::max(deepest, depth);
        f.cboPol.onClick();  // e.g. raised while the redraw pumps events
        f.chkComponents.onClick();
        --depth;
    };
    f.cboWave.setBackColor(kWhite);
    f.cboPol.onClick();
    EXPECT_EQ(replots, 1);
    EXPECT_EQ(deepest, 1);

    replots = 0;
    f.LockON();  // a run under way
    f.cboPol.onClick();
    f.codes.graphCode = kGraphLee;
    f.cboBright.setText("2");
    f.cboBright.onClick();
    EXPECT_EQ(replots, 0);
    f.LockOFF();
}

// -------------------------------------------------------------------------------------------------
// Calculation inputs

TEST_F(InputHandlersTest, CalculationInputsMarkTheResultsOutOfDate) {
    struct Case {
        const char* name;
        std::function<void(Form1&)> write;
        std::function<const Control&(const Form1&)> box;
        bool overplotEnabled;
        bool replotDisabled;
        bool replotHidden;
        bool resetsQsca;
    };
    const std::vector<Case> cases{
        {"txtAngle", [](Form1& f) { f.txtAngle.setText("30"); },
         [](const Form1& f) -> const Control& { return f.txtAngle; }, true, false, false, false},
        {"txtRmax", [](Form1& f) { f.txtRmax.setText("40"); },
         [](const Form1& f) -> const Control& { return f.txtRmax; }, true, true, false, false},
        {"txtRstep", [](Form1& f) { f.txtRstep.setText("6"); },
         [](const Form1& f) -> const Control& { return f.txtRstep; }, true, true, false, false},
        {"cboStep", [](Form1& f) { f.cboStep.setText("0.2"); },
         [](const Form1& f) -> const Control& { return f.cboStep; }, true, true, false, false},
        {"cboN", [](Form1& f) { f.cboN.setText("20"); },
         [](const Form1& f) -> const Control& { return f.cboN; }, false, false, false, false},
        {"txtRadius", [](Form1& f) { f.txtRadius.setText("25"); },
         [](const Form1& f) -> const Control& { return f.txtRadius; }, true, false, true, true},
        {"txtRefractReal", [](Form1& f) { f.txtRefractReal.setText("1.5"); },
         [](const Form1& f) -> const Control& { return f.txtRefractReal; }, true, false, true, true},
        {"txtRefractImag", [](Form1& f) { f.txtRefractImag.setText("0.01"); },
         [](const Form1& f) -> const Control& { return f.txtRefractImag; }, true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = ready();
        f.results.qSca = 2.0;
        f.cmdOverPlot.setEnabled(false);
        f.cmdReplot.setEnabled(true);
        f.cmdReplot.setVisible(true);
        c.write(f);
        EXPECT_EQ(c.box(f).backColor(), kYellow);
        EXPECT_EQ(f.runFlags.resultsStale, 1);
        if (c.overplotEnabled) {
            EXPECT_TRUE(f.cmdOverPlot.enabled());
        }
        if (c.replotDisabled) {
            EXPECT_FALSE(f.cmdReplot.enabled());
        }
        if (c.replotHidden) ExpectNewPlotOffered(f, false);
        EXPECT_EQ(f.results.qSca, c.resetsQsca ? 0.0 : 2.0);
    }
}

TEST_F(InputHandlersTest, RefractiveIndexBoxesIgnoreWritesWhileAFileIsShown) {
    for (TextBox Form1::*box :
         {&Form1::txtRefractReal, &Form1::txtRefractImag, &Form1::txtXmin, &Form1::txtXmax}) {
        Form1& f = ready();
        f.runFlags.resultsFromFile = 1;
        f.results.qSca = 2.0;
        (f.*box).setBackColor(kWhite);
        f.cmdOverPlot.setEnabled(true);
        f.cmdReplot.setVisible(false);
        (f.*box).setText("1.7");
        EXPECT_EQ((f.*box).backColor(), kWhite);
        EXPECT_EQ(f.runFlags.resultsStale, 0);
        EXPECT_EQ(f.results.qSca, 2.0);
        EXPECT_TRUE(f.cmdOverPlot.enabled());
        EXPECT_FALSE(f.cmdReplot.visible());
    }
}

// -------------------------------------------------------------------------------------------------
// x range: inside the computed range a redraw will do, outside it a new calculation is needed.

TEST_F(InputHandlersTest, XRangeOffersNewPlotWhenWidenedAndReplotWhenNarrowed) {
    struct Case {
        const char* name;
        TextBox Form1::*box;
        const char* text;
        int stale;
        bool replot;
    };
    const std::vector<Case> cases{
        {"max narrowed", &Form1::txtXmax, "120", 0, true},
        {"max kept", &Form1::txtXmax, "180.0", 0, true},
        {"max widened", &Form1::txtXmax, "190", 0, false},
        {"max narrowed, out of date", &Form1::txtXmax, "120", 1, false},
        {"min narrowed", &Form1::txtXmin, "10", 0, true},
        {"min widened", &Form1::txtXmin, "-5", 0, false},
        {"min narrowed, out of date", &Form1::txtXmin, "10", 1, false},
        {"min not a number", &Form1::txtXmin, "abc", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = ready();
        f.txtX1min.setText("0");
        f.txtX2Max.setText("180");
        f.runFlags.resultsStale = c.stale;
        f.cmdOverPlot.setEnabled(true);
        f.cmdReplot.setVisible(!c.replot);
        f.cmdReplot.setEnabled(!c.replot);
        (f.*c.box).setBackColor(kWhite);
        (f.*c.box).setText(c.text);
        if (c.replot) {
            ExpectReplotOffered(f);
        } else {
            ExpectNewPlotOffered(f, true);
        }
        EXPECT_FALSE(f.cmdOverPlot.enabled());
        EXPECT_EQ((f.*c.box).backColor(), kWhite);
        EXPECT_EQ(f.runFlags.resultsStale, c.stale);
        EXPECT_EQ(replots, 0);
    }
}

// -------------------------------------------------------------------------------------------------
// Debye-term boxes

TEST_F(InputHandlersTest, RayZeroAndTermBoxStayComplementary) {
    struct Case {
        CheckBox Form1::*written;
        int value;
        int chk1256;
        int chkRays0;
    };
    const std::vector<Case> cases{{&Form1::chk1256, 0, 0, 1},
                                  {&Form1::chk1256, 1, 1, 0},
                                  {&Form1::chkRays0, 1, 0, 1},
                                  {&Form1::chkRays0, 0, 1, 0}};
    for (const Case& c : cases) {
        Form1& f = ready();
        f.chk1256.setValue(1 - c.chk1256);
        f.chkRays0.setValue(1 - c.chkRays0);
        (f.*c.written).setValue(c.value);
        EXPECT_EQ(f.chk1256.value(), c.chk1256);
        EXPECT_EQ(f.chkRays0.value(), c.chkRays0);
    }
}

// The brightness is read as every number box reads its text: "0,5" paints the colours at 0.5 (it was
// read as 0 and painted nothing new), "1,5" at 1.5 (it painted at 1).
TEST_F(InputHandlersTest, BrightnessWithADecimalCommaPaintsAsWithThePoint) {
    for (const auto& [comma, point] : {std::pair{"0,5", "0.5"}, std::pair{"1,5", "1.5"}}) {
        QImage painted[2];
        for (int i = 0; i < 2; ++i) {
            Form1& f = ready();
            test::Type(f.cboWave, "RGB");
            test::Type(f.txtXmin, "130");
            test::Type(f.txtXmax, "150");
            test::Press(f.cmdNewPlot);
            test::Type(f.cboBright, i == 0 ? comma : point);
            painted[i] = f.image().copy();
            // but for the run's elapsed time under the graph's right end, which the clock writes
            const double R = f.graph.graphRight, B = f.graph.graphBottom;
            QPainter(&painted[i])
                .fillRect(QRect(f.toPixel(0.95 * R, B + 400), f.toPixel(0.95 * R + 1000, B + 1000)),
                          Qt::black);
        }
        EXPECT_TRUE(painted[0] == painted[1]) << comma;
    }
}

// Typed key by key, the wavelength box keeps the text and the cursor where the user left them and reads a
// decimal comma as the point, with no message (at "0," it was rewritten "0." with the cursor at the start,
// so "0,55" became "550." and "1.5" "51", with band messages); New plot reads it so.
TEST_F(InputHandlersTest, WavelengthTypedKeyByKeyStaysAsTyped) {
    for (const auto& [keys, lambda] : {std::pair{"0,50", 0.5}, {"0,55", 0.55}, {"1.5", 1.5}}) {
        Form1& f = ready();
        auto* box = static_cast<QLineEdit*>(f.txtLambda.widget());
        box->selectAll();
        QTest::keyClicks(box, keys);
        EXPECT_EQ(box->text().toStdString(), keys);
        EXPECT_EQ(box->cursorPosition(), box->text().size());
        EXPECT_EQ(f.calc.wavelength, lambda);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        // the start-up water's index at the wavelength typed (1.33772242 at 0.5 um)
        EXPECT_EQ(f.txtRefractReal.text(), Format(refrel(IndexModels{}, lambda).relIndexRe, "0.00000000"));
        test::Press(f.cmdNewPlot);
        EXPECT_EQ(Val(f.txtLambda.text()), lambda);
    }
}

// A text with a decimal comma that is no number is refused with the entry's message as it is typed and at
// New plot, not held against a band as the number before its comma ("0,65.0" was 0 µm, outside IAPWS's; "0,,5"
// was read as 0 µm, silently as typed, and refused with the band message).
TEST_F(InputHandlersTest, WavelengthThatIsNoNumberGetsTheEntryMessage) {
    for (const char* keys : {"0,65.0", " 0,55 ", "0,,5", "0..5"}) {
        Form1& f = ready();
        static_cast<QLineEdit*>(f.txtLambda.widget())->selectAll();
        QTest::keyClicks(f.txtLambda.widget(), keys);
        EXPECT_FALSE(messages.shown().empty()) << keys;  // as typed
        test::Press(f.cmdNewPlot);
        ASSERT_FALSE(messages.shown().empty()) << keys;
        for (const MessageBoxRequest& m : messages.shown())
            EXPECT_EQ(m.prompt, "    The red highlighted data entry is incorrect.    ") << keys;
        EXPECT_EQ(f.newPlotEnd, NewPlotEnd::Refused);
    }
}

}  // namespace
}  // namespace tessary
