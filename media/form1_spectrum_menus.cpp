// The Spectrum menu: the spectrum of the illuminating light, chosen by the check mark of one item of
// the group, named in lblSpectrum; the band item opens the band dialog. The wavelength set of a run
// over several wavelengths reads the checked item and the dialogs' boxes when it is built, so none
// of these handlers marks the results out of date.
#include <string>

#include "mainwindow/form1.h"

namespace tessary {

// The spectrum is the checked item of the group Lee, Wernand, Flat, black body, file; its name in
// lblSpectrum. The band item opens the band dialog and keeps its check mark. None of them marks the results
// out of date: the choice takes effect at the next run.
void Form1::ClearMenuSpectrum() {
    mnuSpectrumLee.setChecked(false);
    mnuSpectrumFlat.setChecked(false);
    mnuBlackBody.setChecked(false);
    mnuSpectrumWernand.setChecked(false);
    mnuSpectrumFile.setChecked(false);
}

void Form1::mnuSpectrumLee_Click() {
    ClearMenuSpectrum();
    mnuSpectrumLee.setChecked(true);
    lblSpectrum.setCaption("Spectrum: Sun (Lee)");
}

void Form1::mnuSpectrumWernand_Click() {
    ClearMenuSpectrum();
    mnuSpectrumWernand.setChecked(true);
    lblSpectrum.setCaption("Spectrum: Sun (Wernand)");
}

void Form1::mnuSpectrumFlat_Click() {
    ClearMenuSpectrum();
    mnuSpectrumFlat.setChecked(true);
    lblSpectrum.setCaption("Spectrum: Flat");
}

// The dialog's OK names the temperature in the item and the status caption.
void Form1::mnuBlackBody_Click() {
    ClearMenuSpectrum();
    mnuBlackBody.setChecked(true);
    dlogBlackBody_->show(ShowMode::Modal);
}

// The item is checked only while a spectrum table is loaded: without one the file is read first, and
// a cancelled or refused file leaves the spectrum in use chosen and named. With a table loaded the
// spectrum-file dialog offers a new file or the existing data.
void Form1::mnuSpectrumFile_Click() {
    const bool loaded = light.spectrumFileLoaded == 1;
    if (!loaded) {
        ReadSpectrum();
        if (light.spectrumFileLoaded != 1) return;
    }
    ClearMenuSpectrum();
    mnuSpectrumFile.setChecked(true);
    lblSpectrum.setCaption(kSpectrumFileLabel);
    if (loaded) dlogSpectrumFile_->show(ShowMode::Modal);
}

void Form1::mnuSpectrumBand_Click() { dlogSpectrumBand_->show(ShowMode::Modal); }

}  // namespace tessary
