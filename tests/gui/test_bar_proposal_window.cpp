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

#include "design_document.h"
#include "gui_test_support.h"
#include "input_form.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;

namespace {

// The worked SI bracket with D22 x 4 over D22 x 2.
DesignInputs workedSI() {
    DesignInputs r;
    r.H1 = 0.5;
    r.H2 = 0.7;
    r.l = 0.25;
    r.b = 1.2;
    r.a = 0.3;
    r.P = 100;
    r.t = 100;
    r.c = 250;
    r.sigmaSa = 180;
    r.concreteUnitWeight = 24.5;
    r.layer1Bar = "D22";
    r.layer1Count = 4;
    r.layer2Bar = "D22";
    r.layer2Count = 2;
    r.unitSystem = 2;
    return r;
}

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
    void cancelChangesNothing();
    void noProposalSaysWhy();

private:
    QDialog* openProposal();
    template <typename T> T* child(const char* name) {
        T* found = m_form->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    DesignDocument m_document;
    RecordingSink m_sink;
    std::unique_ptr<InputForm> m_form;
};

void BarProposalWindowTest::init() {
    m_document.setInputs(workedSI());
    m_form = std::make_unique<InputForm>(inputFormProfile(Twin::SI), m_document, m_sink);
    m_form->show();
}

QDialog* BarProposalWindowTest::openProposal() {
    QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton);
    auto* window = m_form->findChild<QDialog*>("frm_propose");
    if (!window || !window->isVisible())
        qFatal("自動選定 opened no window");
    return window;
}

// The ranking of the worked example (tests/core/test_bar_proposal.cpp).
void BarProposalWindowTest::choosingFillsTheForm_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("bar1");
    QTest::addColumn<QString>("count1");
    QTest::addColumn<QString>("bar2");
    QTest::addColumn<QString>("count2");
    QTest::addColumn<QString>("area2");
    // An empty second layer shows as the form shows one: D10 with 0 bars.
    QTest::newRow("one layer") << 0 << "D10" << "5" << "D10" << "0" << "0.000";
    QTest::newRow("two layers") << 2 << "D13" << "2" << "D10" << "2" << "142.660";
}

void BarProposalWindowTest::choosingFillsTheForm() {
    QFETCH(int, row);
    QFETCH(QString, bar1);
    QFETCH(QString, count1);
    QFETCH(QString, bar2);
    QFETCH(QString, count2);
    QFETCH(QString, area2);
    QDialog* window = openProposal();
    auto* grid = window->findChild<QTableWidget*>("FG1");
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(grid->columnCount(), 6);
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("配置鉄筋量 (mm2)"));
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("D10 × 5"));
    QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("356.650"));
    grid->selectRow(row);
    QTest::mouseClick(window->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QVERIFY(m_form->findChild<QDialog*>("frm_propose") == nullptr ||
            !m_form->findChild<QDialog*>("frm_propose")->isVisible());

    QCOMPARE(selectedBar(child<QListWidget>("List1")), bar1);
    QCOMPARE(child<QLineEdit>("Text12")->text(), count1);
    QCOMPARE(selectedBar(child<QListWidget>("List2")), bar2);
    QCOMPARE(child<QLineEdit>("Text14")->text(), count2);
    // The areas follow as if typed.
    QCOMPARE(child<QLineEdit>("Text15")->text(), area2);
    // Nothing reaches the design before OK.
    QCOMPARE(m_document.inputs(), workedSI());
    QTest::mouseClick(child<QPushButton>("Command_ok"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(m_document.inputs().layer1Bar), bar1);
    QCOMPARE(m_document.inputs().layer1Count, count1.toDouble());
    QCOMPARE(m_document.inputs().layer2Count, count2.toDouble());
}

void BarProposalWindowTest::cancelChangesNothing() {
    QDialog* window = openProposal();
    QTest::mouseClick(window->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QCOMPARE(selectedBar(child<QListWidget>("List1")), QStringLiteral("D22"));
    QCOMPARE(child<QLineEdit>("Text12")->text(), QStringLiteral("4"));
    QCOMPARE(child<QLineEdit>("Text14")->text(), QStringLiteral("2"));
}

// The window proposes for the design as typed, not as stored.
void BarProposalWindowTest::noProposalSaysWhy() {
    child<QLineEdit>("Text2")->setText(QStringLiteral("0"));
    QDialog* window = openProposal();
    QVERIFY(window->findChild<QLabel*>("Label1")->text().contains(
        QStringLiteral("non-positive-dimension")));
    QVERIFY(!window->findChild<QPushButton*>("Command_ok")->isEnabled());
    QCOMPARE(window->findChild<QTableWidget*>("FG1")->rowCount(), 0);
}

QTEST_MAIN(BarProposalWindowTest)
#include "test_bar_proposal_window.moc"
