// Window, help and exit commands: the information toggle, the about box, help through the help
// stand-in, the window menu, and ending the program, also in the middle of a run with files open.
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "file_bytes.h"
#include "platform/text/text_file.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

using test::ReadAll;

TEST_F(Form1Test, InformationButtonTogglesTheFrameAndNamesTheNextAction) {
    Form1& f = started();
    ASSERT_FALSE(f.Frame6.visible());
    f.cmdInfo.click();
    EXPECT_TRUE(f.Frame6.visible());
    EXPECT_EQ(f.cmdInfo.caption(), "Information OFF");
    f.cmdInfo.click();
    EXPECT_FALSE(f.Frame6.visible());
    EXPECT_EQ(f.cmdInfo.caption(), "Information ON");
}

TEST_F(Form1Test, AboutBox) {
    Form1& f = started();
    f.mnuAbout.trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().title, "Tessary v3.4.10s");
    EXPECT_EQ(messages.last().style, mb::kInformation);
    const std::string& text = messages.last().prompt;
    const auto date = text.find("\r6 March 2005\r\r");
    ASSERT_NE(date, std::string::npos);
    EXPECT_EQ(text.find('\r'), date);   // one owner line before the date
    EXPECT_GT(text.size(), date + 15);  // a contact line after it
}

TEST_F(Form1Test, HelpOpensTheHelpDocumentForBothCommands) {
    const test::TestFolder folder("tessary_mainwindow_");
    std::ofstream(folder.path() / "Tessary.html") << "<html></html>";
    runtime.setHelpFolder(folder.path().string());
    Form1& f = started();
    f.mnuHelp1.trigger();
    f.mnuHelpContents.trigger();
    ASSERT_EQ(openedDocuments.size(), 2u);
    EXPECT_EQ(std::filesystem::path(openedDocuments[0]).filename(), "Tessary.html");
    EXPECT_EQ(openedDocuments[1], openedDocuments[0] + "#contents");
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Form1Test, HelpWithoutADocumentSaysSoAndGoesOn) {
    const test::TestFolder folder("tessary_mainwindow_");
    runtime.setHelpFolder(folder.path().string());
    Form1& f = started();
    f.mnuHelp1.trigger();
    EXPECT_TRUE(openedDocuments.empty());
    EXPECT_EQ(messages.shown().size(), 1u);
}

TEST_F(Form1Test, WindowMenuSwitchesBetweenTheWindows) {
    Form1& f = started();
    f.show();
    f.mnuWindowSimulation.setEnabled(true);
    f.mnuWindowSimulation.trigger();
    EXPECT_TRUE(f.Form2_->visible());
    EXPECT_TRUE(f.Form2_->Picture1.visible());
    EXPECT_TRUE(f.cmdSimulation.enabled());
    EXPECT_TRUE(f.mnuWindowSimulation.enabled());
    EXPECT_EQ(f.codes.simulationMode, 1);
    EXPECT_FALSE(f.windowState.inputsLocked);
    f.mnuWindowGraph.trigger();
    EXPECT_TRUE(f.visible());
    // While a batch runs the simulation window stays as it is.
    f.Form2_->hide();
    f.fileState.batchRunning = true;
    const int beeps = runtime.beepCount();
    f.cmdSimulation.click();
    EXPECT_FALSE(f.Form2_->visible());
    EXPECT_EQ(runtime.beepCount(), beeps + 1);
    f.fileState.batchRunning = false;
}

TEST_F(Form1Test, ExitEndsTheProgramAtOnce) {
    Form1& f = started();
    f.cmdExit.click();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(exitCode, 0);
    f.mnuExit.trigger();
    EXPECT_EQ(programEnds, 2);
    EXPECT_TRUE(messages.shown().empty());  // no question asked
}

// A run in progress: inputs locked, the event pump running; the user leaves through File > Exit (the
// Exit button is locked). The batch report keeps its finished blocks; an unfinished data file is dropped.
TEST_F(Form1Test, ExitDuringARunClosesTheFilesAndEnds) {
    const test::TestFolder folder("tessary_mainwindow_");
    Form1& f = started();
    f.show();
    TextFileWriter report = TextFileWriter::CreateReport(folder.path() / "runs.mut", &f.openWriters);
    report.PrintLine("run 1");
    ASSERT_TRUE(report.EndBlock().ok());
    report.PrintLine("run 2, unfinished");
    TextFileWriter data = TextFileWriter::CreateOneGo(folder.path() / "result.tsy", &f.openWriters);
    data.PrintLine("Tessary v3.4.11");

    f.LockON();
    f.codes.runState = 1;
    int passes = 0;
    runtime.setPumpHook([&] {
        if (++passes == 3) f.mnuExit.trigger();
    });
    while (programEnds == 0 && passes < 50) doEvents();

    EXPECT_EQ(passes, 3);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(f.openWriters.Count(), 0u);
    EXPECT_FALSE(report.IsOpen());
    EXPECT_EQ(ReadAll(folder.path() / "runs.mut"), "run 1\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "result.tsy"));
}

TEST_F(Form1Test, ClosingTheWindowDuringARunClosesTheFilesAndEnds) {
    const test::TestFolder folder("tessary_mainwindow_");
    Form1& f = started();
    f.show();
    TextFileWriter report = TextFileWriter::CreateReport(folder.path() / "runs.mut", &f.openWriters);
    report.PrintLine("run 1");
    ASSERT_TRUE(report.EndBlock().ok());

    f.LockON();
    int passes = 0;
    runtime.setPumpHook([&] {
        if (++passes == 2) f.window()->close();
    });
    while (programEnds == 0 && passes < 50) doEvents();

    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(report.IsOpen());
    EXPECT_EQ(ReadAll(folder.path() / "runs.mut"), "run 1\r\n");
}

}  // namespace
}  // namespace tessary
