// The graph-type list of the main window: the chosen entry sets the graph code and sub-code,
// decides between redrawing the current results and marking them out of date, and configures the
// window for the type through its preset (graph_presets.h).
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "mainwindow/graph_presets.h"
#include "mainwindow/size_entry.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"

namespace tessary {
namespace {

constexpr OleColor kChangedColour = rgb(255, 255, 0);  // an input changed since the last run

// The size-parameter entry as the chosen entry offers it, with the wavelength count its preset left: the angle
// entries with one wavelength, the index sweep, and the efficiencies' size variants by their preset. (Writing
// the count "1" raises its handler, which offers the entry on any graph.) An unknown text leaves it.
void OfferSizeParameterEntry(Form1& f) {
    const GraphTypeEntry* entry = FindGraphType(f.cboGraph.text());
    if (!entry) return;
    const EntryMenus menus = entry->menus;
    const bool angle = menus == EntryMenus::AngleIntensity || menus == EntryMenus::PhaseFunction ||
                       menus == EntryMenus::AbsoluteUnits;
    f.mnuRadiusX.setVisible((angle && f.cboWave.text() == "1") || menus == EntryMenus::SizeParameterMenu ||
                            (entry->preset && entry->preset->mnuRadiusXVis == Vis::Show));
}

}  // namespace

void KeepOfferedSizeEntry(Form1& f) {
    const GraphPreset* preset = FindGraphPreset(f.codes.graphCode, f.codes.graphSubCode);
    if (preset && preset->sizeEntry == SizeEntry::SizeParameter) return;
    const auto offered = [&f](const Menu& item) { return f.mnuRadiusDiameter.visible() && item.visible(); };
    if ((f.mnuDiameter.checked() && !offered(f.mnuDiameter)) ||
        (f.mnuRadiusX.checked() && !offered(f.mnuRadiusX)))
        f.mnuRadius_Click();
}

void Form1::cboGraph_Change() { cboGraph_Click(); }

void Form1::cboGraph_Click() {
    // Wipe the run information beside the inputs; it belonged to the previous type.
    setForeColor(kButtonFace);
    boxFilled(9000, 450, 12000, 2000);
    cboGraph.setBackColor(kChangedColour);

    // Menus that only some types offer start from their neutral state.
    mnuRadiusDiameter.setVisible(true);
    mnuRadiusX.setVisible(false);
    mnuDiameter.setVisible(true);
    mnuRadius.setVisible(true);
    mnuInvWavelength.setChecked(false);
    mnuAmpPhase.setVisible(false);
    mnuAmpPhase.setChecked(false);
    mnuIntPol.setVisible(false);
    mnuIntPol.setChecked(false);

    // Relative units unless the absolute-units entry is chosen.
    calc.waveNumber = 1.0;
    calc.waveNumberSq = 1.0;

    selectGraphType();
    decideRedraw();
    applyGraphTypePreset();
    OfferSizeParameterEntry(*this);
    KeepOfferedSizeEntry(*this);
    applyGraphPresetTail();

    cmdNewPlot.setDefault(true);
    cmdReplot.setEnabled(false);
    cmdReplot.setVisible(false);
    if (codes.graphCode != kGraphEfficiency) {  // the efficiency preset has decided about Overplot itself
        cmdOverPlot.setEnabled(false);
        cmdOverPlot.setVisible(false);
    }
    txtXmin.setBackColor(kWhite);
    txtXmax.setBackColor(kWhite);
    cboStep.setBackColor(kWhite);
    cboYmin.setBackColor(kWhite);
    optMono.setBackColor(kButtonFace);

    if (runFlags.resultsStale == 0) {
        codes.prevGraphCode = codes.graphCode;
        codes.prevGraphSubCode = codes.graphSubCode;
    }
}

// Sets the codes from the list text (an unknown text keeps the old ones) and the menus the entry
// offers.
void Form1::selectGraphType() {
    const GraphTypeEntry* entry = FindGraphType(cboGraph.text());
    if (entry) {
        codes.graphCode = entry->code;
        if (entry->subCode != kNoSubCode) codes.graphSubCode = entry->subCode;
    }
    // The size-parameter entry is offered after the preset (OfferSizeParameterEntry).
    const EntryMenus menus = entry ? entry->menus : EntryMenus::None;
    switch (menus) {
        case EntryMenus::None:
        case EntryMenus::PhaseFunction:
        case EntryMenus::SizeParameterMenu:
            break;
        case EntryMenus::AngleIntensity:
            mnuInvWavelength.setChecked(calc.waveCount != 1);
            mnuAmpPhase.setVisible(true);
            mnuIntPol.setVisible(true);
            break;
        case EntryMenus::AbsoluteUnits:
            // The dialog's OK and Cancel fill the incident intensity and distance labels.
            dlogIncident_->show(ShowMode::Modal);
            mnuInvWavelength.setChecked(true);
            if (const auto scale =
                    AbsoluteScaleFor(Val(txtLambda.text()), calc.radius, indexState.mediumRe)) {
                calc.wavelength = scale->wavelength;
                calc.sizeParam = scale->sizeParam;
                calc.waveNumber = scale->waveNumber;
                calc.waveNumberSq = scale->waveNumberSq;
            }
            break;
        case EntryMenus::InvWavelength:
            mnuInvWavelength.setChecked(true);
            break;
    }
    if (menus != EntryMenus::AbsoluteUnits) {
        lblWatts.setCaption("");
        lblDistance.setCaption("");
    }
}

// Among the angle graphs the current results are redrawn in the new variant; any other change of
// type leaves them out of date. Angle graphs get their preset here: after another type under
// current results (with the polarisation reset), or whenever the results are out of date.
void Form1::decideRedraw() {
    const bool current = runFlags.resultsStale == 0;
    if (codes.graphCode == kGraphAngle) {
        if (current && codes.prevGraphCode != kGraphAngle) {
            applyAnglePreset(true);
        } else if (!current) {
            applyAnglePreset(false);
        }
    }
    if (!current || runFlags.resultsFromFile != 0) return;
    if (codes.prevGraphCode == kGraphAngle && codes.graphCode == kGraphAngle) {
        // Replot (the Click of cmdReplot) redraws the stored results in the new variant. It is
        // refused while a run or another redraw is under way, which unlocks the inputs when it ends.
        if (Val(cboWave.text()) == 1.0 && ReplotIfIdle()) LockOFF();
    } else {
        runFlags.resultsStale = 1;
    }
}

}  // namespace tessary
