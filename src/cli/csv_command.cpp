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

    // The case column only when a design of the table has more than one
    // case: the files are read once beforehand to know.
    bool caseColumn = false;
    for (const std::string& path : options.files) {
        DesignInputs inputs;
        if (!caseColumn && !readDesignFile(path, inputs))
            caseColumn = caseCount(inputs) > 1;
    }

    // Excel on Windows reads UTF-8 only after a byte-order mark.
    const char* const lineEnd = excel ? "\r\n" : "\n";
    OutputBuffer out;
    if (excel)
        out.text() += "\xEF\xBB\xBF";
    if (caseColumn)
        appendDesignTableHeaderWithCase(out.text());
    else
        appendDesignTableHeader(out.text());
    if (propose)
        appendProposalTableHeader(out.text());
    out.text() += lineEnd;
    return forEachDesignFile(options, [&](const CalculatedDesign& design, ExitStatus&) {
        const HorizontalChoice choice = sideFaceChoice(options, design.inputs);
        std::optional<BarProposal> proposal;
        if (propose)
            proposal = proposeBars(design.inputs, options.spacingRule, 1, choice);
        if (!caseColumn) {
            appendDesignTableRow(out.text(), design.path, design.inputs, design.results,
                                 design.warnings);
            if (proposal)
                appendProposalTableColumns(out.text(), *proposal);
            out.text() += lineEnd;
            out.flushIfFull();
            return;
        }
        // One row per case, each as the one-case design of that case.
        for (int i = 0; i < caseCount(design.inputs); ++i) {
            const CalculatedDesign one = caseOf(design, i, options.spacingRule);
            appendDesignTableCaseRow(out.text(), design.path, caseAt(design.inputs, i).name,
                                     one.inputs, one.results, one.warnings);
            if (proposal)
                appendProposalTableColumns(out.text(), *proposal);
            out.text() += lineEnd;
        }
        out.flushIfFull();
    });
}

} // namespace haltrix::cli
