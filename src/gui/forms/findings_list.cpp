// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/findings_list.h"

#include <QStyle>

namespace haltrix::gui {

FindingsList::FindingsList(QWidget* parent) : QListWidget(parent) {
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setResizeMode(QListView::Adjust);
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    setIconSize(QSize(icon, icon));
}

void FindingsList::setOneLinePerFinding(bool oneLine, int lines) {
    m_oneLine = oneLine;
    m_lines = lines;
    fitLines();
}

void FindingsList::fitLines() {
    const bool elide = m_oneLine && static_cast<int>(m_findings.size()) >= m_lines;
    setWordWrap(!elide);
    setTextElideMode(elide ? Qt::ElideRight : Qt::ElideNone);
}

int FindingsList::heightForLines(int lines) const {
    // An item is as high as its text or its icon, with the view's margins.
    const int row = std::max(fontMetrics().height(), iconSize().height()) + 2 * spacing() + 2;
    return lines * row + 2 * frameWidth();
}

void FindingsList::showFindings(const std::vector<Finding>& findings) {
    if (findings == m_findings && count() > 0)
        return;
    m_findings = findings;
    fitLines();
    clear();
    setToolTip(QString());
    if (findings.empty()) {
        auto* none = new QListWidgetItem(QString::fromUtf8(kNoFindingsText), this);
        none->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        return;
    }
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QIcon noticeIcon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    QStringList lines;
    for (const Finding& finding : findings) {
        const QString line = QString::fromStdString(findingLine(finding));
        auto* item = new QListWidgetItem(
            finding.severity == Severity::Warning ? warningIcon : noticeIcon, line, this);
        item->setToolTip(line);
        lines << line;
    }
    setToolTip(lines.join(QLatin1Char('\n')));
}

} // namespace haltrix::gui
