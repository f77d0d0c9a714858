// The AVX2 build of the angle loops gives the bits of the baseline (SSE2) build: every range of angles
// of the Mie loop (vectors, pairs and single angles at both ends), a Debye block, and whole Mie and
// Debye series (several x and m, odd and even angle counts, windows, threaded runs). Skipped where the
// processor has no AVX2.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "scattering/angle_loops.h"
#include "scattering/debye.h"
#include "scattering/mie.h"
#include "scattering/ray_orders.h"

namespace tessary {
namespace {

using namespace angle_loops;

#define SKIP_WITHOUT_AVX2() \
    if (!CpuHasAvx2()) GTEST_SKIP() << "no AVX2 on this processor"

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// A Mie angle buffer on a cache line; its first kAngles angles are filled with values that differ per
// field and angle.
struct MieBuffer {
    static constexpr int kAngles = 64;
    std::vector<double> storage = std::vector<double>(kFieldCount * kStride + 8);
    double* tables = nullptr;
    MieBuffer() {
        void* p = storage.data();
        std::size_t space = storage.size() * sizeof(double);
        tables = static_cast<double*>(std::align(64, kFieldCount * kStride * sizeof(double), p, space));
    }
    void Fill() {
        for (std::ptrdiff_t f = 0; f < kFieldCount; ++f)
            for (int j = 0; j < kAngles; ++j) tables[f * kStride + j] = 1.0 / (3.0 + f + 0.37 * j);
    }
    bool SameBits(const MieBuffer& other) const {
        for (std::ptrdiff_t f = 0; f < kFieldCount; ++f)
            if (std::memcmp(tables + f * kStride, other.tables + f * kStride, kAngles * sizeof(double)) != 0)
                return false;
        return true;
    }
};

TEST(AngleLoops, MieEveryRangeGivesTheBaselineBits) {
    SKIP_WITHOUT_AVX2();
    const OrderTerms t{7.0, 8.0, 15.0, 0.267857, -0.267857, 0.6, -0.3, 0.45, 0.11};
    Segments segments;  // one segment each of forward only, both and mirrored only
    segments.list[0] = {1, 20, true, false};
    segments.list[1] = {20, 41, true, true};
    segments.list[2] = {41, 60, false, true};
    segments.count = 3;
    MieBuffer sse2, avx2;
    for (int begin = 1; begin < 60; ++begin)
        for (int end = begin + 1; end <= 60; ++end) {
            sse2.Fill();
            avx2.Fill();
            for (int order = 0; order < 3; ++order) {
                MieAngleSumsBaseline(t, sse2.tables, begin, end, segments);
                MieAngleSumsAvx2(t, avx2.tables, begin, end, segments);
            }
            ASSERT_TRUE(sse2.SameBits(avx2)) << begin << ".." << end;
        }
}

TEST(AngleLoops, DebyeBlockGivesTheBaselineBits) {
    SKIP_WITHOUT_AVX2();
    constexpr int N = 40;
    std::vector<double> mu(kDebyeAngleBlock), piA(N + 1), piB(N + 1), fn(N + 1);
    std::vector<Complex> an2(N + 1), bn2(N + 1);
    for (int k = 0; k < kDebyeAngleBlock; ++k) mu[k] = 1.0 - k / 40.0;
    for (int n = 1; n <= N; ++n) {
        piA[n] = (2.0 * n - 1.0) / (n - 1.0);
        piB[n] = n / (n - 1.0);
        fn[n] = ((2.0 * n + 1.0) * -0.5) / ((n + 1.0) * n);
        an2[n] = {1.0 / n, 0.3 / (n + 2)};
        bn2[n] = {-0.7 / n, 1.0 / (n * n + 1.0)};
    }
    DebyeBlockSums sse2{}, avx2{};
    DebyeSumBlockBaseline(mu.data(), N, piA.data(), piB.data(), fn.data(), an2.data(), bn2.data(), sse2);
    DebyeSumBlockAvx2(mu.data(), N, piA.data(), piB.data(), fn.data(), an2.data(), bn2.data(), avx2);
    EXPECT_EQ(std::memcmp(&sse2, &avx2, sizeof sse2), 0);
}

struct SeriesCase {
    double x;
    Complex m;
    int NANG, first, last;
};

// Small and threaded runs (window angles >= 200, orders >= 50), odd and even NANG, part windows.
const SeriesCase kSeriesCases[] = {
    {2.5, {1.5, 0.0}, 7, 1, 13},           {30.0, {1.333, 0.01}, 11, 3, 17},
    {200.0, {1.55, 0.0}, 901, 1, 1801},    {1000.0, {1.333, 0.001}, 1000, 1, 1999},
    {500.0, {0.75, 0.2}, 457, 5, 900},     {3000.0, {1.333, 0.0}, 1803, 101, 3000},
};

TEST(AngleLoops, MieSeriesGivesTheBaselineBits) {
    SKIP_WITHOUT_AVX2();
    for (const SeriesCase& c : kSeriesCases) {
        MieInput in;
        in.x = c.x;
        in.m = c.m;
        in.NANG = c.NANG;
        in.first = c.first;
        in.last = c.last;
        MieResult sse2, avx2;
        in.baselineVectors = true;
        MieSeries(in, sse2);
        in.baselineVectors = false;
        MieSeries(in, avx2);
        ASSERT_EQ(sse2.status, MieStatus::Done) << c.x;
        EXPECT_TRUE(SameBits(sse2.S1re, avx2.S1re) && SameBits(sse2.S1im, avx2.S1im) &&
                    SameBits(sse2.S2re, avx2.S2re) && SameBits(sse2.S2im, avx2.S2im))
            << c.x;
        EXPECT_EQ(std::memcmp(&sse2.Qext, &avx2.Qext, sizeof sse2.Qext), 0) << c.x;
    }
}

TEST(AngleLoops, DebyeSeriesGivesTheBaselineBits) {
    SKIP_WITHOUT_AVX2();
    RayChoice choice;
    choice.listText = "-5";
    const RaySelection rays = RaysCheck(choice, RaySelection{}).selection;
    for (const SeriesCase& c : kSeriesCases) {
        DebyeInput in;
        in.x = c.x;
        in.m = c.m;
        in.NANG = c.NANG;
        in.first = c.first;
        in.last = c.last;
        in.rayListText = "-5";
        DebyeResult sse2, avx2;
        in.baselineVectors = true;
        DebyePlaneWave(in, rays, sse2);
        in.baselineVectors = false;
        DebyePlaneWave(in, rays, avx2);
        ASSERT_EQ(sse2.status, DebyeStatus::Done) << c.x;
        EXPECT_TRUE(SameBits(sse2.S1re, avx2.S1re) && SameBits(sse2.S1im, avx2.S1im) &&
                    SameBits(sse2.S2re, avx2.S2re) && SameBits(sse2.S2im, avx2.S2im))
            << c.x;
    }
}

}  // namespace
}  // namespace tessary
