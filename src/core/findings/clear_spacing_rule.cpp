// SPDX-License-Identifier: GPL-3.0-or-later
#include "findings/clear_spacing_rule.h"

#include <cmath>

#include "paper/number_format.h"

namespace haltrix {

double minimumClearSpacingMm(const ClearSpacingRule& rule, double largerDiameterMm) {
    if (rule.fixedMm)
        return *rule.fixedMm;
    // NaN in any operand must not be dropped by the comparisons: it goes
    // through to the result, and a NaN minimum is reported as a finding.
    if (std::isnan(largerDiameterMm) || std::isnan(rule.maxAggregateMm))
        return std::nan("");
    double minimum = ClearSpacingRule::kFloorMm;
    const double fromAggregate = rule.maxAggregateMm * 4.0 / 3.0;
    if (fromAggregate > minimum)
        minimum = fromAggregate;
    if (largerDiameterMm > minimum)
        minimum = largerDiameterMm;
    return minimum;
}

std::string describeClearSpacingRule(const ClearSpacingRule& rule) {
    if (rule.fixedMm)
        return "最小あき: 固定値 " + plainText(*rule.fixedMm) + " mm";
    return "最小あき: " + plainText(ClearSpacingRule::kFloorMm) + " mm、粗骨材最大寸法 " +
           plainText(rule.maxAggregateMm) + " mm の 4/3、鉄筋径のうち最大の値";
}

std::string describeMaxCentreSpacing(const ClearSpacingRule& rule) {
    return "最大中心間隔: " + plainText(rule.maxCentreMm) + " mm";
}

bool isValidSpacingSettingMm(double mm) {
    return std::isfinite(mm) && mm > 0.0;
}

} // namespace haltrix
