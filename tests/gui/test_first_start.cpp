// SPDX-License-Identifier: GPL-3.0-or-later
// The first start, with no placement stored: the main window takes the room
// the input form and the result window need side by side, within the
// available area; the two open at the same places each time; every window
// opens inside the room it has. ctest runs it on the offscreen platform's
// 800 × 800 screen, on 1600 × 1200 (also at twice the scale), 1366 × 768 and
// 1024 × 768.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <memory>

#include "calculation/calculation_windows.h"
#include "platform/child_windows.h"
#include "document/design_document.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "main/main_window.h"

using namespace haltrix;
using namespace haltrix::gui;

class FirstStartTest : public QObject, protected haltrix::gui::test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void formAndResultsSideBySide();
    void previewFitsTheArea();

private:
};

void FirstStartTest::init() {
    resetFixture();
}

void FirstStartTest::cleanup() {
    m_window.reset();
}

void FirstStartTest::formAndResultsSideBySide() {
    MainWindow* w = makeWindow();
    installCalculationWindows(*w);
    QVERIFY(QTest::qWaitForWindowExposed(w));

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(available.contains(w->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(w->frameGeometry().x())
                            .arg(w->frameGeometry().y())
                            .arg(w->frameGeometry().width())
                            .arg(w->frameGeometry().height())));
    // Centred in the available area, frame and all, to the pixel.
    const QPoint offCentre = w->frameGeometry().center() - available.center();
    QVERIFY2(std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1,
             qPrintable(QStringLiteral("%1, %2 off centre").arg(offCentre.x()).arg(offCentre.y())));

    QVERIFY(w->openDesignFile(QStringLiteral(HALTRIX_EXAMPLES_DIR "/bracket-si.tvx")));
    w->findChild<QAction*>("mnuCalc")->trigger();
    QVERIFY(m_sink.messages.isEmpty());
    QMdiSubWindow* form = hostSubWindow(w->childWindow("frm_datain_si"));
    QMdiSubWindow* result = hostSubWindow(w->childWindow("frm_calc_si"));
    QVERIFY(form && result);
    // The form at the top left, the results right beside it where the area
    // has room, else as far right as they stay inside it.
    const QRect area = w->mdiArea()->viewport()->rect();
    QCOMPARE(form->pos(), QPoint(0, 0));
    if (form->width() + result->width() <= area.width()) {
        QCOMPARE(result->pos(), QPoint(form->width(), 0));
        QVERIFY(!form->geometry().intersects(result->geometry()));
    } else {
        QCOMPARE(result->geometry().right(), area.right());
    }

    const QRect both = form->geometry().united(result->geometry());
    if (both.width() + 60 <= available.width() && both.height() + 150 <= available.height()) {
        // The screen has room: both are seen whole, without scrolling.
        QVERIFY2(area.contains(both), qPrintable(QStringLiteral("area %1x%2, windows %3x%4")
                                                     .arg(area.width())
                                                     .arg(area.height())
                                                     .arg(both.width())
                                                     .arg(both.height())));
    } else {
        // A small screen: the window takes all the width there is.
        QCOMPARE(w->frameGeometry().width(), available.width());
    }

    // Closed and opened again, in the other order: the same places.
    const QRect formPlace = form->geometry();
    const QRect resultPlace = result->geometry();
    w->closeChildWindow("frm_datain_si");
    w->closeChildWindow("frm_calc_si");
    QTRY_VERIFY(w->mdiArea()->subWindowList().isEmpty());
    w->findChild<QAction*>("mnuCalc")->trigger();
    w->findChild<QAction*>("mnudatain")->trigger();
    QCOMPARE(hostSubWindow(w->childWindow("frm_calc_si"))->geometry(), resultPlace);
    QCOMPARE(hostSubWindow(w->childWindow("frm_datain_si"))->geometry(), formPlace);

    // The sketches, 感度 and the manual: each inside the area (or the
    // screen), unless a fixed window is larger than the whole area.
    w->childWindow("frm_calc_si")->findChild<QPushButton*>("Command_sketch")->click();
    w->findChild<QAction*>("mnuToolsSensitivity")->trigger();
    w->findChild<QAction*>("mnuHelpContents")->trigger();
    QApplication::processEvents();
    for (QMdiSubWindow* sub : w->mdiArea()->subWindowList()) {
        const QSize least = sub->minimumSize().expandedTo(sub->minimumSizeHint());
        if (least.width() <= area.width() && least.height() <= area.height())
            QVERIFY2(w->mdiArea()->contentsRect().translated(-w->mdiArea()->contentsRect().topLeft())
                         .contains(sub->geometry()),
                     qPrintable(sub->objectName()));
    }
    QVERIFY(available.contains(w->findChild<QWidget*>("frmHelp")->geometry()));
}

// The preview from the result window's 印刷: on a screen 1024 wide or more
// the report is seen at its full width, and the title fields stay wide
// enough to read what is typed in them.
void FirstStartTest::previewFitsTheArea() {
    MainWindow* w = makeWindow();
    installCalculationWindows(*w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QVERIFY(w->openDesignFile(QStringLiteral(HALTRIX_EXAMPLES_DIR "/bracket-gravitational.tvx")));
    w->findChild<QAction*>("mnuCalc")->trigger();
    w->childWindow("frm_calc")->findChild<QPushButton*>("Command2")->click();
    QWidget* preview = w->childWindow("Frm_print");
    QVERIFY(preview);
    QApplication::processEvents();

    // Nothing sticks out of the area: it needs no scroll bar.
    QCOMPARE(w->mdiArea()->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(w->mdiArea()->verticalScrollBar()->maximum(), 0);
    if (QGuiApplication::primaryScreen()->availableGeometry().width() < 1024)
        return;
    auto* scroll = preview->findChild<QScrollArea*>("PicScrollArea");
    QVERIFY(scroll);
    QVERIFY2(scroll->horizontalScrollBar()->maximum() == 0,
             qPrintable(QStringLiteral("report %1 wide, view %2")
                            .arg(scroll->widget()->width())
                            .arg(scroll->viewport()->width())));
    const QFontMetrics metrics(preview->font());
    for (const char* name : {"Text_project", "Text_member", "Text_designer"}) {
        const QRect box = preview->findChild<QLineEdit*>(name)->geometry();
        QVERIFY2(box.width() >= metrics.horizontalAdvance(QStringLiteral("山田太郎")), name);
        QVERIFY2(box.right() < preview->width(), name);
        QVERIFY2(box.bottom() < scroll->geometry().top(), name);
    }
}

QTEST_MAIN(FirstStartTest)
#include "test_first_start.moc"
