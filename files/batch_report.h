// The batch report (.mut): one block per batch run, in the form of the text export with its own
// header line, the heading of an angle graph in parentheses, zoned colour lines without an angle,
// no amplitude block or term dump and no empty line after the block.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "files/text_export.h"

namespace tessary {

inline constexpr const char* kBatchReportHeader = "Tessary v3.2.02";

// The angle-index window of the run (the colour lines of a run over several wavelengths).
struct BatchWindow {
    std::int32_t first = 0, last = -1;
};

// Nothing when the stored results hold every row the block writes; else the message.
std::optional<std::string> CheckBatchReportResults(const TextExportSnapshot& s, BatchWindow window);
// One block; firstPoint and lastPoint of s are those of the rows (worked out for codes 10 to 19).
void WriteBatchReportBlock(const TextExportSnapshot& s, BatchWindow window, TextFileWriter& w);

}  // namespace tessary
