// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/shown_number.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QTableWidgetItem>

#include "paper/number_format.h"

namespace haltrix::gui {

QString fittedNumberText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    return QString::fromLatin1(kOverflowMark);
}

void showNumber(QLabel& label, const QString& text) {
    const QString shown = fittedNumberText(text, label.fontMetrics(), label.contentsRect().width());
    label.setText(shown);
    label.setToolTip(shown == text ? QString() : text);
}

void showNumber(QTableWidgetItem& item, const QString& text, const QFontMetrics& metrics,
                int width) {
    // Item views keep a margin on either side of a cell's text.
    const int margin = QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    const QString shown = fittedNumberText(text, metrics, width - 2 * margin);
    item.setText(shown);
    item.setToolTip(shown == text ? QString() : text);
}

} // namespace haltrix::gui
