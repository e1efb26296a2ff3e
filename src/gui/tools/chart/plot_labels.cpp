// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/chart/plot_labels.h"

#include <QFontMetricsF>
#include <QLineF>
#include <cmath>
#include <qcustomplot.h>

namespace haltrix::gui {

namespace {

// The size of a label's box: its text and its padding.
QSizeF labelSize(const QCPItemText* label) {
    const QRectF text = QFontMetricsF(label->font()).boundingRect(
        QRectF(0, 0, 10000, 10000), Qt::TextDontClip | label->textAlignment(), label->text());
    const QMargins padding = label->padding();
    return {text.width() + padding.left() + padding.right(),
            text.height() + padding.top() + padding.bottom()};
}

bool segmentCrosses(const QRectF& rect, const QLineF& segment) {
    if (rect.contains(segment.p1()) || rect.contains(segment.p2()))
        return true;
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()},
                            {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()},
                            {rect.bottomLeft(), rect.topLeft()}};
    for (const QLineF& edge : edges) {
        if (segment.intersects(edge, nullptr) == QLineF::BoundedIntersection)
            return true;
    }
    return false;
}

} // namespace

QRectF labelRect(const QCPItemText* label) {
    return QRectF(label->topLeft->pixelPosition(), label->bottomRight->pixelPosition())
        .normalized();
}

bool coversCurve(const QRectF& rect, const QList<QCPGraph*>& curves) {
    for (const QCPGraph* curve : curves) {
        // A drawn point is a few pixels across.
        const double point = curve->scatterStyle().isNone() ? 0.0 : curve->scatterStyle().size();
        const bool joined = curve->lineStyle() != QCPGraph::lsNone;
        std::optional<QPointF> previous;
        for (auto it = curve->data()->constBegin(); it != curve->data()->constEnd(); ++it) {
            if (!std::isfinite(it->key) || !std::isfinite(it->value)) {
                previous.reset();
                continue;
            }
            const QPointF here(curve->keyAxis()->coordToPixel(it->key),
                               curve->valueAxis()->coordToPixel(it->value));
            if (point > 0 &&
                rect.intersects(QRectF(here - QPointF(point / 2, point / 2), QSizeF(point, point))))
                return true;
            if (joined && previous && segmentCrosses(rect, QLineF(*previous, here)))
                return true;
            previous = here;
        }
    }
    return false;
}

void placeMarkerLabels(QCustomPlot* plot, const QList<MarkedLine>& markers,
                       const QList<QCPGraph*>& curves, const QList<QRectF>& keepClear) {
    const QRectF area = plot->axisRect()->rect();
    if (area.isEmpty())
        return;
    QList<QRectF> taken = keepClear;
    for (const MarkedLine& marker : markers) {
        QCPItemText* label = marker.label;
        const double x = marker.line->point1->coords().x();
        const double pixelX = plot->xAxis->coordToPixel(x);
        const QSizeF size = labelSize(label);
        const bool rightHasRoom = pixelX + size.width() <= area.right();
        const bool sides[] = {rightHasRoom, !rightHasRoom};
        const double step = std::max(2.0, size.height() / 3);
        std::optional<QRectF> chosen;
        for (double top = area.top() + 2; !chosen && top + size.height() <= area.bottom();
             top += step) {
            for (const bool right : sides) {
                const QRectF rect(QPointF(right ? pixelX : pixelX - size.width(), top), size);
                if (rect.left() < area.left() || rect.right() > area.right())
                    continue;
                // A pixel of room all round: the item rounds its position.
                const QRectF room = rect.adjusted(-1, -1, 1, 1);
                bool free = !coversCurve(room, curves);
                for (const QRectF& other : std::as_const(taken))
                    free = free && !room.intersects(other);
                if (free) {
                    chosen = rect;
                    break;
                }
            }
        }
        const QRectF rect =
            chosen.value_or(QRectF(QPointF(rightHasRoom ? pixelX : pixelX - size.width(),
                                           area.top() + 2),
                                   size));
        const bool right = rect.left() >= pixelX - 0.5;
        label->position->setTypeX(QCPItemPosition::ptPlotCoords);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(x, (rect.top() - area.top()) / area.height());
        label->setPositionAlignment((right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop);
        taken.append(rect);
    }
}

} // namespace haltrix::gui
