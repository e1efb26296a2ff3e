// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_inputs.h"

namespace haltrix {

DesignInputs inputsOf(const DesignRecord& r) {
    return {r.H1,          r.H2,        r.l,           r.b,       r.a,
            r.P,           r.H,         r.t,           r.c,       r.layer1Bar,
            r.layer1Count, r.layer2Bar, r.layer2Count, r.sigmaSa, r.concreteUnitWeight,
            r.unitSystem};
}

} // namespace haltrix
