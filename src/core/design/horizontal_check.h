// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "design/bar_table.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/unit_system.h"

namespace haltrix {

// Required horizontal steel on the side faces: LargerOf(1/3 * sumAs,
// 0.5 * Ast) in case 1, 0.4 * Ast otherwise. Never stored.
double requiredHorizontalArea(const DesignInputs& inputs, const DesignResults& results);

// The bar-table column a result window's horizontal check reads: the
// gravitational window cm2, the SI window mm2, whatever unitSystem holds.
BarColumn horizontalColumn(UnitSystem twin);

// The bar count typed in the result window: 0 for an empty text and for a
// text that is not a number.
double barCountFromText(std::string_view text);

// The horizontal check of the main results with `barCount` bars of the list
// position `barIndex` (-1, nothing chosen, and positions outside the list
// count as D10), judged against the required steel. A count whose provided
// area would not be a finite number counts as 0 bars. The bar name is the
// designation of the position, empty for a position outside the list.
// After a stopped calculation (results.message) there is no judgement.
SideFaceReinforcement checkHorizontal(const DesignInputs& inputs, const DesignResults& results,
                                      UnitSystem twin, int barIndex, double barCount);

} // namespace haltrix
