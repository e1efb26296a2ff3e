// SPDX-License-Identifier: GPL-3.0-or-later
// The result and print windows inside the main window: the calculation
// command, the data-input command, the print button and the one print window.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "calc_runner.h"
#include "calculation/calculation_windows.h"
#include "platform/child_windows.h"
#include "document/design_document.h"
#include "files/design_file.h"
#include "example_designs.h"
#include "gui_test_support.h"
#include "forms/input_form.h"
#include "main/main_window.h"
#include "platform/window_names.h"
#include "main_window_fixture.h"
#include "pdf_text.h"
#include "calculation/preview_surface.h"
#include "calculation/print_interaction.h"
#include "calculation/print_window.h"
#include "paper/report.h"
#include "calculation/result_window.h"
#include "paper/sheet.h"
#include "platform/twips.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::sheetCells;
using haltrix::gui::test::shownCells;

namespace {

class CancellingPrinting : public PrintInteraction {
public:
    bool choosePrinter(QPrinter&, QWidget*) override {
        ++dialogs;
        return false;
    }
    void printingFailed(const QString&, QWidget*) override {}
    int dialogs = 0;
};

// Prints through no dialog into a PDF file, as "Print to File" does.
class PdfPrinting : public PrintInteraction {
public:
    bool choosePrinter(QPrinter& printer, QWidget*) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        return true;
    }
    void printingFailed(const QString& message, QWidget*) override { failures.append(message); }
    QString outputFile;
    QStringList failures;
};

QStringList toQt(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines)
        out.append(QString::fromStdString(line));
    return out;
}

// The preview lines of a fresh calculation of the inputs.
QStringList previewOf(const DesignInputs& inputs, const HorizontalChoice& choice = {}) {
    return toQt(reportLines(inputs, calculateDesign(inputs, choice), ReportVariant::Preview));
}

// The two grids as haltrix-calc sheet prints them: the cells of a row
// joined by tabs, an empty line between the grids.
QString sheetText(QWidget* result) {
    QString text;
    for (const char* name : {"FG1", "FG2"}) {
        const auto* table = result->findChild<QTableWidget*>(name);
        if (text.size() > 0)
            text += '\n';
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells.append(table->item(row, column)->text());
            text += cells.join('\t') + '\n';
        }
    }
    return text;
}

} // namespace

class TestCalculationWindows : public QObject, protected haltrix::gui::test::MainWindowFixture {
    Q_OBJECT

    CancellingPrinting m_printing;

    MainWindow* makeWindow(const char* example) {
        MainWindowFixture::makeWindow();
        installCalculationWindows(*m_window, &m_printing);
        m_window->resize(1200, 1000);
        if (example)
            document().setInputs(testing::exampleInputs(example));
        return m_window.get();
    }

    static QPushButton* button(QWidget* window, const char* name) {
        return window->findChild<QPushButton*>(name);
    }

private slots:
    void init() {
        resetFixture();
        m_printing.dialogs = 0;
    }
    void cleanup() { m_window.reset(); }

    // The calculation command opens the result window of the unit system.
    void calcOpensTheTwin_data() {
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("unit");
        QTest::newRow("1") << 1 << "frm_calc"
                           << "(cm2)";
        QTest::newRow("2") << 2 << "frm_calc_si"
                           << "(mm2)";
        QTest::newRow("3") << 3 << "frm_calc_si"
                           << "(mm2)";
    }

    void calcOpensTheTwin() {
        QFETCH(int, unitSystem);
        QFETCH(QString, name);
        QFETCH(QString, unit);
        MainWindow* main = makeWindow("bracket-gravitational.tvx");
        testing::changeInputs(document(), [&](DesignInputs& in) { in.unitSystem = unitSystem; });
        trigger("mnuCalc");
        auto* result = qobject_cast<ResultWindow*>(main->childWindow(name));
        QVERIFY(result);
        QCOMPARE(result->objectName(), name);
        QCOMPARE(result->findChild<QLabel*>("Label11_1")->text(), unit);
        QMdiSubWindow* frame = hostSubWindow(result);
        QVERIFY(frame);
        QVERIFY(main->mdiArea()->subWindowList().contains(frame));
        QCOMPARE(frame->windowTitle(), QStringLiteral("計算結果"));
        const double dpi = logicalDpiOf(result);
        QCOMPARE(result->size(), QSize(twipsToPixels(8550, dpi), twipsToPixels(8745, dpi)));
        QVERIFY(m_sink.messages.isEmpty());
    }

    // The engine's message goes through the main window's sink, without an
    // icon; the window opens all the same.
    void engineMessageThroughTheSink() {
        MainWindow* main = makeWindow(nullptr);
        trigger("mnuCalc");
        QCOMPARE(m_sink.texts().size(), 1);
        QCOMPARE(m_sink.texts()[0].section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("入力データが不正です"));
        QCOMPARE(m_sink.messages.front().icon, QMessageBox::NoIcon);
        QVERIFY(main->childWindow("frm_calc_si"));
    }

    // A second calculation command only brings the open window forward: no
    // new load, so no second message and the same sheet.
    void calcTwiceDoesNotReload() {
        MainWindow* main = makeWindow(nullptr);
        trigger("mnuCalc");
        QPointer<QWidget> result = main->childWindow("frm_calc_si");
        QVERIFY(result);
        QCOMPARE(m_sink.messages.size(), 1);
        const QString shown = sheetText(result);
        trigger("mnuCalc");
        QCOMPARE(main->childWindow("frm_calc_si"), result.data());
        QCOMPARE(main->mdiArea()->activeSubWindow(), hostSubWindow(result));
        QCOMPARE(m_sink.messages.size(), 1);
        QCOMPARE(sheetText(result), shown);
    }

    // The data-input command closes the gravitational result window; the
    // next calculation command opens it again, the message of a stopped
    // calculation with it, every time alike.
    void dataInputClosesFrmCalc() {
        MainWindow* main = makeWindow("bracket-gravitational.tvx");
        testing::changeInputs(document(), [](DesignInputs& in) { in.sigmaSa = 0; });
        for (int round = 1; round <= 2; ++round) {
            trigger("mnuCalc");
            QPointer<QWidget> result = main->childWindow("frm_calc");
            QVERIFY(result);
            QCOMPARE(m_sink.messages.size(), round);
            trigger("mnudatain");
            QTRY_VERIFY(result.isNull());
            QVERIFY(!main->childWindow("frm_calc"));
            QVERIFY(main->childWindow("frm_datain"));
        }
    }

    // A design whose calculation stops, just opened: the first 計算実行
    // opens the result window with the message, as every later one does.
    void calcAfterOpeningAStoppedDesign() {
        MainWindow* main = makeWindow(nullptr);
        m_dialogs.answers.enqueue(
            QStringLiteral(HALTRIX_EXAMPLES_DIR "/../tests/data/zero-overhang.tvx"));
        trigger("mnuFileOpen");
        QVERIFY(m_sink.messages.isEmpty());
        trigger("mnuCalc");
        const QString name = resultWindowName(unitSystemOf(document().inputs().unitSystem));
        QVERIFY(main->childWindow(name));
        QCOMPARE(m_sink.texts().size(), 1);
        QCOMPARE(m_sink.texts()[0].section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("入力データが不正です"));
    }

    // The road of a new user: the SI example calculated, then both layer
    // counts set to 0 and OK. The engine stops, and the result window then
    // shows exactly the sheet haltrix-calc prints for the inputs as saved:
    // nothing of the design calculated before.
    void stoppedCalculationShowsWhatHaltrixCalcPrints() {
        MainWindow* main = makeWindow(nullptr);
        m_dialogs.answers.enqueue(QStringLiteral(HALTRIX_EXAMPLES_DIR "/bracket-si.tvx"));
        trigger("mnuFileOpen");
        trigger("mnuCalc");
        QPointer<QWidget> result = main->childWindow("frm_calc_si");
        QVERIFY(result);
        QVERIFY(m_sink.messages.isEmpty());
        auto* form = qobject_cast<InputForm*>(main->childWindow("frm_datain_si"));
        QVERIFY(form);
        for (const char* name : {"Text12", "Text14"}) {
            auto* box = form->findChild<QLineEdit*>(name);
            box->selectAll();
            QTest::keyClicks(box, "0");
        }
        form->acceptInput();
        QCOMPARE(m_sink.texts().size(), 1);
        QCOMPARE(m_sink.texts()[0].section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("入力データが不正です"));
        QVERIFY(result);

        const QString saved = m_dir->filePath("stopped.tvx");
        m_dialogs.answers.enqueue(saved);
        QVERIFY(main->saveDesignAs());
        const testing::CalcRun calc = testing::runHaltrixCalc({QStringLiteral("sheet"), saved});
        QCOMPARE(calc.exitCode, 3); // the calculation's message
        QCOMPARE(sheetText(result), calc.outText());

        // The preview the result window's 印刷 opens shows the same design.
        QTest::mouseClick(button(result, "Command2"), Qt::LeftButton);
        auto* print = qobject_cast<PrintWindow*>(main->childWindow("Frm_print"));
        QVERIFY(print);
        QCOMPARE(print->preview().lines(), previewOf(document().inputs()));
        QVERIFY(!print->results().completed());
        QCOMPARE(print->results().main.d, 0.0); // not reached, not the SI example's d
    }

    // "印刷" closes the result window and opens the print window inside the
    // main window, its preview drawn from the design.
    void printButtonOpensThePrintWindow() {
        MainWindow* main = makeWindow("bracket-gravitational.tvx");
        trigger("mnuCalc");
        QPointer<QWidget> result = main->childWindow("frm_calc");
        auto* count = result->findChild<QLineEdit*>("tex_mtl_n");
        count->selectAll();
        QTest::keyClicks(count, "6");
        QTest::mouseClick(button(result, "Command2"), Qt::LeftButton);
        QTRY_VERIFY(result.isNull());
        QVERIFY(!main->childWindow("frm_calc"));

        auto* print = qobject_cast<PrintWindow*>(main->childWindow("Frm_print"));
        QVERIFY(print);
        QMdiSubWindow* frame = hostSubWindow(print);
        QVERIFY(main->mdiArea()->subWindowList().contains(frame));
        QCOMPARE(main->mdiArea()->activeSubWindow(), frame);
        QCOMPARE(frame->windowTitle(), QString::fromUtf8("プレビュ\xEF\xBC\x8D"));
        const QStringList lines = print->preview().lines();
        QCOMPARE(lines, previewOf(document().inputs(), {-1, 6}));
        QVERIFY(lines.join('\n').contains(QStringLiteral(" 鉄筋本数       6(本)")));

        // Its printing goes through the dialog given to the main window.
        QTest::mouseClick(button(print, "Command1"), Qt::LeftButton);
        QCOMPARE(m_printing.dialogs, 1);
    }

    // One print window at a time: a print command while it is open brings it
    // forward and shows the bars of the result window that asked; after it
    // closed, a new one draws anew.
    void onePrintWindowAtATime() {
        MainWindow* main = makeWindow("bracket-gravitational.tvx");
        trigger("mnuCalc");
        QTest::mouseClick(button(main->childWindow("frm_calc"), "Command2"), Qt::LeftButton);
        QPointer<PrintWindow> print = qobject_cast<PrintWindow*>(main->childWindow("Frm_print"));
        QVERIFY(print);
        const QStringList drawn = print->preview().lines();

        testing::changeInputs(document(), [](DesignInputs& in) { in.H1 = 0.55; });
        QCOMPARE(print->preview().lines(), previewOf(document().inputs()));
        trigger("mnuCalc");
        QWidget* result = main->childWindow("frm_calc");
        QVERIFY(result);
        QCOMPARE(main->mdiArea()->activeSubWindow(), hostSubWindow(result));
        auto* count = result->findChild<QLineEdit*>("tex_mtl_n");
        count->selectAll();
        QTest::keyClicks(count, "7");
        QTest::mouseClick(button(result, "Command2"), Qt::LeftButton);
        QCOMPARE(main->childWindow("Frm_print"), print.data());
        QCOMPARE(main->mdiArea()->activeSubWindow(), hostSubWindow(print));
        QCOMPARE(print->preview().lines(), previewOf(document().inputs(), {-1, 7}));
        QVERIFY(print->preview().lines() != drawn);
        int printWindows = 0;
        for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
            printWindows += qobject_cast<PrintWindow*>(sub->widget()) != nullptr;
        QCOMPARE(printWindows, 1);

        QTest::mouseClick(button(print, "Command2"), Qt::LeftButton);
        QTRY_VERIFY(print.isNull());
        trigger("mnuCalc");
        QTest::mouseClick(button(main->childWindow("frm_calc"), "Command2"), Qt::LeftButton);
        auto* fresh = qobject_cast<PrintWindow*>(main->childWindow("Frm_print"));
        QVERIFY(fresh);
        QVERIFY(fresh->preview().lines() != drawn);
        // The design keeps the side-face bars the result window chose.
        QCOMPARE(document().inputs().sideFaceChoice.barCount, 7.0);
        QCOMPARE(fresh->preview().lines(),
                 previewOf(document().inputs(), document().inputs().sideFaceChoice));
    }

    // The engineer's road: open a design, calculate, change it on the input
    // form and OK, print, change it again with the preview open, print, open
    // another design. Whatever the result window and the preview show and
    // whatever reaches paper is the calculation of the inputs as they stand.
    void resultsFollowTheInputs_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("other");
        QTest::newRow("gravitational") << "bracket-gravitational.tvx"
                                       << "bracket-si.tvx";
        QTest::newRow("SI") << "bracket-si.tvx"
                            << "bracket-gravitational.tvx";
    }
    void resultsFollowTheInputs() {
        QFETCH(QString, example);
        QFETCH(QString, other);
        PdfPrinting paper;
        paper.outputFile = m_dir->filePath("paper.pdf");
        MainWindowFixture::makeWindow();
        installCalculationWindows(*m_window, &paper);
        m_window->resize(1400, 1000);
        MainWindow* main = m_window.get();
        const QString examples = QStringLiteral(HALTRIX_EXAMPLES_DIR "/");
        m_dialogs.answers.enqueue(examples + example);
        trigger("mnuFileOpen");
        const UnitSystem twin = unitSystemOf(document().inputs().unitSystem);

        trigger("mnuCalc");
        QPointer<QWidget> result = main->childWindow(resultWindowName(twin));
        QVERIFY(result);
        auto* count = result->findChild<QLineEdit*>("tex_mtl_n");
        count->selectAll();
        QTest::keyClicks(count, "6");
        auto* bars = result->findChild<QListWidget*>("List_mtl_d");
        bars->setCurrentRow(1);

        // H1 0.5 -> 0.6 on the input form that 開く left open, then OK.
        auto editAndConfirm = [&](const char* h1) {
            auto* form =
                qobject_cast<InputForm*>(main->childWindow(inputFormName(twin)));
            QVERIFY(form);
            auto* box = form->findChild<QLineEdit*>("Text1");
            box->selectAll();
            QTest::keyClicks(box, h1);
            form->acceptInput();
            QCOMPARE(document().inputs().H1, QString::fromLatin1(h1).toDouble());
        };
        auto fresh = [&](double h1) {
            DesignInputs inputs = testing::exampleInputs(example.toLatin1().constData());
            inputs.H1 = h1;
            return inputs;
        };
        const HorizontalChoice chosen{1, 6};
        editAndConfirm("0.6");
        QVERIFY(result);
        const DesignInputs first = fresh(0.6);
        const DesignResults firstResults = calculateDesign(first, chosen);
        const Sheet sheet = fillSheet(first, firstResults, twin);
        QCOMPARE(shownCells(result->findChild<QTableWidget*>("FG1")), sheetCells(sheet.fg1));
        QCOMPARE(shownCells(result->findChild<QTableWidget*>("FG2")), sheetCells(sheet.fg2));
        QCOMPARE(count->text(), QStringLiteral("6"));
        QCOMPARE(qobject_cast<ResultWindow*>(result)->results(), firstResults);

        QTest::mouseClick(button(result, "Command2"), Qt::LeftButton);
        auto* print = qobject_cast<PrintWindow*>(main->childWindow("Frm_print"));
        QVERIFY(print);
        QCOMPARE(print->preview().lines(), previewOf(first, chosen));

        // Changed again with the preview open: the preview follows, and the
        // paper holds the same design.
        trigger("mnudatain");
        editAndConfirm("0.55");
        const DesignInputs second = fresh(0.55);
        QCOMPARE(print->preview().lines(), previewOf(second, chosen));
        QTest::mouseClick(button(print, "Command1"), Qt::LeftButton);
        QVERIFY(paper.failures.isEmpty());
        QString error;
        const QString printed = haltrix::test::pdfLayoutText(paper.outputFile, error);
        QVERIFY2(!printed.isNull(), qPrintable(error));
        const QString missing = haltrix::test::firstMissingInOrder(
            toQt(reportLines(second, calculateDesign(second, chosen), ReportVariant::Print)),
            printed);
        QVERIFY2(missing.isNull(), qPrintable("not printed in order: " + missing));
        QCOMPARE(haltrix::test::pdfTitle(paper.outputFile, error), example);

        // Another design opened with the preview open.
        m_dialogs.answers.enqueue(examples + other);
        trigger("mnuFileOpen");
        const DesignInputs opened = testing::exampleInputs(other.toLatin1().constData());
        QCOMPARE(print->preview().lines(), previewOf(opened, chosen));
        QVERIFY(m_sink.messages.isEmpty());
    }

    // A unit switch that selects the other twin closes an open result
    // window rather than leave results in the wrong units on screen; a
    // switch to the units already chosen changes nothing.
    void unitSwitchClosesTheOtherTwin_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("sameUnits");
        QTest::addColumn<QString>("otherUnits");
        QTest::newRow("gravitational") << "bracket-gravitational.tvx"
                                       << "mnuToolsOptions_jyu"
                                       << "mnuToolsOptions_si";
        QTest::newRow("SI") << "bracket-si.tvx"
                            << "mnuToolsOptions_si"
                            << "mnuToolsOptions_jyu";
    }
    void unitSwitchClosesTheOtherTwin() {
        QFETCH(QString, example);
        QFETCH(QString, sameUnits);
        QFETCH(QString, otherUnits);
        MainWindow* main = makeWindow(nullptr);
        m_dialogs.answers.enqueue(QStringLiteral(HALTRIX_EXAMPLES_DIR "/") + example);
        trigger("mnuFileOpen");
        const UnitSystem twin = unitSystemOf(document().inputs().unitSystem);
        trigger("mnuCalc");
        QPointer<QWidget> result = main->childWindow(resultWindowName(twin));
        QVERIFY(result);
        trigger(sameUnits.toLatin1().constData());
        QTest::qWait(10);
        QVERIFY(result);
        trigger(otherUnits.toLatin1().constData());
        QTRY_VERIFY(result.isNull());
        QVERIFY(!main->childWindow(resultWindowName(twin)));
    }

    // Open a design, open one of the other units, calculate, print: only the
    // form of the design's units is open, labelled in them. (The first
    // one's form used to stay behind, refilled, and came forward after
    // printing.)
    void onlyTheFormOfTheDesignsUnits_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("coverUnit");
        QTest::newRow("to SI") << "bracket-gravitational.tvx"
                               << "bracket-si.tvx"
                               << "（mm）";
        QTest::newRow("to gravitational") << "bracket-si.tvx"
                                          << "bracket-gravitational.tvx"
                                          << "（cm）";
    }
    void onlyTheFormOfTheDesignsUnits() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, coverUnit);
        MainWindow* main = makeWindow(nullptr);
        PdfPrinting pdf;
        pdf.outputFile = m_dir->filePath(QStringLiteral("road.pdf"));
        installCalculationWindows(*main, &pdf);
        for (const QString& example : {first, second}) {
            m_dialogs.answers.enqueue(QStringLiteral(HALTRIX_EXAMPLES_DIR "/") + example);
            trigger("mnuFileOpen");
        }
        trigger("mnuCalc");
        const UnitSystem twin = unitSystemOf(document().inputs().unitSystem);
        button(main->childWindow(resultWindowName(twin)), "Command2")->click();
        button(main->childWindow("Frm_print"), "Command1")->click();
        QTRY_VERIFY(QFile::exists(pdf.outputFile));
        QList<InputForm*> forms;
        for (QMdiSubWindow* sub : main->mdiArea()->subWindowList()) {
            if (auto* form = qobject_cast<InputForm*>(sub->widget()))
                forms << form;
        }
        QCOMPARE(forms.size(), 1);
        QCOMPARE(forms[0]->objectName(), inputFormName(twin));
        QCOMPARE(forms[0]->findChild<QLabel*>("Label10")->text(), coverUnit);
    }
};

QTEST_MAIN(TestCalculationWindows)
#include "test_calculation_windows.moc"
