// The geometry and colours of a Lee diagram's panels and of the colour strip (see the header).
#include "colour/lee_plot_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "colour/lee_diagram.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"

namespace tessary {

LeePanels LeePanelLayout(double W, double left, float top, float bottom, bool veryLarge) {
    LeePanels p;
    p.titleX = {(W + left) / 2 - 900, (W + left) / 2 - 600 + W, (W + left) / 2 - 400 + 2 * W};
    p.titleY = top - (veryLarge ? 300 : 200);
    for (int n = 0; n < 3; ++n) p.pictureLeft[static_cast<std::size_t>(n)] = n * W + left - 700;
    p.pictureTop = (top + bottom) / 2 - 1000;  // as a Single, like the frame
    return p;
}

std::vector<Segment> LeeCellSpans(std::int32_t first, std::int32_t last, double top, double bottom) {
    std::vector<Segment> spans;
    if (last < first) return spans;
    spans.reserve(static_cast<std::size_t>(last - first) + 1);
    double previousEnd = top;
    for (std::int32_t i = first; i <= last; ++i) {
        spans.push_back(StripSegment(i, first, last, top, bottom, previousEnd));
        previousEnd = spans.back().x2;
    }
    return spans;
}

std::string LeeStepLabel(bool radiusSweep, int k, double value) {
    return "Step: " + PrintText(k) + (radiusSweep ? "   Radius = " : "   Ref Index = ") +
           Format(value, "#,##0.####");
}

void FinishColour(const ColourFinish& finish, float& r, float& g, float& b) {
    if ((r > 255 || g > 255 || b > 255) && finish.saturation) Saturation(*finish.saturation, r, g, b);
    if (finish.gamma) GammaCorrection(*finish.gamma, r, g, b);
}

std::uint32_t FalseColourNumber(double v) {
    const FalseColour c = ColourScale(v);
    float r = static_cast<float>(c.red), g = static_cast<float>(c.green), b = static_cast<float>(c.blue);
    return ColourNumber(r, g, b);
}

std::uint32_t LeeCellColour(const std::array<double, 3>& c, double norm, double peak,
                            const LeeCellStyle& style, float& r, float& g, float& b) {
    const double B = style.brightness;
    if (style.falseColours) {
        const double ratio = LeeFalseRatio(c[0], c[1], c[2], peak);
        return FalseColourNumber(B > 0 && ratio > 0 ? Log10(ratio) / B : -300.0);
    }
    if (style.saturated) norm = std::max({c[0], c[1], c[2]});
    r = BandLevel(B, c[0], norm);
    g = BandLevel(B, c[1], norm);
    b = BandLevel(B, c[2], norm);
    FinishColour(style.finish, r, g, b);
    return ColourNumber(r, g, b);
}

FalseColourKey FalseColourKeyLayout(double W, double left, float top, bool veryLarge, double B) {
    FalseColourKey key;
    const double X0 = 2 * W + left;
    const double Y = top - (veryLarge ? 700 : 400);
    key.bandTop = Y;
    key.bandBottom = top - (veryLarge ? 400 : 200);
    for (int n = 10; n <= 7000; ++n) {  // v = -0.01 down to -7 in steps of -0.001
        const double v = -n / 1000.0;
        key.band.push_back({X0 + (W - left) * (-v) / 7, 0.4 * v});
    }
    key.frame = {X0, Y, 3 * W, key.bandBottom};
    const double labelY = top - (veryLarge ? 1000 : 650);
    if (B > 0 && std::isfinite(2.8 * B)) {  // no decades to place without a brightness (or beyond numbers)
        // The decades t = 0, -1, ... down to -2.8 B, at x(t). Decades closer than a twip would mark the same
        // pixels many times over (a brightness of 1E+300 would ask for 2.8E+300 of them): every k-th one keeps
        // them a twip apart and marks the same pixels.
        const double decades = std::floor(2.8 * B);
        const double perTwip = decades / std::max(W - left, 1.0);
        const double k = perTwip > 1 ? std::ceil(perTwip) : 1;
        const auto x = [&](double t) { return X0 + (W - left) * (-t) / (2.8 * B); };
        const auto every = [&](double first, double stride, const auto& mark) {
            for (double i = first; i * stride <= decades; ++i) mark(-i * stride);
        };
        every(0, k, [&](double t) { key.ticks.push_back({x(t), Y - 50, x(t), Y}); });
        every(0, 3 * k, [&](double t) { key.ticks.push_back({x(t), Y - 70, x(t), Y}); });
        const double q = (decades < 9 ? 1 : (decades < 18 ? 3 : 6)) * k;
        const double exponentY = top - (veryLarge ? 1100 : 750);
        every(1, q, [&](double t) {
            const std::string exponent =
                std::fabs(t) < 1e15 ? PrintText(static_cast<std::int64_t>(t)) : PrintText(t);
            key.labels.push_back({x(t) - 100, labelY, "10", false});
            key.labels.push_back({x(t) + 50, exponentY, exponent, true});
        });
    }
    key.startTick = {X0, Y - 70, X0, Y};
    key.start = {X0 - 50, labelY, "1", false};
    return key;
}

std::array<Rect, 3> BowBandBoxes(bool lee, const Segment& column, const Segment& s, double W) {
    if (lee)
        return {{{column.x1, s.x1, column.x2, s.x2},
                 {column.x1 + W, s.x1, column.x2 + W, s.x2},
                 {column.x1 + 2 * W, s.x1, column.x2 + 2 * W, s.x2}}};
    const double y2 = kStripTop + kBandHeight;
    return {{{s.x1, kStripTop, s.x2, y2},
             {s.x1, y2, s.x2, y2 + kBandHeight},
             {s.x1, y2 + kBandHeight, s.x2, y2 + 2 * kBandHeight}}};
}

}  // namespace tessary
