// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/design_calculation.h"
#include "design/design_inputs.h"
#include "design/design_results.h"
#include "findings/design_warnings.h"

namespace haltrix {

// The design table: one row per design, for spreadsheets. haltrix-calc csv
// writes it, haltrix-calc table turns the input columns of such a table back
// into design files. Numbers are written in their shortest exact text, so a
// design goes out and comes back unchanged.

inline constexpr std::string_view kTableFileColumn = "file";
// The load case's name, after "file", in a table where a design has more than
// one case: one row per case, the inputs those of the case's one-case design.
inline constexpr std::string_view kTableCaseColumn = "case";

// The column names in the order the table has them: file, unitSystem, the
// fifteen inputs, the formula case, the main results, the horizontal check,
// the calculation's message and the codes of the design's warnings.
const std::vector<std::string_view>& designTableColumns();

// Appends the header, or the row of one calculated design, without a line
// end. `file` is the design's file as it was named; the warnings column
// holds the findings' codes joined by ";" in their order.
void appendDesignTableHeader(std::string& out);
void appendDesignTableRow(std::string& out, std::string_view file, const DesignInputs& inputs,
                          const DesignResults& results, const std::vector<Finding>& warnings);

// The same with the case column after the file column.
void appendDesignTableHeaderWithCase(std::string& out);
void appendDesignTableCaseRow(std::string& out, std::string_view file, std::string_view caseName,
                              const DesignInputs& inputs, const DesignResults& results,
                              const std::vector<Finding>& warnings);

// --- Reading a table back ------------------------------------------------------

// Where the columns a design file needs are in a table's header.
struct TableColumns {
    std::size_t count = 0;          // fields in the header
    std::vector<std::size_t> input; // per input column (tableInputColumns order)
    std::optional<std::size_t> file;
    std::optional<std::size_t> loadCase; // the case column
    std::vector<std::string> ignored; // header names that are not table columns
};

// The columns a design file is made of: the fifteen inputs and unitSystem.
const std::vector<std::string_view>& tableInputColumns();

// Finds the input columns (any order, exact names) and the optional file
// column. Returns the reason when an input column is missing or a column
// the table reads appears twice. Columns the table writes but does not read
// back are passed over, and so are the names in `passOver` (the columns
// another writer added after the table's own, such as the proposal's of csv
// --propose); other names are listed in `ignored`.
std::optional<std::string> mapTableColumns(const std::vector<std::string>& header,
                                           TableColumns& columns,
                                           const std::vector<std::string_view>& passOver);

struct TableRowError {
    std::string column;    // the header name, empty when the whole row is meant
    std::size_t index = 0; // its position in the row
    std::string reason;
};

// The inputs and unitSystem of one row into `inputs` (fresh inputs are
// best). Values are read as a design file reads its lines: numbers with "."
// and optional blanks around, unitSystem a whole number; a designation may
// not hold an LF (it is one line of the file). On an error `inputs` are left as they were.
std::optional<TableRowError> designFromTableRow(const TableColumns& columns,
                                                const std::vector<std::string>& fields,
                                                DesignInputs& inputs);

// The name of the design file a row's file value gives inside the output
// folder: only its last path component, bytes that are not UTF-8 text and
// characters file systems refuse (control characters, < > : " | ? *)
// replaced by "_", ".tvx" added unless it ends so. Empty when nothing
// usable remains ("", ".", ".."): the row is then numbered. Returns the
// reason instead when the name would be too long.
std::optional<std::string> tableRowFileName(std::string_view fileValue, std::string& name);

// "row-5.tvx" for the table's row 5 (the header is row 1).
std::string numberedTableRowFileName(long row);

// The spreadsheet name of a column position: 0 "A", 25 "Z", 26 "AA".
std::string spreadsheetColumnName(std::size_t index);

} // namespace haltrix
