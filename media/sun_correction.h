// Weights that smear a scattering pattern over the sun's disc (angular radius 0.25 degrees): a running
// weighted mean over neighbouring angles, weight 1 at the centre angle and w(i) i steps away on either
// side. The disc profile takes w(i) as the chord of a uniformly bright disc at distance i * step from
// its centre; the rectangular profile takes every w(i) = 1.
#pragma once

#include <vector>

namespace tessary {

inline constexpr double kSunDiscRadiusDeg = 0.25;

struct SunDiscWeights {
    double sizeOrStep = 0.0;             // the angle step in degrees
    int sunDiscSteps = 0;                // n, whole steps inside the disc radius
    std::vector<double> sunDiscWeights;  // indices 0..n+1: w(1)..w(n) at 1..n, 0 at 0 and n+1
    double sunDiscWeightSum = 1.0;       // 1 + 2 (w(1) + ... + w(n))
};

// n = Int(0.25 / step). A step that is not a positive number (the input checks refuse it before a
// run) gives n = 0: the single centre weight 1, which leaves the pattern unchanged. n is capped at
// kMaxSunDiscSteps, far beyond the finest angle grid the program builds.
inline constexpr int kMaxSunDiscSteps = 18000;
SunDiscWeights SunCorrection(double step, bool rectangular);

}  // namespace tessary
