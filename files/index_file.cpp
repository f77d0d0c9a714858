// Refractive-index file decoding.
#include "files/index_file.h"

#include <cstdint>
#include <utility>

#include "platform/text/conversions.h"

namespace tessary {

namespace {

bool PlainName(const std::string& name) {
    if (name.size() > 100) return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 32 || c == 127) return false;
    return true;
}

std::optional<IndexFileTable> Decode(TextFileReader& r) {
    const Item<std::string> header = r.ReadText();
    if (!header.ok() || header.value != "Tessary 300") return std::nullopt;
    for (int i = 2; i <= 12; ++i)
        if (!r.ReadText().ok()) return std::nullopt;
    IndexFileTable t;
    const Item<std::string> name = r.ReadText();
    if (!name.ok() || !PlainName(name.value)) return std::nullopt;
    t.name = name.value;
    const Item<std::string> unit = r.ReadText();
    const std::optional<double> factor = unit.ok() ? UnitFactorToUm(unit.value) : std::nullopt;
    if (!factor) return std::nullopt;
    const Item<std::string> type = r.ReadText();
    if (!type.ok() || (type.value != "Real" && type.value != "Complex")) return std::nullopt;
    const bool complex = type.value == "Complex";
    const Item<std::int16_t> count = r.ReadInteger();
    if (!count.ok() || count.value < 1) return std::nullopt;
    // Rows are appended as they are read, so the count sizes nothing the file does not hold.
    for (int i = 1; i <= count.value; ++i) {
        const Item<float> w = r.ReadSingle();
        const Item<float> n = r.ReadSingle();
        if (!w.ok() || !n.ok()) return std::nullopt;
        IndexFileRow row;
        const Checked<float> um = CSng(static_cast<double>(w.value) * *factor);
        if (!um.ok()) return std::nullopt;
        row.wavelength = um.value;
        row.n = n.value;
        if (complex) {
            const Item<float> k = r.ReadSingle();
            if (!k.ok()) return std::nullopt;
            row.k = k.value;
        }
        t.rows.push_back(row);
    }
    return t;
}

}  // namespace

std::optional<double> UnitFactorToUm(const std::string& unit) {
    if (unit == "m") return 1000000.0;
    if (unit == "mm") return 1000.0;
    if (unit == "um") return 1.0;
    if (unit == "nm") return 0.001;
    return std::nullopt;
}

IndexFileResult DecodeIndexFile(TextFileReader& reader, const std::string& fileName) {
    IndexFileResult result;
    result.table = Decode(reader);
    if (!result.table) result.message = kIndexFileError + fileName;
    return result;
}

}  // namespace tessary
