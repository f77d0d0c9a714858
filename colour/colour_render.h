// The arithmetic of the colours of scattered light over several wavelengths: the smoothing over the
// sun's disc, the colour sums a run adds per wavelength, the run maxima that normalise the colours,
// the levels of the colour bands, the geometry of the colour strip and of the Lee-diagram columns,
// the four-point interpolation of the smooth bands, the false-colour scale and the simulation colour
// table. Colour sums are tables [column 0..7][angle point]; column 0 the totals, columns 1..n the
// single wavelengths (up to 7) or 1..3 the red, green and blue sums (more than 7).
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

namespace tessary {

using ColourSumTable = std::array<std::vector<double>, 8>;

// Up to this many wavelengths each keeps a column of its own ("few"); more keep red, green and blue.
inline constexpr int kMaxComponentWaves = 7;

// Weights of the sun's disc: w(1)..w(steps) at weights[1..steps], their divisor, and the last angle
// point (180 degrees), about which the offsets are reflected as about point 1 at 0 degrees.
struct SunDisc {
    bool on = false;
    std::span<const double> weights;
    int steps = 0;
    double weightSum = 1.0;
    std::int32_t lastPoint = 1;
};

// The reflected neighbours of point p at offset j (within 1..last even on a grid narrower than the disc).
inline std::int32_t ForwardNeighbour(std::int32_t p, int j, std::int32_t last) {
    std::int32_t f = p + j;
    if (f > last) f = 2 * last - f;
    return f < 1 ? 1 : f;
}
inline std::int32_t BackwardNeighbour(std::int32_t p, int j, std::int32_t last) {
    std::int32_t g = p - j;
    if (g < 1) g = 2 - g;
    return g > last ? last : g;
}

// v(p) smoothed over the sun's disc: (v(p) + sum_j w(j) (v(p + j) + v(p - j))) / weightSum, with the
// offsets reflected at the ends of the angle range; v(p) itself without the disc. v is any callable
// taking an angle point; no allocation, no virtual call.
template <class Value>
double Smoothed(const SunDisc& disc, std::int32_t p, Value v) {
    double s = v(p);
    if (!disc.on) return s;
    const int n = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(disc.steps),
                                                         disc.weights.empty() ? 0 : disc.weights.size() - 1));
    for (int j = 1; j <= n; ++j)
        s += disc.weights[static_cast<std::size_t>(j)] *
             (v(ForwardNeighbour(p, j, disc.lastPoint)) + v(BackwardNeighbour(p, j, disc.lastPoint)));
    return s / disc.weightSum;
}

// ---------------------------------------------------------------------------------------------------
// Colour sums of a run

// How one wavelength (and one sample radius) enters the sums.
struct ColourSumTerm {
    bool few = true;                      // its own column, else the red, green and blue columns
    int column = 1;                       // its column when few
    bool distribution = false;            // added over sample radii, else one sphere
    bool special = false;                 // a distribution from a file: times the class weight, else over N
    double weight = 1.0;                  // spectral weight w_i
    double K = 1.0;                       // unit divisor of intensities
    double red = 0, green = 0, blue = 0;  // channel fractions of the wavelength
    double samples = 1.0;                 // N
    double classWeight = 1.0;             // h_k
};

// Adds (or, for one sphere with few wavelengths, sets) the sums of one wavelength at the points
// first..last from S1 = (re1, im1) and S2 = (re2, im2). Many wavelengths also keep |S1| and |S2| in
// ampPerp and ampPara. Products are formed left to right as the rules are written.
void AddColourSums(const ColourSumTerm& term, std::span<const double> re1, std::span<const double> im1,
                   std::span<const double> re2, std::span<const double> im2, std::int32_t first,
                   std::int32_t last, ColourSumTable& perp, ColourSumTable& para, std::span<double> ampPerp,
                   std::span<double> ampPara);

// Whether a run keeps a column per wavelength: "RGB", or 7 wavelengths or fewer.
inline bool FewWavelengths(bool rgb, int waveCount) { return rgb || waveCount <= kMaxComponentWaves; }

// The run maxima of the colours (raised only by strictly larger values) and the colour of the point.
struct ColourPeaks {
    double peakPerp = 0, peakPara = 0, peakCommon = 0, peakUnpol = 0;
    double colourPeak = 0;  // perpendicular channels, 2 to 7 wavelengths
    double runMax = 0;      // the summed intensity of either polarisation
    double normRed = 0, normGreen = 0, normBlue = 0;
};

// Channel fractions of the wavelengths, entries 1..waveCount.
struct WaveChannels {
    std::span<const double> red, green, blue;
};

// The perpendicular or parallel colour (R, G, B) of point p before any scaling, smoothed over the
// sun's disc: one wavelength the intensity of column 1 (three equal channels), 2 to 7 wavelengths
// sum_k column k x fraction(k), more the red, green and blue columns.
inline std::array<double, 3> PointColour(const ColourSumTable& sums, int waveCount,
                                         const WaveChannels& channels, const SunDisc& disc, std::int32_t p) {
    const auto cell = [&sums](std::size_t c, std::int32_t q) { return sums[c][static_cast<std::size_t>(q)]; };
    if (waveCount == 1) {
        const double I = Smoothed(disc, p, [&](std::int32_t q) { return cell(1, q); });
        return {I, I, I};
    }
    if (waveCount > kMaxComponentWaves) {
        std::array<double, 3> rgb{};
        for (std::size_t c = 0; c < 3; ++c)
            rgb[c] = Smoothed(disc, p, [&](std::int32_t q) { return cell(c + 1, q); });
        return rgb;
    }
    std::array<double, 3> rgb{};
    const std::span<const double> fraction[3] = {channels.red, channels.green, channels.blue};
    for (std::size_t c = 0; c < 3; ++c)
        rgb[c] = Smoothed(disc, p, [&](std::int32_t q) {
            double s = 0;
            for (int k = 1; k <= waveCount; ++k)
                s += cell(static_cast<std::size_t>(k), q) * fraction[c][static_cast<std::size_t>(k)];
            return s;
        });
    return rgb;
}

// Raises the run maxima by angle point p (the colour-sum walk once per point of the shown range).
void RaisePeaks(const ColourSumTable& perp, const ColourSumTable& para, int waveCount,
                const WaveChannels& channels, const SunDisc& disc, std::int32_t p, ColourPeaks& peaks);

// ---------------------------------------------------------------------------------------------------
// Colour bands

// b x 255 x value / norm as a Single; a norm of 0 or one that is not a finite number gives 0 (black),
// as does a result that is not finite.
inline float BandLevel(double brightness, double value, double norm) {
    if (!(std::isfinite(norm) && norm != 0)) return 0.0f;
    const double level = brightness * 255 * value / norm;
    if (!std::isfinite(level) || std::fabs(level) > 3.0e38) return 0.0f;
    return static_cast<float>(level);
}

// The x extent of the segment of shown point p on a strip from left to right (points first..last);
// x1 is the end of the previous segment. A range of one point is one segment across the width.
struct Segment {
    double x1 = 0, x2 = 0;
};
Segment StripSegment(std::int32_t p, std::int32_t first, std::int32_t last, double left, double right,
                     double previousEnd);

// Column k of a Lee diagram or map (steps 0..sweepSteps) in the first panel: half wide at both ends.
Segment LeeColumn(int k, double sweepSteps, double bowRatio, double left, double panelRight);

// Cubic (four-point Lagrange) interpolation through y0..y3 at f = -1, 0, 1, 2.
double FourPointCubic(double y0, double y1, double y2, double y3, double f);

// ---------------------------------------------------------------------------------------------------
// False colours

// The false colour of a scale value v (log10 of an intensity over the largest): x = 2.5 v, white at
// 0 through red, yellow, green, cyan, blue, magenta to black at x = -6; channels on 0..255 (green and
// blue above 255 for x > 0).
struct FalseColour {
    double x = 0, red = 0, green = 0, blue = 0;
};
FalseColour ColourScale(double v);

// ---------------------------------------------------------------------------------------------------
// Simulation colour table

// Rows of three bands (perpendicular, parallel, unpolarised) of red, green, blue: nine Singles a
// row, next to each other. Row r is the angle row0Angle + r x step degrees. The rows from
// firstWritten to lastWritten hold the colours of the angles the run computed (the others 0).
struct SimColourTable {
    double row0Angle = 0.0;
    double step = 0.0;
    std::int32_t rows = 0;  // rows 0..rows-1
    // The first and last rows holding computed colours; -1: every row counts.
    std::int32_t firstWritten = -1, lastWritten = -1;
    std::vector<float> cells;

    // Re-creates rows 0..lastRow, all zero and none written, for angles from row0Angle on.
    void reset(std::int32_t lastRow, double firstAngle, double angleStep);
    bool holds(std::int32_t r) const { return r >= 0 && r < rows; }
    float& at(int column, std::int32_t r) {
        return cells[static_cast<std::size_t>(r) * 9 + static_cast<std::size_t>(column)];
    }
    float at(int column, std::int32_t r) const {
        return cells[static_cast<std::size_t>(r) * 9 + static_cast<std::size_t>(column)];
    }
};

// The last row of a table over the angles xMin..xMax at step: the nearest whole number (halves to
// even) to (xMax - xMin + 0.5) / step; -1 when that is no usable number.
std::int32_t SimTableLastRow(double xMin, double xMax, double step);

}  // namespace tessary
