// Four-point Lagrange interpolation: the cubic through the points, lines, and equal abscissas.
#include "media/lagrange_interp.h"

#include <gtest/gtest.h>

#include "rel_error.h"

namespace tessary {
namespace {

// The user dialog's start values: four wavelengths (um) and indices of a glass.
constexpr double kX[4] = {0.43584, 0.47998, 0.58756, 0.70652};
constexpr double kY[4] = {1.5301, 1.5258, 1.5192, 1.515};

std::optional<double> Glass(double x) {
    return LagrangeInterp4(kX[0], kY[0], kX[1], kY[1], kX[2], kY[2], kX[3], kY[3], x);
}

TEST(LagrangeInterp4, PassesThroughItsPoints) {
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> y = Glass(kX[i]);
        ASSERT_TRUE(y.has_value());
        EXPECT_REL_NEAR(*y, kY[i], 1e-14) << i;
    }
}

TEST(LagrangeInterp4, StaysBetweenNeighboursInsideThePoints) {
    const double y = Glass(0.65).value();
    EXPECT_LT(y, 1.5192);
    EXPECT_GT(y, 1.515);
}

TEST(LagrangeInterp4, ReproducesAStraightLineInsideAndOutside) {
    const auto line = [](double x) { return 2.5 - 0.75 * x; };
    // unsorted abscissas on purpose
    const double x[4] = {3.0, -1.0, 0.5, 2.0};
    for (double at : {-10.0, -1.0, 0.0, 1.25, 2.0, 7.5, 100.0}) {
        const double y =
            LagrangeInterp4(x[0], line(x[0]), x[1], line(x[1]), x[2], line(x[2]), x[3], line(x[3]), at)
                .value();
        EXPECT_REL_NEAR(y, line(at), 1e-12) << at;
    }
}

TEST(LagrangeInterp4, ReproducesACubic) {
    const auto cubic = [](double x) { return ((0.5 * x - 2.0) * x + 1.0) * x - 3.0; };
    const double y = LagrangeInterp4(0, cubic(0), 1, cubic(1), 2, cubic(2), 4, cubic(4), 3).value();
    EXPECT_NEAR(y, cubic(3), 1e-13);
}

TEST(LagrangeInterp4, EqualAbscissasGiveNoValue) {
    const double pairs[][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
    for (const auto& p : pairs) {
        double x[4] = {1.0, 2.0, 3.0, 4.0};
        x[static_cast<int>(p[1])] = x[static_cast<int>(p[0])];
        EXPECT_FALSE(LagrangeInterp4(x[0], 1, x[1], 2, x[2], 3, x[3], 4, 2.5).has_value()) << p[0] << p[1];
    }
    EXPECT_EQ(kLagrangeEqualXMessage, "All x values must be different");
    EXPECT_EQ(kLagrangeEqualXTitle, "Error in input data");
}

}  // namespace
}  // namespace tessary
