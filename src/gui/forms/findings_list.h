// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>
#include <vector>

#include "findings/design_warnings.h"

namespace haltrix::gui {

// A compact list of a design's warnings: one item per finding ("警告: …"),
// marked with the severity's small icon, the whole message also as its tool
// tip; one grey line when there are none. Items wrap, so nothing is cut off,
// unless the list is told to keep each to one line (elided at the right);
// then the list's own tool tip holds every line whole.
class FindingsList : public QListWidget {
    Q_OBJECT
public:
    explicit FindingsList(QWidget* parent = nullptr);

    // One line per finding when there are at least `lines` findings (the
    // lines the list has room for); fewer wrap into the room there is.
    void setOneLinePerFinding(bool oneLine, int lines = 3);
    // The height that shows `lines` one-line findings without scrolling.
    int heightForLines(int lines) const;

    void showFindings(const std::vector<Finding>& findings);
    const std::vector<Finding>& findings() const { return m_findings; }

private:
    void fitLines();

    std::vector<Finding> m_findings;
    bool m_oneLine = false;
    int m_lines = 3;
};

} // namespace haltrix::gui
