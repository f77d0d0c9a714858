// Input checks of the sweeps over an x variable, the size distributions and the wavelength bands of
// the index models and spectra. The rows run in the order CheckInput calls them; the first failure
// shows its message, paints its input red and stops the checks.
//
// Beyond the program's historical checks: a sweep's angle must lie on an angle grid (the sweep would
// otherwise run on the previous run's grid); logarithmic steps are a whole number up to 18000 (the
// curves hold no more points); the asymmetry parameter against wavelength gets the wavelength-axis
// bands too; the Gaussian beam writes no efficiencies, so their graphs need a plane wave; the spectrum
// band must start above 0 and below its upper end. The rows of a wavelength map get the bands of a
// wavelength axis, and both get those of the index files, which hold no value outside their rows; so
// do the three wavelengths of "RGB", which lie outside the band when it is narrow.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "colour/wavelength_set.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/size_distribution.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"
#include "runs/method_codes.h"
#include "runs/sweep_checks.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

constexpr const char* kInputError = "Input error";
constexpr const char* kWater = "Refractive index of water";
constexpr const char* kSunlight = "Spectrum of sunlight";

CheckNext Fail(const std::string& prompt, const std::string& title) {
    msgBox(prompt, mb::kOkOnly, title);
    return CheckNext::Stop;
}
CheckNext FailRed(Control& box, const std::string& prompt, const std::string& title) {
    box.setBackColor(kRed);
    return Fail(prompt, title);
}

bool Iapws(const Form1& f) { return f.mnuRI_IAPWS.checked() || f.mnuRI_IAPWS2.checked(); }
bool MetalSphere(const Form1& f) {
    return f.mnuRI_Au.checked() || f.mnuRI_Ag.checked() || f.mnuRI_Cu.checked();
}
bool ComplexWater(Form1& f) { return f.dlogTemp_->chkRI_Complex.value() == 1; }

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

// Several wavelengths: the failing band row paints the dialog's boxes whose own conditions hold,
// (after its message, unless `paintFirst`), opens the band dialog and stops.
class SpectrumBand {
  public:
    explicit SpectrumBand(Form1& form) : f(form) {}
    CheckNext fail(bool minRed, bool maxRed, const std::string& prompt, const std::string& title,
                   bool paintFirst = false) {
        if (paintFirst) paint(minRed, maxRed);
        msgBox(prompt, mb::kOkOnly, title);
        if (!paintFirst) paint(minRed, maxRed);
        f.mnuSpectrumBand_Click();
        return CheckNext::Stop;
    }

  private:
    void paint(bool minRed, bool maxRed) {
        if (minRed) f.dlogSpectrumBand_->txtSpectrumMin.setBackColor(kRed);
        if (maxRed) f.dlogSpectrumBand_->txtSpectrumMax.setBackColor(kRed);
    }
    Form1& f;
};

// Step 7 at one wavelength.
CheckNext OneWavelengthBands(Form1& f, double lambda) {
    float lo = 0, hi = 0;
    const float l = static_cast<float>(lambda);
    if (f.mnuRI_File1.checked() && FileBand(f.indexState.indexModels.fileIndices1, lo, hi) &&
        !(lo <= l && l <= hi))
        return Fail(FileBandPrompt(f.indexState.sphereName, lo, hi),
                    "Refractive index of " + f.indexState.sphereName);
    if (lambda >= 0.38 && lambda <= 0.7) return CheckNext::GoOn;
    const std::string visible =
        " values for refractive index of water are valid only for the 0.38 - 0.7 um band";
    if (f.mnuRI_Cowley.checked()) return FailRed(f.txtLambda, "Cowley's" + visible, kWater);
    if (f.mnuRI_Gedzelman.checked()) return FailRed(f.txtLambda, "Gedzelman's" + visible, kWater);
    if (f.mnuRI_KayeLaby.checked()) return FailRed(f.txtLambda, "Kaye & Laby's" + visible, kWater);
    if (f.mnuRI_Lynch.checked()) return FailRed(f.txtLambda, "Lynch & Livingston's" + visible, kWater);
    if (f.mnuRI_Ray.checked() && (lambda > 30000 || lambda < 0.2))
        return FailRed(
            f.txtLambda,
            "Ray's values for refractive index of water are valid only for the 0.2  - 30,000 um band",
            kWater);
    if (Iapws(f) && (lambda > 2 || lambda < 0.15))
        return FailRed(f.txtLambda,
                       "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band",
                       kWater);
    if (MetalSphere(f) && (lambda < 0.187878 || lambda > 1.93479))
        return FailRed(f.txtLambda,
                       "The values for refractive index of " + f.indexState.sphereName +
                           " are valid only for the 187 - 1935 nm band",
                       "Refractive index of " + f.indexState.sphereName);
    if (ComplexWater(f) && Iapws(f))
        return FailRed(f.txtLambda,
                       "Complex values with IAPWS are available only for 0.38 - 0.7 um band.  Use Segelstein "
                       "for UV or IR bands",
                       kWater);
    return CheckNext::GoOn;
}

// The first and last wavelength of the checked spectrum file's rows, in um and Single as the band's
// limits; false when no file is read, or its one row (or equal first and last wavelengths) weighs every
// wavelength alike.
bool SpectrumFileRows(Form1& f, float& lo, float& hi) {
    const std::vector<double>& wave = f.fileState.specFileWave;
    if (!f.mnuSpectrumFile.checked() || f.light.spectrumFileLoaded != 1 || wave.size() < 3) return false;
    lo = static_cast<float>(wave[1] / 1000);
    hi = static_cast<float>(wave.back() / 1000);
    return lo < hi;
}

std::string SpectrumFilePrompt(Form1& f) {
    const std::vector<double>& wave = f.fileState.specFileWave;
    return "The spectrum from the file is valid only for " + CStr(wave[1]) + " nm to " + CStr(wave.back()) +
           " nm band";
}
constexpr const char* kSpectrumFile = "Spectrum from file";

// A spectrum file gives no weight outside its rows.
CheckNext SpectrumFileBand(Form1& f, SpectrumBand& band) {
    float lo = 0, hi = 0;
    const float mn = f.light.bandMinUm, mx = f.light.bandMaxUm;
    if (!SpectrumFileRows(f, lo, hi) || (mn >= lo && mx <= hi)) return CheckNext::GoOn;
    return band.fail(mn<lo, mx> hi, SpectrumFilePrompt(f), kSpectrumFile);
}

// "RGB" computes its three wavelengths whatever the band: the rows of the index files and of the
// spectrum file, which give nothing outside them, must hold each (compared in Single, as they are looked
// up). The list that chose them is marked.
CheckNext RgbWavelengthsInFiles(Form1& f) {
    if (f.cboWave.text() != "RGB") return CheckNext::GoOn;
    const auto [lowest, highest] =
        std::minmax_element(std::begin(kRgbWavelengthsUm), std::end(kRgbWavelengthsUm));
    const auto outside = [&](float lo, float hi) { return !(*lowest >= lo && *highest <= hi); };
    const IndexModels& m = f.indexState.indexModels;
    float lo = 0, hi = 0;
    if (f.mnuRI_File1.checked() && FileBand(m.fileIndices1, lo, hi) && outside(lo, hi))
        return FailRed(f.cboWave, FileBandPrompt(f.indexState.sphereName, lo, hi),
                       "Refractive index of " + f.indexState.sphereName);
    if (f.mnuRI_File2.checked() && FileBand(m.fileIndices2, lo, hi) && outside(lo, hi))
        return FailRed(f.cboWave, FileBandPrompt(f.indexState.mediumName, lo, hi),
                       "Refractive index of " + f.indexState.mediumName);
    if (SpectrumFileRows(f, lo, hi) && outside(lo, hi))
        return FailRed(f.cboWave, SpectrumFilePrompt(f), kSpectrumFile);
    return CheckNext::GoOn;
}

// Step 7 with several wavelengths: the band of the spectrum dialog against the models.
CheckNext SpectrumBands(Form1& f) {
    const float mx = f.light.bandMaxUm;
    const float mn = f.light.bandMinUm;
    SpectrumBand band(f);
    if (!(mn > 0.0f) || !(mn < mx)) {  // no band at all: the runs would get wavelengths <= 0
        // The boxes are in the band dialog, closed while the message shows: the message names them.
        f.dlogSpectrumBand_->txtSpectrumMin.setBackColor(kRed);
        if (mn > 0.0f) f.dlogSpectrumBand_->txtSpectrumMax.setBackColor(kRed);
        msgBox(std::string("The Lower limit (nm) of the Spectrum limits dialog must be ") +
                   (mn > 0.0f ? "below its Upper limit (nm)" : "above 0") +
                   ". The dialog opens with the incorrect entries red.",
               mb::kOkOnly, std::string(kInputError));
        f.mnuSpectrumBand_Click();
        return CheckNext::Stop;
    }
    if (f.mnuSpectrumWernand.checked() && !(mx <= 1.0f && mn >= 0.35f))
        return band.fail(mn<0.35f, mx> 1.0f,
                         "Wernand's spectrum of sunlight is valid only for 350 nm to 1000 nm band",
                         kSunlight);
    if (SpectrumFileBand(f, band) == CheckNext::Stop) return CheckNext::Stop;
    float lo = 0, hi = 0;
    // A sphere of an index file or of a metal has its own band; the spectrum's and the medium's rows below
    // hold for it as for any sphere.
    const bool fileSphere = f.mnuRI_File1.checked();
    if (fileSphere && FileBand(f.indexState.indexModels.fileIndices1, lo, hi) && !(mn >= lo && mx <= hi))
        return band.fail((mn < lo), (mx > hi), FileBandPrompt(f.indexState.sphereName, lo, hi),
                         "Refractive index of " + f.indexState.sphereName);
    if (!fileSphere && MetalSphere(f) && !(mx <= 1.93479f && mn >= 0.187878f))
        return band.fail((mn < 0.187878f), (mx > 1.93479f),
                         "The values for refractive index of " + f.indexState.sphereName +
                             " are valid only for the 187 - 1935 nm (0.187 - 1.935 um) band",
                         "Refractive index of " + f.indexState.sphereName);
    if (mx <= 0.7f && mn >= 0.38f) return CheckNext::GoOn;
    const bool below = mn<0.38f, above = mx> 0.7f;
    const std::string visible =
        " values for refractive index of water are valid only for the 380 - 700 nm band";
    if (f.mnuSpectrumLee.checked())
        return band.fail(below, above, "Lee's spectrum of sunlight is valid only for 380 nm to 700 nm band",
                         kSunlight);
    const std::string complexPrompt = std::string("Complex values are available only for 380 - 700 nm band") +
                                      kCR + "Use Segelstein's data, which covers 10 nm to 10 m";
    const std::string complexTitle = "Complex values of refractive index of water";
    // The water dialog's complex index holds for the water models; beside a file or metal sphere only
    // the medium's water is one.
    const bool complexWater =
        ComplexWater(f) && (!(fileSphere || MetalSphere(f)) || f.mnuRI_IAPWS2.checked());
    if (complexWater && above) return band.fail(false, true, complexPrompt, complexTitle);
    if (complexWater && below) return band.fail(true, false, complexPrompt, complexTitle);
    if (f.mnuRI_Cowley.checked()) return band.fail(below, above, "Cowley's" + visible, kWater);
    if (Iapws(f) && !(mx <= 2.0f && mn >= 0.15f))
        return band.fail(
            mn<0.15f, mx> 2.0f,
            "IAPWS values for refractive index of water are valid only for the 150 - 2000 nm band", kWater,
            true);
    if (f.mnuRI_Lynch.checked()) return band.fail(below, above, "Lynch & Livingston's" + visible, kWater);
    if (f.mnuRI_Ray.checked() && (mn < 0.2f || mx > 30000.0f))
        return band.fail(
            mn<0.2f, mx> 30000.0f,
            "Ray's values for refractive index of water are valid only for the 0.2 um - 0.03m band", kWater);
    if (f.mnuRI_KayeLaby.checked()) return band.fail(below, above, "Kaye & Laby's" + visible, kWater);
    if (f.mnuRI_Gedzelman.checked()) return band.fail(below, above, "Gedzelman's" + visible, kWater);
    return CheckNext::GoOn;
}

// Step 8: the medium's index file.
CheckNext MediumFileBand(Form1& f, double lambda) {
    float lo = 0, hi = 0;
    if (!f.mnuRI_File2.checked() || !FileBand(f.indexState.indexModels.fileIndices2, lo, hi))
        return CheckNext::GoOn;
    const std::string prompt = FileBandPrompt(f.indexState.mediumName, lo, hi);
    const std::string title = "Refractive index of " + f.indexState.mediumName;
    if (f.calc.waveCount < 2) {
        const float l = static_cast<float>(lambda);
        if (!(lo <= l && l <= hi)) return Fail(prompt, title);
        return CheckNext::GoOn;
    }
    const float mn = f.light.bandMinUm, mx = f.light.bandMaxUm;
    if (!(mn >= lo && mx <= hi)) return SpectrumBand(f).fail((mn < lo), (mx > hi), prompt, title);
    return CheckNext::GoOn;
}

// A wavelength axis in nm: its ends as typed, the last wavelength the run computes (at or past the upper
// end) and the boxes that hold them.
struct WavelengthAxis {
    double lo, hi, last;
    Control* lowBox;
    Control* highBox;
    Control* lastBox;
};

// The box to mark when the axis passes above a band's end (`above` tells whether a wavelength in nm
// does); none when it stays inside.
template <class Above>
Control* HighBox(const WavelengthAxis& a, Above above) {
    if (above(a.hi)) return a.highBox;
    return above(a.last) ? a.lastBox : nullptr;
}

// The index files' bands over an axis, in Single as the files are read.
CheckNext AxisFileBand(const WavelengthAxis& a, bool chosen, const std::vector<IndexFileRow>& rows,
                       const std::string& name) {
    float lo = 0, hi = 0;
    if (!chosen || !FileBand(rows, lo, hi)) return CheckNext::GoOn;
    Control* box = static_cast<float>(a.lo / 1000) < lo
                       ? a.lowBox
                       : HighBox(a, [hi](double nm) { return static_cast<float>(nm / 1000) > hi; });
    if (box == nullptr) return CheckNext::GoOn;
    return FailRed(*box, FileBandPrompt(name, lo, hi), "Refractive index of " + name);
}

// Every wavelength of the axis inside the band of the sphere's and the medium's models: the first model
// that leaves it refuses the run, its low box red, or the box of the end past which it goes.
CheckNext WavelengthAxisBands(Form1& f, const WavelengthAxis& a) {
    const double lo = a.lo;
    const auto highBox = [&a](double end) { return HighBox(a, [end](double nm) { return nm > end; }); };
    const std::string segelsteinHint = "(Menu: Advanced -> Refractive index -> Sphere -> Water)";
    if (Iapws(f)) {
        const std::string p =
            "IAPWS values are valid only for the 150 - 2000 nm band.  Use Segelstein's data " +
            segelsteinHint;
        if (lo < 150) return FailRed(*a.lowBox, p, kWater);
        if (Control* box = highBox(2000)) return FailRed(*box, p, kWater);
        const std::string c =
            "Complex values with IAPWS are valid only for the 380 - 700 nm band.  Use Segelstein's data " +
            segelsteinHint;
        if (ComplexWater(f) && lo < 380) return FailRed(*a.lowBox, c, kWater);
        if (Control* box = highBox(700); ComplexWater(f) && box) return FailRed(*box, c, kWater);
    }
    // The models of the visible band, and Ray's table, as one wavelength checks them.
    const std::pair<const Menu*, const char*> visible[] = {{&f.mnuRI_Cowley, "Cowley's"},
                                                           {&f.mnuRI_Gedzelman, "Gedzelman's"},
                                                           {&f.mnuRI_KayeLaby, "Kaye & Laby's"},
                                                           {&f.mnuRI_Lynch, "Lynch & Livingston's"}};
    for (const auto& [item, name] : visible) {
        const std::string p =
            std::string(name) +
            " values for refractive index of water are valid only for the 0.38 - 0.7 um band";
        if (item->checked() && lo < 380) return FailRed(*a.lowBox, p, kWater);
        if (Control* box = highBox(700); item->checked() && box) return FailRed(*box, p, kWater);
    }
    if (f.mnuRI_Ray.checked()) {
        const std::string p =
            "Ray's values for refractive index of water are valid only for the 0.2  - 30,000 um band";
        if (lo < 200) return FailRed(*a.lowBox, p, kWater);
        if (Control* box = highBox(3e7)) return FailRed(*box, p, kWater);
    }
    if (f.mnuRI_Segelstein.checked()) {
        const std::string p = "Segelstein's values are valid only for the 10 - 10,000 nm band";
        if (lo < 10) return FailRed(*a.lowBox, p, kWater);
        if (Control* box = highBox(10000)) return FailRed(*box, p, kWater);
    }
    if (MetalSphere(f)) {
        const std::string p = "The values for refractive index of " + f.indexState.sphereName +
                              " are valid only for the 187 - 1935 nm band";
        if (lo < 188) return FailRed(*a.lowBox, p, "Refractive index of " + f.indexState.sphereName);
        if (Control* box = highBox(1934))
            return FailRed(*box, p, "Refractive index of " + f.indexState.sphereName);
    }
    // The index files give no value outside their rows.
    const IndexModels& m = f.indexState.indexModels;
    if (AxisFileBand(a, f.mnuRI_File1.checked(), m.fileIndices1, f.indexState.sphereName) == CheckNext::Stop)
        return CheckNext::Stop;
    return AxisFileBand(a, f.mnuRI_File2.checked(), m.fileIndices2, f.indexState.mediumName);
}

}  // namespace

CheckNext BandChecks(Form1& f) {
    // The box as typed: getval has not tidied it yet ("0,55" is 0.55).
    const double lambda = TypedWavelength(f.txtLambda.text());
    if (f.calc.waveCount < 2) {
        if (OneWavelengthBands(f, lambda) == CheckNext::Stop) return CheckNext::Stop;
    } else {
        // A limit beyond the Double range is an infinity, refused as the largest numbers are.
        f.light.bandMaxUm =
            static_cast<float>(ValOrInfinity(f.dlogSpectrumBand_->txtSpectrumMax.text()) / 1000);
        f.light.bandMinUm =
            static_cast<float>(ValOrInfinity(f.dlogSpectrumBand_->txtSpectrumMin.text()) / 1000);
        if (SpectrumBands(f) == CheckNext::Stop) return CheckNext::Stop;
    }
    if (MediumFileBand(f, lambda) == CheckNext::Stop) return CheckNext::Stop;
    return f.calc.waveCount < 2 ? CheckNext::GoOn : RgbWavelengthsInFiles(f);
}

CheckNext AxisBandChecks(Form1& f) {
    const int code = f.codes.graphCode;
    if (code != kGraphWavelength && code != kGraphEfficiencyWavelength &&
        !(code == kGraphAsymmetry && f.codes.graphSubCode == kSubAsymmetryWavelength))
        return CheckNext::GoOn;
    const double lo = Val(f.txtXmin.text());
    const double hi = Val(f.txtXmax.text());
    // The last linear step the run computes may lie past the maximum typed: the bands hold it too. When
    // only that step crosses a band's end, the step is marked.
    double last = hi;
    const std::optional<SweepPlan> plan =
        PlanSweep(code, lo, hi, lo, hi, Val(f.cboStep.text()), f.mnuXStepLog.checked());
    if (plan && !plan->logSteps) last = std::max(hi, plan->x(plan->lastPoint));
    return WavelengthAxisBands(f, {lo, hi, last, &f.txtXmin, &f.txtXmax, &f.cboStep});
}

CheckNext MapBandChecks(Form1& f) {
    if (f.codes.graphCode != kGraphMapWavelength) return CheckNext::GoOn;
    // The rows run from the minimum to the maximum, both included.
    const double lo = Val(f.txtF9_min.text());
    const double hi = Val(f.txtF9_max.text());
    return WavelengthAxisBands(f, {lo, hi, hi, &f.txtF9_min, &f.txtF9_max, &f.txtF9_step});
}

}  // namespace tessary
