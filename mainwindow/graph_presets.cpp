// The graph list of the main window: each entry's graph code and sub-code and the preset of the
// controls that the type needs (x axis, range boxes, visible inputs, scales and menus).
#include "mainwindow/graph_presets.h"

#include <array>
#include <cmath>

#include "graphs/graph_codes.h"
#include "numerics/constants.h"
#include "runs/run_rules.h"

namespace tessary {
namespace {

constexpr const char* kAngleTip = "Forward scattering = 0 degrees, back-scattering = 180 degrees";
constexpr const char* kRadiusMicrons = "Radius (  m):";  // the blanks leave room for the µ label

// Angle graphs. Chosen after another type under current results the polarisation list is reset
// to "Both" as well (the handler adds that).
constexpr GraphPreset kAngle{
    .stepLogMenu = StepLogMenu::Off,
    .frame2Caption = "Angle scale",
    .frame2ToolTip = kAngleTip,
    .label2 = "Maximum angle",
    .label3 = "Minimum angle",
    .label5 = "Angular resolution",
    .range = RangePreset{.min = 0, .max = 180, .step = 0.1},
    .yScale = YScale::LogAutomaticMin,
    .frame3 = Vis::Show,
    .label19Vis = Vis::Hide,
    .angle = "0",
    .angleVis = Vis::Hide,
    .wave = "1",
    .waveVis = Vis::Show,
    .waveEnabled = true,
    .label27 = Vis::Show,
    .lambdaVis = Vis::Show,
    .refract = Vis::Show,
    .label4 = Vis::Show,
    .label6And28 = Vis::Show,
    .label8To10 = Vis::Show,
    .mono = Vis::Show,
    .disp = Vis::Show,
    .sizeEntry = SizeEntry::Radius,
    .radius = "10",
    .radiusVis = Vis::Show,
    .label7 = Vis::Show,
    .label29 = Vis::Show,
    .polVis = Vis::Show,
    .frame5 = Vis::Show,
    .frame8 = Vis::Hide,
    .frame4 = Vis::Show,
};

constexpr GraphPreset kWavelength{
    .stepLogMenu = StepLogMenu::Offered,
    .frame2Caption = "Wavelength scale",
    .frame2ToolTip = "",
    .label2 = "Maximum (nm)",
    .label3 = "Minimum (nm)",
    .label5 = "Step (nm)",
    .range = RangePreset{.min = 490, .max = 510, .step = 0.01},
    .yScale = YScale::LinearZero,
    .frame3 = Vis::Show,
    .label19 = "Scattering angle",
    .label19Vis = Vis::Show,
    .angle = "180",
    .angleVis = Vis::Show,
    .wave = "1",
    .waveVis = Vis::Hide,
    .waveEnabled = false,
    .label27 = Vis::Hide,
    .lambdaVis = Vis::Hide,
    .refract = Vis::Hide,
    .label4 = Vis::Hide,
    .label6And28 = Vis::Hide,
    .label8To10 = Vis::Hide,
    .selectMono = true,
    .mono = Vis::Show,
    .disp = Vis::Show,
    .distrib = "Log-normal",
    .sizeEntry = SizeEntry::Radius,
    .radius = "10",
    .radiusVis = Vis::Show,
    .label7 = Vis::Show,
    .polVis = Vis::Show,
    .frame5 = Vis::Hide,
    .frame8 = Vis::Show,
    .frame4 = Vis::Show,
};

// Intensity against the radius (sub-code 1) or the size parameter (sub-code 2) at a fixed angle.
constexpr GraphPreset SizeSweepPreset(bool sizeParameter) {
    GraphPreset p{
        .stepLogMenu = StepLogMenu::Offered,
        .frame2Caption = "Radius of sphere",
        .frame2ToolTip = "",
        .label2 = "Maximum (um)",
        .label3 = "Minimum (um)",
        .label5 = "Step (um)",
        .label5LogSteps = "No. of steps",
        .range = RangePreset{.min = 8.8, .max = 9.2, .step = 0.001, .logSteps = 100},
        .yScale = YScale::LinearZero,
        .frame3 = Vis::Hide,
        .label19 = "Scattering angle",
        .label19Vis = Vis::Show,
        .angle = "178",
        .angleVis = Vis::Show,
        .wave = "1",
        .waveVis = Vis::Show,
        .waveEnabled = false,
        .label27 = Vis::Show,
        .lambda = "0.65",
        .lambdaVis = Vis::Show,
        .refract = Vis::Show,
        .label4 = Vis::Show,
        .label6And28 = Vis::Show,
        .label8To10 = Vis::Show,
        .selectMono = true,
        .mono = Vis::Hide,
        .disp = Vis::Hide,
        .distrib = "Log-normal",
        .mnuDiameterVis = Vis::Hide,
        .radiusVis = Vis::Hide,
        .label7 = Vis::Hide,
        .pol = "Both",
        .polVis = Vis::Show,
        .frame5 = Vis::Hide,
        .frame8 = Vis::Show,
        .frame4 = Vis::Show,
    };
    if (sizeParameter) {
        p.frame2Caption = "Size parameter x";
        p.label2 = "Maximum";
        p.label3 = "Minimum";
        p.label5 = "Step";
        p.range = RangePreset{.min = 88, .max = 92, .step = 0.01, .logSteps = 100};
        p.sizeEntry = SizeEntry::SizeParameter;
        p.mnuDiameterVis = Vis::Keep;
        p.mnuRadiusVis = Vis::Hide;
        p.mnuRadiusDiameterVis = Vis::Hide;
    }
    return p;
}
constexpr GraphPreset kRadius = SizeSweepPreset(false);
constexpr GraphPreset kSizeParameter = SizeSweepPreset(true);

constexpr GraphPreset kRefractiveIndex{
    .stepLogMenu = StepLogMenu::Off,
    .frame2Caption = "Refractive index scale",
    .frame2ToolTip = "",
    .label2 = "Maximum",
    .label3 = "Minimum",
    .label5 = "Step",
    .range = RangePreset{.min = 1.33, .max = 1.34, .step = 0.00001},
    .yScale = YScale::LinearZero,
    .frame3 = Vis::Show,
    .label19 = "Scattering angle",
    .label19Vis = Vis::Show,
    .angle = "178",
    .angleVis = Vis::Show,
    .wave = "1",
    .waveVis = Vis::Show,
    .waveEnabled = false,
    .label27 = Vis::Show,
    .lambda = "0.65",
    .lambdaVis = Vis::Show,
    .refract = Vis::Hide,
    .label4 = Vis::Hide,
    .label6And28 = Vis::Show,
    .label8To10 = Vis::Hide,
    .selectMono = true,
    .mono = Vis::Show,
    .disp = Vis::Hide,
    .distrib = "Log-normal",
    .sizeEntry = SizeEntry::Radius,
    .radius = "10",
    .radiusVis = Vis::Show,
    .label7 = Vis::Show,
    .pol = "Both",
    .polVis = Vis::Show,
    .frame5 = Vis::Hide,
    .frame8 = Vis::Hide,
    .frame4 = Vis::Show,
};

constexpr GraphPreset kConvergence{
    .frame2Caption = "Iterations",
    .frame2ToolTip = "",
    .label2 = "Maximum",
    .label3 = "Minimum",
    .label5 = "Step",
    .range = RangePreset{.min = 1, .max = 200, .step = 1},
    .yScale = YScale::LogAutomatic,
    .frame3 = Vis::Show,
    .label19 = "Scattering angle",
    .label19Vis = Vis::Show,
    .angle = "178",
    .angleVis = Vis::Show,
    .wave = "1",
    .waveVis = Vis::Show,
    .waveEnabled = false,
    .label27 = Vis::Show,
    .lambda = "0.65",
    .lambdaVis = Vis::Show,
    .refract = Vis::Show,
    .label4 = Vis::Show,
    .label6And28 = Vis::Show,
    .label8To10 = Vis::Hide,
    .selectMono = true,
    .mono = Vis::Show,
    .disp = Vis::Hide,
    .distrib = "Log-normal",
    .sizeEntry = SizeEntry::Radius,
    .radius = "10",
    .radiusVis = Vis::Show,
    .label7 = Vis::Show,
    .pol = "Both",
    .polVis = Vis::Show,
    .frame5 = Vis::Hide,
    .frame8 = Vis::Hide,
    .frame4 = Vis::Show,
    .frame2 = Vis::Show,
};

// Efficiencies or cross-sections against the radius (sub-codes 1, 2) or the size parameter (3, 4).
// The range is written only on a change of type, so switching among the variants keeps the range
// the user typed. The radius step 0.01 gives 9,990 points, within the 18,000 a sweep may have.
constexpr GraphPreset EfficiencyPreset(bool sizeParameter) {
    GraphPreset p{
        .stepLogMenu = StepLogMenu::Offered,
        .frame2Caption = "Radius",
        .frame2ToolTip = "",
        .label2 = "Maximum (um)",
        .label3 = "Minimum (um)",
        .label5 = "Step (um)",
        .label5LogSteps = "No. of steps",
        .range =
            RangePreset{.when = When::TypeChanged, .min = 0.1, .max = 100, .step = 0.01, .logSteps = 100},
        .yScale = YScale::LinearZero,
        .yScaleWhen = When::TypeChanged,
        .frame3 = Vis::Hide,
        .label19Vis = Vis::Hide,
        .angle = "0",
        .angleVis = Vis::Hide,
        .wave = "1",
        .waveVis = Vis::Show,
        .waveEnabled = false,
        .label27 = Vis::Show,
        .lambda = "0.65",
        .lambdaWhen = When::TypeChanged,
        .lambdaVis = Vis::Show,
        .refract = Vis::Show,
        .label4 = Vis::Show,
        .label6And28 = Vis::Show,
        .label8To10 = Vis::Show,
        .selectMono = true,
        .mono = Vis::Hide,
        .disp = Vis::Hide,
        .distrib = "Log-normal",
        .mnuDiameterVis = Vis::Hide,
        .radiusVis = Vis::Hide,
        .label7 = Vis::Hide,
        .pol = "Both",
        .polVis = Vis::Hide,
        .label12 = Vis::Hide,
        .frame5 = Vis::Hide,
        .frame8 = Vis::Show,
        .frame4 = Vis::Show,
        .overPlotWhenSameGraph = true,
    };
    if (sizeParameter) {
        p.frame2Caption = "Size parameter x";
        p.label2 = "Maximum";
        p.label3 = "Minimum";
        p.label5 = "Step";
        p.range = RangePreset{.when = When::TypeChanged, .min = 1, .max = 50, .step = 0.01, .logSteps = 100};
        p.mnuDiameterVis = Vis::Keep;
        p.mnuRadiusVis = Vis::Hide;
        p.mnuRadiusDiameterVis = Vis::Hide;
        p.mnuRadiusXVis = Vis::Show;
    }
    return p;
}
constexpr GraphPreset kEfficiencyRadius = EfficiencyPreset(false);
constexpr GraphPreset kEfficiencySize = EfficiencyPreset(true);

constexpr GraphPreset kEfficiencyWavelength{
    .stepLogMenu = StepLogMenu::Offered,
    .frame2Caption = "Wavelength scale",
    .frame2ToolTip = "",
    .label2 = "Maximum (nm)",
    .label3 = "Minimum (nm)",
    .label5 = "Step (nm)",
    .label5LogSteps = "No. of steps",
    .range = RangePreset{.when = When::TypeChanged, .min = 200, .max = 1000, .step = 1, .logSteps = 100},
    .yScale = YScale::LinearZero,
    .frame3 = Vis::Show,
    .label19Vis = Vis::Hide,
    .angle = "0",
    .angleVis = Vis::Hide,
    .wave = "1",
    .waveVis = Vis::Hide,
    .waveEnabled = false,
    .label27 = Vis::Hide,
    .lambdaVis = Vis::Hide,
    .refract = Vis::Hide,
    .label4 = Vis::Hide,
    .label6And28 = Vis::Hide,
    .label8To10 = Vis::Hide,
    .selectMono = true,
    .mono = Vis::Show,
    .disp = Vis::Hide,
    .distrib = "Log-normal",
    .sizeEntry = SizeEntry::Radius,
    .sizeEntryWhen = When::TypeChanged,
    .radius = "1",
    .radiusWhen = When::TypeChanged,
    .radiusVis = Vis::Show,
    .label7 = Vis::Show,
    .polVis = Vis::Hide,
    .label12 = Vis::Show,
    .frame5 = Vis::Hide,
    .frame8 = Vis::Show,
    .frame4 = Vis::Hide,
};

// Asymmetry parameter against the radius (1), the size parameter (2) or the wavelength (3), always
// with logarithmic steps on a logarithmic x axis. The parameter has one curve whatever the polarisation
// list names (drawn for "Both"), so the list is set and hidden as for the efficiencies. The radius and
// size-parameter variants show the drop-size and light-source frames as a fresh window shows them, whichever
// graph hid them before.
constexpr GraphPreset AsymmetryPreset(int sub) {
    GraphPreset p{
        .stepLogMenu = StepLogMenu::On,
        .xLog = true,
        .frame2Caption = "Radius",
        .frame2ToolTip = "",
        .label2 = "Maximum (um)",
        .label3 = "Minimum (um)",
        .label5 = "No. of steps",
        .range = RangePreset{.when = When::TypeChanged, .min = 0.01, .max = 100, .step = 4000},
        .yScale = YScale::LinearZero,
        .frame3 = Vis::Show,
        .label19Vis = Vis::Hide,
        .angle = "0",
        .angleVis = Vis::Hide,
        .wave = "1",
        .waveVis = Vis::Hide,
        .waveEnabled = false,
        .label27 = Vis::Hide,
        .lambdaVis = Vis::Show,
        .refract = Vis::Show,
        .label4 = Vis::Show,
        .label6And28 = Vis::Show,
        .label8To10 = Vis::Show,
        .mono = Vis::Show,
        .disp = Vis::Show,
        .sizeEntry = SizeEntry::Radius,
        .mnuRadiusDiameterVis = Vis::Hide,
        .radius = "10",
        .radiusWhen = When::TypeChanged,
        .radiusVis = Vis::Show,
        .label7 = Vis::Show,
        .pol = "Both",
        .polVis = Vis::Hide,
        .label12 = Vis::Hide,
        .frame5 = Vis::Show,
        .frame8 = Vis::Show,
    };
    if (sub == kSubAsymmetrySize) {
        p.frame2Caption = "Size parameter x";
        p.label2 = "Maximum";
        p.label3 = "Minimum";
        p.range = RangePreset{.when = When::TypeAndSubChanged, .min = 0.1, .max = 1000, .step = 4000};
        p.sizeEntry = SizeEntry::SizeParameter;
        p.radiusWhen = When::TypeAndSubChanged;
    } else if (sub == kSubAsymmetryWavelength) {
        p.frame2Caption = "Wavelength scale";
        p.label2 = "Maximum (nm)";
        p.label3 = "Minimum (nm)";
        // A decade inside the band the default water model (IAPWS) accepts for a sweep, 150 - 2000 nm.
        p.range = RangePreset{.min = 200, .max = 2000, .step = 1, .logSteps = 100};
        p.lambdaVis = Vis::Hide;
        p.refract = Vis::Hide;
        p.label4 = Vis::Hide;
        p.label6And28 = Vis::Hide;
        p.label8To10 = Vis::Hide;
        p.frame3 = Vis::Show;
        p.selectMono = true;
        p.mono = Vis::Show;
        p.disp = Vis::Hide;
        p.distrib = "Log-normal";
        p.radius = "1";
        p.radiusWhen = When::Always;
        p.radiusVis = Vis::Show;
        p.label7 = Vis::Show;
        p.label12 = Vis::Hide;
        p.frame5 = Vis::Hide;
        p.frame4 = Vis::Hide;
    }
    return p;
}
constexpr GraphPreset kAsymmetryRadius = AsymmetryPreset(1);
constexpr GraphPreset kAsymmetrySize = AsymmetryPreset(2);
constexpr GraphPreset kAsymmetryWavelength = AsymmetryPreset(3);

// What the Lee diagram and the four angle maps share: the angle axis, the diagram colour lists in
// place of the y scale, and the layout.
constexpr GraphPreset kDiagram{
    .frame1 = Vis::Hide,
    .frame2Caption = "Angle scale",
    .frame2ToolTip = kAngleTip,
    .label2 = "Maximum angle",
    .label3 = "Minimum angle",
    .label5 = "Angular resolution",
    .components = Vis::Hide,
    .refract = Vis::Hide,
    .label8To10 = Vis::Hide,
    .sizeEntry = SizeEntry::Radius,
    .polVis = Vis::Hide,
    .label12 = Vis::Hide,
    .bright = Vis::Show,
    .frame5 = Vis::Show,
    .frame8 = Vis::Hide,
    .radiusChecked = true,
    .logo = Vis::Hide,
};

constexpr GraphPreset LeePreset() {
    GraphPreset p = kDiagram;
    p.stepLogMenu = StepLogMenu::Withdrawn;
    p.range = RangePreset{.min = 178, .max = 180, .step = 0.05};
    p.frame3 = Vis::Show;
    p.label19Vis = Vis::Hide;
    p.angle = "0";
    p.angleVis = Vis::Hide;
    p.wave = "3";
    p.waveVis = Vis::Show;
    p.waveEnabled = true;
    p.label27 = Vis::Show;
    p.lambdaVis = Vis::Hide;
    p.label4 = Vis::Hide;
    p.label6And28 = Vis::Hide;
    p.selectMono = true;
    p.mono = Vis::Hide;
    p.disp = Vis::Hide;
    p.distrib = "Log-normal";
    p.leeRadiusSweep = true;
    p.lee = LeeList::Normalised;
    p.layout = Layout::WhenOverplotChecked;
    return p;
}
constexpr GraphPreset kLee = LeePreset();

// An angle map against a second swept quantity shown in the sweep frame.
constexpr GraphPreset MapPreset(const char* sweepCaption, SweepPreset sweep) {
    GraphPreset p = kDiagram;
    p.stepLogMenu = StepLogMenu::Offered;
    p.range = RangePreset{.min = 137, .max = 145, .step = 0.05};
    p.frame3 = Vis::Hide;
    p.frame9Caption = sweepCaption;
    p.frame9 = Vis::Show;
    p.label30Vis = Vis::Hide;
    p.label32Vis = Vis::Hide;
    p.sweepFixed = SweepFixed::Hidden;
    p.sweep = sweep;
    p.falseColours = true;
    p.label19 = kRadiusMicrons;
    p.label19Vis = Vis::Show;
    p.label31 = Vis::Show;
    p.angle = "10";
    p.angleVis = Vis::Show;
    p.wave = "1";
    p.waveVis = Vis::Show;
    p.waveEnabled = false;
    p.label27 = Vis::Show;
    p.lambdaVis = Vis::Show;
    p.label4 = Vis::Show;
    p.label6And28 = Vis::Show;
    p.selectMono = true;
    p.distrib = "Log-normal";
    p.lee = LeeList::NormalisedOrAbsolute;
    p.layout = Layout::Always;
    return p;
}

constexpr GraphPreset MapRefractiveIndexPreset() {
    GraphPreset p = MapPreset("Refractive index", {.min = 1.1, .max = 1.5, .steps = 4});
    p.range = RangePreset{.min = 178, .max = 180, .step = 0.05};
    p.frame3 = Vis::Hide;  // the radius is the map frame's box; the drop-size frame's would be ignored
    p.label30 = "Imaginary part";
    p.label30Vis = Vis::Show;
    p.label32 = "Real part";
    p.label32Vis = Vis::Show;
    p.sweepFixed = SweepFixed::Zero;
    p.selectMono = false;
    p.distrib = nullptr;
    return p;
}

constexpr GraphPreset MapImaginaryIndexPreset() {
    GraphPreset p = MapPreset("Refractive index", {.min = 0.001, .max = 0.01, .steps = 4});
    p.label30 = "Real part";
    p.label30Vis = Vis::Show;
    p.label32 = "Imaginary part";
    p.label32Vis = Vis::Show;
    p.sweepFixed = SweepFixed::FromRefractReal;
    return p;
}

constexpr GraphPreset MapRadiusPreset() {
    GraphPreset p = MapPreset("Radius", {.min = 5, .max = 20, .steps = 4});
    p.label19 = nullptr;
    p.label19Vis = Vis::Hide;
    p.label31 = Vis::Hide;
    p.angle = nullptr;
    p.angleVis = Vis::Hide;
    return p;
}

constexpr GraphPreset kMapN = MapRefractiveIndexPreset();
constexpr GraphPreset kMapK = MapImaginaryIndexPreset();
constexpr GraphPreset kMapR = MapRadiusPreset();
constexpr GraphPreset kMapW = MapPreset("Wavelength", {.min = 400, .max = 700, .steps = 4});

constexpr std::array<GraphTypeEntry, 22> kGraphTypes{{
    {"Intensity v. scattering angle", 1, 1, EntryMenus::AngleIntensity, &kAngle},
    {"Watts/sq. m. v. scattering angle", 1, 3, EntryMenus::AbsoluteUnits, &kAngle},
    {"Phase function", 1, 2, EntryMenus::PhaseFunction, &kAngle},
    {"Intensity v. wavelength", 10, 0, EntryMenus::InvWavelength, &kWavelength},
    {"Intensity v. radius", 11, 1, EntryMenus::None, &kRadius},
    {"Intensity v. size parameter x", 11, 2, EntryMenus::None, &kSizeParameter},
    {"Intensity v. refractive index", 12, 0, EntryMenus::SizeParameterMenu, &kRefractiveIndex},
    {"Lee diagram", 20, 0, EntryMenus::None, &kLee},
    {"Qext/Qsca/Qabs v. radius", 14, 1, EntryMenus::None, &kEfficiencyRadius},
    {"Cext/Csca/Cabs v. radius", 14, 2, EntryMenus::None, &kEfficiencyRadius},
    {"Qext/Qsca/Qabs v. size x", 14, 3, EntryMenus::None, &kEfficiencySize},
    {"Cext/Csca/Cabs v. size x", 14, 4, EntryMenus::None, &kEfficiencySize},
    {"Qext/Qsca/Qabs v. wavelength", 15, 1, EntryMenus::None, &kEfficiencyWavelength},
    {"Cext/Csca/Cabs v. wavelength", 15, 2, EntryMenus::None, &kEfficiencyWavelength},
    {"Asymmetry parameter v. radius", 16, 1, EntryMenus::None, &kAsymmetryRadius},
    {"Asymmetry parameter v. size x", 16, 2, EntryMenus::None, &kAsymmetrySize},
    {"Asymmetry parameter v. wavelength", 16, 3, EntryMenus::None, &kAsymmetryWavelength},
    {"Map: angle v. refractive index", 22, 0, EntryMenus::None, &kMapN},
    {"Map: angle v. imaginary RI", 23, 0, EntryMenus::None, &kMapK},
    {"Map: angle v. radius", 24, 0, EntryMenus::None, &kMapR},
    {"Map: angle v. wavelength", 25, 0, EntryMenus::None, &kMapW},
    {"Convergence", 13, 0, EntryMenus::None, &kConvergence},
}};

}  // namespace

std::span<const GraphTypeEntry> GraphTypeTable() { return kGraphTypes; }

const GraphTypeEntry* FindGraphType(std::string_view text) {
    for (const GraphTypeEntry& entry : kGraphTypes) {
        if (entry.text == text) return &entry;
    }
    return nullptr;
}

const GraphPreset& AngleGraphPreset() { return kAngle; }

std::optional<AbsoluteScale> AbsoluteScaleFor(double wavelengthUm, double radiusUm, double mediumRe) {
    // A wavelength of 0 (or a box without a number) would divide by zero below.
    if (!(wavelengthUm > 0.0) || !std::isfinite(wavelengthUm)) return std::nullopt;
    AbsoluteScale s;
    s.wavelength = wavelengthUm;
    s.sizeParam = radiusUm * kTwoPi / wavelengthUm * mediumRe;
    s.waveNumber = MediumWaveNumber(wavelengthUm, mediumRe);
    s.waveNumberSq = s.waveNumber * s.waveNumber;
    if (!std::isfinite(s.sizeParam) || !std::isfinite(s.waveNumber) || !std::isfinite(s.waveNumberSq)) {
        return std::nullopt;
    }
    return s;
}

const GraphPreset* FindGraphPreset(int code, int subCode) {
    for (const GraphTypeEntry& entry : kGraphTypes) {
        if (entry.code == code && (entry.subCode == kNoSubCode || entry.subCode == subCode))
            return entry.preset;
    }
    return nullptr;
}

}  // namespace tessary
