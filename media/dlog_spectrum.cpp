// The illumination dialogs: designs (positions in twips) and buttons.
#include "media/dlog_spectrum.h"

#include <cmath>
#include <string>

#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

constexpr int kRangeAboveZero = 100;  // getval range code: the value must be above 0

}  // namespace

dlogBlackBody::dlogBlackBody(Form1& owner) : Form("Black body radiation"), m_owner(owner) {
    Label1.move(240, 270, 2160, 255);
    txtBlackBody.move(2400, 240, 975, 285);
    OKButton.move(3600, 240, 975, 345);
    OKButton.setDefault(true);
    setWidth(4920);
    setHeight(1080);

    OKButton.onClick = [this] { OKButton_Click(); };
    onClose = [this] { OKButton.click(); };
}

void dlogBlackBody::OKButton_Click() {
    double value = 0.0;
    int error = kRangeAboveZero;
    m_owner.getval(txtBlackBody, value, error);
    if (error != 0) return;  // getval has painted the box red and said so
    hide();
    const std::string s = "Black body " + CStr(value) + "K";
    m_owner.mnuBlackBody.setCaption(s);
    m_owner.lblSpectrum.setCaption("Spectrum: " + s);
}

dlogSpectrumBand::dlogSpectrumBand(Form1& owner) : Form("Spectrum limits"), m_owner(owner) {
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

    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    onClose = [this] { CancelButton.click(); };
}

void dlogSpectrumBand::OKButton_Click() {
    // A limit beyond the Double range names no band: its box turns red with the input-error message
    // and the dialog stays open. Other limits are judged by the run's input checks.
    bool overflow = false;
    for (TextBox* box : {&txtSpectrumMin, &txtSpectrumMax}) {
        if (std::isfinite(ValOrInfinity(box->text()))) continue;
        box->setBackColor(kRed);
        overflow = true;
    }
    if (overflow) {
        msgBox("    The red highlighted data entry is incorrect.    ", mb::kOkOnly,
               std::string("Input error"));
        return;
    }
    // The number entry: "450,5" is 450.5, "450-5" no number.
    if (!m_owner.DialogNumbers({&txtSpectrumMin, &txtSpectrumMax})) return;
    const double min = Val(txtSpectrumMin.text());
    const double max = Val(txtSpectrumMax.text());
    hide();
    const std::string s = CStr(min) + " - " + CStr(max) + " nm band";
    m_owner.mnuSpectrumBand.setCaption(s);
    m_owner.lblSpectrumBand.setCaption(s);
    txtSpectrumMin.setBackColor(kWhite);
    txtSpectrumMax.setBackColor(kWhite);
}

void dlogSpectrumBand::CancelButton_Click() { hide(); }

dlogSpectrumFile::dlogSpectrumFile(Form1& owner) : Form("Spectrum data"), m_owner(owner) {
    Label1.move(240, 240, 4560, 435);
    OKButton.move(1080, 900, 1335, 345);
    CancelButton.move(2640, 900, 1335, 345);
    setWidth(5040);
    setHeight(1560);

    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    onClose = [this] { CancelButton.click(); };
}

void dlogSpectrumFile::OKButton_Click() {
    hide();
    m_owner.ReadSpectrum();
}

void dlogSpectrumFile::CancelButton_Click() { hide(); }

}  // namespace tessary
