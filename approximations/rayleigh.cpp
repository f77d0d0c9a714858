// Rayleigh amplitudes over the angle grid. [1] Bohren & Huffman (1983), section 5.2.
#include "approximations/rayleigh.h"

#include <cmath>
#include <cstddef>

#include "numerics/constants.h"

namespace tessary {

namespace {

void Store(const AmplitudeTables& S, std::int32_t k, double A, double cosTheta) {
    const auto i = static_cast<std::size_t>(k);
    S.S1re[i] = 0.0;
    S.S1im[i] = A;
    S.S2re[i] = 0.0;
    S.S2im[i] = A * cosTheta;
}

}  // namespace

void RayleighAmplitudes(double x, double mRe, std::int32_t N, const AmplitudeTables& S, std::int32_t first,
                        std::int32_t last) {
    const double m2 = mRe * mRe;
    const double K = (m2 - 1.0) / (m2 + 2.0);
    // The leading term of a1 is -i (2/3) K x^3; S1 = S2(0) = (3/2) a1, a pure imaginary amplitude.
    const double a1 = -(2.0 / 3.0) * K * x * x * x;
    const double A = 1.5 * a1;
    const double step = N > 1 ? kHalfPi / static_cast<double>(N - 1) : 0.0;
    // Forward half, 0 to 90 degrees.
    for (std::int32_t j = 1; j <= N; ++j)
        if (j >= first && j <= last) Store(S, j, A, std::cos(static_cast<double>(j - 1) * step));
    // Back half: cos(pi - theta) = -cos(theta).
    for (std::int32_t j = 1; j <= N - 1; ++j) {
        const std::int32_t k = 2 * N - j;
        if (k >= first && k <= last) Store(S, k, A, -std::cos(static_cast<double>(j - 1) * step));
    }
}

}  // namespace tessary
