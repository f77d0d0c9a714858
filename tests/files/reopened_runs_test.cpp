// Runs saved and read back on a fresh window, as a user does: the reopened window holds the run's models,
// indices, beam and settings as the run had them, saves the same file and computes the same values again.
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "colour/lee_diagram.h"
#include "file_bytes.h"
#include "files/data_file.h"
#include "graphs/graph_codes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Choose;
using test::Press;
using test::Type;

// The values a run computed: its curve, or the finished rows of a Lee diagram or map.
std::vector<double> Computed(Form1& f) {
    if (f.codes.graphCode < kGraphLee) return f.results.intensityPerp;
    std::vector<double> rows;
    for (std::int32_t s = 0; s <= f.runRecord.doneLast; ++s)
        for (const LeeStore* store : {&f.leeStores.leeRed1, &f.leeStores.leeGreen2})
            rows.insert(rows.end(), (*store)[static_cast<std::size_t>(s)].begin(),
                        (*store)[static_cast<std::size_t>(s)].end());
    return rows;
}

class ReopenedRunTest : public test::Form1Test {
  protected:
    std::string at(const std::string& name) const { return folder.at(name); }
    std::string written(Menu& command, const std::string& name, const char* extension) {
        std::filesystem::remove(at(name + extension));
        fileDialogs.answer(at(name));
        command.trigger();
        return test::ReadAll(at(name + extension));
    }
    std::string save(Form1& f, const std::string& name) { return written(f.mnuSave, name, ".tsy"); }
    std::string exported(Form1& f, const std::string& name) {
        f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
        return written(f.mnuSaveText, name, ".txt");
    }
    // Reads the file into the window, counting from there what it says.
    void read(Form1& f, const std::string& name) {
        messages.clear();
        fileDialogs.answer(at(name + ".tsy"));
        f.mnuRead.trigger();
    }
    void expectQuiet() {
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
    }
    // Saves the run on show (then rewrites a line of the file as an older program wrote it), reads it on a
    // fresh window and presses New plot there: that window saves the same file before and after (but where
    // the run was stopped), computes the same values and says nothing on the way. The reading window; the
    // file in `file`.
    Form1& expectComputedAgain(Form1& a, const std::pair<std::string, std::string>& older = {}) {
        const std::vector<double> computed = Computed(a);
        file = save(a, "run");
        std::string bytes = file;
        if (!older.first.empty()) bytes.replace(bytes.find(older.first), older.first.size(), older.second);
        test::WriteAll(at("run.tsy"), bytes);
        Form1& b = started();
        read(b, "run");
        EXPECT_EQ(save(b, "again"), file);
        Press(b.cmdNewPlot);
        EXPECT_EQ(Computed(b), computed);
        if (file.find("\r\nStopped after ") == std::string::npos) {
            EXPECT_EQ(save(b, "computed"), file);
        }
        expectQuiet();
        return b;
    }
    std::string file;
    test::TestFolder folder{"tessary_reopened_"};
};

// A sphere and a medium model of each kind with parameters other than the start's, chosen as the user
// chooses them, read back on a fresh window that shows water at 60 C around a Gedzelman sphere: the export
// is the one made before saving (less the amplitudes the file does not hold), and New plot computes and
// exports it again. An index file's model is read where the reading window has read that file too.
TEST_F(ReopenedRunTest, EveryIndexModelComputesAgainWhatItComputed) {
    struct Case {
        Menu Form1::*sphere;
        Menu Form1::*medium;
        const char* water;  // the water dialog's temperature
        int complex;        // the complex boxes of the water, Segelstein and Ray dialogs
        const char* air;    // the air dialog's temperature
    };
    const Case cases[] = {{&Form1::mnuRI_IAPWS, &Form1::mnuRI_Air2, "20", 1, "5"},
                          {&Form1::mnuRI_Cowley, &Form1::mnuRI_IAPWS2, "40", 0, "5"},
                          {&Form1::mnuRI_Segelstein, &Form1::mnuRI_Segelstein2, "5", 1, "5"},
                          {&Form1::mnuRI_Ray, &Form1::mnuRI_Vacuum2, "5", 1, "5"},
                          {&Form1::mnuRI_Lynch, &Form1::mnuRI_User2, "5", 0, "5"},
                          {&Form1::mnuRI_KayeLaby, &Form1::mnuRI_File2, "5", 0, "5"},
                          {&Form1::mnuRI_Gedzelman, &Form1::mnuRI_Air2, "5", 0, "30"},
                          {&Form1::mnuRI_Au, &Form1::mnuRI_Segelstein2, "5", 0, "5"},
                          {&Form1::mnuRI_Ag, &Form1::mnuRI_Vacuum2, "5", 0, "5"},
                          {&Form1::mnuRI_Cu, &Form1::mnuRI_Air2, "5", 0, "5"},
                          {&Form1::mnuRI_Air1, &Form1::mnuRI_Air2, "5", 0, "15"},
                          {&Form1::mnuRI_Vacuum1, &Form1::mnuRI_IAPWS2, "5", 0, "5"},
                          {&Form1::mnuRI_User1, &Form1::mnuRI_Vacuum2, "5", 0, "5"},
                          {&Form1::mnuRI_File1, &Form1::mnuRI_Air2, "5", 0, "5"}};
    const std::string glass = std::string(TESSARY_EXAMPLES_DIR) + "/glass.rix";
    const auto choose = [this, &glass](Form1& f, std::initializer_list<Menu*> items) {
        for (Menu* item : items) {
            if (item == &f.mnuRI_File1 || item == &f.mnuRI_File2) fileDialogs.answer(glass);
            Choose(*item);
        }
    };
    for (const Case& c : cases) {
        Form1& a = started();
        SCOPED_TRACE((a.*c.sphere).caption() + " in " + (a.*c.medium).caption());
        Type(a.cboStep, "1");
        a.dlogTemp_->txtTemp.setText(c.water), a.dlogAir_->txtAirTemp.setText(c.air);
        for (CheckBox* box :
             {&a.dlogTemp_->chkRI_Complex, &a.dlogSegelstein_->chkRI_Complex, &a.dlogRay_->chkRI_Complex})
            box->setValue(c.complex);
        a.dlogRI_User1_->txtMaterial1.setText("Glass"), a.dlogRI_User1_->txtRI_1_2.setText("1.6");
        a.dlogRI_User2_->txtMaterial2.setText("Oil"), a.dlogRI_User2_->txtRI_1_3.setText("1.4");
        choose(a, {&(a.*c.medium), &(a.*c.sphere)});
        Press(a.cmdNewPlot);
        const std::string text = exported(a, "run");
        save(a, "run");
        Form1& b = started();
        for (Menu Form1::*item : {c.sphere, c.medium})
            if (item == &Form1::mnuRI_File1 || item == &Form1::mnuRI_File2) choose(b, {&(b.*item)});
        b.dlogTemp_->txtTemp.setText("60"), choose(b, {&b.mnuRI_IAPWS2, &b.mnuRI_Gedzelman});
        read(b, "run");
        EXPECT_EQ(exported(b, "read"), text.substr(0, text.find("\r\n\r\nReal and imaginary")) + "\r\n");
        Press(b.cmdNewPlot);
        EXPECT_EQ(exported(b, "again"), text);
        expectQuiet();
    }
}

// A beam run of each method that takes a beam, read back on a fresh window: New plot computes the beam it
// was (not the plane wave the method's list would choose), with the label the run had. The Debye series'
// order 0 of a strongly absorbing sphere (x Im m = 773), which the Mie series computes, is labelled that order.
TEST_F(ReopenedRunTest, ABeamRunComputesAgainAsTheBeamItWas) {
    const std::tuple<const char*, Menu Form1::*, const char*> cases[] = {
        {"Mie", &Form1::mnuGaussian, "0"},       {"Debye", &Form1::mnuGaussian, "0"},
        {"Descartes", &Form1::mnuGaussian, "0"}, {"Young", &Form1::mnuGaussian, "0"},
        {"Young", &Form1::mnuTopHat, "0"},       {"Young mod", &Form1::mnuGaussian, "0"},
        {"Young mod", &Form1::mnuTopHat, "0"},   {"Debye", &Form1::mnuGaussian, "8"},
        {"Debye", &Form1::mnuPlaneWave, "8"}};
    for (const auto& [method, beam, imaginary] : cases) {
        SCOPED_TRACE(std::string(method) + ", " + (beam == &Form1::mnuTopHat ? "top hat" : "Gaussian") +
                     ", " + imaginary);
        Form1& a = started();
        Type(a.cboStep, "1"), Type(a.cboType, method), Type(a.txtRefractImag, imaginary);
        if (a.cboRays.visible()) Type(a.cboRays, "0");
        dlogGaussianBeam& dialog = *a.dlogGaussianBeam_;
        for (const auto& [box, text] : {std::pair{&dialog.txtBeamXF, "-40"},
                                        std::pair{&dialog.txtBeamYF, "0"}, std::pair{&dialog.txtBeamZF, "10"},
                                        std::pair{&dialog.txtBeamWo, "50"}, std::pair{&dialog.txtPhi, "90"}})
            box->setText(text);
        (a.*beam).trigger();  // its dialog, closed with OK
        Press(a.cmdNewPlot);
        const std::string label = a.lblDebyeRays.caption();
        EXPECT_EQ(label.find("Mie"), std::string(method) == "Mie" ? 0 : std::string::npos);
        EXPECT_EQ(expectComputedAgain(a).lblDebyeRays.caption(), label);
    }
}

// The window after the keys that show the hidden menus and, with `special`, the special mode's methods.
Form1& Unlocked(Form1& f, bool special) {
    for (int shift = 0; int key : f.windowState.hiddenKeyTable) f.Form_KeyDown(key, shift);
    for (int shift = keys::kCtrlMask; int key : {'G', 'J'})
        if (special) f.Form_KeyDown(key, shift);
    return f;
}

// A ray method's beam run of copper (Re m < 1) keeps its label through a redraw; label and title read back.
TEST_F(ReopenedRunTest, AMetalSphereRunWithABeamKeepsItsLabel) {
    for (const auto& [method, beam] : {std::pair{"Young mod", &Form1::mnuGaussian},
                                       {"Young mod", &Form1::mnuTopHat},
                                       {"Young", &Form1::mnuGaussian},
                                       {"Descartes", &Form1::mnuCentralBeam}}) {
        Form1& a = Unlocked(started(), true);
        Choose(a.mnuRI_Cu), Choose(a.cboGraph, "Intensity v. size parameter x"), Type(a.cboStep, "1");
        a.dlogGaussianBeam_->txtBeamWo.setText("100"), Choose(a.cboType, method), Type(a.cboRays, "0");
        Choose(a.*beam), Press(a.cmdNewPlot), Choose(a.cboPol, "Parallel");  // redrawn
        const std::string label = a.lblDebyeRays.caption(), title = a.caption();
        EXPECT_EQ(label, RunCaptionsOf(a.runRecord).label);
        save(a, "run"), read(started(), "run"), expectQuiet();
        EXPECT_EQ(std::pair(form->lblDebyeRays.caption(), form->caption()), std::pair(label, title));
    }
}

// A file without its Inputs line (as earlier versions saved) tells what it lacks, and saves as it was read.
TEST_F(ReopenedRunTest, AFileWithoutItsInputsLineSaysWhatItDoesNotHold) {
    for (const auto& [graph, method, named] :
         {std::tuple{"Intensity v. scattering angle", "Huygens", "number of rays"},
          {"Intensity v. scattering angle", "van de Hulst", "coefficients a and b"},
          {"Map: angle v. refractive index", "Mie", "radius and fixed imaginary part of the index"}}) {
        Form1& a = Unlocked(started(), true);
        Choose(a.cboGraph, graph), Type(a.cboStep, "1"), Choose(a.cboType, method), Press(a.cmdNewPlot);
        std::string bytes = save(a, "run");
        const std::size_t line = bytes.find("Inputs: ");
        test::WriteAll(at("run.tsy"), bytes.erase(line, bytes.find("\r\n", line) + 2 - line));
        read(started(), "run");
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt,
                  "This file does not hold the " + std::string(named) +
                      " its run read. Data files of earlier versions do not store such "
                      "inputs: New plot takes them from the window's boxes.");
        EXPECT_EQ(save(*form, "again"), bytes);
    }
}

// The export names the spectrum a run of more than seven wavelengths was weighted with, also read back.
TEST_F(ReopenedRunTest, TheTextExportNamesTheSpectrumOfTheRun) {
    const auto head = [](const std::string& text) { return text.substr(0, text.find("\r\nGraph type: ")); };
    for (const auto& [item, name] :
         {std::pair{&Form1::mnuSpectrumWernand, "Sun (Wernand)"}, {&Form1::mnuBlackBody, "Black body 6000K"}})
        for (const std::string list : {"3", "30", "Low", "High"}) {
            Form1& a = started();
            Choose(a.*item), Type(a.cboStep, "1"), Choose(a.cboWave, list), Press(a.cmdNewPlot);
            const std::string text = head(exported(a, "run"));
            EXPECT_EQ(text.find("\r\nSpectrum: " + std::string(name) + "\r\n") != std::string::npos,
                      list != "3");
            save(a, "run"), read(started(), "run"), expectQuiet();
            EXPECT_EQ(head(exported(*form, "read")), text) << list;
        }
}

// A file holds each option that changes a Lee diagram's or map's numbers, a typed index and y-scale lines of
// its results alone: read on a fresh window (graph list changed too), saved or run again, it saves the same.
TEST_F(ReopenedRunTest, AFileReadBackSavesAndComputesTheSameAgain) {
    using Act = std::function<void(Form1&)>;
    const auto run = [](const char* graph, const Act& before) {
        return [=](Form1& f) { Choose(f.cboGraph, graph), before(f), Press(f.cmdNewPlot); };
    };
    const Act sunRectangular = [](Form1& f) {
        Choose(Unlocked(f, false), "Hidden > Sun Rectangular"), f.optSun.setValue(true);
    };
    const Act logWater = [](Form1& f) {
        f.optLog.setValue(true),
            Choose(f, "Advanced > Refractive index > Surrounding medium > Water > IAPWS");
    };
    const Act goldTyped = [](Form1& f) {  // as earlier versions saved a model chosen unseen
        Choose(f.mnuRI_Au), Type(f.txtRefractReal, "1.33257035"), Type(f.txtRefractImag, "0");
    };
    const Act gold = [](Form1& f) { Choose(f, "Advanced > Refractive index > Sphere > Gold"); };
    const std::pair<Act, const char*> cases[] = {
        {run("Lee diagram", [](Form1& f) { Choose(f, "Plot > Amplitude"); }), "Values: Amplitude"},
        {run("Lee diagram", sunRectangular), "Options: Sun Rectangular"},
        {run("Map: angle v. radius", sunRectangular), "Options: Sun Rectangular"},
        {[run](Form1& f) { run("Map: angle v. wavelength", [](Form1&) {})(f), f.optSun.setValue(true); },
         "Light source: Point"},
        {run("Intensity v. wavelength", logWater), ""},
        {run("Intensity v. scattering angle", goldTyped), ""},
        {[=](Form1& f) { run("Lee diagram", gold)(f), run("Qext/Qsca/Qabs v. radius", gold)(f); }, ""}};
    for (const auto& [act, holds] : cases) {
        Form1& a = started();
        act(a), expectComputedAgain(a);
        EXPECT_NE(file.find(std::string(holds) + "\r\n"), std::string::npos) << holds;
    }
    Form1& g = started();  // the last row's run on a fresh window saves the same file
    Type(g.txtRadius, "5"), run("Qext/Qsca/Qabs v. radius", gold)(g);
    EXPECT_EQ(save(g, "fresh"), file);
    Form1& a = Unlocked(started(), false);  // a beam run, read where the graph list was changed first
    Choose(a, "Advanced > Illumination > Gaussian beam"), Type(a.cboStep, "1"), Press(a.cmdNewPlot);
    const std::string beam = save(a, "beam");
    Form1& b = started();
    Choose(b.cboGraph, "Intensity v. wavelength"), read(b, "beam"), expectQuiet();
    EXPECT_EQ(save(b, "again"), beam);
}

// Settings through a file: what a file holds is the run's as the boxes mean it, and the window that reads
// it saves the same and computes the same values again without a word (its boxes take what the reader
// wrote into them, the imaginary part as typed). Y limits typed after a run are the file's once a redraw
// has drawn with them, and typed ones keep the y scale the run started from; a typed maximum with an
// automatic minimum runs again; a
// stopped Lee diagram computes its rows at their radii again; a sweep an older program saved as drawn under
// the sun reads as the point source its run had.
TEST_F(ReopenedRunTest, SettingsKeepTheirValuesThroughAFile) {
    const auto hidden = [](const char* method, auto Form1::*box, const char* text) {
        return [=](Form1& f) {
            for (int key : {'G', 'J'}) {
                int ctrl = keys::kCtrlMask;
                f.Form_KeyDown(key, ctrl);
            }
            Choose(f.cboType, method), Type(f.*box, text), Press(f.cmdNewPlot);
        };
    };
    const auto typedLimits = [](bool redrawn) {
        return [redrawn](Form1& f) {
            Press(f.cmdNewPlot);
            Type(f.cboYmin, "0,01"), Type(f.cboYmax, "1,5E+20");
            if (redrawn) Press(f.cmdReplot);
        };
    };
    struct Case {
        const char* name;
        std::function<void(Form1&)> run;
        std::string holds;                            // lines of the file the run saves
        std::pair<std::string, std::string> older{};  // a line as an older program wrote it
    };
    const Case cases[] = {
        // An imaginary part as the run's box held it, which the box takes back.
        {"imaginary part -1.5", [](Form1& f) { Type(f.txtRefractImag, "-1.5"), Press(f.cmdNewPlot); },
         "\r\n-1.5\r\n"},
        {"imaginary index 0.01", [](Form1& f) { Type(f.txtRefractImag, "0.01"), Press(f.cmdNewPlot); },
         "\r\n0.01\r\n"},
        {"imaginary part -0.001", [](Form1& f) { Type(f.txtRefractImag, "-0.001"), Press(f.cmdNewPlot); },
         "\r\n-0.001\r\n"},
        {"y limits typed, not drawn", typedLimits(false), "\r\nAutomatic\r\nAutomatic\r\n"},
        {"y limits typed and drawn", typedLimits(true), "\r\n .01 \r\n 1.5E+20 \r\n"},
        // Typed limits leave the y scale New plot starts from, that of the graph drawn before.
        {"efficiencies with typed y limits after an angle graph",
         [](Form1& f) {
             Press(f.cmdNewPlot), Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius"), Type(f.cboStep, "1");
             Type(f.cboYmax, "5"), Press(f.cmdNewPlot);
         },
         "\r\n 0 \r\n 5 \r\n"},
        {"y maximum 1 at radius 100",
         [](Form1& f) { Type(f.txtRadius, "100"), Type(f.cboYmax, "1"), Press(f.cmdNewPlot); },
         "\r\nAutomatic\r\n 1 \r\n"},
        // Stopped in its fifth step: saved as the diagram of 4 steps from 5 to the radius of its last row.
        {"Lee diagram of 10 steps to 40 um, stopped",
         [this](Form1& f) {
             Choose(f.cboGraph, "Lee diagram"), Type(f.txtRstep, "10"), Type(f.txtRmax, "40");
             runtime.setPumpHook([&f] {
                 if (f.codes.runState != Form1::kRunStopped && f.sweepState.loopStep >= 5) f.cmdStop.click();
             });
             Press(f.cmdNewPlot);
             runtime.setPumpHook({});
         },
         "\r\nStopped after 5 of 11 points\r\n"},
        {"intensity v. refractive index saved under the sun",
         [](Form1& f) { Choose(f.cboGraph, "Intensity v. refractive index"), Press(f.cmdNewPlot); },
         "\r\nLight source: Point\r\n",
         {"Light source: Point", "Light source: Sun"}},
        // Inputs read from boxes that the lines before the results do not hold; radii and indices typed
        // with more digits than their Singles' seven or a Double's fifteen (a diameter, a size parameter).
        {"map against the imaginary part, radius 20, real index 2",
         [](Form1& f) {
             Choose(f.cboGraph, "Map: angle v. imaginary RI"), Type(f.txtAngle, "20"),
                 Type(f.txtF9_fixed, "2"), Press(f.cmdNewPlot);
         },
         "\r\nInputs: radius 20; real part 2\r\n"},
        {"Huygens with 50 rays", hidden("Huygens", &Form1::txtAngle, "50"), "\r\nInputs: rays 50\r\n"},
        {"van de Hulst, a = 2", hidden("van de Hulst", &Form1::cboQmin, "2"),
         "\r\nInputs: coefficient a 2; coefficient b 10\r\n"},
        {"user-defined index 1.61234567",
         [](Form1& f) {
             f.dlogRI_User1_->txtRI_1_2.setText("1.61234567"), Choose(f.mnuRI_User1), Type(f.cboWave, "3"),
                 Press(f.cmdNewPlot);
         },
         "\r\n .47998        1.6123457 \r\n"},
        {"size parameter 77.5",
         [](Form1& f) { Choose(f.mnuRadiusX), Type(f.txtRadius, "77.5"), Press(f.cmdNewPlot); },
         "\r\n8.017430258254235\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& a = started();
        Type(a.cboStep, "1");
        c.run(a);
        expectComputedAgain(a, c.older);
        EXPECT_NE(file.find(c.holds), std::string::npos);
    }
}

// A run of a spectrum file read back names that spectrum, as the run did, where the reading window has read
// the file too and where it has not (it then keeps its own spectrum and says so once).
TEST_F(ReopenedRunTest, ARunOfASpectrumFileIsNamedSo) {
    const std::string spectrum = std::string(TESSARY_EXAMPLES_DIR) + "/sunlight.spe";
    for (const bool loaded : {true, false}) {
        Form1& a = started();
        fileDialogs.answer(spectrum), Choose(a.mnuSpectrumFile);
        Type(a.cboStep, "1"), Type(a.cboWave, "10"), Press(a.cmdNewPlot);
        save(a, "run");
        Form1& b = started();
        if (loaded) fileDialogs.answer(spectrum), Choose(b.mnuSpectrumFile);
        read(b, "run");
        EXPECT_EQ(messages.shown().size(), loaded ? 0u : 1u);
        EXPECT_NE(exported(b, "read").find("\r\nSpectrum: Data file\r\n"), std::string::npos) << loaded;
    }
}

// A sweep against wavelength of an index file's sphere, read where the window has not read that file (none,
// or one of another material): the text export, whose rows give the index at each wavelength, is refused,
// never written with the window's own model under the file's sphere, and the window keeps the name of the
// model it keeps, which New plot computes with.
TEST_F(ReopenedRunTest, AnIndexFileNotReadGivesNoIndexOfTheRows) {
    std::string flint = test::ReadAll(std::string(TESSARY_EXAMPLES_DIR) + "/glass.rix");
    test::WriteAll(at("flint.rix"), flint.replace(flint.find("Crown"), 5, "Flint"));
    Form1& a = started();
    fileDialogs.answer(std::string(TESSARY_EXAMPLES_DIR) + "/glass.rix"), Choose(a.mnuRI_File1);
    Choose(a.cboGraph, "Intensity v. wavelength"), Type(a.txtXmin, "400"), Type(a.txtXmax, "700");
    Type(a.cboStep, "50"), Press(a.cmdNewPlot);
    save(a, "run");
    for (const bool other : {false, true}) {
        Form1& b = started();
        if (other) fileDialogs.answer(at("flint.rix")), Choose(b.mnuRI_File1);
        const std::string own = b.indexState.sphereName;
        read(b, "run");
        messages.clear();
        EXPECT_EQ(exported(b, "read"), "");
        EXPECT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(b.indexState.sphereName, own);
    }
}

// A run of each kind (graph, step, wavelengths or Disperse) in each size entry (chosen before the graph, again
// where the graph shows it unticked) computes at its file's radius, as a fresh window reading the file does.
TEST_F(ReopenedRunTest, EveryRunKindInEachSizeEntryComputesAtTheRadiusOfItsFile) {
    const std::tuple<const char*, const char*, const char*> kinds[] = {
        {"Intensity v. scattering angle", "1", "1"},
        {"Intensity v. scattering angle", "1", "3"},
        {"Phase function", "1", "Disperse"},
        {"Intensity v. wavelength", "1", ""},
        {"Intensity v. radius", "0.1", ""},
        {"Intensity v. size parameter x", "1", ""},
        {"Intensity v. refractive index", "0.002", ""},
        {"Qext/Qsca/Qabs v. wavelength", "100", ""},
        {"Cext/Csca/Cabs v. radius", "10", ""},
        {"Asymmetry parameter v. wavelength", "4", ""},
        {"Lee diagram", "1", "1"},
        {"Lee diagram", "1", "3"},
        {"Map: angle v. refractive index", "1", ""},
        {"Map: angle v. imaginary RI", "1", ""},
        {"Map: angle v. radius", "1", ""},
        {"Map: angle v. wavelength", "1", ""}};
    for (const auto& [graph, step, waves] : kinds)
        for (Menu Form1::*entry : {&Form1::mnuRadius, &Form1::mnuDiameter, &Form1::mnuRadiusX}) {
            Form1& a = started();
            SCOPED_TRACE(std::string(graph) + ", " + waves + ", " + (a.*entry).caption());
            Choose(a.*entry), Choose(a.cboGraph, graph), Type(a.cboStep, step);
            if (std::string(waves) == "Disperse")
                a.optDisp.setValue(true);
            else if (*waves)
                Choose(a.cboWave, waves);
            if (!(a.*entry).checked() && (a.*entry).visible() && !a.mnuRadiusX.checked()) Choose(a.*entry);
            Type(a.txtRadius, a.mnuDiameter.checked() ? "4" : a.mnuRadiusX.checked() ? "19" : "2");
            Press(a.cmdNewPlot), expectComputedAgain(a);
        }
}

}  // namespace
}  // namespace tessary
