// Spectrum file decoding.
#include "files/spectrum_file.h"

#include <cstdint>

#include "platform/text/conversions.h"

namespace tessary {

namespace {

SpectrumFileResult Refused(std::string message) { return {std::nullopt, std::move(message)}; }

}  // namespace

SpectrumFileResult DecodeSpectrumFile(TextFileReader& r) {
    const Item<std::string> header = r.ReadText();
    if (!header.ok() || header.value != "Tessary") return Refused(kSpectrumFileError);
    SpectrumTable t;
    float third = 0.0f;
    for (int loopN = 1; loopN <= 6; ++loopN) {
        if (loopN == 4) {
            const Item<float> lo = r.ReadSingle(), hi = r.ReadSingle(), step = r.ReadSingle();
            if (!lo.ok() || !hi.ok() || !step.ok()) return Refused(kSpectrumFileError);
            t.wlMin = lo.value;
            t.wlMax = hi.value;
            third = step.value;
            continue;
        }
        const Item<std::string> item = r.ReadText();
        if (!item.ok()) return Refused(kSpectrumFileError);
        if (loopN == 2 && item.value == "non-uniform") t.nonUniform = 1;
    }
    if (t.nonUniform == 0 && !(third > 0.0f)) return Refused(kSpectrumFileError);
    const float span = t.wlMax - t.wlMin;  // the difference in single precision
    const Checked<std::int16_t> count =
        CInt(t.nonUniform == 1 ? static_cast<double>(third) : static_cast<double>(span) / third + 1);
    if (!count.ok() || count.value < 1) return Refused(kSpectrumFileError);
    // Rows are appended as they are read, so the count sizes nothing the file does not hold.
    t.wave.push_back(0.0);
    t.value.push_back(0.0);
    for (int loopN = 1; loopN <= count.value; ++loopN) {
        const Item<double> w = r.ReadDouble(), v = r.ReadDouble();
        if (!w.ok() || !v.ok()) return Refused(kSpectrumFileError);
        t.wave.push_back(w.value);
        t.value.push_back(v.value);
        const Checked<float> single = CSng(w.value);
        if (loopN == 1 && (!single.ok() || single.value != t.wlMin))
            return Refused(std::string(kSpectrumFileError) + ": minimum wavelength incorrect");
        if (loopN == count.value && (!single.ok() || single.value != t.wlMax))
            return Refused(std::string(kSpectrumFileError) + ": maximum wavelength incorrect");
    }
    return {std::move(t), {}};
}

}  // namespace tessary
