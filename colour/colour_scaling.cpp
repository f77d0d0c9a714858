// Saturation, display gamma and colour numbers of the rendered colours.
#include "colour/colour_scaling.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>

namespace tessary {

namespace {

constexpr double kFull = 255.0;

// One channel of a colour number: 0..255, rounded half to even (the default rounding mode).
std::uint32_t ChannelLevel(float c) {
    if (!(c > 0.0f)) return 0;
    if (c > 255.0f) return 255;
    return static_cast<std::uint32_t>(std::nearbyint(c));
}

// The channel level a channel of c has after the transfer curve, as ColourNumber counts it.
std::uint32_t CurvedLevel(float c) {
    float curved = static_cast<float>(TransferCurve(c));
    if (!(curved >= 0.0f)) curved = 0.0f;
    return ChannelLevel(curved);
}

// On the curved part, 4.59 < c <= 255, the level grows with c: start[L] is the least Single c there
// whose level is at least L (above 255 when no c reaches L). Positive Singles are ordered as their
// bit patterns, so each is found by bisection on the bits. fromEighth[i] is the level at c = i / 8,
// where a search for the level of c in [i / 8, (i + 1) / 8) starts: a step or two at most.
struct CurvedLevelStarts {
    static constexpr float kLow = 4.59f;
    static constexpr float kHigh = 255.0f;
    static constexpr int kPerUnit = 8;
    std::array<float, 257> start{};
    std::array<std::uint8_t, 255 * kPerUnit + 1> fromEighth{};

    CurvedLevelStarts() {
        const auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
        for (std::uint32_t L = 0; L < 256; ++L) {
            std::uint32_t lo = bits(kLow) + 1, hi = bits(kHigh) + 1;  // the answer lies in [lo, hi]
            while (lo < hi) {
                const std::uint32_t mid = lo + (hi - lo) / 2;
                if (CurvedLevel(std::bit_cast<float>(mid)) >= L)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            start[L] = std::bit_cast<float>(lo);
        }
        start[256] = std::numeric_limits<float>::infinity();  // no level beyond 255
        for (std::size_t i = 0; i < fromEighth.size(); ++i) {
            const float c = static_cast<float>(i) / kPerUnit;
            const auto above = std::upper_bound(start.begin(), start.end(), c) - start.begin();
            fromEighth[i] = static_cast<std::uint8_t>(std::max<std::ptrdiff_t>(above - 1, 0));
        }
    }
};

}  // namespace

std::uint32_t CurvedChannelLevel(float c) {
    if (!(c > CurvedLevelStarts::kLow && c <= CurvedLevelStarts::kHigh)) return CurvedLevel(c);
    static const CurvedLevelStarts starts;  // made once, never changed
    std::size_t L = starts.fromEighth[static_cast<std::size_t>(c * CurvedLevelStarts::kPerUnit)];
    while (starts.start[L + 1] <= c) ++L;
    return static_cast<std::uint32_t>(L);
}

std::uint32_t CurvedColourNumber(float red, float green, float blue) {
    return CurvedChannelLevel(red) + 256u * CurvedChannelLevel(green) + 65536u * CurvedChannelLevel(blue);
}

void Saturation(SaturationMode mode, float& colour1, float& colour2, float& colour3) {
    if (!(colour1 > kFull || colour2 > kFull || colour3 > kFull)) return;
    switch (mode) {
        case SaturationMode::Photo:
            if (colour1 > kFull) colour1 = 255.0f;
            if (colour2 > kFull) colour2 = 255.0f;
            if (colour3 > kFull) colour3 = 255.0f;
            break;
        case SaturationMode::PeakWhite:
            colour1 = colour2 = colour3 = 255.0f;
            break;
        case SaturationMode::Freeze: {
            float m = colour1;
            if (colour2 > m) m = colour2;
            if (colour3 > m) m = colour3;
            // m is above 255 here; an infinite channel leaves nothing to scale by.
            if (!std::isfinite(m)) {
                colour1 = colour2 = colour3 = 255.0f;
                break;
            }
            const double scale = kFull / static_cast<double>(m);
            colour1 = static_cast<float>(colour1 * scale);
            colour2 = static_cast<float>(colour2 * scale);
            colour3 = static_cast<float>(colour3 * scale);
            break;
        }
    }
}

double TransferCurve(float c) {
    if (c <= 4.59f) return 4.5 * c;
    return kFull * (1.099 * std::pow(static_cast<double>(c) / kFull, 0.45) - 0.099);
}

void GammaCorrection(GammaMode mode, float& colour1, float& colour2, float& colour3) {
    if (mode == GammaMode::Individual) {
        colour1 = static_cast<float>(TransferCurve(colour1));
        colour2 = static_cast<float>(TransferCurve(colour2));
        colour3 = static_cast<float>(TransferCurve(colour3));
        return;
    }
    float m = colour1;
    if (colour2 > m) m = colour2;
    if (colour3 > m) m = colour3;
    if (!(m > 0.0f) || !std::isfinite(m)) return;
    const double r = TransferCurve(m) / static_cast<double>(m);
    colour1 = static_cast<float>(colour1 * r);
    colour2 = static_cast<float>(colour2 * r);
    colour3 = static_cast<float>(colour3 * r);
}

std::uint32_t ColourNumber(float& red, float& green, float& blue) {
    if (!(red >= 0.0f)) red = 0.0f;
    if (!(green >= 0.0f)) green = 0.0f;
    if (!(blue >= 0.0f)) blue = 0.0f;
    return ChannelLevel(red) + 256u * ChannelLevel(green) + 65536u * ChannelLevel(blue);
}

}  // namespace tessary
