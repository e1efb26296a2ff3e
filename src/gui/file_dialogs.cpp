// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_dialogs.h"

#include <QFileDialog>

namespace haltrix::gui {

namespace {

QString runDialog(QWidget* parent, const QString& title, const QString& filter,
                  QFileDialog::AcceptMode mode, const QString& start,
                  const QString& defaultSuffix = QString()) {
    QFileDialog dialog(parent, title, start, filter);
    dialog.setDefaultSuffix(defaultSuffix);
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
                                       const QString& filter, const QString& start) {
    return runDialog(parent, title, filter, QFileDialog::AcceptOpen, start);
}

QString QtFileDialogs::getSaveFileName(QWidget* parent, const QString& title,
                                       const QString& filter, const QString& start,
                                       const QString& defaultSuffix) {
    return runDialog(parent, title, filter, QFileDialog::AcceptSave, start, defaultSuffix);
}

} // namespace haltrix::gui
