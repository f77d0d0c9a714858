// The sphere and medium menus of the refractive-index models and their dialogs: one checked item per
// group, the material words and status captions, m shown at 0.65 um (IAPWS release 1997 and the water
// polynomials; the other models against the index engine), the dialogs through the modal hook (OK
// writes back and recomputes, Cancel leaves the previous choice and values, the temperature range),
// the index-file items' message, data-file mode without dialogs, the lock during runs and Restore
// defaults.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "media/index_models.h"
#include "media/refrel.h"
#include "platform/text/conversions.h"
#include "tests/mainwindow/form1_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary::test {
namespace {

constexpr OleColor kRed = 255;
constexpr OleColor kWhite = 16777215;

using Handler = void (Form1::*)();

// The designed window with the start-up models, wavelength 0.65 um, and handlers called directly.
class IndexMenusTest : public Form1Test {
  protected:
    IndexMenusTest() {
        Form1& w = designedWithValidInputs();
        w.calc.waveCount = 1;
        w.indexState.waterTemp = 5.0f;
        w.indexState.sphereName = " Water";
        w.indexState.mediumName = "a vacuum ";
        w.txtLambda.setText("0.65");
        w.txtRefractReal.setText("1.5");
        w.txtRefractImag.setText("0");
    }
    Form1& f() { return *form; }

    std::vector<Menu*> sphereItems() {
        return {&f().mnuRI_IAPWS, &f().mnuRI_Cowley,   &f().mnuRI_Segelstein, &f().mnuRI_Ray,
                &f().mnuRI_Lynch, &f().mnuRI_KayeLaby, &f().mnuRI_Gedzelman,  &f().mnuRI_Au,
                &f().mnuRI_Ag,    &f().mnuRI_Cu,       &f().mnuRI_Air1,       &f().mnuRI_Vacuum1,
                &f().mnuRI_User1, &f().mnuRI_File1};
    }
    std::vector<Menu*> mediumItems() {
        return {&f().mnuRI_Vacuum2,     &f().mnuRI_Air2,  &f().mnuRI_IAPWS2,
                &f().mnuRI_Segelstein2, &f().mnuRI_User2, &f().mnuRI_File2};
    }
    // The items of a group that are checked.
    static std::vector<std::string> checkedOf(const std::vector<Menu*>& items) {
        std::vector<std::string> out;
        for (const Menu* m : items)
            if (m->checked()) out.push_back(m->caption());
        return out;
    }
    // m at 0.65 um by the engine for one sphere (vacuum medium) or one medium (vacuum sphere).
    static std::string EngineM(SphereModel sphere, MediumModel medium) {
        IndexModels models;
        models.sphere = sphere;
        models.medium = medium;
        return Format(refrel(models, 0.65).relIndexRe, "0.00000000");
    }
    // Modal dialogs answered by a script of the given type.
    template <class D>
    void onDialog(std::function<void(D&)> script) {
        runtime.setModalHook([this, script](Form& dialog) {
            modalCaptions.push_back(dialog.caption());
            script(dynamic_cast<D&>(dialog));
        });
    }
};

struct SphereCase {
    Handler handler;
    Menu Form1::*item;
    const char* name;
    const char* status;
    SphereModel model;
    const char* shown;  // m at 0.65 um; nullptr: the engine's value
};

TEST_F(IndexMenusTest, EachSphereItemChecksItselfAloneNamesTheMaterialAndShowsM) {
    const SphereCase cases[] = {
        {&Form1::mnuRI_Cowley_Click, &Form1::mnuRI_Cowley, "Water", "Sphere: Water (Cowley)",
         SphereModel::Cowley, "1.33195529"},
        {&Form1::mnuRI_Lynch_Click, &Form1::mnuRI_Lynch, "Water", "Sphere: Water (Lynch + Livingston)",
         SphereModel::Lynch, "1.33182142"},
        {&Form1::mnuRI_KayeLaby_Click, &Form1::mnuRI_KayeLaby, "Water", "Sphere: Water (Kaye + Laby)",
         SphereModel::KayeLaby, "1.33130092"},
        {&Form1::mnuRI_Gedzelman_Click, &Form1::mnuRI_Gedzelman, "Water", "Sphere: Water (Gedzelman)",
         SphereModel::Gedzelman, "1.33150000"},
        {&Form1::mnuRI_IAPWS_Click, &Form1::mnuRI_IAPWS, "Water", "Sphere: Water (IAPWS 5C)",
         SphereModel::IAPWS, "1.33257035"},
        {&Form1::mnuRI_Segelstein_Click, &Form1::mnuRI_Segelstein, "Water", "Sphere: Water (Segelstein)",
         SphereModel::Segelstein, nullptr},
        {&Form1::mnuRI_Ray_Click, &Form1::mnuRI_Ray, "Water", "Sphere: Water (Ray)", SphereModel::Ray,
         nullptr},
        {&Form1::mnuRI_Au_Click, &Form1::mnuRI_Au, "Gold", "Sphere: Gold", SphereModel::Au, nullptr},
        {&Form1::mnuRI_Ag_Click, &Form1::mnuRI_Ag, "Silver", "Sphere: Silver", SphereModel::Ag, nullptr},
        {&Form1::mnuRI_Cu_Click, &Form1::mnuRI_Cu, "Copper", "Sphere: Copper", SphereModel::Cu, nullptr},
        {&Form1::mnuRI_Air1_Click, &Form1::mnuRI_Air1, "Air", "Sphere: Air 5C", SphereModel::Air, nullptr},
        {&Form1::mnuRI_Vacuum1_Click, &Form1::mnuRI_Vacuum1, "Vacuum", "Sphere: Vacuum", SphereModel::Vacuum,
         "1.00000000"},
        {&Form1::mnuRI_User1_Click, &Form1::mnuRI_User1, "Glass", "Sphere: Glass", SphereModel::User,
         nullptr},
    };
    for (const SphereCase& c : cases) {
        SCOPED_TRACE(c.status);
        (f().*c.handler)();
        EXPECT_EQ(checkedOf(sphereItems()), std::vector<std::string>{(f().*c.item).caption()});
        EXPECT_EQ(checkedOf(mediumItems()), std::vector<std::string>{"Vacuum"});
        EXPECT_EQ(f().indexState.sphereName, c.name);
        EXPECT_EQ(f().lblSphere.caption(), c.status);
        EXPECT_EQ(f().txtRefractReal.text(), c.shown ? c.shown : EngineM(c.model, MediumModel::Vacuum));
        EXPECT_EQ(f().txtLambda.backColor(), kWhite);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(IndexMenusTest, GoldAtFiveHundredNanometres) {
    f().txtLambda.setText("0.5");
    f().mnuRI_Au_Click();
    EXPECT_REL_NEAR(Val(f().txtRefractReal.text()), 0.9728048, 1e-7);
    EXPECT_REL_NEAR(Val(f().txtRefractImag.text()), 1.8726771, 1e-7);
}

TEST_F(IndexMenusTest, GoldOutsideItsBandStillChangesTheCaption) {
    f().txtLambda.setText("2");
    f().mnuRI_Au_Click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt,
              "The values for refractive index of Gold are valid only for the 187 - 1935 nm band");
    EXPECT_EQ(messages.last().title, "Refractive index of Gold");
    EXPECT_EQ(f().txtRefractReal.text(), "1.5");
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Gold");
    EXPECT_EQ(f().txtLambda.backColor(), kWhite);
}

struct MediumCase {
    Handler handler;
    Menu Form1::*item;
    const char* name;
    const char* status;
    MediumModel model;
};

TEST_F(IndexMenusTest, EachMediumItemChecksItselfAloneAndLeavesTheSphere) {
    f().mnuRI_Vacuum1_Click();
    const MediumCase cases[] = {
        {&Form1::mnuRI_Air2_Click, &Form1::mnuRI_Air2, "air", "Medium: Air 5C", MediumModel::Air},
        {&Form1::mnuRI_IAPWS2_Click, &Form1::mnuRI_IAPWS2, "water", "Medium: Water (IAPWS 5C)",
         MediumModel::IAPWS},
        {&Form1::mnuRI_Segelstein2_Click, &Form1::mnuRI_Segelstein2, "Water", "Medium: Water (Segelstein)",
         MediumModel::Segelstein},
        {&Form1::mnuRI_User2_Click, &Form1::mnuRI_User2, "Glass", "Medium: Glass", MediumModel::User},
        {&Form1::mnuRI_Vacuum2_Click, &Form1::mnuRI_Vacuum2, "a vacuum", "Medium: Vacuum",
         MediumModel::Vacuum},
    };
    for (const MediumCase& c : cases) {
        SCOPED_TRACE(c.status);
        (f().*c.handler)();
        EXPECT_EQ(checkedOf(mediumItems()), std::vector<std::string>{(f().*c.item).caption()});
        EXPECT_EQ(checkedOf(sphereItems()), std::vector<std::string>{"Vacuum"});
        EXPECT_EQ(f().indexState.mediumName, c.name);
        EXPECT_EQ(f().lblRI_Medium.caption(), c.status);
        EXPECT_EQ(f().txtRefractReal.text(), EngineM(SphereModel::Vacuum, c.model));
    }
    // The recompute after the dialog names the medium item by the index engine's rule.
    EXPECT_EQ(f().mnuRI_IAPWS2.caption(), "Water 5C");
    // 1 / n of water at 5 C (IAPWS 1997: n = 1.3325704).
    f().mnuRI_IAPWS2_Click();
    EXPECT_REL_NEAR(Val(f().txtRefractReal.text()), 1.0 / 1.3325704, 1e-7);
}

TEST_F(IndexMenusTest, WaterDialogOkWritesCaptionsDensityAndTheComplexState) {
    onDialog<dlogTemp>([](dlogTemp& d) {
        d.txtTemp.setText("20");
        d.chkRI_Complex.setValue(1);
        d.OKButton.click();
    });
    f().mnuRI_IAPWS_Click();
    EXPECT_EQ(modalCaptions, std::vector<std::string>{"Water properties"});
    EXPECT_FALSE(f().dlogTemp_->visible());
    EXPECT_EQ(f().dlogTemp_->txtDensity.text(), CStr(KellWaterDensity(20)));
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Water (IAPWS 20C Complex)");
    EXPECT_EQ(f().mnuRI_IAPWS.caption(), "IAPWS 20C Complex");
    EXPECT_EQ(f().indexState.waterTemp, 20.0f);
    EXPECT_EQ(f().dlogSegelstein_->chkRI_Complex.value(), 1);
    // The complex index of water at 0.65 um from the built-in table (1.75866e-08).
    EXPECT_EQ(f().txtRefractImag.text(), "1.76E-08");

    // The same water as the medium: the item caption carries "Water ".
    onDialog<dlogTemp>([](dlogTemp& d) { d.OKButton.click(); });
    f().mnuRI_IAPWS2_Click();
    EXPECT_EQ(f().mnuRI_IAPWS2.caption(), "Water 20C Complex");
    EXPECT_EQ(f().lblRI_Medium.caption(), "Medium: Water (IAPWS 20C Complex)");
}

struct TemperatureCase {
    const char* text;
    const char* message;  // nullptr: accepted
    const char* density;  // accepted: the density box
};

TEST_F(IndexMenusTest, WaterTemperatureRange) {
    const TemperatureCase cases[] = {
        {"-1", "Minimum temperature = 0", nullptr},
        {"101", "Maximum temperature = 100", nullptr},
        {"0", nullptr, "0.99983952"},
        {"abc", nullptr, "0.99983952"},  // no number reads as 0
        {"5", nullptr, nullptr},
        {"100", nullptr, nullptr},
    };
    dlogTemp& d = *f().dlogTemp_;
    for (const TemperatureCase& c : cases) {
        SCOPED_TRACE(c.text);
        messages.clear();
        const std::string before = d.txtDensity.text();
        d.txtTemp.setText(c.text);
        if (c.message) {
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_EQ(messages.last().prompt, c.message);
            EXPECT_EQ(messages.last().title, "Input error");
            EXPECT_EQ(d.txtTemp.backColor(), kRed);
            EXPECT_EQ(d.txtDensity.text(), before);
        } else {
            EXPECT_TRUE(messages.shown().empty());
            EXPECT_EQ(d.txtTemp.backColor(), kWhite);
            EXPECT_EQ(d.txtDensity.text(), c.density ? c.density : CStr(KellWaterDensity(Val(c.text))));
        }
    }
    EXPECT_NEAR(Val(d.txtDensity.text()), 0.958, 5e-4);
    d.txtTemp.setText("5");
    EXPECT_NEAR(Val(d.txtDensity.text()), 0.99996382125, 5e-12);
}

TEST_F(IndexMenusTest, WaterDialogRefusesOkWhileTheTemperatureIsRejected) {
    bool stayedOpen = false;
    onDialog<dlogTemp>([&](dlogTemp& d) {
        d.txtTemp.setText("-1");
        d.OKButton.click();
        stayedOpen = d.visible();
        d.txtTemp.setText("30");
        d.OKButton.click();
    });
    f().mnuRI_IAPWS_Click();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Water (IAPWS 30C)");
    EXPECT_EQ(f().mnuRI_IAPWS.caption(), "IAPWS 30C");

    // Closed from code with a rejected temperature: the one it was opened with stays.
    onDialog<dlogTemp>([](dlogTemp& d) {
        d.txtTemp.setText("150");
        d.hide();
    });
    f().mnuRI_IAPWS_Click();
    EXPECT_EQ(f().dlogTemp_->txtTemp.text(), "30");
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Water (IAPWS 30C)");
    EXPECT_EQ(f().indexState.waterTemp, 30.0f);
}

// The water dialog's density is in g/cm3, as its label says. One outside the range of the IAPWS formula
// (0 < rho <= 1.06) is refused at OK with a message naming the box, which turns red, and the dialog stays
// open; a density inside it is taken, and the next run computes with it.
TEST_F(IndexMenusTest, WaterDialogRefusesADensityOutsideTheFormulasRange) {
    Form1& w = started();
    EXPECT_EQ(w.dlogTemp_->Label2.caption(), "Density (g/cm3)");
    for (const char* density : {"999.97", "0", "-0.5", "1.0601", "1E+300"}) {
        SCOPED_TRACE(density);
        std::vector<std::string> shown;
        bool red = false, open = false;
        onDialog<dlogTemp>([&](dlogTemp& d) {
            d.txtDensity.setText(density);
            messages.clear();
            d.OKButton.click();
            for (const auto& m : messages.shown()) shown.push_back(m.title + ": " + m.prompt);
            red = d.txtDensity.backColor() == kRed, open = d.visible();
            d.txtDensity.setText("0.9982");
            d.OKButton.click();
        });
        Choose(w.mnuRI_IAPWS);
        EXPECT_EQ(shown,
                  std::vector<std::string>{"Input error: Density (g/cm3) must be above 0 and at most 1.06"});
        EXPECT_TRUE(red && open);
        EXPECT_EQ(w.dlogTemp_->txtDensity.backColor(), kWhite);
        messages.clear();
        Press(w.cmdNewPlot);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_EQ(w.runRecord.indexModels.water.waterDensity, 0.9982f);
    }
}

TEST_F(IndexMenusTest, UserSphereOkTakesTheNewMaterialAndRecomputes) {
    onDialog<dlogRI_User1>([](dlogRI_User1& d) {
        d.txtMaterial1.setText("Flint");
        d.txtRI_1_1.setText("1.6");
        d.txtRI_1_2.setText("1.59");
        d.txtRI_1_3.setText("1.58");
        d.txtRI_1_4.setText("1.57");
        d.OKButton.click();
    });
    f().mnuRI_User1_Click();
    EXPECT_EQ(f().indexState.sphereName, "Flint");
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Flint");
    IndexModels flint;
    flint.sphere = SphereModel::User;
    flint.user1.indices = {1.6f, 1.59f, 1.58f, 1.57f};
    EXPECT_EQ(f().txtRefractReal.text(), Format(refrel(flint, 0.65).relIndexRe, "0.00000000"));
}

TEST_F(IndexMenusTest, CancelLeavesTheChoiceAndTheValuesAsTheyWere) {
    // A material confirmed earlier survives a later Cancel (it is not reset to the start values).
    onDialog<dlogRI_User1>([](dlogRI_User1& d) {
        d.txtMaterial1.setText("Flint");
        d.txtRI_1_4.setText("1.57");
        d.OKButton.click();
    });
    f().mnuRI_User1_Click();
    f().mnuRI_Cowley_Click();
    const std::string shown = f().txtRefractReal.text();

    onDialog<dlogRI_User1>([](dlogRI_User1& d) {
        d.txtMaterial1.setText("Crown");
        d.txtRI_lambda1_1.setText("0.4");
        d.txtRI_1_4.setText("1.2");
        d.CancelButton.click();
    });
    f().mnuRI_User1_Click();
    EXPECT_EQ(checkedOf(sphereItems()), std::vector<std::string>{"Cowley"});
    EXPECT_EQ(f().indexState.sphereName, "Water");
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Water (Cowley)");
    EXPECT_EQ(f().txtRefractReal.text(), shown);
    EXPECT_EQ(f().dlogRI_User1_->txtMaterial1.text(), "Flint");
    EXPECT_EQ(f().dlogRI_User1_->txtRI_lambda1_1.text(), "0.43584");
    EXPECT_EQ(f().dlogRI_User1_->txtRI_1_4.text(), "1.57");

    // The medium dialog, closed by the title bar.
    f().mnuRI_Vacuum2_Click();
    onDialog<dlogRI_User2>([](dlogRI_User2& d) {
        d.txtMaterial2.setText("Oil");
        d.window()->close();
    });
    f().mnuRI_User2_Click();
    EXPECT_EQ(checkedOf(mediumItems()), std::vector<std::string>{"Vacuum"});
    EXPECT_EQ(f().indexState.mediumName, "a vacuum");
    EXPECT_EQ(f().lblRI_Medium.caption(), "Medium: Vacuum");
    EXPECT_EQ(f().dlogRI_User2_->txtMaterial2.text(), "Glass");
    EXPECT_EQ(f().dlogRI_User2_->txtRI_1_1.text(), " 1.5301");
}

TEST_F(IndexMenusTest, RayAndSegelsteinComplexBoxesMoveTogether) {
    onDialog<dlogRay>([](dlogRay& d) {
        d.chkRI_Complex.setValue(1);
        d.OKButton.click();
    });
    f().mnuRI_Ray_Click();
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Water (Ray Complex)");
    EXPECT_EQ(f().mnuRI_Ray.caption(), "Ray Complex");
    EXPECT_EQ(f().dlogTemp_->chkRI_Complex.value(), 1);
    EXPECT_EQ(f().dlogSegelstein_->chkRI_Complex.value(), 1);

    // Cancel in the Ray dialog: the previous model and the box as they were.
    f().mnuRI_Gedzelman_Click();
    onDialog<dlogRay>([](dlogRay& d) {
        d.chkRI_Complex.setValue(0);
        d.CancelButton.click();
    });
    f().mnuRI_Ray_Click();
    EXPECT_EQ(checkedOf(sphereItems()), std::vector<std::string>{"Gedzelman"});
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Water (Gedzelman)");
    EXPECT_EQ(f().dlogRay_->chkRI_Complex.value(), 1);

    // Segelstein with its box ticked shows k and the complex captions.
    onDialog<dlogSegelstein>([](dlogSegelstein& d) { d.OKButton.click(); });
    f().mnuRI_Segelstein_Click();
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Water (Segelstein Complex)");
    EXPECT_EQ(f().mnuRI_Segelstein.caption(), "Segelstein Complex");
    EXPECT_EQ(f().txtRefractImag.text(), "1.67E-08");
    onDialog<dlogSegelstein>([](dlogSegelstein& d) {
        d.chkRI_Complex.setValue(0);
        d.OKButton.click();
    });
    f().mnuRI_Segelstein2_Click();
    EXPECT_EQ(f().lblRI_Medium.caption(), "Medium: Water (Segelstein)");
    EXPECT_EQ(f().mnuRI_Segelstein2.caption(), "Segelstein");
    EXPECT_EQ(f().dlogTemp_->chkRI_Complex.value(), 0);
}

TEST_F(IndexMenusTest, AirDialogFollowsTheTypedTemperature) {
    onDialog<dlogAir>([this](dlogAir& d) {
        d.txtAirTemp.setText("25");
        // The index follows at once, before OK.
        EXPECT_EQ(f().txtRefractReal.text(), Format(AirRe(0.65, 25.0f), "0.00000000"));
        d.OKButton.click();
    });
    f().mnuRI_Air1_Click();
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Air 25C");
    EXPECT_EQ(f().mnuRI_Air1.caption(), "Air 25C");
    onDialog<dlogAir>([](dlogAir& d) { d.OKButton.click(); });
    f().mnuRI_Air2_Click();
    EXPECT_EQ(f().lblRI_Medium.caption(), "Medium: Air 25C");
    EXPECT_EQ(f().mnuRI_Air2.caption(), "Air 25C");
    EXPECT_EQ(f().txtRefractReal.text(), "1.00000000");
}

TEST_F(IndexMenusTest, ResultsFromFileSkipTheParameterDialogsButNotTheUserOnes) {
    f().dlogTemp_->txtTemp.setText("20");
    f().dlogAir_->txtAirTemp.setText("12");
    f().runFlags.resultsFromFile = 1;
    f().mnuRI_IAPWS_Click();
    f().mnuRI_Segelstein_Click();
    f().mnuRI_Ray_Click();
    f().mnuRI_Air2_Click();
    f().mnuRI_IAPWS2_Click();
    EXPECT_TRUE(modalCaptions.empty());
    f().mnuRI_IAPWS_Click();
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Water (IAPWS 20C)");
    EXPECT_EQ(f().indexState.waterTemp, 20.0f);
    f().mnuRI_Air1_Click();
    EXPECT_EQ(f().indexState.waterTemp, 12.0f);
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Air 12C");
    EXPECT_TRUE(modalCaptions.empty());
    f().mnuRI_User2_Click();
    EXPECT_EQ(modalCaptions, std::vector<std::string>{"User-defined medium"});
}

TEST_F(IndexMenusTest, CancelledIndexFilesChangeNothing) {
    for (Handler h : {&Form1::mnuRI_File1_Click, &Form1::mnuRI_File2_Click}) {
        messages.clear();
        (f().*h)();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "No file was selected");
        EXPECT_EQ(messages.last().title, "Open a file");
    }
    EXPECT_EQ(checkedOf(sphereItems()), std::vector<std::string>{"IAPWS 5C"});
    EXPECT_EQ(checkedOf(mediumItems()), std::vector<std::string>{"Vacuum"});
    EXPECT_EQ(f().indexState.sphereName, " Water");
    EXPECT_EQ(f().txtRefractReal.text(), "1.5");
}

TEST_F(IndexMenusTest, ModelMenusAreRefusedWhileARunHasTheInputsLocked) {
    f().windowState.inputsLocked = true;
    f().mnuRI_Au.onClick();
    f().mnuRI_Air2.onClick();
    EXPECT_EQ(checkedOf(sphereItems()), std::vector<std::string>{"IAPWS 5C"});
    EXPECT_EQ(checkedOf(mediumItems()), std::vector<std::string>{"Vacuum"});
    f().windowState.inputsLocked = false;
    f().mnuRI_Au.onClick();
    EXPECT_EQ(checkedOf(sphereItems()), std::vector<std::string>{"Gold"});
}

TEST_F(Form1Test, RestoreDefaultsChoosesIapwsWaterInAVacuum) {
    Form1& f = started();
    f.mnuRI_Au_Click();
    f.mnuRI_Air2_Click();
    f.dlogTemp_->chkRI_Complex.setValue(1);
    modalCaptions.clear();

    f.cmdDefault.click();

    EXPECT_TRUE(f.mnuRI_IAPWS.checked());
    EXPECT_FALSE(f.mnuRI_Au.checked());
    EXPECT_TRUE(f.mnuRI_Vacuum2.checked());
    EXPECT_FALSE(f.mnuRI_Air2.checked());
    EXPECT_EQ(f.indexState.sphereName, "Water");
    EXPECT_EQ(f.indexState.mediumName, "a vacuum");
    EXPECT_EQ(f.lblSphere.caption(), "Sphere: Water (IAPWS 5C Complex)");
    // The wavelength written afterwards recomputes m, which names the vacuum by mediumName.
    EXPECT_EQ(f.lblRI_Medium.caption(), "Medium: a vacuum");
    EXPECT_NE(std::find(modalCaptions.begin(), modalCaptions.end(), "Water properties"), modalCaptions.end());
}

}  // namespace
}  // namespace tessary::test
