// SPDX-License-Identifier: GPL-3.0-or-later
// What is open and what is unsaved: the title with its modified marker, the
// question "変更を保存しますか?" before each action that would throw a
// modified design away, with each of its three answers, 新規作成 and a
// dropped file.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "document/design_document.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "forms/input_form.h"
#include "main/main_window.h"
#include "platform/window_names.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::gui::test::RecordingSink;
using haltrix::gui::test::ScriptedFileDialogs;
using haltrix::gui::test::ScriptedSavePrompt;

Q_DECLARE_METATYPE(haltrix::gui::SaveAnswer)
Q_DECLARE_METATYPE(haltrix::gui::FormEditsAnswer)

namespace {

QByteArray exampleBytes(const char* name) {
    QFile file(QStringLiteral(HALTRIX_EXAMPLES_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", name);
    return file.readAll();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The gravitational example with its first line (H1) replaced.
QByteArray withH1(const QByteArray& design, const char* h1) {
    QByteArray changed = design;
    changed.replace(0, changed.indexOf("\r\n"), QByteArray(" ") + h1 + " ");
    return changed;
}

void sendDrop(QWidget* target, const QList<QUrl>& urls, bool* enterAccepted = nullptr) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (enterAccepted)
        *enterAccepted = enter.isAccepted();
    if (!enter.isAccepted())
        return;
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

class UnsavedChangesTest : public QObject, protected haltrix::gui::test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void titleNamesTheFileAndMarksChanges();
    void unmodifiedDesignIsNeverAsked();
    void formEditsAreAskedFor_data();
    void formEditsAreAskedFor();
    void everyActionAsksAndFollowsTheAnswer_data();
    void everyActionAsksAndFollowsTheAnswer();
    void saveWithoutFileNameGoesThroughSaveAs_data();
    void saveWithoutFileNameGoesThroughSaveAs();
    void newDesignIsFreshInTheCurrentUnits();
    void onlyOneLocalFileIsTakenFromADrop();

private:
    QString writeFile(const char* name, const QByteArray& bytes);
    // ﾃﾞｰﾀ入力, H1 typed, OK.
    void confirmH1(const char* text);

};

void UnsavedChangesTest::init() {
    resetFixture();
}

void UnsavedChangesTest::cleanup() {
    m_window.reset();
}



QString UnsavedChangesTest::writeFile(const char* name, const QByteArray& bytes) {
    const QString path = m_dir->filePath(QLatin1String(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", name);
    file.write(bytes);
    return path;
}

void UnsavedChangesTest::confirmH1(const char* text) {
    action("mnudatain")->trigger();
    const UnitSystem twin = unitSystemOf(m_window->document().inputs().unitSystem);
    QWidget* form = m_window->childWindow(inputFormName(twin));
    QVERIFY(form);
    auto* box = form->findChild<QLineEdit*>("Text1");
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
}

void UnsavedChangesTest::titleNamesTheFileAndMarksChanges() {
    MainWindow* w = makeWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("Haltrix"));
    const QString path = writeFile("bracket.tvx", exampleBytes("bracket-gravitational.tvx"));
    QVERIFY(w->openDesignFile(path));
    QCOMPARE(w->windowTitle(), QStringLiteral("bracket.tvx[*] - Haltrix"));
    QVERIFY(!w->isWindowModified());

    // OK with a changed value marks the design; OK with the opened values
    // again takes the mark away.
    confirmH1("0.6");
    QCOMPARE(m_window->document().inputs().H1, 0.6);
    QVERIFY(w->isDesignModified());
    QVERIFY(w->isWindowModified());
    confirmH1("0.5");
    QVERIFY(!w->isWindowModified());
    // OK without a change leaves it unmarked.
    confirmH1("0.5");
    QVERIFY(!w->isWindowModified());

    // The unit system belongs to the design too.
    action("mnuToolsOptions_si")->trigger();
    QVERIFY(w->isWindowModified());
    action("mnuToolsOptions_jyu")->trigger();
    QVERIFY(!w->isWindowModified());

    // Saved: unmarked, and the file holds the change.
    confirmH1("0.6");
    QVERIFY(w->isWindowModified());
    action("mnuFileSave")->trigger();
    QVERIFY(!w->isWindowModified());
    QCOMPARE(contents(path), withH1(exampleBytes("bracket-gravitational.tvx"), "0.6"));

    // Saved under another name: the title follows.
    m_dialogs.answers.enqueue(m_dir->filePath("other.tvx"));
    action("mnuFileSaveAs")->trigger();
    QCOMPARE(w->windowTitle(), QStringLiteral("other.tvx[*] - Haltrix"));
    QVERIFY(!w->isWindowModified());
    QVERIFY(m_savePrompt.asked.isEmpty());
    QVERIFY(m_sink.messages.isEmpty());
}

void UnsavedChangesTest::unmodifiedDesignIsNeverAsked() {
    MainWindow* w = makeWindow();
    const QString path = writeFile("bracket.tvx", exampleBytes("bracket-gravitational.tvx"));
    QVERIFY(w->openDesignFile(path));
    // A typed but unconfirmed value is no change of the design.
    auto* box = w->childWindow("frm_datain")->findChild<QLineEdit*>("Text1");
    QTest::keyClicks(box, "9");
    action("mnuFileNew")->trigger();
    action("mnuFileExit")->trigger();
    QVERIFY(!w->isVisible());
    QVERIFY(m_savePrompt.asked.isEmpty());
}

// Edits in the input form that OK has not stored: 反映する stores them and
// goes on to the save question, 破棄する goes on without them, キャンセル stops.
void UnsavedChangesTest::formEditsAreAskedFor_data() {
    QTest::addColumn<QString>("act");
    QTest::addColumn<FormEditsAnswer>("answer");
    for (const char* act : {"exit", "open", "new"}) {
        QTest::addRow("%s, apply", act) << act << FormEditsAnswer::Apply;
        QTest::addRow("%s, discard", act) << act << FormEditsAnswer::Discard;
        QTest::addRow("%s, cancel", act) << act << FormEditsAnswer::Cancel;
    }
}

void UnsavedChangesTest::formEditsAreAskedFor() {
    QFETCH(QString, act);
    QFETCH(FormEditsAnswer, answer);
    MainWindow* w = makeWindow();
    const QByteArray original = exampleBytes("bracket-gravitational.tvx");
    const QString other = writeFile("other.tvx", exampleBytes("bracket-si.tvx"));
    const QString path = writeFile("bracket.tvx", original);
    QVERIFY(w->openDesignFile(path));
    auto* box = w->childWindow("frm_datain")->findChild<QLineEdit*>("Text1");
    box->selectAll();
    QTest::keyClicks(box, "0.6");

    m_savePrompt.formEditsAnswers.enqueue(answer);
    m_savePrompt.answers.enqueue(SaveAnswer::Save);
    m_dialogs.answers.enqueue(other);
    action(act == "exit" ? "mnuFileExit" : act == "open" ? "mnuFileOpen" : "mnuFileNew")->trigger();

    QCOMPARE(m_savePrompt.formEditsAsked, 1);
    const bool goesOn = answer != FormEditsAnswer::Cancel;
    // Only the applied edit makes a change to save, and 保存 writes it.
    QCOMPARE(m_savePrompt.asked,
             answer == FormEditsAnswer::Apply ? QStringList{"bracket.tvx"} : QStringList{});
    QCOMPARE(contents(path), answer == FormEditsAnswer::Apply ? withH1(original, "0.6") : original);
    if (act == "exit")
        QCOMPARE(w->isVisible(), !goesOn);
    else
        QCOMPARE(m_window->document().fileName(), goesOn ? (act == "open" ? other : QString()) : path);
    if (!goesOn) {
        QCOMPARE(m_window->document().inputs().H1, 0.5);
        QCOMPARE(box->text(), QStringLiteral("0.6"));
    }
}

void UnsavedChangesTest::everyActionAsksAndFollowsTheAnswer_data() {
    QTest::addColumn<QString>("act");
    QTest::addColumn<SaveAnswer>("answer");
    for (const char* act : {"exit", "close", "open", "drop", "recent", "new"}) {
        QTest::addRow("%s, save", act) << act << SaveAnswer::Save;
        QTest::addRow("%s, discard", act) << act << SaveAnswer::Discard;
        QTest::addRow("%s, cancel", act) << act << SaveAnswer::Cancel;
    }
}

void UnsavedChangesTest::everyActionAsksAndFollowsTheAnswer() {
    QFETCH(QString, act);
    QFETCH(SaveAnswer, answer);
    MainWindow* w = makeWindow();
    const QByteArray original = exampleBytes("bracket-gravitational.tvx");
    const QString other = writeFile("other.tvx", exampleBytes("bracket-si.tvx"));
    const QString path = writeFile("bracket.tvx", original);
    // "other.tvx" is the older of the two recent designs.
    QVERIFY(w->openDesignFile(other));
    QVERIFY(w->openDesignFile(path));
    confirmH1("0.6");
    QVERIFY(w->isDesignModified());
    const DesignInputs modified = m_window->document().inputs();

    m_savePrompt.answers.enqueue(answer);
    m_dialogs.answers.enqueue(other); // the open dialog's answer
    if (act == "exit") {
        action("mnuFileExit")->trigger();
    } else if (act == "close") {
        w->close();
    } else if (act == "open") {
        action("mnuFileOpen")->trigger();
    } else if (act == "drop") {
        sendDrop(w, {QUrl::fromLocalFile(other)});
        QTRY_COMPARE(m_savePrompt.asked.size(), 1);
    } else if (act == "recent") {
        auto* item = w->findChild<QAction*>("mnuFileRecent2");
        QCOMPARE(item->data().toString(), other);
        item->trigger();
    } else if (act == "new") {
        action("mnuFileNew")->trigger();
    }

    QCOMPARE(m_savePrompt.asked, QStringList{"bracket.tvx"});
    QVERIFY(m_sink.messages.isEmpty());
    // 保存 wrote the change, the other answers left the file alone.
    QCOMPARE(contents(path), answer == SaveAnswer::Save ? withH1(original, "0.6") : original);

    const bool goesOn = answer != SaveAnswer::Cancel;
    if (act == "exit" || act == "close") {
        QCOMPARE(w->isVisible(), !goesOn);
    } else if (act == "new") {
        QCOMPARE(m_window->document().fileName(), goesOn ? QString() : path);
        QCOMPARE(m_window->document().inputs().H1, goesOn ? 0.0 : 0.6);
    } else {
        QCOMPARE(m_window->document().fileName(), goesOn ? other : path);
        QCOMPARE(m_window->document().inputs().unitSystem, goesOn ? 2 : 1);
        // キャンセル before 開く shows no dialog at all.
        QCOMPARE(m_dialogs.requests.size(), act == "open" && goesOn ? 1 : 0);
    }
    if (!goesOn) {
        QVERIFY(m_window->document().inputs() == modified);
        QVERIFY(w->isWindowModified());
    } else if (answer == SaveAnswer::Save || (act != "exit" && act != "close")) {
        // Saved, or replaced by the design that was opened or started.
        QVERIFY(!w->isDesignModified());
    }
}

void UnsavedChangesTest::saveWithoutFileNameGoesThroughSaveAs_data() {
    QTest::addColumn<QString>("saveAs"); // "" cancels the dialog
    QTest::addColumn<bool>("closes");
    QTest::newRow("named") << "new.tvx" << true;
    QTest::newRow("dialog cancelled") << "" << false;
    QTest::newRow("write fails") << "no/such/folder/new.tvx" << false;
}

void UnsavedChangesTest::saveWithoutFileNameGoesThroughSaveAs() {
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    MainWindow* w = makeWindow();
    confirmH1("0.6");
    QVERIFY(w->isDesignModified());
    // A changed design without a file is 無題, marked.
    QCOMPARE(w->windowTitle(), QStringLiteral("無題[*] - Haltrix"));
    QVERIFY(w->isWindowModified());
    const QString path = saveAs.isEmpty() ? QString() : m_dir->filePath(saveAs);
    m_savePrompt.answers.enqueue(SaveAnswer::Save);
    m_dialogs.answers.enqueue(path);
    action("mnuFileExit")->trigger();

    QCOMPARE(m_savePrompt.asked, QStringList{QString()});
    QCOMPARE(m_dialogs.requests.size(), 1);
    QVERIFY(m_dialogs.requests[0].save);
    QCOMPARE(w->isVisible(), !closes);
    QCOMPARE(w->isDesignModified(), !closes);
    QCOMPARE(QFileInfo::exists(path), closes);
    if (closes)
        QVERIFY(contents(path).startsWith(" 0.6 \r\n"));
    // A failed write says why; a cancelled dialog says nothing.
    QCOMPARE(m_sink.messages.size(), saveAs.startsWith("no/") ? 1 : 0);
}

void UnsavedChangesTest::newDesignIsFreshInTheCurrentUnits() {
    MainWindow* w = makeWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->setResultWindowFactory([](UnitSystem) { return new QWidget; });
    const QString path = writeFile("bracket.tvx", exampleBytes("bracket-gravitational.tvx"));
    QVERIFY(w->openDesignFile(path));
    confirmH1("0.6");
    action("mnuCalc")->trigger();
    QVERIFY(w->childWindow("frm_calc"));
    action("mnudatain")->trigger();
    action("mnuCalc")->trigger();
    // The gravitational form, left open with a typed value.
    action("mnudatain")->trigger();
    QWidget* form = w->childWindow("frm_datain");
    QTest::keyClicks(form->findChild<QLineEdit*>("Text2"), "9");

    QSignalSpy announced(&m_window->document(), &DesignDocument::inputsChanged);
    m_savePrompt.answers.enqueue(SaveAnswer::Discard);
    QTest::keyClick(w, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_savePrompt.asked.size(), 1);
    QCOMPARE(announced.size(), 1);

    // Every input untouched, the unit system kept, no file.
    DesignInputs fresh;
    fresh.unitSystem = kUnitGravitational;
    QVERIFY(m_window->document().inputs() == fresh);
    QVERIFY(m_window->document().fileName().isEmpty());
    QCOMPARE(w->windowTitle(), QStringLiteral("Haltrix"));
    QVERIFY(!w->isDesignModified());
    QVERIFY(action("mnuToolsOptions_jyu")->isChecked());
    // The form shows the new design, as after 開く; the results are gone.
    QCOMPARE(w->childWindow("frm_datain"), form);
    QVERIFY(form->isVisible());
    QCOMPARE(form->findChild<QLineEdit*>("Text1")->text(), QStringLiteral("0"));
    QCOMPARE(form->findChild<QLineEdit*>("Text2")->text(), QStringLiteral("0"));
    QVERIFY(!w->childWindow("frm_calc"));
    // 上書き保存 now asks for a name.
    action("mnuFileSave")->trigger();
    QCOMPARE(m_dialogs.requests.size(), 1);
    QVERIFY(m_dialogs.requests[0].save);
    // A change: 無題, marked.
    confirmH1("0.6");
    QCOMPARE(w->windowTitle(), QStringLiteral("無題[*] - Haltrix"));
    QVERIFY(w->isWindowModified());
}

void UnsavedChangesTest::onlyOneLocalFileIsTakenFromADrop() {
    MainWindow* w = makeWindow();
    const QString path = writeFile("bracket.tvx", exampleBytes("bracket-gravitational.tvx"));
    bool accepted = true;
    sendDrop(w, {QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}, &accepted);
    QVERIFY(!accepted);
    sendDrop(w, {QUrl(QStringLiteral("https://example.org/bracket.tvx"))}, &accepted);
    QVERIFY(!accepted);
    sendDrop(w, {QUrl::fromLocalFile(path)}, &accepted);
    QVERIFY(accepted);
    // Opened once the drop is over.
    QTRY_COMPARE(m_window->document().fileName(), path);
    QCOMPARE(m_window->document().inputs().unitSystem, 1);
    QVERIFY(m_savePrompt.asked.isEmpty());
}

QTEST_MAIN(UnsavedChangesTest)
#include "test_unsaved_changes.moc"
