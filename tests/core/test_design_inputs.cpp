// SPDX-License-Identifier: GPL-3.0-or-later
// Which changes of a record make it another design: each of the fifteen
// inputs and the unit system do, results and the side-face bar choice do not.

#include <QTest>
#include <functional>

#include "design_calculation.h"
#include "worked_examples.h"

using namespace haltrix;

using Change = std::function<void(DesignRecord&)>;
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
            "H1", [](DesignRecord& r) { r.H1 += 0.1; }, true);
        row(
            "H2", [](DesignRecord& r) { r.H2 += 0.1; }, true);
        row(
            "l", [](DesignRecord& r) { r.l += 0.1; }, true);
        row(
            "b", [](DesignRecord& r) { r.b += 0.1; }, true);
        row(
            "a", [](DesignRecord& r) { r.a += 0.1; }, true);
        row(
            "P", [](DesignRecord& r) { r.P += 1; }, true);
        row(
            "H", [](DesignRecord& r) { r.H += 1; }, true);
        row(
            "t", [](DesignRecord& r) { r.t += 1; }, true);
        row(
            "c", [](DesignRecord& r) { r.c += 1; }, true);
        row(
            "layer1Bar", [](DesignRecord& r) { r.layer1Bar = "D25"; }, true);
        row(
            "layer1Count", [](DesignRecord& r) { r.layer1Count += 1; }, true);
        row(
            "layer2Bar", [](DesignRecord& r) { r.layer2Bar = "D25"; }, true);
        row(
            "layer2Count", [](DesignRecord& r) { r.layer2Count += 1; }, true);
        row(
            "sigmaSa", [](DesignRecord& r) { r.sigmaSa += 1; }, true);
        row(
            "concreteUnitWeight", [](DesignRecord& r) { r.concreteUnitWeight += 1; }, true);
        row(
            "unitSystem", [](DesignRecord& r) { r.unitSystem = 2; }, true);
        row(
            "smallest step of H1", [](DesignRecord& r) { r.H1 = std::nextafter(r.H1, 1.0); }, true);
        row(
            "ratioCase", [](DesignRecord& r) { r.ratioCase = 2; }, false);
        row(
            "results",
            [](DesignRecord& r) {
                r.Ast = 1;
                r.S = 2;
                r.N1 = 3;
                r.d = 4;
            },
            false);
        row(
            "judgement", [](DesignRecord& r) { r.mainJudgement = kJudgementNg; }, false);
        row(
            "side-face bars",
            [](DesignRecord& r) {
                r.hBarCount = 7;
                r.hBarIndex = 3;
            },
            false);
        row(
            "same value again", [](DesignRecord& r) { r.H1 = 0.5; }, false);
    }

    void changes() {
        QFETCH(Change, change);
        QFETCH(bool, otherDesign);
        const DesignRecord before = workedGravitational();
        DesignRecord after = before;
        change(after);
        QCOMPARE(inputsOf(after) != inputsOf(before), otherDesign);
    }

    void inputsAreCopiedAsTheyAre() {
        DesignRecord r = workedGravitational();
        r.Ast = 3.86;
        r.ratioCase = 1;
        r.hBarCount = 4;
        const DesignRecord in = inputsOf(r);
        // Nothing but the inputs and the unit system.
        QCOMPARE(in.Ast, 0.0);
        QCOMPARE(in.ratioCase, 0);
        QCOMPARE(in.hBarCount, 0.0);
        QCOMPARE(in.H1, 0.5);
        QCOMPARE(in.a, 0.3);
        QCOMPARE(in.sigmaSa, 1800.0);
        QCOMPARE(in.concreteUnitWeight, 2.5);
        QCOMPARE(in.layer2Bar, std::string("D22"));
        QCOMPARE(in.layer2Count, 2.0);
        QCOMPARE(in.unitSystem, 1);
    }
};

QTEST_APPLESS_MAIN(TestDesignInputs)
#include "test_design_inputs.moc"
