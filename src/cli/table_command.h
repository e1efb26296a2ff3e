// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc table: one design file for each row of a design table.
int runTableCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
