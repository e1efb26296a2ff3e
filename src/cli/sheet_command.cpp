// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_command.h"

#include <cstdio>
#include <iostream>

#include "calculation.h"
#include "exit_status.h"
#include "paper/sheet.h"

namespace haltrix::cli {

namespace {

void writeGrid(const SheetGrid& grid) {
    for (int row = 0; row < grid.rows; ++row) {
        std::string line;
        for (int column = 0; column < grid.columns; ++column) {
            if (column > 0)
                line += '\t';
            if (const auto& text = grid.cell(row, column))
                line += *text;
        }
        line += '\n';
        std::cout.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
}

} // namespace

int runSheetCommand(const std::vector<std::string>& args) {
    CalcOptions options;
    std::string error;
    if (!parseCalcOptions(args, false, false, options, error)) {
        std::cerr << "haltrix-calc sheet: " << error << "\n";
        return kExitUsage;
    }
    if (options.files.size() != 1) {
        std::cerr << "haltrix-calc sheet: 設計ファイルは一つだけ指定してください\n";
        return kExitUsage;
    }
    ExitStatus status;
    const CalculatedDesign design = calculateDesignFile(options.files.front(), options);
    if (!reportProblems(design, status))
        return status.code();
    // The result window the unit system opens fills the grids.
    const Sheet sheet =
        fillSheet(design.inputs, design.results, unitSystemOf(design.inputs.unitSystem));
    writeGrid(sheet.fg1);
    std::cout.put('\n');
    writeGrid(sheet.fg2);
    return status.code();
}

} // namespace haltrix::cli
