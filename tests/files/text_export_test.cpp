// The text export: header and column goldens by graph code, the amplitude block and the term dump.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "files/text_export.h"
#include "graphs/graph_codes.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"

namespace tessary {
namespace {

std::string Export(const TextExportSnapshot& s) {
    const test::TestFolder folder("tessary_export_");
    const std::filesystem::path path = folder.path() / "export.txt";
    TextFileWriter w = TextFileWriter::CreateOneGo(path);
    WriteTextExportHeader(s, w);
    WriteTextExportColumns(s, w);
    EXPECT_TRUE(w.Close().ok());
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Data {
    std::vector<double> a{0, 1, 2, 3}, b{0, 0.5, 0.25, 0.125}, c{0, 4, 5, 6};
    std::vector<float> waves{0, 0.65f, 0.51f, 0.44f};
};

TextExportSnapshot Base(const Data& d) {
    TextExportSnapshot s;
    s.dateTime = "2026-12-07 10:11:12";
    s.methodLabel = "Mie";
    s.sphereName = "Water";
    s.mediumName = "a vacuum";
    s.refractReal = "1.333";
    s.refractImag = "0";
    s.lambdaText = "0.65";
    s.xMinText = "0";
    s.xMaxText = "2";
    s.angleText = "138";
    s.stepText = "1";
    s.graphText = "Intensity v. scattering angle";
    s.spectrumLabel = "Spectrum: Sun (Lee)";
    s.radius = 10;
    s.sizeParam = 96.66438934;
    s.bandMinUm = 0.38f;
    s.bandMaxUm = 0.7f;
    s.firstPoint = 1;
    s.lastPoint = 3;
    s.intensityPerp = s.avgPerp = d.a;
    s.intensityPara = s.avgPara = d.b;
    s.intensityUnpol = s.avgUnpol = d.c;
    s.s1 = {d.a, d.b};
    s.s2 = {d.c, d.a};
    s.waveList = d.waves;
    for (std::size_t i = 0; i < 8; ++i) {
        s.colourSumPerp[i] = d.a;
        s.colourSumPara[i] = d.b;
    }
    return s;
}

struct Golden {
    const char* name;
    std::function<void(TextExportSnapshot&)> set;
    std::vector<std::string> holds;
    std::vector<std::string> lacks;
};

TEST(TextExport, GoldensByGraphCode) {
    const Data d;
    const Golden goldens[] = {
        {"one wavelength",
         [](TextExportSnapshot&) {},
         {"Tessary v3.4.10\r\n\r\nDate & Time: 2026-12-07 10:11:12\r\n\r\nCalculation Method:         Mie\r\n\r\n"
          "Sphere: \tWater\r\nMedium: \ta vacuum\r\n\r\n"
          "Refractive index\tReal part: \t1.333\tImaginary part: \t0\r\n\r\nWavelength: \t0.65\t um\r\n\r\n"
          "Radius: \t 10 \t um\tSize parameter: \t 96.6644 \r\n\r\nGraph type: \tIntensity v. scattering angle\r\n\r\n"
          "Angle\tPerpendicular\tParallel\tUnpolarised\r\n"
          "theta\t[S1(theta)]^2\t[S2(theta)]^2\t[[S1(theta)]^2 + [S2(theta)]^2]/2\r\n"
          " 0 \t 1 \t .5 \t 4 \r\n 1 \t 2 \t .25 \t 5 \r\n 2 \t 3 \t .125 \t 6 \r\n\r\n"
          "Real and imaginary values of S1 (perpendicular polarisation) and S2 (parallel polarisation) \r\n\r\n"
          "Angle\tS1 Real\tS1 Imaginary\tS1 Magnitude\tS1 Phase\tS2 Real\tS2 Imaginary\tS2 Magnitude\tS2 Phase\r\n"
          " 0 \t 1 \t .5 \t"},
         {"x = "}},
        {"three wavelengths",
         [](TextExportSnapshot& s) { s.waveCount = 3; },
         {"Wavelength: \t0.65\t um\r\n\r\nRadius: \t 10 \t um\r\n",
          "Angle\tWavelength\tPerpendicular\tParallel\r\n 0 \t .65 \t 1 \t .5 \r\n 0 \t .51 \t 1 \t .5 \r\n"},
         {"S1 Real", "Size parameter"}},
        {"many wavelengths, point source",
         [](TextExportSnapshot& s) {
             s.waveCount = 100;
             s.pointSource = true;
         },
         {"Spectrum: Sun (Lee)\r\nSpectrum: \t .38 - .7  um\r\nNumber of wavelengths:  100 \r\n",
          "R+G+B: Parallel\r\n 0 \t 1 \t .5 \t 1 \t .5 \t 1 \t .5 \t 3 \t 1.5 \r\n"},
         {"Wavelength: "}},
        {"wavelength graph with index columns, 1 to 2 by 0.5",
         [](TextExportSnapshot& s) {
             s.graphCode = kGraphWavelength;
             s.graphText = "Intensity v. wavelength";
             s.xMinText = "1";
             s.stepText = "0.5";
             s.relativeIndex = [](double l) { return std::optional(std::make_pair(1000 * l, 0.5)); };
         },
         {"Graph type: \tIntensity v. wavelength\r\n\r\nScattering angle = 138\r\n"
          "Wavelength\tRef Index (real)\tRef Index (imaginary)\tPerpendicular\tParallel\tUnpolarised\r\n"
          " 1 \t 1 \t .5 \t 1 \t .5 \t 4 \r\n 1.5 \t 1.5 \t .5 \t 2 \t .25 \t 5 \r\n 2 \t 2 \t .5 \t 3 \t .125 \t 6 \r\n"},
         {"S1 Real", "Refractive index\t"}},
        {"asymmetry: no heading",
         [](TextExportSnapshot& s) {
             s.graphCode = kGraphAsymmetry;
             s.graphSubCode = kSubAsymmetryRadius;
             s.xMinText = "1";
             s.stepText = "0.5";
         },
         {"Scattering angle = 138\r\n 1 \t 1 \t .5 \t 4 \r\n"},
         {"Perpendicular"}},
        {"Lee diagram: header only",
         [](TextExportSnapshot& s) {
             s.graphCode = kGraphLee;
             s.graphText = "Lee diagram";
         },
         {"Medium: \ta vacuum\r\n\r\nGraph type: \tLee diagram\r\n\r\n"},
         {"Angle", "Refractive index"}},
    };
    for (const Golden& g : goldens) {
        SCOPED_TRACE(g.name);
        TextExportSnapshot s = Base(d);
        g.set(s);
        if (s.graphCode >= kFirstSweepGraph && s.graphCode <= kLastSweepGraph) {
            const auto range = ExportPointRange(s.xMinText, s.xMaxText, s.stepText, s.xStepLog);
            ASSERT_TRUE(range.has_value());
            s.firstPoint = range->first;
            s.lastPoint = range->second;
        }
        ASSERT_FALSE(CheckTextExportResults(s).has_value());
        const std::string bytes = Export(s);
        for (const std::string& h : g.holds)
            EXPECT_NE(bytes.find(h), std::string::npos) << h << "\n----\n" << bytes;
        for (const std::string& l : g.lacks) EXPECT_EQ(bytes.find(l), std::string::npos) << l;
    }
}

// The x column of a sweep: each row's x to 15 significant digits, as the values beside it, so the x
// read back is the x the row was computed at; logarithmic x from xmin (xmax/xmin)^(k/N) ending on
// xmax. Python for the log rows: "%.15g" % (0.1 * (1000 / 0.1) ** (1 / 4000)) = 0.10023052380779,
// "%.15g" % (1e-4 * (0.1 / 1e-4) ** (1 / 6)) = 0.000316227766016838.
TEST(TextExport, SweepXColumnTellsRowsApart) {
    struct Case {
        const char *name, *xMin, *xMax, *step;
        bool log;
        int code;
        std::size_t rows, distinct;
        std::vector<std::string> holds;
    };
    // clang-format off
    const Case cases[] = {
        {"index by 1e-5", "1.33", "1.34", "0.00001", false, 12, 1001, 1001, {"\n 1.33001 \t", "\n 1.34 \t"}},
        {"index by 0.01 from 1.33333", "1.33333", "1.34333", "0.01", false, 12, 2, 2,
         {"\n 1.33333 \t", "\n 1.34333 \t"}},
        {"log 0.1 to 1000 in 4000 steps", "0.1", "1000", "4000", true, 16, 4001, 4001,
         {"\n .1 \t", "\n .10023052380779 \t", "\n 1000 \t"}},
        {"log size x 1e-4 to 0.1 in 6 steps", "1e-4", "0.1", "6", true, 16, 7, 7,
         {"\n .0001 \t", "\n .000316227766016838 \t", "\n .1 \t"}},
    };
    // clang-format on
    const std::vector<double> values(4002, 1.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Data d;
        TextExportSnapshot s = Base(d);
        s.graphCode = c.code;
        s.xMinText = c.xMin;
        s.xMaxText = c.xMax;
        s.xMax = Val(c.xMax);
        s.stepText = c.step;
        s.xStepLog = c.log;
        s.intensityPerp = s.intensityPara = s.intensityUnpol = values;
        const auto range = ExportPointRange(s.xMinText, s.xMaxText, s.stepText, s.xStepLog);
        ASSERT_TRUE(range.has_value());
        s.firstPoint = range->first;
        s.lastPoint = range->second;
        const std::string bytes = Export(s);
        std::vector<std::string> xs;
        for (std::size_t at = bytes.find("Scattering angle = ");
             (at = bytes.find("\r\n ", at)) != std::string::npos;) {
            at += 2;
            xs.push_back(bytes.substr(at, bytes.find('\t', at) - at));
        }
        EXPECT_EQ(xs.size(), c.rows);
        EXPECT_EQ(std::set<std::string>(xs.begin(), xs.end()).size(), c.distinct);
        for (const std::string& h : c.holds) EXPECT_NE(bytes.find(h), std::string::npos) << h;
    }
}

TEST(TextExport, PointRangesFromTheBoxes) {
    EXPECT_EQ(ExportPointRange("1", "2", "0.5", false), std::make_pair(1, 3));
    EXPECT_EQ(ExportPointRange("0.4", "0.7", "0.01", false), std::make_pair(1, 31));
    EXPECT_EQ(ExportPointRange("0.4", "0.7", "20", true), std::make_pair(1, 21));
    EXPECT_FALSE(ExportPointRange("1", "2", "0", false).has_value());
    EXPECT_FALSE(ExportPointRange("0", "2", "20", true).has_value());  // logarithmic steps from 0
    EXPECT_FALSE(ExportPointRange("1", "2", "0", true).has_value());   // a single point
    EXPECT_FALSE(ExportPointRange("3", "2", "1", false).has_value());
}

TEST(TextExport, RowsTheResultsDoNotHoldAreRefused) {
    const Data d;
    TextExportSnapshot s = Base(d);
    s.lastPoint = 4;
    EXPECT_EQ(
        CheckTextExportResults(s).value_or(""),
        "The stored results do not hold the points 1 to 4 that the export asks for. Run New plot before "
        "saving.");
}

TEST(TextExport, TermDumpWritesTheOrdersHeld) {
    const Data d;
    const std::vector<double> real{1, 2, 3};
    const std::vector<Complex> cplx{{1, -1}, {2, -2}, {3, -3}};
    DebyeTermsView t;
    t.sizeParam = 96.5;
    t.xp1 = 1.33;
    t.xp2 = 0.001;
    t.jnx = t.ynx = real;
    for (auto* table : {&t.zeta1x,   &t.dzeta1x, &t.zeta2x,   &t.dzeta2x, &t.jnnx, &t.ynnx, &t.zeta1nx,
                        &t.dzeta1nx, &t.zeta2nx, &t.dzeta2nx, &t.r11e,    &t.r22e, &t.r11m, &t.r22m,
                        &t.t12e,     &t.t21e,    &t.t12m,     &t.t21m,    &t.an2,  &t.bn2})
        *table = cplx;
    EXPECT_EQ(TermDumpLastOrder(t), 2);
    TextExportSnapshot s = Base(d);
    s.calcMethod = kMethodDebye;
    s.terms = t;
    const std::string bytes = Export(s);
    EXPECT_NE(bytes.find(std::string("\r\nx =" + std::string(12, ' ') +
                                     "96.5 \r\n\r\njnx  & ynx\r\n 0             1             1 \r\n")),
              std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find("\r\n\r\nxp1 =          1.33         xp2 =          .001 \r\n\r\njnnx  & ynnx\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("an2  & bn2\r\n 0             1            -1             1            -1 \r\n 1 "),
              std::string::npos);
    EXPECT_EQ(bytes.find("\r\n 3 "), std::string::npos);  // no order beyond those held
}

}  // namespace
}  // namespace tessary
