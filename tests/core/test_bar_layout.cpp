// SPDX-License-Identifier: GPL-3.0-or-later
// The main bars' layout in the section, worked by hand.

#include <QTest>

#include "design/bar_layout.h"

using namespace haltrix;

namespace {

DesignInputs section(std::int32_t unitSystem, double t, double c) {
    DesignInputs r;
    r.unitSystem = unitSystem;
    r.b = 1.0;
    r.t = t;
    r.c = c;
    r.layer1Bar = "D22";
    r.layer1Count = 5;
    r.layer2Bar = "D19";
    r.layer2Count = 3;
    return r;
}

} // namespace

class TestBarLayout : public QObject {
    Q_OBJECT

private slots:
    // b = 1000 mm, t = 50 mm, c = 100 mm in either unit system: five D22 at
    // a pitch of 900 / 4 = 225 mm, three D19 at 900 / 2 = 450 mm.
    void layoutInMm_data() {
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("c");
        QTest::newRow("gravitational, cm") << 1 << 5.0 << 10.0;
        QTest::newRow("SI, mm") << 2 << 50.0 << 100.0;
        QTest::newRow("another flag, mm") << 3 << 50.0 << 100.0;
    }
    void layoutInMm() {
        QFETCH(int, unitSystem);
        QFETCH(double, t);
        QFETCH(double, c);
        const BarLayout layout = barLayout(section(unitSystem, t, c));
        QCOMPARE(layout.coverMm, 50.0);
        QCOMPARE(layout.layerSpacingMm, 100.0);
        const LayerLayout& first = layout.layers[0];
        QCOMPARE(first.depthMm, 50.0);
        QCOMPARE(*first.pitchMm, 225.0);
        QCOMPARE(*first.clearMm, 225.0 - 22.2);
        QCOMPARE(first.centreMm(0), 50.0);
        QCOMPARE(first.centreMm(4), 950.0);
        QCOMPARE(first.centreFromMiddleMm(0), -450.0);
        QCOMPARE(first.centreFromMiddleMm(2), 0.0);
        const LayerLayout& second = layout.layers[1];
        QCOMPARE(second.depthMm, 150.0);
        QCOMPARE(*second.clearMm, 450.0 - 19.1);
        QCOMPARE(*layout.layerGapMm, 100.0 - (22.2 + 19.1) / 2);
    }

    // A fractional count is built with its whole bars; one bar stands at mid
    // width and has no pitch; an unknown bar has a pitch but no clear spacing.
    void countsAndBars() {
        const DesignInputs r = section(2, 50.0, 100.0);
        const LayerLayout fractional = layerLayout(r, "D22", 3.7);
        QCOMPARE(fractional.wholeBars, 3.0);
        QCOMPARE(*fractional.pitchMm, 450.0);
        const LayerLayout single = layerLayout(r, "D22", 1);
        QVERIFY(!single.pitchMm);
        QVERIFY(!single.clearMm);
        QCOMPARE(single.centreMm(0), 500.0);
        const LayerLayout unknown = layerLayout(r, "D38", 4);
        QCOMPARE(*unknown.pitchMm, 300.0);
        QVERIFY(!unknown.clearMm);
        QVERIFY(!layerGapMm(r, "D22", ""));
    }
};

QTEST_APPLESS_MAIN(TestBarLayout)
#include "test_bar_layout.moc"
