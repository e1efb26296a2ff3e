// SPDX-License-Identifier: GPL-3.0-or-later
// Designs of several load cases through haltrix-calc, run as a user runs it:
// every case against a design file of that case alone.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <random>

#include "calc_runner.h"
#include "design/design_inputs.h"
#include "design/load_cases.h"
#include "files/design_file.h"
#include "worked_examples.h"

using namespace haltrix;
using haltrix::testing::runHaltrixCalc;
using Run = haltrix::testing::CalcRun;
using haltrix::testing::jsonLines;
using haltrix::testing::jsonObject;

namespace {

// The worked bracket of the examples, in either unit system.
DesignInputs worked(bool si) {
    return si ? workedSI() : workedGravitational();
}

// The result keys a case object and a design's object share.
const QStringList kResultKeys = {
    "ratioCase", "N1", "x1", "M1", "N2", "x2", "M2", "Ntotal", "M", "layer1Area", "layer2Area",
    "S", "sumAs", "d", "Zc", "tanAlpha", "Tp", "Ast", "mainJudgement", "hBarCount", "hBarIndex",
    "hBarArea", "hAs", "hBarName", "requiredMainArea", "requiredHorizontalArea", "message"};

} // namespace

class TestCliCases : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString& name, const DesignInputs& design) {
        return writeBytes(name, QByteArray::fromStdString(designFileText(design)));
    }
    QString writeBytes(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

    // A design of 2 to 5 cases with random loads, and the one-case design
    // of each case, made by hand.
    static DesignInputs randomDesign(std::mt19937& random, std::vector<DesignInputs>& alone) {
        const bool si = random() % 2;
        DesignInputs design = worked(si);
        design.a = 0.05 * double(1 + random() % 13);
        design.layer1Count = double(2 + random() % 4);
        design.sideFaceChoice = {int(random() % 10) - 1, double(random() % 7)};
        const int count = 2 + int(random() % 4);
        std::vector<LoadCase> cases;
        alone.clear();
        for (int i = 0; i < count; ++i) {
            const double scale = si ? 1.0 : 0.1;
            LoadCase c{i == 2 ? "" : "ケース名" + std::to_string(i),
                       scale * double(random() % 400), scale * double(random() % 120),
                       (si ? 1.0 : 10.0) * double(120 + random() % 300)};
            if (random() % 9 == 0)
                c.sigmaSa = 0; // a case that stops
            cases.push_back(c);
            DesignInputs one = design;
            one.P = c.P;
            one.H = c.H;
            one.sigmaSa = c.sigmaSa;
            one.sideFaceChoice = {};
            alone.push_back(one);
        }
        setLoadCases(design, cases);
        return design;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // Each case's json results, sheet and report are those of the design of
    // that case alone (its side-face bars given on the command line); the
    // governing case is the one the calculation names.
    void everyCaseAsItsOwnDesign() {
        std::mt19937 random(2027);
        for (int round = 0; round < 6; ++round) {
            std::vector<DesignInputs> alone;
            const DesignInputs design = randomDesign(random, alone);
            const QString multi = write(QString("multi-%1.tvx").arg(round), design);
            QStringList files{multi};
            for (std::size_t i = 0; i < alone.size(); ++i)
                files << write(QString("alone-%1-%2.tvx").arg(round).arg(i), alone[i]);
            const QString bar = design.sideFaceChoice.barIndex < 0
                                    ? QString()
                                    : QString("D%1").arg(QList<int>{10, 13, 16, 19, 22, 25, 29, 32, 35}
                                                             [design.sideFaceChoice.barIndex]);
            QStringList side{"--hcount", QString::number(design.sideFaceChoice.barCount)};
            if (!bar.isEmpty())
                side << "--hbar" << bar;

            const Run json = runHaltrixCalc(QStringList{"json"} + side + files);
            QVERIFY(json.exitCode == 0 || json.exitCode == 3);
            const QList<QJsonObject> objects = jsonLines(json.out);
            QCOMPARE(objects.size(), files.size());
            // The file's own side-face choice is taken without the options.
            const Run own = runHaltrixCalc({"json", multi});
            QCOMPARE(jsonLines(own.out).value(0), objects[0]);

            const QJsonArray cases = objects[0]["cases"].toArray();
            QCOMPARE(cases.size(), qsizetype(alone.size()));
            for (int i = 0; i < cases.size(); ++i) {
                const QJsonObject mine = cases[i].toObject();
                const QJsonObject theirs = objects[i + 1];
                for (const QString& key : kResultKeys)
                    QVERIFY2(mine[key] == theirs[key],
                             qPrintable(QString("round %1 case %2 key %3").arg(round).arg(i).arg(key)));
                QCOMPARE(mine["P"].toDouble(), alone[std::size_t(i)].P);
                QCOMPARE(mine["sigmaSa"].toDouble(), alone[std::size_t(i)].sigmaSa);
                QCOMPARE(mine["name"].toString().toStdString(), caseAt(design, i).name);
                // The top level is the first case.
                if (i == 0)
                    for (const QString& key : kResultKeys)
                        QCOMPARE(objects[0][key], mine[key]);
            }
            // The rule itself is the core's test (test_load_cases).
            QCOMPARE(objects[0]["governingCase"].toInt(),
                     calculateCasesWithOwnChoice(design).governing);

            for (const char* command : {"sheet", "report"}) {
                QByteArray every;
                for (int i = 0; i < cases.size(); ++i) {
                    const Run one = runHaltrixCalc(QStringList{command} + side +
                                                   QStringList{files[i + 1]});
                    const Run chosen = runHaltrixCalc(
                        QStringList{command, "--case", QString::number(i + 1)} + side + QStringList{multi});
                    QCOMPARE(chosen.out, one.out);
                    QCOMPARE(chosen.exitCode, one.exitCode);
                    if (i > 0)
                        every += "\n";
                    every += QByteArray::fromStdString(caseHeading(caseAt(design, i), i)) + "\n" +
                             one.out;
                }
                QCOMPARE(runHaltrixCalc(QStringList{command} + side + QStringList{multi}).out, every);
            }
        }
    }

    void caseByNameOrNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("sigma"); // the σsa line of the chosen case's report
        QTest::newRow("name") << "地震時" << 0 << "300";
        QTest::newRow("number") << "1" << 0 << "180";
        QTest::newRow("empty name by its title") << "ケース 3" << 0 << "250";
        QTest::newRow("no such name") << "風時" << 1 << "";
        QTest::newRow("number past the end") << "4" << 1 << "";
        QTest::newRow("zero") << "0" << 1 << "";
    }
    void caseByNameOrNumber() {
        QFETCH(QString, text);
        QFETCH(int, exitCode);
        QFETCH(QString, sigma);
        DesignInputs design = worked(true);
        design.firstCaseName = "常時";
        design.laterCases = {{"地震時", 100, 30, 300}, {"", 90, 0, 250}};
        const QString file = write("named.tvx", design);
        const Run run = runHaltrixCalc({"report", "--case", text, file});
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode != 0) {
            QVERIFY(run.out.isEmpty());
            QVERIFY(run.errText().contains("地震時"));
            return;
        }
        QVERIFY(run.outText().contains(QRegularExpression("許容引張応力度 +" + sigma + " \\(N/mm2\\)")));
    }

    void checkNamesTheCase() {
        DesignInputs design = worked(true);
        design.firstCaseName = "常時";
        design.laterCases = {{"地震時", 100, 30, 0}, {"常時", 100, 0, 180}};
        const Run run = runHaltrixCalc({"check", write("check.tvx", design)});
        QCOMPARE(run.exitCode, 5);
        QVERIFY(run.outText().contains(": non-positive-dimension: 【地震時】 "));
        QVERIFY(run.outText().contains(": duplicate-case-name: "));
        QVERIFY(run.errText().contains("【地震時】"));
    }

    void refusesMalformedBlock() {
        QByteArray bytes = QByteArray::fromStdString(designFileText(worked(true)));
        bytes += "[荷重ケース]\r\n\t 100 \t 0 \t 180 \r\n地震時\t 100 \t30\r\n側面鉄筋\t\t 4 \r\n";
        const QString file = writeBytes("bad.tvx", bytes);
        const Run run = runHaltrixCalc({"json", file});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.errText().contains("19 行目"));
        QFile again(file);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), bytes);
    }

    void sideFaceChoiceFromTheFile() {
        DesignInputs design = worked(true);
        design.sideFaceChoice = {2, 6};
        const QString file = write("side.tvx", design);
        const QJsonObject saved = jsonObject(runHaltrixCalc({"json", file}).out);
        QCOMPARE(saved["hBarIndex"].toInt(), 2);
        QCOMPARE(saved["hBarCount"].toDouble(), 6.0);
        const QJsonObject count = jsonObject(runHaltrixCalc({"json", "--hcount", "3", file}).out);
        QCOMPARE(count["hBarIndex"].toInt(), 2);
        QCOMPARE(count["hBarCount"].toDouble(), 3.0);
        const QJsonObject bar = jsonObject(runHaltrixCalc({"json", "--hbar", "D10", file}).out);
        QCOMPARE(bar["hBarIndex"].toInt(), 0);
        QCOMPARE(bar["hBarCount"].toDouble(), 6.0);
    }

    // The csv of several cases goes back through table to the same file.
    void csvAndTableKeepTheCases() {
        DesignInputs design = worked(false);
        design.firstCaseName = "常時";
        design.laterCases = {{"地震時, \"強\"", 10, 3, 3000}};
        const QString multi = write("table-multi.tvx", design);
        const QString single = write("table-single.tvx", worked(false));
        const Run plain = runHaltrixCalc({"csv", single});
        QVERIFY(plain.out.startsWith("file,unitSystem,"));
        const Run csv = runHaltrixCalc({"csv", single, multi});
        QCOMPARE(csv.exitCode, 0);
        const QList<QByteArray> rows = csv.out.split('\n');
        QVERIFY(rows[0].startsWith("file,case,unitSystem,"));
        QCOMPARE(rows.size(), 5); // header, one row, two rows, the empty end
        QVERIFY(rows[1].startsWith(single.toUtf8() + ",,1,"));
        QVERIFY(rows[3].startsWith(multi.toUtf8() + ",\"地震時, \"\"強\"\"\",1,"));
        // The row of a case is the row of the design of that case alone.
        DesignInputs quake = worked(false);
        quake.P = 10;
        quake.H = 3;
        quake.sigmaSa = 3000;
        const Run alone = runHaltrixCalc({"csv", write("table-quake.tvx", quake)});
        QCOMPARE(rows[3].mid(rows[3].indexOf(",1,")),
                 alone.out.split('\n')[1].mid(alone.out.split('\n')[1].indexOf(",1,")));

        const QString table = writeBytes("table.csv", csv.out);
        const QString out = m_dir.filePath("back");
        const Run back = runHaltrixCalc({"table", table, "--out-dir", out});
        QCOMPARE(back.exitCode, 0);
        QFile original(multi);
        QFile written(out + "/table-multi.tvx");
        QVERIFY(original.open(QIODevice::ReadOnly) && written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), original.readAll());
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
        DesignInputs design = worked(true);
        design.firstCaseName = "常時";
        design.laterCases = {{"地震時", 300, 150, 300}};
        const QString file = write("propose.tvx", design);
        const QString applied = m_dir.filePath("proposed.tvx");
        QCOMPARE(runHaltrixCalc({"propose", "--apply", "-o", applied, file}).exitCode, 0);
        const QJsonObject result = jsonObject(runHaltrixCalc({"json", applied}).out);
        for (const QJsonValue& c : result["cases"].toArray())
            QCOMPARE(c.toObject()["mainJudgement"].toString(), QStringLiteral("    - OK -"));
        DesignInputs first = design;
        first.laterCases.clear();
        first.firstCaseName.clear();
        const auto area = [](const Run& run) {
            return jsonObject(run.out)["candidates"].toArray()[0].toObject()["providedMainArea"].toDouble();
        };
        QVERIFY(area(runHaltrixCalc({"propose", "--json", file})) >
                area(runHaltrixCalc({"propose", "--json", write("propose-first.tvx", first)})));
    }

    void sweepTakesTheCase() {
        DesignInputs design = worked(true);
        design.laterCases = {{"地震時", 100, 30, 300}};
        const QString file = write("sweep.tvx", design);
        DesignInputs quake = worked(true);
        quake.H = 30;
        quake.sigmaSa = 300;
        quake.P = 150;
        const QJsonObject alone = jsonObject(runHaltrixCalc({"json", write("sweep-alone.tvx", quake)}).out);
        const Run run = runHaltrixCalc(
            {"sweep", "--case", "地震時", "--param", "P", "--from", "150", "--to", "150", "--steps", "1", file});
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> line = run.out.split('\n')[1].split(',');
        QCOMPARE(line[2].toDouble(), alone["requiredMainArea"].toDouble());
    }
};

QTEST_GUILESS_MAIN(TestCliCases)
#include "test_cli_cases.moc"
