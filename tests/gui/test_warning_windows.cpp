// SPDX-License-Identifier: GPL-3.0-or-later
// The design warnings where the engineer sees them: live under the input
// form's fields, beside the result window's judgement, above the print
// preview and before printing; and the spacing rule's setting.

#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <memory>

#include "calculation/calculation_windows.h"
#include "tools/clear_spacing_dialog.h"
#include "tools/clear_spacing_settings.h"
#include "design/design_calculation.h"
#include "document/design_document.h"
#include "example_designs.h"
#include "forms/findings_list.h"
#include "gui_test_support.h"
#include "forms/input_form.h"
#include "main/main_window.h"
#include "calculation/print_interaction.h"
#include "calculation/print_window.h"
#include "recording_notifier.h"
#include "calculation/result_window.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;
using haltrix::testing::changeInputs;
using haltrix::testing::exampleInputs;
using haltrix::testing::RecordingNotifier;

Q_DECLARE_METATYPE(haltrix::UnitSystem)

namespace {

QStringList lines(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Answers the question before printing and the print dialog; the printer
// writes a PDF.
class ScriptedPrinting : public PrintInteraction {
public:
    bool choosePrinter(QPrinter& printer, QWidget*) override {
        ++dialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        return true;
    }
    void printingFailed(const QString& message, QWidget*) override { failures << message; }
    bool confirmPrintDespiteWarning(QWidget*) override {
        ++questions;
        return printAnyway;
    }

    QString outputFile;
    bool printAnyway = false;
    int questions = 0;
    int dialogs = 0;
    QStringList failures;
};

// A rule whose minimum (312 mm) is more than the examples' 311.1 mm between
// their D22 x 4 (1000/3 - 22.2) and their 227.8 mm between the layers.
// The examples' bars lie 333 and 1000 mm apart: these tests are about the
// clear spacing, so the centres may lie 1000 mm apart.
ClearSpacingRule wideRule() {
    ClearSpacingRule rule;
    rule.maxCentreMm = 1000;
    return rule;
}

ClearSpacingRule fixedRule(double mm) {
    ClearSpacingRule rule = wideRule();
    rule.fixedMm = mm;
    return rule;
}

} // namespace

class TestWarningWindows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void inputFormListsFindingsAsTyped_data();
    void inputFormListsFindingsAsTyped();
    void inputFormNeverBlocksOk();
    void inputFormFollowsTheRule();
    void inputFormBadNumberStillLists_data();
    void inputFormBadNumberStillLists();

    void resultWindowSummaryAndList();

    void printWindowListsAndAsks_data();
    void printWindowListsAndAsks();
    void previewStripShowsThreeWhole();

    void ruleKeptInTheSettings();
    void ruleDialogControls();
    void unreadableSettingsGiveTheDefault();

private:
    InputForm* makeForm(const char* example);
    void type(QWidget* form, const char* name, const QString& text);

    std::unique_ptr<DesignDocument> m_context;
    RecordingSink m_sink;
    std::unique_ptr<QWidget> m_window;
    QTemporaryDir m_dir;
};

void TestWarningWindows::init() {
    m_context = std::make_unique<DesignDocument>();
    m_context->setSpacingRule(wideRule());
    m_sink.messages.clear();
}

void TestWarningWindows::cleanup() {
    m_window.reset();
    m_context.reset();
}

InputForm* TestWarningWindows::makeForm(const char* example) {
    m_context->setInputs(exampleInputs(example));
    auto* form = new InputForm(inputFormProfile(unitSystemOf(m_context->inputs().unitSystem)),
                               *m_context, m_sink);
    m_window.reset(form);
    form->show();
    return form;
}

void TestWarningWindows::type(QWidget* form, const char* name, const QString& text) {
    auto* edit = form->findChild<QLineEdit*>(name);
    QVERIFY2(edit, name);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void TestWarningWindows::inputFormListsFindingsAsTyped_data() {
    QTest::addColumn<QString>("example");
    QTest::newRow("gravitational") << "bracket-gravitational.tvx";
    QTest::newRow("SI") << "bracket-si.tvx";
}

// The worked example's bearing stands 0.05 m past the tip; typing a = 1.4 m
// (a/H2 = 2) adds the 警告 at once, before OK; typing a = 0.2 m leaves none.
void TestWarningWindows::inputFormListsFindingsAsTyped() {
    QFETCH(QString, example);
    InputForm* form = makeForm(example.toLatin1().constData());
    auto* list = form->findChild<FindingsList*>("lstFindings");
    QVERIFY(list);
    QCOMPARE(list->count(), 1);
    QVERIFY(list->item(0)->text().startsWith(QStringLiteral("注意: 支承位置 a = 0.3 m")));

    const DesignInputs before = m_context->inputs();
    type(form, "Text5", "1.4");
    QCOMPARE(list->count(), 2);
    QVERIFY(list->item(1)->text().startsWith(QStringLiteral("警告: a/H2 = 2")));
    QCOMPARE(list->findings()[1].code, std::string("outside-method-range"));
    QVERIFY(m_context->inputs() == before); // typing stores nothing

    type(form, "Text5", "0.2");
    QCOMPARE(lines(list), QStringList{QString::fromUtf8(kNoFindingsText)});

    // 20 bars in layer 1 cannot fit; a bar choice is followed too.
    type(form, "Text12", "20");
    QVERIFY(list->item(0)->text().contains(QStringLiteral("D22 × 20 本")));
    form->findChild<QListWidget*>("List1")->setCurrentRow(8);
    QVERIFY(list->item(0)->text().contains(QStringLiteral("D35 × 20 本")));
    // With no bars the area stays 0 whatever the bar; the choice still counts.
    type(form, "Text14", "0");
    QVERIFY(lines(list).join('\n').contains(QStringLiteral("２段目に鉄筋 D22 が")));
    form->findChild<QListWidget*>("List2")->setCurrentRow(7);
    QVERIFY(lines(list).join('\n').contains(QStringLiteral("２段目に鉄筋 D32 が")));
}

// OK stores exactly what the form shows as typed, warnings or not.
void TestWarningWindows::inputFormNeverBlocksOk() {
    InputForm* form = makeForm("bracket-gravitational.tvx");
    type(form, "Text1", "0.9"); // H1 > H2
    type(form, "Text5", "-1");  // a < 0
    const DesignInputs typed = form->inputsAsTyped();
    QCOMPARE(typed.H1, 0.9);
    QCOMPARE(typed.a, -1.0);
    QVERIFY(hasWarning(form->findChild<FindingsList*>("lstFindings")->findings()));
    QSignalSpy announced(m_context.get(), &DesignDocument::inputsChanged);
    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QVERIFY(m_sink.messages.isEmpty());
    QCOMPARE(announced.count(), 1);
    QVERIFY(m_context->inputs() == typed);
}

void TestWarningWindows::inputFormFollowsTheRule() {
    InputForm* form = makeForm("bracket-si.tvx");
    auto* list = form->findChild<FindingsList*>("lstFindings");
    m_context->setSpacingRule(fixedRule(312));
    QStringList codes;
    for (const Finding& f : list->findings())
        codes << QString::fromStdString(f.code);
    QCOMPARE(codes, (QStringList{"load-off-bracket", "bars-do-not-fit", "layers-too-close"}));
    QVERIFY(list->item(1)->text().contains(QStringLiteral("最小あき: 固定値 312 mm")));
    m_context->setSpacingRule(wideRule());
    QCOMPARE(list->count(), 1);
}

// A box that holds no number is named by OK's message as before; the list
// meanwhile names the field as a 警告, first, the moment it is typed.
void TestWarningWindows::inputFormBadNumberStillLists_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");
    QTest::newRow("P") << "Text6" << "abc" << "警告: 「鉛直力」の「abc」は数値ではありません";
    QTest::newRow("empty count") << "Text12" << "" << "警告: 「１段目 本数 n=」が入力されていません";
}

void TestWarningWindows::inputFormBadNumberStillLists() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, line);
    InputForm* form = makeForm("bracket-gravitational.tvx");
    type(form, box.toLatin1().constData(), text);
    const auto* list = form->findChild<FindingsList*>("lstFindings");
    QCOMPARE(list->item(0)->text(), line);
    QCOMPARE(list->findings().front().code, std::string("not-a-number"));
    for (const Finding& f : list->findings()) // nothing said twice of the box
        QVERIFY(std::none_of(f.values.begin(), f.values.end(),
                             [](const FindingValue& v) { return std::isnan(v.value); }));
    const DesignInputs before = m_context->inputs();
    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QCOMPARE(m_sink.messages.size(), 1);
    QVERIFY(m_context->inputs() == before);
}

void TestWarningWindows::resultWindowSummaryAndList() {
    m_context->setInputs(exampleInputs("bracket-gravitational.tvx"));
    RecordingNotifier notifier;
    auto* window = new ResultWindow(*m_context, UnitSystem::Gravitational, &notifier);
    m_window.reset(window);
    window->show();
    auto* line = window->findChild<QLabel*>("lblFindings");
    QVERIFY(line);
    QVERIFY(line->text().contains(QStringLiteral(">注意 1件<")));
    // Beside the judgement, clear of the controls that were there before.
    for (const char* name : {"Label3", "Label11_0", "Lab_ok", "Command1", "FG2"}) {
        auto* other = window->findChild<QWidget*>(name);
        QVERIFY2(!other->geometry().intersects(line->geometry()), name);
    }

    emit line->linkActivated(QStringLiteral("findings"));
    auto* dialog = window->findChild<QDialog*>("dlgFindings");
    QVERIFY(dialog && dialog->isVisible());
    auto* list = dialog->findChild<FindingsList*>("lstFindings");
    QCOMPARE(list->count(), 1);

    // a/H2 = 2 also asks more of the side-face bars than D10 × 4 give.
    changeInputs(*m_context, [](DesignInputs& in) { in.a = 1.4; });
    QVERIFY(line->text().contains(QStringLiteral(">警告 2件  注意 1件<")));
    QCOMPARE(list->count(), 3);

    changeInputs(*m_context, [](DesignInputs& in) { in.a = 0.2; });
    QCOMPARE(line->text(), QString::fromUtf8(kNoFindingsText));
    m_context->setSpacingRule(fixedRule(312));
    QVERIFY(line->text().contains(QStringLiteral(">警告 1件  注意 1件<")));

    // The horizontal count typed here is looked at too.
    m_context->setSpacingRule(wideRule());
    auto* count = window->findChild<QLineEdit*>("tex_mtl_n");
    count->selectAll();
    QTest::keyClicks(count, "2.5");
    QVERIFY(line->text().contains(QStringLiteral(">注意 1件<")));
    QVERIFY(lines(list).join('\n').contains(QStringLiteral("水平鉄筋の本数 n = 2.5")));
}

void TestWarningWindows::printWindowListsAndAsks_data() {
    QTest::addColumn<double>("a");
    QTest::addColumn<bool>("printAnyway");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("printed");
    QTest::newRow("注意 only: no question") << 0.3 << false << 0 << true;
    QTest::newRow("警告, answered いいえ") << 1.4 << false << 1 << false;
    QTest::newRow("警告, answered はい") << 1.4 << true << 1 << true;
}

void TestWarningWindows::printWindowListsAndAsks() {
    QFETCH(double, a);
    QFETCH(bool, printAnyway);
    QFETCH(int, questions);
    QFETCH(bool, printed);
    DesignInputs inputs = exampleInputs("bracket-gravitational.tvx");
    inputs.a = a;
    m_context->setInputs(inputs);
    RecordingNotifier notifier;
    ScriptedPrinting printing;
    printing.outputFile = m_dir.filePath(QStringLiteral("report.pdf"));
    QFile::remove(printing.outputFile);
    printing.printAnyway = printAnyway;
    auto* window = new PrintWindow(*m_context, &printing, &notifier);
    m_window.reset(window);
    window->show();

    auto* list = window->findChild<FindingsList*>("lstFindings");
    QVERIFY(list);
    // a = 1.4: outside the method's range, off the bracket, side-face bars NG.
    QCOMPARE(list->count(), a > 1 ? 3 : 1);
    // Above the preview, right of the buttons.
    auto* scroll = window->findChild<QWidget*>("PicScrollArea");
    QVERIFY(list->geometry().bottom() < scroll->geometry().top());
    QVERIFY(list->geometry().left() > window->findChild<QWidget*>("Command2")->geometry().right());

    QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(printing.questions, questions);
    QCOMPARE(printing.dialogs, printed ? 1 : 0);
    QCOMPARE(QFile::exists(printing.outputFile), printed);
    QVERIFY(printing.failures.isEmpty());
}

// Three findings fit the strip above the preview without scrolling, clear
// of the preview; the strip's tool tip holds every line whole.
void TestWarningWindows::previewStripShowsThreeWhole() {
    DesignInputs inputs = exampleInputs("bracket-gravitational.tvx");
    inputs.a = 1.4;
    inputs.layer1Count = 4.5;
    m_context->setInputs(inputs);
    RecordingNotifier notifier;
    auto* window = new PrintWindow(*m_context, nullptr, &notifier);
    m_window.reset(window);
    // D10 × 12 (8.56 cm2) carry the 7.11 cm2 that a = 1.4 asks of the side faces.
    window->setHorizontalChoice(HorizontalChoice{0, 12});
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* list = window->findChild<FindingsList*>("lstFindings");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->verticalScrollBar()->maximum(), 0);
    QCOMPARE(list->toolTip(), lines(list).join('\n'));
    QVERIFY(list->geometry().bottom() < window->findChild<QWidget*>("PicScrollArea")->y());
}

// The menu command asks, keeps the answer in the settings beside the window
// placement and hands it to the windows; the next run starts with it.
void TestWarningWindows::ruleKeptInTheSettings() {
    const QString ini = m_dir.filePath(QStringLiteral("rule.ini"));
    QFile::remove(ini);
    std::optional<ClearSpacingRule> answer;
    ClearSpacingRule asked;
    MainWindow::Services services;
    services.messages = &m_sink;
    services.settingsFile = ini;
    services.askClearSpacing = [&](const ClearSpacingRule& current, QWidget*) {
        asked = current;
        return answer;
    };
    auto window = std::make_unique<MainWindow>(services);
    DesignDocument& document = window->document();
    auto* command = window->findChild<QAction*>("mnuToolsClearSpacing");
    QVERIFY(command);
    QSignalSpy changed(&document, &DesignDocument::spacingRuleChanged);

    command->trigger(); // cancelled
    QCOMPARE(changed.count(), 0);
    QVERIFY(!QSettings(ini, QSettings::IniFormat).contains("Warnings/MaxAggregateMm"));

    ClearSpacingRule aggregate;
    aggregate.maxAggregateMm = 40;
    answer = aggregate;
    command->trigger();
    QCOMPARE(changed.count(), 1);
    QVERIFY(document.spacingRule() == aggregate);
    {
        QSettings stored(ini, QSettings::IniFormat);
        QCOMPARE(stored.value("Warnings/MaxAggregateMm").toString(), QStringLiteral("40"));
        QCOMPARE(stored.value("Warnings/FixedMinClearMm").toString(), QString());
    }

    ClearSpacingRule fixed = fixedRule(27.5);
    fixed.maxAggregateMm = 40;
    answer = fixed;
    command->trigger();
    QVERIFY(asked == aggregate);
    QVERIFY(document.spacingRule() == fixed);
    window->close();
    window.reset();

    MainWindow::Services again;
    again.settingsFile = ini;
    MainWindow next(again);
    QVERIFY(next.document().spacingRule() == fixed);
    QVERIFY(m_sink.messages.isEmpty());
}

void TestWarningWindows::ruleDialogControls() {
    ClearSpacingRule start;
    start.maxAggregateMm = 20;
    ClearSpacingDialog dialog(start);
    auto* description = dialog.findChild<QLabel*>("lblClearSpacingRule");
    QCOMPARE(description->text(),
             QStringLiteral("最小あき: 20 mm、粗骨材最大寸法 20 mm の 4/3、鉄筋径のうち最大の値\n"
                            "最大中心間隔: 300 mm"));
    QVERIFY(dialog.rule() == start);
    auto* fixedBox = dialog.findChild<QDoubleSpinBox*>("spnMinClear");
    QVERIFY(!fixedBox->isEnabled());
    dialog.findChild<QRadioButton*>("optClearSpacingFixed")->setChecked(true);
    QVERIFY(fixedBox->isEnabled());
    QVERIFY(!dialog.findChild<QDoubleSpinBox*>("spnMaxAggregate")->isEnabled());
    fixedBox->setValue(45);
    QCOMPARE(dialog.rule().fixedMm, std::optional<double>(45));
    QCOMPARE(dialog.rule().maxAggregateMm, 20.0);
    QCOMPARE(description->text(), QStringLiteral("最小あき: 固定値 45 mm\n最大中心間隔: 300 mm"));
}

void TestWarningWindows::unreadableSettingsGiveTheDefault() {
    const QString ini = m_dir.filePath(QStringLiteral("odd.ini"));
    {
        QSettings settings(ini, QSettings::IniFormat);
        settings.setValue("Warnings/MaxAggregateMm", "wide");
        settings.setValue("Warnings/FixedMinClearMm", "-3");
    }
    QSettings settings(ini, QSettings::IniFormat);
    QVERIFY(readClearSpacingRule(settings) == ClearSpacingRule{});
    settings.setValue("Warnings/MaxAggregateMm", "40");
    settings.setValue("Warnings/FixedMinClearMm", "0");
    QCOMPARE(readClearSpacingRule(settings).maxAggregateMm, 40.0);
    QVERIFY(!readClearSpacingRule(settings).fixedMm);
}

QTEST_MAIN(TestWarningWindows)
#include "test_warning_windows.moc"
