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
#include "program_module.h"
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
    const workbook::Design design = workbook::workbookDesignOfCases(
        name.toStdString(), document.inputs(), document.calculation(),
        sideFaceChoiceInForce(std::nullopt, document.inputs()));
    const workbook::Workbook book =
        workbook::buildWorkbook({design}, {project.toStdString(), designer.toStdString()});
    // The writer is loaded the first time it is needed.
    QString failure;
    using Entry = workbook::WriteXlsx (*)();
    if (const auto entry = reinterpret_cast<Entry>(programModuleEntry(
            QStringLiteral("haltrix_xlsx"), workbook::kXlsxWriterEntry, failure))) {
        const std::optional<std::string> reason = entry()(book, pathForCore(path));
        if (!reason)
            return true;
        failure = QString::fromStdString(*reason);
    }
    messages.showMessage(parent,
                         QStringLiteral("%1 を書けませんでした。\n%2")
                             .arg(QDir::toNativeSeparators(path), failure),
                         QMessageBox::Warning);
    return false;
}

} // namespace haltrix::gui
