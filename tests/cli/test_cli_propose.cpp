// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc propose and csv --propose, run as a user runs them.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run calc(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(HALTRIX_CALC), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString example(const char* name) {
    return QStringLiteral(HALTRIX_SOURCE_DIR "/examples/") + QLatin1String(name);
}

QString testData(const char* name) {
    return QStringLiteral(HALTRIX_SOURCE_DIR "/tests/data/") + QLatin1String(name);
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList lines(const QString& out) {
    return out.split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestCliPropose : public QObject {
    Q_OBJECT

private slots:
    // The ranking worked by hand in tests/core/test_bar_proposal.cpp.
    void examplesListTheLightestFive() {
        const Run run = calc({"propose", example("bracket-gravitational.tvx")});
        QCOMPARE(run.exitCode, 0);
        const QStringList out = lines(run.out);
        QCOMPARE(out.size(), 7);
        QVERIFY(out[0].startsWith(QStringLiteral("順位\t1段目\t2段目\t配置鉄筋量 (cm2)")));
        QVERIFY(out[1].startsWith(QStringLiteral("1\tD10 × 5\t－\t3.567\t")));
        QVERIFY(out[3].startsWith(QStringLiteral("3\tD13 × 2\tD10 × 2\t3.961\t")));
        QCOMPARE(out[6], QStringLiteral("側面鉄筋 4 本: D10"));
    }

    void jsonHasTheCandidates() {
        const Run run = calc({"propose", "--json", "--top", "2", example("bracket-si.tvx")});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(o["file"].toString(), example("bracket-si.tvx"));
        QVERIFY(o["message"].isNull());
        const QJsonArray candidates = o["candidates"].toArray();
        QCOMPARE(candidates.size(), 2);
        const QJsonObject best = candidates[0].toObject();
        QCOMPARE(best["layer1Bar"].toString(), QStringLiteral("D10"));
        QCOMPARE(best["layer1Count"].toDouble(), 5.0);
        QCOMPARE(best["layer2Bar"].toString(), QString());
        QCOMPARE(best["layer2Count"].toDouble(), 0.0);
        QCOMPARE(best["providedMainArea"].toDouble(), 356.65);
        QCOMPARE(o["requiredMainArea"].toDouble(), best["requiredMainArea"].toDouble());
        QVERIFY(best["providedMainArea"].toDouble() >= best["requiredMainArea"].toDouble());
        QVERIFY(qAbs(best["minClearMm"].toDouble() - 240.47) < 1e-9);
    }

    // At 300 mm clear no second layer fits under c = 250 mm, D10 x 4 is
    // too little and D10 x 5 too close: D13 x 3 (487 mm apart) comes first.
    void spacingRuleChangesTheChoice() {
        const Run run =
            calc({"propose", "--min-clear", "300", "--top", "1", example("bracket-si.tvx")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(lines(run.out)[1].startsWith(QStringLiteral("1\tD13 × 3\t－\t")));
    }

    void exitStatuses_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");
        const QString si = example("bracket-si.tvx");
        QTest::newRow("no file") << QStringList{"propose"} << 1 << "no design file";
        QTest::newRow("two files") << QStringList{"propose", si, si} << 1 << "exactly one";
        QTest::newRow("top 0") << QStringList{"propose", "--top", "0", si} << 1 << "--top";
        QTest::newRow("top text") << QStringList{"propose", "--top", "5x", si} << 1 << "--top";
        QTest::newRow("top too many")
            << QStringList{"propose", "--top", "1001", si} << 1 << "--top";
        QTest::newRow("o without apply") << QStringList{"propose", "-o", "x.tvx", si} << 1 << "-o";
        QTest::newRow("apply alone") << QStringList{"propose", "--apply", si} << 1 << "--apply";
        QTest::newRow("apply onto itself")
            << QStringList{"propose", "--apply", "-o", si, si} << 1 << "itself";
        QTest::newRow("both rules")
            << QStringList{"propose", "--min-clear", "30", "--max-aggregate", "20", si} << 1
            << "exclude";
        QTest::newRow("missing") << QStringList{"propose", testData("none.tvx")} << 2
                                 << "ファイルがありません";
        QTest::newRow("unchangeable warning")
            << QStringList{"propose", testData("outside-method-range.tvx")} << 3
            << "outside-method-range";
        QTest::newRow("stops") << QStringList{"propose", testData("no-self-weight.tvx")} << 3
                               << "入力データが不正です";
    }

    void exitStatuses() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, err);
        const Run run = calc(args);
        QCOMPARE(run.exitCode, status);
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        if (status != 0)
            QVERIFY(run.out.isEmpty());
    }

    void noCandidateInJson() {
        const Run run = calc({"propose", "--json", testData("outside-method-range.tvx")});
        QCOMPARE(run.exitCode, 3);
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QVERIFY(o["candidates"].toArray().isEmpty());
        QVERIFY(o["requiredMainArea"].isNull());
        QVERIFY(o["message"].toString().contains(QStringLiteral("outside-method-range")));
    }

    // The bars' four lines change, every other byte stays; check and json
    // then judge the design OK with no spacing finding. LF files stay LF.
    void applyWritesTheProposal_data() {
        QTest::addColumn<bool>("lf");
        QTest::newRow("CR LF") << false;
        QTest::newRow("LF") << true;
    }

    void applyWritesTheProposal() {
        QFETCH(bool, lf);
        QTemporaryDir dir;
        const QString in = dir.filePath("in.tvx");
        const QString out = dir.filePath("out.tvx");
        QByteArray original = bytesOf(example("bracket-gravitational.tvx"));
        if (lf)
            original.replace("\r\n", "\n");
        writeBytes(in, original);
        const Run run = calc({"propose", "--apply", "-o", out, in});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(QStringLiteral("D10 × 5")));
        QCOMPARE(bytesOf(in), original);
        const QList<QByteArray> before = original.split('\n');
        const QList<QByteArray> after = bytesOf(out).split('\n');
        QCOMPARE(after.size(), before.size());
        const QByteArray end = lf ? "" : "\r";
        for (int i = 0; i < before.size(); ++i) {
            if (i < 11 || i > 14)
                QCOMPARE(after[i], before[i]);
        }
        QCOMPARE(after.mid(11, 4), (QList<QByteArray>{"D10" + end, " 5 " + end, end, " 0 " + end}));

        const Run check = calc({"check", out});
        QCOMPARE(check.exitCode, 0);
        for (const char* code : {"bars-do-not-fit", "layers-too-close", "layer-without-bar"})
            QVERIFY(!check.out.contains(QLatin1String(code)));
        const Run json = calc({"json", out});
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8())["mainJudgement"].toString(),
                 QStringLiteral("    - OK -"));
    }

    void applyInPlace() {
        QTemporaryDir dir;
        const QString in = dir.filePath("in.tvx");
        writeBytes(in, bytesOf(example("bracket-si.tvx")));
        QCOMPARE(calc({"propose", "--apply", "--in-place", in}).exitCode, 0);
        QVERIFY(bytesOf(in).contains("\r\nD10\r\n 5 \r\n\r\n 0 \r\n"));
        // Nothing is written when nothing passes.
        const QString bad = dir.filePath("bad.tvx");
        const QByteArray badBytes = bytesOf(testData("outside-method-range.tvx"));
        writeBytes(bad, badBytes);
        QCOMPARE(calc({"propose", "--apply", "--in-place", bad}).exitCode, 3);
        QCOMPARE(bytesOf(bad), badBytes);
    }

    // The proposal's columns follow the table's own; table reads such a
    // table back without naming them.
    void csvPropose() {
        const Run run = calc({"csv", "--propose", example("bracket-si.tvx"),
                              testData("outside-method-range.tvx")});
        QCOMPARE(run.exitCode, 0);
        const QStringList out = lines(run.out);
        QCOMPARE(out.size(), 3);
        QVERIFY(out[0].endsWith(
            QStringLiteral(",warnings,proposedLayer1Bar,proposedLayer1Count,proposedLayer2Bar,"
                           "proposedLayer2Count,proposedProvidedMainArea,"
                           "proposedRequiredMainArea,proposalMessage")));
        QVERIFY(out[1].contains(QStringLiteral(",D10,5,,0,356.65,")));
        QVERIFY(out[1].endsWith(','));
        QVERIFY(out[2].contains(QStringLiteral(",,,,,,,配置によって変わらない警告")));

        QTemporaryDir dir;
        writeBytes(dir.filePath("t.csv"), run.out.toUtf8());
        const Run table = calc({"table", dir.filePath("t.csv"), "--out-dir", dir.filePath("o")});
        QCOMPARE(table.exitCode, 0);
        QVERIFY2(table.err.isEmpty(), qPrintable(table.err));
    }
};

QTEST_GUILESS_MAIN(TestCliPropose)
#include "test_cli_propose.moc"
