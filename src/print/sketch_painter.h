// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QStringList>

#include "sketch/sketch.h"

class QPainter;

namespace haltrix::print {

// Paints a sketch into `area` (the painter's coordinates, in device pixels):
// the elevation and the section side by side or one above the other,
// whichever shows them larger, at one scale when their sizes are alike and
// each fitted on its own otherwise, the aspect ratio always kept; then the
// sketch's notes and `linesUnder`, one per line, below them. Texts, arrowheads
// and bars keep a minimum size on the device (its resolution decides the
// pixels), so a very long or thin member stays readable. The same routine
// serves the screen, the printer, PDF, SVG and PNG.
void paintSketch(QPainter& painter, const sketch::Sketch& sketch, const QRectF& area,
                 const QStringList& linesUnder = {});

// The sketch as paintSketch paints it in the upper part of `area` and the
// isometric view of the 3D model (立体図, model::isometricView) in the lower
// third, drawn by the same routine; an empty isometric view leaves the
// whole area to the sketch. The sketch window and the sketch page use it;
// the exported SVG and PNG are of the sketch alone.
void paintSketchWithIsometric(QPainter& painter, const sketch::Sketch& sketch,
                              const sketch::View& isometric, const QRectF& area,
                              const QStringList& linesUnder = {});

} // namespace haltrix::print
