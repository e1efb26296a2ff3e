// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc report: the calculation report's lines, as the print window
// previews them or, with --print, as it prints them.
int runReportCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
