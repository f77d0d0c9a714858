// The File menu's read, save and batch commands and the common save step. Like every command that
// would load or save, each refuses (with a beep) while a run has the inputs locked or a batch runs.
#include <string>

#include "mainwindow/form1.h"

namespace tessary {

namespace {

// Between the runs of a batch the inputs are not locked; the file commands refuse all the same.
bool RefuseDuringBatch(const FilesState& files) {
    if (!files.batchRunning) return false;
    beep();
    return true;
}

}  // namespace

// The file commands Read, Save, Save as text and Batch file: each refuses while the inputs are locked.
void Form1::mnuRead_Click() {
    if (RefuseWhileLocked() || RefuseDuringBatch(fileState)) return;
    read_file();
}

void Form1::mnuSave_Click() {
    if (RefuseWhileLocked() || RefuseDuringBatch(fileState)) return;
    codes.saveFileType = 1;
    SaveByType();
}

void Form1::mnuSaveText_Click() {
    if (RefuseWhileLocked() || RefuseDuringBatch(fileState)) return;
    codes.saveFileType = 2;
    SaveByType();
}

void Form1::mnuBatchFile_Click() {
    if (RefuseWhileLocked() || RefuseDuringBatch(fileState)) return;
    if (mnuBatchFile.checked()) {
        mnuBatchFile.setChecked(false);
        return;
    }
    mnuBatchFile.setChecked(true);
    Read_Batch();
}

// Asks for the name, writes the file of saveFileType and beeps when it was written.
void Form1::SaveByType() {
    select_save_filename();
    if (fileState.fileDialogCancelled == 1) return;
    bool written = false;
    if (codes.saveFileType == 1) written = save_data();
    if (codes.saveFileType == 2) written = save_text();
    if (written) beep();
}

}  // namespace tessary
