// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc ifc: the bracket and its bars of one design file as an IFC
// model (IFC4X3_ADD2, or IFC4 with --schema IFC4).
int runIfcCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
