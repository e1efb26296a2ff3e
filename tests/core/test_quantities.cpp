// SPDX-License-Identifier: GPL-3.0-or-later
// The quantities and the bar schedule: hand-worked bodies and bars, the unit
// masses of JIS G 3112, and the page's columns.
#include <QtTest>

#include <cmath>

#include "design/bar_mass.h"
#include "model/bracket_model.h"
#include "paper/design_quantities.h"
#include "paper/quantities.h"
#include "worked_examples.h"

using namespace haltrix;
using namespace haltrix::quantities;

class TestQuantities : public QObject {
    Q_OBJECT
private slots:
    void unitMasses_data();
    void unitMasses();
    void body_data();
    void body();
    void schedule();
    void unknownBarAndEmptyMarks();
    void pageColumns();
    void fromTheModel_data();
    void fromTheModel();
};

void TestQuantities::unitMasses_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<double>("kgPerM");
    // JIS G 3112, deformed bars.
    QTest::newRow("D10") << "D10" << 0.560;
    QTest::newRow("D13") << "D13" << 0.995;
    QTest::newRow("D16") << "D16" << 1.56;
    QTest::newRow("D19") << "D19" << 2.25;
    QTest::newRow("D22") << "D22" << 3.04;
    QTest::newRow("D25") << "D25" << 3.98;
    QTest::newRow("D29") << "D29" << 5.04;
    QTest::newRow("D32") << "D32" << 6.23;
    QTest::newRow("D35") << "D35" << 7.51;
}

void TestQuantities::unitMasses() {
    QFETCH(QString, bar);
    QFETCH(double, kgPerM);
    QCOMPARE(barUnitMassByName(bar.toStdString()), std::optional<double>(kgPerM));
    // The nominal mass is that of the nominal area at 7.85 t/m3, to 3 digits.
    const double fromArea = barAreaByName(bar.toStdString(), BarColumn::Mm2) * 7.85e-3;
    QVERIFY(std::abs(fromArea - kgPerM) / kgPerM < 0.005);
}

void TestQuantities::body_data() {
    QTest::addColumn<double>("H1");
    QTest::addColumn<double>("H2");
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("concrete");
    QTest::addColumn<double>("sides");
    QTest::addColumn<double>("soffit");
    QTest::addColumn<double>("tip");
    // (H1 + H2)/2 · l · b; 2 · (H1 + H2)/2 · l; b · √(l² + (H2 − H1)²); H1 · b.
    QTest::newRow("examples") << 500.0 << 700.0 << 250.0 << 1200.0 << 0.18 << 0.30
                              << 1.2 * std::sqrt(0.1025) << 0.60;
    // A 3-4-5 soffit: l = 400, H2 − H1 = 300, so 500 mm along the slope.
    QTest::newRow("3-4-5 soffit") << 600.0 << 900.0 << 400.0 << 1000.0 << 0.30 << 0.60 << 0.50
                                  << 0.60;
    QTest::newRow("level soffit") << 800.0 << 800.0 << 1000.0 << 500.0 << 0.40 << 1.60 << 0.50
                                  << 0.40;
    QTest::newRow("pointed tip") << 0.0 << 600.0 << 800.0 << 1500.0 << 0.36 << 0.48 << 1.50
                                 << 0.0;
}

void TestQuantities::body() {
    QFETCH(double, H1);
    QFETCH(double, H2);
    QFETCH(double, l);
    QFETCH(double, b);
    QFETCH(double, concrete);
    QFETCH(double, sides);
    QFETCH(double, soffit);
    QFETCH(double, tip);
    const Quantities q = quantitiesOf({H1, H2, l, b}, {});
    QVERIFY(std::abs(q.concreteM3 - concrete) < 1e-12);
    QVERIFY(std::abs(q.formwork.sideFaces - sides) < 1e-12);
    QVERIFY(std::abs(q.formwork.soffit - soffit) < 1e-12);
    QVERIFY(std::abs(q.formwork.tipFace - tip) < 1e-12);
    QVERIFY(std::abs(q.formwork.total() - (sides + soffit + tip)) < 1e-12);
}

// Two marks of D22 and one of D13: lengths rounded to whole mm, masses from
// the rounded lengths, totals per diameter in the bar list's order.
void TestQuantities::schedule() {
    const Quantities q = quantitiesOf(
        {500, 700, 250, 1200}, {{"S1", "主鉄筋 1段目", "D22", 1019.6, 770, 4},
                                {"S2", "主鉄筋 2段目", "D22", 1020.4, 770, 2},
                                {"H1", "水平方向用心鉄筋", "D13", 150.0, 0, 8}});
    QCOMPARE(q.rows.size(), std::size_t(3));
    QCOMPARE(q.rows[0].lengthMm, 1020.0);
    QCOMPARE(q.rows[1].lengthMm, 1020.0);
    QCOMPARE(q.rows[0].diameterMm, 22.2);
    // 4 × 1.020 × 3.04 = 12.4032; 2 × 1.020 × 3.04 = 6.2016; 8 × 0.150 × 0.995 = 1.194.
    QVERIFY(std::abs(q.rows[0].massKg - 12.4032) < 1e-9);
    QVERIFY(std::abs(q.rows[1].massKg - 6.2016) < 1e-9);
    QVERIFY(std::abs(q.rows[2].massKg - 1.194) < 1e-9);
    QCOMPARE(q.byDiameter.size(), std::size_t(2));
    QCOMPARE(q.byDiameter[0].designation, std::string("D13"));
    QCOMPARE(q.byDiameter[0].count, 8);
    QCOMPARE(q.byDiameter[1].designation, std::string("D22"));
    QCOMPARE(q.byDiameter[1].count, 6);
    QVERIFY(std::abs(q.byDiameter[1].massKg - 18.6048) < 1e-9);
    QVERIFY(std::abs(q.totalMassKg - 19.7988) < 1e-9);
    QCOMPARE(q.rows[0].shape, std::string("━━━┛ 定着 770"));
    QCOMPARE(q.rows[2].shape, std::string("━━━━"));
}

void TestQuantities::unknownBarAndEmptyMarks() {
    const Quantities q = quantitiesOf({500, 700, 250, 1200}, {{"S1", "主鉄筋 1段目", "D99", 900, 0, 3},
                                                              {"S2", "主鉄筋 2段目", "D22", 900, 0, 0},
                                                              {"S3", "主鉄筋", "", 900, 0, -1}});
    // The unknown bar keeps its row, weighs nothing and is named in a note;
    // marks without bars are left out.
    QCOMPARE(q.rows.size(), std::size_t(1));
    QCOMPARE(q.rows[0].massKg, 0.0);
    QCOMPARE(q.rows[0].unitMassKgPerM, 0.0);
    QVERIFY(q.byDiameter.empty());
    QCOMPARE(q.totalMassKg, 0.0);
    QCOMPARE(q.notes.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(q.notes[0]).contains("D99"));
}

// The schedule's columns line up in the report font: every row as wide as
// the heading, counting full-width characters as two cells.
void TestQuantities::pageColumns() {
    const Quantities q = quantitiesOf({500, 700, 250, 1200},
                                      {{"S1", "主鉄筋 1段目", "D22", 1020, 770, 4},
                                       {"H1", "水平方向用心鉄筋", "D10", 150, 0, 8}});
    const std::vector<std::string> lines = quantityLines(q, "bracket.tvx");
    auto cells = [](const std::string& line) {
        int width = 0;
        for (const QChar c : QString::fromStdString(line))
            width += c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 1 : 2;
        return width;
    };
    QCOMPARE(QString::fromStdString(lines.front()), QString("数量・鉄筋表    bracket.tvx"));
    const auto heading = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("記号") != std::string::npos;
    });
    QVERIFY(heading != lines.end());
    int rows = 0;
    for (auto line = heading + 1; line != lines.end(); ++line, ++rows)
        QCOMPARE(cells(*line), cells(*heading));
    QCOMPARE(rows, 2 + 2 + 1); // two marks, two diameters, the total
    QCOMPARE(QString::fromStdString(lines.back()).right(6), QString(" 13.08")); // 12.4032 + 0.672 = 13.0752
}

void TestQuantities::fromTheModel_data() {
    QTest::addColumn<QString>("anchorage");
    QTest::addColumn<double>("mainLength");
    QTest::addColumn<double>("sideLength");
    QTest::addColumn<double>("massKg");
    // The worked example: l - t = 250 - 100 = 150 mm before the root face.
    // 40φ: D22 150 + 888 = 1038, D10 150 + 381.2 = 531.2 → 531;
    // 6 × 1.038 × 3.04 + 4 × 0.531 × 0.560 = 18.93312 + 1.18944.
    QTest::newRow("40φ") << "40φ" << 1038.0 << 531.0 << 20.12256;
    // 600 mm: 750 for every bar; 6 × 0.75 × 3.04 + 4 × 0.75 × 0.56 = 13.68 + 1.68.
    QTest::newRow("600 mm") << "600" << 750.0 << 750.0 << 15.36;
}

void TestQuantities::fromTheModel() {
    QFETCH(QString, anchorage);
    QFETCH(double, mainLength);
    QFETCH(double, sideLength);
    QFETCH(double, massKg);
    const DesignInputs in = workedSI();
    std::string error;
    const auto rule = model::parseAnchorage(anchorage.toStdString(), error);
    QVERIFY(rule);
    const Quantities q = designQuantities(in, HorizontalChoice{-1, 4}, *rule);
    QCOMPARE(q.rows.size(), std::size_t(3));
    const std::pair<std::string, int> marks[] = {{"D22", 4}, {"D22", 2}, {"D10", 4}};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(QString::fromStdString(q.rows[i].mark), QString("S%1").arg(i + 1));
        QCOMPARE(q.rows[i].designation, marks[i].first);
        QCOMPARE(q.rows[i].count, marks[i].second);
        QCOMPARE(q.rows[i].lengthMm, i < 2 ? mainLength : sideLength);
    }
    QVERIFY(std::abs(q.totalMassKg - massKg) < 1e-9);
    // The body the model builds, by hand as in body(), and the formwork the
    // IFC model's quantities give.
    QVERIFY(std::abs(q.concreteM3 - 0.18) < 1e-12);
    QVERIFY(std::abs(q.formwork.total() - (0.9 + 1.2 * std::sqrt(0.1025))) < 1e-12);
    const auto built = model::buildBracketModel(in, HorizontalChoice{-1, 4}, *rule);
    QVERIFY(built.model);
    QVERIFY(std::abs(q.formwork.total() - built.model->body.formworkAreaMm2() / 1e6) < 1e-12);
}

QTEST_APPLESS_MAIN(TestQuantities)
#include "test_quantities.moc"
