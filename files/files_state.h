// The main window's file state (a member of Form1): the last file dialog, the batch run and the
// spectrum and index files read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/clock.h"

namespace tessary {

// The chosen file, the batch run's report and steps, and the tables of the spectrum and index files.
struct FilesState {
    std::string chosenFile, chosenFileTitle, initialFolder, chosenFilePath;
    int fileDialogCancelled = 0;
    // The clock the text export dates its files by.
    Clock exportClock = SystemLocalTime;
    std::string inputFilePath;
    std::string batchOutFile;
    int batchStepMode = 0;
    float batchStepFrom = 0.0f, batchStepTo = 0.0f, batchStepBy = 0.0f, batchStepValue = 0.0f;
    bool batchRunning = false;
    bool batchStopAsked = false;
    int spectrumNonUniform = 0;
    float spectrumWlMin = 0.0f, spectrumWlMax = 0.0f;
    std::int16_t specFileCount = 0;
    std::vector<double> specFileWave, specFileValue;  // rows 1..specFileCount (element 0 unused)
    float fileWlMin1 = 0.0f, fileWlMax1 = 0.0f, fileWlMin2 = 0.0f, fileWlMax2 = 0.0f;
};

// While a batch sets its boxes and runs, its message boxes go to the report instead of waiting for a
// reader (questions are still asked and kept with their answer); each is kept with whether a run had
// the inputs locked. Emptied after each block.
struct BatchMessage {
    std::string text;
    bool duringRun = false;
    bool question = false;  // asked, and kept with its answer
};

}  // namespace tessary
