// SPDX-License-Identifier: GPL-3.0-or-later
// The input form's 自動選定: the window of the best arrangements, and the
// chosen one going into the form as if typed.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "document/design_document.h"
#include "gui_test_support.h"
#include "forms/input_form.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;

namespace {

// The worked SI bracket with D22 x 4 over D22 x 2.
const DesignInputs kWorkedSI{0.5, 0.7, 0.25, 1.2, 0.3, 100, 0, 100, 250,
                             "D22", 4, "D22", 2, 180, 24.5, 2};

QString selectedBar(QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? QString() : items.front()->text();
}

} // namespace

class BarProposalWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void choosingFillsTheForm_data();
    void choosingFillsTheForm();
    void noProposalSaysWhy();

private:
    QDialog* openProposal();
    // The bar lists and the count and area boxes, as the form shows them.
    QString formBars() {
        QStringList shown{selectedBar(m_form->findChild<QListWidget*>("List1")),
                          selectedBar(m_form->findChild<QListWidget*>("List2"))};
        for (const char* name : {"Text12", "Text14", "Text15"})
            shown << m_form->findChild<QLineEdit*>(name)->text();
        return shown.join(' ');
    }

    DesignDocument m_document;
    RecordingSink m_sink;
    std::unique_ptr<InputForm> m_form;
};

void BarProposalWindowTest::init() {
    m_document.setInputs(kWorkedSI);
    m_form = std::make_unique<InputForm>(inputFormProfile(UnitSystem::SI), m_document, m_sink);
    m_form->show();
}

QDialog* BarProposalWindowTest::openProposal() {
    QTest::mouseClick(m_form->findChild<QPushButton*>("Command3"), Qt::LeftButton);
    auto* window = m_form->findChild<QDialog*>("frm_propose");
    if (!window || !window->isVisible())
        qFatal("自動選定 opened no window");
    return window;
}

// The ranking of the worked example (tests/core/test_bar_proposal.cpp). An
// empty second layer shows as the form shows one: nothing chosen, 0 bars.
void BarProposalWindowTest::choosingFillsTheForm_data() {
    QTest::addColumn<int>("row"); // -1: キャンセル
    QTest::addColumn<QString>("shown");
    QTest::newRow("first") << 0 << "D10  5 0 0.000";
    QTest::newRow("third") << 2 << "D10  7 0 0.000";
    QTest::newRow("cancel") << -1 << "D22 D22 4 2 774.200";
}

void BarProposalWindowTest::choosingFillsTheForm() {
    QFETCH(int, row);
    QFETCH(QString, shown);
    QDialog* window = openProposal();
    auto* grid = window->findChild<QTableWidget*>("FG1");
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("配置鉄筋量 (mm2)"));
    QCOMPARE(grid->item(0, 0)->text() + ' ' + grid->item(0, 2)->text(),
             QStringLiteral("D10 × 5 356.650"));
    grid->selectRow(row);
    QTest::mouseClick(window->findChild<QPushButton*>(row < 0 ? "Command2" : "Command_ok"),
                      Qt::LeftButton);
    QTRY_VERIFY(!m_form->findChild<QDialog*>("frm_propose"));
    QCOMPARE(formBars(), shown);
    // Nothing reaches the design before OK.
    QCOMPARE(m_document.inputs(), kWorkedSI);
    QTest::mouseClick(m_form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    const DesignInputs& stored = m_document.inputs();
    QCOMPARE(QString::fromStdString(stored.layer1Bar + " " + stored.layer2Bar),
             shown.section(' ', 0, 1));
    QCOMPARE(stored.layer1Count, shown.section(' ', 2, 2).toDouble());
}

// The window proposes for the design as typed, not as stored.
void BarProposalWindowTest::noProposalSaysWhy() {
    m_form->findChild<QLineEdit*>("Text2")->setText(QStringLiteral("0"));
    QDialog* window = openProposal();
    QVERIFY(window->findChild<QLabel*>("Label1")->text().contains(
        QStringLiteral("non-positive-dimension")));
    QVERIFY(!window->findChild<QPushButton*>("Command_ok")->isEnabled());
    QCOMPARE(window->findChild<QTableWidget*>("FG1")->rowCount(), 0);
}

QTEST_MAIN(BarProposalWindowTest)
#include "test_bar_proposal_window.moc"
