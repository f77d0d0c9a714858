// The graph types of the main window's graph list: the codes each entry selects and the preset of
// controls, captions, range boxes, scales and menus that the type applies when it is chosen.
// The rows are plain data; Form1's graph-type handler interprets them (form1_graph_presets.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "graphs/graph_codes.h"

namespace tessary {

// What a preset does with a control's visibility.
enum class Vis : std::uint8_t { Keep, Show, Hide };

// When a preset writes a value: always, only when the graph code differs from that of the last
// drawn graph, or only when both the code and the sub-code differ from the last drawn ones.
enum class When : std::uint8_t { Always, TypeChanged, TypeAndSubChanged };

// The "Logarithmic steps" menu item.
enum class StepLogMenu : std::uint8_t {
    Keep,
    Off,        // unchecked, disabled, hidden
    Withdrawn,  // disabled, hidden (check mark left)
    Offered,    // enabled, shown (check mark left)
    On,         // checked, enabled, shown
};

// The y scale.
enum class YScale : std::uint8_t {
    Keep,
    LogAutomaticMin,  // logarithmic; minimum list "Automatic"
    LogAutomatic,     // logarithmic; maximum and minimum lists "Automatic"
    LinearZero,       // linear; minimum list "0"
};

// How the size is entered (radius in µm or size parameter).
enum class SizeEntry : std::uint8_t { Keep, Radius, SizeParameter };

// The fixed value of the second sweep of the angle maps.
enum class SweepFixed : std::uint8_t { Keep, Zero, FromRefractReal, Hidden };

// The Lee-diagram normalisation list.
enum class LeeList : std::uint8_t { Keep, Normalised, NormalisedOrAbsolute };

// The graph-size layout chosen by the diagram presets.
enum class Layout : std::uint8_t { Keep, WhenOverplotChecked, Always };

// x-range boxes: minimum, maximum and step (or, with logarithmic steps, the number of steps).
struct RangePreset {
    When when = When::Always;
    double min = 0.0;
    double max = 0.0;
    double step = 0.0;
    // Written instead of step while logarithmic steps are checked.
    std::optional<double> logSteps = std::nullopt;
};

// Second sweep of the angle maps (frame of the refractive index, radius or wavelength).
struct SweepPreset {
    double min = 0.0;
    double max = 0.0;
    double steps = 0.0;
};

// One preset. Null texts, Vis::Keep and the Keep enumerators leave a control as it is. The fields
// are applied in declaration order, which matters: writing a value raises that control's handler,
// and a later field may undo what the handler showed or hid.
struct GraphPreset {
    StepLogMenu stepLogMenu = StepLogMenu::Keep;
    bool xLog = false;  // select the logarithmic x scale
    Vis frame1 = Vis::Keep;
    // x-axis frame, its tool tip and labels
    const char* frame2Caption = nullptr;
    const char* frame2ToolTip = nullptr;
    const char* label2 = nullptr;
    const char* label3 = nullptr;
    const char* label5 = nullptr;
    const char* label5LogSteps = nullptr;  // used instead of label5 while logarithmic steps are checked
    std::optional<RangePreset> range = std::nullopt;
    YScale yScale = YScale::Keep;
    When yScaleWhen = When::Always;
    Vis frame3 = Vis::Keep;
    // second sweep of the angle maps
    const char* frame9Caption = nullptr;
    Vis frame9 = Vis::Keep;
    const char* label30 = nullptr;
    Vis label30Vis = Vis::Keep;
    const char* label32 = nullptr;
    Vis label32Vis = Vis::Keep;
    SweepFixed sweepFixed = SweepFixed::Keep;
    std::optional<SweepPreset> sweep = std::nullopt;
    bool falseColours = false;  // plain line colours, then "False colours" checked and shown
    // fixed-angle box and its labels
    const char* label19 = nullptr;
    Vis label19Vis = Vis::Keep;
    Vis label31 = Vis::Keep;
    const char* angle = nullptr;
    Vis angleVis = Vis::Keep;
    // wavelength count and light inputs
    const char* wave = nullptr;
    Vis waveVis = Vis::Keep;
    std::optional<bool> waveEnabled = std::nullopt;
    Vis components = Vis::Keep;
    Vis label27 = Vis::Keep;
    const char* lambda = nullptr;
    When lambdaWhen = When::Always;  // when lambda is written
    Vis lambdaVis = Vis::Keep;
    Vis refract = Vis::Keep;  // txtRefractReal, txtRefractImag
    Vis label4 = Vis::Keep;
    Vis label6And28 = Vis::Keep;
    Vis label8To10 = Vis::Keep;
    // drop size
    bool selectMono = false;
    Vis mono = Vis::Keep;
    Vis disp = Vis::Keep;
    const char* distrib = nullptr;
    SizeEntry sizeEntry = SizeEntry::Keep;
    When sizeEntryWhen = When::Always;
    Vis mnuRadiusVis = Vis::Keep;
    Vis mnuDiameterVis = Vis::Keep;
    Vis mnuRadiusDiameterVis = Vis::Keep;
    Vis mnuRadiusXVis = Vis::Keep;
    const char* radius = nullptr;
    When radiusWhen = When::Always;
    Vis radiusVis = Vis::Keep;
    Vis label7 = Vis::Keep;
    Vis label29 = Vis::Keep;
    bool leeRadiusSweep = false;  // minimum, maximum and number of radii of the Lee diagram
    // polarisation, diagram colours, frames
    const char* pol = nullptr;
    Vis polVis = Vis::Keep;
    Vis label12 = Vis::Keep;
    LeeList lee = LeeList::Keep;  // also shows Label26 and cboLee and disables the list
    Vis bright = Vis::Keep;       // cboBright, Label18
    Vis frame5 = Vis::Keep;
    Vis frame8 = Vis::Keep;
    Vis frame4 = Vis::Keep;
    Layout layout = Layout::Keep;
    bool radiusChecked = false;  // "Radius or diameter" hidden, "Diameter" unchecked, "Radius" checked
    Vis logo = Vis::Keep;
    Vis frame2 = Vis::Keep;
    bool overPlotWhenSameGraph = false;  // Overplot offered only when the last graph was this one
};

// What choosing an entry does to the plot menus besides setting the codes.
enum class EntryMenus : std::uint8_t {
    None,
    AngleIntensity,     // "Inv Wavelength" follows the wavelength count; the two-panel views offered
    AbsoluteUnits,      // incident-light dialog, "Inv Wavelength" checked, wave numbers from the wavelength
    PhaseFunction,      // the size-parameter entry offered with one wavelength
    InvWavelength,      // "Inv Wavelength" checked
    SizeParameterMenu,  // the size-parameter entry offered
};

// One entry of the graph list.
struct GraphTypeEntry {
    std::string_view text;
    std::int16_t code = kNoGraph;
    std::int16_t subCode = kNoSubCode;  // 0: the sub-code is left as it was
    EntryMenus menus = EntryMenus::None;
    const GraphPreset* preset = nullptr;
};

// Every entry in list order; "Convergence" last (the list offers it only in the special mode).
std::span<const GraphTypeEntry> GraphTypeTable();

// The entry whose text equals text exactly, or nullptr.
const GraphTypeEntry* FindGraphType(std::string_view text);

// The preset of a graph code and sub-code (codes without variants ignore the sub-code), or nullptr.
// The angle graphs (code 1) have their own preset, applied by the redraw decision.
const GraphPreset* FindGraphPreset(int code, int subCode);
const GraphPreset& AngleGraphPreset();

// Size parameter and wave numbers of the graphs in absolute units (differential cross-sections in
// square metres): x = 2 pi r / lambda * m_medium, k = 2 pi m_medium / lambda (lambda in m, so k in the
// medium, as in x), k squared.
struct AbsoluteScale {
    double wavelength = 0.0;  // µm
    double sizeParam = 0.0;
    double waveNumber = 1.0;    // 1/m
    double waveNumberSq = 1.0;  // 1/m^2
};
// Nothing when the wavelength is not a positive number or a result would not be finite; the graph
// then stays in relative units and the run's input checks refuse the wavelength.
std::optional<AbsoluteScale> AbsoluteScaleFor(double wavelengthUm, double radiusUm, double mediumRe);

}  // namespace tessary
