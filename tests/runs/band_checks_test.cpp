// The band checks of the index models and spectra in CheckInput: one wavelength against the sphere's
// model and its index file, the spectrum band of several wavelengths (the band dialog's boxes painted
// and the dialog opened), and the bands of a wavelength axis.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/runs/run_checks_support.h"

namespace tessary::test {
namespace {

using Red = std::vector<std::string>;

class BandChecksTest : public RunChecksTest {
  protected:
    BandChecksTest() {
        runtime.setModalHook([this](Form& d) {
            ++dialogs;
            d.hide();
        });
    }
    // The sphere model alone checked; the first message after the checks ("" when none).
    std::string checkWith(Menu Form1::*model) {
        for (Menu* m : {&f.mnuRI_IAPWS, &f.mnuRI_Cowley, &f.mnuRI_Segelstein, &f.mnuRI_Ray, &f.mnuRI_Au,
                        &f.mnuRI_File1})
            m->setChecked(false);
        (f.*model).setChecked(true);
        shown.clear();
        dialogs = 0;
        check();
        return shown.empty() ? std::string() : shown[0].prompt;
    }
    bool red(TextBox& box) { return box.backColor() == kRedBox; }
    int dialogs = 0;
};

TEST_F(BandChecksTest, OneWavelength) {
    f.indexState.sphereName = "Gold";
    for (const auto& [model, lambda, complex, prompt] :
         {std::tuple{
              &Form1::mnuRI_Cowley, "0.2", 0,
              "Cowley's values for refractive index of water are valid only for the 0.38 - 0.7 um band"},
          {&Form1::mnuRI_IAPWS, "0.2", 0, ""},
          {&Form1::mnuRI_IAPWS, "0.2", 1,
           "Complex values with IAPWS are available only for 0.38 - 0.7 um band.  Use Segelstein for UV or "
           "IR bands"},
          {&Form1::mnuRI_Au, "0.1", 0,
           "The values for refractive index of Gold are valid only for the 187 - 1935 nm band"}}) {
        f.dlogTemp_->chkRI_Complex.setValue(complex);
        f.txtLambda.setText(lambda);
        f.txtLambda.setBackColor(kWhiteBox);
        EXPECT_EQ(checkWith(model), prompt) << lambda;
        EXPECT_EQ(red(f.txtLambda), std::string(prompt) != "");
    }
    f.dlogTemp_->chkRI_Complex.setValue(0);
    f.indexState.sphereName = "glass";
    f.indexState.indexModels.fileIndices1 = {{0.4f, 1.5f, 0}, {0.8f, 1.48f, 0}};
    f.txtLambda.setText("0.9");
    EXPECT_EQ(
        checkWith(&Form1::mnuRI_File1),
        "Values for refractive index of glass are valid only for the band  400 -  800 nm ( .4 -  .8 um)");
    EXPECT_EQ(shown[0].title, "Refractive index of glass");
    f.txtLambda.setText("0.8");
    EXPECT_EQ(checkWith(&Form1::mnuRI_File1), "");
}

TEST_F(BandChecksTest, SeveralWavelengths) {
    f.calc.waveCount = 3;
    f.cboWave.setText("RGB");
    TextBox& lo = f.dlogSpectrumBand_->txtSpectrumMin;
    TextBox& hi = f.dlogSpectrumBand_->txtSpectrumMax;
    for (
        const auto& [spectrum, model, from, to, prompt, loRed, hiRed] :
        {std::tuple{&Form1::mnuSpectrumLee, &Form1::mnuRI_Segelstein, "300", "800",
                    "Lee's spectrum of sunlight is valid only for 380 nm to 700 nm band", true, true},
         {&Form1::mnuSpectrumWernand, &Form1::mnuRI_Segelstein, "300", "800",
          "Wernand's spectrum of sunlight is valid only for 350 nm to 1000 nm band", true, false},
         {&Form1::mnuSpectrumWernand, &Form1::mnuRI_IAPWS, "400", "900", "", false, false},
         {&Form1::mnuSpectrumFlat, &Form1::mnuRI_Ray, "150", "800",
          "Ray's values for refractive index of water are valid only for the 0.2 um - 0.03m band", true,
          false},
         // No band: the message names the dialog's boxes, which are out of sight until it opens.
         {&Form1::mnuSpectrumFlat, &Form1::mnuRI_Ray, "0", "800",
          "The Lower limit (nm) of the Spectrum limits dialog must be above 0. The dialog opens with the "
          "incorrect entries red.",
          true, false},
         {&Form1::mnuSpectrumFlat, &Form1::mnuRI_Ray, "700", "500",
          "The Lower limit (nm) of the Spectrum limits dialog must be below its Upper limit (nm). The dialog "
          "opens with the incorrect entries red.",
          true, true}}) {
        for (Menu* m : {&f.mnuSpectrumLee, &f.mnuSpectrumWernand, &f.mnuSpectrumFlat}) m->setChecked(false);
        (f.*spectrum).setChecked(true);
        lo.setText(from);
        hi.setText(to);
        lo.setBackColor(kWhiteBox);
        hi.setBackColor(kWhiteBox);
        EXPECT_EQ(checkWith(model), prompt) << from;
        EXPECT_EQ(red(lo), loRed) << from;
        EXPECT_EQ(red(hi), hiRed) << from;
        EXPECT_EQ(dialogs, std::string(prompt).empty() ? 0 : 1);  // the band dialog opened
    }
}

TEST_F(BandChecksTest, WavelengthAxis) {
    for (const auto& [code, sub, model, from, to, redBox] :
         {std::tuple{10, 0, &Form1::mnuRI_IAPWS, "100", "900", "txtXmin"},
          {15, 1, &Form1::mnuRI_IAPWS, "400", "2100", "txtXmax"},
          {16, 3, &Form1::mnuRI_IAPWS, "10", "100000", "txtXmin"},
          {10, 0, &Form1::mnuRI_Au, "400", "1935", "txtXmax"}}) {
        setDefaults();
        sweep(code, sub, "", from, to, "10");
        const std::string prompt = checkWith(model);
        EXPECT_EQ(shown.empty() ? Red{} : shown[0].red, std::string(redBox).empty() ? Red{} : Red{redBox})
            << prompt;
    }
}

}  // namespace
}  // namespace tessary::test
