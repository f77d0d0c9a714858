// save_data: the window's state and the results on show as a data file. Everything is gathered and
// checked first; the file is written in one go and replaces the old one only when complete, so a
// refused or failed save leaves the old file, the point range and the overplot mark as they were.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "colour/colour_render.h"
#include "files/data_file.h"
#include "files/data_file_record.h"
#include "graphs/graph_codes.h"
#include "graphs/graph_geometry.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "runs/run_record.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

constexpr const char* kTitle = "Tessary";

// The message of a refused save; false for the caller.
bool Refuse(const std::string& message) {
    msgBox(message, mb::kOkOnly | mb::kExclamation, std::string(kTitle));
    return false;
}

std::string RangeNotHeld(std::int64_t first, std::int64_t last) {
    return "The stored results do not hold the points " + CStr(first) + " to " + CStr(last) +
           " that the boxes ask for. Run New plot before saving.";
}

template <class Table>
bool Holds(const Table& v, std::int64_t index) {
    return index >= 0 && static_cast<std::uint64_t>(index) < v.size();
}

// Builds the file; nothing when the state is refused (its message shown). pointRange receives
// firstPoint and lastPoint of graph codes 10 to 19.
class Gatherer {
  public:
    explicit Gatherer(Form1& form) : f(form) {}
    std::optional<DataFile> run(std::optional<std::pair<std::int32_t, std::int32_t>>& pointRange);

  private:
    void settings();
    void storedScale();
    void colourScale();
    void leeScale();
    bool range(std::optional<std::pair<std::int32_t, std::int32_t>>& pointRange);
    bool stoppedSweep(const ResultsInUse& use);
    bool results();
    bool leeResults();
    bool amplitudes();

    Form1& f;
    DataFile d;
    int code = kNoGraph;
    std::optional<ResultsInUse> stoppedRows;  // a stopped diagram: the steps it finished
};

void Gatherer::settings() {
    const RunRecord& r = f.runRecord;
    d.graphText = code == kGraphAngle ? "Intensity v. scattering angle" : r.graphText;
    d.sphereName = r.sphereName;
    d.mediumName = r.mediumName;
    d.user1 = r.user1;
    if (!r.user1) d.sphereWord = r.sphereWord;
    d.user2 = r.user2;
    d.method = r.methodText;
    d.rays = r.raysText;
    if (d.rays == "Multiple") d.rayOrders = r.rayOrders;
    d.disperse = r.disperse;
    d.sphere = r.sphere;
    d.medium = r.medium;
    d.inputs = {r.waveText,    r.lambdaText, r.radiusText, r.refractReal,
                r.refractImag, r.xMinText,   r.xMaxText,   r.stepText};
    d.spectrum = r.spectrumWord;
    d.blackBody = r.blackBody;
    d.bandMin = r.bandMinText;
    d.bandMax = r.bandMaxText;
    // The y limits the results on show were drawn with.
    d.yMin = r.yMin;
    d.yMax = r.yMax;
    // The light source the results on show were drawn with (a Lee diagram's or map's: its row peaks').
    d.lightSource = LightSourceOf(r);
    d.sunRectangular = SunRectangularOf(r);
    // The run's own: moduli in place of intensities, Inv Wavelength, the beam that lit the sphere and the
    // surface waves' options.
    d.amplitudeValues = HoldsAmplitudes(r);
    d.sizeDivided = r.sizeDivided;
    d.invWavelength = InvWavelengthOf(r);
    // A named set of wavelengths: the count its list and radius give, which the reader holds them to.
    if (r.waveText == "High" || r.waveText == "Med." || r.waveText == "Low")
        d.namedSetCount = DataFileWaveCount(r.waveText, r.radiusText);
    d.illumination = IlluminationOf(r);
    d.surfaceWaveSubtraction = r.surfaceWaveSubtraction;
    d.diffractionAdded = r.diffractionAdded;
    d.debyeRecursion = r.debyeRecursion;
    d.surfaceWaves = SurfaceWavesOf(r);
    d.runInputs = RunInputsOf(r);
}

// A stored Double (Single) as a reader takes it back from the file, whose digits may not give it exactly.
double AsRead(double v) {
    TextFileReader reader = TextFileReader::FromBytes(PrintText(v));
    const Item<double> item = reader.ReadDouble();
    return item.ok() ? item.value : v;
}
float AsRead(float v) {
    TextFileReader reader = TextFileReader::FromBytes(PrintText(v));
    const Item<float> item = reader.ReadSingle();
    return item.ok() ? item.value : v;
}

// The y scale lines: the extremes of the results the file stores, over the run's x range, from those results
// alone: not from the graph on show (drawn since from other curves, another x window, an overplot's frame),
// the graph drawn before the run (which New plot starts from where the limits are typed, and which a map never
// replaces), nor the logarithmic axis (whose raised floor the file does not keep, and which a reader's axis
// raises again from the stored minimum). A file read back gives the same lines again.
void Gatherer::storedScale() {
    const RunRecord& r = f.runRecord;
    d.yScaleMin = d.yScaleMax = 0.0;
    if (d.last < d.first) return;
    if (code >= kGraphLee) {
        leeScale();
        return;
    }
    if (ValuesPerPoint(d) != 3) {
        colourScale();
        return;
    }
    // One curve set: the largest and smallest perpendicular and parallel values in the x range, as Display
    // scans them (a stopped sweep's up to the last point it finished).
    const double step = Val(r.stepText), xMin = Val(r.xMinText);
    const Checked<std::int32_t> angles = CLng(90 / step + 1);
    const graphs::IndexSpan visible =
        graphs::VisibleIndices(code, angles.ok() ? angles.value : f.angleGrid.angleCount, step, xMin,
                               Val(r.xMaxText), xMin, r.xStepLog);
    const graphs::CurveExtremes e =
        graphs::ScanCurves(graphs::PointsUpTo(f.results.intensityPerp, d.last),
                           graphs::PointsUpTo(f.results.intensityPara, d.last), visible, true, true);
    if (!e.scanned) return;
    d.yScaleMax = AMAX(e.maxPerp, e.maxPara);
    d.yScaleMin = AMIN(e.minPerp, e.minPara);
}

// Several wavelengths on an angle graph: as the run finds them from its colour sums (taken as the file gives
// them back, so that their totals read back alike), the smallest sum of a wavelength (of the red, green and
// blue totals over more than seven) in the window and the largest total in the x range.
void Gatherer::colourScale() {
    const auto columns = static_cast<std::size_t>(ValuesPerPoint(d) / 2);
    const bool few = DataFileWaveCount(d.inputs[0], d.inputs[2]) <= kMaxComponentWaves;
    const double step = Val(d.inputs[7]);
    const Checked<std::int32_t> from = CLng(Val(d.inputs[5]) / step + 1),
                                to = CLng(Val(d.inputs[6]) / step + 1);
    double least = 1e20, most = 0.0;
    for (std::size_t i = 0; i + 2 * columns <= d.values.size(); i += 2 * columns) {
        double perp = 0.0, para = 0.0;
        for (std::size_t c = 0; c < columns; ++c) {
            const double p = AsRead(d.values[i + 2 * c]), q = AsRead(d.values[i + 2 * c + 1]);
            perp += p;
            para += q;
            if (few) least = std::min({least, p, q});
        }
        if (!few) least = std::min({least, perp, para});
        const std::int64_t k = d.first + static_cast<std::int64_t>(i / (2 * columns));
        if (from.ok() && to.ok() && k >= from.value && k <= to.value) most = std::max({most, perp, para});
    }
    d.yScaleMin = least;
    d.yScaleMax = most;
}

// A Lee diagram or map: the smallest and largest colour it stores, as the file gives them back.
void Gatherer::leeScale() {
    const long long perStep = LeeValuesPerStep(d);
    bool any = false;
    for (std::size_t i = 0; i < d.leeValues.size(); ++i) {
        if (perStep > 3 && static_cast<long long>(i) % perStep >= perStep - 3) continue;  // the row's peaks
        const double v = AsRead(d.leeValues[i]);
        d.yScaleMin = any ? std::min(d.yScaleMin, v) : v;
        d.yScaleMax = any ? std::max(d.yScaleMax, v) : v;
        any = true;
    }
}

// The point range: for graph codes 10 to 19 worked out from the run's range, as the file states it.
bool Gatherer::range(std::optional<std::pair<std::int32_t, std::int32_t>>& pointRange) {
    const RunRecord& r = f.runRecord;
    if (code >= kGraphLee) {
        // The angle grid the run stored; a stopped run keeps none for a redraw, but its finished rows
        // lie on the run's window.
        d.first = f.leeStores.leeGridFirst;
        d.last = f.leeStores.leeGridLast;
        if (const ResultsInUse use = ResultsInUseOf(r); use.stopped) {
            if (use.last < 1)
                return Refuse(
                    "The last run was stopped after its first step: a diagram of one step cannot be "
                    "saved. Run New plot before saving.");
            d.first = r.windowFirst;
            d.last = r.windowLast;
            stoppedRows = use;
        }
        if (d.last < d.first) return Refuse("No finished diagram is stored. Run New plot before saving.");
        return true;
    }
    if (code < kFirstSweepGraph || code > kLastSweepGraph) {
        d.first = r.windowFirst;
        d.last = r.windowLast;
        return true;
    }
    d.xLog = r.xStepLog;
    const double step = Val(r.stepText);
    const double count = d.xLog ? step + 1 : (Val(r.xMaxText) - Val(r.xMinText)) / step + 1;
    const Checked<std::int32_t> last = CLng(count);
    if (!(step > 0) || !last.ok() || last.value < 1)
        return Refuse("The range of the run gives no points to save (step " + r.stepText +
                      "). Run New plot before saving.");
    d.first = 1;
    d.last = last.value;
    if (const ResultsInUse use = ResultsInUseOf(r); use.stopped && !stoppedSweep(use)) return false;
    pointRange = std::make_pair(d.first, d.last);
    return true;
}

// A stopped sweep is saved as the complete sweep of the points it finished: its last finished x is the
// maximum (with logarithmic steps, the number of steps is one fewer than those points), and the stop
// line says how far the run came. One point alone is no sweep the window could read back.
bool Gatherer::stoppedSweep(const ResultsInUse& use) {
    const RunRecord& r = f.runRecord;
    if (use.last <= d.first)
        return Refuse(
            "The last run was stopped after its first point: a sweep of one point cannot be saved "
            "as a data file. Use \"Save numerical results as text file\" instead.");
    const SweepPlan plan{.firstPoint = d.first,
                         .lastPoint = d.last,
                         .logSteps = d.xLog,
                         .xMin = Val(r.xMinText),
                         .xMax = Val(r.xMaxText),
                         .step = Val(r.stepText)};
    // The count the run was to compute: its record's (a stopped sweep read back ranges over the points it
    // finished only), with the range it planned where the steps are logarithmic.
    d.stopped = StoppedRunOf(r, use.last - d.first + 1);
    d.inputs[6] = CStr(plan.x(use.last));
    if (d.xLog) d.inputs[7] = CStr(use.last - 1);
    d.last = use.last;
    return true;
}

bool Gatherer::results() {
    if (code == kGraphAngle) d.qSca = f.runRecord.qSca;
    if (code >= kFirstSweepGraph) d.angleText = f.runRecord.angleText;
    const int perPoint = ValuesPerPoint(d);
    if (d.last < d.first || perPoint == 0) return true;
    const int waves = perPoint == 3 ? 1 : perPoint / 2;
    const bool intensities = perPoint == 3;
    for (const auto* curve : {&f.results.intensityPerp, &f.results.intensityPara, &f.results.intensityUnpol})
        if (intensities && (!Holds(*curve, d.first) || !Holds(*curve, d.last)))
            return Refuse(RangeNotHeld(d.first, d.last));
    for (int i = 1; !intensities && i <= waves; ++i)
        for (const auto* sums : {&f.colourSums.colourSumPerp, &f.colourSums.colourSumPara})
            if (!Holds((*sums)[static_cast<std::size_t>(i)], d.first) ||
                !Holds((*sums)[static_cast<std::size_t>(i)], d.last))
                return Refuse(RangeNotHeld(d.first, d.last));
    d.values.reserve(static_cast<std::size_t>(d.last - d.first + 1) * static_cast<std::size_t>(perPoint));
    for (std::int32_t k = d.first; k <= d.last; ++k) {
        const auto K = static_cast<std::size_t>(k);
        if (intensities) {
            d.values.insert(d.values.end(), {f.results.intensityPerp[K], f.results.intensityPara[K],
                                             f.results.intensityUnpol[K]});
            continue;
        }
        for (int i = 1; i <= waves; ++i)
            d.values.insert(d.values.end(), {f.colourSums.colourSumPerp[static_cast<std::size_t>(i)][K],
                                             f.colourSums.colourSumPara[static_cast<std::size_t>(i)][K]});
    }
    return true;
}

bool Gatherer::leeResults() {
    d.sweepStart = f.sweepState.sweepStart;
    d.sweepEnd = f.sweepState.sweepEnd;
    d.sweepSteps = f.sweepState.sweepSteps;
    if (stoppedRows) {
        // The diagram of the steps finished: its last step's radius is the end (a stopped map is that
        // map already, redrawn when it stopped).
        const int last = stoppedRows->last;
        if (code == kGraphLee) {
            d.sweepEnd = LeeEndOfRatio(d.sweepStart, f.sweepState.sweepRatio, last);
            d.sweepSteps = static_cast<float>(last);
        }
        if (LeeStepCount(d) != last) return Refuse(RangeNotHeld(0, last));
        d.stopped = StoppedRunOf(f.runRecord, last + 1);
    }
    const int steps = LeeStepCount(d);
    const std::int64_t points = std::int64_t{d.last} - d.first + 1;
    const auto held = [&](const std::vector<std::vector<float>>& store) {
        return Holds(store, steps) &&
               (points <= 0 || Holds(store[static_cast<std::size_t>(steps)], points - 1));
    };
    for (const auto* store : {&f.leeStores.leeRed1, &f.leeStores.leeGreen1, &f.leeStores.leeBlue1,
                              &f.leeStores.leeRed2, &f.leeStores.leeGreen2, &f.leeStores.leeBlue2})
        if (!held(*store) || d.first < 0) return Refuse(RangeNotHeld(d.first, d.last));
    if (!Holds(f.leeStores.leeRowPeaks, 3)) return Refuse(RangeNotHeld(0, steps));
    for (int p = 1; p <= 3; ++p)
        if (!Holds(f.leeStores.leeRowPeaks[static_cast<std::size_t>(p)], steps))
            return Refuse(RangeNotHeld(0, steps));
    for (int s = 0; s <= steps; ++s) {
        const auto S = static_cast<std::size_t>(s);
        for (std::int64_t j = 0; j < points; ++j) {
            const auto J = static_cast<std::size_t>(j);
            d.leeValues.insert(d.leeValues.end(), {f.leeStores.leeRed1[S][J], f.leeStores.leeGreen1[S][J],
                                                   f.leeStores.leeBlue1[S][J], f.leeStores.leeRed2[S][J],
                                                   f.leeStores.leeGreen2[S][J], f.leeStores.leeBlue2[S][J]});
        }
        d.leeValues.insert(d.leeValues.end(), {f.leeStores.leeRowPeaks[1][S], f.leeStores.leeRowPeaks[2][S],
                                               f.leeStores.leeRowPeaks[3][S]});
    }
    return true;
}

// The S1 and S2 block: a table of the results only on an angle graph of one wavelength (elsewhere the
// amplitudes are those of the last size, step or wavelength of the run), and only where the stored
// amplitudes are the run's (a data file read without its block holds none).
bool Gatherer::amplitudes() {
    const RunRecord& r = f.runRecord;
    if (!f.mnuS1S2.checked() || code != kGraphAngle || r.waveCount != 1 || !r.amplitudesStored) return true;
    d.amplitudeBlock = true;
    const std::int32_t first = f.runRecord.windowFirst, last = f.runRecord.windowLast;
    if (last < first) return true;
    for (const auto* table : {&f.results.s1Amp, &f.results.s2Amp})
        for (const std::vector<double>& part : *table)
            if (!Holds(part, first) || !Holds(part, last)) return Refuse(RangeNotHeld(first, last));
    const double step = Val(f.runRecord.stepText);
    for (std::int32_t k = first; k <= last; ++k) {
        const auto K = static_cast<std::size_t>(k);
        const double angle = (k - 1) * step;
        d.amplitudes.insert(d.amplitudes.end(), {angle, f.results.s1Amp[0][K], f.results.s1Amp[1][K],
                                                 f.results.s2Amp[0][K], f.results.s2Amp[1][K]});
    }
    return true;
}

std::optional<DataFile> Gatherer::run(std::optional<std::pair<std::int32_t, std::int32_t>>& pointRange) {
    if (const ResultsInUse use = ResultsInUseOf(f.runRecord); !use.any) {
        Refuse(use.reason);  // no run, or one that finished no point: nothing a run computed to save
        return std::nullopt;
    }
    code = f.runRecord.graphCode;
    if (code == kGraphConvergence) {
        Refuse(
            "A convergence graph cannot be saved as a data file. Use \"Save numerical results as text "
            "file\" instead.");
        return std::nullopt;
    }
    if (code != kGraphAngle && !GraphCodesOf(f.runRecord.graphText)) {
        Refuse("The graph \"" + f.runRecord.graphText + "\" cannot be saved as a data file.");
        return std::nullopt;
    }
    settings();
    if (!range(pointRange)) return std::nullopt;
    if (!(code >= kGraphLee ? leeResults() : results())) return std::nullopt;
    storedScale();
    if (!amplitudes()) return std::nullopt;
    return d;
}

}  // namespace

// The data file (save_text: the text export) is written to chosenFilePath in one go (the old file stays on
// any failure, which is shown); true when written. A state the file cannot hold, or rows the stored results
// do not hold, are refused with a message before anything is written.
bool Form1::save_data() {
    std::optional<std::pair<std::int32_t, std::int32_t>> pointRange;
    const std::optional<DataFile> file = Gatherer(*this).run(pointRange);
    if (!file) return false;
    if (const std::optional<DataFileFailure> refused = CheckDataFileTexts(*file))
        return Refuse(refused->message);

    setMousePointer(11);
    TextFileWriter writer = TextFileWriter::CreateOneGo(fileState.chosenFilePath, &openWriters);
    if (writer.Status().ok()) {
        if (const std::optional<DataFileFailure> refused = EncodeDataFile(*file, writer)) {
            writer.Abandon();
            setMousePointer(1);
            return Refuse(refused->message);
        }
    }
    const FileResult result = writer.Close();
    setMousePointer(1);
    if (!result.ok()) return Refuse(result.message);

    if (pointRange) {
        angleGrid.firstPoint = pointRange->first;
        angleGrid.lastPoint = pointRange->second;
    }
    if (mnuOverplot.checked()) mnuOverplot.setChecked(false);
    return true;
}

}  // namespace tessary
