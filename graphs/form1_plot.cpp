// One curve of computed values on the graph: point indices become x values (linear or logarithmic
// steps), values are optionally smoothed (a running mean, or the weighted mean over the sun's disc),
// mapped onto a linear or logarithmic y scale or a polar diagram, clipped to the graph box and joined
// by straight segments or by a four-point Lagrange cubic (10 sub-steps between points).
// A mapping that has no value (an x range of zero width, a logarithmic scale reaching 0 or below, no
// step) draws nothing rather than points at undefined places.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "graphs/axis_steps.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

bool LogStepCode(int code) { return code == 10 || code == 11 || code == 14 || code == 15 || code == 16; }

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

}  // namespace

void Form1::Plot(std::int32_t& count, std::span<const double> values, float left, float right, float top,
                 float bottom, double xFrom, double xTo, double yFrom, double yTo) {
    doEvents();
    if (mnuSolid.checked()) setDrawStyle(0);
    if (mnuDash.checked()) setDrawStyle(1);
    if (mnuDot.checked()) setDrawStyle(2);
    if (mnuDrawWidth1.checked()) setDrawWidth(1);
    if (mnuDrawWidth2.checked()) setDrawWidth(2);

    const bool polar = mnuPolarPlot.checked();
    // Back to solid black lines of width 1; the Cartesian box's edges redrawn over the curve.
    const auto finish = [&] {
        setForeColor(kBlack);
        setDrawStyle(0);
        setDrawWidth(1);
        if (!polar) {
            line(left, bottom, right, bottom);
            line(left, top, right, top);
            line(left, top, left, bottom);
            line(right, top, right, bottom);
        }
    };

    // Index range.
    const double step = RunStep();
    const bool logSteps = RunLogSteps() && LogStepCode(codes.graphCode);
    if (codes.graphCode < 10) {
        // an angle step that is no positive number has no grid
        const std::optional<std::int32_t> n = step > 0.0 ? RoundedLong(90.0 / step + 1.0) : std::nullopt;
        if (!n || *n < 2) return finish();
        count = *n;
        scratchP = 2.0 * (count - 1) * xFrom / 180.0 + 1.0;
        scratchQ = 2.0 * (count - 1) * xTo / 180.0 + 1.0;
        scratchR = 2.0 * count - 1.0;
    } else if (!logSteps) {
        if (!(step > 0.0)) return finish();
        const double first = std::floor((xFrom - graph.dataXStart) / step + 1.0001);
        const double last = std::floor((xTo - graph.dataXStart) / step + 1.0001);
        if (!std::isfinite(first) || !std::isfinite(last)) return finish();
        constexpr double kIntMax = std::numeric_limits<int>::max();
        graph.plotFirstIndex = static_cast<int>(std::clamp(first, -kIntMax, kIntMax));
        graph.plotLastIndex = static_cast<int>(std::clamp(last, -kIntMax, kIntMax));
        scratchP = graph.plotFirstIndex;
        scratchQ = graph.plotLastIndex;
        scratchR = graph.plotLastIndex;
    }
    if (logSteps) {
        scratchP = 1.0;
        scratchR = step + 1.0;
        scratchQ = scratchR;
    }

    // The mapping of x and y must exist.
    const bool xLinear = OptXLinear.value();
    const bool yLog = optLog.value() && graph.phasePanel == 0;
    if (!(xTo != xFrom) || !std::isfinite(xFrom) || !std::isfinite(xTo)) return finish();
    if (!xLinear && !(xFrom > 0.0 && xTo > 0.0)) return finish();
    if (!polar && yLog && !(yFrom > 0.0 && yTo > 0.0 && yTo != yFrom)) return finish();
    if (!polar && !yLog && !(yTo != yFrom)) return finish();
    const bool ampPhase = polar && mnuAmpPhase.checked();
    if (polar && !(graph.yScaleMax > 0.0 && std::isfinite(graph.yScaleMax))) return finish();
    if (polar && yLog && !(yFrom > 0.0 && graph.yScaleMax != yFrom)) return finish();

    // Averaging width in points; a stride below one point is one point.
    if (mnuAverage.checked()) {
        scratchE = step > 0.0 ? Val(dlogAverage_->txtAverage.text()) / step : 1.0;
    } else {
        scratchE = 1.0;
        scratchD = 0.0;
    }
    std::int32_t stride = 1;
    if (const std::optional<std::int32_t> s = RoundedLong(scratchE); s && *s > 1) stride = *s;

    // The loop stays inside the stored array (indexed from 1).
    const std::optional<std::int32_t> end = RoundedLong(scratchR);
    if (!end || values.size() < 2) return finish();
    const std::int32_t lastStored = static_cast<std::int32_t>(
        std::min<std::size_t>(values.size() - 1, std::numeric_limits<std::int32_t>::max()));
    const std::int32_t loopEnd = std::min(*end, lastStored);
    const auto stored = [&](std::int32_t k) { return k >= 1 && k <= lastStored; };
    const auto visible = [&](std::int32_t k) {
        return static_cast<double>(k) >= scratchP && static_cast<double>(k) <= scratchQ;
    };
    // The last point the loop draws (the cubic runs on to it): 1 + m stride inside the visible range.
    const double highest = std::min<double>(loopEnd, std::floor(scratchQ));
    if (!(highest >= 1.0)) return finish();
    const auto high = static_cast<std::int32_t>(highest);
    const std::int32_t lastVisible = 1 + (high - 1) / stride * stride;
    if (!visible(lastVisible)) return finish();

    const bool sunDisc = optSun.value() && codes.graphCode < 10;
    const std::int32_t discSteps = std::clamp<std::int32_t>(
        light.sunDiscSteps, 0, static_cast<std::int32_t>(light.sunDiscWeights.empty() ? 0 : light.sunDiscWeights.size() - 1));
    const bool interpolate = mnuInterpolate.checked();
    const double markStep = step;
    scratchC = step;
    const double cx = graph.polarCentreX, cy = graph.polarCentreY, radiusPolar = graph.polarRadius;

    bool havePrev = false;
    bool marked = false;  // the start circle of the amplitude-phase diagram is drawn
    Point prev;
    std::array<Point, 4> window{};
    int windowFill = 0;
    bool haveSub = false;
    Point sub;
    // One sub-point of the cubic, joined to the one before while both lie within top..bottom.
    const auto subPoint = [&](double t) {
        const Point p{window[1].x + t * (window[2].x - window[1].x), Lagrange4(window, t)};
        if (p.y >= top && p.y <= bottom && std::isfinite(p.x) && std::isfinite(p.y)) {
            if (haveSub) line(sub.x, sub.y, p.x, p.y);
            sub = p;
            haveSub = true;
        } else {
            haveSub = false;
        }
    };

    for (std::int32_t n = 1; n <= loopEnd; n += stride) {
        if (!visible(n)) continue;

        // x value and its window position.
        if (RunLogSteps() && (xLinear || logSteps)) {
            graph.tickValueX = LogSweepValue(xFrom, xTo, step, n - 1);  // the x the sweep computed
        } else {
            graph.tickValueX = xFrom + (n - scratchP) * step;
        }
        Point p;
        if (xLinear) {
            p.x = left + (graph.tickValueX - xFrom) * (right - left) / (xTo - xFrom);
        } else {
            if (!(graph.tickValueX > 0.0)) {
                havePrev = false;
                continue;
            }
            p.x = left + (right - left) * std::log(graph.tickValueX / xFrom) / std::log(xTo / xFrom);
        }

        // Value, smoothed.
        if (mnuAverage.checked()) {
            scratch = 0.0;
            scratchD = 0.0;
            const std::optional<std::int32_t> from = RoundedLong(n - scratchE / 2);
            const std::optional<std::int32_t> to = RoundedLong(n + scratchE / 2);
            for (std::int32_t k = from.value_or(n); k <= to.value_or(n); ++k) {
                if (!visible(k) || !stored(k)) continue;
                scratch += values[static_cast<std::size_t>(k)];
                scratchD += 1.0;
            }
            // a window of no points (a negative width) is the point itself
            scratch = scratchD > 0.0 ? scratch / scratchD : values[static_cast<std::size_t>(n)];
        } else {
            scratch = values[static_cast<std::size_t>(n)];
        }
        if (sunDisc) {
            for (std::int32_t j = 1; j <= discSteps; ++j) {
                const double w = light.sunDiscWeights[static_cast<std::size_t>(j)];
                std::int32_t k = n + j;
                if (k > scratchR) k = static_cast<std::int32_t>(2 * scratchR) - k;  // mirrored about 180
                if (stored(k)) scratch += values[static_cast<std::size_t>(k)] * w;
                k = n - j;
                if (k < 1) k = 2 - k;  // mirrored about 0
                if (stored(k)) scratch += values[static_cast<std::size_t>(k)] * w;
            }
            if (light.sunDiscWeightSum > 0.0) scratch /= light.sunDiscWeightSum;
        }
        // A value that is no number is a gap in the curve.
        if (!std::isfinite(scratch)) {
            havePrev = false;
            continue;
        }

        // Window y (and x for the polar diagrams).
        if (!polar) {
            if (yLog) {
                const double v = scratch <= 0.0 ? yFrom : std::min(scratch, yTo);
                p.y = bottom + (top - bottom) * std::log(v / yFrom) / std::log(yTo / yFrom);
            } else {
                p.y = bottom + (scratch - yFrom) * (top - bottom) / (yTo - yFrom);
            }
        } else if (!ampPhase) {
            if (yLog) {
                // 0 (and, having no logarithm, a negative value) sits at the centre
                const double v = scratch <= 0.0 ? yFrom / 10 : scratch;
                scratchA = std::clamp(radiusPolar * std::log(v / yFrom) / std::log(graph.yScaleMax / yFrom), 0.0,
                                      radiusPolar);
            } else {
                scratchA = radiusPolar * scratch / graph.yScaleMax;
            }
            scratchC = scratchQ != scratchP ? (n - scratchP) * 180.0 / (scratchQ - scratchP) : 0.0;
            const double angle = scratchC * kPi / 180.0;
            p.x = cx + scratchA * std::cos(angle);
            p.y = cy + scratchA * std::sin(angle);
        } else {
            const auto at = [n](const ComplexTable& s, std::size_t part) {
                const std::vector<double>& v = s[part];
                return static_cast<std::size_t>(n) < v.size() ? v[static_cast<std::size_t>(n)] : 0.0;
            };
            double re = 0.0, im = 0.0;
            if (graph.curvePolarisation == 1) {
                re = at(results.s1Amp, 0);
                im = at(results.s1Amp, 1);
            } else if (graph.curvePolarisation == 2) {
                re = at(results.s2Amp, 0);
                im = at(results.s2Amp, 1);
            } else {
                re = (at(results.s1Amp, 0) + at(results.s2Amp, 0)) / 2;
                im = (at(results.s1Amp, 1) + at(results.s2Amp, 1)) / 2;
            }
            const double rootMax = std::sqrt(graph.yScaleMax);
            if (!optLog.value()) {
                p.x = cx + radiusPolar * re / rootMax;
                p.y = cy + radiusPolar * im / rootMax;
            } else {
                const double rootFrom = std::sqrt(yFrom);
                double a = std::sqrt(re * re + im * im);
                if (a == 0.0) a = rootFrom / 10;
                const double r = std::clamp(
                    radiusPolar * std::log(a / rootFrom) / std::log(rootMax / rootFrom), 0.0, radiusPolar);
                double phi = 0.0;
                if (re == 0.0) {
                    phi = (im > 0 ? 1 : im < 0 ? -1 : 0) * kPi / 2;
                } else {
                    phi = std::atan(im / re) + (re < 0.0 ? kPi : 0.0);
                }
                p.x = cx + r * std::cos(phi);
                p.y = cy + r * std::sin(phi);
            }
        }
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            havePrev = false;
            continue;
        }

        if (interpolate) {
            if (windowFill < 3) {
                window[static_cast<std::size_t>(windowFill++)] = p;
            } else {
                window[3] = p;
                if (windowFill == 3) {  // the fourth point: first the stretch P1 to P2
                    graphs::ForStep(-1.0, 0.0, 0.1, subPoint);
                    windowFill = 4;
                }
                graphs::ForStep(0.0, 1.0, 0.1, subPoint);
                if (n == lastVisible) graphs::ForStep(1.0, 2.01, 0.1, subPoint);
                window[0] = window[1];
                window[1] = window[2];
                window[2] = window[3];
            }
            prev = p;
            havePrev = true;
            continue;
        }

        // The segment from the previous point, clipped to the box's top and bottom.
        Point start = p, finishPt = p;
        if (havePrev) {
            start = prev;
            if (prev.y != p.y) {
                if (start.y < top) start.y = top;
                if (finishPt.y < top) finishPt.y = top;
                if (start.y > bottom) start.y = bottom;
                if (finishPt.y > bottom) {
                    finishPt.x = prev.x + (bottom - prev.y) * (p.x - prev.x) / (p.y - prev.y);
                    finishPt.y = bottom;
                }
            }
        }
        if (!polar) {
            // A level segment outside the box (the clipping leaves those) is not drawn either, nor
            // one with both ends below the box: its crossing of the bottom edge lies outside the
            // segment, and the edge line would run out of the box over the axis numbers.
            const bool below = havePrev && prev.y > bottom && p.y > bottom;
            const bool inside = !below && start.y <= bottom && finishPt.y <= bottom && start.y >= top &&
                                finishPt.y >= top;
            if (inside && start.x >= left && finishPt.x <= right)
                line(start.x, start.y, finishPt.x, finishPt.y);
        } else {
            line(start.x, start.y, finishPt.x, finishPt.y);
            if (!ampPhase) {
                line(start.x, 2 * cy - start.y, finishPt.x, 2 * cy - finishPt.y);
            } else {
                // Marks of the amplitude-phase diagram: the start, then ticks every 10 points.
                const double x = finishPt.x, y = finishPt.y;
                if (!marked) {
                    marked = true;
                    circle(x, y, 20);
                    setCurrentX(x - 100);
                    setCurrentY(y + 100);
                    print((n - 1) * markStep);
                }
                if ((n - 1) % 10 == 0 && y != start.y) {
                    const double a = -(x - start.x) / (y - start.y);
                    const double b = y - a * x;
                    const bool hundred = (n - 1) % 100 == 0;
                    const double halfLength = hundred ? 90.0 : 50.0;
                    const double dx = std::sqrt(halfLength * halfLength / (a * a + 1));
                    line(x + dx, a * (x + dx) + b, x - dx, a * (x - dx) + b);
                    if (hundred) {
                        const double number = (n - 1) * markStep;
                        setCurrentX(x - 50.0 * static_cast<double>(Str(number).size()));
                        setCurrentY(y + 100);
                        print(number);
                    }
                }
            }
        }
        prev = p;
        havePrev = true;
    }
    finish();
}

}  // namespace tessary
