// The band rules of the input checks: the wavelengths a run computes against the bands in which its index
// models and its spectrum have values. One wavelength against the sphere's model and index file; the band of
// several wavelengths against the spectrum, the sphere's model and the water models (its dialog's boxes named,
// the dialog opened); the medium's index file; the three wavelengths of "RGB" against the files; every
// wavelength of a wavelength axis or of the rows of a wavelength map against the models and files. CheckInput
// applies them to the window's models, menus and boxes; the data file's reader to the models and values a
// file holds (with the window's index and spectrum files, which no data file stores), before anything
// changes. Pure: values in, the first refusal out.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "media/refrel.h"
#include "runs/input_rules.h"

namespace tessary {

// The spectrum whose band the rules know: Lee's and Wernand's sunlight, a spectrum file read and chosen.
enum class BandSpectrum { Other, SunLee, SunWernand, File };

struct BandInputs {
    IndexModels models;         // the sphere and medium chosen, and the index files' rows
    bool complexWater = false;  // the water dialog's complex index ticked
    std::string sphereName, mediumName;
    int waveCount = 1;    // one wavelength (lambda) or several (the band)
    bool rgb = false;     // the wavelength list's "RGB"
    double lambda = 0.0;  // um
    float bandMinUm = 0.0f, bandMaxUm = 0.0f;
    BandSpectrum spectrum = BandSpectrum::Other;
    std::vector<double> spectrumFileWave;  // the spectrum file's wavelengths in nm, from index 1
    int graphCode = 0, graphSubCode = 0;   // a wavelength axis: its range and step (nm)
    double xMin = 0.0, xMax = 0.0, step = 0.0;
    bool logSteps = false;
    double mapMin = 0.0, mapMax = 0.0;  // the rows of a wavelength map (nm)
    // A Lee diagram's radius sweep (um) and the wavelength list's text: "High", "Med." and "Low" give each row
    // the count of its own radius.
    std::string waveText;
    double leeRadius = 0.0, leeMax = 0.0, leeSteps = 0.0;
};

// The sphere's model at one wavelength or the spectrum's band of several, the medium's index file, and
// the wavelengths of "RGB" in the files.
std::optional<InputRefusal> BandRule(const BandInputs& in);
// The wavelength axis of the graphs against wavelength, to the last step the run computes.
std::optional<InputRefusal> AxisBandRule(const BandInputs& in);
// The rows of an angle map against the wavelength, from its minimum to its maximum.
std::optional<InputRefusal> MapBandRule(const BandInputs& in);

// The wavelengths (um) at which a run takes the index of its models itself, one by one: each step of a
// wavelength axis, each row of a wavelength map of mapSteps steps, each of several wavelengths (waveCount in
// the band, or "RGB"; the count of each row of a Lee diagram); none for a run that takes the index boxes' (one
// wavelength, the other sweeps and maps).
std::vector<double> ModelIndexWavelengths(const BandInputs& in, double mapSteps);

}  // namespace tessary
