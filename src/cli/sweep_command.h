// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc sweep: the required and provided main steel of a design as
// one input runs over a range, as CSV.
int runSweepCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
