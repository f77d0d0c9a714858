// Built-in spectra of sunlight that the main window keeps from start-up on, as Singles: the relative
// spectral power of the "Sun (Lee)" illumination at 0.38 + 0.005 j um (j = 0..64) and of the
// "Sun (Wernand)" illumination at 0.35 + 0.005 j um (j = 0..130). The water and metal index tables
// are the index engine's own (media/index_tables.h).
#pragma once

#include <array>

namespace tessary::builtin {

inline constexpr int kSunLeeCount = 65;
inline constexpr int kSunWernandCount = 131;

extern const std::array<float, kSunLeeCount> kSunLee;
extern const std::array<float, kSunWernandCount> kSunWernand;

}  // namespace tessary::builtin
