// Spectrum files (.spe): "Tessary", an item, "non-uniform" or another word, an item, then minimum
// and maximum wavelength (nm) and the step (or, for a non-uniform file, the row count), two more
// items, then rows of wavelength (nm) and spectral value. The whole file is checked before a table
// is returned; the range and each row stand on lines of their own holding their numbers and nothing more, only
// blank lines follow the rows, the rows of a non-uniform file must list increasing wavelengths, and the values
// lie from 0 to 1E+30, the largest at least 1E-20.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/text/text_file.h"

namespace tessary {

inline constexpr const char* kSpectrumFileError = "Error in spectrum data file";

struct SpectrumTable {
    int nonUniform = 0;
    float wlMin = 0.0f, wlMax = 0.0f;
    std::vector<double> wave, value;  // rows 1..count; element 0 is 0 and not used
    int count() const { return static_cast<int>(wave.size()) - 1; }
};

struct SpectrumFileResult {
    std::optional<SpectrumTable> table;
    std::string message;  // when refused: the message, then " (line N: reason)"
};

SpectrumFileResult DecodeSpectrumFile(TextFileReader& reader);

}  // namespace tessary
