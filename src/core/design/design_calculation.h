// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/notifier.h"

namespace haltrix {

// The side-face bars a design is judged with: the choice given (by the
// result window, or on haltrix-calc's command line), else the choice the
// design keeps (DesignInputs::sideFaceChoice), which the result window opens
// with; a design that keeps none has nothing chosen (D10), 4 bars.
HorizontalChoice sideFaceChoiceInForce(const std::optional<HorizontalChoice>& given,
                                       const DesignInputs& inputs);

// The whole calculation of a design, the one sequence every window, the
// printer and haltrix-calc use, always from fresh results: the self-weight
// table and the main reinforcement in the formula case of a / H2
// (formulaCaseOf) with the procedures of the twin unitSystem selects, then
// the horizontal check with `choice`. A stop of the engine does not skip the
// horizontal check; the results not reached keep their fresh values and the
// first message is kept in DesignResults::message (and given to `notifier`).
DesignResults calculateDesign(const DesignInputs& inputs, const HorizontalChoice& choice = {});
DesignResults calculateDesign(const DesignInputs& inputs, const HorizontalChoice& choice,
                              Notifier& notifier);

// The same in a formula case given rather than derived (1, or any other value
// for case 2): what the sheet and the report of either case are checked with.
DesignResults calculateDesignInCase(const DesignInputs& inputs, int formulaCase,
                                    const HorizontalChoice& choice, Notifier& notifier);

// The horizontal check of calculated results again with another choice (the
// main results do not depend on it): `results.sideFaces = checkSideFaces(...)`.
SideFaceReinforcement checkSideFaces(const DesignInputs& inputs, const DesignResults& results,
                                     const HorizontalChoice& choice);

// The governing required main-steel area of the results' formula case:
// LargerOf(2/3 * sumAs, Ast) in case 1, LargerOf(sumAs, Ast) otherwise.
double requiredMainArea(const DesignResults& results);

// The main steel the two layers provide.
double providedMainArea(const DesignResults& results);

} // namespace haltrix
