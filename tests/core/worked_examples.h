#pragma once

#include "design_record.h"

// The worked bracket of the calculation's reference example: H1 0.5, H2 0.7,
// l 0.25, b 1.2, a 0.3, first layer 4 x D22, second layer 2 x D22.
inline haltrix::DesignRecord workedGravitational() {
    haltrix::DesignRecord r;
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
    r.ratioCase = 1;
    return r;
}

// The same beam in SI units.
inline haltrix::DesignRecord workedSI() {
    haltrix::DesignRecord r = workedGravitational();
    r.P = 100;
    r.t = 100;
    r.c = 250;
    r.sigmaSa = 180;
    r.concreteUnitWeight = 24.5;
    r.unitSystem = 2;
    return r;
}
