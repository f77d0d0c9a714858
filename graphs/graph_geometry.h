// Geometry of the graph frame, its curves and legends, free of the window: the legend's entries and
// the data box's lines, which indices of the curves are visible and which curves are drawn in which
// colour, the round ends of a y axis, the ticks, grid lines and numbers of the axes (linear and
// logarithmic, and the lower panel's), the rings, spokes and labels of the polar grid and the axis
// titles. Positions are in twips, the window's logical unit, y growing downwards.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "graphs/axis_steps.h"

namespace tessary::graphs {

// Left ends of the legend's three columns above the graph: wider apart on the large graph sizes,
// the third closer in on the medium one.
struct LegendColumns {
    double first = 1000;
    double second = 3800;
    double third = 6600;
};
LegendColumns LegendColumnsFor(bool large, bool medium);

// A legend entry: a stroke from (x, y) in the curve's colour (the line colour, its dark companion or
// black) and the curve's name beside it.
enum class LegendColour { Main, Dark, Black };
struct LegendEntry {
    double x = 0, y = 0;
    LegendColour colour = LegendColour::Main;
    std::string text;
};
// The entries for the graph type (14 and 15: efficiencies for sub-codes 1 and 3, else
// cross-sections; a non-absorbing sphere has one entry) or the polarisation list's "Both" and
// "All 3"; the third entry goes under the second on the small graph.
std::vector<LegendEntry> LegendEntries(int graphCode, int graphSubCode, bool absorbing,
                                       const std::string& pol, bool small, const LegendColumns& columns);

// A line of text whose print starts at (x, y).
struct TextLine {
    double x = 0, y = 0;
    std::string text;
};
// The data box beside a single sphere's angle graph: "Qsca = ", "Qext = ", "Qabs = " (Qext - Qsca),
// "Qback = " and "Qradar = " (4 pi Qback) at x 12000 from y 800 in steps of 200, values to 6
// decimals; a line only where the run computed what it needs.
std::vector<TextLine> DataBoxLines(std::optional<double> qSca, std::optional<double> qExt,
                                   std::optional<double> qBack);

// Visible index range of the stored curves (indices from 1, not rounded): on angle graphs
// 2 (angleCount - 1) x / 180 + 1 for x = xMin, xMax; on sweeps (x - dataXStart) / step + 1; with
// logarithmic steps 1 to step + 1. A sweep without a step has none (first 1, last 0).
struct IndexSpan {
    double first = 1.0;
    double last = 0.0;
};
IndexSpan VisibleIndices(int graphCode, std::int32_t angleCount, double step, double xMin, double xMax,
                         double dataXStart, bool logSteps);

// Largest and smallest values of the perpendicular and parallel curves over the visible range (a
// point where either is no number is skipped); scanned tells whether any point was. Maxima start at
// 0, minima at 1E30 and 1E31; wantMax and wantMin choose which are raised.
struct CurveExtremes {
    double maxPerp = 0.0, maxPara = 0.0;
    double minPerp = 1E30, minPara = 1E31;
    bool scanned = false;
};
CurveExtremes ScanCurves(std::span<const double> perp, std::span<const double> para, IndexSpan range,
                         bool wantMax, bool wantMin);
// The points up to `last` of a curve stored by point from index 1, as many as it holds: those a stopped
// sweep finished.
std::span<const double> PointsUpTo(std::span<const double> curve, std::int32_t last);

// Round upper end of an automatic y axis above dataMax. Logarithmic: the next power of ten. Linear
// above 1: with dataMax = m 10^k (1 <= m < 10) the next multiple of 10^k (m > 7), 0.5 10^k (m > 3.5),
// 0.2 10^k (m > 1.5) or 0.1 10^k. Linear up to 1: (d + 1) 10^k with d the leading digit, one decade
// finer when that reaches above 1.2 dataMax. A maximum that is no positive number gives 1; where the
// round number is no Double, dataMax itself.
double RoundAxisMax(double dataMax, bool log);

// The data minimum a logarithmic axis starts from: at most 20 decades below the axis maximum (a
// maximum that is no positive number counts as 1); a minimum that is no positive number, or lies
// lower, becomes 10 decades below.
double LogDataMin(double dataMin, double axisMax);
// ln(a / b) for positive a and b, also where a / b leaves the Double range (1e8 / 1e-308): the
// positions on a logarithmic axis that reaches down to the smallest numbers.
double LogRatio(double a, double b);

// Lower end of a logarithmic axis: the power of ten at or below dataMin, or on a polar diagram with
// a positive maximum, that maximum divided by the whole number of decades above dataMin plus one.
double LogAxisMin(double dataMin, bool polar, double yScaleMax);

// Curves Display draws, in order, from the polarisation list's text: the polarisation (1
// perpendicular, 2 parallel, 3 unpolarised), its colour and whether the lower panel's degree of
// polarisation is drawn with it. A non-absorbing sphere's efficiency, cross-section or asymmetry
// graph (oneCurveOnly) has the perpendicular curve only.
enum class CurveColour { Wave, Line, Dark, Black };
struct CurveChoice {
    int polarisation = 1;
    CurveColour colour = CurveColour::Line;
    bool intPolHere = false;
};
std::vector<CurveChoice> DisplayCurves(const std::string& pol, bool absorbing, bool severalWaves,
                                       bool oneCurveOnly);

// Values of a logarithmic axis's ticks from low to high: every unit of each decade (1, 2, ... 9 times
// 10^k), starting at the first multiple of 10^Int(log10 low) not below low; frac is the fractional
// part of log10 of the value (0 on a decade, about 0.301 on a 2, about 0.699 on a 5). At most
// kMaxLoopPasses values.
struct LogTick {
    double value = 0;
    double frac = 0;
};
std::vector<LogTick> LogTicks(double low, double high);

// Radii of the polar grid's rings as fractions of the full radius. Logarithmic: the full circle, then
// one ring per decade (two for amplitudes) below yScaleMax, down to 20 of them, while inside the
// circle and above yMin. Linear: 1, 0.8, 0.6, 0.4, 0.2.
std::vector<double> PolarRings(bool logScale, bool amplitude, double yScaleMax, double yMin);

// Tick step, label step and rounding decimals of a linear x axis from the grid step and range of
// LinearAxisStep: labels every two steps (every 60 degrees on the small graph's full circle, four
// steps there when more than six labels would crowd it); degrees 0 to 180 ticked every 10 and
// numbered every 30 on the larger graphs; a range of 10 off the even numbers stepped by 1 and
// numbered every 5. Decimals: 6 below a range of 0.01, 3 below 0.5, else Int(log10(xMax / step)) + 1,
// held to 0..20.
struct LinearXSteps {
    double step = 0;
    double labelStep = 0;
    int decimals = 0;
};
LinearXSteps LinearXTickSteps(double xMin, double xMax, double step, double range, bool small);

// Text of the number at an end of a linear x axis of width range: up to 10 (but not 0) with
// thousands separators and up to 7 decimals (9 below a range of 0.00001), values above 0.05 rounded
// first to 5 decimals (6 below a range of 0.001); other values as Str gives them.
std::string XEndText(double value, double range);

// A tick of a linear x axis at window x: whether it sits on an end of the range, and its number.
struct XTick {
    double value = 0, x = 0;
    bool end = false;
    std::string text;
};
// Ticks every step from the first multiple of the step above xMin (rounded to the decimals) on,
// those whose x lies within left..right (x = left + (right - left) (t - xMin) / (xMax - xMin)).
std::vector<XTick> LinearXTicks(double xMin, double xMax, const LinearXSteps& steps, double left,
                                double right);
// Numbered ticks every label step, leaving out those within 2% of the range (range) from its ends,
// which carry their own numbers; the text is Str of the value rounded to the decimals.
std::vector<XTick> LinearXLabels(double xMin, double xMax, double range, const LinearXSteps& steps,
                                 double left, double right);

// Grid lines of a linear y axis inside (yMin, yMax): from the first multiple of step above yMin
// (rounded to 3 decimals between 0 and 10) up to yMax - step / 10, at y = bottom - (bottom - top)
// times the value's share of the range. Texts to 4 decimals when the values start above -1 and the
// axis ends below 1.2, else as Str gives them; a text of 7 or more characters (other than " 0") is
// given in scientific notation instead.
struct AxisLine {
    double value = 0, y = 0;
    std::string text;
    bool scientific = false;
};
std::vector<AxisLine> LinearYLines(double yMin, double yMax, double step, double top, double bottom);

// Grid lines of the lower panel below a phase or polarisation graph: the phase angles 90, 180 and 270
// degrees (amplitudePhase) and the degrees of linear polarisation -0.8 to 0.8 by 0.2 (intensityPol),
// at y = bottom - (bottom - top) (v - yMin) / (yMax - yMin); none on a range that is not above 0 or
// not finite. Texts as Str gives them (values within 0.001 of 0 as 0); a text longer than 6
// characters is given in scientific notation instead.
std::vector<AxisLine> LowerPanelLines(double yMin, double yMax, bool amplitudePhase, bool intensityPol,
                                      double top, double bottom);

// The two end numbers of a linear y axis, yMax at top and yMin at bottom (an end that is no finite
// number has none): as Str gives them, a text of 6 or more characters in scientific notation instead.
std::vector<AxisLine> LinearYEnds(double yMin, double yMax, double top, double bottom);

// A tick of a logarithmic axis at window position pos (x = left + (right - left) ln(t / min) /
// ln(max / min) across, y = bottom - (bottom - top) ln(t / min) / ln(max / min) up): whether it sits
// on an end of the range, whether a grid line crosses the box there and whether it is numbered.
struct LogMark {
    double value = 0, pos = 0;
    bool end = false, gridLine = false, numbered = false;
};
// The numbered ends of a logarithmic x axis (texts as Str gives them); none when the range has no
// width, reaches 0 or below or is not finite.
std::vector<XTick> LogXEnds(double xMin, double xMax, double left, double right);
// Every tick of LogTicks on a logarithmic x axis. With minor grid lines each has a line and the
// decades, 2s and 5s are numbered; with major ones only the decades have a line; without either
// the decades are numbered only.
std::vector<LogMark> LogXMarks(double xMin, double xMax, double left, double right, bool minorGrid,
                               bool majorGrid);
// Decades of a logarithmic y axis: 10^e for e from Int(ln yMin / 2.302585093 + 0.99999) to
// Int(ln yMax / 2.302585093 - 0.999) + 1, all numbered, with a line where majorGrid; none unless
// 0 < yMin < yMax, both finite.
std::vector<LogMark> LogYDecades(double yMin, double yMax, double top, double bottom, bool majorGrid);
// The minor grid of a logarithmic y axis: a line at every tick of LogTicks; decades, 2s and 5s
// numbered when yMax / yMin lies (exclusive) within 1 .. 1001, 8 .. 200 on the medium graph or
// 5 .. 20 on the small one.
std::vector<LogMark> LogYMinorMarks(double yMin, double yMax, double top, double bottom, bool medium,
                                    bool small);

// The number beside a tick of a logarithmic y axis: plain (Str) when the axis lies within 0.001 ..
// 1000, else as a power of ten, 10^exponent or mantissa x 10^exponent with exponent = Int of log10
// of the value to 2 decimals and the mantissa to 1 decimal; none for a value that is not a positive
// finite number off that range.
struct YTickNumber {
    enum class Form { Plain, Power, None };
    Form form = Form::None;
    std::string text;
    double mantissa = 0, exponent = 0;
};
YTickNumber LogYTickNumber(double value, double axisMin, double axisMax);

// The angle labels of the polar grid round the centre (cx, cy) of a circle of the given radius: 0 to
// 330 degrees every 30, clockwise from the right, each placed at its point on a circle a little
// larger than the grid, set off so that its text stands outside.
std::vector<TextLine> PolarLabels(double cx, double cy, double radius);
// The spokes of the polar grid through the centre every 30 degrees from 0 to 180, as the pairs of
// end points (x1, y1, x2, y2).
struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
std::vector<Segment> PolarSpokes(double cx, double cy, double radius);
// The caption under the polar grid, one text a line: "Amplitude" on an amplitude and phase graph,
// then the scale.
std::vector<std::string> PolarCaption(bool amplitudePhase, bool logScale);

// Title under the horizontal axis by graph type and sub-code; nullptr where the graph has none.
const char* HorizontalTitle(int graphCode, int graphSubCode);
// That title centred under the box (40 twips a character) 280 twips below its bottom.
std::optional<TextLine> HorizontalTitleLine(int graphCode, int graphSubCode, double left, double right,
                                            double bottom);

// A part of the vertical axis title: printed at (x, y), or (nextLine) on the line after the previous
// part, from the left margin; smallFont parts are printed in the small font of an exponent.
struct TitlePart {
    double x = 0, y = 0;
    std::string text;
    bool nextLine = false;
    bool smallFont = false;
};
// The vertical axis title above the box (top) by graph type and sub-code: areas of cross-sections
// with their raised 2, the asymmetry parameter, relative intensity or amplitude (amplitude) on the
// angle graph and the sweeps, the phase angle or degree of polarisation on the lower panel
// (phasePanel other than 0), watts per square metre.
std::vector<TitlePart> VerticalTitle(int graphCode, int graphSubCode, bool amplitude, int phasePanel,
                                     bool amplitudePhase, bool intensityPol, double top);

// Where the text of an axis number starts, estimated from its characters (n): under a tick at x of a
// logarithmic x axis x - 30 n, on the large graph x - 10 - 50 n; under a tick of a linear x axis
// x - 30 n, on the large graph x - 60 n; beside a line of a linear y axis at the box's left edge
// left - 30 n, on the large graph left - 150 - 100 n.
double LogXNumberLeft(double x, const std::string& text, bool large);
double LinearXNumberLeft(double x, const std::string& text, bool large);
double LinearYNumberLeft(double left, const std::string& text, bool large);

// Start of a linear x axis: 0 in place of a start below 0.1 (not 0) when the range spans more than a
// factor of 10, except on the asymmetry graph.
double LinearXStart(double xMin, double xMax, int graphCode);

}  // namespace tessary::graphs
