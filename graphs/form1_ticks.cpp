// Ticks and numbers of the graph axes: one numbered tick on the x axis, one on the y axis (with a
// power-of-ten form for wide ranges), the text of an axis number, the grid step of a linear axis
// and a row of ticks along a Lee-diagram or map axis.
#include <cmath>
#include <string>

#include "graphs/axis_steps.h"
#include "graphs/graph_codes.h"
#include "graphs/graph_geometry.h"
#include "mainwindow/form1.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {
double Len(const std::string& s) { return static_cast<double>(s.size()); }
}  // namespace

// A black tick under the x axis at drawX and the number tickValueX below it.
void Form1::GridXLabel() {
    setForeColor(kBlack);
    line(graph.drawX, graph.graphBottom, graph.drawX, graph.graphBottom + 50);
    const std::string s = Str(graph.tickValueX);
    setCurrentX(graphs::LogXNumberLeft(graph.drawX, s, mnuLarge.enabled()));
    setCurrentY(graph.graphBottom + 100);
    printLine(s);
}

// A black tick left of the y axis at drawY and the number tickValueY beside it: plain on ranges
// within 0.001 .. 1000, else as a power of ten ("10" or "5 x 10" with a raised exponent).
void Form1::GridYLabel() {
    const graphs::YTickNumber number =
        graphs::LogYTickNumber(graph.tickValueY, graph.yAxisMin, graph.yAxisMax);
    setForeColor(kBlack);
    line(graph.graphLeft - 50, graph.drawY, graph.graphLeft, graph.drawY);
    setCurrentY(graph.drawY - 100);
    if (number.form == graphs::YTickNumber::Form::Plain) {
        setCurrentX(graph.graphLeft - 150 - 100 * Len(number.text));
        printLine(number.text);
        return;
    }
    if (number.form == graphs::YTickNumber::Form::None) return;
    if (number.mantissa == 1) {
        setCurrentX(500);
        print("10");
    } else {
        setCurrentX(160);
        print(number.mantissa, "x 10");
    }
    const FontSpec saved = font();
    setCurrentX(mnuLarge.checked() ? 775 : 750);
    setCurrentY(graph.drawY - 200);
    setFontName("Small Fonts");
    setFontSize(7);
    setFontBold(false);
    printLine(number.exponent);
    setFont(saved);
}

std::string Form1::AxisNumberText(double x, int n) { return graphs::AxisNumberText(x, n); }

bool Form1::GridxStep(double xLow, double xHigh, double& step, double& range, double& labelStep) {
    const graphs::AxisStep axis = graphs::LinearAxisStep(xLow, xHigh);
    range = axis.range;
    step = axis.step;
    labelStep = axis.labelStep;
    return axis.usable;
}

bool Form1::GridxStep(double xLow, double xHigh, double& step, double& range) {
    double labelStep = 0;
    return GridxStep(xLow, xHigh, step, range, labelStep);
}

// Ticks from (x, y) to (x, y + 50) in the drawing colour at start, start + step, ... up to end, for
// the values inside [min, max]: logarithmic positions on a Lee diagram, linear ones on the maps.
// A step that is not above 0 and an axis without width (or, logarithmic, reaching 0) draw nothing.
void Form1::GridLeeTicks(double start, double end, double step, double min, double max, float left,
                         float right, float y) {
    const bool logarithmic = codes.graphCode == kGraphLee;
    const bool placeable = logarithmic ? min > 0 && max > 0 && min != max : max != min;
    if (!placeable || !std::isfinite(min) || !std::isfinite(max)) return;
    const double span = logarithmic ? std::log(max / min) : max - min;
    graphs::ForStep(start, end, step, [&](double v) {
        graph.tickValueX = v;
        if (v < min || v > max) return;
        const double x = logarithmic ? left + (right - left) * std::log(v / min) / span
                                     : left + (right - left) * (v - min) / span;
        graph.drawX = x;
        line(x, y, x, y + 50);
    });
}

}  // namespace tessary
