// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace haltrix {

// The minimum clear distance between neighbouring bars, in mm. By default a
// common beam rule: the largest of 20 mm, 4/3 of the maximum aggregate size
// and the larger bar diameter. An engineer whose code asks for something else
// sets a fixed value instead.
struct ClearSpacingRule {
    static constexpr double kFloorMm = 20.0;
    static constexpr double kDefaultMaxAggregateMm = 25.0;

    // The largest centre-to-centre spacing of the bars of a layer: the
    // program's own default, a value detailers commonly keep to.
    static constexpr double kDefaultMaxCentreMm = 300.0;

    double maxAggregateMm = kDefaultMaxAggregateMm;
    std::optional<double> fixedMm; // set: this value, whatever the bars
    double maxCentreMm = kDefaultMaxCentreMm;

    bool operator==(const ClearSpacingRule&) const = default;
};

// The minimum clear spacing for bars whose larger diameter is given.
double minimumClearSpacingMm(const ClearSpacingRule& rule, double largerDiameterMm);

// One line naming the rule in use, shown with every finding that applies it:
// "最小あき: 20 mm、粗骨材最大寸法 25 mm の 4/3、鉄筋径のうち最大の値" or
// "最小あき: 固定値 30 mm".
std::string describeClearSpacingRule(const ClearSpacingRule& rule);

// "最大中心間隔: 300 mm", shown with every finding that applies it.
std::string describeMaxCentreSpacing(const ClearSpacingRule& rule);

// Whether a value may be set as the maximum aggregate size or the fixed
// minimum: a finite number above 0 mm.
bool isValidSpacingSettingMm(double mm);

} // namespace haltrix
