// The plain colours the window code paints boxes, captions, lines and the simulation with.
#pragma once

#include "platform/ui/colour.h"

namespace tessary {

inline constexpr OleColor kBlack = rgb(0, 0, 0);        // frames, ticks, axis lines and text
inline constexpr OleColor kWhite = rgb(255, 255, 255);  // an input box whose value is accepted
inline constexpr OleColor kRed = rgb(255, 0, 0);        // an input box whose value is refused
inline constexpr OleColor kYellow = rgb(255, 255, 0);   // an input box changed since the last run
inline constexpr OleColor kGreen = rgb(0, 255, 0);      // the simulation window asks to be set up again
inline constexpr OleColor kCyan = rgb(0, 255, 255);     // the simulation's first reference mark

}  // namespace tessary
