// The ray orders a run of the Debye series or a ray method would compute, read from the ray-order
// list and the ray dialog as they stand, for the checks and the run-time estimate. Reading only: the
// selection, the method label and the title are left as they are.
#pragma once

#include "scattering/ray_orders.h"

namespace tessary {

class Form1;

// The selection RaysCheck makes from the list text, the method and the dialog's boxes, starting from
// no order selected. A refused typed order selects none.
RaySelection SelectedRayOrders(Form1& form);

}  // namespace tessary
