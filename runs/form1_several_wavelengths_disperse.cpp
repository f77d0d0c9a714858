// Runs over several wavelengths averaged over a size distribution: for every wavelength of the set
// each sample radius of the distribution (the samples the one-wavelength averaging takes) is computed
// and added into the colour sums with its weight; the several-wavelength finish then forms the
// totals and draws the coloured result.
//
// Beyond the program's historical loop: the size parameter carries the medium's index like every
// single-size path (m is found first, which sets that index); the methods that take the radius get
// the sample's, the nominal radius is restored afterwards; a histogram given by class limits takes
// the class middle, as the one-wavelength averaging does.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "colour/colour_render.h"
#include "mainwindow/form1.h"
#include "media/size_distribution.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/run_rules.h"

namespace tessary {

// The loop of SeveralWavelengths averaged over a size distribution per wavelength, ending in the same finish.
bool Form1::SeveralWavelengthsDisperse() {
    const auto points = static_cast<std::size_t>(2 * angleGrid.angleCount - 1);
    for (auto* curve : {&results.intensityPerp, &results.intensityPara, &results.intensityUnpol,
                        &results.avgPerp, &results.avgPara, &results.avgUnpol})
        std::fill_n(curve->begin(), std::min(points + 1, curve->size()), 0.0);
    for (ColourSumTable* sums : {&colourSums.colourSumPerp, &colourSums.colourSumPara})
        for (std::size_t c = 0; c < sums->size(); ++c) {
            std::vector<double>& column = (*sums)[c];
            if (column.size() < points + 1) column.resize(points + 1, 0.0);
            if (c >= 1) std::fill_n(column.begin(), points + 1, 0.0);
        }

    const DistributionKind kind = DistributionKindOf(cboDistrib.text());
    if (kind != DistributionKind::Special) Disperse();
    const SizeSamples samples = DistributionSamples(kind, calc.radius, dist.relStdDev, dist.distAbscissa,
                                                    dist.sampleCount, dist.sizeHistogram);
    if (samples.radius.empty()) {
        msgBox("The size distribution has no samples", mb::kOkOnly, std::string("Error"));
        codes.runState = kRunStopped;
        return false;
    }
    const auto count = static_cast<int>(samples.radius.size());
    if (kind == DistributionKind::Special) dist.sampleCount = count;
    if (!RunWaveSet()) return false;

    const bool few = FewWavelengths(cboWave.text() == "RGB", calc.waveCount);
    const double nominalRadius = calc.radius;
    for (sweepState.loopI = 1; sweepState.loopI <= calc.waveCount && codes.runState != kRunStopped;
         ++sweepState.loopI) {
        const auto i = static_cast<std::size_t>(sweepState.loopI);
        Label14.setCaption(CStr(sweepState.loopI));
        calc.wavelength = waveSet.waveList[i];
        const std::optional<double> m = refrel(calc.wavelength);
        if (!m) break;
        calc.calcIndexRe = *m;
        calc.calcIndexIm = indexState.relIndexIm;
        calc.waveNumber =
            mnuInvWavelength.checked() ? MediumWaveNumber(calc.wavelength, indexState.mediumRe) : 1.0;
        calc.waveNumberSq = mnuAmplitude.checked() ? calc.waveNumber : calc.waveNumber * calc.waveNumber;

        ColourSumTerm term;
        term.few = few;
        term.column = sweepState.loopI;
        term.distribution = true;
        term.special = kind == DistributionKind::Special;
        term.weight = waveSet.weightPerWave[i];
        term.K = calc.waveNumberSq;
        term.red = waveSet.redPerWave[i];
        term.green = waveSet.greenPerWave[i];
        term.blue = waveSet.bluePerWave[i];
        term.samples = count;
        for (sweepState.loopK = 1; sweepState.loopK <= count; ++sweepState.loopK) {
            if (codes.runState == kRunStopped) break;
            const auto k = static_cast<std::size_t>(sweepState.loopK - 1);
            Label15.setCaption(CStr(sweepState.loopK));
            calc.radius = samples.radius[k];
            calc.sizeParam = kTwoPi * calc.radius / calc.wavelength * indexState.mediumRe;
            setForeColor(kButtonFace);
            boxFilled(9200, 950, 13000, 1400);
            setForeColor(kBlack);
            setCurrentX(9200);
            setCurrentY(950);
            print("Radius = " + CStr(RoundTo(calc.radius, 6)));
            setCurrentX(9200);
            setCurrentY(1150);
            print("Wavelength #" + CStr(sweepState.loopI) + " = " + CStr(waveSet.waveList[i]));

            DispatchSeveralWavelengths();
            if (codes.runState == kRunStopped) break;
            term.classWeight = samples.weight[k];
            AddColourSums(term, results.s1Amp[0], results.s1Amp[1], results.s2Amp[0], results.s2Amp[1],
                          angleGrid.windowFirst, angleGrid.windowLast, colourSums.colourSumPerp,
                          colourSums.colourSumPara, results.intensityPerp, results.intensityPara);
        }
    }
    calc.radius = nominalRadius;
    if (codes.runState == kRunStopped || sweepState.loopI <= calc.waveCount)
        return false;  // stopped, or no index at a wavelength
    SeveralWavelengthsFinish();
    return true;
}

}  // namespace tessary
