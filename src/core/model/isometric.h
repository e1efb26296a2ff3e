// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/bracket_model.h"
#include "sketch/sketch.h"

namespace haltrix::model {

// The isometric view (立体図) of a model as a drawing for the sketch's
// painter: the twelve edges of the concrete, each bar's centre line (its
// anchorage in the support too), the bearing point as a small circle, the
// support's face at the root as a rectangle around the body, and a title.
// Seen from above the tip and the left side face (from +x, -y, +z): a model
// point goes to the drawing's (x + y) / √2 across and (y - x + 2 z) / √6 up,
// so the three axes are shortened alike.
sketch::View isometricView(const BracketModel& model);

// The isometric view of a design's model with the side-face bars of
// `sideFaces` and the anchorage `anchorage`; an empty view when the design
// has no model (the sketch's notes say what is wrong with it).
sketch::View designIsometric(const DesignInputs& inputs, const HorizontalChoice& sideFaces = {},
                             const AnchorageRule& anchorage = kDefaultAnchorage);

// Where a model point lands in the isometric drawing (mm, y up).
sketch::Point isometricPoint(const Point3& point);

} // namespace haltrix::model
