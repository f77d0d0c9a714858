// Row, fraction and mixing of the simulation colour table.
#include "simulation/sim_lookup.h"

#include <cmath>
#include <cstddef>

namespace tessary::sim {

SimRow RowOf(const SimTableView& table, float angle) {
    SimRow r;
    if (!table.usable() || !std::isfinite(angle)) return r;
    const std::int32_t last = table.rows - 1;
    const double offset = angle - table.row0Angle;
    const double whole = std::floor((offset + 0.5 * table.step) / table.step);
    if (whole < 0) return r;  // below row 0: its colour
    if (whole > last) {
        r.i = r.j = last;
        return r;
    }
    r.i = static_cast<std::int32_t>(whole);
    r.j = r.i + 1 > last ? r.i : r.i + 1;
    const float below = static_cast<float>(r.i * table.step);
    const float above = static_cast<float>((r.i + 1) * table.step);
    r.f = static_cast<float>((offset - below) / (above - below));
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
