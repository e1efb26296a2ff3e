// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace haltrix::checks {

// haltrix-calc's option readers over any arguments (the bytes split into
// arguments at each line end): the options shared by the calculating
// commands (in every combination of what a command admits), convert's,
// sweep's, book's and propose's. A reader either refuses with a message or
// gives options within their ranges: a bar position of the list or none, a
// spacing rule of finite positive lengths, a known unit system and rounding,
// a finite sweep range with a permitted number of steps, design files and
// texts that are arguments as given. Returns what broke.
std::vector<std::string> checkCommandLine(std::string_view bytes);

} // namespace haltrix::checks
