// Size distributions: sample abscissae, sample radii and weights, the picture's radius axis.
#include "media/size_distribution.h"

#include <algorithm>
#include <cmath>

#include "numerics/elementary.h"

namespace tessary {

namespace {

// The stored halves: quantiles at (k - 0.5)/N scaled to unit mean square, as Singles.
constexpr float kHalf5[] = {0.0f, 0.598808f, 1.463362f};
constexpr float kHalf10[] = {0.13396695f, 0.41078892f, 0.7190725f, 1.104936f, 1.7535714f};
constexpr float kHalf20[] = {0.0647269f, 0.19521044f, 0.32890394f, 0.46837994f, 0.61701685f,
                             0.7797507f, 0.96469676f, 1.1874086f,  1.4859045f,  2.0231001f};
constexpr float kHalf50[] = {0.02538943f, 0.0762323f,  0.12726769f, 0.1786291f, 0.23045437f,
                             0.28289035f, 0.33609605f, 0.3902467f,  0.4455377f, 0.50218993f,
                             0.56046057f, 0.6206484f,  0.683114f,   0.7482939f, 0.81673187f,
                             0.8891207f,  0.9663649f,  1.0496818f,  1.1407919f, 1.2422123f,
                             1.3579029f,  1.4946593f,  1.6658809f,  1.9048376f, 2.3560946f};

template <std::size_t H>
void Mirror(const float (&half)[H], int firstMirrored, DistributionAbscissae& t) {
    for (std::size_t k = 0; k < H; ++k) t[k + 1] = half[k];
    // entries after the stored half are the negatives of the positive values, in the same order
    int to = static_cast<int>(H) + 1;
    for (std::size_t k = static_cast<std::size_t>(firstMirrored); k < H; ++k)
        t[static_cast<std::size_t>(to++)] = -half[k];
}

}  // namespace

DistributionKind DistributionKindOf(const std::string& text) {
    if (text == "Log-normal") return DistributionKind::LogNormal;
    if (text == "Special") return DistributionKind::Special;
    return DistributionKind::Normal;
}

bool FillAbscissae(int N, DistributionAbscissae& t) {
    switch (N) {
        case 5:
            Mirror(kHalf5, 1, t);  // t_1 = 0 is the middle sample
            return true;
        case 10:
            Mirror(kHalf10, 0, t);
            return true;
        case 20:
            Mirror(kHalf20, 0, t);
            return true;
        case 50:
            Mirror(kHalf50, 0, t);
            return true;
        default:
            return false;
    }
}

double SampleRadius(DistributionKind kind, double r0, float sigma, float t) {
    if (kind == DistributionKind::LogNormal)
        return r0 * std::pow(1.0 + static_cast<double>(sigma), static_cast<double>(t));
    return r0 * (1.0 + static_cast<double>(t) * static_cast<double>(sigma));
}

bool SizeHistogram::usable() const {
    if (!(sizeFileCount >= 1) || sizeFileCount > 1e6) return false;
    const auto n = static_cast<std::size_t>(std::nearbyint(sizeFileCount));
    if (histWeight.size() <= n || histRadius.size() <= n || histMidRadius.size() <= n) return false;
    double sum = 0.0;
    for (std::size_t k = 1; k <= n; ++k) sum += histWeight[k];
    return sum > 0.0;
}

SizeSamples DistributionSamples(DistributionKind kind, double r0, float sigma, const DistributionAbscissae& t,
                                int N, const SizeHistogram& histogram) {
    SizeSamples s;
    if (kind == DistributionKind::Special) {
        s.divideByCount = false;
        if (!histogram.usable()) return s;
        const auto n = static_cast<std::size_t>(std::nearbyint(histogram.sizeFileCount));
        for (std::size_t k = 1; k <= n; ++k) {
            // the class radius, or the middle of a class given by its limits
            s.radius.push_back(histogram.histUniform == 1 ? histogram.histRadius[k]
                                                          : histogram.histMidRadius[k]);
            s.weight.push_back(histogram.histWeight[k]);
        }
        return s;
    }
    if (N < 1 || N > 50) return s;
    for (int k = 1; k <= N; ++k) {
        s.radius.push_back(SampleRadius(kind, r0, sigma, t[static_cast<std::size_t>(k)]));
        s.weight.push_back(1.0);
    }
    return s;
}

double LargestSampleScale(DistributionKind kind, float sigma, int N, const SizeHistogram& histogram,
                          double r0) {
    DistributionAbscissae t{};
    if (kind != DistributionKind::Special && !FillAbscissae(N, t)) return 1.0;
    const SizeSamples s = DistributionSamples(kind, r0, sigma, t, N, histogram);
    if (s.radius.empty() || !(r0 > 0)) return 1.0;
    return *std::max_element(s.radius.begin(), s.radius.end()) / r0;
}

DistributionAxis DistributionAxisFor(double r0, float sigma) {
    DistributionAxis a;
    const double k = sigma <= 0.3f ? 3.0 : 4.0;
    const double w = k * static_cast<double>(sigma) * r0;
    if (!(w > 0.0) || !std::isfinite(w)) return a;
    const int n = 1 - static_cast<int>(std::floor(Log10(w)));
    a.max = RoundTo(r0 + w, n);
    double lo = r0 - w;
    if (lo < 0.0) lo = 0.0;
    a.min = RoundTo(lo, n);
    // the curve steps by a hundredth of the axis held as a Single: it must move
    a.ok = a.max > a.min && static_cast<float>((a.max - a.min) / 100.0) > 0.0f && std::isfinite(a.max);
    return a;
}

}  // namespace tessary
