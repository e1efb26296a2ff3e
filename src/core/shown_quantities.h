// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design_record.h"

// The quantities the sheet and the report show, each read from the record or
// formed from it for display only (never stored). One definition serves the
// result grids, the report and the horizontal check, so they always agree.
namespace haltrix::shown {

// clang-format off
inline double shearForce(const DesignRecord& r) { return r.S; }
inline double allowableStress(const DesignRecord& r) { return r.sigmaSa; }
inline double requiredByFormula1(const DesignRecord& r) { return r.sumAs; }
// Formula (1)'s shares: the quotient is formed first, then multiplied.
inline double topShareOfFormula1(const DesignRecord& r) { return (2.0 / 3.0) * r.sumAs; }
inline double sideShareOfFormula1(const DesignRecord& r) { return (1.0 / 3.0) * r.sumAs; }
inline double bearingThrust(const DesignRecord& r) { return r.Tp; }
inline double horizontalForce(const DesignRecord& r) { return r.H; }
inline double rootMoment(const DesignRecord& r) { return r.M; }
inline double leverArm(const DesignRecord& r) { return r.Zc; }
inline double requiredByFormula2(const DesignRecord& r) { return r.Ast; }
inline double halfOfFormula2(const DesignRecord& r) { return r.Ast * 0.5; }
inline double fortyPercentOfFormula2(const DesignRecord& r) { return r.Ast * 0.4; }
inline double providedTopSteel(const DesignRecord& r) { return r.layer2Area + r.layer1Area; }
// clang-format on

// The horizontal steel the side faces need: in case 1 the larger of the side
// share of formula (1) and half of formula (2), the first when both are equal;
// in case 2 forty percent of formula (2).
inline double requiredHorizontalCase1(const DesignRecord& r) {
    return LargerOf(sideShareOfFormula1(r), halfOfFormula2(r));
}
inline double requiredHorizontalCase2(const DesignRecord& r) {
    return fortyPercentOfFormula2(r);
}

} // namespace haltrix::shown
