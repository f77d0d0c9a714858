// The sphere and medium menus of the refractive-index models. The check marks are the model choice
// that refrel and the band checks read; each handler checks its item alone in its group, records the
// material word used in titles and files, asks for the model's parameters in its dialog, shows the
// new m and writes the status caption (lblSphere, lblRI_Medium). While shown results come from a data
// file (resultsFromFile = 1) the parameter dialogs are skipped so that the values the reader put into
// them stay as they are; the user-defined dialogs are shown in any case.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "mainwindow/form1.h"
#include "media/refrel.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {

namespace {

// The choice a group had before a handler changed it, put back when its dialog is cancelled.
struct GroupChoice {
    Menu* checked = nullptr;
    std::string name;
    std::string caption;
};

template <std::size_t N>
GroupChoice Remember(const std::array<Menu*, N>& items, const std::string& name, const Label& status) {
    GroupChoice choice{nullptr, name, status.caption()};
    for (Menu* item : items)
        if (item->checked()) choice.checked = item;
    return choice;
}

template <std::size_t N>
void PutBack(const std::array<Menu*, N>& items, const GroupChoice& choice, std::string& name, Label& status) {
    for (Menu* item : items) item->setChecked(item == choice.checked);
    name = choice.name;
    status.setCaption(choice.caption);
}

}  // namespace

namespace {

// The selectable items of each group (the "Water" sub-menus are parents, not models).
std::array<Menu*, 14> SphereItems(Form1& f) {
    return {&f.mnuRI_IAPWS,    &f.mnuRI_Cowley,    &f.mnuRI_Segelstein, &f.mnuRI_Ray,  &f.mnuRI_Lynch,
            &f.mnuRI_KayeLaby, &f.mnuRI_Gedzelman, &f.mnuRI_Vacuum1,    &f.mnuRI_Air1, &f.mnuRI_User1,
            &f.mnuRI_File1,    &f.mnuRI_Au,        &f.mnuRI_Ag,         &f.mnuRI_Cu};
}

std::array<Menu*, 6> MediumItems(Form1& f) {
    return {&f.mnuRI_IAPWS2, &f.mnuRI_Segelstein2, &f.mnuRI_Vacuum2,
            &f.mnuRI_Air2,   &f.mnuRI_User2,       &f.mnuRI_File2};
}

}  // namespace

void Form1::ClearMenuRI() {
    for (Menu* item : SphereItems(*this)) item->setChecked(false);
}

void Form1::ClearMenuRI2() {
    for (Menu* item : MediumItems(*this)) item->setChecked(false);
}

// ---- Sphere -------------------------------------------------------------------------------------

namespace {

// The part every sphere and medium handler shares after its dialog: the new m, the box white.
void Recompute(Form1& f) {
    f.txtLambda_change();
    f.txtLambda.setBackColor(kWhite);
}

// The water dialog as the IAPWS items show it. A dialog closed without its OK (only possible from
// code) counts as OK; a rejected temperature then gives way to the one it was opened with.
void AskWater(Form1& f) {
    dlogTemp& d = *f.dlogTemp_;
    const std::string opened = d.txtTemp.text();
    d.okPressed = false;
    d.show(ShowMode::Modal);
    if (d.okPressed) return;
    if (d.txtTemp.backColor() != kWhite) {
        d.txtTemp.setText(opened);
        d.txtTemp_Change();
    }
    d.OKButton_Click();
}

void AskAir(Form1& f) {
    dlogAir& d = *f.dlogAir_;
    d.okPressed = false;
    d.show(ShowMode::Modal);
    if (!d.okPressed) d.OKButton_Click();
}

void AskSegelstein(Form1& f) {
    dlogSegelstein& d = *f.dlogSegelstein_;
    d.okPressed = false;
    d.show(ShowMode::Modal);
    if (!d.okPressed) d.OKButton_Click();
}

// "IAPWS <t>C" with " Complex" when the water dialog's box is ticked; t is waterTemp as text.
std::string IapwsText(Form1& f) {
    std::string s = "IAPWS " + CStr(f.indexState.waterTemp) + "C";
    if (f.dlogTemp_->chkRI_Complex.value() == 1) s += " Complex";
    return s;
}

std::string ComplexSuffix(Form1& f) { return f.dlogTemp_->chkRI_Complex.value() == 1 ? " Complex" : ""; }

}  // namespace

// A sphere model checked alone in its menu, its material named and its status caption written from the
// model's dialog, as its handler and dialog leave them; nothing is asked for and no index computed (a data
// file read back sets the dialogs and the index itself). The file models keep the name their file gave.
void Form1::ShowSphereModel(SphereModel model) {
    struct Item {
        SphereModel model;
        Menu* menu;
        const char* status;  // after "Sphere: " (none: the material's name)
    };
    const Item items[] = {{SphereModel::IAPWS, &mnuRI_IAPWS, nullptr},
                          {SphereModel::Cowley, &mnuRI_Cowley, "Water (Cowley)"},
                          {SphereModel::Segelstein, &mnuRI_Segelstein, nullptr},
                          {SphereModel::Ray, &mnuRI_Ray, nullptr},
                          {SphereModel::Lynch, &mnuRI_Lynch, "Water (Lynch + Livingston)"},
                          {SphereModel::KayeLaby, &mnuRI_KayeLaby, "Water (Kaye + Laby)"},
                          {SphereModel::Gedzelman, &mnuRI_Gedzelman, "Water (Gedzelman)"},
                          {SphereModel::Au, &mnuRI_Au, nullptr},
                          {SphereModel::Ag, &mnuRI_Ag, nullptr},
                          {SphereModel::Cu, &mnuRI_Cu, nullptr},
                          {SphereModel::Air, &mnuRI_Air1, nullptr},
                          {SphereModel::Vacuum, &mnuRI_Vacuum1, nullptr},
                          {SphereModel::User, &mnuRI_User1, nullptr},
                          {SphereModel::File, &mnuRI_File1, nullptr}};
    for (const Item& item : items) {
        if (item.model != model) continue;
        ClearMenuRI();
        item.menu->setChecked(true);
        if (const std::string_view name = SphereMaterialWord(model); !name.empty())
            indexState.sphereName = std::string(name);
        std::string status = item.status ? item.status : std::string();
        const auto complex = [](const CheckBox& box) { return box.value() == 1 ? " Complex" : ""; };
        if (model == SphereModel::IAPWS) status = "Water (" + dlogTemp_->ModelText() + ")";
        if (model == SphereModel::Segelstein)
            status = std::string("Water (Segelstein") + complex(dlogSegelstein_->chkRI_Complex) + ")";
        if (model == SphereModel::Ray)
            status = std::string("Water (Ray") + complex(dlogRay_->chkRI_Complex) + ")";
        if (model == SphereModel::Air) {
            status = "Air " + dlogAir_->txtAirTemp.text() + "C";
            mnuRI_Air1.setCaption(status);
        }
        if (model == SphereModel::User) indexState.sphereName = dlogRI_User1_->txtMaterial1.text();
        if (status.empty()) status = indexState.sphereName;
        lblSphere.setCaption("Sphere: " + status);
    }
}

// The medium's counterpart of ShowSphereModel.
void Form1::ShowMediumModel(MediumModel model) {
    const std::pair<MediumModel, Menu*> items[] = {
        {MediumModel::Vacuum, &mnuRI_Vacuum2}, {MediumModel::Air, &mnuRI_Air2},
        {MediumModel::IAPWS, &mnuRI_IAPWS2},   {MediumModel::Segelstein, &mnuRI_Segelstein2},
        {MediumModel::User, &mnuRI_User2},     {MediumModel::File, &mnuRI_File2}};
    for (const auto& [itemModel, menu] : items) {
        if (itemModel != model) continue;
        ClearMenuRI2();
        menu->setChecked(true);
        if (const std::string_view name = MediumMaterialWord(model); !name.empty())
            indexState.mediumName = std::string(name);
        if (model == MediumModel::User) indexState.mediumName = dlogRI_User2_->txtMaterial2.text();
        std::string status = indexState.mediumName;
        if (model == MediumModel::Vacuum) status = "Vacuum";
        if (model == MediumModel::Air) {
            status = "Air " + dlogAir_->txtAirTemp.text() + "C";
            mnuRI_Air2.setCaption(status);
        }
        if (model == MediumModel::IAPWS) status = "Water (" + dlogTemp_->ModelText() + ")";
        if (model == MediumModel::Segelstein)
            status = std::string("Water (Segelstein") +
                     (dlogSegelstein_->chkRI_Complex.value() == 1 ? " Complex" : "") + ")";
        lblRI_Medium.setCaption("Medium: " + status);
    }
}

// Each index-model handler (from here to mnuRI_File2_Click) makes its item the one checked item of its group,
// names the material, asks for the model's parameters (no dialog while resultsFromFile is 1, except the
// user-defined ones), shows the new m through txtLambda_change and writes lblSphere or lblRI_Medium. Cancel
// in a dialog leaves the previous choice as it was, as does a cancelled or refused index file.
void Form1::mnuRI_IAPWS_Click() {
    ClearMenuRI();
    mnuRI_IAPWS.setChecked(true);
    indexState.sphereName = "Water";
    if (runFlags.resultsFromFile == 1)
        Recompute(*this);
    else
        AskWater(*this);  // its OK shows the new m
    indexState.waterTemp = static_cast<float>(ValOrInfinity(dlogTemp_->txtTemp.text()));
    lblSphere.setCaption("Sphere: Water (" + IapwsText(*this) + ")");
}

void Form1::mnuRI_Cowley_Click() {
    ShowSphereModel(SphereModel::Cowley);
    Recompute(*this);
}

void Form1::mnuRI_Segelstein_Click() {
    ClearMenuRI();
    mnuRI_Segelstein.setChecked(true);
    indexState.sphereName = "Water";
    if (runFlags.resultsFromFile != 1) AskSegelstein(*this);
    Recompute(*this);
    lblSphere.setCaption("Sphere: Water (Segelstein" + ComplexSuffix(*this) + ")");
}

void Form1::mnuRI_Ray_Click() {
    const auto items = SphereItems(*this);
    const GroupChoice before = Remember(items, indexState.sphereName, lblSphere);
    ClearMenuRI();
    mnuRI_Ray.setChecked(true);
    indexState.sphereName = "Water";
    if (runFlags.resultsFromFile != 1) {
        dlogRay& d = *dlogRay_;
        d.okPressed = false;
        d.cancelled = false;
        d.keptComplex = d.chkRI_Complex.value();
        d.show(ShowMode::Modal);
        if (d.cancelled) {
            PutBack(items, before, indexState.sphereName, lblSphere);
            return;
        }
        if (!d.okPressed) d.OKButton_Click();
    }
    Recompute(*this);
    lblSphere.setCaption("Sphere: Water (Ray" + ComplexSuffix(*this) + ")");
}

void Form1::mnuRI_Lynch_Click() {
    ShowSphereModel(SphereModel::Lynch);
    Recompute(*this);
}

void Form1::mnuRI_KayeLaby_Click() {
    ShowSphereModel(SphereModel::KayeLaby);
    Recompute(*this);
}

void Form1::mnuRI_Gedzelman_Click() {
    ShowSphereModel(SphereModel::Gedzelman);
    Recompute(*this);
}

void Form1::mnuRI_Au_Click() {
    ShowSphereModel(SphereModel::Au);
    Recompute(*this);
}

void Form1::mnuRI_Ag_Click() {
    ShowSphereModel(SphereModel::Ag);
    Recompute(*this);
}

void Form1::mnuRI_Cu_Click() {
    ShowSphereModel(SphereModel::Cu);
    Recompute(*this);
}

void Form1::mnuRI_Air1_Click() {
    ClearMenuRI();
    mnuRI_Air1.setChecked(true);
    indexState.sphereName = "Air";
    if (runFlags.resultsFromFile == 1)
        indexState.waterTemp = static_cast<float>(ValOrInfinity(dlogAir_->txtAirTemp.text()));
    else
        AskAir(*this);
    Recompute(*this);
    lblSphere.setCaption("Sphere: Air " + dlogAir_->txtAirTemp.text() + "C");
}

void Form1::mnuRI_Vacuum1_Click() {
    ShowSphereModel(SphereModel::Vacuum);
    Recompute(*this);
}

void Form1::mnuRI_User1_Click() {
    const auto items = SphereItems(*this);
    const GroupChoice before = Remember(items, indexState.sphereName, lblSphere);
    ClearMenuRI();
    mnuRI_User1.setChecked(true);
    dlogRI_User1& d = *dlogRI_User1_;
    d.keep(d.txtMaterial1);
    d.okPressed = false;
    d.cancelled = false;
    d.show(ShowMode::Modal);
    if (d.cancelled) {
        PutBack(items, before, indexState.sphereName, lblSphere);
        return;
    }
    indexState.sphereName = d.txtMaterial1.text();
    if (!d.okPressed) d.OKButton_Click();
    lblSphere.setCaption("Sphere: " + indexState.sphereName);
}

void Form1::mnuRI_File1_Click() {
    const auto items = SphereItems(*this);
    const GroupChoice before = Remember(items, indexState.sphereName, lblSphere);
    ClearMenuRI();
    mnuRI_File1.setChecked(true);
    if (!ReadRefIndex1()) {
        PutBack(items, before, indexState.sphereName, lblSphere);
        return;
    }
    lblSphere.setCaption("Sphere: " + indexState.sphereName);
}

// ---- Medium -------------------------------------------------------------------------------------

void Form1::mnuRI_Vacuum2_Click() {
    ClearMenuRI2();
    mnuRI_Vacuum2.setChecked(true);
    indexState.mediumName = "a vacuum";
    Recompute(*this);
    lblRI_Medium.setCaption("Medium: Vacuum");
}

void Form1::mnuRI_Air2_Click() {
    ClearMenuRI2();
    mnuRI_Air2.setChecked(true);
    indexState.mediumName = "air";
    if (runFlags.resultsFromFile == 1)
        indexState.waterTemp = static_cast<float>(ValOrInfinity(dlogAir_->txtAirTemp.text()));
    else
        AskAir(*this);
    Recompute(*this);
    lblRI_Medium.setCaption("Medium: Air " + dlogAir_->txtAirTemp.text() + "C");
}

void Form1::mnuRI_IAPWS2_Click() {
    ClearMenuRI2();
    mnuRI_IAPWS2.setChecked(true);
    indexState.mediumName = "water";
    if (runFlags.resultsFromFile == 1)
        Recompute(*this);
    else
        AskWater(*this);
    indexState.waterTemp = static_cast<float>(ValOrInfinity(dlogTemp_->txtTemp.text()));
    lblRI_Medium.setCaption("Medium: Water (" + IapwsText(*this) + ")");
}

void Form1::mnuRI_Segelstein2_Click() {
    ClearMenuRI2();
    mnuRI_Segelstein2.setChecked(true);
    indexState.mediumName = "Water";
    if (runFlags.resultsFromFile != 1) AskSegelstein(*this);
    Recompute(*this);
    lblRI_Medium.setCaption("Medium: Water (Segelstein" + ComplexSuffix(*this) + ")");
}

void Form1::mnuRI_User2_Click() {
    const auto items = MediumItems(*this);
    const GroupChoice before = Remember(items, indexState.mediumName, lblRI_Medium);
    ClearMenuRI2();
    mnuRI_User2.setChecked(true);
    dlogRI_User2& d = *dlogRI_User2_;
    d.keep(d.txtMaterial2);
    d.okPressed = false;
    d.cancelled = false;
    d.show(ShowMode::Modal);
    if (d.cancelled) {
        PutBack(items, before, indexState.mediumName, lblRI_Medium);
        return;
    }
    indexState.mediumName = d.txtMaterial2.text();
    if (!d.okPressed) d.OKButton_Click();
    lblRI_Medium.setCaption("Medium: " + indexState.mediumName);
}

void Form1::mnuRI_File2_Click() {
    const auto items = MediumItems(*this);
    const GroupChoice before = Remember(items, indexState.mediumName, lblRI_Medium);
    ClearMenuRI2();
    mnuRI_File2.setChecked(true);
    if (!ReadRefIndex2()) {
        PutBack(items, before, indexState.mediumName, lblRI_Medium);
        return;
    }
    lblRI_Medium.setCaption("Medium: " + indexState.mediumName);
}

}  // namespace tessary
