// Geometry of the simulation window: the picture is a photograph taken with a lens of a given focal
// length (35 mm film equivalent) whose axis passes through the picture centre. Directions are in the
// camera frame: elevation above (positive) or below the plane through the axis and the picture's
// horizontal, azimuth to the right (positive) of the axis; radians. Picture y grows downwards.
// Values the window keeps as Singles are rounded to single precision here.
#pragma once

#include <optional>
#include <string>

namespace tessary::sim {

inline constexpr double kPi = 3.14159265358979;
inline constexpr double kRadPerDegree = 0.017453292519943278;

// The picture scale: picture units per unit of tan(angle from the axis).
enum class ScaleStatus { Ok, NotANumber, Negative, NotPositive, TooLarge, TooSmall, AspectWarning };
struct ScaleResult {
    ScaleStatus status = ScaleStatus::Ok;
    float scale = 0.0f;        // valid for Ok and AspectWarning
    float aspectRatio = 0.0f;  // half width / half height
    std::string message;       // a refusal, or for AspectWarning the warning
    std::string title;
};
// The half-diagonal of the picture is matched to the film frame's (sqrt 468 mm) for 4:3 and 3:2
// pictures; other ratios warn and match the long side to the film's 36 mm when far from those.
// A focal length that is no number (NaN), negative or 0 is refused (points divide by the scale), and
// one whose scale is beyond the Single range (every point would lie on the axis) or rounds to 0.
ScaleResult ScaleCalc(float halfWidth, float halfHeight, double focalLength);

// Inverse sine and cosine with the window's end values outside [-1, 1].
double ArcSin(double x);
double ArcCos(double x);

struct Direction {
    float elevation = 0.0f;
    float azimuth = 0.0f;
};
struct PictureFrame {
    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
    float scale = 0.0f;
};

// The camera direction of picture point (x, y), each angle accurate to its Single.
Direction CameraDirection(const PictureFrame& frame, double x, double y);
// The angle between two directions, radians.
double AngularDistance(double e1, double a1, double e2, double a2);

// The anti-solar point from two points marked on a bow of scattering angle thetaDeg: of the two
// directions from which both points lie 180 - thetaDeg away, the lower one, or with invert the other
// one (its mirror across the great circle through the points). Points that no bow of that angle
// passes through, or that coincide, are refused: the refusal carries its message, no direction.
struct ArcResult {
    std::optional<Direction> direction;
    std::string message;
    std::string title;
};
ArcResult ArcConstruction(const PictureFrame& frame, double x1, double y1, double x2, double y2,
                          double thetaDeg, bool invert);

// The reference direction in "Altitude/Azimuth" mode, exact for a level camera (no roll) whose axis
// is tilted up by the axis elevation and lies at the axis azimuth from the sun's bearing (180 facing
// away from the sun), with the sun at its elevation; degrees. The anti-solar point may lie behind the
// camera (an azimuth beyond 90 degrees).
Direction AltitudeAzimuthDirection(double axisElevationDeg, double axisAzimuthDeg, double sunElevationDeg);

// The picture point at angular distance rhoRad from the reference direction and bearing bRad
// (b measured in degrees for the half test, so pass both); none when it lies behind the camera.
struct PicturePoint {
    float x = 0.0f;
    float y = 0.0f;
};
std::optional<PicturePoint> CirclePoint(const PictureFrame& frame, const Direction& reference, double rhoRad,
                                        double bDeg);

// The painted rectangle, inclusive whole pixel bounds, clipped to a picture of width x height pixels.
struct Quadrants {
    bool ne = false, nw = false, se = false, sw = false;
};
struct PaintRect {
    double x0 = 0, x1 = -1, y0 = 0, y1 = -1;
    bool empty() const { return !(x0 <= x1 && y0 <= y1); }
};
// aroundPoint: "Sun" and "Anti-solar point" modes (quadrants around the point px, py); otherwise
// around the picture centre.
PaintRect PaintRectangle(bool aroundPoint, const Quadrants& q, double px, double py, double width,
                         double height);

}  // namespace tessary::sim
