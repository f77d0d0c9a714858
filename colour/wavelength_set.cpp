// The wavelength set: colours of single wavelengths, the band's centre wavelengths and the spectral
// weights of the built-in illuminations.
#include "colour/wavelength_set.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessary {

namespace {

// The channel slopes are the decimals the program has always used (close to 1/60, 1/70, 1/65);
// colours of stored results depend on their last digits.
constexpr double kVioletSlope = 0.016666;
constexpr double kYellowSlope = 0.0142857;
constexpr double kOrangeSlope = 0.015384;

constexpr double kSecondRadiationConstant = 14398.261;  // um K
constexpr double kWienConstant = 2898.0;                // um K

double RoundedChannel(double c) {
    if (!(c > 0.0)) return 0.0;  // negative or not a number
    if (c > 255.0) return 255.0;
    return std::nearbyint(c);  // the default rounding mode: halves to even
}

}  // namespace

WaveColour WavelengthColour(double lambdaUm) {
    const double l = 1000.0 * lambdaUm;  // nm
    WaveColour c;
    if (l <= 440.0) {
        c = {1.25 * (440.0 - l) * kVioletSlope, 0.0, 1.0};
    } else if (l <= 490.0) {
        c = {0.0, (l - 440.0) * 0.02, 1.0};
    } else if (l < 510.0) {
        c = {0.0, 1.0, (510.0 - l) * 0.05};
    } else if (l < 580.0) {
        c = {(l - 510.0) * kYellowSlope, 1.0, 0.0};
    } else if (l < 645.0) {
        c = {1.0, (645.0 - l) * kOrangeSlope, 0.0};
    } else {
        c = {1.0, 0.0, 0.0};  // also a wavelength that is not a number: no row holds it
    }
    return {c.red * 255.0, c.green * 255.0, c.blue * 255.0};
}

std::uint32_t PackWaveColour(double red, double green, double blue) {
    return static_cast<std::uint32_t>(RoundedChannel(red) + 256.0 * RoundedChannel(green) +
                                      65536.0 * RoundedChannel(blue));
}

float BandCentre(float bandMinUm, float bandMaxUm, int count, int k) {
    const float delta = (bandMaxUm - bandMinUm) / static_cast<float>(count);
    return bandMinUm + delta / 2.0f + static_cast<float>(k - 1) * delta;
}

std::optional<float> TableWeight(std::span<const float> table, double x) {
    if (table.empty()) return std::nullopt;
    const auto last = static_cast<double>(table.size() - 1);
    if (!(x >= 0.0 && x <= last)) return std::nullopt;  // also x not a number
    if (x == last) return table.back();
    const double i = std::floor(x);
    const double f = x - i;
    const auto at = static_cast<std::size_t>(i);
    const float step = table[at + 1] - table[at];
    return static_cast<float>(table[at] + step * f);
}

std::optional<float> SunLeeWeight(double lambdaUm, std::span<const float, kSunLeeValues> table) {
    // The divisor is the Double difference 0.31999999999999995, as the program always had it.
    const double x = (lambdaUm - 0.38) * 64.0 / (0.7 - 0.38);
    return TableWeight(table, x);
}

std::optional<float> SunWernandWeight(double lambdaUm, std::span<const float, kSunWernandValues> table) {
    const double x = (lambdaUm - 0.35) * 130.0 / 0.65;
    return TableWeight(table, x);
}

double BlackBodyRadiance(double lambdaUm, double temperatureK) {
    return 1.0 /
           (std::pow(lambdaUm, 5) * (std::exp(kSecondRadiationConstant / (temperatureK * lambdaUm)) - 1.0));
}

double WienPeakUm(double temperatureK) { return kWienConstant / temperatureK; }

std::optional<float> BlackBodyWeight(double lambdaUm, double temperatureK) {
    if (!(temperatureK > 0.0) || !std::isfinite(temperatureK)) return std::nullopt;
    const double peak = BlackBodyRadiance(WienPeakUm(temperatureK), temperatureK);
    const double weight = BlackBodyRadiance(lambdaUm, temperatureK) / peak;
    if (!std::isfinite(weight) || std::fabs(weight) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(weight);
}

std::optional<float> SpectrumFileWeight(double lambdaUm, std::span<const double> wave,
                                        std::span<const double> value, bool nonUniform) {
    const std::size_t count = std::min(wave.size(), value.size());
    if (count < 2) return std::nullopt;
    const std::size_t last = count - 1;
    // One row, or equal first and last wavelengths: the first value everywhere. Else nothing outside the
    // rows (nor for a wavelength not a number), whose ends are compared in Single as the band checks do:
    // a wavelength at an end as a Single (0.44f is 439.99999762 nm) takes that end's value.
    if (last == 1 || !(wave[1] != wave[last])) return static_cast<float>(value[1]);
    const auto single = static_cast<float>(lambdaUm);
    if (!(single >= static_cast<float>(wave[1] / 1000) && single <= static_cast<float>(wave[last] / 1000)))
        return std::nullopt;
    const double nm = std::max(wave[1], std::min(1000.0 * lambdaUm, wave[last]));
    if (nonUniform) {
        if (nm == wave[1]) return static_cast<float>(value[1]);
        if (nm == wave[last]) return static_cast<float>(value[last]);
        // The first row above nm: one of rows 2..last, as wave(1) <= nm < wave(last).
        const auto rows = wave.subspan(1, last);
        const auto k =
            static_cast<std::size_t>(std::upper_bound(rows.begin(), rows.end(), nm) - rows.begin()) + 1;
        const double f = (nm - wave[k - 1]) / (wave[k] - wave[k - 1]);
        return static_cast<float>(value[k - 1] + (value[k] - value[k - 1]) * f);
    }
    const double span = wave[last] - wave[1];
    const double x = (nm - wave[1]) * static_cast<double>(last - 1) / span;
    if (!(x >= 0.0)) return static_cast<float>(value[1]);
    if (x >= static_cast<double>(last - 1)) return static_cast<float>(value[last]);
    const auto i = static_cast<std::size_t>(x);
    const double f = x - static_cast<double>(i);
    return static_cast<float>(value[i + 1] + (value[i + 2] - value[i + 1]) * f);
}

}  // namespace tessary
