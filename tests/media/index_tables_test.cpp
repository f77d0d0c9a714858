// The built-in index tables against the published rows: Segelstein's telling rows and the number of
// rows per decade, Ray's and the metals' end rows, the visible-band k table, and strict increase.
#include "media/index_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

namespace tessary {
namespace {

template <std::size_t N>
bool StrictlyIncreasing(const std::array<float, N>& w) {
    return std::adjacent_find(w.begin(), w.end(), [](float a, float b) { return !(a < b); }) == w.end();
}

TEST(SegelsteinTable, TellingRows) {
    const struct {
        int row;
        float wave, n, k;
    } rows[] = {
        {0, 0.01f, 0.968416f, 0.001745f},        {47, 0.1f, 1.476628f, 0.543f},
        {100, 0.25f, 1.394993f, 9.307e-09f},     {150, 0.5f, 1.33943f, 9.243e-10f},
        {180, 0.6501f, 1.330683f, 1.674e-08f},   {250, 1.0f, 1.321695f, 3e-06f},
        {462, 2.999f, 1.352917f, 0.2721f},       {602, 10.0f, 1.193164f, 0.05079f},
        {857, 100.0f, 1.899131f, 0.4383f},       {900, 1000.0f, 2.399111f, 1.042f},
        {982, 9200.0f, 5.663535f, 2.835f},       {1080, 100000.0f, 8.743107f, 0.6409f},
        {1170, 1000000.0f, 8.847727f, 0.06727f}, {1260, 10000000.0f, 8.8486f, 0.006931f},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(segelsteinWave[r.row], r.wave) << r.row;
        EXPECT_EQ(segelsteinRe[r.row], r.n) << r.row;
        EXPECT_EQ(segelsteinIm[r.row], r.k) << r.row;
    }
}

TEST(SegelsteinTable, RowsPerDecade) {
    const struct {
        float from, below;
        int rows;
    } decades[] = {
        {0.0f, 0.1f, 47},      {0.1f, 1.0f, 203},   {1.0f, 10.0f, 352}, {10.0f, 100.0f, 255},
        {100.0f, 1000.0f, 43}, {1000.0f, 1e4f, 90}, {1e4f, 1e5f, 90},   {1e5f, 1e6f, 90},
        {1e6f, 1e7f, 90},      {1e7f, 1e8f, 1},
    };
    int total = 0;
    for (const auto& d : decades) {
        const auto count = std::count_if(segelsteinWave.begin(), segelsteinWave.end(),
                                         [&](float w) { return d.from <= w && w < d.below; });
        EXPECT_EQ(count, d.rows) << d.from;
        total += static_cast<int>(count);
    }
    EXPECT_EQ(total, kSegelsteinRows);
    EXPECT_TRUE(StrictlyIncreasing(segelsteinWave));
}

TEST(SegelsteinTable, RangesOfTheIndices) {
    EXPECT_EQ(*std::min_element(segelsteinRe.begin(), segelsteinRe.end()), 0.797007f);
    EXPECT_EQ(*std::max_element(segelsteinRe.begin(), segelsteinRe.end()), 8.8486f);
    EXPECT_EQ(*std::min_element(segelsteinIm.begin(), segelsteinIm.end()), 7.011e-10f);
    EXPECT_EQ(*std::max_element(segelsteinIm.begin(), segelsteinIm.end()), 2.835f);
}

TEST(RayTable, EndsAndOrder) {
    EXPECT_EQ(rayWave.front(), 0.2f);
    EXPECT_EQ(rayWave.back(), 30000.0f);
    EXPECT_EQ(rayRe.front(), 1.396f);
    EXPECT_EQ(rayIm.front(), 1.1e-07f);
    EXPECT_EQ(rayRe.back(), 7.682f);
    EXPECT_EQ(rayIm.back(), 2.51f);
    EXPECT_EQ(rayWave[44], 12.5f);  // a row from the middle of every column
    EXPECT_EQ(rayRe[44], 1.123f);
    EXPECT_EQ(rayIm[44], 0.259f);
    EXPECT_TRUE(StrictlyIncreasing(rayWave));
    EXPECT_TRUE(std::all_of(rayIm.begin(), rayIm.end(), [](float k) { return k > 0.0f; }));
}

TEST(RiBuiltinTable, EndsAndNoGaps) {
    EXPECT_EQ(riBuiltinTable.front(), 3.43822e-10f);
    EXPECT_EQ(riBuiltinTable[108], 1.75866e-08f);
    EXPECT_EQ(riBuiltinTable.back(), 3.47594e-08f);
    EXPECT_TRUE(std::all_of(riBuiltinTable.begin(), riBuiltinTable.end(), [](float k) { return k > 0.0f; }));
}

TEST(MetalTables, EndsAndOrder) {
    EXPECT_EQ(metalWavelengths.front(), 0.187878f);
    EXPECT_EQ(metalWavelengths.back(), 1.93749f);
    EXPECT_TRUE(StrictlyIncreasing(metalWavelengths));
    const struct {
        const std::array<MetalIndex, kMetalRows>& table;
        MetalIndex first, last;
    } metals[] = {
        {copperIndexTable, {0.94f, 1.337f}, {1.09f, 13.43f}},
        {silverIndexTable, {1.07f, 1.212f}, {0.24f, 14.08f}},
        {goldIndexTable, {1.28f, 1.188f}, {0.92f, 13.78f}},
    };
    for (const auto& m : metals) {
        EXPECT_EQ(m.table.front().n, m.first.n);
        EXPECT_EQ(m.table.front().k, m.first.k);
        EXPECT_EQ(m.table.back().n, m.last.n);
        EXPECT_EQ(m.table.back().k, m.last.k);
        EXPECT_TRUE(
            std::all_of(m.table.begin(), m.table.end(), [](MetalIndex r) { return r.n > 0 && r.k > 0; }));
    }
}

}  // namespace
}  // namespace tessary
