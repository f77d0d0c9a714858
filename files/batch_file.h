// Batch files (.min): the header "Tessary 3403 batch file", then keywords, value keywords followed
// by their number, and "run" / "step". The whole file is turned into a list of commands before any
// of them is carried out; the list ends at "stop", at a stepped "run", at the end of the file, or at
// the first invalid item (kept last as an Invalid command, so the runs before it still happen). A
// "step" must be followed by its "run" before another "step", "stop" or the end of the file. A value (or a
// step's last number) followed by another number on its line, as a decimal comma leaves it, is invalid.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/text_file.h"

namespace tessary {

inline constexpr const char* kBatchHeader = "Tessary 3403 batch file";
inline constexpr std::int32_t kBatchMaxSteppedRuns = 10000;

enum class BatchAction {
    Method,      // cboType takes `text`
    Graph,       // cboGraph takes `text`
    Radius,      // mnuRadius checked, txtRadius takes `text`
    Wavelength,  // txtLambda
    XMin,        // txtXmin
    XMax,        // txtXmax
    XStep,       // cboStep
    RIReal,      // txtRefractReal
    RIImag,      // txtRefractImag
    Run,         // one New plot and its report block
    SteppedRun,  // `runs` New plots for the values stepFrom, stepFrom + stepBy, ... (summed in Single)
    Invalid,     // `text` is the message, "<item> is not a valid parameter" or what a keyword lacks, then
                 // " (line N: reason)"; the batch ends here
};

struct BatchCommand {
    BatchAction action = BatchAction::Run;
    std::string text;
    std::string stepName;  // RIreal, RIimag, wavelength or radius
    float stepFrom = 0.0f, stepTo = 0.0f, stepBy = 0.0f;
    std::int32_t runs = 0;
};

struct BatchProgram {
    bool headerOk = false;
    std::vector<BatchCommand> commands;
};

// Reads the whole file from the reader's current place.
BatchProgram ParseBatch(TextFileReader& reader);

// The number of stepped runs, Int((to - from) / by + 0.001) + 1 in double; 0 when the increment is 0
// or not a number or the count lies outside 1..kBatchMaxSteppedRuns.
std::int32_t BatchSteppedRunCount(float from, float to, float by);

// An item as echoed in a message: at most 60 characters, control characters as "?".
std::string BatchEcho(const std::string& item);

}  // namespace tessary
