// Fraunhofer diffraction amplitudes over the angle grid. [1] van de Hulst (1957), section 8.31.
#include "approximations/diffraction.h"

#include <cmath>
#include <cstddef>

#include "numerics/bessel_real.h"
#include "numerics/constants.h"

namespace tessary {

namespace {

// x J1(u) f / sin theta with u = x sin theta: equals x^2 J1(u)/u f ([1] 8.31).
double DiffractedAmplitude(double x, double sinTheta, double obliquity) {
    const BesselJYResult bessel = BesselJY(x * sinTheta, BesselKind::JY);
    return x * bessel.j1 * obliquity / sinTheta;
}

void Store(const AmplitudeTables& S, std::int32_t k, double A) {
    const auto i = static_cast<std::size_t>(k);
    S.S1re[i] = A * std::cos(kDiffractionPhase);
    S.S1im[i] = A * std::sin(kDiffractionPhase);
    S.S2re[i] = S.S1re[i];
    S.S2im[i] = S.S1im[i];
}

}  // namespace

void DiffractionAmplitudes(double x, std::int32_t N, const AmplitudeTables& S, std::int32_t first,
                           std::int32_t last) {
    const double step = N > 1 ? kHalfPi / static_cast<double>(N - 1) : 0.0;
    // Forward half, 0 to 90 degrees.
    for (std::int32_t j = 1; j <= N; ++j) {
        if (j < first || j > last) continue;
        if (j == 1) {  // 0 degrees: the whole outline in phase, no phase factor
            const auto i = static_cast<std::size_t>(j);
            S.S1re[i] = S.S2re[i] = x * x / 2.0;
            S.S1im[i] = S.S2im[i] = 0.0;
            continue;
        }
        const double sinTheta = std::sin(static_cast<double>(j - 1) * step);
        const double cosTheta = std::sqrt(1.0 - sinTheta * sinTheta);
        Store(S, j, DiffractedAmplitude(x, sinTheta, (1.0 + cosTheta) / 2.0));
    }
    // Back half, 180 degrees minus the same angles.
    for (std::int32_t j = 1; j <= N - 1; ++j) {
        const std::int32_t k = 2 * N - j;
        if (k < first || k > last) continue;
        if (j == 1) {  // 180 degrees: no diffracted light
            const auto i = static_cast<std::size_t>(k);
            S.S1re[i] = S.S1im[i] = S.S2re[i] = S.S2im[i] = 0.0;
            continue;
        }
        const double sinTheta = std::sin(static_cast<double>(j - 1) * step);
        const double cosTheta = std::sqrt(1.0 - sinTheta * sinTheta);
        Store(S, k, DiffractedAmplitude(x, sinTheta, -(1.0 - cosTheta) / 2.0));
    }
}

}  // namespace tessary
