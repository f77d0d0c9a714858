// The wavelength set of a run over the visible band: the display colour of one wavelength, the
// wavelengths at the centres of equal sub-bands, and the spectral weight of a wavelength under the
// built-in illuminations (tabulated sunlight, flat, black body). Wavelengths are in micrometres.
// Black-body radiance by Planck's law with the second radiation constant c2 = 14398.261 um K and the
// peak by Wien's displacement law at 2898 / T um; the two constants are the program's own, so the
// largest weight of a set can exceed 1 by about one part in a million.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tessary {

// Colour of a wavelength on the 0..255 scale per channel, unrounded. Red keeps growing below
// 440 nm (just under 319 at 380 nm); from 645 nm on the colour is pure red.
struct WaveColour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};
WaveColour WavelengthColour(double lambdaUm);

// The packed colour red + 256 green + 65536 blue: each channel rounded to the nearest whole number
// (halves to even) and held within 0..255; a channel that is not a number counts as 0.
std::uint32_t PackWaveColour(double red, double green, double blue);

// The wavelengths (um) of the "RGB" set: red, green, blue.
inline constexpr float kRgbWavelengthsUm[3] = {0.65f, 0.51f, 0.44f};

// Wavelength k (1..count) of a band cut into count equal sub-bands: the centre of sub-band k, as a
// Single, so that no wavelength reaches either limit.
float BandCentre(float bandMinUm, float bandMaxUm, int count, int k);

// Linear interpolation in a table at the fractional index x: t(i) + (t(i + 1) - t(i)) f with
// i = Int(x), f = x - i. nullopt outside the table (x below 0 or beyond the last element, or not a
// number): no weight is taken from an end for a wavelength the table does not reach.
std::optional<float> TableWeight(std::span<const float> table, double x);

// Relative solar spectra tabulated every 5 nm: the first from 380 to 700 nm (65 values), the second
// from 350 to 1000 nm (131 values). nullopt for a wavelength outside a table (the band checks before a
// run keep its wavelengths inside).
inline constexpr int kSunLeeValues = 65;
inline constexpr int kSunWernandValues = 131;
std::optional<float> SunLeeWeight(double lambdaUm, std::span<const float, kSunLeeValues> table);
std::optional<float> SunWernandWeight(double lambdaUm, std::span<const float, kSunWernandValues> table);

// Weight of a wavelength from a spectrum file's rows 1..count (element 0 unused; wave in nm), the
// values interpolated linearly between the first row and the last. The rows of a uniform file are
// placed at equal steps from the first wavelength to the last, x = (1000 lambda - wave(1)) (count - 1)
// / (wave(count) - wave(1)), the value taken between rows Int(x) + 1 and Int(x) + 2; those of a
// non-uniform file at the wavelengths they list, which increase (the reader refuses a file whose rows
// do not). A table of one row, or with equal first and last wavelengths, gives every wavelength the
// first value. nullopt for an empty table and for a wavelength outside the rows, whose ends are compared
// in Single (um), as the band checks compare them: a wavelength at an end as a Single takes its value.
std::optional<float> SpectrumFileWeight(double lambdaUm, std::span<const double> wave,
                                        std::span<const double> value, bool nonUniform);

// Planck radiance up to a constant factor, B = 1 / (lambda^5 (exp(c2 / (T lambda)) - 1)).
double BlackBodyRadiance(double lambdaUm, double temperatureK);
// Wien's displacement law: the peak wavelength 2898 / T in um.
double WienPeakUm(double temperatureK);
// B(lambda) / B(2898 / T) as a Single. nullopt for a temperature that is not above 0 or a result
// that is not a finite Single.
std::optional<float> BlackBodyWeight(double lambdaUm, double temperatureK);

}  // namespace tessary
