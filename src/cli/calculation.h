// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli_options.h"
#include "files/design_file.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "findings/design_warnings.h"
#include "sketch/sketch.h"

namespace haltrix::cli {

// One design file taken the way the program takes it: read, calculated with
// the options' side-face bars (calculateDesign), and the warnings about the
// design under the options' spacing rule.
struct CalculatedDesign {
    std::string path;
    DesignInputs inputs;
    std::optional<FileError> readError; // set: nothing was calculated
    DesignResults results;              // results.message: the engine's message
    std::vector<Finding> warnings;
};

CalculatedDesign calculateDesignFile(const std::string& path, const CalcOptions& options);

// The same for the contents of a design file already in memory; `name`
// stands for the file in errors and in the output.
CalculatedDesign calculateDesignText(std::string_view text, const std::string& name,
                                     const CalcOptions& options);

// The sketch of a design that was read: with d and Zc when the calculation
// completed without a message, otherwise of the inputs alone.
sketch::Sketch designSketch(const CalculatedDesign& design);

} // namespace haltrix::cli
