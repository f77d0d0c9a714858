// Numbers typed into the dialogs and the wavelength box through the loaded window: a number beyond
// the Double range (1e400, ten thousand digits) is refused with the very messages the largest numbers
// get (1e308) and leaves what was shown, and a decimal comma in the wavelength box is the point.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/conversions.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary::test {
namespace {

constexpr OleColor kRed = 255;
constexpr const char* kIncorrect = "    The red highlighted data entry is incorrect.    ";

class DialogNumbersTest : public Form1Test {
  public:
    // Modal dialogs of type D answered by the script, then closed.
    template <class D>
    void onDialog(std::function<void(D&)> script) {
        runtime.setModalHook([script](Form& form) {
            if (auto* d = dynamic_cast<D*>(&form)) script(*d);
            form.hide();
        });
    }

  protected:
    // The messages shown since the last clear, as "title: prompt".
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (const auto& m : messages.shown()) out.push_back(m.title + ": " + m.prompt);
        return out;
    }
};

using Enter = std::function<void(DialogNumbersTest&, Form1&, const std::string&)>;

// A box and the state its refusal leaves as it was.
struct NumberBox {
    const char* name;
    Enter enter;
    std::function<std::string(Form1&)> kept;
};

std::string IndexShown(Form1& f) { return f.txtRefractReal.text() + " " + f.txtRefractImag.text(); }

template <class D>
Enter DialogBox(TextBox D::*box, Menu Form1::*item, bool newPlot = false) {
    return [box, item, newPlot](DialogNumbersTest& t, Form1& f, const std::string& text) {
        t.onDialog<D>([box, text](D& d) {
            (d.*box).setText(text);
            d.OKButton.click();
        });
        (f.*item).trigger();
        if (newPlot) f.cmdNewPlot.click();
    };
}

TEST_F(DialogNumbersTest, BeyondTheDoubleRangeIsRefusedAsTheLargestNumbers) {
    const std::vector<NumberBox> boxes{
        {"water temperature", DialogBox(&dlogTemp::txtTemp, &Form1::mnuRI_IAPWS),
         [](Form1& f) { return CStr(f.waterTemp) + " " + f.lblSphere.caption() + " " + IndexShown(f); }},
        {"water density", DialogBox(&dlogTemp::txtDensity, &Form1::mnuRI_IAPWS), IndexShown},
        {"air sphere", DialogBox(&dlogAir::txtAirTemp, &Form1::mnuRI_Air1), IndexShown},
        {"air medium", DialogBox(&dlogAir::txtAirTemp, &Form1::mnuRI_Air2), IndexShown},
        {"user sphere wavelength",
         DialogBox<dlogRI_User1>(&dlogRI_User1::txtRI_lambda1_2, &Form1::mnuRI_User1), IndexShown},
        {"user sphere index", DialogBox<dlogRI_User1>(&dlogRI_User1::txtRI_1_3, &Form1::mnuRI_User1),
         IndexShown},
        {"user medium wavelength",
         DialogBox<dlogRI_User2>(&dlogRI_User2::txtRI_lambda1_4, &Form1::mnuRI_User2), IndexShown},
        {"user medium index", DialogBox<dlogRI_User2>(&dlogRI_User2::txtRI_1_2, &Form1::mnuRI_User2),
         IndexShown},
        {"beam half-width", DialogBox(&dlogGaussianBeam::txtBeamWo, &Form1::mnuGaussian, true), IndexShown},
        {"beam centre", DialogBox(&dlogGaussianBeam::txtBeamXF, &Form1::mnuGaussian, true), IndexShown},
        {"Airy ray order",
         [](DialogNumbersTest&, Form1& f, const std::string& text) {
             f.cboType.setText("Airy");
             f.cboRays.setText(text);
             f.cmdNewPlot.click();
         },
         IndexShown},
        {"wavelength",
         [](DialogNumbersTest&, Form1& f, const std::string& text) { f.txtLambda.setText(text); },
         IndexShown},
    };
    const std::string digits(10000, '9');
    for (const NumberBox& box : boxes) {
        SCOPED_TRACE(box.name);
        // The messages of one entry, after checking that it left the state as it was.
        const auto outcome = [&](const std::string& text) {
            Form1& f = started();
            f.cboStep.setText("1");
            const std::string before = box.kept(f);
            messages.clear();
            box.enter(*this, f, text);
            EXPECT_EQ(box.kept(f), before) << text.substr(0, 12);
            return shown();
        };
        const std::vector<std::string> largest = outcome("1e308");
        ASSERT_FALSE(largest.empty());
        EXPECT_EQ(outcome("1e400"), largest);
        EXPECT_EQ(outcome(digits), largest);
        const std::vector<std::string> lowest = outcome("-1e308");
        ASSERT_FALSE(lowest.empty());
        EXPECT_EQ(outcome("-1e400"), lowest);
        EXPECT_EQ(outcome("-" + digits), lowest);
    }
}

// The water dialog names the bound the number passes.
TEST_F(DialogNumbersTest, WaterTemperatureBeyondTheRangeNamesItsBound) {
    Form1& f = started();
    dlogTemp& d = *f.dlogTemp_;
    const std::pair<std::string, const char*> cases[] = {
        {"1e400", "Input error: Maximum temperature = 100"},
        {std::string(10000, '1'), "Input error: Maximum temperature = 100"},
        {"-1e400", "Input error: Minimum temperature = 0"},
    };
    for (const auto& [text, message] : cases) {
        messages.clear();
        d.txtTemp.setText("5");
        const std::string density = d.txtDensity.text();
        d.txtTemp.setText(text);
        EXPECT_EQ(shown(), std::vector<std::string>{message});
        EXPECT_EQ(d.txtTemp.backColor(), kRed);
        EXPECT_EQ(d.txtDensity.text(), density);  // the density of 5 C stays
    }
}

// The band dialog cannot name a band beyond the Double range: OK refuses it and stays open; a run
// with such a limit left in the box is refused as with 1e308.
TEST_F(DialogNumbersTest, SpectrumBandBeyondTheDoubleRange) {
    const auto runWithUpperLimit = [this](const std::string& text) {
        Form1& f = started();
        f.cboStep.setText("1");
        f.cboWave.setText("5");
        f.dlogSpectrumBand_->txtSpectrumMax.setText(text);
        messages.clear();
        runtime.setModalHook([](Form& d) { d.hide(); });
        f.cmdNewPlot.click();
        return shown();
    };
    const std::vector<std::string> largest = runWithUpperLimit("1e308");
    ASSERT_FALSE(largest.empty());
    EXPECT_EQ(runWithUpperLimit("1e400"), largest);
    EXPECT_EQ(runWithUpperLimit(std::string(10000, '9')), largest);

    for (const std::string text : {"1e400", "-1e400"}) {
        Form1& f = started();
        const std::string band = f.lblSpectrumBand.caption();
        bool stayedOpen = false;
        onDialog<dlogSpectrumBand>([&](dlogSpectrumBand& d) {
            d.txtSpectrumMin.setText(text);
            d.OKButton.click();
            stayedOpen = d.visible();
        });
        messages.clear();
        f.mnuSpectrumBand.trigger();
        EXPECT_TRUE(stayedOpen) << text;
        EXPECT_EQ(shown(), std::vector<std::string>{std::string("Input error: ") + kIncorrect});
        EXPECT_EQ(f.dlogSpectrumBand_->txtSpectrumMin.backColor(), kRed);
        EXPECT_EQ(f.lblSpectrumBand.caption(), band);
        EXPECT_EQ(f.mnuSpectrumBand.caption(), band);
    }
}

// A decimal comma in the wavelength box gives the index at that wavelength, as the point does.
TEST_F(DialogNumbersTest, DecimalCommaInTheWavelengthBox) {
    const std::pair<const char*, const char*> cases[] = {
        {"0,55", "1.33560131"}, {"0.55", "1.33560131"}, {"1,5", "1.31726649"}, {",55", "1.33560131"}};
    for (const auto& [typed, index] : cases) {
        SCOPED_TRACE(typed);
        Form1& f = started();
        messages.clear();
        f.txtLambda.setText(typed);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_EQ(f.txtRefractReal.text(), index);
        EXPECT_EQ(f.wavelength, Val(f.txtLambda.text()));
        f.cmdNewPlot.click();
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_EQ(f.calcIndexRe, Val(index));
    }
}

}  // namespace
}  // namespace tessary::test
