// SPDX-License-Identifier: GPL-3.0-or-later
// The print window through its real widgets: the preview drawn once, the
// print dialog answered by the test, the printed report read back from PDF.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <set>

#include "files/design_file.h"
#include "example_designs.h"
#include "pdf_text.h"
#include "calculation/preview_surface.h"
#include "calculation/print_interaction.h"
#include "calculation/print_window.h"
#include "recording_notifier.h"
#include "paper/report.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::testing::changeInputs;
using haltrix::testing::exampleInputs;
using haltrix::testing::RecordingNotifier;

namespace {

QStringList toQt(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines)
        out.append(QString::fromStdString(line));
    return out;
}

// The report lines of a fresh calculation of the inputs.
QStringList reportOf(const DesignInputs& inputs, ReportVariant variant,
                     const HorizontalChoice& choice = {}) {
    return toQt(reportLines(inputs, calculateDesign(inputs, choice), variant));
}

// Answers the print dialog: cancels, or chooses a PDF file as the printer.
class ScriptedPrinting : public PrintInteraction {
public:
    bool choosePrinter(QPrinter& printer, QWidget*) override {
        ++dialogs;
        offeredFile = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                    : QStringLiteral("(native)");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        printer.setPageSize(QPageSize(pageSize));
        printer.setPageOrientation(orientation);
        paintRectPoints = printer.pageLayout().paintRectPoints();
        resolution = printer.resolution();
        return accept;
    }
    void printingFailed(const QString& message, QWidget*) override { failures.append(message); }
    // A design with a 警告 (say its side-face bars NG) is printed all the same.
    bool confirmPrintDespiteWarning(QWidget*) override { return true; }

    bool accept = true;
    QString outputFile;
    QString offeredFile; // the PDF file the dialog was offered
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int dialogs = 0;
    QStringList failures;
    QRect paintRectPoints;
    int resolution = 0;
};

constexpr double kPointsPerMm = 72.0 / 25.4;


} // namespace

class TestPrintWindow : public QObject {
    Q_OBJECT

private:
    PrintWindow* open(DesignDocument& context, PrintInteraction* interaction) {
        auto* window = new PrintWindow(context, interaction);
        m_window = window;
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("print window not exposed");
        return window;
    }

    void clickPrint(PrintWindow* window) {
        QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    }

    QString text(const QString& pdf) {
        QString error;
        const QString out = haltrix::test::pdfLayoutText(pdf, error);
        if (out.isNull())
            qWarning("%s", qPrintable(error));
        return out;
    }

    QPointer<PrintWindow> m_window;
    QTemporaryDir m_dir;

private slots:
    void cleanup() { delete m_window; }

    void windowAndControls() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ScriptedPrinting printing;
        PrintWindow* window = open(context, &printing);
        QCOMPARE(window->objectName(), QStringLiteral("Frm_print"));
        QCOMPARE(window->windowTitle(), QString::fromUtf8("プレビュ\xEF\xBC\x8D"));
        QCOMPARE(window->findChild<QPushButton*>("Command1")->text(), QStringLiteral("印刷実行"));
        QCOMPARE(window->findChild<QPushButton*>("Command2")->text(), QStringLiteral("閉じる"));

        auto* pic = window->findChild<PreviewSurface*>("Pic");
        QVERIFY(pic);
        QCOMPARE(pic->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(pic->autoFillBackground());
        QCOMPARE(QFontInfo(pic->font()).family(), QStringLiteral("IPAMincho"));
        QCOMPARE(pic->font().pointSizeF(), 9.0);
        // The cell rule the report's columns rest on.
        const QFontMetricsF metrics(pic->font(), pic);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("Ａ①≧σ")),
                 8 * metrics.horizontalAdvance(QStringLiteral("A")));
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("ｺﾝｸﾘｰﾄ･")),
                 7 * metrics.horizontalAdvance(QStringLiteral(" ")));

        // The preview takes the report's size; in a window smaller than the
        // report it scrolls both ways, to the end of the longest line.
        auto* scroll = qobject_cast<QScrollArea*>(pic->parentWidget()->parentWidget());
        QVERIFY(scroll);
        QVERIFY(pic->height() >= pic->lines().size() * metrics.lineSpacing() - 1);
        window->resize(300, 300);
        QApplication::processEvents();
        QVERIFY(scroll->height() < 300);
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
        QVERIFY(scroll->horizontalScrollBar()->maximum() > 0);
        qreal widest = 0;
        for (const QString& line : pic->lines())
            widest = std::max(widest, metrics.horizontalAdvance(line));
        QCOMPARE(pic->width(), int(std::ceil(widest)));
    }

    // Each page set: the preview holds the core's preview lines, unitSystem
    // other than 1 or 2 none; printing writes the print variant.
    void pageSets_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<double>("a"); // a / H2 = a / 0.7 chooses the case
        QTest::addColumn<QString>("head");
        QTest::newRow("gravitational, case 1")
            << "bracket-gravitational.tvx" << 1 << 0.3 << " 0.5≧ａ／Ｈ2の場合";
        QTest::newRow("gravitational, case 2")
            << "bracket-gravitational.tvx" << 1 << 0.4 << " 1.0≧ａ／Ｈ2＞0.5の場合";
        QTest::newRow("SI, case 1") << "bracket-si.tvx" << 2 << 0.3 << " 0.5≧ａ／Ｈ2の場合";
        QTest::newRow("SI, case 2") << "bracket-si.tvx" << 2 << 0.6 << " 1.0≧ａ／Ｈ2＞0.5";
        QTest::newRow("unit system 3") << "bracket-si.tvx" << 3 << 0.3 << "";
        QTest::newRow("unit system 0") << "bracket-gravitational.tvx" << 0 << 0.6 << "";
    }

    void pageSets() {
        QFETCH(QString, file);
        QFETCH(int, unitSystem);
        QFETCH(double, a);
        QFETCH(QString, head);
        DesignDocument context;
        DesignInputs inputs = exampleInputs(file.toLatin1().constData());
        inputs.unitSystem = unitSystem;
        inputs.a = a;
        context.setInputs(inputs);
        const QStringList previewLines = reportOf(inputs, ReportVariant::Preview);

        ScriptedPrinting printing;
        printing.outputFile = m_dir.filePath(QStringLiteral("pageset-%1-%2.pdf").arg(unitSystem).arg(a));
        PrintWindow* window = open(context, &printing);
        QCOMPARE(window->preview().lines(), previewLines);

        clickPrint(window);
        QCOMPARE(printing.dialogs, 1);
        QVERIFY(printing.failures.isEmpty());
        if (head.isEmpty()) {
            QVERIFY(window->preview().lines().isEmpty());
            QVERIFY(!QFile::exists(printing.outputFile));
            return;
        }
        QVERIFY(previewLines.contains(head));
        QVERIFY(QFile::exists(printing.outputFile));
        const QStringList printLines = reportOf(inputs, ReportVariant::Print);
        const QString pdf = text(printing.outputFile);
        QVERIFY(!pdf.isNull());
        const QString missing = haltrix::test::firstMissingInOrder(printLines, pdf);
        QVERIFY2(missing.isNull(), qPrintable("not printed in order: " + missing));
        QVERIFY(pdf.contains(head.trimmed()));
    }

    // The preview follows the inputs and the side-face bars it is given,
    // and the paper holds exactly what the preview shows, never the inputs
    // of one design beside the results of another.
    void printsWhatItShows() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ScriptedPrinting printing;
        printing.outputFile = m_dir.filePath(QStringLiteral("fresh.pdf"));
        PrintWindow* window = open(context, &printing);
        const QStringList drawn = window->preview().lines();
        QVERIFY(!drawn.isEmpty());

        changeInputs(context, [](DesignInputs& in) { in.H1 = 0.6; });
        window->setHorizontalChoice({8, 4});
        QVERIFY(window->preview().lines() != drawn);
        DesignInputs fresh = exampleInputs("bracket-gravitational.tvx");
        fresh.H1 = 0.6;
        // N1 = 0.6 x 0.25 x 1.2 x 2.5, N2 = 1/2 x 0.25 x 0.1 x 1.2 x 2.5.
        QVERIFY(qAbs(window->results().selfWeight.Ntotal - (0.45 + 0.0375)) < 1e-12);
        QCOMPARE(window->results().sideFaces.barName, std::string("D35"));
        QCOMPARE(window->preview().lines(), reportOf(fresh, ReportVariant::Preview, {8, 4}));
        clickPrint(window);
        QCOMPARE(printing.dialogs, 1);
        const QString missing = haltrix::test::firstMissingInOrder(
            reportOf(fresh, ReportVariant::Print, {8, 4}), text(printing.outputFile));
        QVERIFY2(missing.isNull(), qPrintable("not printed in order: " + missing));
    }

    // After the engine stopped: the preview shows the fresh calculation of
    // the inputs, the message comes once per change, and nothing is printed.
    void stoppedCalculationPrintsNothing() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-si.tvx"));
        ScriptedPrinting printing;
        printing.outputFile = m_dir.filePath(QStringLiteral("stopped.pdf"));
        RecordingNotifier messages;
        auto* window = new PrintWindow(context, &printing, &messages);
        m_window = window;
        changeInputs(context, [](DesignInputs& in) { in.layer1Count = in.layer2Count = 0; });
        QCOMPARE(messages.count(), 1);
        QCOMPARE(window->preview().lines(), reportOf(context.inputs(), ReportVariant::Preview));
        clickPrint(window);
        QCOMPARE(messages.count(), 2);
        QVERIFY(!QFile::exists(printing.outputFile));
        QCOMPARE(printing.dialogs, 0); // refused before the dialog
    }

    // A design whose calculation stops is refused, with the engine's
    // message, before the print dialog.
    void stoppedCalculationRefusedBeforeTheDialog() {
        DesignDocument context;
        DesignInputs inputs = exampleInputs("bracket-gravitational.tvx");
        inputs.layer1Count = 0;
        inputs.layer2Count = 0;
        context.setInputs(inputs);
        ScriptedPrinting printing;
        RecordingNotifier notifier;
        m_window = new PrintWindow(context, &printing, &notifier);
        m_window->show();
        notifier.messages.clear();
        clickPrint(m_window);
        QCOMPARE(printing.dialogs, 0);
        QCOMPARE(notifier.messages.size(), std::size_t(1));
        QCOMPARE(messageHeadline(notifier.messages[0]), std::string_view(kInvalidInputMessage));
    }

    void cancelledDialogPrintsNothing() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ScriptedPrinting printing;
        printing.accept = false;
        printing.outputFile = m_dir.filePath(QStringLiteral("cancelled.pdf"));
        PrintWindow* window = open(context, &printing);
        const DesignInputs before = context.inputs();
        const QStringList drawn = window->preview().lines();
        clickPrint(window);
        QCOMPARE(printing.dialogs, 1);
        QVERIFY(!QFile::exists(printing.outputFile));
        QVERIFY(printing.failures.isEmpty());
        QVERIFY(context.inputs() == before);
        QCOMPARE(window->preview().lines(), drawn);
    }

    // Printing to a PDF file offers the design's folder and name; a design
    // without a file leaves the dialog its own choice.
    void pdfFileNamedAfterTheDesign_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("offered");
        QTest::newRow("saved") << "/data/bridges/pier-3.tvx" << "/data/bridges/pier-3.pdf";
        QTest::newRow("two points") << "/data/a.b.tvx" << "/data/a.b.pdf";
        QTest::newRow("no file") << "" << "";
    }
    void pdfFileNamedAfterTheDesign() {
        QFETCH(QString, file);
        QFETCH(QString, offered);
        DesignDocument context;
        context.load(exampleInputs("bracket-si.tvx"), file);
        ScriptedPrinting printing;
        printing.accept = false;
        PrintWindow* window = open(context, &printing);
        clickPrint(window);
        QCOMPARE(printing.dialogs, 1);
        if (printing.offeredFile == QStringLiteral("(native)"))
            QSKIP("a native printer is the default here");
        QCOMPARE(printing.offeredFile, offered);
    }

    // The printed report: every line in order, 20 mm inside the printable
    // area, one line spacing of the 9 pt font apart, fonts embedded.
    void printsThroughTheDialogToPdf() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ScriptedPrinting printing;
        printing.outputFile = m_dir.filePath(QStringLiteral("printed.pdf"));
        PrintWindow* window = open(context, &printing);
        clickPrint(window);
        QVERIFY(printing.failures.isEmpty());
        QVERIFY(QFile::exists(printing.outputFile));
        QCOMPARE(printing.resolution, 1200);

        const QStringList lines = reportOf(context.inputs(), ReportVariant::Print);
        const QString pdf = text(printing.outputFile);
        const QString missing = haltrix::test::firstMissingInOrder(lines, pdf);
        QVERIFY2(missing.isNull(), qPrintable("not printed in order: " + missing));

        QString error;
        const haltrix::test::PdfWords words = haltrix::test::pdfWords(printing.outputFile, error);
        QVERIFY2(!words.words.isEmpty(), qPrintable(error));
        // The report's page, then 設計上の注意: the example's bearing stands
        // past the tip, a 注意.
        QCOMPARE(words.pageSizes.size(), 2);
        QVERIFY(haltrix::test::pageText(words, 2).startsWith(QStringLiteral("設計上の注意")));
        QVERIFY(qAbs(words.pageSizes[0].width() - 595.28) < 1);
        QVERIFY(qAbs(words.pageSizes[0].height() - 841.89) < 1);

        // The first printed line is the fifth (four blank lines), " (1) 入力データ":
        // one half-width blank, 4.5 pt at 9 pt, after the origin.
        qsizetype first = 0;
        while (lines[first].isEmpty())
            ++first;
        QCOMPARE(first, 4);
        const QFont font = window->preview().font();
        QPrinter reference(QPrinter::HighResolution);
        reference.setOutputFormat(QPrinter::PdfFormat);
        const QFontMetricsF metrics(font, &reference);
        const double pointsPerPixel = 72.0 / reference.resolution();
        const double lineSpacing = metrics.lineSpacing() * pointsPerPixel;
        QVERIFY2(qAbs(lineSpacing - 3.5 * kPointsPerMm) < 0.3,
                 qPrintable(QString::number(lineSpacing)));
        const double originX = printing.paintRectPoints.left() + 20 * kPointsPerMm;
        const double originY = printing.paintRectPoints.top() + 20 * kPointsPerMm;
        const haltrix::test::PdfWord& head = words.words.front();
        QCOMPARE(head.text, QStringLiteral("(1)"));
        QVERIFY2(qAbs(head.xMin - (originX + 4.5)) < 0.5, qPrintable(QString::number(head.xMin)));
        // Its baseline is one ascent below the top of the fifth line box.
        const double baseline = originY + 4 * lineSpacing + metrics.ascent() * pointsPerPixel;
        QVERIFY2(head.yMax > baseline - 1 && head.yMin < baseline - 4,
                 qPrintable(QString("%1 %2 %3").arg(head.yMin).arg(head.yMax).arg(baseline)));
        // The next printed line follows one line spacing lower.
        const auto next = std::find_if(words.words.begin(), words.words.end(),
                                       [&](const auto& w) { return w.yMin > head.yMax; });
        QVERIFY(next != words.words.end());
        QVERIFY2(qAbs((next->yMin - head.yMin) - lineSpacing) < 0.5,
                 qPrintable(QString::number(next->yMin - head.yMin)));

        const QString fonts = haltrix::test::pdfFonts(printing.outputFile, error);
        QVERIFY(fonts.contains(QStringLiteral("IPAMincho")));
        for (const QString& row : fonts.split('\n').mid(2)) {
            if (!row.trimmed().isEmpty())
                QVERIFY2(row.contains(QStringLiteral(" yes ")), qPrintable(row));
        }
    }

    // Lines that pass the bottom margin go on a new page at the same origin;
    // none is lost.
    void longReportContinuesOnNewPages() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ScriptedPrinting printing;
        // A5 across: wide enough for the longest line, about 28 lines high.
        printing.pageSize = QPageSize::A5;
        printing.orientation = QPageLayout::Landscape;
        printing.outputFile = m_dir.filePath(QStringLiteral("a5.pdf"));
        PrintWindow* window = open(context, &printing);
        clickPrint(window);
        QVERIFY(printing.failures.isEmpty());

        const QStringList lines = reportOf(context.inputs(), ReportVariant::Print);
        const QString missing =
            haltrix::test::firstMissingInOrder(lines, text(printing.outputFile));
        QVERIFY2(missing.isNull(), qPrintable("lost: " + missing));

        QString error;
        const haltrix::test::PdfWords words = haltrix::test::pdfWords(printing.outputFile, error);
        QVERIFY(words.pageSizes.size() >= 2);
        const double originY = printing.paintRectPoints.top() + 20 * kPointsPerMm;
        const double bottom = printing.paintRectPoints.bottom() - 20 * kPointsPerMm;
        QPrinter reference(QPrinter::HighResolution);
        reference.setOutputFormat(QPrinter::PdfFormat);
        const double lineSpacing =
            QFontMetricsF(window->preview().font(), &reference).lineSpacing() * 72.0 /
            reference.resolution();
        const int linesPerPage = int((bottom - originY) / lineSpacing);

        // Where a word's box starts within its line box, from the first
        // printed word: " (1) 入力データ", the fifth line of page 1.
        QCOMPARE(words.words.front().text, QStringLiteral("(1)"));
        const double inset = words.words.front().yMin - (originY + 4 * lineSpacing);

        // Every word sits on a line of its page's grid, which starts at the
        // origin; the lines used on the pages are the report's non-blank
        // lines at their positions.
        // The last page is 設計上の注意 (the example has a 注意).
        const int reportPages = int(words.pageSizes.size()) - 1;
        QVERIFY(haltrix::test::pageText(words, reportPages + 1).startsWith(QStringLiteral("設計上の注意")));
        std::set<int> slotsUsed; // page * 1000 + line on the page
        for (const auto& word : words.words) {
            if (word.page > reportPages)
                continue;
            const double slot = (word.yMin - inset - originY) / lineSpacing;
            QVERIFY2(qAbs(slot - std::round(slot)) < 0.05, qPrintable(word.text));
            QVERIFY2(word.yMax <= bottom + 1, qPrintable(word.text));
            slotsUsed.insert((word.page - 1) * 1000 + int(std::round(slot)));
        }
        std::set<int> expected;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (!lines[i].trimmed().isEmpty())
                expected.insert(int(i / linesPerPage) * 1000 + int(i % linesPerPage));
        }
        QVERIFY(slotsUsed == expected);
        QCOMPARE(reportPages, (lines.size() + linesPerPage - 1) / linesPerPage);
    }

    // A printer that cannot be opened: a message, no crash, nothing written.
    void printerFailureIsReported_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder missing")
            << m_dir.filePath(QStringLiteral("no-such-folder/out.pdf"))
            << QStringLiteral("ファイル %1 に書き込めませんでした。")
                   .arg(m_dir.filePath(QStringLiteral("no-such-folder/out.pdf")));
        QTest::newRow("no file named") << QString() << QStringLiteral("印刷できませんでした。");
    }

    void printerFailureIsReported() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ScriptedPrinting printing;
        printing.outputFile = file;
        PrintWindow* window = open(context, &printing);
        clickPrint(window);
        QCOMPARE(printing.failures, QStringList{message});
        if (!file.isEmpty())
            QVERIFY(!QFile::exists(file));
        QVERIFY(window->isVisible());
        // The window stays usable: a second run fails the same way.
        clickPrint(window);
        QCOMPARE(printing.failures.size(), 2);
    }

    // The system dialog: no selection or page range, printing to a file
    // kept; cancelling it prints nothing.
    void systemDialogOptions() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        PrintWindow* window = open(context, nullptr);
#ifdef Q_OS_WIN
        // Windows' dialog is the system's own, which a test cannot answer;
        // without a printer there is none, and the user is told so.
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("the system's print dialog cannot be answered by a test");
        QString told;
        QTimer::singleShot(0, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told = box->text();
                box->reject();
            }
        });
        clickPrint(window);
        QVERIFY2(told.contains(QStringLiteral("プリンターがありません")), qPrintable(told));
        return;
#endif
        bool seen = false;
        QAbstractPrintDialog::PrintDialogOptions options;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            options = dialog->options();
            dialog->reject();
        });
        clickPrint(window);
        QVERIFY(seen);
        QVERIFY(!options.testFlag(QAbstractPrintDialog::PrintSelection));
        QVERIFY(!options.testFlag(QAbstractPrintDialog::PrintPageRange));
        QVERIFY(!options.testFlag(QAbstractPrintDialog::PrintCurrentPage));
        QVERIFY(options.testFlag(QAbstractPrintDialog::PrintToFile));
        QVERIFY(window->isVisible());
    }

    // The system's failure message is a box captioned "Haltrix".
    void systemFailureMessage() {
        QString title;
        QString message;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            message = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        SystemPrintInteraction system;
        system.printingFailed(QStringLiteral("印刷できませんでした"), nullptr);
        QCOMPARE(title, QStringLiteral("Haltrix"));
        QCOMPARE(message, QStringLiteral("印刷できませんでした"));
    }

    void command2Closes() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ScriptedPrinting printing;
        QPointer<PrintWindow> window = open(context, &printing);
        QTest::mouseClick(window->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(printing.dialogs, 0);
    }
};

QTEST_MAIN(TestPrintWindow)
#include "test_print_window.moc"
