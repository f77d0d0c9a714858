// The ray orders selected now, from the list cboRays and the boxes of the ray dialog (see
// ray_selection.h).
#include "mainwindow/form1.h"
#include "runs/ray_selection.h"

namespace tessary {

RaySelection SelectedRayOrders(Form1& form) {
    RayChoice choice;
    choice.listText = form.cboRays.text();
    choice.calcMethod = form.calcMethod;
    // Only "Multiple" reads the dialog, which is made on first use.
    if (choice.listText == "Multiple") {
        for (int p = 0; p < kRayBoxCount; ++p)
            choice.chkp[static_cast<std::size_t>(p)] = form.dlogP_->chkp(p).value();
    }
    return RaysCheck(choice, RaySelection{}).selection;
}

}  // namespace tessary
