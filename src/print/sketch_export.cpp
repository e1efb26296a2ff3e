// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch_export.h"

#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "sketch_painter.h"

namespace haltrix::print {

namespace {

constexpr int kDpi = 96;
// Room around the drawing and per line of notes, pixels at 96 dpi.
constexpr int kMargin = 24;
constexpr int kNoteLine = 18;

void paintOn(QPainter& painter, const sketch::Sketch& sketch, QSize size) {
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paintSketch(painter, sketch,
                QRectF(kMargin, kMargin, size.width() - 2 * kMargin, size.height() - 2 * kMargin));
}

} // namespace

QSize sketchExportSize(const sketch::Sketch& sketch, int width) {
    width = std::max(width, 4 * kMargin);
    const bool drawn = !sketch.elevation.empty() || !sketch.section.empty();
    const double drawing = drawn ? (width - 2 * kMargin) / sketchAspectRatio(sketch) : 0.0;
    const int notes = kNoteLine * static_cast<int>(std::min<std::size_t>(sketch.notes.size(), 40)) +
                      (sketch.notes.empty() ? 0 : kNoteLine);
    return QSize(width, static_cast<int>(std::ceil(drawing)) + notes + 2 * kMargin);
}

QImage sketchImage(const sketch::Sketch& sketch, int width) {
    const QSize size = sketchExportSize(sketch, width);
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(kDpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(kDpi / 0.0254)));
    QPainter painter(&image);
    paintOn(painter, sketch, size);
    painter.end();
    return image;
}

bool writeSketchSvg(const sketch::Sketch& sketch, QIODevice& device, const QString& title,
                    int width) {
    const QSize size = sketchExportSize(sketch, width);
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(kDpi);
    generator.setTitle(title);
    generator.setDescription(QStringLiteral("Haltrix"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    paintOn(painter, sketch, size);
    return painter.end();
}

} // namespace haltrix::print
