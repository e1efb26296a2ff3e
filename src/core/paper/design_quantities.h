// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/design_calculation.h"
#include "design/design_inputs.h"
#include "paper/quantities.h"

namespace haltrix::quantities {

// The quantities of a design: its bracket and bars as the 3D model builds
// them, with the side-face bars of `choice`.
Quantities designQuantities(const DesignInputs& inputs, const HorizontalChoice& choice);

} // namespace haltrix::quantities
