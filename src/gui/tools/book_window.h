// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "document/save_prompt.h"
#include "findings/clear_spacing_rule.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSettings;

namespace haltrix::gui {

class FileDialogs;
class MessageSink;

// The child window "計算書の作成" (frmBook): the design files of a
// calculation book in their order (lstDesigns; 追加 through the file dialog
// with several files at once, or files dropped on the window; 削除, 上へ,
// 下へ), the title fields (表題, 工事名 and 設計者, the last two shared with
// the print window's, and the date), 形状図を含める, and 作成, which asks
// where to save and writes the book, counting the designs in a progress
// dialog that can cancel. A list with a file that cannot be read writes
// nothing and says which; a cancelled or failed book leaves no file behind.
// The list stays as it is either way.
class BookWindow : public QWidget {
    Q_OBJECT

public:
    // `spacingRule` gives the warnings' minimum clear spacing rule in force.
    // The services must outlive the window.
    BookWindow(FileDialogs& fileDialogs, MessageSink& messages,
               std::function<ClearSpacingRule()> spacingRule, QWidget* parent = nullptr);
    ~BookWindow() override;

    // The design files in the book's order.
    QStringList designFiles() const;
    void addDesignFiles(const QStringList& files);

    // Where the title fields and the sketch choice are remembered: reads
    // them now and writes every later change.
    using SettingsOpener = std::function<std::unique_ptr<QSettings>()>;
    void rememberChoicesIn(SettingsOpener openSettings);

    // The design open in the main window: its file (empty: none), whether
    // it has unsaved changes, how to save it (false: not saved) and the
    // question before a book is made from its old version.
    struct OpenDesign {
        std::function<QString()> fileName;
        std::function<bool()> modified;
        std::function<bool()> save;
        std::function<SaveAnswer(const QString& fileName)> askToSave;
    };
    void followOpenDesign(OpenDesign design);

    // Writes the book to `path`; false when nothing was written (an
    // unreadable file, cancelled, failed), after saying why.
    bool makeBook(const QString& path);

    // Marks the open design in the list when it has unsaved changes.
    void refreshMarks();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Esc closes the window wherever the focus is inside it, as in a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addThroughDialog();
    void removeSelected();
    void moveSelected(int step);
    void chooseFileAndMake();
    void updateButtons();
    void saveChoices();
    // Saves the open design first when the user wants; false: stop.
    bool settleUnsavedDesign();
    bool isOpenDesign(const QString& file) const;

    FileDialogs& m_fileDialogs;
    MessageSink& m_messages;
    std::function<ClearSpacingRule()> m_spacingRule;
    SettingsOpener m_openSettings;
    OpenDesign m_openDesign;

    QListWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_project = nullptr;
    QLineEdit* m_designer = nullptr;
    QLineEdit* m_date = nullptr;
    QCheckBox* m_sketches = nullptr;
    QCheckBox* m_quantities = nullptr;
    QPushButton* m_make = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace haltrix::gui
