#include "print_interaction.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "message_notifier.h"

namespace haltrix::gui {

bool SystemPrintInteraction::choosePrinter(QPrinter& printer, QWidget* parent) {
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
