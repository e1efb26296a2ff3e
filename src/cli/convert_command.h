// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc convert: a design file converted to the other unit system.
int runConvertCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
