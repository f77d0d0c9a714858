// Wavelength counts, result array bounds and progress percentages of the calculation runs.
#include "runs/run_rules.h"

#include <cmath>

#include "graphs/graph_codes.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"

namespace tessary {

namespace {

struct WaveSet {
    std::string_view text;
    double numerator;
    double lowest, highest;
};
constexpr WaveSet kWaveSets[] = {{"High", 6000, 30, 1000}, {"Med.", 3000, 10, 300}, {"Low", 1000, 7, 100}};

// v rounded half to even, when it is a whole number from 0 to limit.
std::optional<int> Bound(double v, long long limit) {
    const Checked<std::int32_t> r = CLng(v);
    if (!r.ok() || r.value < 0 || r.value > limit) return std::nullopt;
    return r.value;
}

// The bound a grid of P steps needs past the fixed one, when P is a usable number at or above it.
std::optional<int> GrownBound(double P, double step) {
    if (!(P >= kFixedPoints) || !(step > 0.0)) return std::nullopt;
    return Bound(P + 1.0, kMaxPoints);
}

void LeeStores(const ArraySizeInput& in, ResultArrayBounds& b) {
    b.leeSteps = 1;
    b.leePoints = 1;
    if (in.graphCode < kGraphLee) return;
    const double P = (in.xMax - in.xMin) / in.step + 0.5 / in.step;
    double steps = in.currentSweepSteps;
    if (in.graphCode == kGraphLee) steps = in.leeStepBox;
    if (in.graphCode >= kGraphMapIndex && in.graphCode <= kGraphMapWavelength) steps = in.mapStepBox;
    const Checked<float> single = CSng(steps);
    if (!single.ok()) return;
    b.sweepSteps = single.value;
    const std::optional<int> stepBound = Bound(single.value, kMaxLeeElements);
    const std::optional<int> pointBound = Bound(P, kMaxLeeElements);
    if (!stepBound || !pointBound) return;
    if ((*stepBound + 1LL) * (*pointBound + 1LL) > kMaxLeeElements) return;
    b.leeSteps = *stepBound;
    b.leePoints = *pointBound;
}

}  // namespace

std::string NotAvailableMessage(std::string_view what) {
    return std::string(what) + " cannot be computed by this version of Tessary.";
}

std::optional<int> WaveCountForRadius(std::string_view waveText, double radius) {
    for (const WaveSet& set : kWaveSets) {
        if (waveText != set.text) continue;
        double q = std::floor(set.numerator / radius);
        if (!(q >= set.lowest)) q = set.lowest;  // also a quotient that is not a number
        if (q > set.highest) q = set.highest;
        return static_cast<int>(q);
    }
    return std::nullopt;
}

double MediumWaveNumber(double wavelengthUm, double mediumRe) {
    const double n = mediumRe > 0 ? mediumRe : 1.0;
    return kTwoPi * n / (wavelengthUm * 1E-06);
}

ResultArrayBounds ArrayBoundsFor(const ArraySizeInput& in) {
    ResultArrayBounds b;
    LeeStores(in, b);
    const int code = in.graphCode;
    const double P = (in.xMax - in.xMin) / in.step;
    if (code >= kFirstSweepGraph && code <= kLastSweepGraph) {
        double points = P;
        if (code == kGraphConvergence) points = 18000;
        const bool countsPoints = code == kGraphWavelength || code == kGraphRadius ||
                                  code == kGraphEfficiency || code == kGraphEfficiencyWavelength ||
                                  code == kGraphAsymmetry;
        if (in.logSteps && countsPoints) points = in.step;
        b.curves = GrownBound(points, 1.0).value_or(kFixedPoints);
    }
    if (code < kFirstSweepGraph || code == kGraphLee) {
        const std::optional<int> grown = GrownBound(P, in.step);
        b.curves = grown.value_or(kFixedPoints);
        b.amplitudes = b.curves;
        b.sunDisc = grown ? Bound(0.25 / in.step + 1.0, kMaxPoints).value_or(kFixedSunDisc) : kFixedSunDisc;
        b.angleTables = grown ? Bound(P / 2.0 + 1.0, kMaxPoints).value_or(kFixedAngles) : kFixedAngles;
    }
    b.colourSums = kFixedPoints;
    if (code < kFirstSweepGraph || code >= kGraphLee)
        b.colourSums = GrownBound(P, in.step).value_or(kFixedPoints);
    return b;
}

std::optional<ProgressValue> ProgressPercentage(const ProgressInput& in) {
    const int method = in.calcMethod;
    const bool seriesOrApprox = method >= kMethodMie && method <= kMethodAiry;
    const bool several = in.waveCount > 1;
    const double waves = in.waveCount;
    double p = in.progressPercent;
    if (seriesOrApprox && in.graphCode >= kFirstSweepGraph && in.graphCode <= kLastSweepGraph) {
        p = std::floor(in.sweepFraction * 100.0);
        if (!std::isfinite(p)) return std::nullopt;
        return ProgressValue{static_cast<float>(p), ProgressDisplay::A};
    }
    if (seriesOrApprox && in.disperse) {
        const double n = in.sampleCount;
        if (method == kMethodMie)
            p = std::floor(((in.outerCount - 1) * n + in.loopK - 1 + in.loopN / in.termCount) * 100.0 /
                           (waves * n));
        else
            p = std::floor(((in.loopI - 1) * n + in.loopK) * 100.0 / (waves * n));
        if (!std::isfinite(p)) return std::nullopt;
        return ProgressValue{static_cast<float>(p), ProgressDisplay::A};
    }
    if ((method == kMethodMie || method == kMethodDebye) && in.gaussian) {
        const double share = (in.loopJ - in.firstPoint) / (in.lastPoint - in.firstPoint);
        p = several ? std::floor(((in.outerCount - 1) + share) * 100.0 / waves) : std::floor(share * 100.0);
    } else if (method == kMethodMie) {
        const double share = in.loopN / in.termCount;
        p = several ? std::floor(((in.outerCount - 1) + share) * 100.0 / waves) : std::floor(share * 100.0);
    } else if (method == kMethodDebye || (method >= kMethodAiry && method <= kMethodHuygens)) {
        const double share = in.stepsDone / in.stepsTotal;
        p = several ? ((in.loopI - 1) + share) * 100.0 / waves : share * 100.0;
    }
    if (!std::isfinite(p)) return std::nullopt;
    if (p < 2 && method == kMethodDebye) return ProgressValue{static_cast<float>(p), ProgressDisplay::B};
    return ProgressValue{static_cast<float>(std::floor(p)), ProgressDisplay::C};
}

std::int32_t NextProgressOrder(ProgressInput in, std::int32_t from, std::int32_t last, float shown) {
    if (from >= last) return last;
    const auto at = [&in](std::int32_t order) {
        in.loopN = order;
        return ProgressPercentage(in);
    };
    in.termCount = last;
    const std::optional<ProgressValue> first = at(from), end = at(last);
    if (!first || !end || first->display != end->display) return from;
    // As ProgressDue; rule C's limit of 100 aside: a percentage once above it stays above it.
    const float step = static_cast<float>(shown + (first->display == ProgressDisplay::B ? 0.2f : 1.0f));
    if (first->percent > step) return from;
    if (!(end->percent > step)) return last;
    std::int32_t below = from, above = last;  // the percentage is at most step at below, above it at above
    while (above - below > 1) {
        const std::int32_t mid = below + (above - below) / 2;
        const std::optional<ProgressValue> v = at(mid);
        if (!v) return from;
        (v->percent > step ? above : below) = mid;
    }
    return above;
}

bool ProgressDue(const ProgressValue& value, float shown) {
    switch (value.display) {
        case ProgressDisplay::A:
            return value.percent > static_cast<float>(shown + 1.0f);
        case ProgressDisplay::B:
            return value.percent > static_cast<float>(shown + 0.2f);
        case ProgressDisplay::C:
            return value.percent > static_cast<float>(shown + 1.0f) && value.percent <= 100.0f;
    }
    return false;
}

}  // namespace tessary
