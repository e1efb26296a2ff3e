// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace haltrix {

// One load case of a design: its name (free text, may be empty) and the
// values that differ between cases. Everything else is the design's.
struct LoadCase {
    std::string name;
    double P = 0;
    double H = 0;
    double sigmaSa = 0;

    bool operator==(const LoadCase&) const = default;
};

// The side-face bars a calculation is checked with, as the result window's
// bar list and count box give them: the list position (-1 when nothing is
// chosen, which counts as D10) and the count.
struct HorizontalChoice {
    int barIndex = -1;
    double barCount = 4;

    bool operator==(const HorizontalChoice&) const = default;
};

// What the engineer enters for one design: the fifteen inputs and the unit
// system they are in. Numbers carry the units of that unit system; nothing
// here converts. A design file holds exactly these.
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

    // 1 gravitational, 2 SI; any other value is calculated as SI and has no
    // report. The program starts in SI.
    std::int32_t unitSystem = 0;

    // The load cases. The first case is P, H and sigmaSa above with the name
    // firstCaseName; the cases after it follow in order (see load_cases.h).
    std::string firstCaseName;
    std::vector<LoadCase> laterCases;

    // The side-face bars the design is checked with, kept with the design.
    HorizontalChoice sideFaceChoice;

    bool operator==(const DesignInputs&) const = default;
};

inline constexpr std::int32_t kUnitGravitational = 1;
inline constexpr std::int32_t kUnitSI = 2;

// The formula case a / H2 selects: 1 when the quotient is at most 0.5, 2
// when it is larger (or not a number), 0 when H2 is 0. Every case other than
// 1 is calculated, shown and printed as case 2.
int formulaCaseOf(const DesignInputs& inputs);

// The first value when it is greater than or equal to the second, else the
// second: the rule every governing value is formed by.
double LargerOf(double first, double second);

} // namespace haltrix
