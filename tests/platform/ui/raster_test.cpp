// Lines of the rasteriser against the plain definition, pixel by pixel: step i along the major axis
// lands at minor offset floor((2 i |dv| + n) / (2 n)) from the start, the pattern decides per step,
// the width spreads across the minor axis, and everything outside the buffer is clipped.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "platform/ui/raster.h"

namespace tessary::raster {
namespace {

constexpr int kSize = 64;

// The segment by its definition, into a fresh image (solid, dash and dot patterns, copy pen).
QImage ReferenceLine(PixelPoint a, PixelPoint b, int width, int style, std::int64_t start) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(0xFFFFFFFFu);
    const std::int64_t dx = b.x - a.x, dy = b.y - a.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t n = std::llabs(xMajor ? dx : dy), adv = std::llabs(xMajor ? dy : dx);
    const std::int64_t su = (xMajor ? dx : dy) < 0 ? -1 : 1, sv = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int period = style == 1 ? 24 : 6, on = style == 1 ? 18 : 3;
    for (std::int64_t i = 0; i <= n; ++i) {
        if (style != 0 && (start + i) % period >= on) continue;
        const std::int64_t u = (xMajor ? a.x : a.y) + su * i;
        const std::int64_t v = (xMajor ? a.y : a.x) + (n == 0 ? 0 : sv * ((2 * i * adv + n) / (2 * n)));
        for (std::int64_t w = v - (width - 1) / 2; w <= v + width / 2; ++w) {
            const std::int64_t x = xMajor ? u : w, y = xMajor ? w : u;
            if (x >= 0 && y >= 0 && x < kSize && y < kSize) image.setPixel(int(x), int(y), 0xFF102030u);
        }
    }
    return image;
}

TEST(RasterLine, EveryPixelAsDefinedWithClippingWidthsAndPatterns) {
    std::mt19937 random(16);
    std::uniform_int_distribution<std::int64_t> coordinate(-40, kSize + 40);
    for (int k = 0; k < 3000; ++k) {
        const PixelPoint a{coordinate(random), coordinate(random)};
        const PixelPoint b = k % 10 == 0 ? a : PixelPoint{coordinate(random), coordinate(random)};
        const int width = 1 + k % 3, style = k % 3;  // solid, dash, dot
        const std::int64_t start = k % 7;
        QImage image(kSize, kSize, QImage::Format_RGB32);
        image.fill(0xFFFFFFFFu);
        line(image, a, b, width, style, Pen{0x102030u, kModeCopyPen}, start);
        ASSERT_EQ(image, ReferenceLine(a, b, width, style, start))
            << a.x << "," << a.y << " to " << b.x << "," << b.y << " width " << width << " style " << style;
    }
}

}  // namespace
}  // namespace tessary::raster
