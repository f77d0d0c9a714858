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
#include <tuple>
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
    Form1& hidden();
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
    // The sweeps' y minimum line is the smallest value they store, no longer the start-up graph's scale that
    // New plot started from (their minimum "0" is typed), which a window reading the file did not save again.
    const FixedRun runs[] = {
        {"angle", [](Form1& f) { Run(f, "Intensity v. scattering angle", "0", "180", "1"); },
         7400363252034907707ull, 1915761367936607192ull},
        // stored with the y scale of the intensities it is drawn from, as the intensity graph
        {"phase function", [](Form1& f) { Run(f, "Phase function", "0", "180", "2"); },
         12710924871742222191ull, 15620302343033080820ull},
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
         2580976132639562578ull, 14637497916537814492ull},
        // a clear sphere's Qabs is written 0, not the residue of Qext - Qsca
        {"efficiencies", [](Form1& f) { Run(f, "Qext/Qsca/Qabs v. radius", "1", "20", "0.5"); },
         2406911989618304280ull, 762908078900522044ull},
        {"index", [](Form1& f) { Run(f, "Intensity v. refractive index", "1.3", "1.4", "0.01"); },
         13788582346822543142ull, 6004514099037992310ull},
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

// A fresh window in the special and hidden modes, entered as the user does: Ctrl+G, Ctrl+J (which add
// Aperture, Huygens and van de Hulst to the method list), then the four keys typed on the window.
Form1& RunRecordTest::hidden() {
    Form1& f = start();
    for (int key : {'G', 'J'}) {
        int ctrl = keys::kCtrlMask;
        f.Form_KeyDown(key, ctrl);
    }
    for (int key : f.windowState.hiddenKeyTable) {
        int shift = 0;
        f.Form_KeyDown(key, shift);
    }
    f.cboStep.setText("1");
    return f;
}

using Act = std::function<void(Form1&)>;
const Act kGaussian = [](Form1& f) { Choose(f, "Advanced > Illumination > Gaussian beam"); };
Act Ray(const char* method, const char* orders) {
    return [=](Form1& f) { Choose(f.cboType, method), Type(f.cboRays, orders); };
}

// The label, title and text export name the method, its orders and the options the run used (a beam,
// surface-wave subtraction), a map's too after its closing redraw, and those of the methods without
// ray orders, after a run of another method (redrawn after the method was chosen, so that its label was
// shown again); the file read back on a fresh window is labelled and titled so. A map's text export writes
// no file.
TEST_F(RunRecordTest, CaptionsAndExportsNameWhatTheRunComputed) {
    const auto map = [](Form1& f) { test::ChooseGraph(f, kGraphMapRadius); };
    const Act subtract = [](Form1& f) { Choose(f, "Hidden > Surface wave subtraction"); };
    const std::tuple<const char*, Act, const char*, const char*> cases[] = {
        // name, set, the label and the text export's method, the title before "  Water in a vacuum "
        {"map, Gaussian beam", [&](Form1& f) { kGaussian(f), map(f); }, "Mie (Gaussian beam)",
         "Mie scattering (Gaussian beam): "},
        {"map, Debye p = 2", [&](Form1& f) { Ray("Debye", "2")(f), map(f); }, "Debye series (p = 2)",
         "Debye series (p = 2)"},
        {"Debye, Gaussian beam", [&](Form1& f) { Ray("Debye", "2")(f), kGaussian(f); },
         "Debye series (Gaussian beam) (p = 2) ", "Debye series (Gaussian beam) (p = 2) "},
        {"Debye, surface-wave subtraction", [&](Form1& f) { Ray("Debye", "2")(f), subtract(f); },
         "Debye series (p = 2) minus ray optics", "Debye series (p = 2) minus ray optics"},
        {"Young mod., Gaussian beam", [&](Form1& f) { Ray("Young mod", "2")(f), kGaussian(f); },
         "Young mod. (p = 2) with Gaussian beam", "Young mod. (p = 2) with Gaussian beam"},
        {"aperture", [](Form1& f) { Choose(f.cboType, "Aperture"); }, "Aperture", "Aperture diffraction: "},
        {"van de Hulst", [](Form1& f) { Choose(f.cboType, "van de Hulst"); }, "van de Hulst",
         "van de Hulst approximation: "},
        {"Rayleigh",
         [](Form1& f) { Type(f.txtRadius, "0.01"), Press(f.cmdNewPlot), Choose(f.cboType, "Rayleigh"); },
         "Rayleigh", "Rayleigh scattering: "},
        {"diffraction", [](Form1& f) { Choose(f.cboType, "Diffraction"); }, "Diffraction", "Diffraction: "},
        {"Huygens", Ray("Huygens", "1"), "Huygens (p = 1)", "Ray tracing: Huygens (p = 1) "},
    };
    for (const auto& [name, set, label, titleStart] : cases) {
        SCOPED_TRACE(name);
        Form1& f = hidden();
        Press(f.cmdNewPlot), set(f), Choose(f.cboPol, "Parallel");
        Press(f.cmdNewPlot);
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        const std::string title = std::string(titleStart) + "  Water in a vacuum ";
        EXPECT_EQ(f.lblDebyeRays.caption(), label);
        EXPECT_EQ(f.caption(), title);
        EXPECT_EQ(f.runRecord.methodLabel, label);
        EXPECT_EQ(f.runRecord.title, title);
        if (f.codes.graphCode == kGraphAngle) {
            const std::string line = "\r\nCalculation Method:         " + std::string(label) + "\r\n";
            EXPECT_NE(saveText(f, "label").find(line), std::string::npos);
        }
        saveData(f, "label");
        Form1& g = hidden();
        fileDialogs.answer(at("label.tsy"));
        g.mnuRead.trigger();
        EXPECT_EQ(g.lblDebyeRays.caption(), label);
        EXPECT_EQ(g.caption(), title);
    }
}

// The record holds the illumination the run computed with: the data file names the beam and options the
// method read, and a run whose series took none of the beam menus saves and computes as without them (no
// mark kept for a later method; plane-wave Debye series of several wavelengths and sweeps, their
// subtraction and their order 0 handed to the Mie series; no multiple beams under the Gaussian Mie series).
TEST_F(RunRecordTest, TheIlluminationRecordedIsTheOneTheRunUsed) {
    const auto items = [](std::vector<std::string> names) {
        return [names](Form1& f) {
            for (const std::string& name : names) Choose(f, "Advanced > Illumination > " + name);
        };
    };
    const auto method = [](const char* name) { return [name](Form1& f) { Choose(f.cboType, name); }; };
    const Act none = [](Form1&) {};
    const Act debyeLessRays = [](Form1& f) {
        Ray("Debye", "2")(f), Choose(f, "Hidden > Surface wave subtraction");
    };
    const struct {
        const char* name;
        Act before, menus, after;  // the run is made with and without `menus`
        const char* line;          // the file's illumination with them, or none: the same as without them
    } cases[] = {
        {"Rayleigh after a Gaussian beam", none, kGaussian,
         [](Form1& f) { Choose(f.cboType, "Rayleigh"), Type(f.txtRadius, "0.01"); }, nullptr},
        {"Mie after the central beam", none, items({"Central beam"}), method("Mie"), nullptr},
        {"Debye, Gaussian beam, RGB", Ray("Debye", "2"), kGaussian,
         [](Form1& f) { Choose(f.cboWave, "RGB"); }, nullptr},
        {"Debye less ray optics, RGB", [&](Form1& f) { debyeLessRays(f), Type(f.cboWave, "RGB"); }, kGaussian,
         none, nullptr},
        {"Debye less ray optics against the radius",
         [&](Form1& f) { debyeLessRays(f), test::ChooseGraph(f, kGraphRadius); }, kGaussian, none, nullptr},
        // x Im m above 700: the order 0 is handed to the Mie series, which took the beam of the menu.
        {"Debye p = 0, absorbing, against the radius",
         [](Form1& f) {
             test::ChooseGraph(f, kGraphRadius), Ray("Debye", "0")(f), Type(f.txtRefractImag, "3");
             Type(f.txtXmin, "100"), Type(f.txtXmax, "102");
         },
         kGaussian, none, nullptr},
        // x Im m = 773: an angle graph's order 0 handed to the Gaussian-beam Mie series, of one beam and no rays.
        {"Debye p = 0, absorbing, Gaussian beam",
         [&](Form1& f) { kGaussian(f), Ray("Debye", "0")(f), Type(f.txtRefractImag, "8"); },
         items({"Multiple beams", "Central beam"}), none, nullptr},
        {"Mie, Gaussian beam, multiple beams", kGaussian, items({"Multiple beams"}), none, nullptr},
        {"Gaussian beam, multiple beams", none, items({"Gaussian beam", "Multiple beams"}), none,
         "Illumination: Gaussian beam\r\nBeam: -40  0  0  20  0 \r\n"},
        {"Young mod., Gaussian beam, central beam", method("Young mod"),
         items({"Gaussian beam", "Central beam"}), none, "Illumination: Plane wave + Central beam\r\n"},
        // Descartes adds intensities with no beam weight (the multiple beams keep its Illumination menu shown).
        {"Descartes, Gaussian beam", method("Descartes"),
         [&](Form1& f) {
             method("Mie")(f), items({"Multiple beams"})(f), method("Descartes")(f), kGaussian(f);
         },
         none, nullptr},
        {"Young mod., top hat beam, multiple beams", method("Young mod"),
         items({"Top hat beam", "Multiple beams"}), none,
         "Illumination: Top hat beam + Multiple beams\r\nBeam:  0  0  0  2  0 \r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string saved[2], label[2];
        std::vector<double> curve[2];
        for (int withMenus : {0, 1}) {
            Form1& f = hidden();
            f.txtXmin.setText("130"), f.txtXmax.setText("150");
            c.before(f);
            if (withMenus == 1) c.menus(f);
            c.after(f);
            Press(f.cmdNewPlot);
            ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
            saved[withMenus] = saveData(f, "beam" + std::to_string(withMenus));
            curve[withMenus] = f.results.intensityUnpol;
            label[withMenus] = f.lblDebyeRays.caption();
        }
        if (c.line) {
            EXPECT_NE(saved[1].find(std::string("\r\n") + c.line), std::string::npos) << saved[1];
        } else {
            EXPECT_EQ(saved[1], saved[0]);
            EXPECT_EQ(curve[1], curve[0]);
            EXPECT_EQ(label[1], label[0]);
        }
    }
}

// The options that change a run's numbers are part of its record: Plot > Size (S1 and S2 divided by x, on
// an angle graph and a sweep) and the Debye series' recursion for j_n(m x) of an absorbing sphere. The
// label and the export name them, the data file keeps them, and the file read back on a fresh window is
// labelled so and computes the same again.
TEST_F(RunRecordTest, OptionsThatChangeTheNumbersArePartOfTheRunRecord) {
    const Act size = [](Form1& f) { Choose(f, "Plot > Size"); };
    const Act recursion = [](Form1& f) {
        Ray("Debye", "2")(f), Type(f.txtRefractImag, "0.001"), Choose(f, "Hidden > Debye recursion");
    };
    const std::string divided = "S1 and S2 divided by x";
    const std::tuple<const char*, Act, std::string, std::string> cases[] = {
        {"Intensity v. scattering angle", size, "Mie (plane wave) with " + divided, "Values: " + divided},
        {"Intensity v. radius", size, "Mie (plane wave) with " + divided, "Values: " + divided},
        {"Intensity v. scattering angle", recursion, "Debye series (p = 2) with Debye recursion",
         "Options: Debye recursion"},
    };
    for (const auto& [graph, set, label, line] : cases) {
        SCOPED_TRACE(label + " " + graph);
        Form1& f = hidden();
        Run(f, graph, "10", "11", "0.1");  // a sweep's first point at x of the radius box's 10 um
        const auto point = static_cast<std::size_t>(f.runRecord.firstPoint);
        ASSERT_GT(point, f.codes.graphCode == kGraphAngle ? 100u : 0u);
        const double plain = f.results.intensityPerp[point];
        set(f), Press(f.cmdNewPlot);
        const double x = f.runRecord.sizeParam, value = f.results.intensityPerp[point];
        if (line.starts_with("Values")) {
            EXPECT_NEAR(value * x * x, plain, 1e-12 * plain);
        }
        EXPECT_EQ(f.lblDebyeRays.caption(), label);
        const std::string method = "Calculation Method:         " + label + "\r\n";
        EXPECT_NE(saveText(f, "run").find(method), std::string::npos);
        EXPECT_NE(saveData(f, "run").find("\r\n" + line + "\r\n"), std::string::npos);
        Form1& g = hidden();
        fileDialogs.answer(at("run.tsy"));
        g.mnuRead.trigger();
        EXPECT_EQ(g.lblDebyeRays.caption(), label);
        EXPECT_NE(saveText(g, "read").find(method), std::string::npos);
        Press(g.cmdNewPlot);
        EXPECT_EQ(g.results.intensityPerp[point], value);
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
