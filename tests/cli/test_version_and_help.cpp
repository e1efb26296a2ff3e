// SPDX-License-Identifier: GPL-3.0-or-later
// --help and --version of both programs, run as separate processes on a
// machine without a display, and the wrong command lines of haltrix.

#include <QProcessEnvironment>
#include <QtTest>

#include "calc_runner.h"

namespace {

using Run = haltrix::testing::CalcRun;

// Runs `program` with neither a display nor a chosen Qt platform, unless
// `offscreen` asks for the offscreen one.
Run run(const QString& program, const QStringList& arguments, bool offscreen = false) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (offscreen)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return haltrix::testing::runProgram(program, arguments, {}, environment);
}

const QString kApp = QStringLiteral(HALTRIX_APP);
const QString kCalc = QStringLiteral(HALTRIX_CALC);
// The project version that CMake was given, which both programs must show.
const QByteArray kVersion = QByteArrayLiteral(HALTRIX_PROJECT_VERSION);

} // namespace

class TestVersionAndHelp : public QObject {
    Q_OBJECT

private slots:
    void versionOfBothPrograms_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("haltrix --version") << kApp << "--version" << QByteArray("haltrix");
        QTest::newRow("haltrix -v") << kApp << "-v" << QByteArray("haltrix");
        QTest::newRow("haltrix-calc --version")
            << kCalc << "--version" << QByteArray("haltrix-calc");
    }

    void versionOfBothPrograms() {
        QFETCH(QString, program);
        QFETCH(QString, option);
        QFETCH(QByteArray, name);
        const Run result = run(program, {option});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, name + ' ' + kVersion + '\n');
        QCOMPARE(result.err, QByteArray());
    }

    void helpOfHaltrix_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("--help") << QStringList{"--help"};
        QTest::newRow("-h") << QStringList{"-h"};
        QTest::newRow("--help after a file") << QStringList{"x.tvx", "--help"};
    }

    void helpOfHaltrix() {
        QFETCH(QStringList, arguments);
        const Run result = run(kApp, arguments);
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.contains("[FILE.tvx]"), result.out.constData());
        QVERIFY(result.out.contains("--version"));
        QVERIFY(result.out.contains("開く設計ファイル"));
        QCOMPARE(result.err, QByteArray());
    }

    void helpOfHaltrixCalcKeepsItsText() {
        const Run result = run(kCalc, {"--help"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.startsWith("使い方:\n  haltrix-calc json"));
        QVERIFY(result.out.contains("  haltrix-calc --version\n"));
        QVERIFY(result.out.contains("終了コード:"));
    }

    // Wrong command lines end before any window opens, with status 1 and a
    // message on standard error.
    void wrongCommandLinesOfHaltrix_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("says");
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << QByteArray("frobnicate");
        QTest::newRow("two files")
            << QStringList{"a.tvx", "b.tvx"} << QByteArray("設計ファイルは一つまで");
    }

    void wrongCommandLinesOfHaltrix() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, says);
        const Run result = run(kApp, arguments, true);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(says), result.err.constData());
        QCOMPARE(result.out, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestVersionAndHelp)
#include "test_version_and_help.moc"
