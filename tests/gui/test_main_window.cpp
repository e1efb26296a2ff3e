// SPDX-License-Identifier: GPL-3.0-or-later
// The main window through its menus: placement, unit switch, child windows,
// design files and the About box.

#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "help/about_box.h"
#include "document/design_document.h"
#include "example_designs.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "forms/input_form.h"
#include "main/main_window.h"
#include "platform/twips.h"
#include "platform/window_placement.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;
using haltrix::gui::test::ScriptedFileDialogs;
using haltrix::gui::test::ScriptedSavePrompt;

namespace {

// The sixteen lines of a design file.
QByteArray designLines(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + "\r\n";
    return text;
}

QStringList gravitationalDesign() {
    return {" 0.5 ", " 0.7 ", " 0.25 ", " 1.2 ", " 0.3 ", " 2.5 ", " 1800 ", " 10 ",
            " 0 ",   " 10 ",  " 25 ",   "D22",   " 4 ",   "D22",   " 2 ",    " 1 "};
}

} // namespace

class MainWindowTest : public QObject, protected haltrix::gui::test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captionAndMenusAsTabled();
    void unavailableItemAndShortcuts();
    void statusBarPanels();

    void firstRunPlacement();
    void closeSavesPlacementForTheNextRun();
    void minimizedCloseLeavesStoredPlacement();
    void storedTextThatIsNotANumberUsesDefault();
    void placementOffEveryScreenComesBack();
    void exitClosesWindowAndChildren();

    void unitSwitchShowsSameNumbersUnconverted();
    void choosingCheckedUnitAgainChangesNothing();
    void dataInputClosesOnlyGravitationalResult();
    void calcTwiceOnlyBringsToFront();
    void calcWithoutResultWindowDoesNothing();
    void inputFormExistsOnceAndComesToFront();

    void cancelHidesGravitationalForm();
    void cancelClosesSIForm();
    void okThenDataInputCreatesFreshForm();

    void saveBeforeAnyFileIsSaveAs();
    void saveAsCancelChangesNothing();
    void saveAsAddsTheSuffix_data();
    void saveAsAddsTheSuffix();
    void saveFailureNamesFileAndKeepsName();
    void openGravitationalFileWhileSI();
    void openLine16Value3();
    void failedOpenLeavesRecordAndName_data();
    void failedOpenLeavesRecordAndName();
    void openCancelChangesNothing();
    void openClosesGravitationalResult();
    void openRefillsHiddenGravitationalForm();
    void openRefillsOpenInputForms();

    void aboutBoxIsModalAndOwned();

private:
    MainWindow* makeWindow();
    QString writeDesign(const char* name, const QStringList& lines);
    QLineEdit* box(QWidget* form, const char* name);
    void type(QWidget* form, const char* name, const QString& text);
    QString stored(const char* key);
    // The window holds a design as if it had been opened from `file`.
    void holdDesign(const std::function<void(DesignInputs&)>& change, const QString& file = {});

    QString m_settings;
    int m_resultWindowsMade = 0;
    QList<UnitSystem> m_resultTwins;
};

void MainWindowTest::init() {
    resetFixture();
    m_settings = m_dir->filePath("settings.ini");
    m_resultWindowsMade = 0;
    m_resultTwins.clear();
}

void MainWindowTest::cleanup() {
    m_window.reset();
}

void MainWindowTest::holdDesign(const std::function<void(DesignInputs&)>& change,
                                const QString& file) {
    DesignInputs inputs = m_window->document().inputs();
    change(inputs);
    m_window->document().load(inputs, file);
}

MainWindow* MainWindowTest::makeWindow() {
    MainWindow::Services services;
    services.settingsFile = m_settings;
    MainWindowFixture::makeWindow(services);
    // The result windows stand in: only which twin was asked for counts.
    m_window->setResultWindowFactory([this](UnitSystem twin) {
        ++m_resultWindowsMade;
        m_resultTwins.append(twin);
        auto* result = new QWidget;
        result->setWindowTitle(QStringLiteral("計算結果"));
        result->setFixedSize(300, 200);
        return result;
    });
    return m_window.get();
}


QString MainWindowTest::writeDesign(const char* name, const QStringList& lines) {
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(designLines(lines));
    return path;
}

QLineEdit* MainWindowTest::box(QWidget* form, const char* name) {
    auto* edit = form->findChild<QLineEdit*>(name);
    if (!edit)
        qFatal("no text box %s", name);
    return edit;
}

void MainWindowTest::type(QWidget* form, const char* name, const QString& text) {
    QLineEdit* edit = box(form, name);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QString MainWindowTest::stored(const char* key) {
    QSettings settings(m_settings, QSettings::IniFormat);
    return settings.value(QStringLiteral("Settings/") + key).toString();
}

void MainWindowTest::captionAndMenusAsTabled() {
    MainWindow* w = makeWindow();
    QCOMPARE(w->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Haltrix"));
    QVERIFY(qobject_cast<QMdiArea*>(w->centralWidget()));

    QStringList top;
    for (QAction* a : w->menuBar()->actions())
        top.append(a->text());
    QCOMPARE(top, (QStringList{"ﾌｧｲﾙ(&F)", "ﾃﾞｰﾀ入力(&D)", "計算実行(&C)", "ﾂｰﾙ(&T)", "ﾍﾙﾌﾟ(&H)"}));
    QCOMPARE(w->menuBar()->actions()[1]->objectName(), QStringLiteral("mnudatain"));
    QCOMPARE(w->menuBar()->actions()[2]->objectName(), QStringLiteral("mnuCalc"));
    QVERIFY(!w->menuBar()->actions()[1]->menu());
    QVERIFY(!w->menuBar()->actions()[2]->menu());

    struct Item {
        const char* name;
        const char* caption; // empty for a separator
        bool enabled;
        QKeySequence shortcut;
        bool visible = true; // hidden: only the name is checked
    };
    auto checkMenu = [&](const char* menuName, const char* title, const QList<Item>& items) {
        auto* menu = w->findChild<QMenu*>(menuName);
        QVERIFY2(menu, menuName);
        QCOMPARE(menu->title(), QString::fromUtf8(title));
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), items.size());
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(actions[i]->objectName(), QString::fromUtf8(items[i].name));
            QCOMPARE(actions[i]->isVisible(), items[i].visible);
            if (!items[i].visible)
                continue;
            if (*items[i].caption == '\0') {
                QVERIFY(actions[i]->isSeparator());
                continue;
            }
            QCOMPARE(actions[i]->text(), QString::fromUtf8(items[i].caption));
            QCOMPARE(actions[i]->isEnabled(), items[i].enabled);
            QCOMPARE(actions[i]->shortcut(), items[i].shortcut);
        }
    };
    checkMenu("mnuFile", "ﾌｧｲﾙ(&F)",
              {{"mnuFileNew", "新規作成(&N)", true, QKeySequence(Qt::CTRL | Qt::Key_N)},
               {"mnuFileOpen", "開く(&O)...", true, QKeySequence(Qt::CTRL | Qt::Key_O)},
               {"mnuFileClose", "閉じる(&C)", false, {}},
               {"mnuFileBar0", "", true, {}},
               {"mnuFileSave", "上書き保存(&S)", true, QKeySequence(Qt::CTRL | Qt::Key_S)},
               {"mnuFileSaveAs", "名前を付けて保存(&A)...", true, {}},
               {"mnuFileBar1", "", true, {}},
               {"mnuFileBook", "計算書の作成(&B)...", true, {}},
               {"mnuFileIfc", "IFC出力(&I)...", true, {}},
               {"mnuFileExcel", "Excel出力(&X)...", true, {}},
               {"mnuFileBar2", "", true, {}},
               // The recent designs, none yet.
               {"mnuFileRecent1", "", true, {}, false},
               {"mnuFileRecent2", "", true, {}, false},
               {"mnuFileRecent3", "", true, {}, false},
               {"mnuFileRecent4", "", true, {}, false},
               {"mnuFileRecent5", "", true, {}, false},
               {"mnuFileBarRecent", "", true, {}, false},
               {"mnuFileExit", "終了(&X)", true, {}}});
    checkMenu("mnuHelp", "ﾍﾙﾌﾟ(&H)",
              {{"mnuHelpContents", "目次(&C)", true, QKeySequence(QKeySequence::HelpContents)},
               {"mnuHelpSearchForHelpOn", "ﾄﾋﾟｯｸの検索(&S)...", true, {}},
               {"mnuHelpBar0", "", true, {}},
               {"mnuHelpAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)", true, {}}});

    auto* tools = w->findChild<QMenu*>("mnuTools");
    QCOMPARE(tools->title(), QStringLiteral("ﾂｰﾙ(&T)"));
    // ｵﾌﾟｼｮﾝ and 鉄筋のあき, then the design tools.
    QCOMPARE(tools->actions().size(), 5);
    QCOMPARE(tools->actions()[1]->objectName(), QStringLiteral("mnuToolsClearSpacing"));
    QCOMPARE(tools->actions()[1]->text(), QStringLiteral("鉄筋のあき(&S)..."));
    QVERIFY(tools->actions()[2]->isSeparator());
    QCOMPARE(tools->actions()[3]->objectName(), QStringLiteral("mnuToolsConvertUnits"));
    QCOMPARE(tools->actions()[3]->text(), QStringLiteral("単位系の変換(&U)..."));
    QCOMPARE(tools->actions()[4]->objectName(), QStringLiteral("mnuToolsSensitivity"));
    QCOMPARE(tools->actions()[4]->text(), QStringLiteral("感度(&K)..."));
    QMenu* options = tools->actions()[0]->menu();
    QVERIFY(options);
    QCOMPARE(options->objectName(), QStringLiteral("mnuToolsOptions"));
    QCOMPARE(options->title(), QStringLiteral("ｵﾌﾟｼｮﾝ(&O)..."));
    QCOMPARE(options->actions().size(), 2);
    QCOMPARE(options->actions()[0]->objectName(), QStringLiteral("mnuToolsOptions_jyu"));
    QCOMPARE(options->actions()[0]->text(), QStringLiteral("重力単位"));
    QCOMPARE(options->actions()[1]->objectName(), QStringLiteral("mnuToolsOptions_si"));
    QCOMPARE(options->actions()[1]->text(), QStringLiteral("ＳＩ単位"));
    QVERIFY(options->actions()[0]->isCheckable() && !options->actions()[0]->isChecked());
    QVERIFY(options->actions()[1]->isCheckable() && options->actions()[1]->isChecked());
    QCOMPARE(m_window->document().inputs().unitSystem, 2);
}

void MainWindowTest::unavailableItemAndShortcuts() {
    MainWindow* w = makeWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    const DesignInputs before = m_window->document().inputs();
    action("mnuFileClose")->trigger();
    QVERIFY(m_dialogs.requests.isEmpty());
    QVERIFY(m_sink.messages.isEmpty());
    QVERIFY(w->mdiArea()->subWindowList().isEmpty());
    QVERIFY(m_window->document().inputs() == before);
    QVERIFY(w->isVisible());

    // Ctrl+O reaches the open dialog (cancelled here).
    QTest::keyClick(w, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_dialogs.requests.size(), 1);
    QVERIFY(!m_dialogs.requests[0].save);

    // Ctrl+N starts a new design: the input form shows it.
    QTest::keyClick(w, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(w->childWindow("frm_datain_si"));
    QVERIFY(m_window->document().inputs() == before);
    // The form opens with its first field ready to type in.
    QTRY_COMPARE(QApplication::focusWidget(), box(w->childWindow("frm_datain_si"), "Text1"));

    // 閉じる closes the active child window, and waits for the next.
    QVERIFY(action("mnuFileClose")->isEnabled());
    action("mnuFileClose")->trigger();
    QTRY_VERIFY(!w->childWindow("frm_datain_si"));
    QTRY_VERIFY(!action("mnuFileClose")->isEnabled());

    // Ctrl+S saves; without a file it asks for a name.
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_dialogs.requests.size(), 2);
    QVERIFY(m_dialogs.requests[1].save);
}

void MainWindowTest::statusBarPanels() {
    const QDate before = QDate::currentDate();
    MainWindow* w = makeWindow();
    const QDate after = QDate::currentDate();
    QStatusBar* bar = w->findChild<QStatusBar*>("sbStatusBar");
    QVERIFY(bar);
    QCOMPARE(w->statusBar(), bar);
    QStringList texts;
    for (QLabel* label : bar->findChildren<QLabel*>())
        texts.append(label->text());
    QVERIFY(texts.contains(QStringLiteral("ｽﾃｰﾀｽ")));
    const QString date = bar->findChild<QLabel*>("sbStatusBarDate")->text();
    QVERIFY2(date == before.toString("yyyy/MM/dd") || date == after.toString("yyyy/MM/dd"),
             qPrintable(date));
    const QString time = bar->findChild<QLabel*>("sbStatusBarTime")->text();
    QVERIFY2(QRegularExpression("^([01]?[0-9]|2[0-3]):[0-5][0-9]$").match(time).hasMatch(),
             qPrintable(time));
}

void MainWindowTest::firstRunPlacement() {
    MainWindow* w = makeWindow();
    // Within the available area, and larger than the 6500 twips square that
    // hid the input form's buttons (test_first_start checks what fits).
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(available.contains(w->frameGeometry()));
    const QRect old = placementToPixels(Placement{1000, 1000, 6500, 6500}, logicalDpiOf(w));
    QVERIFY(w->frameGeometry().width() > old.width());
    QVERIFY(w->frameGeometry().height() > old.height());
    QVERIFY(action("mnuToolsOptions_si")->isChecked());
    QVERIFY(!action("mnuToolsOptions_jyu")->isChecked());
    QCOMPARE(m_window->document().inputs().unitSystem, 2);
    // Nothing is stored before the window closes.
    QVERIFY(stored("MainLeft").isEmpty());
}

void MainWindowTest::closeSavesPlacementForTheNextRun() {
    MainWindow* w = makeWindow();
    const double dpi = logicalDpiOf(w);
    w->move(150, 90);
    w->resize(500, 420);
    const QRect frame = w->frameGeometry();
    QVERIFY(w->close());
    QCOMPARE(stored("MainLeft"), placementText(pixelsToTwips(frame.x(), dpi)));
    QCOMPARE(stored("MainTop"), placementText(pixelsToTwips(frame.y(), dpi)));
    QCOMPARE(stored("MainWidth"), placementText(pixelsToTwips(frame.width(), dpi)));
    QCOMPARE(stored("MainHeight"), placementText(pixelsToTwips(frame.height(), dpi)));

    // The next run opens where this one closed.
    m_window.reset();
    MainWindow* next = makeWindow();
    QCOMPARE(next->frameGeometry(), frame);
}

void MainWindowTest::minimizedCloseLeavesStoredPlacement() {
    {
        QSettings settings(m_settings, QSettings::IniFormat);
        settings.setValue("Settings/MainLeft", "2000");
        settings.setValue("Settings/MainTop", "1500");
        settings.setValue("Settings/MainWidth", "7000");
        settings.setValue("Settings/MainHeight", "5000");
    }
    MainWindow* w = makeWindow();
    const double dpi = logicalDpiOf(w);
    QCOMPARE(w->frameGeometry(), placementToPixels(Placement{2000, 1500, 7000, 5000}, dpi));
    w->move(300, 200);
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    QVERIFY(w->close());
    QCOMPARE(stored("MainLeft"), QStringLiteral("2000"));
    QCOMPARE(stored("MainTop"), QStringLiteral("1500"));
    QCOMPARE(stored("MainWidth"), QStringLiteral("7000"));
    QCOMPARE(stored("MainHeight"), QStringLiteral("5000"));

    m_window.reset();
    MainWindow* next = makeWindow();
    QCOMPARE(next->frameGeometry(), placementToPixels(Placement{2000, 1500, 7000, 5000}, dpi));
}

void MainWindowTest::storedTextThatIsNotANumberUsesDefault() {
    {
        QSettings settings(m_settings, QSettings::IniFormat);
        settings.setValue("Settings/MainLeft", "abc");
        settings.setValue("Settings/MainTop", "1500");
        settings.setValue("Settings/MainWidth", "");
        settings.setValue("Settings/MainHeight", "5000");
    }
    MainWindow* w = makeWindow();
    QCOMPARE(w->frameGeometry(),
             placementToPixels(Placement{1000, 1500, 6500, 5000}, logicalDpiOf(w)));
}

void MainWindowTest::placementOffEveryScreenComesBack() {
    {
        QSettings settings(m_settings, QSettings::IniFormat);
        settings.setValue("Settings/MainLeft", "9000000");
        settings.setValue("Settings/MainTop", "-9000000");
    }
    MainWindow* w = makeWindow();
    const QScreen* primary = QGuiApplication::primaryScreen();
    QVERIFY(w->frameGeometry().intersects(primary->geometry()));
    QCOMPARE(w->frameGeometry().topLeft(), primary->availableGeometry().topLeft());
    QCOMPARE(w->frameGeometry().size(), placementToPixels(Placement{}, logicalDpiOf(w)).size());
}

void MainWindowTest::exitClosesWindowAndChildren() {
    MainWindow* w = makeWindow();
    action("mnudatain")->trigger();
    QPointer<QWidget> form = w->childWindow("frm_datain_si");
    QVERIFY(form);
    action("mnuFileExit")->trigger();
    QVERIFY(!w->isVisible());
    QVERIFY(!w->childWindow("frm_datain_si"));
    QTRY_VERIFY(!form);
    QVERIFY(!stored("MainLeft").isEmpty());
}

void MainWindowTest::unitSwitchShowsSameNumbersUnconverted() {
    MainWindow* w = makeWindow();
    action("mnudatain")->trigger();
    QWidget* si = w->childWindow("frm_datain_si");
    QVERIFY(si);
    type(si, "Text6", "100");
    type(si, "Text8", "100");
    type(si, "Text11", "180");
    type(si, "Text12", "4");
    si->findChild<QListWidget*>("List1")->setCurrentRow(4);
    QCOMPARE(box(si, "Text13")->text(), QStringLiteral("1548.400"));
    QTest::mouseClick(si->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    const DesignInputs confirmed = m_window->document().inputs();
    QCOMPARE(confirmed.P, 100.0);

    action("mnuToolsOptions_jyu")->trigger();
    QVERIFY(action("mnuToolsOptions_jyu")->isChecked());
    QVERIFY(!action("mnuToolsOptions_si")->isChecked());
    QCOMPARE(m_window->document().inputs().unitSystem, 1);
    DesignInputs expected = confirmed;
    expected.unitSystem = 1;
    QVERIFY(m_window->document().inputs() == expected);

    action("mnudatain")->trigger();
    QWidget* grav = w->childWindow("frm_datain");
    QVERIFY(grav);
    QVERIFY(grav->isVisible());
    QCOMPARE(box(grav, "Text6")->text(), QStringLiteral("100"));
    QCOMPARE(box(grav, "Text8")->text(), QStringLiteral("100"));
    QCOMPARE(box(grav, "Text11")->text(), QStringLiteral("180"));
    QCOMPARE(box(grav, "Text12")->text(), QStringLiteral("4"));
    // Same count and bar, read in cm2 now.
    QCOMPARE(box(grav, "Text13")->text(), QStringLiteral("15.484"));
}

void MainWindowTest::choosingCheckedUnitAgainChangesNothing() {
    makeWindow();
    holdDesign([](DesignInputs& in) { in.H1 = 0.5; });
    const DesignInputs before = m_window->document().inputs();
    action("mnuToolsOptions_si")->trigger();
    QVERIFY(action("mnuToolsOptions_si")->isChecked());
    QVERIFY(!action("mnuToolsOptions_jyu")->isChecked());
    QVERIFY(m_window->document().inputs() == before);

    action("mnuToolsOptions_jyu")->trigger();
    action("mnuToolsOptions_jyu")->trigger();
    QVERIFY(action("mnuToolsOptions_jyu")->isChecked());
    QVERIFY(!action("mnuToolsOptions_si")->isChecked());
    QCOMPARE(m_window->document().inputs().unitSystem, 1);
}

void MainWindowTest::dataInputClosesOnlyGravitationalResult() {
    MainWindow* w = makeWindow();
    action("mnuCalc")->trigger();
    QVERIFY(w->childWindow("frm_calc_si"));
    action("mnudatain")->trigger();
    QVERIFY(w->childWindow("frm_calc_si"));

    action("mnuToolsOptions_jyu")->trigger();
    action("mnuCalc")->trigger();
    QPointer<QWidget> grav = w->childWindow("frm_calc");
    QVERIFY(grav);
    QCOMPARE(m_resultTwins, (QList<UnitSystem>{UnitSystem::SI, UnitSystem::Gravitational}));
    action("mnudatain")->trigger();
    QVERIFY(!w->childWindow("frm_calc"));
    QTRY_VERIFY(!grav);
    QVERIFY(w->childWindow("frm_calc_si"));
    QVERIFY(w->childWindow("frm_datain"));

    // So the next calculation command builds the window afresh.
    action("mnuCalc")->trigger();
    QCOMPARE(m_resultWindowsMade, 3);
}

void MainWindowTest::calcTwiceOnlyBringsToFront() {
    MainWindow* w = makeWindow();
    action("mnuCalc")->trigger();
    QWidget* result = w->childWindow("frm_calc_si");
    QVERIFY(result);
    QCOMPARE(result->objectName(), QStringLiteral("frm_calc_si"));
    action("mnudatain")->trigger();
    QCOMPARE(w->mdiArea()->activeSubWindow()->widget(), w->childWindow("frm_datain_si"));
    action("mnuCalc")->trigger();
    QCOMPARE(m_resultWindowsMade, 1);
    QCOMPARE(w->childWindow("frm_calc_si"), result);
    QCOMPARE(w->mdiArea()->activeSubWindow()->widget(), result);

    // Once closed, the next command creates it again.
    w->closeChildWindow("frm_calc_si");
    action("mnuCalc")->trigger();
    QCOMPARE(m_resultWindowsMade, 2);
}

void MainWindowTest::calcWithoutResultWindowDoesNothing() {
    MainWindow* w = makeWindow();
    w->setResultWindowFactory({});
    action("mnuCalc")->trigger();
    QVERIFY(w->mdiArea()->subWindowList().isEmpty());
    QVERIFY(m_sink.messages.isEmpty());
}

void MainWindowTest::inputFormExistsOnceAndComesToFront() {
    MainWindow* w = makeWindow();
    action("mnudatain")->trigger();
    QWidget* form = w->childWindow("frm_datain_si");
    type(form, "Text1", "3.5");
    action("mnuCalc")->trigger();
    action("mnudatain")->trigger();
    QCOMPARE(w->childWindow("frm_datain_si"), form);
    QCOMPARE(w->findChildren<InputForm*>().size(), 1);
    QCOMPARE(w->mdiArea()->activeSubWindow()->widget(), form);
    // Not reloaded: the unconfirmed edit is still there.
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("3.5"));

    // Fixed border, no minimize or maximize button, caption of the form.
    QMdiSubWindow* frame = w->mdiArea()->activeSubWindow();
    QCOMPARE(frame->windowTitle(), QStringLiteral("入力データ"));
    QVERIFY(!(frame->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(frame->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(frame->minimumSize(), frame->maximumSize());
}

void MainWindowTest::cancelHidesGravitationalForm() {
    MainWindow* w = makeWindow();
    action("mnuToolsOptions_jyu")->trigger();
    holdDesign([](DesignInputs& in) { in.H1 = 0.5; });
    action("mnudatain")->trigger();
    QWidget* form = w->childWindow("frm_datain");
    QVERIFY(form);
    type(form, "Text1", "9");
    const DesignInputs before = m_window->document().inputs();
    QTest::mouseClick(form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QVERIFY(m_window->document().inputs() == before);
    QVERIFY(!form->isVisible());
    QCoreApplication::processEvents();
    QCOMPARE(w->childWindow("frm_datain"), form);

    action("mnudatain")->trigger();
    QCOMPARE(w->childWindow("frm_datain"), form);
    QVERIFY(form->isVisible());
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("9"));
}

void MainWindowTest::cancelClosesSIForm() {
    MainWindow* w = makeWindow();
    holdDesign([](DesignInputs& in) { in.H1 = 0.5; });
    action("mnudatain")->trigger();
    QPointer<QWidget> form = w->childWindow("frm_datain_si");
    QVERIFY(form);
    type(form, "Text1", "9");
    const DesignInputs before = m_window->document().inputs();
    QTest::mouseClick(form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QVERIFY(m_window->document().inputs() == before);
    QVERIFY(!w->childWindow("frm_datain_si"));
    QTRY_VERIFY(!form);

    action("mnudatain")->trigger();
    QWidget* again = w->childWindow("frm_datain_si");
    QVERIFY(again);
    QCOMPARE(box(again, "Text1")->text(), QStringLiteral("0.5"));
}

void MainWindowTest::okThenDataInputCreatesFreshForm() {
    MainWindow* w = makeWindow();
    action("mnuToolsOptions_jyu")->trigger();
    action("mnudatain")->trigger();
    QPointer<QWidget> form = w->childWindow("frm_datain");
    type(form, "Text1", "1.5");
    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QCOMPARE(m_window->document().inputs().H1, 1.5);
    // Nothing chosen and no bars: the layer stays empty.
    QCOMPARE(m_window->document().inputs().layer1Bar, std::string());
    // At once, before the closed window is deleted: a new form appears.
    action("mnudatain")->trigger();
    QWidget* fresh = w->childWindow("frm_datain");
    QVERIFY(fresh);
    QVERIFY(fresh != form);
    QVERIFY(fresh->isVisible());
    QCOMPARE(box(fresh, "Text1")->text(), QStringLiteral("1.5"));
    QTRY_VERIFY(!form);
    QVERIFY(fresh->isVisible());
}

void MainWindowTest::saveBeforeAnyFileIsSaveAs() {
    makeWindow();
    const QString path = m_dir->filePath("new.tvx");
    m_dialogs.answers.enqueue(path);
    action("mnuFileSave")->trigger();
    QCOMPARE(m_dialogs.requests.size(), 1);
    QVERIFY(m_dialogs.requests[0].save);
    QCOMPARE(m_dialogs.requests[0].title, QStringLiteral("名前を付けて保存"));
    QCOMPARE(m_dialogs.requests[0].filter, QStringLiteral("Haltrix (*.tvx)"));
    QCOMPARE(m_window->document().fileName(), path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // An untouched record: eleven zeros, an empty line, a zero, an empty
    // line, a zero and the unit system.
    QCOMPARE(file.readAll(), designLines({" 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ",
                                          " 0 ", " 0 ", " 0 ", "", " 0 ", "", " 0 ", " 2 "}));
    file.close();

    // Now Save writes to that file without a dialog.
    testing::changeInputs(m_window->document(), [](DesignInputs& in) { in.H1 = 0.5; });
    action("mnuFileSave")->trigger();
    QCOMPARE(m_dialogs.requests.size(), 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith(" 0.5 \r\n 0 \r\n"));
    QVERIFY(m_sink.messages.isEmpty());
}

void MainWindowTest::saveAsCancelChangesNothing() {
    makeWindow();
    holdDesign([](DesignInputs&) {}, m_dir->filePath("earlier.tvx"));
    m_dialogs.answers.enqueue(QString());
    action("mnuFileSaveAs")->trigger();
    QCOMPARE(m_dialogs.requests.size(), 1);
    QCOMPARE(m_window->document().fileName(), m_dir->filePath("earlier.tvx"));
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).filter(".tvx").isEmpty());
    QVERIFY(m_sink.messages.isEmpty());
}

// A name typed without a suffix gets ".tvx", so that the open dialog's first
// filter shows it; any other name is kept. The dialog starts in the design's
// folder with its name, else in the folder last used.
void MainWindowTest::saveAsAddsTheSuffix_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no suffix") << "zero" << "zero.tvx";
    QTest::newRow(".tvx") << "zero.tvx" << "zero.tvx";
    QTest::newRow("another suffix") << "zero.v2" << "zero.v2";
}

void MainWindowTest::saveAsAddsTheSuffix() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    makeWindow();
    m_dialogs.answers.enqueue(m_dir->filePath(typed));
    action("mnuFileSaveAs")->trigger();
    QCOMPARE(m_dialogs.requests[0].defaultSuffix, QStringLiteral("tvx"));
    QVERIFY(QFileInfo::exists(m_dir->filePath(written)));
    QCOMPARE(m_window->document().fileName(), m_dir->filePath(written));
    // Again at the file; a new design has no folder: the one last used.
    action("mnuFileSaveAs")->trigger();
    QCOMPARE(m_dialogs.requests[1].start, m_dir->filePath(written));
    action("mnuFileNew")->trigger();
    action("mnuFileOpen")->trigger();
    QCOMPARE(QDir(m_dialogs.requests[2].start), QDir(m_dir->path()));
}

void MainWindowTest::saveFailureNamesFileAndKeepsName() {
    makeWindow();
    holdDesign([](DesignInputs&) {}, m_dir->filePath("earlier.tvx"));
    const QString path = m_dir->filePath("missing-folder/design.tvx");
    m_dialogs.answers.enqueue(path);
    action("mnuFileSaveAs")->trigger();
    QCOMPARE(m_sink.messages.size(), 1);
    QVERIFY2(m_sink.messages[0].text.contains(QDir::toNativeSeparators(path)), qPrintable(m_sink.messages[0].text));
    QCOMPARE(m_window->document().fileName(), m_dir->filePath("earlier.tvx"));
    QVERIFY(!QFileInfo::exists(path));
}

void MainWindowTest::openGravitationalFileWhileSI() {
    MainWindow* w = makeWindow();
    const QString path = writeDesign("gravitational.tvx", gravitationalDesign());
    m_dialogs.answers.enqueue(path);
    action("mnuFileOpen")->trigger();
    QCOMPARE(m_dialogs.requests.size(), 1);
    QVERIFY(!m_dialogs.requests[0].save);
    QCOMPARE(m_dialogs.requests[0].title, QStringLiteral("開く"));
    QCOMPARE(m_dialogs.requests[0].filter, QStringLiteral("Haltrix(*.tvx);;すべてのファイル (*)"));
    QVERIFY(m_sink.messages.isEmpty());

    QCOMPARE(m_window->document().fileName(), path);
    QCOMPARE(m_window->document().inputs().unitSystem, 1);
    QCOMPARE(m_window->document().inputs().H2, 0.7);
    QCOMPARE(m_window->document().inputs().sigmaSa, 1800.0);
    QCOMPARE(m_window->document().inputs().P, 10.0);
    QCOMPARE(m_window->document().inputs().layer1Bar, std::string("D22"));
    // 0.3 / 0.7 <= 0.5: case 1.
    QCOMPARE(m_window->document().results().ratioCase, 1);
    QVERIFY(action("mnuToolsOptions_jyu")->isChecked());
    QVERIFY(!action("mnuToolsOptions_si")->isChecked());
    QWidget* form = w->childWindow("frm_datain");
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QVERIFY(!w->childWindow("frm_datain_si"));
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("0.5"));
    QCOMPARE(box(form, "Text13")->text(), QStringLiteral("15.484"));

    // Save now writes back to the opened file without a dialog.
    action("mnuFileSave")->trigger();
    QCOMPARE(m_dialogs.requests.size(), 1);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), designLines(gravitationalDesign()));
}

void MainWindowTest::openLine16Value3() {
    MainWindow* w = makeWindow();
    action("mnuToolsOptions_jyu")->trigger();
    QStringList lines = gravitationalDesign();
    lines[15] = " 3 ";
    m_dialogs.answers.enqueue(writeDesign("three.tvx", lines));
    action("mnuFileOpen")->trigger();
    QVERIFY(m_sink.messages.isEmpty());
    QCOMPARE(m_window->document().inputs().unitSystem, 3);
    QVERIFY(action("mnuToolsOptions_jyu")->isChecked());
    QVERIFY(!action("mnuToolsOptions_si")->isChecked());
    QVERIFY(w->childWindow("frm_datain_si"));
    QVERIFY(!w->childWindow("frm_datain"));
}

void MainWindowTest::failedOpenLeavesRecordAndName_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("create");
    QStringList shortFile = gravitationalDesign();
    shortFile.removeLast();
    QStringList badNumber = gravitationalDesign();
    badNumber[4] = " 0.3x ";
    QStringList badFlag = gravitationalDesign();
    badFlag[15] = " SI ";
    QTest::newRow("fifteen lines") << shortFile << true;
    QTest::newRow("line 5 not a number") << badNumber << true;
    QTest::newRow("line 16 not a number") << badFlag << true;
    QTest::newRow("missing file") << QStringList() << false;
}

void MainWindowTest::failedOpenLeavesRecordAndName() {
    QFETCH(QStringList, lines);
    QFETCH(bool, create);
    MainWindow* w = makeWindow();
    holdDesign(
        [](DesignInputs& in) {
            in.H1 = 0.9;
            in.layer1Bar = "D13";
        },
        m_dir->filePath("earlier.tvx"));
    const DesignInputs before = m_window->document().inputs();
    const QString path = create ? writeDesign("broken.tvx", lines) : m_dir->filePath("absent.tvx");
    m_dialogs.answers.enqueue(path);
    action("mnuFileOpen")->trigger();
    QCOMPARE(m_sink.messages.size(), 1);
    QVERIFY2(m_sink.messages[0].text.contains(QDir::toNativeSeparators(path)), qPrintable(m_sink.messages[0].text));
    QVERIFY(m_window->document().inputs() == before);
    QCOMPARE(m_window->document().fileName(), m_dir->filePath("earlier.tvx"));
    QVERIFY(w->mdiArea()->subWindowList().isEmpty());
    QVERIFY(action("mnuToolsOptions_si")->isChecked());
}

void MainWindowTest::openCancelChangesNothing() {
    MainWindow* w = makeWindow();
    holdDesign([](DesignInputs& in) { in.H1 = 0.9; });
    const DesignInputs before = m_window->document().inputs();
    m_dialogs.answers.enqueue(QString());
    action("mnuFileOpen")->trigger();
    QVERIFY(m_window->document().inputs() == before);
    QVERIFY(m_window->document().fileName().isEmpty());
    QVERIFY(w->mdiArea()->subWindowList().isEmpty());
}

void MainWindowTest::openClosesGravitationalResult() {
    MainWindow* w = makeWindow();
    action("mnuToolsOptions_jyu")->trigger();
    action("mnuCalc")->trigger();
    QVERIFY(w->childWindow("frm_calc"));
    QStringList lines = gravitationalDesign();
    lines[15] = " 2 ";
    m_dialogs.answers.enqueue(writeDesign("si.tvx", lines));
    action("mnuFileOpen")->trigger();
    QVERIFY(!w->childWindow("frm_calc"));
    QVERIFY(w->childWindow("frm_datain_si"));
    QVERIFY(action("mnuToolsOptions_si")->isChecked());
}

void MainWindowTest::openRefillsHiddenGravitationalForm() {
    MainWindow* w = makeWindow();
    action("mnuToolsOptions_jyu")->trigger();
    action("mnudatain")->trigger();
    QWidget* form = w->childWindow("frm_datain");
    type(form, "Text1", "9");
    QTest::mouseClick(form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QVERIFY(!form->isVisible());

    // An SI file: the SI form opens; the hidden one, in the other units,
    // goes.
    QStringList si = gravitationalDesign();
    si[0] = " 0.6 ";
    si[15] = " 2 ";
    m_dialogs.answers.enqueue(writeDesign("si.tvx", si));
    action("mnuFileOpen")->trigger();
    QVERIFY(w->childWindow("frm_datain_si"));
    QVERIFY(!w->childWindow("frm_datain"));

    // Back in gravitational units a new form shows the opened design.
    action("mnuToolsOptions_jyu")->trigger();
    action("mnudatain")->trigger();
    form = w->childWindow("frm_datain");
    QVERIFY(form && form->isVisible());
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("0.6"));

    // Edits after that survive Cancel as usual.
    type(form, "Text1", "8");
    QTest::mouseClick(form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    action("mnudatain")->trigger();
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("8"));

    // A gravitational file refills it at once.
    QTest::mouseClick(form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    m_dialogs.answers.enqueue(writeDesign("gravitational.tvx", gravitationalDesign()));
    action("mnuFileOpen")->trigger();
    QVERIFY(form->isVisible());
    QCOMPARE(box(form, "Text1")->text(), QStringLiteral("0.5"));
}

void MainWindowTest::openRefillsOpenInputForms() {
    MainWindow* w = makeWindow();
    action("mnudatain")->trigger();
    QWidget* si = w->childWindow("frm_datain_si");
    type(si, "Text1", "9");
    action("mnuToolsOptions_jyu")->trigger();
    action("mnudatain")->trigger();
    QWidget* grav = w->childWindow("frm_datain");
    type(grav, "Text2", "9");

    m_dialogs.answers.enqueue(writeDesign("gravitational.tvx", gravitationalDesign()));
    action("mnuFileOpen")->trigger();
    // Only the gravitational form is left, in front, showing the opened
    // design: the SI one would label its numbers in the wrong units.
    QVERIFY(!w->childWindow("frm_datain_si"));
    QCOMPARE(w->childWindow("frm_datain"), grav);
    QCOMPARE(w->mdiArea()->activeSubWindow()->widget(), grav);
    QCOMPARE(box(grav, "Text2")->text(), QStringLiteral("0.7"));
    QCOMPARE(box(grav, "Text13")->text(), QStringLiteral("15.484"));

    // "OK" on the form now keeps the opened design.
    const DesignInputs opened = m_window->document().inputs();
    QTest::mouseClick(grav->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QVERIFY(m_window->document().inputs() == opened);
}

void MainWindowTest::aboutBoxIsModalAndOwned() {
    MainWindow* w = makeWindow();
    QString seenName;
    QWidget* seenParent = nullptr;
    bool seenModal = false;
    QTimer::singleShot(0, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        seenName = modal->objectName();
        seenParent = modal->parentWidget();
        seenModal = modal->isModal();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    // Should the box not be found, close it anyway rather than hang.
    QTimer::singleShot(5000, this, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    action("mnuHelpAbout")->trigger();
    QCOMPARE(seenName, QStringLiteral("frmAbout"));
    QCOMPARE(seenParent, w);
    QVERIFY(seenModal);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
