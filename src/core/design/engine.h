// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/notifier.h"
#include "design/unit_system.h"

namespace haltrix {

// The bracket calculation, step by step. Each step stores its result before
// the next one, so an early stop leaves the later results as the caller gave
// them (fresh, from calculateDesign). A step whose result would be infinite
// or NaN, or a zero divisor, stops the procedure with kInvalidInputMessage
// before anything of that step is written. The procedures return false when
// they stopped. calculateDesign (design_calculation.h) is the whole
// calculation; these are its parts.

// The self-weight table, unit-neutral.
bool deriveSelfWeight(const DesignInputs& inputs, SelfWeight& selfWeight, Notifier& notifier);

// The main reinforcement in formula case 1 (formulaCase 1) or 2 (any other
// value). The gravitational twin reads the cover in cm and the bar areas
// from the cm2 column when unitSystem is 1, otherwise from the mm2 column;
// the SI twin reads the cover in mm and always the mm2 column.
bool calcMainRebar(const DesignInputs& inputs, UnitSystem twin, int formulaCase,
                   const SelfWeight& selfWeight, MainReinforcement& main, Notifier& notifier);

// The governing required main-steel area of a formula case:
// LargerOf(2/3 * sumAs, Ast) in case 1, LargerOf(sumAs, Ast) otherwise.
double governingMainArea(const MainReinforcement& main, int formulaCase);

} // namespace haltrix
