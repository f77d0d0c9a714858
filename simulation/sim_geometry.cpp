// Geometry of the simulation window: picture scale, camera directions, the arc construction, the
// circles of constant angular distance and the painted rectangle.
#include "simulation/sim_geometry.h"

#include <algorithm>
#include <cmath>

#include "platform/text/conversions.h"

namespace tessary::sim {

namespace {

constexpr double kSqrt468 = 21.633307652783937;  // half the diagonal of the 36 x 24 mm frame, mm

float Single(double v) { return static_cast<float>(v); }

// A direction as a unit vector: x right, y up, z along the camera axis.
struct Vector {
    double x, y, z;
};
Vector UnitVector(const Direction& d) {
    const double e = d.elevation, a = d.azimuth;
    return {std::cos(e) * std::sin(a), std::sin(e), std::cos(e) * std::cos(a)};
}
Vector Cross(const Vector& u, const Vector& v) {
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}
double Length(const Vector& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

bool Recognised(float ratio) {
    return (ratio > 1.31 && ratio < 1.35) || (ratio > 0.73 && ratio < 0.77) ||
           (ratio > 1.48 && ratio < 1.52) || (ratio > 0.65 && ratio < 0.69);
}

}  // namespace

ScaleResult ScaleCalc(float halfWidth, float halfHeight, double focalLength) {
    ScaleResult r;
    r.title = "Input error";
    if (std::isnan(focalLength)) {
        r.status = ScaleStatus::NotANumber;
        r.message = "Focal length must be a number";
        return r;
    }
    if (focalLength < 0) {
        r.status = ScaleStatus::Negative;
        r.message = "Focal length < 0";
        return r;
    }
    if (!(focalLength > 0)) {
        r.status = ScaleStatus::NotPositive;
        r.message = "Focal length must be greater than 0";
        return r;
    }
    r.title.clear();
    // Beyond the Single range the focal length is infinite, below it 0: the scale check refuses both.
    const float focal = Single(focalLength);
    if (!(halfWidth > 0) || !(halfHeight > 0)) {
        r.status = ScaleStatus::NotPositive;
        r.message = "The picture has no size";
        r.title = "Input error";
        return r;
    }
    r.aspectRatio = halfWidth / halfHeight;
    const double diagonal =
        std::sqrt(static_cast<double>(halfWidth) * halfWidth + static_cast<double>(halfHeight) * halfHeight) *
        focal / kSqrt468;
    if (Recognised(r.aspectRatio)) {
        r.scale = Single(diagonal);
    } else {
        r.status = ScaleStatus::AspectWarning;
        r.message = "Aspect ratio = " + CStr(r.aspectRatio);
        r.title = "Warning - possible scale error";
        if (r.aspectRatio <= 0.65)
            r.scale = Single(static_cast<double>(focal) * halfHeight / 18);
        else if (r.aspectRatio >= 1.52)
            r.scale = Single(static_cast<double>(focal) * halfWidth / 18);
        else
            r.scale = Single(diagonal);
    }
    if (!std::isfinite(r.scale) || !(r.scale > 0)) {
        const bool large = !std::isfinite(r.scale);
        r.status = large ? ScaleStatus::TooLarge : ScaleStatus::TooSmall;
        r.scale = 0;
        r.message =
            std::string("Focal length is too ") + (large ? "large" : "small") + " for the picture scale";
        r.title = "Input error";
    }
    return r;
}

double ArcSin(double x) {
    if (x >= 1) return kPi / 2;
    if (x <= -1) return -kPi / 2;
    const float t = std::max(Single(1 - x * x), 0.0f);
    if (t == 0) return x > 0 ? kPi / 2 : -kPi / 2;
    return std::atan(x / std::sqrt(static_cast<double>(t)));
}

double ArcCos(double x) {
    if (x >= 1) return 0;
    if (x <= -1) return kPi;
    if (x == 0) return kPi / 2;
    const float t = Single(std::sqrt(1 - x * x));
    const double angle = std::atan(t / x);
    return x < 0 ? angle + kPi : angle;
}

Direction CameraDirection(const PictureFrame& frame, double x, double y) {
    // The point looks along (dx, up, scale): right, up and along the axis. Both angles come from
    // arctangents of that ray in double, so neither depends on the other's Single: an inverse cosine
    // of cos(angle from the axis) / cos(elevation) would lose the azimuth near the middle column.
    const double dx = x - frame.halfWidth;
    const double up = frame.halfHeight - y;
    const double forward = frame.scale;
    Direction d;
    d.elevation = Single(std::atan2(up, std::hypot(dx, forward)));
    d.azimuth = Single(std::atan2(dx, forward));
    return d;
}

double AngularDistance(double e1, double a1, double e2, double a2) {
    return ArcCos(std::sin(e1) * std::sin(e2) + std::cos(e1) * std::cos(e2) * std::cos(a1 - a2));
}

ArcResult ArcConstruction(const PictureFrame& frame, double x1, double y1, double x2, double y2,
                          double thetaDeg, bool invert) {
    ArcResult r;
    r.title = "Input error";
    if (!(thetaDeg > 0 && thetaDeg < 180)) {
        r.message = "The scattering angle of the arc must lie between 0 and 180 degrees";
        return r;
    }
    const double cosRho = std::cos((180 - thetaDeg) * kRadPerDegree);
    const Vector p1 = UnitVector(CameraDirection(frame, x1, y1));
    const Vector p2 = UnitVector(CameraDirection(frame, x2, y2));
    // The centres c with c.p1 = c.p2 = cos rho: c = alpha m + beta n and its mirror c = alpha m - beta n
    // across the great circle through the points, m halfway between them, n normal to their circle.
    const Vector n = Cross(p1, p2);
    const double sinDelta = Length(n);
    if (!(sinDelta > 1e-9)) {
        r.message = "Mark two different points on the arc";
        return r;
    }
    const Vector sum{p1.x + p2.x, p1.y + p2.y, p1.z + p2.z};
    const double cosHalfDelta = Length(sum) / 2;
    const double alpha = cosHalfDelta > 0 ? cosRho / cosHalfDelta : 2.0;
    // Points exactly twice the bow's radius apart have one centre; rounding may put them a hair over.
    if (!(std::fabs(alpha) <= 1 + 1e-7)) {
        r.message =
            "No bow of scattering angle " + CStr(thetaDeg) + " degrees passes through both marked points";
        return r;
    }
    const double beta = std::sqrt(std::max(1 - alpha * alpha, 0.0));
    const double a = alpha / (2 * cosHalfDelta), b = beta / sinDelta;
    const Vector plus{a * sum.x + b * n.x, a * sum.y + b * n.y, a * sum.z + b * n.z};
    const Vector minus{a * sum.x - b * n.x, a * sum.y - b * n.y, a * sum.z - b * n.z};
    // The lower centre, or the other one when "Invert centre" is marked; level ones: the left first.
    const bool plusIsLower =
        plus.y != minus.y ? plus.y < minus.y : std::atan2(plus.x, plus.z) <= std::atan2(minus.x, minus.z);
    const Vector& c = plusIsLower != invert ? plus : minus;
    r.direction = Direction{Single(std::asin(std::clamp(c.y, -1.0, 1.0))), Single(std::atan2(c.x, c.z))};
    r.title.clear();
    return r;
}

Direction AltitudeAzimuthDirection(double axisElevationDeg, double axisAzimuthDeg, double sunElevationDeg) {
    // The anti-solar point (elevation -S on the bearing opposite the sun) in a level frame turned to the
    // camera's bearing: x right, y up, z along the horizontal under the axis.
    const double e = axisElevationDeg * kRadPerDegree, s = sunElevationDeg * kRadPerDegree;
    const double b = (180 - axisAzimuthDeg) * kRadPerDegree;
    const double wx = std::cos(s) * std::sin(b), wy = -std::sin(s), wz = std::cos(s) * std::cos(b);
    // The same in the camera's frame, tilted up by E about its x axis (no roll).
    const double vy = wy * std::cos(e) - wz * std::sin(e), vz = wy * std::sin(e) + wz * std::cos(e);
    return Direction{Single(std::asin(std::clamp(vy, -1.0, 1.0))), Single(std::atan2(wx, vz))};
}

std::optional<PicturePoint> CirclePoint(const PictureFrame& frame, const Direction& reference, double rhoRad,
                                        double bDeg) {
    const double b = bDeg * kRadPerDegree;
    const double refE = reference.elevation;
    const float e =
        Single(ArcSin(std::sin(rhoRad) * std::cos(refE) * std::cos(b) + std::cos(rhoRad) * std::sin(refE)));
    double delta = ArcCos((std::cos(rhoRad) - std::sin(refE) * std::sin(e)) / (std::cos(refE) * std::cos(e)));
    if (bDeg > 180) delta = -delta;
    const float a = Single(reference.azimuth + delta);
    const double g = ArcCos(std::cos(a) * std::cos(e));
    if (!std::isfinite(g) || std::fabs(g) > 1.57f) return std::nullopt;
    const double v = g == 0 ? 1.0 : std::sin(e) / std::sin(g);
    const double t = std::max(1 - v * v, 0.0);
    const double across = frame.scale * std::tan(g) * std::sqrt(t);
    PicturePoint p;
    p.x = Single(a < 0 ? frame.halfWidth - across : frame.halfWidth + across);
    p.y = Single(frame.halfHeight - frame.scale * std::tan(g) * v);
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
    return p;
}

PaintRect PaintRectangle(bool aroundPoint, const Quadrants& q, double px, double py, double width,
                         double height) {
    PaintRect r{px, px, py, py};
    if (aroundPoint) {
        if (q.nw) r.x0 = 0, r.y0 = 0;
        if (q.ne) r.x1 = width, r.y0 = 0;
        if (q.sw) r.y1 = height, r.x0 = 0;
        if (q.se) r.x1 = width, r.y1 = height;
    } else {
        const double cx = width / 2, cy = height / 2;
        if (q.nw) {
            r.x0 = 0, r.y0 = 0;
            r.x1 = q.ne ? width : cx;
            r.y1 = q.sw ? height : cy;
        } else if (q.ne) {
            r.x1 = width, r.y0 = 0;
            r.y1 = q.se ? height : cy;
            r.x0 = cx;
        } else if (q.se) {
            r.x1 = width, r.y1 = height;
            r.y0 = cy;
            r.x0 = q.sw ? 0 : cx;
        } else if (q.sw) {
            r.x0 = 0, r.y1 = height;
            r.y0 = cy;
            r.x1 = cx;
        }
    }
    // The inclusive end at the width or height is one past the last pixel. Pixel k lies at position k:
    // the rectangle holds the whole pixels within it, each computed where it is drawn (around a point
    // at 100.5 the columns 101, 102, ..., not 100.5, 101.5, ... drawn half a pixel to their right).
    r.x0 = std::ceil(std::max(r.x0, 0.0));
    r.y0 = std::ceil(std::max(r.y0, 0.0));
    r.x1 = std::floor(std::min(r.x1, width - 1));
    r.y1 = std::floor(std::min(r.y1, height - 1));
    if (!std::isfinite(r.x0) || !std::isfinite(r.x1) || !std::isfinite(r.y0) || !std::isfinite(r.y1))
        return PaintRect{};
    return r;
}

}  // namespace tessary::sim
