// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/load_cases.h"

#include <cmath>
#include <limits>

#include "design/design_calculation.h"
#include "design/horizontal_check.h"

namespace haltrix {

int caseCount(const DesignInputs& inputs) {
    return 1 + static_cast<int>(inputs.laterCases.size());
}

LoadCase caseAt(const DesignInputs& inputs, int index) {
    if (index <= 0)
        return {inputs.firstCaseName, inputs.P, inputs.H, inputs.sigmaSa};
    return inputs.laterCases.at(static_cast<std::size_t>(index - 1));
}

std::vector<LoadCase> loadCases(const DesignInputs& inputs) {
    std::vector<LoadCase> cases;
    cases.reserve(static_cast<std::size_t>(caseCount(inputs)));
    for (int i = 0; i < caseCount(inputs); ++i)
        cases.push_back(caseAt(inputs, i));
    return cases;
}

void setLoadCases(DesignInputs& inputs, const std::vector<LoadCase>& cases) {
    if (cases.empty())
        return;
    inputs.firstCaseName = cases.front().name;
    inputs.P = cases.front().P;
    inputs.H = cases.front().H;
    inputs.sigmaSa = cases.front().sigmaSa;
    inputs.laterCases.assign(cases.begin() + 1, cases.end());
}

namespace {

void applyCase(DesignInputs& design, const LoadCase& loadCase) {
    design.firstCaseName = loadCase.name;
    design.P = loadCase.P;
    design.H = loadCase.H;
    design.sigmaSa = loadCase.sigmaSa;
}

// The design without its later cases: every field a design gains later
// follows without being named here.
DesignInputs firstCaseOnly(const DesignInputs& inputs) {
    DesignInputs design = inputs;
    design.laterCases.clear();
    return design;
}

} // namespace

DesignInputs caseDesign(const DesignInputs& inputs, int index) {
    DesignInputs design = firstCaseOnly(inputs);
    if (index > 0)
        applyCase(design, caseAt(inputs, index));
    return design;
}

std::string caseTitle(const LoadCase& loadCase, int index) {
    if (!loadCase.name.empty())
        return loadCase.name;
    return "ケース " + std::to_string(index + 1);
}

std::string caseHeading(const LoadCase& loadCase, int index) {
    return "荷重ケース " + std::to_string(index + 1) + ": " + caseTitle(loadCase, index);
}

bool hasCaseBlock(const DesignInputs& inputs) {
    return !inputs.laterCases.empty() || !inputs.firstCaseName.empty() ||
           inputs.sideFaceChoice != HorizontalChoice{};
}

std::vector<int> duplicateCaseNames(const DesignInputs& inputs) {
    std::vector<int> duplicates;
    const std::vector<LoadCase> cases = loadCases(inputs);
    for (std::size_t i = 1; i < cases.size(); ++i) {
        const std::string title = caseTitle(cases[i], static_cast<int>(i));
        for (std::size_t j = 0; j < i; ++j) {
            if (caseTitle(cases[j], static_cast<int>(j)) == title) {
                duplicates.push_back(static_cast<int>(i));
                break;
            }
        }
    }
    return duplicates;
}

DesignCalculation calculateCases(const DesignInputs& inputs, const HorizontalChoice& choice) {
    DesignCalculation calculation;
    calculation.cases.reserve(static_cast<std::size_t>(caseCount(inputs)));
    DesignInputs design = firstCaseOnly(inputs);
    calculation.cases.push_back(calculateDesign(design, choice));
    for (const LoadCase& loadCase : inputs.laterCases) {
        applyCase(design, loadCase);
        calculation.cases.push_back(calculateDesign(design, choice));
    }
    calculation.governing = governingCase(calculation.cases);
    calculation.sideFaceGoverning = sideFaceGoverningCase(calculation.cases);
    return calculation;
}

void checkSideFacesAgain(DesignCalculation& calculation, const DesignInputs& inputs,
                         UnitSystem units, const HorizontalChoice& choice) {
    for (std::size_t i = 0; i < calculation.cases.size(); ++i)
        calculation.cases[i].sideFaces =
            checkHorizontal(caseDesign(inputs, static_cast<int>(i)), calculation.cases[i], units,
                            choice.barIndex, choice.barCount);
    calculation.sideFaceGoverning = sideFaceGoverningCase(calculation.cases);
}

DesignCalculation calculateCasesWithOwnChoice(const DesignInputs& inputs) {
    return calculateCases(inputs, sideFaceChoiceInForce(std::nullopt, inputs));
}

std::optional<std::string> calculationMessage(const DesignInputs& inputs,
                                              const DesignCalculation& calculation) {
    if (calculation.cases.size() <= 1)
        return calculation.cases.empty() ? std::nullopt : calculation.cases.front().message;
    std::optional<std::string> text;
    for (std::size_t i = 0; i < calculation.cases.size(); ++i) {
        const auto& message = calculation.cases[i].message;
        if (!message)
            continue;
        const int index = static_cast<int>(i);
        text = (text ? *text + "；" : std::string()) + "【" +
               caseTitle(caseAt(inputs, index), index) + "】 " + *message;
    }
    return text;
}

namespace {

double ratio(double required, double provided) {
    const double value = required / provided;
    return std::isnan(value) ? 0.0 : value;
}

template <typename Judged, typename Ratio>
int governingBy(const std::vector<DesignResults>& cases, Judged judgement, Ratio ratioOf) {
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (judgement(cases[i]) == kJudgementNg)
            return static_cast<int>(i);
    }
    int governing = 0;
    double largest = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const double value = cases[i].completed() ? ratioOf(cases[i])
                                                  : std::numeric_limits<double>::infinity();
        if (value > largest) {
            largest = value;
            governing = static_cast<int>(i);
        }
    }
    return governing;
}

} // namespace

int governingCase(const std::vector<DesignResults>& cases) {
    return governingBy(
        cases, [](const DesignResults& r) -> const std::string& { return r.main.judgement; },
        [](const DesignResults& r) { return ratio(requiredMainArea(r), providedMainArea(r)); });
}

int sideFaceGoverningCase(const std::vector<DesignResults>& cases) {
    return governingBy(
        cases, [](const DesignResults& r) -> const std::string& { return r.sideFaces.judgement; },
        [](const DesignResults& r) { return ratio(r.sideFaces.required, r.sideFaces.As); });
}

} // namespace haltrix
