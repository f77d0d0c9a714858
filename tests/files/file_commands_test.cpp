// The File menu's dialogs, save and read commands on the main window: names, titles and filters,
// cancels, failed saves, refused files that leave the window as it was, and window round trips.
#include <QImage>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "file_bytes.h"
#include "rel_error.h"
#include "platform/ui/file_dialogs.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using test::WriteAll;

class FileCommandsTest : public test::Form1Test {
  protected:
    FileCommandsTest() : previous(fs::current_path()) {}
    ~FileCommandsTest() override { fs::current_path(previous); }
    std::string at(const std::string& name) const { return testFolder.at(name); }

    // A one-wavelength angle graph computed by New plot.
    Form1& computed() {
        Form1& f = started();
        f.txtRadius.setText("10");
        f.cboStep.setText("1");
        f.cmdNewPlot.click();
        messages.clear();
        return f;
    }
    std::string save(Form1& f, const std::string& name) {
        fileDialogs.answer(at(name));
        f.mnuSave.trigger();
        return ReadAll(at(name + ".tsy"));
    }
    std::string saveNew(Form1& f, const std::string& name) {
        return fs::remove(at(name + ".tsy")), save(f, name);
    }
    std::string exported(Form1& f) {
        fs::remove(at("export.txt"));
        f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
        fileDialogs.answer(at("export"));
        f.mnuSaveText.trigger();
        return ReadAll(at("export.txt"));
    }

    test::TestFolder testFolder{"tessary_files_"};
    const fs::path& folder = testFolder.path();
    fs::path previous;
};

// A path over 256 characters chooses nothing and says why; a cancel says that no file was selected.
TEST_F(FileCommandsTest, OverlongPathIsNamedAsSuch) {
    Form1& f = started();
    f.codes.saveFileType = 1;
    const std::pair<std::optional<std::string>, const char*> cases[] = {
        {at(std::string(300, 'a') + ".tsy"), "The path of the chosen file is longer than 256 characters"},
        {std::nullopt, "No file was selected"},
    };
    for (const auto& [answer, prompt] : cases) {
        SCOPED_TRACE(prompt);
        for (const bool saving : {false, true}) {
            messages.clear();
            f.fileState.chosenFile = "kept";
            fileDialogs.answer(answer);
            (f.*(saving ? &Form1::select_save_filename : &Form1::OpenDataFile))();
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_EQ(messages.last().prompt, prompt);
            EXPECT_EQ(messages.last().title, saving ? "Select a file name for saving data" : "Open a file");
            EXPECT_EQ(f.fileState.fileDialogCancelled, 1);
            EXPECT_EQ(f.fileState.chosenFile, "kept");
        }
    }
}

struct DialogCase {
    const char* name;
    void (Form1::*open)();
    int saveType;
    FileDialogMode mode;
    const char* title;
    const char* filter;
    const char* pattern;
};

TEST_F(FileCommandsTest, DialogsHaveTheirTitlesAndFilters) {
    const DialogCase cases[] = {
        {"data", &Form1::OpenDataFile, 0, FileDialogMode::Open, "Open a file", "Tessary files (*.tsy)",
         "*.tsy"},
        {"picture", &Form1::OpenPictureFile, 0, FileDialogMode::Open, "Open a file", "Picture files (*.jpg)",
         "*.jpg"},
        {"spectrum", &Form1::OpenSpectrumFile, 0, FileDialogMode::Open, "Open a file",
         "Tessary spectrum data files (*.spe)", "*.spe"},
        {"index", &Form1::OpenRefIndexFile, 0, FileDialogMode::Open, "Open a file",
         "Tessary refractive index data files (*.rix)", "*.rix"},
        {"distribution", &Form1::OpenSizeDistFile, 0, FileDialogMode::Open, "Open a file",
         "Tessary size distribution files (*.dis)", "*.dis"},
        {"batch", &Form1::OpenBatchFile, 0, FileDialogMode::Open, "Open a file",
         "Tessary batch files (*.min)", "*.min"},
        {"save data", nullptr, 1, FileDialogMode::Save, "Select a file name for saving data",
         "Tessary file(*.tsy)", "*.tsy"},
        {"save text", nullptr, 2, FileDialogMode::Save,
         "Select a file name for saving numerical data as a text file", "Text file(*.txt)", "*.txt"},
        {"save report", nullptr, 3, FileDialogMode::Save, "Select a file name for saving batch data",
         "Tessary batch file(*.mut)", "*.mut"},
    };
    Form1& f = started();
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        f.fileState.chosenFile = "kept";
        if (c.open) {
            (f.*c.open)();
        } else {
            f.codes.saveFileType = c.saveType;
            f.select_save_filename();
        }
        const FileDialogRequest& r = fileDialogs.requests().back();
        EXPECT_EQ(r.mode, c.mode);
        EXPECT_EQ(r.title, c.title);
        EXPECT_EQ(r.filterText, c.filter);
        EXPECT_EQ(r.pattern, c.pattern);
        // The empty script cancels: the message names the dialog, the last choice stays.
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "No file was selected");
        EXPECT_EQ(messages.last().title, c.title);
        EXPECT_EQ(f.fileState.fileDialogCancelled, 1);
        EXPECT_EQ(f.fileState.chosenFile, "kept");
    }
}

TEST_F(FileCommandsTest, ChosenNamesFollowTheExtensionRuleAndTheFolder) {
    Form1& f = started();
    const std::pair<const char*, const char*> names[] = {{"run1", "run1.tsy"},     {"run1.tsy", "run1.tsy"},
                                                         {"RUN1.TSY", "RUN1.TSY"}, {"notes.txt", "notes.txt"},
                                                         {"a.b", "a.b.tsy"},       {"x.gz", "x.gz.tsy"}};
    for (const auto& [typed, file] : names) {
        fileDialogs.answer(at(typed));
        f.codes.saveFileType = 1;
        f.select_save_filename();
        EXPECT_EQ(f.fileState.fileDialogCancelled, 0);
        EXPECT_EQ(f.fileState.chosenFile, file);
        EXPECT_EQ(fs::path(f.fileState.chosenFilePath), folder / file);
    }
    EXPECT_EQ(f.fileState.chosenFileTitle, "x.gz");
    f.OpenSpectrumFile();  // cancelled; it opened where the last file was chosen
    EXPECT_EQ(fs::path(fileDialogs.requests().back().folder), fs::canonical(folder));
}

TEST_F(FileCommandsTest, SaveWritesTheCompletedNameAndBeepsOnce) {
    Form1& f = computed();
    int beeps = runtime.beepCount();
    f.mnuSave.trigger();  // cancelled
    EXPECT_EQ(runtime.beepCount(), beeps);
    EXPECT_TRUE(fs::is_empty(folder));

    const std::string bytes = save(f, "run1");
    EXPECT_EQ(runtime.beepCount(), beeps + 1);
    EXPECT_EQ(bytes.rfind("Tessary v3.4.11\r\nIntensity v. scattering angle\r\n", 0), 0u);
    EXPECT_TRUE(fs::exists(folder / "run1.tsy"));

    // The name the rule completed exists already: asked, and No keeps the old file.
    WriteAll(folder / "run1.tsy", "old");
    messages.clear();
    messages.answer(mb::kNo);
    beeps = runtime.beepCount();
    fileDialogs.answer(at("run1"));
    f.mnuSave.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "run1.tsy already exists.\rDo you want to replace it?");
    EXPECT_EQ(ReadAll(folder / "run1.tsy"), "old");
    EXPECT_EQ(runtime.beepCount(), beeps);
}

TEST_F(FileCommandsTest, FailedSavesKeepTheOldFileAndDoNotBeep) {
    Form1& f = computed();
    fs::create_directories(folder / "dir.tsy");
    WriteAll(folder / "old.tsy", "old");
    f.mnuOverplot.setChecked(true);
    const std::string targets[] = {at("dir.tsy"), at("missing/run.tsy")};
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        messages.clear();
        const int beeps = runtime.beepCount();
        fileDialogs.answer(target);
        f.mnuSave.trigger();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(runtime.beepCount(), beeps);
        EXPECT_TRUE(f.mnuOverplot.checked());
    }
    // A state the file cannot hold is refused before anything is written.
    f.indexState.sphereName = "\"quoted";
    f.cmdNewPlot_Click();
    messages.clear();
    fileDialogs.answer(at("old.tsy"));
    f.mnuSave.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt,
              "The text \"\"quoted\" cannot be saved in a data file: it begins with a double quote.");
    EXPECT_EQ(ReadAll(folder / "old.tsy"), "old");
    f.indexState.sphereName = "Water";
    f.runRecord.graphCode = kGraphConvergence;  // as a convergence run records it
    fileDialogs.answer(at("old.tsy"));
    f.mnuSave.trigger();
    EXPECT_EQ(
        messages.last().prompt,
        "A convergence graph cannot be saved as a data file. Use \"Save numerical results as text file\" "
        "instead.");
    EXPECT_EQ(ReadAll(folder / "old.tsy"), "old");
}

// Saving over a file the user made private keeps it private; saving to a link writes the file it names.
TEST_F(FileCommandsTest, SavesKeepTheFilesPermissionsAndLinks) {
    Form1& f = computed();
    WriteAll(folder / "private.tsy", "old");
    fs::permissions(folder / "private.tsy", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(folder / "results");
    WriteAll(folder / "results" / "run.tsy", "old");
    fs::create_symlink("results/run.tsy", folder / "link.tsy");
    for (const std::string name : {"private", "link"}) {
        SCOPED_TRACE(name);
        messages.clear();
        messages.answer(mb::kYes);
        const std::string bytes = save(f, name);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, name + ".tsy already exists.\rDo you want to replace it?");
        EXPECT_EQ(bytes.rfind("Tessary v3.4.11\r\n", 0), 0u);
    }
    EXPECT_EQ(fs::status(folder / "private.tsy").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(fs::is_symlink(folder / "link.tsy"));
    EXPECT_EQ(ReadAll(folder / "results" / "run.tsy"), ReadAll(folder / "private.tsy"));
}

TEST_F(FileCommandsTest, SavedResultsLoadIntoAFreshWindowAndSaveAlike) {
    Form1& a = computed();
    a.txtRefractImag.setText("0.0001");
    a.cmdNewPlot_Click();
    const std::vector<double> curve = a.results.intensityPerp;
    const std::int32_t first = a.angleGrid.windowFirst, last = a.angleGrid.windowLast;
    const std::string bytesA = save(a, "a");
    ASSERT_FALSE(bytesA.empty());

    form.reset();
    Form1& b = started();
    fileDialogs.answer(at("a.tsy"));
    b.mnuRead.trigger();
    EXPECT_EQ(b.codes.graphCode, kGraphAngle);
    EXPECT_EQ(b.codes.graphSubCode, kSubIntensity);
    EXPECT_EQ(b.txtRadius.text(), "10");
    EXPECT_EQ(b.txtRefractImag.text(), "0.0001");  // as the run's box held it
    EXPECT_EQ(b.runFlags.resultsFromFile, 0);      // Replot has redrawn them
    EXPECT_EQ(b.caption().rfind("Mie scattering:  ", 0), 0u);
    // The file holds 15 significant digits.
    for (std::int32_t k = first; k <= last; ++k) {
        const double v = curve[static_cast<std::size_t>(k)];
        EXPECT_NEAR(b.results.intensityPerp[static_cast<std::size_t>(k)], v, 1e-14 * std::abs(v));
    }
    // The start-up names keep their blanks and the imaginary part its text as the file holds it.
    const std::string bytesB = save(b, "b");
    EXPECT_NE(bytesA.find("\r\n Water\r\na vacuum \r\n"), std::string::npos);
    EXPECT_NE(bytesA.find("\r\n0.0001\r\n"), std::string::npos);
    EXPECT_EQ(bytesB, bytesA);
    fileDialogs.answer(at("b.tsy"));
    b.mnuRead.trigger();
    EXPECT_EQ(save(b, "c"), bytesB);
}

TEST_F(FileCommandsTest, RefusedFilesLeaveTheWindowAsItWas) {
    Form1& f = computed();
    const std::string good = save(f, "good");
    std::vector<std::string> bad{"", "Tessary v9\r\n", std::string(1000, '\xFF'), "\xFF\xD8\xFF\xE0JFIF"};
    std::size_t cut = 0;
    while ((cut = good.find("\r\n", cut)) != std::string::npos && cut < 2000)
        bad.push_back(good.substr(0, cut += 2));
    std::string text = good;
    text.replace(text.find("\r\n 0 \r\n"), 7, "\r\nabc\r\n");
    bad.push_back(text);
    f.txtRadius.setText("50");
    const std::vector<double> curve = f.results.intensityPerp;
    const std::string caption = f.caption();
    const int fromFile = f.runFlags.resultsFromFile;
    for (const std::string& bytes : bad) {
        WriteAll(folder / "bad.tsy", bytes);
        messages.clear();
        fileDialogs.answer(at("bad.tsy"));
        f.mnuRead.trigger();
        ASSERT_EQ(messages.shown().size(), 1u) << bytes.size();
        EXPECT_EQ(f.txtRadius.text(), "50");
        EXPECT_EQ(f.results.intensityPerp, curve);
        EXPECT_EQ(f.caption(), caption);
        EXPECT_EQ(f.runFlags.resultsFromFile, fromFile);
    }
    // Overplotting a file of other x limits than the run on show: refused, the box flashes and is white again.
    f.txtXmin.setText("10");
    f.cmdNewPlot_Click();
    f.mnuOverplot.setChecked(true);
    messages.clear();
    fileDialogs.answer(at("good.tsy"));
    f.mnuRead.trigger();
    EXPECT_EQ(messages.last().prompt, "Incompatible x-values");
    EXPECT_EQ(messages.last().title, "Overplot from file");
    EXPECT_EQ(f.txtRadius.text(), "50");
}

// A file naming an illumination or option its method does not use (hand-edited) is refused with the line,
// rather than read under a label and a record that a new run of its inputs would not compute.
TEST_F(FileCommandsTest, AFileNamingWhatItsMethodDoesNotUseIsRefused) {
    Form1& f = computed();
    const std::string good = save(f, "good");
    const int lines = static_cast<int>(std::count(good.begin(), good.end(), '\n'));
    const std::string caption = f.caption();
    const std::vector<double> curve = f.results.intensityPerp;
    for (const char* line : {"Illumination: Top hat beam\r\nBeam: 0  0  0  5  0 ", "Options: Diffraction",
                             "Surface waves: Long path only; Lock; terms 2 to 5; amplitude 1"}) {
        const std::string text(line);
        WriteAll(folder / "bad.tsy", good + text + "\r\n");
        messages.clear();
        fileDialogs.answer(at("bad.tsy"));
        f.mnuRead.trigger();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "The selected file is not a valid Tessary file\rLine " +
                                              std::to_string(lines + 1) +
                                              ": a run of the method \"Mie\" on \"Intensity v. scattering "
                                              "angle\" does not use \"" +
                                              text.substr(0, text.find('\r')) + "\"");
        EXPECT_EQ(f.caption(), caption);
        EXPECT_EQ(f.results.intensityPerp, curve);
    }
}

}  // namespace
}  // namespace tessary

namespace tessary {
namespace {

TEST_F(FileCommandsTest, TextExportIsDatedByTheWindowsClockAndBeepsOnce) {
    Form1& f = computed();
    f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
    const int beeps = runtime.beepCount();
    fileDialogs.answer(at("run1"));
    f.mnuSaveText.trigger();
    EXPECT_EQ(runtime.beepCount(), beeps + 1);
    const std::string bytes = ReadAll(folder / "run1.txt");
    EXPECT_EQ(bytes.rfind("Tessary v3.4.10\r\n\r\nDate & Time: 2026-12-07 10:11:12\r\n", 0), 0u) << bytes;
    EXPECT_NE(bytes.find("S2 Phase\r\n 0 \t"), std::string::npos);
}

TEST_F(FileCommandsTest, CommandsRefuseWhileTheInputsAreLocked) {
    Form1& f = started();
    f.LockON();
    for (Menu* item : {&f.mnuRead, &f.mnuSave, &f.mnuSaveText, &f.mnuBatchFile}) {
        messages.clear();
        const int beeps = runtime.beepCount();
        item->trigger();
        EXPECT_TRUE(messages.shown().empty());
        EXPECT_TRUE(fileDialogs.requests().empty());
        EXPECT_EQ(runtime.beepCount(), beeps + 1);
    }
    f.LockOFF();
}

}  // namespace
}  // namespace tessary

#include "files/data_file.h"

namespace tessary {
namespace {

// A file of five stored points on the 1-degree grid (0 to 4 degrees), IAPWS water in a vacuum.
DataFile SmallFile() {
    DataFile f;
    f.graphText = "Intensity v. scattering angle";
    f.sphereWord = "IAPWS";
    f.method = "Mie";
    f.sphere = {"IAPWS", "5", "0.99996382125", "", 0};
    f.medium = {"Vacuum2", "", "", "", 0};
    f.inputs = {"1", "0.65", "10", "1.333", "0", "0", "4", "1"};
    f.spectrum = "Sun (Lee)";
    f.bandMin = "380";
    f.bandMax = "700";
    f.yScaleMax = 10;
    f.first = 1;
    f.last = 5;
    f.values.assign(15, 2.5);
    return f;
}

struct LoadCase {
    const char* name;
    std::function<void(DataFile&)> change;
    std::function<void(Form1&)> expect;
    std::string bytes = {};  // a handwritten file instead
};

TEST_F(FileCommandsTest, FilesRestoreTheWindowsChoices) {
    const LoadCase cases[] = {
        {"Multiple 0 2 3",
         [](DataFile& f) {
             f.method = "Debye", f.rays = "Multiple", f.rayOrders = {0, 2, 3};
         },
         [](Form1& w) {
             for (int p = 0; p <= 4; ++p) EXPECT_EQ(w.dlogP_->chkp(p).value(), p == 1 || p == 4 ? 0 : 1) << p;
             EXPECT_EQ(w.series.rayCount, 3);
         }},
        {"-3", [](DataFile& f) { f.method = "Debye", f.rays = "-3"; },
         [](Form1& w) {
             EXPECT_EQ(w.series.rayCount, 4);
             EXPECT_EQ(std::vector<int>(w.series.rayflag.begin(), w.series.rayflag.begin() + 4),
                       std::vector<int>(4, 1));
         }},
        {"60", [](DataFile& f) { f.method = "Debye", f.rays = "60"; },
         [](Form1& w) {
             ASSERT_EQ(w.series.rayflag.size(), 61u);
             EXPECT_EQ(std::count(w.series.rayflag.begin(), w.series.rayflag.end(), 1), w.series.rayflag[60]);
         }},
        {"imaginary 0.5, automatic y limit", [](DataFile& f) { f.inputs[4] = "0.5"; },
         [](Form1& w) { EXPECT_EQ(w.txtRefractImag.text() + w.cboYmin.text(), "0.5Automatic"); }},
        {"imaginary that Scientific would round", [](DataFile& f) { f.inputs[4] = "0.000123456"; },
         [](Form1& w) { EXPECT_EQ(w.txtRefractImag.text(), "0.000123456"); }},
        {"air sphere at 15 C",
         [](DataFile& f) {
             f.sphereWord = "Air1", f.sphere = {"Air1", "", "", "15", 0};
         },
         [](Form1& w) { EXPECT_TRUE(w.mnuRI_Air1.checked() && w.mnuRI_Air1.caption() == "Air 15C"); }},
        {"gold",
         [](DataFile& f) {
             f.sphereWord = "Gold", f.sphere = {"Gold", "", "", "", 0};
         },
         [](Form1& w) { EXPECT_TRUE(w.mnuRI_Au.checked() && !w.mnuRI_IAPWS.checked()); }},
        {"version 1.0 selects Cowley", nullptr, [](Form1& w) { EXPECT_TRUE(w.mnuRI_Cowley.checked()); },
         "Tessary v1.0\r\nIntensity v. scattering angle\r\n1\r\n0.65\r\n10\r\n0\r\n1\r\n1\r\nAutomatic\r\n 10 \r\n"
         " 0 \r\n 1 \r\n 1             2 \r\n 1             2             3 \r\n 4             5             6 \r\n"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        form.reset();
        Form1& w = started();
        w.cboYmin.setText("0.001");
        std::string bytes = c.bytes;
        if (bytes.empty()) {
            DataFile f = SmallFile();
            c.change(f);
            bytes = EncodeDataFileBytes(f).value();
        }
        WriteAll(folder / "case.tsy", bytes);
        messages.clear();
        fileDialogs.answer(at("case.tsy"));
        w.mnuRead.trigger();
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
        c.expect(w);
    }
}

TEST_F(FileCommandsTest, TablesFromFilesAreNotStoredAndTheWindowKeepsItsOwn) {
    Form1& w = started();
    DataFile f = SmallFile();
    f.sphereWord = "File1";
    f.sphere = {"File1", "", "", "", 0};
    f.spectrum = "Spectrum file";
    f.disperse = std::array<std::string, 3>{"Special", "10", "5"};
    WriteAll(folder / "files.tsy", EncodeDataFileBytes(f).value());
    const std::string distribution = w.cboDistrib.text();
    fileDialogs.answer(at("files.tsy"));
    w.mnuRead.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);  // said once for all three, and no file asked for
    EXPECT_EQ(messages.last().prompt.rfind(
                  "This file was saved with a refractive-index, spectrum or size-distribution table", 0),
              0u);
    EXPECT_TRUE(w.mnuRI_IAPWS.checked());
    EXPECT_TRUE(w.mnuSpectrumLee.checked());
    EXPECT_EQ(w.cboDistrib.text(), distribution);
}

TEST_F(FileCommandsTest, AFileBeyondTheByteLimitIsRefusedUnread) {
    Form1& w = started();
    { std::ofstream create(folder / "huge.tsy"); }
    fs::resize_file(folder / "huge.tsy", std::uintmax_t{2} << 30);  // sparse: takes no space
    fileDialogs.answer(at("huge.tsy"));
    w.mnuRead.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt.rfind("The selected file is not a valid Tessary file\rThe file ", 0),
              0u);
    EXPECT_NE(messages.last().prompt.find(" is too large"), std::string::npos);
}

}  // namespace
}  // namespace tessary

namespace tessary {
namespace {

// The graph box as drawn.
QImage GraphBox(Form1& f) {
    const QPoint a = f.toPixel(f.graph.graphLeft, f.graph.graphTop),
                 b = f.toPixel(f.graph.graphRight, f.graph.graphBottom);
    return f.image().copy(QRect(a, b));
}

TEST_F(FileCommandsTest, ReadingRedrawsTheSavedCurves) {
    for (const char* waves : {"1", "RGB"}) {
        SCOPED_TRACE(waves);
        Form1& f = started();
        f.txtRadius.setText("10");
        f.cboStep.setText("1");
        f.cboWave.setText(waves);
        f.cmdNewPlot.click();
        messages.clear();
        const QImage first = GraphBox(f);
        save(f, std::string("first") + waves);
        f.txtRadius.setText("50");
        f.cmdNewPlot.click();
        ASSERT_NE(GraphBox(f), first);
        fileDialogs.answer(at(std::string("first") + waves + ".tsy"));
        f.mnuRead.trigger();
        EXPECT_TRUE(messages.shown().empty());
        EXPECT_EQ(GraphBox(f), first);
    }
}

}  // namespace
}  // namespace tessary

namespace tessary {
namespace {

TEST_F(FileCommandsTest, DiameterEntryIsSavedAsTheRadius) {
    Form1& f = computed();
    f.mnuDiameter_Click();
    f.txtRadius.setText("20");
    EXPECT_NE(save(f, "d").find("\r\n0.65\r\n10\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tessary

#include <sys/resource.h>

#include <csignal>
#include <ranges>
#include <tuple>

#include "colour/lee_diagram.h"
#include "graphs/graph_codes.h"

namespace tessary {
namespace {

std::string Replaced(std::string s, const std::string& from, const std::string& to) {
    return s.replace(s.find(from), from.size(), to);
}

// A Lee diagram read back: the stores as the file's 7 digits hold them and the same redraw; a file it
// does not fit (cut short, half a step, angles not stored) leaves it alone; the file as a map.
TEST_F(FileCommandsTest, LeeDiagramsReadBackToTheirStoresAndRedraw) {
    const auto stores = [](Form1& f) {
        return std::vector{f.leeStores.leeRed1, f.leeStores.leeGreen1, f.leeStores.leeBlue1,
                           f.leeStores.leeRed2, f.leeStores.leeGreen2, f.leeStores.leeBlue2};
    };
    std::vector<LeeStore> run;
    std::string a;
    for (const std::string sd : {"10", "0"}) {  // with a distribution the redraw averages the rows
        Form1& f = started();
        f.cboGraph.setText("Lee diagram");  // 5 to 20 um in 4 steps, 178 to 180 degrees at 0.05
        f.cboWave.setText("1");
        if (sd != "0") f.txtRstep.setText("40"), f.optDisp.setValue(true), f.cboSD.setText(sd);
        f.cmdNewPlot.click();
        f.cboLee.setText("Absolute");  // as the file restores it
        run = stores(f);
        for (float& v : run | std::views::join | std::views::join) v = static_cast<float>(Val(Str(v)));
        // The redraw of the stores as the file holds them: a cell near a colour step may round over it.
        std::tie(f.leeStores.leeRed1, f.leeStores.leeGreen1, f.leeStores.leeBlue1, f.leeStores.leeRed2,
                 f.leeStores.leeGreen2, f.leeStores.leeBlue2) =
            std::tie(run[0], run[1], run[2], run[3], run[4], run[5]);
        f.setRecording(true);
        f.PlotLee();
        const std::vector<DrawOp> drawn = f.drawLog();
        a = save(f, "a" + sd);
        Form1& w = started();
        w.setRecording(true);
        messages.clear();
        // Cut short by the last line of the results (and the light-source line after them).
        const std::string cut = a.substr(0, a.rfind("\r\n", a.rfind("\r\nLight source: ") - 1) + 2);
        for (const std::string& bytes : {a, cut, Replaced(a, " \r\n 20 \r\n", ".5 \r\n 20 \r\n"),
                                         Replaced(a, "\r\n178\r\n", "\r\n170\r\n")}) {
            WriteAll(folder / "a.tsy", bytes);
            fileDialogs.answer(at("a.tsy"));
            w.mnuRead.trigger();
            const std::vector<DrawOp>& log = w.drawLog();
            EXPECT_TRUE(stores(w) == run && w.optDisp.value() == (sd != "0") && log.size() >= drawn.size() &&
                        std::equal(drawn.begin(), drawn.end(), log.end() - drawn.size()));
        }
        EXPECT_EQ(messages.shown().size(), 3u);
    }
    const std::string map = Replaced(a, "\r\n 4 \r\n 20 ", "\r\n 5 \r\n 20 \r\n 4 ");  // start, end, steps
    WriteAll(folder / "map.tsy", Replaced(map, "Lee diagram", "Map: angle v. radius"));
    fileDialogs.answer(at("map.tsy"));
    form->mnuRead.trigger();
    EXPECT_TRUE(stores(*form) == run && form->txtF9_min.text() + form->txtF9_step.text() == "54");
    form->leeStores.leeGridLast = -1;  // as a stopped run leaves it: nothing to save
    save(*form, "stopped");
    EXPECT_EQ(messages.last().prompt, "No finished diagram is stored. Run New plot before saving.");

    // A computed map reads back into its stores and boxes.
    Form1& m = started();
    m.cboGraph.setText("Map: angle v. refractive index");
    m.cmdNewPlot.click();
    run = stores(m);
    for (float& v : run | std::views::join | std::views::join) v = static_cast<float>(Val(Str(v)));
    save(m, "m");
    Form1& r = started();
    fileDialogs.answer(at("m.tsy"));
    r.mnuRead.trigger();
    EXPECT_TRUE(stores(r) == run);
    EXPECT_EQ(r.codes.graphCode, kGraphMapIndex);
    EXPECT_EQ(r.txtF9_min.text() + " " + r.txtF9_max.text() + " " + r.txtF9_step.text(), "1.1 1.5 4");
}

// A write failing half-way through the file (past the file size limit) keeps the old file.
TEST_F(FileCommandsTest, AWriteErrorMidFileKeepsTheOldFile) {
    Form1& f = computed();
    f.cboStep.setText("0.1");
    f.mnuS1S2.setChecked(true);
    f.cmdNewPlot.click();
    rlimit held{};
    getrlimit(RLIMIT_FSIZE, &held);
    const rlimit limit{save(f, "full").size() / 2, held.rlim_max};
    ASSERT_GT(limit.rlim_cur, 2u << 16);  // past the first chunks, not at the close
    WriteAll(folder / "old.tsy", "old");
    const int beeps = runtime.beepCount();
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);  // writes past the limit fail with EFBIG
    setrlimit(RLIMIT_FSIZE, &limit);
    messages.answer(mb::kYes);  // replace old.tsy
    save(f, "old");
    setrlimit(RLIMIT_FSIZE, &held);
    std::signal(SIGXFSZ, signal);
    EXPECT_EQ(messages.last().prompt, "Cannot write the file " + at("old.tsy") + ": File too large");
    EXPECT_EQ(runtime.beepCount(), beeps);
    EXPECT_EQ(ReadAll(folder / "old.tsy"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              2);  // no temporary file
}

// The light-source line reads back as saved; a file without it keeps the window's choice. Text after
// the results is ignored.
TEST_F(FileCommandsTest, TheLightSourceReadsBackAsSaved) {
    Form1& a = started();
    a.txtRadius.setText("10");
    a.cboStep.setText("0.2");
    a.optSun.setValue(true);
    a.cmdNewPlot.click();
    const QImage sun = GraphBox(a);
    const std::string saved = save(a, "sun"), sunLine = "Light source: Sun\r\n";
    ASSERT_TRUE(saved.ends_with("\r\n" + sunLine));
    const std::string older = saved.substr(0, saved.size() - sunLine.size());
    // The file, the window at Sun, Sun after reading.
    const std::tuple<std::string, bool, bool> cases[] = {{saved, false, true},
                                                         {older, false, false},
                                                         {older, true, true},
                                                         {older + "Light source: Point\r\n", true, false},
                                                         {saved + "\r\nNotes typed later\r\n", false, true}};
    for (const auto& [bytes, windowSun, sunAfter] : cases) {
        SCOPED_TRACE(bytes.substr(older.size()));
        Form1& w = started();
        w.cboStep.setText("0.2");
        w.optSun.setValue(windowSun);
        if (!windowSun) w.optPoint.setValue(true);
        WriteAll(folder / "case.tsy", bytes);
        messages.clear();
        fileDialogs.answer(at("case.tsy"));
        w.mnuRead.trigger();
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_EQ(w.optSun.value(), sunAfter);
        EXPECT_EQ(w.optPoint.value(), !sunAfter);
        EXPECT_EQ(GraphBox(w) == sun, sunAfter);
        EXPECT_EQ(bytes == saved ? save(w, "again") : saved, saved);  // and saves the same bytes
    }
}

// A text export opened with Read previous results is not a data file.
TEST_F(FileCommandsTest, ATextExportIsNotADataFile) {
    Form1& f = computed();
    fileDialogs.answer(at("export"));
    f.mnuSaveText.trigger();
    f.txtRadius.setText("50");
    messages.clear();
    fileDialogs.answer(at("export.txt"));
    f.mnuRead.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt,
              "The selected file is not a valid Tessary file\rIt is not a Tessary data file.");
    EXPECT_EQ(messages.last().title, "Tessary");
    EXPECT_EQ(f.txtRadius.text(), "50");
}

}  // namespace
}  // namespace tessary

namespace tessary {
namespace {

// Overplot from file draws a file only where it holds the quantity the graph shows (the same graph,
// amplitudes or intensities alike, absolute or relative units alike); otherwise it says what differs and
// the results on show stay.
TEST_F(FileCommandsTest, OverplotFromFileNeedsTheQuantityOnShow) {
    using Set = std::function<void(Form1&)>;
    const Set amplitudes = [](Form1& f) { f.mnuAmplitude.setChecked(true); };
    const std::tuple<Set, Set, std::string> cases[] = {
        {amplitudes, [](Form1& f) { f.mnuAmplitude.setChecked(false); },
         "The file holds amplitudes, the graph shows intensities."},
        {amplitudes, [](Form1& f) { f.mnuAmplitude.setChecked(false), f.cboGraph.setText("Phase function"); },
         "The file holds \"Intensity v. scattering angle\", the graph shows \"Phase function\"."},
        {amplitudes, [](Form1&) {}, ""},  // amplitudes onto amplitudes
        {[](Form1& f) { f.cboGraph.setText("Intensity v. radius"), f.mnuInvWavelength.setChecked(true); },
         [](Form1& f) { f.mnuInvWavelength.setChecked(false); },
         "The file holds values in absolute units (Inv Wavelength), the graph shows them in relative units."},
        // Graphs of one entry each keep the sub-code of the run before them.
        {[](Form1& f) { f.cboGraph.setText("Intensity v. wavelength"); }, [](Form1&) {}, ""},
        {[](Form1& f) {
             f.cboWave.setText("RGB"), f.txtRadius.setText("20"), f.mnuInvWavelength.setChecked(false);
         },
         [](Form1& f) { f.cboWave.setText("1"), f.txtRadius.setText("10"); },
         "The file holds the colour sums of 3 wavelengths, the graph shows the intensities of one wavelength."},
    };
    for (const auto& [saved, shownRun, message] : cases) {
        SCOPED_TRACE(message);
        Form1& f = computed();
        saved(f);
        f.cmdNewPlot.click();
        fs::remove(folder / "saved.tsy");
        save(f, "saved");
        shownRun(f);
        f.cmdNewPlot.click();
        const std::vector<double> shown = f.results.intensityPerp;
        fs::remove(folder / "shown.tsy");
        const std::string file = save(f, "shown");
        messages.clear();
        f.mnuOverplot.setChecked(true);
        fileDialogs.answer(at("saved.tsy"));
        f.mnuRead.trigger();
        EXPECT_EQ(messages.shown().size(), message.empty() ? 0u : 1u);
        if (message.empty()) continue;
        EXPECT_EQ(messages.last().prompt, message);
        EXPECT_EQ(messages.last().title, "Overplot from file");
        EXPECT_EQ(f.results.intensityPerp, shown);
        EXPECT_EQ((std::vector<std::string>{f.cboWave.text(), f.txtRadius.text()}),
                  (std::vector<std::string>{"1", "10"}));
        fs::remove(folder / "shown.tsy");
        EXPECT_EQ(save(f, "shown"), file);
    }
}

// An export's words alike and its numbers within a data file's 15 digits (up to the S1 and S2 it holds on request).
void ExpectSameExport(const std::string& shown, const std::string& run) {
    std::vector<std::string> words[2];
    for (int i : {0, 1}) {
        std::istringstream in((i ? run : shown).substr(0, (i ? run : shown).find("Real and imaginary")));
        for (std::string word; in >> word;) words[i].push_back(word);
    }
    ASSERT_EQ(words[0].size(), words[1].size());
    for (std::size_t i = 0; i < words[0].size(); ++i)
        ASSERT_TRUE(words[0][i] == words[1][i] || test::RelError(Val(words[0][i]), Val(words[1][i])) < 1e-13)
            << words[0][i] << " for " << words[1][i];
}

// Overplot from file judges the run on show's x range, not the boxes', and exports what it draws (every
// wavelength's totals smoothed over the sun's disc), as a fresh window reading the file does.
TEST_F(FileCommandsTest, OverplotFromFileIsJudgedByTheRunOnShowAndExportsWhatItDraws) {
    const std::tuple<const char*, const char*, const char*, bool> ranges[] = {
        // graph, the file's range, the other range, refused (the other range's run on show, the file's typed)
        {"Intensity v. radius", "40 60", "10 30", true},
        {"Qext/Qsca/Qabs v. radius", "40 60", "10 30", true},
        {"Intensity v. scattering angle", "100 180", "0 90", true},
        {"Intensity v. radius", "40 60", "10 30", false},
        {"Intensity v. scattering angle", "100 180", "0 90", false}};
    const auto range = [](Form1& f, const std::string& r) {
        f.txtXmin.setText(r.substr(0, r.find(' '))), f.txtXmax.setText(r.substr(r.find(' ') + 1));
    };
    for (const auto& [graph, fileRange, other, refused] : ranges) {
        SCOPED_TRACE(graph);
        Form1& f = started();
        test::Choose(f.cboGraph, graph), f.cboStep.setText(f.codes.graphCode == kGraphAngle ? "0.1" : "1");
        range(f, fileRange), test::Press(f.cmdNewPlot);
        const std::string file = saveNew(f, "file"), fileExport = exported(f);
        range(f, refused ? other : fileRange), test::Press(f.cmdNewPlot);
        const std::string shownFile = saveNew(f, "shown"), shownExport = exported(f);
        const QImage shown = f.image(), box = GraphBox(f);
        range(f, refused ? fileRange : other), test::Choose(f.mnuOverplot);
        const std::string boxes = f.txtXmin.text() + f.txtXmax.text();
        const OleColor colour = f.txtXmin.backColor();
        messages.clear(), fileDialogs.answer(at("file.tsy")), f.mnuRead.trigger();
        EXPECT_EQ(f.txtXmin.text() + f.txtXmax.text(), boxes);
        EXPECT_EQ(f.txtXmin.backColor(), colour);
        EXPECT_EQ(messages.shown().size(), refused ? 1u : 0u);
        for (const auto& m : messages.shown())
            EXPECT_EQ(m.prompt + "|" + m.title, "Incompatible x-values|Overplot from file");
        EXPECT_TRUE(refused ? f.image() == shown : GraphBox(f) == box);  // the file's curve on the run's own
        ExpectSameExport(exported(f), refused ? shownExport : fileExport);
        EXPECT_EQ(saveNew(f, "again"), refused ? shownFile : file);
    }
    const std::tuple<const char*, bool, bool> waves[] = {// wavelengths, Sun, a size distribution
                                                         {"10", true, false},   {"30", true, true},
                                                         {"5", true, false},    {"10", false, false},
                                                         {"RGB", false, false}, {"1", true, false}};
    for (const auto& [count, sun, distribution] : waves) {
        SCOPED_TRACE(std::string(count) + (sun ? " Sun" : " Point") + (distribution ? ", distribution" : ""));
        Form1& a = started();
        (sun ? a.optSun : a.optPoint).setValue(true), a.optDisp.setValue(distribution);
        test::Type(a.cboWave, count), test::Press(a.cmdNewPlot);
        const std::string run = (saveNew(a, "run"), exported(a));
        const QImage box = GraphBox(a);
        test::Choose(a.mnuOverplot), fileDialogs.answer(at("run.tsy")), a.mnuRead.trigger();
        EXPECT_TRUE(messages.shown().empty() && GraphBox(a) == box);
        ExpectSameExport(exported(a), run);
        Form1& b = started();
        fileDialogs.answer(at("run.tsy")), b.mnuRead.trigger();
        ExpectSameExport(exported(b), run);
    }
}

}  // namespace
}  // namespace tessary
