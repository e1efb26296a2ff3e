// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "design_record.h"
#include "horizontal_check.h"

namespace haltrix {

// The side-face bars a calculation is checked with, as the result window's
// bar list and count box give them: the list position (-1 when nothing is
// chosen, which counts as D10) and the count.
struct HorizontalChoice {
    int barIndex = -1;
    double barCount = 4;
};

// What one calculation of a design gives besides the record's own fields.
struct DesignOutcome {
    std::optional<std::string> message; // the engine's message, if raised
    HorizontalCheck horizontal;
};

// One design taken the way the program takes it after reading its inputs:
// the formula case derived as the input form's OK derives it, then the
// result window's load sequence for the twin that unitSystem selects (the
// self-weight table, the case procedure, the horizontal check). haltrix-calc
// and the sweep both calculate through here.
DesignOutcome calculateDesign(DesignRecord& record, const HorizontalChoice& choice);

// A fresh record holding only the fifteen inputs and unitSystem of `record`,
// as reading its design file would give it.
DesignRecord inputsOf(const DesignRecord& record);

} // namespace haltrix
