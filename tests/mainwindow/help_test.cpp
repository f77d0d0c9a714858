// The help document that ships beside the program: both help commands of both windows open it (the
// contents at its start, the finder at its index of topics), and it has a heading for every graph
// type and method the window lists, every file the user reads or writes and each readout quantity,
// with the example files quoted as they are.
#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "simulation/form2.h"
#include "tests/mainwindow/form1_test_support.h"

#if defined(TESSARY_PROGRAM_DIR) && defined(TESSARY_SOURCE_DIR)

namespace tessary {
namespace {

using test::Form1Test;

const std::filesystem::path kProgramDir = TESSARY_PROGRAM_DIR;
const std::string kDocument = (kProgramDir / "Tessary.html").string();

// The document's text with the HTML entities it uses turned back into characters.
std::string Unescaped(std::string text) {
    for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::string(entity).size(), c);
    return text;
}

TEST_F(Form1Test, HelpCommandsOfBothWindowsOpenTheHelpBesideTheProgram) {
    runtime.setHelpFolder(kProgramDir.string());
    Form1& f = started();
    f.mnuHelp1.trigger();
    f.mnuHelpContents.trigger();
    f.Form2_->mnuHelp1.trigger();
    f.Form2_->mnuHelpContents.trigger();
    EXPECT_TRUE(messages.shown().empty());
    const std::string& d = kDocument;
    EXPECT_EQ(openedDocuments, (std::vector<std::string>{d, d + "#contents", d, d + "#contents"}));
    EXPECT_NE(test::ReadAll(d).find("id=\"contents\""), std::string::npos);
}

TEST_F(Form1Test, HelpHasAHeadingForEveryGraphMethodFileAndReadoutQuantity) {
    const std::string html = test::ReadAll(kDocument);
    // The texts of the headings h1 to h4.
    std::vector<std::string> headings;
    const std::regex heading(R"(<h([1-4])[^>]*>([^<]*)</h\1>)");
    for (std::sregex_iterator it(html.begin(), html.end(), heading), end; it != end; ++it)
        headings.push_back(Unescaped((*it)[2].str()));
    Form1& f = started();
    // The lists as the window offers them to the user; the hidden mode adds entries only later.
    std::vector<std::string> wanted;
    for (const ComboBox* list : {&f.cboGraph, &f.cboType})
        for (int i = 0; i < list->listCount(); ++i) wanted.push_back(list->list(i));
    for (const char* topic :
         {"Data file (.tsy)", "Text export (.txt)", "Batch file (.min)", "Batch report (.mut)",
          "Spectrum file (.spe)", "Refractive-index file (.rix)", "Size-distribution file (.dis)",
          "Picture (.jpg)", "Qext", "Qsca", "Qabs", "Qback", "Qradar", "g", "TESSARY_THREADS"})
        wanted.emplace_back(topic);
    ASSERT_GE(wanted.size(), 21u + 9u + 15u);
    for (const std::string& topic : wanted)
        EXPECT_NE(std::find(headings.begin(), headings.end(), topic), headings.end()) << topic;
    // The hidden mode's methods and graph stay out of the help.
    for (const char* hidden : {"Aperture", "Huygens", "Convergence"})
        EXPECT_EQ(html.find(hidden), std::string::npos) << hidden;
}

// Outside a model's band New plot refuses with the model's message whatever index is typed, as the help says.
TEST_F(Form1Test, HelpSaysWhatNewPlotDoesOutsideAModelsBand) {
    std::string html = Unescaped(test::ReadAll(kDocument));
    std::replace(html.begin(), html.end(), '\n', ' ');
    EXPECT_NE(html.find("outside it New plot refuses with the model's message whatever index the boxes show, "
                        "typed ones included"),
              std::string::npos);
    const struct {
        Menu Form1::*model;
        const char *re, *im, *prompt;
    } cases[] = {
        {&Form1::mnuRI_IAPWS, "1.5", "0",
         "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band"},
        {&Form1::mnuRI_Cu, "1.2", "2",
         "The values for refractive index of Copper are valid only for the 187 - 1935 nm band"},
    };
    for (const auto& c : cases) {
        Form1& f = started();
        test::Choose(f.*c.model);
        test::Type(f.txtLambda, "5");
        test::Type(f.txtRefractReal, c.re), test::Type(f.txtRefractImag, c.im);
        messages.clear();
        test::Press(f.cmdNewPlot);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, c.prompt);
    }
}

TEST(HelpDocument, QuotesTheExampleFilesAsTheyAre) {
    const std::string html = Unescaped(test::ReadAll(kDocument));
    const std::filesystem::path examples = std::filesystem::path(TESSARY_SOURCE_DIR) / "examples";
    if (!std::filesystem::is_directory(examples)) GTEST_SKIP() << "no examples folder in the sources";
    for (const char* name : {"first_runs.min", "sunlight.spe", "glass.rix", "droplets.dis"}) {
        std::string text = test::ReadAll(examples / name);
        ASSERT_FALSE(text.empty()) << name;
        // The help shows the lines; a file may end its lines with CR LF.
        for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at))
            text.erase(at, 1);
        EXPECT_NE(html.find(">" + text + "</pre>"), std::string::npos) << name;
    }
}

}  // namespace
}  // namespace tessary

#endif
