// The wavelength set and the wavelength's colour through the main window: the colour swatch of the
// wavelength box, the set built at start-up, the three-colour and general sets with the weights of
// each illumination (a spectrum file and a black body without a temperature leave them), and the
// true-colour curves of the default graph.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "mainwindow/builtin_tables.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary::test {
namespace {

constexpr OleColor kWhite = 16777215;

// Checks one spectrum item, the others unchecked.
void ChooseSpectrum(Form1& f, Menu& item) {
    for (Menu* m :
         {&f.mnuSpectrumLee, &f.mnuSpectrumWernand, &f.mnuSpectrumFlat, &f.mnuBlackBody, &f.mnuSpectrumFile})
        m->setChecked(false);
    item.setChecked(true);
}

int LinesOfColour(const Form1& f, OleColor colour) {
    return static_cast<int>(std::count_if(f.drawLog().begin(), f.drawLog().end(), [&](const DrawOp& op) {
        return op.kind == DrawOp::Kind::Line && op.colour == colour;
    }));
}

TEST_F(Form1Test, StartUpGivesTheDefaultWavelengthItsColour) {
    Form1& f = started();
    EXPECT_EQ(f.graphColours.waveRed, 255.0);
    EXPECT_EQ(f.graphColours.waveGreen, 0.0);
    EXPECT_EQ(f.graphColours.waveBlue, 0.0);
    EXPECT_EQ(f.Label4.backColor(), 255u);
    EXPECT_EQ(f.Label4.caption(), "     ");
    // The one-wavelength set: entry 1 only.
    EXPECT_EQ(f.waveSet.redPerWave[1], 1.0);
    EXPECT_EQ(f.waveSet.greenPerWave[1], 0.0);
    EXPECT_EQ(f.waveSet.bluePerWave[1], 0.0);
    EXPECT_EQ(f.graphColours.colourPerWave[1], 255.0f);
}

struct SwatchCase {
    const char* lambda;
    OleColor back;
    const char* caption;
};

class SwatchTest : public Form1Test, public ::testing::WithParamInterface<SwatchCase> {};

TEST_P(SwatchTest, TypedWavelengthColoursTheSwatch) {
    Form1& f = started();
    f.txtLambda.setText(GetParam().lambda);
    EXPECT_EQ(f.Label4.backColor(), GetParam().back) << GetParam().lambda;
    EXPECT_EQ(f.Label4.caption(), GetParam().caption) << GetParam().lambda;
}

INSTANTIATE_TEST_SUITE_P(
    Wavelengths, SwatchTest,
    ::testing::Values(SwatchCase{"0.51", 256 * 255, "     "},
                      SwatchCase{"0.49", 256 * 255 + 65536 * 255, "     "},
                      SwatchCase{"0.5", 256 * 255 + 65536 * 128, "     "},  // blue 127.5 rounds to 128
                      SwatchCase{"0.38", 255 + 65536 * 255, "     "},       // red just under 319: 255
                      SwatchCase{"0.7", 255, "     "}, SwatchCase{"0.3", kWhite, "U.V."},
                      SwatchCase{"0.8", kWhite, "I.R."}));

// The next run draws in the typed wavelength's colour (a redraw before it keeps the colour of the run on show).
TEST_F(Form1Test, TypedWavelengthSetsTheTrueLineColour) {
    Form1& f = started();
    f.txtLambda.setText("0.51");
    f.setRecording(true), f.cmdNewPlot.click();
    EXPECT_GT(LinesOfColour(f, 256u * 255u), 100);
    EXPECT_GT(LinesOfColour(f, 256u * 153u), 100);
}

TEST_F(Form1Test, DefaultGraphCurvesTakeTheWavelengthsColour) {
    Form1& f = designed();
    f.setRecording(true);
    f.load();
    ASSERT_TRUE(f.mnuTrueColour.checked());
    ASSERT_EQ(f.cboPol.text(), "Both");
    // 0.65 um is pure red: the perpendicular curve red, the parallel one 60 % of it.
    EXPECT_GT(LinesOfColour(f, 255), 100);
    EXPECT_GT(LinesOfColour(f, 153), 100);
}

// The designed window (no handlers raised) with the built-in spectra.
class WavelengthSetTest : public Form1Test {
  protected:
    WavelengthSetTest() : f(designed()) { f.FillSunTables(); }
    Form1& f;
};

TEST_F(WavelengthSetTest, OneWavelengthColoursEntryOneOnly) {
    f.calc.waveCount = 1;
    f.calc.wavelength = 0.65;
    f.light.bandMinUm = 0.4f;
    f.waveSet.weightPerWave[1] = 0.7f;
    f.waveSet.weightPerWaveWork[1] = 0.6f;
    f.waveSet.waveList[1] = 0.5f;
    f.lambdaN();
    EXPECT_EQ(f.waveSet.redPerWave[1], 1.0);
    EXPECT_EQ(f.waveSet.greenPerWave[1], 0.0);
    EXPECT_EQ(f.waveSet.bluePerWave[1], 0.0);
    EXPECT_EQ(f.graphColours.colourPerWave[1], 255.0f);
    EXPECT_EQ(f.waveSet.weightPerWave[1], 0.7f);
    EXPECT_EQ(f.waveSet.weightPerWaveWork[1], 0.6f);
    EXPECT_EQ(f.waveSet.waveList[1], 0.5f);
    EXPECT_EQ(f.light.bandMinUm, 0.4f);
}

TEST_F(WavelengthSetTest, ThreeColourSetIsPureRedGreenBlue) {
    f.cboWave.setText("RGB");
    f.calc.waveCount = 3;
    f.graphColours.colourPerWave[0] = 12345.0f;
    ChooseSpectrum(f, f.mnuSpectrumFlat);
    f.lambdaN();
    EXPECT_EQ(f.waveSet.waveList[1], 0.65f);
    EXPECT_EQ(f.waveSet.waveList[2], 0.51f);
    EXPECT_EQ(f.waveSet.waveList[3], 0.44f);
    EXPECT_EQ(f.graphColours.colourPerWave[0], 0.0f);
    EXPECT_EQ(f.graphColours.colourPerWave[1], 255.0f);
    EXPECT_EQ(f.graphColours.colourPerWave[2], 65280.0f);
    EXPECT_EQ(f.graphColours.colourPerWave[3], 16711680.0f);
    for (std::size_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(f.waveSet.weightPerWave[k], 1.0f) << k;
        EXPECT_EQ(f.waveSet.weightPerWaveWork[k], 1.0f) << k;
    }
    EXPECT_NEAR(f.light.bandMinUm, 0.38f, 1e-7);
    EXPECT_NEAR(f.light.bandMaxUm, 0.7f, 1e-7);
}

TEST_F(WavelengthSetTest, GeneralSetUsesTheSubBandCentresAndLeeWeights) {
    f.cboWave.setText("4");
    f.calc.waveCount = 4;
    ChooseSpectrum(f, f.mnuSpectrumLee);
    f.lambdaN();
    const float expected[] = {0.42f, 0.50f, 0.58f, 0.66f};
    for (std::size_t k = 1; k <= 4; ++k) {
        EXPECT_NEAR(f.waveSet.waveList[k], expected[k - 1], 1e-6) << k;
        // Each centre lies on a table point of the 5 nm Lee table: 380 + 5 i nm.
        const std::size_t i = (static_cast<std::size_t>(k) * 80 - 40) / 5;
        EXPECT_NEAR(f.waveSet.weightPerWave[k], builtin::kSunLee[i], 2e-5) << k;
        EXPECT_EQ(f.waveSet.weightPerWave[k], f.waveSet.weightPerWaveWork[k]) << k;
    }
    EXPECT_EQ(f.waveSet.redPerWave[4], 1.0);   // 660 nm
    EXPECT_EQ(f.waveSet.bluePerWave[1], 1.0);  // 420 nm
}

TEST_F(WavelengthSetTest, BlackBodyWeightsPeakAtWiensWavelength) {
    f.cboWave.setText("2000");
    f.calc.waveCount = 2000;
    ChooseSpectrum(f, f.mnuBlackBody);
    f.dlogBlackBody_->txtBlackBody.setText("6000");
    f.lambdaN();
    EXPECT_EQ(f.light.blackBodyTemp, 6000.0f);
    const auto first = f.waveSet.weightPerWave.begin() + 1;
    const auto largest = std::max_element(first, first + 2000);
    EXPECT_GT(*largest - 1.0f, 5e-7f);
    EXPECT_LT(*largest - 1.0f, 2e-6f);
    EXPECT_NEAR(f.waveSet.waveList[static_cast<std::size_t>(largest - f.waveSet.weightPerWave.begin())],
                0.483f, 0.001f);
}

TEST_F(WavelengthSetTest, SpectrumFileAndUnusableTemperatureKeepTheWeights) {
    f.cboWave.setText("3");
    f.calc.waveCount = 3;
    f.waveSet.weightPerWaveWork = {};
    f.waveSet.weightPerWaveWork[2] = 0.25f;
    ChooseSpectrum(f, f.mnuSpectrumFile);
    f.lambdaN();
    EXPECT_EQ(f.waveSet.weightPerWave[2], 0.25f);
    ChooseSpectrum(f, f.mnuBlackBody);
    f.dlogBlackBody_->txtBlackBody.setText("0");
    f.lambdaN();
    EXPECT_EQ(f.waveSet.weightPerWave[2], 0.25f);
    EXPECT_NEAR(f.waveSet.waveList[2], 0.54f, 1e-6);
}

}  // namespace
}  // namespace tessary::test
