// The refractive-index model dialogs: designs (positions in twips) and behaviour. OK writes the
// model's captions into the main window and recomputes the index shown; the menus of the main window
// show the dialogs and finish the choice (media/form1_index_menus.cpp).
#include "media/dlog_index.h"

#include <cstddef>
#include <optional>
#include <string_view>

#include "mainwindow/form1.h"
#include "media/index_models.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

// The complex index of water is one choice, the water dialog's box: the Segelstein and Ray boxes, which
// their tables read, follow it, and so do the captions and menu items of every water model chosen for the
// sphere and the medium, so that each names the variant the index is computed with.
void FollowComplexChoice(Form1& f) {
    const bool complex = f.dlogTemp_->chkRI_Complex.value() == 1;
    f.dlogSegelstein_->chkRI_Complex.setValue(complex ? 1 : 0);
    f.dlogRay_->chkRI_Complex.setValue(complex ? 1 : 0);
    const std::string suffix = complex ? " Complex" : "";
    const std::string iapws = f.dlogTemp_->ModelText();
    // The menu items name the variant the next choice of them takes, chosen or not; the status captions
    // follow the models chosen.
    f.mnuRI_IAPWS.setCaption(iapws);
    if (f.mnuRI_IAPWS.checked()) f.lblSphere.setCaption("Sphere: Water (" + iapws + ")");
    if (f.mnuRI_IAPWS2.checked()) {
        f.lblRI_Medium.setCaption("Medium: Water (" + iapws + ")");
        f.mnuRI_IAPWS2.setCaption("Water " + f.dlogTemp_->txtTemp.text() + "C" + suffix);
    } else if (std::string medium = f.mnuRI_IAPWS2.caption(); medium.starts_with("Water ")) {
        if (medium.ends_with(" Complex")) medium.resize(medium.size() - std::string_view(" Complex").size());
        f.mnuRI_IAPWS2.setCaption(medium + suffix);  // a caption naming its temperature keeps it
    }
    const std::pair<Menu*, const char*> tables[] = {
        {&f.mnuRI_Segelstein, "Segelstein"}, {&f.mnuRI_Ray, "Ray"}, {&f.mnuRI_Segelstein2, "Segelstein"}};
    for (const auto& [item, name] : tables) {
        item->setCaption(name + suffix);
        if (!item->checked()) continue;
        Label& status = item == &f.mnuRI_Segelstein2 ? f.lblRI_Medium : f.lblSphere;
        status.setCaption((item == &f.mnuRI_Segelstein2 ? "Medium: Water (" : "Sphere: Water (") +
                          item->caption() + ")");
    }
}

}  // namespace

dlogTemp::dlogTemp(Form1& owner) : Form("Water properties"), m_owner(owner) {
    Label1.move(240, 270, 1800, 255);
    txtTemp.move(2160, 240, 1335, 285);
    Label2.move(240, 750, 1800, 255);
    txtDensity.move(2160, 720, 1335, 285);
    chkRI_Complex.move(240, 1200, 3255, 255);
    OKButton.move(3720, 240, 975, 345);
    OKButton.setDefault(true);
    setWidth(5040);
    setHeight(1800);

    txtTemp.onChange = [this] { txtTemp_Change(); };
    chkRI_Complex.onClick = [this] { chkRI_Complex_Click(); };
    OKButton.onClick = [this] { OKButton_Click(); };
    onClose = [this] { OKButton.click(); };
}

void dlogTemp::txtTemp_Change() {
    // A number beyond the Double range is refused as too high or too low, not read as 0.
    const double t = ValOrInfinity(txtTemp.text());
    txtTemp.setBackColor(kWhite);
    if (const std::optional<std::string_view> refusal = CheckWaterTemperature(t)) {
        // The density keeps the value of the last accepted temperature.
        txtTemp.setBackColor(kRed);
        msgBox(std::string(*refusal), mb::kOkOnly, std::string(kWaterTempTitle));
        return;
    }
    txtDensity.setText(CStr(KellWaterDensity(t)));
    txtDensity.setBackColor(kWhite);
}

std::string dlogTemp::ModelText() const {
    std::string s = "IAPWS " + CStr(static_cast<float>(Val(txtTemp.text()))) + "C";
    if (chkRI_Complex.value() == 1) s += " Complex";
    return s;
}

void dlogTemp::OKButton_Click() {
    if (txtTemp.backColor() == kRed) {
        txtTemp.setFocus();
        return;
    }
    // The number entry: a temperature it rewrites ("20,5" as 20.5) is checked again by its Change.
    if (!m_owner.DialogNumbers({&txtTemp}) || txtTemp.backColor() == kRed) {
        txtTemp.setFocus();
        return;
    }
    if (!m_owner.DialogNumbers({&txtDensity})) return;
    if (const std::optional<std::string_view> refusal = CheckWaterDensity(ValOrInfinity(txtDensity.text()))) {
        txtDensity.setBackColor(kRed);
        msgBox(std::string(*refusal), mb::kOkOnly, std::string(kWaterTempTitle));
        txtDensity.setFocus();
        return;
    }
    txtDensity.setBackColor(kWhite);
    hide();
    okPressed = true;
    const std::string s = ModelText();
    m_owner.dlogSegelstein_->chkRI_Complex.setValue(chkRI_Complex.value() == 1 ? 1 : 0);
    if (m_owner.mnuRI_IAPWS.checked()) {
        m_owner.lblSphere.setCaption("Sphere: Water (" + s + ")");
        m_owner.mnuRI_IAPWS.setCaption(s);
    }
    if (m_owner.mnuRI_IAPWS2.checked()) {
        m_owner.lblRI_Medium.setCaption("Medium: Water (" + s + ")");
        m_owner.mnuRI_IAPWS2.setCaption("Water " + s);
    }
    m_owner.txtLambda.setBackColor(kWhite);
    m_owner.txtLambda_change();
    m_owner.txtLambda.setBackColor(kWhite);
}

void dlogTemp::chkRI_Complex_Click() { FollowComplexChoice(m_owner); }

dlogAir::dlogAir(Form1& owner) : Form("Air"), m_owner(owner) {
    Label1.move(240, 270, 1500, 255);
    txtAirTemp.move(1800, 240, 975, 285);
    OKButton.move(3000, 240, 975, 345);
    OKButton.setDefault(true);
    setWidth(4320);
    setHeight(1080);

    txtAirTemp.onChange = [this] { txtAirTemp_Change(); };
    OKButton.onClick = [this] { OKButton_Click(); };
    onClose = [this] { OKButton.click(); };
}

void dlogAir::txtAirTemp_Change() { m_owner.txtLambda_change(); }

void dlogAir::OKButton_Click() {
    if (!m_owner.DialogNumbers({&txtAirTemp})) return;
    hide();
    okPressed = true;
    const std::string s = "Air " + txtAirTemp.text() + "C";
    if (m_owner.mnuRI_Air1.checked()) {
        m_owner.lblSphere.setCaption("Sphere: " + s);
        m_owner.mnuRI_Air1.setCaption(s);
    }
    if (m_owner.mnuRI_Air2.checked()) {
        m_owner.lblRI_Medium.setCaption("Medium: " + s);
        m_owner.mnuRI_Air2.setCaption(s);
    }
    m_owner.txtLambda_change();
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

UserIndexRows::Texts UserIndexRows::texts(const TextBox& material) const {
    return {material.text(),        txtRI_lambda1_1.text(), txtRI_lambda1_2.text(),
            txtRI_lambda1_3.text(), txtRI_lambda1_4.text(), txtRI_1_1.text(),
            txtRI_1_2.text(),       txtRI_1_3.text(),       txtRI_1_4.text()};
}

bool UserIndexRows::numbersAccepted(Form1& owner) {
    return owner.DialogNumbers({&txtRI_lambda1_1, &txtRI_lambda1_2, &txtRI_lambda1_3, &txtRI_lambda1_4,
                                &txtRI_1_1, &txtRI_1_2, &txtRI_1_3, &txtRI_1_4});
}

void UserIndexRows::setTexts(TextBox& material, const Texts& values) {
    TextBox* boxes[] = {&material,  &txtRI_lambda1_1, &txtRI_lambda1_2, &txtRI_lambda1_3, &txtRI_lambda1_4,
                        &txtRI_1_1, &txtRI_1_2,       &txtRI_1_3,       &txtRI_1_4};
    for (std::size_t i = 0; i < values.size(); ++i) boxes[i]->setText(values[i]);
}

dlogRI_User1::dlogRI_User1(Form1& owner)
    : Form("User-defined sphere"), UserIndexRows(*this, "1.5301", "1.5150"), m_owner(owner) {
    txtMaterial1.move(240, 240, 2000, 285);
    txtMaterial1.setToolTipText("Insert name of medium");
    layOut(720);
    OKButton.move(3720, 1380, 975, 345);
    CancelButton.move(3720, 1860, 975, 345);
    OKButton.setDefault(true);
    CancelButton.setCancel(true);
    setWidth(5160);
    setHeight(3000);

    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    onClose = [this] { CancelButton.click(); };
}

void dlogRI_User1::OKButton_Click() {
    if (!numbersAccepted(m_owner)) return;
    hide();
    okPressed = true;
    m_owner.txtLambda_change();
    m_owner.txtLambda.setBackColor(kWhite);
    m_owner.lblSphere.setCaption("Sphere: " + txtMaterial1.text());
}

void dlogRI_User1::CancelButton_Click() {
    restoreKept(txtMaterial1);
    cancelled = true;
    hide();
}

dlogRI_User2::dlogRI_User2(Form1& owner)
    : Form("User-defined medium"), UserIndexRows(*this, " 1.5301", "1.5140"), m_owner(owner) {
    txtMaterial2.move(240, 240, 2000, 285);
    layOut(720);
    OKButton.move(3720, 1380, 975, 345);
    cmdCancel.move(3720, 1860, 975, 345);
    OKButton.setDefault(true);
    cmdCancel.setCancel(true);
    setWidth(5160);
    setHeight(3000);

    OKButton.onClick = [this] { OKButton_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    onClose = [this] { cmdCancel.click(); };
}

void dlogRI_User2::OKButton_Click() {
    if (!numbersAccepted(m_owner)) return;
    hide();
    okPressed = true;
    m_owner.txtLambda_change();
    m_owner.txtLambda.setBackColor(kWhite);
    m_owner.lblRI_Medium.setCaption("Medium: " + txtMaterial2.text());
}

void dlogRI_User2::cmdCancel_Click() {
    restoreKept(txtMaterial2);
    cancelled = true;
    hide();
}

dlogSegelstein::dlogSegelstein(Form1& owner) : Form("Water: refractive index"), m_owner(owner) {
    Label1.move(240, 240, 4200, 435);
    chkRI_Complex.move(240, 840, 3255, 255);
    OKButton.move(3720, 780, 975, 345);
    setWidth(5040);
    setHeight(1440);

    chkRI_Complex.onClick = [this] { chkRI_Complex_Click(); };
    OKButton.onClick = [this] { OKButton_Click(); };
    onClose = [this] { OKButton.click(); };
}

void dlogSegelstein::chkRI_Complex_Click() { OKButton.setDefault(true); }

void dlogSegelstein::OKButton_Click() {
    m_owner.dlogTemp_->chkRI_Complex.setValue(chkRI_Complex.value() == 1 ? 1 : 0);
    FollowComplexChoice(m_owner);
    okPressed = true;
    hide();
}

dlogRay::dlogRay(Form1& owner) : Form("Water:Refractive index"), m_owner(owner) {
    Label1.move(240, 240, 4200, 435);
    chkRI_Complex.move(240, 840, 3255, 255);
    OKButton.move(2520, 1260, 975, 345);
    CancelButton.move(3720, 1260, 975, 345);
    setWidth(5040);
    setHeight(1920);

    chkRI_Complex.onClick = [this] { chkRI_Complex_Click(); };
    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    onClose = [this] { CancelButton.click(); };
}

void dlogRay::chkRI_Complex_Click() { OKButton.setDefault(true); }

void dlogRay::OKButton_Click() {
    m_owner.dlogTemp_->chkRI_Complex.setValue(chkRI_Complex.value() == 1 ? 1 : 0);
    FollowComplexChoice(m_owner);
    okPressed = true;
    hide();
}

void dlogRay::CancelButton_Click() {
    chkRI_Complex.setValue(keptComplex);
    cancelled = true;
    hide();
}

}  // namespace tessary
