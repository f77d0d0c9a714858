// Pixel rasterisation of the drawing primitives into a 32-bit back buffer: lines with draw styles and
// widths, box outlines and fills, circles and discs, single points. Every primitive visits each of its
// pixels once, so drawing it twice in invert mode restores the buffer exactly. Coordinates are pixel
// coordinates already saturated to +-kPixelLimit; everything is clipped to the buffer.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>

namespace tessary::raster {

// Pixel coordinates beyond this magnitude are saturated before they reach the rasteriser.
inline constexpr std::int64_t kPixelLimit = std::int64_t{1} << 26;

struct PixelPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// Draw modes of the window runtime that change pixels differently from copying the pen.
inline constexpr int kModeInvert = 6;  // NOT destination
inline constexpr int kModeXorPen = 7;  // destination XOR pen
inline constexpr int kModeCopyPen = 13;

struct Pen {
    std::uint32_t rgb = 0;  // 0xRRGGBB
    int mode = kModeCopyPen;
};

// Draw styles: 0 solid, 1 dash (18 on, 6 off), 2 dot (3 on, 3 off), 3 dash-dot, 4 dash-dot-dot,
// 5 transparent (nothing), 6 inside solid (solid). The pattern runs along the line's major axis from
// its first point and is kept at every width; patternStart is the pattern position at a (a polyline
// passes each segment the position its previous segment ended at, so the pattern runs on).
// The segment from a to b, both end points included; width w spreads across the minor axis.
QRect line(QImage& image, PixelPoint a, PixelPoint b, int width, int drawStyle, Pen pen,
           std::int64_t patternStart = 0);

// All pixels of the rectangle spanned by a and b, both corners included.
QRect fillRect(QImage& image, PixelPoint a, PixelPoint b, Pen pen);

// The border of that rectangle, width pixels wide, centred on its edges; interior left alone.
QRect rectOutline(QImage& image, PixelPoint a, PixelPoint b, int width, Pen pen);

// The interior of the rectangle inside its border of the given width (what a fill style fills).
QRect rectInterior(QImage& image, PixelPoint a, PixelPoint b, int width, Pen pen);

// Pixels whose centre lies at a distance d from the centre with inner <= d < outer
// (inner <= 0: the full disc d < outer).
QRect ring(QImage& image, PixelPoint centre, double inner, double outer, Pen pen);

// The width x width square of pixels at p (one pixel for width 1).
QRect point(QImage& image, PixelPoint p, int width, Pen pen);

}  // namespace tessary::raster
