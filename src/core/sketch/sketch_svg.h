// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "sketch/sketch.h"

namespace haltrix::sketch {

// The sketch as an SVG 1.1 document titled `title` (UTF-8), `width` pixels
// wide at 96 dpi and as high as exportImageSize() says: the same views,
// colours, pen widths, minimum sizes and notes as on screen and paper, each
// text one <text> element. Written from the drawing model alone, so it is
// the same on every system.
std::string svgText(const Sketch& sketch, const std::string& title, int width = 1600);

} // namespace haltrix::sketch
