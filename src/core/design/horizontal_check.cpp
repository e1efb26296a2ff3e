// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/horizontal_check.h"

#include <cmath>

#include "paper/number_format.h"
#include "design/shown_quantities.h"

namespace haltrix {

double requiredHorizontalArea(const DesignInputs& inputs, const DesignResults& results) {
    return results.ratioCase == 1 ? shown::requiredHorizontalCase1(inputs, results)
                                  : shown::requiredHorizontalCase2(inputs, results);
}

BarColumn horizontalColumn(UnitSystem twin) {
    return unitTable(twin).barColumn;
}

double barCountFromText(std::string_view text) {
    return parseNumber(text).value_or(0.0);
}

SideFaceReinforcement checkHorizontal(const DesignInputs& inputs, const DesignResults& results,
                                      UnitSystem twin, int barIndex, double barCount) {
    const double area = barAreaByIndex(barIndex, horizontalColumn(twin));
    if (!std::isfinite(barCount) || !std::isfinite(area * barCount))
        barCount = 0.0;
    SideFaceReinforcement check;
    check.barIndex = barIndex;
    check.barCount = barCount;
    check.barArea = area;
    check.As = area * barCount;
    if (barIndex >= -1 && barIndex < kBarCount)
        check.barName = barNameByIndex(barIndex);
    check.required = requiredHorizontalArea(inputs, results);
    // A stopped calculation has no required steel to judge against.
    if (results.completed())
        check.judgement = check.required > check.As ? kJudgementNg : kJudgementOk;
    return check;
}

} // namespace haltrix
