// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

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

QStringList FileDialogs::getOpenFileNames(QWidget* parent, const QString& title,
                                          const QString& filter) {
    const QString file = getOpenFileName(parent, title, filter);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

QString FileDialogs::getExportFileName(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& suffix, const QString& start) {
    const QString file = getSaveFileName(parent, title, filter, start, suffix);
    if (file.isEmpty() || !QFileInfo(file).suffix().isEmpty())
        return file;
    return file + QLatin1Char('.') + suffix;
}

QString QtFileDialogs::getOpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& start) {
    return runDialog(parent, title, filter, QFileDialog::AcceptOpen, start);
}

QString QtFileDialogs::getSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& start, const QString& defaultSuffix) {
    return runDialog(parent, title, filter, QFileDialog::AcceptSave, start, defaultSuffix);
}

QStringList QtFileDialogs::getOpenFileNames(QWidget* parent, const QString& title,
                                            const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setObjectName("dlgCommonDialog");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString QtFileDialogs::getExportFileName(QWidget* parent, const QString& title,
                                         const QString& filter, const QString& suffix,
                                         const QString& start) {
    QFileDialog dialog(parent, title, start, filter);
    dialog.setObjectName("dlgCommonDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    // A name typed without an extension takes the one of the type chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& chosen) {
                         const qsizetype at = chosen.indexOf(QLatin1String("(*."));
                         const qsizetype end = chosen.indexOf(QLatin1Char(')'), at);
                         if (at >= 0 && end > at + 3)
                             dialog.setDefaultSuffix(chosen.mid(at + 3, end - at - 3));
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace haltrix::gui
