// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "design/bar_table.h"

namespace haltrix {

// Nominal unit mass of one deformed bar in kg/m, in the bar list's order
// (D10 ... D35): the values of JIS G 3112 (steel bars for concrete
// reinforcement), table of the dimensions and unit masses of deformed bars.
// Quantity sheets and bar schedules weigh bars by these, never by area times
// a density.
inline constexpr std::array<double, kBarCount> kBarUnitMassKgPerM = {
    0.560, 0.995, 1.56, 2.25, 3.04, 3.98, 5.04, 6.23, 7.51};

// The source named wherever the unit masses are printed.
inline constexpr const char* kBarUnitMassSource = "JIS G 3112 異形棒鋼の単位質量";

// Unit mass in kg/m by designation; empty for a designation the table does
// not know (exact, case-sensitive comparison, as for the areas).
std::optional<double> barUnitMassByName(std::string_view designation);

} // namespace haltrix
