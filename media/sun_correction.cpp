// Sun-disc weights; see sun_correction.h.
#include "media/sun_correction.h"

#include <algorithm>
#include <cmath>

namespace tessary {

SunDiscWeights SunCorrection(double step, bool rectangular) {
    SunDiscWeights w;
    w.sizeOrStep = step;
    const double steps = step > 0.0 ? std::floor(kSunDiscRadiusDeg / step) : 0.0;  // false for NaN too
    w.sunDiscSteps = steps < kMaxSunDiscSteps ? static_cast<int>(steps) : kMaxSunDiscSteps;
    const int n = w.sunDiscSteps;
    w.sunDiscWeights.assign(static_cast<std::size_t>(n) + 2, 0.0);
    for (int i = 1; i <= n; ++i) {
        const double r = i * step / kSunDiscRadiusDeg;
        // chord at distance i * step; r <= 1 as n = Int(0.25 / step), and the clamp keeps a rounding
        // slip from turning into a NaN
        const double wi = rectangular ? 1.0 : std::sqrt(std::max(0.0, 1.0 - r * r));
        w.sunDiscWeights[static_cast<std::size_t>(i)] = wi;
        w.sunDiscWeightSum += 2.0 * wi;
    }
    return w;
}

}  // namespace tessary
