// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_command.h"

#include <iostream>

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>

#include "calculation.h"
#include "design/horizontal_check.h"
#include "core_path.h"
#include "exit_status.h"
#include "offscreen.h"
#include "paper/report.h"
#include "report_printer.h"

namespace haltrix::cli {

namespace {

// The sketch page and the title block the options ask for.
print::PrintOptions printOptions(const CalcOptions& options, const CalculatedDesign& design) {
    print::PrintOptions extras;
    if (options.sketchPage) {
        extras.sketch = designSketch(design);
        extras.linesUnderSketch = print::warningLines(design.warnings);
    }
    if (options.quantitiesPage)
        extras.quantities =
            print::quantityPage(design.inputs, sideFaceChoice(options, design.inputs),
                                QFileInfo(pathFromCore(design.path)).fileName());
    extras.notes =
        print::designNotes(design.warnings, calculationMessage(design.inputs, design.calculation));
    extras.title.project = QString::fromStdString(options.project);
    extras.title.member = QString::fromStdString(options.member);
    extras.title.designer = QString::fromStdString(options.designer);
    extras.title.date = print::titleDate(QDate::currentDate());
    extras.cases = &design.calculation;
    return extras;
}

} // namespace

int runPdfCommand(const std::vector<std::string>& args) {
    CalcOptions options;
    std::string error;
    if (!parseCalcOptions(args, true, true, options, error, true, false, true)) {
        std::cerr << "haltrix-calc pdf: " << error << "\n";
        return kExitUsage;
    }
    if (options.files.size() != 1) {
        std::cerr << "haltrix-calc pdf: 設計ファイルは一つだけ指定してください\n";
        return kExitUsage;
    }
    if (options.output.empty()) {
        std::cerr << "haltrix-calc pdf: -o OUT.pdf を指定してください\n";
        return kExitUsage;
    }

    ExitStatus status;
    CalculatedDesign design = calculateDesignFile(options.files.front(), options);
    if (!takeChosenCase(design, options, error)) {
        std::cerr << "haltrix-calc pdf: " << error << "\n";
        return kExitUsage;
    }
    if (!reportProblems(design, status))
        return status.code();

    chooseOffscreenWithoutDisplay();
    const RuntimeFolder runtimeFolder;
    int argc = 1;
    char name[] = "haltrix-calc";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    const QString output = pathFromCore(options.output);
    // The name as the user knows it, also on Windows where the core's names
    // are UTF-8 and std::filesystem would read them in the ANSI code page.
    const std::string fileName = QFileInfo(pathFromCore(design.path)).fileName().toStdString();
    const print::PrintOutcome outcome = print::writeReportPdf(
        design.inputs, design.results, output, QString::fromStdString(reportDocumentName(fileName)),
        printOptions(options, design));
    switch (outcome.status) {
    case print::PrintOutcome::Status::Printed:
        return status.code();
    case print::PrintOutcome::Status::NothingToPrint:
        // "印刷実行" prints nothing for such a design; neither does this.
        std::cerr << "haltrix-calc pdf: ファイル「" << design.path << "」: 単位系 "
                  << design.inputs.unitSystem << " には計算書がないので、何も書いていません\n";
        return status.code();
    case print::PrintOutcome::Status::Failed:
        break;
    }
    std::cerr << "haltrix-calc pdf: 「" << options.output << "」を書けません\n";
    return kExitNoOutput;
}

} // namespace haltrix::cli
