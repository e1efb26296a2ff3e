// SPDX-License-Identifier: GPL-3.0-or-later
#include "proposal_checks.h"

#include "studies/bar_proposal.h"
#include "design/bar_table.h"
#include "files/design_file.h"
#include "files/design_file_bars.h"
#include "design_checks.h"
#include "findings/design_warnings.h"
#include "studies/proposal_text.h"

namespace haltrix::checks {

namespace {

constexpr int kSmallLayer = 6;

// Calculated and checked from scratch, as a user would with these bars.
bool passesAfresh(const DesignInputs& design, const BarArrangement& bars,
                  const ClearSpacingRule& rule, const HorizontalChoice& choice) {
    DesignInputs r = design;
    applyArrangement(r, bars);
    const DesignResults results = calculateDesign(r, choice);
    if (results.message || results.main.judgement != kJudgementOk)
        return false;
    for (const Finding& finding : findDesignWarnings(r, results, rule)) {
        for (const std::string& code : arrangementFindingCodes())
            if (finding.code == code)
                return false;
    }
    return true;
}

bool isSmall(const DesignInputs& design, const ClearSpacingRule& rule) {
    for (std::string_view bar : kBarDesignations) {
        const auto spacing = layerBarSpacing(design, bar, kSmallLayer + 1, rule);
        if (spacing && spacing->fits())
            return false;
    }
    return true;
}

// Every arrangement of up to kSmallLayer bars a layer.
std::vector<BarArrangement> smallArrangements() {
    std::vector<BarArrangement> all;
    for (std::string_view b1 : kBarDesignations)
        for (int n1 = 2; n1 <= kSmallLayer; ++n1) {
            all.push_back({std::string(b1), double(n1), "", 0});
            for (std::string_view b2 : kBarDesignations)
                for (int n2 = 2; n2 <= kSmallLayer; ++n2)
                    all.push_back({std::string(b1), double(n1), std::string(b2), double(n2)});
        }
    return all;
}

} // namespace

void checkProposal(std::string_view bytes, const DesignInputs& design,
                   const ClearSpacingRule& rule, const HorizontalChoice& choice,
                   std::vector<std::string>& problems) {
    const BarProposal proposal = proposeBars(design, rule, 3, choice);
    const std::string reason = proposalReasonText(proposal.reason);
    if (proposal.candidates.empty() == reason.empty())
        problems.push_back("the proposal has both candidates and a reason, or neither");
    if (hasNonFiniteWord(reason))
        problems.push_back("the proposal's reason spells a non-finite number");
    for (std::size_t i = 0; i < proposal.candidates.size(); ++i) {
        const ProposedArrangement& c = proposal.candidates[i];
        if (!passesAfresh(design, c.bars, rule, choice))
            problems.push_back("a proposed arrangement does not pass: " + c.bars.layer1Bar);
        if (i > 0 && ranksBefore(c, proposal.candidates[i - 1]))
            problems.push_back("the proposed arrangements are not in rank order");
    }

    if (!proposal.candidates.empty()) {
        const BarArrangement& best = proposal.candidates.front().bars;
        std::string text;
        DesignInputs back;
        DesignInputs expected = design;
        applyArrangement(expected, best);
        if (designTextWithBars(bytes, "fuzz.tvx", best, text) ||
            readDesignText(text, "fuzz.tvx", back) || !(back == expected))
            problems.push_back("the design with the proposal's bars does not read back as such");
    }

    // A finding no arrangement changes: it must come with any bars.
    if (const Finding* blocking = proposal.reason.blockingFinding()) {
        for (const BarArrangement& bars :
             {BarArrangement{"D10", 2, "", 0}, BarArrangement{"D35", 3, "D29", 2}}) {
            DesignInputs r = design;
            applyArrangement(r, bars);
            bool raised = false;
            for (const Finding& finding : findDesignWarnings(r, calculateDesign(r, choice), rule))
                raised = raised || finding.code == blocking->code;
            if (!raised)
                problems.push_back("the finding that stops the proposal goes with other bars: " +
                                   blocking->code);
        }
        return;
    }
    if (!isSmall(design, rule))
        return;
    ProposedArrangement figures;
    for (const BarArrangement& bars : smallArrangements()) {
        const bool passes = passesAfresh(design, bars, rule, choice);
        if (passes != arrangementPasses(design, bars, rule, choice, &figures)) {
            problems.push_back("the search judges an arrangement otherwise: " + bars.layer1Bar);
            return;
        }
        if (!passes)
            continue;
        if (proposal.candidates.empty()) {
            problems.push_back("an arrangement passes but none is proposed");
            return;
        }
        if (ranksBefore(figures, proposal.candidates.front())) {
            problems.push_back("a passing arrangement ranks before the proposal");
            return;
        }
    }
}

} // namespace haltrix::checks
