// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace haltrix::gui {

// The common file dialog of the main window, behind an interface so that
// tests can answer it. Each call returns the chosen path, or an empty string
// when the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString getOpenFileName(QWidget* parent, const QString& title,
                                    const QString& filter) = 0;
    // No overwrite prompt and no default suffix: a name typed without an
    // extension is used as typed.
    virtual QString getSaveFileName(QWidget* parent, const QString& title,
                                    const QString& filter) = 0;
};

// QFileDialog, object name "dlgCommonDialog".
class QtFileDialogs : public FileDialogs {
public:
    QString getOpenFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString getSaveFileName(QWidget* parent, const QString& title, const QString& filter) override;
};

} // namespace haltrix::gui
