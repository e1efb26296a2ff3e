// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/file_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace haltrix::gui {

QString dialogStart(const QString& start, const QString& programFolder, const QString& documents) {
    if (start.isEmpty())
        return documents;
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity caseSensitivity = Qt::CaseSensitive;
#endif
    const QString path = QDir::cleanPath(QFileInfo(start).absoluteFilePath());
    const QString program = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    const bool inProgram = path.compare(program, caseSensitivity) == 0 ||
                           path.startsWith(program + QLatin1Char('/'), caseSensitivity);
    if (!inProgram)
        return start;
    const QFileInfo info(path);
    if (info.isDir() || path.compare(program, caseSensitivity) == 0)
        return documents;
    return QDir(documents).filePath(info.fileName());
}

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

namespace {

QString startFor(const QString& start) {
    return dialogStart(start, QCoreApplication::applicationDirPath(), documentsFolder());
}

QString runDialog(QWidget* parent, const QString& title, const QString& filter,
                  QFileDialog::AcceptMode mode, const QString& start,
                  const QString& defaultSuffix = QString()) {
    QFileDialog dialog(parent, title, startFor(start), filter);
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
    QFileDialog dialog(parent, title, startFor(QString()), filter);
    dialog.setObjectName("dlgCommonDialog");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString QtFileDialogs::getExportFileName(QWidget* parent, const QString& title,
                                         const QString& filter, const QString& suffix,
                                         const QString& start) {
    QFileDialog dialog(parent, title, startFor(start), filter);
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
