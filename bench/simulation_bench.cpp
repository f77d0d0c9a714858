// The simulation painter's pure work per picture point (camera direction, angle from the reference
// direction, table row and colour) over the built-in 576 x 432 picture. Target: at most 100 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "simulation/sim_geometry.h"
#include "simulation/sim_lookup.h"

namespace {

void BM_SimulationPoints(benchmark::State& state) {
    using namespace tessary::sim;
    constexpr std::int32_t kRows = 202;
    std::vector<float> cells(9 * kRows);
    for (std::size_t k = 0; k < cells.size(); ++k) cells[k] = static_cast<float>(k % 256);
    const SimTableView table{130, 0.1, kRows, cells.data()};
    const PictureFrame frame{288, 216, ScaleCalc(288, 216, 14).scale};
    const Direction reference = CameraDirection(frame, 288, 216);
    for (auto _ : state) {
        double sum = 0;
        for (float x = 0; x <= 575; x += 1) {
            for (float y = 0; y <= 431; y += 1) {
                const Direction d = CameraDirection(frame, x, y);
                const auto rad = static_cast<float>(
                    AngularDistance(d.elevation, d.azimuth, reference.elevation, reference.azimuth));
                const float angle = 180 - static_cast<float>(rad / kRadPerDegree);
                double red = 0, green = 0, blue = 0;
                if (angle >= 130 && angle <= 150) {
                    const SimRow row = RowOf(table, angle);
                    MixColour(table, row.f, row.i, row.j, 0, 0, 1, 0, red, green, blue);
                }
                sum += red + green + blue;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SimulationPoints)->Unit(benchmark::kMillisecond);

}  // namespace
