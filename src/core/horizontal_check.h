// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "bar_table.h"
#include "design_record.h"
#include "twin.h"

namespace haltrix {

// Required horizontal steel on the side faces: LargerOf(1/3 * sumAs,
// 0.5 * Ast) in case 1, 0.4 * Ast otherwise. Never stored.
double requiredHorizontalArea(const DesignRecord& record);

// The bar-table column a result window's horizontal check reads: the
// gravitational window cm2, the SI window mm2, whatever unitSystem holds.
BarColumn horizontalColumn(Twin twin);

// The bar count typed in the result window: 0 for an empty text and for a
// text that is not a number.
double barCountFromText(std::string_view text);

struct HorizontalCheck {
    double required = 0;
    std::string judgement;
};

// The horizontal check: stores hBarCount, hBarIndex, hBarArea and hAs and
// judges them against the required steel. A count whose provided area would
// not be a finite number counts as 0 bars.
HorizontalCheck runHorizontalCheck(DesignRecord& record, Twin twin, int barIndex, double barCount);

} // namespace haltrix
