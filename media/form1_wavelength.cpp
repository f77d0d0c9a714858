// The wavelength box's change handler: the one place where a new wavelength, index model or model
// parameter becomes the relative refractive index shown in the index boxes. It checks the wavelength
// against the band of the chosen model, computes m through refrel and shows it, and marks the
// wavelength's colour in its label ("U.V." and "I.R." on white outside the visible band). When the
// models give no index, the boxes' number is marked as refused (indexRefused) for the input checks.
#include <string>

#include "colour/wavelength_set.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"

namespace tessary {

void Form1::txtLambda_change() {
    // The text stays as typed, the cursor where the user left it: a decimal comma is read as the point,
    // as every box is read at New plot, which tidies the text.
    const ValResult typed = WavelengthAsTyped(txtLambda.text());
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
    }
    if (!loading && runFlags.inputError == 0 && (calc.wavelength < 0.0 || overflow)) runFlags.inputError = 1;
    if (!loading && runFlags.inputError == 1) {
        txtLambda.setBackColor(kRed);
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
    // the input checks then refuse to run with until an index is shown or typed.
    const std::optional<double> m = refrel(calc.wavelength);
    if (!m) {
        txtLambda.setBackColor(kRed);
        indexState.indexRefused = true;
        return;
    }
    txtRefractReal.setText(RealIndexText(*m));
    txtRefractImag.setText(ImagIndexText(indexState.relIndexIm));
    txtRefractImag.setBackColor(kWhite);
    indexState.indexRefused = false;

    Label4.setBackColor(kWhite);
    Label4.setCaption("     ");
    colrgb2(calc.wavelength, graphColours.waveRed, graphColours.waveGreen, graphColours.waveBlue);
    Label4.setBackColor(PackWaveColour(graphColours.waveRed, graphColours.waveGreen, graphColours.waveBlue));
    const std::string_view band = WavelengthBandLabel(calc.wavelength);
    if (!band.empty()) {
        Label4.setBackColor(kWhite);
        Label4.setCaption(std::string(band));
    }

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
