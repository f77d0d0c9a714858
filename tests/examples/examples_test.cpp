// The files of examples/ as a user takes them: each is read through its menu command and the file
// dialog without a message, a New plot then computes with it, and the example batch runs to its
// report with every run computed.
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

// The report's blocks: graph type (" not computed" added where it says so) and rows after the angle heading.
std::vector<std::pair<std::string, int>> Blocks(const std::string& report) {
    std::vector<std::pair<std::string, int>> blocks;
    std::istringstream in(report);
    bool inRows = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "Tessary v3.2.02") {  // a block's first line
            blocks.emplace_back();
            inRows = false;
        } else if (blocks.empty()) {
            continue;
        } else if (line.rfind("Graph type: ", 0) == 0) {
            blocks.back().first = line.substr(line.find_first_not_of(" \t", 12)) + blocks.back().first;
        } else if (line.rfind("theta", 0) == 0) {
            inRows = true;
        } else if (line.rfind("Not computed: ", 0) == 0 || line.rfind("Stopped: ", 0) == 0) {
            blocks.back().first += " not computed";
        } else if (inRows) {
            ++blocks.back().second;
        }
    }
    return blocks;
}

// What reading an example leaves in the window, and the graph a New plot then computes with it
// (nullptr: the batch, whose report is checked).
struct ExampleKind {
    Menu Form1::*command;
    void (*check)(const Form1&);
    const char* graph;
};

class ExamplesTest : public test::Form1Test {};

TEST_F(ExamplesTest, EveryExampleIsReadWithoutAMessageAndTheBatchRunsToItsReport) {
    const std::map<std::string, ExampleKind> kinds = {
        {".spe",
         {&Form1::mnuSpectrumFile,
          [](const Form1& f) {
              EXPECT_EQ(f.light.spectrumFileLoaded, 1);
              EXPECT_TRUE(f.mnuSpectrumFile.checked());
              EXPECT_EQ(f.fileState.specFileCount, 41);  // 380 to 780 nm by 10
          },
          "Lee diagram"}},
        {".rix",
         {&Form1::mnuRI_File1,
          [](const Form1& f) {
              EXPECT_TRUE(f.mnuRI_File1.checked());
              EXPECT_EQ(f.lblSphere.caption(), "Sphere: Crown glass");
              EXPECT_EQ(f.indexState.indexModels.fileIndices1.size(), 15u);
          },
          "Intensity v. scattering angle"}},
        {".dis",
         {&Form1::mnuSizeDist,
          [](const Form1& f) {
              EXPECT_EQ(f.dist.sizeHistogram.histLoaded, 1);
              EXPECT_EQ(f.cboDistrib.text(), "Special");
              EXPECT_EQ(f.dist.sizeHistogram.sizeFileCount, 15);
              EXPECT_TRUE(f.optDisp.value());
          },
          "Intensity v. scattering angle"}},
        {".min",
         {&Form1::mnuBatchFile, [](const Form1& f) { EXPECT_FALSE(f.mnuBatchFile.checked()); }, nullptr}},
    };
    std::map<std::string, int> read;
    for (const fs::directory_entry& e : fs::directory_iterator(TESSARY_EXAMPLES_DIR)) {
        const std::string ext = e.path().extension().string();
        SCOPED_TRACE(e.path().filename().string());
        const auto kind = kinds.find(ext);
        if (kind == kinds.end()) {
            ADD_FAILURE() << "no command reads this example";
            continue;
        }
        const test::TestFolder out("tessary_examples_");
        Form1& f = started();
        messages.clear();
        fileDialogs.answer(e.path().string());
        if (kind->second.graph == nullptr) fileDialogs.answer(out.at("report.mut"));  // the batch's report
        (f.*kind->second.command).trigger();
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        kind->second.check(f);
        ++read[ext];
        if (kind->second.graph == nullptr) {
            // A rainbow (130 to 150 degrees by 0.1), a corona (0 to 10 by 0.05) and a Lee diagram (no rows).
            const std::vector<std::pair<std::string, int>> expected = {{"Intensity v. scattering angle", 201},
                                                                       {"Intensity v. scattering angle", 201},
                                                                       {"Lee diagram", 0}};
            EXPECT_EQ(Blocks(test::ReadAll(out.at("report.mut"))), expected);
            continue;
        }
        f.cboGraph.setText(kind->second.graph);
        f.cmdNewPlot.click();
        EXPECT_EQ(f.newPlotEnd, NewPlotEnd::Computed);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    }
    for (const auto& [ext, kind] : kinds) EXPECT_GE(read[ext], 1) << "no example " << ext;
}

}  // namespace
}  // namespace tessary
