#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "file_bytes.h"
#include "colour/lee_diagram.h"
#include "files/data_file.h"
#include "graphs/graph_codes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;
using test::Choose;
using test::Press;
using test::ReadAll;
using test::Type;

class ReopenedRunTest : public test::Form1Test {
  protected:
    std::string at(const std::string& name) const { return folder.at(name); }
    std::string save(Form1& f, const std::string& name) {
        fs::remove(at(name + ".tsy"));
        fileDialogs.answer(at(name));
        f.mnuSave.trigger();
        return ReadAll(at(name + ".tsy"));
    }
    std::string exported(Form1& f, const std::string& name) {
        fs::remove(at(name + ".txt"));
        f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
        fileDialogs.answer(at(name));
        f.mnuSaveText.trigger();
        return ReadAll(at(name + ".txt"));
    }
    void read(Form1& f, const std::string& name) {
        fileDialogs.answer(at(name + ".tsy"));
        f.mnuRead.trigger();
    }
    test::TestFolder folder{"tessary_reopened_"};
};

// Each sphere and medium model with parameters other than the start's, chosen as the user chooses it,
// read back on a fresh window that shows other models: the export is the one made before saving, and New
// plot computes and exports it again (the export's date is the clock's, fixed here). A model of an index
// file is read where the reading window has read that file too.
TEST_F(ReopenedRunTest, EveryIndexModelComputesAgainWhatItComputed) {
    const std::string glass = std::string(TESSARY_EXAMPLES_DIR) + "/glass.rix";
    const auto indexFile = [this, glass](Menu& item) { fileDialogs.answer(glass), Choose(item); };
    const auto member = [](Menu Form1::*item) { return [item](Form1& f) { Choose(f.*item); }; };
    const auto user = [](TextBox UserIndexRows::*index, UserIndexRows& rows, TextBox& material) {
        material.setText("Glass"), (rows.*index).setText("1.6");
    };
    struct Case {
        const char* name;
        std::function<void(Form1&)> choose;
        std::function<void(Form1&)> reader = [](Form1&) {};  // what the reading window has
    };
    const Case cases[] = {
        {"IAPWS at 20 C, complex",
         [](Form1& f) {
             f.dlogTemp_->txtTemp.setText("20"), f.dlogTemp_->chkRI_Complex.setValue(1);
             Choose(f.mnuRI_IAPWS);
         }},
        {"Cowley", member(&Form1::mnuRI_Cowley)},
        {"Segelstein, complex",
         [](Form1& f) { f.dlogSegelstein_->chkRI_Complex.setValue(1), Choose(f.mnuRI_Segelstein); }},
        {"Ray, complex", [](Form1& f) { f.dlogRay_->chkRI_Complex.setValue(1), Choose(f.mnuRI_Ray); }},
        {"Lynch", member(&Form1::mnuRI_Lynch)},
        {"Kaye + Laby", member(&Form1::mnuRI_KayeLaby)},
        {"Gedzelman", member(&Form1::mnuRI_Gedzelman)},
        {"gold", member(&Form1::mnuRI_Au)},
        {"silver", member(&Form1::mnuRI_Ag)},
        {"copper", member(&Form1::mnuRI_Cu)},
        {"air sphere at 15 C", [](Form1& f) { f.dlogAir_->txtAirTemp.setText("15"), Choose(f.mnuRI_Air1); }},
        {"vacuum sphere in water", [](Form1& f) { Choose(f.mnuRI_Vacuum1), Choose(f.mnuRI_IAPWS2); }},
        {"user-defined sphere",
         [user](Form1& f) {
             user(&UserIndexRows::txtRI_1_2, *f.dlogRI_User1_, f.dlogRI_User1_->txtMaterial1);
             Choose(f.mnuRI_User1);
         }},
        {"sphere from an index file", [indexFile](Form1& f) { indexFile(f.mnuRI_File1); },
         [indexFile](Form1& f) { indexFile(f.mnuRI_File1), Choose(f.mnuRI_Cowley); }},
        {"air medium", member(&Form1::mnuRI_Air2)},
        {"air medium at 30 C, air sphere",
         [](Form1& f) { f.dlogAir_->txtAirTemp.setText("30"), Choose(f.mnuRI_Air2), Choose(f.mnuRI_Air1); }},
        {"water medium at 40 C",
         [](Form1& f) { f.dlogTemp_->txtTemp.setText("40"), Choose(f.mnuRI_IAPWS2); }},
        {"Segelstein medium, gold sphere", [](Form1& f) { Choose(f.mnuRI_Segelstein2), Choose(f.mnuRI_Au); }},
        {"user-defined medium",
         [user](Form1& f) {
             user(&UserIndexRows::txtRI_1_3, *f.dlogRI_User2_, f.dlogRI_User2_->txtMaterial2);
             Choose(f.mnuRI_User2);
         }},
        {"medium from an index file", [indexFile](Form1& f) { indexFile(f.mnuRI_File2); },
         [indexFile](Form1& f) { indexFile(f.mnuRI_File2), Choose(f.mnuRI_Vacuum2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& a = started();
        Type(a.cboStep, "1");
        c.choose(a);
        Press(a.cmdNewPlot);
        const std::string text = exported(a, "run");
        save(a, "run");
        Form1& b = started();
        b.dlogTemp_->txtTemp.setText("60"), Choose(b.mnuRI_IAPWS2), Choose(b.mnuRI_Gedzelman);
        c.reader(b);
        messages.clear();
        read(b, "run");
        // The file holds no amplitudes: their table is left out until New plot computes them.
        EXPECT_EQ(exported(b, "read"), text.substr(0, text.find("\r\n\r\nReal and imaginary")) + "\r\n");
        Press(b.cmdNewPlot);
        EXPECT_EQ(exported(b, "again"), text);
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
    }
}

// A beam run of each method that takes a beam, read back on a fresh window: New plot computes the beam it
// was (not the plane wave the method's list would choose), with the label the run had.
TEST_F(ReopenedRunTest, ABeamRunComputesAgainAsTheBeamItWas) {
    const std::pair<const char*, Menu Form1::*> cases[] = {
        {"Mie", &Form1::mnuGaussian},    {"Debye", &Form1::mnuGaussian}, {"Descartes", &Form1::mnuGaussian},
        {"Young", &Form1::mnuGaussian},  {"Young", &Form1::mnuTopHat},   {"Young mod", &Form1::mnuGaussian},
        {"Young mod", &Form1::mnuTopHat}};
    for (const auto& [method, beam] : cases) {
        SCOPED_TRACE(std::string(method) + ", " + (beam == &Form1::mnuTopHat ? "top hat" : "Gaussian"));
        Form1& a = started();
        Type(a.cboStep, "1");
        Type(a.cboType, method);
        if (a.cboRays.visible()) Type(a.cboRays, "0");
        dlogGaussianBeam& dialog = *a.dlogGaussianBeam_;
        for (const auto& [box, text] : {std::pair{&dialog.txtBeamXF, "-40"},
                                        std::pair{&dialog.txtBeamYF, "0"}, std::pair{&dialog.txtBeamZF, "10"},
                                        std::pair{&dialog.txtBeamWo, "50"}, std::pair{&dialog.txtPhi, "90"}})
            box->setText(text);
        (a.*beam).trigger();  // its dialog, closed with OK
        Press(a.cmdNewPlot);
        const std::vector<double> computed = a.results.intensityPerp;
        const std::string label = a.lblDebyeRays.caption();
        save(a, "beam");
        Form1& b = started();
        read(b, "beam");
        Press(b.cmdNewPlot);
        EXPECT_EQ(b.lblDebyeRays.caption(), label);
        EXPECT_EQ(b.results.intensityPerp, computed);
    }
}

// Imaginary parts typed and computed, read back on a fresh window: the box holds a text the box takes (the
// scientific form where it reads as the same number), and New plot computes the same run without a word.
TEST_F(ReopenedRunTest, AnImaginaryIndexReadBackIsOneTheBoxTakes) {
    const std::pair<const char*, const char*> cases[] = {{"-1.5", "-1.5"},
                                                         {"-0.001", "-1.00E-03"},
                                                         {"0.0001", "1.00E-04"},
                                                         {"3.30E-10", "3.30E-10"},
                                                         {"0.5", "0.5"}};
    for (const auto& [typed, shown] : cases) {
        SCOPED_TRACE(typed);
        Form1& a = started();
        Type(a.cboStep, "1");
        Type(a.txtRefractImag, typed);
        Press(a.cmdNewPlot);
        const std::vector<double> computed = a.results.intensityPerp;
        save(a, "index");
        Form1& b = started();
        messages.clear();
        read(b, "index");
        EXPECT_EQ(b.txtRefractImag.text(), shown);
        Press(b.cmdNewPlot);
        EXPECT_EQ(b.results.intensityPerp, computed);
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
    }
}

// Settings through a file: what a file holds is the run's as the boxes mean it, and the window that reads
// it saves the same and computes the same values again without a word. Y limits typed after a run are
// the file's once a redraw has drawn with them; a typed maximum with an automatic minimum runs again; a
// sweep an older program saved as drawn under the sun reads as the point source its run had.
TEST_F(ReopenedRunTest, SettingsKeepTheirValuesThroughAFile) {
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
        std::string holds;                                  // lines of the file the run saves
        std::function<void(std::string&)> older = nullptr;  // the file as an older program wrote it
    };
    const Case cases[] = {
        {"y limits typed, not drawn", typedLimits(false), "\r\nAutomatic\r\nAutomatic\r\n"},
        {"y limits typed and drawn", typedLimits(true), "\r\n .01 \r\n 1.5E+20 \r\n"},
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
         [](std::string& bytes) {
             bytes.replace(bytes.find("Light source: Point"), 19, "Light source: Sun");
         }},
    };
    // The values computed: the curve, or the finished rows of a Lee diagram.
    const auto values = [](Form1& f) {
        if (f.codes.graphCode != kGraphLee) return f.results.intensityPerp;
        std::vector<double> rows;
        for (std::int32_t s = 0; s <= f.runRecord.doneLast; ++s)
            for (const LeeStore* store : {&f.leeStores.leeRed1, &f.leeStores.leeGreen2})
                rows.insert(rows.end(), (*store)[static_cast<std::size_t>(s)].begin(),
                            (*store)[static_cast<std::size_t>(s)].end());
        return rows;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& a = started();
        Type(a.cboStep, "1");
        c.run(a);
        const std::vector<double> computed = values(a);
        const std::string file = save(a, "run");
        EXPECT_NE(file.find(c.holds), std::string::npos);
        if (c.older) {
            std::string bytes = file;
            c.older(bytes);
            test::WriteAll(at("run.tsy"), bytes);
        }
        Form1& b = started();
        messages.clear();
        read(b, "run");
        EXPECT_EQ(save(b, "again"), file);
        Press(b.cmdNewPlot);
        EXPECT_EQ(values(b), computed);
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
    }
}

}  // namespace
}  // namespace tessary
