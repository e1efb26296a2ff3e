// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "tools/book_window.h"
#include "calculation/calculation_windows.h"
#include "platform/child_window_registry.h"
#include "tools/clear_spacing_dialog.h"
#include "tools/clear_spacing_settings.h"
#include "tools/ifc_export_dialog.h"
#include "document/design_document.h"
#include "document/file_dialogs.h"
#include "document/workbook_export.h"
#include "help/help_window.h"
#include "forms/input_form.h"
#include "platform/message_notifier.h"
#include "platform/message_sink.h"
#include "design/notifier.h"
#include "document/recent_designs_menu.h"
#include "calculation/result_window.h"
#include "document/save_prompt.h"
#include "tools/sensitivity_window.h"
#include "calculation/sketch_companions.h"
#include "main/unit_switch.h"
#include "platform/twips.h"
#include "platform/window_names.h"
#include "studies/unit_conversion.h"
#include "tools/unit_conversion_dialog.h"
#include "platform/window_placement.h"

namespace haltrix::gui {

MainWindow::MainWindow(Services services, QWidget* parent)
    : QMainWindow(parent), m_document(new DesignDocument(this)),
      m_fileDialogs(services.fileDialogs),
      m_messages(services.messages ? services.messages : &defaultMessageSink()),
      m_savePrompt(services.savePrompt), m_confirmation(services.conversionConfirmation),
      m_calculationMessages(std::make_unique<SinkNotifier>(*m_messages, this)),
      m_settingsFile(std::move(services.settingsFile)),
      m_askClearSpacing(std::move(services.askClearSpacing)),
      m_aboutServices(std::move(services.about)) {
    if (!m_askClearSpacing)
        m_askClearSpacing = askClearSpacingRule;
    if (!m_fileDialogs) {
        m_ownFileDialogs = std::make_unique<QtFileDialogs>();
        m_fileDialogs = m_ownFileDialogs.get();
    }
    if (!m_savePrompt) {
        m_ownSavePrompt = std::make_unique<MessageBoxSavePrompt>();
        m_savePrompt = m_ownSavePrompt.get();
    }
    if (!m_confirmation) {
        m_ownConfirmation = std::make_unique<DialogConversionConfirmation>();
        m_confirmation = m_ownConfirmation.get();
    }
    setObjectName("frmMain");
    setAcceptDrops(true);
    setWindowTitle(QString::fromUtf8(kApplicationTitle));

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName("mdiArea");
    // A child window larger than the area stays reachable.
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    m_children = new ChildWindowRegistry(
        *m_mdi, [this](const QString& name, QMdiSubWindow* sub) { placeNewChild(name, sub); },
        this);
    m_files = new DesignFileCommands(*m_document, *m_fileDialogs, *m_messages, *m_savePrompt,
                                     [this] { return openSettings(); }, *this);
    m_files->setPendingEdits([this] { return settleFormEdits(); });

    createActions();
    createStatusBar();

    readSettings();
    // The design the program starts with: empty, in SI, counted as saved.
    DesignInputs start;
    start.unitSystem = kUnitSI;
    m_document->load(start, QString());
    connect(m_document, &DesignDocument::modifiedChanged, this, &MainWindow::updateTitle);
    connect(m_document, &DesignDocument::fileNameChanged, this, &MainWindow::updateTitle);
}

MainWindow::~MainWindow() = default;

void MainWindow::createActions() {
    QMenuBar* bar = menuBar();
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };
    auto unavailable = [](QAction* action) { action->setEnabled(false); };

    QMenu* file = bar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName("mnuFile");
    QAction* fileNew = addItem(file, "mnuFileNew", QStringLiteral("新規作成(&N)"));
    fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* open = addItem(file, "mnuFileOpen", QStringLiteral("開く(&O)..."));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* close = addItem(file, "mnuFileClose", QStringLiteral("閉じる(&C)"));
    // Closes the active child window; there is none at first.
    unavailable(close);
    addSeparator(file, "mnuFileBar0");
    QAction* save = addItem(file, "mnuFileSave", QStringLiteral("上書き保存(&S)"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* saveAs = addItem(file, "mnuFileSaveAs", QStringLiteral("名前を付けて保存(&A)..."));
    addSeparator(file, "mnuFileBar1");
    QAction* book = addItem(file, "mnuFileBook", QStringLiteral("計算書の作成(&B)..."));
    QAction* ifc = addItem(file, "mnuFileIfc", QStringLiteral("IFC出力(&I)..."));
    QAction* excel = addItem(file, "mnuFileExcel", QStringLiteral("Excel出力(&X)..."));
    addSeparator(file, "mnuFileBar2");
    QAction* exit = addItem(file, "mnuFileExit", QStringLiteral("終了(&X)"));
    auto* recent = new RecentDesignsMenu(file, exit, this);
    m_files->setRecentDesignsMenu(recent);

    auto* datain = new QAction(QStringLiteral("ﾃﾞｰﾀ入力(&D)"), this);
    datain->setObjectName("mnudatain");
    bar->addAction(datain);
    auto* calc = new QAction(QStringLiteral("計算実行(&C)"), this);
    calc->setObjectName("mnuCalc");
    bar->addAction(calc);

    QMenu* tools = bar->addMenu(QStringLiteral("ﾂｰﾙ(&T)"));
    tools->setObjectName("mnuTools");
    QMenu* options = tools->addMenu(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)..."));
    options->setObjectName("mnuToolsOptions");
    m_unitSwitch = new UnitSwitch(*m_document, *options, this);
    QAction* clearSpacing =
        addItem(tools, "mnuToolsClearSpacing", QStringLiteral("鉄筋のあき(&S)..."));
    addSeparator(tools, "mnuToolsBar0");
    QAction* convertUnits =
        addItem(tools, "mnuToolsConvertUnits", QStringLiteral("単位系の変換(&U)..."));
    QAction* sensitivity = addItem(tools, "mnuToolsSensitivity", QStringLiteral("感度(&K)..."));

    QMenu* help = bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName("mnuHelp");
    QAction* contents = addItem(help, "mnuHelpContents", QStringLiteral("目次(&C)"));
    contents->setShortcut(QKeySequence::HelpContents);
    QAction* search = addItem(help, "mnuHelpSearchForHelpOn", QStringLiteral("ﾄﾋﾟｯｸの検索(&S)..."));
    addSeparator(help, "mnuHelpBar0");
    QAction* about = addItem(help, "mnuHelpAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));

    connect(fileNew, &QAction::triggered, this, &MainWindow::newDesign);
    connect(open, &QAction::triggered, this, &MainWindow::openDesign);
    connect(close, &QAction::triggered, this, [this] {
        if (QMdiSubWindow* active = m_mdi->activeSubWindow())
            active->close();
    });
    connect(m_mdi, &QMdiArea::subWindowActivated, close,
            [close](QMdiSubWindow* active) { close->setEnabled(active != nullptr); });
    connect(save, &QAction::triggered, this, &MainWindow::saveDesign);
    connect(saveAs, &QAction::triggered, this, &MainWindow::saveDesignAs);
    connect(book, &QAction::triggered, this, &MainWindow::showBookWindow);
    connect(excel, &QAction::triggered, this, [this] {
        // The title block the print window remembers.
        const std::unique_ptr<QSettings> settings = openSettings();
        exportWorkbook(this, *m_document, *m_fileDialogs, *m_messages,
                       settings->value(QStringLiteral("Print/Project")).toString(),
                       settings->value(QStringLiteral("Print/Designer")).toString());
    });
    connect(ifc, &QAction::triggered, this,
            [this] { exportDesignAsIfc(this, *m_document, *m_fileDialogs, *m_messages); });
    connect(exit, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(datain, &QAction::triggered, this, &MainWindow::showInputForm);
    connect(calc, &QAction::triggered, this, &MainWindow::showResults);
    connect(m_unitSwitch, &UnitSwitch::unitSystemChosen, this, &MainWindow::setUnitSystem);
    connect(contents, &QAction::triggered, this, &MainWindow::showManual);
    connect(search, &QAction::triggered, this, &MainWindow::searchManual);
    connect(convertUnits, &QAction::triggered, this, &MainWindow::convertUnits);
    connect(sensitivity, &QAction::triggered, this, &MainWindow::showSensitivity);
    connect(about, &QAction::triggered, this, &MainWindow::showAboutBox);
    connect(clearSpacing, &QAction::triggered, this, &MainWindow::chooseClearSpacing);
    // Whether a recent design's file is still there is looked at each time.
    connect(file, &QMenu::aboutToShow, m_files, &DesignFileCommands::showRecentDesigns);
    connect(recent, &RecentDesignsMenu::designChosen, this, &MainWindow::openOtherDesign);
}

void MainWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("sbStatusBar");
    bar->setSizeGripEnabled(true);
    auto panel = [bar](const char* name, const QString& text) {
        auto* label = new QLabel(text, bar);
        label->setObjectName(QLatin1String(name));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        return label;
    };
    bar->addWidget(panel("sbStatusBarText", QStringLiteral("ｽﾃｰﾀｽ")), 1);
    m_date = panel("sbStatusBarDate", QString());
    m_time = panel("sbStatusBarTime", QString());
    bar->addPermanentWidget(m_date);
    bar->addPermanentWidget(m_time);

    m_clock = new QTimer(this);
    m_clock->setSingleShot(true);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::updateClock);
    updateClock();
}

void MainWindow::updateClock() {
    // Explicit formats: the panels read the same whatever the locale.
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(now.date().toString(QStringLiteral("yyyy/MM/dd")));
    m_time->setText(now.time().toString(QStringLiteral("H:mm")));
    // Next update just after the minute turns.
    const int msIntoMinute = now.time().second() * 1000 + now.time().msec();
    m_clock->start(60000 - msIntoMinute + 50);
}

std::unique_ptr<QSettings> MainWindow::openSettings() const {
    if (!m_settingsFile.isEmpty())
        return std::make_unique<QSettings>(m_settingsFile, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Haltrix"), QStringLiteral("Haltrix"));
}

void MainWindow::readSettings() {
    const auto settings = openSettings();
    m_document->setSpacingRule(readClearSpacingRule(*settings));
    const Placement placement = readPlacement(*settings);
    const double dpi = logicalDpiOf(nullptr);
    QRect frame = placementToPixels(placement, dpi);
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!placementStored(*settings) && primary) {
        // First start: room for the input form and the result window side
        // by side, as far as the screen allows.
        const QRect available = primary->availableGeometry();
        frame = firstStartFrame(firstStartOuterSize(), available);
    } else {
        QList<QRect> screens;
        for (const QScreen* screen : QGuiApplication::screens())
            screens.append(screen->geometry());
        if (primary)
            frame = keepOnScreens(frame, screens, primary->availableGeometry());
    }
    m_outerFrame = frame;
    m_fitOuterSize = true;
    // move() places the outer frame; the size is the client's until the
    // frame is known (fitOuterSize).
    move(frame.topLeft());
    resize(frame.size());
}

// The frame QMdiSubWindow draws around a fixed child window: its border on
// three sides and the title bar on top.
QSize MainWindow::subWindowFrameExtra() const {
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {2 * border, title + border};
}

// The outer size that shows the input form, the result window and the
// form's sketch side by side, each in its frame, with the menu bar, the
// status bar and an allowance for the window manager's title bar and
// borders. The caller fits it into the screen; the sketch gives way first.
QSize MainWindow::firstStartOuterSize() const {
    const double dpi = logicalDpiOf(nullptr);
    const QSize frame = subWindowFrameExtra();
    const QSize form = InputForm::clientSize(dpi) + frame;
    const QSize result = ResultWindow::clientSize(dpi) + frame;
    const int area = 2 * m_mdi->frameWidth();
    const QSize decoration(16, 40);
    const int sketch = form.height() * 3 / 2;
    return QSize(form.width() + result.width() + sketch + area,
                 std::max(form.height(), result.height()) + area + menuBar()->sizeHint().height() +
                     statusBar()->sizeHint().height()) +
           decoration;
}

void MainWindow::writeSettings() {
    if (isMinimized())
        return;
    const auto settings = openSettings();
    writePlacement(*settings, placementFromPixels(frameGeometry(), logicalDpiOf(this)));
    settings->sync();
}

void MainWindow::fitOuterSize() {
    if (!m_fitOuterSize || !isVisible() || windowState() != Qt::WindowNoState)
        return;
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    if (frameExtra.width() <= 0 && frameExtra.height() <= 0)
        return;
    // The frame is known now: make the outer rectangle the stored one.
    m_fitOuterSize = false;
    m_settlingSize = m_outerFrame.size() - frameExtra;
    resize(m_settlingSize);
    move(m_outerFrame.topLeft());
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    fitOuterSize();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    fitOuterSize();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitOuterSize();
    // Once the window has the size that leaves room for the window manager's
    // frame, the windows opened before (the form and its sketch, placed in
    // the larger area) are drawn in to fit, so that it needs no scroll bar.
    if (m_settlingSize.isValid() && size() == m_settlingSize) {
        m_settlingSize = QSize();
        for (QMdiSubWindow* sub : m_mdi->subWindowList())
            keepInsideArea(sub);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_files->maybeSave()) {
        event->ignore();
        return;
    }
    writeSettings();
    m_fitOuterSize = false;
    m_mdi->closeAllSubWindows();
    if (m_help)
        m_help->close();
    event->accept();
}

void MainWindow::setResultWindowFactory(ResultWindowFactory factory, ChildFrame frame) {
    m_resultFactory = std::move(factory);
    m_resultFrame = frame;
}

QWidget* MainWindow::childWindow(const QString& name) const {
    return m_children->form(name);
}

void MainWindow::closeChildWindow(const QString& name) {
    m_children->close(name);
}

QWidget* MainWindow::showChildWindow(const QString& name, const ChildFactory& create,
                                     ChildFrame frame) {
    return m_children->show(name, create, frame);
}

void MainWindow::keepInsideArea(QMdiSubWindow* sub) const {
    m_children->keepInsideArea(sub);
}

// Each child window opens at the same place every time: the input forms at
// the top left of the area, the result and print windows to their right.
// Other windows go where the area puts them.
void MainWindow::placeNewChild(const QString& name, QMdiSubWindow* sub) {
    for (const UnitSystem twin : {UnitSystem::Gravitational, UnitSystem::SI}) {
        if (name == inputFormName(twin)) {
            sub->move(0, 0);
            return;
        }
    }
    const bool results = name == resultWindowName(UnitSystem::Gravitational) ||
                         name == resultWindowName(UnitSystem::SI) ||
                         name == QLatin1String(kPrintWindowName);
    if (!results)
        return;
    int left = InputForm::clientSize(logicalDpiOf(this)).width() + subWindowFrameExtra().width();
    // The preview keeps the report's width on a small screen: it moves left
    // rather than shrink behind a scroll bar.
    if (name == QLatin1String(kPrintWindowName))
        left = std::max(0, std::min(left, m_mdi->viewport()->width() - sub->width()));
    sub->move(left, 0);
}

void MainWindow::showInputForm() {
    const UnitSystem twin = unitSystemOf(m_document->inputs().unitSystem);
    const QString name = inputFormName(twin);
    const InputFormProfile& profile = inputFormProfile(twin);
    QWidget* form = showChildWindow(
        name, [&] { return new InputForm(profile, *m_document, *m_messages); }, ChildFrame::Fixed);
    if (auto* inputForm = qobject_cast<InputForm*>(form))
        showInputSketch(*m_children, *m_document, *inputForm);
    closeChildWindow(resultWindowName(UnitSystem::Gravitational));
}

void MainWindow::showResults() {
    if (!m_resultFactory)
        return;
    const UnitSystem twin = unitSystemOf(m_document->inputs().unitSystem);
    showChildWindow(
        resultWindowName(twin), [&] { return m_resultFactory(twin); }, m_resultFrame);
}

void MainWindow::useGravitationalUnits() {
    findChild<QAction*>(QStringLiteral("mnuToolsOptions_jyu"))->trigger();
}

void MainWindow::useSIUnits() {
    findChild<QAction*>(QStringLiteral("mnuToolsOptions_si"))->trigger();
}

// The switch converts no value; the windows that show results still follow
// it, since the same numbers now mean other units. Where the design holds
// values, the status bar says so and points to the conversion.
void MainWindow::setUnitSystem(std::int32_t unitSystem) {
    if (m_document->inputs().unitSystem == unitSystem)
        return;
    // A design with numbers: convert them, read them in the other units, or
    // keep the units. The menu's mark follows what was done.
    if (holdsInputs(m_document->inputs())) {
        const UnitSwitchAnswer answer = m_savePrompt->askToConvertOnSwitch(
            this, QString::fromStdString(unitSystemName(unitSystem)));
        if (answer != UnitSwitchAnswer::SwitchOnly) {
            if (answer == UnitSwitchAnswer::Convert)
                convertUnits();
            m_unitSwitch->followDocument();
            return;
        }
    }
    // The form in view gives way to the other units' one, which takes over
    // what was typed, as unconverted as the stored inputs.
    std::optional<InputForm::TypedFields> typed;
    for (const UnitSystem twin : {UnitSystem::Gravitational, UnitSystem::SI}) {
        const auto* form = qobject_cast<InputForm*>(childWindow(inputFormName(twin)));
        if (form && form->isVisible())
            typed = form->typedFields();
    }
    DesignInputs switched = m_document->inputs();
    switched.unitSystem = unitSystem;
    m_document->setInputs(switched);
    if (closeInputFormOfOtherUnits()) {
        showInputForm();
        auto* form = qobject_cast<InputForm*>(
            childWindow(inputFormName(unitSystemOf(m_document->inputs().unitSystem))));
        if (form && typed)
            form->restoreTypedFields(*typed);
    }
    // Shown once the menu has closed: a closing menu clears the status bar.
    if (holdsInputs(m_document->inputs()))
        QTimer::singleShot(0, this, [this] {
            statusBar()->showMessage(QString::fromUtf8(kUnitSwitchNotConvertedMessage),
                                     kStatusMessageMs);
        });
}

// The input form's edits that OK has not stored, before the design is
// replaced or the program ends: stored as OK stores them, dropped, or the
// step cancelled (false).
bool MainWindow::settleFormEdits() {
    const UnitSystem twin = unitSystemOf(m_document->inputs().unitSystem);
    auto* form = qobject_cast<InputForm*>(childWindow(inputFormName(twin)));
    if (!form || !form->isVisible() || !form->hasUnconfirmedEdits())
        return true;
    switch (m_savePrompt->askToApplyFormEdits(this)) {
    case FormEditsAnswer::Apply:
        return form->storeInputs();
    case FormEditsAnswer::Discard:
        return true;
    case FormEditsAnswer::Cancel:
        break;
    }
    return false;
}

void MainWindow::convertUnits() {
    const std::int32_t to = otherUnitSystem(m_document->inputs().unitSystem);
    // A design that cannot be converted is told so before anything is asked.
    UnitConversion conversion;
    if (const auto reason = convertUnitSystem(m_document->inputs(), to, 0, conversion)) {
        m_messages->showMessage(this, QString::fromStdString(*reason), QMessageBox::Warning);
        return;
    }
    const std::optional<int> digits = m_confirmation->confirm(this, m_document->inputs(), to);
    if (!digits)
        return;
    if (const auto reason = convertUnitSystem(m_document->inputs(), to, *digits, conversion)) {
        m_messages->showMessage(this, QString::fromStdString(*reason), QMessageBox::Warning);
        return;
    }
    m_document->setInputs(conversion.design);
    refreshInputForms();
    statusBar()->showMessage(
        QString::fromStdString(unitSystemName(to)) +
            QStringLiteral("に変換しました（ファイルにはまだ保存していません）"),
        kStatusMessageMs);
}

// An open input form shows the design's inputs again; when one was in view,
// the form of the unit system now chosen comes to the front. Without it a
// form that is open (or hidden by キャンセル) would offer the old values, and
// its "OK" would write them over the new ones.
void MainWindow::refreshInputForms() {
    bool inView = closeInputFormOfOtherUnits();
    const UnitSystem twin = unitSystemOf(m_document->inputs().unitSystem);
    if (auto* form = qobject_cast<InputForm*>(childWindow(inputFormName(twin)))) {
        form->loadInputs();
        inView = inView || form->isVisible();
    }
    if (inView)
        showInputForm();
}

// Only the form of the design's unit system may be open: the other one,
// shown or hidden, would label the numbers in the wrong units. True when
// the form closed was in view.
bool MainWindow::closeInputFormOfOtherUnits() {
    const UnitSystem other = otherUnitSystem(unitSystemOf(m_document->inputs().unitSystem));
    // Destroyed at once, so that nothing brings it back to the front.
    return m_children->discard(inputFormName(other));
}

void MainWindow::showBookWindow() {
    showChildWindow(
        bookWindowName(),
        [&] {
            auto* window = new BookWindow(*m_fileDialogs, *m_messages,
                                          [this] { return m_document->spacingRule(); });
            window->rememberChoicesIn([this] { return openSettings(); });
            // The open design starts the list, marked while it has unsaved changes.
            window->followOpenDesign(
                {[this] { return m_document->fileName(); },
                 [this] { return m_document->isModified(); }, [this] { return saveDesign(); },
                 [this, window](const QString& name) {
                     return m_savePrompt->askToSave(window, name);
                 }});
            connect(m_document, &DesignDocument::modifiedChanged, window,
                    &BookWindow::refreshMarks);
            connect(m_document, &DesignDocument::fileNameChanged, window,
                    &BookWindow::refreshMarks);
            if (!m_document->fileName().isEmpty())
                window->addDesignFiles({m_document->fileName()});
            return window;
        },
        ChildFrame::Sizable);
}

void MainWindow::showSensitivity() {
    showChildWindow(
        sensitivityWindowName(),
        [&] { return new SensitivityWindow(*m_document, *m_fileDialogs, *m_messages); },
        ChildFrame::Sizable);
}

void MainWindow::newDesign() {
    if (!m_files->maybeSave())
        return;
    // A fresh design has no results: the windows that show them close
    // rather than report the empty inputs (計算実行 opens them again).
    discardResultWindows();
    m_files->startNewDesign();
    showReplacedDesign();
}

void MainWindow::openDesign() {
    if (!m_files->maybeSave())
        return;
    const QString path = m_files->askForDesignToOpen();
    if (!path.isEmpty())
        openDesignFile(path);
}

void MainWindow::openOtherDesign(const QString& path) {
    if (m_files->maybeSave())
        openDesignFile(path);
}

bool MainWindow::openDesignFile(const QString& path) {
    if (!m_files->openDesignFile(path))
        return false;
    showReplacedDesign();
    return true;
}

void MainWindow::showReplacedDesign() {
    refreshInputForms();
    showInputForm();
}

// Closed and destroyed at once, so that they do not follow the change of
// the inputs that comes next.
void MainWindow::discardResultWindows() {
    for (const QString& name :
         {resultWindowName(UnitSystem::Gravitational), resultWindowName(UnitSystem::SI),
          QString::fromLatin1(kPrintWindowName)}) {
        m_children->discard(name);
    }
}

bool MainWindow::isDesignModified() const {
    return m_document->isModified();
}

// "bracket.tvx[*] - Haltrix", the marker shown while the design is
// modified; a changed design without a file is "無題[*] - Haltrix"; plain
// "Haltrix" while no file is open and nothing has changed.
void MainWindow::updateTitle() {
    const QString program = QString::fromUtf8(kApplicationTitle);
    const bool modified = m_document->isModified();
    if (m_document->fileName().isEmpty() && !modified) {
        setWindowModified(false);
        setWindowTitle(program);
        return;
    }
    const QString name = m_document->fileName().isEmpty()
                             ? QStringLiteral("無題")
                             : QFileInfo(m_document->fileName()).fileName();
    // The placeholder first: Qt refuses the mark on a title without it.
    setWindowTitle(name + QStringLiteral("[*] - ") + program);
    setWindowModified(showsModifiedMark());
}

bool MainWindow::showsModifiedMark() const {
    return m_document->isModified();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // QMdiSubWindow clears the main window's modified mark whenever a child
    // window closes or hides; the design alone decides it.
    if (event->type() == QEvent::ModifiedChange && isWindowModified() != showsModifiedMark())
        setWindowModified(showsModifiedMark());
}

bool MainWindow::saveDesign() {
    return m_files->saveDesign();
}

bool MainWindow::saveDesignAs() {
    return m_files->saveDesignAs();
}

namespace {

// The one local file a drag carries, or an empty string.
QString draggedFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    return urls.front().toLocalFile();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!draggedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = draggedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over, so that a question or a message does
    // not hold up the program the file was dragged from.
    QTimer::singleShot(0, this, [this, path] { openOtherDesign(path); });
}

void MainWindow::exitProgram() {
    close();
}

void installCalculationWindows(MainWindow& mainWindow, PrintInteraction* printing) {
    CalculationWindowContext context;
    context.children = &mainWindow.children();
    context.document = &mainWindow.document();
    context.messages = &mainWindow.calculationMessages();
    context.openSettings = [&mainWindow] { return mainWindow.openSettings(); };
    context.printing = printing;
    mainWindow.setResultWindowFactory(
        [context](UnitSystem twin) { return createResultWindow(context, twin); },
        ChildFrame::Fixed);
}

HelpWindow* MainWindow::showManual() {
    const bool isNew = !m_help;
    if (isNew)
        m_help = new HelpWindow(this);
    m_help->show();
    if (isNew) {
        // On the screen of the main window, wholly inside what it has free;
        // the frame's size is an estimate until the window manager adds it.
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QSize frameExtra =
                (m_help->frameGeometry().size() - m_help->size()).expandedTo(QSize(16, 40));
            const QRect frame(m_help->geometry().topLeft(), m_help->size() + frameExtra);
            const QRect fitted =
                fitInside(frame, screen->availableGeometry(), m_help->minimumSizeHint());
            m_help->move(fitted.topLeft());
            m_help->resize(fitted.size() - frameExtra);
        }
    }
    m_help->raise();
    m_help->activateWindow();
    return m_help;
}

void MainWindow::searchManual() {
    showManual()->startSearch();
}

void MainWindow::showAboutBox() {
    AboutBox::Services services = m_aboutServices;
    if (!services.messages)
        services.messages = m_messages;
    AboutBox box(this, services);
    box.exec();
}

void MainWindow::chooseClearSpacing() {
    const std::optional<ClearSpacingRule> rule = m_askClearSpacing(m_document->spacingRule(), this);
    if (!rule)
        return;
    const auto settings = openSettings();
    writeClearSpacingRule(*settings, *rule);
    settings->sync();
    // The rule applies for this run even when it could not be kept.
    m_document->setSpacingRule(*rule);
    if (settings->status() != QSettings::NoError)
        m_messages->showMessage(
            this,
            QStringLiteral("設定を保存できませんでした（%1）。鉄筋のあきの設定は次回の起動時には"
                           "元に戻ります。")
                .arg(settings->fileName()),
            QMessageBox::Warning);
}

} // namespace haltrix::gui
