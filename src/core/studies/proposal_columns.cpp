// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/proposal_columns.h"

#include "studies/bar_proposal.h"
#include "files/csv.h"
#include "paper/number_format.h"
#include "studies/proposal_text.h"

namespace haltrix {

const std::vector<std::string_view>& proposalTableColumns() {
    static const std::vector<std::string_view> names = {
        "proposedLayer1Bar", "proposedLayer1Count",     "proposedLayer2Bar",
        "proposedLayer2Count", "proposedProvidedMainArea", "proposedRequiredMainArea",
        "proposalMessage"};
    return names;
}

void appendProposalTableHeader(std::string& out) {
    for (std::string_view name : proposalTableColumns()) {
        out.push_back(',');
        appendCsvField(out, name);
    }
}

void appendProposalTableColumns(std::string& out, const BarProposal& proposal) {
    if (proposal.candidates.empty()) {
        out += ",,,,,,,";
        appendCsvField(out, proposalReasonText(proposal.reason));
        return;
    }
    const ProposedArrangement& best = proposal.candidates.front();
    out.push_back(',');
    appendCsvField(out, best.bars.layer1Bar);
    out.push_back(',');
    appendRoundTripText(out, best.bars.layer1Count);
    out.push_back(',');
    appendCsvField(out, best.bars.layer2Bar);
    out.push_back(',');
    appendRoundTripText(out, best.bars.layer2Count);
    out.push_back(',');
    appendRoundTripText(out, best.providedArea);
    out.push_back(',');
    appendRoundTripText(out, best.requiredArea);
    out.push_back(',');
}

} // namespace haltrix
