// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QSettings;
class QWidget;

namespace haltrix::gui {

// The settings key of the folder a design was last opened from or saved to.
inline constexpr const char* kLastFolderKey = "Settings/LastFolder";

class DesignDocument;
class FileDialogs;
class MessageSink;
class RecentDesignsMenu;
class SavePrompt;

// The design file's life cycle, as Qt's own examples have it: open, save,
// save as, a new design, the question before a modified design is replaced
// (maybeSave) and the recent designs. It reads and writes the document's
// inputs and file name; what the windows do about a replaced design is the
// main window's.
class DesignFileCommands : public QObject {
public:
    using SettingsOpener = std::function<std::unique_ptr<QSettings>()>;

    DesignFileCommands(DesignDocument& document, FileDialogs& dialogs, MessageSink& messages,
                       SavePrompt& savePrompt, SettingsOpener openSettings, QWidget& window);

    void setRecentDesignsMenu(RecentDesignsMenu* menu) { m_recent = menu; }
    // Settles edits a window holds that are not yet in the document (the
    // input form's, before OK): false when the user cancelled. Asked first
    // by maybeSave.
    void setPendingEdits(std::function<bool()> settle) { m_settlePendingEdits = std::move(settle); }

    // Settles pending edits, then asks whether to save a modified design;
    // false when the user cancelled or the save failed, so the caller must
    // stop.
    bool maybeSave();
    // The empty design in the units of the one held now, counted as saved.
    void startNewDesign();
    // The path the open dialog gives (after maybeSave), or empty.
    QString askForDesignToOpen();
    // Reads `path` into the document; a file that cannot be read, or
    // something that is not a regular file, leaves the document as it was
    // and says why. False when nothing was opened.
    bool openDesignFile(const QString& path);
    bool saveDesign();
    bool saveDesignAs();
    // Where the file dialogs open: the current design's folder, else the one
    // last opened from or saved to.
    QString dialogFolder() const;
    // The recent designs as they now stand, in their menu.
    void showRecentDesigns();

private:
    bool writeDesign(const QString& path);
    void rememberRecentDesign(const QString& path);

    DesignDocument& m_document;
    std::function<bool()> m_settlePendingEdits;
    FileDialogs& m_dialogs;
    MessageSink& m_messages;
    SavePrompt& m_savePrompt;
    SettingsOpener m_openSettings;
    QWidget& m_window;
    RecentDesignsMenu* m_recent = nullptr;
};

} // namespace haltrix::gui
