// Numeric colours of the window runtime: red + 256 green + 65536 blue, or a system colour
// (high bit set, low byte the system colour index, e.g. 0x8000000F the button face).
#pragma once

#include <QColor>
#include <cstdint>

namespace tessary {

// A colour as the window code stores it; it reads back exactly as written.
using OleColor = std::uint32_t;

inline constexpr OleColor kSystemColourFlag = 0x80000000u;
inline constexpr OleColor kButtonFace = 0x8000000Fu;  // system colour 15
inline constexpr OleColor kButtonText = 0x80000012u;  // system colour 18
inline constexpr OleColor kWindowBackground = 0x80000005u;
inline constexpr OleColor kWindowText = 0x80000008u;

// r + 256 g + 65536 b; each channel is taken modulo 256.
constexpr OleColor rgb(int r, int g, int b) {
    return static_cast<OleColor>(r & 0xFF) | (static_cast<OleColor>(g & 0xFF) << 8) |
           (static_cast<OleColor>(b & 0xFF) << 16);
}

constexpr bool isSystemColour(OleColor c) { return (c & kSystemColourFlag) != 0; }

// The colour on screen: system colours come from the application palette (button face from
// QPalette::Button and so on), plain colours from their three low bytes.
QColor toQColor(OleColor c);

// 0xRRGGBB of toQColor(c), the form a back buffer stores.
std::uint32_t toRgb32(OleColor c);

}  // namespace tessary
