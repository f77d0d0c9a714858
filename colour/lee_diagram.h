// The redraw of a Lee diagram or angle map from its stored colours, on plain arrays: the sun-disc
// smoothing with its reflections, the size-distribution weights and smoothing across the radius
// rows, the row peaks, and the false-colour value of a cell. Stores are [sweep step][angle offset].
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tessary {

using LeeStore = std::vector<std::vector<float>>;

// The six stores of one run or its smoothed copy: red, green, blue of the perpendicular (0..2) and
// the parallel (3..5) light.
using LeeStores = std::array<LeeStore*, 6>;
using LeeConstStores = std::array<const LeeStore*, 6>;

// The angle window of the redraw as offsets into the stores: cells firstOffset..lastOffset of rows
// 0..lastRow, with the 180° point at offset mirror.
struct LeeWindow {
    int lastRow = -1;
    std::int32_t firstOffset = 0, lastOffset = -1;
    std::int32_t mirror = 0;
};

// Copies the stored cells of the window into the working stores, averaged over the sun's disc when
// weights (1..discSteps, weight 0 counted as 1) are given; offsets past 180° and below offset 1 are
// reflected back, cells beyond the stores count as 0.
void LeeSunSmooth(LeeConstStores stored, LeeStores working, const LeeWindow& w,
                  std::span<const double> discWeights, bool sun);

// The Log-normal weights across rows of a geometric sweep of ratio q for a relative width sigma:
// weights 0..count (count at most 100). False, and no weights, when sigma <= 0 or q <= 1.
struct LeeDistribution {
    std::array<float, 101> weights{};
    int count = 0;
};
bool LeeDistributionWeights(double sigma, double ratio, LeeDistribution& out);

// Averages every working cell of the window over the neighbouring rows, in place in increasing row.
void LeeDistributionSmooth(LeeStores working, const LeeWindow& w, const LeeDistribution& d);

// The three row peaks (perpendicular, parallel, unpolarised) of the working stores.
std::array<double, 3> LeeRowPeaks(LeeConstStores working, const LeeWindow& w, int row);

// The false-colour ratio of a cell: its largest channel over the peak; 0 for an empty cell or a peak
// that is not positive (the caller takes its logarithm).
double LeeFalseRatio(double r, double g, double b, double peak);

}  // namespace tessary
