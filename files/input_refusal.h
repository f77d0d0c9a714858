// Refusals of the input-file readers (batch, spectrum, refractive-index and size-distribution files):
// every refusal is the reader's own message followed by " (line N: reason)", so the user sees which
// line of the file is wrong and why; and the rules of their lines of numbers.
#pragma once

#include <string>
#include <string_view>

#include "files/batch_file.h"
#include "platform/text/conversions.h"
#include "platform/text/text_file.h"

namespace tessary {

struct InputRefusal {
    int line = 0;        // 0 when the file as a whole could not be read
    std::string reason;  // empty where a line check finds nothing to refuse

    bool refused() const { return !reason.empty(); }
};

// "<message> (line N: <reason>)"; without a line, "<message> (<reason>)".
inline std::string RefusalText(const std::string& message, const InputRefusal& refusal) {
    if (refusal.line <= 0) return message + " (" + refusal.reason + ")";
    return message + " (line " + CStr(refusal.line) + ": " + refusal.reason + ")";
}

// Why an item could not be read: the file ends before `expected`, the item is not a number or out of
// range, or the file itself could not be read.
template <class T>
InputRefusal ItemRefusal(const Item<T>& item, const std::string& expected) {
    switch (item.status) {
        case FileStatus::EndOfFile:
            return {item.line, "the file ends before " + expected};
        case FileStatus::NotANumber:
            if (item.text.empty()) return {item.line, "a number is missing"};
            return {item.line, "\"" + BatchEcho(item.text) + "\" is not a number"};
        case FileStatus::OutOfRange:
            return {item.line, BatchEcho(item.text) + " is out of range"};
        default:
            return {0, item.message};
    }
}

// A line's text as a message quotes it: without the blanks around it, at most 60 characters.
inline std::string QuotedLine(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) return "\"\"";
    const std::size_t end = line.find_last_not_of(" \t");
    return "\"" + BatchEcho(std::string(line.substr(start, end - start + 1))) + "\"";
}

// A line of numbers of an input file (a row of a table, a count, a range) holds them and nothing more. A
// comma ends a number, so a decimal comma ("1,5") reads as two numbers and would move every later number one
// place on; a row cut short would take its last numbers from the next line.
struct NumberLine {
    int line = 0;
    std::string_view text;

    // The line the reader takes its next number from.
    static NumberLine At(const TextFileReader& r) { return {r.Line(), r.CurrentLine()}; }

    // After the last of the numbers, read from `lastLine`: refused when it came from a later line or more
    // follows on this one. `what` names the numbers ("a row's wavelength and n").
    InputRefusal Refusal(const TextFileReader& r, int lastLine, const std::string& what) const {
        if (lastLine != line) return InputRefusal{line, QuotedLine(text) + " holds less than " + what};
        if (r.AtEnd() || r.Line() != line) return {};
        const bool comma = text.find(',') != std::string_view::npos;
        return InputRefusal{line,
                            QuotedLine(text) + " holds more than " + what +
                                (comma ? " (a comma ends a number: numbers take a decimal point)" : "")};
    }
};

// After the last row (`lastRow` names it, "row 3 of 3"): blank lines may follow, nothing else. The
// refusal is empty when nothing else follows.
inline InputRefusal TextAfterRows(TextFileReader& r, const std::string& lastRow) {
    r.SkipBlankLines();
    if (r.AtEnd()) return {};
    return {r.Line(), QuotedLine(r.CurrentLine()) + " follows the last row (" + lastRow + ")"};
}

}  // namespace tessary
