// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "findings/clear_spacing_rule.h"
#include "design/design_calculation.h"
#include "design/design_inputs.h"

namespace haltrix::checks {

// The automatic choice of the bars for a design read from `bytes`: it ends
// with candidates or a reason (never both, never neither), every candidate
// passes when calculated and checked afresh, they come in rank order, and
// the design file with the first one's bars reads back as the design with
// those bars. A finding that stops the proposal comes with other bars too.
// Otherwise, on small designs (no layer holds more than six bars) no
// arrangement at all that passes ranks before the first, and none passes
// when there is no candidate. Adds what broke.
void checkProposal(std::string_view bytes, const DesignInputs& design,
                   const ClearSpacingRule& rule, const HorizontalChoice& choice,
                   std::vector<std::string>& problems);

} // namespace haltrix::checks
