// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/proposal_text.h"

#include <cmath>

#include "studies/bar_proposal.h"
#include "design/bar_table.h"
#include "design/unit_system.h"
#include "paper/number_format.h"

namespace haltrix {

namespace {

// A figure to `decimals` places; a very large one in exponent form, a
// non-finite one in words.
std::string figure(double value, int decimals) {
    if (std::isnan(value))
        return "非数";
    if (std::isinf(value))
        return value > 0 ? "無限大" : "-無限大";
    return std::fabs(value) < 1e15 ? fixedDecimals(value, decimals) : plainText(value);
}

std::string countText(double count) {
    return std::isfinite(count) ? plainText(count) : figure(count, 0);
}

// "【地震時】 " before a reason about one load case; nothing without a case.
std::string caseNamed(const std::string& caseName) {
    return caseName.empty() ? std::string() : "【" + caseName + "】 ";
}

} // namespace

const char* proposalAreaUnit(int unitSystem) {
    return unitTableOf(unitSystem).area;
}

std::string layerCellText(const std::string& bar, double count) {
    if (bar.empty() && count == 0.0)
        return "－";
    return bar + " × " + countText(count);
}

std::string arrangementText(const BarArrangement& bars) {
    std::string text = "１段目 " + bars.layer1Bar + " × " + countText(bars.layer1Count) + " 本";
    if (bars.layer2Bar.empty() && bars.layer2Count == 0.0)
        return text + "（２段目なし）";
    return text + "、２段目 " + bars.layer2Bar + " × " + countText(bars.layer2Count) + " 本";
}

std::vector<std::string> proposalColumnCaptions(int unitSystem) {
    const std::string unit = proposalAreaUnit(unitSystem);
    return {"1段目",
            "2段目",
            "配置鉄筋量 (" + unit + ")",
            "必要鉄筋量 (" + unit + ")",
            "余裕 (%)",
            "最小あき (mm)"};
}

std::vector<std::string> proposalRowCells(const ProposedArrangement& c) {
    const std::string margin =
        c.requiredArea > 0.0 ? figure((c.providedArea / c.requiredArea - 1.0) * 100.0, 1) : "－";
    return {layerCellText(c.bars.layer1Bar, c.bars.layer1Count),
            layerCellText(c.bars.layer2Bar, c.bars.layer2Count),
            figure(c.providedArea, 3),
            figure(c.requiredArea, 3),
            margin,
            figure(c.minClearMm, 1)};
}

std::string proposalBlockedText(const Finding& finding) {
    return "配置によって変わらない" + std::string(severityText(finding.severity)) +
           "があるため、鉄筋を選定できません（" + finding.code + "）: " + finding.message;
}

std::string noBarFitsText(const std::optional<Finding>& smallestDoesNotFit) {
    std::string text = "どの鉄筋も 2 本が幅 b に納まらないため、鉄筋を選定できません";
    if (smallestDoesNotFit)
        text += "（" + smallestDoesNotFit->code + "）: " + smallestDoesNotFit->message;
    return text;
}

std::string noCountCloseEnoughText(const ClearSpacingRule& rule) {
    return "鉄筋を " + std::to_string(kMaxProposedBarsPerLayer) +
           " 本まで並べても、鉄筋の中心間隔が最大中心間隔 " + plainText(rule.maxCentreMm) +
           " mm 以下になる配置がないため、鉄筋を選定できません（bars-too-far-apart）";
}

std::string largestStopsText(const BarArrangement& largest, const std::string& message) {
    return "納まる最大の配置 " + arrangementText(largest) + " でも計算が止まります: " + message;
}

std::string largestIsNgText(const BarArrangement& largest, double provided, double required,
                            int unitSystem) {
    const std::string unit = proposalAreaUnit(unitSystem);
    return "納まる最大の配置 " + arrangementText(largest) + "（配置鉄筋量 " + figure(provided, 3) +
           " " + unit + "）でも NG です（必要鉄筋量 " + figure(required, 3) + " " + unit + "）";
}

std::string proposalReasonText(const NoCandidateReason& reason) {
    using Kind = NoCandidateReason::Kind;
    switch (reason.kind) {
    case Kind::None:
        return {};
    case Kind::Blocked:
        return reason.finding ? proposalBlockedText(*reason.finding) : std::string();
    case Kind::NoBarFits:
        return noBarFitsText(reason.finding);
    case Kind::NoCountCloseEnough:
        return noCountCloseEnoughText(reason.rule);
    case Kind::LargestStops:
        return caseNamed(reason.caseName) + largestStopsText(reason.largest, reason.message);
    case Kind::LargestIsNg:
        return caseNamed(reason.caseName) + largestIsNgText(reason.largest, reason.providedArea,
                                                            reason.requiredArea, reason.unitSystem);
    case Kind::NoneNamed:
        return noneNamedText();
    }
    return {};
}

std::string sideFaceText(const std::optional<int>& bar, double count) {
    const std::string head = "側面鉄筋 " + countText(count) + " 本: ";
    if (!bar)
        return head + "この本数ではどの鉄筋も NG です";
    return head + std::string(barNameByIndex(*bar));
}

std::string noneNamedText() {
    return "合格する配置がありません";
}

} // namespace haltrix
