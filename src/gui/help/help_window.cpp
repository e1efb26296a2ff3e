// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/resources.h"

namespace haltrix::gui {

QUrl manualUrl() {
    registerGuiResources();
    return QUrl(QStringLiteral("qrc:/haltrix/manual/manual.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmHelp");
    setWindowTitle(QStringLiteral("Haltrix ヘルプ"));
    setWindowIcon(programIcon());

    auto* contents = new QPushButton(QStringLiteral("目次(&C)"), this);
    contents->setObjectName("cmdHelpContents");
    auto* back = new QPushButton(QStringLiteral("戻る(&B)"), this);
    back->setObjectName("cmdHelpBack");
    m_search = new QLineEdit(this);
    m_search->setObjectName("txtHelpSearch");
    m_search->setPlaceholderText(QStringLiteral("検索する語"));
    m_search->setClearButtonEnabled(true);
    auto* find = new QPushButton(QStringLiteral("次を検索(&N)"), this);
    find->setObjectName("cmdHelpFindNext");
    m_searchResult = new QLabel(this);
    m_searchResult->setObjectName("lblHelpSearchResult");

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName("txtHelpContents");
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(manualUrl());

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addSpacing(12);
    bar->addWidget(m_search, 1);
    bar->addWidget(find);
    bar->addWidget(m_searchResult);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);

    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(find, &QPushButton::clicked, this, &HelpWindow::findNext);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(m_search, &QLineEdit::textChanged, m_searchResult, &QLabel::clear);

    // Wide enough for the manual's tables, within the screen.
    QSize size(760, 680);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void HelpWindow::startSearch() {
    m_search->setFocus();
    m_search->selectAll();
}

bool HelpWindow::findNext() {
    const QString text = m_search->text().trimmed();
    if (text.isEmpty())
        return false;
    if (m_browser->find(text)) {
        m_searchResult->clear();
        return true;
    }
    // From the top once more, so a search always goes round the manual.
    QTextCursor top = m_browser->textCursor();
    top.movePosition(QTextCursor::Start);
    m_browser->setTextCursor(top);
    if (m_browser->find(text)) {
        m_searchResult->setText(QStringLiteral("先頭から検索しました"));
        return true;
    }
    m_searchResult->setText(QStringLiteral("見つかりません"));
    return false;
}

void HelpWindow::showContents() {
    m_browser->setSource(manualUrl());
    m_browser->scrollToAnchor(QStringLiteral("top"));
}

} // namespace haltrix::gui
