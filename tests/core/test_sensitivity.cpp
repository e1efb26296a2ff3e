// SPDX-License-Identifier: GPL-3.0-or-later
// The 感度 plot's model: the range of each input, the marks of a / H2 = 0.5
// and 1.0, the current design, captions with the units of the unit system,
// and the note when the calculation stops.

#include <QTest>

#include <cmath>

#include "studies/sensitivity.h"
#include "worked_examples.h"

using namespace haltrix;

namespace {

const SweepParameter& parameter(const char* name) {
    for (const SweepParameter& p : kSweepParameters) {
        if (p.name == name)
            return p;
    }
    qFatal("no parameter %s", name);
}

} // namespace

class TestSensitivity : public QObject {
    Q_OBJECT

private slots:
    void ranges_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        // The worked example: H2 = 0.7, P = 10, a = 0.3.
        QTest::newRow("a within H2") << "a" << 0.3 << 0.3 << 0.0 << 0.7;
        QTest::newRow("a beyond H2") << "a" << 0.9 << 0.9 << 0.0 << 0.9;
        QTest::newRow("a below 0") << "a" << -0.2 << -0.2 << -0.2 << 0.7;
        QTest::newRow("P") << "P" << 0.3 << 10.0 << 5.0 << 15.0;
        QTest::newRow("negative H") << "H" << 0.3 << -4.0 << -6.0 << -2.0;
        QTest::newRow("zero H") << "H" << 0.3 << 0.0 << 0.0 << 1.0;
        // H2 from 0.35 to 1.05, widened to take in H2 = a and H2 = 2a.
        QTest::newRow("H2") << "H2" << 0.3 << 0.7 << 0.3 << 1.05;
        QTest::newRow("H2, far bearing") << "H2" << 0.6 << 0.7 << 0.35 << 1.2;
    }

    void ranges() {
        QFETCH(QString, name);
        QFETCH(double, a);
        QFETCH(double, value);
        QFETCH(double, from);
        QFETCH(double, to);
        DesignInputs design = workedGravitational();
        design.a = a;
        const SweepParameter& p = parameter(name.toLatin1().constData());
        design.*p.member = value;
        const SensitivityPlot plot = sensitivityPlot(design, p);
        QVERIFY(std::fabs(plot.from - from) < 1e-12);
        QVERIFY(std::fabs(plot.to - to) < 1e-12);
        QCOMPARE(plot.x.size(), std::size_t(kSensitivitySteps + 1));
        QCOMPARE(plot.current.x, value);
    }

    // Over a, the marks stand at 0.5 x H2 and H2; over H2 at 2a and a; none
    // for the other inputs. The calculated point a = 0.35 is case 1: Ast =
    // (0.35 / 0.439167 x 10 + 0.120967) / 1800 x 1000 = 4.494782 cm2.
    void marks() {
        const SensitivityPlot overA = sensitivityPlot(workedGravitational(), parameter("a"));
        QCOMPARE(overA.markers.size(), std::size_t(2));
        QCOMPARE(overA.markers[0].x, 0.35);
        QCOMPARE(overA.markers[1].x, 0.7);
        QVERIFY(QString::fromStdString(overA.markers[0].label).startsWith("a/H2 = 0.5"));
        QVERIFY(QString::fromStdString(overA.markers[1].label).startsWith("a/H2 = 1.0"));
        QCOMPARE(overA.x[100], 0.35);
        QVERIFY(std::fabs(overA.required[100] - 4.494782) < 1e-6);
        QCOMPARE(overA.provided[100], 23.226);

        const SensitivityPlot overH2 = sensitivityPlot(workedGravitational(), parameter("H2"));
        QCOMPARE(overH2.markers.size(), std::size_t(2));
        QCOMPARE(overH2.markers[0].x, 0.6);
        QCOMPARE(overH2.markers[1].x, 0.3);

        QVERIFY(sensitivityPlot(workedGravitational(), parameter("P")).markers.empty());
    }

    // The current design by hand: a = 0.3 gives Ast = 3.862271 cm2, which
    // governs; 6 x D22 = 23.226 cm2.
    void currentDesign() {
        const SensitivityPlot plot = sensitivityPlot(workedGravitational(), parameter("a"));
        QCOMPARE(plot.current.x, 0.3);
        QCOMPARE(plot.current.label, std::string("現在の設計 a = 0.3"));
        QVERIFY(plot.currentRequired && std::fabs(*plot.currentRequired - 3.862271) < 1e-6);
        QVERIFY(plot.currentProvided && *plot.currentProvided == 23.226);
        QVERIFY(plot.note.empty());
    }

    void labels_data() {
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("xLabel");
        QTest::addColumn<QString>("yLabel");
        QTest::newRow("a, gravitational") << 1 << "a"
                                          << "支承位置 a (m)"
                                          << "主鉄筋量 (cm2)";
        QTest::newRow("P, gravitational") << 1 << "P"
                                          << "鉛直力 P (tf)"
                                          << "主鉄筋量 (cm2)";
        QTest::newRow("P, SI") << 2 << "P"
                               << "鉛直力 P (kN)"
                               << "主鉄筋量 (mm2)";
        QTest::newRow("t, SI") << 2 << "t"
                               << "被り t (mm)"
                               << "主鉄筋量 (mm2)";
        QTest::newRow("σsa, gravitational") << 1 << "sigmaSa"
                                            << "許容引張応力度 σsa (kg/cm2)"
                                            << "主鉄筋量 (cm2)";
        QTest::newRow("γc, SI") << 2 << "concreteUnitWeight"
                                << "単位体積重量 γc (kN/m3)"
                                << "主鉄筋量 (mm2)";
        QTest::newRow("count, unit system 3") << 3 << "layer1Count"
                                              << "１段目 本数 n (本)"
                                              << "主鉄筋量 (mm2)";
    }

    void labels() {
        QFETCH(int, unitSystem);
        QFETCH(QString, name);
        QFETCH(QString, xLabel);
        QFETCH(QString, yLabel);
        DesignInputs design = workedSI();
        design.unitSystem = unitSystem;
        const SensitivityPlot plot =
            sensitivityPlot(design, parameter(name.toLatin1().constData()));
        QCOMPARE(QString::fromStdString(plot.xLabel), xLabel);
        QCOMPARE(QString::fromStdString(plot.yLabel), yLabel);
    }

    // Where the calculation stops, the curves have a gap and a note says so.
    void stopped() {
        const SensitivityPlot none = sensitivityPlot(DesignInputs{}, parameter("a"));
        QCOMPARE(none.note, std::string("この範囲では計算できません（入力データが不正です）"));
        QVERIFY(std::isnan(none.required.front()) && std::isnan(none.provided.back()));
        QVERIFY(!none.currentRequired);

        // σsa = 0 gives the range 0 to 1; only its first point stops.
        DesignInputs design = workedGravitational();
        design.sigmaSa = 0;
        const SensitivityPlot atZero = sensitivityPlot(design, parameter("sigmaSa"), 4);
        QCOMPARE(atZero.from, 0.0);
        QCOMPARE(atZero.note,
                 std::string("5 点のうち 1 点で計算できません（入力データが不正です）"));
        QVERIFY(std::isnan(atZero.required[0]));
        QVERIFY(!std::isnan(atZero.required[1]));
    }
};

QTEST_APPLESS_MAIN(TestSensitivity)
#include "test_sensitivity.moc"
