// What describes or stores the results after a run reads the run's record, not the boxes as they are
// now: saves after editing each kind of box hold the run's rows and read back, and a fixed set of runs
// saves the same bytes as before the record was introduced (but for what the headers now say better).
// The label, title and export name the method and options the run used.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "file_bytes.h"
#include "files/form1_export_snapshot.h"
#include "graphs/graph_codes.h"
#include "platform/text/conversions.h"
#include "platform/ui/file_dialogs.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

using test::Choose;
using test::Press;
using test::ReadAll;
using test::Type;

class RunRecordTest : public test::Form1Test {
  protected:
    std::string at(const std::string& name) const { return folder.at(name); }

    Form1& start() {
        Form1& f = started();
        f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
        messages.clear();
        return f;
    }
    static void Run(Form1& f, const std::string& graph, const std::string& lo, const std::string& hi,
                    const std::string& step) {
        f.cboGraph.setText(graph);
        f.txtXmin.setText(lo);
        f.txtXmax.setText(hi);
        f.cboStep.setText(step);
        f.cmdNewPlot.click();
    }
    std::string saveData(Form1& f, const std::string& name) {
        fileDialogs.answer(at(name));
        f.mnuSave.trigger();
        return ReadAll(at(name + ".tsy"));
    }
    std::string saveText(Form1& f, const std::string& name) {
        fileDialogs.answer(at(name));
        f.mnuSaveText.trigger();
        return ReadAll(at(name + ".txt"));
    }

    test::TestFolder folder{"tessary_record_"};
};

// The line of a text export that begins with the given cell and a TAB.
std::string RowOf(const std::string& text, const std::string& first) {
    const std::size_t at = text.find("\r\n" + first + "\t");
    if (at == std::string::npos) return std::string();
    return text.substr(at + 2, text.find("\r\n", at + 2) - at - 2);
}

struct EditCase {
    const char* name;
    std::function<void(Form1&)> run;   // the run whose results are saved
    std::function<void(Form1&)> edit;  // what the user types afterwards, without running
    const char* row;                   // the first cell of a row of the text export
    std::size_t point;                 // the stored point that row holds
};

TEST_F(RunRecordTest, SavesAfterEditingABoxHoldTheRunsResultsAndReadBack) {
    const EditCase cases[] = {
        {"angle step", [](Form1&) {}, [](Form1& f) { f.cboStep.setText("1"); }, " 1.5 ", 16},
        {"angle range", [](Form1&) {}, [](Form1& f) { f.txtXmin.setText("100"); }, " .1 ", 2},
        {"wavelength minimum", [](Form1& f) { Run(f, "Intensity v. wavelength", "400", "700", "1"); },
         [](Form1& f) { f.txtXmin.setText("500"); }, " 500 ", 101},
        {"radius", [](Form1&) {}, [](Form1& f) { f.txtRadius.setText("25"); }, " 180 ", 1801},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = start();
        c.run(f);
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        const double value = f.results.intensityPerp.at(c.point);
        ASSERT_GT(value, 0.0);
        const std::string data = saveData(f, "run");
        c.edit(f);
        const std::string edited = saveData(f, "edited");
        const auto differ = static_cast<std::size_t>(
            std::mismatch(edited.begin(), edited.end(), data.begin(), data.end()).first - edited.begin());
        const std::size_t from = differ > 100 ? differ - 100 : 0;
        EXPECT_TRUE(edited == data) << edited.substr(from, 200) << "\n----\n" << data.substr(from, 200);
        const std::string text = saveText(f, "edited");
        const std::string row = RowOf(text, c.row);
        ASSERT_FALSE(row.empty()) << text.substr(0, 600);
        EXPECT_NE(row.find("\t " + CStr(value) + " "), std::string::npos) << row;
        if (f.runRecord.graphCode == kGraphAngle) {
            EXPECT_NE(text.find("Radius: \t 10 \t um"), std::string::npos);
        }

        // The file reads back into a fresh window with the run's grid and values.
        form.reset();
        Form1& g = start();
        fileDialogs.answer(at("edited.tsy"));
        g.mnuRead.trigger();
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_NEAR(g.results.intensityPerp.at(c.point), value, 1e-14 * value);
    }
}

std::uint64_t Fnv1a(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (const unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    return h;
}

struct FixedRun {
    const char* name;
    std::function<void(Form1&)> set;
    std::uint64_t dataHash, textHash;  // the bytes saved before runs kept a record
};

TEST_F(RunRecordTest, FixedRunsSaveTheSameBytesAsBefore) {
    const FixedRun runs[] = {
        {"angle", [](Form1& f) { Run(f, "Intensity v. scattering angle", "0", "180", "1"); },
         7400363252034907707ull, 1915761367936607192ull},
        {"phase function", [](Form1& f) { Run(f, "Phase function", "0", "180", "2"); },
         4053587885132701472ull, 15620302343033080820ull},
        {"debye p = 2",
         [](Form1& f) {
             f.cboType.setText("Debye");
             f.cboRays.setText("2");
             Run(f, "Intensity v. scattering angle", "130", "150", "0.5");
         },
         10943920649967686103ull, 34848102559945236ull},
        {"rgb",
         [](Form1& f) {
             f.cboWave.setText("RGB");
             Run(f, "Intensity v. scattering angle", "0", "180", "1");
         },
         // the text's index line now says that the models gave m at each wavelength
         7840560765352282790ull, 1691534339737426939ull},
        {"wavelength", [](Form1& f) { Run(f, "Intensity v. wavelength", "400", "700", "10"); },
         3865897178765558582ull, 14637497916537814492ull},
        // a clear sphere's Qabs is written 0, not the residue of Qext - Qsca
        {"efficiencies", [](Form1& f) { Run(f, "Qext/Qsca/Qabs v. radius", "1", "20", "0.5"); },
         13697154597038725361ull, 762908078900522044ull},
        {"index", [](Form1& f) { Run(f, "Intensity v. refractive index", "1.3", "1.4", "0.01"); },
         10507179354409360414ull, 6004514099037992310ull},
    };
    for (const FixedRun& r : runs) {
        SCOPED_TRACE(r.name);
        Form1& f = start();
        r.set(f);
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        const std::string data = saveData(f, "fixed");
        const std::string text = saveText(f, "fixed");
        ASSERT_FALSE(data.empty());
        ASSERT_FALSE(text.empty());
        // The light-source line came later; the bytes before it are as they were.
        const std::string light = "Light source: Point\r\n";
        ASSERT_TRUE(data.ends_with(light));
        EXPECT_EQ(Fnv1a(data.substr(0, data.size() - light.size())), r.dataHash);
        EXPECT_EQ(Fnv1a(text), r.textHash);
    }
}

}  // namespace
}  // namespace tessary

namespace tessary {
namespace {

struct HeaderCase {
    const char* name;
    std::function<void(Form1&)> set;
    std::vector<std::string> lines;  // lines the text export holds
};

// The headers name what the run used, a size distribution beside the nominal radius included; after a
// distribution the radius label names the run's radius, not its last sample.
TEST_F(RunRecordTest, HeadersSayWhatTheRunUsed) {
    const HeaderCase cases[] = {
        {"typed index",
         [](Form1& f) { f.txtRefractReal.setText("1.5"); },
         {"Sphere: \tuser value\r\n", "Refractive index\tReal part: \t1.5\t"}},
        {"model index",
         [](Form1&) {},
         {"Sphere: \t Water\r\n", "Refractive index\tReal part: \t1.33257035\t"}},
        {"several wavelengths",
         [](Form1& f) { f.cboWave.setText("RGB"); },
         {"Refractive index\tfrom the models of sphere and medium at each wavelength\r\n"}},
        {"spectrum band", [](Form1& f) { f.cboWave.setText("10"); }, {"Spectrum: \t .38 - .7  um\r\n"}},
        {"size distribution",
         [](Form1& f) {
             f.optDisp.setValue(true);
             f.cboDistrib.setText("Log-normal");
             f.cboSD.setText("10");
             f.cboN.setText("5");
         },
         {"Radius: \t 10 \t um\tSize parameter: \t 96.6644 \r\nSize distribution: \tLog-normal\tMedian radius: \t 10 "
          "\t um\tStandard deviation: \t10\t %\tNumber of sizes: \t5\r\n\r\n"}},
        {"special distribution",
         [this](Form1& f) {
             fileDialogs.answer(std::string(TESSARY_EXAMPLES_DIR) + "/droplets.dis");
             f.mnuSizeDist.trigger();
         },
         {"Size parameter: \t 96.6644 \r\nSize distribution: \tSpecial\tFile: \tdroplets.dis\tNumber of classes: \t15\r\n"}},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = start();
        c.set(f);
        Run(f, "Intensity v. scattering angle", "0", "180", "1");
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_EQ(f.lblRadiusDisp.caption(), f.optDisp.value() ? "Radius = 10" : "");
        f.txtRefractReal.setText("1.7");  // typed after the run: not what it used
        const std::string text = saveText(f, "header");
        for (const std::string& line : c.lines)
            EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text.substr(0, 500);
    }
}

// The special and hidden modes, entered as the user does: Ctrl+G, Ctrl+J (which add Aperture, Huygens and
// van de Hulst to the method list), then the four keys typed on the window.
void EnterHiddenModes(Form1& f) {
    for (int key : {'G', 'J'}) {
        int ctrl = keys::kCtrlMask;
        f.Form_KeyDown(key, ctrl);
    }
    for (int key : f.windowState.hiddenKeyTable) {
        int shift = 0;
        f.Form_KeyDown(key, shift);
    }
}

struct LabelCase {
    const char* name;
    std::function<void(Form1&)> set;
    const char* label;  // the label, and the text export's method
    const char* title;  // the title bar, before "  Water in a vacuum "
};

// The label, title and text export name the method, its orders and the options the run used (a beam,
// surface-wave subtraction), a map's too after its closing redraw, and those of the methods without
// ray orders. A map's text export writes no file.
TEST_F(RunRecordTest, CaptionsAndExportsNameWhatTheRunComputed) {
    const auto debye = [](Form1& f) {
        Choose(f.cboType, "Debye");
        Type(f.cboRays, "2");
    };
    const auto gaussian = [](Form1& f) { Choose(f, "Advanced > Illumination > Gaussian beam"); };
    const auto map = [](Form1& f) { test::ChooseGraph(f, kGraphMapRadius); };
    const LabelCase cases[] = {
        {"map, Gaussian beam", [&](Form1& f) { gaussian(f), map(f); }, "Mie (Gaussian beam)",
         "Mie scattering (Gaussian beam): "},
        {"map, Debye p = 2", [&](Form1& f) { debye(f), map(f); }, "Debye series (p = 2)",
         "Debye series (p = 2)"},
        {"Debye, Gaussian beam", [&](Form1& f) { debye(f), gaussian(f); },
         "Debye series (Gaussian beam) (p = 2) ", "Debye series (Gaussian beam) (p = 2) "},
        {"Debye, surface-wave subtraction",
         [&](Form1& f) { debye(f), Choose(f, "Hidden > Surface wave subtraction"); },
         "Debye series (p = 2) minus ray optics", "Debye series (p = 2) minus ray optics"},
        {"Young mod., Gaussian beam",
         [&](Form1& f) {
             Choose(f.cboType, "Young mod");
             Type(f.cboRays, "2");
             gaussian(f);
         },
         "Young mod. (p = 2) with Gaussian beam", "Young mod. (p = 2) with Gaussian beam"},
        {"aperture", [](Form1& f) { Choose(f.cboType, "Aperture"); }, "Aperture", "Aperture diffraction: "},
        {"van de Hulst", [](Form1& f) { Choose(f.cboType, "van de Hulst"); }, "van de Hulst",
         "van de Hulst approximation: "},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = start();
        EnterHiddenModes(f);
        f.cboStep.setText("1");
        c.set(f);
        Press(f.cmdNewPlot);
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        const std::string title = std::string(c.title) + "  Water in a vacuum ";
        EXPECT_EQ(f.lblDebyeRays.caption(), c.label);
        EXPECT_EQ(f.caption(), title);
        EXPECT_EQ(f.runRecord.methodLabel, c.label);
        EXPECT_EQ(f.runRecord.title, title);
        if (f.codes.graphCode != kGraphAngle) continue;
        const std::string line = "\r\nCalculation Method:         " + std::string(c.label) + "\r\n";
        EXPECT_NE(saveText(f, "label").find(line), std::string::npos);
    }
}

// The record holds the illumination the run computed with, so the data file names no beam or option the
// method did not read: a mark kept for a later method, a Debye beam on a path of the plane-wave series,
// multiple beams under Mie, a Gaussian weight beside the central beam of ray optics.
TEST_F(RunRecordTest, TheIlluminationRecordedIsTheOneTheRunUsed) {
    const auto item = [](const char* name) {
        return [name](Form1& f) { Choose(f, std::string("Advanced > Illumination > ") + name); };
    };
    const auto method = [](const char* name) { return [name](Form1& f) { Choose(f.cboType, name); }; };
    const auto rgb = [](Form1& f) { Choose(f.cboWave, "RGB"); };
    const std::pair<std::vector<std::function<void(Form1&)>>, const char*> cases[] = {
        {{item("Gaussian beam"), method("Rayleigh")}, nullptr},
        {{item("Central beam"), method("Mie")}, nullptr},
        {{method("Debye"), item("Gaussian beam"), rgb}, nullptr},
        {{item("Gaussian beam"), item("Multiple beams")},
         "Illumination: Gaussian beam\r\nBeam: -40  0  0  20  0 \r\n"},
        {{method("Young mod"), item("Gaussian beam"), item("Central beam")},
         "Illumination: Plane wave + Central beam\r\n"},
        {{method("Young mod"), item("Top hat beam"), item("Multiple beams")},
         "Illumination: Top hat beam + Multiple beams\r\nBeam:  0  0  0  2  0 \r\n"},
    };
    for (const auto& [steps, line] : cases) {
        SCOPED_TRACE(line ? line : "plane wave");
        Form1& f = start();
        EnterHiddenModes(f);
        f.cboStep.setText("1");
        for (const auto& step : steps) step(f);
        Press(f.cmdNewPlot);
        const std::string saved = saveData(f, "light");
        if (line)
            EXPECT_NE(saved.find(std::string("\r\n") + line), std::string::npos)
                << saved.substr(saved.size() - 120);
        else
            EXPECT_EQ(saved.find("Illumination:"), std::string::npos) << saved.substr(saved.size() - 120);
    }
}

// A beam menu reaches only the series that take a beam: the Debye series of several wavelengths and of
// sweeps is the plane-wave one (its surface-wave subtraction too), and the Gaussian-beam Mie series
// has no multiple beams. Such a run saves and stores what the same run without the menu does: the data
// file said "Illumination: Gaussian beam" (or "+ multiple beams"), the subtraction took
// Gaussian-weighted rays from the plane wave, and the order 0 of an absorbing sphere, handed to the Mie
// series, was a beam's (at radius 100 um, m = 1.33 + 3i: 19.1 against 147376).
TEST_F(RunRecordTest, ABeamNoSeriesTookIsNoIlluminationOfTheRun) {
    const auto debye = [](Form1& f) {
        Choose(f.cboType, "Debye");
        Type(f.cboRays, "2");
        Choose(f, "Hidden > Surface wave subtraction");
    };
    const struct {
        const char* name;
        std::function<void(Form1&)> set, menus;
    } cases[] = {
        {"Debye, RGB", [&](Form1& f) { debye(f), Type(f.cboWave, "RGB"); },
         [](Form1& f) { Choose(f, "Advanced > Illumination > Gaussian beam"); }},
        {"Debye, against the radius", [&](Form1& f) { debye(f), test::ChooseGraph(f, kGraphRadius); },
         [](Form1& f) { Choose(f, "Advanced > Illumination > Gaussian beam"); }},
        // x Im m above 700: the order 0 is handed to the Mie series, which took the beam of the menu.
        {"Debye p = 0, absorbing, against the radius",
         [](Form1& f) {
             test::ChooseGraph(f, kGraphRadius);
             Choose(f.cboType, "Debye");
             Type(f.cboRays, "0");
             Type(f.txtRefractImag, "3");
             Type(f.txtXmin, "100");
             Type(f.txtXmax, "102");
         },
         [](Form1& f) { Choose(f, "Advanced > Illumination > Gaussian beam"); }},
        {"Mie, Gaussian beam", [](Form1& f) { Choose(f, "Advanced > Illumination > Gaussian beam"); },
         [](Form1& f) { Choose(f, "Advanced > Illumination > Multiple beams"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string saved[2];
        std::vector<double> curve[2];
        for (int withMenus : {0, 1}) {
            Form1& f = start();
            EnterHiddenModes(f);
            f.txtXmin.setText("130");
            f.txtXmax.setText("150");
            f.cboStep.setText("1");
            c.set(f);
            if (withMenus == 1) c.menus(f);
            Press(f.cmdNewPlot);
            ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
            saved[withMenus] = saveData(f, "beam" + std::to_string(withMenus));
            curve[withMenus] = f.results.intensityUnpol;
        }
        EXPECT_EQ(saved[1], saved[0]);
        EXPECT_EQ(curve[1], curve[0]);
    }
}

// The text export's relative index per row comes from the models of the record given: vacuum in
// vacuum is 1 at any wavelength, the water sphere outside 0.15-2 um keeps the index shown, and a file
// model with no file read has none.
TEST(ExportRelativeIndex, FromTheRecordsModels) {
    struct Case {
        const char* name;
        SphereModel sphere;
        double lambda;
        std::optional<std::pair<double, double>> expected;
    };
    const Case cases[] = {
        {"vacuum in vacuum", SphereModel::Vacuum, 0.5, std::pair{1.0, 0.0}},
        {"water outside its band", SphereModel::IAPWS, 3.0, std::pair{1.25, 0.125}},
        {"sphere file not read", SphereModel::File, 0.5, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunRecord record;
        record.indexModels.sphere = c.sphere;
        record.indexModels.medium = MediumModel::Vacuum;
        TextExportSnapshot s;
        s.refractReal = "1.25";
        s.refractImag = "0.125";
        SetExportRelativeIndex(record, s);
        ASSERT_TRUE(s.relativeIndex);
        EXPECT_EQ(s.relativeIndex(c.lambda), c.expected);
    }
}

}  // namespace
}  // namespace tessary
