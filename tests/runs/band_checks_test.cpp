// The band checks of the index models and spectra in CheckInput: one wavelength against the sphere's
// model, the spectrum band of several wavelengths against the spectrum and the models (with the boxes
// of the band dialog painted and the dialog opened), the index files' bands with their number texts,
// and the bands of a wavelength axis.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/runs/run_checks_support.h"

namespace tessary::test {
namespace {

const std::string kWaterTitle = "Refractive index of water";

class BandChecksTest : public RunChecksTest {
  protected:
    BandChecksTest() {
        runtime.setModalHook([this](Form& d) {
            ++dialogs;
            d.hide();
        });
    }
    // The sphere model alone checked.
    void sphere(Menu Form1::*item) {
        for (Menu* m : {&f.mnuRI_IAPWS, &f.mnuRI_Cowley, &f.mnuRI_Segelstein, &f.mnuRI_Ray, &f.mnuRI_Lynch,
                        &f.mnuRI_KayeLaby, &f.mnuRI_Gedzelman, &f.mnuRI_Au, &f.mnuRI_Ag, &f.mnuRI_Cu,
                        &f.mnuRI_Air1, &f.mnuRI_Vacuum1, &f.mnuRI_User1, &f.mnuRI_File1})
            m->setChecked(false);
        (f.*item).setChecked(true);
    }
    void spectrum(Menu Form1::*item, const std::string& lo, const std::string& hi) {
        for (Menu* m : {&f.mnuSpectrumLee, &f.mnuSpectrumWernand, &f.mnuSpectrumFlat}) m->setChecked(false);
        (f.*item).setChecked(true);
        f.waveCount = 3;
        f.cboWave.setText("RGB");
        f.dlogSpectrumBand_->txtSpectrumMin.setText(lo);
        f.dlogSpectrumBand_->txtSpectrumMax.setText(hi);
        f.dlogSpectrumBand_->txtSpectrumMin.setBackColor(kWhiteBox);
        f.dlogSpectrumBand_->txtSpectrumMax.setBackColor(kWhiteBox);
    }
    bool minRed() { return f.dlogSpectrumBand_->txtSpectrumMin.backColor() == kRedBox; }
    bool maxRed() { return f.dlogSpectrumBand_->txtSpectrumMax.backColor() == kRedBox; }
    int dialogs = 0;
};

struct OneWave {
    const char* name;
    Menu Form1::*model;
    const char* lambda;
    bool complex;
    const char* prompt;  // empty: passes
};

TEST_F(BandChecksTest, OneWavelength) {
    const OneWave cases[] = {
        {"Visible Cowley", &Form1::mnuRI_Cowley, "0.5", false, ""},
        {"Cowley", &Form1::mnuRI_Cowley, "0.2", false,
         "Cowley's values for refractive index of water are valid only for the 0.38 - 0.7 um band"},
        {"Ray", &Form1::mnuRI_Ray, "0.2", false, ""},
        {"IAPWS", &Form1::mnuRI_IAPWS, "0.2", false, ""},
        {"IAPWS complex", &Form1::mnuRI_IAPWS, "0.2", true,
         "Complex values with IAPWS are available only for 0.38 - 0.7 um band.  Use Segelstein for UV or IR "
         "bands"},
        {"Gold", &Form1::mnuRI_Au, "0.1", false,
         "The values for refractive index of Gold are valid only for the 187 - 1935 nm band"},
    };
    for (const OneWave& c : cases) {
        SCOPED_TRACE(c.name);
        setDefaults();
        sphere(c.model);
        f.sphereName = "Gold";
        f.dlogTemp_->chkRI_Complex.setValue(c.complex ? 1 : 0);
        f.txtLambda.setText(c.lambda);
        shown.clear();
        const int flag = check();
        if (std::string(c.prompt).empty()) {
            EXPECT_TRUE(shown.empty()) << shown.front().prompt;
            continue;
        }
        EXPECT_EQ(flag, 1);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].prompt, c.prompt);
        EXPECT_EQ(shown[0].red, std::vector<std::string>{"txtLambda"});
    }
    f.dlogTemp_->chkRI_Complex.setValue(0);
}

TEST_F(BandChecksTest, SphereFileBandPrompt) {
    sphere(&Form1::mnuRI_File1);
    f.sphereName = "glass";
    f.indexModels.fileIndices1 = {{0.4f, 1.5f, 0}, {0.8f, 1.48f, 0}};
    f.txtLambda.setText("0.9");
    EXPECT_EQ(check(), 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].prompt,
              "Values for refractive index of glass are valid only for the band  400 -  800 nm ( .4 -  .8 um)");
    EXPECT_EQ(shown[0].title, "Refractive index of glass");
    EXPECT_TRUE(shown[0].red.empty());
    f.txtLambda.setText("0.8");
    shown.clear();
    check();
    EXPECT_TRUE(shown.empty());
}

struct Band {
    const char* name;
    Menu Form1::*spectrum;
    Menu Form1::*model;
    const char *lo, *hi;
    const char* prompt;  // empty: passes
    bool minRed, maxRed;
};

TEST_F(BandChecksTest, SeveralWavelengths) {
    const Band cases[] = {
        {"Lee", &Form1::mnuSpectrumLee, &Form1::mnuRI_Segelstein, "300", "800",
         "Lee's spectrum of sunlight is valid only for 380 nm to 700 nm band", true, true},
        {"Wernand", &Form1::mnuSpectrumWernand, &Form1::mnuRI_Segelstein, "300", "800",
         "Wernand's spectrum of sunlight is valid only for 350 nm to 1000 nm band", true, false},
        {"Wernand IAPWS", &Form1::mnuSpectrumWernand, &Form1::mnuRI_IAPWS, "400", "900", "", false, false},
        {"Flat Ray", &Form1::mnuSpectrumFlat, &Form1::mnuRI_Ray, "300", "800", "", false, false},
        {"Flat Ray UV", &Form1::mnuSpectrumFlat, &Form1::mnuRI_Ray, "150", "800",
         "Ray's values for refractive index of water are valid only for the 0.2 um - 0.03m band", true, false},
        {"No band", &Form1::mnuSpectrumFlat, &Form1::mnuRI_Ray, "0", "800", kEntryMessage.c_str(), true, false},
    };
    for (const Band& c : cases) {
        SCOPED_TRACE(c.name);
        setDefaults();
        sphere(c.model);
        spectrum(c.spectrum, c.lo, c.hi);
        shown.clear();
        dialogs = 0;
        const int flag = check();
        if (std::string(c.prompt).empty()) {
            EXPECT_TRUE(shown.empty()) << shown.front().prompt;
            continue;
        }
        EXPECT_EQ(flag, 1);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].prompt, c.prompt);
        EXPECT_EQ(minRed(), c.minRed);
        EXPECT_EQ(maxRed(), c.maxRed);
        EXPECT_EQ(dialogs, 1);  // the band dialog is opened
    }
}

TEST_F(BandChecksTest, WavelengthAxis) {
    struct Axis {
        int code, sub;
        Menu Form1::*model;
        const char *lo, *hi;
        const char* red;  // empty: passes
    };
    const Axis cases[] = {{10, 0, &Form1::mnuRI_IAPWS, "100", "900", "txtXmin"},
                          {15, 1, &Form1::mnuRI_IAPWS, "400", "2100", "txtXmax"},
                          {16, 3, &Form1::mnuRI_IAPWS, "10", "100000", "txtXmin"},
                          {16, 3, &Form1::mnuRI_Segelstein, "10", "10000", ""},
                          {10, 0, &Form1::mnuRI_Au, "400", "1935", "txtXmax"}};
    for (const Axis& c : cases) {
        setDefaults();
        sphere(c.model);
        sweep(c.code, c.sub, "", c.lo, c.hi, "10");
        shown.clear();
        check();
        if (std::string(c.red).empty()) {
            for (const ShownBox& b : shown) EXPECT_EQ(b.title, "Input parameters") << b.prompt;
            continue;
        }
        ASSERT_FALSE(shown.empty()) << c.code;
        EXPECT_EQ(shown[0].red, std::vector<std::string>{c.red}) << shown[0].prompt;
    }
}

}  // namespace
}  // namespace tessary::test
