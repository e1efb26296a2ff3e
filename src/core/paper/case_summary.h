// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "design/design_inputs.h"
#include "design/load_cases.h"
#include "paper/report.h"

namespace haltrix {

// The summary of a design's load cases, 荷重ケース一覧: what the result
// window's table shows and what the page before the cases' reports prints.

// The mark of the governing case, and the blank of the others.
inline constexpr const char* kGoverningMark = "＊";
inline constexpr const char* kNotGoverningMark = "";

struct CaseSummaryTable {
    std::vector<std::string> heading;           // the column captions, with units
    // The same captions for narrow columns: the unit under its caption and a
    // long caption broken, lines joined by "\n" ("必要\n鉄筋量\n(mm2)").
    std::vector<std::string> stackedHeading;
    std::vector<std::vector<std::string>> rows; // per case: the cells under the captions
    int governing = 0;
};

// The main bars: mark, No., 名称, P, H, σsa, 必要鉄筋量, 使用鉄筋量, 判定. Forces
// and areas with two decimals, σsa plain; the judgement as the sheet writes
// it, "計算不能" for a case whose calculation stopped.
CaseSummaryTable mainCaseSummary(const DesignInputs& inputs, const DesignCalculation& calculation);

// The side-face check: mark, No., 名称, 必要量, 使用量, 判定.
CaseSummaryTable sideFaceCaseSummary(const DesignInputs& inputs,
                                     const DesignCalculation& calculation);

// "支配ケース: 2 地震時（最初の NG）" or "…（必要量/使用量 0.874 が最大）".
std::string governingLine(const DesignInputs& inputs, const DesignCalculation& calculation,
                          bool sideFaces);

// The report of a design of several cases, as the preview shows it and the
// printer prints it: the summary, then each case's report exactly as a
// design of that case alone writes it, under the case's heading, each case
// after a page break (an empty line where the target has no pages).
void writeCasesReport(const DesignInputs& inputs, const DesignCalculation& calculation,
                      TextTarget& target, ReportVariant variant);

// The case `index` as the result window's list offers it: "2  地震時", and
// "  ＊" after the governing case of the main bars.
std::string caseChoiceText(const DesignInputs& inputs, const DesignCalculation& calculation,
                           int index);

// The summary page: the title 荷重ケース一覧, the main table and its
// governing line, then the side-face bars checked with, their table and
// governing line; the columns padded to a common width (a wide character
// counted as two).
std::vector<std::string> caseSummaryLines(const DesignInputs& inputs,
                                          const DesignCalculation& calculation);


} // namespace haltrix
