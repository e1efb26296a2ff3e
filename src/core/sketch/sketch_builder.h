// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/design_inputs.h"
#include "design/design_results.h"
#include "sketch/sketch.h"

namespace haltrix::sketch {

// The sketch of the design's bracket: the elevation (the pier hatched at
// x = 0, the tip at x = l, the top face level at y = 0, the bottom straight
// from H2 deep at the root to H1 deep at the tip; the bearing at a with P and
// H; the top bars at depth t and t + c, drawn on into the pier) and the
// section at the root (b x H2, the bars as circles of their nominal diameter,
// each layer's centres spread evenly between t from either side face).
// Lengths H1, H2, l, b, a are read in m; t and c in cm when unitSystem is 1,
// otherwise in mm; P and H in tf or kN. Any design gives a sketch whose every
// number is finite: what cannot be drawn is left out and named in the notes.
Sketch buildSketch(const DesignInputs& inputs);

// The same with the results of a calculation of those inputs: d and Zc are
// dimensioned too when the calculation completed; after a stop the sketch is
// of the inputs alone.
Sketch buildSketch(const DesignInputs& inputs, const DesignResults& results);

// At most this many bars of a layer are drawn; more are summarised by the two
// outermost ones.
inline constexpr int kMaxDrawnBarsPerLayer = 100;

} // namespace haltrix::sketch
