// The data file codec. One layout serves both directions: each item is written or read only where the
// file's version has it, so the gates of the older versions live in one place per item.
#include "files/data_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <utility>
#include <vector>

#include "graphs/graph_codes.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "scattering/beam_shape.h"

namespace tessary {

namespace {

struct VersionHeader {
    const char* header;
    int code;
};

constexpr VersionHeader kVersions[] = {
    {"Tessary v1.0", 1},       {"Tessary v1.01", 101},    {"Tessary v2.00", 200},
    {"Tessary v2.01", 201},    {"Tessary v2.02", 202},    {"Tessary v2.03", 203},
    {"Tessary v2.04", 204},    {"Tessary v2.05", 205},    {"Tessary v3.1.02", 3102},
    {"Tessary v3.2.01", 3201}, {"Tessary v3.2.02", 3202}, {"Tessary v3.4.11", 3411},
};

struct GraphEntry {
    const char* text;
    GraphCodes codes;
};

// The angle graph takes sub-code 1, the sub-code of its entry in the graph list.
constexpr GraphEntry kGraphs[] = {
    {"Intensity v. scattering angle", {1, 1}},
    {"Intensity v. wavelength", {10, 0}},
    {"Intensity v. radius", {11, 1}},
    {"Intensity v. size parameter x", {11, 2}},
    {"Intensity v. refractive index", {12, 0}},
    {"Qext/Qsca/Qabs v. radius", {14, 1}},
    {"Cext/Csca/Cabs v. radius", {14, 2}},
    {"Qext/Qsca/Qabs v. size x", {14, 3}},
    {"Cext/Csca/Cabs v. size x", {14, 4}},
    {"Qext/Qsca/Qabs v. wavelength", {15, 1}},
    {"Cext/Csca/Cabs v. wavelength", {15, 2}},
    {"Asymmetry parameter v. radius", {16, 1}},
    {"Asymmetry parameter v. size x", {16, 2}},
    {"Asymmetry parameter v. wavelength", {16, 3}},
    {"Lee diagram", {20, 0}},
    {"Map: angle v. refractive index", {22, 0}},
    {"Map: angle v. imaginary RI", {23, 0}},
    {"Map: angle v. radius", {24, 0}},
    {"Map: angle v. wavelength", {25, 0}},
};

constexpr std::string_view kMethods[] = {"Mie",     "Debye",     "Rayleigh",     "Diffraction",
                                         "Airy",    "Descartes", "Young",        "Young mod",
                                         "Huygens", "Aperture",  "Surface wave", "van de Hulst"};

constexpr const char* kAutomatic = "Automatic";
constexpr const char* kAmplitudeTitle = "Real and imaginary values of S1 and S2";
constexpr const char* kPointLine = "Light source: Point";
constexpr const char* kSunLine = "Light source: Sun";
constexpr const char* kAmplitudeValuesLine = "Values: Amplitude";
constexpr std::string_view kValuesPrefix = "Values: ";
constexpr std::string_view kAmplitudeWord = "Amplitude";
constexpr std::string_view kSizeDividedWord = "S1 and S2 divided by x";
constexpr const char* kInvWavelengthOn = "Inv Wavelength: On";
constexpr const char* kInvWavelengthOff = "Inv Wavelength: Off";
constexpr std::string_view kIlluminationPrefix = "Illumination: ";
constexpr std::string_view kBeamPrefix = "Beam:";
// Why a line of numbers holding a comma is refused.
constexpr const char* kCommaInNumbers =
    "holds a comma, which ends an item: a data file's numbers take a decimal point";
constexpr std::string_view kStoppedPrefix = "Stopped after ";
constexpr std::string_view kPlannedMaximum = "; planned maximum ";
constexpr std::string_view kRefusedBy = "; refused: ";
constexpr std::string_view kOptionsPrefix = "Options: ";
constexpr std::string_view kSurfaceWaveSubtraction = "Surface wave subtraction";
constexpr std::string_view kDiffractionAdded = "Diffraction";
constexpr std::string_view kDebyeRecursion = "Debye recursion";
constexpr std::string_view kSunRectangular = "Sun Rectangular";

// The illumination words as the menu names them, the options after " + ".
constexpr std::pair<BeamKind, std::string_view> kBeamWords[] = {{BeamKind::PlaneWave, "Plane wave"},
                                                                {BeamKind::Gaussian, "Gaussian beam"},
                                                                {BeamKind::TopHat, "Top hat beam"}};
constexpr std::string_view kSurfaceWavesPrefix = "Surface waves: ";
constexpr std::string_view kRunInputsPrefix = "Inputs: ";
constexpr std::string_view kNamedSetCountPrefix = "Number of wavelengths: ";
constexpr std::pair<std::string_view, std::string_view> kSurfacePaths[] = {
    {"Short", "Short path only"}, {"Long", "Long path only"}, {"Both", "Short + long paths"}};
constexpr std::string_view kSurfaceModels[] = {"Khare", "Lock", "Nussenzveig"};
constexpr std::string_view kMultipleBeams = "Multiple beams";
constexpr std::string_view kCentralBeam = "Central beam";

// Which versions have which items.
bool HasHead(int v) { return v >= 201; }
bool HasMaterial(int v) { return v >= 204; }
bool HasComplexFlag(int v) { return v > 204; }
bool HasIndexTexts(int v) { return v > 202; }
bool HasSpectrum(int v) { return v > 201; }
bool HasStepKind(int v) { return v > 3201; }
bool HasQsca(int v) { return v > 3101; }

bool HasRayList(const DataFile& f) {
    if (!HasHead(f.version) || f.rays != "Multiple") return false;
    const int method = MethodCodeOf(TranslateMethod(f.method));
    return method == kMethodDebye || (f.version > 3102 && method >= kMethodAiry);
}

// Words of the sphere group that carry the complex flag, and of the medium group.
bool SphereWordHasFlag(const std::string& w) { return w == "IAPWS" || w == "Segelstein" || w == "Ray"; }
bool MediumWordHasFlag(const std::string& w) { return w == "Water2" || w == "Segelstein2"; }

// Older versions: a model word in the place of the wavelength count is that count as well.
bool IsOldSphereWord(const std::string& w) {
    return w == "Segelstein" || w == "Lynch" || w == "KayeLaby" || w == "Gedzelman" || w == "Cowley";
}

// ---- Encoding -----------------------------------------------------------------------------------

// A text as an item that reads back as itself: in double quotes when it holds a comma.
std::string TextItem(const std::string& s) {
    if (s.find(',') != std::string::npos) return "\"" + s + "\"";
    return s;
}

// A Single printed with the digits that read back as itself (PrintTextExact).
struct ExactSingle {
    float value;
};
// The same for a Double.
struct ExactDouble {
    double value;
};

// The print statement into memory, byte for byte as the text-file writer prints: items joined,
// kZone on to the next 14-column zone strictly after the current column, numbers in their print form.
// A NaN or infinite number marks the text as not writable.
class Printer {
  public:
    template <class... Items>
    void PrintLine(const Items&... items) {
        (Item(items), ...);
        EndLine();
    }
    void EndLine() {
        out += "\r\n";
        column = 0;
    }
    std::string out;
    bool finite = true;

  private:
    void Append(const std::string& s) {
        out += s;
        for (const char ch : s)
            if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++column;  // characters, not UTF-8 bytes
    }
    void Item(std::string_view s) { Append(std::string(s)); }
    void Item(const std::string& s) { Append(s); }
    void Item(ZoneItem) {
        const int next = (column / 14 + 1) * 14;
        Append(std::string(static_cast<std::size_t>(next - column), ' '));
    }
    void Item(double v) {
        finite = finite && std::isfinite(v);
        Append(PrintText(v));
    }
    void Item(float v) {
        finite = finite && std::isfinite(v);
        Append(PrintText(v));
    }
    void Item(ExactSingle v) {
        finite = finite && std::isfinite(v.value);
        Append(PrintTextExact(v.value));
    }
    void Item(ExactDouble v) {
        finite = finite && std::isfinite(v.value);
        Append(PrintTextExact(v.value));
    }
    void Item(std::int16_t v) { Append(PrintText(v)); }
    void Item(std::int32_t v) { Append(PrintText(v)); }
    int column = 0;
};

class Encoder {
  public:
    Encoder(const DataFile& file, Printer& printer) : f(file), w(printer) {}
    void run();

  private:
    void text(const std::string& s) { w.PrintLine(TextItem(s)); }
    void user(const UserPointsItems& u);
    void sphereModel();
    void mediumModel();
    void results(const GraphCodes& g);
    void trailingLines();

    const DataFile& f;
    Printer& w;
};

void Encoder::user(const UserPointsItems& u) {
    if (HasMaterial(f.version)) text(u.material);
    for (std::size_t i = 0; i < 4; ++i)
        w.PrintLine(ExactSingle{u.wavelengths[i]}, kZone, ExactSingle{u.indices[i]});
}

void Encoder::sphereModel() {
    const ModelItems& m = f.sphere;
    if (!HasHead(f.version)) {
        // IAPWS with its two values; any other model word stands in the wavelength count's place.
        if (m.word == "IAPWS") {
            text(m.word);
            text(m.temp);
            text(m.density);
        }
        return;
    }
    text(m.word);  // from 201 the place always holds one word
    if (m.word == "Air1") text(m.airTemp);
    if (m.word == "IAPWS") {
        text(m.temp);
        text(m.density);
    }
    if (SphereWordHasFlag(m.word) && HasComplexFlag(f.version))
        w.PrintLine(static_cast<std::int16_t>(m.complex));
}

void Encoder::mediumModel() {
    const ModelItems& m = f.medium;
    if (!HasHead(f.version)) return;
    text(m.word);
    if (m.word == "Air2") text(m.airTemp);
    if (m.word == "Water2") {
        text(m.temp);
        text(m.density);
    }
    if (MediumWordHasFlag(m.word) && HasComplexFlag(f.version))
        w.PrintLine(static_cast<std::int16_t>(m.complex));
}

void Encoder::run() {
    w.PrintLine(DataFileHeaderOf(f.version));
    if (f.version == 200) {
        text(f.method);
        text(f.rays);
    }
    text(f.graphText);
    if (HasHead(f.version)) {
        text(f.sphereName);
        text(f.mediumName);
        if (f.user1) {
            text("User1");
            user(*f.user1);
        } else {
            text(f.sphereWord);
        }
        if (f.user2) {
            text("User2");
            user(*f.user2);
        } else {
            text(f.mediumWord);
        }
        text(f.method);
        text(f.rays);
        if (HasRayList(f)) {
            w.PrintLine(static_cast<std::int32_t>(f.rayOrders.size()));
            for (const std::int32_t p : f.rayOrders) w.PrintLine(p);
        }
    }
    if (f.disperse) {
        text("Disperse");
        for (const std::string& s : *f.disperse) text(s);
    }
    sphereModel();
    mediumModel();
    for (std::size_t i = 0; i < f.inputs.size(); ++i) {
        if ((i == 3 || i == 4) && !HasIndexTexts(f.version)) continue;
        text(f.inputs[i]);
    }
    if (HasSpectrum(f.version)) {
        if (!f.spectrum.empty()) text(f.spectrum);
        if (f.spectrum == "Black body") text(f.blackBody);
        text(f.bandMin);
        text(f.bandMax);
    }
    for (const std::optional<double>& limit : {f.yMin, f.yMax}) {
        if (limit)
            w.PrintLine(*limit);
        else
            text(kAutomatic);
    }
    w.PrintLine(f.yScaleMin);
    w.PrintLine(f.yScaleMax);
    const GraphCodes g = GraphCodesOf(f).value_or(GraphCodes{});
    if (g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph && HasStepKind(f.version))
        text(f.xLog ? "xLog" : "xLin");
    w.PrintLine(f.first, kZone, f.last);
    results(g);
    if (f.amplitudeBlock) {
        w.EndLine();
        text(kAmplitudeTitle);
        for (std::size_t i = 0; i + 5 <= f.amplitudes.size(); i += 5)
            w.PrintLine(f.amplitudes[i], kZone, f.amplitudes[i + 1], kZone, f.amplitudes[i + 2], kZone,
                        f.amplitudes[i + 3], kZone, f.amplitudes[i + 4]);
    }
    trailingLines();
}

void Encoder::results(const GraphCodes& g) {
    if (g.code == kGraphAngle && HasQsca(f.version)) w.PrintLine(f.qSca);
    if (g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph) text(f.angleText);
    if (g.code < kGraphLee) {
        const std::size_t perRow = ValuesPerPoint(f) == 3 ? 3 : 2;
        for (std::size_t i = 0; i + perRow <= f.values.size(); i += perRow) {
            if (perRow == 3)
                w.PrintLine(f.values[i], kZone, f.values[i + 1], kZone, f.values[i + 2]);
            else
                w.PrintLine(f.values[i], kZone, f.values[i + 1]);
        }
        return;
    }
    // The sweep with the digits that read back as the run's Singles.
    if (g.code == kGraphLee) {
        w.PrintLine(ExactSingle{f.sweepSteps});
        w.PrintLine(ExactSingle{f.sweepEnd});
    } else {
        w.PrintLine(ExactSingle{f.sweepStart});
        w.PrintLine(ExactSingle{f.sweepEnd});
        w.PrintLine(ExactSingle{f.sweepSteps});
    }
    for (std::size_t i = 0; i + 3 <= f.leeValues.size(); i += 3)
        w.PrintLine(f.leeValues[i], kZone, f.leeValues[i + 1], kZone, f.leeValues[i + 2]);
}

// ---- Decoding -----------------------------------------------------------------------------------

// Reading stops at the first failure; the decoder then leaves every further step.
struct Stop {
    DataFileFailure failure;
};

// True for a header that names a version of this program later than the one it writes: "Tessary v"
// and whole numbers joined by dots, above 3.4.11 ("Tessary v3.5.0", "Tessary v9").
bool NamesLaterVersion(std::string_view header) {
    constexpr std::string_view kPrefix = "Tessary v";
    constexpr std::string_view kCurrent[] = {"3", "4", "11"};
    if (header.substr(0, kPrefix.size()) != kPrefix) return false;
    std::string_view rest = header.substr(kPrefix.size());
    int order = 0;  // of the parts compared so far: -1 earlier, 1 later
    for (std::size_t part = 0;; ++part) {
        const std::size_t dot = rest.find('.');
        std::string_view digits = rest.substr(0, dot);
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return false;
        digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size() - 1));
        const std::string_view current = part < std::size(kCurrent) ? kCurrent[part] : "0";
        if (order == 0 && digits != current)  // whole numbers without leading zeros: the longer is larger
            order = digits.size() != current.size() ? (digits.size() > current.size() ? 1 : -1)
                                                    : (digits > current ? 1 : -1);
        if (dot == std::string_view::npos) return order > 0;
        rest.remove_prefix(dot + 1);
    }
}

// The refusal of a header that is none of the twelve: a later version asks for an update; anything
// else is not a data file (another file of this program, another program's, or a data file cut short
// within its header, which then says where it ends).
DataFileFailure HeaderFailure(const Item<std::string>& header, bool cutInHeader) {
    DataFileFailure failure;
    failure.line = 1;
    if (header.ok() && NamesLaterVersion(header.value)) {
        failure.message = std::string("This file has been generated by a newer version of Tessary") + kCR +
                          "Please obtain the latest version of Tessary.";
        failure.title = "Please update Tessary";
        return failure;
    }
    failure.message = std::string(kNotValidMessage) + kCR + "It is not a Tessary data file" +
                      (header.ok() && cutInHeader ? ": it ends on line 1." : ".");
    return failure;
}

// A line after the results, with the items after a comma on it joined to it by that comma.
struct TailText {
    std::string text;
    int line = 0;
};

class Decoder {
  public:
    explicit Decoder(TextFileReader& reader) : r(reader) {}
    DataFile run();

    // The readers of the lines after the results (kTailLines): each fills the file or refuses the line.
    void lightSource(const TailText& line);
    void values(const TailText& line);
    void invWavelength(const TailText& line);
    void namedSetCount(const TailText& line);
    void illumination(const TailText& line);
    void options(const TailText& line);
    void surfaceWaves(const TailText& line);
    void runInputs(const TailText& line);
    void stopped(const TailText& line);

  private:
    std::string text();
    std::string word();
    std::string numberText();
    void lineEnds(std::string_view what = "its number");
    void noComma();
    double number();
    float single();
    template <class T>
    T whole(Item<T> item);
    std::int32_t whole() { return whole(r.ReadLong()); }
    [[noreturn]] void invalid(const std::string& what, int line);
    [[noreturn]] void refuse(const TailText& line, const std::string& why);
    template <class T>
    T take(Item<T> item);
    template <class Read>
    void row(int numbers, Read read);
    UserPointsItems user();
    void head();
    std::string sphereModel(std::string item);
    std::string mediumModel(std::string item);
    void ranges(const GraphCodes& g);
    void results(const GraphCodes& g);
    std::optional<TailText> tailLine();
    std::optional<TailText> amplitudeBlock();
    void tail();
    void notes(std::optional<TailText> line);
    GraphCodes codes() const { return GraphCodesOf(f).value_or(GraphCodes{}); }

    TextFileReader& r;
    DataFile f;
    int lastLine = 1;                // the line of the last item read
    int lambdaLine = 0;              // the line of the wavelength
    int sphereWordLine = 0;          // the line of the sphere's word in the head
    std::optional<TailText> pushed;  // a line read ahead, the next tailLine()
    std::string resultsNamed;        // what the results hold, for the messages of rows: "181 points of ..."
};

void Decoder::invalid(const std::string& what, int line) {
    DataFileFailure failure;
    failure.message = std::string(kNotValidMessage) + kCR + what;
    failure.line = line;
    throw Stop{std::move(failure)};
}

template <class T>
T Decoder::take(Item<T> item) {
    if (item.status == FileStatus::EndOfFile)
        invalid("The file is cut short: it ends on line " + CStr(lastLine) + ".", lastLine);
    if (!item.ok()) invalid(item.message, item.line);
    lastLine = item.line;
    return std::move(item.value);
}

// A text as it was written, blanks included (a name such as " Water" or "a vacuum ").
std::string Decoder::text() { return take(r.ReadTextWithBlanks()); }

// A keyword or list choice without the blanks and TABs before it and the blanks after it.
std::string Trimmed(const std::string& s) {
    const std::size_t start = s.find_first_not_of(" \t");
    if (start == std::string::npos) return std::string();
    const std::size_t end = s.find_last_not_of(' ');
    return s.substr(start, end - start + 1);
}
std::string Decoder::word() { return Trimmed(text()); }

// A line of numbers holds them and nothing more. A comma ends an item, so a number written with a decimal
// comma ("0,65") would read as two items and put every later item in the place after its own: the line of the
// last item read is refused when anything follows that item on it, and a line of several numbers when it holds
// a comma.
void Decoder::lineEnds(std::string_view what) {
    if (r.AtEnd() || r.Line() != lastLine) return;
    noComma();
    invalid("Line " + CStr(lastLine) + ": \"" + Trimmed(std::string(r.CurrentLine())) +
                "\" holds more than " + std::string(what),
            lastLine);
}
void Decoder::noComma() {
    const std::string_view line = r.CurrentLine();
    if (line.find(',') != std::string_view::npos)
        invalid("Line " + CStr(r.Line()) + ": \"" + Trimmed(std::string(line)) + "\" " + kCommaInNumbers,
                r.Line());
}
// A number as the window's box or list held it, on a line of its own.
std::string Decoder::numberText() {
    std::string item = text();
    lineEnds();
    return item;
}
double Decoder::number() { return take(r.ReadDouble()); }
float Decoder::single() { return take(r.ReadSingle()); }
// A count, order, index or flag: a whole number as the writer prints it, never one the reader would round
// ("1.5" would read 2 and shift the items after it).
template <class T>
T Decoder::whole(Item<T> item) {
    const std::string written = item.text;
    const int line = item.line;
    const T value = take(std::move(item));
    if (Val(written) != value)
        invalid("Line " + CStr(line) + ": \"" + written + "\" is not a whole number", line);
    return value;
}

UserPointsItems Decoder::user() {
    UserPointsItems u;
    if (HasMaterial(f.version)) u.material = text();
    for (std::size_t i = 0; i < 4; ++i) {
        noComma();
        u.wavelengths[i] = single();
        u.indices[i] = single();
        lineEnds("its wavelength and index");
    }
    return u;
}

void Decoder::head() {
    f.graphText = word();
    f.sphereName = text();
    f.mediumName = text();
    std::string item = word();
    if (item == "User1") {
        f.user1 = user();
        item = word();
    } else {
        f.sphereWord = item;
        sphereWordLine = lastLine;
        item = word();
    }
    if (item == "User2") {
        f.user2 = user();
        item = word();
    } else {
        // The writers of every version write one of the two here; any other word is no file of theirs.
        if (item != "Defined2")
            invalid("Line " + CStr(lastLine) + ": \"" + item + "\" is neither \"User2\" nor \"Defined2\"",
                    lastLine);
        f.mediumWord = item;
        item = word();
    }
    f.method = item;
    f.rays = word();
    lineEnds("its ray orders");
    if (HasRayList(f)) {
        const int line = r.Line();
        const std::int32_t count = whole();
        lineEnds();
        if (count < 0 || count > 51) invalid("Line " + CStr(line) + ": " + CStr(count) + " ray orders", line);
        for (std::int32_t i = 0; i < count; ++i) {
            const int at = r.Line();
            const std::int32_t p = whole();
            lineEnds();
            if (p < 0 || p > 50)
                invalid("Line " + CStr(at) + ": the ray order " + CStr(p) + " is not 0 to 50", at);
            f.rayOrders.push_back(p);
        }
    }
}

// The sphere model from the item in hand; returns the item that follows it.
std::string Decoder::sphereModel(std::string item) {
    ModelItems& m = f.sphere;
    if (!HasHead(f.version)) {
        if (item == "IAPWS") {
            m.word = item;
            m.temp = numberText();
            m.density = numberText();
            return word();
        }
        m.word = IsOldSphereWord(item) ? item : std::string();
        return item;  // the wavelength count
    }
    // The sphere's word is written twice, in the head and here, as the same word.
    if (!f.user1 && item != f.sphereWord)
        invalid("Line " + CStr(sphereWordLine) + ": the sphere model \"" + f.sphereWord + "\" is not \"" +
                    item + "\", the model of line " + CStr(lastLine),
                sphereWordLine);
    m.word = item;
    if (item == "Air1") m.airTemp = numberText();
    if (item == "IAPWS") {
        m.temp = numberText();
        m.density = numberText();
    }
    if (SphereWordHasFlag(item) && HasComplexFlag(f.version)) {
        m.complex = whole(r.ReadInteger());
        lineEnds();
    }
    return word();
}

std::string Decoder::mediumModel(std::string item) {
    if (!HasHead(f.version)) return item;
    ModelItems& m = f.medium;
    m.word = item;
    if (item == "Air2") m.airTemp = numberText();
    if (item == "Water2") {
        m.temp = numberText();
        m.density = numberText();
    }
    if (MediumWordHasFlag(item) && HasComplexFlag(f.version)) {
        m.complex = whole(r.ReadInteger());
        lineEnds();
    }
    return word();
}

void Decoder::ranges(const GraphCodes& g) {
    if (g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph && HasStepKind(f.version)) {
        const std::string kind = word();
        if (kind != "xLin" && kind != "xLog")
            invalid("Line " + CStr(lastLine) + ": \"" + kind + "\" is not \"xLin\" or \"xLog\"", lastLine);
        f.xLog = kind == "xLog";
    }
    const int line = r.Line();
    noComma();
    f.first = whole();
    f.last = whole();
    lineEnds("its first and last point");
    if (f.first < 0 || f.last < f.first - 1 || f.last > kDataFileMaxIndex)
        invalid("Line " + CStr(line) + ": the points " + CStr(f.first) + " to " + CStr(f.last) +
                    " are beyond the program's limits",
                line);
}

// One row of the results: `numbers` numbers, each taken by `read`, on one line of their own (a row of
// other length would shift every later value into another point, wavelength or step).
template <class Read>
void Decoder::row(int numbers, Read read) {
    const int line = r.Line();
    noComma();
    for (int i = 0; i < numbers; ++i) {
        read();
        if (lastLine != line) break;
    }
    if (lastLine != line || (r.Line() == line && !r.AtEnd()))
        invalid("Line " + CStr(line) + ": not a row of " + CStr(numbers) + " numbers, as each row of the " +
                    resultsNamed + " is",
                line);
}

// The points the results hold and how, for the messages of rows.
std::string ResultsNamed(const DataFile& f, const GraphCodes& g, long long points) {
    const std::string stored = CStr(static_cast<std::int64_t>(points)) + " points";
    if (g.code >= kGraphLee) return "results of " + CStr(LeeStepCount(f) + 1) + " steps of " + stored;
    if (g.code != kGraphAngle) return "results of the " + stored + " of the x range";
    const int waves = DataFileWaveCount(f.inputs[0], f.inputs[2]);
    if (waves == 1) return "results of " + stored + " of one wavelength";
    if (waves <= 7) return "results of " + stored + " of " + CStr(waves) + " wavelengths";
    return "results of " + stored + " of the red, green and blue sums of " + CStr(waves) + " wavelengths";
}

void Decoder::results(const GraphCodes& g) {
    const long long points = static_cast<long long>(f.last) - f.first + 1;
    if (g.code == kGraphAngle && HasQsca(f.version)) {
        f.qSca = number();
        lineEnds();
    }
    if (g.code == kGraphAngle) {
        const int line = r.Line();
        const int waves = DataFileWaveCount(f.inputs[0], f.inputs[2]);
        if (waves < 0 || waves > kDataFileMaxWaveCount)
            invalid("Line " + CStr(line) + ": " + CStr(waves) + " wavelengths", line);
        if (!(Val(f.inputs[1]) > 0))
            invalid("Line " + CStr(lambdaLine) + ": the wavelength \"" + f.inputs[1] + "\" is not above 0",
                    lambdaLine);
    }
    if (g.code >= kFirstSweepGraph && g.code <= kLastSweepGraph) f.angleText = numberText();
    if (g.code < kGraphLee) {
        resultsNamed = ResultsNamed(f, g, points);
        const int perPoint = ValuesPerPoint(f);
        const int perRow = perPoint == 3 ? 3 : 2;
        const long long count = points * perPoint;
        for (long long i = 0; i < count; i += perRow) row(perRow, [this] { f.values.push_back(number()); });
        return;
    }
    const auto sweep = [this] {
        const float value = single();
        lineEnds();
        return value;
    };
    if (g.code == kGraphLee) {
        f.sweepSteps = sweep();
        f.sweepEnd = sweep();
    } else {
        f.sweepStart = sweep();
        f.sweepEnd = sweep();
        f.sweepSteps = sweep();
    }
    const int line = r.Line();
    const double steps = std::nearbyint(static_cast<double>(f.sweepSteps));
    if (!(steps >= 0 && steps <= kDataFileMaxSweepSteps))
        invalid("Line " + CStr(line - 1) + ": " + CStr(f.sweepSteps) + " sweep steps", line - 1);
    const long long total = (LeeStepCount(f) + 1LL) * LeeValuesPerStep(f);
    if (total > kDataFileMaxLeeValues)
        invalid("The diagram's " + CStr(points) + " points are too many", line);
    resultsNamed = ResultsNamed(f, g, points);
    for (long long i = 0; i < total; i += 3) row(3, [this] { f.leeValues.push_back(single()); });
}

// ---- The lines after the results ----------------------------------------------------------------
//
// After the results and the S1 and S2 block come the lines of kTailLines, each only where it applies,
// each at most once and in the order of the table. A line that is an entry's as MatchTailLine tells (its
// head, key or head cut short) is read whole, or the file is refused naming it; a line that begins with an
// entry's head with one typing slip is that line damaged, refused wherever it stands. Any other line there
// is a note typed later: the reader ignores it and what follows it, which must be notes too, and none of
// them a row of numbers (a row beyond the results the file names).
//
// A new line is one entry at its place in the table: its key, its head, its name in the messages, the
// writer of the line from the DataFile field that holds it (nothing written when the file has none), and
// the Decoder member that reads the line into that field or refuses it (refuse(), naming the line).

// The line of every number of an S1 and S2 row, and of the beam: `numbers` numbers, each read as the reader
// reads a number, apart by blanks (a comma would split a decimal comma's number in two); false for a line that
// is anything else.
template <std::size_t N>
bool NumbersRow(const std::string& line, std::array<double, N>& row) {
    if (line.find(',') != std::string::npos) return false;
    TextFileReader numbers = TextFileReader::FromBytes(line);
    for (double& value : row) {
        const Item<double> item = numbers.ReadDouble();
        if (!item.ok()) return false;
        value = item.value;
    }
    return numbers.AtEnd();
}

// True for a line of one or more numbers and nothing else (numbers beyond the Double range count).
bool IsNumbersRow(const std::string& line) {
    TextFileReader numbers = TextFileReader::FromBytes(line);
    int count = 0;
    while (!numbers.AtEnd()) {
        const Item<double> item = numbers.ReadDouble();
        if (!item.ok() && item.status != FileStatus::OutOfRange) return false;
        ++count;
    }
    return count > 0;
}

void WriteLightSource(const DataFile& f, Printer& w) {
    if (f.lightSource) w.PrintLine(std::string(*f.lightSource == LightSource::Sun ? kSunLine : kPointLine));
}

void WriteValues(const DataFile& f, Printer& w) {
    if (!f.amplitudeValues && !f.sizeDivided) return;
    std::string line(kValuesPrefix);
    if (f.amplitudeValues) line += kAmplitudeWord;
    if (f.sizeDivided) line += std::string(f.amplitudeValues ? "; " : "") + std::string(kSizeDividedWord);
    w.PrintLine(line);
}

void WriteInvWavelength(const DataFile& f, Printer& w) {
    if (f.invWavelength) w.PrintLine(std::string(*f.invWavelength ? kInvWavelengthOn : kInvWavelengthOff));
}

void WriteNamedSetCount(const DataFile& f, Printer& w) {
    if (f.namedSetCount) w.PrintLine(std::string(kNamedSetCountPrefix) + CStr(*f.namedSetCount));
}

void WriteIllumination(const DataFile& f, Printer& w) {
    const std::optional<IlluminationItems>& light = f.illumination;
    if (!light) return;
    std::string line(kIlluminationPrefix);
    for (const auto& [kind, word] : kBeamWords)
        if (kind == light->kind) line += word;
    if (light->multipleBeams) line += " + " + std::string(kMultipleBeams);
    if (light->centralBeam) line += " + " + std::string(kCentralBeam);
    w.PrintLine(line);
    if (light->kind != BeamKind::PlaneWave)
        w.PrintLine(kBeamPrefix, std::string_view(" "), ExactSingle{light->xf}, ExactSingle{light->yf},
                    ExactSingle{light->zf}, ExactSingle{light->w0}, ExactDouble{light->phiDegrees});
}

// The options in their order, joined by "; ".
void WriteOptions(const DataFile& f, Printer& w) {
    std::string words;
    for (const auto& [word, on] :
         {std::pair{kSurfaceWaveSubtraction, f.surfaceWaveSubtraction},
          std::pair{kDiffractionAdded, f.diffractionAdded}, std::pair{kDebyeRecursion, f.debyeRecursion},
          std::pair{kSunRectangular, f.sunRectangular}})
        if (on) words += (words.empty() ? "" : "; ") + std::string(word);
    if (!words.empty()) w.PrintLine(std::string(kOptionsPrefix) + words);
}

void WriteSurfaceWaves(const DataFile& f, Printer& w) {
    const std::optional<SurfaceWaveItems>& waves = f.surfaceWaves;
    if (!waves) return;
    std::string line(kSurfaceWavesPrefix);
    for (const auto& [word, item] : kSurfacePaths)
        if (word == waves->paths) line += item;
    line += "; " + waves->model + "; terms " + waves->termsMin + " to " + waves->termsMax + "; amplitude " +
            waves->amplitude;
    if (waves->phaseCorrection) line += "; phase correction";
    w.PrintLine(TextItem(line));
}

void WriteRunInputs(const DataFile& f, Printer& w) {
    if (f.runInputs.empty()) return;
    std::string line(kRunInputsPrefix);
    for (std::size_t i = 0; i < f.runInputs.size(); ++i)
        line += (i == 0 ? "" : "; ") + f.runInputs[i].first + " " + f.runInputs[i].second;
    w.PrintLine(TextItem(line));  // a value typed with a decimal comma
}

void WriteStopped(const DataFile& f, Printer& w) {
    if (f.stopped) w.PrintLine(TextItem(StoppedRunLine(*f.stopped)));  // a refusal may hold a comma
}

struct TailEntry {
    std::string_view key;   // the line begins with it
    std::string_view head;  // the line as written up to its colon (the stop line: its first two words)
    const char* name;       // "the <name> line" in messages
    void (*write)(const DataFile&, Printer&);
    void (Decoder::*read)(const TailText&);  // nothing: the line is read with the one before it
};

constexpr TailEntry kTailLines[] = {
    {"Light source", "Light source:", "light-source", WriteLightSource, &Decoder::lightSource},
    {"Values", "Values:", "values", WriteValues, &Decoder::values},
    {"Inv Wavelength", "Inv Wavelength:", "Inv Wavelength", WriteInvWavelength, &Decoder::invWavelength},
    {"Number of wavelengths", "Number of wavelengths:", "wavelength-count", WriteNamedSetCount,
     &Decoder::namedSetCount},
    {"Illumination", "Illumination:", "illumination (with its beam)", WriteIllumination,
     &Decoder::illumination},
    {"Beam", "Beam:", "beam", nullptr, nullptr},  // written and read with its illumination
    {"Options", "Options:", "options", WriteOptions, &Decoder::options},
    {"Surface waves", "Surface waves:", "surface-wave", WriteSurfaceWaves, &Decoder::surfaceWaves},
    {"Inputs", "Inputs:", "inputs", WriteRunInputs, &Decoder::runInputs},
    {"Stopped", "Stopped after", "stop", WriteStopped, &Decoder::stopped},
};

bool SameLetters(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameLetters);
}

// Whether a line begins with a key, in any case, the key not followed by a letter.
bool BeginsWith(std::string_view line, std::string_view key) {
    if (line.size() < key.size() || !SameText(line.substr(0, key.size()), key)) return false;
    return line.size() == key.size() || !std::isalpha(static_cast<unsigned char>(line[key.size()]));
}

// Whether two texts differ by one typing slip, letters in any case: one character changed, added or left
// out, or two neighbouring characters swapped (optimal string alignment distance 1).
bool OneSlipApart(std::string_view a, std::string_view b) {
    if (a.size() < b.size()) std::swap(a, b);
    if (a.size() - b.size() > 1) return false;
    std::size_t i = 0;
    while (i < b.size() && SameLetters(a[i], b[i])) ++i;
    if (a.size() > b.size()) return SameText(a.substr(i + 1), b.substr(i));  // one added (at the end too)
    if (i == a.size()) return false;                                         // the same text
    return SameText(a.substr(i + 1), b.substr(i + 1)) ||                     // one changed
           (i + 1 < a.size() && SameLetters(a[i], b[i + 1]) && SameLetters(a[i + 1], b[i]) &&
            SameText(a.substr(i + 2), b.substr(i + 2)));  // two swapped
}

// Whether the first n characters of a line end as a head does: at a colon, or the stop line's words at the
// end of a word ("Stopped after 4", not "Stopped afterwards").
bool EndsLikeHead(std::string_view line, std::size_t n, std::string_view head) {
    if (head.back() == ':') return line[n - 1] == ':';
    return n == line.size() || !std::isalpha(static_cast<unsigned char>(line[n]));
}

// Whether a line holds a count of points as the stop line writes it: "<whole number> of <whole number>".
bool CountsPoints(std::string_view line) {
    const auto digits = [](std::string_view t) {
        return !t.empty() &&
               std::all_of(t.begin(), t.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
    };
    for (std::size_t of = line.find(" of "); of != line.npos; of = line.find(" of ", of + 1)) {
        const std::size_t before = of == 0 ? line.npos : line.rfind(' ', of - 1),
                          after = line.find(' ', of + 4);
        const std::size_t start = before == line.npos ? 0 : before + 1;
        if (digits(line.substr(start, of - start)) && digits(line.substr(of + 4, after - (of + 4))))
            return true;
    }
    return false;
}

// How a line after the results stands to the known lines: the entry whose line it is, and the length of its
// head when that head is the entry's head or key with one typing slip (0 for the line as known), and which.
struct TailMatch {
    const TailEntry* entry = nullptr;
    std::size_t slipped = 0;
    std::string_view known;
};

// The one rule for the lines after the results, in any case. A line is an entry's line as known when it
// - is its head cut short ("Light sou", "Values"),
// - begins with its key, not followed by a letter, and holds no colon when the head ends with one (the
//   colon left out or changed: "Values Amplitude"), or
// - begins with its head, ending as the head does ("Values: Amplitude", "Stopped after 4 of 5 points").
// Else it is an entry's line damaged when it begins with the head with one typing slip, anywhere in it
// (blanks and the colon too), ending as the head does: "Vaules: Amplitude", "Lightsource: Sun",
// "Value:s Amplitude", "Stoppe dafter 4 of 5 points". Else it is the line as known when it begins with the
// key, not followed by a letter, a colon typed later ("Light source Sun, 12:30"), but for the beam line, read
// with its illumination ("Beam splitter: none" is a note); or the line damaged when it begins with the key of
// a line whose head ends with a colon with one slip, not followed by a letter: "Lihgt source Sun",
// "Valuesx Amplitude"; the stop line's key with one slip only where the line counts points as the stop line
// does ("Stoped at 192 of 1901 points", while "Stepped through the radii" is a note). Any other line ("Light:
// overcast sky") is none.
TailMatch MatchTailLine(std::string_view line) {
    for (const TailEntry& entry : kTailLines) {
        const std::string_view head = entry.head;
        const std::size_t n = head.size();
        if ((!line.empty() && line.size() < n && SameText(line, head.substr(0, line.size()))) ||
            (BeginsWith(line, entry.key) && (head.back() != ':' || line.find(':') == line.npos)) ||
            (line.size() >= n && SameText(line.substr(0, n), head) && EndsLikeHead(line, n, head)))
            return {&entry, 0, entry.head};
    }
    for (const TailEntry& entry : kTailLines) {
        const std::string_view head = entry.head;
        for (std::size_t n = head.size() - 1; n <= head.size() + 1 && n <= line.size(); ++n)
            if (EndsLikeHead(line, n, head) && OneSlipApart(line.substr(0, n), head))
                return {&entry, n, head};
    }
    for (const TailEntry& entry : kTailLines)  // the colon left out, one typed later
        if (entry.read && BeginsWith(line, entry.key)) return {&entry, 0, entry.head};
    for (const TailEntry& entry : kTailLines) {
        const std::string_view key = entry.key;
        // The beam line stands only with its illumination, whose reading refuses a file without it ("Beams
        // crossed" stays a note); the stop line's first word names it only beside its count of points.
        if (!entry.read || (entry.head.back() != ':' && !CountsPoints(line))) continue;
        for (std::size_t n = key.size() - 1; n <= key.size() + 1 && n <= line.size(); ++n)
            if ((n == line.size() || !std::isalpha(static_cast<unsigned char>(line[n]))) &&
                OneSlipApart(line.substr(0, n), key))
                return {&entry, n, key};
    }
    return {};
}

const TailEntry* TailEntryOf(std::string_view line) {
    const TailMatch match = MatchTailLine(line);
    return match.slipped == 0 ? match.entry : nullptr;
}

// The words of a damaged head that differ from the known head's, and those: ("Vaules", "Values"),
// ("Stoppedafter", "Stopped after"), ("souxce", "source"); the colon ending both is left out.
std::pair<std::string, std::string> SlipWords(std::string_view damaged, std::string_view head) {
    const std::size_t shorter = std::min(damaged.size(), head.size());
    std::size_t a = 0, b = 0;  // the characters alike at the start and at the end
    while (a < shorter && SameLetters(damaged[a], head[a])) ++a;
    while (b < shorter - a && SameLetters(damaged[damaged.size() - 1 - b], head[head.size() - 1 - b])) ++b;
    while (a > 0 && damaged[a - 1] != ' ') --a;  // to the words' start and end, alike in both
    while (b > 0 && damaged[damaged.size() - b] != ' ' && damaged[damaged.size() - b] != ':') --b;
    return {std::string(damaged.substr(a, damaged.size() - a - b)),
            std::string(head.substr(a, head.size() - a - b))};
}

bool IsAmplitudeTitle(std::string_view line) {
    return line.size() == std::string_view(kAmplitudeTitle).size() && BeginsWith(line, kAmplitudeTitle);
}

// "the S1 and S2 block and the light-source, values, ... and stop lines", from the table.
std::string TailOrder() {
    std::vector<std::string> names;
    for (const TailEntry& entry : kTailLines)
        if (entry.read) names.emplace_back(entry.name);
    std::string order = "the S1 and S2 block and the ";
    for (std::size_t i = 0; i < names.size(); ++i)
        order += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return order + " lines";
}

void Encoder::trailingLines() {
    for (const TailEntry& entry : kTailLines)
        if (entry.write) entry.write(f, w);
}

void Decoder::refuse(const TailText& line, const std::string& why) {
    invalid("Line " + CStr(line.line) + ": \"" + line.text + "\" " + why, line.line);
}

// The next line after the results, a line read ahead first; nothing at the end of the file.
std::optional<TailText> Decoder::tailLine() {
    if (pushed) return std::exchange(pushed, std::nullopt);
    const Item<std::string> item = r.ReadTextWithBlanks();
    if (!item.ok()) return std::nullopt;
    TailText line{item.value, item.line};
    while (!r.AtEnd() && r.Line() == item.line) {  // the items after a comma, with their blanks as written
        const Item<std::string> more = r.ReadTextWithBlanks();
        if (!more.ok()) break;
        line.text += "," + more.value;
    }
    line.text = Trimmed(line.text);
    lastLine = line.line;
    // A known line with a typing slip in its head is that line damaged, wherever it stands: never a note.
    if (const TailMatch match = MatchTailLine(line.text); match.slipped > 0) {
        const auto [slip, known] =
            SlipWords(std::string_view(line.text).substr(0, match.slipped), match.known);
        refuse(line, "is a misspelled \"" + std::string(match.entry->head) + "\" line (\"" + slip +
                         "\" for \"" + known + "\")");
    }
    return line;
}

// The S1 and S2 block after its empty line and title: rows of five numbers, of which those of the index
// range are kept (memory stays bounded whatever the file holds). Every version wrote the rows of the angle
// window, which is the index range of every graph but the sweeps: there a row beyond the range is one added
// to the file, refused. The line after the rows.
std::optional<TailText> Decoder::amplitudeBlock() {
    f.amplitudeBlock = true;
    const auto kept = static_cast<std::size_t>(5 * (static_cast<long long>(f.last) - f.first + 1));
    // An angle graph's block holds a row for each of its points, with the point's angle, which every
    // version wrote: a row missing, repeated or moved would put amplitudes at other angles.
    const int code = codes().code;
    const bool angleGraph = code == kGraphAngle;
    const bool sweep = code >= kFirstSweepGraph && code <= kLastSweepGraph;
    const double step = Val(f.inputs[7]);
    std::array<double, 5> row{};
    std::optional<TailText> line;
    while ((line = tailLine()) && NumbersRow(line->text, row)) {
        if (f.amplitudes.size() >= kept && !sweep)
            refuse(*line, "is a row beyond those of the points " + CStr(f.first) + " to " + CStr(f.last) +
                              " in the S1 and S2 block");
        if (f.amplitudes.size() >= kept) continue;
        const double angle = (f.first + static_cast<double>(f.amplitudes.size() / 5) - 1) * step;
        if (angleGraph && PrintText(row[0]) != PrintText(angle))
            refuse(*line, "is not the row of the angle " + CStr(angle) + " in the S1 and S2 block");
        f.amplitudes.insert(f.amplitudes.end(), row.begin(), row.end());
    }
    if (line && line->text.find(',') != std::string::npos && IsNumbersRow(line->text))
        refuse(*line, kCommaInNumbers);
    if (angleGraph && f.amplitudes.size() < kept) {
        const int at = line ? line->line : lastLine + 1;
        invalid("Line " + CStr(at) + ": the S1 and S2 block ends after " + CStr(f.amplitudes.size() / 5) +
                    " of the rows of the points " + CStr(f.first) + " to " + CStr(f.last),
                at);
    }
    return line;
}

void Decoder::tail() {
    std::optional<TailText> line = tailLine();
    if (line && line->text.empty()) {
        std::optional<TailText> title = tailLine();
        if (title && IsAmplitudeTitle(title->text)) {
            line = amplitudeBlock();
        } else if (title && OneSlipApart(title->text, kAmplitudeTitle)) {  // the block's title damaged
            const auto [slip, known] = SlipWords(title->text, kAmplitudeTitle);
            refuse(*title, "is a misspelled \"" + std::string(kAmplitudeTitle) + "\" line (\"" + slip +
                               "\" for \"" + known + "\")");
        } else {
            pushed = std::move(title);  // the empty line is a note
        }
    }
    std::size_t next = 0;  // the first entry of the table a line may still be
    for (; line; line = tailLine()) {
        const TailEntry* entry = TailEntryOf(line->text);
        if (!entry) break;
        const auto at = static_cast<std::size_t>(entry - std::begin(kTailLines));
        if (at < next || !entry->read)
            refuse(*line, "is out of its place: after the results come, each once and in this order, " +
                              TailOrder());
        (this->*entry->read)(*line);
        next = at + 1;
    }
    notes(std::move(line));
}

// The notes after the lines the reader knows, from `line`: none of them a line it knows or a row of numbers.
void Decoder::notes(std::optional<TailText> line) {
    for (; line; line = tailLine()) {
        if (TailEntryOf(line->text) || IsAmplitudeTitle(line->text))
            refuse(*line, "is out of its place: after the results come, each once and in this order, " +
                              TailOrder());
        // A known line behind blanks or marks ("+Stopped after ...") is that line damaged, never a note.
        const std::string_view text = line->text;
        const auto start =
            std::find_if(text.begin(), text.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
        if (const TailEntry* entry = TailEntryOf(text.substr(static_cast<std::size_t>(start - text.begin()))))
            refuse(*line,
                   std::string("is no note: it is the ") + entry->name + " line behind other characters");
        if (IsNumbersRow(line->text))
            refuse(*line, "is a row of numbers beyond the " +
                              (resultsNamed.empty() ? "results" : resultsNamed) + " the file names");
    }
}

void Decoder::lightSource(const TailText& line) {
    if (line.text != kSunLine && line.text != kPointLine)
        refuse(line, "is not \"" + std::string(kPointLine) + "\" or \"" + kSunLine + "\"");
    f.lightSource = line.text == kSunLine ? LightSource::Sun : LightSource::Point;
}

// "Amplitude", "S1 and S2 divided by x" or both, in that order, joined by "; ".
void Decoder::values(const TailText& line) {
    const std::string size(kSizeDividedWord);
    const std::string amplitude = std::string(kAmplitudeWord);
    const std::string_view rest =
        std::string_view(line.text).substr(std::min(line.text.size(), kValuesPrefix.size()));
    if (!line.text.starts_with(kValuesPrefix) ||
        (rest != amplitude && rest != size && rest != amplitude + "; " + size))
        refuse(line, "is not \"" + std::string(kAmplitudeValuesLine) + "\", \"" + std::string(kValuesPrefix) +
                         size + "\" or both");
    f.amplitudeValues = rest.starts_with(amplitude);
    f.sizeDivided = rest.ends_with(size);
    if (f.amplitudeValues && !AmplitudeChangesValues(codes().code))
        refuse(line, "names amplitudes, which no run of \"" + f.graphText + "\" stores");
    const int method = f.version >= 200 ? MethodCodeOf(TranslateMethod(f.method)) : kMethodNone;
    if (f.sizeDivided && method != kMethodMie && method != kMethodDebye)
        refuse(line, "names S1 and S2 divided by x, which no \"" + f.method + "\" run forms");
}

void Decoder::invWavelength(const TailText& line) {
    if (line.text != kInvWavelengthOn && line.text != kInvWavelengthOff)
        refuse(line, "is not \"" + std::string(kInvWavelengthOn) + "\" or \"" + kInvWavelengthOff + "\"");
    if (!InvWavelengthScalesValues(codes().code, DataFileWaveCount(f.inputs[0], f.inputs[2])))
        refuse(line, "names units, which change nothing a run of \"" + f.graphText +
                         "\" stores with the wavelengths \"" + f.inputs[0] + "\"");
    f.invWavelength = line.text == kInvWavelengthOn;
}

// The count a named set of wavelengths gave at the run's radius, which the radius and list must give again.
void Decoder::namedSetCount(const TailText& line) {
    const std::string& set = f.inputs[0];
    const std::string_view digits =
        std::string_view(line.text).substr(std::min(line.text.size(), kNamedSetCountPrefix.size()));
    const ValResult count = ParseVal(digits);
    if (!line.text.starts_with(kNamedSetCountPrefix) || digits.empty() ||
        digits.find_first_not_of("0123456789") != std::string_view::npos ||
        count.value > kDataFileMaxWaveCount)
        refuse(line, "is not \"" + std::string(kNamedSetCountPrefix) + "\" and a number of wavelengths");
    if (set != "High" && set != "Med." && set != "Low")
        refuse(line, "counts the wavelengths of a named set (High, Med., Low), which \"" + set + "\" is not");
    const int waves = DataFileWaveCount(set, f.inputs[2]);
    if (count.value != waves)
        refuse(line, "is not the " + CStr(waves) + " wavelengths that \"" + set + "\" gives at the radius " +
                         f.inputs[2]);
    f.namedSetCount = waves;
}

// The illumination line and, for a beam, the beam line after it: five numbers the beam dialog would take.
void Decoder::illumination(const TailText& line) {
    IlluminationItems light;
    std::string_view rest = std::string_view(line.text);
    const bool prefixed = rest.starts_with(kIlluminationPrefix);
    rest.remove_prefix(prefixed ? kIlluminationPrefix.size() : rest.size());
    bool named = false;
    for (const auto& [kind, word] : kBeamWords)
        if (rest.starts_with(word)) {
            light.kind = kind;
            rest.remove_prefix(word.size());
            named = true;
            break;
        }
    for (const auto& [option, flag] :
         {std::pair{kMultipleBeams, &light.multipleBeams}, std::pair{kCentralBeam, &light.centralBeam}}) {
        const std::string joined = " + " + std::string(option);
        if (rest.starts_with(joined)) {
            *flag = true;
            rest.remove_prefix(joined.size());
        }
    }
    if (!prefixed || !named || !rest.empty()) refuse(line, "is not an illumination");
    if (light.kind != BeamKind::PlaneWave) {
        const std::optional<TailText> beam = tailLine();
        const int beamAt = beam ? beam->line : line.line + 1;
        std::array<double, 5> v{};
        if (beam && beam->text.find(',') != std::string::npos) refuse(*beam, kCommaInNumbers);
        if (!beam || !beam->text.starts_with(kBeamPrefix) ||
            !NumbersRow(beam->text.substr(kBeamPrefix.size()), v))
            invalid("Line " + CStr(beamAt) + ": the beam's five values do not follow its illumination",
                    beamAt);
        if (const std::optional<BeamEntryRefusal> refusal = RefuseBeamEntry(v))
            refuse(*beam, "holds a beam the beam dialog refuses: " + refusal->message);
        light.xf = CSng(v[0]).value;
        light.yf = CSng(v[1]).value;
        light.zf = CSng(v[2]).value;
        light.w0 = CSng(v[3]).value;
        light.phiDegrees = v[4];
    }
    f.illumination = light;
}

// The options in their order, each once, joined by "; ".
void Decoder::options(const TailText& line) {
    std::string_view rest = std::string_view(line.text);
    const bool prefixed = rest.starts_with(kOptionsPrefix);
    rest.remove_prefix(prefixed ? kOptionsPrefix.size() : rest.size());
    for (const auto& [word, flag] :
         {std::pair{kSurfaceWaveSubtraction, &f.surfaceWaveSubtraction},
          std::pair{kDiffractionAdded, &f.diffractionAdded}, std::pair{kDebyeRecursion, &f.debyeRecursion},
          std::pair{kSunRectangular, &f.sunRectangular}}) {
        if (!rest.starts_with(word)) continue;
        *flag = true;
        rest.remove_prefix(word.size());
        if (rest.starts_with("; ")) rest.remove_prefix(2);
    }
    if (!prefixed || !rest.empty() ||
        !(f.surfaceWaveSubtraction || f.diffractionAdded || f.debyeRecursion || f.sunRectangular))
        refuse(line, "names no option of a run");
    // The sun's flat disc changes only the row peaks a Lee diagram or map forms under the sun.
    if (f.sunRectangular && (codes().code < kGraphLee || f.lightSource != LightSource::Sun))
        refuse(line, "names Sun Rectangular, which changes nothing a run of \"" + f.graphText +
                         "\" stores without the sun as its light source");
}

// The surface-wave line: a path item and a model of the menus, the terms and the amplitude factor as
// numbers, and the phase correction when ticked.
void Decoder::surfaceWaves(const TailText& line) {
    std::vector<std::string> parts;
    std::string_view rest = std::string_view(line.text);
    const bool prefixed = rest.starts_with(kSurfaceWavesPrefix);
    rest.remove_prefix(prefixed ? kSurfaceWavesPrefix.size() : rest.size());
    for (std::size_t cut = rest.find("; "); cut != std::string_view::npos; cut = rest.find("; ")) {
        parts.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut + 2);
    }
    parts.emplace_back(rest);
    const auto number = [](std::string_view text) {
        const ValResult v = ParseVal(std::string(text));
        return !text.empty() && v.length == text.size() && v.status == NumberStatus::Ok;
    };
    SurfaceWaveItems waves;
    bool valid = prefixed && (parts.size() == 4 || (parts.size() == 5 && parts[4] == "phase correction"));
    waves.phaseCorrection = parts.size() == 5;
    bool path = false;
    for (const auto& [word, item] : kSurfacePaths)
        if (valid && parts[0] == item) waves.paths = word, path = true;
    valid =
        valid && path &&
        std::find(std::begin(kSurfaceModels), std::end(kSurfaceModels), parts[1]) != std::end(kSurfaceModels);
    if (valid) {
        waves.model = parts[1];
        const std::string_view terms = std::string_view(parts[2]);
        const std::size_t to = terms.find(" to ");
        valid = terms.starts_with("terms ") && to != std::string_view::npos &&
                std::string_view(parts[3]).starts_with("amplitude ");
        if (valid) {
            waves.termsMin = std::string(terms.substr(6, to - 6));
            waves.termsMax = std::string(terms.substr(to + 4));
            waves.amplitude = parts[3].substr(10);
            valid = number(waves.termsMin) && number(waves.termsMax) && number(waves.amplitude);
        }
    }
    if (!valid) refuse(line, "does not name the surface waves' options");
    f.surfaceWaves = waves;
}

// Whether the window's entry check takes a typed input of a run: a number (a decimal comma as the point),
// above 0 for a radius and a real part, 1 to 1000000 for a count of rays or samples, a Single for a
// coefficient; an imaginary part may have any sign.
bool RunInputTaken(const std::string& words, const std::string& text) {
    const std::optional<double> v = TypedNumber(text);
    if (!v) return false;
    if (words == "radius" || words == "real part") return *v > 0;
    if (words == "rays" || words == "samples") return *v >= 1 && *v <= 1000000;
    if (words.starts_with("coefficient")) return CSng(*v).ok();
    return true;
}

// The inputs line: the items its graph and method read (RunInputWords), in their order, each one the window
// takes.
void Decoder::runInputs(const TailText& line) {
    std::string_view rest = std::string_view(line.text);
    const bool prefixed = rest.starts_with(kRunInputsPrefix);
    rest.remove_prefix(prefixed ? kRunInputsPrefix.size() : rest.size());
    std::vector<std::string> items;
    for (std::size_t cut = rest.find("; "); cut != std::string_view::npos; cut = rest.find("; ")) {
        items.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut + 2);
    }
    items.emplace_back(rest);
    const int method = f.version >= 200 ? MethodCodeOf(TranslateMethod(f.method)) : kMethodNone;
    const std::vector<std::string> words = RunInputWords(codes().code, method);
    bool valid = prefixed && !words.empty() && items.size() == words.size();
    for (std::size_t i = 0; valid && i < words.size(); ++i) {
        const std::string text = items[i].substr(std::min(words[i].size() + 1, items[i].size()));
        valid = items[i].starts_with(words[i] + " ") && RunInputTaken(words[i], text);
        f.runInputs.emplace_back(words[i], text);
    }
    if (!valid)
        refuse(line,
               "does not name the inputs a run of \"" + f.graphText + "\" by \"" + f.method + "\" reads");
}

// The stop line (StoppedRunOfLine) of a graph that saves a stopped run (a sweep, a Lee diagram or a map: an
// angle graph's run is one); a planned range only after a sweep, of logarithmic steps whose planned number
// of steps gives the points planned or of even steps of the file's step (whose count the loader judges).
void Decoder::stopped(const TailText& line) {
    const std::optional<StoppedRun> stop = StoppedRunOfLine(line.text);
    const int code = codes().code;
    const bool sweep = code >= kFirstSweepGraph && code <= kLastSweepGraph;
    if (!stop || (!stop->plannedMax.empty() &&
                  !(sweep && (f.xLog ? CLng(Val(stop->plannedSteps) + 1).value == stop->planned
                                     : Val(stop->plannedSteps) == Val(f.inputs[7])))))
        refuse(line, "does not say how far a stopped run came");
    if (code == kGraphAngle)
        refuse(line, "stops a graph against the scattering angle, whose results are saved only whole");
    f.stopped = *stop;
}

DataFile Decoder::run() {
    const Item<std::string> header = r.ReadText();
    f.version = header.ok() ? DataFileVersionOf(header.value) : 0;
    if (f.version == 0) throw Stop{HeaderFailure(header, r.AtEnd() && r.Line() == 1)};
    if (f.version == 200) {
        f.method = word();
        f.rays = word();
        lineEnds("its ray orders");
    }
    if (HasHead(f.version))
        head();
    else
        f.graphText = word();
    const std::optional<GraphCodes> g = GraphCodesOf(f);
    if (!g) {
        DataFileFailure failure;
        failure.message = "Error in Graph Type";
        failure.title = "File error";
        failure.line = r.Line();
        throw Stop{std::move(failure)};
    }
    std::string item = word();
    if (item == "Disperse") {
        f.disperse.emplace();
        (*f.disperse)[0] = text();
        (*f.disperse)[1] = numberText();
        (*f.disperse)[2] = numberText();
        item = word();
    }
    item = sphereModel(std::move(item));
    item = mediumModel(std::move(item));
    const int waveLine = lastLine;
    lineEnds();
    f.inputs[0] = std::move(item);
    if (f.inputs[0] != "RGB" && f.inputs[0] != "High" && f.inputs[0] != "Med." && f.inputs[0] != "Low") {
        const double waves = Val(f.inputs[0]);
        if (!(waves >= 0 && waves <= kDataFileMaxWaveCount))
            invalid("Line " + CStr(waveLine) + ": " + f.inputs[0] + " wavelengths", waveLine);
    }
    lambdaLine = r.Line();
    for (std::size_t i = 1; i < f.inputs.size(); ++i) {
        if ((i == 3 || i == 4) && !HasIndexTexts(f.version)) continue;
        f.inputs[i] = numberText();
    }
    if (HasSpectrum(f.version)) {
        const std::string spectrumItem = text();
        const std::string word = Trimmed(spectrumItem);
        if (word == "Sun (Lee)" || word == "Sun (Wernand)" || word == "Flat" || word == "Black body" ||
            word == "Spectrum file") {
            f.spectrum = word;
            if (word == "Black body") f.blackBody = numberText();
            f.bandMin = numberText();
        } else {
            f.bandMin = spectrumItem;  // no spectrum word: the band follows at once
            lineEnds();
        }
        f.bandMax = numberText();
    }
    for (std::optional<double>* limit : {&f.yMin, &f.yMax}) {
        const Item<std::string> item2 = r.ReadText();
        const std::string value = take(Item<std::string>(item2));
        lineEnds();
        if (value == kAutomatic) continue;
        const ValResult parsed = ParseVal(value);
        if (parsed.length == 0 || parsed.length != value.size() || parsed.status != NumberStatus::Ok)
            invalid("\"" + value + "\" is not a number (line " + CStr(item2.line) + ")", item2.line);
        *limit = parsed.value;
    }
    for (double* scale : {&f.yScaleMin, &f.yScaleMax}) {
        *scale = number();
        lineEnds();
    }
    ranges(*g);
    results(*g);
    tail();
    return f;
}

}  // namespace

std::optional<StoppedRun> StoppedRunOfLine(std::string_view line) {
    const auto whole = [](std::string_view digits) -> std::optional<std::int32_t> {
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        std::int32_t v = 0;
        for (const char c : digits) v = 10 * v + (c - '0');
        return v;
    };
    const auto number = [](std::string_view text) {
        const ValResult v = ParseVal(text);
        return !text.empty() && v.length == text.size() && v.status == NumberStatus::Ok;
    };
    // Cuts `rest` at the first `mark`: the text before it, nothing when there is none.
    const auto upTo = [](std::string_view& rest, std::string_view mark) -> std::optional<std::string_view> {
        const std::size_t at = rest.find(mark);
        if (at == std::string_view::npos) return std::nullopt;
        const std::string_view before = rest.substr(0, at);
        rest.remove_prefix(at + mark.size());
        return before;
    };
    if (!line.starts_with(kStoppedPrefix)) return std::nullopt;
    std::string_view rest = line.substr(kStoppedPrefix.size());
    const std::optional<std::string_view> doneText = upTo(rest, " of ");
    const std::optional<std::string_view> plannedText = doneText ? upTo(rest, " points") : std::nullopt;
    if (!plannedText) return std::nullopt;
    const std::optional<std::int32_t> done = whole(*doneText), planned = whole(*plannedText);
    if (!done || !planned || *done < 1 || *done >= *planned || *planned > kDataFileMaxIndex)
        return std::nullopt;
    StoppedRun stopped{*done, *planned, {}, {}, {}};
    if (rest.starts_with(kPlannedMaximum)) {
        rest.remove_prefix(kPlannedMaximum.size());
        const std::optional<std::string_view> max = upTo(rest, " in ");
        const std::optional<std::string_view> steps = max ? upTo(rest, " steps") : std::nullopt;
        if (!steps || !number(*max) || !number(*steps)) return std::nullopt;
        stopped.plannedMax = std::string(*max);
        stopped.plannedSteps = std::string(*steps);
    }
    if (rest.starts_with(kRefusedBy)) {
        rest.remove_prefix(kRefusedBy.size());
        // The message on one line as the batch report gives it: no blank at either end.
        if (rest.empty() || rest.front() == ' ' || rest.back() == ' ') return std::nullopt;
        stopped.refusal = std::string(rest);
        rest = {};
    }
    if (!rest.empty()) return std::nullopt;
    return stopped;
}

std::string StoppedRunLine(const StoppedRun& stopped) {
    std::string line =
        std::string(kStoppedPrefix) + CStr(stopped.done) + " of " + CStr(stopped.planned) + " points";
    if (!stopped.plannedMax.empty())
        line += std::string(kPlannedMaximum) + stopped.plannedMax + " in " + stopped.plannedSteps + " steps";
    if (!stopped.refusal.empty()) line += std::string(kRefusedBy) + stopped.refusal;
    return line;
}

int DataFileVersionOf(std::string_view header) {
    for (const VersionHeader& v : kVersions)
        if (header == v.header) return v.code;
    return 0;
}

std::string DataFileHeaderOf(int version) {
    for (const VersionHeader& v : kVersions)
        if (v.code == version) return v.header;
    return std::string();
}

std::string TranslateMethod(const std::string& method) {
    if (method == "Mie scattering") return "Mie";
    if (method == "Debye series") return "Debye";
    return method;
}

int MethodCodeOf(std::string_view method) {
    for (std::size_t i = 0; i < std::size(kMethods); ++i)
        if (method == kMethods[i]) return static_cast<int>(i) + 1;
    return 0;
}

std::optional<GraphCodes> GraphCodesOf(std::string_view graphText) {
    for (const GraphEntry& e : kGraphs)
        if (graphText == e.text) return e.codes;
    return std::nullopt;
}

std::optional<GraphCodes> GraphCodesOf(const DataFile& file) { return GraphCodesOf(file.graphText); }

int DataFileWaveCount(const std::string& waveText, const std::string& radiusText) {
    if (waveText == "RGB") return 3;
    // New plot's sets: 6000, 3000 or 1000 over the radius, held to 30..1000, 10..300, 7..100.
    struct WaveSet {
        const char* text;
        double numerator, lowest, highest;
    };
    constexpr WaveSet kSets[] = {{"High", 6000, 30, 1000}, {"Med.", 3000, 10, 300}, {"Low", 1000, 7, 100}};
    for (const WaveSet& set : kSets) {
        if (waveText != set.text) continue;
        double q = std::floor(set.numerator / Val(radiusText));
        if (!(q >= set.lowest)) q = set.lowest;
        if (q > set.highest) q = set.highest;
        return static_cast<int>(q);
    }
    const Checked<std::int16_t> count = CInt(Val(waveText));
    return count.ok() ? count.value : 0;
}

bool InvWavelengthChosen(int graphCode, int graphSubCode, const std::string& waveText) {
    return waveText != "1" || graphCode == kGraphLee || graphCode == kGraphWavelength ||
           (graphCode == kGraphAngle && graphSubCode == kSubWatts);
}

bool InvWavelengthScalesValues(int graphCode, int waveCount) {
    return graphCode == kGraphWavelength || graphCode == kGraphRadius || graphCode == kGraphLee ||
           (graphCode == kGraphAngle && waveCount != 1);
}

std::vector<std::string> RunInputWords(int graphCode, int method) {
    if (graphCode == kGraphMapIndex) return {"radius", "imaginary part"};
    if (graphCode == kGraphMapImaginary) return {"radius", "real part"};
    if (graphCode == kGraphMapWavelength) return {"radius"};
    if (graphCode != kGraphAngle) return {};
    if (method == kMethodHuygens) return {"rays"};
    if (method == kMethodAperture) return {"samples"};
    if (method == kMethodVanDeHulst) return {"coefficient a", "coefficient b"};
    return {};
}

bool AmplitudeChangesValues(int graphCode) {
    return graphCode == kGraphAngle || graphCode == kGraphWavelength || graphCode == kGraphRadius ||
           graphCode == kGraphIndex || graphCode == kGraphLee;
}

int ValuesPerPoint(const DataFile& file) {
    const std::optional<GraphCodes> g = GraphCodesOf(file);
    if (!g || g->code >= kGraphLee) return 0;
    if (g->code >= kFirstSweepGraph) return 3;
    const int waves = DataFileWaveCount(file.inputs[0], file.inputs[2]);
    if (waves == 1) return 3;
    if (waves >= 2 && waves <= 7) return 2 * waves;
    if (waves > 7) return 6;
    return 0;
}

int LeeStepCount(const DataFile& file) {
    const double steps = std::nearbyint(static_cast<double>(file.sweepSteps));
    return steps >= 0 && steps <= kDataFileMaxSweepSteps ? static_cast<int>(steps) : 0;
}

long long LeeValuesPerStep(const DataFile& file) {
    const long long points = static_cast<long long>(file.last) - file.first + 1;
    return points > 0 ? 6 * points + 3 : 3;
}

std::optional<DataFileFailure> CheckDataFileTexts(const DataFile& file) {
    std::vector<const std::string*> texts{
        &file.graphText,   &file.sphereName,     &file.mediumName,     &file.sphereWord,
        &file.mediumWord,  &file.method,         &file.rays,           &file.sphere.word,
        &file.sphere.temp, &file.sphere.density, &file.sphere.airTemp, &file.medium.word,
        &file.medium.temp, &file.medium.density, &file.medium.airTemp, &file.spectrum,
        &file.blackBody,   &file.bandMin,        &file.bandMax,        &file.angleText};
    for (const auto* user : {&file.user1, &file.user2})
        if (*user) texts.push_back(&(*user)->material);
    if (file.disperse)
        for (const std::string& s : *file.disperse) texts.push_back(&s);
    for (const std::string& s : file.inputs) texts.push_back(&s);
    const std::string stopLine = file.stopped ? StoppedRunLine(*file.stopped) : std::string();
    texts.push_back(&stopLine);
    if (const std::optional<SurfaceWaveItems>& waves = file.surfaceWaves)
        for (const std::string* s : {&waves->termsMin, &waves->termsMax, &waves->amplitude}) {
            const ValResult v = ParseVal(*s);
            if (s->empty() || v.length != s->size() || v.status != NumberStatus::Ok)
                return DataFileFailure{"The surface waves' term or amplitude \"" + *s +
                                           "\" cannot be saved in a data file: it is not a number.",
                                       "Tessary", 0};
        }
    for (const std::string* s : texts) {
        const bool quote = s->find('"') != std::string::npos;
        const char* why = nullptr;
        if (s->find_first_of("\r\n") != std::string::npos)
            why = "it holds a line break";
        else if (const std::size_t first = s->find_first_not_of(" \t");
                 first != std::string::npos && (*s)[first] == '"')
            why = "it begins with a double quote";
        else if (quote && s->find(',') != std::string::npos)
            why = "it holds both a comma and a double quote";
        if (why) {
            DataFileFailure failure;
            failure.message = "The text \"" + *s + "\" cannot be saved in a data file: " + why + ".";
            return failure;
        }
    }
    return std::nullopt;
}

namespace {

// The bytes of the file, or why it cannot be written.
std::optional<DataFileFailure> Encode(const DataFile& file, std::string& bytes) {
    if (std::optional<DataFileFailure> failure = CheckDataFileTexts(file)) return failure;
    if (DataFileHeaderOf(file.version).empty())
        return DataFileFailure{"Unknown data file version", "Tessary", 0};
    Printer printer;
    Encoder(file, printer).run();
    if (!printer.finite)
        return DataFileFailure{"The results hold a value that is not a number; they cannot be saved.",
                               "Tessary", 0};
    bytes = std::move(printer.out);
    return std::nullopt;
}

}  // namespace

std::optional<DataFileFailure> EncodeDataFile(const DataFile& file, TextFileWriter& writer) {
    std::string bytes;
    if (std::optional<DataFileFailure> failure = Encode(file, bytes)) return failure;
    writer.Text(bytes);
    return std::nullopt;
}

std::optional<std::string> EncodeDataFileBytes(const DataFile& file) {
    std::string bytes;
    if (Encode(file, bytes)) return std::nullopt;
    return bytes;
}

DecodedDataFile DecodeDataFile(TextFileReader& reader) {
    DecodedDataFile result;
    if (!reader.Status().ok()) {
        result.failure.message = std::string(kNotValidMessage) + kCR + reader.Status().message;
        return result;
    }
    try {
        result.file = Decoder(reader).run();
    } catch (Stop& stop) {
        result.failure = std::move(stop.failure);
    }
    return result;
}

}  // namespace tessary
