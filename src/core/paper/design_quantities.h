// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/design_calculation.h"
#include "design/design_inputs.h"
#include "paper/quantities.h"

namespace haltrix::quantities {

// The quantities of a design: its bracket and bars as the 3D model builds
// them, with the side-face bars of `choice` and the anchorage `anchorage`.
// A design that has no model has no quantities, and the model's reason in
// the notes.
Quantities designQuantities(const DesignInputs& inputs, const HorizontalChoice& choice,
                            const model::AnchorageRule& anchorage = model::kDefaultAnchorage);

} // namespace haltrix::quantities
