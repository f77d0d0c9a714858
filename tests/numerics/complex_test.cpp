// Complex arithmetic and elementary functions against the program's published values.
#include <gtest/gtest.h>

#include <cmath>

#include "numerics/complex.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "rel_error.h"

namespace tessary {
namespace {

struct BinaryCase {
    const char* name;
    Complex (*op)(Complex, Complex);
    Complex a, b, expected;
};

TEST(Complex, BinaryOperationsTakeFirstThenSecond) {
    const BinaryCase cases[] = {
        {"sub", ComplexSub, {1, 2}, {3, 5}, {-2, -3}},
        {"add", ComplexAdd, {1, 2}, {3, 5}, {4, 7}},
        {"div", ComplexDiv, {1, 0}, {0, 1}, {0, -1}},
        {"mult", ComplexMult, {0, 1}, {0, 1}, {-1, 0}},
        // An output that is also an input still gets the true product (2+3i)(4+5i).
        {"mult aliasing", ComplexMult, {2, 3}, {4, 5}, {-7, 22}},
    };
    for (const auto& c : cases) {
        const Complex r = c.op(c.a, c.b);
        EXPECT_EQ(r.re, c.expected.re) << c.name;
        EXPECT_EQ(r.im, c.expected.im) << c.name;
    }
}

TEST(Complex, PhaseDegreesCoversAllQuadrants) {
    // clang-format off
    const struct { double re, im, deg; } cases[] = {
        {1, 0, 0}, {0, 0, 90}, {-1, 0, 180}, {0, -1, 270}, {1, -1, 315}, {-1, 1, 135},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_NEAR(PhaseDegrees(c.re, c.im), c.deg, 1e-12) << c.re << "," << c.im;
}

TEST(Complex, PolarFormHasItsCutOnTheNegativeImaginaryAxis) {
    const Polar origin = RectangularPolar(0, 0);
    EXPECT_EQ(origin.r, 0.0);
    EXPECT_EQ(origin.angle, -kPi / 2);
    EXPECT_NEAR(RectangularPolar(-1, -1).angle, std::atan(1.0) + kPi, 1e-15);

    const Complex below = ComplexPower({0, -1}, 0.5);
    EXPECT_EQ(below.re, 0.7071067811865481);
    EXPECT_EQ(below.im, -0.7071067811865469);
    const Complex beyond = ComplexPower({-0.000001, -1}, 0.5);
    EXPECT_NEAR(beyond.re, std::cos(3 * M_PI / 4), 1e-6);
    EXPECT_NEAR(beyond.im, std::sin(3 * M_PI / 4), 1e-6);
}

TEST(Complex, ExponentialAndTrigonometry) {
    const Complex e = ComplexExp({0, kPi});
    EXPECT_NEAR(e.re, -1.0, 1e-14);
    EXPECT_NEAR(e.im, 0.0, 1e-14);
    const Complex s = ComplexSin({0.5, 0.25}), c = ComplexCos({0.5, 0.25});
    EXPECT_LE(test::RelError(s.re, s.im, std::sin(0.5) * std::cosh(0.25), std::cos(0.5) * std::sinh(0.25)),
              1e-15);
    EXPECT_LE(test::RelError(c.re, c.im, std::cos(0.5) * std::cosh(0.25), -std::sin(0.5) * std::sinh(0.25)),
              1e-15);
}

TEST(Elementary, PublishedValues) {
    // clang-format off
    const struct { const char* name; double actual, expected; } cases[] = {
        {"0!", Factorial(0), 1},          {"5!", Factorial(5), 120},
        {"-3!", Factorial(-3), -3},       {"7!!", Factorial2(7), 105},
        {"6!!", Factorial2(6), 48},       {"ArcSin 1.5", ArcSin(1.5), 1.570796326794895},
        {"ArcSin 0", ArcSin(0), 0},       {"ArcCos -1", ArcCos(-1), 3.14159265358979},
        {"ArcCos 0", ArcCos(0), 1.570796326794895},
        {"RoundTo 1.2345", RoundTo(1.2345, 2), 1.23},
        {"RoundTo 1250", RoundTo(1250, -2), 1300},
        {"RoundTo 2.5", RoundTo(2.5, 0), 3},
        {"RoundTo -2.5", RoundTo(-2.5, 0), -2},
        {"RoundTo 1e308 to 3 places", RoundTo(1e308, 3), 1e308},  // 1e311 would overflow
        {"RoundTo -1.6e306 to 3 places", RoundTo(-1.6e306, 3), -1.6e306},
        {"RoundTo 2 to 308 places", RoundTo(2, 308), 2},
        {"Log10 1", Log10(1), 0},         {"Log10 0", Log10(0), -300},
        {"Log10 -5", Log10(-5), -300},    {"Log10 1000", Log10(1000), 2.9999936067567985},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
    EXPECT_NEAR(ArcCos(-0.5), 2.0943951, 1e-7);
    EXPECT_NEAR(Log10(1e-300), -299.99936, 1e-5);
    EXPECT_NEAR(Log10(0.01), -1.9999957, 1e-7);
}

TEST(Elementary, TiesReturnTheSecondArgument) {
    EXPECT_EQ(AMAX(3, 3), 3);
    EXPECT_EQ(AMIN(3, 3), 3);
    // -0 and +0 compare equal: the second wins, sign included.
    EXPECT_TRUE(std::signbit(AMAX(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(AMIN(-0.0, 0.0)));
    EXPECT_EQ(AMAX(1, 2), 2);
    EXPECT_EQ(AMIN(1, 2), 1);
}

}  // namespace
}  // namespace tessary
