// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli_options.h"
#include "files/design_file.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "design/load_cases.h"
#include "findings/design_warnings.h"
#include "sketch/sketch.h"

namespace haltrix::cli {

// One design file taken the way the program takes it: read, every case
// calculated with the side-face bars of the options or else of the file
// (calculateCases), and the warnings about the design under the options'
// spacing rule.
struct CalculatedDesign {
    std::string path;
    DesignInputs inputs;
    std::optional<FileError> readError; // set: nothing was calculated
    DesignResults results;              // of the first case; results.message: the engine's message
    DesignCalculation calculation;      // every case (results is its first)
    std::vector<Finding> warnings;      // of every case (findCaseWarnings)
};

CalculatedDesign calculateDesignFile(const std::string& path, const CalcOptions& options);

// The same for the contents of a design file already in memory; `name`
// stands for the file in errors and in the output.
CalculatedDesign calculateDesignText(std::string_view text, const std::string& name,
                                     const CalcOptions& options);

// The sketch of a design that was read: with d and Zc when the calculation
// completed without a message, otherwise of the inputs alone.
sketch::Sketch designSketch(const CalculatedDesign& design);

// The case --case names: a case whose title (its name, or "ケース n") is the
// text, else the number n (from 1) of a case; the reason otherwise.
std::optional<int> caseByText(const DesignInputs& inputs, const std::string& text,
                              std::string& error);

// The cases a command prints: the one --case names (`text`), or every case
// when `text` is empty; none, with the reason in `error`, for a case the
// design does not have.
std::vector<int> chosenCases(const DesignInputs& inputs, const std::string& text,
                             std::string& error);

// With --case, the design becomes the one-case design of that case (see
// caseOf); false, with the reason in `error`, for a case it does not have. A
// design that could not be read is left as it is.
bool takeChosenCase(CalculatedDesign& design, const CalcOptions& options, std::string& error);

// The one-case design of case `index` with its results: what sheet, report
// and pdf print for that case, byte for byte those of a file of that case
// alone.
CalculatedDesign caseOf(const CalculatedDesign& design, int index,
                        const ClearSpacingRule& rule);

} // namespace haltrix::cli
