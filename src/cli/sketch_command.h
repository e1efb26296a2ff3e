// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc sketch: the sketch of one design file as SVG, PNG or DXF,
// the format chosen by the output's extension.
int runSketchCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
