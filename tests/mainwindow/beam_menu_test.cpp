// The beam of the Illumination menu after a change of method: a beam the runs use stays in view so
// that the user can go back to the plane wave, and the run then computes and names the plane wave.
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

class BeamMenuTest : public test::Form1Test {
  protected:
    // Every menu on the way to the item is shown and enabled, so the user can choose it.
    bool offered(const Menu& item) const {
        for (const Menu* m :
             std::initializer_list<const Menu*>{&form->mnuAdvanced, &form->mnuIllumination, &item})
            if (!m->visible() || !m->enabled()) return false;
        return true;
    }
    // Ctrl+G, Ctrl+J after the access sequence: the special mode with its multiple and central beams.
    void switchSpecialModeOn() {
        const auto press = [this](int key, int shift) { form->Form_KeyDown(key, shift); };
        for (int key : form->windowState.hiddenKeyTable) press(key, 0);
        press('G', keys::kCtrlMask);
        press('J', keys::kCtrlMask);
    }
    // A Gaussian or top-hat mark beside a checked Plane wave is only kept for a later method.
    bool beamInUse() const {
        const Form1& f = *form;
        return (!f.mnuPlaneWave.checked() && (f.mnuGaussian.checked() || f.mnuTopHat.checked())) ||
               f.mnuMultBeams.checked() || f.mnuCentralBeam.checked();
    }
};

TEST_F(BeamMenuTest, GaussianBeamFromYoungModCanBeUndoneUnderMie) {
    Form1& f = started();
    const Form1::ComplexTable planeS1 = f.results.s1Amp;
    f.cboType.setText("Young mod");
    ASSERT_TRUE(offered(f.mnuGaussian));
    f.mnuGaussian.trigger();
    f.cboType.setText("Mie");  // applies the checked beam again: its dialog opens and is answered OK
    EXPECT_EQ(modalCaptions, (std::vector<std::string>{"Gaussian beam", "Gaussian beam"}));
    EXPECT_TRUE(offered(f.mnuGaussian));
    EXPECT_FALSE(f.mnuTopHat.visible());
    f.cmdNewPlot.click();
    EXPECT_EQ(f.caption(), "Mie scattering (Gaussian beam):   Water in a vacuum ");
    EXPECT_EQ(f.lblDebyeRays.caption(), "Mie (Gaussian beam)");  // the method line of the text export

    ASSERT_TRUE(offered(f.mnuPlaneWave));
    f.mnuPlaneWave.trigger();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.caption(), "Mie scattering:   Water in a vacuum ");
    EXPECT_EQ(f.lblDebyeRays.caption(), "Mie (plane wave)");
    EXPECT_EQ(f.results.s1Amp, planeS1);
}

struct BeamCase {
    Menu Form1::*beam;  // chosen under Young mod, where every beam item is offered
    const char* method;
    bool inUse;  // the method computes with the beam: its item is offered to undo it
};

TEST_F(BeamMenuTest, BeamInUseIsOfferedWhateverTheMethod) {
    const BeamCase cases[] = {
        {&Form1::mnuGaussian, "Debye", true},   {&Form1::mnuGaussian, "Rayleigh", false},
        {&Form1::mnuTopHat, "Young mod", true}, {&Form1::mnuTopHat, "Mie", false},
        {&Form1::mnuCentralBeam, "Mie", true},  {&Form1::mnuCentralBeam, "Surface wave", true},
        {&Form1::mnuMultBeams, "Airy", true},
    };
    for (const BeamCase& c : cases) {
        Form1& f = started();
        Menu& item = f.*c.beam;
        SCOPED_TRACE(item.caption() + " then " + c.method);
        const bool toggle = c.beam == &Form1::mnuMultBeams || c.beam == &Form1::mnuCentralBeam;
        if (toggle) switchSpecialModeOn();
        f.cboType.setText("Young mod");
        ASSERT_TRUE(offered(item));
        item.trigger();
        f.cboType.setText(c.method);
        EXPECT_EQ(beamInUse(), c.inUse);
        EXPECT_EQ(offered(item), c.inUse);
        if (!c.inUse) continue;
        Menu& undo = toggle ? item : f.mnuPlaneWave;
        ASSERT_TRUE(offered(undo));
        undo.trigger();
        EXPECT_FALSE(beamInUse());
    }
}

// The top hat beam is Young mod.'s alone: no other ray method offers it, also while the central beam keeps
// the Illumination menu shown (a data file of another method with a top hat is refused).
TEST_F(BeamMenuTest, TopHatIsOfferedToYoungModAlone) {
    Form1& f = started();
    switchSpecialModeOn();
    f.cboType.setText("Young mod");
    f.mnuCentralBeam.trigger();
    for (const char* method : {"Young", "Descartes"}) {
        f.cboType.setText(method);
        EXPECT_TRUE(offered(f.mnuCentralBeam)) << method;
        EXPECT_FALSE(offered(f.mnuTopHat)) << method;
    }
}

// The top hat of the dialog's defaults (centre -40 um, half-width 20 um) lies wholly beside the 10 um
// sphere (|xf| - w0 = 20 um > r): no ray meets it, and the run says so.
TEST_F(BeamMenuTest, TopHatThatMissesTheSphereIsRefused) {
    Form1& f = started();
    f.cboType.setText("Young mod");
    f.cboRays.setText("2");
    ASSERT_TRUE(offered(f.mnuTopHat));
    f.mnuTopHat.trigger();
    messages.clear();
    f.cmdNewPlot.click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "The top hat beam misses the sphere: no ray of the beam meets it");
    EXPECT_EQ(messages.last().title, "Error");

    f.dlogGaussianBeam_->txtBeamXF.setText("-30");  // |xf| - w0 = r: the grazing ray is in the beam
    messages.clear();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace tessary
