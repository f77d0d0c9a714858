// The empty graph frame on the main window: plot box, logo, polar grid or Cartesian axes with ticks,
// grid lines and numbers, frame lines and axis titles. Curves are drawn into it afterwards.
// Coordinates are twips on the window, y growing downwards, so the top edge has the smaller y.
// Ranges on which ticks cannot be placed (a point range, a reversed range, a logarithmic axis
// reaching 0 or below, non-finite ends) still get the box, the end numbers and the titles.
#include <cmath>
#include <optional>
#include <string>

#include "graphs/axis_steps.h"
#include "graphs/graph_codes.h"
#include "graphs/graph_geometry.h"
#include "mainwindow/form1.h"
#include "platform/ui/window_colours.h"
#include "runs/results_on_show.h"

namespace tessary {

namespace {

using graphs::LinearYStep;

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
    void verticalTitle(int code, int subCode, bool amplitude);
    void yMark(const graphs::LogMark& m) {
        if (m.gridLine) f.line(left, m.pos, right, m.pos, m.end ? kBlack : grid);
        if (!m.numbered) return;
        f.graph.tickValueY = m.value;
        f.graph.drawY = m.pos;
        f.GridYLabel();
    }
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
    const std::optional<RedrawPlan> plan = PlanRedraw(f);  // amplitudes as the run on show computed them
    const bool amplitude = plan ? plan->amplitude : f.mnuAmplitude.checked();
    for (const double ring : graphs::PolarRings(!f.optLinear.value(), amplitude || f.mnuAmpPhase.checked(),
                                                f.graph.yScaleMax, yMin))
        f.circle(cx, cy, r * ring, grid);
    for (const graphs::Segment& s : graphs::PolarSpokes(cx, cy, r)) f.line(s.x1, s.y1, s.x2, s.y2, grid);
    f.setForeColor(kBlack);
    for (const graphs::TextLine& label : graphs::PolarLabels(cx, cy, r))
        printAt(label.x, label.y, label.text);
    f.setFontBold(true);
    f.setCurrentY(cy + r + 100);
    for (const std::string& caption : graphs::PolarCaption(f.mnuAmpPhase.checked(), f.optLog.value())) {
        f.setCurrentX(cx - r - 250);
        f.printLine(caption);
    }
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
    const std::vector<graphs::XTick> ends = graphs::LogXEnds(xMin, xMax, left, right);
    if (ends.empty()) return;
    for (const graphs::XTick& t : ends) {
        f.line(t.x, bottom, t.x, bottom + 50, grid);
        f.setForeColor(kBlack);
        printAt(graphs::LogXNumberLeft(t.x, t.text, f.mnuLarge.enabled()), bottom + 100, t.text);
    }
    logXTicks(xMin, xMax);
}

void FrameDrawing::logXTicks(double xMin, double xMax) {
    const bool minor = f.mnuMinorGridX.checked();
    const bool blackLines = minor && f.mnuWhite.checked();
    for (const graphs::LogMark& m :
         graphs::LogXMarks(xMin, xMax, left, right, minor, f.mnuMajorGridX.checked())) {
        f.graph.tickValueX = m.value;
        f.graph.drawX = m.pos;
        if (m.gridLine) f.line(m.pos, top, m.pos, bottom, blackLines || m.end ? kBlack : grid);
        if (m.numbered) f.GridXLabel();
    }
}

// Linear x axis: ticks every grid step, numbers every label step away from the ends, end numbers.
void FrameDrawing::linearX(double& xMin, double xMax) {
    xMin = graphs::LinearXStart(xMin, xMax, f.codes.graphCode);
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
            printAt(graphs::LinearXNumberLeft(t.x, t.text, large), bottom + 100, t.text);
        }
    }
    linearXEndNumbers(xMin, xMax, xMax - xMin);
}

void FrameDrawing::linearXEndNumbers(double xMin, double xMax, double w) {
    f.setForeColor(kBlack);
    for (const auto& [value, x] : {std::pair{xMin, left}, std::pair{xMax, right}}) {
        if (!std::isfinite(value)) continue;
        const std::string text = graphs::XEndText(value, w);
        printAt(graphs::LinearXNumberLeft(x, text, f.mnuLarge.enabled()), bottom + 100, text);
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
    for (const graphs::LogMark& m : graphs::LogYDecades(yMin, yMax, top, bottom, f.mnuMajorGridY.checked()))
        yMark(m);
}

void FrameDrawing::logYMinorPass(double yMin, double yMax) {
    for (const graphs::LogMark& m :
         graphs::LogYMinorMarks(yMin, yMax, top, bottom, f.mnuMedium.checked(), f.mnuSmall.checked()))
        yMark(m);
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
    const bool large = f.mnuVLarge.checked() || f.mnuLarge.checked();
    for (const graphs::AxisLine& l :
         graphs::LowerPanelLines(yMin, yMax, f.mnuAmpPhase.checked(), f.mnuIntPol.checked(), top, bottom)) {
        f.line(left + 20, l.y, right, l.y, grid);
        f.setForeColor(kBlack);
        printAt(l.scientific ? 50 : large ? left - 400 : left - 300, l.y - 100, l.text);
    }
}

void FrameDrawing::linearYLines(double yMin, double yMax, double step) {
    const bool large = f.mnuLarge.enabled();
    for (const graphs::AxisLine& l : graphs::LinearYLines(yMin, yMax, step, top, bottom)) {
        f.line(left + 20, l.y, right, l.y, grid);
        f.setForeColor(kBlack);
        if (l.scientific)
            printAt(50, l.y - 100, l.text);
        else
            printAt(graphs::LinearYNumberLeft(left, l.text, large), l.y - 100, l.text);
    }
}

void FrameDrawing::linearYEndNumbers(double yMin, double yMax) {
    const bool large = f.mnuLarge.enabled();
    f.setForeColor(kBlack);
    for (const graphs::AxisLine& l : graphs::LinearYEnds(yMin, yMax, top, bottom)) {
        if (l.scientific)
            printAt(50, l.y - 100, l.text);
        else
            printAt(graphs::LinearYNumberLeft(left, l.text, large), l.y - 100, l.text);
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

// The titles of the graph drawn: the run's while it draws its results, on a redraw those of the graph, variant
// and values (intensities or amplitudes) of the run on show, whatever the list and Plot menu say since.
void FrameDrawing::titles() {
    const std::optional<RedrawPlan> plan = PlanRedraw(f);
    const int code = plan ? plan->graphCode : f.codes.graphCode;
    const int subCode = plan ? plan->graphSubCode : f.codes.graphSubCode;
    f.setForeColor(kBlack);
    if (const auto title = graphs::HorizontalTitleLine(code, subCode, left, right, bottom))
        printAt(title->x, title->y, title->text);
    if ((plan ? plan->waveCount : f.calc.waveCount) <= 1)
        verticalTitle(code, subCode, plan ? plan->amplitude : f.mnuAmplitude.checked());
}

// Title of the vertical axis (one wavelength only).
void FrameDrawing::verticalTitle(int code, int subCode, bool amplitude) {
    for (const graphs::TitlePart& part :
         graphs::VerticalTitle(code, subCode, amplitude, f.graph.phasePanel, f.mnuAmpPhase.checked(),
                               f.mnuIntPol.checked(), top)) {
        if (part.smallFont) {
            f.setFontName("Small Fonts");
            f.setFontSize(7);
            f.setFontBold(false);
        }
        if (part.nextLine)
            f.printLine(part.text);
        else
            printAt(part.x, part.y, part.text);
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
    graph.frameXMin = xLow;
    graph.frameXMax = xHigh;
    if (mnuPolarPlot.checked()) {
        frame.polar(yMin);
        return;
    }
    frame.plotBox();
    frame.logo();
    frame.horizontalScale(xLow, xHigh);
    graph.frameXMin = xLow;
    frame.verticalScale(yMin, yMax);
    frame.frameLines();
    frame.titles();
    setFontName("MS Sans Serif");
    setFontBold(false);
    setFontSize(8);
}

}  // namespace tessary
