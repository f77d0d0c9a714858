// The wavelength set of the main window: the wavelengths of a run, their display colours and their
// spectral weights under the checked illumination; and the colour of a single wavelength.
#include <algorithm>
#include <cstddef>

#include "colour/wavelength_set.h"
#include "mainwindow/form1.h"
#include "media/dlog_spectrum.h"
#include "platform/text/conversions.h"

namespace tessary {

// The colour of lambda (um) on the 0..255 scale, unrounded.
void Form1::colrgb2(double lambda, double& r3, double& g3a, double& b3) {
    const WaveColour c = WavelengthColour(lambda);
    r3 = c.red;
    g3a = c.green;
    b3 = c.blue;
}

// (The pure steps are in colour/wavelength_set.h.) Fills the set for waveCount: with one wavelength only the
// colour of entry 1 from wavelength; else the band from the band dialog, waveList ("RGB": 0.65, 0.51, 0.44
// um; otherwise the centres of waveCount equal sub-bands), the colours and the weights of the checked
// spectrum. With "Spectrum from file" checked and no file read the weights keep their values. False when a
// wavelength lies outside the table of the checked spectrum: its weight keeps its value, taken from no end
// of the table.
bool Form1::lambdaN() {
    // Colour entry k: the channels, the packed colour from the rounded channels, then fractions.
    const auto colourEntry = [this](std::size_t k, double lambda) {
        colrgb2(lambda, waveSet.redPerWave[k], waveSet.greenPerWave[k], waveSet.bluePerWave[k]);
        graphColours.colourPerWave[k] = static_cast<float>(
            PackWaveColour(waveSet.redPerWave[k], waveSet.greenPerWave[k], waveSet.bluePerWave[k]));
        waveSet.redPerWave[k] /= 255.0;
        waveSet.greenPerWave[k] /= 255.0;
        waveSet.bluePerWave[k] /= 255.0;
    };

    if (calc.waveCount == 1) {
        colourEntry(1, calc.wavelength);
        return true;
    }

    // A limit or temperature that is no Single keeps the value it had.
    const auto single = [](double v, float& into) {
        if (const Checked<float> s = CSng(v); s.ok()) into = s.value;
    };
    single(Val(dlogSpectrumBand_->txtSpectrumMax.text()) / 1000.0, light.bandMaxUm);
    single(Val(dlogSpectrumBand_->txtSpectrumMin.text()) / 1000.0, light.bandMinUm);
    const bool blackBody = mnuBlackBody.checked();
    if (blackBody) single(Val(dlogBlackBody_->txtBlackBody.text()), light.blackBodyTemp);

    // The weight of entry k; a black body without a usable temperature leaves the weight as it was.
    bool insideTables = true;
    const auto take = [&](std::size_t k, const std::optional<float>& w) {
        if (w) waveSet.weightPerWaveWork[k] = *w;
        insideTables = insideTables && w.has_value();
    };
    const auto weigh = [&](std::size_t k) {
        const double lambda = waveSet.waveList[k];
        if (mnuSpectrumLee.checked())
            take(k, SunLeeWeight(lambda, std::span<const float, kSunLeeValues>(builtinTables.sunLeeTable)));
        if (mnuSpectrumWernand.checked())
            take(k, SunWernandWeight(
                        lambda, std::span<const float, kSunWernandValues>(builtinTables.sunWernandTable)));
        if (mnuSpectrumFlat.checked()) waveSet.weightPerWaveWork[k] = 1.0f;
        if (mnuSpectrumFile.checked() && light.spectrumFileLoaded == 1)
            take(k, SpectrumFileWeight(lambda, fileState.specFileWave, fileState.specFileValue,
                                       fileState.spectrumNonUniform == 1));
        if (blackBody)
            if (const std::optional<float> w = BlackBodyWeight(lambda, light.blackBodyTemp))
                waveSet.weightPerWaveWork[k] = *w;
    };

    // Entries beyond the arrays are never written (the run's input checks allow at most 2000).
    const std::size_t count = static_cast<std::size_t>(std::clamp(calc.waveCount, 0, 2001));
    if (cboWave.text() == "RGB") {
        for (std::size_t k = 1; k <= 3; ++k) {
            waveSet.waveList[k] = kRgbWavelengthsUm[k - 1];
            colourEntry(k, waveSet.waveList[k]);
            weigh(k);
        }
        graphColours.colourPerWave[0] = 0.0f;
    } else {
        for (std::size_t k = 1; k <= count; ++k) {
            waveSet.waveList[k] =
                BandCentre(light.bandMinUm, light.bandMaxUm, calc.waveCount, static_cast<int>(k));
            colourEntry(k, waveSet.waveList[k]);
            weigh(k);
        }
    }
    for (std::size_t k = 1; k <= count; ++k) waveSet.weightPerWave[k] = waveSet.weightPerWaveWork[k];
    return insideTables;
}

// The wavelength set of a run: false, after the message and with the run stopped, when a wavelength lies
// outside the spectrum's table (the band checks before the run keep every wavelength inside it).
bool Form1::RunWaveSet() {
    if (lambdaN()) return true;
    msgBox("The table of the spectrum does not cover the band of the run", mb::kOkOnly,
           std::string("Spectrum"));
    codes.runState = kRunStopped;
    return false;
}

}  // namespace tessary
