// The batch report (.mut): one block per batch run, in the form of the text export with its own
// header line, the heading of an angle graph in parentheses, zoned colour lines without an angle,
// no amplitude block or term dump and no empty line after the block.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/text_export.h"

namespace tessary {

inline constexpr const char* kBatchReportHeader = "Tessary v3.2.02";

// The angle-index window of the run (the colour lines of a run over several wavelengths).
struct BatchWindow {
    std::int32_t first = 0, last = -1;
};

// Nothing when the stored results hold every row the block writes; else the message.
std::optional<std::string> CheckBatchReportResults(const TextExportSnapshot& s, BatchWindow window);
// One block; firstPoint and lastPoint of s are those of the rows (worked out for codes 10 to 19). The
// warnings of the run (messages that let it go on) follow the header lines, "Warning: " and the message on
// a line each, then an empty line.
void WriteBatchReportBlock(const TextExportSnapshot& s, BatchWindow window, TextFileWriter& w,
                           const std::vector<std::string>& warnings = {});
inline constexpr const char* kBatchWarning = "Warning: ";

// A run that did not finish ends its block with one line saying so and why: "Not computed: " after
// the header lines when it computed no row (its inputs refused, a long run declined, or stopped
// before a row was done); "Stopped: " after the rows a stopped sweep had finished.
inline constexpr const char* kBatchNotComputed = "Not computed: ";
inline constexpr const char* kBatchStopped = "Stopped: ";
// The header lines of the run's block and "Not computed: <reason>".
void WriteBatchNotComputedBlock(const TextExportSnapshot& s, const std::string& reason, TextFileWriter& w);
// A message box's prompt as one report line: its lines (split at CR or LF) trimmed of blanks and
// joined by single blanks.
std::string BatchReasonText(const std::string& prompt);

}  // namespace tessary
