// SPDX-License-Identifier: GPL-3.0-or-later
// The properties the fuzz targets check, run over the hand-made odd design
// files and tables, the inputs the fuzzers found (fuzz/regressions), the
// examples and the other tests' design files, so that every ordinary and
// sanitizer build repeats them.

#include <QDir>
#include <QFile>
#include <QTest>

#include <cmath>
#include <limits>

#include "command_line_checks.h"
#include "design_checks.h"
#include "files/design_file.h"

using namespace haltrix;

namespace {

QString joined(const std::vector<std::string>& problems) {
    QStringList lines;
    for (const std::string& problem : problems)
        lines << QString::fromStdString(problem);
    return lines.join('\n');
}

void addFilesOf(const QString& folder, const QStringList& patterns = {}) {
    const QDir dir(QStringLiteral(HALTRIX_SOURCE_DIR) + '/' + folder);
    for (const QFileInfo& info : dir.entryInfoList(patterns, QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(info.filePath()));
        QTest::newRow(qPrintable(folder + '/' + info.fileName())) << file.readAll();
    }
}

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

class TestDesignChecks : public QObject {
    Q_OBJECT

private slots:
    void nonFiniteWords_data();
    void nonFiniteWords();
    void fifteenDigits();
    void numberFieldsCoverTheRecord();
    void files_data();
    void files();
    void sixteenMegabyteLines_data();
    void sixteenMegabyteLines();
    void tables_data();
    void tables();
    void sixteenMegabyteField();
    void commandLines_data();
    void commandLines();
};

void TestDesignChecks::nonFiniteWords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::newRow("NaN") << "  S = NaN (tf)" << true;
    QTest::newRow("nan lower") << "nan" << true;
    QTest::newRow("-Infinity") << "       -Infinity" << true;
    QTest::newRow("INF") << "1.0 INF" << true;
    QTest::newRow("-inf beside digits") << "12-inf3" << true;
    QTest::newRow("JSON") << R"({"Ast":Infinity})" << true;
    QTest::newRow("after kanji") << "判定inf" << true;
    QTest::newRow("information") << "information" << false;
    QTest::newRow("nana") << "nana" << false;
    QTest::newRow("exponent") << "1E+20 1e-07" << false;
    QTest::newRow("judgement") << "    - OK -" << false;
    QTest::newRow("designation") << "D22 - 4 (本)" << false;
}

void TestDesignChecks::nonFiniteWords() {
    QFETCH(QString, text);
    QFETCH(bool, found);
    QCOMPARE(checks::hasNonFiniteWord(text.toStdString()), found);
}

void TestDesignChecks::fifteenDigits() {
    QVERIFY(checks::sameTo15Digits(0.1 + 0.2, 0.3));
    QVERIFY(checks::sameTo15Digits(-0.0, 0.0));
    QVERIFY(!checks::sameTo15Digits(1.00000000000001, 1.0));
    QVERIFY(!checks::sameTo15Digits(1e300, 1e299));
}

// Every number of the inputs and results is searched for NaN and infinity,
// also those the engine writes.
void TestDesignChecks::numberFieldsCoverTheRecord() {
    DesignInputs inputs;
    inputs.c = std::numeric_limits<double>::infinity();
    DesignResults results;
    results.main.Ast = std::numeric_limits<double>::quiet_NaN();
    bool sawAst = false;
    bool sawC = false;
    for (const auto& [name, value] : checks::numberFields(inputs, results)) {
        sawAst = sawAst || (name == "Ast" && value != value);
        sawC = sawC || (name == "c" && std::isinf(value));
    }
    QVERIFY(sawAst && sawC);
    // 13 input numbers, 8 of the self-weight table, 9 main, 5 side-face.
    QCOMPARE(checks::numberFields(inputs, results).size(), std::size_t(35));
}

void TestDesignChecks::files_data() {
    QTest::addColumn<QByteArray>("bytes");
    addFilesOf("fuzz/seeds");
    addFilesOf("fuzz/regressions");
    addFilesOf("examples");
    addFilesOf("tests/data", {"*.tvx"});
}

void TestDesignChecks::files() {
    QFETCH(QByteArray, bytes);
    const auto reader = checks::checkDesignReader(view(bytes));
    QVERIFY2(reader.empty(), qPrintable(joined(reader)));
    const auto road = checks::checkDesignRoad(view(bytes));
    QVERIFY2(road.empty(), qPrintable(joined(road)));
}

void TestDesignChecks::sixteenMegabyteLines_data() {
    QTest::addColumn<int>("line");
    QTest::newRow("number line") << 0;
    QTest::newRow("designation line") << 11;
}

// A 16 MB line is refused without reading it whole, and leaves the record as it was.
void TestDesignChecks::sixteenMegabyteLines() {
    QFETCH(int, line);
    QFile example(QStringLiteral(HALTRIX_SOURCE_DIR "/examples/bracket-gravitational.tvx"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = example.readAll().split('\n');
    lines[line] = QByteArray(16 * 1024 * 1024, line == 0 ? '9' : 'D') + '\r';
    const QByteArray bytes = lines.join('\n');

    DesignInputs record;
    record.H1 = 42;
    const DesignInputs before = record;
    const auto error = readDesignText(view(bytes), "huge.tvx", record);
    QVERIFY(error);
    QCOMPARE(error->line, line + 1);
    QVERIFY(record == before);
    const auto reader = checks::checkDesignReader(view(bytes));
    QVERIFY2(reader.empty(), qPrintable(joined(reader)));
    const auto road = checks::checkDesignRoad(view(bytes));
    QVERIFY2(road.empty(), qPrintable(joined(road)));
}

void TestDesignChecks::tables_data() {
    QTest::addColumn<QByteArray>("bytes");
    addFilesOf("fuzz/table-seeds");
    addFilesOf("fuzz/regressions");
    addFilesOf("fuzz/seeds");
    addFilesOf("examples");
}

void TestDesignChecks::tables() {
    QFETCH(QByteArray, bytes);
    const auto table = checks::checkDesignTable(view(bytes));
    QVERIFY2(table.empty(), qPrintable(joined(table)));
}

// A table with a 16 MB value is refused as the reader's limit says.
void TestDesignChecks::sixteenMegabyteField() {
    QFile seed(QStringLiteral(HALTRIX_SOURCE_DIR "/fuzz/table-seeds/examples.csv"));
    QVERIFY(seed.open(QIODevice::ReadOnly));
    const QByteArray bytes = seed.readAll() + "x," + QByteArray(16 * 1024 * 1024, '7') + "\n";
    const auto table = checks::checkDesignTable(view(bytes));
    QVERIFY2(table.empty(), qPrintable(joined(table)));
}

void TestDesignChecks::commandLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    addFilesOf("fuzz/command-line-seeds");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("NUL in an option") << QByteArray("--hbar\nD2\0002\na.tvx", 13);
    QTest::newRow("huge count text") << "--hcount\n" + QByteArray(1 << 20, '9') + "\na.tvx";
}

void TestDesignChecks::commandLines() {
    QFETCH(QByteArray, bytes);
    const auto problems = checks::checkCommandLine(view(bytes));
    QVERIFY2(problems.empty(), qPrintable(joined(problems)));
}

QTEST_APPLESS_MAIN(TestDesignChecks)
#include "test_design_checks.moc"
