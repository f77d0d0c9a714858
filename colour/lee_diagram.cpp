#include "colour/lee_diagram.h"

#include <algorithm>
#include <cmath>

namespace tessary {

namespace {

constexpr double kTwoPi = 6.28318530717958;

float Cell(const LeeStore& s, int row, std::int32_t c) {
    if (row < 0 || c < 0 || static_cast<std::size_t>(row) >= s.size()) return 0.0f;
    const std::vector<float>& r = s[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(c) < r.size() ? r[static_cast<std::size_t>(c)] : 0.0f;
}

float* CellAt(LeeStore& s, int row, std::int32_t c) {
    if (row < 0 || c < 0 || static_cast<std::size_t>(row) >= s.size()) return nullptr;
    std::vector<float>& r = s[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(c) < r.size() ? &r[static_cast<std::size_t>(c)] : nullptr;
}

}  // namespace

void LeeSunSmooth(LeeConstStores stored, LeeStores working, const LeeWindow& w,
                  std::span<const double> discWeights, bool sun) {
    const int steps = sun ? static_cast<int>(discWeights.size()) - 1 : 0;
    for (int k = 0; k <= w.lastRow; ++k)
        for (std::int32_t c = w.firstOffset; c <= w.lastOffset; ++c)
            for (std::size_t a = 0; a < 6; ++a) {
                double sum = Cell(*stored[a], k, c);
                double weight = 1;
                for (int j = 1; j <= steps; ++j) {
                    const double wj = discWeights[static_cast<std::size_t>(j)];
                    std::int32_t f = c + j;
                    if (f > w.mirror) f = 2 * w.mirror - f;
                    std::int32_t b = c - j;
                    if (b < 1) b = 2 - b;
                    sum += wj * (Cell(*stored[a], k, f) + Cell(*stored[a], k, b));
                    weight += 2 * wj;
                }
                if (float* out = CellAt(*working[a], k, c))
                    *out = static_cast<float>(weight > 0 ? sum / weight : 0.0);
            }
}

bool LeeDistributionWeights(double sigma, double ratio, LeeDistribution& out) {
    out = {};
    if (!(sigma > 0) || !(ratio > 1) || !std::isfinite(sigma) || !std::isfinite(ratio)) return false;
    const double N = std::min(3 * sigma / (ratio - 1), 100.0);
    out.count = static_cast<int>(std::nearbyint(N));
    for (int j = 0; j <= out.count; ++j) {
        const double d = std::pow(ratio, j) - 1;
        out.weights[static_cast<std::size_t>(j)] =
            static_cast<float>(std::exp(-d * d / (2 * sigma * sigma)) / (sigma * std::sqrt(kTwoPi)));
    }
    return true;
}

void LeeDistributionSmooth(LeeStores working, const LeeWindow& w, const LeeDistribution& d) {
    const double w0 = d.weights[0];
    for (int k = 0; k <= w.lastRow; ++k)
        for (std::int32_t c = w.firstOffset; c <= w.lastOffset; ++c)
            for (LeeStore* s : working) {
                double sum = w0 * Cell(*s, k, c);
                double weight = w0;
                for (int j = 1; j <= d.count; ++j) {
                    const double wj = d.weights[static_cast<std::size_t>(j)];
                    if (k - j >= 0) {
                        sum += wj * Cell(*s, k - j, c);
                        weight += wj;
                    }
                    if (k + j <= w.lastRow) {
                        sum += wj * Cell(*s, k + j, c);
                        weight += wj;
                    }
                }
                if (float* out = CellAt(*s, k, c)) *out = static_cast<float>(weight > 0 ? sum / weight : 0.0);
            }
}

std::array<double, 3> LeeRowPeaks(LeeConstStores working, const LeeWindow& w, int row) {
    std::array<double, 3> peak{};
    for (std::int32_t c = w.firstOffset; c <= w.lastOffset; ++c)
        for (std::size_t ch = 0; ch < 3; ++ch) {
            const double perp = Cell(*working[ch], row, c);
            const double para = Cell(*working[ch + 3], row, c);
            peak[0] = std::max(peak[0], perp);
            peak[1] = std::max(peak[1], para);
            peak[2] = std::max(peak[2], (perp + para) / 2);
        }
    return peak;
}

double LeeFalseRatio(double r, double g, double b, double peak) {
    const double largest = std::max({r, g, b});
    if (!(largest > 0) || !(peak > 0) || !std::isfinite(largest / peak)) return 0;
    return largest / peak;
}

}  // namespace tessary
