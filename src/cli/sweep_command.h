// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "studies/sweep.h"

namespace haltrix::cli {

// What the sweep command was asked for.
struct SweepOptions {
    std::string caseText; // --case: the case whose values are varied (default the first)
    std::optional<SweepParameter> parameter;
    std::optional<double> from;
    std::optional<double> to;
    std::optional<long> steps;
    std::string file;
};

// Reads the sweep command's arguments; on a usage error returns false and
// sets `error`.
bool parseSweepOptions(const std::vector<std::string>& args, SweepOptions& options,
                       std::string& error);

// haltrix-calc sweep: the required and provided main steel of a design as
// one input runs over a range, as CSV.
int runSweepCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
