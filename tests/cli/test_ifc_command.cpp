// SPDX-License-Identifier: GPL-3.0-or-later
// haltrix-calc ifc run as a program: its command line, exit statuses and
// messages. What the file holds is checked by test_ifc_web_ifc.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "calc_runner.h"

using haltrix::testing::example;

namespace {

// The SI example with line `line` (from 1) replaced.
QString variant(const QTemporaryDir& dir, const char* name, int line, const QByteArray& value) {
    QFile in(example("bracket-si.tvx"));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = in.readAll().split('\n');
    lines[line - 1] = value;
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return {};
    out.write(lines.join('\n'));
    return path;
}

} // namespace

class TestIfcCommand : public QObject {
    Q_OBJECT

private slots:
    void statuses_data() {
        QTest::addColumn<QStringList>("arguments"); // FILE and OUT stand for the design and output
        QTest::addColumn<QString>("design");        // "si", "clash", "no-model", "missing"
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("error"); // a part of standard error; empty: none at all

        const QStringList plain = {"ifc", "FILE", "-o", "OUT"};
        QTest::newRow("IFC4X3") << plain << "si" << 0 << true << "";
        QTest::newRow("ifc4, abutment, 600 mm")
            << QStringList{"ifc",         "--schema", "ifc4", "--part", "ABUTMENT",
                           "--anchorage", "600",      "FILE", "-o",     "OUT"}
            << "si" << 0 << true << "";
        QTest::newRow("clash: written with a 警告") << plain << "clash" << 0 << true << "警告: ";
        QTest::newRow("no model: nothing written") << plain << "no-model" << 4 << false << "H2";
        QTest::newRow("unreadable") << plain << "missing" << 2 << false << "missing.tvx";
        QTest::newRow("no output")
            << QStringList{"ifc", "FILE"} << "si" << 1 << false << "-o OUT.ifc";
        QTest::newRow("not .ifc") << QStringList{"ifc", "FILE", "-o", "x.txt"} << "si" << 1 << false
                                  << ".ifc";
        QTest::newRow("schema") << QStringList{"ifc", "--schema", "IFC2X3", "FILE", "-o", "OUT"}
                                << "si" << 1 << false << "--schema";
        QTest::newRow("part") << QStringList{"ifc", "--part", "deck", "FILE", "-o", "OUT"} << "si"
                              << 1 << false << "--part";
        QTest::newRow("anchorage") << QStringList{"ifc", "--anchorage", "0", "FILE", "-o", "OUT"}
                                   << "si" << 1 << false << "定着長";
        QTest::newRow("anchorage without value")
            << QStringList{"ifc", "FILE", "-o", "OUT", "--anchorage"} << "si" << 1 << false
            << "値を指定してください";
        QTest::newRow("page option") << QStringList{"ifc", "--sketch", "FILE", "-o", "OUT"} << "si"
                                     << 1 << false << "使えないオプションです";
        QTest::newRow("two files") << QStringList{"ifc", "FILE", "FILE", "-o", "OUT"} << "si" << 1
                                   << false << "一つだけ";
        QTest::newRow("cannot write") << QStringList{"ifc", "FILE", "-o", "no-such-folder/x.ifc"}
                                      << "si" << 4 << false << "を書けません";
    }
    void statuses() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, design);
        QFETCH(int, status);
        QFETCH(bool, written);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QString file = example("bracket-si.tvx");
        if (design == "clash")
            file = variant(dir, "clash.tvx", 11, " 0 "); // c = 0: layer 2 on layer 1
        else if (design == "no-model")
            file = variant(dir, "flat.tvx", 2, " 0 "); // H2 = 0
        else if (design == "missing")
            file = dir.filePath(QStringLiteral("missing.tvx"));
        const QString out = dir.filePath(QStringLiteral("out.ifc"));
        for (QString& argument : arguments) {
            if (argument == "FILE")
                argument = file;
            else if (argument == "OUT")
                argument = out;
        }
        const auto run = haltrix::testing::runHaltrixCalc(arguments, dir.path());
        QCOMPARE(run.exitCode, status);
        QCOMPARE(QFile::exists(out), written);
        if (error.isEmpty())
            QCOMPARE(run.errText(), QString());
        else
            QVERIFY2(run.errText().contains(error), qPrintable(run.errText()));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestIfcCommand)
#include "test_ifc_command.moc"
