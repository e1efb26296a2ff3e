// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc book and the page 設計上の注意 of haltrix-calc pdf, run as a
// program without a display; the PDF is read back with qpdf and poppler.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "calc_runner.h"
#include "files/design_file.h"
#include "pdf_structure.h"
#include "pdf_text.h"

using namespace haltrix;

namespace {

using Run = haltrix::testing::CalcRun;
using haltrix::testing::source;


// The messages `haltrix-calc check` gives for a design, in its order.
QStringList checkMessages(const QString& file) {
    QStringList messages;
    for (const QString& line : haltrix::testing::runHaltrixCalc({"check", file}).outText().split('\n', Qt::SkipEmptyParts))
        messages.append(line.section(QStringLiteral(": "), 2));
    return messages;
}

QStringList pagesOf(const QString& pdf) {
    QString error;
    return test::pdfLayoutText(pdf, error).split('\f');
}

} // namespace

class TestCliBook : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // The SI example under another name, changed by `change`.
    template <typename Change> QString variant(const char* name, Change change) {
        DesignInputs record;
        if (readDesignFile(source("examples/bracket-si.tvx").toStdString(), record))
            qFatal("cannot read the example");
        change(record);
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        if (writeDesignFile(path.toStdString(), record))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    // Four designs: two examples (OK), one under a load a hundred times the
    // example's (NG: the provided steel stays, the required grows), one whose
    // calculation stops (計算不能).
    void bookOfFourDesigns() {
#ifndef HALTRIX_PDF_NAVIGATION
        QSKIP("this build writes the book without outline and links");
#endif
        const QString heavy = variant("heavy.tvx", [](DesignInputs& r) { r.P *= 100; });
        const QStringList files{source("examples/bracket-gravitational.tvx"),
                                source("examples/bracket-si.tvx"), heavy,
                                source("tests/data/zero-overhang.tvx")};
        const QStringList names{"bracket-gravitational.tvx", "bracket-si.tvx", "heavy.tvx",
                                "zero-overhang.tvx"};
        const QStringList judgements{"OK", "OK", "NG", "計算不能"};
        const QString pdf = m_dir.filePath(QStringLiteral("book.pdf"));
        const Run run = haltrix::testing::runHaltrixCalc(QStringList{"book", "--sketch", "--project", "国道1号橋",
                                            "--designer", "山田 太郎", "--date", "令和8年12月8日"} +
                                files + QStringList{"-o", pdf});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(run.errText().contains(QStringLiteral("zero-overhang.tvx")));

        QString error;
        const test::PdfStructure book = test::pdfStructure(pdf, error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QStringList pages = pagesOf(pdf);
        QVERIFY(pages.size() >= book.pages);

        // The outline: cover, contents, then each design with its judgement,
        // its children inside its own pages.
        QCOMPARE(book.outline.size(), 2 + files.size());
        QCOMPARE(book.outline[0].title, QStringLiteral("表紙"));
        QCOMPARE(book.outline[0].page, 1);
        QCOMPARE(book.outline[1].title, QStringLiteral("目次"));
        QCOMPARE(book.outline[1].page, 2);
        for (int i = 0; i < files.size(); ++i) {
            const test::PdfOutlineEntry& entry = book.outline[2 + i];
            QCOMPARE(entry.title, names[i] + QStringLiteral(" — ") + judgements[i]);
            const int end = i + 1 < files.size() ? book.outline[3 + i].page : book.pages + 1;
            QVERIFY(entry.page > book.outline[1].page && entry.page < end);
            QCOMPARE(entry.children.first().page, entry.page);
            QCOMPARE(entry.children.last().title, QStringLiteral("設計上の注意"));
            int sketchPage = 0;
            for (const test::PdfOutlineEntry& child : entry.children) {
                QVERIFY(child.page >= entry.page && child.page < end);
                if (child.title == QStringLiteral("形状図"))
                    sketchPage = child.page;
            }
            QVERIFY(sketchPage > 0);
            QVERIFY(pages[sketchPage - 1].contains(QStringLiteral("形状図")));

            // The report's own lines, in order, on the pages before the sketch.
            const QStringList report = haltrix::testing::runHaltrixCalc({"report", "--print", files[i]}).outText().split('\n');
            QVERIFY(report.size() > 30);
            const QString text = pages.mid(entry.page - 1, sketchPage - entry.page).join('\f');
            const QString missing = test::firstMissingInOrder(report, text);
            QVERIFY2(missing.isNull(), qPrintable(names[i] + ": not in order: " + missing));

            // The contents: the row names the first page and links to it.
            const QString contents = pages[1];
            const QRegularExpression row(QRegularExpression::escape(names[i]) +
                                             QStringLiteral(".*\\s(\\d+)\\s*$"),
                                         QRegularExpression::MultilineOption);
            QCOMPARE(row.match(contents).captured(1).toInt(), entry.page);
            const test::PdfWords words = test::pdfWords(pdf, error);
            bool linked = false;
            for (const test::PdfWord& word : words.words) {
                if (word.page != 2 || word.text != names[i])
                    continue;
                const QPointF centre((word.xMin + word.xMax) / 2,
                                     book.pageHeights[1] - (word.yMin + word.yMax) / 2);
                for (const test::PdfLink& link : book.links)
                    linked |=
                        link.page == 2 && link.rect.contains(centre) && link.target == entry.page;
            }
            QVERIFY2(linked, qPrintable(names[i]));
        }

        // "n / m" on every page but the cover.
        for (int page = 1; page <= book.pages; ++page) {
            const bool numbered = test::comparable(pages[page - 1])
                                      .contains(QStringLiteral("%1/%2").arg(page).arg(book.pages));
            QCOMPARE(numbered, page > 1);
        }
        const QString cover = test::comparable(pages[0]);
        for (const char* text : {"ブラケットの設計計算書", "国道1号橋", "山田太郎",
                                 "令和8年12月8日", "設計数4件", "-NG-1件", "計算不能1件"})
            QVERIFY2(cover.contains(QString::fromUtf8(text)), text);

        // One page layout: the SI example's report page in the book holds the
        // words of its single PDF at the same places; only the header (inside
        // the top 20 mm) is added.
        const QString single = m_dir.filePath(QStringLiteral("single.pdf"));
        QCOMPARE(haltrix::testing::runHaltrixCalc({"pdf", files[1], "-o", single}).exitCode, 0);
        const test::PdfWords alone = test::pdfWords(single, error);
        const test::PdfWords inBook = test::pdfWords(pdf, error);
        const int page = book.outline[3].page;
        const double margin = 20 / 25.4 * 72;
        QStringList aloneWords, bookWords;
        for (const test::PdfWord& w : alone.words) {
            if (w.page == 1)
                aloneWords.append(QStringLiteral("%1@%2,%3")
                                      .arg(w.text)
                                      .arg(w.xMin, 0, 'f', 2)
                                      .arg(w.yMin, 0, 'f', 2));
        }
        for (const test::PdfWord& w : inBook.words) {
            if (w.page == page && w.yMin > margin)
                bookWords.append(QStringLiteral("%1@%2,%3")
                                     .arg(w.text)
                                     .arg(w.xMin, 0, 'f', 2)
                                     .arg(w.yMin, 0, 'f', 2));
        }
        QVERIFY(aloneWords.size() > 50);
        QCOMPARE(bookWords, aloneWords);

        QCOMPARE(book.info.value("/Title"), QStringLiteral("ブラケットの設計計算書"));
        QCOMPARE(book.info.value("/Author"), QStringLiteral("山田 太郎"));
        QCOMPARE(book.info.value("/Subject"), QStringLiteral("国道1号橋"));
        QVERIFY(book.info.value("/Creator").startsWith(QStringLiteral("Haltrix ")));
        QCOMPARE(book.language, QStringLiteral("ja"));
    }

    void badInput_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("named");
        const QString example = source("examples/bracket-si.tvx");
        const QString unreadable = source("tests/data/unreadable.tvx");
        QTest::newRow("an unreadable file")
            << QStringList{example, unreadable} << "kept.pdf" << 2 << "unreadable.tvx";
        QTest::newRow("a missing file") << QStringList{example, m_dir.filePath("missing.tvx")}
                                        << "kept.pdf" << 2 << "missing.tvx";
        QTest::newRow("no files") << QStringList{} << "kept.pdf" << 1 << "設計ファイルが指定されていません";
        QTest::newRow("no -o") << QStringList{example} << QString() << 1 << "-o";
        QTest::newRow("unknown option")
            << QStringList{"--hbar", "D13", example} << "kept.pdf" << 1 << "--hbar";
        QTest::newRow("no such folder")
            << QStringList{example} << "none/b.pdf" << 4 << "none/b.pdf";
    }

    // Nothing written, and a file already there stays as it was.
    void badInput() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        QFETCH(int, exitCode);
        QFETCH(QString, named);
        const QString path = m_dir.filePath(output);
        QFile old(m_dir.filePath(QStringLiteral("kept.pdf")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        const Run run = haltrix::testing::runHaltrixCalc(QStringList{"book"} + arguments +
                                (output.isEmpty() ? QStringList() : QStringList{"-o", path}));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.errText().contains(named), qPrintable(run.errText()));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("none"))));
    }

    // A design is OK in the book only when its side faces are OK too (D10 x
    // 4 there): at P = 200 kN the SI example's main bars hold, its side
    // faces need 382.80 mm2 against 285.32.
    void sideFacesJudgeTheBook_data() {
        QTest::addColumn<double>("P");
        QTest::addColumn<QString>("judgement");
        QTest::newRow("side faces NG") << 200.0 << "NG";
        QTest::newRow("both OK") << 100.0 << "OK";
    }
    void sideFacesJudgeTheBook() {
        QFETCH(double, P);
        QFETCH(QString, judgement);
        static double load;
        load = P;
        const QString file = variant("side.tvx", [](DesignInputs& r) { r.P = load; });
        const QString pdf = m_dir.filePath(QStringLiteral("side-book.pdf"));
        QCOMPARE(haltrix::testing::runHaltrixCalc({"book", file, "-o", pdf}).exitCode, 0);
        const QStringList pages = pagesOf(pdf);
        const QRegularExpression row(QStringLiteral("side\\.tvx\\s+SI単位系\\s+(\\S+)"));
        QCOMPARE(row.match(pages[1]).captured(1), judgement);
        QCOMPARE(test::comparable(pages[0]).contains(QStringLiteral("-NG-1件")), judgement == "NG");
#ifdef HALTRIX_PDF_NAVIGATION
        QString error;
        const test::PdfStructure book = test::pdfStructure(pdf, error);
        QCOMPARE(book.outline.value(2).title, QStringLiteral("side.tvx — ") + judgement);
#endif
        const QString notes = test::comparable(pages.last().trimmed().isEmpty()
                                                   ? pages[pages.size() - 2]
                                                   : pages.last());
        QCOMPARE(notes.contains(QStringLiteral("水平方向用心鉄筋")), judgement == "NG");
    }

    // haltrix-calc pdf: a design with findings ends with the page 設計上の注意
    // listing each, in check's order; one without has no such page.
    void notesPage_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("findings");
        // The example's bearing beyond the tip, and both layers' bars further
        // apart than 300 mm.
        QTest::newRow("notices") << source("examples/bracket-gravitational.tvx") << 3;
        // a/H2 = 2: besides, its side faces need 0.4·Ast = 7.1 cm2.
        QTest::newRow("warnings and notices")
            << source("tests/data/outside-method-range.tvx") << 5;
        QTest::newRow("side faces NG")
            << variant("side-ng.tvx", [](DesignInputs& r) { r.P = 200; }) << 4;
        QTest::newRow("none") << variant("clean.tvx", [](DesignInputs& r) {
            r.a = r.l;
            r.layer1Count = 6; // 200 mm apart
            r.layer2Bar.clear();
            r.layer2Count = 0;
        }) << 0;
    }

    void notesPage() {
        QFETCH(QString, file);
        QFETCH(int, findings);
        const QString pdf = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
        QCOMPARE(haltrix::testing::runHaltrixCalc({"pdf", file, "-o", pdf}).exitCode, 0);
        const QStringList messages = checkMessages(file);
        QCOMPARE(messages.size(), findings);
        QStringList pages = pagesOf(pdf);
        if (pages.last().trimmed().isEmpty())
            pages.removeLast();
        const QStringList report = haltrix::testing::runHaltrixCalc({"report", "--print", file}).outText().split('\n');
        QVERIFY(test::firstMissingInOrder(report, pages.first()).isNull());
        if (findings == 0) {
            QCOMPARE(pages.size(), 1);
            QVERIFY(!pages.first().contains(QStringLiteral("設計上の注意")));
            return;
        }
        QCOMPARE(pages.size(), 2);
        const QString notes = test::comparable(pages.last());
        QVERIFY(notes.startsWith(QStringLiteral("設計上の注意")));
        qsizetype at = 0;
        for (const QString& message : messages) {
            at = notes.indexOf(test::comparable(message), at);
            QVERIFY2(at > 0, qPrintable(message));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliBook)
#include "test_cli_book.moc"
