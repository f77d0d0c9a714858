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
using Act = std::function<void(Form1&)>;

class RunFileContentsTest : public test::Form1Test {
  protected:
    // The data file (or the text export's header lines) a command writes, each under a name of its own.
    std::string saved(Form1& f, bool text = false) {
        const std::string name = folder.at(std::to_string(++files));
        fileDialogs.answer(name);
        f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
        (text ? f.mnuSaveText : f.mnuSave).trigger();
        const std::string bytes = test::ReadAll(name + (text ? ".txt" : ".tsy"));
        return text ? bytes.substr(0, bytes.find("\r\nGraph type: ")) : bytes;
    }
    // A fresh window (set up by `first`) that has read the file saved last, without a word.
    Form1& reading(const Act& first = {}) {
        Form1& f = started();
        if (first) first(f);
        messages.clear();
        fileDialogs.answer(folder.at(std::to_string(files) + ".tsy")), f.mnuRead.trigger();
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
        return f;
    }
    int files = 0;
    test::TestFolder folder{"tessary_file_contents_"};
};

// The export names the spectrum of the run over more than seven wavelengths, the black body too where its
// dialog was closed at once, leaving the status line as it was; a file read back on a fresh window the same.
TEST_F(RunFileContentsTest, TheTextExportNamesTheSpectrumOfTheRun) {
    const std::pair<Menu Form1::*, const char*> spectra[] = {{&Form1::mnuSpectrumWernand, "Sun (Wernand)"},
                                                             {&Form1::mnuBlackBody, "Black body 6000K"}};
    for (const auto& [item, name] : spectra)
        for (const std::string list : {"3", "30", "Low", "High"}) {
            Form1& a = started();
            Choose(a.*item), Type(a.cboStep, "1"), Choose(a.cboWave, list), Press(a.cmdNewPlot);
            const std::string text = saved(a, true);
            EXPECT_EQ(text.find("\r\nSpectrum: " + std::string(name) + "\r\n") != std::string::npos,
                      list != "3");
            saved(a);
            EXPECT_EQ(saved(reading(), true), text) << list;
        }
}

// A Lee diagram with Plot > Amplitude, a Lee diagram or map under the sun with Hidden > Sun Rectangular, or under
// the point source and redrawn under the sun since: read back, the same file; New plot there, the same again.
TEST_F(RunFileContentsTest, EveryOptionThatChangesTheNumbersReadsBack) {
    const Act sunRectangular = [](Form1& f) {
        for (int shift = 0; int key : f.windowState.hiddenKeyTable) f.Form_KeyDown(key, shift);
        Choose(f, "Hidden > Sun Rectangular"), f.optSun.setValue(true);
    };
    const Act sun = [](Form1& f) { f.optSun.setValue(true); };
    struct Case {
        const char* graph;
        Act before, after;  // New plot between them
        const char* holds;  // a line of the file
    };
    const Case cases[] = {
        {"Lee diagram", [](Form1& f) { Choose(f, "Plot > Amplitude"); }, {}, "\r\nValues: Amplitude\r\n"},
        {"Lee diagram", sunRectangular, {}, "\r\nOptions: Sun Rectangular\r\n"},
        {"Map: angle v. radius", sunRectangular, {}, "\r\nOptions: Sun Rectangular\r\n"},
        {"Map: angle v. wavelength", {}, sun, "\r\nLight source: Point\r\n"}};
    for (const auto& [graph, before, after, holds] : cases) {
        Form1& a = started();
        Choose(a.cboGraph, graph);
        if (before) before(a);
        Press(a.cmdNewPlot);
        if (after) after(a);
        const std::string file = saved(a);
        EXPECT_NE(file.find(holds), std::string::npos) << graph;
        Form1& b = reading();
        EXPECT_TRUE(saved(b) == file) << graph << holds;
        Press(b.cmdNewPlot);
        EXPECT_TRUE(saved(b) == file) << graph << holds;
    }
}

// The y-scale lines come from the run's results alone: read on a fresh window (of the other y axis, or whose
// graph list was changed), the same file; after a Lee diagram, the lines a fresh window's same run saves.
TEST_F(RunFileContentsTest, TheYScaleLinesComeFromTheRunAlone) {
    const Act gold = [](Form1& f) {
        Choose(f, "Advanced > Refractive index > Sphere > Gold");
        Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius"), Press(f.cmdNewPlot);
    };
    struct Case {
        Act run, reader;  // the run; the reading window before it reads
    };
    const Case cases[] = {
        {[](Form1& f) {
             Choose(f, "Advanced > Refractive index > Surrounding medium > Water > IAPWS");
             Choose(f.cboGraph, "Intensity v. wavelength"), f.optLog.setValue(true), Press(f.cmdNewPlot);
         },
         {}},
        {[](Form1& f) {
             for (int shift = 0; int key : f.windowState.hiddenKeyTable) f.Form_KeyDown(key, shift);
             Choose(f, "Advanced > Illumination > Gaussian beam"), Type(f.cboStep, "1"), Press(f.cmdNewPlot);
         },
         [](Form1& f) { Choose(f.cboGraph, "Intensity v. wavelength"); }},
        {[gold](Form1& f) {
             Choose(f, "Advanced > Refractive index > Sphere > Gold");
             Choose(f.cboGraph, "Lee diagram"), Press(f.cmdNewPlot), gold(f);
         },
         {}}};
    std::string file;
    for (const Case& c : cases) {
        Form1& a = started();
        c.run(a);
        file = saved(a);
        EXPECT_TRUE(saved(reading(c.reader)) == file);
    }
    const auto lines = [](const std::string& s) {  // from the band's end to the step kind
        const std::size_t at = s.find("\r\n700\r\n");
        return s.substr(at, s.find("\r\nxLin") - at);
    };
    Form1& f = started();
    gold(f);
    EXPECT_EQ(lines(saved(f)), lines(file));
}

}  // namespace
}  // namespace tessary
