// SPDX-License-Identifier: GPL-3.0-or-later
// Load cases in the windows: the input form's table of cases from the
// keyboard, the result window's case selector and summaries, the side-face
// choice kept with the design, and the print preview of every case.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "calculation/print_window.h"
#include "calculation/preview_surface.h"
#include "calculation/result_window.h"
#include "design/load_cases.h"
#include "document/design_document.h"
#include "forms/input_form.h"
#include "gui_test_support.h"
#include "paper/report.h"
#include "paper/sheet.h"
#include "platform/twips.h"
#include "recording_notifier.h"
#include "worked_examples.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;
using haltrix::gui::test::shownCells;
using haltrix::testing::RecordingNotifier;

namespace {

// The worked SI bracket with 常時 and 地震時, whose horizontal force makes
// it govern both the main bars and the side faces.
DesignInputs twoCases() {
    return workedTwoCases(150);
}

QString cell(QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class TestLoadCaseWindows : public QObject {
    Q_OBJECT

    DesignDocument m_document;
    RecordingSink m_sink;
    RecordingNotifier m_notifier;

private slots:
    void init() { m_document.load(twoCases(), QString()); }

    // The table from the keyboard alone: add, type, move, remove, OK.
    void inputFormTableByKeyboard() {
        auto form =
            std::make_unique<InputForm>(inputFormProfile(UnitSystem::SI), m_document, m_sink);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTableWidget* table = form->caseTable();
        QCOMPARE(shownCells(table),
                 QStringList({"常時", "100", "0", "180", "地震時", "100", "150", "300"}));

        // The first row is the reaction boxes.
        auto* p = form->findChild<QLineEdit*>("Text6");
        p->setFocus();
        p->selectAll();
        QTest::keyClicks(p, "120");
        QCOMPARE(cell(table, 0, 1), QStringLiteral("120"));

        // Tab from H reaches the table; Insert adds a copy of the current row
        // after it.
        form->findChild<QLineEdit*>("Text7")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), table);
        table->setCurrentCell(1, 0);
        QTest::keyClick(table, Qt::Key_Insert);
        QCOMPARE(table->currentRow(), 2);
        // Typing into a cell is the table's own; the name is set as typed.
        table->item(2, 0)->setText("wind");
        // wind to the top: it becomes the case of the boxes.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Up, Qt::ControlModifier);
        QTest::keyClick(table, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(shownCells(table), QStringList({"wind", "100", "150", "300", "常時", "120", "0",
                                                 "180", "地震時", "100", "150", "300"}));
        QCOMPARE(form->findChild<QLineEdit*>("Text11")->text(), QStringLiteral("300"));
        QCOMPARE(form->findChild<QLineEdit*>("Text7")->text(), QStringLiteral("150"));
        // 地震時 (now the last row) removed.
        table->setCurrentCell(2, 0);
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(table->rowCount(), 2);

        form->acceptInput();
        DesignInputs stored = workedSI();
        stored.H = 150;
        stored.sigmaSa = 300;
        stored.firstCaseName = "wind";
        stored.laterCases = {{"常時", 120, 0, 180}};
        QCOMPARE(m_document.inputs(), stored);
    }

    void inputFormRefusesABadCell() {
        auto form =
            std::make_unique<InputForm>(inputFormProfile(UnitSystem::SI), m_document, m_sink);
        form->show();
        QTableWidget* table = form->caseTable();
        table->item(1, 3)->setText("abc");
        QVERIFY(!form->storeInputs());
        QCOMPARE(m_document.inputs(), twoCases());
        QCOMPARE(m_sink.messages.size(), 1);
        QVERIFY(m_sink.texts().front().contains("荷重ケース 2 の σsa"));
        QCOMPARE(table->currentRow(), 1);
        // The last case cannot be removed.
        table->setRowCount(1);
        table->setCurrentCell(0, 0);
        form->removeCase();
        QCOMPARE(table->rowCount(), 1);
    }

    // One case: no selector, the window's size as ever. A second case shows
    // the selector, the window wider.
    void resultWindowOfOneCaseGrowsASecond() {
        DesignInputs one = twoCases();
        one.laterCases.clear();
        m_document.load(one, QString());
        auto* window = new ResultWindow(m_document, UnitSystem::SI, &m_notifier);
        window->show();
        auto* box = window->findChild<QComboBox*>("cboCase");
        QVERIFY(!box->isVisible());
        QCOMPARE(window->size(), ResultWindow::clientSize(logicalDpiOf(window)));
        m_document.setInputs(twoCases());
        QVERIFY(box->isVisible());
        QCOMPARE(box->count(), 2);
        QVERIFY(window->width() > ResultWindow::clientSize(logicalDpiOf(window)).width());
        window->close();
    }

    void resultWindowShowsEveryCase() {
        auto* window = new ResultWindow(m_document, UnitSystem::SI, &m_notifier);
        window->show();
        auto* summary = window->findChild<QTableWidget*>("tblCases");
        auto* side = window->findChild<QTableWidget*>("tblSideCases");
        // 地震時 governs the main bars (the larger ratio) and, NG with D10
        // x 4 (365.83 > 285.32 mm2), the side faces.
        QCOMPARE(summary->rowCount(), 2);
        QCOMPARE(cell(summary, 1, 0), QStringLiteral("＊"));
        QCOMPARE(cell(summary, 0, 0), QString());
        QCOMPARE(cell(side, 1, 0), QStringLiteral("＊"));
        QCOMPARE(cell(side, 1, 5), QStringLiteral("- NG -"));
        // Narrow columns: the unit under its caption, a long caption broken.
        QCOMPARE(summary->horizontalHeaderItem(5)->text(), QStringLiteral("σsa\n(N/mm2)"));
        QCOMPARE(summary->horizontalHeaderItem(6)->text(), QStringLiteral("必要\n鉄筋量\n(mm2)"));
        QCOMPARE(side->horizontalHeaderItem(4)->text(), QStringLiteral("使用量\n(mm2)"));

        // The case chosen shows its sheet, as a design of that case alone.
        window->findChild<QComboBox*>("cboCase")->setCurrentIndex(1);
        QCOMPARE(window->shownCase(), 1);
        const Sheet sheet =
            fillSheet(caseDesign(m_document.inputs(), 1),
                      calculateDesign(caseDesign(m_document.inputs(), 1)), UnitSystem::SI);
        QCOMPARE(shownCells(window->findChild<QTableWidget*>("FG2")),
                 gui::test::sheetCells(sheet.fg2));
        QCOMPARE(window->findChild<QLabel*>("Lab_ok")->text(), QString::fromUtf8(kJudgementNg));

        // D13 x 4: every case OK; the choice goes to the design.
        auto* bars = window->findChild<QListWidget*>("List_mtl_d");
        bars->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        QCOMPARE(cell(side, 1, 5), QStringLiteral("- OK -"));
        QCOMPARE(m_document.inputs().sideFaceChoice, (HorizontalChoice{1, 4}));
        QVERIFY(m_document.isModified());
        window->close();
    }

    void previewHasEveryCaseUnderItsHeading() {
        auto window = std::make_unique<PrintWindow>(m_document, nullptr, &m_notifier);
        window->show();
        const QStringList lines = window->findChild<PreviewSurface*>()->lines();
        QCOMPARE(lines.front(), QStringLiteral("荷重ケース一覧"));
        const qsizetype first = lines.indexOf(QStringLiteral("荷重ケース 1: 常時"));
        const qsizetype second = lines.indexOf(QStringLiteral("荷重ケース 2: 地震時"));
        QVERIFY(first > 0 && second > first);
        std::vector<std::string> alone = reportLines(
            caseDesign(m_document.inputs(), 1), calculateDesign(caseDesign(m_document.inputs(), 1)),
            ReportVariant::Preview);
        QCOMPARE(lines.size() - second - 1, qsizetype(alone.size()));
        for (std::size_t i = 0; i < alone.size(); ++i)
            QCOMPARE(lines[second + 1 + qsizetype(i)], QString::fromStdString(alone[i]));
    }
};

QTEST_MAIN(TestLoadCaseWindows)
#include "test_load_case_windows.moc"
