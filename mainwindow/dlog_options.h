// The main window's option dialogs: ray orders, averaging width, incident light and Gaussian beam.
// Each has one instance (FormRef), is shown modally and closed by hiding, so its fields keep their
// values and are the stored parameters the calculations read. Their buttons write to the main window.
#pragma once

#include <array>
#include <memory>

#include "platform/ui/ui.h"

namespace tessary {

class Form1;

// "Multiple ray paths": one check box per ray order p = 0..50 ("p = 0" .. "p = 50") and a diffraction
// term on top of them.
class dlogP : public Form {
  public:
    static constexpr int kMaxOrder = 50;

    explicit dlogP(Form1& owner);
    Form1& form1() { return m_owner; }

    // The check box of ray order p (0..50).
    CheckBox& chkp(int p) { return *m_chkp.at(static_cast<std::size_t>(p)); }

    // Ticks every box (Diffraction only while it is shown); clears every box.
    void cmdSelectAll_Click();
    void cmdSelectNone_Click();
    void OKButton_Click();
    // Closes; the boxes keep what the user left, and the ray-order list applies them.
    void CancelButton_Click();

  private:
    Form1& m_owner;
    std::array<std::unique_ptr<CheckBox>, kMaxOrder + 1> m_chkp;

  public:
    CheckBox chkDiffraction{*this, "Diffraction"};
    CommandButton cmdSelectAll{*this, "Select All"};
    CommandButton cmdSelectNone{*this, "Select None"};
    CommandButton OKButton{*this, "OK"};
    CommandButton CancelButton{*this, "Cancel"};
};

// "Average": the width of the averaging window of the curve drawing.
class dlogAverage : public Form {
  public:
    explicit dlogAverage(Form1& owner);
    Form1& form1() { return m_owner; }

    void txtAverage_Change();
    // Names the width in the menu item "Average" and the status label, then closes. The text is
    // taken as it stands; the curve drawing reads it.
    void OKButton_Click();

  private:
    Form1& m_owner;

  public:
    TextBox txtAverage{*this, "5"};
    CommandButton OKButton{*this, "OK"};
};

// "Calculation of Watts/sq m ": distance of the detector and incident power density.
class dlogIncident : public Form {
  public:
    explicit dlogIncident(Form1& owner);
    Form1& form1() { return m_owner; }

    // Checks the power density, then the distance (both must be above 0); when both are good the
    // main window's labels show them and the dialog closes, else the bad box is red and it stays.
    void OKButton_Click();
    // Back to 1 m and 1 W/m2, then OK.
    void CancelButton_Click();

  private:
    Form1& m_owner;

  public:
    Label lblDistance{*this, "Distance of measurement from scattering sphere (m)"};
    TextBox txtDistance{*this, "1"};
    Label lblIncidentPD{*this, "Incident intensity (Watts/sq m)"};
    TextBox txtIncidentPD{*this, "1"};
    CommandButton OKButton{*this, "OK"};
    CommandButton CancelButton{*this, "Cancel"};
};

// "Gaussian beam" (or "Top hat beam"): beam centre, half-width and the beam parameter phi, in um.
class dlogGaussianBeam : public Form {
  public:
    explicit dlogGaussianBeam(Form1& owner);
    Form1& form1() { return m_owner; }

    // Closes; the beam menus take the values.
    void OKButton_Click();

  private:
    Form1& m_owner;

  public:
    Label lblBeamXF{*this, "Beam centre  xf"};
    TextBox txtBeamXF{*this, "-40"};
    Label lblBeamYF{*this, "Beam centre  yf"};
    TextBox txtBeamYF{*this, "0"};
    Label lblBeamZF{*this, "Beam centre  zf"};
    TextBox txtBeamZF{*this, "0"};
    Label lblBeamWo{*this, "Beam half-width"};
    TextBox txtBeamWo{*this, "20"};
    TextBox txtPhi{*this, "0"};
    CommandButton OKButton{*this, "OK"};
};

}  // namespace tessary
