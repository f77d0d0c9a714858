// The band rules of the input checks; see band_rules.h. The index files and the spectrum file give no value
// outside their rows, compared in Single as they are read; the water models hold for the bands of their
// fits and tables.
#include "runs/band_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <utility>

#include "colour/wavelength_set.h"
#include "graphs/graph_codes.h"
#include "platform/text/conversions.h"
#include "runs/run_rules.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

constexpr const char* kInputError = "Input error";
constexpr const char* kWater = "Refractive index of water";
constexpr const char* kSunlight = "Spectrum of sunlight";
constexpr const char* kSpectrumFile = "Spectrum from file";

bool Iapws(const BandInputs& in) {
    return in.models.sphere == SphereModel::IAPWS || in.models.medium == MediumModel::IAPWS;
}
bool MetalSphere(const BandInputs& in) {
    const SphereModel s = in.models.sphere;
    return s == SphereModel::Au || s == SphereModel::Ag || s == SphereModel::Cu;
}

// The water models fitted to the visible band, by the name their messages give them.
constexpr std::pair<SphereModel, const char*> kVisibleWaterFits[] = {
    {SphereModel::Cowley, "Cowley's"},
    {SphereModel::Gedzelman, "Gedzelman's"},
    {SphereModel::KayeLaby, "Kaye & Laby's"},
    {SphereModel::Lynch, "Lynch & Livingston's"}};
constexpr const char* kVisibleFitBand =
    " values for refractive index of water are valid only for the 0.38 - 0.7 um band";
constexpr const char* kRayBand =
    "Ray's values for refractive index of water are valid only for the 0.2  - 30,000 um band";

// The title of a band message about a material's index.
std::string IndexTitle(const std::string& name) { return "Refractive index of " + name; }

// A refusal that paints `red` (nothing: the message names the model alone, about the wavelength).
InputRefusal Refusal(std::vector<RuleInput> red, std::string prompt, std::string title) {
    InputRefusal r;
    r.prompt = std::move(prompt);
    r.title = std::move(title);
    r.about = red.empty() ? RuleInput::Lambda : red.front();
    r.red = std::move(red);
    return r;
}

// Several wavelengths: the band dialog's boxes whose own conditions fail are painted (after the message,
// unless `paintFirst`), and the dialog opens.
InputRefusal BandFail(bool minRed, bool maxRed, std::string prompt, std::string title,
                      bool paintFirst = false) {
    std::vector<RuleInput> red;
    if (minRed) red.push_back(RuleInput::BandMin);
    if (maxRed) red.push_back(RuleInput::BandMax);
    InputRefusal r = Refusal(std::move(red), std::move(prompt), std::move(title));
    if (r.red.empty()) r.about = RuleInput::BandMin;
    r.paintAfter = !paintFirst;
    r.bandDialog = true;
    return r;
}

// First and last wavelength of an index file's rows; false when no file has been read.
bool FileBand(const std::vector<IndexFileRow>& rows, float& lo, float& hi) {
    if (rows.empty()) return false;
    lo = rows.front().wavelength;
    hi = rows.back().wavelength;
    return true;
}

// "Values for refractive index of N are valid only for the band  lo - hi nm ( lo - hi um)".
std::string FileBandPrompt(const std::string& name, float lo, float hi) {
    const std::string hiNm = Str(static_cast<float>(hi * 1000.0f));
    return "Values for refractive index of " + name + " are valid only for the band " +
           Str(static_cast<float>(lo * 1000.0f)) + " - " + hiNm + " nm (" + Str(lo) + " - " + Str(hi) +
           " um)";
}

std::string MetalPrompt(const BandInputs& in, const char* band) {
    return "The values for refractive index of " + in.sphereName + " are valid only for the " + band +
           " band";
}

// One wavelength: the sphere's index file, then the models of the visible band, Ray's table, IAPWS, the
// metals and the complex IAPWS index.
std::optional<InputRefusal> OneWavelengthBands(const BandInputs& in) {
    const double lambda = in.lambda;
    float lo = 0, hi = 0;
    const float l = static_cast<float>(lambda);
    if (in.models.sphere == SphereModel::File && FileBand(in.models.fileIndices1, lo, hi) &&
        !(lo <= l && l <= hi))
        return Refusal({}, FileBandPrompt(in.sphereName, lo, hi), IndexTitle(in.sphereName));
    if (lambda >= 0.38 && lambda <= 0.7) return std::nullopt;
    for (const auto& [model, name] : kVisibleWaterFits)
        if (in.models.sphere == model)
            return Refusal({RuleInput::Lambda}, std::string(name) + kVisibleFitBand, kWater);
    if (in.models.sphere == SphereModel::Ray && (lambda > 30000 || lambda < 0.2))
        return Refusal({RuleInput::Lambda}, kRayBand, kWater);
    if (Iapws(in) && (lambda > 2 || lambda < 0.15))
        return Refusal({RuleInput::Lambda},
                       "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band",
                       kWater);
    if (MetalSphere(in) && (lambda < 0.187878 || lambda > 1.93479))
        return Refusal({RuleInput::Lambda}, MetalPrompt(in, "187 - 1935 nm"), IndexTitle(in.sphereName));
    if (in.complexWater && Iapws(in))
        return Refusal(
            {RuleInput::Lambda},
            "Complex values with IAPWS are available only for 0.38 - 0.7 um band.  Use Segelstein for UV "
            "or IR bands",
            kWater);
    return std::nullopt;
}

// The first and last wavelength of the chosen spectrum file's rows, in um and Single as the band's limits;
// false without one, or when its one row (or equal first and last wavelengths) weighs every wavelength alike.
bool SpectrumFileRows(const BandInputs& in, float& lo, float& hi) {
    const std::vector<double>& wave = in.spectrumFileWave;
    if (in.spectrum != BandSpectrum::File || wave.size() < 3) return false;
    lo = static_cast<float>(wave[1] / 1000);
    hi = static_cast<float>(wave.back() / 1000);
    return lo < hi;
}

std::string SpectrumFilePrompt(const BandInputs& in) {
    const std::vector<double>& wave = in.spectrumFileWave;
    return "The spectrum from the file is valid only for " + CStr(wave[1]) + " nm to " + CStr(wave.back()) +
           " nm band";
}

// "RGB" computes its three wavelengths whatever the band: the rows of the index files and of the spectrum
// file, which give nothing outside them, must hold each. The list that chose them is marked.
std::optional<InputRefusal> RgbWavelengthsInFiles(const BandInputs& in) {
    if (!in.rgb) return std::nullopt;
    const auto [lowest, highest] =
        std::minmax_element(std::begin(kRgbWavelengthsUm), std::end(kRgbWavelengthsUm));
    const auto outside = [&](float lo, float hi) { return !(*lowest >= lo && *highest <= hi); };
    float lo = 0, hi = 0;
    if (in.models.sphere == SphereModel::File && FileBand(in.models.fileIndices1, lo, hi) && outside(lo, hi))
        return Refusal({RuleInput::Waves}, FileBandPrompt(in.sphereName, lo, hi), IndexTitle(in.sphereName));
    if (in.models.medium == MediumModel::File && FileBand(in.models.fileIndices2, lo, hi) && outside(lo, hi))
        return Refusal({RuleInput::Waves}, FileBandPrompt(in.mediumName, lo, hi), IndexTitle(in.mediumName));
    if (SpectrumFileRows(in, lo, hi) && outside(lo, hi))
        return Refusal({RuleInput::Waves}, SpectrumFilePrompt(in), kSpectrumFile);
    return std::nullopt;
}

// The band's water rows: outside the visible band, the complex index and the water models' own bands.
std::optional<InputRefusal> WaterBands(const BandInputs& in, bool fileSphere) {
    const float mx = in.bandMaxUm, mn = in.bandMinUm;
    const bool below = mn<0.38f, above = mx> 0.7f;
    const std::string visible =
        " values for refractive index of water are valid only for the 380 - 700 nm band";
    const SphereModel s = in.models.sphere;
    if (in.spectrum == BandSpectrum::SunLee)
        return BandFail(below, above, "Lee's spectrum of sunlight is valid only for 380 nm to 700 nm band",
                        kSunlight);
    const std::string complexPrompt = std::string("Complex values are available only for 380 - 700 nm band") +
                                      kCR + "Use Segelstein's data, which covers 10 nm to 10 m";
    const std::string complexTitle = "Complex values of refractive index of water";
    // The water dialog's complex index holds for the water models; beside a file or metal sphere only the
    // medium's water is one.
    const bool complexWater =
        in.complexWater && (!(fileSphere || MetalSphere(in)) || in.models.medium == MediumModel::IAPWS);
    if (complexWater && above) return BandFail(false, true, complexPrompt, complexTitle);
    if (complexWater && below) return BandFail(true, false, complexPrompt, complexTitle);
    if (s == SphereModel::Cowley) return BandFail(below, above, "Cowley's" + visible, kWater);
    if (Iapws(in) && !(mx <= 2.0f && mn >= 0.15f))
        return BandFail(
            mn<0.15f, mx> 2.0f,
            "IAPWS values for refractive index of water are valid only for the 150 - 2000 nm band", kWater,
            true);
    if (s == SphereModel::Lynch) return BandFail(below, above, "Lynch & Livingston's" + visible, kWater);
    if (s == SphereModel::Ray && (mn < 0.2f || mx > 30000.0f))
        return BandFail(
            mn<0.2f, mx> 30000.0f,
            "Ray's values for refractive index of water are valid only for the 0.2 um - 0.03m band", kWater);
    if (s == SphereModel::KayeLaby) return BandFail(below, above, "Kaye & Laby's" + visible, kWater);
    if (s == SphereModel::Gedzelman) return BandFail(below, above, "Gedzelman's" + visible, kWater);
    return std::nullopt;
}

// Several wavelengths: the band of the spectrum dialog against the spectrum and the models.
std::optional<InputRefusal> SpectrumBands(const BandInputs& in) {
    const float mx = in.bandMaxUm, mn = in.bandMinUm;
    if (!(mn > 0.0f) || !(mn < mx)) {  // no band at all: the runs would get wavelengths <= 0
        // The boxes are in the band dialog, closed while the message shows: the message names them.
        InputRefusal r = BandFail(true, mn > 0.0f,
                                  std::string("The Lower limit (nm) of the Spectrum limits dialog must be ") +
                                      (mn > 0.0f ? "below its Upper limit (nm)" : "above 0") +
                                      ". The dialog opens with the incorrect entries red.",
                                  kInputError, true);
        return r;
    }
    if (in.spectrum == BandSpectrum::SunWernand && !(mx <= 1.0f && mn >= 0.35f))
        return BandFail(mn<0.35f, mx> 1.0f,
                        "Wernand's spectrum of sunlight is valid only for 350 nm to 1000 nm band", kSunlight);
    float lo = 0, hi = 0;
    if (SpectrumFileRows(in, lo, hi) && !(mn >= lo && mx <= hi))
        return BandFail(mn<lo, mx> hi, SpectrumFilePrompt(in), kSpectrumFile);
    // A sphere of an index file or of a metal has its own band; the spectrum's and the medium's rows below
    // hold for it as for any sphere.
    const bool fileSphere = in.models.sphere == SphereModel::File;
    if (fileSphere && FileBand(in.models.fileIndices1, lo, hi) && !(mn >= lo && mx <= hi))
        return BandFail(mn<lo, mx> hi, FileBandPrompt(in.sphereName, lo, hi), IndexTitle(in.sphereName));
    if (!fileSphere && MetalSphere(in) && !(mx <= 1.93479f && mn >= 0.187878f))
        return BandFail(mn<0.187878f, mx> 1.93479f, MetalPrompt(in, "187 - 1935 nm (0.187 - 1.935 um)"),
                        IndexTitle(in.sphereName));
    if (mx <= 0.7f && mn >= 0.38f) return std::nullopt;
    return WaterBands(in, fileSphere);
}

// The medium's index file, at one wavelength or over the band.
std::optional<InputRefusal> MediumFileBand(const BandInputs& in) {
    float lo = 0, hi = 0;
    if (in.models.medium != MediumModel::File || !FileBand(in.models.fileIndices2, lo, hi))
        return std::nullopt;
    const std::string prompt = FileBandPrompt(in.mediumName, lo, hi);
    const std::string title = IndexTitle(in.mediumName);
    if (in.waveCount < 2) {
        const float l = static_cast<float>(in.lambda);
        if (!(lo <= l && l <= hi)) return Refusal({}, prompt, title);
        return std::nullopt;
    }
    const float mn = in.bandMinUm, mx = in.bandMaxUm;
    if (!(mn >= lo && mx <= hi)) return BandFail(mn<lo, mx> hi, prompt, title);
    return std::nullopt;
}

// A wavelength axis in nm: its ends as typed, the last wavelength the run computes (at or past the upper
// end) and the inputs that hold them.
struct WavelengthAxis {
    double lo, hi, last;
    RuleInput lowBox, highBox, lastBox;
};

// The input to mark when the axis passes above a band's end (`above` tells whether a wavelength in nm
// does); none when it stays inside.
template <class Above>
std::optional<RuleInput> HighBox(const WavelengthAxis& a, Above above) {
    if (above(a.hi)) return a.highBox;
    if (above(a.last)) return a.lastBox;
    return std::nullopt;
}

// An index file's band over an axis, in Single as the files are read.
std::optional<InputRefusal> AxisFileBand(const WavelengthAxis& a, bool chosen,
                                         const std::vector<IndexFileRow>& rows, const std::string& name) {
    float lo = 0, hi = 0;
    if (!chosen || !FileBand(rows, lo, hi)) return std::nullopt;
    const std::optional<RuleInput> box =
        static_cast<float>(a.lo / 1000) < lo
            ? a.lowBox
            : HighBox(a, [hi](double nm) { return static_cast<float>(nm / 1000) > hi; });
    if (!box) return std::nullopt;
    return Refusal({*box}, FileBandPrompt(name, lo, hi), IndexTitle(name));
}

// Every wavelength of the axis inside the band of the sphere's and the medium's models: the first model that
// leaves it refuses, its low input red, or the input of the end past which it goes.
std::optional<InputRefusal> WavelengthAxisBands(const BandInputs& in, const WavelengthAxis& a) {
    const auto band = [&a](double from, double to, const std::string& prompt,
                           const std::string& title) -> std::optional<InputRefusal> {
        if (a.lo < from) return Refusal({a.lowBox}, prompt, title);
        if (const std::optional<RuleInput> box = HighBox(a, [to](double nm) { return nm > to; }))
            return Refusal({*box}, prompt, title);
        return std::nullopt;
    };
    const std::string hint = "(Menu: Advanced -> Refractive index -> Sphere -> Water)";
    std::optional<InputRefusal> r;
    if (Iapws(in)) {
        r = band(150, 2000,
                 "IAPWS values are valid only for the 150 - 2000 nm band.  Use Segelstein's data " + hint,
                 kWater);
        if (!r && in.complexWater)
            r = band(
                380, 700,
                "Complex values with IAPWS are valid only for the 380 - 700 nm band.  Use Segelstein's data " +
                    hint,
                kWater);
        if (r) return r;
    }
    // The models of the visible band, and Ray's table, as one wavelength checks them.
    const SphereModel s = in.models.sphere;
    for (const auto& [model, name] : kVisibleWaterFits)
        if (s == model) r = band(380, 700, std::string(name) + kVisibleFitBand, kWater);
    if (s == SphereModel::Ray) r = band(200, 3e7, kRayBand, kWater);
    if (s == SphereModel::Segelstein)
        r = band(10, 10000, "Segelstein's values are valid only for the 10 - 10,000 nm band", kWater);
    if (MetalSphere(in)) r = band(188, 1934, MetalPrompt(in, "187 - 1935 nm"), IndexTitle(in.sphereName));
    if (r) return r;
    // The index files give no value outside their rows.
    if ((r = AxisFileBand(a, s == SphereModel::File, in.models.fileIndices1, in.sphereName))) return r;
    return AxisFileBand(a, in.models.medium == MediumModel::File, in.models.fileIndices2, in.mediumName);
}

}  // namespace

std::optional<InputRefusal> BandRule(const BandInputs& in) {
    if (std::optional<InputRefusal> r = in.waveCount < 2 ? OneWavelengthBands(in) : SpectrumBands(in))
        return r;
    if (std::optional<InputRefusal> r = MediumFileBand(in)) return r;
    return in.waveCount < 2 ? std::nullopt : RgbWavelengthsInFiles(in);
}

std::optional<InputRefusal> AxisBandRule(const BandInputs& in) {
    const int code = in.graphCode;
    if (code != kGraphWavelength && code != kGraphEfficiencyWavelength &&
        !(code == kGraphAsymmetry && in.graphSubCode == kSubAsymmetryWavelength))
        return std::nullopt;
    // The last linear step the run computes may lie past the maximum typed: the bands hold it too. When only
    // that step crosses a band's end, the step is marked.
    double last = in.xMax;
    const std::optional<SweepPlan> plan =
        PlanSweep(code, in.xMin, in.xMax, in.xMin, in.xMax, in.step, in.logSteps);
    if (plan && !plan->logSteps) last = std::max(in.xMax, plan->x(plan->lastPoint));
    return WavelengthAxisBands(in,
                               {in.xMin, in.xMax, last, RuleInput::XMin, RuleInput::XMax, RuleInput::Step});
}

std::optional<InputRefusal> MapBandRule(const BandInputs& in) {
    if (in.graphCode != kGraphMapWavelength) return std::nullopt;
    return WavelengthAxisBands(
        in, {in.mapMin, in.mapMax, in.mapMax, RuleInput::MapMin, RuleInput::MapMax, RuleInput::MapSteps});
}

namespace {

// The wavelength counts of a run's rows: each row of a Lee diagram takes the count of its radius (as its sweep
// forms it from Singles) where the list names the count by the radius; any other run the one count.
std::vector<int> RowWaveCounts(const BandInputs& in) {
    std::vector<int> counts{in.waveCount};
    if (in.graphCode != kGraphLee || !WaveCountForRadius(in.waveText, 1.0)) return counts;
    const Checked<float> start = CSng(in.leeRadius), end = CSng(in.leeMax), steps = CSng(in.leeSteps);
    const Checked<std::int16_t> last = CInt(steps.value);
    if (!start.ok() || !end.ok() || !steps.ok() || !(steps.value > 0) || !last.ok()) return counts;
    const double ratio = LeeRatio(start.value, end.value, steps.value);
    for (int k = 0; k <= last.value; ++k) {
        const int n =
            WaveCountForRadius(in.waveText, start.value * std::pow(ratio, k)).value_or(in.waveCount);
        if (std::find(counts.begin(), counts.end(), n) == counts.end()) counts.push_back(n);
    }
    return counts;
}

}  // namespace

std::vector<double> ModelIndexWavelengths(const BandInputs& in, double mapSteps) {
    std::vector<double> um;
    const int code = in.graphCode;
    if (code == kGraphWavelength || code == kGraphEfficiencyWavelength ||
        (code == kGraphAsymmetry && in.graphSubCode == kSubAsymmetryWavelength)) {
        if (const std::optional<SweepPlan> plan =
                PlanSweep(code, in.xMin, in.xMax, in.xMin, in.xMax, in.step, in.logSteps))
            for (std::int32_t i = plan->firstPoint; i <= plan->lastPoint; ++i)
                um.push_back(plan->x(i) / 1000);
        return um;
    }
    if (code == kGraphMapWavelength) {
        const Checked<std::int16_t> last = CInt(mapSteps);
        if (mapSteps > 0 && last.ok())
            for (int k = 0; k <= last.value; ++k)
                um.push_back(MapSweepValue(in.mapMin, in.mapMax, k, mapSteps) / 1000);
        return um;
    }
    if ((code >= kFirstSweepGraph && code <= kLastSweepGraph) || code > kGraphLee || in.waveCount < 2)
        return um;
    if (in.rgb) return std::vector<double>(std::begin(kRgbWavelengthsUm), std::end(kRgbWavelengthsUm));
    for (const int count : RowWaveCounts(in))
        for (int k = 1; k <= count; ++k) um.push_back(BandCentre(in.bandMinUm, in.bandMaxUm, count, k));
    return um;
}

}  // namespace tessary
