// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli_options.h"

namespace haltrix::cli {

// Reads the arguments after "xlsx": the options every calculating command
// takes, --project, --designer, one or more design files and -o. On a usage
// error returns false and sets `error`.
bool parseXlsxOptions(const std::vector<std::string>& args, CalcOptions& options,
                      std::string& error);

// haltrix-calc xlsx: the workbook of the design files (計算書, 数量, 鉄筋表,
// 設計調書) as an .xlsx file.
int runXlsxCommand(const std::vector<std::string>& args);

} // namespace haltrix::cli
