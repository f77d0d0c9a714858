// The record of a run: every input its stored results depend on, taken once when New plot, Overplot or
// a batch run starts (after its checks pass) and kept beside the results until the next run replaces
// them. Whatever describes, shows or stores the results afterwards (the data file, the text export, the
// batch report, Replot's grid, the readout, the captions, the simulation) reads this record and asks its
// state through ResultsInUseOf, never the boxes, menus or working arrays as they are now. Display
// settings (the shown window inside the computed range, the polarisation shown, brightness, scales) stay
// live and are not recorded. Plain data: no Qt, no window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/data_file.h"
#include "graphs/graph_codes.h"
#include "media/refrel.h"
#include "runs/method_codes.h"
#include "scattering/beam_shape.h"

namespace tessary {

// How the sphere was lit.
enum class RunIllumination { PlaneWave, GaussianBeam, TopHatBeam };

// How the method calls of a run lit the sphere and what they added or took away, as they report it: the
// beam menus reach only the routines that take a beam (the Gaussian-beam Mie and Debye series, the rays of
// Young mod.), and not on every path (the Debye series of sweeps, distributions and several wavelengths
// is the plane-wave one); the Debye series subtracts its ray optics only where it computed them (not where
// it hands its order 0 to the Mie series). The record keeps what the calls used, not what the menus
// asked for: it is the one place the run's illumination and options come from.
struct RunBeamUse {
    RunIllumination illumination = RunIllumination::PlaneWave;
    bool multipleBeams = false, centralBeam = false;
    GaussianBeamInput beam;               // the beam's values, when a beam was used
    bool surfaceWaveSubtraction = false;  // the Debye series less its ray optics
    bool diffractionAdded = false;        // the ray orders plus diffraction
    bool debyeTerms = false;              // the plane-wave Debye series left its terms (debyeWork)
    bool sizeDivided = false;     // S1 and S2 divided by x (Plot > Size), by the plane-wave Mie series
    bool debyeRecursion = false;  // j_n(m x) by recurrence (Hidden > Debye recursion) on the complex path
};

// What the stored results hold: nothing yet; a whole run; a run stopped before its end, whose finished
// points are final and whose other points were never computed; or a run refused after it began (by its
// method), which left nothing to show or save.
enum class ResultsState { None, Complete, Stopped, Refused };

struct RunRecord {
    bool taken = false;  // false until the first run (or a loaded data file)
    // Which record this is: a new number for every record taken, so that what was made from one run (the
    // simulation's colours) can tell whether that run is still the one on show.
    std::uint64_t serial = 0;

    // Graph: the code and sub-code the run computed, and the graph list's text. variantOnShow: the angle graph
    // of one wavelength it is drawn as since (the phase function of an intensity run, say); none: graphSubCode.
    int graphCode = kNoGraph, graphSubCode = kNoSubCode;
    std::string graphText;
    int variantOnShow = kNoSubCode;
    // The distance (m) and incident intensity (W/m2) the W/m2 graph on show was last drawn with.
    std::optional<std::array<double, 2>> wattsDrawnWith;

    // Method and its options.
    int calcMethod = kMethodNone;
    std::string methodText;               // the method list's text
    std::string raysText;                 // the ray-order list's text
    std::vector<std::int32_t> rayOrders;  // the orders 0..50 flagged for the run
    std::string methodLabel;              // the method as the run labelled it (with its orders, beam)
    std::string title;                    // the calculation title the run left
    RunIllumination illumination = RunIllumination::PlaneWave;
    bool multipleBeams = false, centralBeam = false;
    GaussianBeamInput beam;               // the beam dialog's values, when a beam was chosen
    bool surfaceWaveSubtraction = false;  // the Debye series less its ray optics
    bool diffractionAdded = false;        // Young mod.'s ray orders plus diffraction
    bool sizeDivided = false;        // S1 and S2 divided by x (Plot > Size), as the Mie series applied it
    bool debyeRecursion = false;     // the Debye series' j_n(m x) by recurrence, where it took them
    std::string termsMin, termsMax;  // the surface waves' and van de Hulst's terms
    std::string surfaceWavePaths;    // "Short", "Long" or "Both"
    std::string surfaceWaveModel;    // "Khare", "Lock" or "Nussenzveig"
    std::string surfaceWaveAmplitude;
    bool surfaceWavePhase = false;

    // Size: the radius the size box stood for (um), as text and number; the distribution.
    std::string radiusText;
    double radius = 0.0;
    std::optional<std::array<std::string, 3>> disperse;  // distribution, std dev %, samples
    std::string disperseFile;                            // a Special distribution's file and classes
    int disperseClasses = 0;

    // Light: the wavelength (um), the wavelength count and its list text; spectrum and band.
    std::string lambdaText;
    std::string waveText;
    int waveCount = 1;
    std::string spectrumWord;  // "Sun (Lee)", "Sun (Wernand)", "Flat", "Black body", "Spectrum file"
    std::string blackBody;
    std::string bandMinText, bandMaxText;
    float bandMinUm = 0.0f, bandMaxUm = 0.0f;

    // Index: the relative index as the boxes gave it; the sphere's and medium's models and names.
    // indexTyped: at one wavelength the boxes held a value other than the models give (a user value).
    // indexPerWavelength: the run took the index from the models at each wavelength.
    std::string refractReal, refractImag;
    bool indexTyped = false;
    bool indexPerWavelength = false;
    std::string sphereName, mediumName;
    std::string sphereWord;
    std::optional<UserPointsItems> user1, user2;
    ModelItems sphere, medium;
    IndexModels indexModels;

    // The computed range: x (or angle) minimum, maximum and step as typed, logarithmic steps, the
    // fixed angle of sweeps; amplitudes instead of intensities; intensities per inverse wavelength.
    std::string xMinText, xMaxText, stepText, angleText;
    std::string mapFixedText;  // the part of the index a map of the other part keeps fixed, as typed
    bool xStepLog = false;
    bool amplitude = false;
    bool invWavelength = false;

    // Left by the run when it ends: the x maximum it computed to, the nominal size parameter, the
    // angle indices of its x range and those it computed (the range widened by the sun's disc).
    double xMax = 0.0;
    double sizeParam = 0.0;
    // x of the run's last method call (its last wavelength, sample or step): the readout's X, and the x of
    // the series' terms the text export lists.
    double lastSizeParam = 0.0;
    double qSca = 0.0;  // the efficiency the data file stores with an angle graph
    // The phase function's divisor a size distribution's run formed (the samples' mean of Qsca x^2, times pi
    // over 4 pi); 0 for one sphere, whose divisor comes from qSca and lastSizeParam.
    double phaseNorm = 0.0;
    // The index the run used had Im m > 0 at a step: efficiency, cross-section and asymmetry graphs
    // then show their three curves apart (a reopened file: the index boxes as it restored them).
    bool absorbing = false;
    std::int32_t firstPoint = 1, lastPoint = 0;
    std::int32_t windowFirst = 1, windowLast = 0;

    // The state of the stored results, the points the run finished (doneFirst..doneLast as indices of
    // the stored arrays: the x points of a sweep, the angle indices of an angle graph, the steps of a Lee
    // diagram or map; none when doneLast < doneFirst) and the count it was to compute.
    ResultsState state = ResultsState::None;
    std::int32_t doneFirst = 1, doneLast = 0;
    std::int32_t plannedPoints = 0;

    // Results read from a data file hold only what the file stores: the amplitudes S1 and S2 only with
    // its S1 and S2 block, and never the series' terms of a run in this window.
    bool fromFile = false;
    bool amplitudesStored = true;  // s1Amp and s2Amp hold the run's amplitudes over its window
    bool debyeTerms = false;       // debyeWork holds the terms of this run's plane-wave Debye series
    // Why a run ended before its end when Stop was not answered: the message of the method or model
    // that refused it (empty for a run stopped by the user, and for a complete one).
    std::string endMessage;
    // The light source the results on show were last drawn with: the run's, or a redraw's since; the y limits
    // they were drawn with, as the boxes mean them ("0,01" is 0.01; nothing for "Automatic"); and the
    // polarisation list's text their curves were drawn for (empty: not known).
    LightSource lightSource = LightSource::Point;
    std::optional<double> yMin, yMax;
    std::string polarisation;
    // The sun's disc a Lee diagram's or map's row peaks (which its data file stores) were formed over: the
    // run's light source and Hidden > Sun Rectangular, which a redraw since does not change.
    LightSource peaksLight = LightSource::Point;
    bool sunRectangular = false;
};

// The stored results as whatever shows or saves them may use them, read from the record's state alone:
// every point of a complete run; the points first..last a stopped run finished, of the planned count;
// or none, with the reason a save gives.
struct ResultsInUse {
    bool any = false;      // points may be shown and saved
    bool stopped = false;  // the run ended early: only first..last are finished
    std::int32_t first = 1, last = 0;
    std::int32_t planned = 0;
    // No points: why, in a sentence of its own ("No results are stored.").
    std::string noResults;
    // No points: why, and that a save needs New plot first. Stopped: why the run ended, empty when Stop
    // ended it.
    std::string reason;
};
ResultsInUse ResultsInUseOf(const RunRecord& r);

// The variant of the graph the record's results are drawn as now (graphSubCode until a redraw among the
// angle graphs of one wavelength draws another).
inline int VariantOnShow(const RunRecord& r) {
    return r.variantOnShow != kNoSubCode ? r.variantOnShow : r.graphSubCode;
}

// The run whose colours the simulation's colour table holds: its record's serial and the light source its
// results were drawn with.
struct SimTableRun {
    std::uint64_t serial = 0;
    LightSource lightSource = LightSource::Point;
};

// How a run of the record takes its index, from its graph, wavelengths, index boxes and models: per
// wavelength from the models (several wavelengths, sweeps over the wavelength), else the boxes' index,
// typed where it differs from the models' at the wavelength; absorbing where the boxes' Im m is above 0.
void SetIndexUse(RunRecord& r);

// The option of S1 and S2 divided by the size parameter (Plot > Size) as a label names it.
inline constexpr const char* kSizeDividedOption = "S1 and S2 divided by x";
// The Debye series' j_n(m x) by upward recurrence (Hidden > Debye recursion) as a label names it.
inline constexpr const char* kDebyeRecursionOption = "Debye recursion";

// What a run's label (and the title of a method with ray orders) names after its method and orders, as its
// method names it: the beam, the multiple or central beams, the surface-wave subtraction and the division by
// x, and the Debye recursion the run used ("with Gaussian beam, multiple beams", "minus ray optics", "with S1
// and S2 divided by x");
// empty when the run used none. Descartes adds intensities with no beam weight: it names no beam.
std::string RunOptionsOf(const RunRecord& r);

// The information line naming the spectrum a run of several wavelengths was weighted with, from the record's
// spectrum word (and black-body temperature), as the spectrum menus name it: "Spectrum: Sun (Lee)",
// "Spectrum: Black body 6000K", "Spectrum: Data file".
std::string SpectrumLabelOf(const RunRecord& r);

// The label and title a run of the record's method leaves, with its orders and the options it used, as the
// method names them when it computes (the title ends with the sphere and medium names of the record). The
// one source of the captions of a run that ended before its method named it, and of a data file read back.
struct RunCaptions {
    std::string label;
    std::string title;
};
RunCaptions RunCaptionsOf(const RunRecord& r);

}  // namespace tessary
