// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_dialogs.h"

#include <QFileDialog>

namespace haltrix::gui {

namespace {

QString runDialog(QWidget* parent, const QString& title, const QString& filter,
                  QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setObjectName("dlgCommonDialog");
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

} // namespace

QString QtFileDialogs::getOpenFileName(QWidget* parent, const QString& title,
                                       const QString& filter) {
    return runDialog(parent, title, filter, QFileDialog::AcceptOpen);
}

QString QtFileDialogs::getSaveFileName(QWidget* parent, const QString& title,
                                       const QString& filter) {
    return runDialog(parent, title, filter, QFileDialog::AcceptSave);
}

} // namespace haltrix::gui
