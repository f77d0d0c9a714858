#include "simulation/sim_lookup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace tessary::sim {
namespace {

// A table of 11 rows from 130 degrees at 0.5: column c of row r holds 10 r + c.
struct Table {
    std::vector<float> cells;
    SimTableView view;
    explicit Table(std::int32_t rows = 11, double row0 = 130, double step = 0.5) : cells(9 * rows) {
        for (std::int32_t r = 0; r < rows; ++r)
            for (int c = 0; c < 9; ++c) cells[9 * r + c] = static_cast<float>(10 * r + c);
        view = SimTableView{row0, step, rows, cells.data()};
    }
};

TEST(RowOf, NearestRowAndFraction) {
    const Table t;
    struct Case {
        float angle;
        std::int32_t i, j;
        float f;
    } const cases[] = {{130, 0, 1, 0},         {131.25f, 2, 3, 0.5f} /* half a step above row 2 */,
                       {131.24f, 2, 3, 0.48f}, {130.9f, 1, 2, 0.8f} /* the row below, not the nearest */,
                       {131.5f, 3, 4, 0},      {135, 10, 10, 0} /* the last row with itself */,
                       {129, 0, 0, 0},         {200, 10, 10, 0}};
    for (const Case& c : cases) {
        const SimRow r = RowOf(t.view, c.angle);
        EXPECT_EQ(r.i, c.i) << c.angle;
        EXPECT_EQ(r.j, c.j) << c.angle;
        EXPECT_NEAR(r.f, c.f, 1e-4) << c.angle;
    }
}

TEST(MixColour, SixRows) {
    const Table t;
    const float f = 0.25f;  // rows 2 and 3: L(c) = 22.5 + c
    struct Case {
        int source, view;
        float wPerp, wPara;
        double red, green, blue;
    } const cases[] = {
        {0, 0, 9, 9, 28.5, 29.5, 30.5},
        {1, 0, 9, 9, 22.5, 23.5, 24.5},
        {2, 0, 9, 9, 25.5, 26.5, 27.5},
        {0, 1, 1, 0, 22.5, 23.5, 24.5},
        {0, 1, 0.6f, 0.8f, std::hypot(22.5 * 0.6f, 25.5 * 0.8f), std::hypot(23.5 * 0.6f, 26.5 * 0.8f),
         std::hypot(24.5 * 0.6f, 27.5 * 0.8f)},
        {1, 1, 0.5f, 0, 11.25, 11.75, 12.25},
        {2, 1, 0, 2, 51, 53, 55},
        {3, 0, 1, 1, -1, -1, -1},  // no case: the outputs keep what was passed
    };
    for (const Case& c : cases) {
        double red = -1, green = -1, blue = -1;
        MixColour(t.view, f, 2, 3, c.source, c.view, c.wPerp, c.wPara, red, green, blue);
        EXPECT_NEAR(red, c.red, 1e-4) << c.source << c.view;
        EXPECT_NEAR(green, c.green, 1e-4);
        EXPECT_NEAR(blue, c.blue, 1e-4);
    }
}

TEST(RowOf, NeverOutsideTheTable) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> angle(-400, 400);
    for (const std::int32_t rows : {2, 3, 11}) {
        const Table t(rows, 130, 0.1);
        for (int n = 0; n < 20000; ++n) {
            float a = angle(random);
            if (n % 50 == 0) a = std::numeric_limits<float>::quiet_NaN();
            if (n % 51 == 0) a = std::numeric_limits<float>::infinity();
            if (n % 52 == 0) a = -std::numeric_limits<float>::infinity();
            const SimRow r = RowOf(t.view, a);
            ASSERT_TRUE(r.i >= 0 && r.i < rows && r.j >= 0 && r.j < rows) << a;
            double red = 0, green = 0, blue = 0;
            MixColour(t.view, r.f, r.i, r.j, 0, 0, 1, 1, red, green, blue);
        }
    }
    const Table one(1);
    EXPECT_FALSE(one.view.usable());
}

// A table sized past its last written row, as the simulation run leaves it: rows 0..6 (130 to 133
// degrees) hold 10 r + c, rows 7..10 are spare and hold 0.
struct PartlyWritten {
    double row0Angle = 130, step = 0.5;
    std::int32_t rows = 11, firstWritten = 0, lastWritten = 6;
    std::vector<float> cells = std::vector<float>(9 * 11, 0.0f);
    PartlyWritten() {
        for (std::int32_t r = 0; r <= lastWritten; ++r)
            for (int c = 0; c < 9; ++c) cells[9 * r + c] = static_cast<float>(10 * r + c);
    }
};

TEST(ViewOf, LastWrittenRowPairsWithItself) {
    const PartlyWritten table;
    const SimTableView view = ViewOf(table);
    struct Case {
        float angle;
        double unpolRed;  // column 6 = 10 r + 6, linear between written rows
    } const cases[] = {
        {131.1f, 28},   // rows 2 and 3 at 0.2
        {132.7f, 60},   // rows 5 and 6 at 0.4
        {132.75f, 61},  // half a step below the last row: the mean of rows 5 and 6
        {132.9f, 64},  {133, 66}, {133.2f, 66},
    };
    for (const Case& c : cases) {
        const SimRow r = RowOf(view, c.angle);
        EXPECT_LE(r.j, table.lastWritten) << c.angle;
        double red = -1, green = -1, blue = -1;
        MixColour(view, r.f, r.i, r.j, 0, 0, 1, 1, red, green, blue);
        EXPECT_NEAR(red, c.unpolRed, 1e-3) << c.angle;
        EXPECT_NEAR(green, c.unpolRed + 1, 1e-3) << c.angle;
    }
}

}  // namespace
}  // namespace tessary::sim
