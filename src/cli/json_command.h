// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc json: one JSON object per design file on one line.
int runJsonCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
