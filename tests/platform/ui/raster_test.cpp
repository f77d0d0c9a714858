// Lines pixel by pixel against their definition: minor offset floor((2 i |dv| + n) / (2 n)) at step i.
#include "platform/ui/raster.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <random>

namespace tessary::raster {
namespace {

TEST(RasterLine, EveryPixelAsDefinedWithClippingWidthsAndPatterns) {
    std::mt19937 random(16);
    std::uniform_int_distribution<std::int64_t> coordinate(-40, 104);  // the image is 64 x 64
    for (int k = 0; k < 3000; ++k) {
        const PixelPoint a{coordinate(random), coordinate(random)};
        const PixelPoint b = k % 10 == 0 ? a : PixelPoint{coordinate(random), coordinate(random)};
        const int width = 1 + k % 3, style = k % 3, start = k % 7;  // solid, dash (18/6), dot (3/3)
        QImage drawn(64, 64, QImage::Format_RGB32);
        drawn.fill(0xFFFFFFFFu);
        QImage expected = drawn.copy();
        line(drawn, a, b, width, style, Pen{0x102030u, kModeCopyPen}, start);
        const bool xMajor = std::llabs(b.x - a.x) >= std::llabs(b.y - a.y);
        const std::int64_t du = xMajor ? b.x - a.x : b.y - a.y, dv = xMajor ? b.y - a.y : b.x - a.x,
                           n = std::llabs(du);
        for (std::int64_t i = 0; i <= n; ++i) {
            if (style != 0 && (start + i) % (style == 1 ? 24 : 6) >= (style == 1 ? 18 : 3)) continue;
            const std::int64_t off = n == 0 ? 0 : (2 * i * std::llabs(dv) + n) / (2 * n);
            const std::int64_t u = (xMajor ? a.x : a.y) + (du < 0 ? -i : i),
                               v = (xMajor ? a.y : a.x) + (dv < 0 ? -off : off);
            for (std::int64_t w = v - (width - 1) / 2; w <= v + width / 2; ++w)
                if (QPoint p(int(xMajor ? u : w), int(xMajor ? w : u)); expected.rect().contains(p))
                    expected.setPixel(p, 0xFF102030u);
        }
        ASSERT_EQ(drawn, expected) << a.x << "," << a.y << " to " << b.x << "," << b.y << " width " << width;
    }
}

}  // namespace
}  // namespace tessary::raster
