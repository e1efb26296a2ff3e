// SPDX-License-Identifier: GPL-3.0-or-later
// ﾂｰﾙ → 単位系の変換 on the main window, its confirmation dialog, and the
// status-bar word of the unit switch, which converts nothing.

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QQueue>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>

#include "document/design_document.h"
#include "files/design_file.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "main/main_window.h"
#include "paper/number_format.h"
#include "tools/unit_conversion_dialog.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;
using haltrix::gui::test::ScriptedFileDialogs;

Q_DECLARE_METATYPE(haltrix::gui::UnitSwitchAnswer)

namespace {

// Answers the confirmation from a queue (nothing queued: declines) and
// records what it was asked.
class ScriptedConfirmation : public ConversionConfirmation {
public:
    std::optional<int> confirm(QWidget*, const DesignInputs& design, std::int32_t to) override {
        asked.append({design, to});
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }
    struct Question {
        DesignInputs design;
        std::int32_t to;
    };
    QList<Question> asked;
    QQueue<std::optional<int>> answers;
};

QString source(const char* path) {
    return QStringLiteral(HALTRIX_SOURCE_DIR "/") + QLatin1String(path);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestUnitConversionCommand : public QObject, protected haltrix::gui::test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init() {
        resetFixture();
        m_confirmation.asked.clear();
        m_confirmation.answers.clear();
        MainWindow::Services services;
        services.conversionConfirmation = &m_confirmation;
        makeWindow(services);
    }
    void cleanup() { m_window.reset(); }

    void commandUnderTools() {
        QAction* command = action("mnuToolsConvertUnits");
        QCOMPARE(command->text(), QStringLiteral("単位系の変換(&U)..."));
        QVERIFY(command->isEnabled());
    }

    // The gravitational example to SI: 10 tf x 9.80665 = 98.0665 kN, 1800
    // kg/cm2 x 0.0980665 = 176.5197 N/mm2, 2.5 t/m3 x 9.80665 = 24.516625
    // kN/m3, 10 cm = 100 mm, 25 cm = 250 mm.
    void convertsTheOpenDesign() {
        const QString path = openCopyOf("examples/bracket-gravitational.tvx");
        const QByteArray before = contents(path);
        QVERIFY(m_window->childWindow("frm_datain"));
        QSignalSpy announced(&m_window->document(), &DesignDocument::inputsChanged);
        m_confirmation.answers.enqueue(0);

        action("mnuToolsConvertUnits")->trigger();

        QCOMPARE(m_confirmation.asked.size(), 1);
        QCOMPARE(m_confirmation.asked[0].to, 2);
        QCOMPARE(m_confirmation.asked[0].design.P, 10.0);
        const DesignInputs& r = m_window->document().inputs();
        QCOMPARE(r.unitSystem, 2);
        QCOMPARE(plainText(r.P), std::string("98.0665"));
        QCOMPARE(plainText(r.sigmaSa), std::string("176.5197"));
        QCOMPARE(plainText(r.concreteUnitWeight), std::string("24.516625"));
        QCOMPARE(r.t, 100.0);
        QCOMPARE(r.c, 250.0);
        QCOMPARE(r.H2, 0.7);
        QCOMPARE(announced.size(), 1);
        QVERIFY(action("mnuToolsOptions_si")->isChecked());
        QVERIFY(!action("mnuToolsOptions_jyu")->isChecked());
        // The SI form is in front with the converted values.
        QWidget* si = m_window->childWindow("frm_datain_si");
        QVERIFY(si && si->isVisible());
        QCOMPARE(box(si, "Text6")->text(), QStringLiteral("98.0665"));
        QCOMPARE(box(si, "Text8")->text(), QStringLiteral("100"));
        QCOMPARE(box(si, "Text11")->text(), QStringLiteral("176.5197"));
        // Nothing written, no dialog asked for a file.
        QCOMPARE(contents(path), before);
        QCOMPARE(m_dialogs.requests.size(), 1); // the Open
        QVERIFY(m_window->statusBar()->currentMessage().contains("ＳＩ単位に変換しました"));
        QVERIFY(m_sink.messages.isEmpty());
    }

    void roundsWhenAsked() {
        openCopyOf("examples/bracket-gravitational.tvx");
        m_confirmation.answers.enqueue(4);
        action("mnuToolsConvertUnits")->trigger();
        QCOMPARE(m_window->document().inputs().sigmaSa, 176.5);
        QCOMPARE(m_window->document().inputs().concreteUnitWeight, 24.52);
        QCOMPARE(plainText(m_window->document().inputs().P), std::string("98.0665"));
    }

    // SI and back gives the example again, to the file's own digits.
    void thereAndBack() {
        openCopyOf("examples/bracket-si.tvx");
        const DesignInputs opened = m_window->document().inputs();
        m_confirmation.answers.enqueue(0);
        m_confirmation.answers.enqueue(0);
        action("mnuToolsConvertUnits")->trigger();
        QCOMPARE(m_window->document().inputs().unitSystem, 1);
        QCOMPARE(m_confirmation.asked[0].to, 1);
        action("mnuToolsConvertUnits")->trigger();
        QCOMPARE(m_window->document().inputs().unitSystem, 2);
        QCOMPARE(designFileText(m_window->document().inputs()), designFileText(opened));
    }

    void declinedChangesNothing() {
        openCopyOf("examples/bracket-gravitational.tvx");
        const DesignInputs before = m_window->document().inputs();
        QSignalSpy announced(&m_window->document(), &DesignDocument::inputsChanged);
        action("mnuToolsConvertUnits")->trigger();
        QCOMPARE(m_confirmation.asked.size(), 1);
        QVERIFY(m_window->document().inputs() == before);
        QCOMPARE(announced.size(), 0);
        QVERIFY(action("mnuToolsOptions_jyu")->isChecked());
    }

    // A design in neither unit system is refused before anything is asked.
    void unitSystem3IsRefused() {
        openCopyOf("tests/data/unit-system-3.tvx");
        const DesignInputs before = m_window->document().inputs();
        m_confirmation.answers.enqueue(0);
        action("mnuToolsConvertUnits")->trigger();
        QVERIFY(m_confirmation.asked.isEmpty());
        QVERIFY(m_window->document().inputs() == before);
        QCOMPARE(m_sink.texts().size(), 1);
        QVERIFY(m_sink.texts()[0].contains("単位系が 3 の設計は変換できません"));
    }

    // The unit switch still converts nothing, and says so where the design
    // holds values.
    void unitSwitchSaysNothingWasConverted() {
        openCopyOf("examples/bracket-gravitational.tvx");
        const DesignInputs before = m_window->document().inputs();
        action("mnuToolsOptions_si")->trigger();
        QTRY_COMPARE(m_window->statusBar()->currentMessage(),
                     QString::fromUtf8(kUnitSwitchNotConvertedMessage));
        DesignInputs expected = before;
        expected.unitSystem = 2;
        QVERIFY(m_window->document().inputs() == expected);
    }

    // A design with numbers asks before the switch: convert (as 単位系の変換,
    // 10 tf = 98.0665 kN), read the same numbers in the other units, or
    // keep the units; the menu's mark shows what was done.
    void unitSwitchAsksFirst_data() {
        QTest::addColumn<UnitSwitchAnswer>("answer");
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<double>("P");
        QTest::newRow("convert") << UnitSwitchAnswer::Convert << 2 << 98.0665;
        QTest::newRow("switch only") << UnitSwitchAnswer::SwitchOnly << 2 << 10.0;
        QTest::newRow("cancel") << UnitSwitchAnswer::Cancel << 1 << 10.0;
    }
    void unitSwitchAsksFirst() {
        QFETCH(UnitSwitchAnswer, answer);
        QFETCH(int, unitSystem);
        QFETCH(double, P);
        openCopyOf("examples/bracket-gravitational.tvx");
        m_savePrompt.unitSwitchAnswers.enqueue(answer);
        m_confirmation.answers.enqueue(0);
        action("mnuToolsOptions_si")->trigger();
        QCOMPARE(m_savePrompt.unitSwitchAsked, QStringList{QStringLiteral("ＳＩ単位")});
        const DesignInputs& r = m_window->document().inputs();
        QCOMPARE(r.unitSystem, unitSystem);
        QCOMPARE(plainText(r.P), plainText(P));
        QCOMPARE(action("mnuToolsOptions_si")->isChecked(), unitSystem == 2);
        QCOMPARE(action("mnuToolsOptions_jyu")->isChecked(), unitSystem == 1);
    }

    void unitSwitchOfAnEmptyDesignSaysNothing() {
        action("mnuToolsOptions_jyu")->trigger();
        QVERIFY(m_savePrompt.unitSwitchAsked.isEmpty());
        QCOMPARE(m_window->document().inputs().unitSystem, 1);
        QTest::qWait(20);
        QVERIFY(m_window->statusBar()->currentMessage().isEmpty());
    }

    // The dialog shows the planned conversion and follows the rounding.
    void dialogShowsBeforeAndAfter() {
        DesignInputs design;
        QVERIFY(
            !readDesignFile(source("examples/bracket-gravitational.tvx").toStdString(), design));
        UnitConversionDialog dialog(design, 2);
        auto* text = dialog.findChild<QLabel*>("lblConversion");
        auto* round = dialog.findChild<QCheckBox*>("chkRound");
        auto* digits = dialog.findChild<QSpinBox*>("spnDigits");
        QVERIFY(text && round && digits);
        QVERIFY(text->text().startsWith("重力単位からＳＩ単位へ変換します。"));
        QVERIFY(text->text().contains("P = 10 tf → 98.0665 kN"));
        QVERIFY(text->text().contains("σsa = 1800 kg/cm2 → 176.5197 N/mm2"));
        QVERIFY(text->text().contains("丸めません"));
        QCOMPARE(dialog.roundingDigits(), 0);
        QVERIFY(!digits->isEnabled());

        round->setChecked(true);
        QCOMPARE(dialog.roundingDigits(), 4);
        QVERIFY(text->text().contains("176.5 N/mm2（丸め）"));
        QVERIFY(text->text().contains("24.52 kN/m3（丸め）"));
        digits->setValue(2);
        QCOMPARE(dialog.roundingDigits(), 2);
        QVERIFY(text->text().contains("180 N/mm2（丸め）"));

        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

private:
    QLineEdit* box(QWidget* form, const char* name) {
        auto* edit = form->findChild<QLineEdit*>(name);
        if (!edit)
            qFatal("no text box %s", name);
        return edit;
    }
    // Opens a copy of a design file through ﾌｧｲﾙ → 開く; returns its path.
    QString openCopyOf(const char* path) {
        const QString copy = m_dir->filePath("design.tvx");
        QFile::remove(copy);
        if (!QFile::copy(source(path), copy))
            qFatal("cannot copy %s", path);
        m_dialogs.answers.enqueue(copy);
        action("mnuFileOpen")->trigger();
        return copy;
    }

    ScriptedConfirmation m_confirmation;
};

QTEST_MAIN(TestUnitConversionCommand)
#include "test_unit_conversion_command.moc"
