// Index of single materials: the tables of the metals, Ray and Segelstein, air, index files, the
// visible-band k of water and the water density of the water dialog, against published values.
#include "media/index_models.h"

#include <gtest/gtest.h>

#include <vector>

#include "media/index_tables.h"
#include "rel_error.h"

namespace tessary {
namespace {

struct TableCase {
    const char* name;
    std::optional<Complex> (*lookup)(double);
    double lambda;
    double n, k;
    double tol;  // relative for n, 8 digits published; k has 5 (3e-5); 0: exact Singles
};

std::optional<Complex> Gold(double l) { return MetalIndexAt(Metal::Gold, l); }
std::optional<Complex> Silver(double l) { return MetalIndexAt(Metal::Silver, l); }
std::optional<Complex> Copper(double l) { return MetalIndexAt(Metal::Copper, l); }

TEST(TableModels, PublishedValues) {
    const TableCase cases[] = {
        {"gold between rows 34 and 35", Gold, 0.5, 0.9728048, 1.8726771, 1e-7},
        {"copper first row", Copper, 0.187878, 0.94, 1.337, 0},
        {"silver last row", Silver, 1.93749, 0.24, 14.08, 0},
        {"copper on a row", Copper, 0.756096, 0.24, 4.665, 0},
        {"gold on a row", Gold, 0.276169, 1.43, 1.847, 0},
        {"gold on the next row", Gold, 0.284403, 1.47, 1.869, 0},
        {"Ray between rows", RayWaterIndex, 0.6, 1.3323976, 9.5745e-09, 1e-6},
        {"Ray on a row", RayWaterIndex, 0.55, 1.333, 1.96e-09, 0},
        {"Ray first row", RayWaterIndex, 0.2, 1.396, 1.1e-07, 0},
        {"Ray last row", RayWaterIndex, 30000, 7.682, 2.51, 0},
        {"Segelstein between rows", SegelsteinWaterIndex, 0.65, 1.3306874, 1.6725e-08, 1e-6},
        {"Segelstein on a row", SegelsteinWaterIndex, 0.5, 1.33943, 9.243e-10, 0},
        {"Segelstein first row", SegelsteinWaterIndex, 0.01, 0.968416, 0.001745, 0},
        {"Segelstein last row", SegelsteinWaterIndex, 1e7, 8.8486, 0.006931, 0},
    };
    for (const auto& c : cases) {
        const std::optional<Complex> v = c.lookup(c.lambda);
        ASSERT_TRUE(v.has_value()) << c.name;
        if (c.tol == 0) {  // a tabulated wavelength gives the tabulated Singles
            EXPECT_EQ(v->re, static_cast<float>(c.n)) << c.name;
            EXPECT_EQ(v->im, static_cast<float>(c.k)) << c.name;
        } else {
            EXPECT_REL_NEAR(v->re, c.n, c.tol) << c.name;
            EXPECT_REL_NEAR(v->im, c.k, c.k < 1e-3 ? 3e-5 : c.tol) << c.name;
        }
    }
}

TEST(TableModels, NoValueOutsideTheTable) {
    const struct {
        const char* name;
        std::optional<Complex> (*lookup)(double);
        double lambda;
    } cases[] = {
        {"gold below", Gold, 0.18},
        {"silver above", Silver, 2.0},
        {"copper above", Copper, 2.0},
        {"Ray below", RayWaterIndex, 0.15},
        {"Ray above", RayWaterIndex, 40000},
        {"Segelstein below", SegelsteinWaterIndex, 0.005},
        {"Segelstein above", SegelsteinWaterIndex, 2e7},
    };
    for (const auto& c : cases) EXPECT_FALSE(c.lookup(c.lambda).has_value()) << c.name;
}

TEST(FileModel, ClampsOutsideAndInterpolatesInside) {
    const std::vector<IndexFileRow> rows = {{0.4f, 1.5f, 0.01f}, {0.6f, 1.4f, 0.03f}, {0.8f, 1.3f, 0.0f}};
    const struct {
        double lambda, n, k;
    } cases[] = {
        {0.1, 1.5, 0.01},  // below the first row: the first row, no message
        {0.4, 1.5, 0.01},   {0.5, 1.45, 0.02}, {0.6, 1.4, 0.03},
        {0.7, 1.35, 0.015}, {0.8, 1.3, 0.0},   {5.0, 1.3, 0.0},  // above the last row: the last row
    };
    for (const auto& c : cases) {
        const std::optional<Complex> v = FileIndex(rows, c.lambda);
        ASSERT_TRUE(v.has_value()) << c.lambda;
        EXPECT_REL_NEAR(v->re, c.n, 1e-6) << c.lambda;
        EXPECT_NEAR(v->im, c.k, 1e-8) << c.lambda;
    }
}

TEST(FileModel, EdgeTables) {
    EXPECT_FALSE(FileIndex({}, 0.5).has_value());
    // one row: its values everywhere, its own wavelength included
    const std::vector<IndexFileRow> one = {{0.5f, 1.6f, 0.2f}};
    for (double l : {0.3, 0.5, 0.9}) {
        const std::optional<Complex> v = FileIndex(one, l);
        ASSERT_TRUE(v.has_value()) << l;
        EXPECT_EQ(v->re, 1.6f);
        EXPECT_EQ(v->im, 0.2f);
    }
    // a repeated wavelength: no 0/0, one of the two rows
    const std::vector<IndexFileRow> twice = {
        {0.4f, 1.5f, 0.0f}, {0.5f, 1.45f, 0.0f}, {0.5f, 1.44f, 0.0f}, {0.6f, 1.4f, 0.0f}};
    const std::optional<Complex> v = FileIndex(twice, 0.5);
    ASSERT_TRUE(v.has_value());
    EXPECT_TRUE(v->re == 1.45f || v->re == 1.44f) << v->re;
}

TEST(AirModel, PublishedValues) {
    EXPECT_NEAR(AirRe(0.55, 15.0f), 1.00027709, 5e-9);
    EXPECT_NEAR(AirRe(0.65, 0.0f), 1.00029096, 5e-9);
    EXPECT_GT(AirRe(0.65, 0.0f), AirRe(0.65, 30.0f));  // warmer air is thinner
}

TEST(IapwsWater, NoRealIndexBetweenAPoleAndItsZero) {
    const WaterParams at5{5.0f, 0.99996382125f, false};
    // three bands at 5 C
    for (double l : {0.02, 0.0255, 0.131, 0.135, 0.139, 3.14, 3.2, 3.26})
        EXPECT_FALSE(IapwsWaterRe(l, at5)) << l;
    for (double l : {0.026, 0.13, 0.14, 3.13, 3.27, 10.0}) EXPECT_TRUE(IapwsWaterRe(l, at5)) << l;
}

TEST(BuiltinWaterIm, InterpolatesAndHoldsTheEnds) {
    const WaterIm at650 = BuiltinWaterIm(0.65);  // p = 108.00000000000003
    EXPECT_TRUE(at650.insideTable);
    EXPECT_REL_NEAR(at650.k, 1.75866e-08, 1e-6);
    EXPECT_GT(at650.k, static_cast<double>(riBuiltinTable[108]));
    const struct {
        double lambda, k;
        bool inside;
    } cases[] = {
        {0.38, riBuiltinTable[0], true},   {0.70, riBuiltinTable[128], true},
        {0.30, riBuiltinTable[0], false},  {0.72, riBuiltinTable[128], false},
        {0.3825, riBuiltinTable[1], true},
    };
    for (const auto& c : cases) {
        const WaterIm w = BuiltinWaterIm(c.lambda);
        EXPECT_REL_NEAR(w.k, c.k, 1e-12) << c.lambda;
        EXPECT_EQ(w.insideTable, c.inside) << c.lambda;
    }
}

TEST(WaterDialog, KellDensityAndTemperatureRange) {
    EXPECT_REL_NEAR(KellWaterDensity(0), 0.99983952, 1e-15);
    EXPECT_NEAR(KellWaterDensity(5), 0.99996382125, 5e-12);  // the dialog's start text, 11 decimals
    EXPECT_NEAR(KellWaterDensity(100), 0.958, 5e-4);
    EXPECT_FALSE(CheckWaterTemperature(0).has_value());
    EXPECT_FALSE(CheckWaterTemperature(100).has_value());
    EXPECT_EQ(CheckWaterTemperature(-1).value(), "Minimum temperature = 0");
    EXPECT_EQ(CheckWaterTemperature(101).value(), "Maximum temperature = 100");
    EXPECT_EQ(kWaterTempTitle, "Input error");
}

}  // namespace
}  // namespace tessary
