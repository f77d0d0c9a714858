// Four-point Lagrange interpolation; see lagrange_interp.h.
#include "media/lagrange_interp.h"

namespace tessary {

std::optional<double> LagrangeInterp4(double x1, double y1, double x2, double y2, double x3, double y3,
                                      double x4, double y4, double x) {
    // a basis polynomial would divide by zero
    if (x1 == x2 || x1 == x3 || x1 == x4 || x2 == x3 || x2 == x4 || x3 == x4) return std::nullopt;
    const double L1 = (x - x2) * (x - x3) * (x - x4) / ((x1 - x2) * (x1 - x3) * (x1 - x4));
    const double L2 = (x - x1) * (x - x3) * (x - x4) / ((x2 - x1) * (x2 - x3) * (x2 - x4));
    const double L3 = (x - x1) * (x - x2) * (x - x4) / ((x3 - x1) * (x3 - x2) * (x3 - x4));
    const double L4 = (x - x1) * (x - x2) * (x - x3) / ((x4 - x1) * (x4 - x2) * (x4 - x3));
    return y1 * L1 + y2 * L2 + y3 * L3 + y4 * L4;
}

}  // namespace tessary
