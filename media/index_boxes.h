// The index boxes and the colour label of the one wavelength against the wavelength box and the index
// models: what a run at one wavelength computes with and names. An index typed into the boxes since the last
// change of wavelength or model stays (RunFlags::indexTyped); otherwise the boxes show the models' index at
// the wavelength, whatever was refused or hidden when the wavelength or model was chosen.
#pragma once

namespace tessary {

class Form1;

// The colour label (and the one-wavelength colour of the graphs) of the wavelength box's wavelength and,
// unless an index was typed, the models' index in the boxes, as the wavelength box's handler shows them;
// no message. Where the models give no index the boxes keep their number, marked refused (the input checks
// then refuse a run with the models' message). Runs call it before their input checks.
void ShowModelsIndex(Form1& f);

}  // namespace tessary
