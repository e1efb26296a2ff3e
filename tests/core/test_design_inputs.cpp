// SPDX-License-Identifier: GPL-3.0-or-later
// Which changes make another design: each of the fifteen inputs and the unit
// system do, and each reaches the design file.

#include <QTest>
#include <functional>

#include "design_file.h"
#include "worked_examples.h"

using namespace haltrix;

using Change = std::function<void(DesignInputs&)>;
Q_DECLARE_METATYPE(Change)

class TestDesignInputs : public QObject {
    Q_OBJECT

private slots:
    void changes_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("otherDesign");
        auto row = [](const char* name, Change change, bool other) {
            QTest::newRow(name) << change << other;
        };
        row(
            "H1", [](DesignInputs& r) { r.H1 += 0.1; }, true);
        row(
            "H2", [](DesignInputs& r) { r.H2 += 0.1; }, true);
        row(
            "l", [](DesignInputs& r) { r.l += 0.1; }, true);
        row(
            "b", [](DesignInputs& r) { r.b += 0.1; }, true);
        row(
            "a", [](DesignInputs& r) { r.a += 0.1; }, true);
        row(
            "P", [](DesignInputs& r) { r.P += 1; }, true);
        row(
            "H", [](DesignInputs& r) { r.H += 1; }, true);
        row(
            "t", [](DesignInputs& r) { r.t += 1; }, true);
        row(
            "c", [](DesignInputs& r) { r.c += 1; }, true);
        row(
            "layer1Bar", [](DesignInputs& r) { r.layer1Bar = "D25"; }, true);
        row(
            "layer1Count", [](DesignInputs& r) { r.layer1Count += 1; }, true);
        row(
            "layer2Bar", [](DesignInputs& r) { r.layer2Bar = "D25"; }, true);
        row(
            "layer2Count", [](DesignInputs& r) { r.layer2Count += 1; }, true);
        row(
            "sigmaSa", [](DesignInputs& r) { r.sigmaSa += 1; }, true);
        row(
            "concreteUnitWeight", [](DesignInputs& r) { r.concreteUnitWeight += 1; }, true);
        row(
            "unitSystem", [](DesignInputs& r) { r.unitSystem = 2; }, true);
        row(
            "smallest step of H1", [](DesignInputs& r) { r.H1 = std::nextafter(r.H1, 1.0); }, true);
        row(
            "same value again", [](DesignInputs& r) { r.H1 = 0.5; }, false);
    }

    void changes() {
        QFETCH(Change, change);
        QFETCH(bool, otherDesign);
        const DesignInputs before = workedGravitational();
        DesignInputs after = before;
        change(after);
        QCOMPARE(after != before, otherDesign);
        // The file keeps 15 significant digits: the smallest step is lost.
        if (QByteArray(QTest::currentDataTag()) != "smallest step of H1")
            QCOMPARE(designFileText(after) != designFileText(before), otherDesign);
    }
};

QTEST_APPLESS_MAIN(TestDesignInputs)
#include "test_design_inputs.moc"
