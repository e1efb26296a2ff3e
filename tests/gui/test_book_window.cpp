// SPDX-License-Identifier: GPL-3.0-or-later
// The window 計算書の作成: its list, its title fields, the book it writes
// (the same as haltrix-calc book's, read back), cancelling and failures.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "tools/book_window.h"
#include "document/design_document.h"
#include "calc_runner.h"
#include "gui_test_support.h"
#include "main/main_window.h"
#include "main_window_fixture.h"
#include "pdf_structure.h"
#include "pdf_text.h"

using namespace haltrix;
using namespace haltrix::gui;
using namespace haltrix::gui::test;

Q_DECLARE_METATYPE(haltrix::gui::SaveAnswer)

namespace {

using haltrix::testing::source;

[[maybe_unused]] QStringList outlineTitles(const QString& pdf) {
    QString error;
    QStringList titles;
    for (const haltrix::test::PdfOutlineEntry& entry :
         haltrix::test::pdfStructure(pdf, error).outline)
        titles.append(entry.title);
    return titles;
}

} // namespace

class TestBookWindow : public QObject, protected MainWindowFixture {
    Q_OBJECT

    QPushButton* button(QWidget* window, const char* name) {
        auto* found = window->findChild<QPushButton*>(name);
        if (!found)
            qFatal("no button %s", name);
        return found;
    }

    // A book window of its own with three designs.
    std::unique_ptr<BookWindow> bookWindow() {
        auto window =
            std::make_unique<BookWindow>(m_dialogs, m_sink, [] { return ClearSpacingRule{}; });
        window->addDesignFiles({source("examples/bracket-gravitational.tvx"),
                                source("examples/bracket-si.tvx"),
                                source("tests/data/zero-overhang.tvx")});
        return window;
    }

private slots:
    void init() {
        resetFixture();
        m_dialogs.fileLists.clear();
    }

    // The road of a user: ﾌｧｲﾙ → 計算書の作成, four files at once, one moved,
    // 作成 refused over the unreadable one (named, nothing written, the list
    // kept), that one removed, then the book: the same as the command's.
    void makesTheCommandsBook() {
        const QString settingsFile = m_dir->filePath(QStringLiteral("settings.ini"));
        QSettings(settingsFile, QSettings::IniFormat).setValue("Print/Project", "海辺橋");
        MainWindow& main = *makeWindow();
        trigger("mnuFileBook");
        QWidget* window = main.childWindow(QStringLiteral("frmBook"));
        QVERIFY(qobject_cast<BookWindow*>(window));
        // 工事名 is the print window's.
        QCOMPARE(window->findChild<QLineEdit*>("txtProject")->text(), QStringLiteral("海辺橋"));
        QVERIFY(!button(window, "cmdMake")->isEnabled());

        const QString unreadable = source("tests/data/unreadable.tvx");
        m_dialogs.fileLists.enqueue({source("examples/bracket-gravitational.tvx"),
                                     source("examples/bracket-si.tvx"),
                                     source("tests/data/zero-overhang.tvx"), unreadable});
        QTest::mouseClick(button(window, "cmdAdd"), Qt::LeftButton);
        auto* list = window->findChild<QListWidget*>("lstDesigns");
        QCOMPARE(list->count(), 4);
        list->setCurrentRow(1);
        QTest::mouseClick(button(window, "cmdDown"), Qt::LeftButton);
        QCOMPARE(list->currentRow(), 2);

        const QString typed = m_dir->filePath(QStringLiteral("book"));
        const QString pdf = typed + QStringLiteral(".pdf");
        m_dialogs.answers.enqueue(typed);
        QTest::mouseClick(button(window, "cmdMake"), Qt::LeftButton);
        QCOMPARE(m_sink.messages.size(), 1);
        QVERIFY2(m_sink.messages[0].text.contains(QStringLiteral("unreadable.tvx")),
                 qPrintable(m_sink.messages[0].text));
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(list->count(), 4);

        list->setCurrentRow(3);
        QTest::mouseClick(button(window, "cmdRemove"), Qt::LeftButton);
        window->findChild<QLineEdit*>("txtDesigner")->setText(QStringLiteral("山田"));
        window->findChild<QLineEdit*>("txtDate")->setText(QStringLiteral("令和8年12月8日"));
        window->findChild<QCheckBox*>("chkSketch")->setChecked(true);
        m_dialogs.answers.enqueue(typed);
        QTest::mouseClick(button(window, "cmdMake"), Qt::LeftButton);
        QCOMPARE(m_sink.messages.size(), 2);
        QVERIFY2(m_sink.messages[1].text.contains(QStringLiteral("zero-overhang.tvx")),
                 qPrintable(m_sink.messages[1].text));
        QVERIFY(QFile::exists(pdf));

        const QStringList files = qobject_cast<BookWindow*>(window)->designFiles();
        QCOMPARE(files, (QStringList{source("examples/bracket-gravitational.tvx"),
                                     source("tests/data/zero-overhang.tvx"),
                                     source("examples/bracket-si.tvx")}));
        const QString command = m_dir->filePath(QStringLiteral("command.pdf"));
        const haltrix::testing::CalcRun calc = haltrix::testing::runHaltrixCalc(
            QStringList{"book", "--sketch", "--project", "海辺橋", "--designer", "山田", "--date",
                        "令和8年12月8日"} +
            files + QStringList{"-o", command});
        QCOMPARE(calc.exitCode, 3);
#ifdef HALTRIX_PDF_NAVIGATION
        QCOMPARE(outlineTitles(pdf),
                 (QStringList{"表紙", "目次", "bracket-gravitational.tvx — OK",
                              "zero-overhang.tvx — 計算不能", "bracket-si.tvx — OK"}));
        QCOMPARE(outlineTitles(pdf), outlineTitles(command));
#endif
        QString error;
        QCOMPARE(haltrix::test::pdfLayoutText(pdf, error),
                 haltrix::test::pdfLayoutText(command, error));

        // Remembered for the print window too.
        QCOMPARE(QSettings(settingsFile, QSettings::IniFormat).value("Print/Designer").toString(),
                 QStringLiteral("山田"));
    }

    // The open design starts the list, by its name with the path in its tool
    // tip, marked while it has unsaved changes; 作成 offers to save it first
    // and suggests a book in its folder; Esc closes the window.
    void openDesignFirstAndSavedFirst_data() {
        QTest::addColumn<SaveAnswer>("answer");
        QTest::addColumn<bool>("made");
        QTest::addColumn<bool>("saved");
        QTest::newRow("save") << SaveAnswer::Save << true << true;
        QTest::newRow("don't save") << SaveAnswer::Discard << true << false;
        QTest::newRow("cancel") << SaveAnswer::Cancel << false << false;
    }
    void openDesignFirstAndSavedFirst() {
        QFETCH(SaveAnswer, answer);
        QFETCH(bool, made);
        QFETCH(bool, saved);
        const QString design = m_dir->filePath(QStringLiteral("pier-3.tvx"));
        QFile::remove(design);
        QVERIFY(QFile::copy(source("examples/bracket-si.tvx"), design));
        m_savePrompt.answers.enqueue(answer);
        MainWindow& main = *makeWindow();
        QVERIFY(main.openDesignFile(design));
        DesignInputs changed = main.document().inputs();
        changed.P = 200;
        main.document().setInputs(changed);

        trigger("mnuFileBook");
        QWidget* window = main.childWindow(QStringLiteral("frmBook"));
        auto* list = window->findChild<QListWidget*>("lstDesigns");
        QCOMPARE(list->count(), 1);
        QVERIFY(list->item(0)->text().startsWith(QStringLiteral("pier-3.tvx")));
        QVERIFY(list->item(0)->text().contains(QStringLiteral("未保存")));
        QVERIFY(list->item(0)->toolTip().startsWith(QDir::toNativeSeparators(design)));

        const QString pdf = m_dir->filePath(QStringLiteral("book.pdf"));
        m_dialogs.answers.enqueue(pdf);
        QTest::mouseClick(button(window, "cmdMake"), Qt::LeftButton);
        QCOMPARE(m_savePrompt.asked, QStringList{QStringLiteral("pier-3.tvx")});
        QCOMPARE(QFile::exists(pdf), made);
        QCOMPARE(main.document().isModified(), !saved);
        QCOMPARE(list->item(0)->text().contains(QStringLiteral("未保存")), !saved);
        if (made) {
            QCOMPARE(m_dialogs.requests.size(), 1);
            QCOMPARE(QFileInfo(m_dialogs.requests[0].start).absolutePath(),
                     QFileInfo(design).absolutePath());
            QVERIFY(m_dialogs.requests[0].start.endsWith(QStringLiteral(".pdf")));
        }
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Escape);
        QTRY_VERIFY(!main.childWindow(QStringLiteral("frmBook")));
    }

    // キャンセル in the progress dialog: no file, no message, the list kept.
    void cancelLeavesNoFile() {
        const auto window = bookWindow();
        const QString pdf = m_dir->filePath(QStringLiteral("cancelled.pdf"));
        QTimer::singleShot(0, [&] {
            if (auto* progress = window->findChild<QProgressDialog*>("dlgBookProgress"))
                progress->cancel();
        });
        QVERIFY(!window->makeBook(pdf));
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(m_sink.messages.isEmpty());
        QCOMPARE(window->designFiles().size(), 3);
    }

    // A place that cannot be written: the message names it, nothing is left.
    void failureNamesTheFile() {
        const auto window = bookWindow();
        const QString pdf = m_dir->filePath(QStringLiteral("none/book.pdf"));
        QVERIFY(!window->makeBook(pdf));
        QCOMPARE(m_sink.messages.size(), 1);
        QVERIFY2(m_sink.messages[0].text.contains(pdf), qPrintable(m_sink.messages[0].text));
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("none"))));
        QCOMPARE(window->designFiles().size(), 3);
    }
};

QTEST_MAIN(TestBookWindow)
#include "test_book_window.moc"
