// Refractive-index file decoding.
#include "files/index_file.h"

#include <cstdint>
#include <utility>
#include <variant>

#include "files/input_refusal.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

using Decoded = std::variant<IndexFileTable, InputRefusal>;

Decoded Decode(TextFileReader& r) {
    const Item<std::string> header = r.ReadText();
    if (!header.ok()) return ItemRefusal(header, "the header");
    if (header.value != "Tessary 300") return InputRefusal{header.line, "the header must be \"Tessary 300\""};
    for (int i = 2; i <= 12; ++i) {
        const Item<std::string> skipped = r.ReadText();
        if (!skipped.ok()) return ItemRefusal(skipped, "the material name");
    }
    IndexFileTable t;
    const Item<std::string> name = r.ReadText();
    if (!name.ok()) return ItemRefusal(name, "the material name");
    if (name.value.size() > 100)
        return InputRefusal{name.line, "the material name is longer than 100 characters"};
    for (const char c : name.value)
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            return InputRefusal{name.line, "the material name holds a control character"};
    t.name = name.value;
    const Item<std::string> unit = r.ReadText();
    if (!unit.ok()) return ItemRefusal(unit, "the unit");
    const std::optional<double> factor = UnitFactorToUm(unit.value);
    if (!factor) return InputRefusal{unit.line, "the unit must be m, mm, um or nm"};
    const Item<std::string> type = r.ReadText();
    if (!type.ok()) return ItemRefusal(type, "the type");
    if (type.value != "Real" && type.value != "Complex")
        return InputRefusal{type.line, "the type must be \"Real\" or \"Complex\""};
    const bool complex = type.value == "Complex";
    const NumberLine countLine = NumberLine::At(r);
    const Item<std::int16_t> count = r.ReadInteger();
    if (!count.ok()) return ItemRefusal(count, "the row count");
    if (InputRefusal more = countLine.Refusal(r, count.line, "the row count"); more.refused()) return more;
    if (count.value < 1) return InputRefusal{count.line, "the row count must be at least 1"};
    const std::string rowNumbers = complex ? "a row's wavelength, n and k" : "a row's wavelength and n";
    std::string rowName;
    // Rows are appended as they are read, so the count sizes nothing the file does not hold.
    for (int i = 1; i <= count.value; ++i) {
        rowName = "row " + CStr(i) + " of " + CStr(count.value);
        const NumberLine line = NumberLine::At(r);
        const Item<float> w = r.ReadSingle();
        if (!w.ok()) return ItemRefusal(w, rowName);
        const Item<float> n = r.ReadSingle();
        if (!n.ok()) return ItemRefusal(n, "n of " + rowName);
        const Item<float> k = complex ? r.ReadSingle() : n;
        if (!k.ok()) return ItemRefusal(k, "k of " + rowName);
        if (InputRefusal refused = line.Refusal(r, k.line, rowNumbers); refused.refused()) return refused;
        IndexFileRow row;
        const Checked<float> um = CSng(static_cast<double>(w.value) * *factor);
        if (!um.ok()) return InputRefusal{w.line, "the wavelength is out of range"};
        // Runs look a wavelength up between neighbouring rows and need a positive n.
        if (!t.rows.empty() && !(um.value > t.rows.back().wavelength))
            return InputRefusal{w.line, "wavelengths must increase"};
        if (!(n.value > 0.0f)) return InputRefusal{n.line, "n must be greater than 0"};
        row.wavelength = um.value;
        row.n = n.value;
        if (complex) row.k = k.value;
        t.rows.push_back(row);
    }
    if (InputRefusal after = TextAfterRows(r, rowName); after.refused()) return after;
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
    Decoded decoded = Decode(reader);
    if (auto* table = std::get_if<IndexFileTable>(&decoded))
        result.table = std::move(*table);
    else
        result.message = RefusalText(kIndexFileError + fileName, std::get<InputRefusal>(decoded));
    return result;
}

}  // namespace tessary
