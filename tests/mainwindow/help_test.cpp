// The help document that ships beside the program: both help commands of both windows open it (the
// contents at its start, the finder at its index of topics), and it has a heading for every graph
// type and method the window lists, every file the user reads or writes and each readout quantity,
// with the example files quoted as they are.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "simulation/form2.h"
#include "tests/mainwindow/form1_test_support.h"

#if defined(TESSARY_PROGRAM_DIR) && defined(TESSARY_SOURCE_DIR)

namespace tessary {
namespace {

using test::Form1Test;

const std::filesystem::path kProgramDir = TESSARY_PROGRAM_DIR;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The document's text with the HTML entities it uses turned back into characters.
std::string Unescaped(std::string text) {
    for (const auto& [entity, c] :
         {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::string(entity).size(), c);
    }
    return text;
}

// The texts of the document's headings h1 to h4, entities turned back into characters.
std::vector<std::string> Headings(const std::string& html) {
    std::vector<std::string> headings;
    const std::regex heading(R"(<h([1-4])[^>]*>([^<]*)</h\1>)");
    for (std::sregex_iterator it(html.begin(), html.end(), heading), end; it != end; ++it)
        headings.push_back(Unescaped((*it)[2].str()));
    return headings;
}

std::vector<std::string> Entries(const ComboBox& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.listCount(); ++i) entries.push_back(list.list(i));
    return entries;
}

TEST_F(Form1Test, HelpCommandsOfBothWindowsOpenTheHelpBesideTheProgram) {
    runtime.setHelpFolder(kProgramDir.string());
    Form1& f = started();
    f.mnuHelp1.trigger();
    f.mnuHelpContents.trigger();
    f.Form2_->mnuHelp1.trigger();
    f.Form2_->mnuHelpContents.trigger();
    EXPECT_TRUE(messages.shown().empty());
    const std::string document = (kProgramDir / "Tessary.html").string();
    const std::vector<std::string> expected = {document, document + "#contents", document,
                                               document + "#contents"};
    EXPECT_EQ(openedDocuments, expected);
    ASSERT_TRUE(std::filesystem::is_regular_file(document));
    EXPECT_NE(ReadText(document).find("id=\"contents\""), std::string::npos);
}

TEST_F(Form1Test, HelpHasAHeadingForEveryGraphMethodFileAndReadoutQuantity) {
    const std::string html = ReadText(kProgramDir / "Tessary.html");
    ASSERT_FALSE(html.empty());
    const std::vector<std::string> headings = Headings(html);
    Form1& f = started();
    // The lists as the window offers them to the user; the hidden mode adds entries only later.
    std::vector<std::string> wanted = Entries(f.cboGraph);
    const std::vector<std::string> methods = Entries(f.cboType);
    wanted.insert(wanted.end(), methods.begin(), methods.end());
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

TEST(HelpDocument, QuotesTheExampleFilesAsTheyAre) {
    const std::string html = Unescaped(ReadText(kProgramDir / "Tessary.html"));
    const std::filesystem::path examples = std::filesystem::path(TESSARY_SOURCE_DIR) / "examples";
    if (!std::filesystem::is_directory(examples)) GTEST_SKIP() << "no examples folder in the sources";
    for (const char* name : {"first_runs.min", "sunlight.spe", "glass.rix", "droplets.dis"}) {
        std::string text = ReadText(examples / name);
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
