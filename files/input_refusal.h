// Refusals of the input-file readers (batch, spectrum, refractive-index and size-distribution files):
// every refusal is the reader's own message followed by " (line N: reason)", so the user sees which
// line of the file is wrong and why.
#pragma once

#include <string>

#include "files/batch_file.h"
#include "platform/text/conversions.h"
#include "platform/text/text_file.h"

namespace tessary {

struct InputRefusal {
    int line = 0;  // 0 when the file as a whole could not be read
    std::string reason;
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

}  // namespace tessary
