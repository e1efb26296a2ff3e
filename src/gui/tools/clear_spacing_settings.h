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

// A key that is missing, or whose text is not a length above 0 mm, gives
// the default: aggregate 25 mm, no fixed value.
ClearSpacingRule readClearSpacingRule(QSettings& settings);

// Writes both keys; the fixed value as an empty text when the rule applies.
void writeClearSpacingRule(QSettings& settings, const ClearSpacingRule& rule);

} // namespace haltrix::gui
