// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_command.h"

#include <cstdio>
#include <iostream>

#include "calculation.h"
#include "exit_status.h"
#include "paper/report.h"

namespace haltrix::cli {

namespace {

class StandardOutput : public TextTarget {
public:
    void writeLine(std::string_view line) override {
        std::cout.write(line.data(), static_cast<std::streamsize>(line.size()));
        std::cout.put('\n');
    }
};

} // namespace

int runReportCommand(const std::vector<std::string>& args) {
    CalcOptions options;
    std::string error;
    if (!parseCalcOptions(args, true, false, options, error, false, false, true)) {
        std::cerr << "haltrix-calc report: " << error << "\n";
        return kExitUsage;
    }
    if (options.files.size() != 1) {
        std::cerr << "haltrix-calc report: 設計ファイルは一つだけ指定してください\n";
        return kExitUsage;
    }
    ExitStatus status;
    CalculatedDesign design = calculateDesignFile(options.files.front(), options);
    if (!takeChosenCase(design, options, error)) {
        std::cerr << "haltrix-calc report: " << error << "\n";
        return kExitUsage;
    }
    if (!reportProblems(design, status))
        return status.code();
    StandardOutput out;
    const ReportVariant variant =
        options.printVariant ? ReportVariant::Print : ReportVariant::Preview;
    const bool headings = caseCount(design.inputs) > 1;
    bool written = true;
    for (int index = 0; index < caseCount(design.inputs); ++index) {
        // Every case under its heading, an empty line between the cases.
        if (headings) {
            if (index > 0)
                out.writeLine("");
            out.writeLine(caseHeading(caseAt(design.inputs, index), index));
        }
        written = writeReport(caseDesign(design.inputs, index),
                              design.calculation.cases[std::size_t(index)], out, variant) &&
                  written;
    }
    if (!written) {
        // The print window shows an empty preview for such a design.
        std::cerr << "haltrix-calc report: ファイル「" << design.path << "」: 単位系 "
                  << design.inputs.unitSystem << " には計算書がないので、何も書いていません\n";
    }
    return status.code();
}

} // namespace haltrix::cli
