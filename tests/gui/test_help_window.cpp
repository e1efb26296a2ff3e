// SPDX-License-Identifier: GPL-3.0-or-later
// ﾍﾙﾌﾟ → 目次 and ﾄﾋﾟｯｸの検索: the manual's window, its links, its search,
// and the worked example it explains agreeing with the engine.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>
#include <memory>

#include "document/design_document.h"
#include "design/engine.h"
#include "example_designs.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "help/help_window.h"
#include "design/horizontal_check.h"
#include "main/main_window.h"

using namespace haltrix;
using namespace haltrix::gui;

namespace {

struct Anchors {
    QSet<QString> names; // places a link can lead to
    QStringList links;   // in-page links, without their "#"
};

Anchors anchorsOf(const QTextDocument& document) {
    Anchors anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames())
                anchors.names.insert(name);
            const QString href = format.anchorHref();
            if (href.startsWith('#'))
                anchors.links.append(href.mid(1));
        }
    }
    return anchors;
}

// A number as the manual writes it: `decimals` places, rounded.
QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

} // namespace

class HelpWindowTest : public QObject, protected haltrix::gui::test::MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void contentsOpensOneManualWindow();
    void everyLinkLeadsToAPlaceInTheManual();
    void manualExplainsTheWorkedExampleAsTheEngineComputesIt_data();
    void manualExplainsTheWorkedExampleAsTheEngineComputesIt();
    void searchGoesRoundTheManualAndSaysWhenNothingIsFound();
    void closingTheMainWindowClosesTheManual();

private:
    QString manualText();

};

void HelpWindowTest::init() {
    resetFixture();
}

void HelpWindowTest::cleanup() {
    m_window.reset();
}


QString HelpWindowTest::manualText() {
    HelpWindow help;
    return help.browser()->document()->toPlainText();
}

void HelpWindowTest::contentsOpensOneManualWindow() {
    MainWindow* w = makeWindow();
    QVERIFY(!w->findChild<HelpWindow*>());
    w->findChild<QAction*>("mnuHelpContents")->trigger();
    auto* help = w->findChild<HelpWindow*>("frmHelp");
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QVERIFY(help->isWindow());
    QCOMPARE(help->windowTitle(), QStringLiteral("Haltrix ヘルプ"));
    QTextBrowser* browser = help->browser();
    QCOMPARE(browser->source(), manualUrl());
    QCOMPARE(browser->documentTitle(), QStringLiteral("Haltrix 操作説明書"));
    // The manual is Japanese and explains the formulas.
    const QString text = browser->document()->toPlainText();
    QVERIFY(text.contains(QStringLiteral("ΣAs = S ／ (1.4 × σsa) × 1000")));
    QVERIFY(text.contains(QStringLiteral("Ast = (Tp + H + M ／ Zc) ／ σsa × 1000")));

    // A second 目次 shows the same window again.
    help->close();
    w->findChild<QAction*>("mnuHelpContents")->trigger();
    QCOMPARE(w->findChildren<HelpWindow*>().size(), 1);
    QVERIFY(help->isVisible());
    // No message box, no dialog, nothing changed in the design.
    QVERIFY(m_sink.messages.isEmpty());
    QVERIFY(m_dialogs.requests.isEmpty());
}

void HelpWindowTest::everyLinkLeadsToAPlaceInTheManual() {
    HelpWindow help;
    const Anchors anchors = anchorsOf(*help.browser()->document());
    // The sections a reader looks for.
    for (const char* section : {"top", "purpose", "flow", "units", "inputs", "method", "cases",
                                "horizontal", "bars", "messages", "printing", "files", "cli",
                                "warnings", "conversion", "sensitivity", "table", "sketch"})
        QVERIFY2(anchors.names.contains(QLatin1String(section)), section);
    QVERIFY(anchors.links.size() >= 18);
    for (const QString& link : anchors.links)
        QVERIFY2(anchors.names.contains(link), qPrintable(link));
}

void HelpWindowTest::manualExplainsTheWorkedExampleAsTheEngineComputesIt_data() {
    // The manual's figures were worked out by hand; here the engine computes
    // the same example, and each figure must be its value as rounded there.
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("sumAsDecimals");
    QTest::addColumn<int>("forceDecimals");
    QTest::newRow("gravitational") << "bracket-gravitational.tvx" << 4 << 4;
    QTest::newRow("SI") << "bracket-si.tvx" << 2 << 3;
}

void HelpWindowTest::manualExplainsTheWorkedExampleAsTheEngineComputesIt() {
    QFETCH(QString, file);
    QFETCH(int, sumAsDecimals);
    QFETCH(int, forceDecimals);
    const DesignInputs inputs = testing::exampleInputs(qPrintable(file));
    const DesignResults results = calculateDesign(inputs);
    const MainReinforcement& r = results.main;
    QCOMPARE(r.judgement, std::string(kJudgementOk));
    const QString text = manualText();
    const QStringList figures = {
        fixed(r.S, 2),                            // S
        fixed(r.sumAs, sumAsDecimals),            // ΣAs
        fixed(r.layer1Area, 3),                   // As1
        fixed(r.d, 5),                            // d
        fixed(r.Zc, 5),                           // Zc
        fixed(r.tanAlpha, 5),                     // tanα
        fixed(r.Tp, forceDecimals),               // Tp
        fixed(r.Ast, sumAsDecimals),              // Ast
        fixed(results.sideFaces.required, 2)      // required horizontal steel
    };
    for (const QString& figure : figures)
        QVERIFY2(text.contains(figure), qPrintable(figure));
    QCOMPARE(results.ratioCase, 1);
    QVERIFY(text.contains(QStringLiteral("a/H2 = 0.3 ／ 0.7 = 0.429 ≦ 0.5")));
}

void HelpWindowTest::searchGoesRoundTheManualAndSaysWhenNothingIsFound() {
    MainWindow* w = makeWindow();
    w->findChild<QAction*>("mnuHelpSearchForHelpOn")->trigger();
    auto* help = w->findChild<HelpWindow*>("frmHelp");
    QVERIFY(help);
    QVERIFY(help->isVisible());
    auto* search = help->findChild<QLineEdit*>("txtHelpSearch");
    auto* result = help->findChild<QLabel*>("lblHelpSearchResult");
    QVERIFY(QTest::qWaitForWindowActive(help));
    QCOMPARE(QApplication::focusWidget(), search);

    // "ΣAs" occurs several times: each search moves on, and after the last
    // one the search starts again at the top.
    // (QTest types only ASCII; the line takes the text as a paste would.)
    search->insert(QStringLiteral("ΣAs"));
    const int occurrences = help->browser()->document()->toPlainText().count(QStringLiteral("ΣAs"));
    QVERIFY(occurrences > 3);
    int previous = -1;
    for (int i = 0; i < occurrences; ++i) {
        QTest::keyClick(search, Qt::Key_Return);
        const QTextCursor found = help->browser()->textCursor();
        QCOMPARE(found.selectedText(), QStringLiteral("ΣAs"));
        QVERIFY(found.position() > previous);
        previous = found.position();
        QVERIFY(result->text().isEmpty());
    }
    help->findChild<QPushButton*>("cmdHelpFindNext")->click();
    QVERIFY(help->browser()->textCursor().position() < previous);
    QCOMPARE(result->text(), QStringLiteral("先頭から検索しました"));

    search->clear();
    search->insert(QStringLiteral("存在しない語句"));
    QVERIFY(!help->findNext());
    QCOMPARE(result->text(), QStringLiteral("見つかりません"));
}

void HelpWindowTest::closingTheMainWindowClosesTheManual() {
    MainWindow* w = makeWindow();
    HelpWindow* help = w->showManual();
    QVERIFY(help->isVisible());
    QVERIFY(w->close());
    QVERIFY(!help->isVisible());
}

QTEST_MAIN(HelpWindowTest)
#include "test_help_window.moc"
