// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace haltrix {

// The one design the program holds: inputs, control flags, the self-weight
// table, the main-reinforcement results and the horizontal-bar choice.
// Numbers carry the units of the current unit system; nothing here converts.
struct DesignRecord {
    // Inputs (written by the input form on OK and by opening a design file).
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

    // Control values. The main window sets unitSystem to 2 when it starts.
    std::int32_t unitSystem = 0;
    std::int32_t ratioCase = 0;

    // Self-weight table.
    double N1 = 0;
    double x1 = 0;
    double M1 = 0;
    double N2 = 0;
    double x2 = 0;
    double M2 = 0;
    double Ntotal = 0;
    double M = 0;

    // Main-reinforcement results.
    double layer1Area = 0;
    double layer2Area = 0;
    double S = 0;
    double sumAs = 0;
    double d = 0;
    double Zc = 0;
    double tanAlpha = 0;
    double Tp = 0;
    double Ast = 0;
    std::string mainJudgement;

    // Horizontal reinforcement chosen on the result window.
    double hBarCount = 0;
    double hBarIndex = 0;
    double hBarArea = 0;
    double hAs = 0;
    std::string hBarName;

    bool operator==(const DesignRecord&) const = default;
};

// Judgement texts, four blanks in front of each.
inline constexpr const char* kJudgementOk = "    - OK -";
inline constexpr const char* kJudgementNg = "    - NG -";

// The unit system the program starts in.
inline constexpr std::int32_t kUnitGravitational = 1;
inline constexpr std::int32_t kUnitSI = 2;

// Sets ratioCase from a / H2: 1 when the quotient is at most 0.5, else 2.
// With H2 == 0 the case is left as it was.
void deriveRatioCase(DesignRecord& record);

// The first value when it is greater than or equal to the second, else the
// second: the rule every governing value is formed by.
double LargerOf(double first, double second);

} // namespace haltrix
