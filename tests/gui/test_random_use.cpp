// SPDX-License-Identifier: GPL-3.0-or-later
// The real windows used at random, as a user might: a seeded sequence of
// actions (open an example, type into the input form, good values and bad,
// OK and キャンセル, 計算実行, choose side-face bars, switch and convert the
// units, 新規作成, the print window and the sketches, save), checking after
// every step that each open result window, preview and sketch shows a fresh
// calculation of the design's inputs, and that the title's modified marker
// is shown exactly when the inputs differ from those last opened or saved.
//
// HALTRIX_RANDOM_SEED chooses the sequence (default 18), HALTRIX_RANDOM_STEPS
// its length (default 120); HALTRIX_RANDOM_SECONDS runs for that long instead
// and says how many steps per second it took.

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <random>

#include "calculation/calculation_windows.h"
#include "design/load_cases.h"
#include "design/design_calculation.h"
#include "example_designs.h"
#include "gui_test_support.h"
#include "forms/input_form.h"
#include "main/main_window.h"
#include "platform/window_names.h"
#include "main_window_fixture.h"
#include "paper/number_format.h"
#include "calculation/preview_surface.h"
#include "calculation/print_interaction.h"
#include "calculation/print_window.h"
#include "paper/report.h"
#include "calculation/result_window.h"
#include "paper/sheet.h"
#include "sketch/sketch_builder.h"
#include "calculation/sketch_companions.h"
#include "sketch/sketch_dxf.h"
#include "calculation/sketch_window.h"
#include "tools/unit_conversion_dialog.h"

using namespace haltrix;
using namespace haltrix::gui;

namespace {

// Never prints: the dialog is cancelled; a 警告 is printed anyway.
class NoPrinter : public PrintInteraction {
public:
    bool choosePrinter(QPrinter&, QWidget*) override { return false; }
    void printingFailed(const QString&, QWidget*) override {}
    bool confirmPrintDespiteWarning(QWidget*) override { return true; }
};

// Converts without rounding, or declines.
class ScriptedConversion : public ConversionConfirmation {
public:
    std::optional<int> confirm(QWidget*, const DesignInputs&, std::int32_t) override {
        return accept ? std::optional<int>(0) : std::nullopt;
    }
    bool accept = true;
};

int envNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// What a number cell or label shows of `text`: the text, or the overflow
// mark with the text as its tooltip.
bool shows(const QString& shown, const QString& toolTip, const QString& text) {
    return shown == text || (toolTip == text && shown.startsWith('#'));
}

} // namespace

class TestRandomUse : public QObject, protected gui::test::MainWindowFixture {
    Q_OBJECT

    ScriptedConversion m_conversion;
    NoPrinter m_printer;
    std::mt19937 m_random;
    // The inputs as last opened, saved or started: the test's own account.
    DesignInputs m_saved;
    QString m_step;

    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(m_random); }

    template <typename T> T* child(const QString& name) {
        return qobject_cast<T*>(m_window->childWindow(name));
    }
    ResultWindow* resultWindow() {
        return child<ResultWindow>(resultWindowName(unitSystemOf(document().inputs().unitSystem)));
    }

    // The save question is answered 保存しない or キャンセル; the design is
    // replaced only after 保存しない.
    bool askedAndDiscarded(qsizetype askedBefore) {
        if (m_savePrompt.asked.size() == askedBefore)
            return true;
        return m_lastAnswer == SaveAnswer::Discard;
    }
    SaveAnswer m_lastAnswer = SaveAnswer::Discard;
    void scriptSaveAnswer() {
        m_lastAnswer = pick(4) == 0 ? SaveAnswer::Cancel : SaveAnswer::Discard;
        m_savePrompt.answers.clear();
        m_savePrompt.answers.enqueue(m_lastAnswer);
    }

    void openExample() {
        const char* file = pick(2) ? "bracket-gravitational.tvx" : "bracket-si.tvx";
        m_step = QStringLiteral("open %1").arg(file);
        scriptSaveAnswer();
        const qsizetype asked = m_savePrompt.asked.size();
        m_dialogs.answers.clear();
        m_dialogs.answers.enqueue(QStringLiteral(HALTRIX_EXAMPLES_DIR "/") + file);
        trigger("mnuFileOpen");
        if (askedAndDiscarded(asked))
            m_saved = testing::exampleInputs(file);
    }

    void newDesign() {
        m_step = QStringLiteral("新規作成");
        scriptSaveAnswer();
        const qsizetype asked = m_savePrompt.asked.size();
        const std::int32_t units = document().inputs().unitSystem;
        trigger("mnuFileNew");
        if (askedAndDiscarded(asked)) {
            m_saved = DesignInputs{};
            m_saved.unitSystem = units;
        }
    }

    // OK or キャンセル on the input form, at random.
    void confirmOrCancel(InputForm* form) {
        const bool ok = pick(3) != 0;
        m_step += ok ? QStringLiteral(", OK") : QStringLiteral(", キャンセル");
        QTest::mouseClick(form->findChild<QPushButton*>(ok ? "Command_ok" : "Command2"),
                          Qt::LeftButton);
    }

    void typeAndConfirm() {
        InputForm* form = inputForm();
        QVERIFY(form);
        static const int boxes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14};
        static const char* const texts[] = {"0.5", "0.7", "0.25", "1.2", "0.3", "10",  "0",
                                            "-1",  "abc", "",     "1e400", "4",  "2.5", "180"};
        const int box = boxes[pick(std::size(boxes))];
        const char* text = texts[pick(std::size(texts))];
        m_step = QStringLiteral("Text%1 = \"%2\"").arg(box).arg(QString::fromLatin1(text));
        form->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(box))->setText(
            QString::fromLatin1(text));
        if (pick(4) == 0)
            form->findChild<QListWidget*>(pick(2) ? "List1" : "List2")
                ->setCurrentRow(int(pick(9)));
        confirmOrCancel(form);
    }

    // The table of load cases: a case added, removed or moved, then OK or
    // キャンセル.
    void editCases() {
        InputForm* form = inputForm();
        QVERIFY(form);
        QTableWidget* table = form->caseTable();
        table->setCurrentCell(int(pick(unsigned(table->rowCount()))), 0);
        switch (pick(4)) {
        case 0:
            m_step = QStringLiteral("ケース追加");
            form->addCase();
            table->item(table->currentRow(), 2)->setText(QString::number(pick(50)));
            break;
        case 1:
            m_step = QStringLiteral("ケース削除");
            form->removeCase();
            break;
        default:
            m_step = QStringLiteral("ケース移動");
            form->moveCase(pick(2) ? 1 : -1);
            break;
        }
        confirmOrCancel(form);
    }

    void chooseSideFaceBars() {
        ResultWindow* result = resultWindow();
        if (!result)
            return calculate();
        static const char* const counts[] = {"4", "2", "0", "2.5", "", "x", "1e400"};
        const int bar = int(pick(9));
        const char* count = counts[pick(std::size(counts))];
        m_step = QStringLiteral("side faces %1 x \"%2\"").arg(bar).arg(count);
        result->findChild<QListWidget*>("List_mtl_d")->setCurrentRow(bar);
        result->findChild<QLineEdit*>("tex_mtl_n")->setText(QString::fromLatin1(count));
    }

    void calculate() {
        m_step = QStringLiteral("計算実行");
        trigger("mnuCalc");
    }

    void switchUnits() {
        const bool gravitational = pick(2);
        m_step = gravitational ? QStringLiteral("重力単位") : QStringLiteral("ＳＩ単位");
        trigger(gravitational ? "mnuToolsOptions_jyu" : "mnuToolsOptions_si");
    }

    void convertUnits() {
        m_conversion.accept = pick(3) != 0;
        m_step = QStringLiteral("単位系の変換 %1").arg(m_conversion.accept ? "OK" : "cancel");
        trigger("mnuToolsConvertUnits");
    }

    void printWindow() {
        if (auto* print = child<PrintWindow>(QString::fromLatin1(kPrintWindowName))) {
            const bool printing = pick(2);
            m_step = printing ? QStringLiteral("印刷実行") : QStringLiteral("プレビュー 閉じる");
            QTest::mouseClick(print->findChild<QPushButton*>(printing ? "Command1" : "Command2"),
                              Qt::LeftButton);
            return;
        }
        if (ResultWindow* result = resultWindow()) {
            m_step = QStringLiteral("印刷");
            QTest::mouseClick(result->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        }
    }

    void sketch() {
        if (ResultWindow* result = resultWindow()) {
            m_step = QStringLiteral("形状図");
            QTest::mouseClick(result->findChild<QPushButton*>("Command_sketch"), Qt::LeftButton);
        }
    }

    void save() {
        m_step = QStringLiteral("名前を付けて保存");
        m_dialogs.answers.clear();
        m_dialogs.answers.enqueue(m_dir->filePath(QStringLiteral("design-%1.tvx").arg(pick(3))));
        const DesignInputs before = document().inputs();
        trigger("mnuFileSaveAs");
        m_saved = before;
    }

    void step() {
        switch (pick(12)) {
        case 0:
            return openExample();
        case 1:
            return newDesign();
        case 2:
        case 3:
            return typeAndConfirm();
        case 4:
            return calculate();
        case 5:
            return chooseSideFaceBars();
        case 6:
            return switchUnits();
        case 7:
            return convertUnits();
        case 8:
            return printWindow();
        case 9:
            return sketch();
        case 10:
            return editCases();
        default:
            return save();
        }
    }

    // What every open window shows is a fresh calculation of the inputs.
    void check() {
        const DesignInputs& inputs = document().inputs();
        for (const UnitSystem twin : {UnitSystem::Gravitational, UnitSystem::SI}) {
            auto* result = child<ResultWindow>(resultWindowName(twin));
            if (!result)
                continue;
            QCOMPARE(unitSystemOf(inputs.unitSystem), twin);
            // The case the window shows, as a design of it alone.
            const DesignInputs shown = caseDesign(inputs, result->shownCase());
            const DesignResults expected = calculateDesign(shown, result->horizontalChoice());
            const Sheet sheet = fillSheet(shown, expected, twin);
            for (const auto& [name, grid] : {std::pair{"FG1", &sheet.fg1}, {"FG2", &sheet.fg2}}) {
                auto* table = result->findChild<QTableWidget*>(name);
                for (int row = 0; row < grid->rows; ++row)
                    for (int column = 0; column < grid->columns; ++column) {
                        const QTableWidgetItem* item = table->item(row, column);
                        QVERIFY2(shows(item->text(), item->toolTip(),
                                       QString::fromStdString(
                                           grid->cell(row, column).value_or(std::string()))),
                                 qPrintable(QStringLiteral("%1 %2,%3").arg(name).arg(row).arg(column)));
                    }
            }
            const auto* provided = result->findChild<QLabel*>("Label8");
            QVERIFY(shows(provided->text(), provided->toolTip(),
                          QString::fromStdString(formatPattern(expected.sideFaces.As, "0.00"))));
            QCOMPARE(result->findChild<QLabel*>("Lab_ok")->text().toStdString(),
                     expected.sideFaces.judgement);
        }
        if (auto* print = child<PrintWindow>(QString::fromLatin1(kPrintWindowName))) {
            // Each case's report as that of a design of it alone, under its
            // heading when there are several.
            const QStringList lines = print->preview().lines();
            qsizetype at = 0;
            for (int i = 0; i < caseCount(inputs); ++i) {
                const DesignInputs one = caseDesign(inputs, i);
                const std::vector<std::string> report = reportLines(
                    one, calculateDesign(one, print->horizontalChoice()), ReportVariant::Preview);
                if (caseCount(inputs) > 1 && !report.empty()) {
                    at = lines.indexOf(QString::fromStdString(caseHeading(caseAt(inputs, i), i)),
                                       at);
                    QVERIFY2(at >= 0, qPrintable(QStringLiteral("heading of case %1").arg(i + 1)));
                    ++at;
                }
                for (const std::string& line : report)
                    QCOMPARE(lines.value(at++), QString::fromStdString(line));
            }
            QCOMPARE(at, lines.size());
        }
        for (const UnitSystem twin : {UnitSystem::Gravitational, UnitSystem::SI}) {
            if (auto* shown = child<SketchWindow>(resultSketchName(twin)))
                QCOMPARE(sketch::dxfText(shown->view().sketch()),
                         sketch::dxfText(sketch::buildSketch(inputs, calculateDesign(inputs))));
            auto* form = child<InputForm>(inputFormName(twin));
            if (auto* shown = child<SketchWindow>(inputSketchName(twin)); shown && form)
                QCOMPARE(sketch::dxfText(shown->view().sketch()),
                         sketch::dxfText(sketch::buildSketch(form->inputsAsTyped())));
        }
        QCOMPARE(m_window->isWindowModified(), !(inputs == m_saved));
    }

private slots:
    void randomUse() {
        resetFixture();
        const int seed = envNumber("HALTRIX_RANDOM_SEED", 18);
        const int steps = envNumber("HALTRIX_RANDOM_STEPS", 120);
        const int seconds = envNumber("HALTRIX_RANDOM_SECONDS", 0);
        m_random.seed(unsigned(seed));
        MainWindow::Services services;
        services.conversionConfirmation = &m_conversion;
        makeWindow(services);
        installCalculationWindows(*m_window, &m_printer);
        m_window->resize(1400, 1000);
        m_saved = document().inputs();

        QElapsedTimer clock;
        clock.start();
        int done = 0;
        while (seconds > 0 ? clock.elapsed() < seconds * 1000LL : done < steps) {
            step();
            QCoreApplication::processEvents();
            ++done;
            check();
            if (QTest::currentTestFailed()) {
                qWarning("seed %d, step %d: %s", seed, done, qPrintable(m_step));
                return;
            }
        }
        qInfo("seed %d: %d steps in %.1f s, %.1f steps per second", seed, done,
              clock.elapsed() / 1000.0, done * 1000.0 / std::max<qint64>(1, clock.elapsed()));
        m_window.reset();
    }
};

QTEST_MAIN(TestRandomUse)
#include "test_random_use.moc"
