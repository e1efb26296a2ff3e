// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "paper/workbook.h"

namespace haltrix::workbook {

// Writes `workbook` as an .xlsx file at `path` (a core path, see
// file_path.h): A4, each sheet fitted to the page width, a header with 工事名
// on the left and "n / m" on the right, a Japanese font throughout, and each
// formula stored with its result, so a viewer that does not recalculate shows
// the right number. The file is built aside and then put in place whole
// (replaceFile): on failure nothing is left at `path` but what was there.
// Returns the reason on failure, in Japanese.
std::optional<std::string> writeXlsx(const Workbook& workbook, const std::string& path);

// The header text of every printed page, in the spreadsheet's header codes.
std::string pageHeader(const Workbook& workbook);

// writeXlsx as the module haltrix_xlsx hands it out: the windows load the
// writer (and libxlsxwriter with it) the first time a workbook is written.
using WriteXlsx = std::optional<std::string> (*)(const Workbook& workbook, const std::string& path);
// The module's entry, a function of no arguments that returns writeXlsx.
inline constexpr char kXlsxWriterEntry[] = "haltrixXlsxWriter";

} // namespace haltrix::workbook
