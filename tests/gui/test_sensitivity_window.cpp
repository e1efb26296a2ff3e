// SPDX-License-Identifier: GPL-3.0-or-later
// The 感度 window: what it plots for the worked example, that it follows the
// design, the input chosen from its list, saving and printing the plot, and
// opening it from the main window.

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#if HALTRIX_HAVE_QT_SVG
#include <QSvgRenderer>
#endif
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>
#include <qcustomplot.h>

#include "document/design_document.h"
#include "example_designs.h"
#include "gui_test_support.h"
#include "main/main_window.h"
#include "platform/window_names.h"
#include "calculation/print_interaction.h"
#include "tools/chart/plot_labels.h"
#include "tools/sensitivity_window.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;
using haltrix::gui::test::ScriptedFileDialogs;

namespace {

// Prints to a PDF file instead of asking.
class PdfPrinting : public PrintInteraction {
public:
    explicit PdfPrinting(QString path) : m_path(std::move(path)) {}
    bool choosePrinter(QPrinter& printer, QWidget*) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_path);
        return true;
    }
    void printingFailed(const QString& message, QWidget*) override { failures << message; }
    QStringList failures;

private:
    QString m_path;
};

// The x of each vertical line on the plot, in the order they were drawn.
QList<double> verticalLines(QCustomPlot* plot) {
    QList<double> xs;
    for (int i = 0; i < plot->itemCount(); ++i) {
        if (auto* line = qobject_cast<QCPItemStraightLine*>(plot->item(i)))
            xs << line->point1->coords().x();
    }
    return xs;
}

QStringList texts(QCustomPlot* plot) {
    QStringList all;
    for (int i = 0; i < plot->itemCount(); ++i) {
        if (auto* text = qobject_cast<QCPItemText*>(plot->item(i)))
            all << text->text();
    }
    return all;
}

// The value of a graph at a key it holds.
double valueAt(QCPGraph* graph, double key) {
    const auto it = graph->data()->findBegin(key, false);
    return it != graph->data()->constEnd() && it->key == key ? it->value : NAN;
}

} // namespace

class TestSensitivityWindow : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context.setInputs(testing::exampleInputs("bracket-gravitational.tvx"));
        m_sink.messages.clear();
        m_dialogs.answers.clear();
        m_printing = std::make_unique<PdfPrinting>(m_dir->filePath("plot.pdf"));
        m_window =
            std::make_unique<SensitivityWindow>(m_context, m_dialogs, m_sink, m_printing.get());
        m_window->show();
    }
    void cleanup() { m_window.reset(); }

    // Over a from 0 to H2 = 0.7: at a = 0.35 (case 1) Ast = (0.35 / 0.439167
    // x 10 + 0.120967) / 1800 x 1000 = 4.494782 cm2 governs; provided 6 x
    // D22 = 23.226 cm2. Marks at 0.35, 0.7 and the design's a = 0.3.
    void workedExample() {
        QCustomPlot* plot = chart();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("感度"));
        QCOMPARE(plot->graphCount(), 3);
        QCOMPARE(plot->graph(0)->name(), QStringLiteral("必要鉄筋量"));
        QCOMPARE(plot->graph(0)->dataCount(), 201);
        QVERIFY(std::fabs(valueAt(plot->graph(0), 0.35) - 4.494782) < 1e-6);
        QCOMPARE(valueAt(plot->graph(1), 0.35), 23.226);
        QCOMPARE(plot->graph(2)->dataCount(), 2); // the current design's two areas
        QVERIFY(std::fabs(plot->graph(2)->data()->at(0)->value - 3.862271) < 1e-6);
        QCOMPARE(verticalLines(plot), (QList<double>{0.35, 0.7, 0.3}));
        QVERIFY(plot->xAxis->range().contains(0.0) && plot->xAxis->range().contains(0.7));
        QVERIFY(plot->xAxis->range().size() < 0.8);
        QCOMPARE(plot->xAxis->label(), QStringLiteral("支承位置 a (m)"));
        QCOMPARE(plot->yAxis->label(), QStringLiteral("主鉄筋量 (cm2)"));
        QVERIFY(plot->yAxis->range().contains(23.226));
    }

    // Every announced change is drawn afresh: a beyond H2 widens the range,
    // the unit switch changes the units.
    void followsTheDesign() {
        QCustomPlot* plot = chart();
        testing::changeInputs(m_context, [](DesignInputs& in) { in.a = 0.9; });
        QVERIFY(plot->xAxis->range().contains(0.9));
        QCOMPARE(verticalLines(plot).last(), 0.9);
        QVERIFY(texts(plot).contains(QStringLiteral("現在の設計 a = 0.9")));

        testing::changeInputs(m_context, [](DesignInputs& in) { in.unitSystem = 2; });
        QCOMPARE(plot->yAxis->label(), QStringLiteral("主鉄筋量 (mm2)"));
        auto* list = m_window->findChild<QComboBox*>("cboParameter");
        QCOMPARE(list->itemText(2), QStringLiteral("鉛直力 P (kN)"));
        QCOMPARE(list->currentIndex(), 0);
    }

    void anotherInput() {
        auto* list = m_window->findChild<QComboBox*>("cboParameter");
        QCOMPARE(list->count(), 13);
        QCOMPARE(list->itemText(0), QStringLiteral("支承位置 a (m)"));
        list->setCurrentIndex(list->findData(QStringLiteral("P")));
        QCustomPlot* plot = chart();
        QCOMPARE(plot->xAxis->label(), QStringLiteral("鉛直力 P (tf)"));
        QVERIFY(plot->xAxis->range().contains(5.0) && plot->xAxis->range().contains(15.0));
        QCOMPARE(verticalLines(plot), QList<double>{10.0});
        // The choice stays when the design changes.
        m_context.setInputs(m_context.inputs());
        QCOMPARE(plot->xAxis->label(), QStringLiteral("鉛直力 P (tf)"));
    }

    // Each label beside its line, clear of the curves, the points and the
    // other labels.
    void labelsBesideTheirMarkers_data() {
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<double>("a");
        QTest::newRow("a") << "a" << 0.3;
        QTest::newRow("a/H2 = 2") << "a" << 1.4;
    }
    void labelsBesideTheirMarkers() {
        QFETCH(QString, parameter);
        QFETCH(double, a);
        testing::changeInputs(m_context, [&](DesignInputs& in) { in.a = a; });
        auto* list = m_window->findChild<QComboBox*>("cboParameter");
        list->setCurrentIndex(list->findData(parameter));
        QCustomPlot* plot = chart();
        plot->replot();
        QList<QRectF> placed;
        for (int i = 1; i < plot->itemCount(); ++i) {
            auto* line = qobject_cast<QCPItemStraightLine*>(plot->item(i - 1));
            auto* label = qobject_cast<QCPItemText*>(plot->item(i));
            if (!line || !label)
                continue;
            const QRectF rect = labelRect(label);
            const double x = plot->xAxis->coordToPixel(line->point1->coords().x());
            QVERIFY(std::min(std::fabs(rect.left() - x), std::fabs(rect.right() - x)) < 1.5);
            QVERIFY(!coversCurve(rect, {plot->graph(0), plot->graph(1), plot->graph(2)}));
            for (const QRectF& other : std::as_const(placed))
                QVERIFY(!rect.intersects(other));
            placed << rect;
        }
        QCOMPARE(placed.size(), verticalLines(plot).size());
    }

    void nothingToCalculate() {
        m_context.setInputs(DesignInputs{});
        QVERIFY(
            texts(chart())
                .contains(QStringLiteral("この範囲では計算できません（入力データが不正です）")));
    }

    void saves_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("PNG") << "plot.png"
                             << "plot.png" << QByteArray("\x89PNG");
        QTest::newRow("no extension") << "plot"
                                      << "plot.png" << QByteArray("\x89PNG");
        QTest::newRow("PDF") << "plot.pdf"
                             << "plot.pdf" << QByteArray("%PDF");
#if HALTRIX_HAVE_QT_SVG
        QTest::newRow("SVG") << "plot.SVG"
                             << "plot.SVG" << QByteArray("<?xml");
#endif
    }

    void saves() {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QByteArray, start);
        m_dialogs.answers.enqueue(m_dir->filePath(answer));
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        QVERIFY(m_sink.messages.isEmpty());
        QFile file(m_dir->filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(start));
#if HALTRIX_HAVE_QT_SVG
        if (start == "<?xml")
            QCOMPARE(QSvgRenderer(file.fileName()).viewBox().size(), chart()->size());
        else
#endif
            if (start == "\x89PNG")
            QCOMPARE(QImage(file.fileName()).size(), chart()->size());
    }

    void refusesOtherFormatsAndUnwritablePlaces() {
        m_dialogs.answers.enqueue(m_dir->filePath("plot.jpg"));
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        QVERIFY(!QFile::exists(m_dir->filePath("plot.jpg")));
        m_dialogs.answers.enqueue(m_dir->filePath("missing/plot.pdf"));
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        QCOMPARE(m_sink.texts().size(), 2);
        QVERIFY(m_sink.texts()[0].contains("PNG"));
        QVERIFY(m_sink.texts()[1].contains("missing/plot.pdf"));
        // Cancelled: nothing happens.
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
        QCOMPARE(m_sink.texts().size(), 2);
    }

    void prints() {
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
        QVERIFY(m_printing->failures.isEmpty());
        QFile pdf(m_dir->filePath("plot.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
    }

    // ﾂｰﾙ → 感度 opens one child window and brings it back.
    void fromTheMainWindow() {
        MainWindow::Services services;
        services.fileDialogs = &m_dialogs;
        services.messages = &m_sink;
        services.settingsFile = m_dir->filePath("settings.ini");
        MainWindow main(services);
        main.show();
        QAction* command = main.findChild<QAction*>("mnuToolsSensitivity");
        QVERIFY(command);
        QCOMPARE(command->text(), QStringLiteral("感度(&K)..."));
        command->trigger();
        QWidget* window = main.childWindow(sensitivityWindowName());
        QVERIFY(qobject_cast<SensitivityWindow*>(window));
        QVERIFY(window->isVisible());
        command->trigger();
        QCOMPARE(main.childWindow(sensitivityWindowName()), window);
        QCOMPARE(main.findChildren<SensitivityWindow*>().size(), 1);
    }

private:
    // The chart's plot, drawn by the module the window loads.
    QCustomPlot* chart() const {
        auto* found = m_window->findChild<QCustomPlot*>("plot");
        if (!found)
            qFatal("the window shows no chart");
        return found;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    DesignDocument m_context;
    RecordingSink m_sink;
    ScriptedFileDialogs m_dialogs;
    std::unique_ptr<PdfPrinting> m_printing;
    std::unique_ptr<SensitivityWindow> m_window;
};

QTEST_MAIN(TestSensitivityWindow)
#include "test_sensitivity_window.moc"
