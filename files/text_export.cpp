// The text export: header lines, TAB-separated columns by graph code, the amplitude block of an angle
// graph and the dump of the Debye series' terms.
#include "files/text_export.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "graphs/graph_codes.h"
#include "numerics/elementary.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

constexpr int kLastDumpOrder = 117;

template <class T>
bool Holds(std::span<const T> v, std::int64_t index) {
    return index >= 0 && static_cast<std::uint64_t>(index) < v.size();
}

bool HoldsRange(std::initializer_list<std::span<const double>> arrays, std::int64_t first,
                std::int64_t last) {
    if (last < first) return true;
    for (const std::span<const double>& a : arrays)
        if (!Holds(a, first) || !Holds(a, last)) return false;
    return true;
}

void RefractiveIndexLine(const TextExportSnapshot& s, TextFileWriter& w) {
    if (s.indexPerWavelength) {
        w.PrintLine("Refractive index", kTab, "from the models of sphere and medium at each wavelength");
        return;
    }
    w.PrintLine("Refractive index", kTab, "Real part: ", kTab, s.refractReal, kTab, "Imaginary part: ", kTab,
                s.refractImag);
}

void WavelengthLine(const TextExportSnapshot& s, TextFileWriter& w) {
    w.PrintLine("Wavelength: ", kTab, s.lambdaText, kTab, " um");
}

void RadiusLine(const TextExportSnapshot& s, TextFileWriter& w, bool withSizeParameter) {
    w.Print("Radius: ", kTab, s.radius, kTab, " um");
    if (withSizeParameter) w.Print(kTab, "Size parameter: ", kTab, RoundTo(s.sizeParam, 4));
    w.EndLine();
}

// The sweeps whose x is the radius (or the size parameter): the distribution lies around each row's radius.
bool RadiusSwept(int code, int sub) {
    return code == kGraphRadius || code == kGraphEfficiency ||
           (code == kGraphAsymmetry && (sub == kSubAsymmetryRadius || sub == kSubAsymmetrySize));
}

// The size distribution the rows average over, beside the nominal radius: its kind, then the median (or
// mean) radius where the radius is fixed, the standard deviation and the number of sizes; or the file and
// its number of classes of a Special distribution, as far as they are known.
void DistributionLine(const TextExportSnapshot& s, TextFileWriter& w) {
    const auto& [kind, deviation, sizes] = *s.disperse;
    w.Print("Size distribution: ", kTab, kind);
    if (kind == "Special") {
        if (!s.disperseFile.empty()) w.Print(kTab, "File: ", kTab, s.disperseFile);
        if (s.disperseClasses > 0) w.Print(kTab, "Number of classes: ", kTab, CStr(s.disperseClasses));
        w.EndLine();
        return;
    }
    if (!RadiusSwept(s.graphCode, s.graphSubCode))
        w.Print(kTab, kind == "Log-normal" ? "Median radius: " : "Mean radius: ", kTab, s.radius, kTab,
                " um");
    w.PrintLine(kTab, "Standard deviation: ", kTab, deviation, kTab, " %", kTab, "Number of sizes: ", kTab,
                sizes);
}

// Rows of graph code 1: the angle of row n is (n - 1) times the step.
void AngleColumns(const TextExportSnapshot& s, TextFileWriter& w) {
    const double step = Val(s.stepText);
    const std::int32_t first = s.firstPoint, last = s.lastPoint;
    if (s.waveCount == 1) {
        w.PrintLine("Angle", kTab, "Perpendicular", kTab, "Parallel", kTab, "Unpolarised");
        if (s.graphSubCode == kSubIntensity && !s.amplitude)
            w.PrintLine("theta", kTab, "[S1(theta)]^2", kTab, "[S2(theta)]^2", kTab,
                        "[[S1(theta)]^2 + [S2(theta)]^2]/2");
        if (s.graphSubCode == kSubIntensity && s.amplitude)
            w.PrintLine("theta", kTab, "S1(theta)", kTab, "S2(theta)", kTab, "[S1(theta) + S2(theta)]/2");
        if (s.graphSubCode == kSubPhaseFunction)
            w.PrintLine("theta", kTab, "S1 phase function", kTab, "S2 phase function", kTab,
                        "Unpolarised phase function");
        if (s.graphSubCode == kSubWatts)
            w.PrintLine("theta", kTab, "S1 Watts/sq. m.", kTab, "S2 Watts/sq. m.", kTab,
                        "Unpolarised Watts/sq. m.");
        const auto value = [&s](std::span<const double> curve, std::size_t N) {
            return s.graphSubCode == kSubIntensity ? curve[N] : curve[N] * s.variantFactor / s.variantDivisor;
        };
        for (std::int32_t n = first; n <= last; ++n) {
            const auto N = static_cast<std::size_t>(n);
            w.PrintLine((n - 1) * step, kTab, value(s.intensityPerp, N), kTab, value(s.intensityPara, N),
                        kTab, value(s.intensityUnpol, N));
        }
        return;
    }
    if (s.waveCount <= 7) {
        w.PrintLine("Angle", kTab, "Wavelength", kTab, "Perpendicular", kTab, "Parallel");
        for (std::int32_t n = first; n <= last; ++n) {
            const auto N = static_cast<std::size_t>(n);
            for (std::size_t k = 1; k <= static_cast<std::size_t>(s.waveCount); ++k)
                w.PrintLine((n - 1) * step, kTab, s.waveList[k], kTab, s.colourSumPerp[k][N], kTab,
                            s.colourSumPara[k][N]);
        }
        return;
    }
    if (s.pointSource) {
        w.PrintLine("Angle", kTab, "Red: Perpendicular", kTab, "Red: Parallel", kTab, "Green: Perpendicular",
                    kTab, "Green: Parallel", kTab, "Blue: Perpendicular", kTab, "Blue: Parallel", kTab,
                    "R+G+B: Perpendicular", kTab, "R+G+B: Parallel");
        for (std::int32_t n = first; n <= last; ++n) {
            const auto N = static_cast<std::size_t>(n);
            const auto& p = s.colourSumPerp;
            const auto& q = s.colourSumPara;
            w.PrintLine((n - 1) * step, kTab, p[1][N], kTab, q[1][N], kTab, p[2][N], kTab, q[2][N], kTab,
                        p[3][N], kTab, q[3][N], kTab, p[1][N] + p[2][N] + p[3][N], kTab,
                        q[1][N] + q[2][N] + q[3][N]);
        }
        return;
    }
    w.PrintLine("Angle", kTab, "R+G+B: Perpendicular", kTab, "R+G+B: Parallel", kTab, "R+G+B: Unpolarised");
    for (std::int32_t n = first; n <= last; ++n) {
        const auto N = static_cast<std::size_t>(n);
        w.PrintLine((n - 1) * step, kTab, s.intensityPerp[N], kTab, s.intensityPara[N], kTab,
                    s.intensityUnpol[N]);
    }
}

// Rows of graph codes 10 to 19 against the swept quantity.
void SweepColumns(const TextExportSnapshot& s, TextFileWriter& w) {
    const int code = s.graphCode, sub = s.graphSubCode;
    w.PrintLine("Scattering angle = ", s.angleText);
    std::string name = "Wavelength";
    if ((code == kGraphRadius && sub == kSubRadius) ||
        (code == kGraphEfficiency && (sub == kSubQRadius || sub == kSubCRadius)))
        name = "Radius";
    if ((code == kGraphRadius && sub == kSubSize) ||
        (code == kGraphEfficiency && (sub == kSubQSize || sub == kSubCSize)))
        name = "Size parameter x";
    if (code == kGraphIndex) name = "Refractive index";
    const bool index = code == kGraphWavelength || code == kGraphEfficiencyWavelength;
    if (code == kGraphWavelength)
        w.PrintLine(name, kTab, "Ref Index (real)", kTab, "Ref Index (imaginary)", kTab, "Perpendicular",
                    kTab, "Parallel", kTab, "Unpolarised");
    if (code == kGraphRadius || code == kGraphIndex)
        w.PrintLine(name, kTab, "Perpendicular", kTab, "Parallel", kTab, "Unpolarised");
    if (code == kGraphEfficiency && (sub == kSubQRadius || sub == kSubQSize))
        w.PrintLine(name, kTab, "Qext", kTab, "Qsca", kTab, "Qabs");
    if (code == kGraphEfficiency && !(sub == kSubQRadius || sub == kSubQSize))
        w.PrintLine(name, kTab, "Cext", kTab, "Csca", kTab, "Cabs");
    if (code == kGraphEfficiencyWavelength)
        w.PrintLine(name, kTab, "Ref Index (real)", kTab, "Ref Index (imaginary)", kTab,
                    sub == kSubQWavelength ? "Qext" : "Cext", kTab, sub == kSubQWavelength ? "Qsca" : "Csca",
                    kTab, sub == kSubQWavelength ? "Qabs" : "Cabs");

    const double xmin = Val(s.xMinText), step = Val(s.stepText);
    const std::int32_t first = s.firstPoint, last = s.lastPoint;
    const std::int32_t rangeLast = std::max(s.rangeLastPoint, last);
    const auto xAt = [&](std::int32_t n) {
        return s.xStepLog ? LogSweepValue(xmin, s.xMax, rangeLast - first, n - first)
                          : xmin + (n - first) * step;
    };
    for (std::int32_t n = first; n <= last; ++n) {
        const double x = xAt(n);
        const auto N = static_cast<std::size_t>(n);
        w.Print(x);  // the x the row was computed at, to 15 digits as the values beside it
        if (index) {
            const std::optional<std::pair<double, double>> m =
                s.relativeIndex ? s.relativeIndex(x / 1000) : std::nullopt;
            w.Print(kTab, m ? m->first : 0.0, kTab, m ? m->second : 0.0);
        }
        w.PrintLine(kTab, s.intensityPerp[N], kTab, s.intensityPara[N], kTab, s.intensityUnpol[N]);
    }
}

void AmplitudeBlock(const TextExportSnapshot& s, TextFileWriter& w) {
    w.EndLine();
    w.PrintLine(
        "Real and imaginary values of S1 (perpendicular polarisation) and S2 (parallel polarisation) ");
    w.EndLine();
    w.PrintLine("Angle", kTab, "S1 Real", kTab, "S1 Imaginary", kTab, "S1 Magnitude", kTab, "S1 Phase", kTab,
                "S2 Real", kTab, "S2 Imaginary", kTab, "S2 Magnitude", kTab, "S2 Phase");
    const double step = Val(s.stepText);
    for (std::int32_t n = s.firstPoint; n <= s.lastPoint; ++n) {
        const auto N = static_cast<std::size_t>(n);
        w.Print((n - 1) * step);
        for (const auto* amp : {&s.s1, &s.s2}) {
            const double re = (*amp)[0][N], im = (*amp)[1][N];
            w.Print(kTab, re, kTab, im, kTab, std::sqrt(re * re + im * im), kTab, PhaseDegrees(re, im));
        }
        w.EndLine();
    }
}

void RealBlock(TextFileWriter& w, const char* heading, std::span<const double> a, std::span<const double> b,
               int last) {
    w.PrintLine(heading);
    for (int n = 0; n <= last; ++n)
        w.PrintLine(static_cast<std::int32_t>(n), kZone, a[static_cast<std::size_t>(n)], kZone,
                    b[static_cast<std::size_t>(n)]);
}

void ComplexBlock(TextFileWriter& w, const char* heading, std::span<const Complex> a,
                  std::span<const Complex> b, int last) {
    w.EndLine();
    w.PrintLine(heading);
    for (int n = 0; n <= last; ++n) {
        const Complex& p = a[static_cast<std::size_t>(n)];
        const Complex& q = b[static_cast<std::size_t>(n)];
        w.PrintLine(static_cast<std::int32_t>(n), kZone, p.re, kZone, p.im, kZone, q.re, kZone, q.im);
    }
}

void TermDump(const DebyeTermsView& t, TextFileWriter& w) {
    const int last = TermDumpLastOrder(t);
    w.EndLine();
    w.PrintLine("x = ", kZone, t.sizeParam);
    w.EndLine();
    RealBlock(w, "jnx  & ynx", t.jnx, t.ynx, last);
    ComplexBlock(w, "zeta1x  & Dzeta1x", t.zeta1x, t.dzeta1x, last);
    ComplexBlock(w, "zeta2x  & Dzeta2x", t.zeta2x, t.dzeta2x, last);
    w.EndLine();
    w.PrintLine("xp1 = ", kZone, t.xp1, kZone, "xp2 = ", kZone, t.xp2);
    ComplexBlock(w, "jnnx  & ynnx", t.jnnx, t.ynnx, last);
    ComplexBlock(w, "zeta1nx  & Dzeta1nx", t.zeta1nx, t.dzeta1nx, last);
    ComplexBlock(w, "zeta2nx  & Dzeta2nx", t.zeta2nx, t.dzeta2nx, last);
    ComplexBlock(w, "r11e  & r22e", t.r11e, t.r22e, last);
    ComplexBlock(w, "r11m  & r22m", t.r11m, t.r22m, last);
    ComplexBlock(w, "t12e  & t21e", t.t12e, t.t21e, last);
    ComplexBlock(w, "t12m  & t21m", t.t12m, t.t21m, last);
    ComplexBlock(w, "an2  & bn2", t.an2, t.bn2, last);
}

}  // namespace

void WriteSweepColumns(const TextExportSnapshot& s, TextFileWriter& w) { SweepColumns(s, w); }

void WriteGraphHeader(const char* firstLine, HeaderForm form, const TextExportSnapshot& s,
                      TextFileWriter& w) {
    w.PrintLine(firstLine);
    w.EndLine();
    w.PrintLine("Date & Time: ", s.dateTime);
    w.EndLine();
    w.PrintLine("Calculation Method: ", kZone, s.methodLabel);
    w.EndLine();
    w.PrintLine("Sphere: ", kTab, s.indexTyped ? std::string("user value") : s.sphereName);
    w.PrintLine("Medium: ", kTab, s.mediumName);
    w.EndLine();
    bool distributionWritten = false;
    for (const HeaderLine line : GraphHeaderLines(form, s.graphCode, s.graphSubCode, s.waveCount)) {
        switch (line) {
            case HeaderLine::RefractiveIndex:
                RefractiveIndexLine(s, w);
                break;
            case HeaderLine::Wavelength:
                WavelengthLine(s, w);
                break;
            case HeaderLine::Spectrum:
                w.PrintLine(s.spectrumLabel);
                w.PrintLine("Spectrum: ", kTab, s.bandMinUm, "-", s.bandMaxUm, " um");
                w.PrintLine("Number of wavelengths: ", static_cast<std::int16_t>(s.waveCount));
                break;
            case HeaderLine::Radius:
            case HeaderLine::RadiusAndSizeParameter:
                RadiusLine(s, w, line == HeaderLine::RadiusAndSizeParameter);
                if (s.disperse) DistributionLine(s, w);
                distributionWritten = true;
                break;
            case HeaderLine::Blank:
                w.EndLine();
                break;
        }
    }
    if (s.disperse && !distributionWritten) {
        DistributionLine(s, w);
        w.EndLine();
    }
    w.PrintLine("Graph type: ", kTab, s.graphText);
    w.EndLine();
}

std::optional<std::pair<std::int32_t, std::int32_t>> ExportPointRange(const std::string& xMinText,
                                                                      const std::string& xMaxText,
                                                                      const std::string& stepText,
                                                                      bool logSteps) {
    const double step = Val(stepText), xmin = Val(xMinText);
    const Checked<std::int32_t> last = CLng(logSteps ? step + 1 : (Val(xMaxText) - xmin) / step + 1);
    if (!(step > 0) || !last.ok() || last.value < 1) return std::nullopt;
    if (logSteps && (!(xmin > 0) || last.value < 2)) return std::nullopt;
    return std::make_pair(std::int32_t{1}, last.value);
}

int TermDumpLastOrder(const DebyeTermsView& t) {
    std::size_t held = std::min(t.jnx.size(), t.ynx.size());
    for (const std::span<const Complex>* table :
         {&t.zeta1x,   &t.dzeta1x, &t.zeta2x,   &t.dzeta2x, &t.jnnx, &t.ynnx, &t.zeta1nx,
          &t.dzeta1nx, &t.zeta2nx, &t.dzeta2nx, &t.r11e,    &t.r22e, &t.r11m, &t.r22m,
          &t.t12e,     &t.t21e,    &t.t12m,     &t.t21m,    &t.an2,  &t.bn2})
        held = std::min(held, table->size());
    return static_cast<int>(std::min<std::size_t>(held, kLastDumpOrder + 1)) - 1;
}

void WriteTextExportHeader(const TextExportSnapshot& s, TextFileWriter& w) {
    WriteGraphHeader(kTextExportHeader, HeaderForm::TextExport, s, w);
}

std::optional<std::string> CheckTextExportResults(const TextExportSnapshot& s) {
    const std::int64_t first = s.firstPoint, last = s.lastPoint;
    const std::string notHeld = "The stored results do not hold the points " + CStr(first) + " to " +
                                CStr(last) + " that the export asks for. Run New plot before saving.";
    const int code = s.graphCode;
    if (code == kGraphAngle) {
        if (s.waveCount == 1) {
            if (!HoldsRange({s.intensityPerp, s.intensityPara, s.intensityUnpol}, first, last) ||
                (s.amplitudesHeld && !HoldsRange({s.s1[0], s.s1[1], s.s2[0], s.s2[1]}, first, last)))
                return notHeld;
        } else if (s.waveCount <= 7 || s.pointSource) {
            const int columns = s.waveCount <= 7 ? s.waveCount : 3;
            if (columns < 1 || (s.waveCount <= 7 && !Holds(s.waveList, columns))) return notHeld;
            for (int k = 1; k <= columns; ++k)
                if (!HoldsRange({s.colourSumPerp[static_cast<std::size_t>(k)],
                                 s.colourSumPara[static_cast<std::size_t>(k)]},
                                first, last))
                    return notHeld;
        } else if (!HoldsRange({s.intensityPerp, s.intensityPara, s.intensityUnpol}, first, last)) {
            return notHeld;
        }
    }
    if (code >= kFirstSweepGraph && code <= kLastSweepGraph &&
        !HoldsRange({s.intensityPerp, s.intensityPara, s.intensityUnpol}, first, last))
        return notHeld;
    return std::nullopt;
}

void WriteTextExportColumns(const TextExportSnapshot& s, TextFileWriter& w) {
    if (s.graphCode == kGraphAngle) AngleColumns(s, w);
    if (s.graphCode >= kFirstSweepGraph && s.graphCode <= kLastSweepGraph) SweepColumns(s, w);
    if (!s.stopLine.empty()) w.PrintLine(s.stopLine);
    if (s.graphCode == kGraphAngle && s.waveCount == 1 && s.amplitudesHeld) AmplitudeBlock(s, w);
    if (s.terms) TermDump(*s.terms, w);
}

}  // namespace tessary
