// The illumination dialogs of the spectrum menu: black-body temperature, the wavelength band and
// the choice between a new spectrum file and the one read before. One instance each (FormRef),
// shown modally, closed by hiding; their fields are the stored parameters the wavelength set reads.
// Their buttons write the choice to the main window's menu items and status captions.
#pragma once

#include "platform/ui/ui.h"

namespace tessary {

class Form1;

// "Black body radiation".
class dlogBlackBody : public Form {
  public:
    explicit dlogBlackBody(Form1& owner);

    // Accepts a temperature above 0 K: closes and names it in mnuBlackBody ("Black body 5500K") and
    // lblSpectrum ("Spectrum: Black body 5500K"). Anything else stays open with the box red and the
    // input-error message.
    void OKButton_Click();

  private:
    Form1& m_owner;

  public:
    Label Label1{*this, "Black body temperature K"};
    TextBox txtBlackBody{*this, "6000"};
    CommandButton OKButton{*this, "OK"};
};

// "Spectrum limits": the band in nm.
class dlogSpectrumBand : public Form {
  public:
    explicit dlogSpectrumBand(Form1& owner);

    // Closes and names the band ("400 - 650 nm band") in mnuSpectrumBand and lblSpectrumBand; the
    // limits are checked by the run's input checks, which paint a rejected box red; OK paints both
    // white again. A limit beyond the Double range is refused here: box red, input-error message,
    // the dialog stays open.
    void OKButton_Click();
    void CancelButton_Click();

  private:
    Form1& m_owner;

  public:
    Label Label1{*this, "Lower limit (nm)"};
    TextBox txtSpectrumMin{*this, "380"};
    Label Label2{*this, "Upper limit (nm)"};
    TextBox txtSpectrumMax{*this, "700"};
    CommandButton OKButton{*this, "OK"};
    CommandButton CancelButton{*this, "Cancel"};
};

// "Spectrum data": read a new spectrum file or use the one read before.
class dlogSpectrumFile : public Form {
  public:
    explicit dlogSpectrumFile(Form1& owner);

    // "New file": closes and reads a spectrum file; "Existing data": closes and keeps the one read.
    void OKButton_Click();
    void CancelButton_Click();

  private:
    Form1& m_owner;

  public:
    Label Label1{*this,
                 "Do you want to read data from a new file or use the data from the file used earlier?"};
    CommandButton OKButton{*this, "New file"};
    CommandButton CancelButton{*this, "Existing data"};
};

}  // namespace tessary
