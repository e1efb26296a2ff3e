// SPDX-License-Identifier: GPL-3.0-or-later
// The recent designs in the ﾌｧｲﾙ menu: newest first, each file once, five at
// most, kept in the settings, a file that is gone greyed with its path. Where
// the file dialogs start.

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "document/design_document.h"
#include "document/file_dialogs.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "main/main_window.h"
#include "document/recent_designs.h"

using namespace haltrix;
using namespace haltrix::gui;

class RecentDesignsTest : public QObject, protected haltrix::gui::test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listOrder_data();
    void listOrder();
    void menuShowsNewestFirstAndFiveAtMost();
    void designThatIsGoneIsGreyedWithItsPath();
    void nextRunShowsTheSameList();
    void dialogStart_data();
    void dialogStart();

private:
    QString design(const QString& name);
    // The visible recent items after the menu was about to show.
    QList<QAction*> shownItems();

};

void RecentDesignsTest::init() {
    resetFixture();
}

void RecentDesignsTest::cleanup() {
    m_window.reset();
}


QString RecentDesignsTest::design(const QString& name) {
    const QString path = m_dir->filePath(name);
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(HALTRIX_EXAMPLES_DIR "/bracket-si.tvx"), path))
        qFatal("cannot copy the example");
    return path;
}

QList<QAction*> RecentDesignsTest::shownItems() {
    auto* menu = m_window->findChild<QMenu*>("mnuFile");
    emit menu->aboutToShow();
    QList<QAction*> shown;
    for (int i = 1; i <= kRecentDesignCount + 1; ++i) {
        auto* item = m_window->findChild<QAction*>(QStringLiteral("mnuFileRecent%1").arg(i));
        if (item && item->isVisible())
            shown.append(item);
    }
    return shown;
}

void RecentDesignsTest::listOrder_data() {
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QStringList>("expected");
    // Absolute as the list keeps it (on Windows with the current drive).
    const QString d = QFileInfo(QStringLiteral("/designs/")).absoluteFilePath();
    auto paths = [&](const QString& names) {
        QStringList list;
        for (const QChar name : names)
            list.append(d + name + ".tvx");
        return list;
    };
    QTest::newRow("first") << QStringList() << d + "a.tvx" << paths("a");
    QTest::newRow("newest first") << paths("ab") << d + "c.tvx" << paths("cab");
    QTest::newRow("again moves to the front") << paths("abc") << d + "b.tvx" << paths("bac");
    QTest::newRow("front stays") << paths("abc") << d + "a.tvx" << paths("abc");
    QTest::newRow("sixth drops the oldest") << paths("abcde") << d + "f.tvx" << paths("fabcd");
    QTest::newRow("oldest again") << paths("abcde") << d + "e.tvx" << paths("eabcd");
    QTest::newRow("longer stored list is cut") << paths("abcdefg") << d + "x.tvx" << paths("xabcd");
    QTest::newRow("same file, other spelling") << paths("ab") << d + "sub/../b.tvx" << paths("ba");
    QTest::newRow("empty entries are dropped")
        << QStringList{"", d + "a.tvx", ""} << d + "b.tvx" << paths("ba");
}

void RecentDesignsTest::listOrder() {
    QFETCH(QStringList, list);
    QFETCH(QString, added);
    QFETCH(QStringList, expected);
    QCOMPARE(withRecentDesign(list, added), expected);
}

void RecentDesignsTest::menuShowsNewestFirstAndFiveAtMost() {
    MainWindow* w = makeWindow();
    QVERIFY(shownItems().isEmpty());
    QVERIFY(!w->findChild<QAction*>("mnuFileBarRecent")->isVisible());

    QStringList opened;
    for (const char* name : {"1.tvx", "2.tvx", "3.tvx", "4.tvx", "5.tvx", "6.tvx"}) {
        opened.prepend(design(QLatin1String(name)));
        QVERIFY(w->openDesignFile(opened.front()));
    }
    // Saving counts too: the saved file comes first.
    const QString saved = m_dir->filePath("saved.tvx");
    m_dialogs.answers.enqueue(saved);
    w->findChild<QAction*>("mnuFileSaveAs")->trigger();
    opened.prepend(saved);
    // Opening one of the list again moves it to the front.
    QVERIFY(w->openDesignFile(opened[3]));
    opened.move(3, 0);

    const QList<QAction*> items = shownItems();
    QCOMPARE(items.size(), kRecentDesignCount);
    QVERIFY(w->findChild<QAction*>("mnuFileBarRecent")->isVisible());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i]->data().toString(), opened[i]);
        QCOMPARE(items[i]->text(),
                 QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(opened[i]).fileName()));
        QCOMPARE(items[i]->toolTip(), QDir::toNativeSeparators(opened[i]));
        QVERIFY(items[i]->isEnabled());
    }
    QVERIFY(m_sink.messages.isEmpty());
}

void RecentDesignsTest::designThatIsGoneIsGreyedWithItsPath() {
    MainWindow* w = makeWindow();
    const QString kept = design("kept.tvx");
    const QString gone = design("gone & lost.tvx");
    QVERIFY(w->openDesignFile(gone));
    QVERIFY(w->openDesignFile(kept));
    QVERIFY(QFile::remove(gone));
    // Looked at each time the menu opens.
    const QList<QAction*> items = shownItems();
    QCOMPARE(items.size(), 2);
    QVERIFY(items[0]->isEnabled());
    QVERIFY(!items[1]->isEnabled());
    QCOMPARE(items[1]->toolTip(), QDir::toNativeSeparators(gone));
    // "&" in a name is shown, not taken as an access key.
    QCOMPARE(items[1]->text(), QStringLiteral("&2 gone && lost.tvx"));

    // Back again: usable again.
    design("gone & lost.tvx");
    QVERIFY(shownItems()[1]->isEnabled());
}

void RecentDesignsTest::nextRunShowsTheSameList() {
    MainWindow* w = makeWindow();
    const QString a = design("a.tvx");
    const QString b = design("b.tvx");
    QVERIFY(w->openDesignFile(a));
    QVERIFY(w->openDesignFile(b));
    m_window.reset();
    QSettings settings(m_dir->filePath("settings.ini"), QSettings::IniFormat);
    QCOMPARE(readRecentDesigns(settings), (QStringList{b, a}));

    makeWindow();
    const QList<QAction*> items = shownItems();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->data().toString(), b);
    QCOMPARE(items[1]->data().toString(), a);
}

// Relative to a temporary folder: "program" (with "examples" inside), "docs"
// and "work"; "program-2" only shares the beginning of the program's name.
void RecentDesignsTest::dialogStart_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no design folder yet") << "" << "docs";
    QTest::newRow("the design's folder") << "work" << "work";
    QTest::newRow("a design there") << "work/a.tvx" << "work/a.tvx";
    QTest::newRow("the program's folder") << "program" << "docs";
    QTest::newRow("the program's folder, written with a slash") << "program/" << "docs";
    QTest::newRow("a folder inside it") << "program/examples" << "docs";
    QTest::newRow("a design inside it keeps its name")
        << "program/examples/bracket-si.tvx" << "docs/bracket-si.tvx";
    QTest::newRow("a folder whose name begins alike") << "program-2" << "program-2";
}

void RecentDesignsTest::dialogStart() {
    QFETCH(QString, start);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char* folder : {"program/examples", "docs", "work", "program-2"})
        QVERIFY(QDir(dir.path()).mkpath(QLatin1String(folder)));
    const auto in = [&dir](const QString& path) {
        return path.isEmpty() ? QString() : dir.filePath(path);
    };
    QCOMPARE(QDir::cleanPath(haltrix::gui::dialogStart(in(start), dir.filePath("program"),
                                                      dir.filePath("docs"))),
             QDir::cleanPath(in(expected)));
}

QTEST_MAIN(RecentDesignsTest)
#include "test_recent_designs.moc"
