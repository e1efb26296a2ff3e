// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace haltrix::gui {

// Where the program's manual lies in the resources.
QUrl manualUrl();

// The window "Haltrix ヘルプ": the program's manual (Japanese HTML from the
// resources) in a text browser, with a search line above it. A window of its
// own beside the main window, so the manual stays open while one works.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return m_browser; }

    // Puts the cursor in the search line, its text selected.
    void startSearch();
    // Selects the next place of the search line's text after the current
    // one, starting again at the top after the end. False, and says so, when
    // the text is nowhere in the manual.
    bool findNext();
    // Back to the manual's table of contents.
    void showContents();

private:
    QTextBrowser* m_browser = nullptr;
    QLineEdit* m_search = nullptr;
    QLabel* m_searchResult = nullptr;
};

} // namespace haltrix::gui
