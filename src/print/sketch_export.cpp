// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch_export.h"

#include <QFileInfo>
#include <QIODevice>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "sketch/sketch_dxf.h"
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
    painter.setRenderHint(QPainter::Antialiasing);
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

SketchFormat sketchFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return SketchFormat::Svg;
    if (suffix == QLatin1String("png"))
        return SketchFormat::Png;
    if (suffix == QLatin1String("dxf"))
        return SketchFormat::Dxf;
    if (suffix == QLatin1String("pdf"))
        return SketchFormat::Pdf;
    return SketchFormat::Unknown;
}

namespace {

bool writeSketchPdf(const sketch::Sketch& sketch, QIODevice& device, const QString& title) {
    const QSize size = sketchExportSize(sketch);
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Haltrix"));
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / kDpi, size.height() * 72.0 / kDpi),
                                 QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    paintOn(painter, sketch, size);
    return painter.end();
}

} // namespace

bool writeSketchFile(const sketch::Sketch& sketch, const QString& path, const QString& title) {
    const SketchFormat format = sketchFormatOf(path);
    if (format == SketchFormat::Unknown)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool written = false;
    switch (format) {
    case SketchFormat::Dxf: {
        const std::string text = sketch::dxfText(sketch);
        written = file.write(text.data(), static_cast<qint64>(text.size())) ==
                  static_cast<qint64>(text.size());
        break;
    }
    case SketchFormat::Svg:
        written = writeSketchSvg(sketch, file, title);
        break;
    case SketchFormat::Png:
        written = sketchImage(sketch).save(&file, "PNG");
        break;
    case SketchFormat::Pdf:
        written = writeSketchPdf(sketch, file, title);
        break;
    case SketchFormat::Unknown:
        break;
    }
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace haltrix::print
