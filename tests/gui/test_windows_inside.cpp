// SPDX-License-Identifier: GPL-3.0-or-later
// Every window opens wholly inside the room it has: the child windows inside
// the workspace, the manual's window on the screen. ctest runs it on a
// 1366 × 768 screen, a 1600 × 1200 one and that one at twice the scale.

#include <QAbstractScrollArea>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "calculation_windows.h"
#include "child_windows.h"
#include "design_context.h"
#include "gui_test_support.h"
#include "help_window.h"
#include "main_window.h"

using namespace haltrix;
using namespace haltrix::gui;

namespace {

QString describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class WindowsInsideTest : public QObject {
    Q_OBJECT

private slots:
    void everyWindowInside_data();
    void everyWindowInside();

private:
    QTemporaryDir m_dir;
    test::RecordingSink m_sink;
    test::ScriptedFileDialogs m_dialogs;
    test::ScriptedSavePrompt m_prompt;
};

// Each row opens one more window on the road of a first start.
void WindowsInsideTest::everyWindowInside_data() {
    QTest::addColumn<QStringList>("road");
    QTest::newRow("start") << QStringList{};
    QTest::newRow("input form and its sketch") << QStringList{"open"};
    QTest::newRow("results") << QStringList{"open", "mnuCalc"};
    QTest::newRow("result sketch") << QStringList{"open", "mnuCalc", "sketch"};
    QTest::newRow("感度") << QStringList{"open", "mnuCalc", "sketch", "mnuToolsSensitivity"};
    QTest::newRow("preview") << QStringList{"open", "mnuCalc", "print"};
    QTest::newRow("manual") << QStringList{"mnuHelpContents"};
}

void WindowsInsideTest::everyWindowInside() {
    QFETCH(QStringList, road);
    MainWindow::Services services;
    services.fileDialogs = &m_dialogs;
    services.messages = &m_sink;
    services.savePrompt = &m_prompt;
    services.settingsFile = m_dir.filePath(QStringLiteral("%1.ini").arg(QTest::currentDataTag()));
    DesignContext context;
    auto window = std::make_unique<MainWindow>(context, services);
    MainWindow* w = window.get();
    installCalculationWindows(*w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    for (const QString& step : road) {
        if (step == "open") {
            QVERIFY(w->openDesignFile(QStringLiteral(HALTRIX_EXAMPLES_DIR "/bracket-si.tvx")));
        } else if (step == "sketch" || step == "print") {
            QWidget* result = w->childWindow(MainWindow::resultWindowName(Twin::SI));
            QVERIFY(result);
            result->findChild<QPushButton*>(step == "sketch" ? "Command_sketch" : "Command2")
                ->click();
        } else {
            w->findChild<QAction*>(step)->trigger();
        }
        QApplication::processEvents();
    }
    QVERIFY(m_sink.messages.isEmpty());

    const QRect available = w->screen()->availableGeometry();
    QVERIFY2(available.contains(w->frameGeometry()), qPrintable(describe(w->frameGeometry())));
    QMdiArea* area = w->mdiArea();
    // A window of fixed size larger than the whole area (the result window
    // at twice the scale) cannot fit: it sits at the top left, the area
    // scrolls, and the others are judged against the area without the bars.
    const QRect whole = area->contentsRect().translated(-area->contentsRect().topLeft());
    bool allCanFit = true;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        const QSize minimum = sub->minimumSize().expandedTo(sub->minimumSizeHint());
        if (sub->isVisible() && (minimum.width() > whole.width() || minimum.height() > whole.height()))
            allCanFit = false;
    }
    const QRect room = allCanFit ? area->viewport()->rect() : whole;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        const QSize minimum = sub->minimumSize().expandedTo(sub->minimumSizeHint());
        const bool fits = minimum.width() <= whole.width() && minimum.height() <= whole.height();
        if (sub->isVisible() && fits)
            QVERIFY2(room.contains(sub->geometry()),
                     qPrintable(sub->objectName() + ": " + describe(sub->geometry()) + " in " +
                                describe(room)));
    }
    if (allCanFit) {
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(!area->verticalScrollBar()->isVisible());
    }
    if (auto* help = w->findChild<HelpWindow*>()) {
        QVERIFY(help->isVisible());
        QVERIFY2(available.contains(help->geometry()), qPrintable(describe(help->geometry())));
    }
    w->close();
}

QTEST_MAIN(WindowsInsideTest)
#include "test_windows_inside.moc"
