// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation.h"

#include "design_calculation.h"
#include "sketch_builder.h"

namespace haltrix::cli {

namespace {

// The load sequence over a record that was read without error.
void calculate(CalculatedDesign& design, const CalcOptions& options) {
    const DesignOutcome outcome = deriveAndCalculate(
        design.record, {options.hBarIndex, barCountFromText(options.hCountText)});
    design.message = outcome.message;
    design.horizontal = outcome.horizontal;
    design.warnings = findDesignWarnings(design.record, options.spacingRule);
}

} // namespace

CalculatedDesign calculateDesignFile(const std::string& path, const CalcOptions& options) {
    CalculatedDesign design;
    design.path = path;
    design.readError = readDesignFile(path, design.record);
    if (!design.readError)
        calculate(design, options);
    return design;
}

CalculatedDesign calculateDesignText(std::string_view text, const std::string& name,
                                     const CalcOptions& options) {
    CalculatedDesign design;
    design.path = name;
    design.readError = readDesignText(text, name, design.record);
    if (!design.readError)
        calculate(design, options);
    return design;
}

sketch::Sketch designSketch(const CalculatedDesign& design) {
    return sketch::buildSketch(design.record, design.message
                                                  ? sketch::SketchContent::Inputs
                                                  : sketch::SketchContent::InputsAndResults);
}

} // namespace haltrix::cli
