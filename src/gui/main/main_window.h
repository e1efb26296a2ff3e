// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>

#include "help/about_box.h"
#include "platform/child_windows.h"
#include "findings/clear_spacing_rule.h"
#include "document/design_file_commands.h"
#include "design/unit_system.h"

class QAction;
class QLabel;
class QMdiArea;
class QSettings;
class QTimer;

namespace haltrix {
class Notifier;
}

namespace haltrix::gui {

class ChildWindowRegistry;
class ConversionConfirmation;
class DesignDocument;
class FileDialogs;
class HelpWindow;
class MessageSink;
class PrintInteraction;
class RecentDesignsMenu;
class SavePrompt;
class UnitSwitch;

// What the status bar says when the unit switch changes the unit system of a
// design that holds values: the switch converts nothing.
inline constexpr const char* kUnitSwitchNotConvertedMessage =
    "単位系を切り替えました（入力値は変換していません。変換は ﾂｰﾙ → 単位系の変換）";

// How long a status-bar message stays, in milliseconds.
inline constexpr int kStatusMessageMs = 15000;

// What the main window uses from outside; tests replace each of them.
struct MainWindowServices {
    FileDialogs* fileDialogs = nullptr; // null: the Qt file dialogs
    MessageSink* messages = nullptr;    // null: message boxes
    SavePrompt* savePrompt = nullptr;   // null: the question in a message box
    // INI file that keeps the window placement, the recent designs and the
    // warnings' spacing rule; empty: the per-user settings of the
    // application "Haltrix".
    QString settingsFile;
    // Asks for the minimum clear spacing rule (nothing: cancelled); null: the
    // dialog "鉄筋のあき".
    std::function<std::optional<ClearSpacingRule>(const ClearSpacingRule&, QWidget*)>
        askClearSpacing;
    // What the About box reads and starts; its messages go to `messages`
    // unless it names its own sink.
    AboutBoxServices about;
    // Asks before the design is converted to the other unit system; null:
    // the dialog.
    ConversionConfirmation* conversionConfirmation = nullptr;
};

// The main window "Haltrix": a multiple-document window with the menus, the
// status bar and the child windows. It holds the unit-system choice, opens
// the twin of each window that the choice selects, reads and writes design
// files and remembers its own placement.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    using Services = MainWindowServices;

    // Creates the result window of a unit system. The main window names it
    // (resultWindowName) and shows it as a child window.
    using ResultWindowFactory = std::function<QWidget*(UnitSystem twin)>;
    using ChildFactory = std::function<QWidget*()>;

    // The main window owns the design document every window reads.
    explicit MainWindow(Services services = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    DesignDocument& document() { return *m_document; }
    MessageSink& messages() { return *m_messages; }
    // Where the calculation windows send the engine's message: the message
    // sink, as a box over this window.
    Notifier& calculationMessages() { return *m_calculationMessages; }
    QMdiArea* mdiArea() const { return m_mdi; }
    ChildWindowRegistry& children() { return *m_children; }

    void setResultWindowFactory(ResultWindowFactory factory, ChildFrame frame = ChildFrame::Fixed);

    // Shows the child window `name`: an open (or hidden) one is only shown
    // and brought to the front; otherwise `create` makes it, it is given the
    // object name and shown. Returns the window's form, or null when `create`
    // made none.
    QWidget* showChildWindow(const QString& name, const ChildFactory& create, ChildFrame frame);
    // The form of an open (or hidden) child window, or null.
    QWidget* childWindow(const QString& name) const;
    // Moves, or shrinks if it can, a child window into the visible area.
    void keepInsideArea(QMdiSubWindow* sub) const;
    // Closes (destroys) a child window if it is open.
    void closeChildWindow(const QString& name);

    // The settings the program keeps (the placement, the print choices).
    std::unique_ptr<QSettings> openSettings() const;

    // Opens the design file `path` as 開く does once its dialog has given
    // the path: something that is not a regular file is refused unopened, and
    // a file that cannot be read leaves the design and the current file name
    // as they were and says why. False when nothing was opened. It does not
    // ask about unsaved changes (openOtherDesign does).
    bool openDesignFile(const QString& path);
    // Opens `path` in place of the design held now, after asking about its
    // unsaved changes: a dropped file and a recent design.
    void openOtherDesign(const QString& path);

    // True when OK, or a unit switch, left inputs that differ from those
    // last opened, saved or started with 新規作成.
    bool isDesignModified() const;

    // Menu commands. The saves return true when the file was written.
    void newDesign();
    void openDesign();
    bool saveDesign();
    bool saveDesignAs();
    void exitProgram();
    void showInputForm();
    void showResults();
    void useGravitationalUnits();
    void useSIUnits();
    // Converts the design's inputs to the other unit system after the
    // confirmation; writes no file.
    void convertUnits();
    void showSensitivity();
    // ﾌｧｲﾙ → 計算書の作成: the window that binds many designs into one book.
    void showBookWindow();
    void showAboutBox();
    // 目次: shows the manual's window (one for the whole run); ﾄﾋﾟｯｸの検索:
    // the same with the cursor in its search line.
    HelpWindow* showManual();
    void searchManual();
    // ﾂｰﾙ → 鉄筋のあき: asks for the spacing rule, keeps it in the settings
    // and hands it to the windows through the design context.
    void chooseClearSpacing();

protected:
    // Saves the placement unless minimized and closes the child windows.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A single local file dropped on the window opens as a design.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createActions();
    void createStatusBar();
    void readSettings();
    void writeSettings();
    void fitOuterSize();
    void updateClock();
    // What the windows do once another design is held: the input forms show
    // it, the one of its units in front.
    void showReplacedDesign();
    void updateTitle();
    bool showsModifiedMark() const;
    void discardResultWindows();
    QSize subWindowFrameExtra() const;
    QSize firstStartOuterSize() const;
    void placeNewChild(const QString& name, QMdiSubWindow* sub);
    void setUnitSystem(std::int32_t unitSystem);
    bool settleFormEdits();
    void refreshInputForms();
    bool closeInputFormOfOtherUnits();

    DesignDocument* m_document;
    std::unique_ptr<FileDialogs> m_ownFileDialogs;
    FileDialogs* m_fileDialogs;
    MessageSink* m_messages;
    std::unique_ptr<SavePrompt> m_ownSavePrompt;
    SavePrompt* m_savePrompt;
    std::unique_ptr<ConversionConfirmation> m_ownConfirmation;
    ConversionConfirmation* m_confirmation;
    std::unique_ptr<Notifier> m_calculationMessages;
    QString m_settingsFile;
    std::function<std::optional<ClearSpacingRule>(const ClearSpacingRule&, QWidget*)>
        m_askClearSpacing;
    AboutBox::Services m_aboutServices;

    QMdiArea* m_mdi = nullptr;
    ChildWindowRegistry* m_children = nullptr;
    DesignFileCommands* m_files = nullptr;
    UnitSwitch* m_unitSwitch = nullptr;
    ResultWindowFactory m_resultFactory;
    ChildFrame m_resultFrame = ChildFrame::Fixed;

    QPointer<HelpWindow> m_help;

    QLabel* m_date = nullptr;
    QLabel* m_time = nullptr;
    QTimer* m_clock = nullptr;

    // The outer rectangle read from the settings; the client size is fitted
    // to it once the window frame is known.
    QRect m_outerFrame;
    bool m_fitOuterSize = false;
    // The client size fitOuterSize asked for, until the window has it: the
    // windows opened before then were placed in a larger area.
    QSize m_settlingSize;
};

// Gives the main window its result windows: the calculation command opens
// frm_calc or frm_calc_si (the calculation's message goes to the main
// window's message sink), and their "印刷" opens the print window.
// `printing` answers the print dialog of those print windows; null: the
// system's dialog. It must outlive the main window.
void installCalculationWindows(MainWindow& mainWindow, PrintInteraction* printing = nullptr);

} // namespace haltrix::gui
