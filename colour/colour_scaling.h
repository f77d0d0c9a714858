// The last steps every colour of the scattered light passes through before it is drawn: bringing
// channels above full intensity back into range, the display transfer curve, and the packed colour
// number. A colour is three channels, red, green and blue, on a scale where 255 is full intensity;
// callers hold them as Single and the procedures write the results back into them.
#pragma once

#include <cstdint>

namespace tessary {

// How a colour brighter than full intensity is brought back into range.
enum class SaturationMode {
    Photo,      // each channel above 255 is cut to 255 (the channel ratios change)
    PeakWhite,  // the colour becomes white
    Freeze,     // all channels scaled so that the largest is 255 (the ratios are kept)
};

// How the display transfer curve is applied.
enum class GammaMode {
    Individual,  // to each channel on its own
    Group,       // to the largest channel; the others keep their ratio to it
};

// Brings a colour with at least one channel above 255 back into range by mode. A colour with no
// channel above 255 is left as it is.
void Saturation(SaturationMode mode, float& colour1, float& colour2, float& colour3);

// The ITU-R BT.709 transfer characteristic on the 0..255 scale, its breakpoint 0.018 expressed as
// 4.59: 4.5 c up to 4.59, 255 (1.099 (c/255)^0.45 - 0.099) above. f(0) = 0, f(255) = 255. The
// channel is a Single and is compared with 4.59 as a Single, so a channel of 4.59 is on the linear
// part.
double TransferCurve(float c);

// Applies the transfer curve by mode. Channels are 0 or more; a colour whose largest channel is not
// above 0 stays as it is (black).
void GammaCorrection(GammaMode mode, float& colour1, float& colour2, float& colour3);

// The drawing colour red + 256 green + 65536 blue of a colour. A channel below 0 (or not a number)
// is written back as 0; channels above 255 are kept but count as 255; each channel is rounded to the
// nearest whole number, halves to even.
std::uint32_t ColourNumber(float& red, float& green, float& blue);

// The level of one channel after the transfer curve as ColourNumber counts it: ColourNumber of the
// Single TransferCurve(c) gives, without its power on the curved part (a table made once holds where
// each level starts there, the level growing with c). CurvedColourNumber is the colour number of
// the three channels after GammaCorrection by channel (GammaMode::Individual).
std::uint32_t CurvedChannelLevel(float c);
std::uint32_t CurvedColourNumber(float red, float green, float blue);

}  // namespace tessary
