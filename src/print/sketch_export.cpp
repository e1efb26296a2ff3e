// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch_export.h"

#include <QPainter>
#include <QIODevice>
#include <algorithm>
#include <cmath>

#include "sketch/sketch_layout.h"
#include "sketch_painter.h"
#include "sketch/sketch_svg.h"

namespace haltrix::print {

namespace {

constexpr int kDpi = 96;
constexpr int kMargin = sketch::kExportMargin;

void paintOn(QPainter& painter, const sketch::Sketch& sketch, QSize size) {
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paintSketch(painter, sketch,
                QRectF(kMargin, kMargin, size.width() - 2 * kMargin, size.height() - 2 * kMargin));
}

} // namespace

QSize sketchExportSize(const sketch::Sketch& sketch, int width) {
    const sketch::ImageSize size = sketch::exportImageSize(sketch, width);
    return QSize(size.width, size.height);
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
    const std::string text = sketch::svgText(sketch, title.toStdString(), width);
    return device.write(text.data(), static_cast<qint64>(text.size())) ==
           static_cast<qint64>(text.size());
}

} // namespace haltrix::print
