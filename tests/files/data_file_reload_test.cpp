// Data files read back into a fresh window: save -> read -> save gives the same bytes and the run's
// wavelengths; refused files change nothing; ray orders of older files read as their run computed them.
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "file_bytes.h"
#include "files/data_file.h"
#include "graphs/graph_codes.h"
#include "media/index_models.h"
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
        fileDialogs.answer(at(name));
        f.mnuSave.trigger();
        return ReadAll(at(name + ".tsy"));
    }

    test::TestFolder folder{"tessary_reload_"};
};

struct RunCase {
    const char* name;
    std::function<void(Form1&)> set;
};

// One run of each kind the data file stores, small enough to compute at once.
const RunCase kRuns[] = {
    {"one wavelength, imaginary index 0.0001", [](Form1& f) { f.txtRefractImag.setText("0.0001"); }},
    {"RGB", [](Form1& f) { f.cboWave.setText("RGB"); }},
    {"5 wavelengths, flat band of 500 to 700 nm",
     [](Form1& f) {
         f.mnuSpectrumFlat_Click();
         f.dlogSpectrumBand_->txtSpectrumMin.setText("500");
         f.dlogSpectrumBand_->txtSpectrumMax.setText("700");
         f.dlogSpectrumBand_->OKButton_Click();
         f.cboWave.setText("5");
     }},
    {"5 wavelengths, sun", [](Form1& f) { f.cboWave.setText("5"), f.optSun.setValue(true); }},
    // The redraw works the y minimum out again from the stored sums.
    {"10 wavelengths", [](Form1& f) { f.cboWave.setText("10"); }},
    // 5 to 20 um in 4 steps, 178 to 180 degrees at 0.05.
    {"Lee diagram, normalised",
     [](Form1& f) {
         f.cboGraph.setText("Lee diagram");
         f.cboWave.setText("1");
         f.cboLee.setText("Normalised");
     }},
    // The redraw works the row peaks out again from the stored colours.
    {"map", [](Form1& f) { f.cboGraph.setText("Map: angle v. refractive index"); }},
};

// Each run reads back to its wavelengths and band (not those the fresh window had) and saves the same bytes.
TEST_F(DataFileReloadTest, SaveReadSaveGivesTheSameBytes) {
    for (const RunCase& c : kRuns) {
        SCOPED_TRACE(c.name);
        Form1& a = started();
        a.txtRadius.setText("10");
        a.cboStep.setText("1");
        c.set(a);
        a.cmdNewPlot.click();
        const std::string first = save(a, "first");
        const auto waves = a.waveSet.waveList;
        const std::pair<float, float> band = {a.runRecord.bandMinUm, a.runRecord.bandMaxUm};
        Form1& b = started();
        messages.clear();
        fileDialogs.answer(at("first.tsy"));
        b.mnuRead.trigger();
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
        // A Lee diagram reads back as "Absolute", as the file restores it, also after "Normalised".
        EXPECT_EQ(b.codes.graphCode == kGraphLee ? b.cboLee.text() : "Absolute", "Absolute");
        EXPECT_EQ(b.waveSet.waveList, waves);
        EXPECT_EQ(std::pair(b.runRecord.bandMinUm, b.runRecord.bandMaxUm), band);
        EXPECT_EQ(save(b, "second"), first);
    }
}

// A file with one entry the window would refuse is refused before anything is set: the message names
// the entry and its line, and the boxes, results and graph stay as they were.
TEST_F(DataFileReloadTest, AFileWithABadEntryChangesNothing) {
    // The change and the message after "The selected file is not a valid Tessary file" and a CR.
    const std::pair<std::function<void(DataFile&)>, std::string> cases[] = {
        {[](DataFile& d) { d.inputs[1] = "0.65x"; },
         "Line 15: the wavelength \"0.65x\" is not a number above 0"},
        {[](DataFile& d) { d.inputs[4] = "1e999"; },  // beyond the Double range
         "Line 18: the imaginary part of the refractive index \"1e999\" is not a number"},
        {[](DataFile& d) { d.inputs[5] = "-5"; },
         "Line 19: the x minimum \"-5\" is not a number of 0 or more"},
        {[](DataFile& d) { d.method = "Miee"; }, "Line 7: the method \"Miee\" is not known"},
        {[](DataFile& d) { d.sphere.temp = "500"; },
         "Line 10: the water temperature \"500\": " + std::string(*CheckWaterTemperature(500))},
        {[](DataFile& d) { d.yMin = -1; }, "Line 25: the y minimum \"-1\" is not a number of 0 or more"},
    };
    Form1& f = started();
    f.txtRadius.setText("10");
    f.cboStep.setText("1");
    f.cmdNewPlot.click();
    const std::string good = save(f, "good");
    TextFileReader reader = TextFileReader::FromBytes(good);
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
    for (const auto& [change, message] : cases) {
        SCOPED_TRACE(message);
        DataFile bad = *decoded.file;
        change(bad);
        WriteAll(folder.path() / "bad.tsy", EncodeDataFileBytes(bad).value());
        messages.clear();
        fileDialogs.answer(at("bad.tsy"));
        f.mnuRead.trigger();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "The selected file is not a valid Tessary file\r" + message);
        EXPECT_EQ(messages.last().title, "Tessary");
        EXPECT_EQ(boxes(f), shown);
        EXPECT_EQ(f.results.intensityPerp, curve);
        EXPECT_EQ(f.image(), graph);
    }
}

// Older programs saved a typed ray-order text that names no order ("2,3", "0-3") and ran it as the order
// its leading number gives. Such a file reads as that order, says so once with the line, and saves again
// as the file of that order.
TEST_F(DataFileReloadTest, RayOrdersThatNameNoOrderReadAsTheOrderComputed) {
    Form1& a = started();
    Type(a.cboType, "Debye");
    Type(a.cboRays, "2");
    a.cboStep.setText("1");
    Press(a.cmdNewPlot);
    const std::string computed = save(a, "p2");
    TextFileReader reader = TextFileReader::FromBytes(computed);
    const DecodedDataFile decoded = DecodeDataFile(reader);
    ASSERT_TRUE(decoded.ok());
    const std::pair<const char*, const char*> cases[] = {
        {"2,3", "p = 2"}, {"2.5", "p = 2"}, {"-2,5", "p = 0 to 2"}};
    for (const auto& [typed, orders] : cases) {
        SCOPED_TRACE(typed);
        DataFile old = *decoded.file;
        old.rays = typed;
        WriteAll(folder.path() / "old.tsy", EncodeDataFileBytes(old).value());
        Form1& b = started();
        messages.clear();
        fileDialogs.answer(at("old.tsy"));
        b.mnuRead.trigger();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "Line 8: the ray orders \"" + std::string(typed) +
                                              "\" name no order. The run that saved this file computed " +
                                              orders + ", which the list now shows.");
        EXPECT_EQ(b.lblDebyeRays.caption(), "Debye series (" + std::string(orders) + ")");
        if (std::string(orders) == "p = 2") {
            EXPECT_EQ(save(b, "again"), computed);
        }
    }
}

}  // namespace
}  // namespace tessary
