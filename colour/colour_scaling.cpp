// Saturation, display gamma and colour numbers of the rendered colours.
#include "colour/colour_scaling.h"

#include <cmath>

namespace tessary {

namespace {

constexpr double kFull = 255.0;

// One channel of a colour number: 0..255, rounded half to even (the default rounding mode).
std::uint32_t ChannelLevel(float c) {
    if (!(c > 0.0f)) return 0;
    if (c > 255.0f) return 255;
    return static_cast<std::uint32_t>(std::nearbyint(c));
}

}  // namespace

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
