// Rasterisation of lines, boxes, circles and points with exact, clip-safe integer arithmetic.
// Lines: the pixel of step i along the major axis is at minor offset round(i * dMinor / dMajor)
// (halves away from the start), computed directly so that a clipped line needs no walk from its start.
#include "platform/ui/raster.h"

#include <algorithm>
#include <cmath>

namespace tessary::raster {

namespace {

// The pen applied to the pixels x0..x1 of one row.
inline void applySpan(std::uint32_t* row, std::int64_t x0, std::int64_t x1, Pen pen) {
    switch (pen.mode) {
        case kModeInvert:
            for (std::int64_t x = x0; x <= x1; ++x) row[x] = 0xFF000000u | (~row[x] & 0xFFFFFFu);
            break;
        case kModeXorPen:
            for (std::int64_t x = x0; x <= x1; ++x) row[x] = 0xFF000000u | ((row[x] ^ pen.rgb) & 0xFFFFFFu);
            break;
        default:
            std::fill(row + x0, row + x1 + 1, 0xFF000000u | pen.rgb);
            break;
    }
}

// The pen applied to `count` pixels down a column from p, `stride` pixels apart.
inline void applyColumn(std::uint32_t* p, std::int64_t count, std::int64_t stride, Pen pen) {
    switch (pen.mode) {
        case kModeInvert:
            for (; count > 0; --count, p += stride) *p = 0xFF000000u | (~*p & 0xFFFFFFu);
            break;
        case kModeXorPen:
            for (; count > 0; --count, p += stride) *p = 0xFF000000u | ((*p ^ pen.rgb) & 0xFFFFFFu);
            break;
        default:
            for (const std::uint32_t value = 0xFF000000u | pen.rgb; count > 0; --count, p += stride)
                *p = value;
            break;
    }
}

inline void apply(QImage& image, int x, int y, Pen pen) {
    applySpan(reinterpret_cast<std::uint32_t*>(image.scanLine(y)), x, x, pen);
}

// Dash patterns in pixels, alternately on and off; an empty pattern is solid.
struct Pattern {
    int lengths[6];
    int count;
    int period;
};

constexpr Pattern kPatterns[] = {
    {{0}, 0, 0},                  // 0 solid
    {{18, 6}, 2, 24},             // 1 dash
    {{3, 3}, 2, 6},               // 2 dot
    {{9, 6, 3, 6}, 4, 24},        // 3 dash-dot
    {{9, 3, 3, 3, 3, 3}, 6, 24},  // 4 dash-dot-dot
};

bool patternOn(const Pattern& pattern, std::int64_t step) {
    if (pattern.count == 0) return true;
    std::int64_t pos = step % pattern.period;
    for (int k = 0; k < pattern.count; ++k) {
        if (pos < pattern.lengths[k]) return k % 2 == 0;
        pos -= pattern.lengths[k];
    }
    return false;
}

// Clips [lo, hi] of pixel indices to [0, size - 1]; false when nothing is left.
inline bool clipSpan(std::int64_t& lo, std::int64_t& hi, int size) {
    lo = std::max<std::int64_t>(lo, 0);
    hi = std::min<std::int64_t>(hi, size - 1);
    return lo <= hi;
}

QRect spanRect(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    return QRect(QPoint(static_cast<int>(x0), static_cast<int>(y0)),
                 QPoint(static_cast<int>(x1), static_cast<int>(y1)));
}

// Fills rows y0..y1, columns x0..x1 (already clipped), a row at a time.
void fillClipped(QImage& image, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, Pen pen) {
    // One detach for the whole box (each scanLine call of a writable image checks it again).
    uchar* const rows = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (std::int64_t y = y0; y <= y1; ++y)
        applySpan(reinterpret_cast<std::uint32_t*>(rows + y * stride), x0, x1, pen);
}

// Band of a width-w stroke around a coordinate: offsets -(w-1)/2 .. w/2.
inline std::int64_t bandLow(int width) { return -static_cast<std::int64_t>((width - 1) / 2); }
inline std::int64_t bandHigh(int width) { return static_cast<std::int64_t>(width / 2); }

}  // namespace

QRect line(QImage& image, PixelPoint a, PixelPoint b, int width, int drawStyle, Pen pen,
           std::int64_t patternStart) {
    if (image.isNull() || drawStyle == 5) return {};
    const Pattern& pattern = kPatterns[(drawStyle >= 1 && drawStyle <= 4) ? drawStyle : 0];
    width = std::max(width, 1);
    const std::int64_t dx = b.x - a.x;
    const std::int64_t dy = b.y - a.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    // Major axis u, minor axis v.
    const std::int64_t u0 = xMajor ? a.x : a.y;
    const std::int64_t v0 = xMajor ? a.y : a.x;
    const std::int64_t du = xMajor ? dx : dy;
    const std::int64_t dv = xMajor ? dy : dx;
    const std::int64_t n = std::llabs(du);
    const std::int64_t su = du < 0 ? -1 : 1;
    const std::int64_t sv = dv < 0 ? -1 : 1;
    const std::int64_t adv = std::llabs(dv);
    const int uSize = xMajor ? image.width() : image.height();
    const int vSize = xMajor ? image.height() : image.width();
    // Steps i in [0, n] whose major coordinate u0 + su*i lies inside the buffer.
    std::int64_t iLo = 0;
    std::int64_t iHi = n;
    if (su > 0) {
        iLo = std::max(iLo, -u0);
        iHi = std::min(iHi, static_cast<std::int64_t>(uSize - 1) - u0);
    } else {
        iLo = std::max(iLo, u0 - (uSize - 1));
        iHi = std::min(iHi, u0);
    }
    if (iLo > iHi) return {};
    // The minor offset of step i, floor((2 i adv + n) / (2 n)), carried from step to step as a quotient
    // and remainder (the numerator is never negative): no division per pixel.
    const std::int64_t den = n > 0 ? 2 * n : 1;  // a single point (n = 0) stays at v0
    std::int64_t q = 0, r = 0, dq = 0, dr = 0;
    if (n > 0) {
        const std::int64_t first = 2 * iLo * adv + n;
        q = first / den;
        r = first % den;
        dq = 2 * adv / den;
        dr = 2 * adv % den;
    }
    const bool solid = pattern.count == 0;
    auto* const bits = reinterpret_cast<std::uint32_t*>(image.bits());
    const std::int64_t stride = image.bytesPerLine() / 4;
    std::int64_t minX = image.width(), minY = image.height(), maxX = -1, maxY = -1;
    for (std::int64_t i = iLo; i <= iHi; ++i, q += dq, r += dr) {
        if (r >= den) {
            r -= den;
            ++q;
        }
        if (!solid && !patternOn(pattern, patternStart + i)) continue;
        const std::int64_t u = u0 + su * i;
        const std::int64_t v = v0 + sv * q;
        std::int64_t vLo = v + bandLow(width);
        std::int64_t vHi = v + bandHigh(width);
        if (!clipSpan(vLo, vHi, vSize)) continue;
        if (xMajor) {  // a column of pixels at x = u
            applyColumn(bits + vLo * stride + u, vHi - vLo + 1, stride, pen);
            minX = std::min(minX, u), maxX = std::max(maxX, u);
            minY = std::min(minY, vLo), maxY = std::max(maxY, vHi);
        } else {  // a row of pixels at y = u
            applySpan(bits + u * stride, vLo, vHi, pen);
            minX = std::min(minX, vLo), maxX = std::max(maxX, vHi);
            minY = std::min(minY, u), maxY = std::max(maxY, u);
        }
    }
    return maxX < 0 ? QRect() : spanRect(minX, minY, maxX, maxY);
}

QRect fillRect(QImage& image, PixelPoint a, PixelPoint b, Pen pen) {
    if (image.isNull()) return {};
    std::int64_t x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    std::int64_t y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    if (!clipSpan(x0, x1, image.width()) || !clipSpan(y0, y1, image.height())) return {};
    fillClipped(image, x0, y0, x1, y1, pen);
    return spanRect(x0, y0, x1, y1);
}

QRect rectOutline(QImage& image, PixelPoint a, PixelPoint b, int width, Pen pen) {
    if (image.isNull()) return {};
    width = std::max(width, 1);
    const std::int64_t lo = bandLow(width), hi = bandHigh(width);
    const std::int64_t left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const std::int64_t top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    // The outer rectangle less the inner one: every border pixel once.
    const std::int64_t ox0 = left + lo, ox1 = right + hi, oy0 = top + lo, oy1 = bottom + hi;
    const std::int64_t ix0 = left + hi + 1, ix1 = right + lo - 1, iy0 = top + hi + 1, iy1 = bottom + lo - 1;
    std::int64_t cx0 = ox0, cx1 = ox1, cy0 = oy0, cy1 = oy1;
    if (!clipSpan(cx0, cx1, image.width()) || !clipSpan(cy0, cy1, image.height())) return {};
    for (std::int64_t y = cy0; y <= cy1; ++y) {
        const bool innerRow = y >= iy0 && y <= iy1 && ix0 <= ix1;
        if (!innerRow) {
            fillClipped(image, cx0, y, cx1, y, pen);
            continue;
        }
        std::int64_t l0 = cx0, l1 = std::min(cx1, ix0 - 1);
        if (l0 <= l1) fillClipped(image, l0, y, l1, y, pen);
        std::int64_t r0 = std::max(cx0, ix1 + 1), r1 = cx1;
        if (r0 <= r1) fillClipped(image, r0, y, r1, y, pen);
    }
    return spanRect(cx0, cy0, cx1, cy1);
}

QRect rectInterior(QImage& image, PixelPoint a, PixelPoint b, int width, Pen pen) {
    width = std::max(width, 1);
    const std::int64_t left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const std::int64_t top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    const PixelPoint p{left + bandHigh(width) + 1, top + bandHigh(width) + 1};
    const PixelPoint q{right + bandLow(width) - 1, bottom + bandLow(width) - 1};
    if (p.x > q.x || p.y > q.y) return {};
    return fillRect(image, p, q, pen);
}

QRect ring(QImage& image, PixelPoint centre, double inner, double outer, Pen pen) {
    if (image.isNull() || !(outer > 0.0)) return {};
    const double outer2 = outer * outer;
    const double inner2 = inner > 0.0 ? inner * inner : -1.0;
    const auto reach = static_cast<std::int64_t>(std::ceil(outer));
    std::int64_t yLo = centre.y - reach, yHi = centre.y + reach;
    if (!clipSpan(yLo, yHi, image.height())) return {};
    std::int64_t minX = image.width(), maxX = -1, minY = image.height(), maxY = -1;
    for (std::int64_t y = yLo; y <= yHi; ++y) {
        const std::int64_t dy = y - centre.y;
        const double rest = outer2 - static_cast<double>(dy * dy);
        if (rest <= 0.0) continue;
        // Largest xo with xo^2 < rest, smallest xi with xi^2 >= inner2 - dy^2.
        auto xo = static_cast<std::int64_t>(std::ceil(std::sqrt(rest))) - 1;
        while (xo >= 0 && static_cast<double>(xo * xo) >= rest) --xo;
        while (static_cast<double>((xo + 1) * (xo + 1)) < rest) ++xo;
        if (xo < 0) continue;
        const double need = inner2 - static_cast<double>(dy * dy);
        std::int64_t xi = 0;
        if (need > 0.0) {
            xi = static_cast<std::int64_t>(std::ceil(std::sqrt(need)));
            while (xi > 0 && static_cast<double>((xi - 1) * (xi - 1)) >= need) --xi;
            while (static_cast<double>(xi * xi) < need) ++xi;
        }
        if (xi > xo) continue;
        const auto span = [&](std::int64_t x0, std::int64_t x1) {
            if (!clipSpan(x0, x1, image.width())) return;
            fillClipped(image, x0, y, x1, y, pen);
            minX = std::min(minX, x0);
            maxX = std::max(maxX, x1);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        };
        if (xi == 0) {
            span(centre.x - xo, centre.x + xo);
        } else {
            span(centre.x - xo, centre.x - xi);
            span(centre.x + xi, centre.x + xo);
        }
    }
    return maxX < 0 ? QRect() : spanRect(minX, minY, maxX, maxY);
}

QRect point(QImage& image, PixelPoint p, int width, Pen pen) {
    width = std::max(width, 1);
    return fillRect(image, {p.x + bandLow(width), p.y + bandLow(width)},
                    {p.x + bandHigh(width), p.y + bandHigh(width)}, pen);
}

}  // namespace tessary::raster
