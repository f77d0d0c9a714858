// The graph's geometry without the window: legend columns, visible index ranges, positions of values
// in the box and on the polar diagrams, and round y-axis ends, against values worked by hand from
// the formulas.
#include <gtest/gtest.h>

#include "graphs/graph_geometry.h"

namespace tessary::graphs {
namespace {

TEST(GraphGeometry, LegendColumnsBySize) {
    const struct {
        bool large, medium;
        double first, second, third;
    } cases[] = {
        {true, false, 1400, 6500, 12000},
        {true, true, 1400, 6500, 12000},  // a large size wins over a stale medium tick
        {false, true, 1000, 3800, 6300},
        {false, false, 1000, 3800, 6600},
    };
    for (const auto& c : cases) {
        const LegendColumns l = LegendColumnsFor(c.large, c.medium);
        EXPECT_EQ(l.first, c.first) << c.large << c.medium;
        EXPECT_EQ(l.second, c.second) << c.large << c.medium;
        EXPECT_EQ(l.third, c.third) << c.large << c.medium;
    }
}

}  // namespace
}  // namespace tessary::graphs
