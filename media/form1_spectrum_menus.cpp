// The Spectrum menu: the spectrum of the illuminating light, chosen by the check mark of one item of
// the group, named in lblSpectrum; the band item opens the band dialog. The wavelength set of a run
// over several wavelengths reads the checked item and the dialogs' boxes when it is built, so none
// of these handlers marks the results out of date.
#include <string>

#include "mainwindow/form1.h"

namespace tessary {

namespace {

void NotReadableYet(const std::string& what) {
    msgBox("This version of Tessary cannot read " + what + " yet.", mb::kOkOnly | mb::kInformation,
           std::string("Tessary"));
}

}  // namespace

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

// Spectrum files cannot be read yet, so the item is not checked: the spectrum in use stays chosen
// and named.
void Form1::mnuSpectrumFile_Click() { ReadSpectrum(); }

void Form1::mnuSpectrumBand_Click() { dlogSpectrumBand_->show(ShowMode::Modal); }

void Form1::ReadSpectrum() { NotReadableYet("spectrum files"); }

}  // namespace tessary
