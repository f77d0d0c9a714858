#include "simulation/sim_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tessary::sim {
namespace {

struct ScaleCase {
    float width, height;
    double focal;
    ScaleStatus status;
    double scale;
    const char* message;
};

TEST(ScaleCalc, ScalesWarningsAndRefusals) {
    const ScaleCase cases[] = {
        {640, 480, 54.5, ScaleStatus::Ok, 400 * 54.5 / std::sqrt(468.0), ""},
        {576, 432, 54.5, ScaleStatus::Ok, 906.9348, ""},
        {576, 432, 14, ScaleStatus::Ok, 232.9741, ""},
        {700, 400, 54.5, ScaleStatus::AspectWarning, 54.5 * 350 / 18, "Aspect ratio = 1.75"},
        {270, 200, 54.5, ScaleStatus::AspectWarning, -1, "Aspect ratio = 1.35"},
        {262, 200, 54.5, ScaleStatus::AspectWarning, -1, "Aspect ratio = 1.31"},
        {640, 480, -5, ScaleStatus::Negative, -1, "Focal length < 0"},
        {640, 480, 0, ScaleStatus::NotPositive, -1, "Focal length must be greater than 0"},
        {640, 480, 1e300, ScaleStatus::TooLarge, -1, "Focal length is too large for the picture scale"},
        {640, 480, 1e40, ScaleStatus::TooLarge, -1, "Focal length is too large for the picture scale"},
        {640, 480, 3e37, ScaleStatus::TooLarge, -1, "Focal length is too large for the picture scale"},
        {640, 480, 1e-50, ScaleStatus::TooSmall, -1, "Focal length is too small for the picture scale"},
        {640, 480, std::nan(""), ScaleStatus::NotANumber, -1, "Focal length must be a number"},
    };
    for (const ScaleCase& c : cases) {
        const ScaleResult r = ScaleCalc(c.width / 2, c.height / 2, c.focal);
        EXPECT_EQ(r.status, c.status) << c.width << " " << c.focal;
        EXPECT_EQ(r.message, c.message);
        if (c.scale > 0) {
            EXPECT_NEAR(r.scale, c.scale, 1e-4 * c.scale);
        }
    }
    EXPECT_EQ(ScaleCalc(350, 200, 54.5).title, "Warning - possible scale error");
    EXPECT_EQ(ScaleCalc(320, 240, 0).title, "Input error");
}

TEST(ArcFunctions, EndValues) {
    EXPECT_DOUBLE_EQ(ArcCos(0), kPi / 2);
    EXPECT_DOUBLE_EQ(ArcCos(1), 0);
    EXPECT_DOUBLE_EQ(ArcCos(-1), kPi);
    EXPECT_DOUBLE_EQ(ArcSin(1), kPi / 2);
    EXPECT_NEAR(ArcCos(-0.5), 2 * kPi / 3, 1e-7);
}

TEST(CameraDirection, CentreAboveAndRight) {
    const PictureFrame frame{288, 216, 232.9741f};
    const double r = std::atan(100 / 232.9741);
    struct Case {
        double x, y, e, a;
    } const cases[] = {{288, 216, 0, 0},
                       {288, 116, r, 0},
                       {388, 216, 0, r},
                       {188, 216, 0, -r},
                       {287.999, 400, -std::atan(184 / 232.9741), -0.001 / 232.9741}};
    for (const Case& c : cases) {
        const Direction d = CameraDirection(frame, c.x, c.y);
        EXPECT_NEAR(d.elevation, c.e, 1e-6) << c.x << "," << c.y;
        EXPECT_NEAR(d.azimuth, c.a, 1e-6) << c.x << "," << c.y;
    }
}

TEST(Circles, RadiusAtTheCentreIsScaleTimesTan) {
    const PictureFrame frame{288, 216, 232.9741f};
    for (double b = 0; b <= 360; b += 5) {
        const auto p = CirclePoint(frame, Direction{}, 40 * kRadPerDegree, b);
        ASSERT_TRUE(p.has_value());
        EXPECT_NEAR(std::hypot(p->x - 288.0, p->y - 216.0), 195.5, 1.0) << b;
    }
    // Beyond 1.57 rad from the axis: skipped.
    EXPECT_FALSE(CirclePoint(frame, Direction{}, 1.6, 0).has_value());
}

// Camera elevation, azimuth and sun elevation: the anti-solar point a level camera so pointed sees.
TEST(AltitudeAzimuth, ExactForALevelCamera) {
    const double cases[][5] = {{26, 162, 15, -39.44, 22.74},
                               {60, 90, 40, -18.75, 126.01},
                               {20, 180, 15, -35, 0} /* facing away from the sun */,
                               {0, 150, 15, -15, 30} /* a level axis */};
    for (const auto& c : cases) {
        const Direction d = AltitudeAzimuthDirection(c[0], c[1], c[2]);
        EXPECT_NEAR(d.elevation / kRadPerDegree, c[3], 0.005) << c[0] << " " << c[1];
        EXPECT_NEAR(d.azimuth / kRadPerDegree, c[4], 0.005) << c[0] << " " << c[1];
    }
}

TEST(ArcConstruction, RecoversTheCentreOfTheBow) {
    const PictureFrame frame{288, 216, 232.9741f};
    const Direction centre{static_cast<float>(-20 * kRadPerDegree), static_cast<float>(5 * kRadPerDegree)};
    const auto p1 = CirclePoint(frame, centre, 41 * kRadPerDegree, 330);
    const auto p2 = CirclePoint(frame, centre, 41 * kRadPerDegree, 20);
    ASSERT_TRUE(p1 && p2);
    const ArcResult r = ArcConstruction(frame, p1->x, p1->y, p2->x, p2->y, 139, false);
    ASSERT_TRUE(r.direction) << r.message;
    EXPECT_NEAR(r.direction->elevation / kRadPerDegree, -20, 0.05);
    EXPECT_NEAR(r.direction->azimuth / kRadPerDegree, 5, 0.05);
    // The other centre from which both points lie 41 degrees away: the mirror across their great circle.
    const ArcResult inverted = ArcConstruction(frame, p1->x, p1->y, p2->x, p2->y, 139, true);
    ASSERT_TRUE(inverted.direction);
    EXPECT_NEAR(inverted.direction->elevation / kRadPerDegree, 56.11, 0.05);
    EXPECT_NEAR(inverted.direction->azimuth / kRadPerDegree, -3.74, 0.05);
    for (const auto& p : {p1, p2}) {
        const Direction d = CameraDirection(frame, p->x, p->y);
        EXPECT_NEAR(AngularDistance(d.elevation, d.azimuth, inverted.direction->elevation,
                                    inverted.direction->azimuth) /
                        kRadPerDegree,
                    41, 0.05);
    }
}

TEST(ArcConstruction, RefusesWhatDividesByZero) {
    const PictureFrame frame{288, 216, 232.9741f};
    struct Case {
        double x2, theta;
        const char* message;
    } const cases[] = {
        {100, 139, "Mark two different points on the arc"},
        {200, 180, "The scattering angle of the arc must lie between 0 and 180 degrees"},
        {200, 0, "The scattering angle of the arc must lie between 0 and 180 degrees"},
        {200, std::nan(""), "The scattering angle of the arc must lie between 0 and 180 degrees"},
    };
    for (const Case& c : cases) {
        const ArcResult r = ArcConstruction(frame, 100, 50, c.x2, 50, c.theta, false);
        EXPECT_FALSE(r.direction);
        EXPECT_EQ(r.message, c.message);
    }
}

TEST(PaintRectangle, ClippedToThePicture) {
    const PaintRect all = PaintRectangle(true, {true, true, true, true}, 100, 80, 576, 432);
    EXPECT_EQ(all.x1 + all.y1, 575 + 431);  // the last column and row, not one past them
    const PaintRect centre = PaintRectangle(false, {false, false, false, true}, 5, 5, 576, 432);
    EXPECT_EQ(centre.x0 + centre.x1 + centre.y0 + centre.y1, 0 + 288 + 216 + 431);
    // Around a point at (100.5, 80.5) the whole pixels: NE is columns 101 to 575, rows 0 to 80.
    const PaintRect half = PaintRectangle(true, {true, false, false, false}, 100.5, 80.5, 576, 432);
    EXPECT_EQ(std::vector<double>({half.x0, half.x1, half.y0, half.y1}),
              std::vector<double>({101, 575, 0, 80}));
    // A typed 1e9 paints nothing rather than a billion columns.
    EXPECT_TRUE(PaintRectangle(true, {false, false, true, false}, 1e9, 1e9, 576, 432).empty());
}

}  // namespace
}  // namespace tessary::sim
