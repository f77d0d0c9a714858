// The main window's colour lookup for the simulation painter.
#include <algorithm>

#include "mainwindow/form1.h"
#include "simulation/sim_lookup.h"

namespace tessary {

// Colour lookup of the simulation window. The colour of row i towards row j at fraction f of simColourTable
// for the light source (0 unpolarised, 1 perpendicular, 2 parallel) and view (0, or 1 through a polariser
// with the two weights); rows outside the table are clamped to it, and with fewer than two rows nothing is
// assigned. N is not used.
void Form1::SimPlot2(float& f, std::int32_t& i, std::int32_t& j, double& /*N*/, int& source, int& view,
                     float& wPerp, float& wPara, double& red, double& green, double& blue) {
    const sim::SimTableView table = sim::ViewOf(simColourTable);
    if (!table.usable()) return;
    const std::int32_t last = table.rows - 1;
    const std::int32_t ci = std::clamp(i, 0, last);
    const std::int32_t cj = std::clamp(j, 0, last);
    sim::MixColour(table, f, ci, cj, source, view, wPerp, wPara, red, green, blue);
}

}  // namespace tessary
