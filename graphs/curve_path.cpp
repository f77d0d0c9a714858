// The path of one curve on the graph (see curve_path.h).
#include "graphs/curve_path.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "graphs/axis_steps.h"
#include "graphs/graph_codes.h"
#include "graphs/graph_geometry.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"

namespace tessary::graphs {

namespace {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// Weight of P1..P4 at t on the four-point window (P1 at t = -1, P2 at 0, P3 at 1, P4 at 2).
double Lagrange4(const std::array<Point, 4>& p, double t) {
    return p[0].y * (-t * (t - 1) * (t - 2) / 6) + p[1].y * ((t + 1) * (t - 1) * (t - 2) / 2) -
           p[2].y * (t * (t + 1) * (t - 2) / 2) + p[3].y * (t * (t + 1) * (t - 1) / 6);
}

// A loop bound or index as a Long, half to even; nullopt when it is no whole Long.
std::optional<std::int32_t> RoundedLong(double v) {
    const Checked<std::int32_t> c = CLng(v);
    if (!c.ok()) return std::nullopt;
    return c.value;
}

// The x axis of the box: the curve's own range unless another is given.
bool OwnAxis(const CurveInput& in) { return in.axisFrom == in.axisTo; }
double AxisFrom(const CurveInput& in) { return OwnAxis(in) ? in.xFrom : in.axisFrom; }
double AxisTo(const CurveInput& in) { return OwnAxis(in) ? in.xTo : in.axisTo; }

// The x and y mappings exist: finite x ranges (the curve's and the axis's) of nonzero width, positive ends
// on logarithmic scales.
bool Mappable(const CurveInput& in) {
    const double yFrom = in.yFrom, yTo = in.yTo;
    for (const auto& [xFrom, xTo] : {std::pair{in.xFrom, in.xTo}, std::pair{AxisFrom(in), AxisTo(in)}}) {
        if (!(xTo != xFrom) || !std::isfinite(xFrom) || !std::isfinite(xTo)) return false;
        if (!in.xLinear && !(xFrom > 0.0 && xTo > 0.0)) return false;
    }
    if (!in.polar && in.yLog && !(yFrom > 0.0 && yTo > 0.0 && yTo != yFrom)) return false;
    if (!in.polar && !in.yLog && !(yTo != yFrom)) return false;
    if (in.polar && !(in.yScaleMax > 0.0 && std::isfinite(in.yScaleMax))) return false;
    if (in.polar && in.yLog && !(yFrom > 0.0 && in.yScaleMax != yFrom)) return false;
    return true;
}

// Walks the visible points and collects the marks.
class Tracer {
  public:
    explicit Tracer(const CurveInput& in) : in_(in) {}
    CurvePath run();

  private:
    bool visible(std::int32_t k) const {
        return static_cast<double>(k) >= in_.range.first && static_cast<double>(k) <= in_.range.last;
    }
    bool stored(std::int32_t k) const { return k >= 1 && k <= lastStored_; }
    double value(std::int32_t n) const;
    Point polarPoint(std::int32_t n, double x, double v) const;
    Point ampPhasePoint(std::int32_t n) const;
    void cubic(Point p, bool lastPoint);
    void subPoint(double t);
    void segment(std::int32_t n, Point p);
    void phaseMarks(std::int32_t n, Point start, Point end);
    void line(double x1, double y1, double x2, double y2) {
        path_.marks.push_back({CurveMark::Kind::Line, x1, y1, x2, y2, 0.0});
    }
    void number(double x, double y, double v) {
        path_.marks.push_back({CurveMark::Kind::Number, x, y, 0, 0, v});
    }

    const CurveInput& in_;
    CurvePath path_;
    std::int32_t lastStored_ = 0;
    bool havePrev_ = false;
    bool marked_ = false;  // the start circle of the amplitude-phase diagram is drawn
    Point prev_;
    std::array<Point, 4> window_{};
    int windowFill_ = 0;
    bool haveSub_ = false;
    Point sub_;
};

CurvePath Tracer::run() {
    if (!Mappable(in_)) return {};
    // Averaging width in points; a stride below one point is one point.
    std::int32_t stride = 1;
    if (const std::optional<std::int32_t> s = RoundedLong(in_.averageWidth); s && *s > 1) stride = *s;

    // The loop stays inside the stored array (indexed from 1).
    const std::optional<std::int32_t> loopLast = RoundedLong(in_.range.end);
    if (!loopLast || in_.values.size() < 2) return {};
    lastStored_ = static_cast<std::int32_t>(
        std::min<std::size_t>(in_.values.size() - 1, std::numeric_limits<std::int32_t>::max()));
    const std::int32_t loopEnd = std::min(*loopLast, lastStored_);
    // The last point the loop draws (the cubic runs on to it): 1 + m stride inside the visible range.
    const double highest = std::min<double>(loopEnd, std::floor(in_.range.last));
    if (!(highest >= 1.0)) return {};
    const auto high = static_cast<std::int32_t>(highest);
    const std::int32_t lastVisible = 1 + (high - 1) / stride * stride;
    if (!visible(lastVisible)) return {};

    for (std::int32_t n = 1; n <= loopEnd; n += stride) {
        if (!visible(n)) continue;
        // x value and its window position.
        const double x = in_.runLogSteps && (in_.xLinear || in_.logSteps)
                             ? LogSweepValue(in_.xFrom, in_.xTo, in_.step, n - 1)  // the x the sweep computed
                             : in_.xFrom + (n - in_.range.first) * in_.step;
        path_.lastX = x;
        if (!in_.xLinear && !(x > 0.0)) {
            havePrev_ = false;
            continue;
        }
        Point p{CurveX(in_, x), 0.0};
        const double v = value(n);
        // A value that is no number is a gap in the curve.
        if (!std::isfinite(v)) {
            havePrev_ = false;
            continue;
        }
        if (!in_.polar) {
            p.y = CurveY(in_, v);
        } else {
            p = in_.ampPhase ? ampPhasePoint(n) : polarPoint(n, x, v);
        }
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            havePrev_ = false;
            continue;
        }
        if (in_.interpolate) {
            cubic(p, n == lastVisible);
        } else {
            segment(n, p);
        }
        prev_ = p;
        havePrev_ = true;
    }
    return std::move(path_);
}

// The value at n: the running mean over the averaging width (visible, stored points only), then
// the weighted mean over the sun's disc, mirrored about 0 and the run's last angle.
double Tracer::value(std::int32_t n) const {
    const std::span<const double> values = in_.values;
    double v = 0.0;
    if (in_.average) {
        double sum = 0.0, points = 0.0;
        const std::optional<std::int32_t> from = RoundedLong(n - in_.averageWidth / 2);
        const std::optional<std::int32_t> to = RoundedLong(n + in_.averageWidth / 2);
        for (std::int32_t k = from.value_or(n); k <= to.value_or(n); ++k) {
            if (!visible(k) || !stored(k)) continue;
            sum += values[static_cast<std::size_t>(k)];
            points += 1.0;
        }
        // a window of no points (a negative width) is the point itself
        v = points > 0.0 ? sum / points : values[static_cast<std::size_t>(n)];
    } else {
        v = values[static_cast<std::size_t>(n)];
    }
    if (in_.sunDisc) {
        const double end = in_.range.end;
        for (std::int32_t j = 1; j <= in_.discSteps; ++j) {
            const double w = in_.discWeights[static_cast<std::size_t>(j)];
            std::int32_t k = n + j;
            if (k > end) k = static_cast<std::int32_t>(2 * end) - k;  // mirrored about 180
            if (stored(k)) v += values[static_cast<std::size_t>(k)] * w;
            k = n - j;
            if (k < 1) k = 2 - k;  // mirrored about 0
            if (stored(k)) v += values[static_cast<std::size_t>(k)] * w;
        }
        if (in_.discWeightSum > 0.0) v /= in_.discWeightSum;
    }
    return v;
}

// The polar diagram: the angle runs 0 to 180 degrees over the visible range (over the axis's when the
// curve has its own), the radius with v.
Point Tracer::polarPoint(std::int32_t n, double x, double v) const {
    const double first = in_.range.first, last = in_.range.last, radiusPolar = in_.radiusPolar;
    double r = 0.0;
    if (in_.yLog) {
        // 0 (and, having no logarithm, a negative value) sits at the centre
        const double w = v <= 0.0 ? in_.yFrom / 10 : v;
        r = std::clamp(radiusPolar * std::log(w / in_.yFrom) / std::log(in_.yScaleMax / in_.yFrom), 0.0,
                       radiusPolar);
    } else {
        r = radiusPolar * v / in_.yScaleMax;
    }
    double degrees = last != first ? (n - first) * 180.0 / (last - first) : 0.0;
    if (!OwnAxis(in_)) degrees = (x - in_.axisFrom) * 180.0 / (in_.axisTo - in_.axisFrom);
    const double angle = degrees * kPi / 180.0;
    return {in_.cx + r * std::cos(angle), in_.cy + r * std::sin(angle)};
}

// The amplitude-phase diagram: the complex amplitude S1, S2 or their mean, scaled by the root of
// the y maximum, or on a logarithmic radius by amplitude and phase.
Point Tracer::ampPhasePoint(std::int32_t n) const {
    const auto at = [n](std::span<const double> v) {
        return static_cast<std::size_t>(n) < v.size() ? v[static_cast<std::size_t>(n)] : 0.0;
    };
    double re = 0.0, im = 0.0;
    if (in_.polarisation == 1) {
        re = at(in_.s1Re);
        im = at(in_.s1Im);
    } else if (in_.polarisation == 2) {
        re = at(in_.s2Re);
        im = at(in_.s2Im);
    } else {
        re = (at(in_.s1Re) + at(in_.s2Re)) / 2;
        im = (at(in_.s1Im) + at(in_.s2Im)) / 2;
    }
    const double rootMax = std::sqrt(in_.yScaleMax);
    const double cx = in_.cx, cy = in_.cy, radiusPolar = in_.radiusPolar;
    if (!in_.logOption) return {cx + radiusPolar * re / rootMax, cy + radiusPolar * im / rootMax};
    const double rootFrom = std::sqrt(in_.yFrom);
    double a = std::sqrt(re * re + im * im);
    if (a == 0.0) a = rootFrom / 10;
    const double r =
        std::clamp(radiusPolar * std::log(a / rootFrom) / std::log(rootMax / rootFrom), 0.0, radiusPolar);
    double phi = 0.0;
    if (re == 0.0) {
        phi = (im > 0 ? 1 : im < 0 ? -1 : 0) * kPi / 2;
    } else {
        phi = std::atan(im / re) + (re < 0.0 ? kPi : 0.0);
    }
    return {cx + r * std::cos(phi), cy + r * std::sin(phi)};
}

// The cubic through a window of four points, drawn from the second to the third (from the first on
// the first window, on to the fourth at the last visible point).
void Tracer::cubic(Point p, bool lastPoint) {
    if (windowFill_ < 3) {
        window_[static_cast<std::size_t>(windowFill_++)] = p;
        return;
    }
    const auto at = [this](double t) { subPoint(t); };
    window_[3] = p;
    if (windowFill_ == 3) {  // the fourth point: first the stretch P1 to P2
        ForStep(-1.0, 0.0, 0.1, at);
        windowFill_ = 4;
    }
    ForStep(0.0, 1.0, 0.1, at);
    if (lastPoint) ForStep(1.0, 2.01, 0.1, at);
    window_[0] = window_[1];
    window_[1] = window_[2];
    window_[2] = window_[3];
}

// One sub-point of the cubic, joined to the one before while both lie within top..bottom.
void Tracer::subPoint(double t) {
    const Point p{window_[1].x + t * (window_[2].x - window_[1].x), Lagrange4(window_, t)};
    if (p.y >= in_.top && p.y <= in_.bottom && std::isfinite(p.x) && std::isfinite(p.y)) {
        if (haveSub_) line(sub_.x, sub_.y, p.x, p.y);
        sub_ = p;
        haveSub_ = true;
    } else {
        haveSub_ = false;
    }
}

// The segment from the previous point, clipped to the box's top and bottom.
void Tracer::segment(std::int32_t n, Point p) {
    const float top = in_.top, bottom = in_.bottom;
    Point start = p, end = p;
    if (havePrev_) {
        start = prev_;
        if (prev_.y != p.y) {
            if (start.y < top) start.y = top;
            if (end.y < top) end.y = top;
            if (start.y > bottom) start.y = bottom;
            if (end.y > bottom) {
                end.x = prev_.x + (bottom - prev_.y) * (p.x - prev_.x) / (p.y - prev_.y);
                end.y = bottom;
            }
        }
    }
    if (!in_.polar) {
        // A level segment outside the box (the clipping leaves those) is not drawn either, nor
        // one with both ends below the box: its crossing of the bottom edge lies outside the
        // segment, and the edge line would run out of the box over the axis numbers.
        const bool below = havePrev_ && prev_.y > bottom && p.y > bottom;
        const bool inside = !below && start.y <= bottom && end.y <= bottom && start.y >= top && end.y >= top;
        if (inside && start.x >= in_.left && end.x <= in_.right) line(start.x, start.y, end.x, end.y);
        return;
    }
    line(start.x, start.y, end.x, end.y);
    if (!in_.ampPhase) {
        line(start.x, 2 * in_.cy - start.y, end.x, 2 * in_.cy - end.y);
    } else {
        phaseMarks(n, start, end);
    }
}

// Marks of the amplitude-phase diagram: the start, then ticks across the curve every 10 points
// (longer and numbered every 100).
void Tracer::phaseMarks(std::int32_t n, Point start, Point end) {
    const double x = end.x, y = end.y;
    if (!marked_) {
        marked_ = true;
        path_.marks.push_back({CurveMark::Kind::Circle, x, y, 0, 0, 0});
        number(x - 100, y + 100, (n - 1) * in_.step);
    }
    if ((n - 1) % 10 == 0 && y != start.y) {
        const double a = -(x - start.x) / (y - start.y);
        const double b = y - a * x;
        const bool hundred = (n - 1) % 100 == 0;
        const double halfLength = hundred ? 90.0 : 50.0;
        const double dx = std::sqrt(halfLength * halfLength / (a * a + 1));
        line(x + dx, a * (x + dx) + b, x - dx, a * (x - dx) + b);
        if (hundred) {
            const double v = (n - 1) * in_.step;
            number(x - 50.0 * static_cast<double>(Str(v).size()), y + 100, v);
        }
    }
}

}  // namespace

std::optional<CurveIndexRange> CurveIndices(int graphCode, bool logSteps, double step, double xFrom,
                                            double xTo, double dataXStart) {
    CurveIndexRange r;
    if (graphCode < kFirstSweepGraph) {
        // an angle step that is no positive number has no grid
        const std::optional<std::int32_t> n = step > 0.0 ? RoundedLong(90.0 / step + 1.0) : std::nullopt;
        if (!n || *n < 2) return std::nullopt;
        r.angleCount = *n;
        r.first = 2.0 * (r.angleCount - 1) * xFrom / 180.0 + 1.0;
        r.last = 2.0 * (r.angleCount - 1) * xTo / 180.0 + 1.0;
        r.end = 2.0 * r.angleCount - 1.0;
    } else if (!logSteps) {
        if (!(step > 0.0)) return std::nullopt;
        const double from = std::floor((xFrom - dataXStart) / step + 1.0001);
        const double to = std::floor((xTo - dataXStart) / step + 1.0001);
        if (!std::isfinite(from) || !std::isfinite(to)) return std::nullopt;
        constexpr double kIntMax = std::numeric_limits<int>::max();
        r.sweep = true;
        r.firstIndex = static_cast<int>(std::clamp(from, -kIntMax, kIntMax));
        r.lastIndex = static_cast<int>(std::clamp(to, -kIntMax, kIntMax));
        r.first = r.firstIndex;
        r.last = r.lastIndex;
        r.end = r.lastIndex;
    }
    if (logSteps) {
        r.first = 1.0;
        r.end = step + 1.0;
        r.last = r.end;
    }
    return r;
}

CurvePath CurveMarks(const CurveInput& in) { return Tracer(in).run(); }

double CurveX(const CurveInput& in, double v) {
    const float left = in.left, right = in.right;
    const double from = AxisFrom(in), to = AxisTo(in);
    if (in.xLinear) return left + (v - from) * (right - left) / (to - from);
    return left + (right - left) * std::log(v / from) / std::log(to / from);
}

double CurveY(const CurveInput& in, double v) {
    const float top = in.top, bottom = in.bottom;
    if (!in.yLog) return bottom + (v - in.yFrom) * (top - bottom) / (in.yTo - in.yFrom);
    const double w = v <= 0.0 ? in.yFrom : std::min(v, in.yTo);
    return bottom + (top - bottom) * LogRatio(w, in.yFrom) / LogRatio(in.yTo, in.yFrom);
}

}  // namespace tessary::graphs
