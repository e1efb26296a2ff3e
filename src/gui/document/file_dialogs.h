// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace haltrix::gui {

// The common file dialog of the main window, behind an interface so that
// tests can answer it. Each call returns the chosen path, or an empty string
// when the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // `start`: the folder the dialog opens in, or a file there whose name the
    // save dialog fills in; empty: the dialog's own choice.
    virtual QString getOpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& start = QString()) = 0;
    // No overwrite prompt. `defaultSuffix` ("tvx", without the point) is
    // added to a name typed without an extension; empty: a name is used as
    // typed.
    virtual QString getSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& start = QString(),
                                    const QString& defaultSuffix = QString()) = 0;
    // Several existing files at once, in the order chosen; empty when
    // cancelled. By default the one-file dialog.
    virtual QStringList getOpenFileNames(QWidget* parent, const QString& title,
                                         const QString& filter);
    // Where to write a new document: the dialog asks before replacing a file,
    // and `suffix` (without the dot) is added to a name typed without one.
    // By default the save dialog above. `start` as for the save dialog.
    virtual QString getExportFileName(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& suffix, const QString& start = QString());
};

// Where a dialog opens for `start` (a folder, or a file there; empty when
// there is no design folder yet): `start` itself, but never the program's own
// folder or one inside it, which an installed copy cannot write to. Those, and
// an empty start, give `documents` (with the file's name for a file).
QString dialogStart(const QString& start, const QString& programFolder, const QString& documents);

// The user's documents folder, or the home folder where there is none.
QString documentsFolder();

// QFileDialog, object name "dlgCommonDialog", opened where dialogStart() says
// for this program's folder and the user's documents.
class QtFileDialogs : public FileDialogs {
public:
    QString getOpenFileName(QWidget* parent, const QString& title, const QString& filter,
                            const QString& start = QString()) override;
    QString getSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                            const QString& start = QString(),
                            const QString& defaultSuffix = QString()) override;
    QStringList getOpenFileNames(QWidget* parent, const QString& title,
                                 const QString& filter) override;
    QString getExportFileName(QWidget* parent, const QString& title, const QString& filter,
                              const QString& suffix, const QString& start = QString()) override;
};

} // namespace haltrix::gui
