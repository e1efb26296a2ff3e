// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace haltrix::cli {

// What the convert command was asked for.
struct ConvertOptions {
    std::int32_t to = 0;
    int roundingDigits = 0;
    bool inPlace = false;
    std::string input;
    std::string output;
};

// Reads the convert command's arguments; on a usage error returns false and
// sets `error`.
bool parseConvertOptions(const std::vector<std::string>& args, ConvertOptions& options,
                         std::string& error);

// haltrix-calc convert: a design file converted to the other unit system.
int runConvertCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
