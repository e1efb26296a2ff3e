// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "findings/clear_spacing_rule.h"

namespace haltrix::cli {

// haltrix-calc book's command line.
struct BookOptions {
    std::optional<std::string> title; // --title (default: the book's own)
    std::string project;              // --project
    std::string designer;             // --designer
    std::optional<std::string> date;  // --date (default: today)
    bool sketches = false;            // --sketch
    bool quantities = false;          // --quantities
    std::string output;               // -o
    std::vector<std::string> files;   // the design files, in order
    ClearSpacingRule spacingRule;     // --min-clear, --max-aggregate
};

// Parses the arguments after "book". On a usage error (an unknown option, an
// option without its value, no design file, no -o) returns false and sets
// `error`.
bool parseBookOptions(const std::vector<std::string>& args, BookOptions& options,
                      std::string& error);

} // namespace haltrix::cli
