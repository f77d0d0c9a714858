// Data files read back into a fresh window: the wavelengths of the saved run, refused files that
// change nothing, and save -> read -> save giving the same bytes.
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "files/data_file.h"
#include "media/index_models.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using test::WriteAll;

class DataFileReloadTest : public test::Form1Test {
  protected:
    DataFileReloadTest() {
        folder =
            fs::temp_directory_path() / ("tessary_reload_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~DataFileReloadTest() override { fs::remove_all(folder); }
    std::string at(const std::string& name) const { return (folder / name).string(); }

    std::string save(Form1& f, const std::string& name) {
        fileDialogs.answer(at(name));
        f.mnuSave.trigger();
        return ReadAll(at(name + ".tsy"));
    }
    // A fresh window that has read the file.
    Form1& read(const std::string& name) {
        Form1& f = started();
        messages.clear();
        fileDialogs.answer(at(name + ".tsy"));
        f.mnuRead.trigger();
        return f;
    }

    fs::path folder;
};

// A flat spectrum over a band of the given limits (nm).
void FlatBand(Form1& f, const char* min, const char* max) {
    f.mnuSpectrumFlat_Click();
    f.dlogSpectrumBand_->txtSpectrumMin.setText(min);
    f.dlogSpectrumBand_->txtSpectrumMax.setText(max);
    f.dlogSpectrumBand_->OKButton_Click();
}

// The first line where the files differ, with its number; empty when they are the same.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::size_t line = 1, at = 0;
    for (; at < a.size() && at < b.size() && a[at] == b[at]; ++at) line += a[at] == '\n';
    if (at == a.size() && at == b.size()) return "";
    const auto lineAt = [at](const std::string& s) {
        const std::size_t start = s.rfind('\n', at - 1) + 1;
        return s.substr(start, s.find('\r', start) - start);
    };
    return "line " + std::to_string(line) + ": \"" + lineAt(a) + "\" then \"" + lineAt(b) + "\"";
}

struct RunCase {
    const char* name;
    std::function<void(Form1&)> set;
};

// One run of each kind the data file stores, small enough to compute at once.
const RunCase kRuns[] = {
    {"one wavelength, imaginary index 0.0001", [](Form1& f) { f.txtRefractImag.setText("0.0001"); }},
    {"RGB", [](Form1& f) { f.cboWave.setText("RGB"); }},
    {"5 wavelengths, flat band",
     [](Form1& f) {
         FlatBand(f, "500", "700");
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

TEST_F(DataFileReloadTest, SaveReadSaveGivesTheSameBytes) {
    for (const RunCase& c : kRuns) {
        SCOPED_TRACE(c.name);
        Form1& a = started();
        a.txtRadius.setText("10");
        a.cboStep.setText("1");
        c.set(a);
        a.cmdNewPlot.click();
        messages.clear();
        const std::string first = save(a, "first");
        ASSERT_FALSE(first.empty());
        Form1& b = read("first");
        for (const auto& m : messages.shown()) ADD_FAILURE() << m.title << ": " << m.prompt;
        if (b.graphCode == 20) {
            EXPECT_EQ(b.cboLee.text(), "Absolute");  // as the file restores it, also after "Normalised"
        }
        const std::string second = save(b, "second");
        EXPECT_EQ(FirstDifference(first, second), "");
    }
}

// A band of 500 to 700 nm reads back to the wavelengths of that band, not of the band the fresh window
// had before.
TEST_F(DataFileReloadTest, SeveralWavelengthsReadBackToTheRunsWavelengths) {
    Form1& a = started();
    a.txtRadius.setText("10");
    FlatBand(a, "500", "700");
    a.cboWave.setText("5");
    a.cmdNewPlot.click();
    const std::vector<float> run(a.waveList.begin() + 1, a.waveList.begin() + 6);
    ASSERT_FLOAT_EQ(run.front(), 0.52f);
    save(a, "band");
    Form1& b = read("band");
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(std::vector<float>(b.waveList.begin() + 1, b.waveList.begin() + 6), run);
    EXPECT_FLOAT_EQ(b.runRecord.bandMinUm, 0.5f);
    EXPECT_FLOAT_EQ(b.runRecord.bandMaxUm, 0.7f);
}

struct BadItemCase {
    const char* name;
    std::function<void(DataFile&)> change;
    std::string message;  // after "The selected file is not a valid Tessary file" and a CR
};

// A file with one entry the window would refuse is refused before anything is set: the message names
// the entry and its line, and the boxes, results and graph stay as they were.
TEST_F(DataFileReloadTest, AFileWithABadEntryChangesNothing) {
    const BadItemCase cases[] = {
        {"radius", [](DataFile& d) { d.inputs[2] = "abc"; },
         "Line 16: the radius \"abc\" is not a number above 0"},
        {"wavelength", [](DataFile& d) { d.inputs[1] = "0.65x"; },
         "Line 15: the wavelength \"0.65x\" is not a number above 0"},
        {"imaginary index beyond the Double range", [](DataFile& d) { d.inputs[4] = "1e999"; },
         "Line 18: the imaginary part of the refractive index \"1e999\" is not a number"},
        {"x minimum", [](DataFile& d) { d.inputs[5] = "-5"; },
         "Line 19: the x minimum \"-5\" is not a number of 0 or more"},
        {"step", [](DataFile& d) { d.inputs[7] = "1 degree"; },
         "Line 21: the step \"1 degree\" is not a number above 0"},
        {"method", [](DataFile& d) { d.method = "Miee"; }, "Line 7: the method \"Miee\" is not known"},
        {"water temperature", [](DataFile& d) { d.sphere.temp = "500"; },
         "Line 10: the water temperature \"500\": " + std::string(*CheckWaterTemperature(500))},
        {"y minimum", [](DataFile& d) { d.yMin = -1; },
         "Line 25: the y minimum \"-1\" is not a number of 0 or more"},
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
    const std::vector<double> curve = f.intensityPerp;
    const QImage graph = f.image();
    for (const BadItemCase& c : cases) {
        SCOPED_TRACE(c.name);
        DataFile bad = *decoded.file;
        c.change(bad);
        WriteAll(folder / "bad.tsy", EncodeDataFileBytes(bad).value());
        messages.clear();
        fileDialogs.answer(at("bad.tsy"));
        f.mnuRead.trigger();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "The selected file is not a valid Tessary file\r" + c.message);
        EXPECT_EQ(messages.last().title, "Tessary");
        EXPECT_EQ(boxes(f), shown);
        EXPECT_EQ(f.intensityPerp, curve);
        EXPECT_EQ(f.image(), graph);
    }
}

}  // namespace
}  // namespace tessary
