// Handlers of the main window's inputs: the lists, check boxes and text boxes. They compute nothing:
// they mark the results out of date, paint the changed input yellow, offer New plot or Replot, and
// show the controls and menus of the chosen method, wavelength count and distribution. A display
// option redraws at once (Replot) only while the shown results are current.
//
// Writing a control's value from code raises its handler at once, so the handlers below also run
// nested inside each other (cboType_click -> cboRays_Click, cboWave_Click -> cboBright_Click,
// chk1256_Click <-> chkRays0_Click). The forwarders make every event of a control reach its one real
// handler once.
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "mainwindow/size_entry.h"
#include "media/index_boxes.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"
#include "runs/method_codes.h"
#include "runs/results_on_show.h"
#include "scattering/ray_orders.h"

namespace tessary {
namespace {

// The largest wave count the per-wavelength tables (entries 0..2001) can hold.
constexpr double kMaxWaveCount = 2001;

bool IsOneOf(int value, std::initializer_list<int> set) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

// A beam other than the plane wave that the runs use keeps its item and the Illumination menu shown,
// whatever the method, so that the user sees it and can undo it: Gaussian or top hat while Plane wave
// is unchecked, and the multiple and central beams whenever checked. A Gaussian or top-hat mark beside
// a checked Plane wave is only kept for the next method that applies it: this method computes a plane
// wave.
void ShowBeamsInUse(Form1& f) {
    std::vector<Menu*> inUse;
    if (!f.mnuPlaneWave.checked()) inUse = {&f.mnuGaussian, &f.mnuTopHat};
    inUse.push_back(&f.mnuMultBeams);
    inUse.push_back(&f.mnuCentralBeam);
    for (Menu* item : inUse) {
        if (!item->checked()) continue;
        item->setVisible(true);
        f.mnuIllumination.setVisible(true);
    }
}

}  // namespace

// -------------------------------------------------------------------------------------------------
// Run buttons

// New plot offered: cmdReplot hidden (and disabled when asked), cmdNewPlot the default button.
void Form1::offerNewPlot(bool disableReplot) {
    cmdReplot.setVisible(false);
    if (disableReplot) cmdReplot.setEnabled(false);
    cmdNewPlot.setDefault(true);
}

// Replot offered: cmdReplot enabled, shown and the default button.
void Form1::offerReplot() {
    cmdReplot.setEnabled(true);
    cmdReplot.setVisible(true);
    cmdReplot.setDefault(true);
}

// Wavelengths per run for a text of cboWave: "RGB" 3, "High" 1000, "Med." 300, "Low" 100, else its value
// rounded half to even and held within 0..2001 (the per-wavelength tables' entries): a typed "99999" neither
// overflows nor overruns the tables; the run's input checks refuse any count above 2000.
int Form1::WaveCountOf(const std::string& text) {
    if (text == "RGB") return 3;
    if (text == "High") return 1000;
    if (text == "Med.") return 300;
    if (text == "Low") return 100;
    const double value = std::clamp(Val(text), 0.0, kMaxWaveCount);
    return CInt(value).value;
}

// -------------------------------------------------------------------------------------------------
// Forwarders

void Form1::cboBright_Change() { cboBright_Click(); }
void Form1::cboDistrib_Click() { cboDistrib_Change(); }
void Form1::cboN_click() { cboN_Change(); }
void Form1::cboRays_Change() {
    if (runFlags.resultsFromFile == 0) cboRays_Click();
}
void Form1::cboSD_Click() { cboSD_Change(); }
void Form1::cboType_Change() { cboType_click(); }
void Form1::cboWave_change() { cboWave_Click(); }
void Form1::cboYmax_Change() { cboYmax_Click(); }
void Form1::cboYmax_Scroll() { cboYmax_Click(); }
void Form1::cboYmin_Change() { cboYmin_Click(); }
void Form1::cboYmin_Scroll() { cboYmin_Click(); }
void Form1::cboStep_Click() { cboStep_Change(); }

// -------------------------------------------------------------------------------------------------
// Method and ray order

void Form1::cboType_click() {
    // 1: the method code from the list's text.
    TypeCalc();

    // 2: methods without ray orders.
    if (IsOneOf(codes.calcMethod, {kMethodMie, kMethodRayleigh, kMethodDiffraction, kMethodAperture})) {
        cboRays.setVisible(false);
        lblDebyeRays.setCaption(cboType.text());
    }

    // 3: methods with ray orders (Aperture passes step 2 too and ends with the list shown). Airy
    // theory holds only for p >= 2.
    if (IsOneOf(codes.calcMethod, {kMethodDebye, kMethodAiry, kMethodDescartes, kMethodYoung, kMethodYoungMod,
                                   kMethodHuygens, kMethodAperture, kMethodSurfaceWave})) {
        if (codes.calcMethod == kMethodAiry && (cboRays.text() == "0" || cboRays.text() == "1"))
            cboRays.setText("2");
        cboRays.setVisible(true);
        cboRays_Click();
    }

    // 4: the diffraction term of the ray-path dialog belongs to Young mod. in the hidden mode.
    if (codes.calcMethod != kMethodYoungMod) {
        dlogP_->chkDiffraction.setVisible(false);
        dlogP_->chkDiffraction.setValue(0);
    } else if (mnuHidden.visible()) {
        dlogP_->chkDiffraction.setVisible(true);
    }

    // 5: on angle graphs Huygens and Aperture read their count of rays or samples from txtAngle.
    if (codes.graphCode == kGraphAngle) {
        if (codes.calcMethod == kMethodHuygens || codes.calcMethod == kMethodAperture) {
            txtAngle.setVisible(true);
            txtAngle.setText("1000");
        } else {
            txtAngle.setVisible(false);
        }
    }

    // 6: illumination; the checked beam is applied again for the new method. The top hat is Young mod.'s
    // alone (no other method runs with it), also where the central beam keeps the menu shown.
    if (!IsOneOf(codes.calcMethod, {kMethodMie, kMethodDebye, kMethodYoungMod})) {
        mnuPlaneWave.setChecked(true);
        mnuIllumination.setVisible(false);
        mnuTopHat.setVisible(false);
    } else {
        mnuIllumination.setVisible(windowState.hiddenModeState == 2);
        if (codes.calcMethod == kMethodMie || codes.calcMethod == kMethodDebye) {
            mnuTopHat.setVisible(false);
            if (mnuGaussian.checked())
                mnuGaussian_Click();
            else
                mnuPlaneWave_Click();
        } else {
            mnuIllumination.setVisible(true);
            mnuTopHat.setVisible(true);
            if (mnuTopHat.checked()) {
                dlogGaussianBeam_->setCaption("Top hat beam");
                mnuTopHat_Click();
            }
            if (mnuGaussian.checked()) {
                dlogGaussianBeam_->setCaption("Gaussian beam");
                mnuGaussian_Click();
            }
        }
    }
    ShowBeamsInUse(*this);

    // 7: the inputs of the surface-wave method.
    if (codes.calcMethod != kMethodSurfaceWave) {
        cboQmin.setVisible(false);
        cboQmax.setVisible(false);
        lblQminQmax.setVisible(false);
        mnuSurfaceWave.setVisible(false);
        txtSWAmp.setVisible(false);
        txtSWAmp.setText("1");
        lblSWFactor.setVisible(false);
    } else {
        cboQmin.setVisible(true);
        cboQmax.setVisible(true);
        lblQminQmax.setVisible(true);
        mnuSurfaceWave.setVisible(true);
        txtSWAmp.setVisible(true);
        lblSWFactor.setVisible(true);
        mnuSurfaceShort.setChecked(false);
        mnuSurfaceLong.setChecked(false);
        mnuSurfaceBoth.setChecked(true);
    }

    // 8: van de Hulst reads its term range from the same lists.
    if (codes.calcMethod == kMethodVanDeHulst) {
        cboQmin.setVisible(true);
        cboQmax.setVisible(true);
    }

    // 9
    cmdReplot.setVisible(false);
}

void Form1::cboRays_Click() {
    if (codes.calcMethod == kMethodMie) {
        cboRays.setVisible(false);  // Mie has no ray orders
    } else {
        cboRays.setVisible(true);
        cboRays.setBackColor(kYellow);
        if (cboRays.text() == "Multiple" && runFlags.resultsFromFile == 0) {
            if (codes.calcMethod == kMethodYoungMod && mnuHidden.visible()) {
                dlogP_->chkDiffraction.setVisible(true);
            } else {
                dlogP_->chkDiffraction.setVisible(false);
                dlogP_->chkDiffraction.setValue(0);
            }
            dlogP_->show(ShowMode::Modal);
        } else if (dlogP_.loaded()) {
            dlogP_->hide();
        }
        // The selection is made anew from the list (or the dialog's boxes as they were left): the
        // flags of orders 0..50 cleared, then RaysCheck. A refused typed order changes nothing. A text
        // that names no order (a "-3" or "Multiple" half typed, "2,3") changes nothing either and is
        // not refused while it is typed: New plot refuses it.
        if (RayListNamesOrders(cboRays.text())) RaysCheck(RayFlagsFirst::Clear);
    }
    runFlags.resultsStale = 1;
}

// -------------------------------------------------------------------------------------------------
// Size distribution

void Form1::cboDistrib_Change() {
    cboDistrib.setBackColor(kYellow);
    const std::string& kind = cboDistrib.text();

    // A Lee diagram sweeps the radius of a log-normal distribution: no histogram there. The list keeps
    // its text and the run commands refuse the next run.
    if (codes.graphCode == kGraphLee && kind == "Special") {
        cboDistrib.setBackColor(kRed);
        msgBox("Special distributions are not available for Lee diagrams", mb::kOkOnly,
               std::string("Input error"));
        runFlags.inputError = 1;
        cboSD.setBackColor(kWhite);
        return;
    }

    // A histogram from a file replaces the median radius; without one the file is asked for.
    if (kind == "Special") {
        Label7.setVisible(false);
        Label29.setVisible(false);
        txtRadius.setVisible(false);
        if (dist.sizeHistogram.histLoaded != 1 && !ReadSizeDist()) return;
        if (optDisp.value()) DistDisplay();
    }

    if (cboSD.backColor() == kRed && kind == "Log-normal") cboSD.setBackColor(kYellow);
    if (codes.graphCode == kGraphLee && optDisp.value()) OfferLeeSizeRedraw(*this);

    if (kind == "Normal" || kind == "Log-normal") {
        Label7.setVisible(true);
        Label29.setVisible(true);
        txtRadius.setVisible(true);
        if (optDisp.value() && Val(cboSD.text()) > 0) DistDisplay();
    }
}

void Form1::cboSD_Change() {
    if (codes.graphCode != kGraphLee) {
        offerNewPlot(true);
    } else {
        OfferLeeSizeRedraw(*this);
    }
    cboSD.setBackColor(kYellow);
    runFlags.resultsStale = 1;
    if (optDisp.value() && Val(cboSD.text()) > 0) DistDisplay();
}

void Form1::cboN_Change() {
    runFlags.resultsStale = 1;
    cboN.setBackColor(kYellow);
    const double n = Val(cboN.text());
    if (optDisp.value() && (n == 5 || n == 10 || n == 20 || n == 50)) DistDisplay();
}

// -------------------------------------------------------------------------------------------------
// Wavelengths

void Form1::cboWave_Click() {
    // 1-3: before the first run (start-up) the list stays white.
    cboWave.setBackColor(kYellow);
    if (codes.runState <= kNoRunYet) cboWave.setBackColor(kWhite);
    cmdReplot.setVisible(false);
    cmdOverPlot.setVisible(false);
    cmdNewPlot.setDefault(true);
    results.qSca = 0;
    runFlags.resultsStale = 1;

    const std::string& text = cboWave.text();
    if (text == "1") {
        // 4: one wavelength: its box, colour and index.
        for (Label* label : {&Label4, &Label6, &Label28, &Label2, &Label8, &Label9, &Label10})
            label->setVisible(true);
        for (TextBox* box : {&txtLambda, &txtRefractReal, &txtRefractImag}) box->setVisible(true);
        cboBright.setVisible(false);
        Label18.setVisible(false);
        chkComponents.setEnabled(false);
        chkComponents.setValue(0);
        chkComponents.setVisible(false);
        mnuInvWavelength.setChecked(false);
        mnuRadiusX.setVisible(true);
        lblSpectrum.setVisible(false);
        lblSpectrumBand.setVisible(false);
        ShowModelsIndex(*this);  // the models' index and colour of the wavelength, unless one was typed
    } else {
        // 5: several wavelengths: a spectrum, drawn in colours of adjustable brightness.
        for (Label* label : {&Label4, &Label6, &Label28, &Label8, &Label9, &Label10})
            label->setVisible(false);
        for (TextBox* box : {&txtLambda, &txtRefractReal, &txtRefractImag}) box->setVisible(false);
        cboBright.setText("1");
        cboBright.setVisible(true);
        Label18.setVisible(true);
        if (Val(text) <= 7 || text == "RGB") {
            chkComponents.setEnabled(true);
            chkComponents.setValue(1);
            chkComponents.setVisible(true);
        } else {
            chkComponents.setEnabled(false);
            chkComponents.setValue(0);
        }
        mnuInvWavelength.setChecked(true);
        mnuRadiusX.setVisible(false);
        KeepOfferedSizeEntry(*this);  // x belongs to one wavelength
        lblSpectrum.setVisible(true);
        lblSpectrumBand.setVisible(true);
    }

    // 6: the Lee diagram has no colour components.
    if (codes.graphCode == kGraphLee) {
        chkComponents.setEnabled(false);
        chkComponents.setValue(0);
        chkComponents.setVisible(false);
        mnuInvWavelength.setChecked(true);
        if (text == "1") {
            for (Control* c : std::initializer_list<Control*>{&txtLambda, &Label4, &Label6, &Label28})
                c->setVisible(true);
        }
    }

    // 7: runs replace the counts of "High", "Med." and "Low" by counts that suit the radius.
    calc.waveCount = WaveCountOf(text);
}

void Form1::chkComponents_Click() {
    if (cboWave.backColor() != kYellow && ResultsToRedraw(*this) &&
        (codes.runState == kRunNewPlot || runFlags.resultsFromFile == 1))
        ReplotIfIdle();
}

// -------------------------------------------------------------------------------------------------
// Display options

// The colours of the run on show at the new brightness: the strip of a run against the scattering angle,
// repainted in place with the inputs locked, or a Lee diagram or map by Replot. Nothing of a run that finished
// no point, nor of one that formed no colours (a sweep, a size distribution at one wavelength: the sums hold an
// earlier run's), nor at a text that is no positive number (one being typed: the next run or redraw refuses it).
void Form1::cboBright_Click() {
    const std::optional<RedrawPlan> plan = PlanRedraw(*this);
    if (!ResultsToRedraw(*this) || !BoxNumber(cboBright.text(), false, 100)) return;
    if (plan->graphCode >= kGraphLee) {
        ReplotIfIdle();
        return;
    }
    if (!ColoursOnShow(*this) || RedrawBusy()) return;
    const RedrawGuard guard(windowState);
    LockON();
    PlotBow(colourSums.colourSumPerp, colourSums.colourSumPara, CStr(colourSums.peakCommon));
    LockOFF();
}

void Form1::cboLee_Click() {
    if (codes.graphCode > kGraphLee && mnuFalseColours.checked()) {
        // False-colour maps are always scaled to the overall maximum.
        if (cboLee.text() == "Normalised") cboLee.setText("Absolute");
        cboLee.setEnabled(false);
    } else if (ResultsToRedraw(*this)) {
        ReplotIfIdle();
    }
}

void Form1::cboYmax_Click() {
    if (!ResultsToRedraw(*this)) return;
    cmdOverPlot.setEnabled(false);
    offerReplot();
    cboYmax.setBackColor(kYellow);
}

void Form1::cboYmin_Click() {
    if (!ResultsToRedraw(*this)) return;
    cmdOverPlot.setEnabled(false);
    offerReplot();
    cboYmin.setBackColor(kYellow);
}

void Form1::cboPol_Click() {
    if (ResultsToRedraw(*this) && cboPol.enabled() && PlanRedraw(*this)->graphCode < kGraphLee)
        ReplotIfIdle();
}

// -------------------------------------------------------------------------------------------------
// Step, angle, Lee range, x range

void Form1::cboStep_Change() {
    cmdOverPlot.setEnabled(true);
    cmdReplot.setEnabled(false);
    cboStep.setBackColor(kYellow);
    runFlags.resultsStale = 1;
    cmdNewPlot.setDefault(true);
    // The stored results stay as the run left them (saves and Replot read them with the run's
    // record); New plot sizes the arrays for the new step.
}

void Form1::txtAngle_Change() {
    cmdOverPlot.setEnabled(true);
    txtAngle.setBackColor(kYellow);
    runFlags.resultsStale = 1;
}

void Form1::txtRmax_Change() {
    cmdOverPlot.setEnabled(true);
    cmdReplot.setEnabled(false);
    txtRmax.setBackColor(kYellow);
    runFlags.resultsStale = 1;
}

void Form1::txtRstep_Change() {
    cmdOverPlot.setEnabled(true);
    cmdReplot.setEnabled(false);
    txtRstep.setBackColor(kYellow);
    runFlags.resultsStale = 1;
}

// A range inside the one last computed can be redrawn from the stored results; a wider one needs a
// new calculation. Neither box is marked yellow.
void Form1::txtXmin_Change() {
    if (runFlags.resultsFromFile == 1) return;
    cmdOverPlot.setEnabled(false);
    if (!ResultsToRedraw(*this) || Val(txtX1min.text()) > Val(txtXmin.text()))
        offerNewPlot(true);
    else
        offerReplot();
}

void Form1::txtXmax_Change() {
    if (runFlags.resultsFromFile == 1) return;
    cmdOverPlot.setEnabled(false);
    if (!ResultsToRedraw(*this) || Val(txtX2Max.text()) < Val(txtXmax.text()))
        offerNewPlot(true);
    else
        offerReplot();
}

// -------------------------------------------------------------------------------------------------
// Radius and refractive index

void Form1::txtRadius_Change() {
    cmdOverPlot.setEnabled(true);
    offerNewPlot(false);
    txtRadius.setBackColor(kYellow);
    results.qSca = 0;
    runFlags.resultsStale = 1;
    if (optDisp.value() && Val(txtRadius.text()) > 0) DistDisplay();
}

void Form1::txtRefractReal_Change() {
    indexState.indexRefused = false;  // an index typed or written into the box is the one to use
    if (runFlags.indexBoxWrites == 0) runFlags.indexTyped = true;
    if (runFlags.resultsFromFile != 0) return;
    txtRefractReal.setBackColor(kYellow);
    results.qSca = 0;
    runFlags.resultsStale = 1;
    cmdOverPlot.setEnabled(true);
    offerNewPlot(false);
}

void Form1::txtRefractImag_Change() {
    indexState.indexRefused = false;  // an index typed or written into the box is the one to use
    if (runFlags.indexBoxWrites == 0) runFlags.indexTyped = true;
    if (runFlags.resultsFromFile != 0) return;
    txtRefractImag.setBackColor(kYellow);
    results.qSca = 0;
    runFlags.resultsStale = 1;
    cmdOverPlot.setEnabled(true);
    offerNewPlot(false);
}

// -------------------------------------------------------------------------------------------------
// Debye terms (hidden frame): the two boxes stay complementary. Each sets the other to the
// complement of its own value, so the second pass changes nothing and the pair settles.

void Form1::chk1256_Click() {
    const int value = chk1256.value();
    if (value == 0)
        chkRays0.setValue(1);
    else if (value == 1)
        chkRays0.setValue(0);
}

void Form1::chkRays0_Click() {
    const int value = chkRays0.value();
    if (value == 0)
        chk1256.setValue(1);
    else if (value == 1)
        chk1256.setValue(0);
}

}  // namespace tessary
