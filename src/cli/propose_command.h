// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli_options.h"

namespace haltrix::cli {

inline constexpr int kMaxProposeTop = 1000;

// What the propose command was asked for.
struct ProposeOptions {
    CalcOptions calc; // the design file, the spacing rule, -o
    int top = 5;
    bool json = false;
    bool apply = false;
    bool inPlace = false;
};

// Reads the propose command's arguments; on a usage error returns false and
// sets `error`.
bool parseProposeOptions(const std::vector<std::string>& args, ProposeOptions& options,
                         std::string& error);

// haltrix-calc propose: the lightest arrangements of main bars that pass,
// and with --apply the design file with the first of them.
int runProposeCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
