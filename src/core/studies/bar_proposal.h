// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "findings/clear_spacing_rule.h"
#include "design/design_calculation.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "findings/design_warnings.h"

namespace haltrix {

// The automatic choice of the main bars: of every arrangement of the bar
// table's bars in one or two layers, the lightest ones that pass.
//
// An arrangement: layer 1 a bar of the table with a whole count of at least
// 2; layer 2 empty ("" and 0) or a bar of the table with a whole count of at
// least 2, at most kMaxProposedBarsPerLayer bars in a layer. It passes when,
// with the design's other inputs as they are, the calculation judges it
// "    - OK -" without a message and the warnings under the spacing rule
// raise none of the codes arrangementFindingCodes() lists. Passing
// arrangements rank by provided main area (areas within 1e-9 of each other,
// relative, count as equal), then fewer bars in all, one layer before two,
// the larger smallest clear spacing of its layers, layer 1's bar then layer
// 2's bar in table order, and last more bars in layer 1. Layer 2's bar is
// never thicker than layer 1's, and the bars of a layer lie no further apart
// than the rule's maximum centre-to-centre spacing (bars-too-far-apart).

inline constexpr int kMaxProposedBarsPerLayer = 100;

struct BarArrangement {
    std::string layer1Bar;
    double layer1Count = 0;
    std::string layer2Bar; // "" with layer2Count 0: one layer
    double layer2Count = 0;

    bool operator==(const BarArrangement&) const = default;
};

// The four bar inputs replaced by the arrangement.
void applyArrangement(DesignInputs& inputs, const BarArrangement& bars);

// The finding codes an arrangement must not raise to pass.
const std::vector<std::string>& arrangementFindingCodes();

struct ProposedArrangement {
    BarArrangement bars;
    double providedArea = 0; // layer1Area + layer2Area of its calculation
    double requiredArea = 0; // requiredMainArea of its calculation
    double minClearMm = 0;   // the smallest clear spacing between the bars of a layer

    bool operator==(const ProposedArrangement&) const = default;
};

// Why a search found no candidate, with the figures its words need
// (proposalReasonText in proposal_text.h gives them).
struct NoCandidateReason {
    enum class Kind {
        None,         // there is a candidate
        Blocked,      // a 警告 no arrangement can change: `finding`
        NoBarFits,    // no bar fits twice in the width; `finding` says why the smallest does not, when known
        NoCountCloseEnough, // bars fit, but none close enough together for `rule`
        LargestStops, // the largest arrangement that fits stops the calculation with `message`
        LargestIsNg,  // the largest arrangement that fits is NG with the areas below
        NoneNamed,    // none passes for no reason named above
    };
    Kind kind = Kind::None;
    std::optional<Finding> finding;
    ClearSpacingRule rule;
    BarArrangement largest;
    std::string message;
    double providedArea = 0;
    double requiredArea = 0;
    int unitSystem = 0; // the design's, for the unit of the areas
    // In a design of more than one load case, the title of the case the
    // largest arrangement stops or is NG in; empty otherwise.
    std::string caseName;

    bool none() const { return kind == Kind::None; }
    // The 警告 no arrangement can change, when that is the reason.
    const Finding* blockingFinding() const {
        return kind == Kind::Blocked && finding ? &*finding : nullptr;
    }
};

struct BarProposal {
    std::vector<ProposedArrangement> candidates; // ranked, best first
    NoCandidateReason reason;                    // Kind::None when there is a candidate
};

// The `top` best passing arrangements for `design` (its own bars are not
// used), calculated as haltrix-calc calculates a design file, with the
// side-face bars of `choice`. `top` below 1 counts as 1.
BarProposal proposeBars(const DesignInputs& design, const ClearSpacingRule& rule, int top,
                        const HorizontalChoice& choice = {});

// Whether an arrangement passes for `design`; with its figures in
// `figures` when it does.
bool arrangementPasses(const DesignInputs& design, const BarArrangement& bars,
                       const ClearSpacingRule& rule, const HorizontalChoice& choice,
                       ProposedArrangement* figures = nullptr);

// Whether `first` ranks before `second` (see the rule above).
bool ranksBefore(const ProposedArrangement& first, const ProposedArrangement& second);

// Two provided areas that rank as equal.
bool sameProvidedArea(double first, double second);

// The side-face bars for a calculated design: of the bar list's bars with
// `count` bars each, the one of smallest area that meets the horizontal
// check (ties: the smaller bar). Empty when none does.
std::optional<int> proposeSideFaceBar(const DesignInputs& inputs, const DesignResults& results,
                                      double count);

} // namespace haltrix
