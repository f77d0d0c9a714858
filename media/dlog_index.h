// The refractive-index model dialogs of the sphere and medium menus: water temperature (IAPWS),
// air temperature, the two user-defined materials and the complex switches of the Segelstein and
// Ray water tables. One instance each (FormRef), shown modally, closed by hiding; their fields are
// the stored parameters the index engine reads.
#pragma once

#include "platform/ui/ui.h"

namespace tessary {

// "Water properties": temperature, density and the complex switch of the IAPWS water models.
class dlogTemp : public Form {
  public:
    dlogTemp();

    Label Label1{*this, "Temperature (deg C)"};
    TextBox txtTemp{*this, "5"};
    Label Label2{*this, "Density (kg/m3)"};
    TextBox txtDensity{*this, "0.99996382125"};
    CheckBox chkRI_Complex{*this, "Complex values of refractive index?"};
    CommandButton OKButton{*this, "OK"};
};

// "Air": the air temperature of the air models.
class dlogAir : public Form {
  public:
    dlogAir();

    Label Label1{*this, "Temperature (C)"};
    TextBox txtAirTemp{*this, "5"};
    CommandButton OKButton{*this, "OK"};
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
};

// "User-defined sphere".
class dlogRI_User1 : public Form, public UserIndexRows {
  public:
    dlogRI_User1();

    TextBox txtMaterial1{*this, "Glass"};
    CommandButton OKButton{*this, "OK"};
    CommandButton CancelButton{*this, "Cancel"};
};

// "User-defined medium".
class dlogRI_User2 : public Form, public UserIndexRows {
  public:
    dlogRI_User2();

    TextBox txtMaterial2{*this, "Glass"};
    CommandButton OKButton{*this, "OK"};
    CommandButton cmdCancel{*this, "Cancel"};
};

// "Water: refractive index": complex switch of Segelstein's table.
class dlogSegelstein : public Form {
  public:
    dlogSegelstein();

    Label Label1{*this, "Segelstein's data will be used to calculate the refractive index of water"};
    CheckBox chkRI_Complex{*this, "Complex values of refractive index?"};
    CommandButton OKButton{*this, "OK"};
};

// "Water:Refractive index": complex switch of Ray's table.
class dlogRay : public Form {
  public:
    dlogRay();

    Label Label1{*this, "Ray's data will be used to calculate the refractive index of water"};
    CheckBox chkRI_Complex{*this, "Complex values of refractive index?"};
    CommandButton OKButton{*this, "OK"};
    CommandButton CancelButton{*this, "Cancel"};
};

}  // namespace tessary
