// The wavelength set of the main window: the wavelengths of a run, their display colours and their
// spectral weights under the checked illumination; and the colour of a single wavelength.
#include <algorithm>
#include <cstddef>

#include "colour/wavelength_set.h"
#include "mainwindow/form1.h"
#include "media/dlog_spectrum.h"
#include "platform/text/conversions.h"

namespace tessary {

void Form1::colrgb2(double lambda, double& r3, double& g3a, double& b3) {
    const WaveColour c = WavelengthColour(lambda);
    r3 = c.red;
    g3a = c.green;
    b3 = c.blue;
}

void Form1::lambdaN() {
    // Colour entry k: the channels, the packed colour from the rounded channels, then fractions.
    const auto colourEntry = [this](std::size_t k, double lambda) {
        colrgb2(lambda, redPerWave[k], greenPerWave[k], bluePerWave[k]);
        colourPerWave[k] = static_cast<float>(PackWaveColour(redPerWave[k], greenPerWave[k], bluePerWave[k]));
        redPerWave[k] /= 255.0;
        greenPerWave[k] /= 255.0;
        bluePerWave[k] /= 255.0;
    };

    if (waveCount == 1) {
        colourEntry(1, wavelength);
        return;
    }

    // A limit or temperature that is no Single keeps the value it had.
    const auto single = [](double v, float& into) {
        if (const Checked<float> s = CSng(v); s.ok()) into = s.value;
    };
    single(Val(dlogSpectrumBand_->txtSpectrumMax.text()) / 1000.0, bandMaxUm);
    single(Val(dlogSpectrumBand_->txtSpectrumMin.text()) / 1000.0, bandMinUm);
    const bool blackBody = mnuBlackBody.checked();
    if (blackBody) single(Val(dlogBlackBody_->txtBlackBody.text()), blackBodyTemp);

    // The weight of entry k; a black body without a usable temperature leaves the weight as it was.
    const auto weigh = [&](std::size_t k) {
        const double lambda = waveList[k];
        if (mnuSpectrumLee.checked())
            weightPerWaveWork[k] = SunLeeWeight(lambda, std::span<const float, kSunLeeValues>(sunLeeTable));
        if (mnuSpectrumWernand.checked())
            weightPerWaveWork[k] =
                SunWernandWeight(lambda, std::span<const float, kSunWernandValues>(sunWernandTable));
        if (mnuSpectrumFlat.checked()) weightPerWaveWork[k] = 1.0f;
        if (mnuSpectrumFile.checked() && spectrumFileLoaded == 1)
            if (const std::optional<float> w = SpectrumFileWeight(lambda, specFileWave, specFileValue))
                weightPerWaveWork[k] = *w;
        if (blackBody)
            if (const std::optional<float> w = BlackBodyWeight(lambda, blackBodyTemp))
                weightPerWaveWork[k] = *w;
    };

    // Entries beyond the arrays are never written (the run's input checks allow at most 2000).
    const std::size_t count = static_cast<std::size_t>(std::clamp(waveCount, 0, 2001));
    if (cboWave.text() == "RGB") {
        for (std::size_t k = 1; k <= 3; ++k) {
            waveList[k] = kRgbWavelengthsUm[k - 1];
            colourEntry(k, waveList[k]);
            weigh(k);
        }
        colourPerWave[0] = 0.0f;
    } else {
        for (std::size_t k = 1; k <= count; ++k) {
            waveList[k] = BandCentre(bandMinUm, bandMaxUm, waveCount, static_cast<int>(k));
            colourEntry(k, waveList[k]);
            weigh(k);
        }
    }
    for (std::size_t k = 1; k <= count; ++k) weightPerWave[k] = weightPerWaveWork[k];
}

}  // namespace tessary
