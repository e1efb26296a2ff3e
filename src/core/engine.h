// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design_record.h"
#include "notifier.h"
#include "twin.h"

namespace haltrix {

// The bracket calculation. Every procedure stores each result in the record
// before the next step, so an early stop leaves the later fields as they
// were. A step whose result would be infinite or NaN, or a zero divisor, stops
// the procedure with kInvalidInputMessage before anything of that step is
// written. The procedures return false when they stopped.

// The self-weight table (N1 ... M), unit-neutral.
bool deriveSelfWeight(DesignRecord& record, Notifier& notifier);

// Gravitational procedures: cover in cm, bar areas from the cm2 column when
// unitSystem is 1, otherwise from the mm2 column.
bool calcMainRebarCase1(DesignRecord& record, Notifier& notifier);
bool calcMainRebarCase2(DesignRecord& record, Notifier& notifier);

// SI procedures: cover in mm, bar areas always from the mm2 column.
bool calcMainRebarCase1SI(DesignRecord& record, Notifier& notifier);
bool calcMainRebarCase2SI(DesignRecord& record, Notifier& notifier);

// The case procedure of a twin: case 1 when ratioCase is 1, else case 2.
bool calcMainRebar(DesignRecord& record, Twin twin, Notifier& notifier);

// The calculation part of the result window's load sequence: the
// self-weight table, then the case procedure of the twin. A stop in the
// self-weight table skips the case procedure, so one message is shown.
bool runCalculation(DesignRecord& record, Twin twin, Notifier& notifier);

// The governing required main-steel area: LargerOf(2/3 * sumAs, Ast) in
// case 1, LargerOf(sumAs, Ast) otherwise. Never stored.
double requiredMainArea(const DesignRecord& record);

} // namespace haltrix
