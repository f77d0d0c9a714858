#include "colour/lee_axes.h"

#include <cmath>

namespace tessary {

float LeeAngleTickStep(double r) {
    float step = 0.05f;
    if (r > 2) step = 0.1f;
    if (r > 5) step = 0.2f;
    if (r > 10) step = 0.5f;
    if (r > 20) step = 1.0f;
    return step;
}

double LeeAngleLabelStep(float tickStep, double r) {
    if (tickStep < 1) return r <= 1 ? std::round(200.0 * tickStep) / 100.0 : 1.0;  // rounded to two decimals
    return 2.0;
}

double MapLabelStep(double R) {
    struct Row {
        double above;
        double q;
    };
    static constexpr Row kRows[] = {{1200, 500},  {600, 200},   {300, 100},   {120, 50},
                                    {60, 20},     {20, 10},     {10, 5},      {6, 2},
                                    {3, 1},       {1.2, 0.5},   {0.6, 0.2},   {0.3, 0.1},
                                    {0.12, 0.05}, {0.06, 0.02}, {0.03, 0.01}, {0.012, 0.005}};
    if (R > 3000) return 2 * R / 10;
    for (const Row& row : kRows)
        if (R > row.above) return row.q;
    return 2 * R / 10;
}

double MapFirstLabel(double sweepMin, double q) {
    if (!(sweepMin > 0) || !(q > 0)) return 0;
    return std::ceil(sweepMin / q) * q;
}

double LeeLogPosition(double v, double sweepMin, double sweepMax, double left, double right) {
    if (!(sweepMin > 0) || !(sweepMax > 0) || sweepMin == sweepMax || !(v > 0)) return left;
    return left + (right - left) * std::log(v / sweepMin) / std::log(sweepMax / sweepMin);
}

}  // namespace tessary
