// read_file: restores a calculation from a data file and redraws it without computing. The whole file
// is decoded and checked against the program's limits, the window's own entry checks and its own fields
// against each other first, so every refusal comes before the window changes; then the controls, menus
// and dialogs are written in the order the settings depend on each other (each write raises its handler,
// as a user's choice would), the stored results are loaded and the graph is redrawn once at the end. The
// index models, the indices and the run record are built from the file alone (files/data_file_record.h)
// and the window is set from them, never read back from the window half restored: the results read are
// the run that wrote them, saving or exporting them again writes what that run wrote, and New plot
// computes it again.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "colour/lee_diagram.h"
#include "files/data_file.h"
#include "files/data_file_record.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/index_models.h"
#include "numerics/constants.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/band_rules.h"
#include "runs/box_number.h"
#include "runs/input_rules.h"
#include "runs/method_codes.h"
#include "runs/method_rules.h"
#include "runs/results_on_show.h"
#include "runs/run_record.h"
#include "runs/run_rules.h"
#include "runs/sweep_steps.h"
#include "scattering/ray_orders.h"

namespace tessary {

namespace {

void Invalid(const std::string& what) {
    msgBox(std::string(kNotValidMessage) + kCR + what, mb::kOkOnly, std::string("Tessary"));
}

// The notice of a file without the Inputs line of a run that read the inputs of `words` (RunInputWords) from
// boxes: which it does not hold, and that New plot takes them from the boxes.
std::string InputsNotHeld(const std::vector<std::string>& words) {
    constexpr std::pair<const char*, const char*> kNamed[] = {
        {"radius", "radius"},
        {"imaginary part", "fixed imaginary part of the index"},
        {"real part", "fixed real part of the index"},
        {"rays", "number of rays"},
        {"samples", "number of samples"},
        {"coefficient a", "coefficients a"},
        {"coefficient b", "b"}};
    std::string named;
    for (const std::string& word : words)
        for (const auto& [item, name] : kNamed)
            if (word == item) named += (named.empty() ? "" : " and ") + std::string(name);
    return "This file does not hold the " + named +
           " its run read. Data files of earlier versions do not store such inputs: New plot takes them from "
           "the window's boxes.";
}

// Holds a flag set for its lifetime.
class FlagHeld {
  public:
    explicit FlagHeld(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagHeld() { m_flag = false; }
    FlagHeld(const FlagHeld&) = delete;
    FlagHeld& operator=(const FlagHeld&) = delete;

  private:
    bool& m_flag;
};

// The ray-order text of a file as the list takes it. Older programs ran a text that names no order
// ("2,3", "0-3", "2.5") with the order its leading number gives, and stored the text: that order is
// what their results hold, so it is what is read. Read so for every method whose selection the reader
// works out (those of the captions); any other method keeps the text, which it never read.
std::string RaysAsComputed(const DataFile& d) {
    const int method = MethodCodeOf(TranslateMethod(d.method));
    std::int32_t v = 0;
    if ((method != kMethodDebye && method < kMethodAiry) || RayListNamesOrders(d.rays) ||
        !RayListValue(d.rays, v))
        return d.rays;
    return CStr(v);
}

class Loader {
  public:
    Loader(Form1& form, const DataFile& file, GraphCodes codes)
        : f(form),
          d(file),
          g(codes),
          rays(RaysAsComputed(file)),
          windowSphereName(form.indexState.sphereName),
          windowMediumName(form.indexState.mediumName) {
        RecordFromDataFile(d, fileRecord);
    }
    // The file's fields against each other, the window's own limits and the overplot checks; false
    // after a message, nothing changed.
    bool check();
    // Writes the settings and results into the window.
    void apply();
    // The record of the run the file holds, from the file; and the readout of the values it holds.
    void keepRecord();
    // After the redraw, which works out the y scale again from the stored values: the y scale as the
    // file holds it (a redraw leaves the row peaks of a Lee diagram or map as read).
    void keepValuesAsRead();
    // The colours of an angle graph for the strip and the simulation and the maxima they are scaled by, formed
    // from the results read as their run formed them, also where an Overplot from the file drew them over another
    // run's graph (a size distribution at one wavelength formed none).
    void colours();
    // A Lee diagram is redrawn by PlotLee itself; everything else, maps included, by Replot.
    bool isLeeDiagram() const { return g.code == kGraphLee; }

  private:
    bool hasRayOrders() const;
    bool checkTexts() const;
    bool checkModelTexts() const;
    bool checkPlan() const;
    bool checkFields() const;
    bool pointsOfRange() const;
    bool checkInputRules() const;
    int lineOf(RuleInput input) const;
    IndexModels modelsOfFile() const;
    RangeInputs rangeInputs() const;
    BandInputs bandInputs(const IndexModels& fileModels) const;
    MethodInputs methodInputs(const IndexModels& fileModels) const;
    std::optional<RaySelection> orders(const MethodInputs& in, InputRefusal& refusal) const;
    int rangeLine() const;
    int stopLine() const;
    bool checkSweep() const;
    bool checkOverplot() const;
    void method();
    void illumination();
    void head();
    void rayOrders();
    void surfaceWaves();
    void runInputs();
    void userPoints(UserIndexRows& rows, const UserPointsItems& points);
    void size();
    void modelDialogs();
    void indexModels();
    void inputs();
    void indices();
    void scales();
    void options();
    void olderVersion(RunRecord& r) const;
    void spectrum();
    void results();
    void leeResults();
    void caption();
    void notStored();
    void raysReadAsComputed();

    Form1& f;
    const DataFile& d;
    GraphCodes g;
    RunRecord fileRecord;    // the fields the file holds
    IndexModels models;      // the file's models (IndexModelsOf), set as the window's by indexModels()
    const std::string rays;  // the file's ray orders as the list takes them (RaysAsComputed)
    bool notStoredSaid = false;
    // The window keeps its own sphere (medium) model, and with it its name for the runs to come, where the
    // file names an index file the window has not read.
    bool keepsSphere = false, keepsMedium = false;
    const std::string windowSphereName, windowMediumName;
};

bool Loader::hasRayOrders() const {
    const int method = MethodCodeOf(TranslateMethod(d.method));
    return d.version >= 201 && (method == kMethodDebye || (d.version > 3102 && method >= kMethodAiry));
}

// The first radius of a Lee diagram: the radius box of the file, as the run took it.
Checked<float> LeeStart(const DataFile& d) { return CSng(Val(d.inputs[2])); }

// The sweep and angle grid of a Lee diagram or map, as New plot would accept them: a whole number of
// steps, an increasing sweep (of positive values where the run divides by them) and stored points that
// hold the angle range of the boxes, so the redraw reads only stored cells and never computes.
bool Loader::checkSweep() const {
    const float steps = d.sweepSteps;
    const auto refuse = [](int line, const std::string& what) {
        Invalid("Line " + CStr(line) + ": " + what);
        return false;
    };
    if (!(steps >= 1) || steps != std::floor(steps))
        return refuse(lineOf(RuleInput::LeeSteps),
                      "the sweep of " + CStr(steps) + " steps is not a whole number of steps.");
    const bool lee = g.code == kGraphLee;
    const Checked<float> start = lee ? LeeStart(d) : Checked<float>{d.sweepStart};
    const bool positive = g.code != kGraphMapImaginary;  // an imaginary index may start below 0
    const bool startValid = start.ok() && (!positive || start.value > 0);
    if (!startValid || !(start.value < d.sweepEnd))
        return refuse(
            startValid ? lineOf(RuleInput::LeeMax) : lineOf(lee ? RuleInput::Radius : RuleInput::MapMin),
            "the sweep from " + CStr(start.value) + " to " + CStr(d.sweepEnd) + " is not valid.");
    const double s = Val(d.inputs[7]);
    const Checked<std::int32_t> first = CLng(Val(d.inputs[5]) / s + 1);
    const Checked<std::int32_t> last = CLng(Val(d.inputs[6]) / s + 1);
    if (!first.ok() || !last.ok() || first.value >= last.value || first.value < d.first ||
        last.value > d.last)
        return refuse(rangeLine(), "the stored points " + CStr(d.first) + " to " + CStr(d.last) +
                                       " do not hold the angles " + d.inputs[5] + " to " + d.inputs[6] + ".");
    const long long expected = (LeeStepCount(d) + 1LL) * LeeValuesPerStep(d);
    if (static_cast<long long>(d.leeValues.size()) != expected) {
        Invalid("The file holds " + CStr(static_cast<std::int64_t>(d.leeValues.size())) +
                " colour values, not " + CStr(static_cast<std::int64_t>(expected)) + ".");
        return false;
    }
    return true;
}

// A text no item holds, put in the place of the item whose line is asked for.
constexpr const char* kItemMark = "\x01";

// The line of the item that `mark` sets to kItemMark: the file's items written again with that item
// marked. The results come after every item and are left out; 0 when the items cannot be written.
int LineOf(const DataFile& d, const std::function<void(DataFile&)>& mark) {
    DataFile items = d;
    items.values.clear();
    items.leeValues.clear();
    items.amplitudes.clear();
    mark(items);
    const std::optional<std::string> bytes = EncodeDataFileBytes(items);
    const std::size_t at = bytes ? bytes->find(kItemMark) : std::string::npos;
    if (at == std::string::npos) return 0;
    return 1 + static_cast<int>(
                   std::count(bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

// The line of the file that begins with `start` (a line after the results, as the file holds it: a file read
// encodes back to its own bytes); 0 when none does.
int LineStarting(const DataFile& d, const std::string& start) {
    const std::string bytes = EncodeDataFileBytes(d).value_or(std::string());
    const std::size_t at = bytes.find("\n" + start);
    if (at == std::string::npos) return 0;
    return 2 +
           static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

// The number the window takes from a text (getval), which the loader reads as Val does: a decimal comma,
// which the window reads as the point and Val as the end of the number, is no number here.
std::optional<double> FileNumber(const std::string& text, bool minusAllowed, int range) {
    const std::optional<double> v = BoxNumber(text, minusAllowed, range);
    if (!v || *v != Val(text)) return std::nullopt;
    return v;
}

std::string Quoted(const std::string& name, const std::string& text) { return name + " \"" + text + "\""; }

// Every text the file would write into a box or dialog, held to the check the window applies to it
// there: the number entry of the input checks (getval), the water dialog's temperature range, the
// black-body dialog's entry, and the method list as the input checks read it (the distribution's lists
// follow the value rules, checkInputRules). The first that fails is named with its line.
bool Loader::checkTexts() const {
    using Mark = std::function<void(DataFile&)>;
    const auto refuse = [this](const Mark& mark, const std::string& what) {
        Invalid("Line " + CStr(LineOf(d, mark)) + ": " + what);
        return false;
    };
    const auto quoted = &Quoted;
    const auto number = &FileNumber;
    if (d.version >= 200 && MethodCodeOf(TranslateMethod(d.method)) == 0)
        return refuse([](DataFile& m) { m.method = kItemMark; },
                      quoted("the method", d.method) + " is not known");
    // The deviation as the number entry takes it (its value follows the value rules).
    if (d.disperse && (*d.disperse)[0] != "Special" && !number((*d.disperse)[1], true, 0))
        return refuse([](DataFile& m) { (*m.disperse)[1] = kItemMark; },
                      quoted("the standard deviation", (*d.disperse)[1]) + " is not a number");
    if (!checkModelTexts()) return false;
    // The wavelength count as the input checks take it: at least one (the codec holds the maximum).
    if (DataFileWaveCount(d.inputs[0], d.inputs[2]) < 1)
        return refuse([](DataFile& m) { m.inputs[0] = kItemMark; },
                      quoted("the number of wavelengths", d.inputs[0]) + " is below 1");
    // The eight inputs as the input checks take them.
    struct Entry {
        std::size_t input;
        const char* name;
        bool minusAllowed;
        int range;
    };
    const Entry entries[] = {{1, "the wavelength", false, 100},
                             {2, "the radius", false, 100},
                             {3, "the real part of the refractive index", false, 100},
                             {4, "the imaginary part of the refractive index", true, 0},
                             {5, "the x minimum", false, 0},
                             {6, "the x maximum", false, 0},
                             {7, "the step", false, 100}};
    const auto rule = [](bool minusAllowed, int range) {
        return range == 100   ? " is not a number above 0"
               : minusAllowed ? " is not a number"
                              : " is not a number of 0 or more";
    };
    for (const Entry& e : entries) {
        if ((e.input == 3 || e.input == 4) && d.version <= 202) continue;  // the window keeps its own
        const std::string& text = d.inputs[e.input];
        if (!number(text, e.minusAllowed, e.range))
            return refuse([&e](DataFile& m) { m.inputs[e.input] = kItemMark; },
                          quoted(e.name, text) + rule(e.minusAllowed, e.range));
    }
    if (!checkPlan()) return false;
    if (d.version > 201 && d.spectrum == "Black body" && !number(d.blackBody, false, 100))
        return refuse([](DataFile& m) { m.blackBody = kItemMark; },
                      quoted("the black-body temperature", d.blackBody) + rule(false, 100));
    // The band as the band dialog's OK takes it (a decimal comma is the point there), and the surface waves'
    // terms and amplitude as the number entry does.
    for (std::string DataFile::*limit : {&DataFile::bandMin, &DataFile::bandMax}) {
        const std::optional<ValResult> v = ParseTypedNumber(d.*limit);
        if (d.version > 201 && (!v || v->status != NumberStatus::Ok))
            return refuse(
                [limit](DataFile& m) { m.*limit = kItemMark; },
                quoted(limit == &DataFile::bandMin ? "the lower band limit" : "the upper band limit",
                       d.*limit) +
                    " is not a number");
    }
    if (d.surfaceWaves)
        for (const std::string* text :
             {&d.surfaceWaves->termsMin, &d.surfaceWaves->termsMax, &d.surfaceWaves->amplitude})
            if (!BoxNumber(*text, true)) {
                Invalid("Line " + CStr(LineStarting(d, "Surface waves: ")) + ": " +
                        quoted("the surface waves' term or amplitude", *text) + " is not a number");
                return false;
            }
    // The y limits follow the band (the step in files without a spectrum), one line each.
    const Mark before = [this](DataFile& m) { (d.version > 201 ? m.bandMax : m.inputs[7]) = kItemMark; };
    const std::pair<const std::optional<double>*, const char*> limits[] = {{&d.yMin, "the y minimum"},
                                                                           {&d.yMax, "the y maximum"}};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& [limit, name] = limits[i];
        if (*limit && !BoxNumber(CStr(**limit), false, 0)) {
            Invalid("Line " + CStr(LineOf(d, before) + 1 + static_cast<int>(i)) + ": " +
                    quoted(name, CStr(**limit)) + rule(false, 0));
            return false;
        }
    }
    if (g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph) {
        const std::optional<double> angle = number(d.angleText, false, 0);
        if (!angle || *angle > 180)
            return refuse([](DataFile& m) { m.angleText = kItemMark; },
                          quoted("the scattering angle", d.angleText) + " is not a number from 0 to 180");
    }
    return true;
}

// The water and air dialogs' boxes as the dialogs take them, which the models read: a water temperature in the
// water dialog's range (a number beyond the Double range too) and a number, a density that is a number in the
// range the dialog's OK takes (that of the index formula), and an air temperature that is a number.
bool Loader::checkModelTexts() const {
    const std::pair<const ModelItems*, bool> items[] = {{&d.sphere, true}, {&d.medium, false}};
    for (const auto& [model, sphere] : items) {
        const auto refuse = [this, sphere](std::string ModelItems::*item, const std::string& what) {
            Invalid("Line " +
                    CStr(LineOf(d, [sphere, item](
                                       DataFile& m) { (sphere ? m.sphere : m.medium).*item = kItemMark; })) +
                    ": " + what);
            return false;
        };
        if (model->word == (sphere ? "IAPWS" : "Water2")) {
            if (const std::optional<std::string_view> refusal =
                    CheckWaterTemperature(ValOrInfinity(model->temp)))
                return refuse(&ModelItems::temp,
                              Quoted("the water temperature", model->temp) + ": " + std::string(*refusal));
            for (const auto& [item, name] : {std::pair{&ModelItems::temp, "the water temperature"},
                                             std::pair{&ModelItems::density, "the water density"}})
                if (!FileNumber(model->*item, true, 0))
                    return refuse(item, Quoted(name, model->*item) + " is not a number");
            if (const std::optional<std::string_view> refusal =
                    CheckWaterDensity(ValOrInfinity(model->density)))
                return refuse(&ModelItems::density,
                              Quoted("the water density", model->density) + ": " + std::string(*refusal));
        }
        if (model->word == (sphere ? "Air1" : "Air2") && !FileNumber(model->airTemp, true, 0))
            return refuse(&ModelItems::airTemp,
                          Quoted("the air temperature", model->airTemp) + " is not a number");
    }
    return true;
}

// A stopped sweep's planned range, which the x maximum and step boxes show as the run had them: a range from
// the x minimum, whose x at the last point finished is the file's x maximum (the writer's, from the run's x).
bool Loader::checkPlan() const {
    if (!d.stopped || d.stopped->plannedMax.empty()) return true;
    const StoppedRun& stop = *d.stopped;
    if (!FileNumber(stop.plannedMax, false, 0) || !FileNumber(stop.plannedSteps, false, 100) ||
        !(Val(stop.plannedMax) > Val(d.inputs[5]))) {
        Invalid("Line " + CStr(stopLine()) + ": the planned maximum \"" + stop.plannedMax + "\" in \"" +
                stop.plannedSteps + "\" steps is no range from the x minimum \"" + d.inputs[5] + "\"");
        return false;
    }
    // Even steps: the step the file's x values take, over a range of the points planned.
    const std::optional<SweepPlan> even =
        PlanSweep(g.code, Val(d.inputs[5]), Val(stop.plannedMax), Val(d.inputs[5]), Val(stop.plannedMax),
                  Val(stop.plannedSteps), false);
    if (!d.xLog && (!even || even->lastPoint - even->firstPoint + 1 != stop.planned)) {
        Invalid("Line " + CStr(stopLine()) + ": the planned maximum \"" + stop.plannedMax +
                "\" in steps of \"" + stop.plannedSteps + "\" does not give the " + CStr(stop.planned) +
                " points planned");
        return false;
    }
    const SweepPlan plan{.firstPoint = d.first,
                         .lastPoint = d.last,
                         .logSteps = d.xLog,
                         .xMin = Val(d.inputs[5]),
                         .xMax = Val(stop.plannedMax),
                         .step = Val(stop.plannedSteps)};
    const std::string last = CStr(plan.x(d.last));
    if (d.inputs[6] == last) return true;
    Invalid("Line " + CStr(LineOf(d, [](DataFile& m) { m.inputs[6] = kItemMark; })) + ": " +
            Quoted("the x maximum", d.inputs[6]) + " is not " + last + ", the x of the last of the " +
            CStr(d.last) + " points finished of the range planned");
    return false;
}

// The stored points against the x range, as the writer forms them: a sweep stores the points 1 to the
// count of its x range and step (the number of steps plus 1 with logarithmic steps; a stopped sweep's
// range is that of the points it finished); an angle graph stores a window that holds the angles of its
// x range. Any other index range would leave points of the range that no run computed.
bool Loader::pointsOfRange() const {
    const double low = Val(d.inputs[5]), high = Val(d.inputs[6]), step = Val(d.inputs[7]);
    if (g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph) {
        const Checked<std::int32_t> count = CLng(d.xLog ? step + 1 : (high - low) / step + 1);
        if (count.ok() && d.first == 1 && d.last == count.value) return true;
        Invalid("Line " + CStr(rangeLine()) + ": the file holds the points " + CStr(d.first) + " to " +
                CStr(d.last) + ", not the " + (count.ok() ? CStr(count.value) + " " : std::string()) +
                "points of its x range from " + d.inputs[5] + " to " + d.inputs[6] +
                (d.xLog ? " in " + d.inputs[7] + " steps." : " by " + d.inputs[7] + "."));
        return false;
    }
    if (g.code != kGraphAngle) return true;
    const Checked<std::int32_t> first = CLng(low / step + 1), last = CLng(high / step + 1);
    if (first.ok() && last.ok() && first.value >= d.first && last.value <= d.last) return true;
    Invalid("Line " + CStr(rangeLine()) + ": the stored points " + CStr(d.first) + " to " + CStr(d.last) +
            " do not hold the angles " + d.inputs[5] + " to " + d.inputs[6] + ".");
    return false;
}

// The file's own fields against each other, as a run that wrote them left them: an increasing x range,
// angles up to 180 degrees, a wavelength of light (above 0 and at most 10 m, the longest the index models
// cover: a finite size parameter), stored points that are those of the x range, and a stop line that
// counts the points stored. Nothing here depends on
// the window (its band, light source or run-time question), so a file that agrees with itself is never
// refused.
bool Loader::checkFields() const {
    using Mark = std::function<void(DataFile&)>;
    const auto refuse = [this](const Mark& mark, const std::string& what) {
        Invalid("Line " + CStr(LineOf(d, mark)) + ": " + what);
        return false;
    };
    const Mark wavelength = [](DataFile& m) { m.inputs[1] = kItemMark; };
    const Mark minimum = [](DataFile& m) { m.inputs[5] = kItemMark; };
    const Mark maximum = [](DataFile& m) { m.inputs[6] = kItemMark; };
    constexpr double kLongestWavelength = 1e7;  // um
    if (!(Val(d.inputs[1]) <= kLongestWavelength))
        return refuse(wavelength, "the wavelength \"" + d.inputs[1] + "\" um is beyond 10 m, the longest " +
                                      "wavelength of the refractive-index models");
    const double low = Val(d.inputs[5]), high = Val(d.inputs[6]);
    const bool angles = g.code == kGraphAngle || g.code >= kGraphLee;
    if (angles && low > 180)
        return refuse(minimum, "the minimum angle \"" + d.inputs[5] + "\" is above 180 degrees");
    if (angles && high > 180)
        return refuse(maximum, "the maximum angle \"" + d.inputs[6] + "\" is above 180 degrees");
    if (!(low < high))
        return refuse(
            maximum, "the x range from \"" + d.inputs[5] + "\" to \"" + d.inputs[6] + "\" does not increase");
    if (const std::optional<std::string> start = LineNotOfTheMethod(d)) {
        // The line as the file holds it (a file read encodes back to its own bytes).
        const std::string bytes = EncodeDataFileBytes(d).value_or(std::string());
        const std::size_t at = bytes.find("\n" + *start) + 1;
        const std::string line = bytes.substr(at, bytes.find('\r', at) - at);
        Invalid("Line " +
                CStr(1 + std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at), '\n')) +
                ": a run of the method \"" + d.method + "\" on \"" + d.graphText + "\" does not use \"" +
                line + "\"");
        return false;
    }
    if (!pointsOfRange()) return false;
    // A stopped sweep holds the points it finished, a Lee diagram or map the rows (steps) it finished; a map
    // saved before stopped maps were redrawn holds every row planned.
    const bool lee = g.code >= kGraphLee;
    const std::int32_t stored = lee ? LeeStepCount(d) + 1 : d.last - d.first + 1;
    if (d.stopped && stored != d.stopped->done && !(g.code > kGraphLee && stored == d.stopped->planned)) {
        Invalid("Line " + CStr(stopLine()) + ": the file holds " + CStr(stored) +
                (lee ? " steps" : " points") + ", not the " + CStr(d.stopped->done) +
                " its stop line names.");
        return false;
    }
    return true;
}

// The line of the item that holds an input of the value rules. A Lee diagram's or map's sweep (Singles, which
// no text marks) follows the index range, five lines after the band (the step in files without a spectrum):
// the y limits and scale, then the range. What the file does not hold (the index of an older file, the band
// of a file without a spectrum, the window's own boxes a rule reads) is named by the line of what stands
// for it: the wavelength the models give the index at, the wavelength count, the method.
int Loader::lineOf(RuleInput input) const {
    const auto marked = [this](std::function<void(DataFile&)> mark) { return LineOf(d, mark); };
    const int band = marked([this](DataFile& m) { (d.version > 201 ? m.bandMax : m.inputs[7]) = kItemMark; });
    const auto item = [&marked](std::size_t i) {
        return marked([i](DataFile& m) { m.inputs[i] = kItemMark; });
    };
    const bool lee = g.code == kGraphLee;
    const bool indices = d.version > 202, spectrum = d.version > 201;
    int line = 0;
    switch (input) {
        case RuleInput::MapFixed:
            if (!d.runInputs.empty()) return LineStarting(d, "Inputs: ");
            [[fallthrough]];
        case RuleInput::Graph:
            return marked([](DataFile& m) { m.graphText = kItemMark; });
        case RuleInput::Method:
            line = marked([](DataFile& m) { m.method = kItemMark; });
            break;
        case RuleInput::XMin:
            return item(5);
        case RuleInput::XMax:
            return item(6);
        case RuleInput::Step:
            return item(7);
        case RuleInput::Angle:
            line = marked([](DataFile& m) { m.angleText = kItemMark; });
            break;
        case RuleInput::Radius:
            return item(2);
        case RuleInput::Waves:
            return item(0);
        case RuleInput::Lambda:
            return item(1);
        case RuleInput::RefractReal:
        case RuleInput::RefractImag:
            return item(!indices ? 1 : input == RuleInput::RefractReal ? 3 : 4);
        case RuleInput::Rays:
            line = marked([](DataFile& m) { m.rays = kItemMark; });
            break;
        case RuleInput::BandMin:
            return spectrum ? marked([](DataFile& m) { m.bandMin = kItemMark; }) : item(0);
        case RuleInput::BandMax:
            return spectrum ? band : item(0);
        case RuleInput::YMin:
            return band + 1;
        case RuleInput::YMax:
            return band + 2;
        case RuleInput::TermsMin:
        case RuleInput::TermsMax:
        case RuleInput::SurfaceAmplitude:
            line = LineStarting(d, "Surface waves: ");
            break;
        case RuleInput::Disperse:  // the word "Disperse" before the lists
            return marked([](DataFile& m) { (*m.disperse)[0] = kItemMark; }) - 1;
        case RuleInput::Distribution:
        case RuleInput::Deviation:
        case RuleInput::Samples: {
            const std::size_t list = input == RuleInput::Distribution ? 0
                                     : input == RuleInput::Deviation  ? 1
                                                                      : 2;
            return marked([list](DataFile& m) { (*m.disperse)[list] = kItemMark; });
        }
        case RuleInput::MapMin:
            return band + 6;
        case RuleInput::LeeMax:
        case RuleInput::MapMax:
            return band + 7;
        case RuleInput::LeeSteps:
        case RuleInput::MapSteps:
            return band + (lee ? 6 : 8);
    }
    if (line == 0) line = marked([](DataFile& m) { m.method = kItemMark; });
    return line != 0 ? line : marked([](DataFile& m) { m.graphText = kItemMark; });
}

// The line of the stored point range: after the band (the step in files without a spectrum) the y limits and
// scale, and for a sweep its step kind.
int Loader::rangeLine() const {
    const bool stepKind = g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph && d.version > 3201;
    return LineOf(d, [this](DataFile& m) { (d.version > 201 ? m.bandMax : m.inputs[7]) = kItemMark; }) + 5 +
           (stepKind ? 1 : 0);
}

// The stop line, the last line of a file that has one.
int Loader::stopLine() const {
    const std::string bytes = EncodeDataFileBytes(d).value_or(std::string());
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
}

// The index models the window will have: the file's over the window's menus and dialogs as they are now
// (IndexModelsOf), as indexModels() sets them.
IndexModels Loader::modelsOfFile() const {
    IndexModels window = f.indexState.indexModels;
    f.MenuIndexModels(window);
    return IndexModelsOf(d, window);
}

// The wavelength list's text as inputs() writes it.
std::string WaveListText(const std::string& waves) {
    if (waves == "RGB" || waves == "High" || waves == "Med." || waves == "Low") return waves;
    return CStr(CInt(Val(waves)).value);
}

// The values the rules of input_rules.h read, as the window will hold them. The display options are the
// window's, which the graph list's handler clears when the file's graph is another than the list shows.
RangeInputs Loader::rangeInputs() const {
    RangeInputs in;
    in.graphCode = g.code;
    in.graphSubCode = g.subCode;
    in.calcMethod =
        fileRecord.calcMethod ? fileRecord.calcMethod : f.codes.calcMethod;  // older files: the window's
    in.gaussian = d.illumination && d.illumination->kind == BeamKind::Gaussian;
    in.listedWaves = DataFileWaveCount(d.inputs[0], d.inputs[2]);
    in.xMin = in.xLow = Val(d.inputs[5]);
    in.xMax = in.xHigh = Val(d.inputs[6]);
    in.step = Val(d.inputs[7]);
    in.angle = Val(d.angleText);
    in.logSteps = d.xLog;
    in.redraw = true;
    in.radius = Val(d.inputs[2]);
    in.leeMax = in.mapMax = d.sweepEnd;
    in.leeSteps = in.mapSteps = d.sweepSteps;
    in.mapMin = d.sweepStart;
    in.disperse = d.disperse.has_value();
    if (d.disperse) {
        in.distribution = (*d.disperse)[0];
        in.deviation = (*d.disperse)[1];
        in.samples = (*d.disperse)[2];
    }
    // The light source the window will have; a sweep switches to a point source before the sun's check.
    const bool sun = d.lightSource ? *d.lightSource == LightSource::Sun : f.optSun.value();
    in.sun = sun && !(g.code >= kFirstSweepGraph && g.code < kGraphLee);
    const bool sameGraph = d.graphText == f.cboGraph.text();
    in.polarPlot = f.mnuPolarPlot.checked();
    in.intensityPolarisation = sameGraph && f.mnuIntPol.checked();
    in.amplitudePhase = sameGraph && f.mnuAmpPhase.checked();
    in.interpolate = sameGraph && f.mnuInterpolate.checked();
    in.graphText = d.graphText;
    in.waveCount = in.listedWaves;
    in.waveText = WaveListText(d.inputs[0]);
    // The y limits as the lists will hold them; one of 0 or less is drawn on the linear scale (scales()),
    // so the logarithmic scale refuses none.
    in.yMinTyped = d.yMin.has_value();
    in.yMaxTyped = d.yMax.has_value();
    if (d.yMin) in.yLow = BoxValue(CStr(*d.yMin));
    if (d.yMax) in.yHigh = BoxValue(CStr(*d.yMax));
    return in;
}

// The values of the band rules: the file's models, wavelength, band and spectrum over the window's index and
// spectrum files (which no data file stores) and, in files without them, its spectrum and band.
BandInputs Loader::bandInputs(const IndexModels& fileModels) const {
    BandInputs in = f.WindowBandInputs();
    in.models = fileModels;
    const bool water = d.sphere.word == "IAPWS" || d.medium.word == "Water2";  // the water dialog's box set
    if (water) in.complexWater = fileModels.water.complex;
    if (d.version >= 201) {
        in.sphereName = d.sphereName;
        in.mediumName = d.mediumName;
    }
    in.waveCount = DataFileWaveCount(d.inputs[0], d.inputs[2]);
    in.rgb = d.inputs[0] == "RGB";
    in.lambda = Val(d.inputs[1]);
    // The band as the input checks take it from the band dialog: the file's as the dialog's OK leaves it (a
    // decimal comma read as the point), or the dialog's own in files without a spectrum.
    const auto um = [](std::string text, bool okPressed) {
        const std::size_t comma = text.find(',');
        if (okPressed && comma != std::string::npos) text[comma] = '.';
        return static_cast<float>(ValOrInfinity(text) / 1000);
    };
    const bool spectrum = d.version > 201;
    in.bandMinUm = um(spectrum ? d.bandMin : f.dlogSpectrumBand_->txtSpectrumMin.text(), spectrum);
    in.bandMaxUm = um(spectrum ? d.bandMax : f.dlogSpectrumBand_->txtSpectrumMax.text(), spectrum);
    if (spectrum) {
        const std::pair<const char*, BandSpectrum> spectra[] = {{"Sun (Lee)", BandSpectrum::SunLee},
                                                                {"Sun (Wernand)", BandSpectrum::SunWernand},
                                                                {"Flat", BandSpectrum::Other},
                                                                {"Black body", BandSpectrum::Other}};
        for (const auto& [word, kind] : spectra)
            if (d.spectrum == word) in.spectrum = kind;
        if (d.spectrum == "Spectrum file" && f.light.spectrumFileLoaded != 0) {
            in.spectrum = BandSpectrum::File;
            in.spectrumFileWave = f.fileState.specFileWave;
        }
    }
    in.graphCode = g.code;
    in.graphSubCode = g.subCode;
    in.xMin = Val(d.inputs[5]);
    in.xMax = Val(d.inputs[6]);
    in.step = Val(d.inputs[7]);
    in.logSteps = d.xLog;
    // A map's sweep as the boxes show it (CStrExact: the digits that read back as its Singles).
    in.mapMin = Val(CStrExact(d.sweepStart));
    in.mapMax = Val(CStrExact(d.sweepEnd));
    in.waveText = d.inputs[0];
    in.leeRadius = Val(d.inputs[2]);
    in.leeMax = d.sweepEnd;
    in.leeSteps = d.sweepSteps;
    return in;
}

// The values of the method rules: the file's method, index, size, wavelength, ray orders, fixed angle, terms
// and sweep; what it does not hold, the window's boxes (the index of a file before 2.03, which the models
// give at one wavelength where they can).
MethodInputs Loader::methodInputs(const IndexModels& fileModels) const {
    MethodInputs in = f.WindowMethodInputs();
    in.calcMethod = fileRecord.calcMethod ? fileRecord.calcMethod : f.codes.calcMethod;
    in.graphCode = g.code;
    in.graphSubCode = g.subCode;
    const double lambda = Val(d.inputs[1]);
    if (d.version > 202) {
        in.real = Val(d.inputs[3]);
        in.imag = Val(d.inputs[4]);
    } else if (DataFileWaveCount(d.inputs[0], d.inputs[2]) == 1 && !CheckLambdaBand(fileModels, lambda)) {
        if (const RefrelResult m = refrel(fileModels, lambda); m.ok()) {
            in.real = Val(RealIndexText(m.relIndexRe));
            in.imag = Val(ImagIndexText(m.relIndexIm));
        }
    }
    in.radius = Val(d.inputs[2]);  // the radius the run took, whatever the size box showed
    in.lambda = lambda;
    in.sampleScale = d.disperse ? SampleScaleOf((*d.disperse)[0], (*d.disperse)[1], (*d.disperse)[2],
                                                f.dist.sizeHistogram, in.radius)
                                : 1.0;
    if (d.version >= 200) in.rays = rays;
    if (g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph) in.angle = d.angleText;
    in.redraw = true;
    if (in.calcMethod == kMethodSurfaceWave) {
        const SurfaceWaveItems waves = SurfaceWaveOptions(fileRecord);
        in.termsMin = waves.termsMin;
        in.termsMax = waves.termsMax;
        in.amplitude = waves.amplitude;
    }
    // A stopped sweep: the range it planned, which the boxes show and a run takes.
    const bool planned = d.stopped && !d.stopped->plannedMax.empty();
    in.xMin = Val(d.inputs[5]);
    in.xMax = Val(PlannedXMaxText(d, g.code));
    in.step = Val(planned ? d.stopped->plannedSteps : d.inputs[7]);
    in.logSteps = d.xLog;
    in.leeMax = d.sweepEnd;
    in.leeSteps = d.sweepSteps;
    in.mapMin = Val(CStrExact(d.sweepStart));
    in.mapMax = Val(CStrExact(d.sweepEnd));
    // The fixed part of an index map as its run read it (files with an Inputs line).
    if (!fileRecord.mapFixedText.empty()) in.mapFixed = Val(fileRecord.mapFixedText);
    // The indices of its models at each wavelength the run took them at, or its map's rows at their radius
    // (the window's in files without an Inputs line, which New plot takes), and the sizes its run reached.
    const double mapRadius = Val(fileRecord.angleText.empty() ? in.angle : fileRecord.angleText);
    TakeRunIndices(in, fileModels, ModelIndexWavelengths(bandInputs(fileModels), d.sweepSteps), mapRadius,
                   d.sweepSteps);
    return in;
}

// The orders the run's ray-order list selects, as RaysCheck selects them after the reader has set the list
// and, for "Multiple", the dialog's boxes (the window's, in files that do not name the orders).
std::optional<RaySelection> Loader::orders(const MethodInputs& in, InputRefusal& refusal) const {
    RayChoice choice;
    choice.listText = in.rays;
    choice.calcMethod = in.calcMethod;
    for (int p = 0; p < kRayBoxCount; ++p)
        choice.chkp[static_cast<std::size_t>(p)] = f.dlogP_->chkp(p).value();
    if (hasRayOrders() && rays == "Multiple") {
        choice.chkp.fill(0);
        for (const std::int32_t p : d.rayOrders)
            if (p >= 0 && p < kRayBoxCount) choice.chkp[static_cast<std::size_t>(p)] = 1;
    }
    const RaysOutcome out = RaysCheck(choice, RaySelection{});
    if (out.status == RaysStatus::Ok) return out.selection;
    refusal.prompt = out.message;
    refusal.title = out.title;
    refusal.about = RuleInput::Rays;
    return std::nullopt;
}

// The rules of the window's input checks (runs/input_rules.h, band_rules.h, method_rules.h) on the values the
// file holds, in the order the checks take them and as a redraw of stored points applies them (a stopped
// run's few points pass); the first refusal is named with the line of its input. A distribution of samples
// leaves out the sweep ranges, as in the window's checks. The display options and the amplitude scale are
// judged where the redraw runs the input checks: graphs against the angle or another x variable drawn on
// their own (a Lee diagram or map is drawn from its stored colours; an overplot keeps the axes on show).
bool Loader::checkInputRules() const {
    const RangeInputs in = rangeInputs();
    const IndexModels fileModels = modelsOfFile();
    const BandInputs bands = bandInputs(fileModels);
    const MethodInputs method = methodInputs(fileModels);
    const bool samples = in.disperse && g.code < kGraphLee;
    const bool redrawChecks = g.code < kGraphLee && !f.mnuOverplot.checked();
    const auto byRays = [&](InputRefusal& refusal) { return orders(method, refusal); };
    const int waves = DataFileWaveCount(d.inputs[0], d.inputs[2]);
    using Rule = std::function<std::optional<InputRefusal>()>;
    const auto when = [](bool apply, Rule rule) -> Rule {
        return apply ? rule : [] { return std::nullopt; };
    };
    const Rule rules[] = {
        [&] { return DeviationRule(in); },
        when(redrawChecks, [&] { return PolarPlotRule(in); }),
        when(redrawChecks, [&] { return InterpolationRule(in); }),
        [&] { return MieOnlyGraphRule(in); },
        [&] { return SweepMethodRule(in); },
        [&] { return BandRule(bands); },
        // A file that does not hold the index takes it from its models at one wavelength.
        when(d.version <= 202 && waves < 2, [&] { return ModelIndexRule(refrel(fileModels, bands.lambda)); }),
        [&] { return SweepAngleRule(in); },
        [&] { return AxisBandRule(bands); },
        [&] { return LeeRadiiRule(in); },
        [&] { return MapSweepRule(in); },
        [&] { return MapBandRule(bands); },
        [&] { return DistributionRule(in); },
        [&] { return MethodParameterRule(method, byRays); },
        when(method.calcMethod == kMethodSurfaceWave, [&] { return SurfaceWaveRule(method); }),
        [&] { return ColourPathRule(in); },
        when(!samples, [&] { return SweepRangeRule(in); }),
        [&] { return LeeAngleRule(in); },
        [&] { return XSweepRule(in); },
        [&] { return SunRule(in); },
        [&] { return AngleRangeRule(in); },
        when(redrawChecks, [&] { return AmplitudeScaleRule(in); }),
    };
    for (const Rule& rule : rules) {
        const std::optional<InputRefusal> refusal = rule();
        if (!refusal) continue;
        Invalid("Line " + CStr(lineOf(refusal->about)) + ": " + refusal->prompt);
        return false;
    }
    return true;
}

bool Loader::check() {
    if (!checkTexts()) return false;
    if (!checkFields()) return false;
    if (!checkInputRules()) return false;
    if (hasRayOrders() && rays != "Multiple") {
        const Checked<std::int32_t> p = CLng(RayListNumber(rays));  // as the list reads it: "1E+400" too
        if (!p.ok() || p.value > kDataFileMaxOrder || p.value < -kDataFileMaxOrder) {
            Invalid("Line " + CStr(LineOf(d, [](DataFile& m) { m.rays = kItemMark; })) +
                    ": the ray orders \"" + d.rays + "\" are beyond the program's limits.");
            return false;
        }
    }
    ArraySizeInput in;
    in.graphCode = g.code;
    in.xMin = Val(d.inputs[5]);
    in.xMax = Val(d.inputs[6]);
    in.step = Val(d.inputs[7]);
    in.logSteps = d.xLog;
    in.currentSweepSteps = f.sweepState.sweepSteps;
    const ResultArrayBounds b = ArrayBoundsFor(in);
    std::int64_t limit = b.curves;
    if (g.code == kGraphAngle || g.code >= kGraphLee) {
        // The angle grid of the stored results: 2 N - 1 points of N angles from 0 to 90 degrees.
        const Checked<std::int32_t> angles = CLng(90 / in.step + 1);
        if (!(in.step > 0) || !angles.ok() || angles.value < 2 || angles.value > kMaxAngleCount) {
            Invalid("Line " + CStr(lineOf(RuleInput::Step)) + ": the angular resolution \"" + d.inputs[7] +
                    "\" is beyond the program's limits.");
            return false;
        }
        limit = 2 * std::int64_t{angles.value} - 1;
        if (g.code == kGraphAngle)
            limit = std::min<std::int64_t>(limit, ValuesPerPoint(d) == 3 ? b.curves : b.colourSums);
    }
    if (d.last >= d.first && (d.first < 1 || d.last > limit)) {
        Invalid("Line " + CStr(rangeLine()) + ": the stored points " + CStr(d.first) + " to " + CStr(d.last) +
                " lie outside the " + CStr(limit) + " points of the graph.");
        return false;
    }
    if (g.code >= kGraphLee && !checkSweep()) return false;
    if (f.mnuOverplot.checked() && !checkOverplot()) return false;
    return true;
}

// A file is drawn over the graph on show only where it holds the quantity that graph shows: the same graph
// (an angle graph's file holds intensities, not a phase function or watts) of as many wavelengths, amplitudes
// or intensities alike, and in the same units (Inv Wavelength, where it scales the values stored), over the
// same x range. All judged against the record of the run on show. The message says what differs.
bool Loader::checkOverplot() const {
    const RunRecord& shown = f.runRecord;
    if (!shown.taken) return true;
    std::string differs;
    // The sub-code tells the entries of a graph code apart only where the list has several; elsewhere it
    // is the one a run left before.
    const bool variants = g.code == kGraphAngle || g.code == kGraphRadius || g.code == kGraphEfficiency ||
                          g.code == kGraphEfficiencyWavelength || g.code == kGraphAsymmetry;
    const auto absolute = [](const RunRecord& r) { return r.invWavelength && InvWavelengthScales(r); };
    const auto units = [](bool absoluteUnits) { return absoluteUnits ? "absolute" : "relative"; };
    // An angle graph stores the intensities of one wavelength, the sums of each of a few, or the red, green
    // and blue sums of many.
    const auto waves = [](int n) {
        return n == 1   ? std::string("the intensities of one wavelength")
               : n <= 7 ? "the colour sums of " + CStr(n) + " wavelengths"
                        : std::string("the red, green and blue sums of more than 7 wavelengths");
    };
    if (shown.graphCode != g.code || (variants && VariantOnShow(shown) != g.subCode))
        differs =
            "The file holds \"" + d.graphText + "\", the graph shows \"" + GraphTextOnShow(shown) + "\".";
    else if (g.code == kGraphAngle && waves(shown.waveCount) != waves(fileRecord.waveCount))
        differs = "The file holds " + waves(fileRecord.waveCount) + ", the graph shows " +
                  waves(shown.waveCount) + ".";
    else if (HoldsAmplitudes(shown) != d.amplitudeValues)
        differs = std::string("The file holds ") + (d.amplitudeValues ? "amplitudes" : "intensities") +
                  ", the graph shows " + (d.amplitudeValues ? "intensities" : "amplitudes") + ".";
    else if (absolute(shown) != absolute(fileRecord))
        differs = std::string("The file holds values in ") + units(absolute(fileRecord)) +
                  " units (Inv Wavelength), the graph shows them in " + units(absolute(shown)) + " units.";
    else if (shown.sizeDivided != d.sizeDivided)
        differs = std::string("The file holds values of S1 and S2 ") +
                  (d.sizeDivided ? "divided" : "not divided") + " by x (Size), the graph shows them " +
                  (d.sizeDivided ? "not divided." : "divided.");
    if (!differs.empty()) {
        msgBox(differs, mb::kOkOnly, std::string("Overplot from file"));
        return false;
    }
    // The x range of the run on show, over whose axes the file's curves are drawn whole (not the range boxes,
    // which decide only the next run); the box of the end that differs flashes red.
    for (const auto& [fileText, shownText, box] :
         {std::tuple{&fileRecord.xMinText, &shown.xMinText, &f.txtXmin},
          std::tuple{&fileRecord.xMaxText, &shown.xMaxText, &f.txtXmax}}) {
        if (BoxValue(*fileText) == BoxValue(*shownText)) continue;
        const OleColor back = box->backColor();
        box->setBackColor(kRed);
        msgBox("Incompatible x-values", mb::kOkOnly, std::string("Overplot from file"));
        box->setBackColor(back);
        return false;
    }
    return true;
}

// The file names tables it does not store: the window keeps its own choice and says so once.
void Loader::notStored() {
    if (notStoredSaid) return;
    notStoredSaid = true;
    msgBox(
        "This file was saved with a refractive-index, spectrum or size-distribution table read from a file. "
        "Such tables are not stored in data files: the window keeps its own choice for them.",
        mb::kOkOnly | mb::kInformation, std::string("Tessary"));
}

// A ray-order text read as the order its run computed says so once.
void Loader::raysReadAsComputed() {
    if (rays == d.rays || !UsesRayOrders(MethodCodeOf(TranslateMethod(d.method)))) return;
    const std::int32_t v = CLng(Val(rays)).value;
    const std::string orders = v >= 0 ? CStr(v) : "0 to " + CStr(-v);
    msgBox("Line " + CStr(LineOf(d, [](DataFile& m) { m.rays = kItemMark; })) + ": the ray orders \"" +
               d.rays + "\" name no order. The run that saved this file computed p = " + orders +
               ", which the list now shows.",
           mb::kOkOnly | mb::kInformation, std::string("Tessary"));
}

void Loader::userPoints(UserIndexRows& rows, const UserPointsItems& points) {
    TextBox* w[] = {&rows.txtRI_lambda1_1, &rows.txtRI_lambda1_2, &rows.txtRI_lambda1_3,
                    &rows.txtRI_lambda1_4};
    TextBox* n[] = {&rows.txtRI_1_1, &rows.txtRI_1_2, &rows.txtRI_1_3, &rows.txtRI_1_4};
    for (std::size_t i = 0; i < 4; ++i) {
        w[i]->setText(CStrExact(points.wavelengths[i]));
        n[i]->setText(CStrExact(points.indices[i]));
    }
}

void Loader::rayOrders() {
    if (!hasRayOrders()) return;
    if (rays == "Multiple") {
        f.dlogP_->cmdSelectNone_Click();
        if (f.series.rayflag.size() < 51) f.series.rayflag.resize(51, 0);
        std::fill_n(f.series.rayflag.begin(), 51, 0);
        f.series.rayCount = static_cast<std::int32_t>(d.rayOrders.size());
        for (const std::int32_t p : d.rayOrders) {
            f.series.rayflag[static_cast<std::size_t>(p)] = 1;
            f.dlogP_->chkp(p).setValue(1);
        }
    } else {
        f.series.rayPMax = CLng(Val(rays)).value;  // held to +-100000 by check()
        if (f.series.rayPMax > 50) {
            f.series.rayflag.assign(static_cast<std::size_t>(f.series.rayPMax) + 1, 0);
            f.series.rayflag.back() = 1;
            f.series.rayCount = 1;
        } else if (f.series.rayPMax < 0) {
            f.series.rayflag.assign(static_cast<std::size_t>(-f.series.rayPMax) + 1, 1);
            f.series.rayCount = 1 - f.series.rayPMax;
        }
    }
    f.RaysCheck();
    f.setCaption(f.series.captionText);
}

// The illumination the run had, a plane wave without options when the file names none, chosen after the
// method (whose handler applies the beam it had before) as the user chooses it: the beam's item, whose
// handler checks it alone and takes the beam the runs read from the dialog (not shown while a file is
// read), which holds the run's values.
void Loader::illumination() {
    const IlluminationItems light = d.illumination.value_or(IlluminationItems{});
    f.mnuMultBeams.setChecked(light.multipleBeams);
    f.mnuCentralBeam.setChecked(light.centralBeam);
    for (Menu* option : {&f.mnuMultBeams, &f.mnuCentralBeam})
        if (option->checked()) {
            option->setVisible(true);
            f.mnuIllumination.setVisible(true);
        }
    f.runFlags.resultsFromFile = 1;
    if (light.kind == BeamKind::PlaneWave) {
        f.mnuPlaneWave_Click();
        return;
    }
    dlogGaussianBeam& beam = *f.dlogGaussianBeam_;
    beam.txtBeamXF.setText(CStrExact(light.xf));
    beam.txtBeamYF.setText(CStrExact(light.yf));
    beam.txtBeamZF.setText(CStrExact(light.zf));
    beam.txtBeamWo.setText(CStrExact(light.w0));
    beam.txtPhi.setText(CStrExact(light.phiDegrees));
    light.kind == BeamKind::Gaussian ? f.mnuGaussian_Click() : f.mnuTopHat_Click();
    f.mnuIllumination.setVisible(true);
    (light.kind == BeamKind::Gaussian ? f.mnuGaussian : f.mnuTopHat).setVisible(true);
}

void Loader::head() {
    f.cboGraph.setText(d.graphText);
    // The graph type's handler may clear the flag; the model handlers must not ask for what the file
    // restores.
    f.runFlags.resultsFromFile = 1;
    f.indexState.sphereName = d.sphereName;
    f.indexState.mediumName = d.mediumName;
    if (d.user1) {
        dlogRI_User1& dialog = *f.dlogRI_User1_;
        if (d.version >= 204) {
            dialog.txtMaterial1.setText(d.user1->material);
            f.indexState.sphereName = d.user1->material;
        }
        userPoints(dialog, *d.user1);
    }
    if (d.user2) {
        dlogRI_User2& dialog = *f.dlogRI_User2_;
        if (d.version >= 204) {
            dialog.txtMaterial2.setText(d.user2->material);
            f.indexState.mediumName = d.user2->material;
        }
        userPoints(dialog, *d.user2);
    }
    f.cboType.setText(TranslateMethod(d.method));
    f.TypeCalc();
    f.cboRays.setText(rays);
    f.runFlags.resultsFromFile = 1;
    raysReadAsComputed();
    surfaceWaves();
    rayOrders();
}

// The surface waves' options of the run, after the method's handler has set its own (the paths) and before
// the ray orders name the paths in the caption.
void Loader::surfaceWaves() {
    if (fileRecord.calcMethod != kMethodSurfaceWave) return;
    const SurfaceWaveItems waves = SurfaceWaveOptions(fileRecord);
    f.mnuSurfaceShort.setChecked(waves.paths == "Short");
    f.mnuSurfaceLong.setChecked(waves.paths == "Long");
    f.mnuSurfaceBoth.setChecked(waves.paths == "Both");
    f.mnuKhare.setChecked(waves.model == "Khare");
    f.mnuLock.setChecked(waves.model == "Lock");
    f.mnuNussenzveig.setChecked(waves.model == "Nussenzveig");
    f.mnuSWPhase.setChecked(waves.phaseCorrection);
    f.cboQmin.setText(waves.termsMin);
    f.cboQmax.setText(waves.termsMax);
    f.txtSWAmp.setText(waves.amplitude);
}

// The inputs the run read from boxes that no other line holds, once the graph and method have set theirs: a
// map's radius and fixed index part, the rays or samples of Huygens and Aperture, van de Hulst's coefficients.
// A file of such a run without the line (an earlier version's) leaves the window's, says which and that New
// plot takes them; its record holds none of them, so a save writes the file as it was read.
void Loader::runInputs() {
    if (const std::vector<std::string> words = RunInputWords(g.code, fileRecord.calcMethod);
        d.runInputs.empty() && !words.empty())
        msgBox(InputsNotHeld(words), mb::kOkOnly | mb::kInformation, std::string("Tessary"));
    for (const auto& [words, text] : d.runInputs) {
        if (words == "radius" || words == "rays" || words == "samples") f.txtAngle.setText(text);
        if (words == "imaginary part" || words == "real part") f.txtF9_fixed.setText(text);
        if (words == "coefficient a") f.cboQmin.setText(text);
        if (words == "coefficient b") f.cboQmax.setText(text);
    }
}

// The parameters of the file's models into their dialogs, as the models read them (IndexModelsOf), while
// the window's own models are still chosen: a box's handler shows their index, which indices() replaces.
// The water dialog's complex box ticks the Segelstein dialog's too, which is set after it.
void Loader::modelDialogs() {
    const ModelItems* items[] = {&d.sphere, &d.medium};
    for (const ModelItems* m : items) {
        if (m->word == "IAPWS" || m->word == "Water2") {
            f.dlogTemp_->txtTemp.setText(m->temp);
            f.dlogTemp_->txtDensity.setText(m->density);
            f.dlogTemp_->chkRI_Complex.setValue(models.water.complex ? 1 : 0);
        }
        if (m->word == "Air1" || m->word == "Air2") f.dlogAir_->txtAirTemp.setText(m->airTemp);
    }
    for (const ModelItems* m : items) {
        if (m->word == "Segelstein" || m->word == "Segelstein2")
            f.dlogSegelstein_->chkRI_Complex.setValue(models.segelsteinComplex ? 1 : 0);
        if (m->word == "Ray" && d.version >= 201)
            f.dlogRay_->chkRI_Complex.setValue(models.rayComplex ? 1 : 0);
    }
}

// The sphere and medium of the run, from the file alone: their models (IndexModelsOf) shown in the menus,
// dialogs and captions without the menus' handlers, which would compute an index at the window's
// wavelength and ask for what the file holds. A model of an index file the window has not read is not
// stored: the window keeps its own. Files before the medium models had a vacuum.
void Loader::indexModels() {
    f.ReadIndexModels();
    models = IndexModelsOf(d, f.indexState.indexModels);
    modelDialogs();
    const bool named = d.version >= 201;
    const std::string& sphere = d.sphere.word;
    const std::string& medium = d.medium.word;
    keepsSphere = named && sphere == "File1" && !SphereFileOfRun(models, d.sphereName);
    keepsMedium = named && medium == "File2" && !MediumFileOfRun(models, d.mediumName);
    if (keepsSphere || keepsMedium) notStored();
    if (!keepsSphere) f.ShowSphereModel(models.sphere);
    const std::string media[] = {"Air2", "Vacuum2", "Water2", "Segelstein2", "User2"};
    if (!named || std::find(std::begin(media), std::end(media), medium) != std::end(media) ||
        (medium == "File2" && !keepsMedium))
        f.ShowMediumModel(models.medium);
    // The captions the file's reading has always given these items.
    const std::string& temp = d.sphere.temp;
    if (sphere == "IAPWS" && (d.version < 201 || d.version > 204))
        f.mnuRI_IAPWS.setCaption("IAPWS " + temp + (models.water.complex ? "C Complex" : "C"));
    if (named && medium == "Water2") {
        f.mnuRI_IAPWS2.setCaption("Water " + d.medium.temp + "C");
        f.lblSphere.setCaption("Sphere: " + f.indexState.sphereName);
        f.lblRI_Medium.setCaption("Medium: Water " + d.medium.temp + "C");
    }
}

// The run's index: the file's models at its wavelength become the window's (the medium's index gives the
// size parameter); the boxes show the file's index, or for files without it the models'. Before the
// results, whose readout names the size parameter.
void Loader::indices() {
    // The index texts of a file that holds them are what its run took: a New plot takes them as they are,
    // not a model's index that differs in its last digits (or a file's model that now gives another).
    f.runFlags.indexTyped = d.version > 202;
    if (d.version <= 202) f.txtLambda_change();
    const RefrelResult m = f.KeepIndexOf(models, Val(d.inputs[1]));
    f.indexState.indexRefused = d.version <= 202 && !m.ok() && m.status != RefrelStatus::KeepShown;
}

void Loader::spectrum() {
    const std::string& s = d.spectrum;
    if (s == "Sun (Lee)") f.mnuSpectrumLee_Click();
    if (s == "Sun (Wernand)") f.mnuSpectrumWernand_Click();
    if (s == "Flat") f.mnuSpectrumFlat_Click();
    if (s == "Black body") {
        // Chosen as the dialog's OK would, with the restored temperature (checked to be above 0).
        f.ClearMenuSpectrum();
        f.mnuBlackBody.setChecked(true);
        f.dlogBlackBody_->txtBlackBody.setText(d.blackBody);
        f.dlogBlackBody_->OKButton_Click();
    }
    if (s == "Spectrum file") {
        if (f.light.spectrumFileLoaded == 0) {
            notStored();
        } else {
            f.ClearMenuSpectrum();
            f.mnuSpectrumFile.setChecked(true);
            f.lblSpectrum.setCaption(kSpectrumFileLabel);
        }
    }
    dlogSpectrumBand& band = *f.dlogSpectrumBand_;
    band.txtSpectrumMin.setText(d.bandMin);
    band.txtSpectrumMax.setText(d.bandMax);
    band.OKButton_Click();
}

// Writes one stored value; an array that a handler sized differently grows to hold it.
void Put(std::vector<double>& v, std::size_t index, double value) {
    if (v.size() <= index) v.resize(index + 1, 0.0);
    v[index] = value;
}

void Loader::results() {
    const auto first = static_cast<std::size_t>(d.first);
    const auto intensities = [&] {
        for (std::size_t j = 0; 3 * j + 2 < d.values.size(); ++j) {
            Put(f.results.intensityPerp, first + j, d.values[3 * j]);
            Put(f.results.intensityPara, first + j, d.values[3 * j + 1]);
            Put(f.results.intensityUnpol, first + j, d.values[3 * j + 2]);
        }
    };
    if (g.code == kGraphAngle) {
        f.results.qSca = d.qSca;
        f.calc.radius = Val(d.inputs[2]);
        f.calc.wavelength = Val(d.inputs[1]);
        f.calc.waveNumber = kTwoPi / f.calc.wavelength;
        f.calc.sizeParam = kTwoPi * f.calc.radius / f.calc.wavelength * f.indexState.mediumRe;
        const int perPoint = ValuesPerPoint(d);
        if (perPoint == 3) {
            intensities();
            // The S1 and S2 block, when the file holds it whole, back into the stored amplitudes.
            for (std::size_t j = 0; fileRecord.amplitudesStored && 5 * j + 4 < d.amplitudes.size(); ++j) {
                Put(f.results.s1Amp[0], first + j, d.amplitudes[5 * j + 1]);
                Put(f.results.s1Amp[1], first + j, d.amplitudes[5 * j + 2]);
                Put(f.results.s2Amp[0], first + j, d.amplitudes[5 * j + 3]);
                Put(f.results.s2Amp[1], first + j, d.amplitudes[5 * j + 4]);
            }
        } else if (perPoint > 0) {
            const auto waves = static_cast<std::size_t>(perPoint / 2);
            std::size_t at = 0;
            for (std::size_t k = first; at + 2 * waves <= d.values.size(); ++k)
                for (std::size_t i = 1; i <= waves; ++i, at += 2) {
                    Put(f.colourSums.colourSumPerp[i], k, d.values[at]);
                    Put(f.colourSums.colourSumPara[i], k, d.values[at + 1]);
                }
            const bool components = f.calc.waveCount <= 7;
            f.chkComponents.setValue(components ? 1 : 0);
            f.chkComponents.setVisible(components);
        }
        // The angle grid the stored curves lie on (checked to fit in check()).
        f.angleGrid.angleCount = CLng(90 / Val(d.inputs[7]) + 1).value;
        return;
    }
    if (g.code >= kGraphLee) {
        leeResults();
        return;
    }
    f.txtAngle.setText(d.angleText);
    intensities();
    // The x range of the run read (an Overplot from the file keeps the range boxes as they are).
    f.graph.dataXStart = Val(fileRecord.xMinText);
    const Checked<std::int32_t> last = CLng(Val(fileRecord.xMaxText));
    if (last.ok()) f.angleGrid.windowLast = last.value;
}

// Grows a table to hold rows x columns (a table the window sized larger keeps its size, as a run's).
void Fit(std::vector<std::vector<float>>& table, std::size_t rows, std::size_t columns) {
    if (table.size() < rows) table.resize(rows);
    for (std::vector<float>& row : table)
        if (row.size() < columns) row.resize(columns, 0.0f);
}

// The colour stores and row peaks of a Lee diagram or map (checked to match the file's counts), with the
// run's sweep and angle grid that the redraw reads in place of the boxes.
void Loader::leeResults() {
    f.cboLee.setText("Absolute");
    f.cboBright.setText("1");
    // A Lee diagram stores single sizes and its redraw averages them over the distribution, which
    // therefore stays chosen.
    if (!(g.code == kGraphLee && d.disperse) && !f.optMono.value()) f.optMono.setValue(true);
    if (g.code == kGraphLee) {
        f.txtRstep.setText(CStrExact(d.sweepSteps));
        f.txtRmax.setText(CStrExact(d.sweepEnd));
        f.sweepState.sweepStart = LeeStart(d).value;
    } else {
        f.txtF9_min.setText(CStrExact(d.sweepStart));
        f.txtF9_max.setText(CStrExact(d.sweepEnd));
        f.txtF9_step.setText(CStrExact(d.sweepSteps));
        f.sweepState.sweepStart = d.sweepStart;
    }
    f.cmdReplot.setEnabled(false);
    f.cmdReplot.setVisible(false);
    f.colourSums.peakLee = 0;
    f.Array_Size();
    f.sweepState.sweepEnd = d.sweepEnd;
    f.sweepState.sweepSteps = d.sweepSteps;
    // The maps' linear sweep has no ratio: it keeps the run's.
    if (g.code == kGraphLee)
        f.sweepState.sweepRatio =
            LeeRatio(f.sweepState.sweepStart, f.sweepState.sweepEnd, f.sweepState.sweepSteps);

    const auto rows = static_cast<std::size_t>(LeeStepCount(d)) + 1;
    const auto points = static_cast<std::size_t>(d.last - d.first + 1);
    LeeStore* const stored[] = {&f.leeStores.leeRed1, &f.leeStores.leeGreen1, &f.leeStores.leeBlue1,
                                &f.leeStores.leeRed2, &f.leeStores.leeGreen2, &f.leeStores.leeBlue2};
    for (LeeStore* store : stored) Fit(*store, rows, points);
    for (LeeStore* store : {&f.leeStores.leeRed3, &f.leeStores.leeGreen3, &f.leeStores.leeBlue3,
                            &f.leeStores.leeRed4, &f.leeStores.leeGreen4, &f.leeStores.leeBlue4})
        Fit(*store, rows, points);
    Fit(f.leeStores.leeRowPeaks, 4, rows);
    std::size_t at = 0;
    for (std::size_t s = 0; s < rows; ++s) {
        for (std::size_t j = 0; j < points; ++j)
            for (LeeStore* store : stored) (*store)[s][j] = d.leeValues[at++];
        for (std::size_t e = 1; e <= 3; ++e) f.leeStores.leeRowPeaks[e][s] = d.leeValues[at++];
        f.colourSums.peakCommon = AMAX(AMAX(f.leeStores.leeRowPeaks[2][s], f.leeStores.leeRowPeaks[1][s]),
                                       f.leeStores.leeRowPeaks[3][s]);
    }
    f.colourSums.peakLee = AMAX(f.colourSums.peakCommon, f.colourSums.peakLee);

    f.leeStores.leeGridStep = Val(d.inputs[7]);
    f.leeStores.leeGridFirst = d.first;
    f.leeStores.leeGridLast = d.last;
    const Picture title = f.LeeAngleTitle();
    for (PictureBox* p : {&f.Picture1, &f.Picture2, &f.Picture3}) p->setPicture(title);
    // a stopped earlier run must not stop this redraw
    if (f.codes.runState == Form1::kRunStopped) f.codes.runState = Form1::kRunNewPlot;
}

// The record of the run the file holds, from the file alone (RecordFromDataFile); what no file holds from
// what the file set up: the label and title its method gives, the band of its wavelength set, its models and
// their index. And the readout of the values the file holds.
void Loader::keepRecord() {
    RunRecord r;
    RecordFromDataFile(d, r);
    r.raysText = rays;  // as the list takes them: what the run computed
    if (d.version <= 202) olderVersion(r);
    r.methodLabel = f.lblDebyeRays.caption();
    r.title = f.caption();
    r.bandMinUm = f.light.bandMinUm;
    r.bandMaxUm = f.light.bandMaxUm;
    r.indexModels = models;
    SetIndexUse(r);
    const double lambda = Val(r.lambdaText);
    r.sizeParam = lambda > 0 ? r.radius * kTwoPi / lambda * f.indexState.mediumRe : 0.0;
    r.lightSource = f.optSun.value() ? LightSource::Sun : LightSource::Point;
    r.peaksLight = r.lightSource;
    r.lastSizeParam = f.calc.sizeParam;  // the readout's X: the x the stored results were read at
    r.serial = ++f.runRecordsTaken;      // a run of its own on show
    f.runRecord = r;
    // The data box shows what the file holds: Qsca of a whole plane-wave Mie run (the one run that shows it)
    // at one wavelength (over several it is the last wavelength's, which the box's X is not).
    f.readout = {};
    if (g.code == kGraphAngle && r.state == ResultsState::Complete && r.calcMethod == kMethodMie &&
        r.illumination == RunIllumination::PlaneWave && r.waveCount == 1 && d.qSca > 0)
        f.readout.qSca = d.qSca;
}

// What a file of an older version does not hold, the window kept as it was when the file was read: the
// method (before 2.00), the names and models (before 2.01), the spectrum (to 2.01) and the index boxes (to
// 2.02, whose models gave them).
void Loader::olderVersion(RunRecord& r) const {
    const RunRecord window = f.RecordOfInputs();
    if (d.version < 200) {
        r.calcMethod = window.calcMethod;
        r.methodText = window.methodText;
        r.raysText = window.raysText;
    }
    if (d.version < 201) {
        r.sphereName = window.sphereName;
        r.mediumName = window.mediumName;
        r.sphereWord = window.sphereWord;
        r.sphere = window.sphere;
        r.medium = window.medium;
    }
    if (d.version <= 201) {
        r.spectrumWord = window.spectrumWord;
        r.blackBody = window.blackBody;
        r.bandMinText = window.bandMinText;
        r.bandMaxText = window.bandMaxText;
    }
    r.refractReal = window.refractReal;
    r.refractImag = window.refractImag;
}

void Loader::colours() {
    if (g.code != kGraphAngle || (ValuesPerPoint(d) == 3 && d.disperse)) return;
    f.SunCorrection();  // the sun's disc of the run's step and light source
    f.RunColours();
}

void Loader::keepValuesAsRead() {
    if (f.mnuOverplot.checked()) return;
    f.graph.yScaleMin = d.yScaleMin;
    f.graph.yScaleMax = d.yScaleMax;
    // The hidden boxes New plot takes the y scale from, as the run left them: its data maximum, and the
    // minimum it started from where it works none out (a typed minimum, a Lee diagram or map), which the
    // redraw above set to the axis. A New plot here then saves the y scale the run saved.
    f.txtY2max.setText(CStr(d.yScaleMax));
    if (d.yMin || g.code >= kGraphLee) f.txtY1min.setText(CStr(d.yScaleMin));
}

void Loader::caption() {
    // The ray orders of the restored list, as the run's method selects them (the Gaussian-beam Debye series
    // as its run does).
    if (UsesRayOrders(f.codes.calcMethod)) {
        if (f.codes.calcMethod == kMethodDebye && fileRecord.illumination == RunIllumination::GaussianBeam)
            f.DebyeLabel();
        else
            f.RaysCheck();
    }
    // The label and title the run had: its method's with its orders and the options it used, named after
    // the sphere and medium the run had.
    RunRecord named = fileRecord;
    named.raysText = rays;  // as the list takes them: what the run computed
    named.sphereName = f.indexState.sphereName;
    named.mediumName = f.indexState.mediumName;
    const RunCaptions captions = RunCaptionsOf(named);
    f.lblDebyeRays.setCaption(captions.label);
    f.setCaption(captions.title);
    if (UsesRayOrders(f.codes.calcMethod)) f.series.captionText = captions.title;
}

void Loader::apply() {
    f.codes.simulationMode = 0;
    f.runFlags.resultsFromFile = 1;
    f.runFlags.resultsStale = 0;
    if (!f.mnuRadius.checked()) f.mnuRadius_Click();
    f.indexState.sphereName = "Water";
    f.indexState.mediumName = "a vacuum";
    method();
    f.runFlags.resultsFromFile = 1;
    f.codes.graphCode = g.code;
    f.codes.graphSubCode = g.subCode;
    size();
    indexModels();
    inputs();
    indices();
    runInputs();
    scales();
    // The graph type's handlers may have changed the codes; the arrays follow the file's.
    f.codes.graphCode = g.code;
    f.codes.graphSubCode = g.subCode;
    f.Array_Size();
    results();
    options();
    f.runFlags.resultsStale = 0;
    f.runFlags.resultsFromFile = 1;
}

// The graph, method and ray orders of each version, then the options and the beam the run had (after
// the method, whose handler sets its own).
void Loader::method() {
    // The Debye series' subtraction of its ray optics as the run had it, its menu shown when it was on.
    f.mnuSWsub.setChecked(d.surfaceWaveSubtraction);
    f.mnuDebyeRecursion.setChecked(d.debyeRecursion);  // the Debye series' j_n(m x), as the run took them
    if (d.surfaceWaveSubtraction || d.diffractionAdded || d.debyeRecursion) {
        f.mnuHidden.setEnabled(true);
        f.mnuHidden.setVisible(true);
    }
    if (d.version == 1 || d.version == 101) {
        f.cboGraph.setText(d.graphText);
    } else if (d.version == 200) {
        f.cboType.setText(TranslateMethod(d.method));
        f.cboRays.setText(rays);
        raysReadAsComputed();
        f.cboGraph.setText(d.graphText);
    } else {
        head();
    }
    illumination();
    // Young mod.'s diffraction added to its ray orders, as the run had it (the ray orders, set above,
    // clear the dialog's boxes).
    f.dlogP_->chkDiffraction.setValue(d.diffractionAdded ? 1 : 0);
    if (d.diffractionAdded) f.dlogP_->chkDiffraction.setVisible(true);
}

void Loader::size() {
    if (d.disperse) {
        if (!f.optDisp.value()) f.optDisp.setValue(true);
        // A Special distribution's histogram is not stored: without one loaded, the window keeps its own
        // distribution rather than ask for a file while this one is read.
        if ((*d.disperse)[0] == "Special" && f.dist.sizeHistogram.histLoaded != 1)
            notStored();
        else
            f.cboDistrib.setText((*d.disperse)[0]);
        f.cboSD.setText((*d.disperse)[1]);
        f.cboN.setText((*d.disperse)[2]);
    } else if (!f.optMono.value()) {
        f.optMono.setValue(true);
    }
}

// The eight inputs, the spectrum and the wavelength set they give.
void Loader::inputs() {
    f.txtRefractReal.setBackColor(kWhite);
    const std::string& waves = d.inputs[0];
    if (waves == "RGB") {
        f.cboWave.setText("RGB");
    } else {
        f.cboWave.setText(CStr(CInt(Val(waves)).value));
        if (waves == "High" || waves == "Med." || waves == "Low") f.cboWave.setText(waves);
    }
    f.calc.waveCount = DataFileWaveCount(waves, d.inputs[2]);

    f.txtLambda.setText(d.inputs[1]);
    // The file holds the radius in um; the size box shows it in the size entry the graph type chose.
    const double radius = Val(d.inputs[2]);
    if (f.mnuRadiusX.checked())
        f.txtRadius.setText(CStr(radius * kTwoPi / Val(d.inputs[1])));
    else if (f.mnuDiameter.checked())
        f.txtRadius.setText(CStr(2 * radius));
    else
        f.txtRadius.setText(d.inputs[2]);
    if (d.version > 202) {
        // Both parts as the run's boxes held them (checked above as the boxes take them): a New plot here
        // saves the text the file holds, not a form of it that the run's window never showed.
        f.txtRefractReal.setText(d.inputs[3]);
        f.txtRefractImag.setText(d.inputs[4]);
    }
    // A stopped sweep shows the range it planned, over which it formed every x.
    const bool planned = d.stopped && !d.stopped->plannedMax.empty();
    if (!f.mnuOverplot.checked()) {
        f.txtXmin.setText(d.inputs[5]);
        f.txtX1min.setText(f.txtXmin.text());
        f.txtXmax.setText(PlannedXMaxText(d, g.code));
        f.txtX2Max.setText(f.txtXmax.text());
    }
    f.cboStep.setText(planned ? d.stopped->plannedSteps : d.inputs[7]);
    if (d.version > 201) spectrum();
    // The wavelength set of the restored count, spectrum and band.
    f.lambdaN();
}

// The y limits and scale, and the stored point range.
void Loader::scales() {
    if (!f.mnuOverplot.checked()) {
        // A typed y limit of 0 or less was drawn on a linear scale: chosen first, as its handler sets the
        // limits back to their defaults.
        const bool linear = (d.yMin && *d.yMin <= 0) || (d.yMax && *d.yMax <= 0);
        if (linear && !f.optLinear.value()) f.optLinear.setValue(true);
        f.cboYmin.setText(d.yMin ? CStr(*d.yMin) : std::string("Automatic"));
        f.cboYmax.setText(d.yMax ? CStr(*d.yMax) : std::string("Automatic"));
        f.graph.yScaleMin = d.yScaleMin;
        f.graph.yScaleMax = d.yScaleMax;
    } else {
        f.graph.yScaleMin = f.graph.yAxisMin;
        f.graph.yScaleMax = f.graph.yAxisMax;
    }
    if (g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph) {
        if (d.version > 3201) f.mnuXStepLog.setChecked(d.xLog);
        f.angleGrid.firstPoint = d.first;
        f.angleGrid.lastPoint = d.last;
    } else {
        f.angleGrid.windowFirst = d.first;
        f.angleGrid.windowLast = d.last;
    }
}

// The names, light source, value options and captions the run had.
void Loader::options() {
    // The names the run had: the model handlers above set their own (without the start-up's blanks).
    if (d.version >= 201) {
        f.indexState.sphereName = d.sphereName;
        f.indexState.mediumName = d.mediumName;
    }
    // The light source the results were drawn with; a file without it leaves the window's choice. A
    // sweep's is the point source, the one its run can have, whatever an older program wrote.
    if (g.code >= kFirstSweepGraph && g.code < kGraphLee)
        f.optPoint.setValue(true);
    else if (d.lightSource)
        (*d.lightSource == LightSource::Sun ? f.optSun : f.optPoint).setValue(true);
    // The options of the run's values: the S1 and S2 block saved, amplitudes in place of intensities.
    f.mnuS1S2.setChecked(d.amplitudeBlock);
    if (AmplitudeChangesValues(g.code)) f.mnuAmplitude.setChecked(d.amplitudeValues);
    f.mnuSize.setChecked(d.sizeDivided);  // S1 and S2 divided by x, as the run had them
    if (g.code >= kGraphLee) f.mnuSun.setChecked(d.sunRectangular);  // the disc its row peaks had
    // Inv Wavelength as the run had it, whatever the list handlers above chose from the window's state.
    f.mnuInvWavelength.setChecked(fileRecord.invWavelength);
    // The text export of the results read, as after a run of the graph (Lee diagrams and maps have none).
    f.mnuSaveText.setEnabled(g.code < kGraphLee);
    caption();
    if (keepsSphere) f.indexState.sphereName = windowSphereName;
    if (keepsMedium) f.indexState.mediumName = windowMediumName;
}

}  // namespace

// Asks for a data file, decodes and checks all of it, then restores the window from it and redraws; a refused
// file changes nothing.
void Form1::read_file() {
    cmdSelectOpen_Click();
    if (fileState.fileDialogCancelled == 1) return;

    TextFileReader reader = TextFileReader::Open(fileState.chosenFilePath, TextFileReader::kDataFileMaxBytes);
    const DecodedDataFile decoded = DecodeDataFile(reader);
    if (!decoded.ok()) {
        msgBox(decoded.failure.message, mb::kOkOnly, decoded.failure.title);
        return;
    }
    const DataFile& file = *decoded.file;
    Loader loader(*this, file, *GraphCodesOf(file));
    if (!loader.check()) return;
    {
        const FlagHeld loading(runFlags.dataFileLoading);
        {
            const RedrawGuard guard(windowState);
            loader.apply();
            loader.keepRecord();
        }
        if (loader.isLeeDiagram()) {
            const RedrawGuard guard(windowState);
            PlotLee();
        } else {
            cmdReplot_Click();
        }
        loader.colours();
        loader.keepValuesAsRead();
    }
    SimulationFollowsRunOnShow();
}

}  // namespace tessary
