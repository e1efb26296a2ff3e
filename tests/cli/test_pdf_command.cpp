// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc pdf, run as a program on a machine without a display: the
// printed report of a design file as an A4 PDF, read back with poppler.

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "calc_runner.h"
#include "design/design_calculation.h"
#include "files/design_file.h"
#include "pdf_text.h"
#include "paper/report.h"

using namespace haltrix;

namespace {

using Run = haltrix::testing::CalcRun;


QString example(const char* name) {
    return QStringLiteral(HALTRIX_EXAMPLES_DIR "/") + QString::fromLatin1(name);
}

// The printed lines the core writes for a design file taken as the result
// window takes it.
QStringList expectedLines(const QString& path, int barIndex, double barCount) {
    DesignInputs inputs;
    if (readDesignFile(path.toStdString(), inputs))
        return {};
    const DesignResults results = calculateDesign(inputs, {barIndex, barCount});
    QStringList lines;
    for (const std::string& line : reportLines(inputs, results, ReportVariant::Print))
        lines.append(QString::fromStdString(line));
    return lines;
}

} // namespace

class TestPdfCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString designFile(const char* name, const DesignInputs& record) {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        if (writeDesignFile(path.toStdString(), record))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void examples_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("barIndex");
        QTest::addColumn<double>("barCount");
        QTest::addColumn<QStringList>("keyLines");
        QTest::newRow("gravitational")
            << example("bracket-gravitational.tvx") << QStringList() << -1 << 4.0
            << QStringList{" (1) 入力データ",        " (2) 計算結果",     " 0.5≧ａ／Ｈ2の場合",
                           "      H=     1.93(cm2)", " 鉄筋径       D10", " 鉄筋本数       4(本)",
                           " 鉄筋量      2.85(cm2)"};
        QTest::newRow("gravitational, 4 x D35, --print")
            << example("bracket-gravitational.tvx")
            << QStringList{"--hbar", "D35", "--hcount", "4", "--print"} << 8 << 4.0
            << QStringList{" 鉄筋径       D35", " 鉄筋量     38.26(cm2)"};
        QTest::newRow("gravitational, 2.5 bars")
            << example("bracket-gravitational.tvx") << QStringList{"--hcount", "2.5"} << -1 << 2.5
            << QStringList{" 鉄筋本数     2.5(本)", " 鉄筋量      1.78(cm2)"};
        QTest::newRow("SI") << example("bracket-si.tvx") << QStringList() << -1 << 4.0
                            << QStringList{" (1) 入力データ", " (2) 計算結果", " 0.5≧ａ／Ｈ2の場合",
                                           " 鉄筋径       D10", " 鉄筋量       285(mm2)"};
    }

    void examples() {
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(int, barIndex);
        QFETCH(double, barCount);
        QFETCH(QStringList, keyLines);
        const QString pdf = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
        const Run run = haltrix::testing::runHaltrixCalc(QStringList{"pdf"} + options + QStringList{file, "-o", pdf});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errText()));
        QVERIFY(QFile::exists(pdf));

        QString error;
        const QString text = test::pdfLayoutText(pdf, error);
        QVERIFY2(!text.isNull(), qPrintable(error));
        for (const QString& key : keyLines)
            QVERIFY2(test::firstMissingInOrder({key}, text).isNull(), qPrintable(key));
        const QStringList lines = expectedLines(file, barIndex, barCount);
        QVERIFY(lines.size() > 30);
        const QString missing = test::firstMissingInOrder(lines, text);
        QVERIFY2(missing.isNull(), qPrintable("not in order: " + missing));

        const test::PdfWords words = test::pdfWords(pdf, error);
        // The report's page, then 設計上の注意: the examples' bearing lies
        // beyond the overhang (a > l), a 注意.
        QCOMPARE(words.pageSizes.size(), 2);
        for (const QSizeF& size : words.pageSizes) {
            QVERIFY(qAbs(size.width() - 595.28) < 1);
            QVERIFY(qAbs(size.height() - 841.89) < 1);
        }
        const QString fonts = test::pdfFonts(pdf, error);
        QVERIFY2(fonts.contains(QStringLiteral("IPAMincho")), qPrintable(fonts));
        for (const QString& row : fonts.split('\n').mid(2)) {
            if (!row.trimmed().isEmpty())
                QVERIFY2(row.contains(QStringLiteral(" yes ")), qPrintable(row));
        }
    }

    // --print changes nothing: the PDF is always the printed report.
    void printOptionChangesNothing() {
        const QString plain = m_dir.filePath(QStringLiteral("plain.pdf"));
        const QString printed = m_dir.filePath(QStringLiteral("printed.pdf"));
        QCOMPARE(haltrix::testing::runHaltrixCalc({"pdf", example("bracket-si.tvx"), "-o", plain}).exitCode, 0);
        QCOMPARE(haltrix::testing::runHaltrixCalc({"pdf", "--print", example("bracket-si.tvx"), "-o", printed}).exitCode, 0);
        QString error;
        QCOMPARE(test::pdfLayoutText(printed, error), test::pdfLayoutText(plain, error));
    }

    void exitStatuses() {
        DesignInputs zeros;
        zeros.unitSystem = 1;
        const QString zeroFile = designFile("zeros.tvx", zeros);
        DesignInputs unit3;
        readDesignFile(example("bracket-si.tvx").toStdString(), unit3);
        unit3.unitSystem = 3;
        const QString unit3File = designFile("unit3.tvx", unit3);
        const QString out = m_dir.filePath(QStringLiteral("status.pdf"));

        // The engine's message: the report is still written, status 3.
        Run run = haltrix::testing::runHaltrixCalc({"pdf", zeroFile, "-o", out});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(run.errText().contains(QStringLiteral("入力データが不正です")));
        QVERIFY(QFile::exists(out));
        QString error;
        QVERIFY(test::pdfLayoutText(out, error).contains(QStringLiteral("入力データ")));
        QFile::remove(out);

        run = haltrix::testing::runHaltrixCalc({"pdf", m_dir.filePath("missing.tvx"), "-o", out});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!QFile::exists(out));

        // A unit system without a report: nothing written, as "印刷実行"
        // prints nothing; no failure either.
        run = haltrix::testing::runHaltrixCalc({"pdf", unit3File, "-o", out});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.errText().contains(QStringLiteral("計算書がない")));
        QVERIFY(!QFile::exists(out));

        run = haltrix::testing::runHaltrixCalc({"pdf", example("bracket-si.tvx"), "-o", m_dir.filePath("none/x.pdf")});
        QCOMPARE(run.exitCode, 4);
        QVERIFY(run.errText().contains(QStringLiteral("none/x.pdf")));

        QCOMPARE(haltrix::testing::runHaltrixCalc({"pdf", example("bracket-si.tvx")}).exitCode, 1);
        QCOMPARE(haltrix::testing::runHaltrixCalc({"pdf", example("bracket-si.tvx"), example("bracket-si.tvx"), "-o", out})
                     .exitCode,
                 1);
        QCOMPARE(haltrix::testing::runHaltrixCalc({"pdf", "--hbar", "D11", example("bracket-si.tvx"), "-o", out}).exitCode,
                 1);
        QVERIFY(!QFile::exists(out));
        QVERIFY(haltrix::testing::runHaltrixCalc({"--help"}).exitCode == 0);
    }

    // Without XDG_RUNTIME_DIR (a shell of a service, a container) Qt's
    // platform layer has a warning to give; none of it may reach stderr.
    void quietStandardError_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::newRow("pdf") << QStringList{"pdf", example("bracket-si.tvx"), "-o"} << "quiet.pdf";
        QTest::newRow("sketch png")
            << QStringList{"sketch", example("bracket-gravitational.tvx"), "-o"} << "quiet.png";
    }

    void quietStandardError() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        const Run run = haltrix::testing::runHaltrixCalc(arguments << m_dir.filePath(output), {}, environment);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errText(), QString());
        QVERIFY(QFileInfo(m_dir.filePath(output)).size() > 0);
    }
};

QTEST_GUILESS_MAIN(TestPdfCommand)
#include "test_pdf_command.moc"
