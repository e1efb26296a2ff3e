// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation.h"

#include "design/design_calculation.h"
#include "design/horizontal_check.h"
#include "sketch/sketch_builder.h"

namespace haltrix::cli {

namespace {

// The calculation of a design that was read without error.
void calculate(CalculatedDesign& design, const CalcOptions& options) {
    design.calculation = calculateCases(design.inputs, sideFaceChoice(options, design.inputs));
    design.results = design.calculation.first();
    design.warnings = findCaseWarnings(design.inputs, design.calculation.cases, options.spacingRule);
}

} // namespace

CalculatedDesign calculateDesignFile(const std::string& path, const CalcOptions& options) {
    CalculatedDesign design;
    design.path = path;
    design.readError = readDesignFile(path, design.inputs);
    if (!design.readError)
        calculate(design, options);
    return design;
}

CalculatedDesign calculateDesignText(std::string_view text, const std::string& name,
                                     const CalcOptions& options) {
    CalculatedDesign design;
    design.path = name;
    design.readError = readDesignText(text, name, design.inputs);
    if (!design.readError)
        calculate(design, options);
    return design;
}

sketch::Sketch designSketch(const CalculatedDesign& design) {
    return sketch::buildSketch(design.inputs, design.results);
}

std::optional<int> caseByText(const DesignInputs& inputs, const std::string& text,
                              std::string& error) {
    const int count = caseCount(inputs);
    for (int i = 0; i < count; ++i) {
        if (caseTitle(caseAt(inputs, i), i) == text)
            return i;
    }
    bool digits = !text.empty() && text.size() < 9;
    for (const char ch : text)
        digits = digits && ch >= '0' && ch <= '9';
    if (digits) {
        const int number = std::stoi(text);
        if (number >= 1 && number <= count)
            return number - 1;
    }
    error = "--case " + text + ": 設計にそのケースはありません（ケース: ";
    for (int i = 0; i < count; ++i)
        error += (i ? "、" : "") + std::to_string(i + 1) + " " + caseTitle(caseAt(inputs, i), i);
    error += "）";
    return std::nullopt;
}

std::vector<int> chosenCases(const DesignInputs& inputs, const std::string& text,
                             std::string& error) {
    if (!text.empty()) {
        if (const std::optional<int> index = caseByText(inputs, text, error))
            return {*index};
        return {};
    }
    std::vector<int> all;
    for (int i = 0; i < caseCount(inputs); ++i)
        all.push_back(i);
    return all;
}

bool takeChosenCase(CalculatedDesign& design, const CalcOptions& options, std::string& error) {
    if (design.readError || options.caseText.empty())
        return true;
    const std::optional<int> index = caseByText(design.inputs, options.caseText, error);
    if (!index)
        return false;
    design = caseOf(design, *index, options.spacingRule);
    return true;
}

CalculatedDesign caseOf(const CalculatedDesign& design, int index,
                        const ClearSpacingRule& rule) {
    CalculatedDesign one;
    one.path = design.path;
    one.inputs = caseDesign(design.inputs, index);
    one.results = design.calculation.cases.at(static_cast<std::size_t>(index));
    one.calculation.cases = {one.results};
    one.warnings = findDesignWarnings(one.inputs, one.results, rule);
    return one;
}

} // namespace haltrix::cli
