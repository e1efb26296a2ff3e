// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/book.h"

#include <algorithm>

#include "design/design_calculation.h"
#include "design/load_cases.h"
#include "design/unit_system.h"

namespace haltrix::book {

std::string_view judgementText(Judgement judgement) {
    switch (judgement) {
    case Judgement::Ok:
        return "OK";
    case Judgement::Ng:
        return "NG";
    case Judgement::NotCalculated:
        break;
    }
    return "計算不能";
}

namespace {

Judgement judgementOf(const DesignResults& results) {
    if (results.message)
        return Judgement::NotCalculated;
    // OK only when the side faces are OK too.
    if (results.main.judgement == kJudgementOk)
        return results.sideFaces.judgement == kJudgementNg ? Judgement::Ng : Judgement::Ok;
    if (results.main.judgement == kJudgementNg)
        return Judgement::Ng;
    // A calculation that gave no judgement has not judged the design.
    return Judgement::NotCalculated;
}

} // namespace

Judgement BookDesign::judgement() const {
    // Every case: one not calculated makes the design so, else one NG.
    if (calculation.cases.size() <= 1)
        return judgementOf(results);
    Judgement worst = Judgement::Ok;
    for (const DesignResults& caseResults : calculation.cases) {
        const Judgement judgement = judgementOf(caseResults);
        if (judgement == Judgement::NotCalculated)
            return judgement;
        if (judgement == Judgement::Ng)
            worst = Judgement::Ng;
    }
    return worst;
}

int BookDesign::warnings() const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return f.severity == Severity::Warning;
    }));
}

int BookDesign::notices() const {
    return static_cast<int>(findings.size()) - warnings();
}

std::optional<FileError> readBookDesign(const std::string& path, const std::string& name,
                                        const ClearSpacingRule& rule, BookDesign& design) {
    design = BookDesign{};
    design.path = path;
    design.name = name;
    if (std::optional<FileError> error = readDesignFile(path, design.inputs))
        return error;
    design.calculation = calculateCasesWithOwnChoice(design.inputs);
    design.results = design.calculation.first();
    design.findings = findCaseWarnings(design.inputs, design.calculation.cases, rule);
    return std::nullopt;
}

std::string unitSystemText(std::int32_t unitSystem) {
    if (const auto system = standardUnitSystem(unitSystem))
        return *system == UnitSystem::Gravitational ? "重力単位系" : "SI単位系";
    return "単位系 " + std::to_string(unitSystem);
}

std::string outlineEntry(const BookDesign& design) {
    return design.name + " — " + std::string(judgementText(design.judgement()));
}

std::vector<std::string> coverLines(const BookTitle& title,
                                    const std::vector<BookDesign>& designs) {
    std::vector<std::string> lines;
    if (!title.project.empty())
        lines.push_back("工事名　" + title.project);
    if (!title.designer.empty())
        lines.push_back("設計者　" + title.designer);
    if (!title.date.empty())
        lines.push_back(title.date);
    lines.emplace_back();
    const auto count = [&](Judgement judgement) {
        return std::count_if(designs.begin(), designs.end(), [&](const BookDesign& design) {
            return design.judgement() == judgement;
        });
    };
    lines.push_back("設計数　" + std::to_string(designs.size()) + " 件");
    lines.push_back("うち - NG -　" + std::to_string(count(Judgement::Ng)) + " 件");
    lines.push_back("うち 計算不能　" + std::to_string(count(Judgement::NotCalculated)) + " 件");
    return lines;
}

std::vector<std::string> contentsHeading() {
    return {"No.", "設計", "単位系", "判定", "警告", "注意", "ページ"};
}

std::vector<std::string> contentsRow(int number, const BookDesign& design, int firstPage) {
    return {std::to_string(number),
            design.name,
            unitSystemText(design.inputs.unitSystem),
            std::string(judgementText(design.judgement())),
            std::to_string(design.warnings()),
            std::to_string(design.notices()),
            std::to_string(firstPage)};
}

std::string noReportLine(std::int32_t unitSystem) {
    return "単位系 " + std::to_string(unitSystem) + " の計算書はありません。";
}

} // namespace haltrix::book
