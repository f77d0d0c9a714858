// The wavelength box, the relative index and the sun-disc weights through the main window: the index
// shown for the water formulae (IAPWS release 1997 values, the four polynomials), the band messages
// naming the model, the "U.V."/"I.R." labels, a missing index reported once per run with the boxes
// left as they were, the captions the models carry, and the weights over the sun's disc.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/text/conversions.h"
#include "tests/mainwindow/form1_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary::test {
namespace {

constexpr OleColor kRed = 255;
constexpr OleColor kYellow = 65535;
constexpr OleColor kWhite = 16777215;

// The designed window with the start-up models (IAPWS water at 5 C in a vacuum) and one wavelength;
// handlers are called directly (a window that is not loaded raises none).
class WavelengthTest : public Form1Test {
  protected:
    WavelengthTest() {
        Form1& f = designedWithValidInputs();
        f.calc.waveCount = 1;
        f.indexState.waterTemp = 5.0f;
        f.indexState.sphereName = " Water";
        f.indexState.mediumName = "a vacuum ";
        f.txtRefractReal.setText("1.5");
        f.txtRefractImag.setText("0");
    }
    Form1& f() { return *form; }

    // Enters a wavelength and runs the change handler.
    void enter(const std::string& lambda) {
        f().txtLambda.setText(lambda);
        f().txtLambda_change();
    }
    // Checks one sphere item as the model menus do (the others unchecked).
    void chooseSphere(Menu& item, const std::string& name) {
        for (Menu* m :
             {&f().mnuRI_IAPWS, &f().mnuRI_Cowley, &f().mnuRI_Segelstein, &f().mnuRI_Ray, &f().mnuRI_Lynch,
              &f().mnuRI_KayeLaby, &f().mnuRI_Gedzelman, &f().mnuRI_Au, &f().mnuRI_Ag, &f().mnuRI_Cu,
              &f().mnuRI_Air1, &f().mnuRI_Vacuum1, &f().mnuRI_User1, &f().mnuRI_File1})
            m->setChecked(false);
        item.setChecked(true);
        f().indexState.sphereName = name;
    }
    void chooseMedium(Menu& item) {
        for (Menu* m : {&f().mnuRI_Air2, &f().mnuRI_Vacuum2, &f().mnuRI_File2, &f().mnuRI_IAPWS2,
                        &f().mnuRI_User2, &f().mnuRI_Segelstein2})
            m->setChecked(false);
        item.setChecked(true);
    }
};

TEST_F(WavelengthTest, IapwsWaterAtStartUpWavelength) {
    enter("0.65");
    EXPECT_EQ(f().txtRefractReal.text(), "1.33257035");
    EXPECT_EQ(f().txtRefractImag.text(), "0");
    EXPECT_REL_NEAR(f().indexState.sphereRe, 1.3325704, 1e-7);
    EXPECT_EQ(f().indexState.mediumRe, 1.0);
    EXPECT_EQ(f().indexState.relIndexIm, 0.0);
    EXPECT_EQ(f().txtLambda.backColor(), kYellow);
    EXPECT_EQ(f().Label4.caption(), "     ");
    EXPECT_EQ(f().results.qSca, 0.0);
    EXPECT_EQ(f().runFlags.resultsStale, 1);
    EXPECT_TRUE(f().cmdOverPlot.enabled());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(WavelengthTest, NewWavelengthRecomputesTheIndex) {
    enter("0.65");
    enter("0.5");
    EXPECT_EQ(f().txtRefractReal.text(), "1.33772242");
    EXPECT_EQ(f().calc.wavelength, 0.5);
}

TEST_F(WavelengthTest, IapwsTemperatureAndDensityFromTheWaterDialog) {
    f().dlogTemp_->txtTemp.setText("20");
    f().dlogTemp_->txtDensity.setText("0.9982");
    enter("0.589");
    EXPECT_EQ(f().txtRefractReal.text(), "1.33335614");  // 1.3333561
    EXPECT_EQ(f().indexState.waterTemp, 20.0f);
    EXPECT_EQ(f().indexState.waterDensity, 0.9982f);
}

TEST_F(WavelengthTest, ComplexIapwsSphereShowsItsImaginaryPart) {
    f().dlogTemp_->chkRI_Complex.setValue(1);
    enter("0.65");
    EXPECT_EQ(f().txtRefractImag.text(), "1.76E-08");  // t(108) = 1.75866e-08
    EXPECT_REL_NEAR(f().indexState.relIndexIm, 1.75866e-08, 1e-5);
    EXPECT_EQ(f().txtRefractImag.backColor(), kWhite);
}

struct PolynomialCase {
    Menu Form1::*item;
    const char* shown;
};

TEST_F(WavelengthTest, WaterPolynomialsAtSixHundredFiftyNanometres) {
    const PolynomialCase cases[] = {
        {&Form1::mnuRI_Cowley, "1.33195529"},
        {&Form1::mnuRI_KayeLaby, "1.33130092"},
        {&Form1::mnuRI_Lynch, "1.33182142"},
        {&Form1::mnuRI_Gedzelman, "1.33150000"},
    };
    for (const PolynomialCase& c : cases) {
        chooseSphere(f().*c.item, "Water");
        enter("0.65");
        EXPECT_EQ(f().txtRefractReal.text(), c.shown) << (f().*c.item).caption();
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(WavelengthTest, SegelsteinTableWithItsImaginaryPart) {
    chooseSphere(f().mnuRI_Segelstein, "Water");
    f().dlogSegelstein_->chkRI_Complex.setValue(1);
    enter("0.65");
    EXPECT_EQ(f().txtRefractReal.text().substr(0, 8), "1.330687");  // 1.3306874
    EXPECT_EQ(f().txtRefractImag.text(), "1.67E-08");               // 1.6725e-08
}

struct BandCase {
    Menu Form1::*item;
    const char* name;
    const char* lambda;
    const char* prompt;
    const char* title;
};

TEST_F(WavelengthTest, BandMessagesNameTheModel) {
    const BandCase cases[] = {
        {&Form1::mnuRI_Au, "Gold", "2",
         "The values for refractive index of Gold are valid only for the 187 - 1935 nm band",
         "Refractive index of Gold"},
        {&Form1::mnuRI_IAPWS, " Water", "11",
         "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band",
         "Refractive index of water"},
        {&Form1::mnuRI_Segelstein, "Water", "0.005",
         "Segelstein's values for refractive index of water are valid only for the 0.01 um - 10 m band",
         "Refractive index of water"},
        {&Form1::mnuRI_Cowley, "Water", "0.3799",
         "Cowley's values for refractive index of water are valid only for the 0.38 - 0.7 um band",
         "Refractive index of water"},
        {&Form1::mnuRI_Lynch, "Water", "0.71",
         "Lynch & Livingston's values for refractive index of water are valid only for the 0.38 - 0.7 um "
         "band",
         "Refractive index of water"},
    };
    for (const BandCase& c : cases) {
        chooseSphere(f().*c.item, c.name);
        f().txtRefractReal.setText("1.25");
        messages.clear();
        enter(c.lambda);
        ASSERT_EQ(messages.shown().size(), 1u) << c.lambda;
        EXPECT_EQ(messages.last().prompt, c.prompt);
        EXPECT_EQ(messages.last().title, c.title);
        EXPECT_EQ(messages.last().style, 0);
        EXPECT_EQ(f().txtLambda.backColor(), kRed);
        EXPECT_EQ(f().txtRefractReal.text(), "1.25");  // no new index
    }
}

TEST_F(WavelengthTest, BandEndsAreInside) {
    chooseSphere(f().mnuRI_Au, "Gold");
    for (const char* lambda : {"0.187878", "1.93479"}) enter(lambda);
    chooseSphere(f().mnuRI_Cowley, "Water");
    for (const char* lambda : {"0.38", "0.7"}) enter(lambda);
    chooseSphere(f().mnuRI_IAPWS, " Water");
    for (const char* lambda : {"0.15", "2"}) enter(lambda);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(WavelengthTest, IapwsMediumGivesItsBandToAnySphere) {
    chooseSphere(f().mnuRI_Segelstein, "Water");
    chooseMedium(f().mnuRI_IAPWS2);
    enter("12");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().title, "Refractive index of water");
    EXPECT_EQ(messages.last().prompt.substr(0, 5), "IAPWS");
}

TEST_F(WavelengthTest, UltravioletAndInfraredLabels) {
    chooseSphere(f().mnuRI_Ray, "Water");
    enter("0.3");
    EXPECT_EQ(f().Label4.caption(), "U.V.");
    EXPECT_EQ(f().Label4.backColor(), kWhite);
    enter("0.8");
    EXPECT_EQ(f().Label4.caption(), "I.R.");
    for (const char* lambda : {"0.38", "0.7", "0.5"}) {
        enter(lambda);
        EXPECT_EQ(f().Label4.caption(), "     ") << lambda;
    }
}

TEST_F(WavelengthTest, ImaginaryPartTexts) {
    // a medium of real index 1 and a user sphere have no k; a complex Segelstein sphere at 2.5 um has
    // k above 0.01, shown as plain digits
    chooseSphere(f().mnuRI_Segelstein, "Water");
    f().dlogSegelstein_->chkRI_Complex.setValue(1);
    enter("3");
    const double k = f().indexState.relIndexIm;
    ASSERT_GE(k, 0.01);
    EXPECT_EQ(f().txtRefractImag.text(), CStr(k));
    EXPECT_EQ(f().txtRefractImag.text().find('E'), std::string::npos);
}

TEST_F(WavelengthTest, IgnoredWithoutAWavelengthOrWithSeveral) {
    const OleColor before = f().txtLambda.backColor();
    enter("abc");
    EXPECT_EQ(f().txtRefractReal.text(), "1.5");
    EXPECT_EQ(f().txtLambda.backColor(), before);
    f().calc.waveCount = 3;
    enter("0.5");
    EXPECT_EQ(f().calc.wavelength, 0.5);
    EXPECT_EQ(f().txtRefractReal.text(), "1.5");
    EXPECT_EQ(f().runFlags.resultsStale, 0);
}

TEST_F(WavelengthTest, NegativeWavelengthIsRefused) {
    f().runFlags.inputError = 1;  // left by an earlier refusal: the checks start afresh
    enter("0.65");
    EXPECT_EQ(f().txtRefractReal.text(), "1.33257035");
    enter("-0.5");
    EXPECT_EQ(f().txtLambda.backColor(), kRed);
    EXPECT_EQ(f().txtRefractReal.text(), "1.33257035");
}

// Outside the IAPWS sphere's window the index shown stays, the box is red with the band message.
TEST_F(WavelengthTest, IapwsSphereOutsideItsWindowIsReported) {
    for (const char* lambda : {"0.1", "2.5"}) {
        messages.clear();
        enter(lambda);
        EXPECT_EQ(f().txtRefractReal.text(), "1.5") << lambda;
        EXPECT_EQ(f().txtLambda.backColor(), kRed);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt,
                  "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band");
    }
}

TEST_F(WavelengthTest, FileLoadingLeavesTheBoxColour) {
    f().runFlags.resultsFromFile = 1;
    f().txtLambda.setBackColor(kWhite);
    enter("0.65");
    EXPECT_EQ(f().txtLambda.backColor(), kWhite);
    EXPECT_EQ(f().txtRefractReal.text(), "1.33257035");
}

TEST_F(WavelengthTest, BelowRaysTableIsRefusedAndTheBoxesStay) {
    chooseSphere(f().mnuRI_Ray, "Water");
    f().txtRefractImag.setText("0.25");
    enter("0.15");  // below Ray's table: its band check refuses it first
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt,
              "Ray's values for refractive index of water are valid only for the 0.2  - 30,000 um band");
    EXPECT_EQ(messages.last().title, "Refractive index of water");
    EXPECT_EQ(f().txtRefractReal.text(), "1.5");
    EXPECT_EQ(f().txtRefractImag.text(), "0.25");
    EXPECT_EQ(f().txtLambda.backColor(), kRed);
    EXPECT_EQ(f().codes.runState, 0);  // no run to end
}

TEST_F(WavelengthTest, NoSphereItemCheckedIsUndefined) {
    f().mnuRI_IAPWS.setChecked(false);
    EXPECT_FALSE(f().refrel(0.65).has_value());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "Help! RI of sphere undefined");
}

TEST_F(WavelengthTest, MissingIndexEndsARunWithOneMessage) {
    chooseSphere(f().mnuRI_Ray, "Water");
    f().windowState.inputsLocked = true;  // a run is under way
    f().codes.runState = 1;
    f().indexState.relIndexIm = 0.5;
    for (double lambda : {0.15, 0.16, 0.17}) EXPECT_FALSE(f().refrel(lambda).has_value());
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(f().codes.runState, 4);
    EXPECT_EQ(f().indexState.relIndexIm, 0.5);
}

TEST_F(WavelengthTest, IapwsMediumInsideItsPoleBandIsRefusedByItsBand) {
    chooseSphere(f().mnuRI_Vacuum1, "Vacuum");
    chooseMedium(f().mnuRI_IAPWS2);
    enter("0.65");
    const std::string before = f().txtRefractReal.text();
    enter("3.2");  // the square root has no real value from about 3.1335 to 3.2638 um
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt,
              "IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band");
    EXPECT_EQ(f().txtRefractReal.text(), before);
}

TEST_F(WavelengthTest, VacuumSphereInVacuumIsOne) {
    chooseSphere(f().mnuRI_Vacuum1, "Vacuum");
    enter("0.65");
    EXPECT_EQ(f().txtRefractReal.text(), "1.00000000");
    EXPECT_EQ(f().lblRI_Medium.caption(), "Medium: a vacuum ");
}

TEST_F(WavelengthTest, MediumCaptionsFollowTheModels) {
    chooseMedium(f().mnuRI_Air2);
    f().dlogAir_->txtAirTemp.setText("15");
    enter("0.65");
    EXPECT_EQ(f().mnuRI_Air2.caption(), "Air 15C");
    EXPECT_EQ(f().lblRI_Medium.caption(), "Medium: Air 15C");
    EXPECT_EQ(f().indexState.waterTemp, 15.0f);
    chooseMedium(f().mnuRI_IAPWS2);
    enter("0.6");
    EXPECT_EQ(f().mnuRI_IAPWS2.caption(), "Water 5C");
    f().dlogTemp_->chkRI_Complex.setValue(1);
    enter("0.65");
    EXPECT_EQ(f().mnuRI_IAPWS2.caption(), "Water 5C Complex");
}

TEST_F(WavelengthTest, UserSphereTakesTheDialogName) {
    chooseSphere(f().mnuRI_User1, "Glass");
    f().dlogRI_User1_->txtMaterial1.setText("Flint");
    enter("0.58756");
    EXPECT_EQ(f().indexState.sphereName, "Flint");
    EXPECT_EQ(f().lblSphere.caption(), "Sphere: Flint");
    EXPECT_NEAR(Val(f().txtRefractReal.text()), 1.5192, 1e-6);  // the cubic through its own point
}

TEST_F(WavelengthTest, ChangeEventOfTheLoadedWindowRecomputes) {
    Form1& w = started();
    EXPECT_EQ(w.txtRefractReal.text(), "1.33257035");
    w.txtLambda.setText("0.5");
    EXPECT_EQ(w.txtRefractReal.text(), "1.33772242");
    EXPECT_EQ(w.txtLambda.backColor(), kYellow);
}

struct SunCase {
    const char* step;
    bool rectangular;
    int steps;
    double sum;
};

TEST_F(WavelengthTest, SunDiscWeights) {
    const SunCase cases[] = {
        {"0.1", false, 2, 4.0330303}, {"0.05", false, 5, 7.5926221}, {"0.3", false, 0, 1.0},
        {"0.1", true, 2, 5.0},        {"0", false, 0, 1.0},          {"-1", false, 0, 1.0},
    };
    for (const SunCase& c : cases) {
        f().cboStep.setText(c.step);
        f().mnuSun.setChecked(c.rectangular);
        f().SunCorrection();
        EXPECT_EQ(f().light.sunDiscSteps, c.steps) << c.step;
        EXPECT_REL_NEAR(f().light.sunDiscWeightSum, c.sum, 1e-7) << c.step;
        ASSERT_EQ(f().light.sunDiscWeights.size(), static_cast<std::size_t>(c.steps + 2)) << c.step;
        EXPECT_EQ(f().light.sunDiscWeights.front(), 0.0);
        EXPECT_EQ(f().light.sunDiscWeights.back(), 0.0);
    }
    f().cboStep.setText("0.1");
    f().mnuSun.setChecked(false);
    f().SunCorrection();
    ASSERT_GE(f().light.sunDiscWeights.size(), 3u);
    EXPECT_REL_NEAR(f().light.sunDiscWeights[1], std::sqrt(0.84), 1e-15);
    EXPECT_REL_NEAR(f().light.sunDiscWeights[2], 0.6, 1e-15);
    EXPECT_EQ(f().light.sizeOrStep, 0.1);
}

}  // namespace
}  // namespace tessary::test
