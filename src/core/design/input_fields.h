// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "design/design_inputs.h"
#include "design/unit_system.h"

namespace haltrix {

// The inputs of a design described once: the design file, the JSON of
// haltrix-calc, the design table, the unit conversion, the sweep and the 感度
// plot all read this table. Adding an input touches the table, DesignInputs,
// the engine and the input form.

// The kind of quantity an input is: its unit in each unit system and how the
// unit conversion takes it.
enum class InputKind {
    Length,      // m in both unit systems
    Force,       // tf / kN
    Cover,       // cm / mm
    Count,       // bars
    Stress,      // σsa
    UnitWeight,  // t/m3 / kN/m3
    Designation, // a bar's designation, text
    UnitSystem,  // the unit-system flag, a whole number
};

struct InputField {
    std::string_view name;    // the JSON key, the design-table column, the sweep's name
    std::string_view symbol;  // as the conversion names it: "P", "σsa", "γc"
    std::string_view caption; // as the 感度 list names it: "鉛直力 P"
    int fileLine;             // its line in the design file, 1 to 16
    InputKind kind;
    double DesignInputs::*number = nullptr;    // a number input
    std::string DesignInputs::*text = nullptr; // a designation
    int sweepOrder = 0; // its place in the sweep's and the 感度 list (1 first); 0: not swept
};

inline constexpr int kInputFieldCount = 16;

// In the order of the design table's columns.
// clang-format off
inline constexpr std::array<InputField, kInputFieldCount> kInputFields = {{
    {"unitSystem", "", "単位系", 16, InputKind::UnitSystem},
    {"H1", "H1", "先端高 H1", 1, InputKind::Length, &DesignInputs::H1, nullptr, 5},
    {"H2", "H2", "付根高 H2", 2, InputKind::Length, &DesignInputs::H2, nullptr, 4},
    {"l", "l", "張出長 l", 3, InputKind::Length, &DesignInputs::l, nullptr, 6},
    {"b", "b", "橋軸方向幅 b", 4, InputKind::Length, &DesignInputs::b, nullptr, 7},
    {"a", "a", "支承位置 a", 5, InputKind::Length, &DesignInputs::a, nullptr, 1},
    {"P", "P", "鉛直力 P", 8, InputKind::Force, &DesignInputs::P, nullptr, 3},
    {"H", "H", "直角方向水平力 H", 9, InputKind::Force, &DesignInputs::H, nullptr, 2},
    {"t", "t", "被り t", 10, InputKind::Cover, &DesignInputs::t, nullptr, 8},
    {"c", "c", "鉄筋間隔 c", 11, InputKind::Cover, &DesignInputs::c, nullptr, 9},
    {"layer1Bar", "", "１段目 鉄筋径", 12, InputKind::Designation, nullptr, &DesignInputs::layer1Bar},
    {"layer1Count", "n1", "１段目 本数 n", 13, InputKind::Count, &DesignInputs::layer1Count, nullptr, 10},
    {"layer2Bar", "", "２段目 鉄筋径", 14, InputKind::Designation, nullptr, &DesignInputs::layer2Bar},
    {"layer2Count", "n2", "２段目 本数 n", 15, InputKind::Count, &DesignInputs::layer2Count, nullptr, 11},
    {"sigmaSa", "σsa", "許容引張応力度 σsa", 7, InputKind::Stress, &DesignInputs::sigmaSa, nullptr, 12},
    {"concreteUnitWeight", "γc", "単位体積重量 γc", 6, InputKind::UnitWeight, &DesignInputs::concreteUnitWeight, nullptr, 13},
}};
// clang-format on

// The field of that name; empty for a name the table does not know.
std::optional<InputField> inputFieldByName(std::string_view name);

// The unit of a kind of input in a unit system (1 gravitational, any other
// value SI): "tf", "mm", "本"; empty for a designation and the flag.
std::string_view inputUnit(InputKind kind, std::int32_t unitSystem);

// The factor that takes a value of the kind from the gravitational unit to
// the SI one (the unit table's, see unit_system.h): g for forces and unit
// weights, the gravitational stress unit in N/mm2 for stresses, 10 for
// covers; 1 for what the unit system does not change.
double siFactor(InputKind kind);

// Whether a conversion may round the kind to significant digits (the
// material values σsa and γc).
bool roundableOnConversion(InputKind kind);

} // namespace haltrix
