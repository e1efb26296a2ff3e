// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/print_interaction.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "findings/design_warnings.h"
#include "platform/message_notifier.h"

namespace haltrix::gui {

bool PrintInteraction::confirmPrintDespiteWarning(QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kApplicationTitle),
                    QString::fromUtf8(kPrintDespiteWarningQuestion), QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

bool SystemPrintInteraction::choosePrinter(QPrinter& printer, QWidget* parent) {
#ifdef Q_OS_WIN
    // Windows' print dialog offers installed printers only; without one Qt
    // shows no dialog at all, so the user is told instead of seeing nothing.
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        printingFailed(QStringLiteral("印刷できるプリンターがありません。Windows の設定でプリンター"
                                      "(Microsoft Print to PDF など)を追加してください。"),
                       parent);
        return false;
    }
#endif
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

void SystemPrintInteraction::printingFailed(const QString& message, QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kApplicationTitle), message,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace haltrix::gui
