// SPDX-License-Identifier: GPL-3.0-or-later
// The input form on its own: fields, areas, OK and the twins' captions.

#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "document/design_document.h"
#include "example_designs.h"
#include "gui_test_support.h"
#include "forms/findings_list.h"
#include "forms/input_form.h"
#include "platform/twips.h"
#include "worked_examples.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::testing::changeInputs;
using haltrix::gui::test::RecordingSink;

Q_DECLARE_METATYPE(haltrix::UnitSystem)

namespace {

// The inputs of a complete design, in gravitational units.
DesignInputs sampleRecord() {
    DesignInputs r = workedGravitational();
    r.H = 1.5;
    r.layer2Bar = "D19";
    return r;
}

// The codes of the findings the form lists.
QStringList findingCodes(const QWidget* form) {
    QStringList codes;
    for (const Finding& finding : form->findChild<FindingsList*>("lstFindings")->findings())
        codes << QString::fromStdString(finding.code);
    return codes;
}

} // namespace

class InputFormTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formIdentity_data();
    void formIdentity();
    void twinCaptions_data();
    void twinCaptions();
    void barListsHoldTheNineDesignations();

    void freshRecordShowsZerosAndNoBar();
    void freshRecordOkStoresZerosAndD10_data();
    void freshRecordOkStoresZerosAndD10();
    void emptyLayerStaysEmpty();
    void loadsTheRecord();

    void areaFollowsBarAndCount_data();
    void areaFollowsBarAndCount();
    void secondLayerAreaFollowsItsOwnControls();
    void clickingABarUpdatesTheArea();
    void areaBoxesIgnoreTyping();

    void okStoresTypedValuesAndDerivesCase();
    void okWithABadBoxStoresNothing_data();
    void okWithABadBoxStoresNothing();
    void okReadsLocaleAndPoint();
    void okReadsFullWidth_data();
    void okReadsFullWidth();
    void opensAtH1WithItsTextSelected();
    void keyboardAcceptsAndCancels_data();
    void keyboardAcceptsAndCancels();
    void keyboardFocusAndOrder();

private:
    InputForm* makeActiveForm();
    InputForm* makeForm(UnitSystem twin);
    QLineEdit* box(const char* name);
    void type(const char* name, const QString& text);

    DesignDocument m_context;
    RecordingSink m_sink;
    std::unique_ptr<InputForm> m_form;
};

void InputFormTest::init() {
    DesignInputs fresh;
    fresh.unitSystem = 2;
    m_context.load(fresh, QString());
    m_sink.messages.clear();
}

void InputFormTest::cleanup() {
    m_form.reset();
}

InputForm* InputFormTest::makeForm(UnitSystem twin) {
    m_form = std::make_unique<InputForm>(inputFormProfile(twin), m_context, m_sink);
    m_form->show();
    return m_form.get();
}

InputForm* InputFormTest::makeActiveForm() {
    m_context.setInputs(sampleRecord());
    InputForm* form = makeForm(UnitSystem::Gravitational);
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form))
        qWarning("input form not active");
    return form;
}

QLineEdit* InputFormTest::box(const char* name) {
    auto* edit = m_form->findChild<QLineEdit*>(name);
    if (!edit)
        qFatal("no text box %s", name);
    return edit;
}

void InputFormTest::type(const char* name, const QString& text) {
    QLineEdit* edit = box(name);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void InputFormTest::formIdentity_data() {
    QTest::addColumn<UnitSystem>("twin");
    QTest::addColumn<QString>("name");
    QTest::newRow("gravitational") << UnitSystem::Gravitational << "frm_datain";
    QTest::newRow("SI") << UnitSystem::SI << "frm_datain_si";
}

void InputFormTest::formIdentity() {
    QFETCH(UnitSystem, twin);
    QFETCH(QString, name);
    InputForm* form = makeForm(twin);
    QCOMPARE(form->objectName(), name);
    QCOMPARE(form->windowTitle(), QStringLiteral("入力データ"));
    const double dpi = logicalDpiOf(form);
    // The fields and buttons fill 6240 x 6000 twips; the warnings list below
    // them adds 1515.
    QCOMPARE(form->size(), twipsRect(0, 0, 6240, 7515, dpi).size());
    QCOMPARE(form->minimumSize(), form->maximumSize());

    auto* tab = form->findChild<QTabWidget*>("SSTab1");
    QVERIFY(tab);
    QCOMPARE(tab->count(), 2);
    QCOMPARE(tab->tabText(0), QStringLiteral("形状寸法"));
    QCOMPARE(tab->tabText(1), QStringLiteral("鉄筋データ"));
    QCOMPARE(tab->currentIndex(), 0);
    QCOMPARE(tab->geometry(), twipsRect(120, 120, 6015, 4695, dpi));

    auto* note = form->findChild<QLabel*>("Label25");
    QVERIFY(note);
    QCOMPARE(note->text(), QStringLiteral("データを変更した場合、okを押してフォームを閉じて下さい。"
                                          "okを押さない場合は計算結果に反映されません。"));
    auto* ok = form->findChild<QPushButton*>("Command_ok");
    auto* cancel = form->findChild<QPushButton*>("Command2");
    QVERIFY(ok && cancel);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(cancel->text(), QStringLiteral("キャンセル"));
    QVERIFY(ok->geometry().left() < cancel->geometry().left());

    for (int n = 1; n <= 15; ++n)
        QVERIFY2(form->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)),
                 qPrintable(QString::number(n)));

    // The boxes of the first page lie on it, those of the second on that.
    QVERIFY(tab->widget(0)->isAncestorOf(box("Text1")));
    QVERIFY(tab->widget(0)->isAncestorOf(box("Text7")));
    QVERIFY(tab->widget(1)->isAncestorOf(box("Text8")));
    QVERIFY(tab->widget(1)->isAncestorOf(box("Text11")));
    QVERIFY(tab->widget(1)->isAncestorOf(form->findChild<QListWidget*>("List2")));

    // Captions beside the boxes of the beam frame.
    auto* beam = form->findChild<QGroupBox*>("Frame1");
    QCOMPARE(beam->title(), QStringLiteral("梁寸法  (m)"));
    QStringList captions;
    for (QLabel* label : beam->findChildren<QLabel*>())
        captions.append(label->text());
    for (const char* caption : {"先端高    H1=", "付根高    H2=", "張出長       l=",
                                "橋軸方向幅 b=", "支承位置 a=", "(付根より) "})
        QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
}

void InputFormTest::twinCaptions_data() {
    QTest::addColumn<UnitSystem>("twin");
    QTest::addColumn<QString>("reactions");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<int>("areaUnitCount");
    QTest::addColumn<int>("barUnitCount");
    QTest::newRow("gravitational")
        << UnitSystem::Gravitational << "支点反力 (ｔ)"
        << QStringList{"（cm）", "(cm)", "(cm2)", "(t/m3)", "(kg/cm2)"} << 1 << 1;
    QTest::newRow("SI") << UnitSystem::SI << "支点反力 (kN)"
                        << QStringList{"（mm）", "(mm)", "(mm2)", "(kN/m3)", "(N/mm2)"} << 2 << 2;
}

void InputFormTest::twinCaptions() {
    QFETCH(UnitSystem, twin);
    QFETCH(QString, reactions);
    QFETCH(QStringList, present);
    QFETCH(int, areaUnitCount);
    QFETCH(int, barUnitCount);
    InputForm* form = makeForm(twin);
    QCOMPARE(form->findChild<QGroupBox*>("Frame2")->title(), reactions);
    QCOMPARE(form->findChild<QGroupBox*>("Frame3")->title(), QStringLiteral("主鉄筋"));
    QStringList texts;
    for (QLabel* label : form->findChildren<QLabel*>())
        texts.append(label->text());
    for (const QString& caption : present)
        QVERIFY2(texts.contains(caption), qPrintable(caption));
    const QString otherArea = twin == UnitSystem::SI ? "(cm2)" : "(mm2)";
    QVERIFY(!texts.contains(otherArea));
    QCOMPARE(texts.count(present[2]), areaUnitCount);
    QCOMPARE(texts.count(QStringLiteral("(本)")), barUnitCount);
    for (const char* caption : {"被  り     t=", "鉄筋間隔  c=", "１段目", "２段目",
                                "本数     n=", "鉄筋量 As=", "コンクリートの単位体積重量",
                                "γc =", "許容引張応力度", "σsa=", "鉛直力", "直角方向水平力"})
        QVERIFY2(texts.contains(QString::fromUtf8(caption)), caption);
}

void InputFormTest::barListsHoldTheNineDesignations() {
    InputForm* form = makeForm(UnitSystem::SI);
    for (const char* name : {"List1", "List2"}) {
        auto* list = form->findChild<QListWidget*>(name);
        QVERIFY(list);
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items.append(list->item(i)->text());
        QCOMPARE(items,
                 (QStringList{"D10", "D13", "D16", "D19", "D22", "D25", "D29", "D32", "D35"}));
    }
}

void InputFormTest::freshRecordShowsZerosAndNoBar() {
    InputForm* form = makeForm(UnitSystem::Gravitational);
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14})
        QCOMPARE(box(qPrintable(QStringLiteral("Text%1").arg(n)))->text(), QStringLiteral("0"));
    // No designation and no bars: an empty layer, shown with nothing chosen.
    for (const char* name : {"List1", "List2"})
        QVERIFY(form->findChild<QListWidget*>(name)->selectedItems().isEmpty());
    QCOMPARE(box("Text13")->text(), QStringLiteral("0.000"));
    QCOMPARE(box("Text15")->text(), QStringLiteral("0.000"));
    QCOMPARE(findingCodes(form).count("layer-without-bar"), 0);
}

// A layer with no designation and 0 bars stays so through OK; a list left
// without a choice under a count counts as D10, as the area does.
void InputFormTest::freshRecordOkStoresZerosAndD10_data() {
    QTest::addColumn<QString>("count1");
    QTest::addColumn<QString>("count2");
    QTest::addColumn<QString>("bar1");
    QTest::addColumn<QString>("bar2");
    QTest::newRow("both empty") << "0" << "0" << ""
                                << "";
    QTest::newRow("layer 1 counted") << "3" << "0" << "D10"
                                     << "";
    QTest::newRow("layer 2 counted") << "0" << "2" << ""
                                     << "D10";
    QTest::newRow("layer 2 fraction") << "0" << "0.5" << ""
                                      << "D10";
}

void InputFormTest::freshRecordOkStoresZerosAndD10() {
    QFETCH(QString, count1);
    QFETCH(QString, count2);
    QFETCH(QString, bar1);
    QFETCH(QString, bar2);
    changeInputs(m_context, [](DesignInputs& in) { in.H1 = 9; }); // something OK must overwrite
    InputForm* form = makeForm(UnitSystem::SI);
    type("Text1", "0");
    type("Text12", count1);
    type("Text14", count2);
    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QVERIFY(m_sink.messages.isEmpty());
    QCOMPARE(m_context.inputs().H1, 0.0);
    QCOMPARE(QString::fromStdString(m_context.inputs().layer1Bar), bar1);
    QCOMPARE(QString::fromStdString(m_context.inputs().layer2Bar), bar2);
    QVERIFY(!form->isVisible());
}

// A design whose layer 2 is empty (as propose --apply writes it) opens with
// nothing chosen there, and OK without an edit changes nothing.
void InputFormTest::emptyLayerStaysEmpty() {
    DesignInputs record = sampleRecord();
    record.layer2Bar.clear();
    record.layer2Count = 0;
    m_context.load(record, QStringLiteral("/tmp/one-layer.tvx"));
    InputForm* form = makeForm(UnitSystem::Gravitational);
    QVERIFY(form->findChild<QListWidget*>("List2")->selectedItems().isEmpty());
    QVERIFY(!findingCodes(form).contains("layer-without-bar"));
    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QVERIFY(m_context.inputs() == record);
    QVERIFY(!m_context.isModified());
}

void InputFormTest::loadsTheRecord() {
    m_context.setInputs(sampleRecord());
    InputForm* form = makeForm(UnitSystem::Gravitational);
    const QList<QPair<const char*, QString>> expected{
        {"Text1", "0.5"}, {"Text2", "0.7"},  {"Text3", "0.25"},  {"Text4", "1.2"},
        {"Text5", "0.3"}, {"Text6", "10"},   {"Text7", "1.5"},   {"Text8", "10"},
        {"Text9", "25"},  {"Text10", "2.5"}, {"Text11", "1800"}, {"Text12", "4"},
        {"Text14", "2"}};
    for (const auto& [name, text] : expected)
        QCOMPARE(box(name)->text(), text);
    QCOMPARE(form->findChild<QListWidget*>("List1")->selectedItems().value(0)->text(),
             QStringLiteral("D22"));
    QCOMPARE(form->findChild<QListWidget*>("List2")->selectedItems().value(0)->text(),
             QStringLiteral("D19"));
    QCOMPARE(box("Text13")->text(), QStringLiteral("15.484"));
    QCOMPARE(box("Text15")->text(), QStringLiteral("5.730"));
}

void InputFormTest::areaFollowsBarAndCount_data() {
    QTest::addColumn<UnitSystem>("twin");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("area");
    QTest::newRow("D22 x 4, gravitational") << UnitSystem::Gravitational << 4 << "4"
                                            << "15.484";
    QTest::newRow("D22 x 4, SI") << UnitSystem::SI << 4 << "4"
                                 << "1548.400";
    QTest::newRow("no bar counts as D10, gravitational") << UnitSystem::Gravitational << -1 << "2"
                                                         << "1.427";
    QTest::newRow("no bar counts as D10, SI") << UnitSystem::SI << -1 << "2"
                                              << "142.660";
    QTest::newRow("empty count") << UnitSystem::Gravitational << 8 << ""
                                 << "0.000";
    QTest::newRow("empty count, SI") << UnitSystem::SI << 8 << ""
                                     << "0.000";
    QTest::newRow("count not a number") << UnitSystem::Gravitational << 8 << "abc"
                                        << "0.000";
    QTest::newRow("lone minus") << UnitSystem::SI << 2 << "-"
                                << "0.000";
    QTest::newRow("fractional count") << UnitSystem::Gravitational << 0 << "2.5"
                                      << "1.783";
    QTest::newRow("D35 x 4") << UnitSystem::Gravitational << 8 << "4"
                             << "38.264";
    QTest::newRow("blanks around") << UnitSystem::SI << 1 << " 3 "
                                   << "380.100";
}

void InputFormTest::areaFollowsBarAndCount() {
    QFETCH(UnitSystem, twin);
    QFETCH(int, row);
    QFETCH(QString, count);
    QFETCH(QString, area);
    InputForm* form = makeForm(twin);
    auto* list = form->findChild<QListWidget*>("List1");
    type("Text12", count);
    if (row >= 0)
        list->setCurrentRow(row);
    QCOMPARE(box("Text13")->text(), area);
    QVERIFY(m_sink.messages.isEmpty());
    // The other order: bar first, then the count.
    list->clearSelection();
    type("Text12", "1");
    if (row >= 0)
        list->setCurrentRow(row);
    type("Text12", count);
    QCOMPARE(box("Text13")->text(), area);
    // The second layer is untouched.
    QCOMPARE(box("Text15")->text(), QStringLiteral("0.000"));
}

void InputFormTest::secondLayerAreaFollowsItsOwnControls() {
    InputForm* form = makeForm(UnitSystem::Gravitational);
    type("Text14", "3");
    QCOMPARE(box("Text15")->text(), QStringLiteral("2.140"));
    form->findChild<QListWidget*>("List2")->setCurrentRow(1);
    QCOMPARE(box("Text15")->text(), QStringLiteral("3.801"));
    type("Text14", "");
    QCOMPARE(box("Text15")->text(), QStringLiteral("0.000"));
    QCOMPARE(box("Text13")->text(), QStringLiteral("0.000"));
}

void InputFormTest::clickingABarUpdatesTheArea() {
    InputForm* form = makeForm(UnitSystem::SI);
    form->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
    auto* list = form->findChild<QListWidget*>("List1");
    type("Text12", "4");
    list->scrollToItem(list->item(4));
    const QRect rect = list->visualItemRect(list->item(4));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(list->selectedItems().value(0)->text(), QStringLiteral("D22"));
    QCOMPARE(box("Text13")->text(), QStringLiteral("1548.400"));
}

void InputFormTest::areaBoxesIgnoreTyping() {
    m_context.setInputs(sampleRecord());
    makeForm(UnitSystem::Gravitational);
    const DesignInputs before = m_context.inputs();
    QTest::keyClicks(box("Text13"), "99");
    QCOMPARE(box("Text13")->text(), QStringLiteral("15.484"));
    m_form->acceptInput();
    QVERIFY(m_context.inputs().H1 == before.H1 && m_context.inputs().layer1Count == before.layer1Count);
}

void InputFormTest::okStoresTypedValuesAndDerivesCase() {
    InputForm* form = makeForm(UnitSystem::SI);
    const QList<QPair<const char*, QString>> typed{
        {"Text1", "0.5"}, {"Text2", "0.6"},   {"Text3", "0.25"}, {"Text4", "1.2"},
        {"Text5", "0.3"}, {"Text6", "100"},   {"Text7", "0"},    {"Text8", "100"},
        {"Text9", "250"}, {"Text10", "24.5"}, {"Text11", "180"}, {"Text12", "4"},
        {"Text14", "2"}};
    for (const auto& [name, text] : typed)
        type(name, text);
    form->findChild<QListWidget*>("List1")->setCurrentRow(4);
    form->findChild<QListWidget*>("List2")->setCurrentRow(8);
    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QVERIFY(m_sink.messages.isEmpty());
    const DesignInputs& r = m_context.inputs();
    QCOMPARE(r.H1, 0.5);
    QCOMPARE(r.H2, 0.6);
    QCOMPARE(r.l, 0.25);
    QCOMPARE(r.b, 1.2);
    QCOMPARE(r.a, 0.3);
    QCOMPARE(r.P, 100.0);
    QCOMPARE(r.H, 0.0);
    QCOMPARE(r.t, 100.0);
    QCOMPARE(r.c, 250.0);
    QCOMPARE(r.concreteUnitWeight, 24.5);
    QCOMPARE(r.sigmaSa, 180.0);
    QCOMPARE(r.layer1Bar, std::string("D22"));
    QCOMPARE(r.layer1Count, 4.0);
    QCOMPARE(r.layer2Bar, std::string("D35"));
    QCOMPARE(r.layer2Count, 2.0);
    // a / H2 = 0.5 exactly: case 1.
    QCOMPARE(m_context.results().ratioCase, 1);
    QCOMPARE(r.unitSystem, 2);
}

void InputFormTest::okWithABadBoxStoresNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("page");
    const QList<std::tuple<const char*, const char*, int>> boxes{
        {"Text1", "先端高 H1=", 0},
        {"Text2", "付根高 H2=", 0},
        {"Text3", "張出長 l=", 0},
        {"Text4", "橋軸方向幅 b=", 0},
        {"Text5", "支承位置 a=", 0},
        {"Text6", "鉛直力", 0},
        {"Text7", "直角方向水平力", 0},
        {"Text8", "被 り t=", 1},
        {"Text9", "鉄筋間隔 c=", 1},
        {"Text10", "コンクリートの単位体積重量 γc =", 1},
        {"Text11", "許容引張応力度 σsa=", 1},
        {"Text12", "１段目 本数 n=", 1},
        {"Text14", "２段目 本数 n=", 1}};
    for (const auto& [name, caption, page] : boxes) {
        QTest::addRow("%s letters", name) << name << "abc" << QString::fromUtf8(caption) << page;
        QTest::addRow("%s empty", name) << name << "" << QString::fromUtf8(caption) << page;
        QTest::addRow("%s inf", name) << name << "inf" << QString::fromUtf8(caption) << page;
    }
}

void InputFormTest::okWithABadBoxStoresNothing() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(int, page);
    m_context.setInputs(sampleRecord());
    InputForm* form = makeForm(UnitSystem::Gravitational);
    // Change every box, so that a partial store would show.
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14})
        type(qPrintable(QStringLiteral("Text%1").arg(n)), "7");
    form->findChild<QListWidget*>("List1")->setCurrentRow(0);
    type(qPrintable(name), text);
    const DesignInputs before = m_context.inputs();

    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QCOMPARE(m_sink.messages.size(), 1);
    QVERIFY2(
        m_sink.messages[0].text.contains(QStringLiteral("「") + caption + QStringLiteral("」")),
        qPrintable(m_sink.messages[0].text));
    QVERIFY(m_context.inputs() == before);
    QVERIFY(form->isVisible());
    QCOMPARE(form->findChild<QTabWidget*>("SSTab1")->currentIndex(), page);
    QCOMPARE(box(qPrintable(name))->text(), text);
}

void InputFormTest::okReadsLocaleAndPoint() {
    InputForm* form = makeForm(UnitSystem::Gravitational);
    type("Text1", " 1.25 ");
    type("Text2", "2E-1");
    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QVERIFY(m_sink.messages.isEmpty());
    QCOMPARE(m_context.inputs().H1, 1.25);
    QCOMPARE(m_context.inputs().H2, 0.2);
}

// What the Japanese input method types: full-width digits, point, minus
// (or the minus sign), exponent and ideographic blanks.
void InputFormTest::okReadsFullWidth_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::newRow("１００") << QStringLiteral("１００") << 100.0;
    QTest::newRow("０．５") << QStringLiteral("０．５") << 0.5;
    QTest::newRow("－２") << QStringLiteral("－２") << -2.0;
    QTest::newRow("minus sign") << QStringLiteral("−２．２５") << -2.25;
    QTest::newRow("mixed, ideographic blanks") << QStringLiteral("\u3000１.２５\u3000") << 1.25;
    QTest::newRow("exponent") << QStringLiteral("２Ｅ－１") << 0.2;
}

void InputFormTest::okReadsFullWidth() {
    QFETCH(QString, typed);
    QFETCH(double, value);
    InputForm* form = makeForm(UnitSystem::Gravitational);
    // As the input method commits it.
    QLineEdit* field = box("Text6");
    field->selectAll();
    QInputMethodEvent commit;
    commit.setCommitString(typed);
    QApplication::sendEvent(field, &commit);
    QCOMPARE(field->text(), typed);
    QVERIFY(!findingCodes(form).contains("not-a-number"));
    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
    QVERIFY2(m_sink.messages.isEmpty(), qPrintable(m_sink.messages.value(0).text));
    QCOMPARE(m_context.inputs().P, value);
}

// However the form was left (another field, the other page, Esc), it
// opens again at H1 with its text selected: typing replaces it.
void InputFormTest::opensAtH1WithItsTextSelected() {
    InputForm* form = makeActiveForm();
    for (int round = 0; round < 3; ++round) {
        QCOMPARE(form->findChild<QTabWidget*>("SSTab1")->currentIndex(), 0);
        // The form's own focus: whether the window system makes it the
        // active window again at once is its own affair.
        QCOMPARE(form->focusWidget(), box("Text1"));
        QCOMPARE(box("Text1")->selectedText(), box("Text1")->text());
        QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
        QTest::keyClick(form->focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        form->show();
        form->activateWindow();
        QApplication::processEvents();
    }
    QTest::keyClicks(box("Text1"), QStringLiteral("0.6"));
    QCOMPARE(box("Text1")->text(), QStringLiteral("0.6"));
}

// Enter in a field, a list or on OK stores the form, on キャンセル it cancels,
// as Esc does; either way the form goes.
void InputFormTest::keyboardAcceptsAndCancels_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("stored");
    QTest::newRow("Enter in a field") << "Text6" << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter in a list") << "List1" << int(Qt::Key_Enter) << true;
    QTest::newRow("Enter on OK") << "Command_ok" << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on キャンセル") << "Command2" << int(Qt::Key_Return) << false;
    QTest::newRow("Esc in a list") << "List2" << int(Qt::Key_Escape) << false;
}

void InputFormTest::keyboardAcceptsAndCancels() {
    QFETCH(QString, widget);
    QFETCH(int, key);
    QFETCH(bool, stored);
    InputForm* form = makeActiveForm();
    type("Text6", "12");
    QTest::keyClick(form->findChild<QWidget*>(widget), Qt::Key(key));
    QCOMPARE(m_context.inputs().P, stored ? 12.0 : 10.0);
    QVERIFY(!form->isVisible());
}

// The first field has the focus; Tab follows the eye past the area boxes;
// Ctrl+PgDn and Ctrl+PgUp turn the pages.
void InputFormTest::keyboardFocusAndOrder() {
    InputForm* form = makeActiveForm();
    QVERIFY2(QApplication::focusWidget(), "no widget has the keyboard focus");
    auto tabs = [](int count) {
        QStringList path{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            path << QApplication::focusWidget()->objectName();
        }
        return path.join(' ');
    };
    QCOMPARE(tabs(12), QStringLiteral("Text1 Text2 Text3 Text4 Text5 Text6 Text7 tblCases "
                                      "cmdAddCase cmdRemoveCase cmdCaseUp cmdCaseDown Command_ok"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(tabs(8), QStringLiteral("Text8 Text9 List1 Text12 List2 Text14 Text10 Text11 Command_ok"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(form->findChild<QTabWidget*>("SSTab1")->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), box("Text1"));
}

QTEST_MAIN(InputFormTest)
#include "test_input_form.moc"
