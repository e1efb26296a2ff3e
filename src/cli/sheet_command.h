// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc sheet: the result window's two grids as text, one grid row a
// line, its cells joined by a tab.
int runSheetCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
