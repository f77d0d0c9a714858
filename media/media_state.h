// The main window's media state (members of Form1): refractive indices, light source and spectrum,
// size distribution and the built-in tables.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "media/refrel.h"
#include "media/size_distribution.h"

namespace tessary {

// The index models, names and the indices n + ik of the sphere and the medium at the last wavelength.
struct IndexState {
    IndexModels indexModels;
    std::string sphereName;
    std::string mediumName;
    float waterTemp = 0.0f;
    float reducedTemp = 0.0f;
    float waterDensity = 0.0f;
    double sphereRe = 0.0, sphereIm = 0.0;
    double mediumRe = 0.0;  // real refractive index of the surrounding medium
    double mediumIm = 0.0;
    double relIndexIm = 0.0;  // Im(m)
    // The checked models gave no index at the wavelength shown (txtLambda_change), so the index boxes
    // still hold an earlier number; cleared when an index is shown or typed into the boxes.
    bool indexRefused = false;
};

// The spectrum's label while a spectrum file is chosen, as a run from it names its spectrum.
inline constexpr const char* kSpectrumFileLabel = "Spectrum: Data file";

// The light: spectrum band, spectrum file and black body, and the sun disc's weights.
struct LightState {
    float bandMinUm = 0.0f;
    float bandMaxUm = 0.0f;
    int spectrumFileLoaded = 0;
    float blackBodyTemp = 0.0f;  // K
    double sizeOrStep = 0.0;
    // sunDiscWeights holds w(1)..w(sunDiscSteps); the sum 1 + 2 (w(1) + ...).
    std::vector<double> sunDiscWeights;
    int sunDiscSteps = 0;
    double sunDiscWeightSum = 1.0;
};

// The size distribution: abscissae, histogram, width, samples and the picture's axis.
struct DistributionState {
    DistributionAbscissae distAbscissa{};
    SizeHistogram sizeHistogram;
    double distAxisMin = 0.0, distAxisMax = 0.0;
    float relStdDev = 0.0f;
    int sampleCount = 0;
};

// The built-in sun spectra, water index and metal index tables the window keeps from start-up.
struct BuiltinTables {
    std::array<float, 65> sunLeeTable{};
    std::array<float, 131> sunWernandTable{};
    std::array<float, 129> riBuiltinTable{};
    std::array<float, 50> metalWavelengths{};
    // (1, row) the real part n, (2, row) the imaginary part k; first index 0 and row 0 stay 0.
    std::array<std::array<float, 50>, 3> copperIndexTable{};
    std::array<std::array<float, 50>, 3> silverIndexTable{};
    std::array<std::array<float, 50>, 3> goldIndexTable{};
};

}  // namespace tessary
