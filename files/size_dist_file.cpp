// Size-distribution file decoding; radii, weights and their sums in single precision.
#include "files/size_dist_file.h"

#include <cmath>

#include "files/index_file.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

std::optional<SizeDistTable> Decode(TextFileReader& r, SizeDistResult& result, const std::string& fileName) {
    const Item<std::string> header = r.ReadText();
    if (!header.ok() || (header.value != "Tessary 300" && header.value != "Tessary 301")) return std::nullopt;
    SizeDistTable t;
    t.version = header.value == "Tessary 301" ? 301 : 300;
    for (int i = 2; i <= 13; ++i)
        if (!r.ReadText().ok()) return std::nullopt;
    if (t.version == 301) {
        const Item<std::string> mode = r.ReadText();
        if (!mode.ok()) return std::nullopt;
        if (mode.value == "radius") t.sizeMode = 1;
        if (mode.value == "diameter") t.sizeMode = 2;
        if (t.sizeMode == 0)
            result.warning = kSizeDistFileError + fileName + kCR + "Specify radius or diameter in line 14";
    }
    const Item<std::string> unit = r.ReadText();
    const std::optional<double> factor = unit.ok() ? UnitFactorToUm(unit.value) : std::nullopt;
    if (!factor) return std::nullopt;
    const Item<std::string> type = r.ReadText();
    if (!type.ok() || (type.value != "Uniform" && type.value != "Non uniform")) return std::nullopt;
    t.histUniform = type.value == "Uniform" ? 1 : 0;
    const Item<double> count = r.ReadDouble();
    if (!count.ok() || count.value != std::floor(count.value) || count.value < 1 || count.value > 32767)
        return std::nullopt;
    t.sizeFileCount = count.value;
    const int n = static_cast<int>(count.value);
    if (t.histUniform == 1 && n < 2) return std::nullopt;  // the range needs two classes

    // A radius value of the file in micrometres: times the unit factor, halved for diameters.
    const auto toUm = [&](float v) -> std::optional<float> {
        const Checked<float> um = CSng(static_cast<double>(v) * *factor);
        if (!um.ok()) return std::nullopt;
        return t.sizeMode == 2 ? um.value / 2 : um.value;
    };
    // Classes are appended as they are read, so the count sizes nothing the file does not hold.
    for (auto* v : {&t.histRadius, &t.histRadius2, &t.histMidRadius, &t.histWeight}) v->push_back(0.0f);
    for (int i = 1; i <= n; ++i) {
        const Item<float> a = r.ReadSingle();
        const Item<float> b = t.histUniform == 1 ? Item<float>{} : r.ReadSingle();
        const Item<float> w = r.ReadSingle();
        if (!a.ok() || !b.ok() || !w.ok()) return std::nullopt;
        const std::optional<float> r1 = toUm(a.value);
        const std::optional<float> r2 = t.histUniform == 1 ? std::optional<float>(0.0f) : toUm(b.value);
        if (!r1 || !r2) return std::nullopt;
        t.histRadius.push_back(*r1);
        t.histRadius2.push_back(*r2);
        t.histMidRadius.push_back(t.histUniform == 1 ? 0.0f : (*r1 + *r2) / 2);
        t.histWeight.push_back(w.value);
        t.histWeightSum += w.value;
        if (w.value > t.histWeightMax) t.histWeightMax = w.value;
    }
    if (!(t.histWeightSum > 0.0f) || !std::isfinite(t.histWeightSum)) return std::nullopt;
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
    result.table = Decode(reader, result, fileName);
    if (!result.table) result.message = kSizeDistFileError + fileName;
    return result;
}

}  // namespace tessary
