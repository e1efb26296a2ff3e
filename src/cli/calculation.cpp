// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation.h"

#include "design/design_calculation.h"
#include "design/horizontal_check.h"
#include "sketch/sketch_builder.h"

namespace haltrix::cli {

namespace {

// The calculation of a design that was read without error.
void calculate(CalculatedDesign& design, const CalcOptions& options) {
    design.results = calculateDesign(design.inputs, sideFaceChoice(options));
    design.warnings = findDesignWarnings(design.inputs, design.results, options.spacingRule);
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

} // namespace haltrix::cli
