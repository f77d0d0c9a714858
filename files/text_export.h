// The text export (.txt): the settings and the results of the last run as TAB-separated columns for
// spreadsheets, written from a plain snapshot of the window. No Qt and no window here; the header and
// the column blocks are separate writers so that the batch report can reuse them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/graph_headers.h"
#include "graphs/graph_codes.h"
#include "numerics/complex.h"
#include "platform/text/text_file.h"
#include "runs/method_codes.h"

namespace tessary {

inline constexpr const char* kTextExportHeader = "Tessary v3.4.10";

// The Debye series' functions and coefficients by order, as the last run left them.
struct DebyeTermsView {
    double sizeParam = 0.0;
    double xp1 = 0.0, xp2 = 0.0;  // m x
    std::span<const double> jnx, ynx;
    std::span<const Complex> zeta1x, dzeta1x, zeta2x, dzeta2x, jnnx, ynnx, zeta1nx, dzeta1nx, zeta2nx,
        dzeta2nx;
    std::span<const Complex> r11e, r22e, r11m, r22m, t12e, t21e, t12m, t21m, an2, bn2;
};

struct TextExportSnapshot {
    std::string dateTime;     // the date and time the file is written
    std::string methodLabel;  // caption of lblDebyeRays
    std::string sphereName, mediumName;
    std::string refractReal, refractImag, lambdaText, xMinText, xMaxText, angleText, stepText, graphText;
    std::string spectrumLabel;        // the line naming the spectrum ("Spectrum: Sun (Lee)")
    bool amplitude = false;           // mnuAmplitude
    bool xStepLog = false;            // mnuXStepLog
    bool s1s2 = false;                // mnuS1S2
    bool amplitudesHeld = true;       // s1 and s2 hold the run's amplitudes (a file's only with its block)
    bool pointSource = false;         // optPoint
    bool indexPerWavelength = false;  // the run took m from the models at each wavelength
    bool indexTyped = false;          // the run took a relative index the user typed
    int graphCode = kGraphAngle, graphSubCode = kSubIntensity, waveCount = 1, calcMethod = kMethodMie;
    double radius = 0.0, sizeParam = 0.0, xMax = 0.0;
    float bandMinUm = 0.0f, bandMaxUm = 0.0f;
    // The size distribution the rows average over: the list's kind, standard deviation (%) and number of
    // sizes; a Special distribution's file and number of classes where known.
    std::optional<std::array<std::string, 3>> disperse;
    std::string disperseFile;
    int disperseClasses = 0;
    std::int32_t firstPoint = 1, lastPoint = 0;  // graph code 1; worked out for codes 10 to 19
    // Codes 10 to 19: the last point of the run's whole range (a stopped run's rows end before it), over
    // which logarithmic steps form x; 0 for lastPoint.
    std::int32_t rangeLastPoint = 0;
    std::span<const double> intensityPerp, intensityPara, intensityUnpol, avgPerp, avgPara, avgUnpol;
    // An angle graph of one wavelength in its phase-function or W/m2 variant: each value is the stored
    // intensity times variantFactor over variantDivisor, as the graph draws it.
    double variantFactor = 1.0, variantDivisor = 1.0;
    std::array<std::span<const double>, 2> s1, s2;  // real, imaginary parts by angle index
    std::span<const float> waveList;
    std::array<std::span<const double>, 8> colourSumPerp, colourSumPara;
    // Codes 10 and 15: the relative index (real, imaginary) at a wavelength in um; nothing when the
    // models give none.
    std::function<std::optional<std::pair<double, double>>(double lambdaUm)> relativeIndex;
    std::optional<DebyeTermsView> terms;  // the term dump: S1 + S2 checked with the Debye series
    // A stopped sweep's line after its rows, saying how far the run came; empty for a complete run.
    std::string stopLine;
};

// The point range of graph codes 10 to 19 from the boxes: 1 to the step count of logarithmic steps
// plus 1, or to (max - min) / step + 1 (rounded half to even). Nothing when the boxes give no range
// (a step not above 0, fewer than one point, or logarithmic steps from a minimum not above 0 or
// with a single point).
std::optional<std::pair<std::int32_t, std::int32_t>> ExportPointRange(const std::string& xMinText,
                                                                      const std::string& xMaxText,
                                                                      const std::string& stepText,
                                                                      bool logSteps);

// Steps 2 to 4: the header lines of every export.
void WriteTextExportHeader(const TextExportSnapshot& s, TextFileWriter& w);
// The columns of the graph code, the amplitude block and the term dump. Refuses (writing nothing)
// when the results do not hold the rows asked for: the message says which.
std::optional<std::string> CheckTextExportResults(const TextExportSnapshot& s);
void WriteTextExportColumns(const TextExportSnapshot& s, TextFileWriter& w);
// The columns of graph codes 10 to 19 over firstPoint..lastPoint, shared with the batch report.
void WriteSweepColumns(const TextExportSnapshot& s, TextFileWriter& w);
// A whole header: the given first line, date and time, method, sphere and medium, the settings lines
// of the graph as the table of files/graph_headers.h gives them for the document, and the graph type.
void WriteGraphHeader(const char* firstLine, HeaderForm form, const TextExportSnapshot& s, TextFileWriter& w);
// The orders the term dump writes: those every table holds, at most 0..117.
int TermDumpLastOrder(const DebyeTermsView& t);

}  // namespace tessary
