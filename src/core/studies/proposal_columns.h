// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace haltrix {

struct BarProposal;

// The columns haltrix-calc csv --propose adds after the design table's own:
// the proposal's bars and areas and, when there is none, why. haltrix-calc
// table passes over them when it reads such a table back.
const std::vector<std::string_view>& proposalTableColumns();

// Appends the names, or the values of one design's proposal, each after a
// comma, so they follow a design table header or row.
void appendProposalTableHeader(std::string& out);
void appendProposalTableColumns(std::string& out, const BarProposal& proposal);

} // namespace haltrix
