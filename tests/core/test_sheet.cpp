// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation sheet: the two grids of the result window as the fillers
// leave them, for both formula cases and both unit systems.

#include <QtTest>

#include <optional>
#include <string>

#include "paper/sheet.h"
#include "worked_example.h"

using namespace haltrix;
using namespace haltrix::testing;

namespace {

using Cell = std::optional<std::string>;

// The grids as rows of tab-joined cells, the self-weight grid first, an empty
// line between them; a cell never written is an empty text.
std::string sheetText(const Sheet& sheet) {
    std::string text;
    auto grid = [&](const SheetGrid& g) {
        for (int row = 0; row < g.rows; ++row) {
            for (int column = 0; column < g.columns; ++column) {
                if (column > 0)
                    text += '\t';
                text += g.cell(row, column).value_or("");
            }
            text += '\n';
        }
    };
    grid(sheet.fg1);
    text += '\n';
    grid(sheet.fg2);
    return text;
}

// A record with the self-weight table and results of the worked example, set
// by hand so that single values can be varied.
ShownDesign workedRecord(std::int32_t ratioCase) {
    ShownDesign r;
    r.inputs.unitSystem = 1;
    r.results.ratioCase = ratioCase;
    r.inputs.H1 = 0.5;
    r.inputs.H2 = 0.7;
    r.inputs.l = 0.25;
    r.inputs.b = 1.2;
    r.inputs.concreteUnitWeight = 2.5;
    r.inputs.sigmaSa = 1800;
    r.results.main.S = 10.45;
    r.results.main.sumAs = 4.146825;
    r.results.main.Ast = 3.862271;
    r.results.main.Tp = 6.83112;
    r.results.main.Zc = 0.439167;
    r.results.main.layer1Area = 15.484;
    r.results.main.layer2Area = 7.742;
    r.results.main.judgement = kJudgementOk;
    return r;
}

} // namespace

class TestSheet : public QObject {
    Q_OBJECT

private slots:
    void goldenSheets_data();
    void goldenSheets();
    void gridGeometry_data();
    void gridGeometry();
    void headingCornersNeverWritten_data();
    void headingCornersNeverWritten();
    void case1WritesEveryOtherCell();
    void case2RowsBeyondNineKeepOnlyAnEmptyUnit_data();
    void case2RowsBeyondNineKeepOnlyAnEmptyUnit();
    void formulaCaseSelection_data();
    void formulaCaseSelection();
    void ratioExactlyOneHalfGivesCase1Sheet();
    void workedExampleValues_data();
    void workedExampleValues();
    void unitTexts_data();
    void unitTexts();
    void formulaTexts();
    void valueFormats_data();
    void valueFormats();
    void noSecondLayer_data();
    void noSecondLayer();
    void emptyJudgementIsWrittenEmpty_data();
    void emptyJudgementIsWrittenEmpty();
    void judgementKeepsItsBlanks();
};

void TestSheet::goldenSheets_data() {
    QTest::addColumn<QString>("example");
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<QString>("golden");
    QTest::newRow("gravitational case 1")
        << "bracket-gravitational.tvx" << 1 << "sheet-grav-case1.txt";
    QTest::newRow("gravitational case 2")
        << "bracket-gravitational.tvx" << 2 << "sheet-grav-case2.txt";
    QTest::newRow("SI case 1") << "bracket-si.tvx" << 1 << "sheet-si-case1.txt";
    QTest::newRow("SI case 2") << "bracket-si.tvx" << 2 << "sheet-si-case2.txt";
}

void TestSheet::goldenSheets() {
    QFETCH(QString, example);
    QFETCH(int, ratioCase);
    QFETCH(QString, golden);
    ShownDesign record;
    QVERIFY(calculatedExample(example.toStdString(), ratioCase, record));
    const ShownDesign before = record;
    const std::string expected = fileBytes(dataPath(golden.toStdString()));
    QVERIFY(!expected.empty());
    const std::string actual = sheetText(fillSheet(record, unitSystemOf(record.inputs.unitSystem)));
    QCOMPARE(QString::fromStdString(actual), QString::fromStdString(expected));
    QVERIFY(actual == expected);
    QVERIFY(record == before);
}

void TestSheet::gridGeometry_data() {
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<int>("twin");
    for (int ratioCase : {0, 1, 2}) {
        for (UnitSystem twin : {UnitSystem::Gravitational, UnitSystem::SI}) {
            const QByteArray name = "case " + QByteArray::number(ratioCase) +
                                    (twin == UnitSystem::SI ? " SI" : " gravitational");
            QTest::newRow(name.constData()) << ratioCase << static_cast<int>(twin);
        }
    }
}

void TestSheet::gridGeometry() {
    QFETCH(int, ratioCase);
    QFETCH(int, twin);
    const Sheet sheet = fillSheet(workedRecord(ratioCase), static_cast<UnitSystem>(twin));
    QCOMPARE(sheet.fg1.rows, 4);
    QCOMPARE(sheet.fg1.columns, 5);
    QCOMPARE(sheet.fg1.fixedRows, 1);
    QCOMPARE(sheet.fg1.fixedColumns, 1);
    QVERIFY((sheet.fg1.columnWidthsTwips == std::vector<int>{500, 4000, 1000, 1000, 1000}));
    QCOMPARE(sheet.fg1.cells.size(), std::size_t(20));
    QCOMPARE(sheet.fg2.rows, 15);
    QCOMPARE(sheet.fg2.columns, 4);
    QCOMPARE(sheet.fg2.fixedRows, 1);
    QCOMPARE(sheet.fg2.fixedColumns, 3);
    QVERIFY((sheet.fg2.columnWidthsTwips == std::vector<int>{4500, 1200, 800, 1500}));
    QCOMPARE(sheet.fg2.cells.size(), std::size_t(60));
}

void TestSheet::headingCornersNeverWritten_data() {
    gridGeometry_data();
}

void TestSheet::headingCornersNeverWritten() {
    QFETCH(int, ratioCase);
    QFETCH(int, twin);
    const Sheet sheet = fillSheet(workedRecord(ratioCase), static_cast<UnitSystem>(twin));
    QVERIFY(!sheet.fg1.cell(0, 0).has_value());
    QVERIFY(!sheet.fg2.cell(0, 0).has_value());
    // Every other cell of the self-weight grid is written.
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
            if (row != 0 || column != 0)
                QVERIFY2(sheet.fg1.cell(row, column).has_value(),
                         qPrintable(QString("FG1 %1,%2").arg(row).arg(column)));
        }
    }
}

void TestSheet::case1WritesEveryOtherCell() {
    const Sheet sheet = fillSheet(workedRecord(1), UnitSystem::Gravitational);
    for (int row = 0; row < 15; ++row) {
        for (int column = 0; column < 4; ++column) {
            if (row != 0 || column != 0)
                QVERIFY2(sheet.fg2.cell(row, column).has_value(),
                         qPrintable(QString("FG2 %1,%2").arg(row).arg(column)));
        }
    }
}

void TestSheet::case2RowsBeyondNineKeepOnlyAnEmptyUnit_data() {
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<int>("twin");
    QTest::newRow("case 2 gravitational") << 2 << static_cast<int>(UnitSystem::Gravitational);
    QTest::newRow("case 2 SI") << 2 << static_cast<int>(UnitSystem::SI);
    QTest::newRow("case 0 gravitational") << 0 << static_cast<int>(UnitSystem::Gravitational);
    QTest::newRow("case 7 SI") << 7 << static_cast<int>(UnitSystem::SI);
}

void TestSheet::case2RowsBeyondNineKeepOnlyAnEmptyUnit() {
    QFETCH(int, ratioCase);
    QFETCH(int, twin);
    const Sheet sheet = fillSheet(workedRecord(ratioCase), static_cast<UnitSystem>(twin));
    for (int row = 1; row <= 9; ++row) {
        for (int column = 0; column < 4; ++column)
            QVERIFY(sheet.fg2.cell(row, column).has_value());
    }
    for (int row = 10; row <= 14; ++row) {
        QVERIFY(!sheet.fg2.cell(row, 0).has_value());
        QVERIFY(!sheet.fg2.cell(row, 1).has_value());
        QCOMPARE(sheet.fg2.cell(row, 2), Cell(""));
        QVERIFY(!sheet.fg2.cell(row, 3).has_value());
    }
}

void TestSheet::formulaCaseSelection_data() {
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<QString>("firstLabel");
    QTest::addColumn<QString>("astLabel");
    QTest::addColumn<int>("astRow");
    QTest::newRow("1") << 1 << "はり付け根でのせん断力（自重を含む）"
                       << "（2)式より求まるはり上面鉄筋量" << 11;
    QTest::newRow("2") << 2 << "Ｔp = Ｐ･tanα"
                       << "はり上面必要鉄筋量" << 6;
    QTest::newRow("0, never derived") << 0 << "Ｔp = Ｐ･tanα"
                                      << "はり上面必要鉄筋量" << 6;
    QTest::newRow("-1") << -1 << "Ｔp = Ｐ･tanα"
                        << "はり上面必要鉄筋量" << 6;
}

void TestSheet::formulaCaseSelection() {
    QFETCH(int, ratioCase);
    QFETCH(QString, firstLabel);
    QFETCH(QString, astLabel);
    QFETCH(int, astRow);
    const Sheet sheet = fillSheet(workedRecord(ratioCase), UnitSystem::Gravitational);
    QCOMPARE(sheet.fg2.cell(1, 0), Cell(firstLabel.toStdString()));
    QCOMPARE(sheet.fg2.cell(astRow, 0), Cell(astLabel.toStdString()));
    QCOMPARE(sheet.fg2.cell(astRow, 3), Cell("3.86"));
}

void TestSheet::ratioExactlyOneHalfGivesCase1Sheet() {
    ShownDesign r = workedRecord(0);
    r.inputs.a = 0.3;
    r.inputs.H2 = 0.6;
    r.results.ratioCase = formulaCaseOf(r.inputs);
    QCOMPARE(r.results.ratioCase, 1);
    QCOMPARE(fillSheet(r, UnitSystem::SI).fg2.cell(3, 1), Cell("ΣＡs"));
    r.inputs.a = 0.30000001;
    r.results.ratioCase = formulaCaseOf(r.inputs);
    QCOMPARE(r.results.ratioCase, 2);
    QCOMPARE(fillSheet(r, UnitSystem::SI).fg2.cell(4, 0), Cell("Ｚc = 0.85･ｄ"));
}

void TestSheet::workedExampleValues_data() {
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("value");
    QTest::newRow("case 1 S") << 1 << 1 << "S"
                              << "10.450";
    QTest::newRow("case 1 σsa") << 1 << 2 << "σsa"
                                << "1800";
    QTest::newRow("case 1 ΣAs") << 1 << 3 << "ΣＡs"
                                << "4.15";
    QTest::newRow("case 1 2/3 ΣAs") << 1 << 4 << "2/3･ΣＡs"
                                    << "2.76";
    QTest::newRow("case 1 1/3 ΣAs") << 1 << 5 << "1/3･ΣＡs"
                                    << "1.38";
    QTest::newRow("case 1 Tp") << 1 << 6 << "ＴP"
                               << "6.831";
    QTest::newRow("case 1 Zc") << 1 << 9 << ""
                               << "0.44";
    QTest::newRow("case 1 second σsa") << 1 << 10 << "σsa"
                                       << "1800";
    QTest::newRow("case 1 Ast") << 1 << 11 << ""
                                << "3.86";
    QTest::newRow("case 1 half of Ast") << 1 << 12 << "５０％･Ａst"
                                        << "1.93";
    QTest::newRow("case 1 As") << 1 << 13 << "Ａs"
                               << "23.23";
    QTest::newRow("case 2 Tp") << 2 << 1 << "ＴP"
                               << "6.831";
    QTest::newRow("case 2 Zc") << 2 << 4 << ""
                               << "0.44";
    QTest::newRow("case 2 σsa") << 2 << 5 << "σsa"
                                << "1800";
    QTest::newRow("case 2 Ast") << 2 << 6 << ""
                                << "3.86";
    QTest::newRow("case 2 40% of Ast") << 2 << 7 << "４０％･Ａst"
                                       << "1.54";
    QTest::newRow("case 2 As") << 2 << 8 << "Ａs"
                               << "23.23";
}

void TestSheet::workedExampleValues() {
    QFETCH(int, ratioCase);
    QFETCH(int, row);
    QFETCH(QString, symbol);
    QFETCH(QString, value);
    const Sheet sheet = fillSheet(workedRecord(ratioCase), UnitSystem::Gravitational);
    QCOMPARE(sheet.fg2.cell(row, 1), Cell(symbol.toStdString()));
    QCOMPARE(sheet.fg2.cell(row, 3), Cell(value.toStdString()));
}

void TestSheet::unitTexts_data() {
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<int>("grid"); // 1 or 2
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("gravitational");
    QTest::addColumn<QString>("si");
    for (int ratioCase : {1, 2}) {
        const QByteArray c = "case " + QByteArray::number(ratioCase) + " ";
        QTest::newRow(c + "FG1 N") << ratioCase << 1 << 0 << 2 << "   N(tf)"
                                   << "   N(kN)";
        QTest::newRow(c + "FG1 x") << ratioCase << 1 << 0 << 3 << "   x(m)"
                                   << "   x(m)";
        QTest::newRow(c + "FG1 M") << ratioCase << 1 << 0 << 4 << "   M(tf･m)"
                                   << "   M(kN･m)";
        QTest::newRow(c + "FG2 heading") << ratioCase << 2 << 0 << 2 << "   単位"
                                         << "   単位";
    }
    const struct {
        int row;
        const char* grav;
        const char* si;
    } case1[] = {{1, "tf", "kN"},    {2, "kg/cm2", "N/mm2"},
                 {3, "cm2", "mm2"},  {4, "cm2", "mm2"},
                 {5, "cm2", "mm2"},  {6, "tf", "kN"},
                 {7, "tf", "kN"},    {8, "tf･m", "kN･m"},
                 {9, "m", "m"},      {10, "kg/cm2", "N/mm2"},
                 {11, "cm2", "mm2"}, {12, "cm2", "mm2"},
                 {13, "cm2", "mm2"}, {14, "", ""}},
      case2[] = {{1, "tf", "kN"},   {2, "tf", "kN"},        {3, "tf･m", "kN･m"},
                 {4, "m", "m"},     {5, "kg/cm2", "N/mm2"}, {6, "cm2", "mm2"},
                 {7, "cm2", "mm2"}, {8, "cm2", "mm2"},      {9, "", ""}};
    for (const auto& u : case1)
        QTest::newRow(("case 1 FG2 row " + QByteArray::number(u.row)).constData())
            << 1 << 2 << u.row << 2 << u.grav << u.si;
    for (const auto& u : case2)
        QTest::newRow(("case 2 FG2 row " + QByteArray::number(u.row)).constData())
            << 2 << 2 << u.row << 2 << u.grav << u.si;
}

void TestSheet::unitTexts() {
    QFETCH(int, ratioCase);
    QFETCH(int, grid);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, gravitational);
    QFETCH(QString, si);
    const ShownDesign record = workedRecord(ratioCase);
    const Sheet g = fillSheet(record, UnitSystem::Gravitational);
    const Sheet s = fillSheet(record, UnitSystem::SI);
    const SheetGrid& gg = grid == 1 ? g.fg1 : g.fg2;
    const SheetGrid& sg = grid == 1 ? s.fg1 : s.fg2;
    QCOMPARE(gg.cell(row, column), Cell(gravitational.toStdString()));
    QCOMPARE(sg.cell(row, column), Cell(si.toStdString()));
    // Nothing but the unit texts differs: the values stay as stored.
    for (int r = 0; r < gg.rows; ++r)
        QCOMPARE(gg.cell(r, gg.columns - 1).has_value(), sg.cell(r, sg.columns - 1).has_value());
    QCOMPARE(g.fg2.cell(1, 3), s.fg2.cell(1, 3));
    QCOMPARE(g.fg1.cell(1, 1), s.fg1.cell(1, 1));
}

void TestSheet::formulaTexts() {
    ShownDesign r;
    r.inputs.l = 1.2;
    r.inputs.H1 = 0.8;
    r.inputs.b = 2;
    r.inputs.concreteUnitWeight = 2.5;
    r.inputs.H2 = 1.5;
    const Sheet sheet = fillSheet(r, UnitSystem::Gravitational);
    QCOMPARE(sheet.fg1.cell(1, 0), Cell(" ①"));
    QCOMPARE(sheet.fg1.cell(1, 1), Cell("1.200* 0.800 * 2.000 * 2.500"));
    QCOMPARE(sheet.fg1.cell(2, 0), Cell(" ②"));
    QCOMPARE(sheet.fg1.cell(2, 1), Cell("1/2 * 1.200* (1.500 - 0.800) * 2.000 * 2.500"));
    QCOMPARE(sheet.fg1.cell(3, 0), Cell("合計"));
    QCOMPARE(sheet.fg1.cell(3, 1), Cell("               -"));
    QCOMPARE(sheet.fg1.cell(3, 3), Cell("    - "));
    QCOMPARE(sheet.fg1.cell(0, 1), Cell("                  式"));
}

void TestSheet::valueFormats_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("threeDecimals"); // Tp, "0.000"
    QTest::addColumn<QString>("twoDecimals");   // Zc, "0.00"
    QTest::addColumn<QString>("whole");         // σsa, "0"
    QTest::newRow("zero") << 0.0 << "0.000"
                          << "0.00"
                          << "0";
    QTest::newRow("negative") << -0.25 << "-0.250"
                              << "-0.25"
                              << "0";
    QTest::newRow("1800") << 1800.0 << "1800.000"
                          << "1800.00"
                          << "1800";
    QTest::newRow("1800.4") << 1800.4 << "1800.400"
                            << "1800.40"
                            << "1800";
    QTest::newRow("large, no grouping") << 1234567.891 << "1234567.891"
                                        << "1234567.89"
                                        << "1234568";
    QTest::newRow("negative rounding to zero") << -0.0004 << "0.000"
                                               << "0.00"
                                               << "0";
}

void TestSheet::valueFormats() {
    QFETCH(double, value);
    QFETCH(QString, threeDecimals);
    QFETCH(QString, twoDecimals);
    QFETCH(QString, whole);
    ShownDesign r;
    r.results.ratioCase = 2;
    r.results.main.Tp = value;
    r.results.main.Zc = value;
    r.inputs.sigmaSa = value;
    r.results.selfWeight.N1 = value;
    const Sheet sheet = fillSheet(r, UnitSystem::Gravitational);
    QCOMPARE(sheet.fg2.cell(1, 3), Cell(threeDecimals.toStdString()));
    QCOMPARE(sheet.fg2.cell(4, 3), Cell(twoDecimals.toStdString()));
    QCOMPARE(sheet.fg2.cell(5, 3), Cell(whole.toStdString()));
    QCOMPARE(sheet.fg1.cell(1, 2), Cell(threeDecimals.toStdString()));
}

void TestSheet::noSecondLayer_data() {
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<int>("row");
    QTest::newRow("case 1") << 1 << 13;
    QTest::newRow("case 2") << 2 << 8;
}

void TestSheet::noSecondLayer() {
    QFETCH(int, ratioCase);
    QFETCH(int, row);
    ShownDesign r = workedRecord(ratioCase);
    r.results.main.layer2Area = 0;
    QCOMPARE(fillSheet(r, UnitSystem::Gravitational).fg2.cell(row, 3), Cell("15.48"));
    r.results.main.layer1Area = 0;
    r.results.main.layer2Area = 7.742;
    QCOMPARE(fillSheet(r, UnitSystem::Gravitational).fg2.cell(row, 3), Cell("7.74"));
}

void TestSheet::emptyJudgementIsWrittenEmpty_data() {
    noSecondLayer_data();
    QTest::newRow("case 1, judgement row") << 1 << 14;
    QTest::newRow("case 2, judgement row") << 2 << 9;
}

void TestSheet::emptyJudgementIsWrittenEmpty() {
    QFETCH(int, ratioCase);
    QFETCH(int, row);
    ShownDesign r;
    r.results.ratioCase = ratioCase;
    const Sheet sheet = fillSheet(r, UnitSystem::SI);
    const int judgementRow = ratioCase == 1 ? 14 : 9;
    QCOMPARE(sheet.fg2.cell(judgementRow, 0), Cell("判定"));
    QCOMPARE(sheet.fg2.cell(judgementRow, 1), Cell(""));
    QCOMPARE(sheet.fg2.cell(judgementRow, 2), Cell(""));
    QCOMPARE(sheet.fg2.cell(judgementRow, 3), Cell(""));
    // A fresh record shows zeros in the pattern of each row.
    if (row != judgementRow)
        QCOMPARE(sheet.fg2.cell(row, 3), Cell("0.00"));
}

void TestSheet::judgementKeepsItsBlanks() {
    ShownDesign r = workedRecord(1);
    r.results.main.judgement = kJudgementNg;
    QCOMPARE(fillSheet(r, UnitSystem::Gravitational).fg2.cell(14, 3), Cell("    - NG -"));
    r.results.ratioCase = 2;
    QCOMPARE(fillSheet(r, UnitSystem::SI).fg2.cell(9, 3), Cell("    - NG -"));
}

QTEST_APPLESS_MAIN(TestSheet)
#include "test_sheet.moc"
