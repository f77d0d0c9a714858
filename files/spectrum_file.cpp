// Spectrum file decoding.
#include "files/spectrum_file.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "files/input_refusal.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

SpectrumFileResult Refused(const std::string& message, const InputRefusal& refusal) {
    return {std::nullopt, RefusalText(message, refusal)};
}

// The row count of item 5: the third value (non-uniform) or (maximum - minimum) / step + 1, the
// difference in single precision, rounded to a whole number with halves to even.
double RowCount(const SpectrumTable& t, float third) {
    const float span = t.wlMax - t.wlMin;
    return std::nearbyint(t.nonUniform == 1 ? static_cast<double>(third)
                                            : static_cast<double>(span) / third + 1);
}

}  // namespace

SpectrumFileResult DecodeSpectrumFile(TextFileReader& r) {
    constexpr int kMaxRows = std::numeric_limits<std::int16_t>::max();
    constexpr double kMaxSpectralValue = 1e30;
    // The file's values weigh the wavelengths as they stand, so its largest value sets the scale of every
    // colour sum. A Lee diagram or map stores each cell's sums, sum over i of w_i c_i |S_i|^2 / k_i^2 (c_i <= 1
    // the wavelength's share of red, green or blue, |S_i|^2 / k_i^2 a cross-section per steradian in m^2, the
    // smallest unit a run offers), as Singles, whose normal range ends at 1.18E-38: below it a sum loses its
    // digits and then reads 0, a black column. With weights of 1 those sums lie near 1E-10 for drops of a few
    // micrometres and fall as r^6 to about 3E-17 for drops of 0.03 um; a largest value of 1E-20 keeps them
    // at 3E-37 and above, 20 times the least normal Single (1E-30 stores a 5 um diagram's dimmest near 1E-40).
    constexpr double kMinLargestValue = 1e-20;
    const Item<std::string> header = r.ReadText();
    if (!header.ok()) return Refused(kSpectrumFileError, ItemRefusal(header, "the header"));
    if (header.value != "Tessary")
        return Refused(kSpectrumFileError, {header.line, "the header must be \"Tessary\""});
    SpectrumTable t;
    float third = 0.0f;
    int rangeLine = 0;
    for (int loopN = 1; loopN <= 6; ++loopN) {
        if (loopN == 4) {
            const char* const names[] = {"the minimum wavelength", "the maximum wavelength",
                                         "the step or row count"};
            const NumberLine line = NumberLine::At(r);
            float v[3] = {};
            for (int i = 0; i < 3; ++i) {
                const Item<float> x = r.ReadSingle();
                if (!x.ok()) return Refused(kSpectrumFileError, ItemRefusal(x, names[i]));
                v[i] = x.value;
                rangeLine = x.line;
            }
            const std::string thirdName = t.nonUniform == 1 ? "the row count" : "the step";
            if (InputRefusal refused =
                    line.Refusal(r, rangeLine, "the minimum and maximum wavelength and " + thirdName);
                refused.refused())
                return Refused(kSpectrumFileError, refused);
            t.wlMin = v[0];
            t.wlMax = v[1];
            third = v[2];
            continue;
        }
        const Item<std::string> item = r.ReadText();
        if (!item.ok())
            return Refused(kSpectrumFileError, ItemRefusal(item, loopN < 4 ? "the range" : "the rows"));
        if (loopN == 2 && item.value == "non-uniform") t.nonUniform = 1;
    }
    if (t.nonUniform == 0 && !(third > 0.0f))
        return Refused(kSpectrumFileError, {rangeLine, "the step must be greater than 0"});
    const double rows = RowCount(t, third);
    if (!(rows >= 1)) return Refused(kSpectrumFileError, {rangeLine, "the file must have at least one row"});
    if (rows > kMaxRows) {
        const std::string given = std::isfinite(rows) ? CStr(rows) + " rows, more" : "more rows";
        return Refused(kSpectrumFileError,
                       {rangeLine, given + " than the " + CStr(kMaxRows) + " a spectrum file can hold"});
    }
    const int count = static_cast<int>(rows);
    // Rows are appended as they are read, so the count sizes nothing the file does not hold.
    t.wave.push_back(0.0);
    t.value.push_back(0.0);
    std::string rowName;
    int lastLine = rangeLine, largestLine = rangeLine;
    double largest = 0;
    for (int loopN = 1; loopN <= count; ++loopN) {
        rowName = "row " + CStr(loopN) + " of " + CStr(count);
        const NumberLine line = NumberLine::At(r);
        const Item<double> w = r.ReadDouble();
        if (!w.ok()) return Refused(kSpectrumFileError, ItemRefusal(w, rowName));
        const Item<double> v = r.ReadDouble();
        if (!v.ok()) return Refused(kSpectrumFileError, ItemRefusal(v, "the value of " + rowName));
        if (InputRefusal refused = line.Refusal(r, v.line, "a row's wavelength and value"); refused.refused())
            return Refused(kSpectrumFileError, refused);
        if (v.value < 0) return Refused(kSpectrumFileError, {v.line, "spectral values must not be negative"});
        // Larger weights overflow the sums over the wavelengths of a run.
        if (v.value > kMaxSpectralValue)
            return Refused(kSpectrumFileError, {v.line, "spectral values must not be above 1E+30"});
        // A non-uniform file is interpolated on the wavelengths it lists: they must increase.
        if (t.nonUniform == 1 && loopN > 1 && !(w.value > t.wave.back()))
            return Refused(kSpectrumFileError, {w.line, "wavelengths must increase"});
        if (v.value > largest) largest = v.value, largestLine = v.line;
        t.wave.push_back(w.value);
        t.value.push_back(v.value);
        lastLine = v.line;
        const Checked<float> single = CSng(w.value);
        if (loopN == 1 && (!single.ok() || single.value != t.wlMin))
            return Refused(std::string(kSpectrumFileError) + ": minimum wavelength incorrect",
                           {w.line, BatchEcho(w.text) + " is not the minimum " + CStr(t.wlMin)});
        if (loopN == count && (!single.ok() || single.value != t.wlMax))
            return Refused(std::string(kSpectrumFileError) + ": maximum wavelength incorrect",
                           {w.line, BatchEcho(w.text) + " is not the maximum " + CStr(t.wlMax)});
    }
    if (InputRefusal after = TextAfterRows(r, rowName); after.refused())
        return Refused(kSpectrumFileError, after);
    // Weights that are all 0 weight nothing: every colour would be black. The weights of a run are
    // Singles, so a value too small for one (1E-50) weighs as 0.
    if (static_cast<float>(largest) == 0.0f)
        return Refused(kSpectrumFileError, {lastLine, "spectral values must not all be 0"});
    if (largest < kMinLargestValue)
        return Refused(kSpectrumFileError,
                       {largestLine, "the largest spectral value must be at least 1E-20"});
    return {std::move(t), {}};
}

}  // namespace tessary
