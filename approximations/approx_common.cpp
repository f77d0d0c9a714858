// The angle grid and the finiteness check shared by the approximate methods.
#include "approximations/approx_common.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "numerics/constants.h"

namespace tessary {

double GridAngle(std::int32_t j, std::int32_t N) {
    const double step = N > 1 ? (kPi / 2.0) / static_cast<double>(N - 1) : 0.0;
    if (j <= N) return static_cast<double>(j - 1) * step;
    return kPi - static_cast<double>(2 * N - j - 1) * step;
}

bool AmplitudesFinite(const AmplitudeTables& S, std::int32_t first, std::int32_t last) {
    const auto size =
        static_cast<std::int64_t>(std::min({S.S1re.size(), S.S1im.size(), S.S2re.size(), S.S2im.size()}));
    const std::int64_t lo = std::max<std::int64_t>(first, 0);
    const std::int64_t hi = std::min<std::int64_t>(last, size - 1);
    for (std::int64_t j = lo; j <= hi; ++j) {
        const auto k = static_cast<std::size_t>(j);
        if (!std::isfinite(S.S1re[k]) || !std::isfinite(S.S1im[k]) || !std::isfinite(S.S2re[k]) ||
            !std::isfinite(S.S2im[k]))
            return false;
    }
    return true;
}

ApproxOutcome NotFiniteOutcome(const std::string& method) {
    return {ApproxStatus::Refused,
            method +
                " gave amplitudes that are not finite numbers for these inputs: change the radius, "
                "wavelength or refractive index.",
            "Error"};
}

}  // namespace tessary
