#include "design_calculation.h"

#include <cmath>

#include "bar_table.h"
#include "engine.h"

namespace haltrix {

namespace {

// The list position a stored hBarIndex stands for; anything that is not one
// of the positions counts as nothing chosen.
int barPositionOf(double storedIndex) {
    if (!(storedIndex >= 0.0 && storedIndex < kBarCount) || std::floor(storedIndex) != storedIndex)
        return -1;
    return static_cast<int>(storedIndex);
}

} // namespace

DesignCalculation calculateDesign(DesignRecord& record, Twin twin, int hBarIndex, double hBarCount,
                                  Notifier& notifier) {
    DesignCalculation result;
    result.completed = runCalculation(record, twin, notifier);
    result.horizontal = runHorizontalCheck(record, twin, hBarIndex, hBarCount);
    return result;
}

DesignCalculation recalculateDesign(DesignRecord& record, Notifier& notifier) {
    return calculateDesign(record, twinForUnitSystem(record.unitSystem),
                           barPositionOf(record.hBarIndex), record.hBarCount, notifier);
}

} // namespace haltrix
