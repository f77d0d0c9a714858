// Input checks of the sweeps, size distributions and index-model bands, called by CheckInput in its
// order: each shows its message (OK button only), paints its input red and asks CheckInput to stop,
// or lets it go on.
#pragma once

namespace tessary {

class Form1;

enum class CheckNext { GoOn, Stop };

// Bands of the sphere's index model and of the spectrum, then of the medium's index file.
CheckNext BandChecks(Form1& f);
// Bands of the index models against a wavelength axis (nm).
CheckNext AxisBandChecks(Form1& f);
// The same bands over the rows of an angle map against the wavelength (nm).
CheckNext MapBandChecks(Form1& f);

}  // namespace tessary
