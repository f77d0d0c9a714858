// The illumination dialogs of the spectrum menu: black-body temperature, the wavelength band and
// the choice between a new spectrum file and the one read before. One instance each (FormRef),
// shown modally, closed by hiding; their fields are the stored parameters the wavelength set reads.
#pragma once

#include "platform/ui/ui.h"

namespace tessary {

// "Black body radiation".
class dlogBlackBody : public Form {
  public:
    dlogBlackBody();

    Label Label1{*this, "Black body temperature K"};
    TextBox txtBlackBody{*this, "6000"};
    CommandButton OKButton{*this, "OK"};
};

// "Spectrum limits": the band in nm.
class dlogSpectrumBand : public Form {
  public:
    dlogSpectrumBand();

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
    dlogSpectrumFile();

    Label Label1{*this,
                 "Do you want to read data from a new file or use the data from the file used earlier?"};
    CommandButton OKButton{*this, "New file"};
    CommandButton CancelButton{*this, "Existing data"};
};

}  // namespace tessary
