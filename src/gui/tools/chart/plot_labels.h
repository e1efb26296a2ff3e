// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>

class QCustomPlot;
class QCPGraph;
class QCPItemStraightLine;
class QCPItemText;

namespace haltrix::gui {

// A vertical marker line and its label.
struct MarkedLine {
    QCPItemStraightLine* line;
    QCPItemText* label;
};

// Places each label beside its line, at the highest place inside the axis
// rectangle where it covers none of `curves` (their lines and points), no
// label placed before it and no rectangle of `keepClear` (pixels); right of
// the line unless there is no room there. A label with no free place stays
// at the top. Call after the axes have their ranges and the plot its layout
// (replot); positions are kept in plot and axis-rectangle terms, so they
// follow a resize roughly until placed again.
void placeMarkerLabels(QCustomPlot* plot, const QList<MarkedLine>& markers,
                       const QList<QCPGraph*>& curves, const QList<QRectF>& keepClear = {});

// A label's rectangle on the plot, in pixels.
QRectF labelRect(const QCPItemText* label);

// Whether a curve of `curves` runs through or has a point inside `rect`.
bool coversCurve(const QRectF& rect, const QList<QCPGraph*>& curves);

} // namespace haltrix::gui
