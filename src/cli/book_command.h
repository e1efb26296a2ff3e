// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc book: many design files in one PDF with a cover, contents,
// outline and page numbers.
int runBookCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
