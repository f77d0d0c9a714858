// The state of the stored results as the saves, the text export, the batch report and Replot read it.
#include "runs/run_record.h"

#include <algorithm>
#include <cmath>

#include "files/batch_report.h"
#include "platform/text/conversions.h"
#include "scattering/ray_orders.h"

namespace tessary {

namespace {

constexpr const char* kRunNewPlot = " Run New plot before saving.";

}  // namespace

void SetIndexUse(RunRecord& r) {
    // A sweep computes at the box's wavelength whatever the list says.
    const bool sweep = r.graphCode >= kFirstSweepGraph && r.graphCode <= kLastSweepGraph;
    r.indexPerWavelength = (r.waveCount > 1 && !sweep) || r.graphCode == kGraphWavelength ||
                           r.graphCode == kGraphEfficiencyWavelength || r.graphCode == kGraphMapWavelength;
    r.indexTyped = false;
    if (!r.indexPerWavelength) {
        // The boxes show the models' index to eight decimals (the imaginary part as CStr or scientific),
        // so a difference beyond that rounding was typed.
        const RefrelResult m = refrel(r.indexModels, Val(r.lambdaText));
        const double re = Val(r.refractReal), im = Val(r.refractImag);
        const bool reSame = std::abs(re - m.relIndexRe) <= 5.1e-9;
        const bool imSame = std::abs(im - m.relIndexIm) <= 1e-6 * std::max(std::abs(m.relIndexIm), 1e-300);
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
    switch (r.calcMethod) {
        case kMethodDebye:  // the Gaussian-beam series names its beam in the label already
            if (r.surfaceWaveSubtraction) return "minus ray optics";
            if (!gaussian) return std::string();
            if (r.multipleBeams) options.emplace_back("multiple beams");
            if (r.centralBeam) options.emplace_back("central beam");
            break;
        case kMethodDescartes:
        case kMethodYoung:
        case kMethodYoungMod:
            if (gaussian) options.emplace_back("Gaussian beam");
            if (topHat) options.emplace_back("top hat beam");
            if ((gaussian || topHat) && r.multipleBeams) options.emplace_back("multiple beams");
            if (r.centralBeam) options.emplace_back("central beam");
            break;
        case kMethodSurfaceWave:
            if (r.centralBeam) options.emplace_back("central beam");
            break;
        default:
            break;
    }
    return WithOptions(options);
}

}  // namespace tessary
