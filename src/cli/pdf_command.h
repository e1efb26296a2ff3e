// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// haltrix-calc pdf: the printed report of one design file as an A4 PDF.
int runPdfCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
