// Van de Hulst backward amplitudes over the angle grid. [1] van de Hulst (1957).
#include "approximations/van_de_hulst.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "numerics/bessel_real.h"
#include "numerics/constants.h"

namespace tessary {

ApproxOutcome VanDeHulstAmplitudes(double radius, double wavelength, float a, float b, std::int32_t N,
                                   const AmplitudeTables& S, std::int32_t first, std::int32_t last) {
    for (std::int32_t k = 1; k <= 2 * N - 1; ++k) {
        const auto i = static_cast<std::size_t>(k);
        S.S1re[i] = S.S1im[i] = S.S2re[i] = S.S2im[i] = 0.0;
    }
    const double step = kHalfPi / static_cast<double>(N - 1);
    const double A = a;
    const double B = b;
    for (std::int32_t j = 1; j <= N - 1; ++j) {
        const std::int32_t k = 2 * N - j;
        if (k < first || k > last) continue;
        std::array<double, 5> J{1.0, 0.0, 0.0, 0.0, 0.0};  // exactly backwards: u = 0
        if (j >= 2) {
            const double u = radius / wavelength * std::sin(static_cast<double>(j - 1) * step);
            if (!std::isfinite(u) || u < 0.0) return NotFiniteOutcome(kVanDeHulstName);
            // A start order well above u: J0 .. J4 to about 1e-13 whatever the size.
            const BesselJ0to4Result bessel = BesselJ0to4(BesselJ0to4StartOrder(u), u);
            if (bessel.status != BesselStatus::Ok) return NotFiniteOutcome(kVanDeHulstName);
            J = bessel.J;
        }
        const auto i = static_cast<std::size_t>(k);
        S.S1re[i] = A * (J[0] - J[2]) + B * (J[0] + J[2]);
        S.S2re[i] = B * (J[0] - J[2]) + A * (J[0] + J[2]);
    }
    return {};
}

}  // namespace tessary
