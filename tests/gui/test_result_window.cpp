// SPDX-License-Identifier: GPL-3.0-or-later
// The result window through its real widgets: the load sequence, the sheet in
// the grids, the live horizontal check and the two buttons.

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "design/bar_table.h"
#include "files/design_file.h"
#include "design/design_inputs.h"
#include "example_designs.h"
#include "gui_test_support.h"
#include "design/horizontal_check.h"
#include "design/notifier.h"
#include "paper/number_format.h"
#include "recording_notifier.h"
#include "calculation/result_window.h"
#include "paper/sheet.h"
#include "platform/twips.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::testing::exampleInputs;
using haltrix::testing::RecordingNotifier;

namespace {

const QString kOk = QString::fromUtf8(kJudgementOk);
const QString kNg = QString::fromUtf8(kJudgementNg);

template <typename T> T* child(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s in %s", name, qPrintable(window->objectName()));
    return found;
}

QString text(QWidget* window, const char* label) {
    return child<QLabel>(window, label)->text();
}

void typeCount(QWidget* window, const QString& count) {
    auto* edit = child<QLineEdit>(window, "tex_mtl_n");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    if (!count.isEmpty())
        QTest::keyClicks(edit, count);
    QCOMPARE(edit->text(), count);
}

void clickBar(QWidget* window, int row) {
    auto* list = child<QListWidget>(window, "List_mtl_d");
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QVERIFY(item->isSelected());
}

} // namespace

class TestResultWindow : public QObject {
    Q_OBJECT

private:
    // A shown result window over `context`; deleted with the test's cleanup.
    ResultWindow* open(DesignDocument& context, UnitSystem twin, Notifier* notifier) {
        auto* window = new ResultWindow(context, twin, notifier);
        m_window = window;
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("result window not exposed");
        return window;
    }

    QPointer<ResultWindow> m_window;
    RecordingNotifier m_notifier;

private slots:
    void cleanup() {
        delete m_window;
        m_notifier.messages.clear();
        QLocale::setDefault(QLocale::system());
    }

    void twinsDifferOnlyByTheirTable_data() {
        QTest::addColumn<int>("twin");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("unit");
        QTest::newRow("gravitational") << int(UnitSystem::Gravitational) << "frm_calc"
                                       << "(cm2)";
        QTest::newRow("SI") << int(UnitSystem::SI) << "frm_calc_si"
                            << "(mm2)";
    }

    void twinsDifferOnlyByTheirTable() {
        QFETCH(int, twin);
        QFETCH(QString, objectName);
        QFETCH(QString, unit);
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ResultWindow* window = open(context, UnitSystem(twin), &m_notifier);
        QCOMPARE(window->objectName(), objectName);
        QCOMPARE(window->windowTitle(), QStringLiteral("計算結果"));
        QCOMPARE(text(window, "Label11_0"), unit);
        QCOMPARE(text(window, "Label11_1"), unit);
        QCOMPARE(text(window, "Label1"), QStringLiteral("(1)梁の自重及びﾓｰﾒﾝﾄ"));
        QCOMPARE(text(window, "Label2"), QStringLiteral("(2)鉄筋量の計算"));
        QCOMPARE(text(window, "Label3"), QStringLiteral("(3)水平方向用心鉄筋"));
        QCOMPARE(text(window, "Label4"), QStringLiteral("必要鉄筋量               H="));
        QCOMPARE(text(window, "Label5"), QStringLiteral("鉄筋径"));
        QCOMPARE(text(window, "Label6"), QStringLiteral("鉄筋本数                   n="));
        QCOMPARE(text(window, "Label7"), QStringLiteral("鉄筋量                    As="));
        QCOMPARE(text(window, "Label10"), QStringLiteral("両側面の合計本数"));
        QCOMPARE(child<QPushButton>(window, "Command1")->text(), QStringLiteral("閉じる"));
        QCOMPARE(child<QPushButton>(window, "Command2")->text(), QStringLiteral("印刷"));

        // The list holds the nine designations with D10, the bar of the
        // check, selected; the count starts at 4.
        auto* list = child<QListWidget>(window, "List_mtl_d");
        QCOMPARE(list->count(), kBarCount);
        for (int i = 0; i < kBarCount; ++i)
            QCOMPARE(list->item(i)->text().toStdString(), std::string(kBarDesignations[i]));
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(list->selectedItems().front()->text(), QStringLiteral("D10"));
        QCOMPARE(child<QLineEdit>(window, "tex_mtl_n")->text(), QStringLiteral("4"));
        QCOMPARE(window->results().sideFaces.barIndex, 0);

        // Placement in twips.
        const double dpi = logicalDpiOf(window);
        QCOMPARE(child<QLabel>(window, "Label9")->geometry(),
                 twipsRect(3000, 6720, 1455, 255, dpi));
        QCOMPARE(list->geometry(), twipsRect(3000, 7080, 1455, 600, dpi));
        QCOMPARE(child<QLabel>(window, "Lab_ok")->geometry(), twipsRect(5880, 8280, 855, 255, dpi));
        QCOMPARE(child<QPushButton>(window, "Command2")->geometry(),
                 twipsRect(7200, 8280, 1215, 375, dpi));
        QCOMPARE(child<QTableWidget>(window, "FG2")->geometry(),
                 twipsRect(120, 2400, 8295, 3735, dpi));
    }

    // Right after loading: D10 selected and 4 bars.
    void fourD10AfterLoading_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("twin");
        QTest::addColumn<QString>("label8");
        QTest::addColumn<double>("hAs");
        QTest::newRow("gravitational")
            << "bracket-gravitational.tvx" << int(UnitSystem::Gravitational) << "2.85" << 2.8532;
        QTest::newRow("SI") << "bracket-si.tvx" << int(UnitSystem::SI) << "285.32" << 285.32;
    }

    void fourD10AfterLoading() {
        QFETCH(QString, file);
        QFETCH(int, twin);
        QFETCH(QString, label8);
        QFETCH(double, hAs);
        DesignDocument context;
        context.setInputs(exampleInputs(file.toLatin1().constData()));
        ResultWindow* window = open(context, UnitSystem(twin), &m_notifier);
        QVERIFY(m_notifier.messages.empty());
        QCOMPARE(text(window, "Label8"), label8);
        const SideFaceReinforcement& shown = window->results().sideFaces;
        QCOMPARE(shown.barCount, 4.0);
        QCOMPARE(shown.barIndex, 0);
        QVERIFY(qAbs(shown.As - hAs) < 1e-9 * hAs);
    }

    // The worked example: required horizontal steel LargerOf(1.382275,
    // 1.931135) = 1.93 cm2, judged against the bars chosen.
    void workedExampleCheck_data() {
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("label8");
        QTest::addColumn<QString>("judgement");
        QTest::addColumn<double>("hBarCount");
        QTest::addColumn<double>("hAs");
        QTest::newRow("4 x D10") << -1 << "4"
                                 << "2.85" << kOk << 4.0 << 2.8532;
        QTest::newRow("2 x D10") << -1 << "2"
                                 << "1.43" << kNg << 2.0 << 1.4266;
        QTest::newRow("2 x D10 chosen") << 0 << "2"
                                        << "1.43" << kNg << 2.0 << 1.4266;
        QTest::newRow("4 x D35") << 8 << "4"
                                 << "38.26" << kOk << 4.0 << 38.264;
        QTest::newRow("3 x D13") << 1 << "3"
                                 << "3.80" << kOk << 3.0 << 3.801;
        QTest::newRow("empty count") << -1 << ""
                                     << "0.00" << kNg << 0.0 << 0.0;
        QTest::newRow("2.5 bars") << -1 << "2.5"
                                  << "1.78" << kNg << 2.5 << 1.78325;
        QTest::newRow("abc") << -1 << "abc"
                             << "0.00" << kNg << 0.0 << 0.0;
        QTest::newRow("lone minus") << 3 << "-"
                                    << "0.00" << kNg << 0.0 << 0.0;
        QTest::newRow("blanks around") << -1 << " 4 "
                                       << "2.85" << kOk << 4.0 << 2.8532;
        QTest::newRow("huge") << 8 << "1e400"
                              << "0.00" << kNg << 0.0 << 0.0;
    }

    void workedExampleCheck() {
        QFETCH(int, bar);
        QFETCH(QString, count);
        QFETCH(QString, label8);
        QFETCH(QString, judgement);
        QFETCH(double, hBarCount);
        QFETCH(double, hAs);
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        QCOMPARE(formulaCaseOf(context.inputs()), 1);
        ResultWindow* window = open(context, UnitSystem::Gravitational, &m_notifier);
        QCOMPARE(text(window, "Label9"), QStringLiteral("1.93"));
        QCOMPARE(text(window, "Lab_ok"), kOk);

        if (bar >= 0)
            clickBar(window, bar);
        typeCount(window, count);
        QCOMPARE(text(window, "Label9"), QStringLiteral("1.93"));
        QCOMPARE(text(window, "Label8"), label8);
        QCOMPARE(text(window, "Lab_ok"), judgement);
        // Without a click D10 stays chosen: position 0.
        const SideFaceReinforcement& shown = window->results().sideFaces;
        QCOMPARE(shown.barIndex, std::max(bar, 0));
        QCOMPARE(shown.barCount, hBarCount);
        QVERIFY2(qAbs(shown.As - hAs) <= 1e-9 * qMax(1.0, hAs),
                 qPrintable(QString::number(shown.As, 'g', 17)));
    }

    // Selecting a bar alone re-runs the check with the count in the box.
    void selectionChangeRunsTheCheck() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ResultWindow* window = open(context, UnitSystem::Gravitational, &m_notifier);
        typeCount(window, "2");
        QCOMPARE(text(window, "Lab_ok"), kNg);
        clickBar(window, 1); // 2 x D13 = 2.534
        QCOMPARE(text(window, "Label8"), QStringLiteral("2.53"));
        QCOMPARE(text(window, "Lab_ok"), kOk);
        QCOMPARE(window->results().sideFaces.barArea, kBarAreaCm2[1]);
        clickBar(window, 0);
        QCOMPARE(text(window, "Label8"), QStringLiteral("1.43"));
        QCOMPARE(text(window, "Lab_ok"), kNg);

        // The list taking the focus changes no choice: D10 stays.
        DesignDocument other;
        other.setInputs(exampleInputs("bracket-gravitational.tvx"));
        auto* second = new ResultWindow(other, UnitSystem::Gravitational, &m_notifier);
        QPointer<ResultWindow> guard(second);
        second->show();
        QVERIFY(QTest::qWaitForWindowExposed(second));
        child<QListWidget>(second, "List_mtl_d")->setFocus();
        QApplication::processEvents();
        QCOMPARE(second->results().sideFaces.barIndex, 0);
        QCOMPARE(text(second, "Label8"), QStringLiteral("2.85"));
        delete guard;
    }

    // Case 2 (a = 0.4 m, a / H2 = 0.57) requires 0.4 x Ast: Zc = 0.439167,
    // Tp = 0.4 / 0.439167 x 10 = 9.108159, Ast = (9.108159 + 0.053125 /
    // 0.439167) / 1800 x 1000 = 5.127293 cm2, 40 % of it 2.05.
    void caseTwoRequiresFortyPercent() {
        DesignDocument context;
        DesignInputs inputs = exampleInputs("bracket-gravitational.tvx");
        inputs.a = 0.4;
        context.setInputs(inputs);
        ResultWindow* window = open(context, UnitSystem::Gravitational, &m_notifier);
        QVERIFY(qAbs(window->results().main.Ast - 5.127293) < 1e-6);
        QCOMPARE(text(window, "Label9"), QStringLiteral("2.05"));
        QCOMPARE(text(window, "Lab_ok"), kOk);
        typeCount(window, "2");
        QCOMPARE(text(window, "Lab_ok"), kNg);
    }

    // A provided area exactly equal to the requirement is enough.
    void equalityIsOk() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ResultWindow* window = open(context, UnitSystem::Gravitational, &m_notifier);
        // A count of D16 bars whose area is the requirement to the last bit.
        const double required = window->results().sideFaces.required;
        const double bar = kBarAreaCm2[2];
        double count = required / bar;
        for (const double candidate :
             {count, std::nextafter(count, 0.0), std::nextafter(count, 100.0)}) {
            if (candidate * bar == required)
                count = candidate;
        }
        QCOMPARE(count * bar, required);
        clickBar(window, 2);
        typeCount(window, QString::number(count, 'g', 17));
        QCOMPARE(window->results().sideFaces.As, required);
        QCOMPARE(text(window, "Lab_ok"), kOk);
        // A hair less is not enough: NG.
        typeCount(window, QString::number(std::nextafter(count, 0.0), 'g', 17));
        QCOMPARE(text(window, "Lab_ok"), kNg);
    }

    // The count is read in the user's locale first, then in the program's
    // own notation.
    void countInTheUsersLocale_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("country");
        QTest::addColumn<QString>("count");
        QTest::addColumn<double>("hBarCount");
        QTest::newRow("Japanese 2.5")
            << int(QLocale::Japanese) << int(QLocale::Japan) << "2.5" << 2.5;
        QTest::newRow("German 2,5")
            << int(QLocale::German) << int(QLocale::Germany) << "2,5" << 2.5;
        QTest::newRow("German 2.5")
            << int(QLocale::German) << int(QLocale::Germany) << "2.5" << 2.5;
        QTest::newRow("C 6") << int(QLocale::C) << int(QLocale::AnyCountry) << "6" << 6.0;
    }

    void countInTheUsersLocale() {
        QFETCH(int, language);
        QFETCH(int, country);
        QFETCH(QString, count);
        QFETCH(double, hBarCount);
        QLocale::setDefault(QLocale(QLocale::Language(language), QLocale::Country(country)));
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        ResultWindow* window = open(context, UnitSystem::Gravitational, &m_notifier);
        typeCount(window, count);
        QCOMPARE(window->results().sideFaces.barCount, hBarCount);
    }

    // A fresh design makes the engine raise its message; the window still
    // opens and shows the results as far as they were reached.
    void engineMessageOnAFreshRecord() {
        DesignDocument context;
        ResultWindow* window = open(context, UnitSystem::SI, &m_notifier);
        // The message's first line as ever, then the input at fault.
        QCOMPARE(m_notifier.messages.size(), std::size_t(1));
        QCOMPARE(m_notifier.messages[0],
                 std::string(kInvalidInputMessage) +
                     "\n張出長 l = 0 m: 正の値でなければなりません（梁の自重が 0 になります）");
        QVERIFY(window->isVisible());
        QCOMPARE(text(window, "Label9"), QStringLiteral("0.00"));
        QCOMPARE(text(window, "Label8"), QStringLiteral("285.32"));
        // A stopped calculation judges no side-face bars either.
        QCOMPARE(text(window, "Lab_ok"), QString());
        const Sheet sheet = fillSheet(context.inputs(), window->results(), UnitSystem::SI);
        QCOMPARE(gui::test::shownCells(child<QTableWidget>(window, "FG2")), gui::test::sheetCells(sheet.fg2));
    }

    // Side-face bars that are NG are a 警告 beside the sheet, live with the
    // choice: at P = 200 kN the SI example needs 382.80 mm2 on its side faces
    // (LargerOf(ΣAs/3 = 270.38, Ast/2 = 382.80)).
    void sideFaceNgIsAWarningLive_data() {
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("ng");
        QTest::newRow("D10 x 4 = 285.32") << 0 << "4" << true;
        QTest::newRow("D10 x 6 = 427.98") << 0 << "6" << false;
        QTest::newRow("D13 x 4 = 506.8") << 1 << "4" << false;
        QTest::newRow("D13 x 3 = 380.1") << 1 << "3" << true;
    }
    void sideFaceNgIsAWarningLive() {
        QFETCH(int, bar);
        QFETCH(QString, count);
        QFETCH(bool, ng);
        DesignDocument context;
        DesignInputs inputs = exampleInputs("bracket-si.tvx");
        inputs.P = 200;
        context.setInputs(inputs);
        ResultWindow* window = open(context, UnitSystem::SI, &m_notifier);
        clickBar(window, bar);
        typeCount(window, count);
        QCOMPARE(text(window, "Lab_ok"), ng ? kNg : kOk);
        QCOMPARE(text(window, "lblFindings").contains(QStringLiteral("警告")), ng);
    }

    // Without an injected notifier the message is a modal box: the text, OK
    // only, no icon, "Haltrix" as caption.
    void engineMessageAsABox() {
        QString boxText;
        QString boxTitle;
        int icon = -1;
        int buttons = 0;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            boxText = box->text();
            boxTitle = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
        });
        DesignDocument context;
        auto* window = new ResultWindow(context, UnitSystem::Gravitational);
        m_window = window;
        QCOMPARE(boxText.section(QLatin1Char('\n'), 0, 0), QStringLiteral("入力データが不正です"));
        QVERIFY2(boxText.section(QLatin1Char('\n'), 1).startsWith(QStringLiteral("張出長 l = 0 m")),
                 qPrintable(boxText));
        QCOMPARE(boxTitle, QStringLiteral("Haltrix"));
        QCOMPARE(icon, int(QMessageBox::NoIcon));
        QCOMPARE(buttons, int(QMessageBox::Ok));
        QCOMPARE(text(window, "Label8"), QStringLiteral("2.85"));
    }

    // The grids hold the core's sheet cell for cell, fixed cells look and
    // behave like headers, nothing can be edited.
    void gridsShowTheCoresSheet_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("a"); // 0: as in the file
        QTest::addColumn<int>("twin");
        QTest::newRow("gravitational case 1")
            << "bracket-gravitational.tvx" << 0.0 << int(UnitSystem::Gravitational);
        QTest::newRow("gravitational case 2")
            << "bracket-gravitational.tvx" << 0.4 << int(UnitSystem::Gravitational);
        QTest::newRow("SI case 1") << "bracket-si.tvx" << 0.0 << int(UnitSystem::SI);
        QTest::newRow("SI case 2") << "bracket-si.tvx" << 0.6 << int(UnitSystem::SI);
        QTest::newRow("fresh design") << "" << 0.0 << int(UnitSystem::SI);
    }

    void gridsShowTheCoresSheet() {
        QFETCH(QString, file);
        QFETCH(double, a);
        QFETCH(int, twin);
        DesignDocument context;
        DesignInputs inputs;
        if (!file.isEmpty())
            inputs = exampleInputs(file.toLatin1().constData());
        if (a != 0)
            inputs.a = a;
        context.setInputs(inputs);
        ResultWindow* window = open(context, UnitSystem(twin), &m_notifier);
        const Sheet sheet =
            fillSheet(context.inputs(), calculateDesign(context.inputs()), UnitSystem(twin));
        const double dpi = logicalDpiOf(window);

        const std::pair<const char*, const SheetGrid*> grids[] = {{"FG1", &sheet.fg1},
                                                                  {"FG2", &sheet.fg2}};
        for (const auto& [name, grid] : grids) {
            auto* table = child<QTableWidget>(window, name);
            QCOMPARE(table->rowCount(), grid->rows);
            QCOMPARE(table->columnCount(), grid->columns);
            QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
            QCOMPARE(table->textElideMode(), Qt::ElideNone);
            QVERIFY(table->horizontalHeader()->isHidden());
            QVERIFY(table->verticalHeader()->isHidden());
            for (int column = 0; column < grid->columns; ++column)
                QCOMPARE(table->columnWidth(column),
                         twipsToPixels(grid->columnWidthsTwips[column], dpi));
            for (int row = 0; row < grid->rows; ++row) {
                for (int column = 0; column < grid->columns; ++column) {
                    const QTableWidgetItem* item = table->item(row, column);
                    QVERIFY(item);
                    QCOMPARE(item->text().toStdString(), grid->cell(row, column).value_or(""));
                    QVERIFY(!(item->flags() & Qt::ItemIsEditable));
                    const bool fixed = row < grid->fixedRows || column < grid->fixedColumns;
                    QCOMPARE(bool(item->flags() & Qt::ItemIsSelectable), !fixed);
                    if (fixed)
                        QCOMPARE(item->background().color(),
                                 table->palette().color(QPalette::Button));
                }
            }
        }
        QVERIFY(child<QTableWidget>(window, "FG1")->font().families().contains("IPAPGothic"));
        QVERIFY(child<QTableWidget>(window, "FG2")->font().families().contains("IPAGothic"));
        QCOMPARE(child<QTableWidget>(window, "FG2")->font().pointSizeF(), 9.0);

        // A count typed leaves the sheet as it is.
        const QString before = child<QTableWidget>(window, "FG1")->item(1, 2)->text();
        typeCount(window, "5");
        QCOMPARE(child<QTableWidget>(window, "FG1")->item(1, 2)->text(), before);
    }

    void command1Closes() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        QPointer<ResultWindow> window = open(context, UnitSystem::Gravitational, &m_notifier);
        QSignalSpy print(window.data(), &ResultWindow::printRequested);
        QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(print.count(), 0);
    }

    void command2ClosesAndAsksForThePrintWindow() {
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        QPointer<ResultWindow> window = open(context, UnitSystem::Gravitational, &m_notifier);
        bool visibleWhenAsked = true;
        connect(window.data(), &ResultWindow::printRequested, this,
                [&] { visibleWhenAsked = window && window->isVisible(); });
        QSignalSpy print(window.data(), &ResultWindow::printRequested);
        QTest::mouseClick(child<QPushButton>(window, "Command2"), Qt::LeftButton);
        QCOMPARE(print.count(), 1);
        QVERIFY(!visibleWhenAsked);
        QTRY_VERIFY(window.isNull());
    }

    // Inside an MDI area the buttons close the window's frame as well.
    void closesItsMdiFrame() {
        QMdiArea area;
        area.resize(800, 800);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        DesignDocument context;
        context.setInputs(exampleInputs("bracket-gravitational.tvx"));
        QPointer<ResultWindow> window =
            new ResultWindow(context, UnitSystem::Gravitational, &m_notifier);
        QPointer<QMdiSubWindow> frame = area.addSubWindow(window);
        frame->show();
        QCOMPARE(area.subWindowList().size(), 1);
        QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
        QTRY_VERIFY(window.isNull());
        QTRY_VERIFY(frame.isNull());
        QVERIFY(area.subWindowList().isEmpty());
    }
    // A number too wide for its cell or label shows the overflow mark, with
    // the whole number as its tooltip; a cut number would read as another
    // value. Numbers that fit, captions and headers show as they are.
    void overflowingNumbersShowTheMark_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<bool>("overflows");
        QTest::newRow("worked example") << 1.2 << false;
        QTest::newRow("b = 1E+300") << 1e300 << true;
    }
    void overflowingNumbersShowTheMark() {
        QFETCH(double, width);
        QFETCH(bool, overflows);
        DesignDocument context;
        DesignInputs inputs = exampleInputs("bracket-gravitational.tvx");
        inputs.b = width;
        context.setInputs(inputs);
        ResultWindow* window = open(context, UnitSystem::Gravitational, &m_notifier);
        const QString mark = QStringLiteral("###");

        const Sheet sheet = fillSheet(inputs, window->results(), UnitSystem::Gravitational);
        int marked = 0;
        for (const auto& [name, grid] :
             {std::pair{"FG1", &sheet.fg1}, std::pair{"FG2", &sheet.fg2}}) {
            auto* table = child<QTableWidget>(window, name);
            for (int row = 0; row < grid->rows; ++row) {
                for (int column = 0; column < grid->columns; ++column) {
                    const QString full =
                        QString::fromStdString(grid->cell(row, column).value_or(std::string()));
                    const QTableWidgetItem* item = table->item(row, column);
                    if (item->text() == mark) {
                        ++marked;
                        QCOMPARE(item->toolTip(), full);
                        QVERIFY(table->fontMetrics().horizontalAdvance(full) >
                                table->columnWidth(column));
                    } else {
                        QCOMPARE(item->text(), full);
                        QVERIFY(item->toolTip().isEmpty());
                    }
                }
            }
        }
        auto* required = child<QLabel>(window, "Label9");
        QCOMPARE(marked > 0, overflows);
        QCOMPARE(required->text() == mark, overflows);
        if (overflows) {
            QCOMPARE(required->toolTip(),
                     QString::fromStdString(formatPattern(window->results().sideFaces.required, "0.00")));
            // Headers keep their text.
            QCOMPARE(child<QTableWidget>(window, "FG1")->item(0, 1)->text(),
                     QString::fromStdString(sheet.fg1.cell(0, 1).value_or(std::string())));
        } else {
            QCOMPARE(required->text(), QStringLiteral("1.93"));
        }
    }
};

QTEST_MAIN(TestResultWindow)
#include "test_result_window.moc"
