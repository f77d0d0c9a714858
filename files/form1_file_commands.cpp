// The File menu's read and save commands and the common save step; batch files are not built yet and
// their command says so. Like every command that would load or save, each refuses (with a beep) while
// a run has the inputs locked.
#include <string>

#include "mainwindow/form1.h"

namespace tessary {

void Form1::mnuRead_Click() {
    if (RefuseWhileLocked()) return;
    read_file();
}

void Form1::mnuSave_Click() {
    if (RefuseWhileLocked()) return;
    saveFileType = 1;
    SaveByType();
}

void Form1::mnuSaveText_Click() {
    if (RefuseWhileLocked()) return;
    saveFileType = 2;
    SaveByType();
}

void Form1::mnuBatchFile_Click() {
    if (RefuseWhileLocked()) return;
    msgBox("This version of Tessary cannot read batch files yet.", mb::kOkOnly | mb::kInformation,
           std::string("Tessary"));
}

void Form1::SaveByType() {
    select_save_filename();
    if (fileDialogCancelled == 1) return;
    bool written = false;
    if (saveFileType == 1) written = save_data();
    if (saveFileType == 2) written = save_text();
    if (written) beep();
}

}  // namespace tessary
