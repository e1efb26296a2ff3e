// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc check: the warnings of each design file, one line per finding
// ("FILE: code: message"); exit status 5 when any design has a 警告.
int runCheckCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
