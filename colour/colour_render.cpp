// Colour sums, run maxima, band levels, strip geometry, interpolation, false colours and the
// simulation colour table of the colours of scattered light.
#include "colour/colour_render.h"

#include <algorithm>
#include <cmath>

namespace tessary {

namespace {

// Raises m to x when x is strictly larger.
void Raise(double& m, double x) {
    if (x > m) m = x;
}

double Modulus(double re, double im) { return std::sqrt(re * re + im * im); }

}  // namespace

void AddColourSums(const ColourSumTerm& t, std::span<const double> re1, std::span<const double> im1,
                   std::span<const double> re2, std::span<const double> im2, std::int32_t first,
                   std::int32_t last, ColourSumTable& perp, ColourSumTable& para, std::span<double> ampPerp,
                   std::span<double> ampPara) {
    // Never beyond any array the sums read or write.
    std::size_t n = std::min({re1.size(), im1.size(), re2.size(), im2.size()});
    for (const ColourSumTable* table : {&perp, &para})
        for (const std::vector<double>& column : *table) n = std::min(n, column.size());
    if (!t.few) n = std::min({n, ampPerp.size(), ampPara.size()});
    if (first < 0 || last < first || n == 0) return;
    const auto to = static_cast<std::size_t>(std::min<std::int64_t>(last, static_cast<std::int64_t>(n) - 1));
    const auto column = static_cast<std::size_t>(std::clamp(t.column, 1, kMaxComponentWaves));

    // The leading factors of each rule are the same at every point; the products still run left to
    // right as the rules are written.
    const double wK = t.weight / t.K;
    const double coef[3] = {t.red / t.K * t.weight, t.green / t.K * t.weight, t.blue / t.K * t.weight};
    const std::size_t from = static_cast<std::size_t>(first);
    if (t.few) {
        std::vector<double>& p = perp[column];
        std::vector<double>& q = para[column];
        for (std::size_t J = from; J <= to; ++J) {
            const double A1 = Modulus(re1[J], im1[J]);
            const double A2 = Modulus(re2[J], im2[J]);
            if (!t.distribution) {  // one sphere: the column is set
                p[J] = wK * A1 * A1;
                q[J] = wK * A2 * A2;
            } else if (t.special) {
                p[J] += wK * A1 * A1 * t.classWeight;
                q[J] += wK * A2 * A2 * t.classWeight;
            } else {
                p[J] += wK * A1 * A1 / t.samples;
                q[J] += wK * A2 * A2 / t.samples;
            }
        }
        return;
    }
    // Plain pointers: the columns are separate arrays, so the loop keeps them in registers.
    const double* r1 = re1.data();
    const double* i1 = im1.data();
    const double* r2 = re2.data();
    const double* i2 = im2.data();
    double* a1 = ampPerp.data();
    double* a2 = ampPara.data();
    double* p[3] = {perp[1].data(), perp[2].data(), perp[3].data()};
    double* q[3] = {para[1].data(), para[2].data(), para[3].data()};
    for (std::size_t J = from; J <= to; ++J) {
        const double A1 = Modulus(r1[J], i1[J]);
        const double A2 = Modulus(r2[J], i2[J]);
        a1[J] = A1;
        a2[J] = A2;
        for (std::size_t c = 0; c < 3; ++c) {
            double u = coef[c] * A1 * A1;
            double v = coef[c] * A2 * A2;
            if (t.distribution && t.special) {
                u = u * t.classWeight;
                v = v * t.classWeight;
            } else if (t.distribution) {
                u = u / t.samples;
                v = v / t.samples;
            }
            p[c][J] += u;
            q[c][J] += v;
        }
    }
}

void RaisePeaks(const ColourSumTable& perp, const ColourSumTable& para, int waveCount,
                const WaveChannels& channels, const SunDisc& disc, std::int32_t p, ColourPeaks& peaks) {
    const auto J = static_cast<std::size_t>(p);
    const int columns = waveCount == 1 ? 1 : (waveCount > kMaxComponentWaves ? 3 : waveCount);
    double totalPerp = 0, totalPara = 0;
    for (int k = 1; k <= columns; ++k) {
        totalPerp += perp[static_cast<std::size_t>(k)][J];
        totalPara += para[static_cast<std::size_t>(k)][J];
    }
    Raise(peaks.runMax, totalPerp);
    Raise(peaks.runMax, totalPara);

    if (waveCount == 1) {
        const double P = PointColour(perp, 1, channels, disc, p)[0];
        const double Q = PointColour(para, 1, channels, disc, p)[0];
        Raise(peaks.peakPerp, P);
        Raise(peaks.peakPara, Q);
        Raise(peaks.peakCommon, peaks.peakPerp);
        Raise(peaks.peakCommon, peaks.peakPara);
        Raise(peaks.peakUnpol, (P + Q) / 2);
        return;
    }
    const std::array<double, 3> a = PointColour(perp, waveCount, channels, disc, p);
    if (waveCount <= kMaxComponentWaves) {
        for (double c : a) Raise(peaks.colourPeak, c);
        if (peaks.colourPeak == 0) peaks.colourPeak = 1;
        peaks.normRed = 255 * a[0] / peaks.colourPeak;
        peaks.normGreen = 255 * a[1] / peaks.colourPeak;
        peaks.normBlue = 255 * a[2] / peaks.colourPeak;
    }
    for (double c : a) Raise(peaks.peakPerp, c);
    const std::array<double, 3> b = PointColour(para, waveCount, channels, disc, p);
    for (double c : b) Raise(peaks.peakPara, c);
    Raise(peaks.peakCommon, peaks.peakPerp);
    Raise(peaks.peakCommon, peaks.peakPara);
    for (std::size_t c = 0; c < 3; ++c) Raise(peaks.peakUnpol, (a[c] + b[c]) / 2);
}

Segment StripSegment(std::int32_t p, std::int32_t first, std::int32_t last, double left, double right,
                     double previousEnd) {
    if (last == first) return {left, right};  // one point shown: the whole width
    const double delta = (right - left) / (static_cast<double>(last) - first);
    if (p == first) return {left, left + 0.5 * delta};
    if (p == last) return {previousEnd, right};
    return {previousEnd, left + (static_cast<double>(p) - first + 0.5) * delta};
}

Segment LeeColumn(int k, double sweepSteps, double bowRatio, double left, double panelRight) {
    if (k == 0) return {left, left + bowRatio / 2};
    if (k == static_cast<int>(std::nearbyint(sweepSteps))) return {panelRight - bowRatio / 2, panelRight};
    const double x1 = (k - 0.5) * bowRatio + left;
    return {x1, x1 + bowRatio};
}

double FourPointCubic(double y0, double y1, double y2, double y3, double f) {
    return y0 * (-f * (f - 1) * (f - 2) / 6) + y1 * ((f * f - 1) * (f - 2) / 2) -
           y2 * (f * (f + 1) * (f - 2) / 2) + y3 * (f * (f * f - 1) / 6);
}

FalseColour ColourScale(double v) {
    constexpr double c = 255;
    const double x = 2.5 * v;
    FalseColour k{x, 0, 0, 0};
    if (x > -1) {  // white to red
        k.red = c;
        k.green = (x + 1) * c;
        k.blue = (x + 1) * c;
    } else if (x > -2) {  // red to yellow
        k.red = c;
        k.green = (-1 - x) * c;
    } else if (x > -3) {  // yellow to green
        k.red = (x + 3) * c;
        k.green = c;
    } else if (x > -3.5) {  // green to cyan: a ratio, c at -3.5
        k.green = c;
        k.blue = (-3 - x) * c / (x + 4);
    } else if (x > -4) {  // cyan to blue
        k.green = (x + 4) * c / (-3 - x);
        k.blue = c;
    } else if (x > -5) {  // blue to magenta
        k.red = (-4 - x) * c;
        k.blue = c;
    } else if (x > -6) {  // magenta to black
        k.red = (x + 6) * c;
        k.blue = (x + 6) * c;
    }
    return k;
}

void SimColourTable::reset(std::int32_t lastRow, double firstAngle, double angleStep) {
    rows = lastRow < 0 ? 0 : lastRow + 1;
    firstWritten = -1;
    lastWritten = -1;
    row0Angle = firstAngle;
    step = angleStep;
    cells.assign(static_cast<std::size_t>(rows) * 9, 0.0f);
}

std::int32_t SimTableLastRow(double xMin, double xMax, double step) {
    const double r = std::nearbyint((xMax - xMin + 0.5) / step);
    if (!std::isfinite(r) || r < 0 || r > 1.0e7) return -1;
    return static_cast<std::int32_t>(r);
}

}  // namespace tessary
