// Row, fraction and mixing of the simulation colour table.
#include "simulation/sim_lookup.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace tessary::sim {

SimRow RowOf(const SimTableView& table, float angle) {
    SimRow r;
    if (!table.usable() || !std::isfinite(angle)) return r;
    const std::int32_t last = table.rows - 1;
    const double steps = (angle - table.row0Angle) / table.step;
    const double nearest = std::round(steps);
    // The painter's angle is a Single: closer to a row's angle than its rounding, it is that angle
    // (a thousandth of a step at most, where the Single is coarser than the step).
    const double slack = std::min(
        std::fabs(static_cast<double>(angle)) * std::numeric_limits<float>::epsilon() / table.step, 1e-3);
    const double below = std::fabs(steps - nearest) <= slack ? nearest : std::floor(steps);
    if (below < 0) return r;  // below row 0: its colour
    if (below >= last) {
        r.i = r.j = last;
        return r;
    }
    r.i = static_cast<std::int32_t>(below);
    r.j = r.i + 1;
    // Below 1 also where the Single rounds a fraction just under 1 up.
    r.f = std::clamp(static_cast<float>(steps - below), 0.0f, std::nextafter(1.0f, 0.0f));
    return r;
}

void MixColour(const SimTableView& table, float f, std::int32_t i, std::int32_t j, int source, int view,
               float wPerp, float wPara, double& red, double& green, double& blue) {
    const auto L = [&](int c) {
        const float ti = table.at(c, i);
        return ti + f * (table.at(c, j) - ti);
    };
    if (view == 0) {
        if (source == 0) red = L(6), green = L(7), blue = L(8);
        if (source == 1) red = L(0), green = L(1), blue = L(2);
        if (source == 2) red = L(3), green = L(4), blue = L(5);
    } else if (view == 1) {
        const auto both = [&](int perp, int para) {
            const double p = static_cast<double>(L(perp)) * wPerp;
            const double q = static_cast<double>(L(para)) * wPara;
            return std::sqrt(p * p + q * q);
        };
        if (source == 0) red = both(0, 3), green = both(1, 4), blue = both(2, 5);
        if (source == 1) red = L(0) * wPerp, green = L(1) * wPerp, blue = L(2) * wPerp;
        if (source == 2) red = L(3) * wPara, green = L(4) * wPara, blue = L(5) * wPara;
    }
}

}  // namespace tessary::sim
