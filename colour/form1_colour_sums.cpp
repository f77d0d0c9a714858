// The run maxima of the colour sums (PlotN, once per angle point), the sun's disc and the wavelength
// channels as the colour procedures read them, and the false-colour scale of the window's work values.
#include <algorithm>

#include "colour/colour_render.h"
#include "colour/colour_scaling.h"
#include "mainwindow/form1.h"

namespace tessary {

SunDisc Form1::sunDisc() const {
    SunDisc disc;
    disc.on = optSun.value();
    disc.weights = light.sunDiscWeights;
    disc.steps = light.sunDiscSteps;
    disc.weightSum = light.sunDiscWeightSum;
    disc.lastPoint = 2 * angleGrid.angleCount - 1;
    return disc;
}

WaveChannels Form1::waveChannels() const { return {waveSet.redPerWave, waveSet.greenPerWave, waveSet.bluePerWave}; }

void Form1::PlotN() {
    // The point and every neighbour the disc reaches lie inside the sums (the run sized them).
    const std::int32_t last = 2 * angleGrid.angleCount - 1;
    for (const ColourSumTable* table : {&colourSums.colourSumPerp, &colourSums.colourSumPara})
        for (const std::vector<double>& column : *table)
            if (last < 1 || column.size() <= static_cast<std::size_t>(last)) return;
    if (sweepState.loopJ < 1 || sweepState.loopJ > last) return;

    ColourPeaks peaks{colourSums.peakPerp, colourSums.peakPara, colourSums.peakCommon, colourSums.peakUnpol, colourSums.colourPeak, scratchE,
                      colourSums.normRed,  colourSums.normGreen, colourSums.normBlue};
    RaisePeaks(colourSums.colourSumPerp, colourSums.colourSumPara, std::clamp(calc.waveCount, 1, 2001), waveChannels(), sunDisc(), sweepState.loopJ,
               peaks);
    colourSums.peakPerp = peaks.peakPerp;
    colourSums.peakPara = peaks.peakPara;
    colourSums.peakCommon = peaks.peakCommon;
    colourSums.peakUnpol = peaks.peakUnpol;
    colourSums.colourPeak = peaks.colourPeak;
    scratchE = peaks.runMax;
    colourSums.normRed = peaks.normRed;
    colourSums.normGreen = peaks.normGreen;
    colourSums.normBlue = peaks.normBlue;
}

void Form1::ColourScale() {
    const FalseColour c = tessary::ColourScale(scratchI);
    scratchM = c.x;
    scratchJ = c.red;
    scratchK = c.green;
    scratchL = c.blue;
    float r = static_cast<float>(c.red), g = static_cast<float>(c.green), b = static_cast<float>(c.blue);
    setForeColor(ColourNumber(r, g, b));
}

}  // namespace tessary
