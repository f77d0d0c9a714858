// The data file codec: round trips byte for byte over many states, golden bytes, the twelve versions
// and their gates, and refusals of files that are not what they claim.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "files/data_file.h"
#include "files/data_file_record.h"

namespace tessary {
namespace {

std::string Bytes(const DataFile& f) {
    const std::optional<std::string> bytes = EncodeDataFileBytes(f);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or("");
}

DecodedDataFile Decode(const std::string& bytes) {
    TextFileReader reader = TextFileReader::FromBytes(bytes, "test.tsy");
    return DecodeDataFile(reader);
}

// One wavelength, IAPWS water in a vacuum, an angle graph of five points with amplitudes.
DataFile AngleGraph() {
    DataFile f;
    f.graphText = "Intensity v. scattering angle";
    f.sphereWord = "IAPWS";
    f.method = "Mie";
    f.rays = "2";
    f.sphere = {"IAPWS", "5", "0.99996382125", "", 0};
    f.medium = {"Vacuum2", "", "", "", 0};
    f.inputs = {"1", "0.65", "50", "1.333", "0", "0", "180", "45"};
    f.spectrum = "Sun (Lee)";
    f.bandMin = "380";
    f.bandMax = "700";
    f.yMin = 0.001;
    f.yScaleMin = 1e-3;
    f.yScaleMax = 123456.789;
    f.first = 1;
    f.last = 5;
    f.qSca = 2.0123456789;
    for (int k = 1; k <= 5; ++k) f.values.insert(f.values.end(), {k * 1.5, 0.25 * k, k * 1e-3});
    return f;
}

DataFile XGraph(const char* text, bool log) {
    DataFile f = AngleGraph();
    f.graphText = text;
    f.xLog = log;
    f.qSca = 0;  // angle graphs only
    f.inputs[5] = "0.4";
    f.inputs[6] = "0.7";
    f.inputs[7] = log ? "4" : "0.1";
    f.first = 1;
    f.last = log ? 5 : 4;
    f.angleText = "138";
    f.values.assign(static_cast<std::size_t>(3 * f.last), 0.25);
    return f;
}

DataFile Waves(const char* count, const char* radius, int rowsPerPoint) {
    DataFile f = AngleGraph();
    f.inputs[0] = count;
    f.inputs[2] = radius;
    f.values.clear();
    for (int k = 1; k <= 5; ++k)
        for (int i = 0; i < rowsPerPoint; ++i) f.values.insert(f.values.end(), {k + i * 0.5, -k * 0.125});
    return f;
}

DataFile Lee(const char* text) {
    DataFile f = AngleGraph();
    f.graphText = text;
    f.values.clear();
    f.qSca = 0;
    f.sweepStart = f.graphText == "Lee diagram" ? 0 : 10;  // a Lee diagram starts at the radius
    f.sweepEnd = 100;
    f.sweepSteps = 3;
    f.first = 2;
    f.last = 4;
    for (int s = 0; s <= 3; ++s) {
        for (int p = 0; p < 3; ++p)
            for (int c = 0; c < 6; ++c)
                f.leeValues.push_back(static_cast<float>(s * 100 + p * 10 + c) / 8.0f);
        f.leeValues.insert(f.leeValues.end(), {1.5f, 2.5f, 3.5f});
    }
    return f;
}

struct State {
    const char* name;
    std::function<DataFile()> make;
};

// The angle graph with a change.
std::function<DataFile()> Changed(std::function<void(DataFile&)> change) {
    return [change] {
        DataFile f = AngleGraph();
        change(f);
        return f;
    };
}

std::vector<State> States() {
    const UserPointsItems glass{"Glass", {0.4f, 0.5f, 0.6f, 0.7f}, {1.53f, 1.52f, 1.51f, 1.5f}};
    return {
        {"IAPWS in vacuum", AngleGraph},
        {"3 wavelengths", [] { return Waves("3", "50", 3); }},
        {"5 wavelengths", [] { return Waves("5", "50", 5); }},
        {"1000 wavelengths", [] { return Waves("1000", "50", 3); }},
        {"Low at 500 um", [] { return Waves("Low", "500", 7); }},
        {"wavelength linear", [] { return XGraph("Intensity v. wavelength", false); }},
        {"wavelength log", [] { return XGraph("Intensity v. wavelength", true); }},
        {"radius", [] { return XGraph("Intensity v. radius", false); }},
        {"refractive index", [] { return XGraph("Intensity v. refractive index", false); }},
        {"Q v. radius", [] { return XGraph("Qext/Qsca/Qabs v. radius", false); }},
        {"C v. wavelength", [] { return XGraph("Cext/Csca/Cabs v. wavelength", false); }},
        {"asymmetry", [] { return XGraph("Asymmetry parameter v. size x", true); }},
        {"Lee diagram", [] { return Lee("Lee diagram"); }},
        {"map", [] { return Lee("Map: angle v. radius"); }},
        {"Multiple 0 2 3", Changed([](DataFile& f) {
             f.method = "Debye", f.rays = "Multiple", f.rayOrders = {0, 2, 3};
         })},
        {"Multiple none", Changed([](DataFile& f) { f.method = "Airy", f.rays = "Multiple"; })},
        {"Debye -3", Changed([](DataFile& f) { f.method = "Debye", f.rays = "-3"; })},
        {"user sphere and medium", Changed([glass](DataFile& f) {
             f.user1 = f.user2 = glass;
             f.sphereWord.clear();
             f.sphere = {"User1", "", "", "", 0}, f.medium = {"User2", "", "", "", 0};
         })},
        {"disperse", Changed([](DataFile& f) {
             f.disperse = std::array<std::string, 3>{"Normal", "10", "20"};
         })},
        {"air sphere at 15 C", Changed([](DataFile& f) {
             f.sphereWord = "Air1", f.sphere = {"Air1", "", "", "15", 0};
         })},
        {"complex water medium", Changed([](DataFile& f) {
             f.medium = {"Water2", "20", "0.998", "", 1};
         })},
        {"new words", Changed([](DataFile& f) {
             f.sphereWord = "Ray", f.sphere = {"Ray", "", "", "", 1},
             f.medium = {"Segelstein2", "", "", "", 1};
             f.spectrum = "Spectrum file", f.yMax = -2.5;
         })},
        {"metal", Changed([](DataFile& f) {
             f.sphereWord = "Gold", f.sphere = {"Gold", "", "", "", 0}, f.medium = {"File2", "", "", "", 0};
             f.spectrum = "Black body", f.blackBody = "6000";
         })},
        {"S1 S2 block", Changed([](DataFile& f) {
             f.amplitudeBlock = true;
             for (int k = 1; k <= 5; ++k)
                 f.amplitudes.insert(f.amplitudes.end(), {(k - 1) * 45.0, 1.0, -2.0, 3e-9, 4e9});
         })},
        {"a name with a comma", Changed([](DataFile& f) { f.sphereName = "Glass, crown"; })},
        {"Sun", Changed([](DataFile& f) { f.lightSource = LightSource::Sun; })},
    };
}

TEST(DataFileCodec, EveryStateRoundTripsByteForByte) {
    for (const State& s : States()) {
        SCOPED_TRACE(s.name);
        const DataFile f = s.make();
        const std::string bytes = Bytes(f);
        const DecodedDataFile decoded = Decode(bytes);
        ASSERT_TRUE(decoded.ok()) << decoded.failure.message;
        EXPECT_EQ(*decoded.file, f);
        EXPECT_EQ(Bytes(*decoded.file), bytes);
    }
}

struct Golden {
    const char* name;
    std::function<DataFile()> make;
    const char* bytes;  // a run of lines the file holds
};

TEST(DataFileCodec, GoldenBytes) {
    const Golden goldens[] = {
        {"Multiple orders",
         [] {
             DataFile f = AngleGraph();
             f.method = "Debye";
             f.rays = "Multiple";
             f.rayOrders = {0, 2, 3};
             return f;
         },
         "Debye\r\nMultiple\r\n 3 \r\n 0 \r\n 2 \r\n 3 \r\nIAPWS\r\n5\r\n0.99996382125\r\n 0 \r\nVacuum2\r\n"},
        {"linear wavelength graph",
         [] {
             DataFile f = XGraph("Intensity v. wavelength", false);
             f.last = 31;
             f.values.assign(93, 1);
             return f;
         },
         "xLin\r\n 1             31 \r\n138\r\n"},
        {"zoned row",
         [] {
             DataFile f = AngleGraph();
             f.values[0] = 4.5;
             f.values[1] = 0.5;
             f.values[2] = 2.5;
             return f;
         },
         "\r\n 4.5           .5            2.5 \r\n"},
        {"automatic limit and comma",
         [] {
             DataFile f = AngleGraph();
             f.yMin.reset();
             f.mediumName = "oil, light";
             return f;
         },
         "\r\n\"oil, light\"\r\n"},
    };
    for (const Golden& g : goldens) {
        SCOPED_TRACE(g.name);
        EXPECT_NE(Bytes(g.make()).find(g.bytes), std::string::npos) << Bytes(g.make());
    }
}

TEST(DataFileCodec, TwelveHeaders) {
    const std::pair<const char*, int> headers[] = {
        {"Tessary v1.0", 1},       {"Tessary v1.01", 101},    {"Tessary v2.00", 200},
        {"Tessary v2.01", 201},    {"Tessary v2.02", 202},    {"Tessary v2.03", 203},
        {"Tessary v2.04", 204},    {"Tessary v2.05", 205},    {"Tessary v3.1.02", 3102},
        {"Tessary v3.2.01", 3201}, {"Tessary v3.2.02", 3202}, {"Tessary v3.4.11", 3411},
    };
    for (const auto& [header, code] : headers) {
        EXPECT_EQ(DataFileVersionOf(header), code) << header;
        EXPECT_EQ(DataFileHeaderOf(code), header);
    }
    EXPECT_EQ(DataFileVersionOf("Tessary v3.4.12"), 0);
    EXPECT_EQ(DataFileVersionOf("tessary v1.0"), 0);
}

struct OldFile {
    const char* name;
    std::string bytes;
    std::function<void(const DataFile&)> expect;
};

TEST(DataFileCodec, OlderVersionsReadTheirItemsAndReEncodeAlike) {
    const std::string tail =
        "0.65\r\n50\r\n0\r\n180\r\n1\r\nAutomatic\r\n 10 \r\n 0 \r\n 1 \r\n 1             2 \r\n";
    const std::string rows = " 1             2             3 \r\n 4             5             6 \r\n";
    const OldFile files[] = {
        {"1.0 selects the graph only", "Tessary v1.0\r\nIntensity v. scattering angle\r\n1\r\n" + tail + rows,
         [](const DataFile& f) {
             EXPECT_EQ(f.version, 1);
             EXPECT_EQ(f.sphere.word, "");
             EXPECT_EQ(f.method, "");
             EXPECT_EQ(f.values.size(), 6u);
         }},
        {"1.01 with IAPWS",
         "Tessary v1.01\r\nIntensity v. scattering angle\r\nIAPWS\r\n10\r\n.9997\r\n1\r\n" + tail + rows,
         [](const DataFile& f) {
             EXPECT_EQ(f.sphere.word, "IAPWS");
             EXPECT_EQ(f.sphere.temp, "10");
         }},
        {"2.00 Mie scattering",
         "Tessary v2.00\r\nMie scattering\r\n0\r\nIntensity v. scattering angle\r\nLynch\r\n" + tail,
         [](const DataFile& f) {
             EXPECT_EQ(TranslateMethod(f.method), "Mie");
             EXPECT_EQ(f.sphere.word, "Lynch");
             EXPECT_EQ(f.inputs[0], "Lynch");  // the model word stands for the wavelength count too
             EXPECT_TRUE(f.values.empty());    // which is 0
         }},
        {"2.01 head without material",
         "Tessary v2.01\r\nIntensity v. scattering angle\r\nGlass\r\nair\r\nUser1\r\n"
         " .4            1.5 \r\n .5            1.5 \r\n .6            1.5 \r\n .7            1.5 \r\nDefined2\r\nDebye series\r\n"
         "Multiple\r\n 1 \r\n 3 \r\nUser1\r\nAir2\r\n5\r\n1\r\n" +
             tail + rows,
         [](const DataFile& f) {
             ASSERT_TRUE(f.user1.has_value());
             EXPECT_EQ(f.user1->material, "");
             EXPECT_EQ(f.rayOrders, std::vector<std::int32_t>{3});
             EXPECT_EQ(f.medium.airTemp, "5");
             EXPECT_EQ(f.spectrum, "");
         }},
        {"3.1.02 with qSca, Airy without order list",
         "Tessary v3.1.02\r\nIntensity v. scattering angle\r\nWater\r\na vacuum\r\nCowley\r\nDefined2\r\nAiry\r\n"
         "Multiple\r\nCowley\r\nVacuum2\r\n1\r\n0.65\r\n50\r\n1.33\r\n0\r\n0\r\n180\r\n1\r\nFlat\r\n380\r\n700\r\n"
         "Automatic\r\nAutomatic\r\n 0 \r\n 1 \r\n 1             2 \r\n 7 \r\n" +
             rows,
         [](const DataFile& f) {
             EXPECT_TRUE(f.rayOrders.empty());
             EXPECT_EQ(f.qSca, 7.0);
             ASSERT_GE(f.values.size(), 6u);
             EXPECT_EQ(f.values[5], 6.0);
         }},
    };
    for (const OldFile& o : files) {
        SCOPED_TRACE(o.name);
        const DecodedDataFile decoded = Decode(o.bytes);
        ASSERT_TRUE(decoded.ok()) << decoded.failure.message;
        o.expect(*decoded.file);
        EXPECT_EQ(Bytes(*decoded.file), o.bytes);
    }
}

struct Refusal {
    const char* name;
    std::string bytes;
    const char* messageStart;
    const char* title;
};

TEST(DataFileCodec, RefusesWithMessagesAndTitles) {
    const std::string good = Bytes(AngleGraph());
    std::string graph = good;
    graph.replace(graph.find("Intensity v. scattering angle"), 29, "Convergence");
    std::string text = good;
    text.replace(text.find(" 1.5 "), 5, " abc ");
    std::string orders = Bytes([] {
        DataFile f = AngleGraph();
        f.method = "Debye";
        f.rays = "Multiple";
        f.rayOrders = {51};
        return f;
    }());
    std::string waves = good;
    waves.replace(waves.find("Vacuum2\r\n1\r\n"), 12, "Vacuum2\r\n2001\r\n");
    const Refusal refusals[] = {
        {"newer version", "Tessary v9.9\r\n",
         "This file has been generated by a newer version of Tessary\r"
         "Please obtain the latest version of Tessary.",
         "Please update Tessary"},
        {"not ours", "\xFF\xD8\xFF\xE0JFIF", "The selected file is not a valid Tessary file", "Tessary"},
        {"empty", "", "The selected file is not a valid Tessary file", "Tessary"},
        {"random bytes",
         [] {
             std::mt19937 random(18);
             std::string bytes(64 * 1024, '\0');
             for (char& c : bytes) c = static_cast<char>(random());
             return bytes;
         }(),
         "The selected file is not a valid Tessary file", "Tessary"},
        {"graph type", graph, "Error in Graph Type", "File error"},
        {"text for a number", text, "The selected file is not a valid Tessary file\r", "Tessary"},
        {"order beyond 50", orders, "The selected file is not a valid Tessary file\rLine ", "Tessary"},
        {"too many wavelengths", waves, "The selected file is not a valid Tessary file\rLine ", "Tessary"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        const DecodedDataFile decoded = Decode(r.bytes);
        ASSERT_FALSE(decoded.ok());
        EXPECT_EQ(decoded.failure.message.rfind(r.messageStart, 0), 0u) << decoded.failure.message;
        EXPECT_EQ(decoded.failure.title, r.title);
    }
}

TEST(DataFileCodec, EveryFileCutShortIsRefused) {
    for (const State& s : States()) {
        const std::string bytes = Bytes(s.make());
        std::size_t cut = 0;
        while ((cut = bytes.find("\r\n", cut)) != std::string::npos) {
            cut += 2;
            if (cut == bytes.size()) break;
            // Cut after a line of the head or the results: anything short of the whole file is refused,
            // except a file whose S1 and S2 block (never read by the window) or light-source line, both
            // after the results, lost whole lines.
            const DecodedDataFile decoded = Decode(bytes.substr(0, cut));
            const DataFile full = s.make();
            if (decoded.ok()) {
                EXPECT_TRUE(full.amplitudeBlock || full.lightSource) << s.name << " cut at " << cut;
            }
        }
    }
}

TEST(DataFileCodec, TextsThatCannotBeReadBackAreRefused) {
    const std::pair<const char*, const char*> texts[] = {
        {"\"quoted", "it begins with a double quote"},
        {"a \"b\", c", "it holds both a comma and a double quote"},
        {"two\r\nlines", "it holds a line break"},
    };
    for (const auto& [text, why] : texts) {
        DataFile f = AngleGraph();
        f.sphereName = text;
        const std::optional<DataFileFailure> failure = CheckDataFileTexts(f);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->message,
                  std::string("The text \"") + text + "\" cannot be saved in a data file: " + why + ".");
        EXPECT_FALSE(EncodeDataFileBytes(f).has_value());
    }
}

}  // namespace
}  // namespace tessary

namespace tessary {
namespace {

// The fuzz target's seeds: every one decodes and encodes back to its own bytes, but for those named
// "refused_", which are refused, and "ignored_", whose text after the results is ignored: they encode
// without it, and that encoding reads back as the same file.
TEST(DataFileCodec, SeedsDecodeAndEncodeBackToTheirBytes) {
    int seeds = 0, refused = 0, ignored = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TESSARY_SEEDS_DIR)) {
        SCOPED_TRACE(entry.path().string());
        const std::string name = entry.path().filename().string();
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const DecodedDataFile decoded = Decode(bytes);
        ++seeds;
        if (name.starts_with("refused_")) {
            ++refused;
            EXPECT_FALSE(decoded.ok() || decoded.failure.message.empty());
            continue;
        }
        ASSERT_TRUE(decoded.ok()) << decoded.failure.message;
        const std::string again = Bytes(*decoded.file);
        if (name.starts_with("ignored_")) {
            ++ignored;
            EXPECT_NE(again, bytes);
            EXPECT_EQ(Decode(again).file, decoded.file);
        } else {
            EXPECT_EQ(again, bytes);
        }
    }
    EXPECT_GE(seeds, 15);
    EXPECT_GE(refused, 5);
    EXPECT_GE(ignored, 2);
}

// A number line with a decimal comma, which would read as two items, is refused naming it in every reader path:
// a user material's point, a ray order, a distribution's deviation, a map's sweep, the lines of versions 1.0
// and 2.00, the beam line and a row of S1 and S2 whose comma makes up its count.
TEST(DataFileCodec, ADecimalCommaIsRefusedOnItsLine) {
    const std::tuple<const char*, int, std::string> cases[] = {{"debye_user.tsy", 8, ".4,5 1.4"},
                                                               {"debye_user.tsy", 15, "0,5"},
                                                               {"debye_user.tsy", 20, "10,5"},
                                                               {"map.tsy", 30, "10,5"},
                                                               {"version_1_0.tsy", 4, "0,65"},
                                                               {"version_2_00.tsy", 7, "0,9997"},
                                                               {"beam_stopped.tsy", 46, "Beam: -40 0 2,5 12"},
                                                               {"angle_s1s2.tsy", 39, "45 1,5 -2 3E-09"}};
    for (const auto& [seed, line, text] : cases) {
        std::ifstream in(std::filesystem::path(TESSARY_SEEDS_DIR) / seed, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::size_t start = 0;
        for (int i = 1; i < line; ++i) start = bytes.find('\n', start) + 1;
        const DecodedDataFile decoded = Decode(bytes.replace(start, bytes.find("\r\n", start) - start, text));
        EXPECT_EQ(decoded.failure.message, std::string(kNotValidMessage) + "\rLine " + std::to_string(line) +
                                               ": \"" + text +
                                               "\" holds a comma, which ends an item: a data file's "
                                               "numbers take a decimal point");
        EXPECT_EQ(decoded.failure.line, line);
    }
}

// The angle graph with its S1 and S2 block of five rows, one per stored point.
DataFile WithBlock(std::optional<LightSource> light) {
    DataFile f = AngleGraph();
    f.amplitudeBlock = true;
    for (int k = 1; k <= 5; ++k)
        f.amplitudes.insert(f.amplitudes.end(), {(k - 1) * 45.0, 1.0, -2.0, 3e-9, 4e9});
    f.lightSource = light;
    return f;
}

TEST(DataFileCodec, TheLightSourceIsTheLastLineWhenKnown) {
    const std::pair<std::optional<LightSource>, const char*> cases[] = {
        {LightSource::Sun, "4000000000 \r\nLight source: Sun\r\n"},
        {LightSource::Point, "4000000000 \r\nLight source: Point\r\n"},
        {std::nullopt, "180           1            -2             3E-09         4000000000 \r\n"},
    };
    for (const auto& [light, end] : cases) {
        EXPECT_TRUE(Bytes(WithBlock(light)).ends_with(end)) << end;
        DataFile plain = AngleGraph();  // without a block the line follows the results at once
        plain.lightSource = light;
        EXPECT_EQ(Decode(Bytes(plain)).file, plain) << end;
    }
}

// The angle graph as a sweep of its five points against the radius, a graph whose run may stop part way.
DataFile AsSweep(DataFile f) {
    f.graphText = "Intensity v. radius";
    f.qSca = 0;
    f.angleText = "138";
    return f;
}

// The values, Inv Wavelength, illumination, options, surface-wave and stop lines follow the light-source
// line, each only when it applies, and read back as written; a line that begins as one of them but does
// not hold what it names is refused.
TEST(DataFileCodec, IlluminationAndStopLinesFollowTheLightSource) {
    DataFile beam = AsSweep(WithBlock(LightSource::Sun));
    beam.illumination = IlluminationItems{BeamKind::Gaussian, true, false, -40.0f, 0.0f, 2.5f, 20.0f, 30.0};
    beam.surfaceWaves = SurfaceWaveItems{"Long", "Lock", "2", "5", "1.5", true};
    beam.stopped = StoppedRun{57, 101};
    DataFile options = AngleGraph();
    options.illumination = IlluminationItems{};
    options.illumination->centralBeam = true;
    DataFile amplitudes = AsSweep(WithBlock(LightSource::Point));
    amplitudes.amplitudeValues = true;
    amplitudes.invWavelength = false;
    amplitudes.stopped = StoppedRun{4, 5};
    DataFile subtraction = AsSweep(AngleGraph());
    subtraction.surfaceWaveSubtraction = true;
    subtraction.diffractionAdded = true;
    subtraction.stopped = StoppedRun{1, 2};
    DataFile planned = AsSweep(AngleGraph());  // logarithmic steps, refused (a comma quotes the line)
    planned.xLog = true;
    planned.stopped = StoppedRun{2, 5, "50", "4", "Reduce radius, or wavelength"};
    const std::pair<DataFile, const char*> written[] = {
        {planned,
         "\"Stopped after 2 of 5 points; planned maximum 50 in 4 steps; refused: Reduce radius, or "
         "wavelength\"\r\n"},
        {amplitudes,
         "Light source: Point\r\nValues: Amplitude\r\nInv Wavelength: Off\r\nStopped after 4 of 5 points\r\n"},
        {beam,
         "Light source: Sun\r\nIllumination: Gaussian beam + Multiple beams\r\nBeam: -40  0  2.5  20  30 \r\n"
         "Surface waves: Long path only; Lock; terms 2 to 5; amplitude 1.5; phase correction\r\n"
         "Stopped after 57 of 101 points\r\n"},
        {options, "Illumination: Plane wave + Central beam\r\n"},
        {subtraction,
         "\r\nOptions: Surface wave subtraction; Diffraction\r\nStopped after 1 of 2 points\r\n"},
    };
    for (const auto& [file, end] : written) {
        const std::string bytes = Bytes(file);
        EXPECT_TRUE(bytes.ends_with(end)) << bytes.substr(bytes.size() - 120);
        EXPECT_EQ(Decode(bytes).file, file) << end;
    }
    const std::string plain = Bytes(AngleGraph());
    const int last = static_cast<int>(std::count(plain.begin(), plain.end(), '\n'));
    const std::pair<const char*, int> refused[] = {
        {"Inv Wavelength: Yes\r\n", 1},
        {"Illumination: Laser\r\n", 1},
        {"Illumination: Gaussian beam + Central beam + More\r\n", 1},
        {"Illumination: Top hat beam\r\n", 2},
        {"Illumination: Gaussian beam\r\nBeam: 1 2 3 4\r\n", 2},
        {"Illumination: Gaussian beam\r\nBeam: 1 2 3 4 x\r\n", 2},
        {"Options: Debye iteration\r\n", 1},  // no option of a run
        {"Options: Diffraction; Diffraction\r\n", 1},
        {"Surface waves: Middle path; Khare; terms 1 to 10; amplitude 1\r\n", 1},
        {"Surface waves: Short path only; Khare; terms 1 to x; amplitude 1\r\n", 1},
        {"Stopped after 0 of 5 points\r\n", 1},
        {"Stopped after 5 of 5 points\r\n", 1},
        {"Stopped after 5 of 999999 points\r\n", 1},
        {"Stopped after -1 of 5 points\r\n", 1},
        {"Stopped after 2 of 5\r\n", 1},
    };
    for (const auto& [tail, line] : refused) {
        const DecodedDataFile d = Decode(plain + tail);
        EXPECT_FALSE(d.ok()) << tail;
        EXPECT_EQ(d.failure.line, last + line) << tail;
    }
    // A planned range only of logarithmic steps that count the points planned; a refusal that names why.
    planned.stopped.reset();
    for (const bool log : {false, true}) {
        planned.xLog = log;
        const std::string sweep = Bytes(planned);
        for (const char* tail : {"Stopped after 2 of 5 points; planned maximum 50 in 3 steps\r\n",
                                 "Stopped after 2 of 5 points; planned maximum 5O in 4 steps\r\n",
                                 "Stopped after 2 of 5 points; refused: \r\n"})
            EXPECT_EQ(Decode(sweep + tail).failure.line, std::count(sweep.begin(), sweep.end(), '\n') + 1)
                << tail;
        EXPECT_EQ(Decode(sweep + "Stopped after 2 of 5 points; planned maximum 50 in 4 steps\r\n").ok(), log);
    }
}

// Text after the results, the block and the light-source line is a note, ignored, the file reads as saved;
// but no row of numbers (beyond the results) and no line that begins as one the reader knows (refused,
// with the line after the file's own: 1 for the first).
TEST(DataFileCodec, WhatFollowsTheResultsIsANoteOrRefused) {
    const std::tuple<DataFile, const char*, int> cases[] = {
        {AngleGraph(), "\r\n", 0},
        {AngleGraph(), "Notes, typed later\r\nand more", 0},
        {AngleGraph(), "\xFF\xFE\x01 binary", 0},
        {AngleGraph(), "\r\nAnother title\r\n 1 2 3 4 5 \r\n", 3},
        {AngleGraph(), "\r\nReal and imaginary values of S1 and S3\r\n 1 2 3 4 5 \r\n",
         2},                                                                  // its title damaged
        {WithBlock(std::nullopt), " 1             2             3 \r\n", 1},  // a row short of five numbers
        {WithBlock(std::nullopt), "Light source: Moon\r\n", 1},
        {AngleGraph(), "Light sou\r\n", 1},  // a known line cut short or damaged in its key is no note
        {AngleGraph(), "Light souxce: Sun\r\n", 1},
        {AngleGraph(), "Light source Sun, 12:30\r\n", 1},
        {AngleGraph(), "Notes\r\n+Stopped after 4 of 181 points\r\n", 2},  // a known line behind a mark
        {WithBlock(LightSource::Point),
         " 0             1            -2             3E-09         4000000000 \r\n", 1},
    };
    for (const auto& [file, tail, refused] : cases) {
        const std::string bytes = Bytes(file);
        const DecodedDataFile d = Decode(bytes + tail);
        EXPECT_EQ(d.file, refused ? std::nullopt : std::optional<DataFile>(file)) << tail;
        EXPECT_EQ(d.failure.line, refused ? std::count(bytes.begin(), bytes.end(), '\n') + refused : 0)
            << tail;
    }
}

// A known line's head with any one typing slip is refused naming it and the line it resembles; notes stay.
TEST(DataFileCodec, AKnownLineWithASlipInItsHeadIsRefused) {
    const std::string bytes = Bytes(AngleGraph()) + "A note\r\n", next = "\r\nNumber of wavelengths: 30\r\n";
    const std::string line = std::to_string(std::count(bytes.begin(), bytes.end(), '\n') + 1);
    const auto refused = [&](const std::string& text, const std::string& head, const std::string& slip,
                             const std::string& word) {
        EXPECT_EQ(Decode(bytes + text + next).failure.message,
                  std::string(kNotValidMessage) + "\rLine " + line + ": \"" + text + "\" is a misspelled \"" +
                      head + "\" line (\"" + slip + "\" for \"" + word + "\")");
    };
    for (const std::string head :
         {"Light source:", "Values:", "Inv Wavelength:", "Number of wavelengths:", "Illumination:", "Beam:",
          "Options:", "Surface waves:", "Inputs:", "Stopped after"}) {
        const std::string word = head.substr(0, head.find_first_of(" :")),
                          rest = head.substr(word.size()) + " 1";
        for (const std::string& slip :
             {word.substr(0, 1) + "x" + word.substr(2), word + "e", word.substr(0, 1) + word.substr(2),
              word.substr(1, 1) + word[0] + word.substr(2)})
            refused(slip + rest, head, slip, word);
    }
    const std::tuple<const char*, const char*, const char*, const char*> blanksAndColons[] = {
        {"Stoppedafter 4 of 1001 points", "Stopped after", "Stoppedafter", "Stopped after"},
        {"Stoppe dafter 4 of 1001 points", "Stopped after", "Stoppe dafter", "Stopped after"},
        {"Value:s Amplitude", "Values:", "Value", "Values"},
        {"Valu es: Amplitude", "Values:", "Valu es", "Values"},
        {"Lightsource: Sun, bright", "Light source:", "Lightsource", "Light source"},
        {"Light souxce: Sun", "Light source:", "souxce", "source"},
        {"Inputs;: rays 50", "Inputs:", "Inputs;", "Inputs"},
        {"Team: optics lab", "Beam:", "Team", "Beam"},
        {"Lihgt source Sun", "Light source:", "Lihgt", "Light"},  // a slip and the colon left out
        {"Lihgt source; Sun", "Light source:", "Lihgt", "Light"},
        {"Lihgt source Sun, 12:30", "Light source:", "Lihgt", "Light"},
        {"Valuesx Amplitude", "Values:", "Valuesx", "Values"},
        {"Ilumination Gaussian beam", "Illumination:", "Ilumination", "Illumination"},
    };
    for (const auto& [text, head, slip, word] : blanksAndColons) refused(text, head, slip, word);
    for (const char* note :
         {"In this run", "Lights: off", "Beams crossed", "Stepped through the radii", "Might be wrong",
          "Light rain, 12:30", "Surface tension: 72 mN/m", "Number of drops: 100", "Light: overcast sky",
          "Beam splitter: none", "Inv. no: 1234"})
        EXPECT_TRUE(Decode(bytes + note + "\r\nand more\r\n").ok()) << note;
}

// A line of those after the results out of its place, repeated or without the line it follows is refused
// with its line, never left unread (with the lines after it) so that the file reads as saying less.
TEST(DataFileCodec, LinesAfterTheResultsOutOfPlaceAreRefused) {
    DataFile file = AsSweep(WithBlock(LightSource::Sun));
    file.invWavelength = true;
    file.illumination = IlluminationItems{BeamKind::Gaussian, false, false, -40.0f, 0.0f, 2.5f, 20.0f, 30.0};
    file.stopped = StoppedRun{4, 5};
    const std::string bytes = Bytes(file), light = "Light source: Sun\r\n", inv = "Inv Wavelength: On\r\n",
                      ill = "Illumination: Gaussian beam\r\n", beam = "Beam: -40  0  2.5  20  30 \r\n",
                      stop = "Stopped after 4 of 5 points\r\n",
                      title = "Real and imaginary values of S1 and S2";
    const auto edited = [&bytes](const std::string& from, const std::string& to) {
        std::string b = bytes;
        return b.replace(b.find(from), from.size(), to);
    };
    DataFile plain = AngleGraph();
    plain.lightSource = LightSource::Sun;
    const std::pair<std::string, std::string> cases[] = {
        // the file, its line refused
        {edited(inv + ill + beam, ill + beam + inv), inv},
        {edited(ill + beam + stop, stop + ill + beam), ill},
        {edited(light, light + "Light source: Point\r\n"), "Light source: Point"},
        {edited(stop, stop + light), light},
        {edited(ill, ""), beam},
        {edited(light + inv, inv + light), light},
        {Bytes(plain) + "\r\n" + title + "\r\n 0 1 2 3 4 \r\n", title},
    };
    for (const auto& [edit, line] : cases) {
        SCOPED_TRACE(line);
        const DecodedDataFile d = Decode(edit);
        ASSERT_FALSE(d.ok());
        const std::size_t at = edit.rfind(line);
        EXPECT_EQ(d.failure.line,
                  1 + std::count(edit.begin(), edit.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
        EXPECT_NE(d.failure.message.find("\" is out of its place"), std::string::npos) << d.failure.message;
    }
}

// The illumination and options lines name only what a run of the file's method on its graph uses; the first
// that names anything else is the line the reader refuses.
TEST(DataFileCodec, LinesNamingWhatTheMethodDoesNotUse) {
    using L = IlluminationItems;
    const L gaussian{BeamKind::Gaussian}, topHat{BeamKind::TopHat}, central{BeamKind::PlaneWave, false, true};
    const L pair{BeamKind::Gaussian, true}, gaussianCentral{BeamKind::Gaussian, false, true};
    struct Case {
        const char* method;
        const char* graph;
        const char* waves;
        std::optional<L> light;
        bool subtraction, diffraction, surfaceWaves;
        const char* refused;  // nullptr: the file fits its method
    };
    const Case cases[] = {
        {"Mie", "Map: angle v. radius", "RGB", gaussian, false, false, false, nullptr},
        {"Mie", "Intensity v. scattering angle", "1", pair, false, false, false, "Illumination: "},
        {"Mie", "Intensity v. scattering angle", "1", central, false, false, false, "Illumination: "},
        {"Debye series", "Intensity v. scattering angle", "1", gaussianCentral, false, false, false, nullptr},
        {"Debye series", "Intensity v. scattering angle", "RGB", gaussian, false, false, false,
         "Illumination: "},
        {"Debye series", "Intensity v. radius", "1", pair, false, false, false, "Illumination: "},
        {"Debye series", "Intensity v. radius", "1", central, true, false, false, nullptr},
        {"Debye series", "Intensity v. scattering angle", "1", central, false, false, false,
         "Illumination: "},
        {"Debye series", "Intensity v. scattering angle", "1", std::nullopt, false, true, false, "Options: "},
        {"Young mod", "Intensity v. scattering angle", "1", topHat, false, true, false, nullptr},
        {"Descartes", "Intensity v. scattering angle", "1", gaussianCentral, false, false, false,
         "Illumination: "},
        {"Young", "Intensity v. scattering angle", "1", gaussian, true, false, false, "Options: "},
        {"Young", "Intensity v. scattering angle", "1", topHat, false, false, false, "Illumination: "},
        {"Descartes", "Intensity v. radius", "1", topHat, false, false, false, "Illumination: "},
        {"Surface wave", "Intensity v. scattering angle", "1", central, false, false, true, nullptr},
        {"Surface wave", "Intensity v. scattering angle", "1", topHat, false, false, false, "Illumination: "},
        {"Airy", "Intensity v. scattering angle", "1", std::nullopt, false, false, true, "Surface waves: "},
    };
    for (const Case& c : cases) {
        DataFile f = AngleGraph();
        f.method = c.method, f.graphText = c.graph, f.inputs[0] = c.waves, f.illumination = c.light;
        f.surfaceWaveSubtraction = c.subtraction, f.diffractionAdded = c.diffraction;
        if (c.surfaceWaves) f.surfaceWaves = SurfaceWaveItems{};
        EXPECT_EQ(LineNotOfTheMethod(f), c.refused ? std::optional<std::string>(c.refused) : std::nullopt)
            << c.method << ", " << c.graph << ", " << c.waves;
    }
}

// A line the reader cannot read exactly is refused with its line: the angle graph's S1 and S2 block with a row
// missing, repeated or moved (lines 38 to 42 hold the angles 0 to 180), a fraction for a whole number (the
// stored points, line 29; the complex flag, line 12), no wavelength (line 15).
TEST(DataFileCodec, ALineThatCannotBeReadExactlyIsNamed) {
    std::vector<std::string> lines;
    const std::string bytes = Bytes(WithBlock(LightSource::Sun));
    for (std::size_t at = 0; at < bytes.size(); at = bytes.find("\r\n", at) + 2)
        lines.push_back(bytes.substr(at, bytes.find("\r\n", at) - at));
    using Lines = std::vector<std::string>;
    const std::pair<std::function<void(Lines&)>, int> cases[] = {
        {[](Lines& l) { l.erase(l.begin() + 37); }, 38},
        {[](Lines& l) { l.insert(l.begin() + 38, l[38]); }, 40},
        {[](Lines& l) { std::swap(l[38], l[39]); }, 39},
        {[](Lines& l) { l.erase(l.begin() + 41); }, 42},
        {[](Lines& l) { l[28] = " 1.5           5 "; }, 29},
        {[](Lines& l) { l[11] = " 0.5 "; }, 12},
        {[](Lines& l) { l[14] = "0"; }, 15},
        {[](Lines& l) { l[5] = "Defined"; }, 6},  // neither "User2" nor "Defined2"
        {[](Lines& l) { l[4] = "Cowley"; }, 5},   // not the sphere model of line 9
    };
    for (const auto& [edit, line] : cases) {
        Lines edited = lines;
        edit(edited);
        std::string file;
        for (const std::string& l : edited) file += l + "\r\n";
        const DecodedDataFile d = Decode(file);
        EXPECT_EQ(d.failure.line, line) << d.failure.message;
        EXPECT_NE(d.failure.message.find("\rLine " + std::to_string(line) + ": "), std::string::npos);
    }
}

// Rows of a sweep's block beyond the index range of the file (older versions wrote the angle window's) are
// not kept, however many; the light-source line after them is still read. Every other graph's block holds
// the rows of its range: the first row beyond them is refused with its line.
TEST(DataFileCodec, RowsBeyondTheIndexRangeAreNotKept) {
    for (const DataFile& f : {AsSweep(WithBlock(LightSource::Sun)), WithBlock(LightSource::Sun)}) {
        std::string bytes = Bytes(f);
        for (int k = 0; k < 3000; ++k) bytes.insert(bytes.rfind("Light source: Sun"), " 1 2 3 4 5 \r\n");
        const DecodedDataFile d = Decode(bytes);
        if (f.graphText != "Intensity v. scattering angle") {
            EXPECT_EQ(d.file, f);
            continue;
        }
        const std::string block = bytes.substr(0, bytes.find(" 1 2 3 4 5 \r\n"));
        EXPECT_EQ(d.failure.line, 1 + std::count(block.begin(), block.end(), '\n')) << d.failure.message;
    }
}

// Other files of the program and cut data files are not data files, with the reason why; later
// versions (nullptr) ask for an update.
TEST(DataFileCodec, OtherFilesAreNotDataFilesAndLaterVersionsAskForAnUpdate) {
    const std::string good = Bytes(AngleGraph());
    const std::pair<std::string, const char*> files[] = {
        {"Tessary 3403 batch file\r\nrun\r\nstop\r\n", "It is not a Tessary data file."},
        {"Tessary v3.4.10\r\n\r\nDate & Time: 2026-12-07 10:11:12\r\n", "It is not a Tessary data file."},
        {"Tessary v9 beta\r\n", "It is not a Tessary data file."},
        {good.substr(0, 10), "It is not a Tessary data file: it ends on line 1."},
        {good.substr(0, good.find("0.65\r\n") + 6), "The file is cut short: it ends on line 15."},
        {"Tessary v3.5.0\r\n", nullptr},
        {"Tessary v9", nullptr},
        {"Tessary v3.4.12\r\n", nullptr},
        {"Tessary v3.4.011.1\r\n", nullptr},
        {"Tessary v10.0\r\n", nullptr},
    };
    for (const auto& [bytes, why] : files) {
        SCOPED_TRACE(bytes);
        const DataFileFailure failure = Decode(bytes).failure;
        EXPECT_EQ(failure.message, why ? std::string(kNotValidMessage) + "\r" + why
                                       : "This file has been generated by a newer version of Tessary\r"
                                         "Please obtain the latest version of Tessary.");
        EXPECT_EQ(failure.title, why ? "Tessary" : "Please update Tessary");
    }
}

}  // namespace
}  // namespace tessary
