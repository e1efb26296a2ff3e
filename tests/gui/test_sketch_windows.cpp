// SPDX-License-Identifier: GPL-3.0-or-later
// The sketch in the windows: beside the input form following the typing in
// both twins, beside the result window with d and Zc following the
// calculation, and on paper from the print window's choices.

#include <QAction>
#include <QFile>
#include <QMimeData>
#include <QClipboard>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "calculation/calculation_windows.h"
#include "platform/child_windows.h"
#include "document/design_document.h"
#include "example_designs.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "forms/input_form.h"
#include "main/main_window.h"
#include "platform/window_names.h"
#include "pdf_text.h"
#include "calculation/print_interaction.h"
#include "calculation/print_window.h"
#include "report_printer.h"
#include "calculation/result_window.h"
#include "sketch/sketch_builder.h"
#include "sketch_export.h"
#include "calculation/sketch_companions.h"
#include "calculation/sketch_window.h"
#include "platform/twips.h"

using namespace haltrix;
using namespace haltrix::gui;
using haltrix::testing::exampleInputs;

namespace {

// Prints into a PDF file, as "Print to File" does.
class PdfPrinting : public PrintInteraction {
public:
    bool choosePrinter(QPrinter& printer, QWidget*) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        return true;
    }
    void printingFailed(const QString& message, QWidget*) override { failures.append(message); }
    QString outputFile;
    QStringList failures;
};

bool hasNote(const sketch::Sketch& s, const char* note) {
    for (const std::string& n : s.notes) {
        if (n == note)
            return true;
    }
    return false;
}

bool hasDimension(const sketch::View& view, const char* text) {
    for (const sketch::Dimension& d : view.dimensions) {
        if (d.text == text)
            return true;
    }
    return false;
}

const sketch::Sketch& sketchOf(QWidget* window) {
    auto* sketchWindow = qobject_cast<SketchWindow*>(window);
    if (!sketchWindow)
        qFatal("not a sketch window");
    return sketchWindow->view().sketch();
}

void type(QWidget* form, const char* name, const QString& text) {
    auto* edit = form->findChild<QLineEdit*>(name);
    if (!edit)
        qFatal("no text box %s", name);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void chooseBar(QWidget* form, const char* list, int row) {
    auto* bars = form->findChild<QListWidget*>(list);
    bars->setCurrentRow(row);
    bars->item(row)->setSelected(true);
}

QStringList pageWords(const haltrix::test::PdfWords& words, int page) {
    QStringList list;
    for (const haltrix::test::PdfWord& word : words.words) {
        if (word.page == page)
            list.append(word.text);
    }
    return list;
}

} // namespace

class TestSketchWindows : public QObject, protected haltrix::gui::test::MainWindowFixture {
    Q_OBJECT

    MainWindow* makeWindow(bool calculationWindows = false) {
        MainWindowFixture::makeWindow();
        if (calculationWindows)
            installCalculationWindows(*m_window);
        m_window->resize(1400, 900);
        return m_window.get();
    }

private slots:
    void init() {
        resetFixture();
    }
    void cleanup() { m_window.reset(); }

    // The sketch opens beside the form and follows every keystroke and bar
    // choice, in the units of the twin, without storing anything.
    void inputSketchFollowsTyping_data() {
        QTest::addColumn<bool>("gravitational");
        QTest::addColumn<QString>("cover");
        QTest::newRow("gravitational") << true << "10"; // cm
        QTest::newRow("SI") << false << "100";          // mm
    }
    void inputSketchFollowsTyping() {
        QFETCH(bool, gravitational);
        QFETCH(QString, cover);
        MainWindow* w = makeWindow();
        if (gravitational)
            trigger("mnuToolsOptions_jyu");
        const UnitSystem twin = gravitational ? UnitSystem::Gravitational : UnitSystem::SI;
        trigger("mnudatain");
        QWidget* form = w->childWindow(inputFormName(twin));
        QWidget* companion = w->childWindow(inputSketchName(twin));
        QVERIFY(form && companion);
        QVERIFY(companion->isVisible());
        // Beside the form, which keeps the keyboard.
        QCOMPARE(w->mdiArea()->activeSubWindow()->widget(), form);
        QVERIFY(hostSubWindow(companion)->geometry().left() >
                hostSubWindow(form)->geometry().right());
        QVERIFY(hasNote(sketchOf(companion), "H2 が 0 以下のため断面を描けません"));

        const DesignInputs before = m_window->document().inputs();
        type(form, "Text1", "0.5");
        type(form, "Text2", "0.7");
        type(form, "Text3", "0.25");
        type(form, "Text4", "1.2");
        type(form, "Text5", "0.3");
        type(form, "Text8", cover);
        QVERIFY(sketchOf(companion).notes.empty());
        QCOMPARE(sketchOf(companion).section.circles.size(), std::size_t(0));
        chooseBar(form, "List1", 4); // D22
        type(form, "Text12", "4");
        const sketch::View& section = sketchOf(companion).section;
        QCOMPARE(section.circles.size(), std::size_t(4));
        for (const sketch::Circle& bar : section.circles) {
            QCOMPARE(bar.radius, 22.2 / 2);
            QCOMPARE(bar.centre.y, -100.0); // t = 10 cm or 100 mm
        }
        QCOMPARE(section.circles[0].centre.x, 100.0);
        QCOMPARE(section.circles[3].centre.x, 1100.0);
        chooseBar(form, "List1", 8); // D35
        QCOMPARE(sketchOf(companion).section.circles[0].radius, 34.9 / 2);

        // A box that holds no number is named in a note, not drawn.
        type(form, "Text2", "0.7x");
        QVERIFY(hasNote(sketchOf(companion), "H2 が数値でないため断面を描けません"));
        type(form, "Text2", "0.7");
        QVERIFY(sketchOf(companion).notes.empty());
        // Typing stores nothing; "OK" still does.
        QVERIFY(m_window->document().inputs() == before);

        // A unit switch changes what the typed cover means (cm and mm): the
        // form of the other units takes over the typed fields, and its
        // sketch draws them.
        trigger(gravitational ? "mnuToolsOptions_si" : "mnuToolsOptions_jyu");
        const UnitSystem other = gravitational ? UnitSystem::SI : UnitSystem::Gravitational;
        QVERIFY(!w->childWindow(inputFormName(twin)));
        companion = w->childWindow(inputSketchName(other));
        QVERIFY(companion);
        QCOMPARE(sketchOf(companion).section.circles[0].centre.y, gravitational ? -10.0 : -1000.0);
    }

    // The sketch window goes with its form: hidden with the gravitational
    // form's キャンセル, back with ﾃﾞｰﾀ入力, closed with "OK"; closed with the
    // SI form's キャンセル.
    void inputSketchGoesWithItsForm() {
        MainWindow* w = makeWindow();
        trigger("mnuToolsOptions_jyu");
        trigger("mnudatain");
        QWidget* form = w->childWindow("frm_datain");
        QPointer<QWidget> companion = w->childWindow("frm_datain_sketch");
        QVERIFY(companion);
        QTest::mouseClick(form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(!companion->isVisible());
        trigger("mnudatain");
        QVERIFY(companion->isVisible());
        QCOMPARE(w->childWindow("frm_datain_sketch"), companion.data());
        QCOMPARE(w->mdiArea()->activeSubWindow()->widget(), form);
        QTest::mouseClick(form->findChild<QPushButton*>("Command_ok"), Qt::LeftButton);
        QVERIFY(!w->childWindow("frm_datain_sketch"));
        QTRY_VERIFY(companion.isNull());

        trigger("mnuToolsOptions_si");
        trigger("mnudatain");
        QPointer<QWidget> si = w->childWindow("frm_datain_si_sketch");
        QVERIFY(si);
        QTest::mouseClick(w->childWindow("frm_datain_si")->findChild<QPushButton*>("Command2"),
                          Qt::LeftButton);
        QTRY_VERIFY(si.isNull());
    }

    // The widget paints the sketch offscreen: the outlines dark, the bars red.
    void sketchViewPaints() {
        SketchWindow window(QStringLiteral("形状図"), [] {
            return sketch::buildSketch(exampleInputs("bracket-si.tvx"));
        });
        window.resize(600, 400);
        const QImage image = window.grab().toImage();
        int red = 0;
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 150 && c.green() < 90 && c.blue() < 90;
                dark += c.lightness() < 100;
            }
        }
        QVERIFY(red > 20);
        QVERIFY(dark > 300);
    }

    // 保存 writes what haltrix-calc sketch writes (PDF besides), by the
    // extension chosen; one it does not know is refused with a word.
    void sketchIsSaved_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start"); // the file's first bytes; empty: refused
        QTest::newRow("SVG") << "s.svg" << QByteArray("<?xml");
        QTest::newRow("PNG") << "s.png" << QByteArray("\x89PNG");
        QTest::newRow("DXF") << "s.dxf" << QByteArray("  0\nSECTION");
        QTest::newRow("PDF") << "s.pdf" << QByteArray("%PDF");
        QTest::newRow("unknown") << "s.txt" << QByteArray();
    }
    void sketchIsSaved() {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        SketchWindow window(QStringLiteral("形状図"), [] {
            return sketch::buildSketch(exampleInputs("bracket-si.tvx"));
        });
        window.setExportServices(&m_dialogs, &m_sink);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        m_dialogs.answers.enqueue(path);
        // Through the window's context menu, as a user reaches it.
        QAction* save = window.findChild<QAction*>(QStringLiteral("mnuSketchSave"));
        QVERIFY(save && window.actions().contains(save));
        QCOMPARE(window.contextMenuPolicy(), Qt::ActionsContextMenu);
        save->trigger();
        QFile file(path);
        QCOMPARE(file.open(QIODevice::ReadOnly), !start.isEmpty());
        QCOMPARE(m_sink.messages.size(), start.isEmpty() ? 1 : 0);
        if (!start.isEmpty()) {
            const QByteArray head = file.read(64).replace("\r\n", "\n");
            QVERIFY2(head.startsWith(start), head.constData());
        }
    }

    // コピー puts the picture and its SVG on the clipboard.
    void sketchIsCopied() {
        SketchWindow window(QStringLiteral("形状図"), [] {
            return sketch::buildSketch(exampleInputs("bracket-si.tvx"));
        });
        QApplication::clipboard()->clear();
        window.findChild<QAction*>(QStringLiteral("mnuSketchCopy"))->trigger();
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data && data->hasImage());
        const QImage image = qvariant_cast<QImage>(data->imageData());
        QCOMPARE(image.size(), print::sketchExportSize(window.view().sketch()));
        QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    }

    // 形状図 on the result window: the sketch with d and Zc, following the
    // calculation when the inputs change, closed with the result window. The
    // window's other controls stay where they were (the result window tests).
    void resultSketch() {
        MainWindow* w = makeWindow(true);
        m_window->document().setInputs(exampleInputs("bracket-gravitational.tvx"));
        trigger("mnuCalc");
        QWidget* result = w->childWindow("frm_calc");
        QVERIFY(result);
        auto* button = result->findChild<QPushButton*>("Command_sketch");
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("形状図"));
        QCOMPARE(button->geometry(), twipsRect(7200, 7320, 1215, 375, logicalDpiOf(result)));
        QTest::mouseClick(button, Qt::LeftButton);
        QPointer<QWidget> companion = w->childWindow(resultSketchName(UnitSystem::Gravitational));
        QVERIFY(companion);
        QVERIFY(hasDimension(sketchOf(companion).elevation, "d=0.517 m"));
        QVERIFY(hasDimension(sketchOf(companion).elevation, "Zc=0.439 m"));

        // H2 0.8: d = 0.8 - 0.1 - 0.25 * 2/6 = 0.617, Zc = 0.85 d = 0.524.
        testing::changeInputs(m_window->document(), [](DesignInputs& in) { in.H2 = 0.8; });
        QVERIFY(hasDimension(sketchOf(companion).elevation, "H2=0.800 m"));
        QVERIFY(hasDimension(sketchOf(companion).elevation, "d=0.617 m"));
        QVERIFY(hasDimension(sketchOf(companion).elevation, "Zc=0.524 m"));

        QTest::mouseClick(result->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTRY_VERIFY(companion.isNull());
    }

    // The result window leaves the sketch too little room at its right on a
    // 1366 x 768 screen: it moves left so that the sketch opens readable
    // beside it. On a 1024 x 768 screen, too narrow for both, the sketch
    // takes the room there is and never covers the results.
    void resultSketchMakesRoom_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("readable");
        QTest::newRow("1366 x 768") << 1366 << true;
        QTest::newRow("1024 x 768") << 1024 << false;
    }
    void resultSketchMakesRoom() {
        QFETCH(int, width);
        QFETCH(bool, readable);
        MainWindow* w = makeWindow(true);
        w->resize(width, 690);
        m_window->document().setInputs(exampleInputs("bracket-gravitational.tvx"));
        trigger("mnuCalc");
        QWidget* result = w->childWindow("frm_calc");
        QTest::mouseClick(result->findChild<QPushButton*>("Command_sketch"), Qt::LeftButton);
        QWidget* companion = w->childWindow(resultSketchName(UnitSystem::Gravitational));
        QVERIFY(companion);
        const QRect area = w->findChild<QMdiArea*>()->viewport()->rect();
        const QRect owner = hostSubWindow(result)->geometry();
        const QRect sketch = hostSubWindow(companion)->geometry();
        QVERIFY(area.contains(owner) && area.contains(sketch));
        QVERIFY(!owner.intersects(sketch));
        QCOMPARE(companion->findChild<SketchView*>()->width() >= SketchView::kReadableWidth,
                 readable);
    }

    // The print window's choices: off and empty at first, remembered in the
    // settings, and on paper the sketch page and the header.
    void printChoices() {
        const QString settingsFile = m_dir->filePath(QStringLiteral("print.ini"));
        auto openSettings = [settingsFile] {
            return std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
        };
        DesignDocument document;
        document.setInputs(testing::exampleInputs("bracket-gravitational.tvx"));
        PdfPrinting printing;
        {
            PrintWindow window(document, &printing);
            window.rememberChoicesIn(openSettings);
            auto* box = window.findChild<QCheckBox*>("Check_sketch");
            QVERIFY(box);
            QCOMPARE(box->text(), QStringLiteral("形状図を印刷"));
            QVERIFY(!box->isChecked());
            for (const char* name : {"Text_project", "Text_member", "Text_designer"})
                QVERIFY(window.findChild<QLineEdit*>(name)->text().isEmpty());
            // The controls sit in the row of the buttons, clear of the preview.
            const int previewTop = window.findChild<QWidget*>("PicScrollArea")->geometry().top();
            QVERIFY(box->geometry().bottom() < previewTop);
            QVERIFY(box->geometry().left() >
                    window.findChild<QPushButton*>("Command2")->geometry().right());
            const QRect findings = window.findChild<QWidget*>("lstFindings")->geometry();
            for (const char* name :
                 {"Check_sketch", "Label_project", "Text_project", "Label_member", "Text_member",
                  "Label_designer", "Text_designer"}) {
                const QRect r = window.findChild<QWidget*>(name)->geometry();
                QVERIFY2(!r.intersects(findings), name);
                QVERIFY2(r.right() < window.width(), name);
                QVERIFY2(r.bottom() < previewTop, name);
            }

            // Off and empty: the report alone, no header, then the page
            // 設計上の注意 with the design's 注意.
            printing.outputFile = m_dir->filePath(QStringLiteral("plain.pdf"));
            QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
            QString error;
            const haltrix::test::PdfWords plain =
                haltrix::test::pdfWords(printing.outputFile, error);
            QCOMPARE(plain.pageSizes.size(), 2);
            QVERIFY(!pageWords(plain, 1).contains(QStringLiteral("設計者:")));

            // Typed with an input method, the text arrives whole.
            box->setChecked(true);
            window.findChild<QLineEdit*>("Text_project")->setText(QStringLiteral("海辺橋"));
            window.findChild<QLineEdit*>("Text_designer")->setText(QStringLiteral("山田"));
        }
        QSettings stored(settingsFile, QSettings::IniFormat);
        QCOMPARE(stored.value("Print/SketchPage").toBool(), true);
        QCOMPARE(stored.value("Print/Project").toString(), QStringLiteral("海辺橋"));
        QCOMPARE(stored.value("Print/Designer").toString(), QStringLiteral("山田"));

        PrintWindow again(document, &printing);
        again.rememberChoicesIn(openSettings);
        QVERIFY(again.findChild<QCheckBox*>("Check_sketch")->isChecked());
        QCOMPARE(again.findChild<QLineEdit*>("Text_project")->text(), QStringLiteral("海辺橋"));
        QVERIFY(again.findChild<QLineEdit*>("Text_member")->text().isEmpty());
        printing.outputFile = m_dir->filePath(QStringLiteral("sketch.pdf"));
        QTest::mouseClick(again.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(printing.failures.isEmpty());
        QString error;
        const haltrix::test::PdfWords words = haltrix::test::pdfWords(printing.outputFile, error);
        QCOMPARE(words.pageSizes.size(), 3);
        for (int page = 1; page <= 3; ++page) {
            QVERIFY(pageWords(words, page).contains(QStringLiteral("海辺橋")));
            QVERIFY(pageWords(words, page).contains(QStringLiteral("設計者:")));
        }
        QVERIFY(pageWords(words, 1).contains(QStringLiteral("入力データ")));
        QVERIFY(pageWords(words, 2).contains(QStringLiteral("形状図")));
        QVERIFY(pageWords(words, 2).contains(QStringLiteral("d=0.517")));
        // The design's warning under the sketch: its bearing stands past the tip.
        QVERIFY(pageWords(words, 2).contains(QStringLiteral("注意:")));
    }
};

QTEST_MAIN(TestSketchWindows)
#include "test_sketch_windows.moc"
