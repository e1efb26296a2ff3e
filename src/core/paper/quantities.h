// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "model/bracket_model.h"

namespace haltrix::quantities {

// The quantities of one bracket and its bar schedule, taken from the 3D
// model's concrete body and bars, in m3, m2, mm and kg in either unit system
// (quantity sheets are in these units whatever the calculation's units).

// The concrete body of the 3D model, in mm.
using Body = model::ConcreteBody;

// One bar mark: `count` equal straight bars of the 3D model.
struct MarkBars {
    std::string mark;        // "S1"
    std::string role;        // what it is: "主鉄筋 1段目"
    std::string designation; // "D22"
    double lengthMm = 0;     // the whole bar, its anchorage included
    double anchorageMm = 0;  // of it, into the support; 0 none
    int count = 0;
};

// The formwork: the faces cast against forms, in m2. The top face is left
// open and the root face is cast against the support, so neither counts.
struct Formwork {
    double sideFaces = 0; // both side faces, each the trapezoid (H1 + H2) / 2 x l
    double soffit = 0;    // the sloping soffit, b x its length along the slope
    double tipFace = 0;   // H1 x b

    double total() const { return sideFaces + soffit + tipFace; }
};

// One row of the bar schedule.
struct ScheduleRow {
    std::string mark;
    std::string role;
    std::string designation;
    double diameterMm = 0;    // nominal (JIS G 3112); 0 for an unknown bar
    std::string shape;        // a sketch symbol of the shape with its anchorage
    double lengthMm = 0;      // whole millimetres
    int count = 0;
    double unitMassKgPerM = 0; // 0 for an unknown bar
    double massKg = 0;         // count x length x unit mass
};

// A diameter's totals, in the bar list's order.
struct DiameterTotal {
    std::string designation;
    int count = 0;
    double massKg = 0;
};

struct Quantities {
    double concreteM3 = 0;
    Formwork formwork;
    std::vector<ScheduleRow> rows;
    std::vector<DiameterTotal> byDiameter;
    double totalMassKg = 0;
    std::string anchorage; // the anchorage rule of the model: "40φ", "600 mm"
    // What the schedule could not weigh, for the user ("D99: ...").
    std::vector<std::string> notes;
};

// The quantities of the 3D model: its body, and its bars gathered into
// marks: S1 the main bars of layer 1, S2 those of layer 2, S3 the side-face
// bars (numbered on without a layer that has no bars).
Quantities quantitiesOf(const model::BracketModel& model);

// The quantities of a body and its marks. A bar length is rounded to whole
// millimetres, as a schedule gives it, and the masses are computed from the
// rounded length: mass = count x length / 1000 x unit mass. Marks with no
// bars are left out; a designation the unit-mass table does not know keeps
// its row with no mass and a note.
Quantities quantitiesOf(const Body& body, const std::vector<MarkBars>& bars);

// The shape symbol of a straight bar: "━━━┛ 定着 770" with its anchorage,
// "━━━━" without.
std::string shapeSymbol(double anchorageMm);

// The page 数量・鉄筋表 as lines of the report font (half-width characters
// one cell, full-width two): the title line, the quantities with how each was
// taken, then the schedule with the totals per diameter and overall.
std::vector<std::string> quantityLines(const Quantities& quantities, const std::string& designName);

inline constexpr const char* kQuantitiesTitle = "数量・鉄筋表";

} // namespace haltrix::quantities
