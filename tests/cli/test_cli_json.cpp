// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc json, run as a user runs it.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <cmath>

#include "calc_runner.h"

namespace {

using Run = haltrix::testing::CalcRun;
using haltrix::testing::example;
using haltrix::testing::jsonLines;
using haltrix::testing::testData;


bool near(double actual, double expected) {
    return std::fabs(actual - expected) <= 5e-7 * std::max(1.0, std::fabs(expected));
}

} // namespace

class TestCliJson : public QObject {
    Q_OBJECT

private slots:
    void workedExamples() {
        const Run run =
            haltrix::testing::runHaltrixCalc({"json", example("bracket-gravitational.tvx"), example("bracket-si.tvx")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        const auto objects = jsonLines(run.out);
        QCOMPARE(objects.size(), 2);

        const QJsonObject grav = objects[0];
        QCOMPARE(grav["file"].toString(), example("bracket-gravitational.tvx"));
        QCOMPARE(grav["unitSystem"].toInt(), 1);
        QCOMPARE(grav["ratioCase"].toInt(), 1);
        QVERIFY(near(grav["sumAs"].toDouble(), 4.146825));
        QVERIFY(near(grav["Ast"].toDouble(), 3.862271));
        QVERIFY(near(grav["layer1Area"].toDouble(), 15.484));
        QVERIFY(near(grav["requiredMainArea"].toDouble(), 3.862271));
        QVERIFY(near(grav["requiredHorizontalArea"].toDouble(), 1.931135));
        QVERIFY(near(grav["hAs"].toDouble(), 2.8532));
        QCOMPARE(grav["hBarIndex"].toDouble(), -1.0);
        QCOMPARE(grav["mainJudgement"].toString(), QStringLiteral("    - OK -"));
        QVERIFY(grav["message"].isNull());

        const QJsonObject si = objects[1];
        QCOMPARE(si["unitSystem"].toInt(), 2);
        QVERIFY(near(si["Ast"].toDouble(), 386.092663));
        QVERIFY(near(si["sumAs"].toDouble(), 414.325397));
        QVERIFY(near(si["hAs"].toDouble(), 285.32));
    }

    void everyRecordField() {
        const Run run = haltrix::testing::runHaltrixCalc({"json", example("bracket-gravitational.tvx")});
        const auto objects = jsonLines(run.out);
        QCOMPARE(objects.size(), 1);
        const QStringList fields = {"H1",
                                    "H2",
                                    "l",
                                    "b",
                                    "a",
                                    "P",
                                    "H",
                                    "t",
                                    "c",
                                    "layer1Bar",
                                    "layer1Count",
                                    "layer2Bar",
                                    "layer2Count",
                                    "sigmaSa",
                                    "concreteUnitWeight",
                                    "unitSystem",
                                    "ratioCase",
                                    "N1",
                                    "x1",
                                    "M1",
                                    "N2",
                                    "x2",
                                    "M2",
                                    "Ntotal",
                                    "M",
                                    "layer1Area",
                                    "layer2Area",
                                    "S",
                                    "sumAs",
                                    "d",
                                    "Zc",
                                    "tanAlpha",
                                    "Tp",
                                    "Ast",
                                    "mainJudgement",
                                    "hBarCount",
                                    "hBarIndex",
                                    "hBarArea",
                                    "hAs",
                                    "hBarName",
                                    "file",
                                    "requiredMainArea",
                                    "requiredHorizontalArea",
                                    "message",
                                    "warnings",
                                    "cases",
                                    "governingCase"};
        for (const QString& field : fields)
            QVERIFY2(objects[0].contains(field), qPrintable(field));
        QCOMPARE(objects[0].size(), fields.size());
    }

    void horizontalOptions_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<double>("hAs");
        QTest::addColumn<QString>("judgement");
        QTest::newRow("2 x D10") << QStringList{"--hcount", "2"} << 1.4266 << "    - NG -";
        QTest::newRow("4 x D35") << QStringList{"--hbar", "D35"} << 38.264 << "    - OK -";
        QTest::newRow("empty count") << QStringList{"--hcount", ""} << 0.0 << "    - NG -";
        QTest::newRow("text count") << QStringList{"--hcount", "abc"} << 0.0 << "    - NG -";
        QTest::newRow("2.5 x D13")
            << QStringList{"--hbar", "D13", "--hcount", "2.5"} << 3.1675 << "    - OK -";
    }
    void horizontalOptions() {
        QFETCH(QStringList, options);
        QFETCH(double, hAs);
        QFETCH(QString, judgement);
        const Run run =
            haltrix::testing::runHaltrixCalc(QStringList{"json"} + options + QStringList{example("bracket-gravitational.tvx")});
        QCOMPARE(run.exitCode, 0);
        const auto objects = jsonLines(run.out);
        QCOMPARE(objects.size(), 1);
        QVERIFY(near(objects[0]["hAs"].toDouble(), hAs));
        const bool ok =
            objects[0]["hAs"].toDouble() >= objects[0]["requiredHorizontalArea"].toDouble();
        QCOMPARE(ok ? QStringLiteral("    - OK -") : QStringLiteral("    - NG -"), judgement);
    }

    void invalidDataExitsThree() {
        const Run run = haltrix::testing::runHaltrixCalc({"json", testData("fresh-si.tvx"), example("bracket-si.tvx")});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(QString::fromUtf8(run.err).contains(QStringLiteral("入力データが不正です")));
        QVERIFY(QString::fromUtf8(run.err).contains(QStringLiteral("fresh-si.tvx")));
        const auto objects = jsonLines(run.out);
        QCOMPARE(objects.size(), 2);
        QCOMPARE(objects[0]["message"].toString().section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("入力データが不正です"));
        QCOMPARE(objects[0]["mainJudgement"].toString(), QString());
        QCOMPARE(objects[0]["ratioCase"].toInt(), 0);
        QVERIFY(objects[1]["message"].isNull());
    }

    void unreadableExitsTwo() {
        const Run run = haltrix::testing::runHaltrixCalc({"json", testData("short.tvx"), QStringLiteral("/no/such/file.tvx"),
                              example("bracket-gravitational.tvx")});
        QCOMPARE(run.exitCode, 2);
        const QString err = QString::fromUtf8(run.err);
        QVERIFY(err.contains(QStringLiteral("short.tvx")));
        QVERIFY(err.contains(QStringLiteral("/no/such/file.tvx")));
        const auto objects = jsonLines(run.out);
        QCOMPARE(objects.size(), 1);
        QCOMPARE(objects[0]["file"].toString(), example("bracket-gravitational.tvx"));
    }

    void unreadableWinsOverMessage() {
        const Run run = haltrix::testing::runHaltrixCalc({"json", testData("fresh-si.tvx"), testData("short.tvx")});
        QCOMPARE(run.exitCode, 2);
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no arguments") << QStringList{};
        QTest::newRow("no file") << QStringList{"json"};
        QTest::newRow("bad bar") << QStringList{"json", "--hbar", "D11", "x.tvx"};
        QTest::newRow("unknown option") << QStringList{"json", "--frob", "x.tvx"};
        QTest::newRow("unknown command") << QStringList{"frob"};
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        const Run run = haltrix::testing::runHaltrixCalc(args);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY(!run.err.isEmpty());
    }

    void help() {
        const Run run = haltrix::testing::runHaltrixCalc({"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("--hbar"));
        QVERIFY(run.out.contains("終了コード"));
    }
};

QTEST_GUILESS_MAIN(TestCliJson)
#include "test_cli_json.moc"
