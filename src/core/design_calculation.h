// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

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

// The side-face bars a calculation is checked with, as the result window's
// bar list and count box give them: the list position (-1 when nothing is
// chosen, which counts as D10) and the count.
struct HorizontalChoice {
    int barIndex = -1;
    double barCount = 4;
};

// What deriveAndCalculate gives besides the record's own fields.
struct DesignOutcome {
    std::optional<std::string> message; // the engine's message, if raised
    HorizontalCheck horizontal;
};

// A design taken the way the program takes it after reading its inputs: the
// formula case derived as the input form's OK derives it, then
// calculateDesign for the twin that unitSystem selects, keeping the first
// message. haltrix-calc and the sweep both calculate through here.
DesignOutcome deriveAndCalculate(DesignRecord& record, const HorizontalChoice& choice);

// A fresh record holding only the fifteen inputs and unitSystem of `record`,
// as reading its design file would give it.
DesignRecord inputsOf(const DesignRecord& record);

} // namespace haltrix
