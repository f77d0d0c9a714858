// Line colours, styles and widths of the curves: three groups of exclusive menu items. Choosing an
// item unchecks its group, offers a redraw and checks the item; LineColour turns the checked colour
// into the drawing colour and its darker companion for the second curve.
#include "colour/wavelength_set.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "runs/results_on_show.h"

namespace tessary {

namespace {

struct LineColourItem {
    Menu Form1::*item;
    OleColor main;
    OleColor dark;
};
// "True colour" comes first and takes the colour of the wavelength; "False colours" changes nothing.
const LineColourItem kFixedLineColours[] = {
    {&Form1::mnuBlackLine, rgb(0, 0, 0), rgb(50, 50, 50)},
    {&Form1::mnuGreyLine, rgb(128, 128, 128), rgb(72, 72, 72)},
    {&Form1::mnuRedLine, rgb(255, 0, 0), rgb(150, 0, 0)},
    {&Form1::mnuGreenLine, rgb(0, 255, 0), rgb(0, 150, 0)},
    {&Form1::mnuBlueLine, rgb(0, 0, 255), rgb(0, 0, 150)},
    {&Form1::mnuYellowLine, rgb(255, 255, 0), rgb(150, 150, 0)},
    {&Form1::mnuCyanLine, rgb(0, 255, 255), rgb(0, 150, 150)},
    {&Form1::mnuMagentaLine, rgb(255, 0, 255), rgb(150, 0, 150)},
};

void SelectLineColour(Form1& f, Menu& item) {
    f.PlotLineColour();
    item.setChecked(true);
}

}  // namespace

// True colour is the colour of the wavelength of the curves drawn: the run's own while it draws them, on a
// redraw its record's, whatever wavelength the box shows since (a stopped Overplot's, one typed).
void Form1::LineColour() {
    if (mnuTrueColour.checked()) {
        const GraphColours& g = graphColours;
        const WaveColour wave = SettledRecord(*this) ? WavelengthColour(Val(runRecord.lambdaText))
                                                     : WaveColour{g.waveRed, g.waveGreen, g.waveBlue};
        const Checked<std::int32_t> main = RGB(wave.red, wave.green, wave.blue);
        const Checked<std::int32_t> dark = RGB(0.6 * wave.red, 0.6 * wave.green, 0.6 * wave.blue);
        if (main.ok() && dark.ok()) {  // a wavelength without a colour leaves the colours as they were
            setForeColor(static_cast<OleColor>(main.value));
            graphColours.lineColourDark = static_cast<OleColor>(dark.value);
        }
    }
    for (const LineColourItem& colour : kFixedLineColours) {
        if ((this->*colour.item).checked()) {
            setForeColor(colour.main);
            graphColours.lineColourDark = colour.dark;
        }
    }
}

void Form1::PlotLineColour() {
    for (Menu* item : {&mnuTrueColour, &mnuBlackLine, &mnuRedLine, &mnuBlueLine, &mnuGreenLine, &mnuGreyLine,
                       &mnuCyanLine, &mnuMagentaLine, &mnuYellowLine, &mnuFalseColours})
        item->setChecked(false);
    OfferRedraw();
    if (codes.graphCode > kGraphLee) cboLee.setEnabled(true);  // angle maps: false colours had disabled it
}

void Form1::PlotLineStyle() {
    for (Menu* item : {&mnuSolid, &mnuDot, &mnuDash}) item->setChecked(false);
    OfferRedraw();
}

void Form1::PlotDrawWidth() {
    mnuDrawWidth1.setChecked(false);
    mnuDrawWidth2.setChecked(false);
    OfferRedraw();
}

void Form1::mnuTrueColour_Click() { SelectLineColour(*this, mnuTrueColour); }
void Form1::mnuBlackLine_Click() { SelectLineColour(*this, mnuBlackLine); }
void Form1::mnuGreyLine_Click() { SelectLineColour(*this, mnuGreyLine); }
void Form1::mnuRedLine_Click() { SelectLineColour(*this, mnuRedLine); }
void Form1::mnuGreenLine_Click() { SelectLineColour(*this, mnuGreenLine); }
void Form1::mnuBlueLine_Click() { SelectLineColour(*this, mnuBlueLine); }
void Form1::mnuYellowLine_Click() { SelectLineColour(*this, mnuYellowLine); }
void Form1::mnuCyanLine_Click() { SelectLineColour(*this, mnuCyanLine); }
void Form1::mnuMagentaLine_Click() { SelectLineColour(*this, mnuMagentaLine); }

void Form1::mnuSolid_Click() {
    PlotLineStyle();
    mnuSolid.setChecked(true);
}
void Form1::mnuDot_Click() {
    PlotLineStyle();
    mnuDot.setChecked(true);
}
void Form1::mnuDash_Click() {
    PlotLineStyle();
    mnuDash.setChecked(true);
}

void Form1::mnuDrawwidth1_Click() {
    PlotDrawWidth();
    mnuDrawWidth1.setChecked(true);
}
void Form1::mnuDrawwidth2_Click() {
    PlotDrawWidth();
    mnuDrawWidth2.setChecked(true);
}

}  // namespace tessary
