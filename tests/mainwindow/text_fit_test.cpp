// Every text of the main window, its dialogs and the simulation window shows whole in its control:
// captions as designed and as every graph type and method leaves them, every list entry, and the
// longest texts code writes. All offenders are reported in one failure.
#include "platform/ui/text_fit.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

class TextFitTest : public Form1Test {
  protected:
    // Checks one text in one control; an offender is noted once.
    void check(const Control& c, const std::string& text) {
        if (text.empty()) return;
        const TextRoom room = textRoom(c, text);
        if (room.fits) return;
        offenders.insert(describeControl(c) + ": \"" + text + "\" needs " + std::to_string(room.needed) +
                         " px, has " + std::to_string(room.available));
    }
    // Every shown control of a window with its caption or text and, for a list, every entry. Text
    // boxes only with their first texts: numbers code writes later show their beginning.
    void checkWindow(const Form& window, bool boxes) {
        for (Control* c : controlsOf(window)) {
            if (!c->visible()) continue;
            if (auto* b = dynamic_cast<CommandButton*>(c)) check(*b, b->caption());
            if (auto* t = dynamic_cast<TextBox*>(c); t && boxes) check(*t, t->text());
            if (auto* k = dynamic_cast<CheckBox*>(c)) check(*k, k->caption());
            if (auto* o = dynamic_cast<OptionButton*>(c)) check(*o, o->caption());
            if (auto* l = dynamic_cast<Label*>(c)) check(*l, l->caption());
            if (auto* fr = dynamic_cast<Frame*>(c)) check(*fr, fr->caption());
            if (auto* list = dynamic_cast<ComboBox*>(c)) {
                check(*list, list->text());
                for (int i = 0; i < list->listCount(); ++i) check(*list, list->list(i));
            }
        }
    }
    std::set<std::string> offenders;
};

TEST_F(TextFitTest, EveryTextOfEveryWindowShowsWhole) {
    for (const ScreenMetrics screen : {ScreenMetrics{1024, 768, 15, 15}, ScreenMetrics{1280, 1024, 15, 15}}) {
        checkWindow(designed(), true);
        Form1& f = started(screen.widthPx, screen.heightPx);
        checkWindow(f, true);
        // What every graph type and every method leaves on the window.
        for (ComboBox* list : {&f.cboGraph, &f.cboType}) {
            for (int i = 0; i < list->listCount(); ++i, checkWindow(f, false)) list->setListIndex(i);
            list->setListIndex(0);
        }
        // The longest texts code writes into controls whose design texts are shorter.
        const std::map<const Control*, std::vector<std::string>> written{
            {&f.Label7, {"Diameter (  m)", "Size parameter x", "Minimum radius"}},
            {&f.cboType, {"Aperture", "Huygens", "van de Hulst"}},
            {&f.lblSphere, {"Sphere: Water (Lynch + Livingston)", "Sphere: Water (Segelstein Complex)"}},
            {&f.lblWatts, {"Incident intensity = 1 Watts/sq m"}},
            {&f.cmdInfo, {"Information OFF"}},
            {&f.lblDebyeRays,
             {"Debye series (p = 2) minus ray optics", "Young mod. (p = 2) with top hat beam"}},
            {&f.Form2_->cmdCircle, {"Circles OFF"}},
            {&f.Form2_->lblPaintedRun,
             {"The painting was of another run. The simulation paints the colours of one sphere size against "
              "the scattering angle, which the graph on show (Asymmetry parameter v. wavelength) does not "
              "hold. Run New plot, then Simulation."}},
        };
        for (const auto& [control, texts] : written)
            for (const std::string& text : texts) check(*control, text);
        for (const Form* window : std::vector<const Form*>{
                 &*f.dlogP_, &*f.dlogAverage_, &*f.dlogIncident_, &*f.dlogGaussianBeam_, &*f.dlogTemp_,
                 &*f.dlogAir_, &*f.dlogRI_User1_, &*f.dlogRI_User2_, &*f.dlogSegelstein_, &*f.dlogRay_,
                 &*f.dlogBlackBody_, &*f.dlogSpectrumBand_, &*f.dlogSpectrumFile_, &*f.Form2_})
            checkWindow(*window, true);
    }
    std::string report;
    for (const std::string& o : offenders) report += "\n  " + o;
    EXPECT_TRUE(offenders.empty()) << offenders.size() << " texts do not fit:" << report;
}

}  // namespace
}  // namespace tessary
