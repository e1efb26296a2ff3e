// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include "sketch/sketch.h"

class QIODevice;

namespace haltrix::print {

// The size an exported sketch is drawn at: `width` pixels wide (at 96 dpi)
// and as high as its views and notes need.
QSize sketchExportSize(const sketch::Sketch& sketch, int width = 1600);

// The sketch on a white image of sketchExportSize().
QImage sketchImage(const sketch::Sketch& sketch, int width = 1600);

// Writes the sketch as an SVG document titled `title` on `device`, which
// must be open for writing. False when the painter could not be started.
bool writeSketchSvg(const sketch::Sketch& sketch, QIODevice& device, const QString& title,
                    int width = 1600);

// The formats a sketch is written in, by the file's extension.
enum class SketchFormat { Svg, Png, Dxf, Pdf, Unknown };
SketchFormat sketchFormatOf(const QString& path);

// Writes the sketch to `path` in the format its extension names (.svg,
// .png, .dxf, .pdf: one page as large as the image at 96 dpi), whole or not
// at all. False when it cannot be written or the extension is none of them.
// Needs a QGuiApplication except for DXF.
bool writeSketchFile(const sketch::Sketch& sketch, const QString& path, const QString& title);

} // namespace haltrix::print
