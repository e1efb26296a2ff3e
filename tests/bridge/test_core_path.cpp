// SPDX-License-Identifier: GPL-3.0-or-later
// File names between Qt and the core: a file Qt names is the file the core
// opens, a file the core writes is the one Qt finds, and the core's messages
// name it as Qt does.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core_path.h"
#include "files/design_file.h"
#include "worked_examples.h"

using namespace haltrix;

class TestCorePath : public QObject {
    Q_OBJECT

private slots:
    void names_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "designs"
                               << "bracket.tvx";
        QTest::newRow("Japanese") << "設計データ"
                                  << "張出しばり①.tvx";
        QTest::newRow("blanks, full-width blank") << "my designs"
                                                  << "橋脚　A 1.tvx";
        QTest::newRow("accents") << "Entwürfe"
                                 << "émigré.tvx";
        QTest::newRow("upper-case extension") << "OLD"
                                              << "BRACKET.TVX";
    }

    void names() {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(folder));
        const QString path = dir.filePath(folder + "/" + name);
        QCOMPARE(QDir::fromNativeSeparators(pathFromCore(pathForCore(path))), path);

        // Written by Qt, read by the core.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(designFileText(workedSI())));
        file.close();
        DesignInputs read;
        const auto readError = readDesignFile(pathForCore(path), read);
        QVERIFY2(!readError, readError ? readError->message().c_str() : "");
        QCOMPARE(read.P, 100.0);

        // Written by the core over it, read by Qt.
        QVERIFY(!writeDesignFile(pathForCore(path), workedGravitational()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray::fromStdString(designFileText(workedGravitational())));
        file.close();
        QCOMPARE(QDir(dir.filePath(folder)).entryList(QDir::Files), QStringList{name});

        // A missing file is named in the message as the user knows it.
        const QString missing = dir.filePath(folder + "/ない" + name);
        const auto error = readDesignFile(pathForCore(missing), read);
        QVERIFY(error);
        QVERIFY(
            QString::fromStdString(error->message()).contains(QDir::toNativeSeparators(missing)));
        QCOMPARE(pathFromCore(error->file), QDir::toNativeSeparators(missing));
    }
};

QTEST_APPLESS_MAIN(TestCorePath)
#include "test_core_path.moc"
