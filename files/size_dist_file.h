// Size-distribution files (.dis): "Tessary 300" or "Tessary 301", twelve items, for version 301
// "radius" or "diameter", the unit ("m", "mm", "um", "nm"), "Uniform" (rows r, w) or "Non uniform"
// (rows r1, r2, w), the class count, then the rows. The whole file is checked before a histogram is
// returned (the count and each row on lines of their own holding their numbers and nothing more, only blank
// lines after the rows); weights are divided by their sum.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/text/text_file.h"

namespace tessary {

inline constexpr const char* kSizeDistFileError = "Error in radius distribution file: ";

struct SizeDistTable {
    int version = 300;
    int sizeMode = 0;  // 1 radius, 2 diameter, 0 unset (values taken as radii)
    int histUniform = 0;
    double sizeFileCount = 0.0;
    // Classes 1..count (element 0 unused), in micrometres.
    std::vector<float> histRadius, histRadius2, histMidRadius, histWeight;
    float histWeightSum = 0.0f, histWeightMax = 0.0f, histRadiusMin = 0.0f, histRadiusMax = 0.0f;
};

struct SizeDistResult {
    std::optional<SizeDistTable> table;
    std::string message;  // when refused: kSizeDistFileError, the file's name, " (line N: reason)"
    // Version 301 without "radius" or "diameter" in line 14: shown, and the read goes on.
    std::optional<std::string> warning;
};

SizeDistResult DecodeSizeDistFile(TextFileReader& reader, const std::string& fileName);

}  // namespace tessary
