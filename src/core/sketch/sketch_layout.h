// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "sketch/sketch.h"

namespace haltrix::sketch {

// Where the views of a sketch go on a page or an image: every renderer
// (screen, paper, PNG, SVG) places them through here, so they all draw the
// same picture. Device coordinates run right and down, in device units.

// Smallest sizes on the device, whatever the scale, so a very long or thin
// member stays readable.
inline constexpr double kMinTextPt = 7.5;
inline constexpr double kMinArrowMm = 1.8;
inline constexpr double kMinBarRadiusMm = 0.3;
// The notes under the drawing.
inline constexpr double kNotesPt = 9.0;

// How each layer is drawn on every target: pen width on the device (mm)
// and colour; hatch strokes are thinner than outlines.
double penWidthMm(Layer layer);
inline constexpr double kHatchPenMm = 0.1;
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};
Rgb layerColour(Layer layer);

struct Area {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// One view placed on the device: model point (left, top) of its box at
// (originX, originY), `scale` device units per model mm.
struct Placement {
    const View* view = nullptr;
    Box box;
    double scale = 1;
    double originX = 0;
    double originY = 0;

    // A model point on the device (y turned downwards).
    Point map(Point p) const {
        return {originX + (p.x - box.left) * scale, originY + (box.top - p.y) * scale};
    }
};

// The elevation and the section fitted into `area` side by side or one
// above the other, whichever shows them larger; at one scale when the
// builder gave them one text height, each fitted on its own otherwise; the
// aspect ratio always kept. Empty when nothing is drawn or the area is flat.
std::vector<Placement> arrangeViews(const Sketch& sketch, const Area& area);

// One view on its own (the isometric view) fitted into `area`, its aspect
// ratio kept; empty when it draws nothing or the area is flat.
std::vector<Placement> arrangeView(const View& view, const Area& area);

// Width over height of the views laid out side by side at one scale, for an
// image that fits them; 1.5 when nothing is drawn.
double sketchAspectRatio(const Sketch& sketch);

// The pixel size (at 96 dpi) an exported sketch is drawn at: `width` wide
// and as high as its views and notes need, with `extraLines` lines below
// the notes.
struct ImageSize {
    int width = 0;
    int height = 0;
};
inline constexpr int kExportMargin = 24;
inline constexpr int kExportNoteLine = 18;
ImageSize exportImageSize(const Sketch& sketch, int width = 1600);

} // namespace haltrix::sketch
