// The window side of the relative refractive index and of the sun-disc weights. The checked items of
// the sphere and medium menus and the fields of the model dialogs become the IndexModels of the pure
// engine (media/refrel.h); its result goes to the window's index variables, and the captions and
// names that the evaluated models carry are brought up to date. SunCorrection turns the step box into
// the weights of media/sun_correction.h.
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "mainwindow/form1.h"
#include "media/sun_correction.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

// The four (wavelength, index) rows of a user-defined material dialog, as Singles; a number beyond
// the range is an infinity, which the interpolation refuses as it refuses the largest numbers.
UserIndexPoints ReadUserPoints(const UserIndexRows& rows) {
    const TextBox* wavelengths[] = {&rows.txtRI_lambda1_1, &rows.txtRI_lambda1_2, &rows.txtRI_lambda1_3,
                                    &rows.txtRI_lambda1_4};
    const TextBox* indices[] = {&rows.txtRI_1_1, &rows.txtRI_1_2, &rows.txtRI_1_3, &rows.txtRI_1_4};
    UserIndexPoints points;
    for (std::size_t i = 0; i < 4; ++i) {
        points.wavelengths[i] = static_cast<float>(ValOrInfinity(wavelengths[i]->text()));
        points.indices[i] = static_cast<float>(ValOrInfinity(indices[i]->text()));
    }
    return points;
}

// A failure of the sphere's own model (the medium was never reached).
bool SphereFailed(RefrelStatus status, double sphereRe) {
    return status == RefrelStatus::SphereUndefined || status == RefrelStatus::NoSphereFile ||
           (status == RefrelStatus::UserWavelengthsEqual && sphereRe == 0.0);
}

// No sphere item checked: no sphere index, as for a model that has none.
RefrelResult NoSphereChosen() {
    RefrelResult none;
    none.status = RefrelStatus::SphereUndefined;
    none.message = "Help! RI of sphere undefined";
    none.title = "Error";
    return none;
}

// The number the index box shows, for a wavelength the models give no index at (one <= 0, or outside
// 0.15-2 um with the IAPWS sphere). A run never takes it for a wavelength it computes: the run ends with
// the band message (once), as for a model without an index there. The checks before a run keep every
// wavelength of it inside the models' bands.
std::optional<double> ShownIndex(Form1& f) {
    if (!f.windowState.inputsLocked) return Val(f.txtRefractReal.text());
    if (f.codes.runState != Form1::kRunStopped) {
        if (f.mnuRI_IAPWS.checked())
            msgBox("IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band",
                   mb::kOkOnly, std::string("Refractive index of water"));
        else
            msgBox("Help! RI of sphere undefined", mb::kOkOnly, std::string("Error"));
    }
    f.codes.runState = Form1::kRunStopped;
    return std::nullopt;
}

// The water and air models leave their temperature (and the water's density) in the window, the medium's
// last where it was reached.
void KeepTemperatures(IndexState& state, bool mediumReached) {
    const IndexModels& m = state.indexModels;
    if (m.sphere == SphereModel::IAPWS || m.medium == MediumModel::IAPWS) {
        state.waterTemp = m.water.waterTemp;
        state.reducedTemp = static_cast<float>((static_cast<double>(state.waterTemp) + 273.15) / 273.15);
        state.waterDensity = m.water.waterDensity;
    }
    if (m.sphere == SphereModel::Air) state.waterTemp = m.airTemp;
    if (mediumReached && m.medium == MediumModel::Air) state.waterTemp = m.airTemp;
}

void KeepIndices(IndexState& state, const RefrelResult& result) {
    state.sphereRe = result.sphereRe;
    state.sphereIm = result.sphereIm;
    state.mediumRe = result.mediumRe;
    state.mediumIm = result.mediumIm;
    state.relIndexIm = result.relIndexIm;
}

}  // namespace

// Reads the checked sphere and medium menu items and the model dialogs into indexModels (the index files'
// tables stay). False when no sphere item is checked.
bool Form1::ReadIndexModels() { return MenuIndexModels(indexState.indexModels); }

// The checked sphere and medium menu items and the model dialogs over `models` (its index files' tables
// stay); false, with the sphere as it was, when no sphere item is checked.
bool Form1::MenuIndexModels(IndexModels& models) {
    // Each item is tested in the order the index models are evaluated; a later checked item wins.
    const std::pair<const Menu*, SphereModel> sphereItems[] = {
        {&mnuRI_Cowley, SphereModel::Cowley},
        {&mnuRI_Ray, SphereModel::Ray},
        {&mnuRI_Segelstein, SphereModel::Segelstein},
        {&mnuRI_File1, SphereModel::File},
        {&mnuRI_Au, SphereModel::Au},
        {&mnuRI_Ag, SphereModel::Ag},
        {&mnuRI_Cu, SphereModel::Cu},
        {&mnuRI_KayeLaby, SphereModel::KayeLaby},
        {&mnuRI_Lynch, SphereModel::Lynch},
        {&mnuRI_Gedzelman, SphereModel::Gedzelman},
        {&mnuRI_IAPWS, SphereModel::IAPWS},
        {&mnuRI_Air1, SphereModel::Air},
        {&mnuRI_Vacuum1, SphereModel::Vacuum},
        {&mnuRI_User1, SphereModel::User},
    };
    const std::pair<const Menu*, MediumModel> mediumItems[] = {
        {&mnuRI_Air2, MediumModel::Air},   {&mnuRI_Vacuum2, MediumModel::Vacuum},
        {&mnuRI_File2, MediumModel::File}, {&mnuRI_IAPWS2, MediumModel::IAPWS},
        {&mnuRI_User2, MediumModel::User}, {&mnuRI_Segelstein2, MediumModel::Segelstein},
    };
    std::optional<SphereModel> sphere;
    for (const auto& [item, model] : sphereItems)
        if (item->checked()) sphere = model;
    if (!sphere) return false;
    // With no medium item checked the medium of the previous call stays.
    for (const auto& [item, model] : mediumItems)
        if (item->checked()) models.medium = model;
    models.sphere = *sphere;

    const MediumModel medium = models.medium;
    // Only the dialogs of the chosen models are read (reading a field creates its dialog). A number
    // beyond the range is an infinity: the models refuse it as they refuse the largest numbers.
    if (*sphere == SphereModel::IAPWS || medium == MediumModel::IAPWS) {
        models.water.waterTemp = static_cast<float>(ValOrInfinity(dlogTemp_->txtTemp.text()));
        models.water.waterDensity = static_cast<float>(ValOrInfinity(dlogTemp_->txtDensity.text()));
        models.water.complex = dlogTemp_->chkRI_Complex.value() == 1;
    }
    if (*sphere == SphereModel::Air || medium == MediumModel::Air)
        models.airTemp = static_cast<float>(ValOrInfinity(dlogAir_->txtAirTemp.text()));
    if (*sphere == SphereModel::Ray) models.rayComplex = dlogRay_->chkRI_Complex.value() == 1;
    if (*sphere == SphereModel::Segelstein || medium == MediumModel::Segelstein)
        models.segelsteinComplex = dlogSegelstein_->chkRI_Complex.value() == 1;
    if (*sphere == SphereModel::User) models.user1 = ReadUserPoints(*dlogRI_User1_);
    if (medium == MediumModel::User) models.user2 = ReadUserPoints(*dlogRI_User2_);
    return true;
}

// Re(m) at lambda (um) from the checked models; Im(m) in relIndexIm, the indices in sphereRe, sphereIm,
// mediumRe, mediumIm. Outside a run, a wavelength <= 0, or outside 0.15-2 um with the IAPWS sphere, returns
// the number in txtRefractReal and changes nothing; during a run it has no index. nullopt when there is no
// index: the message is shown (once per run: not again while a run is already stopped), during a run
// runState becomes 4, and no index variable changes. (Inside Form1 the pure engine is tessary::refrel.)
std::optional<double> Form1::refrel(double lambda) {
    // No wavelength to work with: the index shown stays, whatever the models.
    if (!(lambda > 0.0)) return ShownIndex(*this);

    const bool modelsRead = ReadIndexModels();
    const RefrelResult result =
        modelsRead ? tessary::refrel(indexState.indexModels, lambda) : NoSphereChosen();
    if (result.status == RefrelStatus::KeepShown) return ShownIndex(*this);

    const IndexModels& m = indexState.indexModels;
    const bool sphereReached = modelsRead;
    if (sphereReached) KeepTemperatures(indexState, !SphereFailed(result.status, result.sphereRe));
    if (sphereReached && m.sphere == SphereModel::Air)
        mnuRI_Air1.setCaption("Air " + dlogAir_->txtAirTemp.text() + "C");
    if (sphereReached && m.sphere == SphereModel::User) {
        indexState.sphereName = dlogRI_User1_->txtMaterial1.text();
        lblSphere.setCaption("Sphere: " + indexState.sphereName);
    }

    const bool mediumReached = modelsRead && !SphereFailed(result.status, result.sphereRe);
    if (mediumReached) {
        switch (m.medium) {
            case MediumModel::Air:
                mnuRI_Air2.setCaption("Air " + dlogAir_->txtAirTemp.text() + "C");
                lblRI_Medium.setCaption("Medium: Air " + dlogAir_->txtAirTemp.text() + "C");
                break;
            case MediumModel::Vacuum:
                lblRI_Medium.setCaption("Medium: " + indexState.mediumName);
                break;
            case MediumModel::User:
                indexState.mediumName = dlogRI_User2_->txtMaterial2.text();
                lblRI_Medium.setCaption("Medium: " + indexState.mediumName);
                break;
            case MediumModel::IAPWS:
                if (result.iapwsMediumCaption == IapwsMediumCaption::Plain)
                    mnuRI_IAPWS2.setCaption("Water " + dlogTemp_->txtTemp.text() + "C");
                else if (result.iapwsMediumCaption == IapwsMediumCaption::Complex)
                    mnuRI_IAPWS2.setCaption("Water " + dlogTemp_->txtTemp.text() + "C Complex");
                break;
            case MediumModel::File:
            case MediumModel::Segelstein:
                break;
        }
    }

    if (!result.ok()) {
        // One message per run: a run already ended (by this failure at an earlier wavelength, or by
        // Stop) says nothing more. Outside a run every failure is shown.
        if (!(windowState.inputsLocked && codes.runState == kRunStopped))
            msgBox(std::string(result.message), mb::kOkOnly, std::string(result.title));
        if (windowState.inputsLocked) codes.runState = kRunStopped;
        return std::nullopt;
    }
    KeepIndices(indexState, result);
    return result.relIndexRe;
}

// The index of the given models at lambda (um) as refrel leaves it, with no message and no caption, the
// models becoming the window's: for results read back, whose models and wavelength are their file's.
// A failure changes no index (the caller says what becomes of it).
RefrelResult Form1::KeepIndexOf(const IndexModels& models, double lambda) {
    indexState.indexModels = models;
    const RefrelResult result = tessary::refrel(models, lambda);
    if (result.status == RefrelStatus::KeepShown) return result;
    KeepTemperatures(indexState, !SphereFailed(result.status, result.sphereRe));
    if (result.ok()) KeepIndices(indexState, result);
    return result;
}

// The checked models' m at lambda (um) with nothing in the window changed and no message shown (the models
// are read into indexModels); no sphere item checked is an undefined sphere.
RefrelResult Form1::CheckedModelsIndex(double lambda) {
    return ReadIndexModels() ? tessary::refrel(indexState.indexModels, lambda) : NoSphereChosen();
}

// The medium a run at one wavelength places the sphere in: its checked model's index at lambda (um) into
// mediumRe and mediumIm, whatever a run or a refused check before left there. False, after the message and
// with the run ended (runState 4), when the model gives none at lambda. No wavelength (0 or less) changes
// nothing: the method refuses the size it gives.
bool Form1::MediumOfRun(double lambda) {
    if (!(lambda > 0.0) || !std::isfinite(lambda)) return true;
    const std::optional<Complex> medium =
        ReadIndexModels() ? MediumIndexAt(indexState.indexModels, lambda) : std::nullopt;
    if (!medium) {
        msgBox("Help! RI of medium undefined", mb::kOkOnly, std::string("Error"));
        codes.runState = kRunStopped;
        return false;
    }
    indexState.mediumRe = medium->re;
    indexState.mediumIm = medium->im;
    return true;
}

// Sun-disc weights for the step in cboStep: sizeOrStep, sunDiscSteps, sunDiscWeights (0..n+1),
// sunDiscWeightSum. A step that is not above 0 gives the single centre weight 1.
void Form1::SunCorrection() {
    SunDiscWeights weights = tessary::SunCorrection(RunStep(), mnuSun.checked());
    light.sizeOrStep = weights.sizeOrStep;
    light.sunDiscSteps = weights.sunDiscSteps;
    light.sunDiscWeights = std::move(weights.sunDiscWeights);
    light.sunDiscWeightSum = weights.sunDiscWeightSum;
}

}  // namespace tessary
