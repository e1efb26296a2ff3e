// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_command.h"

#include <iostream>

#include "studies/bar_proposal.h"
#include "calculation.h"
#include "files/design_table.h"
#include "exit_status.h"
#include "design/horizontal_check.h"
#include "output_buffer.h"
#include "studies/proposal_columns.h"

namespace haltrix::cli {

int runCsvCommand(const std::vector<std::string>& args) {
    // --excel and --propose are this command's own options; the rest are
    // those of json.
    bool excel = false;
    bool propose = false;
    std::vector<std::string> rest;
    bool onlyFiles = false;
    for (const std::string& arg : args) {
        if (!onlyFiles && arg == "--excel") {
            excel = true;
            continue;
        }
        if (!onlyFiles && arg == "--propose") {
            propose = true;
            continue;
        }
        if (arg == "--")
            onlyFiles = true;
        rest.push_back(arg);
    }
    CalcOptions options;
    std::string error;
    if (!parseCalcOptions(rest, false, false, options, error)) {
        std::cerr << "haltrix-calc csv: " << error << "\n";
        return kExitUsage;
    }

    // Excel on Windows reads UTF-8 only after a byte-order mark.
    const char* const lineEnd = excel ? "\r\n" : "\n";
    OutputBuffer out;
    if (excel)
        out.text() += "\xEF\xBB\xBF";
    appendDesignTableHeader(out.text());
    if (propose)
        appendProposalTableHeader(out.text());
    out.text() += lineEnd;
    return forEachDesignFile(options, [&](const CalculatedDesign& design, ExitStatus&) {
        appendDesignTableRow(out.text(), design.path, design.inputs, design.results,
                             design.warnings);
        if (propose) {
            const HorizontalChoice choice = sideFaceChoice(options);
            appendProposalTableColumns(out.text(),
                                       proposeBars(design.inputs, options.spacingRule, 1, choice));
        }
        out.text() += lineEnd;
        out.flushIfFull();
    });
}

} // namespace haltrix::cli
