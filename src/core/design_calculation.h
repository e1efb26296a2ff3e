#pragma once

#include "design_record.h"
#include "horizontal_check.h"
#include "notifier.h"
#include "twin.h"

namespace haltrix {

// What one calculation of a design gave besides the fields of the record.
struct DesignCalculation {
    bool completed = false; // false: the engine stopped with its message
    HorizontalCheck horizontal;
};

// The whole calculation of a design, the one sequence every window, the
// printer and haltrix-calc use: the self-weight table and the case procedure
// of the twin, then the horizontal check with the
// given bar (list position, -1 for none) and count. A stop of the engine
// does not skip the horizontal check, as on the result window.
DesignCalculation calculateDesign(DesignRecord& record, Twin twin, int hBarIndex, double hBarCount,
                                  Notifier& notifier);

// The same for the twin that unitSystem selects, with the horizontal bar and
// count the record holds from its last check: what the printed report needs
// to be current.
DesignCalculation recalculateDesign(DesignRecord& record, Notifier& notifier);

} // namespace haltrix
