// Aperture diffraction amplitudes over the angle grid.
#include "approximations/aperture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "numerics/constants.h"
#include "numerics/kernel_support.h"

namespace tessary {

namespace {

// Positions of the open samples k = 0 .. round(K - 1): the first and last hundredth, K/100 < k <
// K - K/100 being closed. Closed samples add nothing, so only the open ones are kept.
std::vector<double> OpenSamples(double K) {
    std::vector<double> rho;
    const double last = RoundHalfEven(K - 1.0);
    const double invK = 1.0 / K;
    const double halfInvK = 1.0 / (2.0 * K);
    for (double k = 0.0; k <= last; k += 1.0) {
        if (k > K / 100.0 && k < K - K / 100.0) continue;
        rho.push_back(k * invK + halfInvK);
    }
    return rho;
}

}  // namespace

ApproxOutcome ApertureAmplitudes(double x, double K, std::int32_t N, const AmplitudeTables& S,
                                 std::int32_t first, std::int32_t last, const ApproxProgress& progress) {
    if (!(K >= 1.0 && K <= kMaxApertureSamples))
        return {ApproxStatus::Refused, "Number of samples must be between 1 and 1000000", "Input error"};
    for (std::int32_t k = 1; k <= 2 * N - 1; ++k) {
        const auto i = static_cast<std::size_t>(k);
        S.S1re[i] = S.S1im[i] = S.S2re[i] = S.S2im[i] = 0.0;
    }
    const std::vector<double> rho = OpenSamples(K);
    const double step = kHalfPi / static_cast<double>(N - 1);
    const double weight = x * x / 2.0;
    const double total = static_cast<double>(std::max(0, std::min(last, N) - std::max(first, 1) + 1));
    double done = 0.0;
    for (std::int32_t j = 1; j <= N; ++j) {
        if (j < first || j > last) continue;
        const double sinTheta = std::sin(static_cast<double>(j - 1) * step);
        double re = 0.0;
        double im = 0.0;
        for (const double r : rho) {
            const double psi = 2.0 * x * r * sinTheta;
            re += weight * std::cos(psi);
            im += weight * std::sin(psi);
        }
        const auto i = static_cast<std::size_t>(j);
        S.S1re[i] = S.S2re[i] = re / K;
        S.S1im[i] = S.S2im[i] = im / K;
        done += 1.0;
        if (progress(done, total)) return {ApproxStatus::Stopped, {}, {}};
    }
    return {};
}

}  // namespace tessary
