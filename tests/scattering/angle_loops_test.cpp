// The AVX2 build of the angle loops gives the bits of the baseline (SSE2) build: every range of angles
// of the Mie loop (vectors, pairs and single angles at both ends), and whole Mie and Debye series (whose
// angle blocks take all of the Debye loop). Skipped where the processor has no AVX2.
#include "scattering/angle_loops.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "scattering/debye.h"
#include "scattering/mie.h"
#include "scattering/ray_orders.h"

namespace tessary {
namespace {

using namespace angle_loops;

#define SKIP_WITHOUT_AVX2() \
    if (!CpuHasAvx2()) GTEST_SKIP() << "no AVX2 on this processor"

bool SameBits(const void* a, const void* b, std::size_t bytes) { return std::memcmp(a, b, bytes) == 0; }

template <class Result>
bool SameAmplitudes(const Result& a, const Result& b) {
    for (auto v : {&Result::S1re, &Result::S1im, &Result::S2re, &Result::S2im})
        if ((a.*v).size() != (b.*v).size() || !SameBits((a.*v).data(), (b.*v).data(), (a.*v).size() * 8))
            return false;
    return true;
}

TEST(AngleLoops, MieEveryRangeGivesTheBaselineBits) {
    SKIP_WITHOUT_AVX2();
    const OrderTerms t{7.0, 8.0, 15.0, 0.267857, -0.267857, 0.6, -0.3, 0.45, 0.11};
    Segments segments;  // one segment each of forward only, both and mirrored only
    segments.list[0] = {1, 20, true, false};
    segments.list[1] = {20, 41, true, true};
    segments.list[2] = {41, 60, false, true};
    segments.count = 3;
    // Two buffers on a cache line, their first 64 angles filled with values that differ per field and angle.
    struct alignas(64) Buffer {
        double v[kFieldCount * kStride];
    };
    std::vector<Buffer> buffers(2);
    double* tables[2] = {buffers[0].v, buffers[1].v};
    for (int begin = 1; begin < 60; ++begin)
        for (int end = begin + 1; end <= 60; ++end) {
            for (double* b : tables)
                for (std::ptrdiff_t f = 0; f < kFieldCount; ++f)
                    for (int j = 0; j < 64; ++j) b[f * kStride + j] = 1.0 / (3.0 + f + 0.37 * j);
            for (int order = 0; order < 3; ++order) {
                MieAngleSumsBaseline(t, tables[0], begin, end, segments);
                MieAngleSumsAvx2(t, tables[1], begin, end, segments);
            }
            for (std::ptrdiff_t f = 0; f < kFieldCount; ++f)
                ASSERT_TRUE(SameBits(tables[0] + f * kStride, tables[1] + f * kStride, 64 * sizeof(double)))
                    << begin << ".." << end << " field " << f;
        }
}

// Small and threaded runs (window angles >= 200, orders >= 50), odd and even NANG, part windows.
TEST(AngleLoops, MieAndDebyeSeriesGiveTheBaselineBits) {
    SKIP_WITHOUT_AVX2();
    struct Case {
        double x;
        Complex m;
        int NANG, first, last;
    };
    const Case cases[] = {
        {2.5, {1.5, 0.0}, 7, 1, 13},
        {200.0, {1.55, 0.0}, 901, 1, 1801},
        {500.0, {0.75, 0.2}, 457, 1, 913},  // Re m < 1, absorbing
        {1000.0, {1.333, 0.001}, 1000, 1, 1999},
        {3000.0, {1.333, 0.0}, 1803, 101, 3000},
    };
    RayChoice choice;
    choice.listText = "-5";
    const RaySelection rays = RaysCheck(choice, RaySelection{}).selection;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        MieInput mie;
        DebyeInput debye;
        mie.x = debye.x = c.x;
        mie.m = debye.m = c.m;
        mie.NANG = debye.NANG = c.NANG;
        mie.first = debye.first = c.first;
        mie.last = debye.last = c.last;
        debye.rayListText = "-5";
        MieResult mieResult[2];
        DebyeResult debyeResult[2];
        for (int i = 0; i < 2; ++i) {
            mie.baselineVectors = debye.baselineVectors = (i == 0);
            MieSeries(mie, mieResult[i]);
            DebyePlaneWave(debye, rays, debyeResult[i]);
        }
        ASSERT_EQ(mieResult[0].status, MieStatus::Done);
        ASSERT_EQ(debyeResult[0].status, DebyeStatus::Done);
        EXPECT_TRUE(SameAmplitudes(mieResult[0], mieResult[1]));
        EXPECT_TRUE(SameBits(&mieResult[0].Qext, &mieResult[1].Qext, sizeof(double)));
        EXPECT_TRUE(SameAmplitudes(debyeResult[0], debyeResult[1]));
    }
}

}  // namespace
}  // namespace tessary
