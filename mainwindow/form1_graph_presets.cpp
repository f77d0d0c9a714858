// Applying a graph type's preset to the main window: the x-axis frame and range boxes, the inputs
// the type needs, the scales, the menus and, for the diagrams, the layout; then the settings every
// type shares (the common tail). Writing a value raises that control's own handler, so the order
// of the steps is the order of the fields of GraphPreset.
#include <string_view>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "mainwindow/graph_presets.h"
#include "platform/text/conversions.h"
#include "runs/results_on_show.h"

namespace tessary {
namespace {

void SetVisible(Control& control, Vis vis) {
    if (vis != Vis::Keep) control.setVisible(vis == Vis::Show);
}

void SetVisible(Menu& item, Vis vis) {
    if (vis != Vis::Keep) item.setVisible(vis == Vis::Show);
}

}  // namespace

struct Form1::GraphPresetWriter {
    Form1& f;
    const GraphPreset& p;

    bool due(When when) const {
        const bool typeChanged = f.codes.graphCode != f.codes.prevGraphCode;
        switch (when) {
            case When::Always:
                return true;
            case When::TypeChanged:
                return typeChanged;
            case When::TypeAndSubChanged:
                return typeChanged && f.codes.graphSubCode != f.codes.prevGraphSubCode;
        }
        return true;
    }

    void apply() {
        stepMenuAndXScale();
        axisFrame();
        yScale();
        SetVisible(f.Frame3, p.frame3);
        sweepFrame();
        if (p.falseColours) {
            f.PlotLineColour();
            f.mnuFalseColours.setChecked(true);
            f.mnuFalseColours.setVisible(true);
        }
        angleBox();
        lightInputs();
        dropSize();
        if (p.leeRadiusSweep) leeRadiusSweep();
        diagramLists();
        SetVisible(f.Frame5, p.frame5);
        SetVisible(f.Frame8, p.frame8);
        SetVisible(f.Frame4, p.frame4);
        layout();
        if (p.radiusChecked) {
            f.mnuRadiusDiameter.setVisible(false);
            f.mnuDiameter.setChecked(false);
            f.mnuRadius.setChecked(true);
        }
        SetVisible(f.lblLogo, p.logo);
        SetVisible(f.Frame2, p.frame2);
        if (p.overPlotWhenSameGraph) {
            const bool same = OverplotOffered(f);  // the graph on show is the one the list names
            f.cmdOverPlot.setVisible(same);
            f.cmdOverPlot.setEnabled(same);
        }
    }

    // The step menu first: with logarithmic steps the step list holds a number of steps, which
    // decides the step label and the step written below.
    void stepMenuAndXScale() {
        Menu& menu = f.mnuXStepLog;
        switch (p.stepLogMenu) {
            case StepLogMenu::Keep:
                break;
            case StepLogMenu::Off:
                menu.setChecked(false);
                menu.setEnabled(false);
                menu.setVisible(false);
                break;
            case StepLogMenu::Withdrawn:
                menu.setEnabled(false);
                menu.setVisible(false);
                break;
            case StepLogMenu::Offered:
                menu.setEnabled(true);
                menu.setVisible(true);
                break;
            case StepLogMenu::On:
                menu.setChecked(true);
                menu.setEnabled(true);
                menu.setVisible(true);
                break;
        }
        if (p.xLog) f.optXLog.setValue(true);
        SetVisible(f.Frame1, p.frame1);
    }

    void axisFrame() {
        if (p.frame2Caption) f.Frame2.setCaption(p.frame2Caption);
        if (p.frame2ToolTip) f.Frame2.setToolTipText(p.frame2ToolTip);
        if (p.label2) f.Label2.setCaption(p.label2);
        if (p.label3) f.Label3.setCaption(p.label3);
        const bool logSteps = f.mnuXStepLog.checked();
        if (logSteps && p.label5LogSteps) {
            f.Label5.setCaption(p.label5LogSteps);
        } else if (p.label5) {
            f.Label5.setCaption(p.label5);
        }
        if (p.range && due(p.range->when)) {
            const RangePreset& r = *p.range;
            f.txtXmin.setText(CStr(r.min));
            f.txtXmax.setText(CStr(r.max));
            f.cboStep.setText(CStr(logSteps && r.logSteps ? *r.logSteps : r.step));
        }
    }

    void yScale() {
        if (p.yScale == YScale::Keep || !due(p.yScaleWhen)) return;
        switch (p.yScale) {
            case YScale::Keep:
                break;
            case YScale::LogAutomaticMin:
                f.optLog.setValue(true);
                f.cboYmin.setText("Automatic");
                break;
            case YScale::LogAutomatic:
                f.optLog.setValue(true);
                f.cboYmax.setText("Automatic");
                f.cboYmin.setText("Automatic");
                break;
            case YScale::LinearZero:
                f.optLinear.setValue(true);
                f.cboYmin.setText("0");
                break;
        }
    }

    // Second swept quantity of the angle maps.
    void sweepFrame() {
        if (p.frame9Caption) f.Frame9.setCaption(p.frame9Caption);
        SetVisible(f.Frame9, p.frame9);
        if (p.label30) f.Label30.setCaption(p.label30);
        SetVisible(f.Label30, p.label30Vis);
        if (p.label32) f.Label32.setCaption(p.label32);
        SetVisible(f.Label32, p.label32Vis);
        switch (p.sweepFixed) {
            case SweepFixed::Keep:
                break;
            case SweepFixed::Zero:
                f.txtF9_fixed.setText("0");
                f.txtF9_fixed.setVisible(true);
                break;
            case SweepFixed::FromRefractReal:
                f.txtF9_fixed.setText(CStr(Val(f.txtRefractReal.text())));
                f.txtF9_fixed.setVisible(true);
                break;
            case SweepFixed::Hidden:
                f.txtF9_fixed.setVisible(false);
                break;
        }
        if (p.sweep) {
            f.txtF9_min.setText(CStr(p.sweep->min));
            f.txtF9_max.setText(CStr(p.sweep->max));
            f.txtF9_step.setText(CStr(p.sweep->steps));
        }
    }

    void angleBox() {
        if (p.label19) f.Label19.setCaption(p.label19);
        SetVisible(f.Label19, p.label19Vis);
        SetVisible(f.Label31, p.label31);
        if (p.angle) f.txtAngle.setText(p.angle);
        SetVisible(f.txtAngle, p.angleVis);
    }

    // The wavelength count first: its handler shows or hides the light inputs by the count, and
    // the preset then sets them as the type needs.
    void lightInputs() {
        if (p.wave) f.cboWave.setText(p.wave);
        // One wavelength has no colours to brighten: the list goes as the count's handler hides it, also where
        // the count read "1" before (a map shows it) and its handler did not run.
        if (p.wave && std::string_view(p.wave) == "1") {
            f.cboBright.setVisible(false);
            f.Label18.setVisible(false);
        }
        SetVisible(f.cboWave, p.waveVis);
        if (p.waveEnabled) f.cboWave.setEnabled(*p.waveEnabled);
        SetVisible(f.chkComponents, p.components);
        SetVisible(f.Label27, p.label27);
        // The box shows whenever the type's run reads it, also where the preset keeps the typed wavelength.
        if (p.lambda && due(p.lambdaWhen)) f.txtLambda.setText(p.lambda);
        SetVisible(f.txtLambda, p.lambdaVis);
        SetVisible(f.txtRefractReal, p.refract);
        SetVisible(f.txtRefractImag, p.refract);
        SetVisible(f.Label4, p.label4);
        SetVisible(f.Label6, p.label6And28);
        SetVisible(f.Label28, p.label6And28);
        SetVisible(f.Label8, p.label8To10);
        SetVisible(f.Label9, p.label8To10);
        SetVisible(f.Label10, p.label8To10);
    }

    void dropSize() {
        if (p.selectMono) f.optMono.setValue(true);
        SetVisible(f.optMono, p.mono);
        SetVisible(f.optDisp, p.disp);
        if (p.distrib) f.cboDistrib.setText(p.distrib);
        if (due(p.sizeEntryWhen)) {
            if (p.sizeEntry == SizeEntry::Radius && !f.mnuRadius.checked()) f.mnuRadius_Click();
            if (p.sizeEntry == SizeEntry::SizeParameter && !f.mnuRadiusX.checked()) f.mnuRadiusX_Click();
        }
        SetVisible(f.mnuRadius, p.mnuRadiusVis);
        SetVisible(f.mnuDiameter, p.mnuDiameterVis);
        SetVisible(f.mnuRadiusDiameter, p.mnuRadiusDiameterVis);
        SetVisible(f.mnuRadiusX, p.mnuRadiusXVis);
        if (p.radius && due(p.radiusWhen)) f.txtRadius.setText(p.radius);
        SetVisible(f.txtRadius, p.radiusVis);
        SetVisible(f.Label7, p.label7);
        SetVisible(f.Label29, p.label29);
    }

    // Lee diagram: the radius box becomes the smallest radius of a sweep up to txtRmax in txtRstep steps.
    void leeRadiusSweep() {
        f.txtRadius.setText("5");
        f.txtRadius.setVisible(true);
        f.txtRadius.setTop(170);
        f.txtRadius.setLeft(1320);
        f.txtRadius.setWidth(495);
        f.Label7.setVisible(true);
        f.Label7.setTop(230);
        f.Label7.setLeft(120);
        f.Label7.setCaption("Minimum radius");
        f.Label29.setVisible(false);
        f.Label24.setVisible(true);
        f.Label24.setCaption("Maximum radius");
        f.txtRmax.setText("20");
        f.txtRmax.setVisible(true);
        f.Label25.setVisible(true);
        f.txtRstep.setText("4");
        f.txtRstep.setVisible(true);
        f.Label13.setVisible(false);
        f.cboN.setVisible(false);
    }

    void diagramLists() {
        if (p.pol) f.cboPol.setText(p.pol);
        SetVisible(f.cboPol, p.polVis);
        SetVisible(f.Label12, p.label12);
        // The list never shows without its caption, whichever type hid the caption before.
        if (f.cboPol.visible()) f.Label12.setVisible(true);
        if (p.lee != LeeList::Keep) {
            f.Label26.setVisible(true);
            f.cboLee.setVisible(true);
            const bool absolute = p.lee == LeeList::NormalisedOrAbsolute && f.runFlags.resultsFromFile != 0;
            f.cboLee.setText(absolute ? "Absolute" : "Normalised");
            f.cboLee.setEnabled(false);
        }
        SetVisible(f.cboBright, p.bright);
        SetVisible(f.Label18, p.bright);
    }

    void layout() {
        const bool wanted = p.layout == Layout::Always ||
                            (p.layout == Layout::WhenOverplotChecked && f.mnuOverplot.checked());
        if (!wanted) return;
        if (f.windowState.screenWidthPx > 1024) {
            f.mnuVLarge_Click();
        } else {
            f.mnuLarge_Click();
        }
    }
};

// The preset of the angle graphs (with the polarisation reset when asked), applied by decideRedraw.
void Form1::applyAnglePreset(bool resetPolarisation) {
    GraphPreset preset = AngleGraphPreset();
    if (resetPolarisation) preset.pol = "Both";
    GraphPresetWriter{*this, preset}.apply();
}

// A step of cboGraph_Click after decideRedraw: the preset of the new graph type.
void Form1::applyGraphTypePreset() {
    // Angle graphs are configured by the redraw decision, not here.
    const GraphPreset* preset =
        codes.graphCode == kGraphAngle ? nullptr : FindGraphPreset(codes.graphCode, codes.graphSubCode);
    if (preset && codes.graphCode <= kGraphEfficiencyWavelength) GraphPresetWriter{*this, *preset}.apply();
    // The light frame belongs to every type but the spectra of efficiencies (and the asymmetry
    // parameter against wavelength, whose preset hides it again).
    if (codes.graphCode != kGraphEfficiencyWavelength) Frame4.setVisible(true);
    if (preset && codes.graphCode > kGraphEfficiencyWavelength) GraphPresetWriter{*this, *preset}.apply();
}

// The last step of cboGraph_Click: what all graph types share after their preset.
void Form1::applyGraphPresetTail() {
    if (codes.graphCode < kGraphLee) {
        runFlags.resultsFromFile = 0;
        Label7.setLeft(120);
        Label7.setTop(350);
        // The caption of the size entry the box is read in, as its menu item gives it.
        const bool diameter = mnuDiameter.checked();
        Label7.setCaption(mnuRadiusX.checked() ? "Size parameter x"
                          : diameter           ? "Diameter (  m)"
                                               : "Radius (  m)");
        PlaceMicroSign(Label29, Label7, diameter ? "Diameter (" : "Radius (");
        const bool special = cboDistrib.text() == "Special";
        if (special) {
            Label7.setVisible(false);
            Label29.setVisible(false);
            txtRadius.setVisible(false);
        } else {
            Label7.setVisible(true);
            txtRadius.setVisible(true);
            // The micro sign of a size in um, which the Lee diagram's radius sweep hid.
            Label29.setVisible(!mnuRadiusX.checked());
        }
        txtRadius.setTop(600);
        txtRadius.setLeft(120);
        txtRadius.setWidth(855);
        txtRmax.setVisible(false);
        txtRstep.setVisible(false);
        Label24.setVisible(false);
        Label25.setVisible(false);
        Label26.setVisible(false);
        cboLee.setVisible(false);
        Frame1.setVisible(true);
        if (optDisp.value() && !special) {
            Label13.setVisible(true);
            cboN.setVisible(true);
        }
        lblLogo.setVisible(mnuHideLogo.visible());
    }
    if (codes.graphCode <= kGraphLee) {
        Frame9.setVisible(false);
        Label31.setVisible(false);
        Label18.setCaption("Brightness");
        Label26.setCaption("Lee diagram");
        if (mnuFalseColours.checked()) {
            PlotLineColour();
            mnuFalseColours.setChecked(false);
            mnuFalseColours.setVisible(false);
            mnuTrueColour.setChecked(true);
        }
    } else {
        Label18.setCaption("Colour scale");
        Label26.setCaption("Intensity map");
    }
    // Components are offered for a few wavelengths only (a named set such as "RGB" counts as 0).
    const std::string& waves = cboWave.text();
    if (waves == "1" || codes.graphCode == kGraphLee || Val(waves) > 7) {
        chkComponents.setEnabled(false);
        chkComponents.setValue(0);
        chkComponents.setVisible(false);
    } else {
        chkComponents.setVisible(true);
        chkComponents.setEnabled(true);
        chkComponents.setValue(1);
    }
    mnuInterpolate.setChecked(false);
}

}  // namespace tessary
