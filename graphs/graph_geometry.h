// Geometry of the graph's curves and legends, free of the window: where the legend columns stand,
// which indices of a curve are visible, where a value lands in the graph box or on a polar diagram,
// and the round ends of a y axis. Positions are in twips, the window's logical unit.
#pragma once

namespace tessary::graphs {

// Left ends of the legend's three columns above the graph: wider apart on the large graph sizes,
// the third closer in on the medium one.
struct LegendColumns {
    double first = 1000;
    double second = 3800;
    double third = 6600;
};
LegendColumns LegendColumnsFor(bool large, bool medium);

}  // namespace tessary::graphs
