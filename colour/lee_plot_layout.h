// The geometry and colours of a Lee diagram's three panels and of the colour strip above an angle
// graph, as plain numbers and texts: panel titles and pictures, cell spans, band boxes, the finished
// colour of a cell, the step label and the key of the false colours. Nothing is drawn here; the
// window paints what these return.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_render.h"
#include "colour/colour_scaling.h"

namespace tessary {

// A box (or a line) from (x1, y1) to (x2, y2) in twips.
struct Rect {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The places of the panel titles and of the three pictures beside the panels; panel n runs from
// left + n W to (n + 1) W.
struct LeePanels {
    std::array<double, 3> titleX{};
    double titleY = 0;
    std::array<double, 3> pictureLeft{};
    double pictureTop = 0;
};
LeePanels LeePanelLayout(double W, double left, float top, float bottom, bool veryLarge);

// The spans of the cells of the shown points first..last down a column from top to bottom: each
// cell begins where the one above ends.
std::vector<Segment> LeeCellSpans(std::int32_t first, std::int32_t last, double top, double bottom);

// The step label above the panels: the step k and the radius of a size sweep, or the refractive
// index of a map sweep, as the print statement writes them.
std::string LeeStepLabel(bool radiusSweep, int k, double value);

// The last steps of a colour by the colour menus: the saturation mode (none checked: left as it is)
// and the display curve (None: no curve).
struct ColourFinish {
    std::optional<SaturationMode> saturation;
    std::optional<GammaMode> gamma;
};
// Saturation (only for a channel above 255), then the curve.
void FinishColour(const ColourFinish& finish, float& r, float& g, float& b);

// The drawing colour of the false-colour scale value v (tessary::ColourScale).
std::uint32_t FalseColourNumber(double v);

// How the cells of a Lee diagram are coloured: brightness B, saturated colours (each cell by its own
// largest channel) or false colours (log10 of the cell's largest channel over the peak, over B).
struct LeeCellStyle {
    double brightness = 0;
    bool saturated = false;
    bool falseColours = false;
    ColourFinish finish;
};
// The colour number of a cell of channels c with the norm and peak of its panel; true colours also
// leave their finished levels in r, g, b (false colours leave them as they were).
std::uint32_t LeeCellColour(const std::array<double, 3>& c, double norm, double peak,
                            const LeeCellStyle& style, float& r, float& g, float& b);

// The key of the false colours over the unpolarised panel: the colour band (one line per scale
// value), its frame, the decade ticks and labels ("10" with its exponent in small print) for the
// brightness B, and the mark "1" at the band's start.
struct KeyLabel {
    double x = 0, y = 0;
    std::string text;
    bool small = false;  // the exponent, in Small Fonts 7
};
struct FalseColourKey {
    std::vector<std::array<double, 2>> band;  // x and scale value of each line, top to bottom
    double bandTop = 0, bandBottom = 0;
    Rect frame;
    std::vector<Rect> ticks;  // the decade ticks, then the longer ones every third decade
    std::vector<KeyLabel> labels;
    Rect startTick;
    KeyLabel start;
};
FalseColourKey FalseColourKeyLayout(double W, double left, float top, bool veryLarge, double B);

// The three band boxes of a shown point of the colour strip (PlotBow): in a Lee column, the cell
// span s down the column in each panel (panel width W); on the strip, three stacked bands under s.
inline constexpr double kStripTop = 2800;
inline constexpr double kBandHeight = 180;
std::array<Rect, 3> BowBandBoxes(bool lee, const Segment& column, const Segment& s, double W);

// The labels in front of the strip's bands.
struct StripLabel {
    double y;
    const char* text;
};
inline constexpr std::array<StripLabel, 3> kStripLabels = {
    {{2800, "Perpendicular"}, {2975, "Parallel"}, {3150, "Unpolarized"}}};

// The three levels of a band: BandLevel of each channel.
inline std::array<float, 3> BandLevels(double brightness, const std::array<double, 3>& c, double norm) {
    return {BandLevel(brightness, c[0], norm), BandLevel(brightness, c[1], norm),
            BandLevel(brightness, c[2], norm)};
}

}  // namespace tessary
