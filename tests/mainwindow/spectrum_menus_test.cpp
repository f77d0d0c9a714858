// The Spectrum menu and its dialogs, the colour options and Restore defaults' part in them: check
// marks and their siblings, status captions, the black-body validation, the band dialog, and file
// items whose file is cancelled.
#include <functional>
#include <string>
#include <vector>

#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

constexpr OleColor kRed = 255;
constexpr OleColor kWhite = 0xFFFFFF;

const std::vector<Menu Form1::*>& SpectrumGroup() {
    static const std::vector<Menu Form1::*> group{&Form1::mnuSpectrumLee, &Form1::mnuSpectrumWernand,
                                                  &Form1::mnuSpectrumFlat, &Form1::mnuBlackBody,
                                                  &Form1::mnuSpectrumFile};
    return group;
}

void ExpectOnlyChecked(Form1& f, const std::vector<Menu Form1::*>& group, Menu Form1::*item) {
    for (Menu Form1::*m : group) EXPECT_EQ((f.*m).checked(), m == item) << (f.*m).caption();
}

// Runs the modal dialogs of one action through the given hook; dialogs the hook leaves open are closed.
class SpectrumTest : public Form1Test {
  protected:
    void answerDialogs(std::function<void(Form&)> answer) {
        runtime.setModalHook([this, answer](Form& d) {
            modalCaptions.push_back(d.caption());
            answer(d);
            stayedOpen.push_back(d.visible());
            if (d.visible()) d.hide();
        });
    }
    std::vector<bool> stayedOpen;
};

// -------------------------------------------------------------------------------------------------
// Spectrum group

struct SpectrumChoice {
    Menu Form1::*item;
    const char* status;
};

TEST_F(SpectrumTest, EachSpectrumItemIsTheOneCheckedAndNamed) {
    Form1& f = started();
    const SpectrumChoice choices[] = {
        {&Form1::mnuSpectrumWernand, "Spectrum: Sun (Wernand)"},
        {&Form1::mnuSpectrumFlat, "Spectrum: Flat"},
        {&Form1::mnuSpectrumLee, "Spectrum: Sun (Lee)"},
    };
    for (const SpectrumChoice& c : choices) {
        SCOPED_TRACE(c.status);
        f.cmdReplot.setVisible(false);
        (f.*c.item).trigger();
        ExpectOnlyChecked(f, SpectrumGroup(), c.item);
        EXPECT_EQ(f.lblSpectrum.caption(), c.status);
        // The band item is not in the group; the results stay current and nothing is offered.
        EXPECT_TRUE(f.mnuSpectrumBand.checked());
        EXPECT_EQ(f.runFlags.resultsStale, 0);
        EXPECT_FALSE(f.cmdReplot.visible());
    }
    EXPECT_TRUE(modalCaptions.empty());
    EXPECT_TRUE(messages.shown().empty());
}

struct BlackBodyEntry {
    const char* text;
    bool accepted;
};

TEST_F(SpectrumTest, BlackBodyTemperatureIsValidatedAboveZero) {
    Form1& f = started();
    const BlackBodyEntry entries[] = {
        {"5500", true}, {"-5", false}, {"abc", false}, {"0", false}, {"3000.5", true},
    };
    std::string lastCaption = "Black body 6000 K";
    for (const BlackBodyEntry& e : entries) {
        SCOPED_TRACE(e.text);
        messages.clear();
        stayedOpen.clear();
        const std::string status = f.lblSpectrum.caption();
        answerDialogs([&](Form& d) {
            auto& b = dynamic_cast<dlogBlackBody&>(d);
            b.txtBlackBody.setText(e.text);
            b.OKButton.click();
        });
        f.mnuBlackBody.trigger();
        ExpectOnlyChecked(f, SpectrumGroup(), &Form1::mnuBlackBody);
        ASSERT_EQ(stayedOpen.size(), 1u);
        if (e.accepted) {
            lastCaption = std::string("Black body ") + e.text + "K";
            EXPECT_FALSE(stayedOpen[0]);
            EXPECT_TRUE(messages.shown().empty());
            EXPECT_EQ(f.lblSpectrum.caption(), "Spectrum: " + lastCaption);
        } else {
            EXPECT_TRUE(stayedOpen[0]);
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_EQ(messages.last().prompt, "    The red highlighted data entry is incorrect.    ");
            EXPECT_EQ(messages.last().title, "Input error");
            EXPECT_EQ(f.dlogBlackBody_->txtBlackBody.backColor(), kRed);
            EXPECT_EQ(f.lblSpectrum.caption(), status);
        }
        EXPECT_EQ(f.mnuBlackBody.caption(), lastCaption);
    }
    EXPECT_EQ(f.runFlags.resultsStale, 0);
}

TEST_F(SpectrumTest, FlatAfterBlackBodyKeepsTheBlackBodyCaption) {
    Form1& f = started();
    answerDialogs([](Form& d) {
        auto& b = dynamic_cast<dlogBlackBody&>(d);
        b.txtBlackBody.setText("5500");
        b.OKButton.click();
    });
    f.mnuBlackBody.trigger();
    f.mnuSpectrumFlat.trigger();
    ExpectOnlyChecked(f, SpectrumGroup(), &Form1::mnuSpectrumFlat);
    EXPECT_EQ(f.mnuBlackBody.caption(), "Black body 5500K");
    EXPECT_EQ(f.lblSpectrum.caption(), "Spectrum: Flat");
}

TEST_F(SpectrumTest, BandDialogNamesTheBandAndClearsTheRedBoxes) {
    Form1& f = started();
    answerDialogs([](Form& d) {
        auto& b = dynamic_cast<dlogSpectrumBand&>(d);
        b.txtSpectrumMin.setText("400");
        b.txtSpectrumMax.setText("650");
        b.txtSpectrumMin.setBackColor(kRed);
        b.txtSpectrumMax.setBackColor(kRed);
        b.OKButton.click();
    });
    f.mnuSpectrumBand.trigger();
    EXPECT_EQ(modalCaptions, std::vector<std::string>{"Spectrum limits"});
    EXPECT_EQ(f.mnuSpectrumBand.caption(), "400 - 650 nm band");
    EXPECT_EQ(f.lblSpectrumBand.caption(), "400 - 650 nm band");
    EXPECT_TRUE(f.mnuSpectrumBand.checked());
    EXPECT_EQ(f.dlogSpectrumBand_->txtSpectrumMin.backColor(), kWhite);
    EXPECT_EQ(f.dlogSpectrumBand_->txtSpectrumMax.backColor(), kWhite);
    ExpectOnlyChecked(f, SpectrumGroup(), &Form1::mnuSpectrumLee);
    EXPECT_EQ(f.runFlags.resultsStale, 0);

    // Cancel closes and names nothing.
    answerDialogs([](Form& d) {
        auto& b = dynamic_cast<dlogSpectrumBand&>(d);
        b.txtSpectrumMin.setText("500");
        b.CancelButton.click();
    });
    f.mnuSpectrumBand.trigger();
    EXPECT_FALSE(stayedOpen.back());
    EXPECT_EQ(f.lblSpectrumBand.caption(), "400 - 650 nm band");
    EXPECT_EQ(f.mnuSpectrumBand.caption(), "400 - 650 nm band");
}

// -------------------------------------------------------------------------------------------------
// Files cancelled

struct FileItem {
    const char* name;
    std::function<void(Form1&)> choose;
    const char* prompt;
    const char* title;
    int style;
};

TEST_F(SpectrumTest, CancelledOrUnreadFilesChangeNothing) {
    Form1& f = started();
    const FileItem items[] = {
        {"spectrum item", [](Form1& w) { w.mnuSpectrumFile.trigger(); }, "No file was selected",
         "Open a file", mb::kOkOnly},
        {"spectrum dialog, new file", [](Form1& w) { w.dlogSpectrumFile_->OKButton.click(); },
         "No file was selected", "Open a file", mb::kOkOnly},
        {"size distribution", [](Form1& w) { w.mnuSizeDist.trigger(); }, "No file was selected",
         "Open a file", mb::kOkOnly},
    };
    for (const FileItem& i : items) {
        SCOPED_TRACE(i.name);
        messages.clear();
        i.choose(f);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, i.prompt);
        EXPECT_EQ(messages.last().title, i.title);
        EXPECT_EQ(messages.last().style, i.style);
        // Nothing changes: the spectrum in use stays checked and named.
        ExpectOnlyChecked(f, SpectrumGroup(), &Form1::mnuSpectrumLee);
        EXPECT_EQ(f.lblSpectrum.caption(), "Spectrum: Sun (Lee)");
        EXPECT_EQ(f.light.spectrumFileLoaded, 0);
        EXPECT_EQ(f.runFlags.resultsStale, 0);
    }
    EXPECT_FALSE(f.dlogSpectrumFile_->visible());
    messages.clear();
    f.dlogSpectrumFile_->CancelButton.click();  // "Existing data" only closes
    EXPECT_TRUE(messages.shown().empty());
}

// -------------------------------------------------------------------------------------------------
// Colour options

struct RadioChoice {
    Menu Form1::*item;
    const char* name;
};

void HideReplot(Form1& f) {
    f.cmdReplot.setVisible(false);
    f.cmdReplot.setEnabled(false);
    f.cmdNewPlot.setDefault(true);
}

bool ReplotOffered(Form1& f) {
    return f.cmdReplot.visible() && f.cmdReplot.enabled() && f.cmdReplot.isDefault();
}

TEST_F(SpectrumTest, SaturationModesAreOneOfThreeAndOfferReplotWhileCurrent) {
    Form1& f = started();
    const std::vector<Menu Form1::*> group{&Form1::mnuPhoto, &Form1::mnuFreeze, &Form1::mnuPeakWhite};
    const RadioChoice choices[] = {
        {&Form1::mnuFreeze, "Freeze"}, {&Form1::mnuPeakWhite, "Peak White"}, {&Form1::mnuPhoto, "Photo"}};
    for (const int stale : {0, 1}) {
        for (const RadioChoice& c : choices) {
            SCOPED_TRACE(std::string(c.name) + (stale ? ", stale" : ", current"));
            f.runFlags.resultsStale = stale;
            HideReplot(f);
            (f.*c.item).trigger();
            ExpectOnlyChecked(f, group, c.item);
            EXPECT_EQ(ReplotOffered(f), stale == 0);
            EXPECT_EQ(f.runFlags.resultsStale, stale);
        }
    }
}

TEST_F(SpectrumTest, GammaModesOfferReplotOnlyForSeveralWavelengths) {
    Form1& f = started();
    const std::vector<Menu Form1::*> group{&Form1::mnuGammaNone, &Form1::mnuGammaA, &Form1::mnuGammaB};
    const RadioChoice choices[] = {{&Form1::mnuGammaB, "Group RGB"},
                                   {&Form1::mnuGammaNone, "None"},
                                   {&Form1::mnuGammaA, "Individual RGB"}};
    struct Situation {
        const char* waves;
        int stale;
        bool offered;
    };
    const Situation situations[] = {{"1", 0, false}, {"RGB", 0, true}, {"RGB", 1, false}};
    for (const Situation& s : situations) {
        f.cboWave.setText(s.waves);
        test::Press(f.cmdNewPlot);  // a run of that many wavelengths on show
        for (const RadioChoice& c : choices) {
            SCOPED_TRACE(std::string(c.name) + ", " + s.waves + (s.stale ? ", stale" : ", current"));
            f.runFlags.resultsStale = s.stale;
            HideReplot(f);
            (f.*c.item).trigger();
            ExpectOnlyChecked(f, group, c.item);
            EXPECT_EQ(ReplotOffered(f), s.offered);
        }
        // Opening the Gamma menu offers Replot the same way and changes no check mark.
        f.runFlags.resultsStale = s.stale;
        HideReplot(f);
        f.mnuGamma_Click();
        EXPECT_EQ(ReplotOffered(f), s.offered);
        ExpectOnlyChecked(f, group, &Form1::mnuGammaA);
    }
}

// Out of date, the results give Replot nothing to draw: it is offered in neither direction (it is while they
// are current).
TEST_F(SpectrumTest, SaturatedColoursSetBrightnessOneAndOfferReplotOnlyToDraw) {
    Form1& f = started();
    f.cboBright.setText("5");
    f.runFlags.resultsStale = 1;
    HideReplot(f);
    f.mnuSaturated.trigger();
    EXPECT_TRUE(f.mnuSaturated.checked());
    EXPECT_EQ(f.cboBright.text(), "1");
    EXPECT_FALSE(ReplotOffered(f));

    f.cboBright.setText("5");
    f.runFlags.resultsStale = 1;
    HideReplot(f);
    f.mnuSaturated.trigger();
    EXPECT_FALSE(f.mnuSaturated.checked());
    EXPECT_EQ(f.cboBright.text(), "5");  // switching off leaves the brightness
    EXPECT_FALSE(ReplotOffered(f));
}

TEST_F(SpectrumTest, SetNormalisationFreezesThePeaksAndShowsReplotWhenSwitchedOff) {
    Form1& f = started();
    f.colourSums.peakPerp = 3.0;
    f.colourSums.peakPara = 4.0;
    f.colourSums.peakUnpol = 5.0;
    HideReplot(f);
    f.mnuSetNormal.trigger();
    EXPECT_TRUE(f.mnuSetNormal.checked());
    EXPECT_EQ(f.colourSums.savedNormPerp, 3.0);
    EXPECT_EQ(f.colourSums.savedNormPara, 4.0);
    EXPECT_EQ(f.colourSums.savedNormUnpol, 5.0);
    EXPECT_FALSE(f.cmdReplot.visible());  // left as it was

    f.colourSums.peakPerp = 7.0;
    f.mnuSetNormal.trigger();
    EXPECT_FALSE(f.mnuSetNormal.checked());
    EXPECT_EQ(f.colourSums.savedNormPerp, 3.0);  // kept until switched on again
    EXPECT_TRUE(f.cmdReplot.visible());
    EXPECT_TRUE(f.cmdReplot.enabled());
    EXPECT_FALSE(f.cmdReplot.isDefault());
    EXPECT_TRUE(f.cmdNewPlot.isDefault());

    // Out of date, Replot would draw nothing: switching off offers none.
    f.mnuSetNormal.trigger();
    f.runFlags.resultsStale = 1;
    HideReplot(f);
    f.mnuSetNormal.trigger();
    EXPECT_FALSE(f.mnuSetNormal.checked() || f.cmdReplot.visible());
}

TEST_F(SpectrumTest, ColourStepsFollowTheCheckedOptions) {
    Form1& f = started();
    struct Case {
        Menu Form1::*mode;
        float r, g, b;
    };
    const Case cases[] = {{&Form1::mnuPhoto, 255, 100, 50},
                          {&Form1::mnuPeakWhite, 255, 255, 255},
                          {&Form1::mnuFreeze, 255, 85, 42.5f}};
    for (const Case& c : cases) {
        (f.*c.mode).trigger();
        float r = 300, g = 100, b = 50;
        f.Saturation(r, g, b);
        EXPECT_FLOAT_EQ(r, c.r);
        EXPECT_FLOAT_EQ(g, c.g);
        EXPECT_FLOAT_EQ(b, c.b);
    }
    f.mnuGammaA.trigger();
    float r = 255, g = 4.59f, b = 0;
    f.GammaCorrection(r, g, b);
    EXPECT_NEAR(g, 20.655f, 1e-4f);
    f.mnuGammaB.trigger();
    r = 100, g = 50, b = 0;
    f.GammaCorrection(r, g, b);
    EXPECT_NEAR(r, 158.66f, 0.01f);
    EXPECT_NEAR(g, 79.33f, 0.01f);

    r = -3, g = 300, b = 10;
    f.ColourSet(r, g, b);
    EXPECT_EQ(r, 0.0f);
    EXPECT_EQ(g, 300.0f);
    EXPECT_EQ(f.foreColor(), 0u + 256u * 255u + 65536u * 10u);
}

// -------------------------------------------------------------------------------------------------
// Restore defaults

TEST_F(SpectrumTest, RestoreDefaultsBringsBackLeeTheBandAndPhoto) {
    Form1& f = started();
    answerDialogs([](Form& d) {
        if (auto* b = dynamic_cast<dlogSpectrumBand*>(&d)) {
            b->txtSpectrumMin.setText("400");
            b->txtSpectrumMax.setText("650");
            b->OKButton.click();
        }
    });
    f.mnuSpectrumBand.trigger();
    f.mnuSpectrumWernand.trigger();
    f.mnuFreeze.trigger();
    ASSERT_EQ(f.lblSpectrumBand.caption(), "400 - 650 nm band");

    modalCaptions.clear();
    answerDialogs([](Form& d) {
        if (auto* b = dynamic_cast<dlogSpectrumBand*>(&d)) b->OKButton.click();
    });
    f.cmdDefault.click();

    EXPECT_EQ(modalCaptions.front(), "Spectrum limits");
    EXPECT_EQ(f.mnuSpectrumBand.caption(), "380 - 700 nm band");
    EXPECT_EQ(f.lblSpectrumBand.caption(), "380 - 700 nm band");
    EXPECT_TRUE(f.mnuSpectrumBand.checked());
    ExpectOnlyChecked(f, SpectrumGroup(), &Form1::mnuSpectrumLee);
    EXPECT_EQ(f.lblSpectrum.caption(), "Spectrum: Sun (Lee)");
    EXPECT_TRUE(f.mnuPhoto.checked());
    EXPECT_FALSE(f.mnuFreeze.checked());
    EXPECT_FALSE(f.mnuPeakWhite.checked());
}

}  // namespace
}  // namespace tessary
