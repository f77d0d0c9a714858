// The data file (.tsy): everything needed to show a finished calculation again, as a plain struct,
// and its encoding onto a sequential text file. The current version is written; the current and
// eleven older versions are read, each item only where its version has it, so a decoded file
// encodes back to the same bytes in its own version (less any text after its results, which the
// reader ignores). No Qt and no window here: the window fills a DataFile from its controls and
// applies a decoded one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "graphs/graph_codes.h"
#include "platform/text/text_file.h"

namespace tessary {

// Version codes of the header lines; the writer uses the last.
inline constexpr int kDataFileVersion = 3411;
inline constexpr const char* kDataFileHeader = "Tessary v3.4.11";

// The code of a header line (exact comparison), 0 for a header that is none of the twelve.
int DataFileVersionOf(std::string_view header);
// The header line of a version code; empty for a code that has none.
std::string DataFileHeaderOf(int version);

// "Mie scattering" -> "Mie", "Debye series" -> "Debye", anything else unchanged.
std::string TranslateMethod(const std::string& method);
// The method code of a method text (1 "Mie" .. 12 "van de Hulst", exact comparison), 0 for none.
int MethodCodeOf(std::string_view method);

// The graph code and sub-code of a graph text that a data file may hold.
struct GraphCodes {
    int code = kNoGraph;
    int subCode = kNoSubCode;
};
std::optional<GraphCodes> GraphCodesOf(std::string_view graphText);

// The wavelengths a run had, from the texts of cboWave and txtRadius (a radius in um): "RGB" 3; "High",
// "Med." and "Low" the count New plot takes for that radius; otherwise the value rounded (0 when it
// does not fit an Integer).
int DataFileWaveCount(const std::string& waveText, const std::string& radiusText);

// The limits the reader holds a file to before anything is sized.
inline constexpr int kDataFileMaxWaveCount = 2000;
inline constexpr int kDataFileMaxSweepSteps = 400;
inline constexpr std::int32_t kDataFileMaxOrder = 100000;  // a typed ray order, either sign
inline constexpr std::int32_t kDataFileMaxIndex = 200000;  // an index of the stored points
inline constexpr long long kDataFileMaxLeeValues = 4000000;

// The four points of a user-defined material.
struct UserPointsItems {
    std::string material;  // versions from 204
    std::array<float, 4> wavelengths{};
    std::array<float, 4> indices{};
    bool operator==(const UserPointsItems&) const = default;
};

// A model word with its parameters (sphere or medium).
struct ModelItems {
    std::string word;     // "IAPWS", "Air1", "Water2", ... (before 201 the sphere word may be empty)
    std::string temp;     // IAPWS, Water2: txtTemp of the water dialog
    std::string density;  // IAPWS, Water2: txtDensity
    std::string airTemp;  // Air1, Air2: txtAirTemp of the air dialog
    int complex = 0;      // IAPWS, Water2, Segelstein, Segelstein2, Ray: the complex box (above 204)
    bool operator==(const ModelItems&) const = default;
};

// The light source the results were drawn with (optPoint, optSun).
enum class LightSource { Point, Sun };

// The illumination of a run other than the plain plane wave, with the beam dialog's values: the line
// "Illumination: Gaussian beam" (or "Top hat beam", or "Plane wave" when only an option is ticked), with
// " + Multiple beams" and " + Central beam" for those options, then for a beam the line
// "Beam: " and the centre x, y, the focus z, the half-width w0 (um) and the azimuth (degrees), the
// Singles with the digits that read back as themselves (PrintTextExact).
enum class BeamKind { PlaneWave, Gaussian, TopHat };
struct IlluminationItems {
    BeamKind kind = BeamKind::PlaneWave;
    bool multipleBeams = false;
    bool centralBeam = false;
    float xf = 0.0f, yf = 0.0f, zf = 0.0f, w0 = 0.0f;  // a beam's only
    double phiDegrees = 0.0;
    bool operator==(const IlluminationItems&) const = default;
};

// A run stopped before its end: the file holds the `done` points it finished (its index range) of the
// `planned` it was to compute. The line "Stopped after 57 of 101 points"; then, for a sweep of
// logarithmic steps, "; planned maximum 50 in 40 steps": the x maximum and number of steps the run was
// to go to, as typed, from which every x it computed is formed (the file's range is that of the points
// finished); for a sweep of even steps whose typed maximum is not the x of its last point planned, that
// maximum and the step ("; planned maximum 60.07 in 0.1 steps"); and for a run that its method or model
// refused, "; refused: " and its message on one line.
struct StoppedRun {
    StoppedRun() = default;
    StoppedRun(std::int32_t pointsDone, std::int32_t pointsPlanned, std::string max = {},
               std::string steps = {}, std::string refusedBy = {})
        : done(pointsDone),
          planned(pointsPlanned),
          plannedMax(std::move(max)),
          plannedSteps(std::move(steps)),
          refusal(std::move(refusedBy)) {}
    std::int32_t done = 0;
    std::int32_t planned = 0;
    std::string plannedMax, plannedSteps;  // both or neither
    std::string refusal;
    bool operator==(const StoppedRun&) const = default;
};
// The stop line, which the text export of a stopped run writes too, and the run a stop line names
// (nothing for a line that is none, or counts no point done of more planned within the limits).
std::string StoppedRunLine(const StoppedRun& stopped);
std::optional<StoppedRun> StoppedRunOfLine(std::string_view line);

// The options of the surface-wave method other than its defaults (the paths "Both", the model "Khare",
// terms 1 to 10, amplitude factor 1, no phase correction): the line "Surface waves: " with the path item of
// the menu ("Short path only", "Long path only", "Short + long paths"), the model, "terms 1 to 10",
// "amplitude 1" and, when ticked, "phase correction", joined by "; ". The terms and factor as typed.
struct SurfaceWaveItems {
    std::string paths = "Both";   // "Short", "Long" or "Both"
    std::string model = "Khare";  // "Khare", "Lock" or "Nussenzveig"
    std::string termsMin = "1", termsMax = "10", amplitude = "1";
    bool phaseCorrection = false;
    bool operator==(const SurfaceWaveItems&) const = default;
};

// The inputs a run reads from boxes that the lines before the results do not hold, each as typed: a map's
// radius and the part of the index it keeps fixed, the rays of Huygens and the samples of Aperture, the
// coefficients a and b of van de Hulst (RunInputWords names those of a graph and method). The line
// "Inputs: " with its items in that order joined by "; ", each its words and the text: "radius 20",
// "imaginary part 0", "rays 1000", "coefficient a 1".
using RunInputItems = std::vector<std::pair<std::string, std::string>>;
// The words of the inputs a run of the graph code and method reads from such boxes, in the line's order:
// "radius" then "imaginary part" (the map against refractive index) or "real part" (against the imaginary
// part), "radius" (against wavelength); on the angle graph "rays" (Huygens), "samples" (Aperture),
// "coefficient a" and "coefficient b" (van de Hulst); none for every other run.
std::vector<std::string> RunInputWords(int graphCode, int method);

struct DataFile {
    int version = kDataFileVersion;
    std::string graphText;
    // From version 201.
    std::string sphereName = "Water";
    std::string mediumName = "a vacuum";
    std::optional<UserPointsItems> user1;  // "User1" with its points, else the sphere word below
    std::string sphereWord;
    std::optional<UserPointsItems> user2;  // "User2" with its points, else mediumWord ("Defined2")
    std::string mediumWord = "Defined2";
    // From version 200.
    std::string method;
    std::string rays;
    // The "Multiple" orders (the count is their number), for the methods that have them.
    std::vector<std::int32_t> rayOrders;
    std::optional<std::array<std::string, 3>> disperse;  // cboDistrib, cboSD, cboN
    ModelItems sphere;
    ModelItems medium;  // from version 201
    // cboWave, txtLambda, txtRadius, txtRefractReal, txtRefractImag, txtXmin, txtXmax, cboStep; the
    // two index texts only above 202.
    std::array<std::string, 8> inputs;
    // Above 201: the spectrum word ("Black body" with its temperature) and the band.
    std::string spectrum;
    std::string blackBody;
    std::string bandMin;
    std::string bandMax;
    std::optional<double> yMin;  // nothing: "Automatic"
    std::optional<double> yMax;
    double yScaleMin = 0.0;
    double yScaleMax = 0.0;
    bool xLog = false;  // graph codes 10 to 19, above 3201
    // windowFirst, windowLast (firstPoint, lastPoint for graph codes 10 to 19).
    std::int32_t first = 1;
    std::int32_t last = 0;
    double qSca = 0.0;      // graph code 1, above 3101
    std::string angleText;  // graph codes 10 to 19
    // Graph code 1 and 10 to 19, row by row: three intensities per point with one wavelength, else
    // per point and wavelength the two colour sums.
    std::vector<double> values;
    // Graph codes from 20: the sweep, then per step the six colour values of every point (the
    // perpendicular set, then the parallel set) followed by the step's three peaks.
    float sweepStart = 0.0f;
    float sweepEnd = 0.0f;
    float sweepSteps = 0.0f;
    std::vector<float> leeValues;
    // The S1 and S2 block: five numbers per row (angle, S1 re, im, S2 re, im). Rows of a file beyond
    // the count of points from first to last are not kept.
    bool amplitudeBlock = false;
    std::vector<double> amplitudes;
    // The lines after the results (files written before a line have none of it), in the order of the
    // encoder's table of them (data_file.cpp): the line "Light source: Point" or "Light source: Sun".
    std::optional<LightSource> lightSource;
    // The line "Values: Amplitude": the values were formed with the Amplitude option (AmplitudeChangesValues):
    // graphs of intensity hold the moduli |S1|, |S2| where the other files hold intensities, a Lee diagram's
    // colours are divided by k where the others are divided by k squared. "Values: S1 and S2 divided by x" (after
    // "Amplitude; " when both): the values were formed from S1 and S2 divided by the size parameter (Plot >
    // Size, applied by the plane-wave Mie series).
    bool amplitudeValues = false;
    bool sizeDivided = false;
    // The line "Inv Wavelength: On" or "Inv Wavelength: Off": the run had the option other than the graph
    // type and wavelength count choose it (InvWavelengthChosen); nothing when it had that choice.
    std::optional<bool> invWavelength;
    // The line "Number of wavelengths: 60" of a run whose list named a set ("High", "Med.", "Low"): the
    // count the set gave at the run's radius, which the reader holds the list and radius to.
    std::optional<std::int32_t> namedSetCount;
    // Then, each when it applies (files written before them have none): the illumination lines, the line
    // "Options: Surface wave subtraction" (a Debye series minus its ray optics), the surface-wave line and
    // the stop line.
    std::optional<IlluminationItems> illumination;
    bool surfaceWaveSubtraction = false;
    bool diffractionAdded = false;  // "Options: Diffraction": Young mod.'s ray orders plus diffraction
    bool debyeRecursion = false;    // "Options: Debye recursion": the Debye series' j_n(m x) by recurrence
    // "Options: Sun Rectangular": a Lee diagram's or map's row peaks were formed under the sun with its disc's
    // flat profile (Hidden > Sun Rectangular).
    bool sunRectangular = false;
    std::optional<SurfaceWaveItems> surfaceWaves;
    RunInputItems runInputs;  // empty: no "Inputs" line (older files read the window's boxes)
    std::optional<StoppedRun> stopped;

    bool operator==(const DataFile&) const = default;
};

// Whether the graph list and the wavelength list, chosen in a fresh window, check Inv Wavelength (absolute
// units): for several wavelengths, a Lee diagram, the intensity against the wavelength and the Watts graph.
bool InvWavelengthChosen(int graphCode, int graphSubCode, const std::string& waveText);
// Whether Inv Wavelength (absolute units) divides the values a run of the graph stores by k squared: the
// intensities against the wavelength, the radius or the size parameter, and the colour sums of several
// wavelengths and of a Lee diagram.
bool InvWavelengthScalesValues(int graphCode, int waveCount);
// Whether the Amplitude option changes the values a run of the graph stores: the graphs of intensity against
// angle, wavelength, radius or index store moduli |S1|, |S2|; a Lee diagram in absolute units divides its
// colours by k, not k squared.
bool AmplitudeChangesValues(int graphCode);

// The graph codes of the file's graph text (nothing when the text is none of the table's).
std::optional<GraphCodes> GraphCodesOf(const DataFile& file);
// Numbers per stored point of graph code 1 or 10 to 19 (0 when none are stored).
int ValuesPerPoint(const DataFile& file);
// The step count of a Lee diagram or map (sweepSteps rounded), and numbers per step.
int LeeStepCount(const DataFile& file);
long long LeeValuesPerStep(const DataFile& file);

// Why a file could not be written or read: the message, the message box title and, for a file that
// is not valid, the line where reading stopped.
struct DataFileFailure {
    std::string message;
    std::string title = "Tessary";
    int line = 0;
};

// The first text item that cannot be written so that it reads back as itself (it begins with a double
// quote, holds a double quote and a comma, or a line break): a message naming it; nothing when all can.
std::optional<DataFileFailure> CheckDataFileTexts(const DataFile& file);

// Writes the file in its version onto the writer. Refuses (writing nothing) when CheckDataFileTexts
// does or the stored values do not fit the layout; a write failure shows in the writer's status.
std::optional<DataFileFailure> EncodeDataFile(const DataFile& file, TextFileWriter& writer);
// The file's bytes (for tests and the codec's own checks).
std::optional<std::string> EncodeDataFileBytes(const DataFile& file);

// Reads a whole data file. Failures: a header that names a later version of this program ("Please
// update Tessary"), any other header (not a data file: another file of the program, a file of
// another program, a file cut short within its header), an unknown graph type ("Error in Graph
// Type", "File error"), and any file that ends early, holds text where a number belongs, a line of numbers
// that holds a comma (a decimal comma would read as two items) or more than its numbers, a row of
// results that is not a row of the count its layout names, or values beyond the program's limits ("The
// selected file is not a valid Tessary file", then the line and what was wrong). After the results every
// line is read whole: the S1 and S2 block, then the lines of the table (light source, values, ..., stop
// line), each in its place; a line that begins as one of them but is not one, begins with one's head with
// a typing slip (blanks and colon too), stands out of its place or is repeated, and a row of numbers beyond
// the results, are refused with their line. Only text after the last of them, which is like none of them
// and no row of numbers, is a note typed later, and ignored.
struct DecodedDataFile {
    std::optional<DataFile> file;
    DataFileFailure failure;
    bool ok() const { return file.has_value(); }
};
DecodedDataFile DecodeDataFile(TextFileReader& reader);

inline constexpr const char* kNotValidMessage = "The selected file is not a valid Tessary file";

}  // namespace tessary
