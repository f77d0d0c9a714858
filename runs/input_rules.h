// The rules of the input checks (CheckInput) that judge values alone: a size distribution's deviation, the
// radius sweep of a Lee diagram, the sweep of an angle map, the ranges and steps of the sweeps over an x
// variable, the angle range and step of angle graphs, Lee diagrams and maps, the polar plot, the cubic
// interpolation and the amplitude scale (the index bands are in band_rules.h, what each method needs of
// the index and the ray orders in method_rules.h). CheckInput applies them to the
// boxes (painting the inputs named red and showing the message); the data file's reader applies them to the
// values a file holds, as a redraw of its stored points would, before anything changes. Pure: values in,
// the first refusal out.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessary {

// The inputs a refusal paints red (the boxes of the main window that hold them).
enum class RuleInput {
    Graph,
    Method,
    XMin,
    XMax,
    Step,
    Angle,
    Radius,
    LeeMax,
    LeeSteps,
    Disperse,
    Distribution,
    Deviation,
    Samples,
    MapMin,
    MapMax,
    MapSteps,
    Waves,
    Lambda,
    RefractReal,
    RefractImag,
    Rays,
    YMin,
    YMax,
    TermsMin,
    TermsMax,
    SurfaceAmplitude,
    MapFixed,
    BandMin,  // the boxes of the spectrum band dialog
    BandMax
};

struct InputRefusal {
    std::string prompt;
    std::string title = "Input error";
    std::vector<RuleInput> red;         // painted red, in this order
    RuleInput about = RuleInput::XMin;  // the input the message is about (the first red one, if any)
    bool flash = false;                 // red while the message shows, white again afterwards
    bool checksGoOn = false;            // the run is refused, but the checks go on (too many points)
    bool paintAfter = false;            // painted red once the message has been read
    bool bandDialog = false;            // the spectrum band dialog opens after the message
};

// The values the rules read: the boxes and menus of the window, or a data file's items.
struct RangeInputs {
    int graphCode = 0;
    int graphSubCode = 0;
    int calcMethod = 0;
    bool gaussian = false;           // the Gaussian beam checked
    int listedWaves = 1;             // the wavelengths the list names (a named set more than one)
    double xMin = 0.0, xMax = 0.0;   // the x range of the boxes
    double xLow = 0.0, xHigh = 0.0;  // the x limits the checks compare (the axes of the graph in an overplot)
    double step = 0.0;               // the step list: a step, or the number of logarithmic steps
    double angle = 0.0;              // the fixed scattering angle of a sweep
    bool logSteps = false;           // Logarithmic steps checked
    bool redraw = false;             // a redraw of stored points: their count is the run's, however few
    double radius = 0.0;             // a Lee diagram's first radius, its maximum and its number of steps
    double leeMax = 0.0, leeSteps = 0.0;
    double mapMin = 0.0, mapMax = 0.0, mapSteps = 0.0;  // an angle map's sweep
    bool disperse = false;  // a size distribution, with the texts of its three lists
    std::string distribution, deviation, samples;
    bool sun = false;  // the sun's disc (a sweep has switched to a point source by then)
    // The display options the graph is drawn with (the window's menus), and what the polar plot and the
    // cubic interpolation are judged by: the graph list's text, the run's wavelengths, the wavelength list.
    bool polarPlot = false, intensityPolarisation = false, amplitudePhase = false, interpolate = false;
    std::string graphText;
    int waveCount = 1;
    std::string waveText;
    // The amplitude scale: which y limits are typed (not "Automatic"), the limits the checks compare, and the
    // logarithmic scale.
    bool yMinTyped = false, yMaxTyped = false;
    double yLow = 0.0, yHigh = 0.0;
    bool logScale = false;
};

// A Normal distribution whose last sample radius r0 (1 + sigma t_N) is not above 0 (false while N is no count
// of samples, which is checked later).
bool NormalSampleNotPositive(const std::string& distribution, const std::string& deviation,
                             const std::string& samples);

// Each rule in the order CheckInput takes them; nothing when the values pass (or the rule does not apply).
std::optional<InputRefusal> DeviationRule(const RangeInputs& in);      // a distribution other than Special
std::optional<InputRefusal> PolarPlotRule(const RangeInputs& in);      // angles 0 to 180 of one wavelength
std::optional<InputRefusal> InterpolationRule(const RangeInputs& in);  // 1 or more than 7 wavelengths
std::optional<InputRefusal> MieOnlyGraphRule(const RangeInputs& in);   // efficiencies and asymmetry: Mie
std::optional<InputRefusal> SweepMethodRule(const RangeInputs& in);    // what sweeps and distributions cannot
std::optional<InputRefusal> SweepAngleRule(const RangeInputs& in);     // a sweep's angle on a grid of 90/N
std::optional<InputRefusal> LeeRadiiRule(const RangeInputs& in);       // after the entries of the Lee boxes
std::optional<InputRefusal> MapSweepRule(const RangeInputs& in);       // after the entries of the map boxes
std::optional<InputRefusal> DistributionRule(const RangeInputs& in);   // after the number of colours
std::optional<InputRefusal> ColourPathRule(const RangeInputs& in);     // methods without colours, Lee or maps
std::optional<InputRefusal> SweepRangeRule(const RangeInputs& in);     // graphs against radius, x, wavelength
std::optional<InputRefusal> LogStepRule(const RangeInputs& in);        // logarithmic steps of a sweep
std::optional<InputRefusal> LeeAngleRule(const RangeInputs& in);    // the angle points and Lee distribution
std::optional<InputRefusal> XSweepRule(const RangeInputs& in);      // sweeps over an x variable
std::optional<InputRefusal> SunRule(const RangeInputs& in);         // the sun's disc needs a fine angle step
std::optional<InputRefusal> AngleRangeRule(const RangeInputs& in);  // angle graphs, Lee diagrams and maps
// The typed y limits of an angle graph. A minimum of 0 or less on the logarithmic scale is refused painting
// the minimum alone (RuleInput::YMin): a graph read from a file is drawn on the linear scale instead.
std::optional<InputRefusal> AmplitudeScaleRule(const RangeInputs& in);

// The deviation of a Lee diagram's distribution as a fraction (CheckInput keeps it for the run).
float LeeRelativeDeviation(const RangeInputs& in);

}  // namespace tessary
