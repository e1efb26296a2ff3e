// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/workbook_export.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "core_path.h"
#include "design/design_calculation.h"
#include "design/load_cases.h"
#include "document/design_document.h"
#include "document/file_dialogs.h"
#include "paper/workbook.h"
#include "platform/message_sink.h"
#include "xlsx_writer.h"

namespace haltrix::gui {

bool exportWorkbook(QWidget* parent, const DesignDocument& document, FileDialogs& dialogs,
                    MessageSink& messages, const QString& project, const QString& designer) {
    const QString path = dialogs.getExportFileName(parent, QStringLiteral("Excel出力"),
                                                   QStringLiteral("Excel ブック (*.xlsx)"),
                                                   QStringLiteral("xlsx"));
    if (path.isEmpty())
        return false;
    const QString name = document.fileName().isEmpty()
                             ? QStringLiteral("(無題)")
                             : QFileInfo(document.fileName()).fileName();
    // A design of several load cases is summed up by its governing case.
    const DesignInputs& inputs = document.inputs();
    const DesignCalculation& all = document.calculation();
    const int governing = all.governing;
    const bool several = all.cases.size() > 1;
    workbook::Design design = workbook::workbookDesign(
        name.toStdString(), several ? caseDesign(inputs, governing) : inputs,
        several ? all.cases.at(std::size_t(governing)) : document.results(),
        sideFaceChoiceInForce(std::nullopt, inputs));
    if (several)
        design.governingCase = caseTitle(caseAt(inputs, governing), governing);
    const workbook::Workbook book =
        workbook::buildWorkbook({design}, {project.toStdString(), designer.toStdString()});
    if (const std::optional<std::string> failure = workbook::writeXlsx(book, pathForCore(path))) {
        messages.showMessage(parent,
                             QStringLiteral("%1 を書けませんでした。\n%2")
                                 .arg(QDir::toNativeSeparators(path),
                                      QString::fromStdString(*failure)),
                             QMessageBox::Warning);
        return false;
    }
    return true;
}

} // namespace haltrix::gui
