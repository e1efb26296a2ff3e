// SPDX-License-Identifier: GPL-3.0-or-later
// Bar table and the two area lookups.

#include <QTest>

#include "design/bar_table.h"

using namespace haltrix;

class TestBarTable : public QObject {
    Q_OBJECT

private slots:
    void areaByName_data() {
        QTest::addColumn<QString>("designation");
        QTest::addColumn<double>("cm2");
        QTest::addColumn<double>("mm2");
        QTest::newRow("D10") << "D10" << 0.7133 << 71.33;
        QTest::newRow("D13") << "D13" << 1.267 << 126.7;
        QTest::newRow("D16") << "D16" << 1.986 << 198.6;
        QTest::newRow("D19") << "D19" << 2.865 << 286.5;
        QTest::newRow("D22") << "D22" << 3.871 << 387.1;
        QTest::newRow("D25") << "D25" << 5.067 << 506.7;
        QTest::newRow("D29") << "D29" << 6.424 << 642.4;
        QTest::newRow("D32") << "D32" << 7.942 << 794.2;
        QTest::newRow("D35") << "D35" << 9.566 << 956.6;
        QTest::newRow("empty") << "" << 0.0 << 0.0;
        QTest::newRow("lower case") << "d22" << 0.0 << 0.0;
        QTest::newRow("blank around") << " D22" << 0.0 << 0.0;
        QTest::newRow("unknown") << "D38" << 0.0 << 0.0;
    }
    void areaByName() {
        QFETCH(QString, designation);
        QFETCH(double, cm2);
        QFETCH(double, mm2);
        QCOMPARE(barAreaByName(designation.toStdString(), BarColumn::Cm2), cm2);
        QCOMPARE(barAreaByName(designation.toStdString(), BarColumn::Mm2), mm2);
    }

    // Nominal diameters of JIS G 3112; unknown names have none (not 0, so a
    // caller cannot draw or space a bar that does not exist).
    void diameterByName_data() {
        QTest::addColumn<QString>("designation");
        QTest::addColumn<double>("mm");
        QTest::newRow("D10") << "D10" << 9.53;
        QTest::newRow("D13") << "D13" << 12.7;
        QTest::newRow("D16") << "D16" << 15.9;
        QTest::newRow("D19") << "D19" << 19.1;
        QTest::newRow("D22") << "D22" << 22.2;
        QTest::newRow("D25") << "D25" << 25.4;
        QTest::newRow("D29") << "D29" << 28.6;
        QTest::newRow("D32") << "D32" << 31.8;
        QTest::newRow("D35") << "D35" << 34.9;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("lower case") << "d22" << -1.0;
        QTest::newRow("unknown") << "D99" << -1.0;
    }
    void diameterByName() {
        QFETCH(QString, designation);
        QFETCH(double, mm);
        const std::optional<double> diameter = barDiameterByName(designation.toStdString());
        QCOMPARE(diameter.has_value(), mm > 0);
        if (diameter)
            QCOMPARE(*diameter, mm);
    }

    void areaByIndex_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("cm2");
        QTest::addColumn<double>("mm2");
        QTest::newRow("nothing selected is D10") << -1 << 0.7133 << 71.33;
        QTest::newRow("first") << 0 << 0.7133 << 71.33;
        QTest::newRow("D22") << 4 << 3.871 << 387.1;
        QTest::newRow("last") << 8 << 9.566 << 956.6;
    }
    void areaByIndex() {
        QFETCH(int, position);
        QFETCH(double, cm2);
        QFETCH(double, mm2);
        QCOMPARE(barAreaByIndex(position, BarColumn::Cm2), cm2);
        QCOMPARE(barAreaByIndex(position, BarColumn::Mm2), mm2);
    }

    void layerAreaByPosition() {
        QCOMPARE(layerAreaByIndex(4, 4.0, BarColumn::Cm2), 15.484);
        QCOMPARE(layerAreaByIndex(4, 4.0, BarColumn::Mm2), 1548.4);
        QCOMPARE(layerAreaByIndex(-1, 2.0, BarColumn::Cm2), 1.4266);
        QCOMPARE(layerAreaByIndex(2, 2.5, BarColumn::Cm2), 4.965);
        QCOMPARE(layerAreaByIndex(8, 0.0, BarColumn::Mm2), 0.0);
    }

    void listOrder() {
        const char* expected[] = {"D10", "D13", "D16", "D19", "D22", "D25", "D29", "D32", "D35"};
        for (int i = 0; i < kBarCount; ++i) {
            QCOMPARE(QString::fromUtf8(kBarDesignations[i].data(), kBarDesignations[i].size()),
                     QString::fromLatin1(expected[i]));
            QCOMPARE(barNameByIndex(i), kBarDesignations[i]);
        }
        QCOMPARE(barNameByIndex(-1), std::string_view("D10"));
    }

    void layerLookup_data() {
        QTest::addColumn<QString>("bar1");
        QTest::addColumn<double>("count1");
        QTest::addColumn<QString>("bar2");
        QTest::addColumn<double>("count2");
        QTest::addColumn<double>("area1Cm2");
        QTest::addColumn<double>("area2Cm2");
        QTest::addColumn<double>("area1Mm2");
        QTest::addColumn<double>("area2Mm2");
        QTest::newRow("4 x D22, 2 x D22")
            << "D22" << 4.0 << "D22" << 2.0 << 15.484 << 7.742 << 1548.4 << 774.2;
        QTest::newRow("fractional count")
            << "D16" << 2.5 << "D10" << 0.0 << 4.965 << 0.0 << 496.5 << 0.0;
        QTest::newRow("count 0") << "D35" << 0.0 << "D35" << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("empty designation")
            << "" << 4.0 << "D13" << 1.0 << 0.0 << 1.267 << 0.0 << 126.7;
    }
    void layerLookup() {
        QFETCH(QString, bar1);
        QFETCH(double, count1);
        QFETCH(QString, bar2);
        QFETCH(double, count2);
        QFETCH(double, area1Cm2);
        QFETCH(double, area2Cm2);
        QFETCH(double, area1Mm2);
        QFETCH(double, area2Mm2);
        DesignInputs inputs;
        inputs.layer1Bar = bar1.toStdString();
        inputs.layer1Count = count1;
        inputs.layer2Bar = bar2.toStdString();
        inputs.layer2Count = count2;
        LayerAreas areas = layerAreas(inputs, BarColumn::Cm2);
        QCOMPARE(areas.layer1, area1Cm2);
        QCOMPARE(areas.layer2, area2Cm2);
        areas = layerAreas(inputs, BarColumn::Mm2);
        QCOMPARE(areas.layer1, area1Mm2);
        QCOMPARE(areas.layer2, area2Mm2);
    }
};

QTEST_APPLESS_MAIN(TestBarTable)
#include "test_bar_table.moc"
