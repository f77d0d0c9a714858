// The frame, ticks and labels of one panel of a Lee diagram or angle map: the scattering angle down
// the left edge, the swept quantity (radius, index or wavelength) under the panel with its title.
#include <cmath>
#include <string>
#include <utility>

#include "colour/lee_axes.h"
#include "graphs/axis_steps.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

constexpr OleColor kPaleYellow = 0xE0FFFF;
constexpr OleColor kWhiteBack = 0xFFFFFF;

const char* SweepTitle(int graphCode) {
    switch (graphCode) {
        case kGraphLee:
        case kGraphMapRadius:
            return "Radius";
        case kGraphMapIndex:
            return "Refractive index";
        case kGraphMapImaginary:
            return "Imaginary refractive index";
        case kGraphMapWavelength:
            return "Wavelength";
        default:
            return "";
    }
}

}  // namespace

void Form1::LeeSweepLabel(double x, double y, double v) {
    line(x, y, x, y + 100);
    setCurrentX(x - 45 - textWidth(CStr(v)) / 2);
    setCurrentY(y + 100);
    printLine(v);
}

void Form1::GridLeeAxes(double left, double right, double top, double bottom, double sweepMin,
                        double sweepMax, double angleMin, double angleMax) {
    setBackColor(mnuWhite.checked() ? kWhiteBack : kButtonFace);
    const double a = left - 15, b = right + 15, c = top - 15, d = bottom + 15;
    setForeColor(kPaleYellow);
    boxFilled(a, c, b, d);
    setForeColor(kBlack);
    line(a, c, a, d);
    line(b, c, b, d);
    line(a, c, b, c);
    line(a, d, b, d);

    // The angle axis.
    const double r = angleMax - angleMin;
    graph.tickStep = LeeAngleTickStep(r);
    const double labelStep = LeeAngleLabelStep(graph.tickStep, r);
    if (r > 0 && std::isfinite(r)) {
        const auto y = [&](double t) { return c + (t - angleMin) * (d - c) / r; };
        graphs::ForStep(angleMin, angleMax, graph.tickStep, [&](double t) { line(a, y(t), a - 50, y(t)); });
        graphs::ForStep(angleMin, angleMax, labelStep, [&](double t) {
            line(a, y(t), a - 100, y(t));
            setCurrentX(a - 200 - textWidth(CStr(t)));
            setCurrentY(y(t) - 100);
            printLine(t);
        });
    }

    // Ticks of the sweep.
    const auto ticks = [&](double from, double to, double step) {
        GridLeeTicks(from, to, step, sweepMin, sweepMax, static_cast<float>(a), static_cast<float>(b),
                     static_cast<float>(d));
    };
    if (sweepMin > 0 && sweepMax / sweepMin >= 20) {
        ticks(0.01, 0.1, 0.01);
        ticks(0.1, 1, 0.1);
        ticks(1, 10, 1);
        ticks(10, 100, 10);
        ticks(100, 1000, 100);
        ticks(1000, 1000, 1);
    } else if (sweepMax > 0) {
        ticks(sweepMin, sweepMax, std::pow(10.0, std::floor(Log10(sweepMax) - 1)));
    }

    // Labels: decades (and whole radii up to 10) on the Lee diagram, steps of q on the maps.
    if (codes.graphCode == kGraphLee && sweepMin > 0 && sweepMax > sweepMin) {
        const auto lg = [](double z) { return std::log(z) / 2.302585093; };
        const int e0 = static_cast<int>(std::floor(lg(sweepMin) + 0.99999));
        const int e1 = static_cast<int>(std::floor(lg(sweepMax) - 0.999)) + 1;
        for (int e = e0; e <= e1; ++e) {
            const double v = std::pow(10.0, e);
            LeeSweepLabel(LeeLogPosition(v, sweepMin, sweepMax, a, b), d, v);
        }
        if (sweepMin >= 1 && sweepMax <= 10)
            graphs::ForStep(sweepMin, sweepMax, 1.0, [&](double v) {
                LeeSweepLabel(LeeLogPosition(v, sweepMin, sweepMax, a, b), d, v);
            });
    } else if (codes.graphCode >= kGraphMapIndex && codes.graphCode <= kGraphMapWavelength &&
               sweepMax > sweepMin) {
        double step = 0, range = 0;
        GridxStep(sweepMin, sweepMax, step, range);
        const double q = MapLabelStep(range);
        graphs::ForStep(MapFirstLabel(sweepMin, q), sweepMax, q, [&](double v) {
            if (v > sweepMin && v < sweepMax)
                LeeSweepLabel(a + (v - sweepMin) * (b - a) / (sweepMax - sweepMin), d, RoundTo(v, 4));
        });
    }
    // The ends are the run's sweep limits, held as Singles: printed as such ("1.1", not 1.10000002384186).
    for (const auto& [x, v] : {std::pair{a, sweepMin}, std::pair{b, sweepMax}}) {
        const auto single = static_cast<float>(v);
        line(x, d, x, d + 100);
        setCurrentX(x - 45 - textWidth(CStr(single)) / 2);
        setCurrentY(d + 100);
        printLine(single);
    }

    const std::string title = SweepTitle(codes.graphCode);
    if (!title.empty()) {
        setCurrentX((a + b) / 2 - textWidth(title) / 2);
        setCurrentY(d + 300);
        printLine(title);
    }
}

}  // namespace tessary
