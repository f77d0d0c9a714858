// The run a data file holds as the run record names it; see data_file_record.h.
#include "files/data_file_record.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "files/batch_report.h"
#include "graphs/graph_codes.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"

namespace tessary {

namespace {

constexpr std::pair<BeamKind, RunIllumination> kIlluminations[] = {
    {BeamKind::PlaneWave, RunIllumination::PlaneWave},
    {BeamKind::Gaussian, RunIllumination::GaussianBeam},
    {BeamKind::TopHat, RunIllumination::TopHatBeam}};

// The index of an angle (or an x of an angle map) on the grid of the step, held to the stored points.
std::int32_t AngleIndex(double x, double step, std::int32_t first, std::int32_t last, std::int32_t fallback) {
    const Checked<std::int32_t> index = CLng(x / step + 1);
    if (!(step > 0) || !index.ok()) return fallback;
    return std::clamp(index.value, first, std::max(first, last));
}

void Illumination(const DataFile& d, RunRecord& r) {
    const IlluminationItems light = d.illumination.value_or(IlluminationItems{});
    for (const auto& [kind, illumination] : kIlluminations)
        if (kind == light.kind) r.illumination = illumination;
    r.multipleBeams = light.multipleBeams;
    r.centralBeam = light.centralBeam;
    r.beam = GaussianBeamInput{};
    if (light.kind != BeamKind::PlaneWave)
        r.beam = GaussianBeamInput{light.xf, light.yf, light.zf, light.w0, light.phiDegrees};
}

// The point ranges and the state of the stored results: an angle graph, Lee diagram or map stores the
// angle indices of its window, of which the x range is a part; a sweep the points of its x range (a
// stopped run those it finished, of the count it planned).
void Ranges(const DataFile& d, int code, RunRecord& r) {
    const bool sweep = code >= kFirstSweepGraph && code <= kLastSweepGraph;
    const std::int32_t stored = d.last - d.first + 1;
    r.state = d.stopped ? ResultsState::Stopped : ResultsState::Complete;
    r.endMessage = d.stopped ? d.stopped->refusal : std::string();
    r.xMaxText = PlannedXMaxText(d, code);  // the range the run planned
    r.xMax = Val(r.xMaxText);
    if (sweep && d.stopped && !d.stopped->plannedMax.empty()) r.stepText = d.stopped->plannedSteps;
    if (sweep) {
        r.firstPoint = d.first;
        r.lastPoint = d.stopped ? d.first + d.stopped->planned - 1 : d.last;
    } else {
        const double step = Val(d.inputs[7]);
        r.windowFirst = d.first;
        r.windowLast = d.last;
        r.firstPoint = AngleIndex(Val(d.inputs[5]), step, d.first, d.last, d.first);
        r.lastPoint = AngleIndex(Val(d.inputs[6]), step, d.first, d.last, d.last);
    }
    if (code >= kGraphLee) {
        r.doneFirst = 0;
        r.doneLast = LeeStepCount(d);
        r.plannedPoints = d.stopped ? d.stopped->planned : r.doneLast + 1;
        return;
    }
    r.doneFirst = d.first;
    r.doneLast = d.last;
    r.plannedPoints = d.stopped ? d.stopped->planned : stored;
}

}  // namespace

std::string PlannedXMaxText(const DataFile& d, int graphCode) {
    const bool sweep = graphCode >= kFirstSweepGraph && graphCode <= kLastSweepGraph;
    if (!sweep || graphCode == kGraphConvergence || !d.stopped) return d.inputs[6];
    if (!d.stopped->plannedMax.empty()) return d.stopped->plannedMax;
    if (d.xLog) return d.inputs[6];
    return CStr(Val(d.inputs[5]) + static_cast<double>(d.first + d.stopped->planned - 2) * Val(d.inputs[7]));
}

void RecordFromDataFile(const DataFile& d, RunRecord& r) {
    const GraphCodes g = GraphCodesOf(d).value_or(GraphCodes{});
    r.taken = true;
    r.fromFile = true;
    r.graphCode = g.code;
    r.graphSubCode = g.subCode;
    r.graphText = d.graphText;
    if (d.version >= 200) {
        r.methodText = TranslateMethod(d.method);
        r.calcMethod = MethodCodeOf(r.methodText);
        r.raysText = d.rays;
        if (d.rays == "Multiple") r.rayOrders = d.rayOrders;
    }
    r.disperse = d.disperse;
    r.disperseFile.clear();  // a Special distribution's file is not stored
    r.disperseClasses = 0;

    r.waveText = d.inputs[0];
    r.waveCount = DataFileWaveCount(d.inputs[0], d.inputs[2]);
    r.lambdaText = d.inputs[1];
    r.radiusText = d.inputs[2];
    r.radius = Val(d.inputs[2]);
    if (d.version > 202) {
        r.refractReal = d.inputs[3];
        r.refractImag = d.inputs[4];
    }
    r.xMinText = d.inputs[5];
    r.xMaxText = d.inputs[6];
    r.stepText = d.inputs[7];
    r.xMax = Val(d.inputs[6]);
    if (d.version > 201) {
        r.spectrumWord = d.spectrum;
        r.blackBody = d.spectrum == "Black body" ? d.blackBody : std::string();
        r.bandMinText = d.bandMin;
        r.bandMaxText = d.bandMax;
    }
    if (d.version >= 201) {
        r.sphereName = d.sphereName;
        r.mediumName = d.mediumName;
        r.user1 = d.user1;
        r.user2 = d.user2;
        r.sphereWord = d.user1 ? std::string() : d.sphereWord;
        r.sphere = d.sphere;
        r.medium = d.medium;
    }

    const bool sweep = g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph;
    if (sweep) r.angleText = d.angleText;
    r.xStepLog = sweep && d.xLog;
    r.amplitude = d.amplitudeValues;
    r.sizeDivided = d.sizeDivided;
    r.yMin = d.yMin;
    r.yMax = d.yMax;
    r.invWavelength = d.invWavelength.value_or(InvWavelengthChosen(g.code, g.subCode, d.inputs[0]));
    r.qSca = g.code == kGraphAngle ? d.qSca : 0.0;
    Illumination(d, r);
    r.surfaceWaveSubtraction = d.surfaceWaveSubtraction;
    r.diffractionAdded = d.diffractionAdded;
    r.debyeRecursion = d.debyeRecursion;
    r.sunRectangular = d.sunRectangular;
    if (r.calcMethod == kMethodSurfaceWave) {
        const SurfaceWaveItems waves = d.surfaceWaves.value_or(SurfaceWaveItems{});
        r.surfaceWavePaths = waves.paths;
        r.surfaceWaveModel = waves.model;
        r.termsMin = waves.termsMin;
        r.termsMax = waves.termsMax;
        r.surfaceWaveAmplitude = waves.amplitude;
        r.surfaceWavePhase = waves.phaseCorrection;
    }
    SetRunInputs(d.runInputs, r);
    Ranges(d, g.code, r);
    // The S1 and S2 block is a table of the results only on an angle graph of one wavelength and one size, and
    // only whole.
    const auto rows = static_cast<std::size_t>(std::max(d.last - d.first + 1, 0));
    r.amplitudesStored = g.code == kGraphAngle && r.waveCount == 1 && !r.disperse && d.amplitudeBlock &&
                         rows > 0 && d.amplitudes.size() == 5 * rows;
}

namespace {

float ParameterOf(const std::string& text) { return static_cast<float>(ValOrInfinity(text)); }

UserIndexPoints PointsOf(const UserPointsItems& u) { return UserIndexPoints{u.wavelengths, u.indices}; }

void Water(const ModelItems& item, bool complexStored, IndexModels& m) {
    m.water.waterTemp = ParameterOf(item.temp);
    m.water.waterDensity = ParameterOf(item.density);
    m.water.complex = complexStored && item.complex != 0;
}

void Sphere(const DataFile& d, IndexModels& m) {
    const ModelItems& s = d.sphere;
    const bool complex = d.version > 204;
    constexpr std::pair<const char*, SphereModel> kPlain[] = {
        {"Vacuum1", SphereModel::Vacuum},    {"Lynch", SphereModel::Lynch},
        {"KayeLaby", SphereModel::KayeLaby}, {"Gedzelman", SphereModel::Gedzelman},
        {"Cowley", SphereModel::Cowley},     {"Gold", SphereModel::Au},
        {"Silver", SphereModel::Ag},         {"Copper", SphereModel::Cu}};
    m.sphere = SphereModel::Cowley;  // a word of no model, or none
    for (const auto& [word, model] : kPlain)
        if (s.word == word) m.sphere = model;
    if (s.word == "IAPWS") {
        m.sphere = SphereModel::IAPWS;
        Water(s, complex, m);
    } else if (s.word == "Segelstein") {
        m.sphere = SphereModel::Segelstein;
        m.segelsteinComplex = complex && s.complex != 0;
    } else if (s.word == "Ray") {
        m.sphere = SphereModel::Ray;
        m.rayComplex = complex && s.complex != 0;
    } else if (s.word == "Air1") {
        m.sphere = SphereModel::Air;
        m.airTemp = ParameterOf(s.airTemp);
    } else if (s.word == "User1") {
        m.sphere = SphereModel::User;
        if (d.user1) m.user1 = PointsOf(*d.user1);
    }
}

void Medium(const DataFile& d, IndexModels& m) {
    const ModelItems& s = d.medium;
    if (s.word == "Vacuum2") m.medium = MediumModel::Vacuum;
    if (s.word == "Air2") {
        m.medium = MediumModel::Air;
        m.airTemp = ParameterOf(s.airTemp);
    }
    if (s.word == "Water2") {
        m.medium = MediumModel::IAPWS;
        Water(s, d.version > 204, m);
    }
    if (s.word == "Segelstein2") {
        m.medium = MediumModel::Segelstein;
        m.segelsteinComplex = d.version > 204 && s.complex != 0;
    }
    if (s.word == "User2") {
        m.medium = MediumModel::User;
        if (d.user2) m.user2 = PointsOf(*d.user2);
    }
    if (s.word == "File2" && MediumFileOfRun(m, d.mediumName)) m.medium = MediumModel::File;
}

}  // namespace

IndexModels IndexModelsOf(const DataFile& d, IndexModels m) {
    if (d.version < 201) {
        // IAPWS with its values, or a water model by its word (Cowley for any other item).
        m.sphere = SphereModel::Cowley;
        if (d.sphere.word == "IAPWS") {
            m.sphere = SphereModel::IAPWS;
            Water(d.sphere, false, m);
        }
        constexpr std::pair<const char*, SphereModel> kOld[] = {{"Segelstein", SphereModel::Segelstein},
                                                                {"Lynch", SphereModel::Lynch},
                                                                {"KayeLaby", SphereModel::KayeLaby},
                                                                {"Gedzelman", SphereModel::Gedzelman}};
        for (const auto& [word, model] : kOld)
            if (d.sphere.word == word) m.sphere = model;
        m.segelsteinComplex = false;
        m.medium = MediumModel::Vacuum;
        return m;
    }
    if (d.sphere.word != "File1")
        Sphere(d, m);
    else if (SphereFileOfRun(m, d.sphereName))  // else the window's sphere stays: no index file of its own
        m.sphere = SphereModel::File;
    Medium(d, m);
    return m;
}

bool SphereFileOfRun(const IndexModels& m, const std::string& sphereName) {
    return !m.fileIndices1.empty() && m.fileName1 == sphereName;
}

bool MediumFileOfRun(const IndexModels& m, const std::string& mediumName) {
    return !m.fileIndices2.empty() && m.fileName2 == mediumName;
}

bool HoldsAmplitudes(const RunRecord& r) { return r.amplitude && AmplitudeChangesValues(r.graphCode); }

LightSource LightSourceOf(const RunRecord& r) {
    return r.graphCode >= kGraphLee ? r.peaksLight : r.lightSource;
}

bool SunRectangularOf(const RunRecord& r) {
    return r.graphCode >= kGraphLee && r.peaksLight == LightSource::Sun && r.sunRectangular;
}

bool InvWavelengthScales(const RunRecord& r) { return InvWavelengthScalesValues(r.graphCode, r.waveCount); }

std::optional<bool> InvWavelengthOf(const RunRecord& r) {
    if (!InvWavelengthScales(r) ||
        r.invWavelength == InvWavelengthChosen(r.graphCode, r.graphSubCode, r.waveText))
        return std::nullopt;
    return r.invWavelength;
}

SurfaceWaveItems SurfaceWaveOptions(const RunRecord& r) {
    return SurfaceWaveItems{r.surfaceWavePaths, r.surfaceWaveModel,     r.termsMin,
                            r.termsMax,         r.surfaceWaveAmplitude, r.surfaceWavePhase};
}

std::optional<SurfaceWaveItems> SurfaceWavesOf(const RunRecord& r) {
    const SurfaceWaveItems waves = SurfaceWaveOptions(r);
    if (r.calcMethod != kMethodSurfaceWave || waves == SurfaceWaveItems{}) return std::nullopt;
    return waves;
}

namespace {

// The record's text of an input a run reads from a box no other line of the file holds.
template <class Record>
auto& RunInputText(const std::string& words, Record& r) {
    if (words == "radius" || words == "rays" || words == "samples") return r.angleText;
    if (words == "imaginary part" || words == "real part") return r.mapFixedText;
    return words == "coefficient a" ? r.termsMin : r.termsMax;
}

}  // namespace

RunInputItems RunInputsOf(const RunRecord& r) {
    RunInputItems items;
    for (const std::string& words : RunInputWords(r.graphCode, r.calcMethod)) {
        if (RunInputText(words, r).empty()) return {};  // read back from a file without the line
        items.emplace_back(words, RunInputText(words, r));
    }
    return items;
}

void SetRunInputs(const RunInputItems& items, RunRecord& r) {
    for (const auto& [words, text] : items) RunInputText(words, r) = text;
}

StoppedRun StoppedRunOf(const RunRecord& r, std::int32_t done) {
    StoppedRun stopped(done, r.plannedPoints, {}, {}, BatchReasonText(r.endMessage));
    // A typed text the reader would not take whole is written as the number the run read from it.
    const auto whole = [](const std::string& text) {
        const ValResult v = ParseVal(text);
        return !text.empty() && v.length == text.size() && v.status == NumberStatus::Ok ? text
                                                                                        : CStr(Val(text));
    };
    const Checked<std::int32_t> points = CLng(Val(r.stepText) + 1);
    if (r.xStepLog && points.ok() && points.value == r.plannedPoints) {
        stopped.plannedMax = whole(r.xMaxText);
        stopped.plannedSteps = whole(r.stepText);
    }
    // Even steps: the typed maximum where it is not the x of the last point planned, which a reader forms
    // from the x minimum, the step and the points planned.
    const bool sweep =
        r.graphCode >= kFirstSweepGraph && r.graphCode <= kLastSweepGraph && r.graphCode != kGraphConvergence;
    const double lastPlanned =
        Val(r.xMinText) + static_cast<double>(r.firstPoint + r.plannedPoints - 2) * Val(r.stepText);
    if (sweep && !r.xStepLog && whole(r.xMaxText) != CStr(lastPlanned)) {
        stopped.plannedMax = whole(r.xMaxText);
        stopped.plannedSteps = whole(r.stepText);
    }
    return stopped;
}

std::optional<IlluminationItems> IlluminationOf(const RunRecord& r) {
    if (r.illumination == RunIllumination::PlaneWave && !r.multipleBeams && !r.centralBeam)
        return std::nullopt;
    IlluminationItems light;
    for (const auto& [kind, illumination] : kIlluminations)
        if (illumination == r.illumination) light.kind = kind;
    light.multipleBeams = r.multipleBeams;
    light.centralBeam = r.centralBeam;
    if (light.kind != BeamKind::PlaneWave) {
        light.xf = r.beam.xf;
        light.yf = r.beam.yf;
        light.zf = r.beam.zf;
        light.w0 = r.beam.w0;
        light.phiDegrees = r.beam.phiDegrees;
    }
    return light;
}

// Mie takes the Gaussian beam alone; the Debye series its Gaussian beam (with the beam pair and the central
// beam) on the angle graph of one wavelength and size, elsewhere the plane wave, with the central beam
// only beside its subtraction of ray optics; the ray methods a Gaussian beam (not beside the central beam),
// the beam pair of it, and the central beam, and Young mod. a top hat beam as well (the menu offers it to
// Young mod. alone); the surface waves the central beam and their own options; Young mod. its added
// diffraction.
std::optional<std::string> LineNotOfTheMethod(const DataFile& d) {
    const int method = d.version >= 200 ? MethodCodeOf(TranslateMethod(d.method)) : kMethodNone;
    if (method == kMethodNone) return std::nullopt;
    const IlluminationItems light = d.illumination.value_or(IlluminationItems{});
    const bool rays = method >= kMethodDescartes && method <= kMethodYoungMod;
    const std::optional<GraphCodes> g = GraphCodesOf(d);
    const bool debyeBeam = method == kMethodDebye && g && g->code == kGraphAngle && !d.disperse &&
                           DataFileWaveCount(d.inputs[0], d.inputs[2]) == 1;
    bool lightUsed = !light.multipleBeams && (!light.centralBeam || rays || method == kMethodSurfaceWave ||
                                              (method == kMethodDebye && d.surfaceWaveSubtraction));
    if (light.kind == BeamKind::Gaussian)
        lightUsed = (method == kMethodMie && !light.multipleBeams && !light.centralBeam) || debyeBeam ||
                    (rays && !light.centralBeam);
    if (light.kind == BeamKind::TopHat) lightUsed = method == kMethodYoungMod;
    if (!lightUsed) return "Illumination: ";
    if ((d.surfaceWaveSubtraction && !(method == kMethodDebye && light.kind == BeamKind::PlaneWave)) ||
        (d.diffractionAdded && method != kMethodYoungMod) || (d.debyeRecursion && method != kMethodDebye))
        return "Options: ";
    if (d.surfaceWaves && method != kMethodSurfaceWave) return "Surface waves: ";
    return std::nullopt;
}

}  // namespace tessary
