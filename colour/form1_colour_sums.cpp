// The run maxima of the colour sums (PlotN, once per angle point), the sun's disc and the wavelength
// channels and the colour menus as the colour procedures read them, and the false-colour drawing colour.
#include <algorithm>

#include "colour/colour_render.h"
#include "colour/colour_scaling.h"
#include "colour/lee_plot_layout.h"
#include "mainwindow/form1.h"

namespace tessary {

// The sun's disc as the colour steps read it (off unless optSun is selected); waveChannels: the channel
// fractions of the wavelength set.
SunDisc Form1::sunDisc() const {
    SunDisc disc;
    disc.on = optSun.value();
    disc.weights = light.sunDiscWeights;
    disc.steps = light.sunDiscSteps;
    disc.weightSum = light.sunDiscWeightSum;
    disc.lastPoint = 2 * angleGrid.angleCount - 1;
    return disc;
}

WaveChannels Form1::waveChannels() const {
    return {waveSet.redPerWave, waveSet.greenPerWave, waveSet.bluePerWave};
}

// (The pure colour steps are in colour/colour_render.h.) Raises the run maxima by the angle point loopJ.
void Form1::PlotN() {
    // The point and every neighbour the disc reaches lie inside the sums (the run sized them).
    const std::int32_t last = 2 * angleGrid.angleCount - 1;
    for (const ColourSumTable* table : {&colourSums.colourSumPerp, &colourSums.colourSumPara})
        for (const std::vector<double>& column : *table)
            if (last < 1 || column.size() <= static_cast<std::size_t>(last)) return;
    if (sweepState.loopJ < 1 || sweepState.loopJ > last) return;

    ColourPeaks peaks{colourSums.peakPerp,  colourSums.peakPara,   colourSums.peakCommon,
                      colourSums.peakUnpol, colourSums.colourPeak, colourSums.colourRunMax,
                      colourSums.normRed,   colourSums.normGreen,  colourSums.normBlue};
    RaisePeaks(colourSums.colourSumPerp, colourSums.colourSumPara, std::clamp(calc.waveCount, 1, 2001),
               waveChannels(), sunDisc(), sweepState.loopJ, peaks);
    colourSums.peakPerp = peaks.peakPerp;
    colourSums.peakPara = peaks.peakPara;
    colourSums.peakCommon = peaks.peakCommon;
    colourSums.peakUnpol = peaks.peakUnpol;
    colourSums.colourPeak = peaks.colourPeak;
    colourSums.colourRunMax = peaks.runMax;
    colourSums.normRed = peaks.normRed;
    colourSums.normGreen = peaks.normGreen;
    colourSums.normBlue = peaks.normBlue;
}

// Makes the false colour of the scale value v the drawing colour.
void Form1::ColourScale(double v) { setForeColor(FalseColourNumber(v)); }

// The saturation mode and display curve the colour menus set.
ColourFinish Form1::colourFinish() const {
    ColourFinish finish;
    if (mnuPhoto.checked())
        finish.saturation = SaturationMode::Photo;
    else if (mnuPeakWhite.checked())
        finish.saturation = SaturationMode::PeakWhite;
    else if (mnuFreeze.checked())
        finish.saturation = SaturationMode::Freeze;
    if (!mnuGammaNone.checked())
        finish.gamma = mnuGammaA.checked() ? GammaMode::Individual : GammaMode::Group;
    return finish;
}

}  // namespace tessary
