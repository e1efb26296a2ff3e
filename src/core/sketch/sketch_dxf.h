// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "sketch/sketch.h"

namespace haltrix::sketch {

// The sketch as a text DXF drawing (AutoCAD 2000 format, which CAD programs
// commonly open), drawing units mm ($INSUNITS 4), on the layers OUTLINE,
// REBAR, LOAD, DIM and TEXT. The elevation keeps its coordinates; the
// section sits to its right at true size; the notes follow below both.
// Outlines are LWPOLYLINEs, bars of the section CIRCLEs of their nominal
// radius, lines LINEs, arrowheads SOLIDs, texts TEXTs; dimensions are
// written as these pieces. Characters other than ASCII are written as
// \U+XXXX, as the format asks.
std::string dxfText(const Sketch& sketch);

} // namespace haltrix::sketch
