// What the data file reader takes, read on a freshly made window as a user reads a file: every line after
// the results whole and in its place, counts that match the rows, beams the beam dialog would take; any
// other file is refused with the line named and changes nothing. And the beam as typed comes back whole.
#include <QImage>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "file_bytes.h"
#include "files/data_file.h"
#include "media/index_models.h"
#include "runs/method_rules.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::ReadAll;
using test::WriteAll;

using Set = std::function<void(Form1&)>;

class DataFileRefusalTest : public test::Form1Test {
  protected:
    std::string at(const std::string& name) const { return folder.at(name); }
    std::string save(Form1& f, const std::string& name) {
        std::filesystem::remove(at(name + ".tsy"));
        fileDialogs.answer(at(name));
        f.mnuSave.trigger();
        return ReadAll(at(name + ".tsy"));
    }
    void read(Form1& f, const std::string& bytes) {
        WriteAll(folder.path() / "read.tsy", bytes);
        fileDialogs.answer(at("read.tsy"));
        f.mnuRead.trigger();
    }
    // The data file of a run on a fresh window.
    std::string savedRun(const Set& set) {
        Form1& f = started();
        f.cboStep.setText("1");
        set(f);
        messages.clear();
        f.cmdNewPlot.click();
        const std::string bytes = save(f, "run");
        return bytes;
    }
    // Reads the bytes on a fresh window (`prepare` chooses its display options first): the one message it
    // shows; the boxes, menus, graph, results and the file a save writes stay as they were.
    std::string refused(const std::string& bytes, const Set& prepare = {}) {
        Form1& f = started();
        if (prepare) prepare(f);
        const auto shown = [&f] {
            const auto on = [](bool b) { return std::string(b ? "on" : "off"); };
            return std::vector<std::string>{f.txtRadius.text(),
                                            f.txtLambda.text(),
                                            f.cboWave.text(),
                                            f.cboGraph.text(),
                                            f.cboType.text(),
                                            f.txtXmin.text(),
                                            f.cboStep.text(),
                                            f.caption(),
                                            f.lblDebyeRays.caption(),
                                            f.txtRefractImag.text(),
                                            on(f.mnuPolarPlot.checked()),
                                            on(f.mnuInterpolate.checked()),
                                            on(f.optLog.value())};
        };
        const std::vector<std::string> before = shown();
        const std::vector<double> curve = f.results.intensityPerp;
        const QImage graph = f.image();
        const std::string saved = save(f, "before");
        messages.clear();
        read(f, bytes);
        EXPECT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(shown(), before);
        EXPECT_EQ(f.results.intensityPerp, curve);
        EXPECT_EQ(f.image(), graph);
        EXPECT_EQ(save(f, "after"), saved);
        return messages.shown().empty() ? std::string() : messages.last().prompt;
    }

    test::TestFolder folder{"tessary_refusal_"};
};

// The 1-based line of the first line that is `text`, 0 when none is.
int LineOf(const std::string& bytes, const std::string& text) {
    const std::size_t at = ("\r\n" + bytes).find("\r\n" + text + "\r\n");
    return at == std::string::npos
               ? 0
               : 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + at, '\n'));
}

// Line n of the file as the reader names it: without its line end and the blanks around it.
std::string LineAt(const std::string& bytes, int n) {
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) start = bytes.find('\n', start) + 1;
    start = bytes.find_first_not_of(' ', start);
    return bytes.substr(start, bytes.find_last_not_of(' ', bytes.find('\r', start) - 1) + 1 - start);
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
    const std::size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

std::string NotValid(int line, const std::string& what) {
    return std::string(kNotValidMessage) + "\rLine " + std::to_string(line) + ": " + what;
}

const std::string kOrder =
    "is out of its place: after the results come, each once and in this order, the S1 and S2 block and the "
    "light-source, values, Inv Wavelength, wavelength-count, illumination (with its beam), options, "
    "surface-wave, inputs and stop lines";

// A damaged, unknown or misplaced line after the results is refused with its line, never skipped with the
// lines after it; so is an unknown step kind, and an illumination the file's method is never run with.
TEST_F(DataFileRefusalTest, EveryLineAfterTheResultsIsReadWholeInItsPlace) {
    const Set amplitudes = [](Form1& f) { f.mnuAmplitude.setChecked(true); };
    const Set minusRays = [](Form1& f) {
        f.cboType.setText("Debye"), f.cboRays.setText("2"), f.mnuSWsub_Click();
    };
    const Set logSweep = [](Form1& f) {
        f.cboGraph.setText("Intensity v. radius"), f.txtXmin.setText("1"), f.txtXmax.setText("82");
        f.mnuXStepLog_Click(), f.cboStep.setText("9");
    };
    const Set huygens = [](Form1& f) {
        for (int key : {'G', 'J'}) {
            int ctrl = keys::kCtrlMask;
            f.Form_KeyDown(key, ctrl);
        }
        f.cboType.setText("Huygens"), f.txtAngle.setText("50");
    };
    const Set topHat = [](Form1& f) {
        f.cboType.setText("Young mod"), f.cboRays.setText("2"), f.dlogGaussianBeam_->txtBeamXF.setText("-5");
        f.mnuTopHat_Click();
    };
    struct Case {
        Set run;
        std::string from, to;
        std::string line;  // the line named
        std::string what;  // after "Line n: "
    };
    const std::string point = "Light source: Point\r\n";
    const std::string kSizeForms = ", \"Values: S1 and S2 divided by x\" or both";
    const Case cases[] = {
        {amplitudes, "Values: Amplitude\r\n", "Values: Amplitud\r\n", "Values: Amplitud",
         "\"Values: Amplitud\" is not \"Values: Amplitude\"" + kSizeForms},
        {amplitudes, "Values: Amplitude\r\n", "Values:\r\n",
         "Values:", "\"Values:\" is not \"Values: Amplitude\"" + kSizeForms},
        {[](Form1& f) { f.mnuSize.setChecked(true); }, "\r\nMie\r\n", "\r\nDiffraction\r\n",
         "Values: S1 and S2 divided by x",
         "\"Values: S1 and S2 divided by x\" names S1 and S2 divided by x, which no \"Diffraction\" run forms"},
        {minusRays, "Options: Surface wave subtraction\r\n", "Options:\r\n",
         "Options:", "\"Options:\" names no option of a run"},
        {[](Form1&) {}, point, "Light source: Point\t\r\n", "Light source: Point\t",
         "\"Light source: Point\t\" is not \"Light source: Point\" or \"Light source: Sun\""},
        {[](Form1&) {}, point, "A note\r\n" + point, "Light source: Point",
         "\"Light source: Point\" " + kOrder},
        {[](Form1&) {}, point, point + "Stopped after 181 of 200 points\r\n",
         "Stopped after 181 of 200 points",
         "\"Stopped after 181 of 200 points\" stops a graph against the scattering angle, whose results are "
         "saved only whole"},
        {logSweep, "xLog\r\n", "xlog\r\n", "xlog", "\"xlog\" is not \"xLin\" or \"xLog\""},
        {huygens, "rays 50\r\n", "rays 0\r\n", "Inputs: rays 0",
         "\"Inputs: rays 0\" does not name the inputs a run of \"Intensity v. scattering angle\" by \"Huygens\" "
         "reads"},
        {amplitudes, "Values: Amplitude\r\n", "Vaules: Amplitude\r\n", "Vaules: Amplitude",
         "\"Vaules: Amplitude\" is a misspelled \"Values:\" line (\"Vaules\" for \"Values\")"},
        {[](Form1& f) { f.cboWave.setText("Low"); }, point, "Ligh tsource: Point\r\n", "Ligh tsource: Point",
         "\"Ligh tsource: Point\" is a misspelled \"Light source:\" line (\"Ligh tsource\" for \"Light source\")"},
        {huygens, "\r\nHuygens\r\n", "\r\nMie\r\n", "Inputs: rays 50",
         "\"Inputs: rays 50\" does not name the inputs a run of \"Intensity v. scattering angle\" by \"Mie\" "
         "reads"},
        {topHat, "Young mod\r\n", "Young\r\n", "Illumination: Top hat beam",
         "a run of the method \"Young\" on \"Intensity v. scattering angle\" does not use \"Illumination: Top "
         "hat beam\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string bytes = Replaced(savedRun(c.run), c.from, c.to);
        EXPECT_EQ(refused(bytes), NotValid(LineOf(bytes, c.line), c.what));
    }
}

// Counts a file names that disagree with the rows it holds: the wavelengths of an angle graph's colour sums,
// a named set's count at an edited radius, the steps of a Lee diagram.
TEST_F(DataFileRefusalTest, CountsThatDisagreeWithTheRowsAreRefused) {
    const std::string rgbRun =
        savedRun([](Form1& f) { f.cboWave.setText("RGB"), f.txtRadius.setText("20"); });
    const int rgbRows = LineOf(rgbRun, " 1             181 ") + 2;  // after the window and Qsca
    const std::string lowRun = savedRun([](Form1& f) { f.cboWave.setText("Low"), f.txtRadius.setText("5"); });
    const std::string leeRun =
        savedRun([](Form1& f) { f.cboGraph.setText("Lee diagram"), f.cboWave.setText("1"); });
    const int leeRows = LineOf(leeRun, " 4 ") + 2;  // after the steps and the end radius
    TextFileReader leeReader = TextFileReader::FromBytes(leeRun);
    const DecodedDataFile lee = DecodeDataFile(leeReader);
    ASSERT_TRUE(lee.ok());
    const int points = lee.file->last - lee.file->first + 1;  // the angle window of 178 to 180 degrees
    struct Case {
        std::string bytes;
        int line;
        std::string what;  // after "Line n: "; the line's own text stands for "*"
    };
    const Case cases[] = {
        {Replaced(rgbRun, "\r\nRGB\r\n", "\r\n2\r\n"), rgbRows + 2 * 181,
         "\"*\" is a row of numbers beyond the results of 181 points of 2 wavelengths the file names"},
        {Replaced(rgbRun, "\r\nRGB\r\n", "\r\n1\r\n"), rgbRows,
         "not a row of 3 numbers, as each row of the results of 181 points of one wavelength is"},
        {Replaced(lowRun, "\r\n0.65\r\n5\r\n", "\r\n0.65\r\n100\r\n"),
         LineOf(lowRun, "Number of wavelengths: 100"),
         "\"Number of wavelengths: 100\" is not the 10 wavelengths that \"Low\" gives at the radius 100"},
        {Replaced(leeRun, "\r\n 4 \r\n", "\r\n 3 \r\n"), leeRows + 4 * (2 * points + 1),
         "\"*\" is a row of numbers beyond the results of 4 steps of " + std::to_string(points) +
             " points the file names"},
        {Replaced(leeRun, "\r\n 4 \r\n", "\r\n 2 \r\n"), leeRows + 3 * (2 * points + 1),
         "\"*\" is a row of numbers beyond the results of 3 steps of " + std::to_string(points) +
             " points the file names"},
        {leeRun + "Stopped after 2 of 9 points\r\n", LineOf(leeRun, "Light source: Point") + 1,
         "the file holds 5 steps, not the 2 its stop line names."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string what = c.what;
        if (const std::size_t star = what.find('*'); star != std::string::npos)
            what.replace(star, 1, LineAt(c.bytes, c.line));
        EXPECT_EQ(refused(c.bytes), NotValid(c.line, what));
    }
}

// A stopped sweep's stop line whose first word has a typing slip is that line damaged: refused, naming it.
TEST_F(DataFileRefusalTest, AStopLineWithASlipInItsFirstWordIsRefused) {
    runtime.setPumpInterval(std::chrono::milliseconds(0));
    Form1& a = started();
    test::Choose(a.cboGraph, "Intensity v. radius");
    test::Type(a.txtXmin, "200"), test::Type(a.txtXmax, "400"), test::Type(a.cboStep, "0.2");
    runtime.setPumpHook([&a] {
        if (a.runRecord.doneLast >= 4 && a.codes.runState != 4 && a.cmdStop.visible()) a.cmdStop.click();
    });
    a.cmdNewPlot.click();
    runtime.setPumpHook({});
    const std::string bytes = save(a, "stopped"), stop = "Stopped after 4 of 1001 points";
    ASSERT_GT(LineOf(bytes, stop), 0);
    for (const auto& [slip, word] :
         {std::pair{"Stoped at", "Stoped"}, {"Stoped", "Stoped"}, {"Sopped at", "Sopped"}}) {
        const std::string line = std::string(slip) + " 4 of 1001 points",
                          edited = Replaced(bytes, stop, line);
        EXPECT_EQ(refused(edited), NotValid(LineOf(edited, line),
                                            "\"" + line + "\" is a misspelled \"Stopped after\" line (\"" +
                                                word + "\" for \"Stopped\")"));
    }
}

// A row added to the S1 and S2 block of an angle graph, after its 180 degree row or as a changed copy of that
// row before it, is refused naming the first row beyond the block's points.
TEST_F(DataFileRefusalTest, RowsAddedToTheS1AndS2BlockAreRefused) {
    const std::string bytes = savedRun([](Form1& f) { test::Choose(f, "Plot > S1 + S2"); });
    const std::size_t last =
        bytes.find("\r\n 180 ", bytes.find("Real and imaginary values of S1 and S2")) + 2;
    const std::string row = bytes.substr(last, bytes.find("\r\n", last) + 2 - last);
    const int rowLine = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + last, '\n'));
    const std::pair<std::string, int> cases[] = {
        // the file, the line refused
        {Replaced(bytes, row, row + " 1 2 3 4 5 \r\n"), rowLine + 1},
        {Replaced(bytes, row, row + row), rowLine + 1},
        {Replaced(bytes, row, " 180 1 2 3 4 \r\n" + row), rowLine + 1},
    };
    for (const auto& [edited, line] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(refused(edited),
                  NotValid(line, "\"" + LineAt(edited, line) +
                                     "\" is a row beyond those of the points 1 to 181 in the S1 "
                                     "and S2 block"));
    }
}

// The file's values held to the window's input checks before anything changes, as a redraw of stored points
// applies them: a sweep range, step or angle, logarithmic steps, a graph its method does not compute, the
// sun's disc on a coarse angle step, a distribution the window's checks refuse.
TEST_F(DataFileRefusalTest, ValuesTheInputChecksRefuseAreRefusedBeforeAnythingChanges) {
    using Item = std::function<std::string&(DataFile&)>;
    const Set radius = [](Form1& f) {
        f.cboGraph.setText("Intensity v. radius"), f.txtXmin.setText("1"), f.txtXmax.setText("10");
        f.cboStep.setText("1");
    };
    const Set logSweep = [radius](Form1& f) { radius(f), f.mnuXStepLog_Click(), f.cboStep.setText("9"); };
    const Set normal = [](Form1& f) {
        f.optDisp.setValue(true), f.cboDistrib.setText("Normal"), f.cboSD.setText("10"), f.cboN.setText("5");
    };
    const Item xMin = [](DataFile& d) -> std::string& { return d.inputs[5]; };
    const Item step = [](DataFile& d) -> std::string& { return d.inputs[7]; };
    const std::tuple<Set, std::function<void(DataFile&)>, Item, const char*> cases[] = {
        {radius, [](DataFile& d) { d.inputs[5] = "0", d.inputs[6] = "9"; }, xMin, "Radius must be > 0"},
        {logSweep, [](DataFile& d) { d.inputs[5] = "0"; }, xMin, "Radius must be > 0"},
        {radius, [](DataFile& d) { d.angleText = "30.005"; },
         [](DataFile& d) -> std::string& { return d.angleText; },
         "The scattering angle must be a multiple of 90/N degrees with N up to 9000"},
        {logSweep, [](DataFile& d) { d.inputs[7] = "9.4"; }, step,
         "Number of steps must be a whole number from 1 to 18000"},
        {radius, [](DataFile& d) { d.inputs[6] = "1.2", d.last = 1, d.values.resize(3); }, step,
         "Select a smaller step size"},
        {[radius](Form1& f) { radius(f), f.cboGraph.setText("Qext/Qsca/Qabs v. radius"); },
         [](DataFile& d) { d.method = "Debye"; }, [](DataFile& d) -> std::string& { return d.graphText; },
         "Selected graph type is available only for Mie calculations"},
        {[](Form1&) {}, [](DataFile& d) { d.lightSource = LightSource::Sun; }, step,
         "Sun requires angular resolution < 0.25 degrees"},
        {normal, [](DataFile& d) { (*d.disperse)[1] = "500"; },
         [](DataFile& d) -> std::string& { return (*d.disperse)[1]; }, "Reduce the standard deviation"},
    };
    for (const auto& [run, change, item, prompt] : cases) {
        SCOPED_TRACE(prompt);
        TextFileReader reader = TextFileReader::FromBytes(savedRun(run));
        DataFile d = DecodeDataFile(reader).file.value();
        change(d);
        DataFile marked = d;
        item(marked) = "@item";  // the line of the item the message names
        const int line = LineOf(EncodeDataFileBytes(marked).value(), "@item");
        EXPECT_EQ(refused(EncodeDataFileBytes(d).value()), NotValid(line, prompt));
    }
}

// The file's values held to the rest of the window's input checks before anything changes, as a redraw of
// stored points applies them: the bands of the index models and spectra, what each method needs of the
// index, typed y limits, and the polar plot or cubic interpolation the window draws with.
TEST_F(DataFileRefusalTest, BandsMethodsAndScalesTheInputChecksRefuseAreRefusedBeforeAnythingChanges) {
    using Line = std::function<int(const DataFile&, const std::string& bytes)>;
    const auto item = [](std::string& (*of)(DataFile&)) -> Line {  // the line of a text item
        return [of](const DataFile& d, const std::string&) {
            DataFile marked = d;
            of(marked) = "@item";
            return LineOf(EncodeDataFileBytes(marked).value(), "@item");
        };
    };
    const auto text = [](const std::string& line,
                         int after = 0) -> Line {  // a line as written, or one after it
        return [=](const DataFile&, const std::string& bytes) {
            const std::size_t at = bytes.find("\r\n" + line);
            return 2 + after + static_cast<int>(std::count(bytes.begin(), bytes.begin() + at, '\n'));
        };
    };
    const Line lambda = item([](DataFile& d) -> std::string& { return d.inputs[1]; });
    const Line real = item([](DataFile& d) -> std::string& { return d.inputs[3]; });
    const Line imag = item([](DataFile& d) -> std::string& { return d.inputs[4]; });
    const Line waves = item([](DataFile& d) -> std::string& { return d.inputs[0]; });
    const Set ten = [](Form1& f) { f.cboWave.setText("10"); };
    const Set debye = [](Form1& f) { f.cboType.setText("Debye"), f.cboRays.setText("2"); };
    const Set airy = [](Form1& f) { f.cboType.setText("Airy"), f.cboRays.setText("2"); };
    const Set wavelengths = [](Form1& f) {
        f.cboGraph.setText("Intensity v. wavelength"), f.txtXmin.setText("400"), f.txtXmax.setText("600");
        f.cboStep.setText("10");
    };
    const Set map = [](Form1& f) {
        f.cboGraph.setText("Map: angle v. wavelength"), f.cboWave.setText("1"), f.txtF9_min.setText("400");
        f.txtF9_max.setText("600"), f.txtF9_step.setText("2"), f.txtXmin.setText("130"),
            f.txtXmax.setText("140");
    };
    const auto debyeAt = [debye](const char* k, Set set) -> Set {
        return [=](Form1& f) { set(f), debye(f), f.txtRefractImag.setText(k); };
    };
    const Set inWater = [](Form1& f) {
        test::Choose(f, "Advanced > Refractive index > Surrounding medium > Water > Segelstein");
        f.txtRadius.setText("20.69");
    };
    const Set radiusTo20 = [](Form1& f) {
        f.cboGraph.setText("Intensity v. radius"), f.txtXmin.setText("1"), f.txtXmax.setText("20");
        f.cboStep.setText("2");
    };
    const Set leeOne = [](Form1& f) { f.cboGraph.setText("Lee diagram"), f.cboWave.setText("1"); };
    // Normal, N 10: Im m x 0.4 x 193 at 20 um, 84 at its largest sample, 118 at 30%.
    const Set distribution = [](Form1& f) {
        f.txtRadius.setText("20"), f.optDisp.setValue(true), f.cboSD.setText("5"), f.cboN.setText("10");
    };
    // A sphere below 1 at 540 nm only, a wavelength of 47 of "Low" (a row at 21 um), not of 100 or 10.
    WriteAll(at("dip.rix"),
             "Tessary 300\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-\nI\num\nReal\n5\n.3,1.5\n.539,1.01\n"
             ".54,.9\n.541,1.01\n.9,1.5\n");
    const Set dip = [this](Form1& f) { fileDialogs.answer(at("dip.rix")), f.mnuRI_File1.trigger(); };
    const auto rays = [](const char* method, Set set) -> Set {
        return [=](Form1& f) { set(f), f.cboType.setText(method), f.cboRays.setText("2"); };
    };
    const Set leeLow = rays("Descartes", [dip](Form1& f) {
        dip(f), f.cboGraph.setText("Lee diagram"), f.cboWave.setText("Low"), f.txtRadius.setText("10");
        f.txtRmax.setText("100"), f.txtRstep.setText("1");
    });
    const Set indexMap = [](Form1& f) {
        f.cboGraph.setText("Map: angle v. refractive index"), f.txtAngle.setText("2");
    };
    const auto gold = [](DataFile& d) { d.sphere.word = d.sphereWord = "Gold", d.sphereName = "Gold"; };
    const std::string suppressed =
        "Debye rays for p > 0 are suppressed by high absorption in the sphere due to the large imaginary value of "
        "the refractive index";
    const std::string kAboveOne = "Refractive index must be greater than 1 for this calculation method";
    const std::string iapwsAxis =
        "IAPWS values are valid only for the 150 - 2000 nm band.  Use Segelstein's data "
        "(Menu: Advanced -> Refractive index -> Sphere -> Water)";
    struct Case {
        Set run, window;
        std::function<void(DataFile&)> change;
        Line line;
        std::string prompt;
    };
    const Case cases[] = {
        {[](Form1& f) { f.mnuRI_Cowley_Click(); },
         {},
         [](DataFile& d) { d.inputs[1] = "0.3"; },
         lambda,
         "Cowley's values for refractive index of water are valid only for the 0.38 - 0.7 um band"},
        {[ten](Form1& f) { ten(f), f.mnuSpectrumLee_Click(); },
         {},
         [](DataFile& d) { d.bandMin = "300"; },
         item([](DataFile& d) -> std::string& { return d.bandMin; }),
         "Lee's spectrum of sunlight is valid only for 380 nm to 700 nm band"},
        {wavelengths,
         {},
         [](DataFile& d) { d.inputs[5] = "100", d.inputs[6] = "300"; },
         item([](DataFile& d) -> std::string& { return d.inputs[5]; }),
         iapwsAxis},
        {map, {}, [](DataFile& d) { d.sweepStart = 100; }, text(" 100 "), iapwsAxis},
        {[](Form1& f) { f.cboType.setText("Rayleigh"), f.txtRadius.setText("0.01"); },
         {},
         [](DataFile& d) { d.inputs[4] = "0.1"; },
         imag,
         kComplexIndexNotValid},
        {debye, {}, [](DataFile& d) { d.inputs[4] = "2"; }, imag, suppressed},
        // The Debye series at the largest size parameter its run reached: in its medium, at a sweep's last step,
        // a Lee diagram's last row, a distribution's largest sample.
        {debyeAt("0.3", inWater), {}, [](DataFile& d) { d.inputs[4] = "0.4"; }, imag, suppressed},
        {debyeAt("0.3", radiusTo20), {}, [](DataFile& d) { d.inputs[4] = "0.6"; }, imag, suppressed},
        {debyeAt("0.4", leeOne), {}, [](DataFile& d) { d.sweepEnd = 30; }, imag, suppressed},
        {debyeAt("0.4", distribution), {}, [](DataFile& d) { (*d.disperse)[1] = "30"; }, imag, suppressed},
        {airy, {}, [](DataFile& d) { d.inputs[3] = "2.5"; }, real, "Airy theory is valid only for 1 < m < p"},
        // A real-index map's fixed imaginary part as its run read it, from the Inputs line: its rows take it in
        // place of the boxes' (each row of a map over the imaginary index is complex, refused before a save).
        {[airy](Form1& f) {
             airy(f), f.cboGraph.setText("Map: angle v. refractive index"), f.txtAngle.setText("2");
         },
         {},
         [](DataFile& d) { d.runInputs[1].second = "0.01"; },
         text("Inputs: "),
         kComplexIndexNotValid},
        // The ray methods' m above 1 at each index the run took: gold's wavelengths, a map's rows, Lee rows'.
        {rays("Descartes", ten), {}, gold, real, kAboveOne},
        {rays("Young mod", map), {}, gold, real, kAboveOne},
        {rays("Young", indexMap), {}, [](DataFile& d) { d.sweepStart = 0.9f; }, text(" .9 "), kAboveOne},
        {leeLow, dip, [](DataFile& d) { d.sweepEnd = 21; }, real, kAboveOne},
        {[](Form1& f) { f.cboType.setText("Surface wave"), f.cboRays.setText("2"); },
         {},
         [](DataFile& d) { d.surfaceWaves = SurfaceWaveItems{.termsMin = "12", .termsMax = "11"}; },
         text("Surface waves: "),
         "Kmin > Kmax"},
        {[](Form1& f) { f.cboYmin.setText("1"), f.cboYmax.setText("10"); },
         {},
         [](DataFile& d) { d.yMin = 10; },
         text(" 10 ", 1),
         "Minimum amplitude = Maximum amplitude"},
        {[](Form1& f) { f.cboWave.setText("RGB"); }, [](Form1& f) { f.mnuPolarPlot.setChecked(true); },
         [](DataFile&) {}, waves,
         "Polar plots are available only when scattering angles\rcover entire range from 0 to 180 degrees"},
        {[](Form1& f) { f.cboWave.setText("3"); }, [](Form1& f) { f.mnuInterpolate.setChecked(true); },
         [](DataFile&) {}, waves,
         "Cubic interpolation is implemented only for 1 wavelength or for more than 7 wavelengths"},
        // A file before the index boxes takes its index from its models: here none, two wavelengths alike.
        {[](Form1&) {},
         {},
         [](DataFile& d) {
             d.version = 202, d.sphere.word = "User1";
             d.user1 = UserPointsItems{"", {0.5f, 0.5f, 0.6f, 0.7f}, {1.33f, 1.33f, 1.33f, 1.33f}};
         },
         lambda,
         "All x values must be different"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        TextFileReader reader = TextFileReader::FromBytes(savedRun(c.run));
        DataFile d = DecodeDataFile(reader).file.value();
        c.change(d);
        const std::string bytes = EncodeDataFileBytes(d).value();
        EXPECT_EQ(refused(bytes, c.window), NotValid(c.line(d, bytes), c.prompt));
    }
}

// A typed y maximum of 0, which only the linear scale draws, reads back on the linear scale of a fresh window
// (whose scale is logarithmic) without a message, and saves the same file again.
TEST_F(DataFileRefusalTest, AYMaximumOfZeroReadsBackOnTheLinearScale) {
    const std::string bytes = savedRun(
        [](Form1& f) { f.optLinear.setValue(true), f.cboYmin.setText("Automatic"), f.cboYmax.setText("0"); });
    ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    ASSERT_GT(LineOf(bytes, "Automatic\r\n 0 "), 0);
    Form1& b = started();
    ASSERT_TRUE(b.optLog.value());
    messages.clear();
    read(b, bytes);
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_TRUE(b.optLinear.value());
    EXPECT_EQ(save(b, "again"), bytes);
}

// A Lee diagram with a distribution stopped in its third step (two rows finished) reads back without a message, and saves the same
// file again: the distribution's width judges the sweep a run makes, not the rows a file stores.
TEST_F(DataFileRefusalTest, AStoppedLeeDiagramWithADistributionReadsBack) {
    Form1& a = started();
    a.cboGraph.setText("Lee diagram"), a.cboWave.setText("1"), a.txtRadius.setText("1");
    a.txtRmax.setText("100"), a.txtRstep.setText("30");
    a.optDisp.setValue(true), a.cboDistrib.setText("Log-normal"), a.cboSD.setText("30");
    runtime.setPumpHook([&a] {
        if (a.sweepState.loopStep == 2 && a.codes.runState != 4 && a.cmdStop.visible()) a.cmdStop.click();
    });
    a.cmdNewPlot.click();
    runtime.setPumpHook({});
    const std::string bytes = save(a, "lee");
    ASSERT_GT(LineOf(bytes, "Stopped after 2 of 31 points"), 0);
    Form1& b = started();
    messages.clear();
    read(b, bytes);
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(save(b, "again"), bytes);
}

// A beam the beam dialog would refuse (a value beyond the Single range, a half-width not above 0).
TEST_F(DataFileRefusalTest, BeamsTheDialogWouldRefuseAreRefused) {
    const std::string run = savedRun([](Form1& f) { f.mnuGaussian_Click(); });
    const std::string beam = LineAt(run, LineOf(run, "Illumination: Gaussian beam") + 1);
    const std::pair<std::string, std::string> cases[] = {
        {"Beam: 2 0 0 1e300 0", "Beam half-width w0 lies beyond the single-precision range"},
        {"Beam: 1e39 0 0 20 0", "Beam centre xf lies beyond the single-precision range"},
        {"Beam: -40 0 0 0 0", "Beam half-width w0 = 0 is not a finite number above 0"},
        {"Beam: -40 0 0 -5 0", "Beam half-width w0 = -5 is not a finite number above 0"},
    };
    for (const auto& [line, why] : cases) {
        const std::string bytes = Replaced(run, beam + " \r\n", line + "\r\n");
        const std::string what = "\"" + line + "\" holds a beam the beam dialog refuses: " + why;
        EXPECT_EQ(refused(bytes), NotValid(LineOf(bytes, line), what));
    }
}

// The beam as typed reads back as the very Singles (and azimuth, a Double) the run used, and a New plot of
// the reopened window computes the run again; a line of seven digits, as older files hold, reads as before.
TEST_F(DataFileRefusalTest, TheBeamReadsBackAsTyped) {
    Form1& a = started();
    a.cboStep.setText("1"), a.dlogGaussianBeam_->txtBeamWo.setText("12.345678");
    a.dlogGaussianBeam_->txtPhi.setText("33.3333333333333333");
    a.mnuGaussian_Click();
    a.cmdNewPlot.click();
    const std::vector<double> curve = a.results.intensityPerp;
    const std::string bytes = save(a, "beam");
    EXPECT_GT(LineOf(bytes, "Beam: -40  0  0  12.345678  33.333333333333336 "), 0);
    Form1& b = started();
    read(b, bytes);
    EXPECT_EQ(b.dlogGaussianBeam_->txtBeamWo.text(), "12.345678");
    b.cmdNewPlot.click();
    EXPECT_EQ(b.results.intensityPerp, curve);
    read(b, Replaced(bytes, "  12.345678  33.333333333333336 \r\n", "  12.34568  33.3333333333333 \r\n"));
    EXPECT_EQ(b.dlogGaussianBeam_->txtBeamWo.text(), "12.34568");
    EXPECT_EQ(b.dlogGaussianBeam_->txtPhi.text(), "33.3333333333333");
}

// Line n of the file replaced by `text`.
std::string WithLine(const std::string& bytes, int n, const std::string& text) {
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) start = bytes.find('\n', start) + 1;
    return bytes.substr(0, start) + text + bytes.substr(bytes.find("\r\n", start));
}

// A number written with a decimal comma would read as two items and move every later item to another line: it
// is refused naming its line (a box, the water temperature, the y scale, the index range, a row of results
// whose comma makes up its count). So is a water density the water dialog's OK refuses, the sphere's or the
// medium's, with the dialog's message.
TEST_F(DataFileRefusalTest, ADecimalCommaOrADensityTheDialogRefusesIsRefusedOnItsLine) {
    const std::string run = savedRun([](Form1&) {});
    const std::string medium = savedRun([](Form1& f) { f.mnuRI_Air1_Click(), f.mnuRI_IAPWS2_Click(); });
    const std::string comma =
        "\" holds a comma, which ends an item: a data file's numbers take a decimal point";
    const std::string density = "\": " + std::string(*CheckWaterDensity(2));
    const std::tuple<const std::string*, int, std::string, std::string> cases[] = {
        {&run, 15, "0,65", comma},     {&run, 16, "10,5", comma},     {&run, 10, "5,5", comma},
        {&run, 27, "0,8", comma},      {&run, 29, "1,181", comma},    {&run, 31, "1  2,5", comma},
        {&run, 11, "999.97", density}, {&run, 11, "0", density},      {&run, 11, "-0.5", density},
        {&run, 11, "1.07", density},   {&medium, 13, "1.07", density}};
    for (const auto& [file, line, text, why] : cases)
        EXPECT_EQ(refused(WithLine(*file, line, text)),
                  NotValid(line, (why == comma ? "\"" : "the water density \"") + text + why));
}

}  // namespace
}  // namespace tessary
