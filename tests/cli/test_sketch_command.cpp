// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc sketch and the sketch page and header of haltrix-calc pdf, run
// as programs on a machine without a display.

#include <QColor>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "calc_runner.h"
#include "files/design_file.h"
#include "pdf_text.h"

using namespace haltrix;

namespace {

using Run = haltrix::testing::CalcRun;


QString example(const char* name) {
    return QStringLiteral(HALTRIX_SOURCE_DIR "/examples/") + QString::fromLatin1(name);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of the SVG's text elements, one line per group (a text drawn in
// runs of different scripts is one group of elements); empty when it is not
// well-formed XML with an svg root.
QString svgText(const QByteArray& svg, QString& error) {
    QXmlStreamReader xml(svg);
    QString text;
    bool root = true;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && root) {
            root = false;
            if (xml.name() != QLatin1String("svg")) {
                error = QStringLiteral("root element ") + xml.name().toString();
                return {};
            }
        }
        if (xml.isStartElement() && xml.name() == QLatin1String("g"))
            text += '\n';
        if (xml.isStartElement() && xml.name() == QLatin1String("text"))
            text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    if (xml.hasError()) {
        error = xml.errorString();
        return {};
    }
    return text;
}

// The words of one page, without blanks, in reading order.
QStringList pageWords(const test::PdfWords& words, int page) {
    QStringList list;
    for (const test::PdfWord& word : words.words) {
        if (word.page == page)
            list.append(word.text);
    }
    return list;
}

} // namespace

class TestSketchCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString designFile(const char* name, const DesignInputs& record) {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        if (writeDesignFile(path.toStdString(), record))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void svg_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("tText");
        QTest::newRow("gravitational") << example("bracket-gravitational.tvx") << "t=10 cm";
        QTest::newRow("SI") << example("bracket-si.tvx") << "t=100 mm";
    }
    void svg() {
        QFETCH(QString, file);
        QFETCH(QString, tText);
        const QString out = m_dir.filePath(QStringLiteral("%1.svg").arg(QTest::currentDataTag()));
        const Run run = haltrix::testing::runHaltrixCalc({"sketch", file, "-o", out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errText()));
        QString error;
        const QString text = svgText(contents(out), error);
        QVERIFY2(!text.isEmpty(), qPrintable(error));
        for (const QString& expected :
             {QStringLiteral("側面図"), QStringLiteral("付根断面"), QStringLiteral("D22 × 4本"),
              QStringLiteral("D22 × 2本"), QStringLiteral("l=0.250 m"), QStringLiteral("d=0.517 m"),
              QStringLiteral("Zc=0.439 m"), tText})
            QVERIFY2(text.contains(expected), qPrintable(expected));
    }

    // The PNG: the size the export asks for, white paper, the bars in red.
    void png() {
        const QString out = m_dir.filePath(QStringLiteral("sketch.png"));
        const Run run = haltrix::testing::runHaltrixCalc({"sketch", example("bracket-gravitational.tvx"), "-o", out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errText()));
        QImage image;
        QVERIFY(image.load(out, "PNG"));
        QCOMPARE(image.width(), 1600);
        QVERIFY(image.height() > 300 && image.height() < 1600);
        int red = 0;
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 150 && c.green() < 80 && c.blue() < 80;
                dark += c.lightness() < 100;
            }
        }
        QVERIFY(red > 100);  // six bars and two bar lines
        QVERIFY(dark > 500); // outlines and texts
        QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    }

    void dxf() {
        const QString out = m_dir.filePath(QStringLiteral("sketch.DXF"));
        const Run run = haltrix::testing::runHaltrixCalc({"sketch", example("bracket-si.tvx"), "-o", out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errText()));
        const QByteArray dxf = contents(out);
        QVERIFY(dxf.startsWith("  0\nSECTION\n  2\nHEADER\n"));
        QVERIFY(dxf.contains("$INSUNITS\n 70\n4\n"));
        QCOMPARE(dxf.count("\nCIRCLE\n"), 6);
    }

    void exitStatuses() {
        const QString si = example("bracket-si.tvx");
        const QString out = m_dir.filePath(QStringLiteral("status.svg"));
        QCOMPARE(haltrix::testing::runHaltrixCalc({"sketch", si}).exitCode, 1);
        QCOMPARE(haltrix::testing::runHaltrixCalc({"sketch", si, "-o", m_dir.filePath("x.jpg")}).exitCode, 1);
        QCOMPARE(haltrix::testing::runHaltrixCalc({"sketch", si, "-o", m_dir.filePath("noextension")}).exitCode, 1);
        QCOMPARE(haltrix::testing::runHaltrixCalc({"sketch", si, si, "-o", out}).exitCode, 1);
        QCOMPARE(haltrix::testing::runHaltrixCalc({"sketch", "--print", si, "-o", out}).exitCode, 1);
        QCOMPARE(haltrix::testing::runHaltrixCalc({"sketch", "--sketch", si, "-o", out}).exitCode, 1);
        QVERIFY(!QFile::exists(out));

        QCOMPARE(haltrix::testing::runHaltrixCalc({"sketch", m_dir.filePath("missing.tvx"), "-o", out}).exitCode, 2);
        QVERIFY(!QFile::exists(out));
        for (const char* name : {"none/x.svg", "none/x.png", "none/x.dxf"}) {
            const Run run = haltrix::testing::runHaltrixCalc({"sketch", si, "-o", m_dir.filePath(name)});
            QCOMPARE(run.exitCode, 4);
            QVERIFY(run.errText().contains(QString::fromLatin1(name)));
        }

        // The engine's message: the sketch of the inputs is still written,
        // with the notes of what cannot be drawn.
        DesignInputs zeros;
        zeros.unitSystem = 1;
        const QString zeroFile = designFile("zeros.tvx", zeros);
        Run run = haltrix::testing::runHaltrixCalc({"sketch", zeroFile, "-o", out});
        QCOMPARE(run.exitCode, 3);
        QString error;
        const QString text = svgText(contents(out), error);
        QVERIFY2(text.contains(QStringLiteral("H2 が 0 以下のため断面を描けません")),
                 qPrintable(error + text));
    }

    // pdf --sketch: the sketch on a page of its own after the report.
    void pdfSketchPage() {
        const QString out = m_dir.filePath(QStringLiteral("sketch.pdf"));
        const Run run =
            haltrix::testing::runHaltrixCalc({"pdf", "--sketch", example("bracket-gravitational.tvx"), "-o", out});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errText()));
        QString error;
        const test::PdfWords words = test::pdfWords(out, error);
        // The report, the sketch, then 設計上の注意 with the design's 注意.
        QCOMPARE(words.pageSizes.size(), 3);
        QVERIFY(qAbs(words.pageSizes[1].width() - 595.28) < 1);
        const QStringList second = pageWords(words, 2);
        for (const char* word : {"形状図", "側面図", "付根断面", "l=0.250", "b=1.200"})
            QVERIFY2(second.contains(QString::fromUtf8(word)), word);
        QVERIFY(pageWords(words, 1).contains(QStringLiteral("入力データ")));
        QVERIFY(!pageWords(words, 1).contains(QStringLiteral("形状図")));
        // The design's one warning, listed under the sketch: the bearing
        // (a = 0.3 m) stands past the tip (l = 0.25 m).
        QVERIFY(second.contains(QStringLiteral("注意:")));
        QVERIFY(!pageWords(words, 1).contains(QStringLiteral("注意:")));
    }

    // The title block: a header line on every page with the fields, the
    // date and "n / m"; the report's words stay exactly where they were.
    void pdfHeader_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("pages");
        QTest::newRow("all fields, sketch")
            << QStringList{"--sketch",  "--project",  "海辺橋", "--member",
                           "P1 張出し", "--designer", "山田"}
            << 3;
        // The report's page and 設計上の注意 (the example's bearing stands
        // past the tip, a 注意).
        QTest::newRow("one field") << QStringList{"--designer", "山田"} << 2;
    }
    void pdfHeader() {
        QFETCH(QStringList, options);
        QFETCH(int, pages);
        const QString file = example("bracket-gravitational.tvx");
        const QString plain = m_dir.filePath(QStringLiteral("plain.pdf"));
        const QString headed = m_dir.filePath(QStringLiteral("headed.pdf"));
        QCOMPARE(haltrix::testing::runHaltrixCalc({"pdf", file, "-o", plain}).exitCode, 0);
        QCOMPARE(haltrix::testing::runHaltrixCalc(QStringList{"pdf"} + options + QStringList{file, "-o", headed}).exitCode,
                 0);
        QString error;
        const test::PdfWords before = test::pdfWords(plain, error);
        const test::PdfWords after = test::pdfWords(headed, error);
        QCOMPARE(after.pageSizes.size(), pages);
        const QString date = QDate::currentDate().toString(QStringLiteral("yyyy年M月d日"));
        for (int page = 1; page <= pages; ++page) {
            const QStringList words = pageWords(after, page);
            QVERIFY(words.contains(QStringLiteral("設計者:")));
            QVERIFY(words.contains(QStringLiteral("山田")));
            QVERIFY(words.contains(date));
            const QString pageNumber = QStringLiteral("%1 / %2").arg(page).arg(pages);
            QVERIFY2(words.join(' ').contains(pageNumber), qPrintable(words.join(' ')));
            // Inside the top margin: above the report's first line (20 mm).
            for (const test::PdfWord& word : after.words) {
                if (word.page == page && word.text == date)
                    QVERIFY(word.yMax < 20 / 25.4 * 72);
            }
        }
        if (pages == 3)
            QVERIFY(pageWords(after, 1).contains(QStringLiteral("海辺橋")));
        // Every word of the report is where it was without the header.
        QVERIFY(!before.words.isEmpty());
        for (const test::PdfWord& word : before.words) {
            if (word.page > 1) // 設計上の注意, after the sketch when there is one
                continue;
            bool found = false;
            for (const test::PdfWord& other : after.words) {
                found = found || (other.page == word.page && other.text == word.text &&
                                  qAbs(other.xMin - word.xMin) < 0.01 &&
                                  qAbs(other.yMin - word.yMin) < 0.01);
            }
            QVERIFY2(found, qPrintable(word.text));
        }
    }

    // No report, no PDF: the sketch page does not make one.
    void pdfSketchWithoutReport() {
        DesignInputs unit3;
        readDesignFile(example("bracket-si.tvx").toStdString(), unit3);
        unit3.unitSystem = 3;
        const QString file = designFile("unit3.tvx", unit3);
        const QString out = m_dir.filePath(QStringLiteral("unit3.pdf"));
        const Run run = haltrix::testing::runHaltrixCalc({"pdf", "--sketch", "--project", "x", file, "-o", out});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_GUILESS_MAIN(TestSketchCommand)
#include "test_sketch_command.moc"
