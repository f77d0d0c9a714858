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

namespace tessary {

bool Form1::SeveralWavelengthsDisperse() {
    const auto points = static_cast<std::size_t>(2 * angleCount - 1);
    for (auto* curve : {&intensityPerp, &intensityPara, &intensityUnpol, &avgPerp, &avgPara, &avgUnpol})
        std::fill_n(curve->begin(), std::min(points + 1, curve->size()), 0.0);
    for (ColourSumTable* sums : {&colourSumPerp, &colourSumPara})
        for (std::size_t c = 0; c < sums->size(); ++c) {
            std::vector<double>& column = (*sums)[c];
            if (column.size() < points + 1) column.resize(points + 1, 0.0);
            if (c >= 1) std::fill_n(column.begin(), points + 1, 0.0);
        }

    const DistributionKind kind = DistributionKindOf(cboDistrib.text());
    if (kind != DistributionKind::Special) Disperse();
    const SizeSamples samples =
        DistributionSamples(kind, radius, relStdDev, distAbscissa, sampleCount, sizeHistogram);
    if (samples.radius.empty()) {
        msgBox("The size distribution has no samples", mb::kOkOnly, std::string("Error"));
        runState = kRunStopped;
        return false;
    }
    const auto count = static_cast<int>(samples.radius.size());
    if (kind == DistributionKind::Special) sampleCount = count;
    lambdaN();

    const bool few = FewWavelengths(cboWave.text() == "RGB", waveCount);
    const double nominalRadius = radius;
    for (loopI = 1; loopI <= waveCount && runState != kRunStopped; ++loopI) {
        const auto i = static_cast<std::size_t>(loopI);
        Label14.setCaption(CStr(loopI));
        wavelength = waveList[i];
        const std::optional<double> m = refrel(wavelength);
        if (!m) break;
        calcIndexRe = *m;
        calcIndexIm = relIndexIm;
        waveNumber = mnuInvWavelength.checked() ? kTwoPi / (wavelength * 1e-6) : 1.0;
        waveNumberSq = mnuAmplitude.checked() ? waveNumber : waveNumber * waveNumber;

        ColourSumTerm term;
        term.few = few;
        term.column = loopI;
        term.distribution = true;
        term.special = kind == DistributionKind::Special;
        term.weight = weightPerWave[i];
        term.K = waveNumberSq;
        term.red = redPerWave[i];
        term.green = greenPerWave[i];
        term.blue = bluePerWave[i];
        term.samples = count;
        for (loopK = 1; loopK <= count; ++loopK) {
            if (runState == kRunStopped) break;
            const auto k = static_cast<std::size_t>(loopK - 1);
            Label15.setCaption(CStr(loopK));
            radius = samples.radius[k];
            sizeParam = kTwoPi * radius / wavelength * mediumRe;
            setForeColor(kButtonFace);
            boxFilled(9200, 950, 13000, 1400);
            setForeColor(kBlack);
            setCurrentX(9200);
            setCurrentY(950);
            print("Radius = " + CStr(RoundTo(radius, 6)));
            setCurrentX(9200);
            setCurrentY(1150);
            print("Wavelength #" + CStr(loopI) + " = " + CStr(waveList[i]));

            DispatchSeveralWavelengths();
            if (runState == kRunStopped) break;
            term.classWeight = samples.weight[k];
            AddColourSums(term, s1Amp[0], s1Amp[1], s2Amp[0], s2Amp[1], windowFirst, windowLast,
                          colourSumPerp, colourSumPara, intensityPerp, intensityPara);
        }
    }
    radius = nominalRadius;
    if (runState == kRunStopped || loopI <= waveCount) return false;  // stopped, or no index at a wavelength
    SeveralWavelengthsFinish();
    return true;
}

}  // namespace tessary
