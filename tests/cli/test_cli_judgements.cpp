// SPDX-License-Identifier: GPL-3.0-or-later
// What haltrix-calc says of designs at the edges of the calculation: a stop
// names the input at fault, a stopped design judges nothing, side-face bars
// that are NG are a 警告, and the spacing rules bound the bars of a layer and
// the proposals.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "calc_runner.h"
#include "design/bar_table.h"
#include "files/design_file.h"

using namespace haltrix;
using haltrix::testing::runHaltrixCalc;
using haltrix::testing::example;
using haltrix::testing::jsonObject;

namespace {

QStringList codesOf(const QJsonObject& design) {
    QStringList codes;
    for (const QJsonValue& warning : design["warnings"].toArray())
        codes << warning["code"].toString();
    return codes;
}

// The SI example (H2 = 0.7 m, t = 100 mm, c = 250 mm, 4 x D22 + 2 x D22,
// b = 1.2 m, P = 100 kN) with one input changed.
using Change = void (*)(DesignInputs&);

} // namespace

class TestCliJudgements : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString variant(Change change) {
        DesignInputs record;
        if (readDesignFile(example("bracket-si.tvx").toStdString(), record))
            qFatal("cannot read the example");
        change(record);
        const QString path = m_dir.filePath(QStringLiteral("design-%1.tvx").arg(++m_files));
        if (writeDesignFile(path.toStdString(), record))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    // d = H2 - t/1000 - (c/1000) * A2/(A1 + A2), A2/(A1 + A2) = 1/3 here.
    // A depth at or below 0 stops with the input at fault on the second
    // line; the first line stays the message the program always gave.
    void stopsNameTheInput_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("reason");
        QTest::newRow("H2 = 0") << Change([](DesignInputs& r) { r.H2 = 0; })
                                << QStringLiteral("付根高 H2 = 0 m: 正の値でなければなりません");
        QTest::newRow("H2 < 0") << Change([](DesignInputs& r) { r.H2 = -0.3; })
                                << QStringLiteral("付根高 H2 = -0.3 m: 正の値");
        // N1 + N2 = l·b·γ·(H1 + H2)/2 = 0: the self-weight stops first.
        QTest::newRow("H2 = -H1") << Change([](DesignInputs& r) { r.H2 = -0.5; })
                                  << QStringLiteral("梁の自重 N = 0 kN（H1 = 0.5 m、H2 = -0.5 m）");
        QTest::newRow("t = H2, d = 0") << Change([](DesignInputs& r) { r.t = 700; })
                                       << QStringLiteral("被り t = 700 mm が付根高 H2 = 0.7 m 以上");
        QTest::newRow("t beyond H2") << Change([](DesignInputs& r) { r.t = 900; })
                                     << QStringLiteral("被り t = 900 mm");
        QTest::newRow("layer 2 pulls d below 0")
            << Change([](DesignInputs& r) { r.c = 2400; }) // d = 0.6 - 0.8
            << QStringLiteral("鉄筋間隔 c = 2400 mm");
        QTest::newRow("σsa = 0") << Change([](DesignInputs& r) { r.sigmaSa = 0; })
                                 << QStringLiteral("σsa = 0 N/mm2: 正の値でなければなりません");
        QTest::newRow("l = 0") << Change([](DesignInputs& r) { r.l = 0; })
                               << QStringLiteral("張出長 l = 0 m: 正の値でなければなりません");
        QTest::newRow("no bars") << Change([](DesignInputs& r) {
            r.layer1Count = 0;
            r.layer2Count = 0;
        }) << QStringLiteral("主鉄筋がありません");
    }
    void stopsNameTheInput() {
        QFETCH(Change, change);
        QFETCH(QString, reason);
        const QString file = variant(change);
        const auto json = runHaltrixCalc({"json", file});
        QCOMPARE(json.exitCode, 3);
        const QJsonObject design = jsonObject(json.out);
        const QStringList message = design["message"].toString().split('\n');
        QCOMPARE(message.size(), 2);
        QCOMPARE(message[0], QStringLiteral("入力データが不正です"));
        QVERIFY2(message[1].startsWith(reason), qPrintable(message[1]));
        QVERIFY2(json.errText().contains(reason), qPrintable(json.errText()));
        // Nothing is judged after a stop: neither the main bars nor the side faces.
        QCOMPARE(design["mainJudgement"].toString(), QString());
        QCOMPARE(design["horizontalJudgement"].toString(), QString());
        QCOMPARE(runHaltrixCalc({"sheet", file}).exitCode, 3);
    }

    // Just inside: one layer at t = 699 mm leaves d = 1 mm, which
    // calculates and is judged.
    void smallestPositiveDepthCalculates() {
        const QString file = variant([](DesignInputs& r) {
            r.t = 699;
            r.layer2Bar.clear();
            r.layer2Count = 0;
        });
        const auto json = runHaltrixCalc({"json", file});
        const QJsonObject design = jsonObject(json.out);
        QVERIFY(design["message"].isNull());
        QVERIFY(qAbs(design["d"].toDouble() - 0.001) < 1e-12);
        QVERIFY(!design["mainJudgement"].toString().isEmpty());
    }

    // Required side-face steel, case 1: LargerOf(ΣAs/3, Ast/2). At P = 200 kN:
    // ΣAs = 204.41/1.4/180*1000 = 811.15, Ast = (136.62 + 1.19)/180*1000 =
    // 765.60, so 382.80 mm2. D10 x 4 = 285.32 is NG, D13 x 4 = 506.8 and
    // D10 x 6 = 427.98 are OK. At P = 100 kN: 193.05, D10 x 4 OK.
    void sideFaceNgIsAWarning_data() {
        QTest::addColumn<double>("P");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("ng");
        QTest::newRow("default D10 x 4, P = 200") << 200.0 << QStringList{} << true;
        QTest::newRow("D13 x 4") << 200.0 << QStringList{"--hbar", "D13"} << false;
        QTest::newRow("D10 x 6") << 200.0 << QStringList{"--hcount", "6"} << false;
        QTest::newRow("D10 x 5 = 356.65") << 200.0 << QStringList{"--hcount", "5"} << true;
        QTest::newRow("D10 x 2, P = 100") << 100.0 << QStringList{"--hcount", "2"} << true;
        QTest::newRow("default, P = 100") << 100.0 << QStringList{} << false;
    }
    void sideFaceNgIsAWarning() {
        QFETCH(double, P);
        QFETCH(QStringList, options);
        QFETCH(bool, ng);
        static double load;
        load = P;
        const QString file = variant([](DesignInputs& r) { r.P = load; });
        const auto json = runHaltrixCalc(QStringList{"json"} + options + QStringList{file});
        const QJsonObject design = jsonObject(json.out);
        QCOMPARE(design["mainJudgement"].toString(), QStringLiteral("    - OK -"));
        QCOMPARE(codesOf(design).contains(QStringLiteral("side-face-bars-ng")), ng);
        const auto check = runHaltrixCalc(QStringList{"check"} + options + QStringList{file});
        QCOMPARE(check.outText().contains(QStringLiteral(": side-face-bars-ng: ")), ng);
        QCOMPARE(check.exitCode, ng ? 5 : 0);
    }

    // b = 1.2 m, t = 100 mm: centres spread over 1000 mm. 4 bars lie
    // 333.3 mm apart, 2 bars 1000 mm.
    void barsTooFarApart_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("flagged");
        QTest::newRow("default 300 mm: both layers") << QStringList{} << 2;
        QTest::newRow("334 mm: layer 2 only") << QStringList{"--max-spacing", "334"} << 1;
        QTest::newRow("999 mm: layer 2 only") << QStringList{"--max-spacing", "999"} << 1;
        QTest::newRow("1000 mm: none") << QStringList{"--max-spacing", "1000"} << 0;
    }
    void barsTooFarApart() {
        QFETCH(QStringList, options);
        QFETCH(int, flagged);
        const auto json = runHaltrixCalc(QStringList{"json"} + options +
                                         QStringList{example("bracket-si.tvx")});
        QCOMPARE(json.exitCode, 0);
        QCOMPARE(codesOf(jsonObject(json.out)).count(QStringLiteral("bars-too-far-apart")),
                 flagged);
    }

    void maxSpacingTakesALength_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-300";
        QTest::newRow("text") << "abc";
    }
    void maxSpacingTakesALength() {
        QFETCH(QString, value);
        const auto run = runHaltrixCalc({"check", "--max-spacing", value, example("bracket-si.tvx")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.errText().contains(QStringLiteral("--max-spacing")));
    }

    // Every proposal, whatever the spacing allowed (300 mm unless said):
    // no layer's centres further apart than the maximum, layer 2's bar no
    // thicker than layer 1's. Which arrangements pass is the core's test.
    void proposalsFollowTheRules_data() {
        QTest::addColumn<QString>("maxSpacing");
        QTest::addColumn<QString>("load");
        QTest::newRow("default 300 mm, heavy") << "" << "60";
        QTest::newRow("default 300 mm, example") << "" << "10";
        QTest::newRow("1000 mm, heavy") << "1000" << "60";
        QTest::newRow("1000 mm, example") << "1000" << "10";
        QTest::newRow("150 mm, heavy") << "150" << "60";
    }
    void proposalsFollowTheRules() {
        QFETCH(QString, maxSpacing);
        QFETCH(QString, load);
        static double P;
        P = load.toDouble() * 9.80665; // a gravitational load in kN
        const QString file = variant([](DesignInputs& r) { r.P = P; });
        QStringList options{"--top", "40"};
        if (!maxSpacing.isEmpty())
            options << "--max-spacing" << maxSpacing;
        const double allowed = maxSpacing.isEmpty() ? 300 : maxSpacing.toDouble();
        const auto run = runHaltrixCalc(QStringList{"propose", "--json"} + options + QStringList{file});
        QCOMPARE(run.exitCode, 0);
        const QJsonArray candidates = jsonObject(run.out)["candidates"].toArray();
        QVERIFY(!candidates.isEmpty());
        bool twoLayers = false;
        for (const QJsonValue& c : candidates) {
            for (const char* layer : {"layer1", "layer2"}) {
                const double n = c[QLatin1String(layer) + "Count"].toDouble();
                if (n >= 2)
                    QVERIFY2((1200.0 - 2 * 100) / (n - 1) <= allowed,
                             qPrintable(QStringLiteral("%1 bars in %2").arg(n).arg(layer)));
            }
            if (c["layer2Count"].toDouble() == 0)
                continue;
            twoLayers = true;
            const auto index = [](const QJsonValue& bar) {
                const auto at = std::find(kBarDesignations.begin(), kBarDesignations.end(),
                                          bar.toString().toStdString());
                return at - kBarDesignations.begin();
            };
            QVERIFY2(index(c["layer2Bar"]) <= index(c["layer1Bar"]),
                     qPrintable(c["layer1Bar"].toString() + " / " + c["layer2Bar"].toString()));
        }
        if (load == "60")
            QVERIFY2(twoLayers, "the heavy design should list two-layer arrangements");
    }
};

QTEST_MAIN(TestCliJudgements)
#include "test_cli_judgements.moc"
