// The common open and save dialogs of every file kind, their wrappers, and the chosen-file state
// they leave in the main window.
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "files/file_names.h"
#include "mainwindow/form1.h"
#include "platform/ui/file_dialogs.h"

namespace tessary {

// The dialog of every file kind. FileDialog leaves a successful choice in chosenFile (the name without
// folder, completed by the extension rule), chosenFileTitle (without the extension) and chosenFilePath (the
// full path, which the readers and writers open); fileDialogCancelled is 1 after a cancel ("No file was
// selected", titled with the dialog's title) or a path over 256 characters (a message that says so). Saving
// under a name that the rule completed asks before replacing an existing file; No counts as a cancel.
void Form1::FileDialog(const std::string& mode, const std::string& title, const std::string& filterText,
                       const std::string& pattern, const std::string& extension) {
    std::optional<ChosenFile> chosen;
    NoFileReason reason = NoFileReason::Cancelled;
    const bool saving = mode == "save";
    if (saving || mode == "load")
        chosen = chooseFile(saving ? FileDialogMode::Save : FileDialogMode::Open, title, filterText, pattern,
                            &reason);
    if (chosen) {
        // The name without leading blanks, cut at its first control character.
        std::string name = chosen->fileName;
        const std::size_t firstNonBlank = name.find_first_not_of(' ');
        name.erase(0, firstNonBlank == std::string::npos ? name.size() : firstNonBlank);
        for (std::size_t i = 0; i < name.size(); ++i)
            if (static_cast<unsigned char>(name[i]) < 31) {
                name.resize(i);
                break;
            }
        const CompletedName completed = CompleteFileName(name, extension);
        const std::filesystem::path folder = std::filesystem::path(chosen->path).parent_path();
        const std::filesystem::path path = folder / completed.file;
        // The dialog asked about the name it returned; a name the rule completed is asked about here.
        std::error_code error;
        if (saving && completed.extensionAdded && std::filesystem::exists(path, error)) {
            const int answer =
                msgBox(completed.file + " already exists." + kCR + "Do you want to replace it?",
                       mb::kYesNo | mb::kExclamation, title);
            if (answer != mb::kYes) {
                fileState.fileDialogCancelled = 1;
                return;
            }
        }
        fileState.chosenFile = completed.file;
        fileState.chosenFileTitle = completed.title;
        fileState.chosenFilePath = path.string();
        return;
    }
    if (reason == NoFileReason::PathTooLong)
        msgBox("The path of the chosen file is longer than " + std::to_string(kMaxFilePathLength) +
                   " characters",
               mb::kOkOnly, title);
    else
        msgBox("No file was selected", mb::kOkOnly, title);
    fileState.fileDialogCancelled = 1;
}

namespace {

struct OpenKind {
    const char* filterText;
    const char* pattern;
    const char* extension;
};

void OpenOfKind(Form1& f, const OpenKind& kind) {
    f.fileState.fileDialogCancelled = 0;
    f.FileDialog("load", "Open a file", kind.filterText, kind.pattern, kind.extension);
}

}  // namespace

void Form1::OpenDataFile() { OpenOfKind(*this, {"Tessary files (*.tsy)", "*.tsy", ".tsy"}); }
void Form1::OpenPictureFile() { OpenOfKind(*this, {"Picture files (*.jpg)", "*.jpg", ".jpg"}); }
void Form1::OpenSpectrumFile() {
    OpenOfKind(*this, {"Tessary spectrum data files (*.spe)", "*.spe", ".spe"});
}
void Form1::OpenRefIndexFile() {
    OpenOfKind(*this, {"Tessary refractive index data files (*.rix)", "*.rix", ".rix"});
}
void Form1::OpenSizeDistFile() {
    OpenOfKind(*this, {"Tessary size distribution files (*.dis)", "*.dis", ".dis"});
}
void Form1::OpenBatchFile() { OpenOfKind(*this, {"Tessary batch files (*.min)", "*.min", ".min"}); }

// The save dialog of saveFileType (1 data file, 2 text export, 3 batch report).
void Form1::select_save_filename() {
    fileState.fileDialogCancelled = 0;
    if (codes.saveFileType == 1)
        FileDialog("save", "Select a file name for saving data", "Tessary file(*.tsy)", "*.tsy", ".tsy");
    if (codes.saveFileType == 2)
        FileDialog("save", "Select a file name for saving numerical data as a text file", "Text file(*.txt)",
                   "*.txt", ".txt");
    if (codes.saveFileType == 3)
        FileDialog("save", "Select a file name for saving batch data", "Tessary batch file(*.mut)", "*.mut",
                   ".mut");
}

void Form1::cmdSelectOpen_Click() { OpenDataFile(); }

}  // namespace tessary
