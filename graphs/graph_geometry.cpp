// Geometry of the graph's curves and legends (see graph_geometry.h).
#include "graphs/graph_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "graphs/graph_codes.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"

namespace tessary::graphs {

namespace {

// The divisor of the decade searches, as the y range has always used it.
constexpr double kLn10Axis = 2.302585093;
// Decades a search may pass: beyond them a Double is infinite or zero.
constexpr int kMaxDecades = 330;

// Index of a point range end, rounded half to even and held inside 1..last.
std::int32_t IndexIn(double v, std::int32_t last) {
    if (!(v >= 1.0)) return 1;
    if (v >= static_cast<double>(last)) return last;
    return CLng(v).value;
}

// Last index a curve of these arrays can supply (arrays are indexed from 1; element 0 unused).
std::int32_t LastIndex(std::span<const double> a, std::span<const double> b) {
    const std::size_t n = std::min(a.size(), b.size());
    return n < 2 ? 0
                 : static_cast<std::int32_t>(
                       std::min<std::size_t>(n - 1, std::numeric_limits<std::int32_t>::max()));
}

// Number of characters of a text, as the text-width estimates count them.
double Len(const std::string& s) { return static_cast<double>(s.size()); }

// Angle labels of the polar grid: x = cx + ax R + bx, y = cy + ay R + by with R = radius / 3000.
struct PolarLabel {
    const char* text;
    double ax, bx, ay, by;
};
constexpr std::array<PolarLabel, 12> kPolarLabels{{
    {"0", 3080, 0, 0, -80},
    {"180", -3000, -320, 0, -80},
    {"330", 2650, 0, -1570, -80},
    {"210", -2600, -300, -1570, -80},
    {"300", 1500, 0, -2720, -80},
    {"240", -1450, -300, -2720, -80},
    {"270", -50, -100, -3050, -150},
    {"30", 2650, 0, 1500, 0},
    {"150", -2600, -300, 1500, 0},
    {"60", 1500, 0, 2600, 0},
    {"120", -1450, -300, 2600, 0},
    {"90", 0, -100, 3000, 0},
}};

}  // namespace

LegendColumns LegendColumnsFor(bool large, bool medium) {
    if (large) return {1400, 6500, 12000};
    if (medium) return {1000, 3800, 6300};
    return {};
}

std::vector<LegendEntry> LegendEntries(int graphCode, int graphSubCode, bool absorbing,
                                       const std::string& pol, bool small, const LegendColumns& columns) {
    using C = LegendColour;
    // the third entry: beside the second, or under it on the small graph
    const double thirdX = small ? columns.second : columns.third;
    const double thirdY = small ? 2900 : 3100;
    if (graphCode == kGraphEfficiency || graphCode == kGraphEfficiencyWavelength) {
        // The Q graphs: kSubQRadius and kSubQSize of code 14, kSubQWavelength (1 as well) of code 15.
        const bool efficiency = graphSubCode == kSubQRadius || graphSubCode == kSubQSize;
        if (!absorbing)
            return {{columns.first, 3100, C::Main,
                     efficiency ? "Qext = Qsca   Qabs = 0" : "Cext = Csca   Cabs = 0"}};
        return {{columns.first, 3100, C::Main, efficiency ? "Qext" : "Cext"},
                {columns.second, 3100, C::Dark, efficiency ? "Qsca" : "Csca"},
                {thirdX, thirdY, C::Black, efficiency ? "Qabs" : "Cabs"}};
    }
    if (pol == "Both")
        return {{columns.first, 3000, C::Main, "Perpendicular polarisation"},
                {columns.second, 3000, C::Dark, "Parallel polarisation"}};
    if (pol == "All 3")
        return {{columns.first, 3100, C::Main, "Perpendicular polarisation"},
                {columns.second, 3100, C::Dark, "Parallel polarisation"},
                {thirdX, thirdY, C::Black, "Unpolarised"}};
    return {};
}

std::vector<TextLine> DataBoxLines(std::optional<double> qSca, std::optional<double> qExt,
                                   std::optional<double> qBack) {
    // Qback = |S1(180)|^2/(pi x^2); Qradar, the radar backscattering efficiency, 4|S1(180)|^2/x^2.
    const struct {
        double y;
        const char* label;
        std::optional<double> value;
    } rows[] = {
        {800, "Qsca = ", qSca},
        {1000, "Qext = ", qExt},
        {1200,
         "Qabs = ", qExt && qSca ? std::optional<double>(AbsorptionEfficiency(*qExt, *qSca)) : std::nullopt},
        {1400, "Qback = ", qBack},
        {1600, "Qradar = ", qBack ? std::optional<double>(4 * kPi * *qBack) : std::nullopt},
    };
    std::vector<TextLine> lines;
    for (const auto& row : rows)
        if (row.value) lines.push_back({12000, row.y, row.label + AxisNumberText(*row.value, 6)});
    return lines;
}

IndexSpan VisibleIndices(int graphCode, std::int32_t angleCount, double step, double xMin, double xMax,
                         double dataXStart, bool logSteps) {
    IndexSpan r;
    if (graphCode < kFirstSweepGraph) {
        r.first = 2.0 * (angleCount - 1) * xMin / 180.0 + 1.0;
        r.last = 2.0 * (angleCount - 1) * xMax / 180.0 + 1.0;
    } else if (step != 0.0) {
        r.first = (xMin - dataXStart) / step + 1.0;
        r.last = (xMax - dataXStart) / step + 1.0;
    }
    if (logSteps) {
        r.first = 1.0;
        r.last = step + 1.0;
    }
    return r;
}

std::span<const double> PointsUpTo(std::span<const double> curve, std::int32_t last) {
    return curve.first(std::min(static_cast<std::size_t>(last) + 1, curve.size()));
}

CurveExtremes ScanCurves(std::span<const double> perp, std::span<const double> para, IndexSpan range,
                         bool wantMax, bool wantMin) {
    CurveExtremes e;
    const std::int32_t held = LastIndex(perp, para);
    if (held < 1 || !(range.last >= 1.0) || !(range.first <= static_cast<double>(held))) return e;
    const std::int32_t to = IndexIn(range.last, held);
    for (std::int32_t j = IndexIn(range.first, held); j <= to; ++j) {
        const double a = perp[static_cast<std::size_t>(j)];
        const double b = para[static_cast<std::size_t>(j)];
        if (!std::isfinite(a) || !std::isfinite(b)) continue;  // no value, no range
        e.scanned = true;
        if (wantMax) {
            e.maxPerp = AMAX(e.maxPerp, a);
            e.maxPara = AMAX(e.maxPara, b);
        }
        if (wantMin) {
            e.minPerp = AMIN(e.minPerp, a);
            e.minPara = AMIN(e.minPara, b);
        }
    }
    return e;
}

double RoundAxisMax(double dataMax, bool log) {
    // A maximum that is not a positive finite number has no decade: a unit axis.
    if (!(dataMax > 0.0) || !std::isfinite(dataMax)) return 1.0;
    double axisMax = 0.0;
    if (log) {
        axisMax = std::pow(10.0, std::floor(std::log(dataMax) / kLn10Axis) + 1.0);
    } else if (dataMax > 1.0) {
        // the decade k of the maximum, then a step of 1, 0.5, 0.2 or 0.1 times 10^k by its mantissa
        int k = 0;
        do {
            ++k;
        } while (std::floor(dataMax / std::pow(10.0, k)) > 0.0 && k < kMaxDecades);
        --k;
        const double decade = std::pow(10.0, k);
        const double mantissa = dataMax / decade;
        const double axisStep = mantissa > 7.0   ? decade
                                : mantissa > 3.5 ? 0.5 * decade
                                : mantissa > 1.5 ? 0.2 * decade
                                                 : 0.1 * decade;
        axisMax = (std::floor(dataMax / axisStep) + 1.0) * axisStep;
    } else {
        int k = 0;
        double leading = 0.0;  // the leading digit of the maximum at the decade k
        do {
            --k;
            leading = std::floor(dataMax / std::pow(10.0, k));
        } while (leading == 0.0 && k > -kMaxDecades);
        axisMax = (leading + 1.0) * std::pow(10.0, k);
        // one decade finer when the axis would reach far above the data
        if (axisMax / dataMax > 1.2)
            axisMax = (std::floor(dataMax / std::pow(10.0, k - 1)) + 1.0) * std::pow(10.0, k - 1);
    }
    // At the ends of the Double range the next round number is not a Double: the maximum itself.
    if (!std::isfinite(axisMax) || !(axisMax > 0.0)) axisMax = dataMax;
    return axisMax;
}

double LogDataMin(double dataMin, double axisMax) {
    const double top = axisMax > 0.0 && std::isfinite(axisMax) ? axisMax : 1.0;
    if (!(dataMin > 0.0) || !std::isfinite(dataMin) || dataMin / top < 1E-20) return top * 1E-10;
    return dataMin;
}

double LogAxisMin(double dataMin, bool polar, double yScaleMax) {
    double axisMin = 0.0;
    if (!polar || !(yScaleMax > 0.0) || !std::isfinite(yScaleMax)) {
        axisMin = std::pow(10.0, std::floor(std::log(dataMin) / kLn10Axis));
    } else {
        const double decades = std::floor(Log10(yScaleMax / dataMin)) + 1.0;
        axisMin = yScaleMax / std::pow(10.0, decades);
    }
    if (!(axisMin > 0.0) || !std::isfinite(axisMin)) axisMin = dataMin;
    return axisMin;
}

std::vector<CurveChoice> DisplayCurves(const std::string& pol, bool absorbing, bool severalWaves,
                                       bool oneCurveOnly) {
    const bool all3 = pol == "All 3";
    const bool both = pol == "Both";
    const bool shared = all3 || both || absorbing;  // curves told apart by dark and black
    std::vector<CurveChoice> curves;
    const auto colour = [severalWaves](CurveColour own) { return severalWaves ? CurveColour::Wave : own; };
    if (all3 || both || pol == "Perpendicular") curves.push_back({1, colour(CurveColour::Line), true});
    if (oneCurveOnly) return curves;
    if (all3 || both || pol == "Parallel" || absorbing)
        curves.push_back({2, colour(shared ? CurveColour::Dark : CurveColour::Line), pol == "Parallel"});
    if (all3 || pol == "Unpolarised" || absorbing)
        curves.push_back({3, colour(shared ? CurveColour::Black : CurveColour::Line), pol == "Unpolarised"});
    return curves;
}

double LogRatio(double a, double b) {
    const double q = a / b;
    if (q >= std::numeric_limits<double>::min() && q <= std::numeric_limits<double>::max())
        return std::log(q);
    return std::log(a) - std::log(b);
}

std::vector<LogTick> LogTicks(double low, double high) {
    std::vector<LogTick> ticks;
    double step = std::pow(10.0, Int(Log10(low)));
    double t = step;
    for (int pass = 0; t < low && pass < kMaxLoopPasses; ++pass) t += step;
    for (int pass = 0; t <= high && pass < kMaxLoopPasses; ++pass) {
        if ((t + 0.99 * step) / step > 10) step *= 10;  // the next decade
        ticks.push_back({t, Log10(t) - Int(Log10(t))});
        const double next = t + step;
        if (!(next > t)) break;
        t = next;
    }
    return ticks;
}

std::vector<double> PolarRings(bool logScale, bool amplitude, double yScaleMax, double yMin) {
    std::vector<double> rings;
    if (!logScale) {
        for (int i = 0; i < 5; ++i) rings.push_back(1 - 0.2 * i);  // 1, 0.8, ... 0.2
        return rings;
    }
    rings.push_back(1.0);
    const double k = amplitude ? 2 : 1;  // amplitudes: two decades
    const double span = std::log(yScaleMax / yMin);
    if (yMin > 0 && yScaleMax > yMin && std::isfinite(span)) {
        for (int n = 1; n <= 20; ++n) {
            const double frac = std::log(yScaleMax / std::pow(10.0, k * n) / yMin) / span;
            if (frac > 0 && frac <= 1) rings.push_back(frac);
        }
    }
    return rings;
}

LinearXSteps LinearXTickSteps(double xMin, double xMax, double step, double range, bool small) {
    double s = step, L = 2 * step;
    const double w = range;
    if (small) {
        if (xMax == 180)
            L = 60;
        else if (w / L > 6)
            L *= 2;
    } else if (w == 180) {  // degrees: every 10, numbered every 30
        s = 10;
        L = 30;
    }
    if (w == 10 && std::fabs(xMin / 2 - Int(xMin / 2)) > 0.1) {
        s = 1;
        L = 5;
    }
    // Decimals that the tick values are rounded to; a range ending at or below 0 counts none.
    const double places = w < 0.5 ? (w < 0.01 ? 6 : 3) : Int(Log10(xMax / s)) + 1;
    return {s, L, static_cast<int>(std::clamp(places, 0.0, 20.0))};
}

std::string XEndText(double value, double range) {
    const double w = range;
    if (!(value <= 10 && value != 0)) return Str(value);
    double v = value;
    if (v > 0.05 && !(w < 0.00001)) v = RoundTo(v, w < 0.001 ? 6 : 5);
    return w < 0.00001 ? Format(v, "###,##0.#########") : Format(v, "###,##0.#######");
}

std::vector<XTick> LinearXTicks(double xMin, double xMax, const LinearXSteps& steps, double left,
                                double right) {
    std::vector<XTick> ticks;
    const double s = steps.step;
    const int d = steps.decimals;
    ForStep(RoundTo(Int(xMin / s + 1) * s, d), RoundTo(Int(xMax / s + 1) * s, d), s, [&](double t) {
        const double xt = left + (right - left) * (t - xMin) / (xMax - xMin);
        if (!(xt >= left && xt <= right)) return;
        ticks.push_back({t, xt, t == xMin || t == xMax, {}});
    });
    return ticks;
}

std::vector<XTick> LinearXLabels(double xMin, double xMax, double range, const LinearXSteps& steps,
                                 double left, double right) {
    std::vector<XTick> labels;
    const double L = steps.labelStep, w = range;
    const int d = steps.decimals;
    ForStep(RoundTo(Int(xMin / L + 1) * L, d), RoundTo(Int(xMax / L + 1) * L, d), L, [&](double t) {
        if (t > xMin + 0.98 * w || t < xMin + 0.02 * w) return;  // the ends carry their own numbers
        const double xt = left + (right - left) * (t - xMin) / (xMax - xMin);
        labels.push_back({t, xt, false, Str(RoundTo(t, d))});
    });
    return labels;
}

std::vector<AxisLine> LinearYLines(double yMin, double yMax, double step, double top, double bottom) {
    std::vector<AxisLine> lines;
    double p = (Int(yMin / step) + 1) * step;
    if (p > 0 && p < 10) p = RoundTo(p, 3);
    const bool fractions = p > -1 && yMax < 1.2;
    ForStep(p, yMax - 0.1 * step, step, [&](double t) {
        if (!(t > yMin && t < yMax)) return;
        // The share of the range first: a limit near the largest double would overflow the product.
        const double y = bottom - (bottom - top) * ((t - yMin) / (yMax - yMin));
        const std::string text = fractions ? AxisNumberText(t, 4) : Str(t);
        const bool scientific = text != " 0" && text.size() >= 7;
        lines.push_back({t, y, scientific ? Format(t, "Scientific") : text, scientific});
    });
    return lines;
}

std::vector<AxisLine> LowerPanelLines(double yMin, double yMax, bool amplitudePhase, bool intensityPol,
                                      double top, double bottom) {
    std::vector<AxisLine> lines;
    if (!(yMax - yMin > 0) || !std::isfinite(yMax - yMin)) return lines;
    const auto mark = [&](double v) {
        const double y = bottom - (bottom - top) * (v - yMin) / (yMax - yMin);
        const std::string text = Str(std::fabs(v) < 0.001 ? 0.0 : v);
        const bool scientific = text.size() > 6;
        lines.push_back({v, y, scientific ? Format(v, "Scientific") : text, scientific});
    };
    if (amplitudePhase) ForStep(90, 270, 90, mark);   // phase angles in degrees
    if (intensityPol) ForStep(-0.8, 0.9, 0.2, mark);  // degree of linear polarisation
    return lines;
}

std::vector<AxisLine> LinearYEnds(double yMin, double yMax, double top, double bottom) {
    std::vector<AxisLine> ends;
    for (const auto& [value, y] : {std::pair{yMax, top}, std::pair{yMin, bottom}}) {
        if (!std::isfinite(value)) continue;
        const std::string text = Str(value);
        const bool scientific = text.size() >= 6;
        ends.push_back({value, y, scientific ? Format(value, "Scientific") : text, scientific});
    }
    return ends;
}

std::vector<XTick> LogXEnds(double xMin, double xMax, double left, double right) {
    std::vector<XTick> ends;
    const bool placeable = xMin > 0 && xMax > 0 && xMin != xMax && std::isfinite(xMin) && std::isfinite(xMax);
    if (!placeable) return ends;
    const double span = std::log(xMax / xMin);
    for (const double t : {xMin, xMax})
        ends.push_back({t, left + (right - left) * std::log(t / xMin) / span, true, Str(t)});
    return ends;
}

std::vector<LogMark> LogXMarks(double xMin, double xMax, double left, double right, bool minorGrid,
                               bool majorGrid) {
    std::vector<LogMark> marks;
    const double span = std::log(xMax / xMin);
    for (const auto& [t, frac] : LogTicks(xMin, xMax)) {
        const bool decade = frac < 0.001 || frac > 0.999;
        const bool twoOrFive = (frac > 0.698 && frac < 0.7) || (frac > 0.3 && frac < 0.302);
        const double x = left + (right - left) * std::log(t / xMin) / span;
        const bool gridLine = minorGrid || (majorGrid && decade);
        marks.push_back({t, x, t == xMin || t == xMax, gridLine, decade || (minorGrid && twoOrFive)});
    }
    return marks;
}

std::vector<LogMark> LogYDecades(double yMin, double yMax, double top, double bottom, bool majorGrid) {
    std::vector<LogMark> marks;
    const bool placeable = yMin > 0 && yMax > yMin && std::isfinite(yMin) && std::isfinite(yMax);
    if (!placeable) return marks;
    const double span = LogRatio(yMax, yMin);
    const double eLow = Int(std::log(yMin) / kLn10Axis + 0.99999);
    const double eHigh = Int(std::log(yMax) / kLn10Axis - 0.999);
    for (double e = eLow; e <= eHigh + 1; ++e) {  // finite positive ends: at most about 620 decades
        const double v = std::pow(10.0, e);
        const double y = bottom - (bottom - top) * LogRatio(v, yMin) / span;
        marks.push_back({v, y, false, majorGrid, true});
    }
    return marks;
}

std::vector<LogMark> LogYMinorMarks(double yMin, double yMax, double top, double bottom, bool medium,
                                    bool small) {
    std::vector<LogMark> marks;
    const double span = LogRatio(yMax, yMin);
    const double ratio = yMax / yMin;
    // Ratios whose 2s and 5s are numbered as well: bounds exclusive, by graph size.
    double low = 1, high = 1001;
    if (medium) low = 8, high = 200;
    if (small) low = 5, high = 20;
    const bool numbered = ratio > low && ratio < high;
    for (const auto& [t, frac] : LogTicks(yMin, yMax)) {
        const double y = bottom - (bottom - top) * LogRatio(t, yMin) / span;
        const bool decade = frac < 0.0001 || frac > 0.9999;
        const bool twoOrFive = (frac > 0.69 && frac < 0.71) || (frac > 0.3 && frac < 0.31);
        marks.push_back({t, y, t == yMin || t == yMax, true, numbered && (decade || twoOrFive)});
    }
    return marks;
}

YTickNumber LogYTickNumber(double value, double axisMin, double axisMax) {
    if (axisMax <= 1000 && axisMin >= 0.001) return {YTickNumber::Form::Plain, Str(value), 0, 0};
    // A power of ten has no meaning for 0, a negative value or NaN: the tick stands alone.
    if (!(value > 0) || !std::isfinite(value)) return {};
    const double exponentPlaces = RoundTo(Log10(value), 2);
    const double exponent = Int(exponentPlaces);
    const double mantissa = RoundTo(std::pow(10.0, exponentPlaces - exponent), 1);
    return {YTickNumber::Form::Power, {}, mantissa, exponent};
}

std::vector<TextLine> PolarLabels(double cx, double cy, double radius) {
    std::vector<TextLine> labels;
    const double unit = radius / 3000;
    for (const PolarLabel& label : kPolarLabels)
        labels.push_back({cx + label.ax * unit + label.bx, cy + label.ay * unit + label.by, label.text});
    return labels;
}

std::vector<Segment> PolarSpokes(double cx, double cy, double radius) {
    std::vector<Segment> spokes;
    const double r = radius;
    for (int degrees = 0; degrees <= 180; degrees += 30) {
        const double a = degrees * kPi / 180;
        spokes.push_back(
            {cx + r * std::cos(a), cy + r * std::sin(a), cx - r * std::cos(a), cy - r * std::sin(a)});
    }
    return spokes;
}

std::vector<std::string> PolarCaption(bool amplitudePhase, bool logScale) {
    std::vector<std::string> lines;
    if (amplitudePhase) lines.emplace_back("Amplitude");
    lines.emplace_back(logScale ? "Logarithmic scale" : "Linear scale");
    return lines;
}

const char* HorizontalTitle(int graphCode, int graphSubCode) {
    const int sub = graphSubCode;
    switch (graphCode) {
        case kGraphAngle:
            return "Scattering angle (degrees)";
        case kGraphWavelength:
        case kGraphEfficiencyWavelength:
            return "Wavelength (nm)";
        case kGraphRadius:
            return sub == kSubRadius ? "Radius (um)" : sub == kSubSize ? "Size parameter x" : nullptr;
        case kGraphIndex:
            return "Refractive index";
        case kGraphConvergence:
            return "Convergence";
        case kGraphEfficiency:
            return sub == kSubQRadius || sub == kSubCRadius ? "Radius (um)"
                   : sub == kSubQSize || sub == kSubCSize   ? "Size parameter x"
                                                            : nullptr;
        case kGraphAsymmetry:
            return sub == kSubAsymmetryRadius       ? "Radius (um)"
                   : sub == kSubAsymmetrySize       ? "Size parameter x"
                   : sub == kSubAsymmetryWavelength ? "Wavelength (nm)"
                                                    : nullptr;
        default:
            return nullptr;
    }
}

std::optional<TextLine> HorizontalTitleLine(int graphCode, int graphSubCode, double left, double right,
                                            double bottom) {
    const char* title = HorizontalTitle(graphCode, graphSubCode);
    if (!title) return std::nullopt;
    return TextLine{(left + right) / 2 - 40 * Len(title), bottom + 280, title};
}

std::vector<TitlePart> VerticalTitle(int graphCode, int graphSubCode, bool amplitude, int phasePanel,
                                     bool amplitudePhase, bool intensityPol, double top) {
    const int code = graphCode;
    const int sub = graphSubCode;
    // A print ends its line: the second line starts at the left margin, its leading blanks indent it.
    const TitlePart quantity{0, 0, amplitude ? "  amplitude" : "  intensity", true, false};
    const bool areas = (code == kGraphEfficiency && (sub == kSubCRadius || sub == kSubCSize)) ||
                       (code == kGraphEfficiencyWavelength && sub == kSubCWavelength);
    if (areas) return {{50, top - 500, "Area (m  )"}, {700, top - 550, "2"}};
    if (code == kGraphAsymmetry) return {{50, top - 500, "Asymmetry"}, {50, top - 300, "Parameter"}};
    if (code == kGraphAngle && sub == kSubIntensity) {
        if (phasePanel == 0) return {{50, top - 600, " Relative"}, quantity};
        std::vector<TitlePart> parts;
        if (amplitudePhase) parts.push_back({50, top - 350, "Phase angle"});
        if (intensityPol) parts.push_back({50, top - 350, "Degree of linear polarisation"});
        return parts;
    }
    if (code == kGraphAngle && sub == kSubWatts)
        return {{50, top - 500, "Watts/m"}, {770, top - 530, "2", false, true}};
    if (code == kGraphWavelength || code == kGraphRadius || code == kGraphIndex)
        return {{50, top - 600, " Relative"}, quantity};
    return {};
}

double LogXNumberLeft(double x, const std::string& text, bool large) {
    return large ? x - 10 - 50 * Len(text) : x - 30 * Len(text);
}

double LinearXNumberLeft(double x, const std::string& text, bool large) {
    return large ? x - 60 * Len(text) : x - 30 * Len(text);
}

double LinearYNumberLeft(double left, const std::string& text, bool large) {
    return large ? left - 150 - 100 * Len(text) : left - 30 * Len(text);
}

double LinearXStart(double xMin, double xMax, int graphCode) {
    if (xMin != 0 && graphCode != kGraphAsymmetry && xMax / xMin > 10 && xMin < 0.1) return 0;
    return xMin;
}

}  // namespace tessary::graphs
