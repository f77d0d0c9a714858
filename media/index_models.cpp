// Refractive-index models of single materials; see index_models.h for the references.
#include "media/index_models.h"

#include <cmath>
#include <cstddef>

#include "media/index_tables.h"

namespace tessary {
namespace {

// (b - a) f + a, all in Single as the tables are.
float Lerp(float a, float b, float f) { return (b - a) * f + a; }

// The wavelength as the tables compare it.
float TableWavelength(double lambda) { return static_cast<float>(lambda); }

// Ray and Segelstein: the first row pair p, p+1 with w(p) <= Ls <= w(p+1).
template <std::size_t N>
std::optional<Complex> FirstBracket(const std::array<float, N>& w, const std::array<float, N>& n,
                                    const std::array<float, N>& k, double lambda) {
    const float Ls = TableWavelength(lambda);
    for (std::size_t p = 0; p + 1 < N; ++p) {
        if (w[p] <= Ls && Ls <= w[p + 1]) {
            const float f = (Ls - w[p]) / (w[p + 1] - w[p]);
            return Complex{Lerp(n[p], n[p + 1], f), Lerp(k[p], k[p + 1], f)};
        }
    }
    return std::nullopt;
}

double NanometresAsSingle(double lambda) { return static_cast<float>(lambda * 1000.0); }

}  // namespace

std::optional<double> IapwsWaterRe(double lambda, const WaterParams& water) {
    const double t = water.waterTemp;
    const double T = static_cast<float>((t + 273.15) / 273.15);  // reduced temperature, a Single
    const double rho = water.waterDensity;                       // reduced density
    const double l = lambda / 0.589;                             // reduced wavelength
    const double l2 = l * l;
    // 0.052533557 and 29.51680445 are the squared reduced UV and IR resonance wavelengths
    const double A = 0.244257733 + 0.00974634476 * rho - 0.00373234996 * T + 0.000268678472 * l2 * T +
                     0.0015892057 / l2 + 0.00245934259 / (l2 - 0.052533557) +
                     0.90070492 / (l2 - 29.51680445) - 0.0166626219 * rho * rho;
    const double B = rho * A;  // (n^2 - 1) / (n^2 + 2)
    const double n2 = (2.0 * B + 1.0) / (1.0 - B);
    // between a pole and its neighbouring zero of n^2 the index has no real value
    if (!(n2 >= 0.0) || !std::isfinite(n2)) return std::nullopt;
    return std::sqrt(n2);
}

WaterIm BuiltinWaterIm(double lambda) {
    // 0.31999999999999995 is 0.70 - 0.38 in double, so that p is exactly 128 at 0.7 um
    const double p = (lambda - 0.38) * 128.0 / 0.31999999999999995;
    constexpr int last = kRiBuiltinRows - 1;
    if (p < 0.0) return {riBuiltinTable[0], false};
    if (p >= last) return {riBuiltinTable[last], p == last};
    const int j = static_cast<int>(std::floor(p));
    const double f = p - j;
    const float step =
        riBuiltinTable[static_cast<std::size_t>(j) + 1] - riBuiltinTable[static_cast<std::size_t>(j)];
    return {step * f + riBuiltinTable[static_cast<std::size_t>(j)], true};
}

double CowleyWaterRe(double lambda) {
    const double l = lambda;
    return 0.5664 * l * l * l * l - 1.5476 * l * l * l + 1.6164 * l * l - 0.7878 * l + 1.485;
}

double KayeLabyWaterRe(double lambda) {
    const double L = NanometresAsSingle(lambda);
    return 1.4933565 - 0.0008604994 * L + 1.8281655e-06 * L * L - 1.8160727e-09 * L * L * L +
           6.9245792e-13 * L * L * L * L;
}

double LynchWaterRe(double lambda) {
    const double L = NanometresAsSingle(lambda);
    return 1.4291357 - 0.00036390476 * L + 4.5952381e-07 * L * L - 2e-10 * L * L * L;
}

double GedzelmanWaterRe(double lambda) { return 1.3601 - 4.4e-05 * NanometresAsSingle(lambda); }

double AirRe(double lambda, float airTemp) {
    const double t = airTemp;
    const double s = 1.0 / lambda / lambda;  // squared wavenumber, um^-2
    const double A = (0.0278 * t - 10.366) * t + 2875.7;
    const double B = (0.0024 * t - 0.1114) * t + 13.412;
    const double C = (-0.000164 * t + 0.0009) * t + 0.3777;
    return 1.0 + (A + (B + C * s) * s) / 10000000.0;
}

std::optional<Complex> MetalIndexAt(Metal metal, double lambda) {
    const std::array<MetalIndex, kMetalRows>& table = metal == Metal::Gold     ? goldIndexTable
                                                      : metal == Metal::Silver ? silverIndexTable
                                                                               : copperIndexTable;
    const std::array<float, kMetalRows>& w = metalWavelengths;
    const float Ls = TableWavelength(lambda);
    std::optional<Complex> index;
    for (std::size_t p = 0; p + 1 < w.size(); ++p) {
        if (w[p] <= Ls && Ls <= w[p + 1]) {  // a hit on a row is bracketed twice, with the same value
            const float f = (Ls - w[p]) / (w[p + 1] - w[p]);
            index = Complex{Lerp(table[p].n, table[p + 1].n, f), Lerp(table[p].k, table[p + 1].k, f)};
        }
    }
    return index;
}

std::optional<Complex> RayWaterIndex(double lambda) { return FirstBracket(rayWave, rayRe, rayIm, lambda); }

std::optional<Complex> SegelsteinWaterIndex(double lambda) {
    return FirstBracket(segelsteinWave, segelsteinRe, segelsteinIm, lambda);
}

std::optional<Complex> FileIndex(std::span<const IndexFileRow> rows, double lambda) {
    if (rows.empty()) return std::nullopt;
    const float Ls = TableWavelength(lambda);
    // clamped to the end rows outside the file's band
    if (Ls < rows.front().wavelength) return Complex{rows.front().n, rows.front().k};
    if (Ls > rows.back().wavelength) return Complex{rows.back().n, rows.back().k};
    std::optional<Complex> index;
    for (std::size_t p = 0; p + 1 < rows.size(); ++p) {
        const IndexFileRow& a = rows[p];
        const IndexFileRow& b = rows[p + 1];
        if (!(a.wavelength <= Ls && Ls <= b.wavelength)) continue;
        if (a.wavelength == b.wavelength) {  // a repeated wavelength: no interval to interpolate in
            index = Complex{b.n, b.k};
            continue;
        }
        const float f = (Ls - a.wavelength) / (b.wavelength - a.wavelength);
        index = Complex{Lerp(a.n, b.n, f), Lerp(a.k, b.k, f)};
    }
    // a one-row file has no interval; its row holds at its own wavelength as on either side of it
    if (!index && rows.size() == 1) index = Complex{rows.front().n, rows.front().k};
    return index;
}

double KellWaterDensity(double t) {
    return (0.99983952 + 0.016945176 * t - 7.9870401e-06 * t * t - 4.6170461e-08 * t * t * t +
            1.0556302e-10 * t * t * t * t - 2.8054253e-13 * t * t * t * t * t) /
           (1.0 + 0.01687985 * t);
}

std::optional<std::string_view> CheckWaterTemperature(double t) {
    if (t < 0.0) return "Minimum temperature = 0";
    if (t > 100.0) return "Maximum temperature = 100";
    return std::nullopt;
}

std::optional<std::string_view> CheckWaterDensity(double rho) {
    if (!(rho > 0.0 && rho <= 1.06)) return "Density (g/cm3) must be above 0 and at most 1.06";
    return std::nullopt;
}

}  // namespace tessary
