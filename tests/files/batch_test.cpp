// Batch and input files on the main window: a two-run batch end to end with its report bytes, stepped
// runs, keywords, refusals and the end of a batch; index and spectrum files taken over or refused.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "file_bytes.h"
#include "colour/lee_diagram.h"
#include "files/batch_file.h"
#include "graphs/graph_codes.h"
#include "platform/text/conversions.h"
#include "scattering/mie.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class BatchTest : public test::Form1Test {
  protected:
    std::string at(const std::string& name) const { return folder.at(name); }

    // Writes the batch file (items one a line), answers both dialogs and clicks the command.
    Form1& runBatch(const std::vector<std::string>& items, const std::string& name = "b.min",
                    const std::string& waves = "1", Menu Form1::*sizeEntry = &Form1::mnuRadius) {
        Form1& f = started();
        test::Type(f.cboWave, waves);
        test::Choose(f.*sizeEntry);
        f.fileState.exportClock = [] { return LocalDateTime{2026, 12, 7, 10, 11, 12, 0}; };
        std::ofstream out(at(name), std::ios::binary);
        for (const std::string& item : items) out << item << "\r\n";
        out.close();
        fileDialogs.answer(at(name));
        fileDialogs.answer(at("out.mut"));
        f.mnuBatchFile.trigger();
        return f;
    }
    std::string report() const { return ReadAll(at("out.mut")); }

    test::TestFolder folder{"tessary_batch_"};
};

const std::vector<std::string> kTwo = {"Tessary 3403 batch file",
                                       "Mie",
                                       "Intensity v. scattering angle",
                                       "wavelength,0.65",
                                       "radius,10",
                                       "xmin,0",
                                       "xmax,180",
                                       "xstep,1",
                                       "run",
                                       "radius,12.5",
                                       "run",
                                       "stop"};

TEST_F(BatchTest, TwoRunsEndToEnd) {
    Form1& f = runBatch(kTwo, "two.min");
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(f.mnuBatchFile.checked());
    EXPECT_EQ(f.txtRadius.text(), "12.5");
    const std::string text = report();
    EXPECT_EQ(text, ReadAll(std::string(TESSARY_GOLDEN_DIR) + "/two.mut"));
    EXPECT_EQ(Count(text, "Tessary v3.2.02\r\n"), 2);
    EXPECT_EQ(text.find("Tessary v3.2.02", 1), text.find("\r\nTessary v3.2.02") + 2);  // back to back
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_NE(text.substr(text.size() - 4), "\r\n\r\n");

    // The second block's rows against the kernel at 0, 90 and 180 degrees, to the printed digits.
    MieInput in;
    in.x = f.calc.sizeParam;
    in.m = Complex{test::Shown(f.txtRefractReal), test::Shown(f.txtRefractImag)};
    in.NANG = 91;
    in.first = 1;
    in.last = 181;
    MieResult r;
    MieSeries(in, r);
    for (const auto* amplitudes : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) ASSERT_EQ(amplitudes->size(), 182u);
    const std::string second = text.substr(text.rfind("Tessary v3.2.02"));
    for (int j : {1, 91, 181}) {
        const auto J = static_cast<std::size_t>(j);
        const double perp = r.S1re[J] * r.S1re[J] + r.S1im[J] * r.S1im[J];
        const double para = r.S2re[J] * r.S2re[J] + r.S2im[J] * r.S2im[J];
        const std::string row = PrintText(double(j - 1)) + "\t" + PrintText(perp) + "\t" + PrintText(para) +
                                "\t" + PrintText((perp + para) / 2) + "\r\n";
        EXPECT_NE(second.find("\r\n" + row), std::string::npos) << row;
    }
}

// A batch of several wavelengths reports the size parameter at the wavelength its report names (0.65 um).
TEST_F(BatchTest, SeveralWavelengthsReportTheSizeParameterAtTheWavelengthNamed) {
    for (const char* waves : {"RGB", "Low"}) {
        runBatch(kTwo, "two.min", waves);
        EXPECT_NE(report().find("0.65\t um\r\n\r\nRadius: \t 10 \t um\tSize parameter: \t 96.6644 \r\n"),
                  std::string::npos)
            << waves;
    }
}

struct StepCase {
    std::vector<std::string> items;
    int blocks;
    const char* box;  // the stepped box; its text after the batch (tidied by New plot)
    std::vector<std::string> texts;
};

TEST_F(BatchTest, SteppedRuns) {
    const std::string head = "Tessary 3403 batch file\r\nxmin,0\r\nxmax,180\r\nxstep,2";
    const StepCase cases[] = {
        {{head, "step,radius,5,10,1", "run", "radius,3", "run"}, 6, "radius", {"10"}},
        {{head, "step,RIreal,1.33,1.34,0.005", "run"}, 3, "RIreal", {"1.34"}},
        {{head, "step,wavelength,0.4,0.7,0.1", "run"}, 4, "wavelength", {".7"}},
        {{head, "step,RIreal,1.33,1.34,0.001", "run"}, 11, "RIreal", {"1.340001"}},
    };
    for (const StepCase& c : cases) {
        Form1& f = runBatch(c.items);
        EXPECT_EQ(Count(report(), "Tessary v3.2.02"), c.blocks) << c.items[1];
        const std::string box = std::string(c.box);
        const std::string shown = box == "radius"   ? f.txtRadius.text()
                                  : box == "RIreal" ? f.txtRefractReal.text()
                                                    : f.txtLambda.text();
        EXPECT_EQ(shown, c.texts[0]) << c.items[1];
        EXPECT_TRUE(messages.shown().empty()) << c.items[1];
    }
}

// Stepped radii are radii in any size entry chosen before: the radius entry's report, the window left in it.
TEST_F(BatchTest, SteppedRadiiAreRadiiInEverySizeEntry) {
    const std::vector<std::string> items = {"Tessary 3403 batch file", "xstep,2", "step,radius,10,12,1",
                                            "run"};
    const std::string radii = (runBatch(items), report());
    EXPECT_NE(radii.find("Radius: \t 11 \t um"), std::string::npos);
    for (Menu Form1::*entry : {&Form1::mnuDiameter, &Form1::mnuRadiusX}) {
        EXPECT_TRUE(runBatch(items, "b.min", "1", entry).mnuRadius.checked());
        EXPECT_EQ(report(), radii);
    }
}

TEST_F(BatchTest, RIrealStepsShowEachValue) {
    Form1& f = started();
    std::vector<std::string> seen;
    // The batch writes each value with its leading blank; New plot then tidies the box.
    f.txtRefractReal.onChange = [&] {
        if (f.txtRefractReal.text().starts_with(' ')) seen.push_back(f.txtRefractReal.text());
    };
    std::ofstream(at("s.min"), std::ios::binary)
        << "Tessary 3403 batch file\r\nxstep,2\r\nstep,RIreal,1.33,1.34,0.005\r\nrun\r\n";
    fileDialogs.answer(at("s.min"));
    fileDialogs.answer(at("out.mut"));
    f.mnuBatchFile.trigger();
    EXPECT_EQ(seen, (std::vector<std::string>{" 1.33", " 1.335", " 1.34"}));
}

struct RefusalCase {
    std::vector<std::string> items;
    const char* prompt;  // "" for none
    int blocks;
};

TEST_F(BatchTest, KeywordsAndRefusals) {
    const std::string head = "Tessary 3403 batch file\r\nxstep,2";
    const RefusalCase cases[] = {
        {{head, "Decsartes", "run"}, "", 1},
        {{head, "run", "Descartes", "run"},
         "Descartes is not a valid parameter (line 4: no such keyword)",
         1},
        {{head, "radius,abc", "run"}, "radius has no value (line 3: \"abc\" is not a number)", 0},
        {{head, "run", "run"}, "", 2},  // no "stop"
        {{head, "step,radius,5,10,0", "run"},
         "step radius has a step of 0 (line 3: the runs would never end)",
         0},
        {{head, "step,radius,1000,1001,0.00001", "run"},
         "step radius makes 100001 runs (line 3: at most 10000 stepped runs)",
         0},
        {{head, std::string(100, 'x') + "\x01"}, "", 0},
        {{head, "run", "step,xmin,0,20,10", "run"},
         "step xmin is not a valid parameter (line 4: only RIreal, RIimag, wavelength and radius can be stepped)",
         1},
        {{head, "step,Radius,1,3,1", "run"},
         "step Radius is not a valid parameter (line 3: only RIreal, RIimag, wavelength and radius can be stepped)",
         0},
        {{head, "step,radius,1,3,1", "step,wavelength,0.5,0.6,0.1", "run"},
         "step wavelength follows a step without its run (line 4: a step line must be followed by run before the "
         "next step)",
         0},
        {{head, "run", "step,radius,1,3,1"},
         "step radius has no run (line 4: a step line must be followed by run)",
         1},
        {{head, "run", "step,radius,1,3,1", "stop", "run"},
         "step radius has no run (line 4: a step line must be followed by run)",
         1},
    };
    for (const RefusalCase& c : cases) {
        Form1& f = runBatch(c.items, "bad.min");
        const std::string prompt = c.prompt;
        if (c.items[1] == "Decsartes") {
            EXPECT_EQ(f.cboType.text(), "Descartes");
        }
        if (c.items[1].size() > 60) {
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_EQ(messages.last().prompt,
                      std::string(60, 'x') + " is not a valid parameter (line 3: no such keyword)");
        } else if (prompt.empty()) {
            EXPECT_TRUE(messages.shown().empty()) << c.items[1];
        } else {
            ASSERT_EQ(messages.shown().size(), 1u) << c.items[1];
            EXPECT_EQ(messages.last().prompt, prompt);
            EXPECT_EQ(messages.last().title, "Error in batch file: bad.min");
        }
        EXPECT_EQ(Count(report(), "Tessary v3.2.02"), c.blocks) << c.items[1];
        EXPECT_FALSE(f.mnuBatchFile.checked());
        messages.clear();
    }
}

// The parsed file's message for each kind of nonsense (after the header line); "" where the file is taken.
TEST(BatchParseTest, RefusalsNameTheItemTheLineAndTheReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"wavelength,1e400\r\nrun\r\n", "wavelength has no value (line 2: 1e400 is out of range)"},
        {"xmin\r\n\r\nrun\r\n", "xmin has no value (line 3: a number is missing)"},
        {"run\r\nRIreal", "RIreal has no value (line 3: the file ends before its value)"},
        {"step\r\n", "step has no parameter (line 3: the file ends before the stepped parameter)"},
        {"step,radius,1,x,1\r\nrun\r\n", "step radius has no end (line 2: \"x\" is not a number)"},
        {"step,radius,1,2\r\n", "step radius has no step (line 3: the file ends before its step)"},
        {"step,radius\r\n5\r\n10\r\n0\r\nrun\r\n",
         "step radius has a step of 0 (line 5: the runs would never end)"},
        {"step,radius,10,5,1\r\nrun\r\n", "step radius makes no run (line 2: from 10 to 5 by 1)"},
        {"xstep,1\r\nstep,radius,1,10001,1\r\nrun\r\n",
         "step radius makes 10001 runs (line 3: at most 10000 stepped runs)"},
        {"step,radius,1,10000,1\r\nrun\r\n", ""},
        {"step,RIreal,1.34,1.33,-0.005\r\nrun\r\n", ""},
        {"Mie\r\nmie\r\n", "mie is not a valid parameter (line 3: no such keyword)"},
        // A decimal comma; a keyword after a value on its line stays an item of its own.
        {"wavelength,0,65\r\nrun\r\n",
         "wavelength has more than one value (line 2: \"wavelength,0,65\": a comma ends a number, numbers take "
         "a decimal point)"},
        {"step,RIreal,1,33,1.34,0.005\r\nrun\r\n",
         "step RIreal has more than a start, end and step (line 2: \"step,RIreal,1,33,1.34,0.005\": a comma ends "
         "a number, numbers take a decimal point)"},
        {"radius,10,run\r\nstep,radius,1,2,1\r\nrun\r\n", ""},
    };
    for (const auto& [body, message] : cases) {
        TextFileReader reader =
            TextFileReader::FromBytes(std::string("Tessary 3403 batch file\r\n") + body, "b.min");
        const BatchProgram p = ParseBatch(reader);
        ASSERT_FALSE(p.commands.empty()) << body;
        EXPECT_EQ(p.commands.back().action, *message ? BatchAction::Invalid : BatchAction::SteppedRun)
            << body;
        EXPECT_EQ(*message ? p.commands.back().text : "", message);
    }
}

TEST_F(BatchTest, WrongHeaderMakesNoReport) {
    Form1& f = runBatch({"Tessary 3404 batch file", "run"}, "bad.min");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "The selected file is not a valid Tessary batch file");
    EXPECT_EQ(messages.last().title, "Error in batch file: bad.min");
    EXPECT_FALSE(fs::exists(at("out.mut")));
    EXPECT_FALSE(f.mnuBatchFile.checked());
}

// The blocks of a report, each as its lines after the "Graph type: " line and the empty line after it.
std::vector<std::vector<std::string>> Bodies(const std::string& text) {
    std::vector<std::vector<std::string>> bodies;
    std::istringstream in(text);
    bool inBody = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "Tessary v3.2.02") {
            bodies.emplace_back();
            inBody = false;
        }
        if (inBody) bodies.back().push_back(line);
        if (line.starts_with("Graph type: ")) {
            std::getline(in, line);  // the empty line
            inBody = true;
        }
    }
    return bodies;
}

// One run of a batch file: the items that set it up and run it, and its block.
struct BlockCase {
    std::vector<std::string> items;
    std::size_t rows;      // rows after the two heading lines (0: no headings either)
    std::string lastLine;  // the line after the rows; "" for a run computed in full
};

TEST_F(BatchTest, RefusedDeclinedAndStoppedRunsWriteOnlyWhatTheyComputed) {
    const std::string no = "Not computed: ";
    const BlockCase cases[] = {
        {{"run"}, 0, no + "Sun requires angular resolution < 0.25 degrees"},  // the Sun left from earlier
        {{"run"}, 7, ""},          // the check switched to a point source
        {{"wavelength,0", "run"},  // the box refuses 0
         0,
         no + "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band"},
        {{"wavelength,0.5", "radius,-5", "run"}, 0, no + "The red highlighted data entry is incorrect."},
        {{"radius,2000", "xstep,0.01", "run"},  // expected to take seconds: computed unasked
         18001,
         ""},
        {{"Airy", "Intensity v. refractive index", "radius,10", "xmin,1.2", "xmax,2.4", "xstep,0.2", "run"},
         0,  // the sweep would reach m = 2 at its fifth step: refused before the first; the batch goes on
         no + "Airy theory is valid only for 1 < m < p"},
        {{"xmax,1.8", "run"}, 4, ""},  // the same steps, all computed
        {{"Mie", "Intensity v. radius", "xmin,1", "xmax,10", "xstep,1", "run"},
         0,  // Stop answered Yes in the first step: the batch ends after this run
         no + "the calculation was stopped"},
    };
    std::vector<std::string> items = {
        "Tessary 3403 batch file\r\nMie\r\nIntensity v. scattering angle\r\nwavelength,0.5\r\nradius,1\r\n"
        "xmin,0\r\nxmax,180\r\nxstep,30"};
    for (const BlockCase& c : cases) items.insert(items.end(), c.items.begin(), c.items.end());
    items.insert(items.end(), {"run", "stop"});
    bool stopPressed = false;
    runtime.setPumpHook([&] {
        if (form && form->codes.graphCode == kGraphRadius && form->cmdStop.enabled() && !stopPressed) {
            stopPressed = true;
            form->cmdStop.click();  // answered with the box's first button, Yes
        }
    });
    Form1& f = started();
    f.cboRays.setText("2");  // Airy's rainbow order, left from an earlier graph
    f.optSun.setValue(true);
    std::ofstream out(at("b.min"), std::ios::binary);
    for (const std::string& item : items) out << item << "\r\n";
    out.close();
    fileDialogs.answer(at("b.min"));
    fileDialogs.answer(at("out.mut"));
    f.mnuBatchFile.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);  // only the question waited for an answer
    EXPECT_EQ(messages.shown()[0].prompt, "Do you want to stop the calculation?");

    const std::vector<std::vector<std::string>> bodies = Bodies(report());
    ASSERT_EQ(bodies.size(), std::size(cases));
    for (std::size_t b = 0; b < std::size(cases); ++b) {
        const BlockCase& c = cases[b];
        ASSERT_EQ(bodies[b].size(), (c.rows == 0 ? 0 : 2) + c.rows + !c.lastLine.empty()) << b;
        EXPECT_EQ(c.lastLine.empty() ? "" : bodies[b].back(), c.lastLine) << b;
    }
    EXPECT_EQ(bodies[1][2].substr(0, 3), " 0 ");  // the good run's rows from 0 degrees
}

// A block says what the window run would have: Rayleigh at radius 5 warns, on a line of its own before
// the rows; a ray method names the order it computed, p = 0 from the list left empty at start-up; a
// sweep's x column gives the x of each row (1.33333, not 1.3333).
TEST_F(BatchTest, BlocksSayTheWarningTheRayOrderAndTheXOfEachRow) {
    runBatch({"Tessary 3403 batch file", "Rayleigh", "Intensity v. scattering angle", "wavelength,0.65",
              "radius,5", "xmin,0", "xmax,180", "xstep,30", "run", "Young", "run", "Mie",
              "Intensity v. refractive index", "xmin,1.33333", "xmax,1.34333", "xstep,0.01", "run", "stop"});
    const std::string text = report();
    const std::vector<std::vector<std::string>> bodies = Bodies(text);
    ASSERT_EQ(bodies.size(), 3u);
    ASSERT_GE(bodies[0].size(), 3u);
    EXPECT_EQ(bodies[0][0], "Warning: Rayleigh approximation is valid only when r << wavelength");
    EXPECT_EQ(bodies[0][1], "");
    EXPECT_EQ(bodies[0][2], "Angle\tPerpendicular\tParallel\tUnpolarised");
    EXPECT_EQ(Count(text, "Warning: "), 1);
    EXPECT_NE(text.find("\r\nCalculation Method:         Young (p = 0)\r\n"), std::string::npos);
    ASSERT_EQ(bodies[2].size(), 4u);
    EXPECT_EQ(bodies[2][2].substr(0, 10), " 1.33333 \t");
    EXPECT_EQ(bodies[2][3].substr(0, 10), " 1.34333 \t");
}

// 2000 wavelengths and 50 distribution radii left in the window make the run long (hours on any
// number of threads): the question, answered No, ends the block.
TEST_F(BatchTest, DeclinedLongRunWritesTheQuestionAndAnswer) {
    Form1& f = started();
    f.cboWave.setText("2000");
    f.optDisp.setValue(true);
    f.cboN.setText("50");
    messages.clear();
    std::ofstream(at("l.min"), std::ios::binary)
        << "Tessary 3403 batch file\r\nradius,2000\r\nxstep,0.01\r\nrun\r\n";
    fileDialogs.answer(at("l.min"));
    fileDialogs.answer(at("out.mut"));
    messages.answer(mb::kNo);
    f.mnuBatchFile.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Long calculation !");
    const std::string question = messages.shown()[0].prompt;  // "Expected duration is about H hours ..."
    EXPECT_EQ(question.substr(0, 27), "Expected duration is about ");
    const std::vector<std::string> declined = {"Not computed: " + question.substr(0, question.find('\r')) +
                                               " Do you want to continue ? No"};
    EXPECT_EQ(Bodies(report()), std::vector<std::vector<std::string>>{declined});
}

// N = 7 left from an earlier graph refuses each step of a stepped run, unasked, and the batch goes on.
TEST_F(BatchTest, AnUnattendedBatchReportsEachRefusalAndGoesOn) {
    Form1& f = started();
    f.optDisp.setValue(true);
    f.cboN.setText("7");
    messages.clear();
    std::ofstream(at("u.min"), std::ios::binary) << "Tessary 3403 batch file\r\nstep,radius,1,3,1\r\nrun\r\n";
    fileDialogs.answer(at("u.min"));
    fileDialogs.answer(at("out.mut"));
    f.mnuBatchFile.trigger();
    EXPECT_TRUE(messages.shown().empty());
    const std::vector<std::string> refused = {"Not computed: Incorrect value of N"};
    EXPECT_EQ(Bodies(report()), std::vector<std::vector<std::string>>(3, refused));
}

// A block cut by a write error (past the file size limit) is removed; the blocks before it stay.
TEST_F(BatchTest, ABlockCutByAWriteErrorIsRemoved) {
    const std::vector<std::string> items = {"Tessary 3403 batch file", "xstep,1", "run", "run", "stop"};
    runBatch(items);
    const std::string full = report();
    const std::size_t second = full.find("Tessary v3.2.02", 1);
    ASSERT_NE(second, std::string::npos);
    rlimit held{};
    getrlimit(RLIMIT_FSIZE, &held);
    const rlimit limit{second + 100, held.rlim_max};
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);  // writes past the limit fail with EFBIG
    setrlimit(RLIMIT_FSIZE, &limit);
    runBatch(items);
    setrlimit(RLIMIT_FSIZE, &held);
    std::signal(SIGXFSZ, signal);
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.last().prompt, "Cannot write the file " + at("out.mut") + ": File too large");
    EXPECT_EQ(messages.last().title, "Error in batch file: b.min");
    EXPECT_EQ(report(), full.substr(0, second));
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const char* kGlass =
    "Tessary 300\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nGlass\r\nnm\r\nComplex\r\n3\r\n"
    "400,1.5,0.001\r\n600,1.49,0.0005\r\n800,1.48,0\r\n";

TEST_F(BatchTest, IndexFilesTakeOverTheSphereAndMedium) {
    Form1& f = started();
    Write(at("g.rix"), kGlass);
    Write(at("bad.rix"), "Tessary 301\r\n");
    fileDialogs.answer(at("g.rix"));
    f.mnuRI_File1.trigger();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.indexState.sphereName, "Glass");
    EXPECT_EQ(f.lblSphere.caption(), "Sphere: Glass");
    EXPECT_TRUE(f.mnuRI_File1.checked());
    EXPECT_EQ(f.txtLambda.backColor(), 16777215);
    EXPECT_EQ(f.fileState.fileWlMin1, CSng(0.4).value);
    EXPECT_EQ(f.fileState.fileWlMax1, CSng(0.8).value);
    const std::optional<double> re = f.refrel(0.5);
    ASSERT_TRUE(re);
    EXPECT_FLOAT_EQ(static_cast<float>(*re), 1.495f);
    EXPECT_FLOAT_EQ(static_cast<float>(f.indexState.relIndexIm), 0.00075f);

    // A refused file: its message, and the table, name and choice stay.
    fileDialogs.answer(at("bad.rix"));
    f.mnuRI_File1.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt,
              "Error in refractive index data file: bad.rix (line 1: the header must be \"Tessary 300\")");
    EXPECT_EQ(f.indexState.sphereName, "Glass");
    EXPECT_EQ(f.indexState.indexModels.fileIndices1.size(), 3u);

    // The medium twin; a refused medium file keeps the medium chosen before.
    const std::string mediumBefore = f.lblRI_Medium.caption();
    fileDialogs.answer(at("bad.rix"));
    f.mnuRI_File2.trigger();
    EXPECT_TRUE(f.mnuRI_Vacuum2.checked());
    EXPECT_EQ(f.lblRI_Medium.caption(), mediumBefore);
    fileDialogs.answer(at("g.rix"));
    f.mnuRI_File2.trigger();
    EXPECT_EQ(f.lblRI_Medium.caption(), "Medium: Glass");
    EXPECT_EQ(f.indexState.indexModels.fileIndices2.size(), 3u);
}

TEST_F(BatchTest, SpectrumFileWeightsTheWavelengths) {
    Form1& f = started();
    Write(at("s.spe"),
          "Tessary\r\nx\r\nnon-uniform\r\nx\r\n400,700,3\r\nx\r\nx\r\n400,1\r\n500,3\r\n700,2\r\n");
    Write(at("bad.spe"), "Tessary\r\nx\r\nnon-uniform\r\nx\r\n400,700,3\r\nx\r\nx\r\n400.1,1\r\n");
    fileDialogs.answer(at("s.spe"));
    f.mnuSpectrumFile.trigger();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(f.mnuSpectrumFile.checked());
    EXPECT_EQ(f.lblSpectrum.caption(), "Spectrum: Data file");
    EXPECT_EQ(f.light.spectrumFileLoaded, 1);
    f.cboWave.setText("5");
    f.lambdaN();
    // The rows lie at the wavelengths they list: 1 at 400 nm, 3 at 500 nm, 2 at 700 nm.
    for (std::size_t k = 1; k <= 5; ++k) {
        const double nm = 1000.0 * f.waveSet.waveList[k];
        const double expected = nm <= 400 ? 1 : nm <= 500 ? 1 + 2 * (nm - 400) / 100 : 3 - (nm - 500) / 200;
        EXPECT_FLOAT_EQ(f.waveSet.weightPerWave[k], static_cast<float>(expected)) << k;
    }
    // A bad file after a good one: the message, and the good table stays loaded.
    fileDialogs.answer(at("bad.spe"));
    f.dlogSpectrumFile_->OKButton.click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(
        messages.last().prompt,
        "Error in spectrum data file: minimum wavelength incorrect (line 8: 400.1 is not the minimum 400)");
    EXPECT_EQ(f.light.spectrumFileLoaded, 1);
    EXPECT_EQ(f.fileState.specFileCount, 3);
    EXPECT_EQ(f.fileState.specFileWave.back(), 700.0);
}

// The colour of the light itself (the colour sums with every intensity 1) under a spectrum file, over the
// 300 wavelengths of "Med.": a non-uniform file's rows lie at the wavelengths they list, so a spectrum
// rising from 0.1 to 1 gives the same colour at 5 nm steps or densely below 480 nm. Colours from
// scripts/spectrum_colour_reference_values.py.
TEST_F(BatchTest, SpectrumFileColoursTheLight) {
    const auto rows = [](const std::vector<int>& nms, auto value) {
        std::string text;
        for (const int nm : nms) text += CStr(nm) + "," + value(nm) + "\r\n";
        return text;
    };
    const auto rising = [](int nm) { return CStr((3200.0 + 90.0 * (nm - 380)) / 32000.0); };
    std::vector<int> fives;
    for (int nm = 380; nm <= 700; nm += 5) fives.push_back(nm);
    const struct {
        const char* name;
        std::string head, rows;
        long colour[3];
    } cases[] = {
        {"u.spe", "uniform\r\nx\r\n380,700,5", rows(fives, rising), {255, 163, 65}},
        {"d.spe",
         "non-uniform\r\nx\r\n380,700,15",
         rows({380, 390, 400, 410, 420, 430, 440, 450, 460, 470, 480, 550, 600, 650, 700}, rising),
         {255, 163, 65}},
        {"b.spe",
         "non-uniform\r\nx\r\n380,700,9",
         rows({380, 400, 420, 440, 460, 480, 500, 600, 700}, [](int nm) { return nm <= 480 ? "1" : "0"; }),
         {87, 59, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = started();
        Write(at(c.name), "Tessary\r\nx\r\n" + c.head + "\r\nx\r\nx\r\n" + c.rows);
        fileDialogs.answer(at(c.name));
        test::Choose(f, "Advanced > Spectrum > Spectrum from file");
        test::Choose(f.cboWave, "Med.");
        test::Press(f.cmdNewPlot);
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        ASSERT_EQ(f.calc.waveCount, 300);
        std::vector<double> sum;
        for (const auto* colour : {&f.waveSet.redPerWave, &f.waveSet.greenPerWave, &f.waveSet.bluePerWave})
            sum.push_back(std::inner_product(colour->begin() + 1, colour->begin() + 301,
                                             f.waveSet.weightPerWave.begin() + 1, 0.0));
        const double peak = *std::max_element(sum.begin(), sum.end());
        for (int i = 0; i < 3; ++i) EXPECT_EQ(std::lround(255 * sum[i] / peak), c.colour[i]) << i;
    }
}

// Nonsense in an input file is refused when the file is read, with its line and reason, and the
// window keeps what it had: the next New plot computes as before.
TEST_F(BatchTest, InputFileNonsenseIsRefusedOnReading) {
    const std::string real =
        "Tessary 300\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nOpal\r\nnm\r\nReal\r\n";
    const std::string rix = real + "2\r\n800,1.48\r\n600,1.49\r\n";
    const std::tuple<const char*, std::string, Menu Form1::*, std::string> cases[] = {
        {"u.rix", rix, &Form1::mnuRI_File1,
         "Error in refractive index data file: u.rix (line 18: wavelengths must increase)"},
        {"m.rix", rix, &Form1::mnuRI_File2,
         "Error in refractive index data file: m.rix (line 18: wavelengths must increase)"},
        {"w.dis",
         "Tessary 300\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl\r\num\r\n"
         "Uniform\r\n3\r\n10,-1\r\n20,2\r\n30,1\r\n",
         &Form1::mnuSizeDist,
         "Error in radius distribution file: w.dis (line 17: weights must not be negative)"},
        {"n.spe", "Tessary\r\nx\r\nnon-uniform\r\nx\r\n400,700,2\r\nx\r\nx\r\n400,-1\r\n700,2\r\n",
         &Form1::mnuSpectrumFile,
         "Error in spectrum data file (line 8: spectral values must not be negative)"},
        {"i.spe",
         "Tessary\r\nx\r\nnon-uniform\r\nx\r\n400,700,4\r\nx\r\nx\r\n400,1\r\n550,2\r\n500,1\r\n700,2\r\n",
         &Form1::mnuSpectrumFile, "Error in spectrum data file (line 10: wavelengths must increase)"},
        {"h.spe",
         "Tessary\r\nx\r\nuniform\r\nx\r\n400,700,150\r\nx\r\nx\r\n400,1E+308\r\n550,1E+308\r\n700,1\r\n",
         &Form1::mnuSpectrumFile,
         "Error in spectrum data file (line 8: spectral values must not be above 1E+30)"},
        {"z.spe", "Tessary\r\nx\r\nuniform\r\nx\r\n400,700,150\r\nx\r\nx\r\n400,0\r\n550,0\r\n700,0\r\n",
         &Form1::mnuSpectrumFile, "Error in spectrum data file (line 10: spectral values must not all be 0)"},
        {"t.spe", "Tessary\r\nx\r\nuniform\r\nx\r\n380,780,200\r\nx\r\nx\r\n380,0\r\n580,1e-50\r\n780,0\r\n",
         &Form1::mnuSpectrumFile, "Error in spectrum data file (line 10: spectral values must not all be 0)"},
        {"s.spe",
         "Tessary\r\nx\r\nuniform\r\nx\r\n380,780,200\r\nx\r\nx\r\n380,1e-300\r\n580,1e-300\r\n780,1e-300\r\n",
         &Form1::mnuSpectrumFile, "Error in spectrum data file (line 10: spectral values must not all be 0)"},
        // A line of more numbers than its row (a decimal comma), text after the rows, a scale too small to keep.
        {"c.rix", real + "1\r\n800,1,5\r\n", &Form1::mnuRI_File1,
         "Error in refractive index data file: c.rix (line 17: \"800,1,5\" holds more than a row's wavelength and "
         "n (a comma ends a number: numbers take a decimal point))"},
        {"e.spe", "Tessary\r\nx\r\nuniform\r\nx\r\n700,700,1\r\nx\r\nx\r\n700,1\r\n710,1\r\n",
         &Form1::mnuSpectrumFile,
         "Error in spectrum data file (line 9: \"710,1\" follows the last row (row 1 of 1))"},
        {"l.spe", "Tessary\r\nx\r\nuniform\r\nx\r\n700,700,1\r\nx\r\nx\r\n700,9.9E-21\r\n",
         &Form1::mnuSpectrumFile,
         "Error in spectrum data file (line 8: the largest spectral value must be at least 1E-20)"},
    };
    for (const auto& [name, bytes, menu, prompt] : cases) {
        SCOPED_TRACE(name);
        Form1& f = started();
        Write(at(name), bytes);
        messages.clear();
        fileDialogs.answer(at(name));
        (f.*menu).trigger();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, prompt);
        EXPECT_TRUE(f.indexState.indexModels.fileIndices1.empty() &&
                    f.indexState.indexModels.fileIndices2.empty());
        EXPECT_EQ(f.indexState.sphereName, " Water");
        EXPECT_TRUE(!f.mnuRI_File1.checked() && f.mnuRI_Vacuum2.checked() && !f.mnuSpectrumFile.checked());
        EXPECT_EQ(f.dist.sizeHistogram.histLoaded + f.light.spectrumFileLoaded, 0);
        EXPECT_EQ(f.cboDistrib.text(), "Normal");
        messages.clear();
        f.cmdNewPlot.click();
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    }
}

// A Lee diagram of a spectrum at the least scale accepted (1E-20), read back, keeps the colours of 1 scaled.
TEST_F(BatchTest, ALeeDiagramAtTheLeastSpectrumScaleKeepsItsColours) {
    std::vector<float> unit;
    for (const std::string v : {"1", "1E-20"}) {
        Form1& f = started();
        Write(at(v + ".spe"),
              "Tessary\r\nx\r\nuniform\r\nx\r\n380,780,400\r\nx\r\nx\r\n380," + v + "\r\n780," + v);
        fileDialogs.answer(at(v + ".spe")), test::Choose(f, "Advanced > Spectrum > Spectrum from file");
        test::Choose(f.cboGraph, "Lee diagram"), test::Choose(f.cboWave, "Low"), test::Press(f.cmdNewPlot);
        fileDialogs.answer(at(v + ".tsy")), f.mnuSave.trigger();
        Form1& g = started();
        fileDialogs.answer(at(v + ".tsy")), g.mnuRead.trigger();
        std::vector<float> read;
        for (const LeeStore* s : {&g.leeStores.leeRed1, &g.leeStores.leeGreen1, &g.leeStores.leeBlue1,
                                  &g.leeStores.leeRed2, &g.leeStores.leeGreen2, &g.leeStores.leeBlue2})
            for (const std::vector<float>& row : *s) read.insert(read.end(), row.begin(), row.end());
        if (unit.empty()) unit = read;
        ASSERT_TRUE(read.size() == unit.size() && read.size() > 1000) << v;
        for (std::size_t i = 0; i < read.size(); ++i)
            ASSERT_NEAR(read[i], Val(v) * unit[i], 2e-6 * Val(v) * unit[i]);
    }
}

TEST_F(BatchTest, SizeDistributionFileGivesTheHistogram) {
    Form1& f = started();
    const std::string skip = "Tessary 301\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl\r\n";
    Write(at("d.dis"), skip + "size\r\num\r\nUniform\r\n3\r\n10,1\r\n20,2\r\n30,1\r\n");
    Write(at("bad.dis"), skip + "radius\r\num\r\nUniform\r\n1\r\n10,1\r\n");
    fileDialogs.answer(at("bad.dis"));
    f.mnuSizeDist.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt,
              "Error in radius distribution file: bad.dis (line 17: a \"Uniform\" file needs at least two "
              "classes)");
    EXPECT_EQ(f.dist.sizeHistogram.histLoaded, 0);
    EXPECT_EQ(f.cboDistrib.text(), "Normal");  // a refused file from the menu leaves the list as it was
    messages.clear();
    fileDialogs.answer(at("d.dis"));
    f.mnuSizeDist.trigger();
    ASSERT_GE(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt,
              "Error in radius distribution file: d.dis\rSpecify radius or diameter in line 14");
    EXPECT_EQ(f.dist.sizeHistogram.histLoaded, 1);
    EXPECT_EQ(f.dist.sizeHistogram.histWeight, (std::vector<float>{0, 0.25f, 0.5f, 0.25f}));
    EXPECT_EQ(f.dist.sizeHistogram.histRadiusMax, 35.0f);
    EXPECT_EQ(f.cboDistrib.text(), "Special");
}

}  // namespace
}  // namespace tessary
