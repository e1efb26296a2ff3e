// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_painter.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "fonts.h"

namespace haltrix::print {

namespace {

QFont reportLineFont() {
    QFont font = gui::reportFont(9);
    font.setKerning(false);
    return font;
}

} // namespace

ReportPainter::ReportPainter(const QPaintDevice* device)
    : m_font(reportLineFont()), m_metrics(m_font, device) {}

void ReportPainter::drawLine(QPainter& painter, QPointF topLeft, const QString& line) const {
    if (line.isEmpty())
        return;
    painter.setFont(m_font);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + m_metrics.ascent()), line);
}

QSizeF ReportPainter::blockSize(const QStringList& lines) const {
    qreal width = 0;
    for (const QString& line : lines)
        width = std::max(width, m_metrics.horizontalAdvance(line));
    return QSizeF(width, lines.size() * lineSpacing());
}

} // namespace haltrix::print
