// The size options of the main window: the sample set of a Normal or Log-normal distribution
// (Disperse), the Monodisperse and Disperse options, the histogram menu command, and the small picture
// of the distribution at the top right (bell curve with a red tick per sample, or the histogram's
// bars), which also reports a Normal distribution whose last sample radius is not above 0.
#include <cmath>
#include <optional>
#include <string>

#include "graphs/axis_steps.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/size_distribution.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"
#include "runs/results_on_show.h"
#include "runs/run_record.h"

namespace tessary {

namespace {

constexpr OleColor kPanel = 255 + 256 * 255 + 65536 * 224;  // RGB(255, 255, 224)
constexpr OleColor kGridCyan = 256 * 255 + 65536 * 255;     // RGB(0, 255, 255)
constexpr OleColor kBellBlue = 65536 * 255;                 // RGB(0, 0, 255)
constexpr double kX0 = 12500;                               // left edge of the plot area
constexpr double kW = 2800;                                 // its width
constexpr double kTop = 100, kBottom = 2100;

bool ValidCount(int n) { return n == 5 || n == 10 || n == 20 || n == 50; }

// Median radius from the size box by the checked radius menu, as the run takes it.
double MedianRadius(const Form1& f) {
    return RadiusOfSizeBox(f.txtRadius.text(), f.mnuDiameter.checked(), f.mnuRadiusX.checked(),
                           f.txtLambda.text());
}

void PrintAt(Form1& f, double x, double y, const std::string& text) {
    f.setCurrentX(x);
    f.setCurrentY(y);
    f.print(text);
}

// A radius label centred under its tick: the number's text with its left edge at x + c - 50 L.
void RadiusLabel(Form1& f, double x, double y, double v, double c) {
    const std::string text = Str(RoundTo(v, 3));
    PrintAt(f, x + c - 50.0 * static_cast<double>(text.size()), y, text);
}

// The histogram's bars and radius labels (step 5 of the picture).
void HistogramBars(Form1& f, bool ofBoxes) {
    const SizeHistogram& h = f.dist.sizeHistogram;
    if (ofBoxes)
        for (Control* c : std::initializer_list<Control*>{&f.cboN, &f.cboSD, &f.Label11, &f.Label13})
            c->setVisible(false);
    const double span = static_cast<double>(h.histRadiusMax) - h.histRadiusMin;
    if (!h.usable() || !(h.histWeightSum > 0) || !(span > 0)) return;  // nothing to draw on
    const double t = std::floor(20.0 * h.histWeightMax / h.histWeightSum + 1) * 0.05;
    f.setForeColor(kGridCyan);
    for (int k = 1; k <= 10; ++k) {
        const double y = kTop + 2000 * (1 - k / 10.0);
        f.line(kX0, y, kX0 + kW, y);
    }
    const auto n = static_cast<std::size_t>(std::nearbyint(h.sizeFileCount));
    const auto xOf = [&](double r) { return kX0 + kW * (r - h.histRadiusMin) / span; };
    for (std::size_t i = 1; i <= n; ++i) {
        const double yTop = kTop + 2000 * (t - h.histWeight[i]) / t;
        double left = 0, right = 0;
        if (h.histUniform == 1) {
            left = xOf(h.histRadius[i]) - kW / static_cast<double>(n) / 2;
            right = left + kW / static_cast<double>(n);
        } else {
            left = xOf(h.histRadius[i]);
            right = xOf(i < h.histRadius2.size() ? h.histRadius2[i] : h.histRadius[i]);
        }
        f.boxFilled(left, yTop, right, kBottom, kButtonFace);
        f.box(left, yTop, right, kBottom, kBlack);
    }
    f.setForeColor(kBlack);
    if (h.histUniform == 1) {
        for (std::size_t i = 1; i <= n; i += 2) {
            const double x = xOf(h.histRadius[i]);
            f.line(x, kBottom, x, 2140);
            RadiusLabel(f, x, 2140, h.histRadius[i], 10);
        }
    } else {
        double s = 0, range = 0;
        if (f.GridxStep(h.histRadiusMin, h.histRadiusMax, s, range)) {
            graphs::ForStep(h.histRadiusMin, h.histRadiusMax, s, [&](double v) {
                const double x = xOf(v);
                if (x < kX0 || x > kX0 + kW) return;
                f.line(x, kBottom, x, 2140);
                RadiusLabel(f, x, 2140, v, 15);
            });
        }
    }
    PrintAt(f, 13600, 2320, "Radius");
    PrintAt(f, 12100, 2490, "Histogram from file: " + h.inputFilePath);
}

}  // namespace

// relStdDev, sampleCount and distAbscissa from cboSD and cboN (an N other than 5, 10, 20, 50 keeps
// sampleCount and the table).
void Form1::Disperse() {
    dist.relStdDev = static_cast<float>(Val(cboSD.text()) / 100);
    const Checked<std::int16_t> n = CInt(Val(cboN.text()));
    // An N outside the four tables keeps the sample count and the abscissae of the last valid one.
    if (!n.ok() || !ValidCount(n.value)) return;
    dist.sampleCount = n.value;
    FillAbscissae(dist.sampleCount, dist.distAbscissa);
}

void Form1::optDisp_Click() {
    Label11.setVisible(true);
    Label13.setVisible(true);
    const bool special = cboDistrib.text() == "Special";
    for (Control* c : std::initializer_list<Control*>{&Label7, &Label29, &txtRadius}) c->setVisible(!special);
    cboSD.setVisible(true);
    cboN.setVisible(true);
    cmdNewPlot.setEnabled(true);
    cboDistrib.setEnabled(true);
    cboDistrib.setVisible(true);
    optDisp.setBackColor(kYellow);
    optMono.setBackColor(kButtonFace);
    offerNewPlot(true);
    if (codes.graphCode == kGraphLee) {
        OfferLeeSizeRedraw(*this);
        for (Control* c : std::initializer_list<Control*>{&Label13, &Label29, &cboN}) c->setVisible(false);
    }
    runFlags.resultsStale = 1;
    DistDisplay();
}

void Form1::optMono_Click() {
    Label11.setVisible(false);
    Label13.setVisible(false);
    for (Control* c : std::initializer_list<Control*>{&Label7, &Label29, &txtRadius}) c->setVisible(true);
    cboSD.setVisible(false);
    cboN.setVisible(false);
    cboDistrib.setEnabled(false);
    cboDistrib.setVisible(false);
    cmdOverPlot.setEnabled(true);
    optMono.setBackColor(kYellow);
    optDisp.setBackColor(kButtonFace);
    offerNewPlot(true);
    if (codes.graphCode == kGraphLee) {
        OfferLeeSizeRedraw(*this);
        for (Control* c : std::initializer_list<Control*>{&Label13, &Label29, &cboN}) c->setVisible(false);
    }
    runFlags.resultsStale = 1;
    boxFilled(12000, 0, 15600, 2700, kButtonFace);
}

void Form1::mnuSizeDist_Click() {
    if (RefuseWhileLocked()) return;
    if (!ReadSizeDist() || dist.sizeHistogram.histLoaded != 1) return;  // no histogram: no "Special"
    // A new text runs the change handler itself (and its Lee diagram refusal); only a list that
    // already says "Special" needs the call.
    const bool unchanged = cboDistrib.text() == "Special";
    cboDistrib.setText("Special");
    optDisp.setValue(true);
    if (unchanged) cboDistrib_Change();
}

namespace {

// What the picture shows: the distribution of the boxes, which their handlers draw as the user types (and
// which sets the sample table, radius and boxes the next run takes), or that of the run on show, which a
// redraw draws from its record, changing nothing of the window but the picture.
struct Inset {
    std::string kind, deviation, samples;
    double radius = 0.0;
    int graphCode = kNoGraph;
    bool disperse = false;
    bool ofRun = false;
    std::string histogramFile;  // a Special distribution's file, of the run on show
};

// The bell curve of a Normal or Log-normal distribution with a red tick per sample; false when no sample
// reaches the axis, which the boxes' picture reports for a Normal distribution.
struct Bell {
    DistributionKind kind;
    double r0;
    float sigma;
    int count;
    DistributionAbscissae abscissae;
    double axisMin, axisMax, labelStep;
};

bool DrawBell(Form1& f, const Inset& in, const Bell& b) {
    const double span = b.axisMax - b.axisMin;
    PrintAt(f, 13600, 2320, "Radius");
    graphs::ForStep(b.axisMin, b.axisMax, b.labelStep, [&](double v) {
        const double x = kX0 + kW * ((v - b.axisMin) / span);
        f.line(x, kBottom, x, 2170);
        RadiusLabel(f, x, 2170, v, 30);
    });
    f.setForeColor(kGridCyan);
    for (int k = 0; k < 10; ++k) {  // heights 0, p/10, ... below the peak p
        const double y = kTop + 2000 * (1 - k / 10.0);
        f.line(kX0, y, kX0 + kW, y);
    }
    f.setForeColor(kBellBlue);
    const float step = static_cast<float>(span / 100);
    bool first = true;
    double px = 0, py = 0;
    graphs::ForStep(b.axisMin, b.axisMax, step, [&](double r) {
        if (r <= 0) return;
        const double u = b.kind == DistributionKind::Normal ? (r - b.r0) / b.sigma / b.r0
                                                            : std::log(r / b.r0) / std::log(1 + b.sigma);
        const double x = kX0 + kW * ((r - b.axisMin) / span);
        const double y = kTop + 2000 * (1 - std::exp(-u * u / 2));
        if (!first) f.line(px, py, x, y);
        first = false;
        px = x;
        py = y;
    });
    double lastD = 1.0;
    if (in.graphCode != kGraphLee) {
        f.setForeColor(kRed);
        for (int k = 1; k <= b.count; ++k) {
            const double r = SampleRadius(b.kind, b.r0, b.sigma, b.abscissae[static_cast<std::size_t>(k)]);
            lastD = kW * ((r - b.axisMin) / span);
            if (lastD > 0) f.line(kX0 + lastD, 2050, kX0 + lastD, 1900);
        }
    }
    f.setForeColor(kBlack);
    return !(b.count >= 1 && in.graphCode != kGraphLee && lastD <= 0);
}

// The sample set and axis of a bell distribution, from the boxes (the window's table, as the next run takes
// it) or from the run's record (a table of its own); nothing when there is no width, peak or sample table.
std::optional<Bell> BellOf(Form1& f, const Inset& in) {
    Bell b{
        DistributionKindOf(in.kind), in.radius, static_cast<float>(Val(in.deviation) / 100), 0, {}, 0, 0, 0};
    const Checked<std::int16_t> n = CInt(Val(in.samples));
    if (in.ofRun) {
        if (n.ok() && ValidCount(n.value) && FillAbscissae(n.value, b.abscissae)) b.count = n.value;
    } else {
        f.Disperse();
        f.calc.radius = in.radius;
        f.dist.relStdDev = b.sigma;
        b.count = f.dist.sampleCount;
        b.abscissae = f.dist.distAbscissa;
    }
    const DistributionAxis axis = DistributionAxisFor(b.r0, b.sigma);
    if (!(axis.ok && b.r0 > 0 && b.sigma > 0 && n.ok() && ValidCount(n.value))) return std::nullopt;
    b.axisMin = axis.min;
    b.axisMax = axis.max;
    if (!in.ofRun) {
        f.dist.distAxisMin = axis.min;
        f.dist.distAxisMax = axis.max;
    }
    double s = 0, range = 0;
    if (!f.GridxStep(b.axisMin, b.axisMax, s, range, b.labelStep)) return std::nullopt;
    f.setForeColor(kGridCyan);
    graphs::ForStep(b.axisMin, b.axisMax, s, [&](double v) {
        const double x = kX0 + kW * ((v - b.axisMin) / (b.axisMax - b.axisMin));
        f.line(x, kBottom, x, kTop);
    });
    f.setForeColor(kBlack);
    return b;
}

// The picture at the top right. Positions on the radius axis divide by its span before scaling to the plot
// width, so radii near the largest Double stay on the picture.
void DrawInset(Form1& f, const Inset& in) {
    if (f.Frame6.visible() && f.windowState.screenWidthPx < 1400) f.cmdInfo_Click();
    f.boxFilled(12000, 0, 15600, 2700, kButtonFace);
    f.boxFilled(12000, 0, 15580, 2700, kPanel);
    f.setForeColor(kBlack);
    const bool bell = in.kind == "Normal" || in.kind == "Log-normal";
    std::optional<Bell> b;
    if (bell) {
        PrintAt(f, 12100, 2480,
                in.graphCode == kGraphLee
                    ? in.kind + " distribution"
                    : in.samples + "-point approximation of " + in.kind + " distribution");
        b = BellOf(f, in);
    }
    bool samplesOnAxis = true;
    if (in.disperse && DistributionKindOf(in.kind) == DistributionKind::Special) {
        if (!in.ofRun || f.dist.sizeHistogram.inputFilePath == in.histogramFile) HistogramBars(f, !in.ofRun);
    } else if (in.disperse && bell) {
        if (!in.ofRun) {
            if (in.graphCode != kGraphLee) f.cboN.setVisible(true);
            f.cboSD.setVisible(true);
            f.Label11.setVisible(true);
            if (in.graphCode != kGraphLee) f.Label13.setVisible(true);
        }
        if (b) samplesOnAxis = DrawBell(f, in, *b);
    }
    f.box(12000, 0, 15580, 2700, kBlack);
    f.box(kX0, kTop, kX0 + kW, kBottom, kBlack);
    if (!in.ofRun && !samplesOnAxis && in.kind == "Normal") {
        f.cboSD.setBackColor(kRed);
        msgBox("Reduce standard deviation to avoid negative values of radius", mb::kOkOnly,
               std::string("Input error"));
    }
}

}  // namespace

// The size distribution's picture at the top right, of the boxes.
void Form1::DistDisplay() {
    DrawInset(*this, Inset{cboDistrib.text(),
                           cboSD.text(),
                           cboN.text(),
                           MedianRadius(*this),
                           codes.graphCode,
                           optDisp.value(),
                           false,
                           {}});
}

void DrawDistributionOnShow(Form1& f, const RedrawPlan& plan) {
    if (!plan.run) {  // a run's own drawing: the boxes are the run's
        if (f.optDisp.value()) f.DistDisplay();
        return;
    }
    if (!plan.distribution) return;
    const auto& [kind, deviation, samples] = *plan.distribution;
    DrawInset(
        f, Inset{kind, deviation, samples, plan.radius, plan.graphCode, true, true, plan.run->disperseFile});
}

}  // namespace tessary
