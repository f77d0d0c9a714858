// The step table of the sweeps over an x variable.
#include "runs/sweep_steps.h"

#include <cmath>
#include <limits>

#include "graphs/graph_codes.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

constexpr std::int32_t kMaxSweepIndex = 200000;  // the largest curve the result arrays hold
constexpr std::int32_t kMaxAngleSteps = 9000;    // 90/n grids of at most 9001 points per quadrant

std::optional<std::int32_t> WholeIndex(double v) {
    const Checked<std::int32_t> r = CLng(v);
    if (!r.ok() || r.value < 1 || r.value > kMaxSweepIndex) return std::nullopt;
    return r.value;
}

}  // namespace

bool SweepLogStepCode(int code) {
    return code == kGraphWavelength || code == kGraphRadius || code == kGraphEfficiency ||
           code == kGraphEfficiencyWavelength || code == kGraphAsymmetry;
}

double SweepPlan::x(std::int32_t i) const {
    if (logSteps) return LogSweepValue(xMin, xMax, step, static_cast<double>(i - 1));
    return xMin + static_cast<double>(i - 1) * step;
}

std::optional<SweepPlan> PlanSweep(int graphCode, double xFrom, double xTo, double xMin, double xMax,
                                   double step, bool logMenu) {
    SweepPlan p;
    p.xMin = xMin;
    p.xMax = xMax;
    p.step = step;
    if (graphCode == kGraphConvergence) return p;  // convergence: one step
    if (logMenu && SweepLogStepCode(graphCode)) {
        p.logSteps = true;
        const Checked<float> ratio = CSng(std::pow(xMax / xMin, 1.0 / step));
        if (!ratio.ok() || !(ratio.value > 0.0f)) return std::nullopt;
        p.sweepRatio = ratio.value;
        const std::optional<std::int32_t> last = WholeIndex(step + 1);
        if (!last) return std::nullopt;
        p.lastPoint = *last;
    } else {
        const std::optional<std::int32_t> last = WholeIndex((xTo - xFrom) / step + 1);
        if (!last) return std::nullopt;
        p.lastPoint = *last;
    }
    if (xMin == 0 && graphCode == kGraphEfficiency) p.firstPoint = 2;  // no zero radius
    return p;
}

std::optional<AngleOnGrid> AngleGridFor(double theta) {
    if (!(theta >= 0.0 && theta <= 180.0)) return std::nullopt;
    for (std::int32_t n = 1; n <= kMaxAngleSteps; ++n) {
        const double v = theta / (90.0 / n);
        if (std::fabs(v - std::nearbyint(v)) < 1E-5) return AngleOnGrid{n + 1, CLng(v + 1.0).value};
    }
    return std::nullopt;
}

SweepStep SweepStepFor(int code, int sub, double x, double lambdaBox, double radius, double mediumRe) {
    SweepStep s;
    s.wavelength = lambdaBox;
    s.radius = radius;
    bool sizeSwept = false;
    switch (code) {
        case kGraphWavelength:
            s.wavelength = x / 1000;
            s.index = StepIndex::Refrel;
            s.unitByMenus = true;
            break;
        case kGraphRadius:
            s.unitByMenus = true;
            if (sub == kSubSize)
                sizeSwept = true;
            else
                s.radius = x;
            s.radiusBox = sub == kSubRadius;
            break;
        case kGraphIndex:
            s.index = StepIndex::SweptReal;
            break;
        case kGraphConvergence:  // one step at the wavelength of the box: m as the boxes show it
            s.index = StepIndex::Boxes;
            break;
        case kGraphEfficiency:
            s.index = StepIndex::Boxes;
            if (sub == kSubQSize || sub == kSubCSize)
                sizeSwept = true;
            else
                s.radius = x;
            break;
        case kGraphEfficiencyWavelength:
            s.wavelength = x / 1000;
            s.index = StepIndex::Refrel;
            s.unitByMenus = true;
            break;
        case kGraphAsymmetry:
            if (sub == kSubAsymmetryRadius) {
                s.radius = x;
                s.radiusBox = true;
            } else if (sub == kSubAsymmetrySize) {
                sizeSwept = true;
                s.unitByMenus = true;
            } else {
                s.wavelength = x / 1000;
                s.index = StepIndex::Refrel;
                s.unitByMenus = true;
            }
            break;
        default:
            break;
    }
    if (sizeSwept) {
        s.sizeParam = x;
        s.radius = x * s.wavelength / (kTwoPi * mediumRe);
    } else {
        s.sizeParam = kTwoPi * s.radius / s.wavelength * mediumRe;
    }
    return s;
}

std::optional<SweepValues> StoredSweepValues(int code, int sub, const SweepResults& r, double waveNumberSq,
                                             bool amplitude, double radius) {
    SweepValues v;
    if (code == kGraphAsymmetry) {
        v.perp = r.g;
        return v;
    }
    if (code == kGraphWavelength || code == kGraphRadius || code == kGraphIndex) {
        double perp = ComplexAbs(r.s1);
        double para = ComplexAbs(r.s2);
        if (!amplitude) {
            perp *= perp;
            para *= para;
        }
        v.perp = perp / waveNumberSq;
        v.para = para / waveNumberSq;
        v.unpol = (v.perp + v.para) / 2;
        return v;
    }
    if (code == kGraphEfficiency || code == kGraphEfficiencyWavelength) {
        const double area =
            (sub == kSubCWavelength || sub == kSubCSize) ? kPi * radius * radius * 1E-12 : 1.0;
        v.perp = area * r.qExt;
        v.para = area * r.qSca;
        v.unpol = AbsorptionEfficiency(v.perp, v.para);
        return v;
    }
    return std::nullopt;  // convergence: the routine's own curves
}

double MapSweepValue(double low, double high, int k, double steps) {
    if (k == steps) return high;  // the last row at the maximum itself, not a rounding away from it
    return low + (high - low) * k / steps;
}

float LeeRatio(float start, float end, float steps) {
    return CSng(std::pow(static_cast<double>(end) / start, 1.0 / steps)).value;
}

float LeeEndOfRatio(float start, float ratio, int steps) {
    const float nearest =
        static_cast<float>(static_cast<double>(start) * std::pow(static_cast<double>(ratio), steps));
    const auto steps_ = static_cast<float>(steps);
    float below = nearest, above = nearest;
    for (int k = 0; k <= 64; ++k) {  // outward from the nearest, one Single at a time
        if (LeeRatio(start, above, steps_) == ratio) return above;
        if (LeeRatio(start, below, steps_) == ratio) return below;
        above = std::nextafter(above, std::numeric_limits<float>::infinity());
        below = std::nextafter(below, 0.0f);
    }
    return nearest;
}

}  // namespace tessary
