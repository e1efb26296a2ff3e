// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli_options.h"
#include "design_file.h"
#include "design_record.h"
#include "design_warnings.h"
#include "horizontal_check.h"
#include "sketch.h"

namespace haltrix::cli {

// One design file taken the way the program takes it: read into a fresh
// record, the formula case derived as the input form's OK would, then the
// result window's load sequence for the twin that unitSystem selects, and
// the warnings about the design under the options' spacing rule.
struct CalculatedDesign {
    std::string path;
    DesignRecord record;
    std::optional<FileError> readError; // set: nothing was calculated
    std::optional<std::string> message; // the engine's message, if raised
    HorizontalCheck horizontal;
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
