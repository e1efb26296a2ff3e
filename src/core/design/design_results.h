// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace haltrix {

// What one calculation of a design gives. A calculation starts from these
// values as they stand here (zero, empty), so a result that a stopped
// calculation did not reach keeps them.

// The self-weight table.
struct SelfWeight {
    double N1 = 0;
    double x1 = 0;
    double M1 = 0;
    double N2 = 0;
    double x2 = 0;
    double M2 = 0;
    double Ntotal = 0;
    double M = 0;

    bool operator==(const SelfWeight&) const = default;
};

// The main (top) reinforcement.
struct MainReinforcement {
    double layer1Area = 0;
    double layer2Area = 0;
    double S = 0;
    double sumAs = 0;
    double d = 0;
    double Zc = 0;
    double tanAlpha = 0;
    double Tp = 0;
    double Ast = 0;
    std::string judgement;

    bool operator==(const MainReinforcement&) const = default;
};

// 2/3·ΣAs: the share of formula (1)'s steel the top bars carry (the
// quotient formed first, then multiplied).
inline double topShareOfSumAs(const MainReinforcement& main) {
    return (2.0 / 3.0) * main.sumAs;
}

// The horizontal reinforcement on the side faces, checked with a chosen bar
// and count.
struct SideFaceReinforcement {
    int barIndex = -1;   // the bar list position checked with; -1 none (D10)
    double barCount = 0; // the count checked with (0 for one beyond the number range)
    double barArea = 0;  // of one bar
    double As = 0;       // provided
    std::string barName; // the designation barIndex stands for
    double required = 0;
    std::string judgement; // empty when the calculation stopped

    bool operator==(const SideFaceReinforcement&) const = default;
};

struct DesignResults {
    int ratioCase = 0; // the formula case calculated (see formulaCaseOf)
    SelfWeight selfWeight;
    MainReinforcement main;
    SideFaceReinforcement sideFaces;
    // The engine's message when it stopped (the first one); the results not
    // reached then hold their fresh values.
    std::optional<std::string> message;

    bool completed() const { return !message; }
    bool operator==(const DesignResults&) const = default;
};

// Judgement texts, four blanks in front of each.
inline constexpr const char* kJudgementOk = "    - OK -";
inline constexpr const char* kJudgementNg = "    - NG -";

} // namespace haltrix
