// SPDX-License-Identifier: GPL-3.0-or-later
// ﾌｧｲﾙ → IFC出力: the dialog's choice, where the save dialog starts, the
// file written and the message after it.

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "design/design_calculation.h"
#include "document/design_document.h"
#include "files/design_file.h"
#include "gui_test_support.h"
#include "tools/ifc_export_dialog.h"

using namespace haltrix;
using namespace haltrix::gui;

class TestIfcExport : public QObject {
    Q_OBJECT

private slots:
    void dialogReadsItsFields_data() {
        QTest::addColumn<QString>("anchorage");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("anchorageMm22"); // for a D22 bar
        QTest::newRow("default") << "40φ" << true << 40 * 22.2;
        QTest::newRow("mm") << "650" << true << 650.0;
        QTest::newRow("not a length") << "長め" << false << 0.0;
        QTest::newRow("zero") << "0" << false << 0.0;
    }
    void dialogReadsItsFields() {
        QFETCH(QString, anchorage);
        QFETCH(bool, accepted);
        QFETCH(double, anchorageMm22);
        IfcExportDialog dialog{IfcExportChoice{}};
        QCOMPARE(dialog.findChild<QLineEdit*>("txtIfcAnchorage")->text(), QStringLiteral("40φ"));
        dialog.findChild<QComboBox*>("cboIfcSchema")->setCurrentIndex(1);
        dialog.findChild<QComboBox*>("cboIfcPart")->setCurrentIndex(1);
        dialog.findChild<QComboBox*>("cboIfcSideBar")->setCurrentIndex(2); // D13
        dialog.findChild<QLineEdit*>("txtIfcSideCount")->setText(QStringLiteral("6"));
        dialog.findChild<QLineEdit*>("txtIfcAnchorage")->setText(anchorage);
        dialog.accept();
        QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
        QCOMPARE(dialog.findChild<QLabel*>("lblIfcAnchorageError")->isHidden(), accepted);
        const auto choice = dialog.choice();
        QCOMPARE(bool(choice), accepted);
        if (!choice)
            return;
        QCOMPARE(choice->schema, model::IfcSchema::Ifc4);
        QCOMPARE(choice->part, model::BridgePart::Abutment);
        QCOMPARE(choice->sideFaces, (HorizontalChoice{1, 6}));
        QCOMPARE(choice->anchorage.lengthMm(22.2), anchorageMm22);
    }

    // The save dialog starts beside the design with its name; the file holds
    // the chosen schema and the bars; a clash is a 警告 in the message.
    void exportsTheDocument_data() {
        QTest::addColumn<double>("c");
        QTest::addColumn<bool>("clash");
        QTest::newRow("worked example") << 250.0 << false;
        QTest::newRow("layer 2 on layer 1") << 0.0 << true;
    }
    void exportsTheDocument() {
        QFETCH(double, c);
        QFETCH(bool, clash);
        QTemporaryDir dir;
        DesignInputs inputs;
        QVERIFY(!readDesignFile(HALTRIX_EXAMPLES_DIR "/bracket-si.tvx", inputs));
        inputs.c = c;
        DesignDocument document;
        document.load(inputs, dir.filePath(QStringLiteral("pier-7.tvx")));
        test::ScriptedFileDialogs dialogs;
        const QString out = dir.filePath(QStringLiteral("out.ifc"));
        dialogs.answers.enqueue(out);
        test::RecordingSink sink;
        IfcExportChoice chosen;
        chosen.schema = model::IfcSchema::Ifc4;
        const QString written = exportDesignAsIfc(
            nullptr, document, dialogs, sink,
            [&](QWidget*, const IfcExportChoice&) { return std::optional(chosen); });
        QCOMPARE(written, out);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests.front().start, dir.filePath(QStringLiteral("pier-7.ifc")));
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("FILE_SCHEMA(('IFC4'));"));
        QCOMPARE(text.count("=IFCREINFORCINGBAR("), 4 + 2 + 4);
        QCOMPARE(sink.messages.size(), 1);
        QVERIFY(sink.messages.front().text.contains(QDir::toNativeSeparators(out)));
        QCOMPARE(sink.messages.front().text.contains(QStringLiteral("警告: ")), clash);
    }

    // Without a model nothing is written and the message names the input;
    // a cancelled dialog writes nothing and says nothing.
    void writesNothingWithoutAModel() {
        QTemporaryDir dir;
        DesignInputs inputs;
        QVERIFY(!readDesignFile(HALTRIX_EXAMPLES_DIR "/bracket-si.tvx", inputs));
        inputs.H2 = 0;
        DesignDocument document;
        document.load(inputs, QString());
        test::ScriptedFileDialogs dialogs;
        const QString out = dir.filePath(QStringLiteral("out.ifc"));
        dialogs.answers.enqueue(out);
        test::RecordingSink sink;
        auto answer = [](QWidget*, const IfcExportChoice& start) { return std::optional(start); };
        QVERIFY(exportDesignAsIfc(nullptr, document, dialogs, sink, answer).isEmpty());
        QVERIFY(!QFile::exists(out));
        QCOMPARE(sink.messages.size(), 1);
        QVERIFY(sink.messages.front().text.contains(QStringLiteral("H2")));
        QCOMPARE(dialogs.requests.front().start, QString());

        auto cancel = [](QWidget*, const IfcExportChoice&) {
            return std::optional<IfcExportChoice>();
        };
        QVERIFY(exportDesignAsIfc(nullptr, document, dialogs, sink, cancel).isEmpty());
        QCOMPARE(sink.messages.size(), 1);
        QCOMPARE(dialogs.requests.size(), 1);
    }
};

QTEST_MAIN(TestIfcExport)
#include "test_ifc_export.moc"
