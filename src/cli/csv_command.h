// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc csv: the design table of the given design files.
int runCsvCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
