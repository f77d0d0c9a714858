// JPEG pictures in picture boxes, the file dialogs behind their interface and the help stand-in.
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "platform/ui/file_dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/help.h"
#include "platform/ui/picture.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

class ServicesTest : public test::UiTest {
  protected:
    ServicesTest() : m_savedFolder(QDir::currentPath()) { EXPECT_TRUE(folder.isValid()); }
    ~ServicesTest() override { QDir::setCurrent(m_savedFolder); }

    std::string path(const char* name) const { return folder.filePath(name).toStdString(); }

    // A 576 x 432 JPEG: left half red, right half blue.
    std::string writeJpeg(const char* name) const {
        QImage image(576, 432, QImage::Format_RGB32);
        image.fill(QColor(255, 0, 0));
        for (int y = 0; y < 432; ++y)
            for (int x = 288; x < 576; ++x) image.setPixel(x, y, qRgb(0, 0, 255));
        QImageWriter writer(QString::fromStdString(path(name)), "jpeg");
        writer.setQuality(95);
        EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
        return path(name);
    }

    QTemporaryDir folder;

  private:
    QString m_savedFolder;
};

class SimulationForm : public Form {
  public:
    SimulationForm() : Form("Simulation") { Picture1.setAutoSize(true); }
    PictureBox Picture1{*this};
};

bool near(std::uint32_t pixel, std::uint32_t want) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((pixel >> shift) & 0xFFu),
                  b = static_cast<int>((want >> shift) & 0xFFu);
        if (std::abs(a - b) > 12) return false;
    }
    return true;
}

TEST_F(ServicesTest, JpegLoadsIntoAPictureBoxAndSizesIt) {
    const PictureLoad load = loadPicture(writeJpeg("photo.jpg"));
    ASSERT_TRUE(load.ok()) << load.error;
    EXPECT_EQ(load.picture.widthPx(), 576);
    EXPECT_EQ(load.picture.heightPx(), 432);
    SimulationForm form;
    form.load();
    form.Picture1.setPicture(load.picture);
    EXPECT_DOUBLE_EQ(form.Picture1.scaleWidth(), 576);
    EXPECT_DOUBLE_EQ(form.Picture1.scaleHeight(), 432);
    EXPECT_TRUE(near(form.Picture1.pixel(100, 200), 0xFF0000u));
    EXPECT_TRUE(near(form.Picture1.pixel(500, 200), 0x0000FFu));
}

TEST_F(ServicesTest, CorruptOrMissingPictureIsReportedAndTheBoxKeepsItsPicture) {
    {
        std::ofstream bad(path("broken.jpg"), std::ios::binary);
        bad << "\xFF\xD8 this is not a picture";
    }
    const PictureLoad corrupt = loadPicture(path("broken.jpg"));
    EXPECT_FALSE(corrupt.ok());
    EXPECT_TRUE(corrupt.picture.isNull());
    EXPECT_NE(corrupt.error.find("broken.jpg"), std::string::npos) << corrupt.error;
    const PictureLoad missing = loadPicture(path("absent.jpg"));
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error.find("absent.jpg"), std::string::npos);

    SimulationForm form;
    form.load();
    const PictureLoad good = loadPicture(writeJpeg("photo.jpg"));
    form.Picture1.setPicture(good.picture);
    // A failed load leaves nothing to assign: the box keeps its picture.
    EXPECT_EQ(form.Picture1.picture().widthPx(), 576);
}

TEST_F(ServicesTest, AssigningThePictureAgainOrClsDropsTheDrawings) {
    SimulationForm form;
    form.load();
    form.Picture1.setPicture(loadPicture(writeJpeg("photo.jpg")).picture);
    form.Picture1.boxFilled(90, 190, 110, 210, rgb(0, 255, 0));
    EXPECT_EQ(form.Picture1.pixel(100, 200), 0x00FF00u);
    form.Picture1.setPicture(form.Picture1.picture());  // restore picture
    EXPECT_TRUE(near(form.Picture1.pixel(100, 200), 0xFF0000u));
    form.Picture1.pset(100, 200, rgb(0, 255, 0));
    form.Picture1.cls();
    EXPECT_TRUE(near(form.Picture1.pixel(100, 200), 0xFF0000u));
}

TEST_F(ServicesTest, VerticalTextPictureHasItsSizeAndInk) {
    const Picture title =
        verticalTextPicture("Scattering angle (degrees)", 13, 126, "MS Sans Serif", 8, 0x000000u, 0xFFFFFFu);
    ASSERT_EQ(title.widthPx(), 13);
    ASSERT_EQ(title.heightPx(), 126);
    int ink = 0;
    for (int y = 0; y < 126; ++y)
        for (int x = 0; x < 13; ++x) ink += (title.image().pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
    EXPECT_GT(ink, 50);
}

TEST_F(ServicesTest, ScriptedFileDialogRecordsTheRequestAndTheFolderFollowsTheChoice) {
    ScriptedFileDialogs dialogs;
    runtime.setFileDialogs(&dialogs);
    ASSERT_TRUE(QDir().mkpath(folder.filePath("runs")));
    const std::string chosen = path("runs/run1.tsy");
    dialogs.answer(chosen);
    const QString before = QDir::currentPath();
    const auto file = chooseFile(FileDialogMode::Save, "Select a file name for saving data",
                                 "Tessary file(*.tsy)", "*.tsy");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->fileName, "run1.tsy");
    EXPECT_EQ(QDir::currentPath(), QDir(folder.filePath("runs")).absolutePath());
    ASSERT_EQ(dialogs.requests().size(), 1u);
    const FileDialogRequest& request = dialogs.requests()[0];
    EXPECT_EQ(request.mode, FileDialogMode::Save);
    EXPECT_EQ(request.title, "Select a file name for saving data");
    EXPECT_EQ(request.filterText, "Tessary file(*.tsy)");
    EXPECT_EQ(request.pattern, "*.tsy");
    EXPECT_EQ(request.folder, before.toStdString());
    // The next dialog, of any kind, starts in the folder of the last chosen file.
    chooseFile(FileDialogMode::Open, "Open a file", "Tessary spectrum data files (*.spe)", "*.spe");
    EXPECT_EQ(dialogs.requests()[1].folder, QDir(folder.filePath("runs")).absolutePath().toStdString());
}

TEST_F(ServicesTest, CancelAndOverlongPathsChooseNothingAndKeepTheFolder) {
    ScriptedFileDialogs dialogs;
    runtime.setFileDialogs(&dialogs);
    const QString before = QDir::currentPath();
    dialogs.answer(std::nullopt);
    dialogs.answer(path("") + std::string(300, 'a') + ".tsy");
    EXPECT_FALSE(
        chooseFile(FileDialogMode::Open, "Open a file", "Tessary files (*.tsy)", "*.tsy").has_value());
    EXPECT_FALSE(
        chooseFile(FileDialogMode::Open, "Open a file", "Tessary files (*.tsy)", "*.tsy").has_value());
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(ServicesTest, QtFilterNamesThePatternOnce) {
    EXPECT_EQ(qtFilterOf("Tessary files (*.tsy)", "*.tsy"), "Tessary files (*.tsy)");
    EXPECT_EQ(qtFilterOf("Text file(*.txt)", "*.txt"), "Text file(*.txt)");
    EXPECT_EQ(qtFilterOf("Pictures", "*.jpg"), "Pictures (*.jpg)");
}

TEST_F(ServicesTest, HelpOpensTheHtmlDocumentBesideTheProgram) {
    runtime.setHelpFolder(folder.path().toStdString());
    { std::ofstream(path("Tessary.html")) << "<html></html>"; }
    std::string opened;
    runtime.setDocumentOpener([&](const std::string& document) {
        opened = document;
        return true;
    });
    EXPECT_TRUE(showHelp("Tessary.hlp", kHelpContents));
    EXPECT_EQ(opened, path("Tessary.html"));
    opened.clear();
    EXPECT_TRUE(showHelp("tessary.hlp", kHelpFinder));      // the simulation window's lower-case name
    EXPECT_EQ(opened, path("Tessary.html") + "#contents");  // at the index of topics
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ServicesTest, MissingHelpOrViewerIsToldInAMessageBox) {
    runtime.setHelpFolder(folder.path().toStdString());
    bool asked = false;
    runtime.setDocumentOpener([&](const std::string&) { return asked = true, false; });
    EXPECT_FALSE(showHelp("Tessary.hlp", kHelpContents));
    EXPECT_FALSE(asked);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "The help file Tessary.html was not found.");
    EXPECT_EQ(messages.last().title, runtime.programTitle());
    { std::ofstream(path("Tessary.html")) << "<html></html>"; }
    EXPECT_FALSE(showHelp("Tessary.hlp", kHelpContents));
    EXPECT_TRUE(asked);
    EXPECT_EQ(
        messages.last().prompt,
        "The help file Tessary.html could not be opened: no viewer was found.\r\rOpen it in a web browser: " +
            path("Tessary.html"));
}

}  // namespace
}  // namespace tessary
