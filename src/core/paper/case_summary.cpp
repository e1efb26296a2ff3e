// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/case_summary.h"

#include <algorithm>

#include "design/bar_table.h"
#include "design/design_calculation.h"
#include "design/horizontal_check.h"
#include "design/unit_system.h"
#include "paper/number_format.h"
#include "paper/text_width.h"

namespace haltrix {

namespace {

// A unit of the design's unit table in brackets: "(tf)".
std::string bracketed(const char* unit) {
    return std::string("(") + unit + ")";
}

std::string forceUnit(const DesignInputs& inputs) {
    return bracketed(unitTableOf(inputs.unitSystem).force);
}

std::string stressUnit(const DesignInputs& inputs) {
    return bracketed(unitTableOf(inputs.unitSystem).stress);
}

std::string areaUnit(const DesignInputs& inputs) {
    return bracketed(unitTableOf(inputs.unitSystem).area);
}

std::string judgementCell(const DesignResults& results, const std::string& judgement) {
    if (!results.completed())
        return "計算不能";
    // The sheet's text without the blanks in front.
    const std::size_t start = judgement.find_first_not_of(' ');
    return start == std::string::npos ? judgement : judgement.substr(start);
}

std::string markCell(int index, int governing) {
    return index == governing ? kGoverningMark : kNotGoverningMark;
}

// Sets the captions of the columns, each given as its lines: one after the
// other in `heading`, stacked in `stackedHeading`.
void setHeading(CaseSummaryTable& table, const std::vector<std::vector<std::string>>& captions) {
    for (const auto& lines : captions) {
        std::string line;
        std::string stacked;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            stacked += (i == 0 ? "" : "\n") + lines[i];
            line += lines[i];
        }
        table.heading.push_back(line);
        table.stackedHeading.push_back(stacked);
    }
}

// The table as lines: text columns (the mark and the name) left-aligned,
// numbers right-aligned, two blanks between columns.
void appendTable(const CaseSummaryTable& table, const std::vector<bool>& leftAligned,
                 std::vector<std::string>& lines) {
    std::vector<int> widths(table.heading.size(), 0);
    for (std::size_t c = 0; c < table.heading.size(); ++c) {
        widths[c] = displayWidth(table.heading[c]);
        for (const auto& row : table.rows)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    }
    widths[0] = std::max(widths[0], displayWidth(kGoverningMark));
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0)
                text += "  ";
            text += leftAligned[c] ? padRight(cells[c], widths[c]) : padLeft(cells[c], widths[c]);
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return text;
    };
    lines.push_back(line(table.heading));
    for (const auto& row : table.rows)
        lines.push_back(line(row));
}

} // namespace

CaseSummaryTable mainCaseSummary(const DesignInputs& inputs, const DesignCalculation& calculation) {
    CaseSummaryTable table;
    setHeading(table, {{""},
                       {"No."},
                       {"名称"},
                       {"P", forceUnit(inputs)},
                       {"H", forceUnit(inputs)},
                       {"σsa", stressUnit(inputs)},
                       {"必要", "鉄筋量", areaUnit(inputs)},
                       {"使用", "鉄筋量", areaUnit(inputs)},
                       {"判定"}});
    table.governing = calculation.governing;
    for (std::size_t i = 0; i < calculation.cases.size(); ++i) {
        const int index = static_cast<int>(i);
        const LoadCase loadCase = caseAt(inputs, index);
        const DesignResults& r = calculation.cases[i];
        table.rows.push_back({markCell(index, calculation.governing), std::to_string(index + 1),
                              caseTitle(loadCase, index), fixedDecimals(loadCase.P, 2),
                              fixedDecimals(loadCase.H, 2), plainText(loadCase.sigmaSa),
                              fixedDecimals(requiredMainArea(r), 2),
                              fixedDecimals(providedMainArea(r), 2),
                              judgementCell(r, r.main.judgement)});
    }
    return table;
}

CaseSummaryTable sideFaceCaseSummary(const DesignInputs& inputs,
                                     const DesignCalculation& calculation) {
    CaseSummaryTable table;
    setHeading(table, {{""},
                       {"No."},
                       {"名称"},
                       {"必要量", areaUnit(inputs)},
                       {"使用量", areaUnit(inputs)},
                       {"判定"}});
    table.governing = calculation.sideFaceGoverning;
    for (std::size_t i = 0; i < calculation.cases.size(); ++i) {
        const int index = static_cast<int>(i);
        const DesignResults& r = calculation.cases[i];
        table.rows.push_back({markCell(index, calculation.sideFaceGoverning),
                              std::to_string(index + 1), caseTitle(caseAt(inputs, index), index),
                              fixedDecimals(r.sideFaces.required, 2),
                              fixedDecimals(r.sideFaces.As, 2),
                              judgementCell(r, r.sideFaces.judgement)});
    }
    return table;
}

std::string governingLine(const DesignInputs& inputs, const DesignCalculation& calculation,
                          bool sideFaces) {
    const int index = sideFaces ? calculation.sideFaceGoverning : calculation.governing;
    const DesignResults& r = calculation.cases.at(static_cast<std::size_t>(index));
    std::string line = "支配ケース: " + std::to_string(index + 1) + " " +
                       caseTitle(caseAt(inputs, index), index);
    const std::string& judgement = sideFaces ? r.sideFaces.judgement : r.main.judgement;
    if (!r.completed())
        return line + "（計算不能）";
    if (judgement == kJudgementNg)
        return line + "（最初の NG）";
    const double required = sideFaces ? r.sideFaces.required : requiredMainArea(r);
    const double provided = sideFaces ? r.sideFaces.As : providedMainArea(r);
    if (!(provided > 0))
        return line + "（使用量 0）";
    return line + "（必要量/使用量 " + fixedDecimals(required / provided, 3) + " が最大）";
}

void writeCasesReport(const DesignInputs& inputs, const DesignCalculation& calculation,
                      TextTarget& target, ReportVariant variant) {
    for (const std::string& line : caseSummaryLines(inputs, calculation))
        target.writeLine(line);
    for (std::size_t i = 0; i < calculation.cases.size(); ++i) {
        const int index = static_cast<int>(i);
        target.breakPage();
        target.writeLine(caseHeading(caseAt(inputs, index), index));
        writeReport(caseDesign(inputs, index), calculation.cases[i], target, variant);
    }
}

std::string caseChoiceText(const DesignInputs& inputs, const DesignCalculation& calculation,
                           int index) {
    std::string text = std::to_string(index + 1) + "  " + caseTitle(caseAt(inputs, index), index);
    if (index == calculation.governing)
        text += std::string("  ") + kGoverningMark;
    return text;
}

std::vector<std::string> caseSummaryLines(const DesignInputs& inputs,
                                          const DesignCalculation& calculation) {
    std::vector<std::string> lines;
    lines.push_back("荷重ケース一覧");
    lines.push_back("");
    lines.push_back("主鉄筋");
    appendTable(mainCaseSummary(inputs, calculation),
                {true, false, true, false, false, false, false, false, true}, lines);
    lines.push_back(governingLine(inputs, calculation, false));
    lines.push_back("");
    const SideFaceReinforcement& side = calculation.first().sideFaces;
    lines.push_back("側面鉄筋  " + std::string(barNameByIndex(side.barIndex)) + " × " + plainText(side.barCount) +
                    " 本");
    appendTable(sideFaceCaseSummary(inputs, calculation), {true, false, true, false, false, true},
                lines);
    lines.push_back(governingLine(inputs, calculation, true));
    return lines;
}

} // namespace haltrix
