// Designs of the illumination dialogs (positions in twips). Their buttons close them.
#include "media/dlog_spectrum.h"

namespace tessary {

dlogBlackBody::dlogBlackBody() : Form("Black body radiation") {
    Label1.move(240, 270, 2160, 255);
    txtBlackBody.move(2400, 240, 975, 285);
    OKButton.move(3600, 240, 975, 345);
    OKButton.setDefault(true);
    setWidth(4920);
    setHeight(1080);

    OKButton.onClick = [this] { hide(); };
    onClose = [this] { OKButton.click(); };
}

dlogSpectrumBand::dlogSpectrumBand() : Form("Spectrum limits") {
    Label1.move(240, 270, 1500, 255);
    txtSpectrumMin.move(1800, 240, 975, 285);
    Label2.move(240, 750, 1500, 255);
    txtSpectrumMax.move(1800, 720, 975, 285);
    OKButton.move(3120, 240, 975, 345);
    CancelButton.move(3120, 720, 975, 345);
    OKButton.setDefault(true);
    CancelButton.setCancel(true);
    setWidth(4440);
    setHeight(1440);

    OKButton.onClick = [this] { hide(); };
    CancelButton.onClick = [this] { hide(); };
    onClose = [this] { CancelButton.click(); };
}

dlogSpectrumFile::dlogSpectrumFile() : Form("Spectrum data") {
    Label1.move(240, 240, 4560, 435);
    OKButton.move(1080, 900, 1335, 345);
    CancelButton.move(2640, 900, 1335, 345);
    setWidth(5040);
    setHeight(1560);

    OKButton.onClick = [this] { hide(); };
    CancelButton.onClick = [this] { hide(); };
    onClose = [this] { CancelButton.click(); };
}

}  // namespace tessary
