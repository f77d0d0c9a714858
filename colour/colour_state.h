// The main window's colour state (members of Form1): the wavelength set, the colour sums and the
// Lee-diagram stores.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "colour/colour_render.h"

namespace tessary {

// The wavelength set, entries 1..waveCount (0..2001): waveList in um; channel fractions 0..1 (red
// up to 1.25 below 440 nm); the weights as computed, and those the run uses.
struct WaveSet {
    std::array<float, 2002> waveList{};
    std::array<double, 2002> redPerWave{}, greenPerWave{}, bluePerWave{};
    std::array<float, 2002> weightPerWaveWork{}, weightPerWave{};
};

// The colour sums ([column 0..7][angle point], column 0 the totals), their peaks and norms, and the
// colours being drawn.
struct ColourSums {
    ColourSumTable colourSumPerp, colourSumPara, colourSumUnpol;
    // Run maxima of the colour sums, and the normalisation frozen from them by mnuSetNormal.
    double peakPerp = 0.0, peakPara = 0.0, peakUnpol = 0.0;
    double savedNormPerp = 0.0, savedNormPara = 0.0, savedNormUnpol = 0.0;
    double peakCommon = 0.0, colourPeak = 0.0, peakRun = 0.0, peakLee = 0.0;
    double overplotPow1 = 0.0, overplotPow2 = 0.0;
    double normRed = 0.0, normGreen = 0.0, normBlue = 0.0;
    double colourNorm = 0.0;
    double colourRunMax = 0.0;  // the largest summed intensity of either polarisation (PlotN)
    float red1 = 0.0f, green1 = 0.0f, blue1 = 0.0f, red2 = 0.0f, green2 = 0.0f, blue2 = 0.0f;
    float red3 = 0.0f, green3 = 0.0f, blue3 = 0.0f;
    double bowRatio = 0.0;
};

// Colour stores of the Lee diagrams and maps, [sweep step][angle point]; four peaks per step,
// [value 0..3][sweep step]; and the angle grid they were stored on.
struct LeeColourStores {
    std::vector<std::vector<float>> leeRed1, leeRed2, leeGreen1, leeGreen2, leeBlue1, leeBlue2;
    std::vector<std::vector<float>> leeRed3, leeRed4, leeGreen3, leeGreen4, leeBlue3, leeBlue4;
    std::vector<std::vector<float>> leeRowPeaks;
    // The angle grid of the stores, kept from the run: its step and the points stored (offset 0 is
    // leeGridFirst). A redraw outside it computes afresh.
    double leeGridStep = 0.0;
    double leeNormUnpol = 0.0;  // the unpolarised panel's norm of the redraw
    std::int32_t leeGridFirst = 0, leeGridLast = -1;
};

}  // namespace tessary
