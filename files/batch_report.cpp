// The batch report block.
#include "files/batch_report.h"

#include <cstddef>
#include <span>

#include "graphs/graph_codes.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

bool Holds(std::span<const double> v, std::int64_t first, std::int64_t last) {
    return last < first || (first >= 0 && static_cast<std::uint64_t>(last) < v.size());
}

void Header(const TextExportSnapshot& s, TextFileWriter& w) {
    WriteGraphHeader(kBatchReportHeader, HeaderForm::BatchReport, s, w);
}

int ColourLines(const TextExportSnapshot& s) { return s.waveCount <= 7 ? s.waveCount : 3; }

}  // namespace

std::optional<std::string> CheckBatchReportResults(const TextExportSnapshot& s, BatchWindow window) {
    std::int64_t first = s.firstPoint, last = s.lastPoint;
    bool held = true;
    if (s.graphCode == kGraphAngle && s.waveCount == 1) {
        held = Holds(s.intensityPerp, first, last) && Holds(s.intensityPara, first, last) &&
               Holds(s.intensityUnpol, first, last);
    } else if (s.graphCode == kGraphAngle && s.waveCount > 1) {
        first = window.first;
        last = window.last;
        for (int k = 1; k <= ColourLines(s); ++k)
            held = held && Holds(s.colourSumPerp[static_cast<std::size_t>(k)], first, last) &&
                   Holds(s.colourSumPara[static_cast<std::size_t>(k)], first, last);
    } else if (s.graphCode >= kFirstSweepGraph && s.graphCode <= kLastSweepGraph) {
        held = Holds(s.intensityPerp, first, last) && Holds(s.intensityPara, first, last) &&
               Holds(s.intensityUnpol, first, last);
    }
    if (held) return std::nullopt;
    return "The stored results do not hold the points " + CStr(first) + " to " + CStr(last) +
           " that the batch report asks for.";
}

void WriteBatchReportBlock(const TextExportSnapshot& s, BatchWindow window, TextFileWriter& w,
                           const std::vector<std::string>& warnings) {
    Header(s, w);
    for (const std::string& warning : warnings) w.PrintLine(kBatchWarning, warning);
    if (!warnings.empty()) w.EndLine();
    if (s.graphCode == kGraphAngle && s.waveCount == 1) {
        const double step = Val(s.stepText);
        w.PrintLine("Angle", kTab, "Perpendicular", kTab, "Parallel", kTab, "Unpolarised");
        w.PrintLine("theta", kTab, "(S1(theta))^2", kTab, "(S2(theta))^2", kTab,
                    "((S1(theta))^2 + (S2(theta))^2)/2");
        for (std::int32_t n = s.firstPoint; n <= s.lastPoint; ++n) {
            const auto N = static_cast<std::size_t>(n);
            w.PrintLine((n - 1) * step, kTab, s.intensityPerp[N], kTab, s.intensityPara[N], kTab,
                        s.intensityUnpol[N]);
        }
    } else if (s.graphCode == kGraphAngle && s.waveCount > 1) {
        for (std::int32_t n = window.first; n <= window.last; ++n)
            for (int k = 1; k <= ColourLines(s); ++k) {
                const auto K = static_cast<std::size_t>(k), N = static_cast<std::size_t>(n);
                w.PrintLine(s.colourSumPerp[K][N], kZone, s.colourSumPara[K][N]);
            }
    } else if (s.graphCode >= kFirstSweepGraph && s.graphCode <= kLastSweepGraph) {
        WriteSweepColumns(s, w);
    }
}

void WriteBatchNotComputedBlock(const TextExportSnapshot& s, const std::string& reason, TextFileWriter& w) {
    Header(s, w);
    w.PrintLine(kBatchNotComputed, reason);
}

std::string BatchReasonText(const std::string& prompt) {
    std::string text;
    std::size_t at = 0;
    while (at <= prompt.size()) {
        std::size_t end = prompt.find_first_of("\r\n", at);
        if (end == std::string::npos) end = prompt.size();
        const std::size_t from = prompt.find_first_not_of(' ', at);
        if (from != std::string::npos && from < end) {
            const std::size_t to = prompt.find_last_not_of(' ', end - 1);
            if (!text.empty()) text += ' ';
            text += prompt.substr(from, to + 1 - from);
        }
        at = end + 1;
    }
    return text;
}

}  // namespace tessary
