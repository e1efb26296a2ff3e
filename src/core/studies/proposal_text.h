// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "findings/design_warnings.h"

namespace haltrix {

struct BarArrangement;
struct BarProposal;
struct NoCandidateReason;
struct ProposedArrangement;

// The texts of the automatic choice of the main bars, shared by the window
// and haltrix-calc propose.

// One layer as a cell shows it: "D22 × 4"; "－" for an empty layer.
std::string layerCellText(const std::string& bar, double count);

// "１段目 D22 × 4 本、２段目 D22 × 2 本" or "１段目 D22 × 4 本（２段目なし）".
std::string arrangementText(const BarArrangement& bars);

// The column captions of the list of candidates, with the area unit of the
// unit system (cm2 for 1, mm2 otherwise): 1段目, 2段目, 配置鉄筋量,
// 必要鉄筋量, 余裕 (%), 最小あき (mm).
std::vector<std::string> proposalColumnCaptions(int unitSystem);

// The cells of one candidate under those captions: areas to 3 decimals,
// the margin (provided / required - 1 in %, "－" when nothing is required)
// and the clear spacing to 1 decimal.
std::vector<std::string> proposalRowCells(const ProposedArrangement& candidate);

// Why a search found no candidate, in words; empty for Kind::None.
std::string proposalReasonText(const NoCandidateReason& reason);

// The reasons for no candidate, one by one.
std::string proposalBlockedText(const Finding& finding);
std::string noBarFitsText(const std::optional<Finding>& smallestDoesNotFit);

// Why nothing is proposed when bars fit but none lie close enough together.
std::string noCountCloseEnoughText(const ClearSpacingRule& rule);
std::string largestStopsText(const BarArrangement& largest, const std::string& message);
std::string largestIsNgText(const BarArrangement& largest, double provided, double required,
                            int unitSystem);
std::string noneNamedText();

// The side-face bars proposed for `count` bars: "側面鉄筋 4 本: D13", or
// that no bar of the list meets the horizontal check with that count.
std::string sideFaceText(const std::optional<int>& bar, double count);

// The area unit of a unit system: "cm2" for 1, "mm2" otherwise.
const char* proposalAreaUnit(int unitSystem);

} // namespace haltrix
