// Numbers typed into the dialogs and the wavelength box through the loaded window: a number beyond
// the Double range (1e400) is refused with the very messages the largest numbers get (1e308) and
// leaves what was shown, and a decimal comma in the wavelength box is the point.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/conversions.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary::test {
namespace {

class DialogNumbersTest : public Form1Test {
  public:
    // Modal dialogs of type D answered by the script, then closed.
    template <class D>
    void onDialog(std::function<void(D&)> script) {
        runtime.setModalHook([script](Form& dialog) {
            if (auto* d = dynamic_cast<D*>(&dialog)) script(*d);
            dialog.hide();
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

using Answer = std::pair<std::string, bool>;  // a box's text and whether its dialog stayed open
using Enter = std::function<void(DialogNumbersTest&, Form1&, const std::string&)>;

std::string IndexShown(Form1& f) { return f.txtRefractReal.text() + " " + f.txtRefractImag.text(); }

// A box and the state its refusal leaves as it was.
struct NumberBox {
    const char* name;
    Enter enter;
    std::function<std::string(Form1&)> kept = IndexShown;
};

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
         [](Form1& f) {
             return CStr(f.indexState.waterTemp) + " " + f.lblSphere.caption() + " " + IndexShown(f);
         }},
        {"water density", DialogBox(&dlogTemp::txtDensity, &Form1::mnuRI_IAPWS)},
        {"air", DialogBox(&dlogAir::txtAirTemp, &Form1::mnuRI_Air1)},
        {"user wavelength", DialogBox<dlogRI_User1>(&dlogRI_User1::txtRI_lambda1_2, &Form1::mnuRI_User1)},
        {"user index", DialogBox<dlogRI_User1>(&dlogRI_User1::txtRI_1_3, &Form1::mnuRI_User1)},
        {"beam half-width", DialogBox(&dlogGaussianBeam::txtBeamWo, &Form1::mnuGaussian, true)},
        {"Airy ray order",
         [](DialogNumbersTest&, Form1& f, const std::string& text) {
             f.cboType.setText("Airy");
             f.cboRays.setText(text);
             f.cmdNewPlot.click();
         }},
        {"band upper limit",
         [](DialogNumbersTest&, Form1& f, const std::string& text) {
             f.cboWave.setText("5");
             f.dlogSpectrumBand_->txtSpectrumMax.setText(text);
             f.cmdNewPlot.click();
         }},
        {"wavelength",
         [](DialogNumbersTest&, Form1& f, const std::string& text) { f.txtLambda.setText(text); }},
    };
    for (const NumberBox& box : boxes) {
        SCOPED_TRACE(box.name);
        // The messages of one entry, after checking that it left the state as it was.
        const auto outcome = [&](const std::string& text) {
            Form1& f = started();
            f.cboStep.setText("1");
            const std::string before = box.kept(f);
            messages.clear();
            box.enter(*this, f, text);
            EXPECT_EQ(box.kept(f), before) << text;
            return shown();
        };
        for (const std::string sign : {"", "-"}) {
            const std::vector<std::string> largest = outcome(sign + "1e308");
            ASSERT_FALSE(largest.empty());
            EXPECT_EQ(outcome(sign + "1e400"), largest);
        }
    }
}

// The band dialog cannot name a band beyond the Double range: OK refuses it and stays open.
TEST_F(DialogNumbersTest, SpectrumBandDialogRefusesALimitBeyondTheDoubleRange) {
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
        EXPECT_EQ(shown(), std::vector<std::string>{
                               "Input error:     The red highlighted data entry is incorrect.    "});
        EXPECT_EQ(f.dlogSpectrumBand_->txtSpectrumMin.backColor(), OleColor{255});  // red
        EXPECT_EQ(f.lblSpectrumBand.caption(), band);
    }
}

// OK in a dialog reads a decimal comma as the point and closes it; a text that means no number turns
// red with the input-error message and the dialog stays open.
template <class D>
std::function<Answer(DialogNumbersTest&, Form1&, const std::string&)> OkWith(TextBox D::*box,
                                                                             Menu Form1::*item) {
    return [box, item](DialogNumbersTest& t, Form1& f, const std::string& text) {
        Answer after;
        t.onDialog<D>([&](D& d) {
            (d.*box).setText(text);
            d.OKButton.click();
            after = {(d.*box).text(), d.visible()};
        });
        (f.*item).trigger();
        return after;
    };
}

TEST_F(DialogNumbersTest, DialogsReadACommaAndRefuseTextsThatMeanNoNumber) {
    const std::pair<std::function<Answer(DialogNumbersTest&, Form1&, const std::string&)>, Answer> rows[] = {
        {OkWith(&dlogTemp::txtTemp, &Form1::mnuRI_IAPWS), {"20.5", false}},
        {OkWith(&dlogTemp::txtDensity, &Form1::mnuRI_IAPWS), {"0.998", false}},
        {OkWith(&dlogAir::txtAirTemp, &Form1::mnuRI_Air1), {"15.5", false}},
        {OkWith<dlogRI_User1>(&dlogRI_User1::txtRI_1_3, &Form1::mnuRI_User1), {"1.52", false}},
        {OkWith(&dlogGaussianBeam::txtBeamWo, &Form1::mnuGaussian), {"8.5", false}},
        {OkWith(&dlogSpectrumBand::txtSpectrumMin, &Form1::mnuSpectrumBand), {"400.5", false}}};
    for (const auto& [ok, point] : rows) {
        std::string comma = point.first;
        comma[comma.find('.')] = ',';
        messages.clear();
        EXPECT_EQ(ok(*this, started(), comma), point);
        EXPECT_EQ(shown(), std::vector<std::string>{});
        messages.clear();
        EXPECT_EQ(ok(*this, started(), "1-5e3"), Answer("1-5e3", true));
        // (a menu that finds its dialog closed without OK presses OK once more)
        EXPECT_EQ(shown().at(0), "Input error:     The red highlighted data entry is incorrect.    ");
    }
}

// A decimal comma in the wavelength box gives the index at that wavelength, as the point does.
TEST_F(DialogNumbersTest, DecimalCommaInTheWavelengthBox) {
    const std::pair<const char*, const char*> cases[] = {{"1,5", "1.31726649"}, {",55", "1.33560131"}};
    for (const auto& [typed, index] : cases) {
        SCOPED_TRACE(typed);
        Form1& f = started();
        messages.clear();
        f.txtLambda.setText(typed);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_EQ(f.txtRefractReal.text(), index);
        f.cmdNewPlot.click();
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_EQ(f.calc.calcIndexRe, Val(index));
    }
}

}  // namespace
}  // namespace tessary::test
