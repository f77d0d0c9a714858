// The refractive-index model dialogs of the sphere and medium menus: water temperature (IAPWS),
// air temperature, the two user-defined materials and the complex switches of the Segelstein and
// Ray water tables. One instance each (FormRef), shown modally, closed by hiding; their fields are
// the stored parameters the index engine reads. OK brings the main window's captions and index up to
// date; the menu that shows a dialog clears its okPressed (and cancelled) first and reads them after.
#pragma once

#include <array>
#include <string>

#include "platform/ui/ui.h"

namespace tessary {

class Form1;

// "Water properties": temperature, density and the complex switch of the IAPWS water models.
class dlogTemp : public Form {
  public:
    explicit dlogTemp(Form1& owner);

    Label Label1{*this, "Temperature (deg C)"};
    TextBox txtTemp{*this, "5"};
    Label Label2{*this, "Density (g/cm3)"};
    TextBox txtDensity{*this, "0.99996382125"};
    CheckBox chkRI_Complex{*this, "Complex values of refractive index?"};
    CommandButton OKButton{*this, "OK"};

    // A temperature from 0 to 100 C sets the density box (Kell); outside, the box turns red.
    void txtTemp_Change();
    // Refuses (the dialog stays) while the temperature is red or the density is no number in the IAPWS
    // formula's range; else captions and the index.
    void OKButton_Click();
    void chkRI_Complex_Click();
    // The menu item text of the water model: "IAPWS <t>C", with " Complex" when ticked.
    std::string ModelText() const;

    bool okPressed = false;

  private:
    Form1& m_owner;
};

// "Air": the air temperature of the air models.
class dlogAir : public Form {
  public:
    explicit dlogAir(Form1& owner);

    Label Label1{*this, "Temperature (C)"};
    TextBox txtAirTemp{*this, "5"};
    CommandButton OKButton{*this, "OK"};

    // The index follows the typed temperature at once.
    void txtAirTemp_Change();
    void OKButton_Click();

    bool okPressed = false;

  private:
    Form1& m_owner;
};

// The four (wavelength, index) rows shared by the two user-defined material dialogs.
class UserIndexRows {
  public:
    explicit UserIndexRows(Form& form, const char* firstIndex, const char* fourthIndex);

    Label Label1;
    Label Label2;
    Label Label3;
    TextBox txtRI_lambda1_1;
    TextBox txtRI_lambda1_2;
    TextBox txtRI_lambda1_3;
    TextBox txtRI_lambda1_4;
    TextBox txtRI_1_1;
    TextBox txtRI_1_2;
    TextBox txtRI_1_3;
    TextBox txtRI_1_4;

    void layOut(double top);

    // The material and the four rows as texts; Cancel puts back what keep() saw.
    using Texts = std::array<std::string, 9>;
    Texts texts(const TextBox& material) const;
    void setTexts(TextBox& material, const Texts& values);
    void keep(const TextBox& material) { m_kept = texts(material); }
    void restoreKept(TextBox& material) { setTexts(material, m_kept); }
    // The eight numbers through the owner's number entry; false at the first refused.
    bool numbersAccepted(Form1& owner);

    bool okPressed = false;
    bool cancelled = false;

  private:
    Texts m_kept;
};

// "User-defined sphere".
class dlogRI_User1 : public Form, public UserIndexRows {
  public:
    explicit dlogRI_User1(Form1& owner);

    TextBox txtMaterial1{*this, "Glass"};
    CommandButton OKButton{*this, "OK"};
    CommandButton CancelButton{*this, "Cancel"};

    void OKButton_Click();
    // Puts back the values the dialog was opened with and closes it; nothing is recomputed.
    void CancelButton_Click();

  private:
    Form1& m_owner;
};

// "User-defined medium".
class dlogRI_User2 : public Form, public UserIndexRows {
  public:
    explicit dlogRI_User2(Form1& owner);

    TextBox txtMaterial2{*this, "Glass"};
    CommandButton OKButton{*this, "OK"};
    CommandButton cmdCancel{*this, "Cancel"};

    void OKButton_Click();
    void cmdCancel_Click();

  private:
    Form1& m_owner;
};

// "Water: refractive index": complex switch of Segelstein's table.
class dlogSegelstein : public Form {
  public:
    explicit dlogSegelstein(Form1& owner);

    Label Label1{*this, "Segelstein's data will be used to calculate the refractive index of water"};
    CheckBox chkRI_Complex{*this, "Complex values of refractive index?"};
    CommandButton OKButton{*this, "OK"};

    void OKButton_Click();
    void chkRI_Complex_Click();

    bool okPressed = false;

  private:
    Form1& m_owner;
};

// "Water:Refractive index": complex switch of Ray's table.
class dlogRay : public Form {
  public:
    explicit dlogRay(Form1& owner);

    Label Label1{*this, "Ray's data will be used to calculate the refractive index of water"};
    CheckBox chkRI_Complex{*this, "Complex values of refractive index?"};
    CommandButton OKButton{*this, "OK"};
    CommandButton CancelButton{*this, "Cancel"};

    void OKButton_Click();
    // Closes without changes: the complex box as it was when the dialog opened.
    void CancelButton_Click();
    void chkRI_Complex_Click();

    bool okPressed = false;
    bool cancelled = false;
    int keptComplex = 0;

  private:
    Form1& m_owner;
};

}  // namespace tessary
