// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc sheet and report run end to end: their standard output is
// compared byte for byte with golden files, and their exit statuses checked.

#include <QtTest>

#include <QFile>
#include <QProcess>

#include "calc_runner.h"

namespace {

using Run = haltrix::testing::CalcRun;
using haltrix::testing::source;

QByteArray golden(const QString& name) {
    return haltrix::testing::fileBytes(haltrix::testing::testData(name));
}

} // namespace

class TestCliSheetReport : public QObject {
    Q_OBJECT

private slots:
    void goldenOutput_data();
    void goldenOutput();
    void unreadableFile_data();
    void unreadableFile();
    void usageErrors_data();
    void usageErrors();
    void unitSystemWithoutReport();
    void helpNamesTheCommands();
};

void TestCliSheetReport::goldenOutput_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("golden");
    QTest::addColumn<int>("exitCode");
    const QString grav = source("examples/bracket-gravitational.tvx");
    const QString si = source("examples/bracket-si.tvx");
    const QString grav2 = source("tests/data/bracket-gravitational-case2.tvx");
    const QString si2 = source("tests/data/bracket-si-case2.tvx");
    const QString zero = source("tests/data/zero-overhang.tvx");

    QTest::newRow("report gravitational case 1")
        << QStringList{"report", grav} << "report-grav-case1-preview.txt" << 0;
    QTest::newRow("report gravitational case 1 --print")
        << QStringList{"report", "--print", grav} << "report-grav-case1-print.txt" << 0;
    QTest::newRow("report SI case 1")
        << QStringList{"report", si} << "report-si-case1-preview.txt" << 0;
    QTest::newRow("report SI case 1 --print")
        << QStringList{"report", si, "--print"} << "report-si-case1-print.txt" << 0;
    QTest::newRow("report gravitational case 2")
        << QStringList{"report", grav2} << "report-cli-grav-case2-preview.txt" << 0;
    QTest::newRow("report SI case 2")
        << QStringList{"report", si2} << "report-cli-si-case2-preview.txt" << 0;
    QTest::newRow("report with D35 and 12 bars")
        << QStringList{"report", "--hbar", "D35", "--hcount", "12", grav}
        << "report-cli-grav-d35-12-preview.txt" << 0;
    QTest::newRow("report after the engine's message")
        << QStringList{"report", zero} << "report-cli-zero-overhang-preview.txt" << 3;

    QTest::newRow("sheet gravitational case 1")
        << QStringList{"sheet", grav} << "sheet-grav-case1.txt" << 0;
    QTest::newRow("sheet SI case 1") << QStringList{"sheet", si} << "sheet-si-case1.txt" << 0;
    QTest::newRow("sheet after \"--\"")
        << QStringList{"sheet", "--", si} << "sheet-si-case1.txt" << 0;
    QTest::newRow("sheet gravitational case 2")
        << QStringList{"sheet", grav2} << "sheet-cli-grav-case2.txt" << 0;
    QTest::newRow("sheet SI case 2")
        << QStringList{"sheet", "--hbar", "D22", si2} << "sheet-cli-si-case2.txt" << 0;
    QTest::newRow("sheet after the engine's message")
        << QStringList{"sheet", zero} << "sheet-cli-zero-overhang.txt" << 3;
}

void TestCliSheetReport::goldenOutput() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, golden);
    QFETCH(int, exitCode);
    const QByteArray expected = ::golden(golden);
    QVERIFY(!expected.isEmpty());
    const Run result = haltrix::testing::runHaltrixCalc(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(result.out), QString::fromUtf8(expected));
    QVERIFY(result.out == expected);
    if (exitCode == 3)
        QVERIFY(result.err.contains("入力データが不正です"));
    else
        QVERIFY(result.err.isEmpty());
}

void TestCliSheetReport::unreadableFile_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");
    for (const char* command : {"sheet", "report"}) {
        QTest::newRow((QByteArray(command) + " not a number").constData())
            << command << source("tests/data/unreadable.tvx");
        QTest::newRow((QByteArray(command) + " missing").constData())
            << command << source("tests/data/no-such-design.tvx");
        QTest::newRow((QByteArray(command) + " folder").constData())
            << command << source("tests/data");
    }
}

void TestCliSheetReport::unreadableFile() {
    QFETCH(QString, command);
    QFETCH(QString, file);
    const Run result = haltrix::testing::runHaltrixCalc({command, file});
    QCOMPARE(result.exitCode, 2);
    QVERIFY(result.out.isEmpty());
    QVERIFY(!result.err.isEmpty());
}

void TestCliSheetReport::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    const QString grav = source("examples/bracket-gravitational.tvx");
    QTest::newRow("sheet without file") << QStringList{"sheet"};
    QTest::newRow("report without file") << QStringList{"report"};
    QTest::newRow("sheet with two files") << QStringList{"sheet", grav, grav};
    QTest::newRow("report with two files") << QStringList{"report", grav, grav};
    QTest::newRow("sheet --print") << QStringList{"sheet", "--print", grav};
    QTest::newRow("report -o") << QStringList{"report", "-o", "x.txt", grav};
    QTest::newRow("report unknown bar") << QStringList{"report", "--hbar", "D11", grav};
    QTest::newRow("report --hcount without value") << QStringList{"report", grav, "--hcount"};
    QTest::newRow("sheet unknown option") << QStringList{"sheet", "--width", grav};
}

void TestCliSheetReport::usageErrors() {
    QFETCH(QStringList, arguments);
    const Run result = haltrix::testing::runHaltrixCalc(arguments);
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.out.isEmpty());
    QVERIFY(!result.err.isEmpty());
}

void TestCliSheetReport::unitSystemWithoutReport() {
    const QString file = source("tests/data/unit-system-3.tvx");
    for (const QStringList& arguments :
         {QStringList{"report", file}, QStringList{"report", "--print", file}}) {
        const Run result = haltrix::testing::runHaltrixCalc(arguments);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.isEmpty());
        QVERIFY(result.err.contains("単位系 3"));
    }
    // The sheet is the SI window's, as for every unit system other than 1.
    const Run sheet = haltrix::testing::runHaltrixCalc({"sheet", file});
    QCOMPARE(sheet.exitCode, 0);
    const QList<QByteArray> lines = sheet.out.split('\n');
    QCOMPARE(lines.size(), 4 + 1 + 15 + 1);
    QCOMPARE(lines[0], QByteArray("\t                  式\t   N(kN)\t   x(m)\t   M(kN･m)"));
}

void TestCliSheetReport::helpNamesTheCommands() {
    const Run result = haltrix::testing::runHaltrixCalc({"--help"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.contains("haltrix-calc sheet [--hbar"));
    QVERIFY(result.out.contains("haltrix-calc report [--hbar"));
    QVERIFY(result.out.contains("--print"));
}

QTEST_GUILESS_MAIN(TestCliSheetReport)
#include "test_cli_sheet_report.moc"
