// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/design_file_commands.h"

#include <QFileInfo>
#include <QSettings>

#include "core_path.h"
#include "document/design_document.h"
#include "files/design_file.h"
#include "document/file_dialogs.h"
#include "platform/message_sink.h"
#include "document/recent_designs.h"
#include "document/recent_designs_menu.h"
#include "document/save_prompt.h"

namespace haltrix::gui {

DesignFileCommands::DesignFileCommands(DesignDocument& document, FileDialogs& dialogs,
                                       MessageSink& messages, SavePrompt& savePrompt,
                                       SettingsOpener openSettings, QWidget& window)
    : QObject(&window), m_document(document), m_dialogs(dialogs), m_messages(messages),
      m_savePrompt(savePrompt), m_openSettings(std::move(openSettings)), m_window(window) {}

bool DesignFileCommands::maybeSave() {
    if (m_settlePendingEdits && !m_settlePendingEdits())
        return false;
    if (!m_document.isModified())
        return true;
    const QString name =
        m_document.fileName().isEmpty() ? QString() : QFileInfo(m_document.fileName()).fileName();
    switch (m_savePrompt.askToSave(&m_window, name)) {
    case SaveAnswer::Save:
        return saveDesign();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void DesignFileCommands::startNewDesign() {
    DesignInputs fresh;
    fresh.unitSystem = m_document.inputs().unitSystem;
    m_document.load(fresh, QString());
}

QString DesignFileCommands::askForDesignToOpen() {
    // A design kept under a name without ".tvx" (written by hand, or before
    // 名前を付けて保存 added it) is found with the second filter.
    return m_dialogs.getOpenFileName(&m_window, QStringLiteral("開く"),
                                     QStringLiteral("Haltrix(*.tvx);;すべてのファイル (*)"),
                                     dialogFolder());
}

bool DesignFileCommands::openDesignFile(const QString& path) {
    // The design changes only when the whole file was read; a failed Open
    // leaves the design and the current file name as they were. A pipe or a
    // device is refused before it is opened, so reading it cannot block.
    DesignInputs read;
    auto error = refuseIrregularFile(pathForCore(path));
    if (!error)
        error = readDesignFile(pathForCore(path), read);
    if (error) {
        m_messages.showMessage(&m_window, QString::fromStdString(error->message()),
                               QMessageBox::Warning);
        return false;
    }
    m_document.load(read, path);
    rememberRecentDesign(path);
    return true;
}

bool DesignFileCommands::writeDesign(const QString& path) {
    if (const auto error = writeDesignFile(pathForCore(path), m_document.inputs())) {
        m_messages.showMessage(&m_window, QString::fromStdString(error->message()),
                               QMessageBox::Warning);
        return false;
    }
    return true;
}

bool DesignFileCommands::saveDesign() {
    if (m_document.fileName().isEmpty())
        return saveDesignAs();
    if (!writeDesign(m_document.fileName()))
        return false;
    m_document.markSaved(m_document.fileName());
    rememberRecentDesign(m_document.fileName());
    return true;
}

bool DesignFileCommands::saveDesignAs() {
    const QString start = m_document.fileName().isEmpty() ? dialogFolder() : m_document.fileName();
    QString path = m_dialogs.getSaveFileName(&m_window, QStringLiteral("名前を付けて保存"),
                                             QStringLiteral("Haltrix (*.tvx)"), start,
                                             QStringLiteral("tvx"));
    if (path.isEmpty())
        return false;
    // "zero" becomes "zero.tvx", which the open dialog's first filter shows
    // (a dialog that does not add the suffix itself leaves it to this).
    if (QFileInfo(path).suffix().isEmpty() && !path.endsWith(QLatin1Char('.')))
        path += QStringLiteral(".tvx");
    // The name becomes the current one once the file is written; a failed
    // write keeps the previous name.
    if (!writeDesign(path))
        return false;
    m_document.markSaved(path);
    rememberRecentDesign(path);
    return true;
}

void DesignFileCommands::rememberRecentDesign(const QString& path) {
    const auto settings = m_openSettings();
    const QStringList recent = addRecentDesign(*settings, path);
    settings->setValue(kLastFolderKey, QFileInfo(path).absolutePath());
    if (m_recent)
        m_recent->show(recent);
}

void DesignFileCommands::showRecentDesigns() {
    if (m_recent)
        m_recent->show(readRecentDesigns(*m_openSettings()));
}

QString DesignFileCommands::dialogFolder() const {
    if (!m_document.fileName().isEmpty())
        return QFileInfo(m_document.fileName()).absolutePath();
    return m_openSettings()->value(kLastFolderKey).toString();
}

} // namespace haltrix::gui
