// The main window's option dialogs: their designs (positions in twips) and their buttons. The
// incident-light and beam dialogs validate their entries; the others take any text, which the run's
// input checks judge.
#include "mainwindow/dlog_options.h"

#include <array>
#include <optional>
#include <string>

#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "scattering/beam_shape.h"

namespace tessary {

dlogP::dlogP(Form1& owner) : Form("Multiple ray paths"), m_owner(owner) {
    // Five columns of check boxes, p = 0..50 down each column.
    constexpr int kRows = 11;
    for (int p = 0; p <= kMaxOrder; ++p) {
        auto& box = m_chkp[static_cast<std::size_t>(p)];
        box = std::make_unique<CheckBox>(*this, "p = " + std::to_string(p));
        box->move(240 + (p / kRows) * 1200, 240 + (p % kRows) * 300, 1100, 255);
    }
    chkDiffraction.move(240, 3660, 1500, 255);
    chkDiffraction.setVisible(false);
    cmdSelectAll.move(6480, 240, 1215, 375);
    cmdSelectNone.move(6480, 720, 1215, 375);
    OKButton.move(6480, 2760, 1215, 375);
    CancelButton.move(6480, 3240, 1215, 375);
    OKButton.setDefault(true);
    CancelButton.setCancel(true);
    setWidth(8040);
    setHeight(4560);

    cmdSelectAll.onClick = [this] { cmdSelectAll_Click(); };
    cmdSelectNone.onClick = [this] { cmdSelectNone_Click(); };
    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    onClose = [this] { CancelButton.click(); };
}

void dlogP::cmdSelectAll_Click() {
    if (chkDiffraction.visible()) chkDiffraction.setValue(1);
    for (int p = 0; p <= kMaxOrder; ++p) chkp(p).setValue(1);
}

void dlogP::cmdSelectNone_Click() {
    chkDiffraction.setValue(0);
    for (int p = 0; p <= kMaxOrder; ++p) chkp(p).setValue(0);
}

void dlogP::OKButton_Click() {
    hide();
    m_owner.RaysCheck();
}

void dlogP::CancelButton_Click() { hide(); }

dlogAverage::dlogAverage(Form1& owner) : Form("Average"), m_owner(owner) {
    txtAverage.move(360, 360, 1200, 285);
    OKButton.move(1800, 330, 975, 345);
    OKButton.setDefault(true);
    setWidth(3240);
    setHeight(1440);

    txtAverage.onChange = [this] { txtAverage_Change(); };
    OKButton.onClick = [this] { OKButton_Click(); };
    onClose = [this] { OKButton.click(); };
}

void dlogAverage::txtAverage_Change() { OKButton.setDefault(true); }

void dlogAverage::OKButton_Click() {
    m_owner.mnuAverage.setCaption("Average over " + txtAverage.text() + " units");
    m_owner.lblAverage.setCaption("Average ON");
    hide();
}

dlogIncident::dlogIncident(Form1& owner) : Form("Calculation of Watts/sq m "), m_owner(owner) {
    lblDistance.move(240, 240, 3000, 435);
    txtDistance.move(3360, 270, 1095, 285);
    lblIncidentPD.move(240, 840, 3000, 255);
    txtIncidentPD.move(3360, 810, 1095, 285);
    OKButton.move(1320, 1440, 1095, 345);
    CancelButton.move(2640, 1440, 1095, 345);
    OKButton.setDefault(true);
    CancelButton.setCancel(true);
    setWidth(4920);
    setHeight(2520);

    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    onClose = [this] { CancelButton.click(); };
}

void dlogIncident::OKButton_Click() {
    // Range code 100: each value must be above 0. The distance is checked only after a good power.
    constexpr int kAboveZero = 100;
    double power = 1;
    int powerError = kAboveZero;
    m_owner.getval(txtIncidentPD, power, powerError);
    if (powerError != 0) {
        txtIncidentPD.setBackColor(kRed);
        return;
    }
    double distance = 1;
    int distanceError = kAboveZero;
    m_owner.getval(txtDistance, distance, distanceError);
    if (distanceError != 0) {
        txtDistance.setBackColor(kRed);
        return;
    }
    m_owner.lblWatts.setCaption("Incident intensity = " + txtIncidentPD.text() + " Watts/sq m");
    m_owner.lblDistance.setCaption("Distance = " + txtDistance.text() + " m");
    hide();
}

void dlogIncident::CancelButton_Click() {
    txtDistance.setText("1");
    txtIncidentPD.setText("1");
    OKButton_Click();
}

dlogGaussianBeam::dlogGaussianBeam(Form1& owner) : Form("Gaussian beam"), m_owner(owner) {
    int top = 240;
    for (auto* row : {&lblBeamXF, &lblBeamYF, &lblBeamZF, &lblBeamWo}) {
        row->move(240, top + 30, 1500, 255);
        top += 420;
    }
    top = 240;
    for (auto* box : {&txtBeamXF, &txtBeamYF, &txtBeamZF, &txtBeamWo, &txtPhi}) {
        box->move(1800, top, 975, 285);
        top += 420;
    }
    OKButton.move(3120, 240, 975, 345);
    OKButton.setDefault(true);
    setWidth(4440);
    setHeight(2880);

    OKButton.onClick = [this] { OKButton_Click(); };
    onClose = [this] { OKButton.click(); };
}

// The beam's values go through the number entry ("2,5" is 2.5, "1-5" no number), then the beam's own
// rule (RefuseBeamEntry: Singles, a width above 0), which the data file's reader holds a beam to as well;
// the dialog stays open on a refused one, with its box red.
void dlogGaussianBeam::OKButton_Click() {
    TextBox* boxes[] = {&txtBeamXF, &txtBeamYF, &txtBeamZF, &txtBeamWo, &txtPhi};
    if (!m_owner.DialogNumbers({boxes[0], boxes[1], boxes[2], boxes[3], boxes[4]})) return;
    std::array<double, 5> typed{};
    for (std::size_t i = 0; i < typed.size(); ++i) typed[i] = ValOrInfinity(boxes[i]->text());
    if (const std::optional<BeamEntryRefusal> refusal = RefuseBeamEntry(typed)) {
        boxes[static_cast<std::size_t>(refusal->value)]->setBackColor(kRed);
        msgBox(refusal->message, mb::kOkOnly, std::string("Input error"));
        return;
    }
    hide();
}

}  // namespace tessary
