// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// The arguments after the program's name, in the form the core takes file
// names (src/core/file_path.h). On Windows argv holds them in the ANSI code
// page, which loses any character outside it (a Japanese name on a Western
// system, or "①" on a Japanese one), so there they are taken from the wide
// command line and converted to UTF-8; elsewhere they are argv as given.
std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace haltrix::cli
