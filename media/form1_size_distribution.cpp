// The size options of the main window: the sample set of a Normal or Log-normal distribution
// (Disperse), the Monodisperse and Disperse options, the histogram menu command, and the small picture
// of the distribution at the top right (bell curve with a red tick per sample, or the histogram's
// bars), which also reports a Normal distribution whose last sample radius is not above 0.
#include <cmath>
#include <string>

#include "graphs/axis_steps.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/size_distribution.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

constexpr OleColor kPanel = 255 + 256 * 255 + 65536 * 224;  // RGB(255, 255, 224)
constexpr OleColor kGridCyan = 256 * 255 + 65536 * 255;     // RGB(0, 255, 255)
constexpr OleColor kBellBlue = 65536 * 255;                 // RGB(0, 0, 255)
constexpr double kTwoPiAsWritten = 6.28318530717958;
constexpr double kX0 = 12500;  // left edge of the plot area
constexpr double kW = 2800;    // its width
constexpr double kTop = 100, kBottom = 2100;

bool ValidCount(int n) { return n == 5 || n == 10 || n == 20 || n == 50; }

// Median radius from the size box by the checked radius menu.
double MedianRadius(const Form1& f) {
    double r = 0.0;
    if (f.mnuRadius.checked()) r = Val(f.txtRadius.text());
    if (f.mnuDiameter.checked()) r = Val(f.txtRadius.text()) / 2;
    if (f.mnuRadiusX.checked()) r = Val(f.txtRadius.text()) * Val(f.txtLambda.text()) / kTwoPiAsWritten;
    return r;
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
void HistogramBars(Form1& f) {
    const SizeHistogram& h = f.dist.sizeHistogram;
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
        offerReplot();
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
        offerReplot();
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

// The size distribution's picture at the top right.
void Form1::DistDisplay() {
    if (Frame6.visible() && windowState.screenWidthPx < 1400) cmdInfo_Click();
    boxFilled(12000, 0, 15600, 2700, kButtonFace);
    boxFilled(12000, 0, 15580, 2700, kPanel);
    setForeColor(kBlack);

    const std::string kindText = cboDistrib.text();
    const bool bell = kindText == "Normal" || kindText == "Log-normal";
    const DistributionKind kind = DistributionKindOf(kindText);
    bool drawable = false;
    double labelStep = 0;
    // Positions on the radius axis divide by its span before scaling to the plot width, so radii near
    // the largest Double stay on the picture.
    if (bell) {
        Disperse();
        PrintAt(*this, 12100, 2480,
                codes.graphCode == kGraphLee
                    ? kindText + " distribution"
                    : cboN.text() + "-point approximation of " + kindText + " distribution");
        calc.radius = MedianRadius(*this);
        dist.relStdDev = static_cast<float>(Val(cboSD.text()) / 100);
        const Checked<std::int16_t> n = CInt(Val(cboN.text()));
        const DistributionAxis axis = DistributionAxisFor(calc.radius, dist.relStdDev);
        // No picture without a width, a peak or a sample table (no message either).
        drawable = axis.ok && calc.radius > 0 && dist.relStdDev > 0 && n.ok() && ValidCount(n.value);
        if (drawable) {
            dist.distAxisMin = axis.min;
            dist.distAxisMax = axis.max;
            double s = 0, range = 0;
            drawable = GridxStep(dist.distAxisMin, dist.distAxisMax, s, range, labelStep);
            setForeColor(kGridCyan);
            graphs::ForStep(dist.distAxisMin, dist.distAxisMax, s, [&](double v) {
                const double x = kX0 + kW * ((v - dist.distAxisMin) / (dist.distAxisMax - dist.distAxisMin));
                line(x, kBottom, x, kTop);
            });
            setForeColor(kBlack);
        }
    }

    bool ticksPlaced = false;
    double lastD = 0.0;
    if (optDisp.value() && kind == DistributionKind::Special) {
        HistogramBars(*this);
    } else if (optDisp.value() && bell) {
        if (codes.graphCode != kGraphLee) cboN.setVisible(true);
        cboSD.setVisible(true);
        Label11.setVisible(true);
        if (codes.graphCode != kGraphLee) Label13.setVisible(true);
        if (drawable) {
            const double r0 = calc.radius;
            const double sigma = dist.relStdDev;
            const double span = dist.distAxisMax - dist.distAxisMin;
            PrintAt(*this, 13600, 2320, "Radius");
            graphs::ForStep(dist.distAxisMin, dist.distAxisMax, labelStep, [&](double v) {
                const double x = kX0 + kW * ((v - dist.distAxisMin) / span);
                line(x, kBottom, x, 2170);
                RadiusLabel(*this, x, 2170, v, 30);
            });
            setForeColor(kGridCyan);
            for (int k = 0; k < 10; ++k) {  // heights 0, p/10, ... below the peak p
                const double y = kTop + 2000 * (1 - k / 10.0);
                line(kX0, y, kX0 + kW, y);
            }
            setForeColor(kBellBlue);
            const float step = static_cast<float>(span / 100);
            bool first = true;
            double px = 0, py = 0;
            graphs::ForStep(dist.distAxisMin, dist.distAxisMax, step, [&](double r) {
                if (r <= 0) return;
                const double u = kind == DistributionKind::Normal ? (r - r0) / sigma / r0
                                                                  : std::log(r / r0) / std::log(1 + sigma);
                const double x = kX0 + kW * ((r - dist.distAxisMin) / span);
                const double y = kTop + 2000 * (1 - std::exp(-u * u / 2));
                if (!first) line(px, py, x, y);
                first = false;
                px = x;
                py = y;
            });
            if (codes.graphCode != kGraphLee) {
                setForeColor(kRed);
                for (int k = 1; k <= dist.sampleCount; ++k) {
                    const double r = SampleRadius(kind, r0, dist.relStdDev,
                                                  dist.distAbscissa[static_cast<std::size_t>(k)]);
                    lastD = kW * ((r - dist.distAxisMin) / span);
                    if (lastD > 0) line(kX0 + lastD, 2050, kX0 + lastD, 1900);
                }
                ticksPlaced = dist.sampleCount >= 1;
            }
            setForeColor(kBlack);
        }
    }

    box(12000, 0, 15580, 2700, kBlack);
    box(kX0, kTop, kX0 + kW, kBottom, kBlack);
    if (ticksPlaced && lastD <= 0 && kindText == "Normal") {
        cboSD.setBackColor(kRed);
        msgBox("Reduce standard deviation to avoid negative values of radius", mb::kOkOnly,
               std::string("Input error"));
    }
}

}  // namespace tessary
