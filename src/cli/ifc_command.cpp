// SPDX-License-Identifier: GPL-3.0-or-later
#include "ifc_command.h"

#include <iostream>

#include <QDateTime>
#include <QFileInfo>
#include <QSaveFile>

#include "calculation.h"
#include "core_path.h"
#include "design/horizontal_check.h"
#include "exit_status.h"
#include "haltrix_version.h"
#include "model/ifc_export.h"

namespace haltrix::cli {

namespace {

constexpr const char* kName = "haltrix-calc ifc: ";

int usage(const std::string& error) {
    std::cerr << kName << error << "\n";
    return kExitUsage;
}

// Writes the file whole or not at all.
bool writeWhole(const std::string& text, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
        static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

int runIfcCommand(const std::vector<std::string>& args) {
    CalcOptions options;
    std::string error;
    if (!parseCalcOptions(args, false, true, options, error, false, true))
        return usage(error);
    if (options.files.size() != 1)
        return usage("設計ファイルは一つだけ指定してください");
    if (options.output.empty())
        return usage("-o OUT.ifc を指定してください");
    if (QFileInfo(pathFromCore(options.output)).suffix().toLower() != QLatin1String("ifc"))
        return usage("出力のファイル名は .ifc で終わるようにしてください（「" + options.output + "」）");
    model::IfcFileFacts facts;
    if (const auto schema = model::schemaByName(options.schema))
        facts.schema = *schema;
    else
        return usage("--schema には IFC4X3 か IFC4 を指定してください（「" + options.schema + "」は使えません）");
    if (const auto part = model::bridgePartByName(options.part))
        facts.part = *part;
    else
        return usage("--part には pier か abutment を指定してください（「" + options.part + "」は使えません）");
    model::IfcExportOptions exportOptions;
    if (!options.anchorage.empty()) {
        const auto anchorage = model::parseAnchorage(options.anchorage, error);
        if (!anchorage)
            return usage(error);
        exportOptions.anchorage = *anchorage;
    }
    exportOptions.spacingRule = options.spacingRule;

    ExitStatus status;
    const CalculatedDesign design = calculateDesignFile(options.files.front(), options);
    if (!reportProblems(design, status))
        return status.code();
    // The side-face bars the design was checked with.
    exportOptions.sideFaces = sideFaceChoice(options, design.inputs);
    const QString output = pathFromCore(options.output);
    facts.designName = QFileInfo(pathFromCore(design.path)).fileName().toStdString();
    facts.fileName = QFileInfo(output).fileName().toStdString();
    facts.timestamp = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    facts.version = kVersionText;

    const model::IfcExportResult result =
        model::exportIfc(design.inputs, design.results, exportOptions, facts);
    if (!result.text) {
        std::cerr << kName << design.path << ": " << result.problem << "\n";
        return kExitNoOutput;
    }
    std::cerr << result.messageLines();
    if (!writeWhole(*result.text, output)) {
        std::cerr << kName << "「" << options.output << "」を書けません\n";
        return kExitNoOutput;
    }
    return status.code();
}

} // namespace haltrix::cli
