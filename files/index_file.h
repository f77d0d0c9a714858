// Refractive-index files (.rix): "Tessary 300", eleven items, the material name, the unit of the
// wavelengths ("m", "mm", "um", "nm"), "Real" or "Complex", the row count, then rows of wavelength, n
// (and k for "Complex"). The whole file is checked before a table is returned: the row count and each row
// stand on lines of their own holding their numbers and nothing more, and only blank lines follow the rows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "media/index_models.h"
#include "platform/text/text_file.h"

namespace tessary {

inline constexpr const char* kIndexFileError = "Error in refractive index data file: ";

struct IndexFileTable {
    std::string name;
    std::vector<IndexFileRow> rows;  // wavelengths in um, each CSng(value x unit factor)
};

struct IndexFileResult {
    std::optional<IndexFileTable> table;
    std::string message;  // when refused: kIndexFileError, the file's name, " (line N: reason)"
};

// Unit factors to micrometres; nullopt for any other word.
std::optional<double> UnitFactorToUm(const std::string& unit);

IndexFileResult DecodeIndexFile(TextFileReader& reader, const std::string& fileName);

}  // namespace tessary
