// The ray-order selection as procedures of the main window: the pure selection of
// scattering/ray_orders.h fed from the ray-order list, the dialog of ray paths, the method and the
// menus, and its outcome written to the flags, the label, the calculation title and the title bar.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mainwindow/form1.h"
#include "scattering/ray_orders.h"

namespace tessary {

namespace {

// What the selection is made from, as the window shows it now. The dialog of ray paths is made on
// first use. The views point into `listText` and the window's names.
RayChoice ChoiceOf(Form1& f, const std::string& listText) {
    RayChoice c;
    c.listText = listText;
    c.calcMethod = f.codes.calcMethod;
    dlogP& dialog = *f.dlogP_;
    for (int p = 0; p < kRayBoxCount; ++p) c.chkp[static_cast<std::size_t>(p)] = dialog.chkp(p).value();
    c.chkDiffraction = dialog.chkDiffraction.value();
    c.mnuSurfaceBoth = f.mnuSurfaceBoth.checked();
    c.mnuSurfaceShort = f.mnuSurfaceShort.checked();
    c.mnuSurfaceLong = f.mnuSurfaceLong.checked();
    c.mnuGaussian = f.mnuGaussian.checked();
    c.sphereName = f.indexState.sphereName;
    c.mediumName = f.indexState.mediumName;
    return c;
}

RaySelection SelectionOf(const SeriesState& series) {
    RaySelection s;
    s.rayflag.assign(series.rayflag.begin(), series.rayflag.end());  // flags are 0 or 1
    s.rayCount = series.rayCount;
    s.rayPMax = series.rayPMax;
    return s;
}

// The new selection and captions into the window; false (after the message) when refused.
bool Apply(Form1& f, const RaysOutcome& out) {
    if (out.status == RaysStatus::OrderTooLarge || out.status == RaysStatus::NotAnOrder) {
        msgBox(out.message, mb::kOkOnly, out.title);
        return false;
    }
    f.series.rayflag.assign(out.selection.rayflag.begin(), out.selection.rayflag.end());
    f.series.rayCount = out.selection.rayCount;
    f.series.rayPMax = out.selection.rayPMax;
    f.lblDebyeRays.setCaption(out.label);
    f.series.captionText = out.captionText;
    return true;
}

}  // namespace

// The ray-order selection of cboRays ("p", "-N" or "Multiple" with the boxes of dlogP, made on first use) and
// calcMethod: writes rayflag, rayCount, rayPMax, lblDebyeRays and captionText. Never clears a flag already 1,
// unless asked to clear orders 0..50 first (as a change of the selection does). A typed text that names no
// order, or an absurd order, is refused with a message and changes nothing: false. (Inside Form1 the pure
// selection is tessary::RaysCheck.)
bool Form1::RaysCheck(RayFlagsFirst first) {
    const std::string listText = cboRays.text();
    const RayChoice choice = ChoiceOf(*this, listText);
    RaySelection current = SelectionOf(series);
    if (first == RayFlagsFirst::Clear) ClearRayFlags(current);  // applied only if the order is accepted
    return Apply(*this, tessary::RaysCheck(choice, current));
}

// The caption of the Gaussian-beam Debye series (title bar too); clears the boxes of dlogP for a typed order
// or range, leaves rayPMax = -N for a range. "No rays selected" or a refused order: message and runState 4.
// (Inside Form1 the pure step is tessary::DebyeLabel.)
void Form1::DebyeLabel() {
    const std::string listText = cboRays.text();
    const RaysOutcome out = tessary::DebyeLabel(ChoiceOf(*this, listText), SelectionOf(series));
    if (!Apply(*this, out)) {
        codes.runState = kRunStopped;
        return;
    }
    if (out.clearDialogBoxes) dlogP_->cmdSelectNone_Click();
    if (out.status == RaysStatus::NoRaysSelected) {
        msgBox(out.message, mb::kOkOnly, out.title);
        codes.runState = kRunStopped;
        return;
    }
    if (out.writeTitleBar) setCaption(series.captionText);
}

// What the run does beyond the method and its orders (a beam, the surface-wave subtraction; a phrase of
// LabelWithOptions), named after the method in the label, the calculation title and the title bar, so
// that what the run leaves names what it computed. Nothing to add: nothing changes.
void Form1::ShowRunOptions(const std::string& options) {
    if (options.empty()) return;
    const std::string label = LabelWithOptions(lblDebyeRays.caption(), options);
    lblDebyeRays.setCaption(label);
    series.captionText = label + " " + indexState.sphereName + " in " + indexState.mediumName;
    setCaption(series.captionText);
}

// A series' label and title of its orders again (as RaysCheck or DebyeLabel left them) after a call of
// another method that captioned itself, with the options of `used`: the options the run used.
void Form1::ShowOrderCaptions(const std::string& label, const std::string& title, const RunRecord& used) {
    lblDebyeRays.setCaption(label);
    series.captionText = title;
    setCaption(title);
    ShowRunOptions(RunOptionsOf(used));
}

}  // namespace tessary
