// Designs of the refractive-index model dialogs (positions in twips). OK and Cancel close them.
#include "media/dlog_index.h"

namespace tessary {

dlogTemp::dlogTemp() : Form("Water properties") {
    Label1.move(240, 270, 1800, 255);
    txtTemp.move(2160, 240, 1335, 285);
    Label2.move(240, 750, 1800, 255);
    txtDensity.move(2160, 720, 1335, 285);
    chkRI_Complex.move(240, 1200, 3255, 255);
    OKButton.move(3720, 240, 975, 345);
    OKButton.setDefault(true);
    setWidth(5040);
    setHeight(1800);

    OKButton.onClick = [this] { hide(); };
    onClose = [this] { OKButton.click(); };
}

dlogAir::dlogAir() : Form("Air") {
    Label1.move(240, 270, 1500, 255);
    txtAirTemp.move(1800, 240, 975, 285);
    OKButton.move(3000, 240, 975, 345);
    OKButton.setDefault(true);
    setWidth(4320);
    setHeight(1080);

    OKButton.onClick = [this] { hide(); };
    onClose = [this] { OKButton.click(); };
}

UserIndexRows::UserIndexRows(Form& form, const char* firstIndex, const char* fourthIndex)
    : Label1(form, "Enter refractive index of medium at 4 different wavelengths"),
      Label2(form, "Wavelength (um)"),
      Label3(form, "Refractive index"),
      txtRI_lambda1_1(form, "0.43584"),
      txtRI_lambda1_2(form, "0.47998"),
      txtRI_lambda1_3(form, "0.58756"),
      txtRI_lambda1_4(form, "0.70652"),
      txtRI_1_1(form, firstIndex),
      txtRI_1_2(form, "1.5258"),
      txtRI_1_3(form, "1.5192"),
      txtRI_1_4(form, fourthIndex) {}

void UserIndexRows::layOut(double top) {
    Label1.move(240, top, 4800, 255);
    Label2.move(240, top + 360, 1500, 255);
    Label3.move(1920, top + 360, 1500, 255);
    double row = top + 660;
    for (auto* box : {&txtRI_lambda1_1, &txtRI_lambda1_2, &txtRI_lambda1_3, &txtRI_lambda1_4}) {
        box->move(240, row, 1335, 285);
        row += 360;
    }
    row = top + 660;
    for (auto* box : {&txtRI_1_1, &txtRI_1_2, &txtRI_1_3, &txtRI_1_4}) {
        box->move(1920, row, 1335, 285);
        row += 360;
    }
}

dlogRI_User1::dlogRI_User1() : Form("User-defined sphere"), UserIndexRows(*this, "1.5301", "1.5150") {
    txtMaterial1.move(240, 240, 2000, 285);
    txtMaterial1.setToolTipText("Insert name of medium");
    layOut(720);
    OKButton.move(3720, 1380, 975, 345);
    CancelButton.move(3720, 1860, 975, 345);
    OKButton.setDefault(true);
    CancelButton.setCancel(true);
    setWidth(5160);
    setHeight(3000);

    OKButton.onClick = [this] { hide(); };
    CancelButton.onClick = [this] { hide(); };
    onClose = [this] { CancelButton.click(); };
}

dlogRI_User2::dlogRI_User2() : Form("User-defined medium"), UserIndexRows(*this, " 1.5301", "1.5140") {
    txtMaterial2.move(240, 240, 2000, 285);
    layOut(720);
    OKButton.move(3720, 1380, 975, 345);
    cmdCancel.move(3720, 1860, 975, 345);
    OKButton.setDefault(true);
    cmdCancel.setCancel(true);
    setWidth(5160);
    setHeight(3000);

    OKButton.onClick = [this] { hide(); };
    cmdCancel.onClick = [this] { hide(); };
    onClose = [this] { cmdCancel.click(); };
}

dlogSegelstein::dlogSegelstein() : Form("Water: refractive index") {
    Label1.move(240, 240, 4200, 435);
    chkRI_Complex.move(240, 840, 3255, 255);
    OKButton.move(3720, 780, 975, 345);
    setWidth(5040);
    setHeight(1440);

    OKButton.onClick = [this] { hide(); };
    onClose = [this] { OKButton.click(); };
}

dlogRay::dlogRay() : Form("Water:Refractive index") {
    Label1.move(240, 240, 4200, 435);
    chkRI_Complex.move(240, 840, 3255, 255);
    OKButton.move(2520, 1260, 975, 345);
    CancelButton.move(3720, 1260, 975, 345);
    setWidth(5040);
    setHeight(1920);

    OKButton.onClick = [this] { hide(); };
    CancelButton.onClick = [this] { hide(); };
    onClose = [this] { CancelButton.click(); };
}

}  // namespace tessary
