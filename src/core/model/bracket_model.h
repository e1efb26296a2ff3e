// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_calculation.h"
#include "design/design_inputs.h"
#include "model/anchorage.h"

namespace haltrix::model {

// The bracket and its bars in three dimensions, in mm: the one model the IFC
// file, the isometric view and the quantities are made from.
//
// The origin is at the top edge of the root face, on the bracket's centre
// line: x runs along the overhang (0 at the root face, l at the tip), y
// across the width (-b/2 to b/2, the left side face of the section at -b/2),
// z upward (the top face at z = 0).

struct Point3 {
    double x = 0;
    double y = 0;
    double z = 0;
    bool operator==(const Point3&) const = default;
};

// The trapezoidal prism: H2 deep at the root (x = 0), H1 at the tip (x = l),
// b wide.
struct ConcreteBody {
    double H1 = 0;
    double H2 = 0;
    double l = 0;
    double b = 0;

    // The depth of the bottom face below the top face at x.
    double depthAt(double x) const { return H2 + (H1 - H2) * x / l; }
    double volumeMm3() const { return (H1 + H2) / 2 * l * b; }
    // The faces that are formed: both side faces, the bottom and the tip
    // (the top face is finished by hand, the root face is cast against the
    // support).
    double formworkAreaMm2() const;
    // The eight corners: the top face's four (root left, root right, tip
    // right, tip left), then the bottom's in the same order.
    std::vector<Point3> corners() const;
};

enum class BarKind { Main, SideFace };

// One straight bar: its centre line from `start` (in the support, x = -
// anchorage) to `end` (the tip less the cover).
struct ModelBar {
    BarKind kind = BarKind::Main;
    int layer = 0;           // 1 or 2 for a main bar, 0 for a side-face bar
    int number = 0;          // from 1, within its layer (or the side-face bars)
    std::string role;        // "main/1/3", "side/2": names the bar in GlobalIds
    std::string designation; // "D22"
    double diameterMm = 0;   // nominal (JIS G 3112)
    double areaMm2 = 0;      // nominal
    double anchorageMm = 0;  // the part beyond the root face
    Point3 start;
    Point3 end;

    double lengthMm() const { return end.x - start.x; }
    // Nominal mass: the nominal area times 7.85 t/m3 (JIS G 3112's unit
    // masses are 0.785 times the area).
    double massKg() const;
};

inline constexpr double kSteelDensityKgPerMm3 = 7.85e-6;

// A layer holds at most this many bars in the model.
inline constexpr int kMaxModelBarsPerLayer = 200;

struct BracketModel {
    ConcreteBody body;
    Point3 bearing;     // on the top face at x = a
    double coverMm = 0; // t in mm: to the centres of the bars from the top, sides and tip
    AnchorageRule anchorage;
    std::string sideFaceBar; // the side-face choice: designation and count
    double sideFaceCount = 0;
    std::vector<ModelBar> bars; // layer 1, layer 2, then the side-face bars
    // What the model built otherwise than entered (a fractional count), one
    // sentence each.
    std::vector<std::string> notes;

    int barCount(BarKind kind) const;
    double barMassKg() const;
};

// The model of a design, or why there is none.
struct ModelOutcome {
    std::optional<BracketModel> model;
    std::string problem; // when there is no model: one sentence naming the input
};

// Builds the model: the body from H1, H2, l and b; the main bars where the
// bar layout places them in the section (layer 1 t below the top face, layer
// 2 c lower, each spread between t from either side face), from x = l - t
// back to -anchorage; the side-face bars of `choice` (the list position,
// -1 for D10, and the count) on both side faces: bar k on the left face when
// k is odd counted from 1, on the right when even, at t from the face, the
// pairs' levels spread evenly below the lowest main bars over two thirds of
// the depth left there at the tip, level j (from 1 of m) at
// D + j (2/3)(H1 - D) / m below the top face, D the depth of the lowest
// main bars. A design whose body cannot be built (a size not a positive
// finite number, H1 may be 0), whose bars are of a designation the bar table
// does not know, whose count is not a number, negative or above
// kMaxModelBarsPerLayer, or whose bars would not have a positive length has
// no model.
ModelOutcome buildBracketModel(const DesignInputs& inputs, const HorizontalChoice& choice,
                               const AnchorageRule& anchorage);

} // namespace haltrix::model
