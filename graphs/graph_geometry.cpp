// Geometry of the graph's curves and legends (see graph_geometry.h).
#include "graphs/graph_geometry.h"

namespace tessary::graphs {

LegendColumns LegendColumnsFor(bool large, bool medium) {
    if (large) return {1400, 6500, 12000};
    if (medium) return {1000, 3800, 6300};
    return {};
}

}  // namespace tessary::graphs
