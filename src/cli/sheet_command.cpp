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
    if (!parseCalcOptions(args, false, false, options, error, false, false, true)) {
        std::cerr << "haltrix-calc sheet: " << error << "\n";
        return kExitUsage;
    }
    if (options.files.size() != 1) {
        std::cerr << "haltrix-calc sheet: 設計ファイルは一つだけ指定してください\n";
        return kExitUsage;
    }
    ExitStatus status;
    CalculatedDesign design = calculateDesignFile(options.files.front(), options);
    if (!takeChosenCase(design, options, error)) {
        std::cerr << "haltrix-calc sheet: " << error << "\n";
        return kExitUsage;
    }
    if (!reportProblems(design, status))
        return status.code();
    // The result window the unit system opens fills the grids.
    auto writeSheet = [](const DesignInputs& inputs, const DesignResults& results) {
        const Sheet sheet = fillSheet(inputs, results, unitSystemOf(inputs.unitSystem));
        writeGrid(sheet.fg1);
        std::cout.put('\n');
        writeGrid(sheet.fg2);
    };
    if (caseCount(design.inputs) == 1) {
        writeSheet(design.inputs, design.results);
        return status.code();
    }
    // Every case under its heading, an empty line between the cases.
    for (int index = 0; index < caseCount(design.inputs); ++index) {
        if (index > 0)
            std::cout.put('\n');
        const std::string heading = caseHeading(caseAt(design.inputs, index), index) + "\n";
        std::cout.write(heading.data(), static_cast<std::streamsize>(heading.size()));
        writeSheet(caseDesign(design.inputs, index), design.calculation.cases[std::size_t(index)]);
    }
    return status.code();
}

} // namespace haltrix::cli
