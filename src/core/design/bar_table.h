// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "design/design_inputs.h"

namespace haltrix {

// Which column of the bar table an area is read from.
enum class BarColumn { Cm2, Mm2 };

inline constexpr int kBarCount = 9;

// The designations in list order; every bar list shows exactly these.
inline constexpr std::array<std::string_view, kBarCount> kBarDesignations = {
    "D10", "D13", "D16", "D19", "D22", "D25", "D29", "D32", "D35"};

// Nominal area of one bar (JIS G 3112). The mm2 column is its own set of
// constants, not the cm2 column times 100.
inline constexpr std::array<double, kBarCount> kBarAreaCm2 = {0.7133, 1.267, 1.986, 2.865, 3.871,
                                                              5.067,  6.424, 7.942, 9.566};
inline constexpr std::array<double, kBarCount> kBarAreaMm2 = {71.33, 126.7, 198.6, 286.5, 387.1,
                                                              506.7, 642.4, 794.2, 956.6};

// Nominal diameter of one bar in mm (JIS G 3112), in list order.
inline constexpr std::array<double, kBarCount> kBarDiameterMm = {9.53, 12.7, 15.9, 19.1, 22.2,
                                                                 25.4, 28.6, 31.8, 34.9};

// Nominal diameter in mm by designation; empty for a designation the table
// does not know (exact, case-sensitive comparison, as for the areas).
std::optional<double> barDiameterByName(std::string_view designation);

// Area of one bar by designation; 0 for a designation the table does not
// know (exact, case-sensitive comparison).
double barAreaByName(std::string_view designation, BarColumn column);

// Area of one bar by list position; -1 (nothing selected) counts as "D10".
// Positions outside the list also give the "D10" area.
double barAreaByIndex(int position, BarColumn column);

// Steel area of `count` bars of the designation at a list position (-1
// counts as "D10"), as the input form shows it for a layer.
double layerAreaByIndex(int position, double count, BarColumn column);

// Designation at a list position; -1 and anything out of range give "D10".
std::string_view barNameByIndex(int position);

// The two layer areas the designations and counts of a design give.
struct LayerAreas {
    double layer1 = 0;
    double layer2 = 0;
};
LayerAreas layerAreas(const DesignInputs& inputs, BarColumn column);

} // namespace haltrix
