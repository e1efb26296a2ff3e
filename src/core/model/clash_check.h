// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "findings/clear_spacing_rule.h"
#include "model/bracket_model.h"

namespace haltrix::model {

// The checks made before a model is written; each clash found is one
// sentence (a 警告 in the export's message, recorded in the model's
// properties). The model is written all the same.
//
// - Bars side by side: the centres of any two bars of one group (layer 1,
//   layer 2, the side-face bars) or of two groups are at least half of each
//   bar's nominal diameter plus the minimum clear spacing of `rule` apart
//   (for two bars of one layer: φ plus the clear spacing). One sentence per
//   pair of groups, with the closest pair.
// - Inside the concrete: every bar's centre line, over its length in the
//   bracket (from the root face to its end; the anchorage part is in the
//   support and not checked), keeps the cover t from the top face, both side
//   faces, the bottom face and the tip.
std::vector<std::string> findClashes(const BracketModel& model, const ClearSpacingRule& rule);

} // namespace haltrix::model
