// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_record.h"

namespace haltrix {

void deriveRatioCase(DesignRecord& record) {
    if (record.H2 == 0.0)
        return;
    const double quotient = record.a / record.H2;
    record.ratioCase = quotient <= 0.5 ? 1 : 2;
}

double LargerOf(double first, double second) {
    return first >= second ? first : second;
}

} // namespace haltrix
