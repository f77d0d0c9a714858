// The colour options: saturation mode, display gamma, saturated colours and the frozen
// normalisation, and the colour steps that read them. Choosing an option offers a redraw with
// Replot where the results allow it.
#include "colour/colour_scaling.h"
#include "mainwindow/form1.h"
#include "runs/box_number.h"
#include "runs/results_on_show.h"

namespace tessary {

// -------------------------------------------------------------------------------------------------
// Saturation mode: one of three

// Saturation mode (Photo, Freeze, Peak White), gamma mode (None, Individual RGB, Group RGB), saturated
// colours and the frozen normalisation; each offers Replot as its table says.
void Form1::mnuPhoto_Click() {
    mnuPhoto.setChecked(true);
    mnuFreeze.setChecked(false);
    mnuPeakWhite.setChecked(false);
    if (ResultsToRedraw(*this)) offerReplot();
}

void Form1::mnuFreeze_Click() {
    mnuFreeze.setChecked(true);
    mnuPhoto.setChecked(false);
    mnuPeakWhite.setChecked(false);
    if (ResultsToRedraw(*this)) offerReplot();
}

void Form1::mnuPeakWhite_Click() {
    mnuPeakWhite.setChecked(true);
    mnuPhoto.setChecked(false);
    mnuFreeze.setChecked(false);
    if (ResultsToRedraw(*this)) offerReplot();
}

// -------------------------------------------------------------------------------------------------
// Gamma: one of three. A single wavelength is drawn without the colour steps, so nothing to redraw.

void Form1::mnuGamma_Click() {
    if (ResultsToRedraw(*this) && PlanRedraw(*this)->waveCount != 1) offerReplot();
}

void Form1::mnuGammaA_Click() {
    mnuGammaA.setChecked(true);
    mnuGammaB.setChecked(false);
    mnuGammaNone.setChecked(false);
    if (ResultsToRedraw(*this) && PlanRedraw(*this)->waveCount != 1) offerReplot();
}

void Form1::mnuGammaB_Click() {
    mnuGammaB.setChecked(true);
    mnuGammaA.setChecked(false);
    mnuGammaNone.setChecked(false);
    if (ResultsToRedraw(*this) && PlanRedraw(*this)->waveCount != 1) offerReplot();
}

void Form1::mnuGammaNone_Click() {
    mnuGammaNone.setChecked(true);
    mnuGammaA.setChecked(false);
    mnuGammaB.setChecked(false);
    if (ResultsToRedraw(*this) && PlanRedraw(*this)->waveCount != 1) offerReplot();
}

// -------------------------------------------------------------------------------------------------
// Toggles

// Saturated colours are drawn at brightness 1; setting the list redraws at once when the results
// are current. Replot is offered where it would redraw.
void Form1::mnuSaturated_Click() {
    mnuSaturated.setChecked(!mnuSaturated.checked());
    if (mnuSaturated.checked() && cboBright.text() != "1") cboBright.setText("1");
    if (ResultsToRedraw(*this)) offerReplot();  // nothing Replot would draw, nothing offered
}

// On: the run maxima of this moment become the normalisation of later drawings. Off: the drawings
// go back to each run's own maxima, so Replot is shown (without becoming the default button) where it
// would redraw.
void Form1::mnuSetNormal_Click() {
    mnuSetNormal.setChecked(!mnuSetNormal.checked());
    if (mnuSetNormal.checked()) {
        colourSums.savedNormPerp = colourSums.peakPerp;
        colourSums.savedNormPara = colourSums.peakPara;
        colourSums.savedNormUnpol = colourSums.peakUnpol;
    } else if (ResultsToRedraw(*this)) {
        cmdReplot.setEnabled(true);
        cmdReplot.setVisible(true);
    }
}

// -------------------------------------------------------------------------------------------------
// Colour steps by the checked options

// The colour steps by the checked menu items (the pure steps are tessary::Saturation and
// tessary::GammaCorrection, colour/colour_scaling.h). Saturation by the saturation mode, for a colour with a
// channel above 255.
void Form1::Saturation(float& colour1, float& colour2, float& colour3) {
    if (mnuPhoto.checked()) {
        tessary::Saturation(SaturationMode::Photo, colour1, colour2, colour3);
    } else if (mnuPeakWhite.checked()) {
        tessary::Saturation(SaturationMode::PeakWhite, colour1, colour2, colour3);
    } else if (mnuFreeze.checked()) {
        tessary::Saturation(SaturationMode::Freeze, colour1, colour2, colour3);
    }
}

// By Individual or Group RGB (callers skip it while None is checked).
void Form1::GammaCorrection(float& colour1, float& colour2, float& colour3) {
    tessary::GammaCorrection(mnuGammaA.checked() ? GammaMode::Individual : GammaMode::Group, colour1, colour2,
                             colour3);
}

// Writes negative channels back as 0 and sets ForeColor.
void Form1::ColourSet(float& colRed5, float& colGreen5, float& colBlue5) {
    setForeColor(ColourNumber(colRed5, colGreen5, colBlue5));
}

// The brightness of the colours as the number entry reads the list ("0,5" is 0.5, as in every number
// box); a text that is no number counts as 0.
double Form1::Brightness() const { return BoxValue(cboBright.text()); }

}  // namespace tessary
