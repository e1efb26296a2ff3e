// SPDX-License-Identifier: GPL-3.0-or-later
// What haltrix-calc does itself for Windows' command line: the wildcards cmd
// and PowerShell leave unexpanded, and the whole characters it hands the
// console's wide-character interface. The matching and the cutting run on
// every system; the expansion itself only on Windows.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <string>
#include <vector>

#include "console_output.h"
#include "file_patterns.h"

using namespace haltrix::cli;

class TestWindowsCommandLine : public QObject {
    Q_OBJECT

private slots:
    void wildcardMatches_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("extension") << "*.tvx" << "bracket-si.tvx" << true;
        QTest::newRow("another extension after it") << "*.tvx" << "a.tvx.bak" << false;
        QTest::newRow("letters in either case") << "*.TVX" << "a.tvx" << true;
        QTest::newRow("? is one Japanese character") << "?.tvx" << "梁.tvx" << true;
        QTest::newRow("?? is not one") << "??.tvx" << "梁.tvx" << false;
        QTest::newRow("? needs a character") << "a?" << "a" << false;
        QTest::newRow("* takes back what it gave") << "a*b*c" << "aXbYbc" << true;
        QTest::newRow("* may be empty") << "a*b" << "ab" << true;
        QTest::newRow("Japanese prefix") << "設計*" << "設計例.tvx" << true;
        QTest::newRow("other Japanese prefix") << "設計*" << "計算.tvx" << false;
        QTest::newRow("no wildcard: the name itself") << "a.tvx" << "A.TVX" << true;
    }

    void wildcardMatches() {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(haltrix::cli::wildcardMatches(pattern.toStdString(), name.toStdString()), matches);
    }

    void onlyTheLastPartIsAPattern() {
        QVERIFY(hasWildcard("examples/*.tvx"));
        QVERIFY(hasWildcard("examples\\?.tvx"));
        QVERIFY(!hasWildcard("ex*mples/a.tvx"));
        QVERIFY(!hasWildcard("a.tvx"));
    }

    // Files only, sorted by name whatever the case, with the folder as given.
    void filesOfAFolderSortedByName() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const char* name : {"b.tvx", "A.tvx", "c.txt", "梁.tvx"}) {
            QFile file(dir.filePath(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir("d.tvx"));
        const std::string folder = dir.path().toStdString() + "/";
        const std::vector<std::string> expected{folder + "A.tvx", folder + "b.tvx",
                                                folder + "梁.tvx"};
        QCOMPARE(filesMatching(folder + "*.tvx"), expected);
        QVERIFY(filesMatching(folder + "*.none").empty());
        QVERIFY(filesMatching(folder + "missing/*.tvx").empty());

        std::vector<std::string> files;
        std::string error;
#ifdef _WIN32
        QVERIFY(addFileArgument(folder + "*.tvx", files, error));
        QCOMPARE(files, expected);
        QVERIFY(!addFileArgument(folder + "*.none", files, error));
        QVERIFY2(error.find(folder + "*.none") != std::string::npos, error.c_str());
#else
        // The shell expands patterns here; a * that reaches the program is a
        // file's name.
        QVERIFY(addFileArgument(folder + "*.none", files, error));
        QCOMPARE(files, std::vector<std::string>{folder + "*.none"});
#endif
    }

    // "梁" is E6 A2 81 and "𠮷" F0 A0 AE B7 in UTF-8.
    void wholeCharacters_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("whole");
        QTest::newRow("nothing") << QByteArray() << 0;
        QTest::newRow("ASCII") << QByteArray("ab") << 2;
        QTest::newRow("whole Japanese") << QByteArray("a\xE6\xA2\x81") << 4;
        QTest::newRow("two of three bytes") << QByteArray("a\xE6\xA2") << 1;
        QTest::newRow("one of three bytes") << QByteArray("a\xE6") << 1;
        QTest::newRow("three of four bytes") << QByteArray("\xF0\xA0\xAE") << 0;
        QTest::newRow("whole four bytes") << QByteArray("\xF0\xA0\xAE\xB7") << 4;
        QTest::newRow("a byte that starts nothing") << QByteArray("a\xFF") << 2;
        QTest::newRow("stray continuation bytes") << QByteArray("\x80\x80\x80\x80\x80") << 5;
    }

    void wholeCharacters() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, whole);
        QCOMPARE(wholeUtf8Characters(std::string_view(bytes.constData(), bytes.size())),
                 std::size_t(whole));
    }
};

QTEST_GUILESS_MAIN(TestWindowsCommandLine)
#include "test_windows_command_line.moc"
