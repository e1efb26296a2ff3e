// SPDX-License-Identifier: GPL-3.0-or-later
// The design table: its header, a design's row, reading rows back exactly,
// the rows and headers it refuses, and the file names rows are given.

#include <QTest>

#include <cmath>
#include <limits>
#include <sstream>

#include "files/csv.h"
#include "design/design_calculation.h"
#include "files/design_file.h"
#include "files/design_table.h"
#include "worked_examples.h"

using namespace haltrix;

namespace {

std::vector<std::vector<std::string>> records(const std::string& text) {
    std::istringstream in(text);
    CsvReader reader(in);
    std::vector<std::vector<std::string>> all;
    std::vector<std::string> fields;
    while (reader.next(fields) == CsvReader::Status::Record)
        all.push_back(fields);
    return all;
}

std::vector<std::string> split(const QString& line) {
    std::vector<std::string> fields;
    for (const QString& field : line.split(','))
        fields.push_back(field.toStdString());
    return fields;
}

const char* const kInputHeader = "file,unitSystem,H1,H2,l,b,a,P,H,t,c,layer1Bar,layer1Count,"
                                 "layer2Bar,layer2Count,sigmaSa,concreteUnitWeight";
const char* const kWorkedRow = "w.tvx,1,0.5,0.7,0.25,1.2,0.3,10,0,10,25,D22,4,D22,2,1800,2.5";

// A design with values that only an exact text carries.
DesignInputs awkwardDesign() {
    DesignInputs r = workedSI();
    r.H1 = 0.1 + 0.2;
    r.H2 = 1.0 / 3.0;
    r.l = -0.0;
    r.b = std::numeric_limits<double>::max();
    r.a = std::numeric_limits<double>::denorm_min();
    r.P = 1e-300;
    r.H = -123456.78901234567;
    r.t = 1e22;
    r.layer1Bar = " D22, \"spare\"";
    r.layer2Bar = "鉄筋\r";
    r.layer2Count = 2.5;
    r.sigmaSa = 176.51970000000003;
    return r;
}

} // namespace

class TestDesignTable : public QObject {
    Q_OBJECT

private slots:
    // The header users' spreadsheets and scripts rely on.
    void header() {
        std::string header;
        appendDesignTableHeader(header);
        QCOMPARE(header, std::string(kInputHeader) +
                             ",ratioCase,S,sumAs,Ast,requiredMainArea,providedMainArea,"
                             "mainJudgement,hBar,hBarCount,hAs,requiredHorizontalArea,"
                             "horizontalJudgement,message,warnings");
    }

    // The worked example, by hand: S = 10 + 0.45 = 10.45 tf; Ast =
    // (0 + 6.83112 + 0.120967) / 1800 x 1000 = 3.862271 cm2 governs case 1
    // over 2/3 x 4.146825; provided 6 x 3.871 = 23.226 cm2; horizontal
    // 4 x D10 = 2.8532 cm2 against Ast / 2 = 1.931135.
    void workedRow() {
        const DesignInputs r = workedGravitational();
        std::string table;
        appendDesignTableHeader(table);
        table += '\n';
        appendDesignTableRow(table, "dir/w,1.tvx", r, calculateDesign(r), {});
        const auto read = records(table);
        QCOMPARE(read.size(), std::size_t(2));
        QCOMPARE(read[1].size(), read[0].size());
        auto cell = [&](std::string_view name) {
            for (std::size_t i = 0; i < read[0].size(); ++i) {
                if (read[0][i] == name)
                    return read[1][i];
            }
            return std::string("(no column)");
        };
        QCOMPARE(cell("file"), std::string("dir/w,1.tvx"));
        QCOMPARE(cell("unitSystem"), std::string("1"));
        QCOMPARE(cell("ratioCase"), std::string("1"));
        QCOMPARE(cell("S"), std::string("10.45"));
        QCOMPARE(std::stod(cell("Ast")), std::stod(cell("requiredMainArea")));
        QVERIFY(std::fabs(std::stod(cell("requiredMainArea")) - 3.862271) < 1e-6);
        QVERIFY(std::fabs(std::stod(cell("sumAs")) - 4.146825) < 1e-6);
        QCOMPARE(cell("providedMainArea"), std::string("23.226"));
        QCOMPARE(cell("mainJudgement"), std::string(kJudgementOk));
        QCOMPARE(cell("hBar"), std::string("D10"));
        QCOMPARE(cell("hAs"), std::string("2.8532"));
        QVERIFY(std::fabs(std::stod(cell("requiredHorizontalArea")) - 1.931135) < 1e-6);
        QCOMPARE(cell("horizontalJudgement"), std::string(kJudgementOk));
        QCOMPARE(cell("message"), std::string());
        QCOMPARE(cell("warnings"), std::string());
    }

    // The codes of the warnings, in their order, in one field.
    void warningCodes() {
        const DesignInputs r = workedGravitational();
        Finding outside;
        outside.code = finding_code::kOutsideMethodRange;
        Finding fit;
        fit.code = finding_code::kBarsDoNotFit;
        fit.severity = Severity::Warning;
        std::string row;
        appendDesignTableRow(row, "w.tvx", r, calculateDesign(r), {outside, fit});
        QVERIFY(QString::fromStdString(row).endsWith(",,outside-method-range;bars-do-not-fit"));
    }

    // Out and back in, every input is the same double (the design file's own
    // 15 digits would not do that).
    void exactRoundTrip() {
        for (const DesignInputs& design : {workedGravitational(), awkwardDesign()}) {
            const DesignInputs r = design;
            std::string table;
            appendDesignTableHeader(table);
            table += "\r\n";
            appendDesignTableRow(table, "x.tvx", r, DesignResults{}, {});
            table += "\r\n";
            const auto read = records(table);
            QCOMPARE(read.size(), std::size_t(2));
            TableColumns columns;
            QVERIFY(!mapTableColumns(read[0], columns, {}));
            DesignInputs back;
            const auto error = designFromTableRow(columns, read[1], back);
            QVERIFY2(!error, error ? error->reason.c_str() : "");
            QVERIFY(back == design);
            QVERIFY(std::signbit(back.l) == std::signbit(design.l));
            QCOMPARE(designFileText(back), designFileText(design));
        }
    }

    void columns_data() {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QStringList>("ignored");
        QTest::newRow("as csv writes it") << kInputHeader << "" << QStringList{};
        QTest::newRow("any order, no file")
            << "concreteUnitWeight,sigmaSa,layer2Count,layer2Bar,layer1Count,layer1Bar,c,t,H,P,"
               "a,b,l,H2,H1,unitSystem"
            << "" << QStringList{};
        QTest::newRow("results passed over, others named")
            << QString(kInputHeader) + ",Ast,note,mainJudgement,Sigmasa"
            << "" << QStringList{"note", "Sigmasa"};
        QTest::newRow("missing two")
            << "file,unitSystem,H1,H2,l,b,a,P,H,t,c,layer1Bar,layer1Count,layer2Bar,layer2Count"
            << "必要な列がありません: sigmaSa, concreteUnitWeight" << QStringList{};
        QTest::newRow("case matters") << QString(kInputHeader).replace("H1", "h1")
                                      << "必要な列がありません: H1" << QStringList{};
        QTest::newRow("input twice") << QString(kInputHeader) + ",P"
                                     << "列 P が二度あります（H 列と R 列）" << QStringList{};
        QTest::newRow("file twice") << QString(kInputHeader) + ",file"
                                    << "列 file が二度" << QStringList{};
    }

    void columns() {
        QFETCH(QString, header);
        QFETCH(QString, problem);
        QFETCH(QStringList, ignored);
        TableColumns columns;
        const auto error = mapTableColumns(split(header), columns, {});
        if (problem.isEmpty()) {
            QVERIFY2(!error, error ? error->c_str() : "");
            QStringList names;
            for (const std::string& name : columns.ignored)
                names << QString::fromStdString(name);
            QCOMPARE(names, ignored);
        } else {
            QVERIFY(error);
            QVERIFY2(QString::fromStdString(*error).contains(problem), error->c_str());
        }
    }

    // A header in another order still puts each value where it belongs.
    void columnsByName() {
        TableColumns columns;
        QVERIFY(!mapTableColumns(split("sigmaSa,x,unitSystem,H1,H2,l,b,a,P,H,t,c,layer1Bar,"
                                       "layer1Count,layer2Bar,layer2Count,concreteUnitWeight"),
                                 columns, {}));
        DesignInputs r;
        QVERIFY(!designFromTableRow(
            columns, split("1800,?,1,0.5,0.7,0.25,1.2,0.3,10,0,10,25,D22,4,D19,2,2.5"), r));
        DesignInputs expected = workedGravitational();
        expected.layer2Bar = "D19";
        QVERIFY(r == expected);
    }

    void badRows_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("reason");
        QTest::newRow("word for a number") << 7 << "ten"
                                           << "P"
                                           << "「ten」は数値ではありません";
        QTest::newRow("comma decimal") << 2 << "0,5"
                                       << "H1"
                                       << "は数値ではありません";
        QTest::newRow("empty number") << 3 << ""
                                      << "H2"
                                      << "値がありません";
        QTest::newRow("infinity") << 15 << "inf"
                                  << "sigmaSa"
                                  << "数値ではありません";
        QTest::newRow("beyond the double range") << 16 << "1e999"
                                                 << "concreteUnitWeight"
                                                 << "数値ではありません";
        QTest::newRow("fractional unit system") << 1 << "1.5"
                                                << "unitSystem"
                                                << "整数ではありません";
        QTest::newRow("unit system too big") << 1 << "3e9"
                                             << "unitSystem"
                                             << "整数ではありません";
        QTest::newRow("line break in a designation") << 11 << "D2\n2"
                                                     << "layer1Bar"
                                                     << "改行";
        QTest::newRow("too long a designation") << 13 << QString(5000, 'D') << "layer2Bar"
                                                << "長すぎます";
    }

    // Named by column, and the record is left as it was.
    void badRows() {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QString, column);
        QFETCH(QString, reason);
        TableColumns columns;
        QVERIFY(!mapTableColumns(split(kInputHeader), columns, {}));
        std::vector<std::string> row = split(kWorkedRow);
        row[static_cast<std::size_t>(field)] = value.toStdString();
        DesignInputs r = workedSI();
        const auto error = designFromTableRow(columns, row, r);
        QVERIFY(error);
        QCOMPARE(QString::fromStdString(error->column), column);
        QCOMPARE(error->index, std::size_t(field));
        QVERIFY2(QString::fromStdString(error->reason).contains(reason), error->reason.c_str());
        QVERIFY(r == workedSI());
    }

    void fieldCount() {
        TableColumns columns;
        QVERIFY(!mapTableColumns(split(kInputHeader), columns, {}));
        std::vector<std::string> row = split(kWorkedRow);
        row.push_back("extra");
        DesignInputs r;
        const auto error = designFromTableRow(columns, row, r);
        QVERIFY(error);
        QVERIFY(error->column.empty());
        QVERIFY(
            QString::fromStdString(error->reason).contains("値が 18 個あります（見出しは 17 個）"));
    }

    void fileNames_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("plain") << QByteArray("pier-3.tvx") << QByteArray("pier-3.tvx");
        QTest::newRow("extension added") << QByteArray("pier 3") << QByteArray("pier 3.tvx");
        QTest::newRow("upper-case extension kept") << QByteArray("A.TVX") << QByteArray("A.TVX");
        QTest::newRow("path as csv wrote it")
            << QByteArray("examples/bracket-si.tvx") << QByteArray("bracket-si.tvx");
        QTest::newRow("climbing out") << QByteArray("../../etc/passwd") << QByteArray("passwd.tvx");
        QTest::newRow("absolute") << QByteArray("/etc/cron.d/x") << QByteArray("x.tvx");
        QTest::newRow("Windows path") << QByteArray("C:\\data\\..\\b.tvx") << QByteArray("b.tvx");
        QTest::newRow("refused characters")
            << QByteArray("a:b*c?\"<>|\t.tvx") << QByteArray("a_b_c______.tvx");
        QTest::newRow("Japanese") << QByteArray("橋脚Ｐ１") << QByteArray("橋脚Ｐ１.tvx");
        QTest::newRow("Shift-JIS bytes") << QByteArray("\x8b\xb4.tvx") << QByteArray("__.tvx");
        QTest::newRow("dot dot") << QByteArray("..") << QByteArray();
        QTest::newRow("dot") << QByteArray("a/.") << QByteArray();
        QTest::newRow("empty") << QByteArray("") << QByteArray();
        QTest::newRow("folder only") << QByteArray("dir/") << QByteArray();
        QTest::newRow("dot tvx") << QByteArray(".tvx") << QByteArray(".tvx");
    }

    void fileNames() {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, name);
        std::string made = "unset";
        QVERIFY(!tableRowFileName(value.toStdString(), made));
        QCOMPARE(QByteArray::fromStdString(made), name);
    }

    void tooLongFileName() {
        std::string made;
        QVERIFY(tableRowFileName(std::string(252, 'a'), made));
        QVERIFY(!tableRowFileName(std::string(251, 'a'), made));
        QCOMPARE(made.size(), std::size_t(255));
    }

    void numbered() {
        QCOMPARE(numberedTableRowFileName(5), std::string("row-5.tvx"));
        QCOMPARE(spreadsheetColumnName(0), std::string("A"));
        QCOMPARE(spreadsheetColumnName(25), std::string("Z"));
        QCOMPARE(spreadsheetColumnName(26), std::string("AA"));
        QCOMPARE(spreadsheetColumnName(701), std::string("ZZ"));
        QCOMPARE(spreadsheetColumnName(702), std::string("AAA"));
    }
};

QTEST_APPLESS_MAIN(TestDesignTable)
#include "test_design_table.moc"
