// The wavelength box's change handler: the one place where a new wavelength, index model or model
// parameter becomes the relative refractive index shown in the index boxes. It checks the wavelength
// against the band of the chosen model, computes m through refrel and shows it, and marks the
// wavelength's colour in its label ("U.V." and "I.R." on white outside the visible band). When the
// models give no index, the boxes' number is marked as refused (indexRefused) for the input checks.
//
// Every call is a change of wavelength or model, except a text rewritten to the same wavelength (the input
// checks tidying "0,550" as ".550"): the boxes are then the models' again (RunFlags::indexTyped cleared),
// also where the handler stops early on a refused check, hidden boxes or several wavelengths, so that the
// next run shows and takes the models' index at its wavelength (ShowModelsIndex).
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "colour/wavelength_set.h"
#include "mainwindow/form1.h"
#include "media/index_boxes.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"

namespace tessary {

namespace {

// The models' index in the boxes, written as no typing.
void ShowIndex(Form1& f, double re, double im) {
    const IndexBoxesWrite writing(f.runFlags);
    f.txtRefractReal.setText(RealIndexText(re));
    f.txtRefractImag.setText(ImagIndexText(im));
    f.txtRefractImag.setBackColor(kWhite);
    f.indexState.indexRefused = false;
}

// The colour of one wavelength in Label4 and the graphs' colour of the wavelength.
void ShowColour(Form1& f, double lambda) {
    GraphColours& g = f.graphColours;
    f.Label4.setBackColor(kWhite);
    f.Label4.setCaption("     ");
    f.colrgb2(lambda, g.waveRed, g.waveGreen, g.waveBlue);
    f.Label4.setBackColor(PackWaveColour(g.waveRed, g.waveGreen, g.waveBlue));
    const std::string_view band = WavelengthBandLabel(lambda);
    if (!band.empty()) {
        f.Label4.setBackColor(kWhite);
        f.Label4.setCaption(std::string(band));
    }
}

}  // namespace

void ShowModelsIndex(Form1& f) {
    if (f.runFlags.dataFileLoading) return;  // the reader sets the boxes and colour of its file
    const double lambda = TypedWavelength(f.txtLambda.text());
    if (!(lambda > 0.0) || !std::isfinite(lambda)) return;  // no wavelength: the checks refuse it
    ShowColour(f, lambda);
    if (f.runFlags.indexTyped) return;
    const RefrelResult m = f.CheckedModelsIndex(lambda);
    if (m.status == RefrelStatus::KeepShown) return;  // IAPWS outside 0.15 - 2 um: refused by the checks
    if (!m.ok()) {
        f.indexState.indexRefused = true;
        return;
    }
    f.KeepIndexOf(f.indexState.indexModels, lambda);  // the indices shown become the window's
    ShowIndex(f, m.relIndexRe, m.relIndexIm);
}

void Form1::txtLambda_change() {
    // The text stays as typed, the cursor where the user left it: a decimal comma is read as the point,
    // as every box is read at New plot, which tidies the text.
    const ValResult typed = WavelengthAsTyped(txtLambda.text());
    const bool sameWavelength = txtLambda.text() != runFlags.lambdaText &&
                                typed.value == WavelengthAsTyped(runFlags.lambdaText).value;
    runFlags.lambdaText = txtLambda.text();
    if (!sameWavelength) runFlags.indexTyped = false;
    calc.wavelength = typed.value;
    // A number beyond the Double range is no wavelength, but no empty box either: the input checks
    // refuse it.
    const bool overflow = typed.status != NumberStatus::Ok;
    // No wavelength yet (digits, if any, all zeros: "0,"), or a run over several wavelengths (which
    // computes m per wavelength). A text Val reads as 0 with other digits ("0,,5") goes to the checks.
    const bool noWavelengthYet = calc.wavelength == 0.0 && !overflow &&
                                 txtLambda.text().find_first_of("123456789") == std::string::npos;
    if (noWavelengthYet || calc.waveCount > 1) return;
    // A data file being read was checked whole before it is applied, and the boxes are half restored
    // while it is: the window's input checks and band messages, which would speak of boxes and
    // wavelengths the file has not set yet, are left out, and the index is shown where the models give
    // one.
    const bool loading = runFlags.dataFileLoading;
    if (loading && (calc.wavelength < 0.0 || overflow)) return;
    // Every input is checked; a refusal has shown its message, and the index shown stays. A negative
    // wavelength has no index and no band.
    if (!loading) {
        const bool asTypedBefore = runFlags.lambdaAsTyped;
        runFlags.lambdaAsTyped = true;
        CheckInput(graph.xMin, graph.xMax, graph.yAxisMin, graph.yAxisMax, runFlags.inputError);
        runFlags.lambdaAsTyped = asTypedBefore;
        // A method check's 0 written now is no index of the new wavelength or model: a run takes theirs.
        if (!sameWavelength) runFlags.indexTyped = false;
    }
    if (!loading && runFlags.inputError == 0 && (calc.wavelength < 0.0 || overflow)) runFlags.inputError = 1;
    if (!loading && runFlags.inputError == 1) {
        txtLambda.setBackColor(kRed);
        // Another input refused: the boxes and colour label still follow the new wavelength or model, where
        // the models give an index in their band (the run takes them again when it starts).
        if (ReadIndexModels() && !CheckLambdaBand(indexState.indexModels, calc.wavelength))
            ShowModelsIndex(*this);
        return;
    }
    results.qSca = 0.0;
    runFlags.resultsStale = 1;

    // Band of the chosen model; a refused wavelength keeps the index shown.
    ReadIndexModels();
    if (std::optional<BandMessage> band = CheckLambdaBand(indexState.indexModels, calc.wavelength)) {
        const SphereModel s = indexState.indexModels.sphere;
        if (s == SphereModel::Au || s == SphereModel::Ag || s == SphereModel::Cu) {
            // The metal message names the material as the window calls it.
            band->prompt = "The values for refractive index of " + indexState.sphereName +
                           " are valid only for the 187 - 1935 nm band";
            band->title = "Refractive index of " + indexState.sphereName;
        }
        if (loading) return;
        txtLambda.setBackColor(kRed);
        msgBox(band->prompt, mb::kOkOnly, band->title);
        return;
    }

    if (!loading && LambdaOutsideSphereWindow()) return;

    indexState.reducedTemp =
        static_cast<float>((static_cast<double>(indexState.waterTemp) + 273.15) / 273.15);
    indexState.waterDensity = static_cast<float>(ValOrInfinity(dlogTemp_->txtDensity.text()));

    // No index at this wavelength: refrel has said why. The index boxes keep the earlier number, which
    // the input checks then refuse to run with until an index is shown or typed. An index typed at this
    // wavelength stays.
    if (!runFlags.indexTyped) {
        const std::optional<double> m = refrel(calc.wavelength);
        if (!m) {
            txtLambda.setBackColor(kRed);
            indexState.indexRefused = true;
            return;
        }
        ShowIndex(*this, *m, indexState.relIndexIm);
    }
    ShowColour(*this, calc.wavelength);

    cmdOverPlot.setEnabled(true);
    if (runFlags.resultsFromFile == 0) txtLambda.setBackColor(kYellow);
}

// With the IAPWS sphere and one wavelength, a wavelength outside 0.15-2 um (which has no index): txtLambda
// red, the band message, true. The IAPWS sphere's formula holds from 0.15 to 2 um only; outside, refrel keeps
// the index of the previous wavelength, which no run may use.
bool Form1::LambdaOutsideSphereWindow() {
    const double lambda = WavelengthAsTyped(txtLambda.text()).value;
    if (!mnuRI_IAPWS.checked() || calc.waveCount > 1 || (0.15 <= lambda && lambda <= 2.0)) return false;
    txtLambda.setBackColor(kRed);
    msgBox("IAPWS values for refractive index of water are valid only for the 0.15 - 2 um band", mb::kOkOnly,
           std::string("Refractive index of water"));
    return true;
}

}  // namespace tessary
