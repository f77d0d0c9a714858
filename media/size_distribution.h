// Size distributions of the spheres: the N-point samples of the Normal and Log-normal distributions
// (standard-normal quantiles at (k - 0.5)/N rescaled to mean 0 and mean square 1, each sample the
// share 1/N), the histogram of a size-distribution file ("Special"), the radii and weights a run
// averages over, and the radius axis of the distribution's picture.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

enum class DistributionKind { Normal, LogNormal, Special };

// The kind named by the text of the distribution list; anything else is Normal.
DistributionKind DistributionKindOf(const std::string& text);

// Sample abscissae t_1..t_N (entry 0 unused): the stored half of the set for N = 5, 10, 20 or 50 and
// its mirror. Any other N leaves the array as it was and returns false.
using DistributionAbscissae = std::array<float, 51>;
bool FillAbscissae(int N, DistributionAbscissae& t);

// Radius of the sample at abscissa t: r0 (1 + sigma t) (Normal), r0 (1 + sigma)^t (Log-normal).
double SampleRadius(DistributionKind kind, double r0, float sigma, float t);

// A histogram read from a size-distribution file. Classes 1..sizeFileCount (entry 0 unused): with
// histUniform 1 a radius and a weight per class, with 0 the lower and upper radius and the weight.
// histWeight is divided by the weights' sum; histMidRadius is (r1 + r2) / 2.
struct SizeHistogram {
    double sizeFileCount = 0;
    int histUniform = 1;
    std::vector<float> histRadius, histRadius2, histMidRadius, histWeight;
    float histRadiusMin = 0.0f, histRadiusMax = 0.0f;
    float histWeightSum = 0.0f, histWeightMax = 0.0f;
    int histLoaded = 0;
    std::string inputFilePath;

    // True when the classes 1..sizeFileCount exist in every array and carry a positive weight sum.
    bool usable() const;
};

// The radii (um) and weights of the samples a run averages over. For Normal and Log-normal the sums
// are divided by N (`divideByCount`); a histogram's weights already sum to 1.
struct SizeSamples {
    std::vector<double> radius;
    std::vector<double> weight;  // 1 for Normal and Log-normal, h_k for a histogram
    bool divideByCount = true;
};
SizeSamples DistributionSamples(DistributionKind kind, double r0, float sigma, const DistributionAbscissae& t,
                                int N, const SizeHistogram& histogram);
// The largest radius of the samples DistributionSamples draws around r0 for N samples, over r0: the factor of
// the largest size a run averaging over them reaches; 1 where it draws none (an N other than 5, 10, 20, 50, a
// histogram not read).
double LargestSampleScale(DistributionKind kind, float sigma, int N, const SizeHistogram& histogram,
                          double r0);

// The radius axis of the picture of a Normal or Log-normal distribution around r0: half-width
// k sigma r0 (k = 3 up to sigma 0.3 in Single, else 4), ends rounded to 1 - Int(Log10(w)) decimals,
// the lower end not below 0. `ok` is false when the axis has no width a Single can step through.
struct DistributionAxis {
    double min = 0.0, max = 0.0;
    bool ok = false;
};
DistributionAxis DistributionAxisFor(double r0, float sigma);

}  // namespace tessary
