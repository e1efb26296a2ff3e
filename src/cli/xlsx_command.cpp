// SPDX-License-Identifier: GPL-3.0-or-later
#include "xlsx_command.h"

#include <iostream>

#include <QFileInfo>

#include "calculation.h"
#include "core_path.h"
#include "design/horizontal_check.h"
#include "exit_status.h"
#include "model/anchorage.h"
#include "paper/workbook.h"
#include "xlsx_writer.h"

namespace haltrix::cli {

bool parseXlsxOptions(const std::vector<std::string>& args, CalcOptions& options,
                      std::string& error) {
    if (!parseCalcOptions(args, false, true, options, error, true, true))
        return false;
    const CalcOptions defaults;
    if (options.schema != defaults.schema || options.part != defaults.part) {
        error = "--schema と --part は ifc のオプションです。ワークブックには使えません";
        return false;
    }
    if (!options.anchorage.empty() && !model::parseAnchorage(options.anchorage, error))
        return false;
    if (options.sketchPage || options.quantitiesPage || !options.member.empty()) {
        error = "--sketch、--quantities、--member は pdf のオプションです。ワークブックには使えません";
        return false;
    }
    if (options.files.empty()) {
        error = "設計ファイルを一つ以上指定してください";
        return false;
    }
    if (options.output.empty()) {
        error = "-o OUT.xlsx を指定してください";
        return false;
    }
    return true;
}

int runXlsxCommand(const std::vector<std::string>& args) {
    CalcOptions options;
    std::string error;
    if (!parseXlsxOptions(args, options, error)) {
        std::cerr << "haltrix-calc xlsx: " << error << "\n";
        return kExitUsage;
    }

    // Every file is read before anything is written.
    ExitStatus status;
    model::AnchorageRule anchorage = model::kDefaultAnchorage;
    if (!options.anchorage.empty())
        anchorage = *model::parseAnchorage(options.anchorage, error);
    std::vector<workbook::Design> designs;
    designs.reserve(options.files.size());
    for (const std::string& path : options.files) {
        const CalculatedDesign design = calculateDesignFile(path, options);
        if (!reportProblems(design, status))
            continue;
        const std::string name = QFileInfo(pathFromCore(path)).fileName().toStdString();
        workbook::Design one = workbook::workbookDesignOfCases(
            name, design.inputs, design.calculation, sideFaceChoice(options, design.inputs),
            anchorage);
        designs.push_back(std::move(one));
    }
    if (status.code() == kExitUnreadable) {
        std::cerr << "haltrix-calc xlsx: 何も書いていません\n";
        return kExitUnreadable;
    }

    const workbook::Workbook book =
        workbook::buildWorkbook(designs, {options.project, options.designer});
    if (const std::optional<std::string> failure = workbook::writeXlsx(book, options.output)) {
        std::cerr << "haltrix-calc xlsx: 「" << options.output << "」を書けません: " << *failure
                  << "\n";
        return kExitNoOutput;
    }
    return status.code();
}

} // namespace haltrix::cli
