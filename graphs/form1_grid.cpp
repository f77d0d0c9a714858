// The empty graph frame on the main window: plot box, logo, polar grid or Cartesian axes with ticks,
// grid lines and numbers, frame lines and axis titles. Curves are drawn into it afterwards.
// Coordinates are twips on the window, y growing downwards, so the top edge has the smaller y.
// Ranges on which ticks cannot be placed (a point range, a reversed range, a logarithmic axis
// reaching 0 or below, non-finite ends) still get the box, the end numbers and the titles.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "graphs/axis_steps.h"
#include "graphs/graph_codes.h"
#include "graphs/graph_geometry.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

using graphs::ForStep;
using graphs::LinearYStep;


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

// Title under the horizontal axis by graph type; nullptr where the graph has none.
const char* HorizontalTitle(int code, int subCode) {
    switch (code) {
        case kGraphAngle:
            return "Scattering angle (degrees)";
        case kGraphWavelength:
        case kGraphEfficiencyWavelength:
            return "Wavelength (nm)";
        case kGraphRadius:
            return subCode == kSubRadius ? "Radius (um)" : subCode == kSubSize ? "Size parameter x" : nullptr;
        case kGraphIndex:
            return "Refractive index";
        case kGraphConvergence:
            return "Convergence";
        case kGraphEfficiency:
            return subCode == kSubQRadius || subCode == kSubCRadius   ? "Radius (um)"
                   : subCode == kSubQSize || subCode == kSubCSize ? "Size parameter x"
                                                  : nullptr;
        case kGraphAsymmetry:
            return subCode == kSubAsymmetryRadius   ? "Radius (um)"
                   : subCode == kSubAsymmetrySize ? "Size parameter x"
                   : subCode == kSubAsymmetryWavelength ? "Wavelength (nm)"
                                  : nullptr;
        default:
            return nullptr;
    }
}

// One drawing of the frame: the box, the ranges and the grid colour of this call.
class FrameDrawing {
  public:
    FrameDrawing(Form1& form, float boxLeft, float boxRight, float boxTop, float boxBottom)
        : f(form), left(boxLeft), right(boxRight), top(boxTop), bottom(boxBottom) {}

    void start();
    void polar(double yMin);
    void plotBox() { f.boxFilled(left, top, right, bottom, f.foreColor()); }
    void logo();
    void horizontalScale(double& xMin, double& xMax);
    void verticalScale(double& yMin, double& yMax);
    void frameLines();
    void titles();

  private:
    void logX(double xMin, double xMax);
    void logXTicks(double xMin, double xMax);
    void linearX(double& xMin, double xMax);
    void linearXEndNumbers(double xMin, double xMax, double w);
    void logY(double& yMin, double yMax);
    void logYMinorPass(double yMin, double yMax);
    void linearY(double yMin, double yMax);
    void linearYLowerPanel(double yMin, double yMax);
    void linearYLines(double yMin, double yMax, double step);
    void linearYEndNumbers(double yMin, double yMax);
    void verticalTitle();
    void printAt(double x, double y, const std::string& text) {
        f.setCurrentX(x);
        f.setCurrentY(y);
        f.printLine(text);
    }

    Form1& f;
    const double left, right, top, bottom;
    OleColor grid = rgb(128, 255, 255);
};

// Background, clearing and colours (one wavelength or several), then the scheme's grid colour.
void FrameDrawing::start() {
    f.setBackColor(kButtonFace);
    // The lower panel of a two-panel layout is drawn over the upper one.
    const bool secondPanelOverFirst =
        (f.mnuAmpPhase.checked() || f.mnuIntPol.checked()) && !f.mnuPolarPlot.checked();
    if (!secondPanelOverFirst) f.cls();
    if (f.calc.waveCount <= 1) {
        f.setForeColor(f.graphColours.colourBackSingle);
        grid = rgb(128, 255, 255);
        f.lblLogo.setForeColor(f.graphColours.logoColour);
    } else {
        f.cls();
        f.setForeColor(f.graphColours.colourBackMulti);
        grid = rgb(64, 64, 64);
        f.graphColours.logoColour = rgb(100, 100, 100);
        f.lblLogo.setForeColor(f.graphColours.logoColour);
    }
    if (f.mnuWhite.checked()) grid = rgb(192, 192, 192);
    if (f.mnuBlack.checked()) grid = rgb(64, 128, 128);
    if (f.mnuGrey.checked()) grid = rgb(64, 64, 64);
}

// Polar grid: filled rings (decades of the log scale or fifths of the linear one), spokes every
// 30 degrees, the angle labels and the scale caption.
void FrameDrawing::polar(double yMin) {
    const double r = f.graph.polarRadius;
    const double cx = f.graph.polarCentreX;
    const double cy = f.graph.polarCentreY;
    f.setFillColor(f.graphColours.colourBackSingle);
    f.setFillStyle(draw::kSolid);
    for (const double ring : graphs::PolarRings(!f.optLinear.value(),
                                                f.mnuAmplitude.checked() || f.mnuAmpPhase.checked(),
                                                f.graph.yScaleMax, yMin))
        f.circle(cx, cy, r * ring, grid);
    for (int degrees = 0; degrees <= 180; degrees += 30) {
        const double a = degrees * kPi / 180;
        f.line(cx + r * std::cos(a), cy + r * std::sin(a), cx - r * std::cos(a), cy - r * std::sin(a), grid);
    }
    const double unit = r / 3000;
    f.setForeColor(kBlack);
    for (const PolarLabel& label : kPolarLabels)
        printAt(cx + label.ax * unit + label.bx, cy + label.ay * unit + label.by, label.text);
    f.setFontBold(true);
    f.setCurrentX(cx - r - 250);
    f.setCurrentY(cy + r + 100);
    if (f.mnuAmpPhase.checked()) f.printLine("Amplitude");
    f.setCurrentX(cx - r - 250);
    f.printLine(f.optLog.value() ? "Logarithmic scale" : "Linear scale");
    f.setFontBold(false);
    f.setFillStyle(draw::kTransparent);
}

// The logo label in the box (not on Lee diagrams and maps), sized by the graph size.
void FrameDrawing::logo() {
    if (f.codes.graphCode >= kGraphLee) {
        f.lblLogo.setVisible(false);
        return;
    }
    const bool wide = f.windowState.screenWidthPx > 1024;
    if (f.mnuVLarge.checked()) f.lblLogo.setFontSize(18);
    if (f.mnuLarge.checked()) f.lblLogo.setFontSize(16);
    if (f.mnuMedium.checked()) f.lblLogo.setFontSize(10);
    if (f.mnuSmall.checked()) f.lblLogo.setFontSize(wide ? 10 : 8);
    if (f.mnuHideLogo.checked()) {
        f.lblLogo.setVisible(false);
    } else {
        const bool light = f.calc.waveCount <= 1 && (f.mnuDefault.checked() || f.mnuWhite.checked());
        f.setForeColor(light ? rgb(200, 200, 200) : rgb(100, 100, 100));
        f.lblLogo.move(left + 100, top + 200);
        f.lblLogo.setVisible(true);
    }
    f.setCurrentX(left + 100);
    f.setCurrentY(top + 200);
    f.setFontBold(true);
    f.setFontSize(8);
    f.setForeColor(kBlack);
}

void FrameDrawing::horizontalScale(double& xMin, double& xMax) {
    if (!f.Frame8.visible()) f.OptXLinear.setValue(true);
    if (f.optXLog.value())
        logX(xMin, xMax);
    else
        linearX(xMin, xMax);
}

// Logarithmic x axis: numbered ends, then decades (and with minor grid lines every unit of each
// decade, numbered at 1, 2 and 5).
void FrameDrawing::logX(double xMin, double xMax) {
    const bool placeable = xMin > 0 && xMax > 0 && xMin != xMax && std::isfinite(xMin) && std::isfinite(xMax);
    if (!placeable) return;
    const double span = std::log(xMax / xMin);
    for (const double t : {xMin, xMax}) {
        const double x = left + (right - left) * std::log(t / xMin) / span;
        f.line(x, bottom, x, bottom + 50, grid);
        const std::string s = Str(t);
        f.setForeColor(kBlack);
        printAt(f.mnuLarge.enabled() ? x - 10 - 50 * Len(s) : x - 30 * Len(s), bottom + 100, s);
    }
    logXTicks(xMin, xMax);
}

void FrameDrawing::logXTicks(double xMin, double xMax) {
    const double span = std::log(xMax / xMin);
    const bool major = f.mnuMajorGridX.checked();
    const bool minor = f.mnuMinorGridX.checked();
    for (const auto& [t, frac] : graphs::LogTicks(xMin, xMax)) {
        const bool decade = frac < 0.001 || frac > 0.999;
        const double x = left + (right - left) * std::log(t / xMin) / span;
        const OleColor lineColour = t == xMin || t == xMax ? kBlack : grid;
        f.graph.tickValueX = t;
        f.graph.drawX = x;
        if (minor) {
            f.line(x, top, x, bottom, f.mnuWhite.checked() ? kBlack : lineColour);
            if ((frac > 0.698 && frac < 0.7) || (frac > 0.3 && frac < 0.302) || decade) f.GridXLabel();
        } else if (major) {
            if (decade) {
                f.line(x, top, x, bottom, lineColour);
                f.GridXLabel();
            }
        } else if (decade) {
            f.GridXLabel();
        }
    }
}

// Linear x axis: ticks every grid step, numbers every label step away from the ends, end numbers.
void FrameDrawing::linearX(double& xMin, double xMax) {
    if (xMin != 0 && f.codes.graphCode != kGraphAsymmetry && xMax / xMin > 10 && xMin < 0.1) xMin = 0;  // start at zero
    f.line(left, bottom, left, bottom + 50, kBlack);
    f.line(right, bottom, right, bottom + 50, kBlack);
    double s = 0, w = 0, labelStep = 0;
    const bool placeable = f.GridxStep(xMin, xMax, s, w, labelStep);
    if (placeable) {
        const graphs::LinearXSteps steps = graphs::LinearXTickSteps(xMin, xMax, s, w, f.mnuSmall.checked());
        const bool major = f.mnuMajorGridX.checked();
        for (const graphs::XTick& t : graphs::LinearXTicks(xMin, xMax, steps, left, right)) {
            if (t.end) f.line(t.x, top, t.x, bottom, kBlack);
            if (major) f.line(t.x, top, t.x, bottom, t.end ? kBlack : grid);
            f.line(t.x, bottom, t.x, bottom + 50, kBlack);
        }
        const bool large = f.mnuLarge.enabled() || f.mnuVLarge.enabled();
        for (const graphs::XTick& t : graphs::LinearXLabels(xMin, xMax, w, steps, left, right)) {
            f.line(t.x, bottom, t.x, bottom + 50, grid);
            f.setForeColor(kBlack);
            printAt(large ? t.x - 60 * Len(t.text) : t.x - 30 * Len(t.text), bottom + 100, t.text);
        }
    }
    linearXEndNumbers(xMin, xMax, xMax - xMin);
}

void FrameDrawing::linearXEndNumbers(double xMin, double xMax, double w) {
    f.setForeColor(kBlack);
    for (const auto& [value, x] : {std::pair{xMin, left}, std::pair{xMax, right}}) {
        if (!std::isfinite(value)) continue;
        const std::string text = graphs::XEndText(value, w);
        printAt(f.mnuLarge.enabled() ? x - 60 * Len(text) : x - 30 * Len(text), bottom + 100, text);
    }
}

void FrameDrawing::verticalScale(double& yMin, double& yMax) {
    if (f.graph.phasePanel == 0 && !f.optLinear.value())
        logY(yMin, yMax);
    else
        linearY(yMin, yMax);
}

// Logarithmic y axis: decades always, every unit of each decade with minor grid lines.
void FrameDrawing::logY(double& yMin, double yMax) {
    if (f.graph.yScaleMin == 0) f.graph.yScaleMin = 0.0001;
    if (yMin == 0) yMin = 0.0001;
    const bool placeable = yMin > 0 && yMax > yMin && std::isfinite(yMin) && std::isfinite(yMax);
    if (!placeable) return;
    if (f.mnuMinorGridY.checked()) logYMinorPass(yMin, yMax);
    const double span = std::log(yMax / yMin);
    const double eLow = Int(std::log(yMin) / 2.302585093 + 0.99999);
    const double eHigh = Int(std::log(yMax) / 2.302585093 - 0.999);
    for (double e = eLow; e <= eHigh + 1; ++e) {  // finite positive ends: at most about 620 decades
        const double v = std::pow(10.0, e);
        const double y = bottom - (bottom - top) * std::log(v / yMin) / span;
        if (f.mnuMajorGridY.checked()) f.line(left, y, right, y, grid);
        f.graph.tickValueY = v;
        f.graph.drawY = y;
        f.GridYLabel();
    }
}

void FrameDrawing::logYMinorPass(double yMin, double yMax) {
    const double span = std::log(yMax / yMin);
    const double ratio = yMax / yMin;
    // Ratios whose 2s and 5s are numbered as well: bounds exclusive, by graph size.
    double low = 1, high = 1001;
    if (f.mnuMedium.checked()) low = 8, high = 200;
    if (f.mnuSmall.checked()) low = 5, high = 20;
    const bool numbered = ratio > low && ratio < high;
    for (const auto& [t, frac] : graphs::LogTicks(yMin, yMax)) {
        const double y = bottom - (bottom - top) * std::log(t / yMin) / span;
        f.line(left, y, right, y, t == yMin || t == yMax ? kBlack : grid);
        const bool decade = frac < 0.0001 || frac > 0.9999;
        if (numbered && (decade || (frac > 0.69 && frac < 0.71) || (frac > 0.3 && frac < 0.31))) {
            f.graph.tickValueY = t;
            f.graph.drawY = y;
            f.GridYLabel();
        }
    }
    f.line(left - 50, bottom, left, bottom, f.foreColor());  // yMin
    f.line(left - 50, top, left, top, f.foreColor());        // yMax
}

// Linear y axis: grid lines every round step (fixed lines on the phase and polarisation panels),
// numbers beside them, and the two end numbers.
void FrameDrawing::linearY(double yMin, double yMax) {
    if (f.graph.phasePanel != 0)
        linearYLowerPanel(yMin, yMax);
    else if (const double step = LinearYStep(yMin, yMax); step > 0)
        linearYLines(yMin, yMax, step);
    linearYEndNumbers(yMin, yMax);
}

void FrameDrawing::linearYLowerPanel(double yMin, double yMax) {
    if (!(yMax - yMin > 0) || !std::isfinite(yMax - yMin)) return;
    const bool large = f.mnuVLarge.checked() || f.mnuLarge.checked();
    const auto mark = [&](double v) {
        const double y = bottom - (bottom - top) * (v - yMin) / (yMax - yMin);
        f.line(left + 20, y, right, y, grid);
        const std::string text = Str(std::fabs(v) < 0.001 ? 0.0 : v);
        f.setForeColor(kBlack);
        if (text.size() > 6)
            printAt(50, y - 100, Format(v, "Scientific"));
        else
            printAt(large ? left - 400 : left - 300, y - 100, text);
    };
    if (f.mnuAmpPhase.checked()) ForStep(90, 270, 90, mark);   // phase angles in degrees
    if (f.mnuIntPol.checked()) ForStep(-0.8, 0.9, 0.2, mark);  // degree of linear polarisation
}

void FrameDrawing::linearYLines(double yMin, double yMax, double step) {
    const bool large = f.mnuLarge.enabled();
    for (const graphs::AxisLine& l : graphs::LinearYLines(yMin, yMax, step, top, bottom)) {
        f.line(left + 20, l.y, right, l.y, grid);
        f.setForeColor(kBlack);
        if (l.scientific)
            printAt(50, l.y - 100, l.text);
        else
            printAt(large ? left - 150 - 100 * Len(l.text) : left - 30 * Len(l.text), l.y - 100, l.text);
    }
}

void FrameDrawing::linearYEndNumbers(double yMin, double yMax) {
    const bool large = f.mnuLarge.enabled();
    f.setForeColor(kBlack);
    for (const auto& [value, y] : {std::pair{yMax, top - 100}, std::pair{yMin, bottom - 100}}) {
        if (!std::isfinite(value)) continue;
        const std::string text = Str(value);
        if (text.size() >= 6)
            printAt(50, y, Format(value, "Scientific"));
        else
            printAt(large ? left - 150 - 100 * Len(text) : left - 30 * Len(text), y, text);
    }
}

void FrameDrawing::frameLines() {
    f.setForeColor(kBlack);
    f.line(left, bottom, right, bottom, kBlack);
    f.line(left, top, right, top, kBlack);
    // The outline only, whatever fill style another drawing left.
    const int fillStyle = f.fillStyle();
    f.setFillStyle(draw::kTransparent);
    f.box(left, top, right, bottom, kBlack);
    f.setFillStyle(fillStyle);
}

void FrameDrawing::titles() {
    f.setForeColor(kBlack);
    if (const char* title = HorizontalTitle(f.codes.graphCode, f.codes.graphSubCode))
        printAt((left + right) / 2 - 40 * Len(title), bottom + 280, title);
    if (f.calc.waveCount <= 1) verticalTitle();
}

// Title of the vertical axis (one wavelength only); a print ends its line, so a second line
// starts at the left margin and its leading blanks indent it.
void FrameDrawing::verticalTitle() {
    const int code = f.codes.graphCode;
    const int sub = f.codes.graphSubCode;
    const char* quantity = f.mnuAmplitude.checked() ? "  amplitude" : "  intensity";
    if ((code == kGraphEfficiency && (sub == kSubCRadius || sub == kSubCSize)) || (code == kGraphEfficiencyWavelength && sub == kSubCWavelength)) {
        printAt(50, top - 500, "Area (m  )");
        printAt(700, top - 550, "2");
    } else if (code == kGraphAsymmetry) {
        printAt(50, top - 500, "Asymmetry");
        printAt(50, top - 300, "Parameter");
    } else if (code == kGraphAngle && sub == kSubIntensity) {
        if (f.graph.phasePanel == 0) {
            printAt(50, top - 600, " Relative");
            f.printLine(quantity);
        } else {
            if (f.mnuAmpPhase.checked()) printAt(50, top - 350, "Phase angle");
            if (f.mnuIntPol.checked()) printAt(50, top - 350, "Degree of linear polarisation");
        }
    } else if (code == kGraphAngle && sub == kSubWatts) {
        printAt(50, top - 500, "Watts/m");
        f.setFontName("Small Fonts");
        f.setFontSize(7);
        f.setFontBold(false);
        printAt(770, top - 530, "2");
    } else if (code == kGraphWavelength || code == kGraphRadius || code == kGraphIndex) {
        printAt(50, top - 600, " Relative");
        f.printLine(quantity);
    }
}

}  // namespace

// The empty frame of a graph in the box left..right x top..bottom (twips, y downwards) for x from xLow to
// xHigh and y from yMin to yMax. Writes back xLow = 0 (a linear axis from near 0) and yMin = 0.0001 for 0 on
// a logarithmic axis. Start-up calls it once before the first run.
void Form1::Grid(float& left, float& right, float& top, float& bottom, double& xLow, double& xHigh,
                 double& yMin, double& yMax) {
    FrameDrawing frame(*this, left, right, top, bottom);
    frame.start();
    if (mnuPolarPlot.checked()) {
        frame.polar(yMin);
        return;
    }
    frame.plotBox();
    frame.logo();
    frame.horizontalScale(xLow, xHigh);
    frame.verticalScale(yMin, yMax);
    frame.frameLines();
    frame.titles();
    setFontName("MS Sans Serif");
    setFontBold(false);
    setFontSize(8);
}

}  // namespace tessary
