// The state of the stored results as the saves, the text export, the batch report and Replot read it, and
// the label and title a run's method names it by.
#include "runs/run_record.h"

#include <algorithm>
#include <cmath>

#include "approximations/aperture.h"
#include "approximations/huygens.h"
#include "files/batch_report.h"
#include "media/media_state.h"
#include "platform/text/conversions.h"
#include "runs/box_number.h"
#include "scattering/ray_orders.h"

namespace tessary {

namespace {

constexpr const char* kRunNewPlot = " Run New plot before saving.";

}  // namespace

void SetIndexUse(RunRecord& r) {
    // A sweep computes at the box's wavelength whatever the list says.
    const bool sweep = r.graphCode >= kFirstSweepGraph && r.graphCode <= kLastSweepGraph;
    r.indexPerWavelength = (r.waveCount > 1 && !sweep) || r.graphCode == kGraphWavelength ||
                           r.graphCode == kGraphEfficiencyWavelength || r.graphCode == kGraphMapWavelength ||
                           (r.graphCode == kGraphAsymmetry && r.graphSubCode == kSubAsymmetryWavelength);
    r.indexTyped = false;
    if (!r.indexPerWavelength) {
        // The boxes show the models' index to eight decimals (the imaginary part as CStr, or with two decimals
        // and an exponent, as "1.76E-08"), so a difference beyond that rounding was typed.
        const RefrelResult m = refrel(r.indexModels, Val(r.lambdaText));
        const double re = Val(r.refractReal), im = Val(r.refractImag);
        const bool reSame = std::abs(re - m.relIndexRe) <= 5.1e-9;
        const bool imSame = std::abs(im - m.relIndexIm) <= 1e-6 * std::max(std::abs(m.relIndexIm), 1e-300) ||
                            im == Val(ImagIndexText(m.relIndexIm));
        r.indexTyped = !(m.ok() && reSame && imSame);
    }
    r.absorbing = Val(r.refractImag) > 0;  // what a run that takes the boxes' index computes with
}

ResultsInUse ResultsInUseOf(const RunRecord& r) {
    ResultsInUse u;
    u.first = r.doneFirst;
    u.last = r.doneLast;
    u.planned = r.plannedPoints;
    const bool finished = r.doneLast >= r.doneFirst;
    switch (r.taken ? r.state : ResultsState::None) {
        case ResultsState::None:
            u.noResults = "No results are stored.";
            break;
        case ResultsState::Complete:
            u.any = true;
            break;
        case ResultsState::Stopped:
            u.any = finished;
            u.stopped = finished;
            u.reason = BatchReasonText(r.endMessage);
            if (!finished)
                u.noResults =
                    "The last run was stopped before it finished a point, so no results are stored.";
            break;
        case ResultsState::Refused:
            u.noResults = r.endMessage.empty()
                              ? std::string("The last run ended before it computed a point")
                              : "The last run was refused (" + BatchReasonText(r.endMessage) + ")";
            u.noResults += ", so no results are stored.";
            break;
    }
    if (!u.any) {
        u.last = u.first - 1;
        u.reason = u.noResults + kRunNewPlot;
    }
    return u;
}

std::string RunOptionsOf(const RunRecord& r) {
    std::vector<std::string> options;
    const bool gaussian = r.illumination == RunIllumination::GaussianBeam;
    const bool topHat = r.illumination == RunIllumination::TopHatBeam;
    bool lessRays = false;
    switch (r.calcMethod) {
        case kMethodDebye:  // the Gaussian-beam series names its beam in the label already
            lessRays = r.surfaceWaveSubtraction;
            if (!lessRays && gaussian && r.multipleBeams) options.emplace_back("multiple beams");
            if (!lessRays && gaussian && r.centralBeam) options.emplace_back("central beam");
            if (r.debyeRecursion) options.emplace_back(kDebyeRecursionOption);
            break;
        case kMethodYoung:
        case kMethodYoungMod:
            if (gaussian) options.emplace_back("Gaussian beam");
            if (topHat) options.emplace_back("top hat beam");
            if ((gaussian || topHat) && r.multipleBeams) options.emplace_back("multiple beams");
            if (r.centralBeam) options.emplace_back("central beam");
            break;
        case kMethodDescartes:
        case kMethodSurfaceWave:
            if (r.centralBeam) options.emplace_back("central beam");
            break;
        default:
            break;
    }
    if (r.sizeDivided) options.emplace_back(kSizeDividedOption);
    const std::string with = WithOptions(options);
    if (!lessRays) return with;
    return with.empty() ? "minus ray optics" : "minus ray optics, " + with;
}

std::string SpectrumLabelOf(const RunRecord& r) {
    if (r.spectrumWord == "Spectrum file") return kSpectrumFileLabel;
    if (r.spectrumWord == "Black body") return "Spectrum: Black body " + CStr(Val(r.blackBody)) + "K";
    return "Spectrum: " + r.spectrumWord;
}

namespace {

// The label and title of a method with ray orders, as its run forms them from the record's orders.
RunCaptions RayCaptionsOf(const RunRecord& r, const std::string& names) {
    RayChoice choice;
    choice.listText = r.raysText;
    choice.calcMethod = r.calcMethod;
    for (const std::int32_t p : r.rayOrders)
        if (p >= 0 && p < kRayBoxCount) choice.chkp[static_cast<std::size_t>(p)] = 1;
    choice.chkDiffraction = r.diffractionAdded ? 1 : 0;
    choice.mnuSurfaceShort = r.surfaceWavePaths == "Short";
    choice.mnuSurfaceLong = r.surfaceWavePaths == "Long";
    choice.mnuSurfaceBoth = !choice.mnuSurfaceShort && !choice.mnuSurfaceLong;
    choice.mnuGaussian = r.illumination == RunIllumination::GaussianBeam;
    choice.sphereName = r.sphereName;
    choice.mediumName = r.mediumName;
    RaySelection none;
    ClearRayFlags(none);
    const bool beam = r.calcMethod == kMethodDebye && choice.mnuGaussian;
    const RaysOutcome out = beam ? DebyeLabel(choice, none) : RaysCheck(choice, none);
    if (out.label.empty()) return {r.methodText, r.methodText + "  " + names};  // no orders named
    if (r.calcMethod == kMethodHuygens)
        return {out.label, HuygensCaption(out.selection, r.sphereName, r.mediumName)};
    return {out.label, out.captionText};
}

}  // namespace

RunCaptions RunCaptionsOf(const RunRecord& r) {
    const std::string names = r.sphereName + " in " + r.mediumName;
    const bool gaussian = r.illumination == RunIllumination::GaussianBeam;
    RunCaptions c;
    switch (r.calcMethod) {
        case kMethodMie:
            c = {gaussian ? "Mie (Gaussian beam)" : "Mie (plane wave)",
                 (gaussian ? "Mie scattering (Gaussian beam):  " : "Mie scattering:  ") + names};
            break;
        case kMethodRayleigh:
            c = {"Rayleigh", "Rayleigh scattering:  " + names};
            break;
        case kMethodDiffraction:
            c = {"Diffraction", "Diffraction:  " + names};
            break;
        case kMethodAperture:
            c = {"Aperture", std::string(kApertureName) + ":  " + names};
            break;
        case kMethodVanDeHulst:
            c = {"van de Hulst", "van de Hulst approximation:  " + names};
            break;
        default:
            if (!UsesRayOrders(r.calcMethod)) return {r.methodText, names};
            c = RayCaptionsOf(r, names);
            break;
    }
    const std::string options = RunOptionsOf(r);
    if (options.empty()) return c;
    c.label = LabelWithOptions(c.label, options);
    // The methods with ray orders name their options in the title too (their title is the label's).
    if (UsesRayOrders(r.calcMethod) && r.calcMethod != kMethodHuygens) c.title = c.label + " " + names;
    return c;
}

}  // namespace tessary
