// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design_record.h"
#include "sketch.h"

namespace haltrix::sketch {

// Whether the sketch dimensions the results of a calculation too.
enum class SketchContent {
    Inputs,           // the member, its loads and its bars as entered
    InputsAndResults, // also d and Zc from the record, after a calculation
};

// The sketch of the record's bracket: the elevation (the pier hatched at
// x = 0, the tip at x = l, the top face level at y = 0, the bottom straight
// from H2 deep at the root to H1 deep at the tip; the bearing at a with P and
// H; the top bars at depth t and t + c, drawn on into the pier) and the
// section at the root (b x H2, the bars as circles of their nominal diameter,
// each layer's centres spread evenly between t from either side face).
// Lengths H1, H2, l, b, a are read in m; t and c in cm when unitSystem is 1,
// otherwise in mm; P and H in tf or kN. Any record gives a sketch whose every
// number is finite: what cannot be drawn is left out and named in the notes.
Sketch buildSketch(const DesignRecord& record, SketchContent content);

// The sketch after a calculation of the record's inputs as they stand (on a
// copy, so the record is not touched; any message of the calculation is left
// to the windows that show results): with d and Zc when the calculation
// completes, of the inputs alone when it stops.
Sketch buildCalculatedSketch(DesignRecord record);

// At most this many bars of a layer are drawn; more are summarised by the two
// outermost ones.
inline constexpr int kMaxDrawnBarsPerLayer = 100;

} // namespace haltrix::sketch
