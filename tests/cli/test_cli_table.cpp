// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc csv, table, convert and sweep, run as a user runs them: the
// design table out and back to the same files, the rows and tables table
// refuses, converting a design file and sweeping one.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "calc_runner.h"

namespace {

using Run = haltrix::testing::CalcRun;
using haltrix::testing::source;


QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QStringList kReadableDesigns = {"examples/bracket-gravitational.tvx",
                                      "examples/bracket-si.tvx",
                                      "tests/data/bracket-gravitational-case2.tvx",
                                      "tests/data/bracket-si-case2.tvx",
                                      "tests/data/fresh-si.tvx",
                                      "tests/data/unit-system-3.tvx",
                                      "tests/data/zero-overhang.tvx"};

const QByteArray kHeader = "file,unitSystem,H1,H2,l,b,a,P,H,t,c,layer1Bar,layer1Count,"
                           "layer2Bar,layer2Count,sigmaSa,concreteUnitWeight\n";
const QByteArray kWorkedValues = "1,0.5,0.7,0.25,1.2,0.3,10,0,10,25,D22,4,D22,2,1800,2.5\n";

} // namespace

class TestCliTable : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data() {
        QTest::addColumn<bool>("excel");
        QTest::newRow("plain") << false;
        QTest::newRow("--excel") << true;
    }

    // csv over design files, then table: the same files, byte for byte.
    void roundTrip() {
        QFETCH(bool, excel);
        QTemporaryDir dir;
        QStringList args = {"csv"};
        if (excel)
            args << "--excel";
        args << kReadableDesigns;
        const Run csv = haltrix::testing::runHaltrixCalc(args, QStringLiteral(HALTRIX_SOURCE_DIR));
        QCOMPARE(csv.exitCode, 3); // two of them raise the calculation's message
        const QList<QByteArray> lines = csv.out.split('\n');
        QCOMPARE(lines.size(), kReadableDesigns.size() + 2); // header, rows, nothing after the end
        QCOMPARE(csv.out.startsWith("\xEF\xBB\xBF"), excel);
        QVERIFY(lines[0].trimmed().endsWith(",message,warnings"));
        for (const QByteArray& line : lines.mid(0, lines.size() - 1))
            QCOMPARE(line.endsWith('\r'), excel);
        QVERIFY(csv.out.contains("入力データが不正です"));

        QVERIFY(write(dir.filePath("t.csv"), csv.out));
        const Run table = haltrix::testing::runHaltrixCalc({"table", dir.filePath("t.csv"), "--out-dir", dir.filePath("out")});
        QCOMPARE(table.exitCode, 0);
        QVERIFY2(table.err.isEmpty(), qPrintable(table.err));
        for (const QString& design : kReadableDesigns) {
            const QString name = QFileInfo(design).fileName();
            QCOMPARE(contents(dir.filePath("out/" + name)), contents(source(design)));
        }
        QCOMPARE(QDir(dir.filePath("out")).entryList(QDir::Files).size(), kReadableDesigns.size());
    }

    // An unreadable file is named and left out; the others still make rows.
    void unreadableFile() {
        const Run run =
            haltrix::testing::runHaltrixCalc({"csv", source("tests/data/short.tvx"), source("examples/bracket-si.tvx")});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("short.tvx"));
        QCOMPARE(run.out.count('\n'), 2);
    }

    // Bad rows are named by row and column and not written; the rest are.
    void badRows() {
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("t.csv"),
                      kHeader + "good," + kWorkedValues +
                          "bad,1,0.5,0.7,0.25,1.2,0.3,ten,0,10,25,D22,4,D22,2,1800,2.5\n"
                          "\"two\nlines\",1,0.5,0.7,0.25,1.2,0.3,10,0,10,25,D22,4,D22,2,1800,\n" +
                          "good," + kWorkedValues));
        const Run run = haltrix::testing::runHaltrixCalc({"table", dir.filePath("t.csv"), "--out-dir", dir.filePath("out")});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains("行 3、列 P（H 列）: 「ten」は数値ではありません"),
                 qPrintable(run.err));
        QVERIFY2(run.err.contains("行 4、列 concreteUnitWeight（Q 列）: 値がありません"),
                 qPrintable(run.err));
        QVERIFY2(run.err.contains("行 5: ファイル名 good.tvx は行 2 がすでに使っています"),
                 qPrintable(run.err));
        QCOMPARE(QDir(dir.filePath("out")).entryList(QDir::Files), QStringList{"good.tvx"});
        QCOMPARE(contents(dir.filePath("out/good.tvx")),
                 contents(source("examples/bracket-gravitational.tvx")));
    }

    void brokenTables_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("message");
        QTest::newRow("stray quote at the end")
            << kHeader + "a," + kWorkedValues + "b,1,0.5,0.7,0.25,1.2,0.3,1\"0,0\n"
            << "行 3（3 行目のテキスト）: 引用符で始まらない値の中に引用符";
        QTest::newRow("quote never closed")
            << kHeader + "a," + kWorkedValues + "\"b," + kWorkedValues << "閉じられないまま";
        QTest::newRow("missing column") << QByteArray("file,unitSystem,H1\nx,1,0.5\n")
                                        << "必要な列がありません: H2, l, b, a, P, H, t, c";
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\0\0\0",
                                              10)
                                << "NUL バイト";
        QTest::newRow("empty") << QByteArray() << "表が空です";
        QTest::newRow("a line of 2 MB")
            << kHeader + "a," + kWorkedValues + QByteArray(2 * 1024 * 1024, 'x') + "\n"
            << "値が長すぎます";
    }

    // A table that is not well-formed writes nothing at all.
    void brokenTables() {
        QFETCH(QByteArray, table);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("t.csv"), table));
        const Run run = haltrix::testing::runHaltrixCalc({"table", dir.filePath("t.csv"), "--out-dir", dir.filePath("out")});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.errText().contains(message), qPrintable(run.errText()));
        QVERIFY(!QFileInfo::exists(dir.filePath("out")));
    }

    // No row writes outside the folder, whatever its file value says.
    void staysInsideTheFolder() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("a/out"));
        QVERIFY(write(dir.filePath("t.csv"), kHeader + "../../escaped.tvx," + kWorkedValues +
                                                 "/tmp/x/../escaped2," + kWorkedValues + ".," +
                                                 kWorkedValues));
        QStringList written{"escaped.tvx", "escaped2.tvx", "row-4.tvx"};
#ifndef Q_OS_WIN // Qt links there are shortcut files, not file-system links
        QVERIFY(QFile::link(dir.filePath("elsewhere.tvx"), dir.filePath("a/out/link.tvx")));
        QVERIFY(write(dir.filePath("t2.csv"), kHeader + "link.tvx," + kWorkedValues));
        written.insert(2, "link.tvx");
#endif
        const Run run = haltrix::testing::runHaltrixCalc({"table", dir.filePath("t.csv"), "--out-dir", dir.filePath("a/out")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QDir(dir.filePath("a/out")).entryList(QDir::Files | QDir::System, QDir::Name),
                 written);
        QVERIFY(!QFileInfo::exists(dir.filePath("escaped.tvx")));
#ifndef Q_OS_WIN
        const Run link =
            haltrix::testing::runHaltrixCalc({"table", dir.filePath("t2.csv"), "--out-dir", dir.filePath("a/out")});
        QCOMPARE(link.exitCode, 3);
        QVERIFY(link.err.contains("リンクやフォルダーには書きません"));
        QVERIFY(!QFileInfo::exists(dir.filePath("elsewhere.tvx")));
#endif
    }

    // The example converted as a user converts it: P = 10 x 9.80665, σsa =
    // 1800 x 0.0980665, γc = 2.5 x 9.80665, t and c x 10.
    void convert() {
        QTemporaryDir dir;
        const QString out = dir.filePath("x.tvx");
        const Run run = haltrix::testing::runHaltrixCalc(
            {"convert", "--to", "si", source("examples/bracket-gravitational.tvx"), "-o", out});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(contents(out),
                 QByteArray(" 0.5 \r\n 0.7 \r\n 0.25 \r\n 1.2 \r\n 0.3 \r\n"
                            " 24.516625 \r\n 176.5197 \r\n 98.0665 \r\n 0 \r\n"
                            " 100 \r\n 250 \r\nD22\r\n 4 \r\nD22\r\n 2 \r\n 2 \r\n"));
        QVERIFY(QString::fromUtf8(run.out).contains("σsa = 1800 kg/cm2 → 176.5197 N/mm2"));

        const Run back = haltrix::testing::runHaltrixCalc({"convert", "--to", "gravitational", "--in-place", out});
        QCOMPARE(back.exitCode, 0);
        QCOMPARE(contents(out), contents(source("examples/bracket-gravitational.tvx")));

        const Run rounded = haltrix::testing::runHaltrixCalc({"convert", "--to", "si", "--round-stress", "4",
                                  source("examples/bracket-gravitational.tvx"), "-o", out});
        QCOMPARE(rounded.exitCode, 0);
        QVERIFY(contents(out).contains("\r\n 24.52 \r\n 176.5 \r\n 98.0665 \r\n"));
    }

    void convertRefuses_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString in = "IN.tvx";
        QTest::newRow("over its input")
            << QStringList{"--to", "si", in, "-o", in} << 1 << "変換する設計ファイルそのもの";
        QTest::newRow("over its input by another name")
            << QStringList{"--to", "si", in, "-o", "./sub/../IN.tvx"} << 1 << "変換する設計ファイルそのもの";
#ifndef Q_OS_WIN
        QTest::newRow("over its input through a link")
            << QStringList{"--to", "si", in, "-o", "link.tvx"} << 1 << "変換する設計ファイルそのもの";
#endif
        QTest::newRow("no -o") << QStringList{"--to", "si", in} << 1 << "-o OUT.tvx を指定してください";
        QTest::newRow("no --to") << QStringList{in, "-o", "x.tvx"} << 1 << "--to si";
        QTest::newRow("unknown system") << QStringList{"--to", "cgs", in, "-o", "x.tvx"} << 1
                                        << "--to には si か gravitational";
        QTest::newRow("0 digits") << QStringList{"--to", "si", "--round-stress", "0",
                                                 in,     "-o", "x.tvx"}
                                  << 1 << "--round-stress";
        QTest::newRow("unreadable")
            << QStringList{"--to", "si", "short.tvx", "-o", "x.tvx"} << 2 << "short.tvx";
        QTest::newRow("unit system 3") << QStringList{"--to", "si", "three.tvx", "-o", "x.tvx"} << 3
                                       << "単位系が 3 の設計は変換できません";
        QTest::newRow("no such folder")
            << QStringList{"--to", "si", in, "-o", "missing/x.tvx"} << 4 << "missing/x.tvx";
    }

    // Refused runs leave their input as it was and write nothing.
    void convertRefuses() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QByteArray example = contents(source("examples/bracket-gravitational.tvx"));
        QVERIFY(write(dir.filePath("IN.tvx"), example));
        QVERIFY(QDir(dir.path()).mkpath("sub"));
#ifndef Q_OS_WIN
        QVERIFY(QFile::link("IN.tvx", dir.filePath("link.tvx")));
#endif
        QVERIFY(QFile::copy(source("tests/data/short.tvx"), dir.filePath("short.tvx")));
        QVERIFY(QFile::copy(source("tests/data/unit-system-3.tvx"), dir.filePath("three.tvx")));
        const Run run = haltrix::testing::runHaltrixCalc(QStringList{"convert"} + args, dir.path());
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.errText().contains(message), qPrintable(run.errText()));
        QCOMPARE(contents(dir.filePath("IN.tvx")), example);
        QVERIFY(!QFileInfo::exists(dir.filePath("x.tvx")));
    }

    void sweep() {
        const Run run = haltrix::testing::runHaltrixCalc({"sweep", "--param", "a", "--from", "0", "--to", "1.0", "--steps",
                              "200", source("examples/bracket-gravitational.tvx")});
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 203); // header, 201 points, nothing after the last line end
        QCOMPARE(lines[0], QByteArray("a,ratioCase,requiredMainArea,providedMainArea,"
                                      "mainJudgement,message"));
        QVERIFY(lines[1].startsWith("0,1,"));
        QVERIFY(lines[71].startsWith("0.35,1,")); // a / H2 = 0.5: still case 1
        QVERIFY(lines[72].startsWith("0.355,2,"));
        QVERIFY(lines[201].startsWith("1,2,"));
    }

    void sweepRefuses_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("no steps") << QStringList{"--steps", "0"} << "--steps には 1 から";
        QTest::newRow("a billion steps")
            << QStringList{"--steps", "1000000000"} << "1 から 1000000 までの整数";
        QTest::newRow("fraction of a step") << QStringList{"--steps", "2.5"} << "--steps";
        QTest::newRow("infinite") << QStringList{"--to", "inf"} << "--to には有限の数";
        QTest::newRow("NaN") << QStringList{"--from", "nan"} << "--from には有限の数";
        QTest::newRow("beyond the range") << QStringList{"--to", "1e999"} << "--to には有限";
        QTest::newRow("unknown input")
            << QStringList{"--param", "gamma"} << "--param には a H P";
    }

    void sweepRefuses() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QStringList full = {"--param", "a", "--from", "0", "--to", "1", "--steps", "10"};
        for (int i = 0; i + 1 < args.size(); i += 2)
            full[full.indexOf(args[i]) + 1] = args[i + 1];
        const Run run =
            haltrix::testing::runHaltrixCalc(QStringList{"sweep"} + full + QStringList{source("examples/bracket-si.tvx")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errText().contains(message), qPrintable(run.errText()));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliTable)
#include "test_cli_table.moc"
