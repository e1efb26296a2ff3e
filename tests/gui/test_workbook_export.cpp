// SPDX-License-Identifier: GPL-3.0-or-later
// ﾌｧｲﾙ → Excel出力: the workbook written where the user chose, nothing on a
// cancel, and a message naming the file when it cannot be written.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "document/design_document.h"
#include "document/workbook_export.h"
#include "files/design_file.h"
#include "gui_test_support.h"

using namespace haltrix;
using namespace haltrix::gui;

class TestWorkbookExport : public QObject {
    Q_OBJECT

private slots:
    void exportsTheWorkbook_data() {
        QTest::addColumn<QString>("answer"); // relative to the folder; empty: cancel
        QTest::addColumn<bool>("written");
        QTest::newRow("chosen file") << "数量 ①.xlsx" << true;
        QTest::newRow("cancelled") << "" << false;
        QTest::newRow("a folder") << "folder.xlsx" << false;
        QTest::newRow("no such folder") << "missing/out.xlsx" << false;
    }
    void exportsTheWorkbook() {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.xlsx")));
        DesignInputs inputs;
        QVERIFY(!readDesignFile(HALTRIX_EXAMPLES_DIR "/bracket-si.tvx", inputs));
        DesignDocument document;
        document.load(inputs, dir.filePath(QStringLiteral("pier-7.tvx")));
        test::ScriptedFileDialogs dialogs;
        const QString out = answer.isEmpty() ? QString() : dir.filePath(answer);
        dialogs.answers.enqueue(out);
        test::RecordingSink sink;
        QCOMPARE(exportWorkbook(nullptr, document, dialogs, sink, QStringLiteral("海辺橋"),
                                QStringLiteral("山田")),
                 written);
        const QStringList messages = sink.texts();
        if (written) {
            QFile file(out);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.read(2), QByteArray("PK")); // a zip container
            QVERIFY(messages.isEmpty());
        } else if (answer.isEmpty()) {
            QVERIFY(messages.isEmpty());
        } else {
            QCOMPARE(messages.size(), 1);
            QVERIFY(messages.front().contains(QDir::toNativeSeparators(out)));
        }
        // Nothing but what was chosen is left in the folder.
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, written ? QStringList{answer} : QStringList{});
    }
};

QTEST_MAIN(TestWorkbookExport)
#include "test_workbook_export.moc"
