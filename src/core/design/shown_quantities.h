// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/design_inputs.h"
#include "design/design_results.h"

// The quantities the sheet and the report show, each read from the inputs or
// the results or formed from them for display only (never stored). One
// definition serves the result grids, the report and the horizontal check,
// so they always agree.
namespace haltrix::shown {

using In = DesignInputs;
using Out = DesignResults;

// clang-format off
inline double shearForce(const In&, const Out& r) { return r.main.S; }
inline double allowableStress(const In& in, const Out&) { return in.sigmaSa; }
inline double requiredByFormula1(const In&, const Out& r) { return r.main.sumAs; }
// Formula (1)'s shares: the quotient is formed first, then multiplied.
inline double topShareOfFormula1(const In&, const Out& r) { return topShareOfSumAs(r.main); }
inline double sideShareOfFormula1(const In&, const Out& r) { return (1.0 / 3.0) * r.main.sumAs; }
inline double bearingThrust(const In&, const Out& r) { return r.main.Tp; }
inline double horizontalForce(const In& in, const Out&) { return in.H; }
inline double rootMoment(const In&, const Out& r) { return r.selfWeight.M; }
inline double leverArm(const In&, const Out& r) { return r.main.Zc; }
inline double requiredByFormula2(const In&, const Out& r) { return r.main.Ast; }
inline double halfOfFormula2(const In&, const Out& r) { return r.main.Ast * 0.5; }
inline double fortyPercentOfFormula2(const In&, const Out& r) { return r.main.Ast * 0.4; }
inline double providedTopSteel(const In&, const Out& r) { return r.main.layer2Area + r.main.layer1Area; }
// clang-format on

// The horizontal steel the side faces need: in case 1 the larger of the side
// share of formula (1) and half of formula (2), the first when both are equal;
// in case 2 forty percent of formula (2).
inline double requiredHorizontalCase1(const In& in, const Out& r) {
    return LargerOf(sideShareOfFormula1(in, r), halfOfFormula2(in, r));
}
inline double requiredHorizontalCase2(const In& in, const Out& r) {
    return fortyPercentOfFormula2(in, r);
}

} // namespace haltrix::shown
