// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "design_record.h"

namespace haltrix {

// What the user enters and a design file holds: the fifteen inputs and the
// unit system. Two records with equal inputs hold the same design, whatever
// their results, formula case or side-face bar choice.
struct DesignInputs {
    double H1 = 0;
    double H2 = 0;
    double l = 0;
    double b = 0;
    double a = 0;
    double P = 0;
    double H = 0;
    double t = 0;
    double c = 0;
    std::string layer1Bar;
    double layer1Count = 0;
    std::string layer2Bar;
    double layer2Count = 0;
    double sigmaSa = 0;
    double concreteUnitWeight = 0;
    std::int32_t unitSystem = 0;

    bool operator==(const DesignInputs&) const = default;
};

DesignInputs inputsOf(const DesignRecord& record);

} // namespace haltrix
