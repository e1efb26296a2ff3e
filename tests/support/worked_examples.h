// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design/design_inputs.h"

// The worked bracket of the calculation's reference example: H1 0.5, H2 0.7,
// l 0.25, b 1.2, a 0.3, first layer 4 x D22, second layer 2 x D22.
inline haltrix::DesignInputs workedGravitational() {
    haltrix::DesignInputs r;
    r.H1 = 0.5;
    r.H2 = 0.7;
    r.l = 0.25;
    r.b = 1.2;
    r.a = 0.3;
    r.P = 10;
    r.H = 0;
    r.t = 10;
    r.c = 25;
    r.sigmaSa = 1800;
    r.concreteUnitWeight = 2.5;
    r.layer1Bar = "D22";
    r.layer1Count = 4;
    r.layer2Bar = "D22";
    r.layer2Count = 2;
    r.unitSystem = 1;
    return r;
}

// The same beam in SI units.
inline haltrix::DesignInputs workedSI() {
    haltrix::DesignInputs r = workedGravitational();
    r.P = 100;
    r.t = 100;
    r.c = 250;
    r.sigmaSa = 180;
    r.concreteUnitWeight = 24.5;
    r.unitSystem = 2;
    return r;
}

// What the calculation gives for the worked examples, worked out by hand and
// quoted to the digits of the reference example (compare with a relative
// tolerance of about 5e-7). The same in both formula cases.
struct WorkedResults {
    // Self-weight table.
    double N1, x1, M1, N2, x2, M2, Ntotal, M;
    // Main reinforcement.
    double S, sumAs, layer1Area, layer2Area, d, Zc, tanAlpha, Tp, Ast;
};

inline WorkedResults workedResultsGravitational() {
    return {0.375,    0.125,  0.046875, 0.075,    0.083333, 0.00625,  0.45,    0.053125, 10.45,
            4.146825, 15.484, 7.742,    0.516667, 0.439167, 0.683112, 6.83112, 3.862271};
}

inline WorkedResults workedResultsSI() {
    return {3.675,    0.125,    0.459375, 0.735,      0.083333,  0.06125,
            4.41,     0.520625, 104.41,   414.325397, 1548.4,    774.2,
            0.516667, 0.439167, 0.683112, 68.311195,  386.092663};
}

// The worked SI bracket with two cases: 常時 as its sixteen lines hold it,
// and 地震時 with the horizontal force quakeH and σsa raised to 300.
inline haltrix::DesignInputs workedTwoCases(double quakeH = 30) {
    haltrix::DesignInputs r = workedSI();
    r.firstCaseName = "常時";
    r.laterCases = {{"地震時", 100, quakeH, 300}};
    return r;
}

// The one-case design of a case's loads, built by hand: the design's
// dimensions and bars with P, H and σsa of `loads` and no other case.
inline haltrix::DesignInputs withLoadsOf(haltrix::DesignInputs design,
                                         const haltrix::LoadCase& loads) {
    design.laterCases.clear();
    design.P = loads.P;
    design.H = loads.H;
    design.sigmaSa = loads.sigmaSa;
    return design;
}
