// The File menu's data-file, text-export and batch commands. Reading and writing those files is not
// built yet: each command says so plainly instead of doing nothing. Like every command that would
// load or save, each refuses (with a beep) while a run has the inputs locked.
#include <string>

#include "mainwindow/form1.h"

namespace tessary {

namespace {

void NotYetAvailable(const std::string& what) {
    msgBox("This version of Tessary cannot " + what + " yet.", mb::kOkOnly | mb::kInformation,
           std::string("Tessary"));
}

}  // namespace

void Form1::mnuRead_Click() {
    if (RefuseWhileLocked()) return;
    NotYetAvailable("read results files");
}

void Form1::mnuSave_Click() {
    if (RefuseWhileLocked()) return;
    NotYetAvailable("save results files");
}

void Form1::mnuSaveText_Click() {
    if (RefuseWhileLocked()) return;
    NotYetAvailable("save results as text files");
}

void Form1::mnuBatchFile_Click() {
    if (RefuseWhileLocked()) return;
    NotYetAvailable("read batch files");
}

}  // namespace tessary
