// What a run's text export and data file name, as a user makes and reads them: the spectrum the run was
// weighted with, every option that changed its numbers, and y-scale lines from its own results alone, so that
// a file read on a fresh window saves the same bytes, and New plot there saves them again.
#include <filesystem>
#include <functional>
#include <string>

#include "file_bytes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Choose;
using test::Press;
using test::Type;

class RunFileContentsTest : public test::Form1Test {
  protected:
    std::string written(Menu& command, const std::string& name, const char* extension) {
        std::filesystem::remove(folder.at(name + extension));
        fileDialogs.answer(folder.at(name));
        command.trigger();
        return test::ReadAll(folder.at(name + extension));
    }
    std::string save(Form1& f, const std::string& name) { return written(f.mnuSave, name, ".tsy"); }
    // The export's header lines.
    std::string exported(Form1& f, const std::string& name) {
        f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
        const std::string text = written(f.mnuSaveText, name, ".txt");
        return text.substr(0, text.find("\r\nGraph type: "));
    }
    // A fresh window that has read the file; nothing said on the way.
    Form1& reading(const std::string& name, const std::function<void(Form1&)>& first = {}) {
        Form1& f = started();
        if (first) first(f);
        messages.clear();
        fileDialogs.answer(folder.at(name + ".tsy"));
        f.mnuRead.trigger();
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
        return f;
    }
    test::TestFolder folder{"tessary_file_contents_"};
};

// The hidden menus, as the user opens them by typing the key sequence.
void HiddenMenus(Form1& f) {
    for (int key : f.windowState.hiddenKeyTable) {
        int shift = 0;
        f.Form_KeyDown(key, shift);
    }
}

// The export names the spectrum the run was weighted with, for every spectrum and list of wavelengths, the
// black body also where its dialog was closed at once and the status line kept the spectrum before it; a file
// read back on a fresh window exports the same header. Up to seven wavelengths the export names each one
// instead.
TEST_F(RunFileContentsTest, TheTextExportNamesTheSpectrumOfTheRun) {
    struct Spectrum {
        Menu Form1::*item;
        const char* typed;  // the black-body dialog's temperature, typed and OK pressed; none: closed at once
        const char* line;
    };
    const Spectrum spectra[] = {{&Form1::mnuSpectrumWernand, nullptr, "Spectrum: Sun (Wernand)"},
                                {&Form1::mnuSpectrumFlat, nullptr, "Spectrum: Flat"},
                                {&Form1::mnuBlackBody, nullptr, "Spectrum: Black body 6000K"},
                                {&Form1::mnuBlackBody, "5500", "Spectrum: Black body 5500K"},
                                {&Form1::mnuSpectrumLee, nullptr, "Spectrum: Sun (Lee)"}};
    const std::pair<const char*, bool> lists[] = {{"1", false},  {"3", false},   {"10", true},  {"30", true},
                                                  {"Low", true}, {"Med.", true}, {"High", true}};
    for (const Spectrum& s : spectra)
        for (const auto& [list, named] : lists) {
            Form1& a = started();
            SCOPED_TRACE(std::string(s.line) + ", wavelengths " + list);
            if (s.typed)
                runtime.setModalHook([&s](Form& d) {
                    if (auto* b = dynamic_cast<dlogBlackBody*>(&d)) b->txtBlackBody.setText(s.typed);
                    if (auto* b = dynamic_cast<dlogBlackBody*>(&d)) b->OKButton.click();
                });
            Choose(a.*s.item);
            runtime.setModalHook([](Form& d) { d.hide(); });
            Type(a.cboStep, "1"), Choose(a.cboWave, list), Press(a.cmdNewPlot);
            const std::string text = exported(a, "run");
            EXPECT_EQ(text.find("\r\n" + std::string(s.line) + "\r\n") != std::string::npos, named) << text;
            EXPECT_EQ(text.find("\r\nSpectrum: ") != std::string::npos, named);
            save(a, "run");
            EXPECT_EQ(exported(reading("run"), "read"), text);
        }
}

// Each option that changes a run's numbers is in its file and read back, for every graph type: a file read on
// a fresh window saves the same bytes, and New plot there computes and saves them again. A Lee diagram with
// Plot > Amplitude (its colours in absolute units divided by k, not k squared); a Lee diagram or map whose
// row peaks were formed under the sun, with Hidden > Sun Rectangular, or under the point source and redrawn
// under the sun since (the light the run formed them under); and options that every file already held.
TEST_F(RunFileContentsTest, EveryOptionThatChangesTheNumbersReadsBack) {
    struct Case {
        const char* graph;
        std::function<void(Form1&)> before, after;  // before and after New plot
        const char* holds;                          // a line of the file
    };
    const auto menu = [](const char* path) { return [path](Form1& f) { Choose(f, path); }; };
    const auto sun = [](Form1& f) { f.optSun.setValue(true); };
    const auto rectangularSun = [](Form1& f) { HiddenMenus(f), Choose(f, "Hidden > Sun Rectangular"); };
    const auto sunRectangular = [&](Form1& f) { rectangularSun(f), f.optSun.setValue(true); };
    const Case cases[] = {
        {"Lee diagram", menu("Plot > Amplitude"), {}, "\r\nValues: Amplitude\r\n"},
        {"Lee diagram", sunRectangular, {}, "\r\nLight source: Sun\r\nOptions: Sun Rectangular\r\n"},
        {"Map: angle v. radius", sunRectangular, {}, "\r\nOptions: Sun Rectangular\r\n"},
        {"Lee diagram", {}, sun, "\r\nLight source: Point\r\n"},
        {"Map: angle v. wavelength", {}, sun, "\r\nLight source: Point\r\n"},
        {"Lee diagram", sun, rectangularSun, "\r\nLight source: Sun\r\n"},
        {"Lee diagram", menu("Plot > Size"), {}, "\r\nValues: S1 and S2 divided by x\r\n"},
        {"Lee diagram", menu("Plot > Inv Wavelength"), {}, "\r\nInv Wavelength: Off\r\n"},
        {"Intensity v. radius", menu("Plot > Amplitude"), {}, "\r\nValues: Amplitude\r\n"},
        {"Intensity v. scattering angle", sunRectangular, {}, "\r\nLight source: Sun\r\n"},
    };
    for (const Case& c : cases) {
        Form1& a = started();
        SCOPED_TRACE(std::string(c.graph) + ", holding" + c.holds);
        Choose(a.cboGraph, c.graph);
        if (c.before) c.before(a);
        messages.clear();
        Press(a.cmdNewPlot);
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
        if (c.after) c.after(a);
        const std::string file = save(a, "run");
        EXPECT_NE(file.find(c.holds), std::string::npos);
        Form1& b = reading("run");
        EXPECT_TRUE(save(b, "again") == file);
        Press(b.cmdNewPlot);
        EXPECT_TRUE(save(b, "computed") == file);
    }
}

// The y minimum, y maximum and y-scale lines of the file.
std::string YLines(const std::string& file) {
    const std::string band = "\r\n380\r\n700\r\n";
    const std::size_t from = file.find(band) + band.size();
    std::size_t to = from;
    for (int line = 0; line < 4; ++line) to = file.find("\r\n", to) + 2;
    return file.substr(from, to - from);
}

// The y-scale lines come from the run's results alone: a file read on a fresh window (whose y axis is the
// other, or whose graph list was changed before) saves the same bytes, and a run after other runs saves the
// lines a fresh window's same run saves.
TEST_F(RunFileContentsTest, TheYScaleLinesComeFromTheRunAlone) {
    struct Case {
        const char* name;
        std::function<void(Form1&)> run, reader;  // the run; the reading window before it reads
        std::function<void(Form1&)> fresh;        // the same run on a fresh window (none: not compared)
    };
    const auto gold = [](Form1& f) {
        Choose(f, "Advanced > Refractive index > Sphere > Gold");
        Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius"), Press(f.cmdNewPlot);
    };
    const Case cases[] = {
        {"water medium, intensity v. wavelength on a log axis",
         [](Form1& f) {
             Choose(f, "Advanced > Refractive index > Surrounding medium > Water > IAPWS");
             Choose(f.cboGraph, "Intensity v. wavelength"), f.optLog.setValue(true), Press(f.cmdNewPlot);
         },
         {},
         {}},
        {"Gaussian beam, read after the graph list was changed",
         [](Form1& f) {
             HiddenMenus(f), Choose(f, "Advanced > Illumination > Gaussian beam");
             Type(f.cboStep, "1"), Press(f.cmdNewPlot);
         },
         [](Form1& f) { Choose(f.cboGraph, "Intensity v. wavelength"); },
         {}},
        {"efficiencies of gold after a Lee diagram",
         [gold](Form1& f) {
             Choose(f, "Advanced > Refractive index > Sphere > Gold");
             Choose(f.cboGraph, "Lee diagram"), Press(f.cmdNewPlot), gold(f);
         },
         {},
         gold},
        {"a map after an angle graph of another radius",
         [](Form1& f) {
             Type(f.txtRadius, "20"), Type(f.cboStep, "1"), Press(f.cmdNewPlot);
             Choose(f.cboGraph, "Map: angle v. radius"), Press(f.cmdNewPlot);
         },
         {},
         [](Form1& f) { Choose(f.cboGraph, "Map: angle v. radius"), Press(f.cmdNewPlot); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& a = started();
        c.run(a);
        const std::string file = save(a, "run");
        EXPECT_TRUE(save(reading("run", c.reader), "again") == file);
        if (!c.fresh) continue;
        Form1& f = started();
        c.fresh(f);
        EXPECT_EQ(YLines(file), YLines(save(f, "fresh")));
    }
}

}  // namespace
}  // namespace tessary
