// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc check and the warnings of haltrix-calc json, run as a user
// runs them.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include "calc_runner.h"

namespace {

using Run = haltrix::testing::CalcRun;
using haltrix::testing::example;
using haltrix::testing::testData;


QStringList lines(const QString& out) {
    return out.split('\n', Qt::SkipEmptyParts);
}

// The "FILE: code" part of each line.
QStringList fileAndCode(const QString& out) {
    QStringList result;
    for (const QString& line : lines(out))
        result << line.section(QStringLiteral(": "), 0, 1);
    return result;
}

} // namespace

class TestCliCheck : public QObject {
    Q_OBJECT

private slots:
    void examplesShowOneNotice() {
        const Run run =
            haltrix::testing::runHaltrixCalc({"check", example("bracket-gravitational.tvx"), example("bracket-si.tvx")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.errText().isEmpty(), qPrintable(run.errText()));
        // The bearing beyond the tip; 4 and 2 bars over 1000 mm lie 333.3 and
        // 1000 mm apart, beyond 300 mm.
        QStringList expected;
        for (const char* file : {"bracket-gravitational.tvx", "bracket-si.tvx"})
            expected << example(file) + ": load-off-bracket"
                     << example(file) + ": bars-too-far-apart"
                     << example(file) + ": bars-too-far-apart";
        QCOMPARE(fileAndCode(run.outText()), expected);
        QVERIFY(lines(run.outText())[0].contains(QStringLiteral("a = 0.3 m")));
        QVERIFY(lines(run.outText())[1].contains(QStringLiteral("333.3 mm")));
    }

    // a = 1.4 m, H2 = 0.7 m, l = 0.25 m.
    void warningExitsFive() {
        const Run run =
            haltrix::testing::runHaltrixCalc({"check", example("bracket-si.tvx"), testData("outside-method-range.tvx")});
        QCOMPARE(run.exitCode, 5);
        const QString si = example("bracket-si.tvx");
        const QString outside = testData("outside-method-range.tvx");
        // a/H2 = 2 takes case 2, whose side faces need 0.4·Ast = 7.1 cm2
        // against D10 x 4 = 2.85 cm2.
        QCOMPARE(fileAndCode(run.outText()),
                 (QStringList{si + ": load-off-bracket", si + ": bars-too-far-apart",
                              si + ": bars-too-far-apart", outside + ": load-off-bracket",
                              outside + ": outside-method-range",
                              outside + ": bars-too-far-apart", outside + ": bars-too-far-apart",
                              outside + ": side-face-bars-ng"}));
        QVERIFY(lines(run.outText())[4].contains(QStringLiteral("a/H2 = 2")));
    }

    // γc = 0: no warning, but the calculation stops on a zero self-weight.
    void messageExitsThree() {
        const Run run = haltrix::testing::runHaltrixCalc(
            {"check", "--max-spacing", "1000", testData("no-self-weight.tvx")});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(run.outText().isEmpty());
        QVERIFY(run.errText().contains(QStringLiteral("入力データが不正です")));
    }

    void warningWinsOverMessage() {
        const Run run =
            haltrix::testing::runHaltrixCalc({"check", testData("no-self-weight.tvx"), testData("outside-method-range.tvx")});
        QCOMPARE(run.exitCode, 5);
    }

    void unreadableWinsOverWarning() {
        const Run run =
            haltrix::testing::runHaltrixCalc({"check", testData("outside-method-range.tvx"), testData("short.tvx")});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.errText().contains(QStringLiteral("short.tvx")));
        QCOMPARE(lines(run.outText()).size(), 5);
    }

    // The example's D22 x 4 in 1.2 m with t = 10 cm leave 1000/3 - 22.2 =
    // 311.1 mm between the bars; its layers 250 - 22.2 = 227.8 mm.
    void spacingOptions_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("codes");
        const QStringList bearing{"load-off-bracket"};
        QTest::newRow("default") << QStringList{} << 0 << bearing;
        QTest::newRow("fixed 312")
            << QStringList{"--min-clear", "312"} << 5
            << QStringList{"load-off-bracket", "bars-do-not-fit", "layers-too-close"};
        // 4/3 x 233 = 310.7 mm: the bars fit, the layers do not.
        QTest::newRow("aggregate 233") << QStringList{"--max-aggregate", "233"} << 0
                                       << QStringList{"load-off-bracket", "layers-too-close"};
    }
    void spacingOptions() {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QStringList, codes);
        // The bars as far apart as they are, so that only the clear spacing speaks.
        const Run run = haltrix::testing::runHaltrixCalc(
            QStringList{"check", "--max-spacing", "1000"} + options +
            QStringList{example("bracket-gravitational.tvx")});
        QCOMPARE(run.exitCode, exitCode);
        QStringList found;
        for (const QString& line : lines(run.outText()))
            found << line.section(QStringLiteral(": "), 1, 1);
        QCOMPARE(found, codes);
        if (options.contains("--min-clear") && codes.size() > 1)
            QVERIFY(run.outText().contains(QStringLiteral("最小あき: 固定値 ") + options[1] + " mm"));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no file") << QStringList{"check"};
        QTest::newRow("zero clearance") << QStringList{"check", "--min-clear", "0", "x.tvx"};
        QTest::newRow("text clearance") << QStringList{"check", "--min-clear", "wide", "x.tvx"};
        QTest::newRow("negative aggregate")
            << QStringList{"check", "--max-aggregate", "-20", "x.tvx"};
        QTest::newRow("missing value") << QStringList{"check", "x.tvx", "--max-aggregate"};
        QTest::newRow("both rules")
            << QStringList{"check", "--min-clear", "30", "--max-aggregate", "20", "x.tvx"};
        QTest::newRow("json, both rules")
            << QStringList{"json", "--max-aggregate", "20", "--min-clear", "30", "x.tvx"};
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        const Run run = haltrix::testing::runHaltrixCalc(args);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.outText().isEmpty());
        QVERIFY(!run.errText().isEmpty());
    }

    void jsonListsTheWarnings() {
        const Run run =
            haltrix::testing::runHaltrixCalc({"json", "--max-spacing", "1000", example("bracket-gravitational.tvx"),
                  testData("outside-method-range.tvx"), testData("no-self-weight.tvx")});
        QCOMPARE(run.exitCode, 3); // json does not exit 5 for a warning
        const QStringList out = lines(run.outText());
        QCOMPARE(out.size(), 3);
        QList<QJsonArray> warnings;
        for (const QString& line : out) {
            const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
            QVERIFY(object["warnings"].isArray());
            warnings << object["warnings"].toArray();
        }
        QCOMPARE(warnings[0].size(), 1);
        const QJsonObject bearing = warnings[0][0].toObject();
        QCOMPARE(bearing.keys(), (QStringList{"code", "message", "severity"}));
        QCOMPARE(bearing["code"].toString(), QStringLiteral("load-off-bracket"));
        QCOMPARE(bearing["severity"].toString(), QStringLiteral("注意"));
        QVERIFY(bearing["message"].toString().contains(QStringLiteral("l = 0.25 m")));

        QCOMPARE(warnings[1].size(), 3); // the last: side-face-bars-ng
        QCOMPARE(warnings[1][1].toObject()["code"].toString(),
                 QStringLiteral("outside-method-range"));
        QCOMPARE(warnings[1][1].toObject()["severity"].toString(), QStringLiteral("警告"));
        QCOMPARE(warnings[2].size(), 0); // an empty list, not a missing key
    }

    void helpNamesTheCommand() {
        const Run run = haltrix::testing::runHaltrixCalc({"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.outText().contains(QStringLiteral("haltrix-calc check")));
        QVERIFY(run.outText().contains(QStringLiteral("layers-too-close")));
    }
};

QTEST_GUILESS_MAIN(TestCliCheck)
#include "test_cli_check.moc"
