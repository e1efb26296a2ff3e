// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report: the lines of the four page sets, their variants,
// the number fields and the horizontal bar designation.

#include <QtTest>

#include <string>
#include <vector>

#include "design/horizontal_check.h"
#include "paper/report.h"
#include "worked_example.h"
#include "worked_examples.h"

using namespace haltrix;
using namespace haltrix::testing;

namespace {

std::string sp(int count) {
    return std::string(static_cast<std::size_t>(count), ' ');
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The input-data section of the preview has 20 lines; line n of the result
// section follows it.
constexpr int kInputLines = 20;

const std::string& resultLine(const std::vector<std::string>& lines, int n) {
    return lines.at(static_cast<std::size_t>(kInputLines + n - 1));
}

const std::string& inputLine(const std::vector<std::string>& lines, int n) {
    return lines.at(static_cast<std::size_t>(n - 1));
}

// The results of the worked example, set by hand so that single values can
// be varied.
ShownDesign workedRecord(std::int32_t unitSystem, std::int32_t ratioCase) {
    ShownDesign r;
    r.inputs = workedGravitational();
    r.inputs.unitSystem = unitSystem;
    r.results.ratioCase = ratioCase;
    r.results.selfWeight.N1 = 0.375;
    r.results.selfWeight.x1 = 0.125;
    r.results.selfWeight.M1 = 0.046875;
    r.results.selfWeight.N2 = 0.075;
    r.results.selfWeight.x2 = 0.25 / 3.0;
    r.results.selfWeight.M2 = 0.00625;
    r.results.selfWeight.Ntotal = 0.45;
    r.results.selfWeight.M = 0.053125;
    r.results.main.S = 10.45;
    r.results.main.sumAs = 4.146825;
    r.results.main.Ast = 3.862271;
    r.results.main.Tp = 6.83112;
    r.results.main.Zc = 0.439167;
    r.results.main.layer1Area = 15.484;
    r.results.main.layer2Area = 7.742;
    r.results.main.judgement = kJudgementOk;
    r.results.sideFaces.barIndex = -1;
    r.results.sideFaces.barCount = 4;
    r.results.sideFaces.barArea = 0.7133;
    r.results.sideFaces.As = 2.8532;
    r.results.sideFaces.barName = "D10";
    return r;
}

class LineCollector : public TextTarget {
public:
    void writeLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void goldenReports_data();
    void goldenReports();
    void printVariantHasThreeMoreBlankLines_data();
    void printVariantHasThreeMoreBlankLines();
    void noReportForOtherUnitSystems_data();
    void noReportForOtherUnitSystems();
    void ratioCaseChoosesResultSection_data();
    void ratioCaseChoosesResultSection();
    void rulesAndBlankLines_data();
    void rulesAndBlankLines();
    void workedExampleGravitational_data();
    void workedExampleGravitational();
    void storedValuesSI_data();
    void storedValuesSI();
    void horizontalBarName_data();
    void horizontalBarName();
    void horizontalBarNameSetBetweenItsLines_data();
    void horizontalBarNameSetBetweenItsLines();
    void noBarChosenAndNoCount();
    void valueLongerThanItsField();
    void unitWeightWidensSelfWeightRowsSI();
    void emptyJudgement_data();
    void emptyJudgement();
    void negativeValueKeepsItsSign();
    void sideShareGoverningRequiredHorizontalSteel();
    void inputSectionFields();
    void freshDesign();
    void roundingAndCutting();
    void calculatedChoiceIsNamed();
    void collectedLinesMatchTarget();
};

void TestReport::goldenReports_data() {
    QTest::addColumn<QString>("example");
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("golden");
    const struct {
        const char* name;
        const char* example;
        int ratioCase;
        const char* stem;
    } sets[] = {
        {"gravitational case 1", "bracket-gravitational.tvx", 1, "report-grav-case1"},
        {"gravitational case 2", "bracket-gravitational.tvx", 2, "report-grav-case2"},
        {"SI case 1", "bracket-si.tvx", 1, "report-si-case1"},
        {"SI case 2", "bracket-si.tvx", 2, "report-si-case2"},
    };
    for (const auto& s : sets) {
        QTest::newRow((std::string(s.name) + " preview").c_str())
            << s.example << s.ratioCase << false << QString(s.stem) + "-preview.txt";
        QTest::newRow((std::string(s.name) + " print").c_str())
            << s.example << s.ratioCase << true << QString(s.stem) + "-print.txt";
    }
}

void TestReport::goldenReports() {
    QFETCH(QString, example);
    QFETCH(int, ratioCase);
    QFETCH(bool, print);
    QFETCH(QString, golden);
    ShownDesign record;
    QVERIFY(calculatedExample(example.toStdString(), ratioCase, record));
    const std::string expected = fileBytes(dataPath(golden.toStdString()));
    QVERIFY(!expected.empty());
    const std::string actual =
        joined(reportLines(record, print ? ReportVariant::Print : ReportVariant::Preview));
    QCOMPARE(QString::fromStdString(actual), QString::fromStdString(expected));
    QVERIFY(actual == expected);
}

void TestReport::printVariantHasThreeMoreBlankLines_data() {
    QTest::addColumn<int>("unitSystem");
    QTest::addColumn<int>("ratioCase");
    QTest::newRow("gravitational case 1") << 1 << 1;
    QTest::newRow("gravitational case 2") << 1 << 2;
    QTest::newRow("SI case 1") << 2 << 1;
    QTest::newRow("SI case 2") << 2 << 2;
}

void TestReport::printVariantHasThreeMoreBlankLines() {
    QFETCH(int, unitSystem);
    QFETCH(int, ratioCase);
    ShownDesign record = workedRecord(unitSystem, ratioCase);
    const std::vector<std::string> preview = reportLines(record, ReportVariant::Preview);
    const std::vector<std::string> print = reportLines(record, ReportVariant::Print);
    QCOMPARE(print.size(), preview.size() + 3);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(print[static_cast<std::size_t>(i)], std::string());
    QVERIFY(std::equal(preview.begin(), preview.end(), print.begin() + 3));
    QCOMPARE(preview[0], std::string());
    QCOMPARE(preview[1], std::string(" (1) 入力データ"));
    QCOMPARE(print[4], std::string(" (1) 入力データ"));
}

void TestReport::noReportForOtherUnitSystems_data() {
    QTest::addColumn<int>("unitSystem");
    QTest::newRow("0") << 0;
    QTest::newRow("3") << 3;
    QTest::newRow("-1") << -1;
}

void TestReport::noReportForOtherUnitSystems() {
    QFETCH(int, unitSystem);
    for (ReportVariant variant : {ReportVariant::Preview, ReportVariant::Print}) {
        const ShownDesign record = workedRecord(unitSystem, 1);
        LineCollector target;
        QVERIFY(!writeReport(record, target, variant));
        QVERIFY(target.lines.empty());
        QVERIFY(reportLines(record, variant).empty());
    }
    ShownDesign record = workedRecord(1, 1);
    LineCollector target;
    QVERIFY(writeReport(record, target, ReportVariant::Preview));
    QVERIFY(!target.lines.empty());
}

void TestReport::ratioCaseChoosesResultSection_data() {
    QTest::addColumn<int>("unitSystem");
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<int>("resultLines");
    QTest::addColumn<QString>("title");
    QTest::newRow("gravitational 1") << 1 << 1 << 42 << " 0.5≧ａ／Ｈ2の場合";
    QTest::newRow("gravitational 2") << 1 << 2 << 36 << " 1.0≧ａ／Ｈ2＞0.5の場合";
    QTest::newRow("gravitational 0") << 1 << 0 << 36 << " 1.0≧ａ／Ｈ2＞0.5の場合";
    QTest::newRow("gravitational 5") << 1 << 5 << 36 << " 1.0≧ａ／Ｈ2＞0.5の場合";
    QTest::newRow("SI 1") << 2 << 1 << 42 << " 0.5≧ａ／Ｈ2の場合";
    QTest::newRow("SI 2") << 2 << 2 << 36 << " 1.0≧ａ／Ｈ2＞0.5";
    QTest::newRow("SI 0") << 2 << 0 << 36 << " 1.0≧ａ／Ｈ2＞0.5";
    QTest::newRow("SI -1") << 2 << -1 << 36 << " 1.0≧ａ／Ｈ2＞0.5";
}

void TestReport::ratioCaseChoosesResultSection() {
    QFETCH(int, unitSystem);
    QFETCH(int, ratioCase);
    QFETCH(int, resultLines);
    QFETCH(QString, title);
    ShownDesign record = workedRecord(unitSystem, ratioCase);
    const std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(static_cast<int>(lines.size()), kInputLines + resultLines);
    QCOMPARE(resultLine(lines, 2), std::string(" (2) 計算結果"));
    QCOMPARE(QString::fromStdString(resultLine(lines, 3)), title);
    if (resultLines == 42) {
        QCOMPARE(resultLine(lines, 4), std::string(" ΣAs=S／(1.4･σsa)          ---(1)"));
        QCOMPARE(resultLine(lines, 5), std::string(" Ast=(Tp + H + M／Zc)／σsa  ---(2)"));
    } else {
        QCOMPARE(resultLine(lines, 4), std::string(" Ast=(Tp + H + M／Zc)／σsa"));
        // No quantity of formula (1) is shown.
        for (const std::string& line : lines)
            QVERIFY(line.find("ΣＡs") == std::string::npos &&
                    line.find("（1)") == std::string::npos);
    }
}

void TestReport::rulesAndBlankLines_data() {
    ratioCaseChoosesResultSection_data();
}

void TestReport::rulesAndBlankLines() {
    QFETCH(int, unitSystem);
    QFETCH(int, ratioCase);
    QFETCH(int, resultLines);
    ShownDesign record = workedRecord(unitSystem, ratioCase);
    const std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    const std::string rule(97, '-');
    // Head 1 to 16 (case 1) or 1 to 15 (case 2); the case-2 lines sit one
    // earlier up to the self-weight table.
    const int shift = resultLines == 42 ? 0 : 1;
    std::vector<int> rules = {8 - shift, 13 - shift, 18 - shift};
    std::vector<int> blanks = {1, 6 - shift, 14 - shift, 15 - shift, 16 - shift};
    if (resultLines == 42) {
        rules.push_back(33);
        blanks.insert(blanks.end(), {34, 35, 36, 38});
    } else {
        rules.push_back(27);
        blanks.insert(blanks.end(), {28, 29, 30, 32});
    }
    for (int n : rules)
        QCOMPARE(resultLine(lines, n), rule);
    for (int n : blanks)
        QCOMPARE(resultLine(lines, n), std::string());
    for (int n : {7, 11, 17, 19, 20})
        QCOMPARE(inputLine(lines, n), std::string());
    QCOMPARE(resultLine(lines, 7 - shift), std::string(" 1)はりの自重及びモーメント"));
    QCOMPARE(resultLine(lines, 17 - shift), std::string(" 2)鉄筋量の計算"));
    QCOMPARE(resultLine(lines, resultLines - 5), std::string(" 3)水平方向用心鉄筋"));
}

void TestReport::workedExampleGravitational_data() {
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("case 1 line 19")
        << 1 << 19
        << QString::fromStdString(" はり付け根でのせん断力（自重を含む）" + sp(17) +
                                  "  10.45 (tf)");
    QTest::newRow("case 1 line 21")
        << 1 << 21
        << QString::fromStdString(" 必要鉄筋量（上面(Ａs1)＋側面(Ａs2)）" + sp(17) +
                                  "   4.15 (cm2)");
    QTest::newRow("case 1 line 22")
        << 1 << 22
        << QString::fromStdString(" （1)式より求まる上面鉄筋量" + sp(27) + "   2.76 (cm2)");
    QTest::newRow("case 1 line 23")
        << 1 << 23
        << QString::fromStdString(" （1)式より求まる側面鉄筋量" + sp(27) + "   1.38 (cm2)");
    QTest::newRow("case 1 line 24")
        << 1 << 24 << QString::fromStdString(" Ｔp = Ｐ･tanα" + sp(40) + " 6.831 (tf)");
    QTest::newRow("case 1 line 27")
        << 1 << 27 << QString::fromStdString(" Ｚc = 0.85･ｄ" + sp(42) + " 0.44 (m)");
    QTest::newRow("case 1 line 29")
        << 1 << 29
        << QString::fromStdString(" （2)式より求まるはり上面鉄筋量" + sp(23) + "   3.86 (cm2)");
    QTest::newRow("case 1 line 30")
        << 1 << 30 << QString::fromStdString(" 水平方向用心鉄筋量" + sp(35) + "   1.93 (cm2)");
    QTest::newRow("case 1 line 31")
        << 1 << 31 << QString::fromStdString(" 上面配置鉄筋量" + sp(39) + "  23.23 (cm2)");
    QTest::newRow("case 1 line 32")
        << 1 << 32 << QString::fromStdString(" 判定" + sp(51) + "    - OK -");
    QTest::newRow("case 1 line 39") << 1 << 39 << "      H=     1.93(cm2)";
    QTest::newRow("case 2 line 18")
        << 2 << 18 << QString::fromStdString(" Ｔp = Ｐ･tanα" + sp(40) + "  6.831 (tf)");
    QTest::newRow("case 2 line 23")
        << 2 << 23 << QString::fromStdString(" はり上面必要鉄筋量" + sp(36) + "   3.86 (cm2)");
    QTest::newRow("case 2 line 24")
        << 2 << 24 << QString::fromStdString(" 水平方向用心鉄筋量" + sp(36) + "   1.54 (cm2)");
    QTest::newRow("case 2 line 33") << 2 << 33 << "      H=     1.54(cm2)";
}

void TestReport::workedExampleGravitational() {
    QFETCH(int, ratioCase);
    QFETCH(int, line);
    QFETCH(QString, text);
    ShownDesign record = workedRecord(1, ratioCase);
    const std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(QString::fromStdString(resultLine(lines, line)), text);
}

void TestReport::storedValuesSI_data() {
    QTest::addColumn<int>("ratioCase");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("case 1 line 21")
        << 1 << 21
        << QString::fromStdString(" 必要鉄筋量（上面(Ａs1)＋側面(Ａs2)）" + sp(20) + "4146 (mm2)");
    QTest::newRow("case 1 line 22")
        << 1 << 22 << QString::fromStdString(" （1)式より求まる上面鉄筋量" + sp(31) + "2764 (mm2)");
    QTest::newRow("case 1 line 23")
        << 1 << 23 << QString::fromStdString(" （1)式より求まる側面鉄筋量" + sp(31) + "1382 (mm2)");
    QTest::newRow("case 1 line 29")
        << 1 << 29
        << QString::fromStdString(" （2)式より求まるはり上面鉄筋量" + sp(26) + " 3862 (mm2)");
    QTest::newRow("case 1 line 30")
        << 1 << 30 << QString::fromStdString(" 水平方向用心鉄筋量" + sp(38) + " 1931 (mm2)");
    QTest::newRow("case 1 line 39") << 1 << 39 << "      H=     1931(mm2)";
    QTest::newRow("case 2 line 23")
        << 2 << 23 << QString::fromStdString(" はり上面必要鉄筋量" + sp(38) + "3862 (mm2)");
    QTest::newRow("case 2 line 24")
        << 2 << 24 << QString::fromStdString(" 水平方向用心鉄筋量" + sp(38) + "1544 (mm2)");
    QTest::newRow("case 2 line 33") << 2 << 33 << "      H=     1544(mm2)";
}

void TestReport::storedValuesSI() {
    QFETCH(int, ratioCase);
    QFETCH(int, line);
    QFETCH(QString, text);
    ShownDesign record = workedRecord(2, ratioCase);
    record.results.main.sumAs = 4146.825;
    record.results.main.Ast = 3862.271;
    const std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(QString::fromStdString(resultLine(lines, line)), text);
}

void TestReport::horizontalBarName_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("-1, nothing chosen") << -1 << "D10";
    QTest::newRow("0") << 0 << "D10";
    QTest::newRow("1") << 1 << "D13";
    QTest::newRow("2") << 2 << "D16";
    QTest::newRow("3") << 3 << "D19";
    QTest::newRow("4") << 4 << "D22";
    QTest::newRow("5") << 5 << "D25";
    QTest::newRow("6") << 6 << "D29";
    QTest::newRow("7") << 7 << "D32";
    QTest::newRow("8") << 8 << "D35";
    QTest::newRow("9 names none") << 9 << "";
    QTest::newRow("-2 names none") << -2 << "";
}

void TestReport::horizontalBarName() {
    QFETCH(int, index);
    QFETCH(QString, name);
    for (int unitSystem : {1, 2}) {
        for (int ratioCase : {1, 2}) {
            ShownDesign record = workedRecord(unitSystem, ratioCase);
            const UnitSystem twin = unitSystemOf(unitSystem);
            record.results.sideFaces =
                checkHorizontal(record.inputs, record.results, twin, index, 4.0);
            const std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
            const int nameLine = ratioCase == 1 ? 40 : 34;
            const std::string expected =
                twin == UnitSystem::Gravitational
                    ? " 鉄筋径" + sp(6) + sp(4 - static_cast<int>(name.size())) + name.toStdString()
                    : " 鉄筋径" + sp(7) + sp(3 - static_cast<int>(name.size())) +
                          name.toStdString();
            QCOMPARE(resultLine(lines, nameLine), expected);
        }
    }
}

void TestReport::horizontalBarNameSetBetweenItsLines_data() {
    printVariantHasThreeMoreBlankLines_data();
}

void TestReport::horizontalBarNameSetBetweenItsLines() {
    QFETCH(int, unitSystem);
    QFETCH(int, ratioCase);
    // The name comes from the results as they were checked, not from the
    // list position beside it.
    ShownDesign record = workedRecord(unitSystem, ratioCase);
    record.results.sideFaces.barIndex = 6;
    record.results.sideFaces.barName = "D13";
    const std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    const int nameLine = ratioCase == 1 ? 40 : 34;
    QVERIFY(resultLine(lines, nameLine).rfind(" 鉄筋径", 0) == 0);
    QVERIFY(resultLine(lines, nameLine).ends_with("D13"));
}

void TestReport::noBarChosenAndNoCount() {
    ShownDesign record = workedRecord(1, 1);
    record.results.sideFaces.barIndex = -1;
    record.results.sideFaces.barCount = 0;
    record.results.sideFaces.As = 0;
    std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 40), " 鉄筋径" + sp(6) + " D10");
    QCOMPARE(resultLine(lines, 41), " 鉄筋本数" + sp(6) + " 0(本)");
    QCOMPARE(resultLine(lines, 42), " 鉄筋量" + sp(4) + "     0(cm2)");
    QCOMPARE(lines.size(), std::size_t(kInputLines + 42));

    record = workedRecord(2, 2);
    record.results.sideFaces.barIndex = -1;
    record.results.sideFaces.barCount = 2.5;
    record.results.sideFaces.As = 178.325;
    lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 34), " 鉄筋径" + sp(7) + "D10");
    QCOMPARE(resultLine(lines, 35), " 鉄筋本数" + sp(6) + " 2(本)");
    QCOMPARE(resultLine(lines, 36), " 鉄筋量" + sp(6) + " 178(mm2)");
    QCOMPARE(lines.size(), std::size_t(kInputLines + 36));

    // The gravitational page writes the count as it stands.
    record = workedRecord(1, 2);
    record.results.sideFaces.barCount = 2.5;
    lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 35), " 鉄筋本数" + sp(6) + "2.5(本)");
}

void TestReport::valueLongerThanItsField() {
    ShownDesign record = workedRecord(1, 1);
    record.results.main.S = 12345.678;
    record.inputs.P = 123.456;
    record.inputs.layer1Bar = "D16";
    record.inputs.layer2Count = 12;
    const std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 19),
             " はり付け根でのせん断力（自重を含む）" + sp(17) + "12345.678 (tf)");
    QCOMPARE(inputLine(lines, 9), "  支点反力   鉛直力" + sp(12) + "123.456 (t)");
    QCOMPARE(inputLine(lines, 14), sp(13) + "径－本数" + sp(10) + "D16 -  4 (本)");
    QCOMPARE(inputLine(lines, 15), sp(13) + "径－本数" + sp(10) + "D22 - 12 (本)");

    // The same in SI: the shear force field is seven characters there too.
    record.inputs.unitSystem = 2;
    const std::vector<std::string> si = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(si, 19),
             " はり付け根でのせん断力（自重を含む）" + sp(17) + "12345.678 (kN)");
    QCOMPARE(inputLine(si, 9), "  支点反力   鉛直力" + sp(12) + "123.456 (kN)");
}

void TestReport::unitWeightWidensSelfWeightRowsSI() {
    ShownDesign record = workedRecord(2, 1);
    record.inputs.concreteUnitWeight = 24;
    std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    const std::string row1Of24 = resultLine(lines, 10);
    const std::string row2Of24 = resultLine(lines, 11);
    QCOMPARE(row1Of24, " ①0.250 * 0.500 * 1.200 * 24" + sp(22) + "  0.375" + sp(5) + "0.125" +
                           sp(5) + "  0.047");
    QCOMPARE(row2Of24, " ② 1/2 * 0.250 * (0.700 - 0.500) * 1.200 * 24" + sp(5) + "  0.075" + sp(5) +
                           "0.083" + sp(5) + "  0.006");
    QCOMPARE(resultLine(lines, 12), " 合計" + sp(46) + "   0.45" + sp(15) + "  0.053");

    record.inputs.concreteUnitWeight = 24.5;
    lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 10), " ①0.250 * 0.500 * 1.200 * 24.5" + sp(22) + "  0.375" + sp(5) +
                                        "0.125" + sp(5) + "  0.047");
    QCOMPARE(resultLine(lines, 11), " ② 1/2 * 0.250 * (0.700 - 0.500) * 1.200 * 24.5" + sp(5) +
                                        "  0.075" + sp(5) + "0.083" + sp(5) + "  0.006");
    QCOMPARE(resultLine(lines, 10).size(), row1Of24.size() + 2);
    QCOMPARE(resultLine(lines, 11).size(), row2Of24.size() + 2);
    // The total row has no unit weight and keeps its place.
    QCOMPARE(resultLine(lines, 12), " 合計" + sp(46) + "   0.45" + sp(15) + "  0.053");

    // The gravitational page writes the unit weight with three decimals.
    record.inputs.unitSystem = 1;
    lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 10), " ①0.250 * 0.500 * 1.200 * 24.500" + sp(21) + "0.375" + sp(7) +
                                        "0.125" + sp(5) + "0.047");
}

void TestReport::emptyJudgement_data() {
    printVariantHasThreeMoreBlankLines_data();
}

void TestReport::emptyJudgement() {
    QFETCH(int, unitSystem);
    QFETCH(int, ratioCase);
    ShownDesign record = workedRecord(unitSystem, ratioCase);
    record.results.main.judgement.clear();
    const std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, ratioCase == 1 ? 32 : 26), " 判定" + sp(51));
    record.results.main.judgement = kJudgementNg;
    const std::vector<std::string> ng = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(ng, ratioCase == 1 ? 32 : 26), " 判定" + sp(51) + "    - NG -");
}

void TestReport::negativeValueKeepsItsSign() {
    ShownDesign record = workedRecord(1, 1);
    record.inputs.H = -1.5;
    std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 25), " 水平力 (支点直角方向水平力)" + sp(27) + "  -1.5 (tf)");
    QCOMPARE(inputLine(lines, 10), sp(13) + "直角方向水平力" + sp(4) + " -1.5 (t)");
    record.inputs.H = -12345.6789;
    lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 25), " 水平力 (支点直角方向水平力)" + sp(27) + "-12345.679 (tf)");
    QCOMPARE(inputLine(lines, 10), sp(13) + "直角方向水平力" + sp(4) + "-12345.6789 (t)");
}

void TestReport::sideShareGoverningRequiredHorizontalSteel() {
    ShownDesign record = workedRecord(1, 1);
    record.results.main.sumAs = 9;
    record.results.main.Ast = 2;
    std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 23), " （1)式より求まる側面鉄筋量" + sp(27) + "      3 (cm2)");
    QCOMPARE(resultLine(lines, 30), " 水平方向用心鉄筋量" + sp(35) + "      1 (cm2)");
    QCOMPARE(resultLine(lines, 39), std::string("      H=        3(cm2)"));
    // Equal shares: either gives the same text.
    record.results.main.sumAs = 3;
    record.results.main.Ast = 2;
    lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 39), std::string("      H=        1(cm2)"));
}

void TestReport::inputSectionFields() {
    ShownDesign record = workedRecord(1, 1);
    record.inputs.sigmaSa = 1800.4;
    std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(inputLine(lines, 2), std::string(" (1) 入力データ"));
    QCOMPARE(inputLine(lines, 3), "  はり寸法   先 端 高" + sp(10) + "0.500 (m)");
    QCOMPARE(inputLine(lines, 4), sp(13) + "付け根高" + sp(10) + "0.700 (m)");
    QCOMPARE(inputLine(lines, 5), sp(13) + "張り出し長" + sp(8) + "0.250 (m)");
    QCOMPARE(inputLine(lines, 6), sp(13) + "橋軸方向幅" + sp(8) + "1.200 (m)");
    QCOMPARE(inputLine(lines, 8), "  支承位置(はり付け根より)" + sp(5) + "0.300 (m)");
    QCOMPARE(inputLine(lines, 9), "  支点反力   鉛直力" + sp(12) + "   10 (t)");
    QCOMPARE(inputLine(lines, 12), "  主 鉄 筋   かぶり" + sp(14) + " 10 (cm)");
    QCOMPARE(inputLine(lines, 13), sp(13) + "鉄筋間隔" + sp(12) + " 25 (cm)");
    QCOMPARE(inputLine(lines, 16), sp(13) + "許容引張応力度" + sp(5) + "1800 (kg/cm2)");
    QCOMPARE(inputLine(lines, 18), "  ｺﾝｸﾘｰﾄの単位体積重量" + sp(11) + "2.5 (t/m3)");
    // The allowable stress goes whole into its "@" field on the result page.
    QCOMPARE(resultLine(lines, 20), " 鉄筋の許容引張応力度" + sp(36) + "1800.4 (kg/cm2)");

    record.inputs.unitSystem = 2;
    record.inputs.sigmaSa = 180;
    record.inputs.concreteUnitWeight = 24.55;
    lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(inputLine(lines, 9), "  支点反力   鉛直力" + sp(12) + "   10 (kN)");
    QCOMPARE(inputLine(lines, 10), sp(13) + "直角方向水平力" + sp(4) + "    0 (kN)");
    QCOMPARE(inputLine(lines, 12), "  主 鉄 筋   かぶり" + sp(14) + " 10 (mm)");
    QCOMPARE(inputLine(lines, 16), sp(13) + "許容引張応力度" + sp(6) + "180 (N/mm2)");
    QCOMPARE(inputLine(lines, 18), "  ｺﾝｸﾘｰﾄの単位体積重量" + sp(10) + "24.6 (kN/m3)");
}

void TestReport::freshDesign() {
    ShownDesign record;
    record.inputs.unitSystem = 1;
    const std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(lines.size(), std::size_t(kInputLines + 36));
    QCOMPARE(inputLine(lines, 3), "  はり寸法   先 端 高" + sp(10) + "0.000 (m)");
    QCOMPARE(inputLine(lines, 9), "  支点反力   鉛直力" + sp(12) + "    0 (t)");
    QCOMPARE(inputLine(lines, 10), sp(13) + "直角方向水平力" + sp(4) + "    0 (t)");
    QCOMPARE(inputLine(lines, 12), "  主 鉄 筋   かぶり" + sp(14) + "  0 (cm)");
    QCOMPARE(inputLine(lines, 13), sp(13) + "鉄筋間隔" + sp(12) + "  0 (cm)");
    QCOMPARE(inputLine(lines, 14), sp(13) + "径－本数" + sp(10) + "   -  0 (本)");
    QCOMPARE(inputLine(lines, 15), sp(13) + "径－本数" + sp(10) + "   -  0 (本)");
    QCOMPARE(inputLine(lines, 16), sp(13) + "許容引張応力度" + sp(5) + "0 (kg/cm2)");
    QCOMPARE(inputLine(lines, 18), "  ｺﾝｸﾘｰﾄの単位体積重量" + sp(11) + "0.0 (t/m3)");
    QCOMPARE(resultLine(lines, 26), " 判定" + sp(51));
    QCOMPARE(resultLine(lines, 33), std::string("      H=        0(cm2)"));
    // Results never checked name no bar.
    QCOMPARE(resultLine(lines, 34), " 鉄筋径" + sp(6) + sp(4));
}

void TestReport::roundingAndCutting() {
    ShownDesign record = workedRecord(1, 1);
    record.results.main.Zc = 0.125; // a tie goes to the even neighbour
    record.results.main.Tp = 2.0005;
    record.results.selfWeight.M = 0.0025;
    std::vector<std::string> lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 27), " Ｚc = 0.85･ｄ" + sp(42) + " 0.12 (m)");
    QCOMPARE(resultLine(lines, 24), " Ｔp = Ｐ･tanα" + sp(40) + "     2 (tf)");
    QCOMPARE(resultLine(lines, 26), " 自重によるはり付け根のモーメント" + sp(22) + " 0.002 (tf･m)");
    // The fixed-decimals self-weight table rounds the same tie away from zero.
    QCOMPARE(resultLine(lines, 12), " 合計" + sp(48) + "0.450" + sp(17) + "0.003");
    record.results.main.Zc = 0.135;
    lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 27), " Ｚc = 0.85･ｄ" + sp(42) + " 0.14 (m)");

    // SI areas are cut, never rounded, also below zero.
    record = workedRecord(2, 2);
    record.results.main.Ast = 1999.999;
    record.results.main.layer1Area = -0.5;
    record.results.main.layer2Area = 0;
    lines = reportLines(record, ReportVariant::Preview);
    QCOMPARE(resultLine(lines, 23), " はり上面必要鉄筋量" + sp(38) + "1999 (mm2)");
    QCOMPARE(resultLine(lines, 24), " 水平方向用心鉄筋量" + sp(38) + " 799 (mm2)");
    QCOMPARE(resultLine(lines, 25), " 上面配置鉄筋量" + sp(42) + "  -1 (mm2)");
}

void TestReport::calculatedChoiceIsNamed() {
    // A calculation checked with 3 x D19 reports that bar and that count.
    for (DesignInputs inputs : {workedGravitational(), workedSI()}) {
        const DesignResults results = calculateDesign(inputs, {3, 3.0});
        const std::vector<std::string> lines =
            haltrix::reportLines(inputs, results, ReportVariant::Preview);
        QVERIFY(resultLine(lines, 40).ends_with("D19"));
        QVERIFY(resultLine(lines, 41).find(" 3(本)") != std::string::npos);
    }
}

void TestReport::collectedLinesMatchTarget() {
    const ShownDesign record = workedRecord(2, 1);
    LineCollector target;
    QVERIFY(writeReport(record, target, ReportVariant::Print));
    QVERIFY(target.lines == reportLines(record, ReportVariant::Print));
}

QTEST_APPLESS_MAIN(TestReport)
#include "test_report.moc"
