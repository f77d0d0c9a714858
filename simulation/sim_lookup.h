// The colour of a scattering angle from the simulation colour table: the row, the second row and the
// interpolation fraction of an angle, and the mixing of the table's columns for a light source and a
// viewing condition. Works on a read-only view of the table that carries its own angles, so it never
// reads outside its rows whatever the main window's boxes say now.
#pragma once

#include <cstdint>

namespace tessary::sim {

// Rows of nine Singles: red, green, blue of perpendicular (0-2), parallel (3-5), unpolarised (6-8)
// light on the 0..255 scale. Row r holds the angle row0Angle + r x step degrees.
struct SimTableView {
    double row0Angle = 0.0;
    double step = 0.0;
    std::int32_t rows = 0;
    const float* cells = nullptr;

    bool usable() const { return rows >= 2 && step > 0 && cells != nullptr; }
    float at(int column, std::int32_t r) const { return cells[static_cast<std::size_t>(r) * 9 + column]; }
    // Whether an angle lies from the first row's to the last row's (a millionth of a step either side
    // takes in the rounding of the row angles); not for an angle that is no number.
    bool covers(double angle) const {
        const double slack = 1e-6 * step;
        return angle >= row0Angle - slack && angle <= row0Angle + (rows - 1) * step + slack;
    }
};

// The row i at or below the angle, the row j above it and the fraction f in [0, 1) of the step from
// i to j, so that the colour lies between the colours computed at the two angles around it; the last
// row pairs with itself. An angle within the rounding of a Single of a row's angle is that row.
// i and j always lie within the table; an angle that is not finite gives row 0, f 0.
struct SimRow {
    std::int32_t i = 0;
    std::int32_t j = 0;
    float f = 0.0f;
};
SimRow RowOf(const SimTableView& table, float angle);

// Light source: 0 unpolarised, 1 perpendicular, 2 parallel. View: 0 no polariser, 1 a polariser with
// the weights of the perpendicular and parallel columns. Any other code leaves red, green and blue.
void MixColour(const SimTableView& table, float f, std::int32_t i, std::int32_t j, int source, int view,
               float wPerp, float wPara, double& red, double& green, double& blue);

// The view of a table that keeps its rows as nine Singles each, next to each other (rows and cells
// may disagree after a failed resize: the smaller count wins). The view runs from the table's first
// to its last written row, the angles the run computed (the painter paints no others), so the last
// row pairs with itself instead of with a spare row that still holds 0.
template <class Table>
SimTableView ViewOf(const Table& table) {
    const auto held = static_cast<std::int32_t>(table.cells.size() / 9);
    std::int32_t rows = table.rows < held ? table.rows : held;
    if (table.lastWritten >= 0 && table.lastWritten + 1 < rows) rows = table.lastWritten + 1;
    const std::int32_t first = table.firstWritten > 0 && table.firstWritten < rows ? table.firstWritten : 0;
    return SimTableView{table.row0Angle + first * table.step, table.step, rows - first,
                        table.cells.data() + static_cast<std::size_t>(first) * 9};
}

}  // namespace tessary::sim
