// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "design/design_inputs.h"

namespace haltrix {

// Where the main (top) bars lie in the root section, in mm. The one place
// the bar pitch, the clear spacings, the cover in mm and the gap between the
// layers are formed: the findings measure them, the sketch draws them, the
// proposal ranks by them, and a model of the bracket places its bars by them.
//
// Axes: across the width b, x runs from the left side face (0) to the right
// one (b); depths run down from the top face. The bars of a layer have their
// centres spread evenly between the cover t from either side face (one bar
// stands at mid width); layer 1 lies t below the top face, layer 2 a further
// c below it.
//
// Nothing here judges the inputs: a cover or a width that is not a number,
// negative or huge gives figures of the same kind (NaN, negative, huge); the
// findings name such inputs and a drawing decides what it can draw.

// The factor from the unit of t and c to mm: 10 for cm (gravitational), 1
// for mm (SI, and any other stored unit-system flag).
double coverUnitToMm(std::int32_t unitSystem);

// The distance between neighbouring centres of `bars` (at least 2) bars spread
// between `coverMm` from either side face of `widthMm`:
// (widthMm - 2 coverMm) / (bars - 1).
double barPitchMm(double widthMm, double coverMm, double bars);

// The x of bar `k` (0 to bars - 1) of that spread: coverMm + k (widthMm -
// 2 coverMm) / (bars - 1); widthMm / 2 for a single bar.
double barCentreMm(double widthMm, double coverMm, double bars, double k);

// One layer of main bars.
struct LayerLayout {
    std::string bar;                 // the designation as entered ("D22")
    std::optional<double> diameterMm; // from the bar table; empty for a bar it does not know
    double count = 0;                // as entered
    // The bars built: a fractional count is built with its whole bars,
    // floor(count). Not a number, or negative, when the count is.
    double wholeBars = 0;
    double depthMm = 0;  // of the bar centres below the top face
    double widthMm = 0;  // b, the width the bars are spread across
    double coverMm = 0;  // t, from either side face to the outer centres
    // Between neighbouring centres; with two whole bars or more.
    std::optional<double> pitchMm;
    // pitch - φ, between neighbouring bar faces; with a pitch and a bar the
    // table knows.
    std::optional<double> clearMm;

    // The x of bar k (0 to wholeBars - 1) from the left side face.
    double centreMm(double k) const { return barCentreMm(widthMm, coverMm, wholeBars, k); }
    // The same measured from the centre line of the section (negative to
    // the left).
    double centreFromMiddleMm(double k) const { return centreMm(k) - widthMm / 2; }
};

// The main bars of a design.
struct BarLayout {
    double widthMm = 0;        // b
    double coverMm = 0;        // t in mm: the cover to the top face and to the side faces
    double layerSpacingMm = 0; // c in mm: from layer 1's centres down to layer 2's
    // [0] layer 1 at coverMm, [1] layer 2 at coverMm + layerSpacingMm. A
    // layer with no bars has a count of 0 (layer 2 of a one-layer design).
    std::array<LayerLayout, 2> layers;
    // c - (φ1 + φ2)/2, the clear gap between the layers' bars; with two bars
    // the table knows (whether or not layer 2 has bars).
    std::optional<double> layerGapMm;
};

// The layout of `inputs`' own main bars.
BarLayout barLayout(const DesignInputs& inputs);

// One layer of `count` bars of `bar` at `depthMm` in `inputs`' section (b and
// t from `inputs`); the figures across the width do not depend on the depth.
LayerLayout layerLayout(const DesignInputs& inputs, std::string_view bar, double count,
                        double depthMm = 0);

// c - (φ1 + φ2)/2 for bars `bar1` over `bar2` with `inputs`' c; empty when
// either bar is one the table does not know.
std::optional<double> layerGapMm(const DesignInputs& inputs, std::string_view bar1,
                                 std::string_view bar2);

} // namespace haltrix
