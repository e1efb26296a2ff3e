// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "findings/clear_spacing_rule.h"

class QSettings;

namespace haltrix::gui {

// The minimum clear spacing rule of the warnings, as the per-user settings
// keep it beside the window placement, under "Warnings": "MaxAggregateMm"
// (the maximum aggregate size of the rule) and "FixedMinClearMm" (a fixed
// minimum that replaces the rule; absent or empty when the rule applies).
inline constexpr const char* kWarningsGroup = "Warnings";
inline constexpr const char* kMaxAggregateKey = "MaxAggregateMm";
inline constexpr const char* kFixedMinClearKey = "FixedMinClearMm";
// The largest centre-to-centre spacing of a layer's bars.
inline constexpr const char* kMaxCentreKey = "MaxCentreSpacingMm";

// A key that is missing, or whose text is not a length above 0 mm, gives
// the default: aggregate 25 mm, no fixed value, centres at most 300 mm apart.
ClearSpacingRule readClearSpacingRule(QSettings& settings);

// Writes the three keys; the fixed value as an empty text when the rule applies.
void writeClearSpacingRule(QSettings& settings, const ClearSpacingRule& rule);

} // namespace haltrix::gui
