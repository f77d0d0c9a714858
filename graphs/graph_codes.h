// The graph codes: the graph type chosen in the graph list (graphCode, prevGraphCode and the run
// record's copy), its variant (graphSubCode), and the polarisation a curve is drawn for. Plain enums
// so the members that hold them stay int and compare with these names directly.
#pragma once

namespace tessary {

// The graph type (graphCode). Codes below 10 are angle graphs, 10 to 19 graphs against another x
// variable, 20 and above the Lee diagram and the angle maps.
enum GraphCode : int {
    kNoGraph = 0,                     // no graph chosen or drawn yet
    kGraphAngle = 1,                  // intensity against the scattering angle
    kGraphWavelength = 10,            // intensity against the wavelength
    kGraphRadius = 11,                // intensity against the radius or the size parameter
    kGraphIndex = 12,                 // intensity against the refractive index
    kGraphConvergence = 13,           // intensity against the series order
    kGraphEfficiency = 14,            // efficiencies or cross-sections against the radius or size
    kGraphEfficiencyWavelength = 15,  // efficiencies or cross-sections against the wavelength
    kGraphAsymmetry = 16,             // asymmetry parameter against radius, size or wavelength
    kGraphLee = 20,                   // Lee diagram
    kGraphMapIndex = 22,              // angle map against the refractive index
    kGraphMapImaginary = 23,          // angle map against the imaginary part of the index
    kGraphMapRadius = 24,             // angle map against the radius
    kGraphMapWavelength = 25,         // angle map against the wavelength
};

// The band of graphs against an x variable other than the angle.
constexpr int kFirstSweepGraph = 10;
constexpr int kLastSweepGraph = 19;

// graphSubCode of the graphs without variants (the Lee diagram and the maps hold it unchanged).
constexpr int kNoSubCode = 0;

// graphSubCode of the angle graph (kGraphAngle).
enum AngleGraphSubCode : int {
    kSubIntensity = 1,      // relative intensity
    kSubPhaseFunction = 2,  // phase function
    kSubWatts = 3,          // intensity in "Watts/sq. m."
};

// graphSubCode of the intensity against radius or size parameter (kGraphRadius).
enum RadiusGraphSubCode : int {
    kSubRadius = 1,  // against the radius
    kSubSize = 2,    // against the size parameter x
};

// graphSubCode of the efficiencies or cross-sections against radius or size (kGraphEfficiency).
enum EfficiencyGraphSubCode : int {
    kSubQRadius = 1,  // Qext/Qsca/Qabs against the radius
    kSubCRadius = 2,  // Cext/Csca/Cabs against the radius
    kSubQSize = 3,    // Qext/Qsca/Qabs against the size parameter
    kSubCSize = 4,    // Cext/Csca/Cabs against the size parameter
};

// graphSubCode of the efficiencies or cross-sections against wavelength (kGraphEfficiencyWavelength).
enum EfficiencyWavelengthSubCode : int {
    kSubQWavelength = 1,  // Qext/Qsca/Qabs
    kSubCWavelength = 2,  // Cext/Csca/Cabs
};

// graphSubCode of the asymmetry parameter graph (kGraphAsymmetry).
enum AsymmetryGraphSubCode : int {
    kSubAsymmetryRadius = 1,      // against the radius
    kSubAsymmetrySize = 2,        // against the size parameter
    kSubAsymmetryWavelength = 3,  // against the wavelength
};

// The polarisation of the curve being drawn (curvePolarisation, set by Display for Plot).
enum CurvePolarisation : int {
    kCurveNone = 0,           // no curve drawn yet
    kCurvePerpendicular = 1,  // S1
    kCurveParallel = 2,       // S2
    kCurveUnpolarised = 3,    // their mean
};

// The entries of the polarisation list cboPol, by list index.
enum PolarisationChoice : int {
    kPolPerpendicular = 0,  // "Perpendicular"
    kPolParallel = 1,       // "Parallel"
    kPolBoth = 2,           // "Both"
    kPolUnpolarised = 3,    // "Unpolarised"
    kPolAll3 = 4,           // "All 3"
};

}  // namespace tessary
