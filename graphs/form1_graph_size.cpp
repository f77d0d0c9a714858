// The graph-size, background-colour, logo and grid-line menus of the main window. They set the
// plot box, the polar geometry, the Lee panel width, the colour scheme and the check marks that the
// frame reads at its next drawing, and offer Replot (or New plot while inputs changed); they draw
// nothing themselves.
#include "graphs/axis_steps.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "runs/results_on_show.h"

namespace tessary {

namespace {

// The plot box and polar geometry of the fixed sizes (twips).
struct GraphSize {
    float left, right, top, bottom;
    double polarCentreX, polarCentreY;
    int polarRadius;
    float leePanelWidth;
};
constexpr GraphSize kSmall{1000, 6000, 3400, 6800, 3500, 5100, 1700, 3000};
constexpr GraphSize kMedium{1000, 8000, 3400, 7900, 3500, 5650, 2250, 5000};
constexpr GraphSize kLarge{1000, 15000, 3400, 9800, 5200, 6600, 3200, 5000};

// Checks one size item and unchecks the other four, then offers the redraw.
void SelectGraphSize(Form1& f, Menu& item) {
    for (Menu* size : {&f.mnuVLarge, &f.mnuLarge, &f.mnuMedium, &f.mnuSmall, &f.mnuSizeSpecial})
        size->setChecked(size == &item);
    f.OfferRedraw();
}

void SetGraphSize(Form1& f, const GraphSize& size, Menu& item) {
    f.graph.graphLeft = size.left;
    f.graph.graphRight = size.right;
    f.graph.graphTop = size.top;
    f.graph.graphBottom = size.bottom;
    f.graph.polarCentreX = size.polarCentreX;
    f.graph.polarCentreY = size.polarCentreY;
    f.graph.polarRadius = size.polarRadius;
    if (f.codes.graphCode >= kGraphLee) f.graph.leePanelWidth = size.leePanelWidth;
    SelectGraphSize(f, item);
}

}  // namespace

// Replot when the results on show can be redrawn, else New plot as the default button; nothing is redrawn.
void Form1::OfferRedraw() {
    if (ResultsToRedraw(*this)) {
        cmdReplot.setEnabled(true);
        cmdReplot.setVisible(true);
        cmdReplot.setDefault(true);
    } else {
        cmdNewPlot.setDefault(true);
    }
}

void Form1::mnuSmall_Click() { SetGraphSize(*this, kSmall, mnuSmall); }
void Form1::mnuMedium_Click() { SetGraphSize(*this, kMedium, mnuMedium); }
void Form1::mnuLarge_Click() { SetGraphSize(*this, kLarge, mnuLarge); }

// The whole screen width W and its height H less 2500 twips; the polar plot and panels scale with W.
void Form1::mnuVLarge_Click() {
    const ScreenMetrics metrics = screen();
    const double W = metrics.widthTwips();
    const double H = metrics.heightTwips();
    graph.graphLeft = 1000;
    graph.graphRight = static_cast<float>(W);
    graph.graphTop = 3400;
    graph.graphBottom = static_cast<float>(H - 2500);
    graph.polarCentreX = 1000 + (2.0 / 7.0) * W;
    graph.polarCentreY = graph.graphTop + 0.22 * W;
    graph.polarRadius = graphs::WholeTwips(0.22 * W);
    if (codes.graphCode >= kGraphLee) graph.leePanelWidth = static_cast<float>(W / 3);
    Frame7.setTop(graph.graphBottom + 300);
    SelectGraphSize(*this, mnuVLarge);
}

// Keeps the polar geometry of the size chosen before; the panel width only for the Lee diagram.
void Form1::mnuSizeSpecial_click() {
    graph.graphLeft = 1000;
    graph.graphRight = 8000;
    graph.graphTop = 3400;
    graph.graphBottom = 9000;
    if (cboGraph.text() == "Lee diagram") graph.leePanelWidth = 5000;
    SelectGraphSize(*this, mnuSizeSpecial);
}

// Shared first step of the colour schemes: the redraw offer and no scheme checked.
void Form1::BackgroundColour() {
    OfferRedraw();
    for (Menu* scheme : {&mnuDefault, &mnuWhite, &mnuGrey, &mnuBlack}) scheme->setChecked(false);
}

void Form1::mnuDefault_Click() {
    BackgroundColour();
    graphColours.colourBackSingle = rgb(255, 255, 224);
    graphColours.colourBackMulti = 0;
    graphColours.logoColour = rgb(200, 200, 200);
    mnuDefault.setChecked(true);
    for (PictureBox* picture : {&Picture1, &Picture2, &Picture3}) picture->setBackColor(kButtonFace);
}

void Form1::mnuWhite_Click() {
    BackgroundColour();
    graphColours.colourBackSingle = rgb(255, 255, 255);
    graphColours.colourBackMulti = rgb(255, 255, 255);
    graphColours.logoColour = rgb(200, 200, 200);
    mnuWhite.setChecked(true);
    for (PictureBox* picture : {&Picture1, &Picture2, &Picture3})
        picture->setBackColor(graphColours.colourBackMulti);
}

void Form1::mnuGrey_Click() {
    BackgroundColour();
    graphColours.colourBackSingle = rgb(128, 128, 128);
    graphColours.colourBackMulti = rgb(128, 128, 128);
    graphColours.logoColour = rgb(100, 100, 100);
    mnuGrey.setChecked(true);
}

void Form1::mnuBlack_Click() {
    BackgroundColour();
    graphColours.colourBackSingle = 0;
    graphColours.colourBackMulti = 0;
    graphColours.logoColour = rgb(100, 100, 100);
    mnuBlack.setChecked(true);
}

void Form1::mnuHideLogo_Click() { mnuHideLogo.setChecked(!mnuHideLogo.checked()); }

void Form1::mnuMajorGridX_Click() {
    mnuMajorGridX.setChecked(!mnuMajorGridX.checked());
    OfferRedraw();
}

void Form1::mnuMajorGridY_Click() {
    mnuMajorGridY.setChecked(!mnuMajorGridY.checked());
    OfferRedraw();
}

// Minor grid lines need the major ones: checking a minor item checks its axis's major item too.
void Form1::mnuMinorGridX_Click() {
    if (mnuMinorGridX.checked()) {
        mnuMinorGridX.setChecked(false);
    } else {
        mnuMinorGridX.setChecked(true);
        mnuMajorGridX.setChecked(true);
    }
    OfferRedraw();
}

void Form1::mnuMinorGridY_Click() {
    if (mnuMinorGridY.checked()) {
        mnuMinorGridY.setChecked(false);
    } else {
        mnuMinorGridY.setChecked(true);
        mnuMajorGridY.setChecked(true);
    }
    OfferRedraw();
}

}  // namespace tessary
