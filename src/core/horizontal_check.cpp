// SPDX-License-Identifier: GPL-3.0-or-later
#include "horizontal_check.h"

#include <cmath>

#include "number_format.h"
#include "shown_quantities.h"

namespace haltrix {

double requiredHorizontalArea(const DesignRecord& record) {
    return record.ratioCase == 1 ? shown::requiredHorizontalCase1(record)
                                 : shown::requiredHorizontalCase2(record);
}

BarColumn horizontalColumn(Twin twin) {
    return twin == Twin::Gravitational ? BarColumn::Cm2 : BarColumn::Mm2;
}

double barCountFromText(std::string_view text) {
    return parseNumber(text).value_or(0.0);
}

HorizontalCheck runHorizontalCheck(DesignRecord& record, Twin twin, int barIndex, double barCount) {
    const double area = barAreaByIndex(barIndex, horizontalColumn(twin));
    if (!std::isfinite(barCount) || !std::isfinite(area * barCount))
        barCount = 0.0;
    record.hBarCount = barCount;
    record.hBarIndex = barIndex;
    record.hBarArea = area;
    record.hAs = area * barCount;

    HorizontalCheck check;
    check.required = requiredHorizontalArea(record);
    check.judgement = check.required > record.hAs ? kJudgementNg : kJudgementOk;
    return check;
}

} // namespace haltrix
