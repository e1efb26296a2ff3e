// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/preview_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "report_painter.h"

namespace haltrix::gui {

PreviewSurface::PreviewSurface(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Pic"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setFont(print::ReportPainter(this).font());
}

void PreviewSurface::Target::writeLine(std::string_view line) {
    m_surface.append(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

void PreviewSurface::clear() {
    m_lines.clear();
    m_contentSize = QSize(0, 0);
    setMinimumSize(m_contentSize);
    updateGeometry();
    update();
}

void PreviewSurface::append(const QString& line) {
    m_lines.append(line);
    const QSizeF block = print::ReportPainter(this).blockSize(m_lines);
    m_contentSize = QSize(static_cast<int>(std::ceil(block.width())),
                          static_cast<int>(std::ceil(block.height())));
    setMinimumSize(m_contentSize);
    updateGeometry();
    update();
}

QSize PreviewSurface::sizeHint() const {
    return m_contentSize;
}

void PreviewSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    const print::ReportPainter layout(this);
    const qreal spacing = layout.lineSpacing();
    const QRect dirty = event->rect();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const qreal top = i * spacing;
        if (top > dirty.bottom() || top + spacing < dirty.top())
            continue;
        layout.drawLine(painter, QPointF(0, top), m_lines[i]);
    }
}

} // namespace haltrix::gui
