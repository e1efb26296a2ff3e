// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;
class QPaintDevice;

namespace haltrix::print {

// How a report line is set, on the preview surface and on the printer alike:
// in the report font at 9 pt, one line spacing of that font below the line
// before, nothing clipped or wrapped. The report lines up its columns by
// counting blanks, so each line is drawn as one run of text without kerning.
class ReportPainter {
public:
    // Metrics for `device` (its resolution decides the pixel size of 9 pt).
    explicit ReportPainter(const QPaintDevice* device);

    const QFont& font() const { return m_font; }
    qreal lineSpacing() const { return m_metrics.lineSpacing(); }

    // Draws `line` with the top-left corner of its line box at `topLeft`.
    void drawLine(QPainter& painter, QPointF topLeft, const QString& line) const;

    // The area `lines` take when drawn one below the other.
    QSizeF blockSize(const QStringList& lines) const;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
};

} // namespace haltrix::print
