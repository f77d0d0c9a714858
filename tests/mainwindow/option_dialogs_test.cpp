// The option dialogs: captions and initial values, the ray-order selection buttons, the averaging
// width named in the menu, the incident-light dialog's validation, and closing by hiding.
#include <string>
#include <vector>

#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

constexpr OleColor kRed = 255;
constexpr OleColor kWhite = 0xFFFFFF;

struct TextCase {
    const char* name;
    std::string actual;
    const char* expected;
};

TEST_F(Form1Test, DialogCaptionsLabelsAndInitialValues) {
    Form1& f = designed();
    dlogP& p = *f.dlogP_;
    dlogAverage& average = *f.dlogAverage_;
    dlogIncident& incident = *f.dlogIncident_;
    dlogGaussianBeam& beam = *f.dlogGaussianBeam_;
    const TextCase cases[] = {
        {"ray paths", p.caption(), "Multiple ray paths"},
        {"diffraction", p.chkDiffraction.caption(), "Diffraction"},
        {"select all", p.cmdSelectAll.caption(), "Select All"},
        {"select none", p.cmdSelectNone.caption(), "Select None"},
        {"ray OK", p.OKButton.caption(), "OK"},
        {"ray Cancel", p.CancelButton.caption(), "Cancel"},
        {"average", average.caption(), "Average"},
        {"width", average.txtAverage.text(), "5"},
        {"average OK", average.OKButton.caption(), "OK"},
        {"incident", incident.caption(), "Calculation of Watts/sq m "},
        {"distance label", incident.lblDistance.caption(),
         "Distance of measurement from scattering sphere (m)"},
        {"distance", incident.txtDistance.text(), "1"},
        {"power label", incident.lblIncidentPD.caption(), "Incident intensity (Watts/sq m)"},
        {"power", incident.txtIncidentPD.text(), "1"},
        {"incident OK", incident.OKButton.caption(), "OK"},
        {"incident Cancel", incident.CancelButton.caption(), "Cancel"},
        {"beam", beam.caption(), "Gaussian beam"},
        {"xf label", beam.lblBeamXF.caption(), "Beam centre  xf"},
        {"xf", beam.txtBeamXF.text(), "-40"},
        {"yf label", beam.lblBeamYF.caption(), "Beam centre  yf"},
        {"yf", beam.txtBeamYF.text(), "0"},
        {"zf label", beam.lblBeamZF.caption(), "Beam centre  zf"},
        {"zf", beam.txtBeamZF.text(), "0"},
        {"w0 label", beam.lblBeamWo.caption(), "Beam half-width"},
        {"w0", beam.txtBeamWo.text(), "20"},
        {"phi", beam.txtPhi.text(), "0"},
        {"beam OK", beam.OKButton.caption(), "OK"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
    for (int order = 0; order <= dlogP::kMaxOrder; ++order) {
        EXPECT_EQ(p.chkp(order).caption(), "p = " + std::to_string(order));
        EXPECT_EQ(p.chkp(order).value(), 0);
    }
    EXPECT_EQ(p.chkDiffraction.value(), 0);
    EXPECT_FALSE(p.chkDiffraction.visible());
}

// "Select All" ticks the diffraction box only while it is shown; "Select None" clears every box.
TEST_F(Form1Test, SelectAllTicksDiffractionOnlyWhenShown) {
    Form1& f = started();
    dlogP& p = *f.dlogP_;
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "diffraction shown" : "diffraction hidden");
        p.cmdSelectNone.click();
        p.chkDiffraction.setVisible(shown);
        p.cmdSelectAll.click();
        EXPECT_EQ(p.chkDiffraction.value(), shown ? 1 : 0);
        for (int order = 0; order <= dlogP::kMaxOrder; ++order) EXPECT_EQ(p.chkp(order).value(), 1) << order;
        p.cmdSelectNone.click();
        EXPECT_EQ(p.chkDiffraction.value(), 0);
        for (int order = 0; order <= dlogP::kMaxOrder; ++order) EXPECT_EQ(p.chkp(order).value(), 0) << order;
    }
}

// OK and Cancel close the dialog and keep the boxes as the user left them.
TEST_F(Form1Test, RayPathDialogClosesByHidingWithTheBoxesKept) {
    Form1& f = started();
    for (const bool cancel : {false, true}) {
        runtime.setModalHook([cancel](Form& dialog) {
            auto& p = dynamic_cast<dlogP&>(dialog);
            p.cmdSelectNone.click();
            p.chkp(2).setValue(1);
            p.chkp(cancel ? 7 : 3).setValue(1);
            (cancel ? p.CancelButton : p.OKButton).click();
        });
        f.dlogP_->show(ShowMode::Modal);
        EXPECT_FALSE(f.dlogP_->visible());
        EXPECT_EQ(f.dlogP_->chkp(2).value(), 1);
        EXPECT_EQ(f.dlogP_->chkp(cancel ? 7 : 3).value(), 1);
    }
    EXPECT_EQ(runtime.modalFormsLeftOpen(), 0);
}

struct AverageCase {
    const char* typed;
    const char* caption;
};

// The width is named as typed, a number or not; the curve drawing reads it.
TEST_F(Form1Test, AverageOkNamesTheWidth) {
    const AverageCase cases[] = {{"12", "Average over 12 units"}, {"abc", "Average over abc units"}};
    Form1& f = started();
    dlogAverage& average = *f.dlogAverage_;
    for (const AverageCase& c : cases) {
        f.lblAverage.setCaption("");
        average.OKButton.setDefault(false);
        average.txtAverage.setText(c.typed);
        EXPECT_TRUE(average.OKButton.isDefault());
        average.OKButton.click();
        EXPECT_EQ(f.mnuAverage.caption(), c.caption);
        EXPECT_EQ(f.lblAverage.caption(), "Average ON");
        EXPECT_FALSE(average.visible());
    }
}

// A power of 0 is refused: red box, the input-error message, the distance not checked, the dialog open.
// Cancel resets both to 1 and closes it with both labels built from 1.
TEST_F(Form1Test, IncidentPowerZeroIsRefusedAndCancelRestoresOne) {
    Form1& f = started();
    f.lblWatts.setCaption("before");
    f.lblDistance.setCaption("before");
    bool stayedOpen = false;
    std::vector<MessageBoxRequest> shownBeforeCancel;
    OleColor distanceColour = 0;
    runtime.setModalHook([&](Form& dialog) {
        auto& incident = dynamic_cast<dlogIncident&>(dialog);
        incident.txtIncidentPD.setText("0");
        incident.txtDistance.setText("abc");
        incident.OKButton.click();
        stayedOpen = incident.visible();
        shownBeforeCancel = messages.shown();
        distanceColour = incident.txtDistance.backColor();
        EXPECT_EQ(incident.txtIncidentPD.backColor(), kRed);
        EXPECT_EQ(f.lblWatts.caption(), "before");
        EXPECT_EQ(f.lblDistance.caption(), "before");
        incident.CancelButton.click();
    });
    messages.clear();
    f.dlogIncident_->show(ShowMode::Modal);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(shownBeforeCancel.size(), 1u);
    EXPECT_EQ(shownBeforeCancel[0].prompt, "    The red highlighted data entry is incorrect.    ");
    EXPECT_EQ(shownBeforeCancel[0].title, "Input error");
    EXPECT_NE(distanceColour, kRed);

    dlogIncident& incident = *f.dlogIncident_;
    EXPECT_FALSE(incident.visible());
    EXPECT_EQ(incident.txtIncidentPD.text(), "1");
    EXPECT_EQ(incident.txtDistance.text(), "1");
    EXPECT_EQ(incident.txtIncidentPD.backColor(), kWhite);
    EXPECT_EQ(f.lblWatts.caption(), "Incident intensity = 1 Watts/sq m");
    EXPECT_EQ(f.lblDistance.caption(), "Distance = 1 m");
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(runtime.modalFormsLeftOpen(), 0);
}

struct IncidentCase {
    const char* power;
    const char* distance;
    bool accepted;
    const char* watts;  // the label after OK ("" when refused: unchanged)
    const char* metres;
    bool powerRed;
    bool distanceRed;
};

TEST_F(Form1Test, IncidentOkChecksPowerThenDistance) {
    const IncidentCase cases[] = {
        {"2.50", "3", true, "Incident intensity = 2.5 Watts/sq m", "Distance = 3 m", false, false},
        {"1e3", "0,5", true, "Incident intensity = 1e3 Watts/sq m", "Distance = .5 m", false, false},
        {"5", "-1", false, "", "", false, true},
        {"5", "0", false, "", "", false, true},
        {"-5", "2", false, "", "", true, false},
        {"x", "2", false, "", "", true, false},
    };
    Form1& f = started();
    dlogIncident& incident = *f.dlogIncident_;
    for (const IncidentCase& c : cases) {
        SCOPED_TRACE(std::string(c.power) + " W/m2 at " + c.distance + " m");
        f.lblWatts.setCaption("");
        f.lblDistance.setCaption("");
        incident.txtIncidentPD.setBackColor(kWhite);
        incident.txtDistance.setBackColor(kWhite);
        incident.txtIncidentPD.setText(c.power);
        incident.txtDistance.setText(c.distance);
        messages.clear();
        incident.show();
        incident.OKButton.click();
        EXPECT_EQ(!incident.visible(), c.accepted);
        EXPECT_EQ(f.lblWatts.caption(), c.watts);
        EXPECT_EQ(f.lblDistance.caption(), c.metres);
        EXPECT_EQ(incident.txtIncidentPD.backColor() == kRed, c.powerRed);
        EXPECT_EQ(incident.txtDistance.backColor() == kRed, c.distanceRed);
        EXPECT_EQ(messages.shown().size(), c.accepted ? 0u : 1u);
        incident.hide();
    }
}

TEST_F(Form1Test, BeamDialogOkCloses) {
    Form1& f = started();
    runtime.setModalHook([](Form& dialog) { dynamic_cast<dlogGaussianBeam&>(dialog).OKButton.click(); });
    f.dlogGaussianBeam_->show(ShowMode::Modal);
    EXPECT_FALSE(f.dlogGaussianBeam_->visible());
    EXPECT_EQ(runtime.modalFormsLeftOpen(), 0);
}

}  // namespace
}  // namespace tessary
