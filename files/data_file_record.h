// The run a data file holds, as the run record names it: one mapping for both directions, so that a file
// read back is the run that wrote it (its ranges, steps, labels and state), whatever the window that reads
// it showed before. No Qt and no window here.
#pragma once

#include <cstdint>
#include <optional>

#include "files/data_file.h"
#include "runs/run_record.h"

namespace tessary {

// Sets every field of the record that the file holds in its version, as the file holds it: the graph,
// method and ray orders, the distribution, the eight inputs, the spectrum, the models, the fixed angle,
// the step kind, amplitudes or intensities, the illumination and options, the stored point ranges and the
// state of the results (stopped when the file says so). The fields the file does not hold (the labels and
// title the window forms, the index models, the band in um, the size parameter) stay as the caller set them.
void RecordFromDataFile(const DataFile& file, RunRecord& record);

// The x maximum of the range the run of a file planned, which its boxes and record name: a stopped sweep's file
// holds the x of its last finished point, and its run planned the stop line's range with logarithmic steps, or
// with linear ones the points the stop line counts from the x minimum by the step. Else the file's x maximum.
std::string PlannedXMaxText(const DataFile& file, int graphCode);

// The index models of the run a file holds, over the window's (whose index files, which no data file
// stores, stay; so does a model the file names from such a file that the window has not read). Each
// parameter as the model's dialog reads the file's text. Files before the medium models (2.01) had a
// vacuum around the sphere, files before the complex options (2.05) real water indices.
IndexModels IndexModelsOf(const DataFile& file, IndexModels window);

// True when the sphere's (medium's) index file of the models is read and names the material a run names:
// the one the run read, as far as a data file, which stores no table, can tell.
bool SphereFileOfRun(const IndexModels& models, const std::string& sphereName);
bool MediumFileOfRun(const IndexModels& models, const std::string& mediumName);

// True when the run's stored values were formed with the Amplitude option where it changes them (the line
// "Values: Amplitude" of its data file): moduli |S1|, |S2| in place of the intensities of angle, wavelength,
// radius or index, a Lee diagram's colours divided by k in place of k squared.
bool HoldsAmplitudes(const RunRecord& record);

// The light-source line and Sun Rectangular a record gives a data file: a Lee diagram's or map's are those its
// stored row peaks were formed with; any other graph's, the light its results were last drawn with.
LightSource LightSourceOf(const RunRecord& record);
bool SunRectangularOf(const RunRecord& record);

// Whether Inv Wavelength (absolute units) divides the values the run stored by k squared: the intensities
// against the wavelength, the radius or the size parameter, and the colour sums of several wavelengths and
// of a Lee diagram. Elsewhere it changes nothing stored (an angle graph of one wavelength is scaled only
// when drawn in watts).
bool InvWavelengthScales(const RunRecord& record);

// The Inv Wavelength line a record gives a data file: the run's option where it scales the values stored
// and is other than the run's graph type and wavelength count choose it; else nothing.
std::optional<bool> InvWavelengthOf(const RunRecord& record);

// The surface-wave options of a record, as a data file holds them: the run's for a surface-wave run (the
// file's, or the defaults, for one read back). SurfaceWavesOf gives the line of a data file: nothing for
// another method or the defaults.
SurfaceWaveItems SurfaceWaveOptions(const RunRecord& record);
std::optional<SurfaceWaveItems> SurfaceWavesOf(const RunRecord& record);

// The inputs line a record gives a data file: the texts of the inputs its graph and method read from boxes
// that no other line holds (RunInputWords); none for a record read from a file without the line. SetRunInputs
// puts a file's into a record.
RunInputItems RunInputsOf(const RunRecord& record);
void SetRunInputs(const RunInputItems& items, RunRecord& record);

// The stop line of a stopped run's record, `done` points finished of those it planned: a sweep of
// logarithmic steps whose record holds the range it planned names its maximum and number of steps (one
// read from a file of the older line holds the range finished, and keeps that line); a run that its method
// or model refused names the refusal.
StoppedRun StoppedRunOf(const RunRecord& record, std::int32_t done);

// The illumination lines a record gives a data file: nothing for a plain plane wave.
std::optional<IlluminationItems> IlluminationOf(const RunRecord& record);

// The start of the first line after the results ("Illumination: ", "Options: ", "Surface waves: ") naming
// what no run of the file's method on its graph uses, as the method calls report it; nothing when every
// line fits (and for files before the method was stored, read with the window's method).
std::optional<std::string> LineNotOfTheMethod(const DataFile& file);

}  // namespace tessary
