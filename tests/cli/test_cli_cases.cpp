// SPDX-License-Identifier: GPL-3.0-or-later
// Designs of several load cases through haltrix-calc, run as a user runs it:
// every case against a design file of that case alone. Which case governs
// and what each case calculates is the core's test (test_load_cases); here,
// that the commands show the core's answer.

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "calc_runner.h"
#include "design/design_inputs.h"
#include "design/load_cases.h"
#include "files/design_file.h"
#include "worked_examples.h"

using namespace haltrix;
using namespace haltrix::testing;
using Run = haltrix::testing::CalcRun;

Q_DECLARE_METATYPE(haltrix::DesignInputs)
Q_DECLARE_METATYPE(std::vector<haltrix::LoadCase>)

namespace {

// The result keys a case object and a design's object share.
const QStringList kResultKeys = {"ratioCase",
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
                                 "requiredMainArea",
                                 "requiredHorizontalArea",
                                 "message"};

QByteArray fileText(const DesignInputs& design) {
    return QByteArray::fromStdString(designFileText(design));
}

} // namespace

class TestCliCases : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString& name, const DesignInputs& design) {
        return writeBytes(name, fileText(design));
    }
    QString writeBytes(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }
    QJsonObject json(const QStringList& arguments) {
        return jsonObject(runHaltrixCalc(QStringList{"json"} + arguments).out);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // Each case's json results, sheet and report are those of the design of
    // that case alone (its side-face bars given on the command line); the
    // governing case is the one the calculation names. --case takes a case's
    // number (sheet) or its name, "ケース n" for an unnamed one (report).
    void everyCaseAsItsOwnDesign_data() {
        QTest::addColumn<DesignInputs>("design");
        QTest::addColumn<std::vector<LoadCase>>("cases");
        QTest::addColumn<int>("exitCode");
        DesignInputs si = workedSI();
        si.a = 0.45;
        si.sideFaceChoice = {2, 6};
        QTest::newRow("SI, D16 x 6, a case unnamed")
            << si
            << std::vector<LoadCase>{{"常時", 100, 0, 180},
                                     {"", 250, 90, 300},
                                     {"風時", 40, 110, 210}}
            << 0;
        DesignInputs gravitational = workedGravitational();
        gravitational.layer1Count = 3;
        gravitational.sideFaceChoice = {-1, 5};
        QTest::newRow("gravitational, no bar chosen, a case stops")
            << gravitational
            << std::vector<LoadCase>{{"ケース名0", 12, 3, 1800}, {"ケース名1", 30, 0, 0}} << 3;
    }
    void everyCaseAsItsOwnDesign() {
        QFETCH(DesignInputs, design);
        QFETCH(std::vector<LoadCase>, cases);
        QFETCH(int, exitCode);
        setLoadCases(design, cases);
        const QString multi = write("multi.tvx", design);
        QStringList files{multi};
        for (std::size_t i = 0; i < cases.size(); ++i) {
            DesignInputs alone = withLoadsOf(design, cases[i]);
            alone.sideFaceChoice = {};
            files << write(QString("alone-%1.tvx").arg(i), alone);
        }
        const int barIndex = design.sideFaceChoice.barIndex;
        QStringList side{"--hcount", QString::number(design.sideFaceChoice.barCount)};
        if (barIndex >= 0)
            side << "--hbar"
                 << QString("D%1").arg(QList<int>{10, 13, 16, 19, 22, 25, 29, 32, 35}[barIndex]);

        const Run all = runHaltrixCalc(QStringList{"json"} + side + files);
        QCOMPARE(all.exitCode, exitCode);
        const QList<QJsonObject> objects = jsonLines(all.out);
        QCOMPARE(objects.size(), files.size());
        // The file's own side-face choice is taken without the options.
        QCOMPARE(json({multi}), objects[0]);

        const QJsonArray shown = objects[0]["cases"].toArray();
        QCOMPARE(shown.size(), qsizetype(cases.size()));
        for (int i = 0; i < shown.size(); ++i) {
            const QJsonObject mine = shown[i].toObject();
            for (const QString& key : kResultKeys) {
                QVERIFY2(mine[key] == objects[i + 1][key],
                         qPrintable(QString("case %1 key %2").arg(i).arg(key)));
                if (i == 0) // The top level is the first case.
                    QCOMPARE(objects[0][key], mine[key]);
            }
            QCOMPARE(mine["P"].toDouble(), cases[std::size_t(i)].P);
            QCOMPARE(mine["sigmaSa"].toDouble(), cases[std::size_t(i)].sigmaSa);
            QCOMPARE(mine["name"].toString().toStdString(), cases[std::size_t(i)].name);
        }
        QCOMPARE(objects[0]["governingCase"].toInt(),
                 calculateCasesWithOwnChoice(design).governing);

        for (const char* command : {"sheet", "report"}) {
            QByteArray every;
            for (int i = 0; i < shown.size(); ++i) {
                const Run one =
                    runHaltrixCalc(QStringList{command} + side + QStringList{files[i + 1]});
                const QString title = cases[std::size_t(i)].name.empty()
                                          ? QString("ケース %1").arg(i + 1)
                                          : QString::fromStdString(cases[std::size_t(i)].name);
                const QString which =
                    command == QByteArray("sheet") ? QString::number(i + 1) : title;
                const Run chosen = runHaltrixCalc(QStringList{command, "--case", which} + side +
                                                  QStringList{multi});
                QCOMPARE(chosen.out, one.out);
                QCOMPARE(chosen.exitCode, one.exitCode);
                every += (i > 0 ? "\n" : "") +
                         QByteArray::fromStdString(caseHeading(caseAt(design, i), i)) + "\n" +
                         one.out;
            }
            QCOMPARE(runHaltrixCalc(QStringList{command} + side + QStringList{multi}).out, every);
        }
    }

    // One run of a command on one file (given last): its exit code, what
    // standard output matches (every pattern; none: nothing written), what
    // standard error names; the file is left as it was.
    void commandOnFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QString>("err");
        DesignInputs named = workedTwoCases();
        named.laterCases.push_back({"", 90, 0, 250});
        const QStringList report{"report", "--case"};
        for (const char* wrong : {"風時", "4", "0"})
            QTest::addRow("no case %s", wrong) << fileText(named) << report + QStringList{wrong}
                                               << 1 << QStringList() << QString("地震時");

        DesignInputs check = workedTwoCases();
        check.laterCases = {{"地震時", 100, 30, 0}, {"常時", 100, 0, 180}};
        QTest::newRow("check names the case")
            << fileText(check) << QStringList{"check"} << 5
            << QStringList{": non-positive-dimension: 【地震時】 ", ": duplicate-case-name: "}
            << QString("【地震時】");
        QTest::newRow("malformed block")
            << fileText(workedSI()) +
                   "[荷重ケース]\r\n\t 100 \t 0 \t 180 \r\n地震時\t 100 \t30\r\n側面鉄筋\t\t 4 \r\n"
            << QStringList{"json"} << 2 << QStringList() << QString("19 行目");

        // An option over either part of the file's side-face choice (the choice
        // itself: everyCaseAsItsOwnDesign).
        DesignInputs side = workedSI();
        side.sideFaceChoice = {2, 6};
        const auto bars = [](int index, int count) {
            return QStringList{QString("\"hBarIndex\":%1,").arg(index),
                               QString("\"hBarCount\":%1,").arg(count)};
        };
        QTest::newRow("--hcount over the file's")
            << fileText(side) << QStringList{"json", "--hcount", "3"} << 0 << bars(2, 3)
            << QString();
        QTest::newRow("--hbar over the file's")
            << fileText(side) << QStringList{"json", "--hbar", "D10"} << 0 << bars(0, 6)
            << QString();
    }
    void commandOnFile() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, out);
        QFETCH(QString, err);
        const QString path = writeBytes("command.tvx", file);
        const Run run = runHaltrixCalc(arguments + QStringList{path});
        QCOMPARE(run.exitCode, exitCode);
        if (out.isEmpty())
            QVERIFY(run.out.isEmpty());
        for (const QString& pattern : out)
            QVERIFY2(run.outText().contains(QRegularExpression(pattern)), qPrintable(pattern));
        QVERIFY(run.errText().contains(err));
        QCOMPARE(fileBytes(path), file);
    }

    // The csv of several cases goes back through table to the same file.
    void csvAndTableKeepTheCases() {
        DesignInputs design = workedGravitational();
        design.firstCaseName = "常時";
        design.laterCases = {{"地震時, \"強\"", 10, 3, 3000}};
        const QString multi = write("table-multi.tvx", design);
        const QString single = write("table-single.tvx", workedGravitational());
        QVERIFY(runHaltrixCalc({"csv", single}).out.startsWith("file,unitSystem,"));
        const Run csv = runHaltrixCalc({"csv", single, multi});
        QCOMPARE(csv.exitCode, 0);
        const QList<QByteArray> rows = csv.out.split('\n');
        QVERIFY(rows[0].startsWith("file,case,unitSystem,"));
        QCOMPARE(rows.size(), 5); // header, one row, two rows, the empty end
        QVERIFY(rows[1].startsWith(single.toUtf8() + ",,1,"));
        QVERIFY(rows[3].startsWith(multi.toUtf8() + ",\"地震時, \"\"強\"\"\",1,"));
        // The row of a case is the row of the design of that case alone.
        const QString quake =
            write("table-quake.tvx", withLoadsOf(workedGravitational(), {"", 10, 3, 3000}));
        const QByteArray alone = runHaltrixCalc({"csv", quake}).out.split('\n')[1];
        QCOMPARE(rows[3].mid(rows[3].indexOf(",1,")), alone.mid(alone.indexOf(",1,")));

        const QString out = m_dir.filePath("back");
        const Run back =
            runHaltrixCalc({"table", writeBytes("table.csv", csv.out), "--out-dir", out});
        QCOMPARE(back.exitCode, 0);
        QCOMPARE(fileBytes(out + "/table-multi.tvx"), fileBytes(multi));
    }

    void tableRefusesDisagreeingCases() {
        const QByteArray table =
            "file,case,unitSystem,H1,H2,l,b,a,P,H,t,c,layer1Bar,layer1Count,layer2Bar,layer2Count,"
            "sigmaSa,concreteUnitWeight\n"
            "x,A,2,0.5,0.7,0.25,1.2,0.3,100,0,100,250,D22,4,D22,2,180,24.5\n"
            "x,B,2,0.6,0.7,0.25,1.2,0.3,100,9,100,250,D22,4,D22,2,300,24.5\n"
            "y,A,2,0.5,0.7,0.25,1.2,0.3,100,0,100,250,D22,4,D22,2,180,24.5\n"
            "y,A,2,0.5,0.7,0.25,1.2,0.3,100,9,100,250,D22,4,D22,2,300,24.5\n"
            "z,A,2,0.5,0.7,0.25,1.2,0.3,100,0,100,250,D22,4,D22,2,180,24.5\n";
        const QString out = m_dir.filePath("refused");
        const Run run = runHaltrixCalc({"table", writeBytes("bad.csv", table), "--out-dir", out});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(run.errText().contains("行 3"));
        QVERIFY(run.errText().contains("行 5"));
        QVERIFY(!QFile::exists(out + "/x.tvx"));
        QVERIFY(!QFile::exists(out + "/y.tvx"));
        QVERIFY(QFile::exists(out + "/z.tvx"));
    }

    // The proposal passes every case; the first case alone would take less.
    void proposalPassesEveryCase() {
        DesignInputs design = workedTwoCases();
        design.laterCases = {{"地震時", 300, 150, 300}};
        const QString file = write("propose.tvx", design);
        const QString applied = m_dir.filePath("proposed.tvx");
        QCOMPARE(runHaltrixCalc({"propose", "--apply", "-o", applied, file}).exitCode, 0);
        for (const QJsonValue& c : json({applied})["cases"].toArray())
            QCOMPARE(c.toObject()["mainJudgement"].toString(), QStringLiteral("    - OK -"));
        const auto area = [](const QString& path) {
            const Run run = runHaltrixCalc({"propose", "--json", path});
            return jsonObject(run.out)["candidates"]
                .toArray()[0]
                .toObject()["providedMainArea"]
                .toDouble();
        };
        QVERIFY(area(file) > area(write("propose-first.tvx", workedSI())));
    }

    void sweepTakesTheCase() {
        const QString file = write("sweep.tvx", workedTwoCases());
        const QJsonObject alone =
            json({write("sweep-alone.tvx", withLoadsOf(workedSI(), {"", 150, 30, 300}))});
        const Run run = runHaltrixCalc({"sweep", "--case", "地震時", "--param", "P", "--from",
                                        "150", "--to", "150", "--steps", "1", file});
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> line = run.out.split('\n')[1].split(',');
        QCOMPARE(line[2].toDouble(), alone["requiredMainArea"].toDouble());
    }
};

QTEST_GUILESS_MAIN(TestCliCases)
#include "test_cli_cases.moc"
