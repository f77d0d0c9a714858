// Refractive index of one material at one vacuum wavelength (micrometres), one function per model:
// water by the IAPWS formulation [1] with the imaginary index of the built-in visible-band table,
// by four dispersion polynomials (Cowley, Kaye + Laby, Lynch + Livingston, Gedzelman) and by the
// tables of Segelstein and Ray; air by a dispersion formula with temperature; gold, silver and copper
// from a table; and tables read from index files. The table models interpolate linearly in Single
// precision between the rows that bracket the wavelength, which is itself rounded to a Single.
//   [1] IAPWS, Release on the refractive index of ordinary water substance as a function of
//       wavelength, temperature and pressure (1997).
//   [2] G. S. Kell, J. Chem. Eng. Data 20, 97-105 (1975): density of water, 0 to 150 C.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "numerics/complex.h"

namespace tessary {

// The parameters of the water models: temperature (C) and reduced density (g/cm3) as Singles,
// and whether the IAPWS models take the complex index.
struct WaterParams {
    float waterTemp = 5.0f;
    float waterDensity = 0.99996382125f;  // KellWaterDensity(5) to eleven decimals
    bool complex = false;
};

// Real index of water by [1]: B = rho A(rho, T, lambda) is the Lorentz-Lorenz value (n^2-1)/(n^2+2),
// so n = sqrt((2B + 1) / (1 - B)). The reduced temperature (t + 273.15) / 273.15 is rounded to a
// Single. The formula has poles near 0.135 and 3.2 um; nullopt where the square root has no real value
// (at 5 C: about 0.01-0.0256, 0.1307-0.1391 and 3.1335-3.2638 um) or the value is not finite.
std::optional<double> IapwsWaterRe(double lambda, const WaterParams& water);

// Imaginary index of water from riBuiltinTable, interpolated at p = (lambda - 0.38) 128 / 0.32; the end
// values hold beyond the table. insideTable is false where p < 0 or p > 128.
struct WaterIm {
    double k = 0.0;
    bool insideTable = false;
};
WaterIm BuiltinWaterIm(double lambda);

// Dispersion polynomials of water, fitted over 0.38-0.7 um. Cowley takes lambda in um; the other three
// take L = lambda * 1000 rounded to a Single (nm).
double CowleyWaterRe(double lambda);
double KayeLabyWaterRe(double lambda);
double LynchWaterRe(double lambda);
double GedzelmanWaterRe(double lambda);

// Real index of air at temperature t (C, a Single): 1 + (A(t) + (B(t) + C(t) s) s) 1e-7, s = 1/lambda^2.
double AirRe(double lambda, float airTemp);

// Tables: nullopt outside the table. Ray and Segelstein stop at the first row pair that brackets the
// wavelength; the metals take the last one (the same value where a row is hit exactly).
enum class Metal { Gold, Silver, Copper };
std::optional<Complex> MetalIndexAt(Metal metal, double lambda);
std::optional<Complex> RayWaterIndex(double lambda);
std::optional<Complex> SegelsteinWaterIndex(double lambda);

// One row of an index file: wavelength (um), n and k (k = 0 for a file of real indices).
struct IndexFileRow {
    float wavelength = 0.0f;
    float n = 0.0f;
    float k = 0.0f;
};
// Index from a file's rows (wavelengths increasing): the first row's values below its wavelength, the
// last row's above; between, the last row pair that brackets the wavelength (a pair with equal
// wavelengths gives its second row). nullopt for an empty table or an unsorted one that brackets nothing.
std::optional<Complex> FileIndex(std::span<const IndexFileRow> rows, double lambda);

// Density of water in g/cm3 at t (C) by [2], rational in t.
double KellWaterDensity(double t);
// The water dialog's range check of the temperature: nullopt for 0 <= t <= 100, else the message
// (title kWaterTempTitle).
inline constexpr std::string_view kWaterTempTitle = "Input error";
std::optional<std::string_view> CheckWaterTemperature(double t);
// The water dialog's range check of the density, the range of the IAPWS formula: nullopt for
// 0 < rho <= 1.06 g/cm3, else the message naming the box (title kWaterTempTitle too).
std::optional<std::string_view> CheckWaterDensity(double rho);

}  // namespace tessary
