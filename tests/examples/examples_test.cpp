// The files of examples/ as a user takes them: each is read through its menu command and the file
// dialog without a message, a New plot then computes with it, and the example batch runs to its
// report with every run computed.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

// One report block: its graph type and the number of rows after the angle heading.
struct Block {
    std::string graphType;
    int rows = 0;
    bool computed = true;
};

std::vector<Block> Blocks(const std::string& report) {
    std::vector<Block> blocks;
    bool inRows = false;
    for (const std::string& line : Lines(report)) {
        if (line == "Tessary v3.2.02") {
            blocks.emplace_back();
            inRows = false;
        } else if (blocks.empty()) {
            continue;
        } else if (line.rfind("Graph type: ", 0) == 0) {
            blocks.back().graphType = line.substr(line.find_first_not_of(" \t", 12));
        } else if (line.rfind("theta", 0) == 0) {
            inRows = true;
        } else if (line.rfind("Not computed: ", 0) == 0 || line.rfind("Stopped: ", 0) == 0) {
            blocks.back().computed = false;
        } else if (inRows) {
            ++blocks.back().rows;
        }
    }
    return blocks;
}

class ExamplesTest : public test::Form1Test {};

// What reading an example leaves in the window (the batch also names its report file), and the graph
// a New plot then computes with what was read.
struct ExampleKind {
    void (*read)(Form1&, ScriptedFileDialogs&, const test::TestFolder&, const std::string&);
    void (*check)(const Form1&, const test::TestFolder&);
    const char* graph;
};

TEST_F(ExamplesTest, EveryExampleIsReadWithoutAMessageAndTheBatchRunsToItsReport) {
    const std::map<std::string, ExampleKind> kinds = {
        {".spe",
         {[](Form1& f, ScriptedFileDialogs& d, const test::TestFolder&, const std::string& p) {
              d.answer(p);
              f.mnuSpectrumFile.trigger();
          },
          [](const Form1& f, const test::TestFolder&) {
              EXPECT_EQ(f.spectrumFileLoaded, 1);
              EXPECT_TRUE(f.mnuSpectrumFile.checked());
              EXPECT_EQ(f.specFileCount, 41);  // 380 to 780 nm by 10
          },
          "Lee diagram"}},
        {".rix",
         {[](Form1& f, ScriptedFileDialogs& d, const test::TestFolder&, const std::string& p) {
              d.answer(p);
              f.mnuRI_File1.trigger();
          },
          [](const Form1& f, const test::TestFolder&) {
              EXPECT_TRUE(f.mnuRI_File1.checked());
              EXPECT_EQ(f.lblSphere.caption(), "Sphere: Crown glass");
              EXPECT_EQ(f.indexModels.fileIndices1.size(), 15u);
          },
          "Intensity v. scattering angle"}},
        {".dis",
         {[](Form1& f, ScriptedFileDialogs& d, const test::TestFolder&, const std::string& p) {
              d.answer(p);
              f.mnuSizeDist.trigger();
          },
          [](const Form1& f, const test::TestFolder&) {
              EXPECT_EQ(f.sizeHistogram.histLoaded, 1);
              EXPECT_EQ(f.cboDistrib.text(), "Special");
              EXPECT_EQ(f.sizeHistogram.sizeFileCount, 15);
              EXPECT_TRUE(f.optDisp.value());
          },
          "Intensity v. scattering angle"}},
        {".min",
         {[](Form1& f, ScriptedFileDialogs& d, const test::TestFolder& out, const std::string& p) {
              d.answer(p);
              d.answer(out.at("report.mut"));
              f.mnuBatchFile.trigger();
          },
          [](const Form1& f, const test::TestFolder& out) {
              EXPECT_FALSE(f.mnuBatchFile.checked());
              ASSERT_TRUE(fs::exists(out.at("report.mut")));
              const std::vector<Block> blocks = Blocks(test::ReadAll(out.at("report.mut")));
              // A rainbow (130 to 150 degrees by 0.1), a corona (0 to 10 by 0.05) and a Lee diagram,
              // whose block has no rows.
              const std::vector<std::pair<std::string, int>> expected = {
                  {"Intensity v. scattering angle", 201},
                  {"Intensity v. scattering angle", 201},
                  {"Lee diagram", 0}};
              ASSERT_EQ(blocks.size(), expected.size());
              for (std::size_t i = 0; i < blocks.size(); ++i) {
                  EXPECT_EQ(blocks[i].graphType, expected[i].first) << i;
                  EXPECT_EQ(blocks[i].rows, expected[i].second) << i;
                  EXPECT_TRUE(blocks[i].computed) << i;
              }
          },
          nullptr}},
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
        kind->second.read(f, fileDialogs, out, e.path().string());
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        kind->second.check(f, out);
        if (kind->second.graph != nullptr) {
            f.cboGraph.setText(kind->second.graph);
            f.cmdNewPlot.click();
            EXPECT_EQ(f.newPlotEnd, Form1::NewPlotEnd::Computed);
            EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        }
        ++read[ext];
    }
    for (const auto& [ext, kind] : kinds) EXPECT_GE(read[ext], 1) << "no example " << ext;
}

}  // namespace
}  // namespace tessary
