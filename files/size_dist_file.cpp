// Size-distribution file decoding; radii, weights and their sums in single precision.
#include "files/size_dist_file.h"

#include <cmath>
#include <utility>
#include <variant>

#include "files/index_file.h"
#include "files/input_refusal.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

using Decoded = std::variant<SizeDistTable, InputRefusal>;

Decoded Decode(TextFileReader& r, SizeDistResult& result, const std::string& fileName) {
    const Item<std::string> header = r.ReadText();
    if (!header.ok()) return ItemRefusal(header, "the header");
    if (header.value != "Tessary 300" && header.value != "Tessary 301")
        return InputRefusal{header.line, "the header must be \"Tessary 300\" or \"Tessary 301\""};
    SizeDistTable t;
    t.version = header.value == "Tessary 301" ? 301 : 300;
    for (int i = 2; i <= 13; ++i) {
        const Item<std::string> skipped = r.ReadText();
        if (!skipped.ok()) return ItemRefusal(skipped, "the unit");
    }
    if (t.version == 301) {
        const Item<std::string> mode = r.ReadText();
        if (!mode.ok()) return ItemRefusal(mode, "\"radius\" or \"diameter\"");
        if (mode.value == "radius") t.sizeMode = 1;
        if (mode.value == "diameter") t.sizeMode = 2;
        if (t.sizeMode == 0)
            result.warning = kSizeDistFileError + fileName + kCR + "Specify radius or diameter in line 14";
    }
    const Item<std::string> unit = r.ReadText();
    if (!unit.ok()) return ItemRefusal(unit, "the unit");
    const std::optional<double> factor = UnitFactorToUm(unit.value);
    if (!factor) return InputRefusal{unit.line, "the unit must be m, mm, um or nm"};
    const Item<std::string> type = r.ReadText();
    if (!type.ok()) return ItemRefusal(type, "the type");
    if (type.value != "Uniform" && type.value != "Non uniform")
        return InputRefusal{type.line, "the type must be \"Uniform\" or \"Non uniform\""};
    t.histUniform = type.value == "Uniform" ? 1 : 0;
    const NumberLine countLine = NumberLine::At(r);
    const Item<double> count = r.ReadDouble();
    if (!count.ok()) return ItemRefusal(count, "the class count");
    if (InputRefusal more = countLine.Refusal(r, count.line, "the class count"); more.refused()) return more;
    if (count.value != std::floor(count.value) || count.value < 1 || count.value > 32767)
        return InputRefusal{count.line, "the class count must be a whole number from 1 to 32767"};
    t.sizeFileCount = count.value;
    const int n = static_cast<int>(count.value);
    if (t.histUniform == 1 && n < 2)  // the range needs two classes
        return InputRefusal{count.line, "a \"Uniform\" file needs at least two classes"};

    // A radius value of the file in micrometres: times the unit factor, halved for diameters.
    const auto toUm = [&](float v) -> std::optional<float> {
        const Checked<float> um = CSng(static_cast<double>(v) * *factor);
        if (!um.ok()) return std::nullopt;
        return t.sizeMode == 2 ? um.value / 2 : um.value;
    };
    // Classes are appended as they are read, so the count sizes nothing the file does not hold.
    for (auto* v : {&t.histRadius, &t.histRadius2, &t.histMidRadius, &t.histWeight}) v->push_back(0.0f);
    int lastLine = count.line;
    const std::string rowNumbers =
        t.histUniform == 1 ? "a row's radius and weight" : "a row's r1, r2 and weight";
    std::string className;
    for (int i = 1; i <= n; ++i) {
        className = "class " + CStr(i) + " of " + CStr(n);
        const NumberLine line = NumberLine::At(r);
        const Item<float> a = r.ReadSingle();
        if (!a.ok()) return ItemRefusal(a, className);
        const Item<float> b = t.histUniform == 1 ? Item<float>{} : r.ReadSingle();
        if (!b.ok()) return ItemRefusal(b, "r2 of " + className);
        const Item<float> w = r.ReadSingle();
        if (!w.ok()) return ItemRefusal(w, "the weight of " + className);
        if (InputRefusal refused = line.Refusal(r, w.line, rowNumbers); refused.refused()) return refused;
        const std::optional<float> r1 = toUm(a.value);
        const std::optional<float> r2 = t.histUniform == 1 ? std::optional<float>(0.0f) : toUm(b.value);
        if (!r1 || !r2) return InputRefusal{a.line, "the radius is out of range"};
        if (!(*r1 > 0.0f) || (t.histUniform == 0 && !(*r2 > 0.0f)))
            return InputRefusal{a.line, "radii must be greater than 0"};
        if (t.histUniform == 0 && !(*r1 < *r2)) return InputRefusal{a.line, "r1 must be less than r2"};
        // The histogram's range runs from its first class to its last and its bars stand in file order, so
        // the classes follow each other in increasing radius (the range would otherwise be empty or turned
        // round, and the picture draw no bar).
        if (i > 1 && t.histUniform == 1 && !(*r1 > t.histRadius.back()))
            return InputRefusal{a.line, "radii must increase"};
        if (i > 1 && t.histUniform == 0 && !(*r1 >= t.histRadius2.back()))
            return InputRefusal{a.line, "a class must not start below the end of the one before"};
        if (w.value < 0.0f) return InputRefusal{w.line, "weights must not be negative"};
        t.histRadius.push_back(*r1);
        t.histRadius2.push_back(*r2);
        t.histMidRadius.push_back(t.histUniform == 1 ? 0.0f : (*r1 + *r2) / 2);
        t.histWeight.push_back(w.value);
        t.histWeightSum += w.value;
        if (w.value > t.histWeightMax) t.histWeightMax = w.value;
        lastLine = w.line;
    }
    if (InputRefusal after = TextAfterRows(r, className); after.refused()) return after;
    if (!(t.histWeightSum > 0.0f)) return InputRefusal{lastLine, "the weights sum to 0"};
    if (!std::isfinite(t.histWeightSum))
        return InputRefusal{lastLine, "the sum of the weights is out of range"};
    for (int i = 1; i <= n; ++i) t.histWeight[static_cast<std::size_t>(i)] /= t.histWeightSum;
    const auto N = static_cast<std::size_t>(n);
    if (t.histUniform == 0) {
        t.histRadiusMin = t.histRadius[1];
        t.histRadiusMax = t.histRadius2[N];
    } else {
        const float h = (t.histRadius[2] - t.histRadius[1]) / 2;
        t.histRadiusMin = t.histRadius[1] - h;
        t.histRadiusMax = t.histRadius[N] + h;
    }
    return t;
}

}  // namespace

SizeDistResult DecodeSizeDistFile(TextFileReader& reader, const std::string& fileName) {
    SizeDistResult result;
    Decoded decoded = Decode(reader, result, fileName);
    if (auto* table = std::get_if<SizeDistTable>(&decoded))
        result.table = std::move(*table);
    else
        result.message = RefusalText(kSizeDistFileError + fileName, std::get<InputRefusal>(decoded));
    return result;
}

}  // namespace tessary
