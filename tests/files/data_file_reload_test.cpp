// Data files read back into a fresh window: save -> read -> save gives the same bytes, the run's
// wavelengths, caption, text export and intensities; refused files change nothing; the readout and a
// redraw show and keep what the file holds; ray orders of older files read as their run computed them.
#include <unistd.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "file_bytes.h"
#include "files/data_file.h"
#include "graphs/graph_codes.h"
#include "media/index_models.h"
#include "platform/ui/window_colours.h"
#include "runs/sweep_steps.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

using test::Press;
using test::ReadAll;
using test::Type;
using test::WriteAll;

class DataFileReloadTest : public test::Form1Test {
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
    // A fresh window that shows the readout and records what it draws.
    Form1& withReadout() {
        Form1& f = started();
        f.mnuDataVisible.setChecked(true);
        f.setRecording(true);
        return f;
    }

    test::TestFolder folder{"tessary_reload_"};
};

struct RunCase {
    std::string name;
    std::function<void(Form1&)> set;
    std::function<void(Form1&)> beforeRead = [](Form1&) {};  // what the reading window did first
};

// A ray method and order, then the menus of its beam and options.
std::function<void(Form1&)> Ray(std::string method, std::string order, std::function<void(Form1&)> menus) {
    return [=](Form1& f) { f.cboType.setText(method), f.cboRays.setText(order), menus(f); };
}

// One run of each kind the data file stores, small enough to compute at once.
const RunCase kRuns[] = {
    {"one wavelength, imaginary index 0.0001", [](Form1& f) { f.txtRefractImag.setText("0.0001"); }},
    {"imaginary index 3.30E-10, y maximum 1.5E+20 (once refused on reading)",
     [](Form1& f) { f.txtRefractImag.setText("3.30E-10"), f.cboYmax.setText("1.5E+20"); }},
    {"RGB, read after a Lee diagram", [](Form1& f) { f.cboWave.setText("RGB"); },
     [](Form1& f) { f.cboGraph.setText("Lee diagram"), f.cmdNewPlot.click(); }},
    {"5 wavelengths, flat band of 500 to 700 nm",
     [](Form1& f) {
         f.mnuSpectrumFlat_Click();
         f.dlogSpectrumBand_->txtSpectrumMin.setText("500"),
             f.dlogSpectrumBand_->txtSpectrumMax.setText("700");
         f.dlogSpectrumBand_->OKButton_Click(), f.cboWave.setText("5");
     }},
    {"5 wavelengths, sun", [](Form1& f) { f.cboWave.setText("5"), f.optSun.setValue(true); }},
    // The redraw works the y minimum out again from the stored sums.
    {"10 wavelengths", [](Form1& f) { f.cboWave.setText("10"); }},
    // 5 to 20 um in 4 steps, 178 to 180 degrees at 0.05.
    {"Lee diagram, normalised",
     [](Form1& f) {
         f.cboGraph.setText("Lee diagram"), f.cboWave.setText("1"), f.cboLee.setText("Normalised");
     }},
    // The redraw works the row peaks out again from the stored colours.
    {"map", [](Form1& f) { f.cboGraph.setText("Map: angle v. refractive index"); }},
    {"Lee diagram, RGB, sun",
     [](Form1& f) { f.cboWave.setText("RGB"), f.optSun.setValue(true), f.cboGraph.setText("Lee diagram"); }},
    {"log-normal radii",
     [](Form1& f) {
         f.optDisp.setValue(true), f.cboDistrib.setText("Log-normal");
         f.cboSD.setText("10"), f.cboN.setText("5");
     }},
    {"typed y maximum on a linear scale",
     [](Form1& f) { f.optLinear.setValue(true), f.cboYmax.setText("1e6"); }},
    {"S1 and S2 block", [](Form1& f) { f.mnuS1S2.setChecked(true); }},
    {"amplitudes", [](Form1& f) { f.mnuAmplitude.setChecked(true); }},
    {"Gaussian beam, multiple beams",
     [](Form1& f) {
         f.mnuMultBeams.setChecked(true), f.dlogGaussianBeam_->txtBeamZF.setText("2.5");
         f.mnuGaussian_Click();
     }},
    {"surface waves, long path, terms 2 to 5",
     Ray("Surface wave", "2",
         [](Form1& f) { f.mnuSurfaceLong_Click(), f.cboQmin.setText("2"), f.cboQmax.setText("5"); })},
    // Beams and options of the ray methods, named in the label and title as the run named them.
    {"Young mod. with a top hat beam, multiple beams",
     Ray("Young mod", "2", [](Form1& f) { f.mnuTopHat_Click(), f.mnuMultBeams.setChecked(true); })},
    {"Descartes with a Gaussian beam and the central beam",
     Ray("Descartes", "2", [](Form1& f) { f.mnuGaussian_Click(), f.mnuCentralBeam.setChecked(true); })},
    {"Debye with a Gaussian beam, multiple beams",
     Ray("Debye", "2", [](Form1& f) { f.mnuGaussian_Click(), f.mnuMultBeams.setChecked(true); })},
    {"Debye minus ray optics (hidden mode)", Ray("Debye", "2", [](Form1& f) { f.mnuSWsub_Click(); })},
    {"Young mod. with diffraction added (hidden mode)",
     [](Form1& f) {
         f.mnuHidden.setVisible(true), f.cboType.setText("Young mod"), f.cboRays.setText("2");
         f.dlogP_->chkDiffraction.setVisible(true), f.dlogP_->chkDiffraction.setValue(1);
     }},
    {"Debye, an order typed with blanks around it", Ray("Debye", " 2 ", [](Form1&) {})},
    {"surface waves with the central beam",
     Ray("Surface wave", "1", [](Form1& f) { f.mnuCentralBeam.setChecked(true); })},
    // Inv Wavelength as the run had it, not as the reading window's lists choose it.
    {"intensity v. radius with Inv Wavelength",
     [](Form1& f) { f.cboGraph.setText("Intensity v. radius"), f.mnuInvWavelength.setChecked(true); }},
    {"intensity v. wavelength, read after RGB",
     [](Form1& f) { f.cboGraph.setText("Intensity v. wavelength"); },
     [](Form1& f) { f.cboWave.setText("RGB"); }},
    // Reading says nothing of the reading window's own boxes and options, which the file replaces.
    {"Rayleigh, radius 0.01", [](Form1& f) { f.cboType.setText("Rayleigh"), f.txtRadius.setText("0.01"); }},
    {"Cowley at 0.5 um, read at 1.5 um after a bad radius",
     [](Form1& f) { f.mnuRI_Cowley_Click(), f.txtLambda.setText("0.5"); },
     [](Form1& f) { f.txtLambda.setText("1.5"), f.txtRadius.setText("abc"); }},
    {"Med. from 130 to 150 degrees, read after a sweep",
     [](Form1& f) {
         f.cboWave.setText("Med."), f.txtXmin.setText("130"), f.txtXmax.setText("150");
         f.cboStep.setText("0.1");
     },
     [](Form1& f) { f.cboGraph.setText("Cext/Csca/Cabs v. radius"), f.cmdNewPlot.click(); }},
};

// Each graph type the data file stores, with its preset, and where it offers them with logarithmic steps
// to a maximum other than the preset's (which a window reading the file would have).
std::vector<RunCase> GraphListRuns() {
    std::vector<RunCase> runs;
    for (const GraphTypeEntry& entry : GraphTypeTable()) {
        if (entry.code == kGraphConvergence) continue;
        const std::string graph(entry.text);
        runs.push_back({graph, [graph](Form1& f) { f.cboGraph.setText(graph); }});
        if (SweepLogStepCode(entry.code))
            runs.push_back({graph + ", logarithmic steps", [graph](Form1& f) {
                                f.cboGraph.setText(graph),
                                    f.txtXmax.setText(CStr(0.8 * Val(f.txtXmax.text())));
                                f.mnuXStepLog_Click(), f.cboStep.setText("9");
                            }});
    }
    return runs;
}

// The first place two exports differ, "" when they agree: cell by cell (TAB-separated), each the same text
// but those worked out from stored numbers, the S1 and S2 magnitudes and phases and the R+G+B sums, which
// agree to 14 digits (the file keeps 15).
std::string ExportDifference(const std::string& a, const std::string& b) {
    std::istringstream x(a), y(b);
    std::string u, v;
    std::vector<std::size_t> derived;  // the columns worked out from others
    while (std::getline(x, u) && std::getline(y, v)) {
        if (u.starts_with("Angle\tS1 Real")) derived = {3, 4, 7, 8};
        if (u.starts_with("Angle\tRed: Perpendicular")) derived = {7, 8};
        std::istringstream p(u + "\t"), q(v + "\t");
        for (std::size_t j = 0; bool(std::getline(p, u, '\t')) | bool(std::getline(q, v, '\t')); ++j)
            if (u != v && !(std::count(derived.begin(), derived.end(), j) &&
                            std::abs(Val(u) - Val(v)) <= 1e-14 * std::abs(Val(u))))
                return u + " against " + v;
    }
    return x.eof() && !std::getline(y, v) ? "" : "the lengths differ";
}

// The export of a file without the S1 and S2 block: the one made before saving, without that table.
std::string WithoutAmplitudeTable(const std::string& text) {
    const std::size_t table = text.find("\r\n\r\nReal and imaginary values of S1");
    return table == std::string::npos ? text : text.substr(0, table) + "\r\n";
}

// Each run reads back to its wavelengths and band (not those the reading window had), its caption and
// label, and saves the same bytes, also after a redraw of a Lee diagram or map in either normalisation
// (a redraw keeps the row peaks stored); its text export is the one made before saving, less the S1 and
// S2 table where the file holds none (a phase function or watts graph is saved as the intensities it is
// drawn from, with their y scale, and reads back as those); New plot computes the same intensities again and
// saves the same file.
TEST_F(DataFileReloadTest, SaveReadSaveGivesTheSameBytes) {
    const auto redraw = [](Form1& f) {
        if (f.codes.graphCode < kGraphLee) return;
        for (const char* rows : {"Normalised", "Absolute"}) test::Choose(f.cboLee, rows);  // each redraws
    };
    std::vector<RunCase> runs(std::begin(kRuns), std::end(kRuns));
    for (RunCase& c : GraphListRuns()) runs.push_back(std::move(c));
    for (const RunCase& c : runs) {
        SCOPED_TRACE(c.name);
        Form1& a = started();
        a.txtRadius.setText("10"), a.cboStep.setText("1");
        c.set(a);
        a.cmdNewPlot.click();
        const std::string first = save(a, "first");
        const bool exports = a.runRecord.graphCode < kGraphLee;  // Lee diagrams and maps have no export
        redraw(a);
        EXPECT_TRUE(save(a, "redrawn") == first);
        const std::string text = exports ? exported(a, "first") : std::string();
        const auto waves = a.waveSet.waveList;
        const std::pair<float, float> band = {a.runRecord.bandMinUm, a.runRecord.bandMaxUm};
        const std::vector<std::string> labels = {a.caption(), a.lblDebyeRays.caption()};
        const std::vector<double> curve = a.results.intensityPerp;
        const bool block = a.mnuS1S2.checked();
        const bool ownText =
            exports && !(a.runRecord.graphCode == kGraphAngle && a.runRecord.graphSubCode != 1);
        Form1& b = started();
        c.beforeRead(b);
        messages.clear();
        read(b, "first");
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
        // A Lee diagram reads back as "Absolute", as the file restores it, also after "Normalised".
        EXPECT_EQ(b.codes.graphCode == kGraphLee ? b.cboLee.text() : "Absolute", "Absolute");
        EXPECT_EQ(b.waveSet.waveList, waves);
        EXPECT_EQ(std::pair(b.runRecord.bandMinUm, b.runRecord.bandMaxUm), band);
        EXPECT_EQ((std::vector<std::string>{b.caption(), b.lblDebyeRays.caption()}), labels);
        EXPECT_EQ(b.mnuS1S2.checked(), block);
        EXPECT_EQ(b.mnuSaveText.enabled(), exports);
        redraw(b);
        EXPECT_EQ(save(b, "second"), first);
        b.mnuS1S2.setChecked(true);  // a table the file does not hold is not saved either
        EXPECT_EQ(save(b, "third"), first);
        const std::string own = block ? text : WithoutAmplitudeTable(text);
        EXPECT_EQ(ownText ? ExportDifference(exported(b, "second"), own) : "", "");
        b.mnuS1S2.setChecked(block);
        b.cmdNewPlot.click();
        EXPECT_EQ(b.results.intensityPerp, curve);
        EXPECT_EQ(save(b, "computed"), first);
    }
}

// A Lee Replot with new size options is a New plot with them, read back alike; a step typed since is refused.
TEST_F(DataFileReloadTest, LeeReplotAppliesTheSizeOptionsAndRefusesANewStep) {
    const auto lee = [&](bool disperse, const char* deviation) -> Form1& {
        Form1& f = started();
        f.cboGraph.setText("Lee diagram"), f.txtRstep.setText("40"), f.cboSD.setText(deviation);
        (disperse ? f.optDisp : f.optMono).setValue(true);
        Press(f.cmdNewPlot), test::Choose(f.cboLee, "Absolute");
        return f;
    };
    for (const auto& [runDisperse, disperse, deviation] :
         {std::tuple{true, true, "5"}, {true, false, "10"}, {false, true, "10"}}) {
        SCOPED_TRACE(testing::Message() << runDisperse << disperse << deviation);
        Form1& fresh = lee(disperse, deviation);
        const QImage drawn = fresh.image();
        const auto distribution = fresh.runRecord.disperse;
        const std::string file = save(fresh, "fresh");
        Form1& a = lee(runDisperse, "10");
        (disperse ? a.optDisp : a.optMono).setValue(true), a.cboSD.setText(deviation), Press(a.cmdReplot);
        EXPECT_TRUE(a.image() == drawn && a.runRecord.disperse == distribution);
        // A run of one sphere forms its row peaks from its colour sums: they may differ in the last digit.
        const std::string redrawn = save(a, "redrawn");
        EXPECT_TRUE(!disperse || redrawn == file);
        Form1& b = started();
        read(b, "redrawn");
        EXPECT_TRUE(b.image() == drawn && b.runRecord.disperse == distribution && save(b, "b") == redrawn);
    }
    for (const char* graph : {"Lee diagram", "Map: angle v. radius"}) {
        Form1& f = started();
        f.cboGraph.setText(graph), f.cboStep.setText("0.05"), Press(f.cmdNewPlot);
        const QImage drawn = f.image();
        const std::string file = save(f, "run");
        f.cboStep.setText("0.5");
        for (int twice = 0; twice < 2; ++twice) test::Choose(f, "Colour > Saturated colours");
        if (f.cmdReplot.visible()) Press(f.cmdReplot);  // where a colour option offers it: the step turns red
        EXPECT_TRUE(f.image() == drawn && save(f, "refused") == file && f.cboStep.backColor() != kWhite)
            << graph;
    }
}

// A file with one entry the window would refuse, or with entries that pass alone but not together, is
// refused before anything is set: the message names the entry and its line, and the boxes, results, graph
// and the run's record (what a save writes) stay as they were.
TEST_F(DataFileReloadTest, AFileWithABadEntryChangesNothing) {
    // The change and the message after "The selected file is not a valid Tessary file" and a CR.
    const std::pair<std::function<void(DataFile&)>, std::string> cases[] = {
        {[](DataFile& d) { d.inputs[0] = "0.4", d.values.clear(); },
         "Line 14: the number of wavelengths \"0.4\" is below 1"},
        {[](DataFile& d) { d.inputs[1] = "0.65x"; },
         "Line 15: the wavelength \"0.65x\" is not a number above 0"},
        {[](DataFile& d) { d.inputs[4] = "1e999"; },  // beyond the Double range
         "Line 18: the imaginary part of the refractive index \"1e999\" is not a number"},
        // A misplaced sign, and a decimal comma, which the loader would read as Val does (1).
        {[](DataFile& d) { d.inputs[2] = "1-5e3"; }, "Line 16: the radius \"1-5e3\" is not a number above 0"},
        {[](DataFile& d) { d.inputs[2] = "1,5"; }, "Line 16: the radius \"1,5\" is not a number above 0"},
        {[](DataFile& d) { d.inputs[5] = "-5"; },
         "Line 19: the x minimum \"-5\" is not a number of 0 or more"},
        {[](DataFile& d) { d.method = "Miee"; }, "Line 7: the method \"Miee\" is not known"},
        {[](DataFile& d) { d.sphere.temp = "500"; },
         "Line 10: the water temperature \"500\": " + std::string(*CheckWaterTemperature(500))},
        {[](DataFile& d) { d.yMin = -1; }, "Line 25: the y minimum \"-1\" is not a number of 0 or more"},
        {[](DataFile& d) { d.inputs[5] = "170", d.inputs[6] = "10"; },
         "Line 20: the x range from \"170\" to \"10\" does not increase"},
        {[](DataFile& d) { d.inputs[6] = "200"; }, "Line 20: the maximum angle \"200\" is above 180 degrees"},
        // Stored points that are not those of the x range, of an angle graph and of a sweep.
        {[](DataFile& d) { d.first = 10, d.last = 100, d.values.resize(3 * 91); },
         "Line 29: the stored points 10 to 100 do not hold the angles 0 to 180."},
        {[](DataFile& d) {
             d.graphText = "Intensity v. radius", d.angleText = "30", d.last = 150, d.values.resize(3 * 150);
         },
         "Line 30: the file holds the points 1 to 150, not the 181 points of its x range from 0 to 180 by 1."},
        {[](DataFile& d) { d.inputs[1] = "1E+30"; },
         "Line 15: the wavelength \"1E+30\" um is beyond 10 m, the longest wavelength of the refractive-index "
         "models"},
        {[](DataFile& d) {
             d.graphText = "Intensity v. radius", d.angleText = "30", d.inputs[5] = "1", d.last = 180;
             d.values.resize(3 * 180), d.stopped = StoppedRun{57, 101};
         },
         "Line 213: the file holds 180 points, not the 57 its stop line names."},
        {[](DataFile& d) {  // logarithmic steps stopped after 3 points, planned to below their minimum
             d.graphText = "Intensity v. radius", d.angleText = "30", d.inputs[5] = "1", d.inputs[6] = "4";
             d.inputs[7] = "2", d.xLog = true, d.last = 3, d.values.resize(9);
             d.stopped = StoppedRun{3, 101, "0.5", "100"};
         },
         "Line 36: the planned maximum \"0.5\" in \"100\" steps is no range from the x minimum \"1\""},
        {[](DataFile& d) {  // an x maximum that is not the x of the last point finished of the range planned
             d.graphText = "Intensity v. radius", d.angleText = "30", d.inputs[5] = "1", d.inputs[6] = "99";
             d.inputs[7] = "2", d.xLog = true, d.last = 3, d.values.resize(9);
             d.stopped = StoppedRun{3, 5, "10000", "4"};
         },
         "Line 20: the x maximum \"99\" is not 100, the x of the last of the 3 points finished of the range "
         "planned"},
        // The water dialog's boxes as it takes them: a temperature beyond the Double range, a density no number.
        {[](DataFile& d) { d.sphere.temp = "1E+400"; },
         "Line 10: the water temperature \"1E+400\": " + std::string(*CheckWaterTemperature(500))},
        {[](DataFile& d) { d.sphere.density = "abc"; }, "Line 11: the water density \"abc\" is not a number"},
        {[](DataFile& d) { d.method = "Debye", d.rays = "200000"; },
         "Line 8: the ray orders \"200000\" are beyond the program's limits."},
        {[](DataFile& d) { d.method = "Debye", d.rays = "1E+400"; },
         "Line 8: the ray orders \"1E+400\" are beyond the program's limits."},
        {[](DataFile& d) { d.inputs[7] = "9"; },
         "Line 29: the stored points 1 to 181 lie outside the 21 points of "
         "the graph."},
    };
    Form1& f = started();
    f.txtRadius.setText("10"), f.cboStep.setText("1");
    f.cmdNewPlot.click();
    TextFileReader reader = TextFileReader::FromBytes(save(f, "good"));
    const DecodedDataFile decoded = DecodeDataFile(reader);
    ASSERT_TRUE(decoded.ok());
    f.txtRadius.setText("50");
    f.cmdNewPlot.click();
    const auto boxes = [](Form1& w) {
        return std::vector<std::string>{
            w.txtRadius.text(), w.txtLambda.text(), w.txtRefractImag.text(), w.txtXmin.text(),
            w.cboStep.text(),   w.cboType.text(),   w.cboYmin.text(),        w.dlogTemp_->txtTemp.text(),
            w.caption()};
    };
    const std::vector<std::string> shown = boxes(f);
    const std::vector<double> curve = f.results.intensityPerp;
    const QImage graph = f.image();
    const std::string saved = save(f, "before");
    for (const auto& [change, message] : cases) {
        SCOPED_TRACE(message);
        DataFile bad = *decoded.file;
        change(bad);
        WriteAll(folder.path() / "bad.tsy", EncodeDataFileBytes(bad).value());
        messages.clear();
        read(f, "bad");
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "The selected file is not a valid Tessary file\r" + message);
        EXPECT_EQ(messages.last().title, "Tessary");
        EXPECT_EQ(boxes(f), shown);
        EXPECT_EQ(f.results.intensityPerp, curve);
        EXPECT_EQ(f.image(), graph);
        EXPECT_EQ(save(f, "after"), saved);
    }
}

// Older programs saved a typed ray-order text that names no order ("2,3", "0-3") and ran it as the order
// its leading number gives. Such a file reads as that order, says so once with the line, and saves again
// as the file of that order.
TEST_F(DataFileReloadTest, RayOrdersThatNameNoOrderReadAsTheOrderComputed) {
    Form1& a = started();
    Type(a.cboType, "Debye"), Type(a.cboRays, "2"), a.cboStep.setText("1");
    Press(a.cmdNewPlot);
    const std::string computed = save(a, "p2");
    TextFileReader reader = TextFileReader::FromBytes(computed);
    const DecodedDataFile decoded = DecodeDataFile(reader);
    ASSERT_TRUE(decoded.ok());
    const std::pair<std::string, std::string> cases[] = {
        {"2,3", "p = 2"}, {"2.5", "p = 2"}, {"-2,5", "p = 0 to 2"}};
    for (const auto& [typed, orders] : cases) {
        SCOPED_TRACE(typed);
        DataFile old = *decoded.file;
        old.rays = typed;
        WriteAll(folder.path() / "old.tsy", EncodeDataFileBytes(old).value());
        Form1& b = started();
        messages.clear();
        read(b, "old");
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "Line 8: the ray orders \"" + typed +
                                              "\" name no order. The run that saved this file computed " +
                                              orders + ", which the list now shows.");
        EXPECT_EQ(b.lblDebyeRays.caption(), "Debye series (" + orders + ")");
        EXPECT_EQ(orders == "p = 2" ? save(b, "again") : computed, computed);
    }
}

// A sweep computes at the box's wavelength whatever the wavelength list says ("RGB"): a redraw, also of the
// file read back in a fresh window, exports its own values, not the colour sums of the angle graph before.
TEST_F(DataFileReloadTest, ASweepWithSeveralWavelengthsListedRedrawsItsOwnValues) {
    Form1& a = started();
    a.cboGraph.setText("Intensity v. radius"), a.cboWave.setText("RGB");
    a.cmdNewPlot.click();
    const std::string text = exported(a, "run");
    save(a, "run");
    a.cmdReplot.click();
    EXPECT_EQ(exported(a, "replot"), text);
    Form1& b = started();
    read(b, "run");
    EXPECT_EQ(ExportDifference(exported(b, "read"), text), "");
}

// A reopened file shows what it holds, as the run that wrote it did, and never a 0 or a value of the run the
// window showed before. The readout: the ends of the curve where it stores no amplitudes, no Qext, and no
// Qsca over several wavelengths (the file's is the last wavelength's). Without the S1 and S2 block, the
// degree of polarisation is formed from the intensities as the run formed it from S1 and S2; the phases
// and the amplitude-phase diagram are left out with a note, never drawn from amplitudes of 0.
TEST_F(DataFileReloadTest, AReopenedFileShowsWhatItHolds) {
    const auto readout = [](Form1& f) {  // the last of each line the window drew
        std::map<std::string, std::string> last;
        for (const DrawOp& op : f.drawLog())
            for (const char* label : {"  0 deg: ", "  180 deg: ", "X = ", "Qsca = ", "Qext = "})
                if (op.text.starts_with(label)) last[label] = op.text;
        return last;
    };
    Form1& a = withReadout();
    a.txtRadius.setText("20"), a.cboStep.setText("1");
    a.cmdNewPlot.click();
    std::map<std::string, std::string> shown = readout(a);
    EXPECT_EQ(shown.erase("Qext = "), 1u);
    test::Choose(a, "Plot > Intensity + Polarisation");
    const std::vector<double> polarisation(a.results.avgPerp.begin(), a.results.avgPerp.begin() + 362);
    save(a, "run");
    Form1& b = withReadout();
    read(b, "run");
    EXPECT_EQ(readout(b), shown);
    test::Choose(b, "Plot > Intensity + Polarisation");
    for (std::size_t j = 1; j <= 361; ++j) EXPECT_NEAR(b.results.avgPerp[j], polarisation[j], 1e-12) << j;
    const auto drawn = [&b](const std::function<bool(const DrawOp&)>& which) {
        return std::count_if(b.drawLog().begin(), b.drawLog().end(), which);
    };
    const std::string note = "Phases need S1 and S2, which these results do not hold";
    const auto notes = [&] { return drawn([&](const DrawOp& op) { return op.text == note; }); };
    b.clearDrawLog();
    test::Choose(b, "Plot > Intensity + Phase");
    const double lowerTop = b.graph.graphTop + 0.55 * (b.graph.graphBottom - b.graph.graphTop);
    EXPECT_EQ(drawn([&](const DrawOp& op) {
                  return op.kind == DrawOp::Kind::Line && std::max(op.y1, op.y2) > lowerTop;
              }),
              0);
    EXPECT_EQ(notes(), 1);
    b.clearDrawLog();
    test::Choose(b, "Plot > Polar plot");  // the amplitude-phase diagram: its start mark is a circle of 20
    EXPECT_EQ(drawn([](const DrawOp& op) { return op.kind == DrawOp::Kind::Circle && op.x2 == 20; }), 0);
    EXPECT_EQ(notes(), 1);
    Form1& c = withReadout();
    c.cboWave.setText("RGB");
    c.cmdNewPlot.click();
    save(c, "rgb");
    c.clearDrawLog();
    read(c, "rgb");
    EXPECT_EQ(readout(c).count("Qsca = "), 0u);
}

}  // namespace
}  // namespace tessary
