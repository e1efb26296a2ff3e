// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace haltrix {

enum class BarColumn;

// The two unit systems a design is written in. The design keeps its file's
// flag as read (1 gravitational, 2 SI, and a hand-edited file may hold any
// other whole number, which is calculated as SI and has no report); these
// functions turn the flag into the system and back.
enum class UnitSystem { Gravitational, SI };

// 1 gives the gravitational system, any other flag the SI one.
UnitSystem unitSystemOf(std::int32_t flag);

// The flag a design file stores for the system: 1 or 2.
std::int32_t unitSystemFlag(UnitSystem system);

// The system of a standard flag (1 or 2); empty for any other flag.
std::optional<UnitSystem> standardUnitSystem(std::int32_t flag);

UnitSystem otherUnitSystem(UnitSystem system);

// 1 tf = 9.80665 kN (and 1 t/m3 = 9.80665 kN/m3): the standard gravity.
inline constexpr double kStandardGravity = 9.80665;
// The gravitational unit of stress in the SI one.
inline constexpr double kKgfPerCm2InNPerMm2 = 0.0980665;

// Everything that differs between the two systems: the unit texts, the
// cover's unit and its factors, and the bar-table column of the areas.
struct UnitTable {
    UnitSystem system;
    const char* force;      // P, H, S: "tf" or "kN"
    const char* moment;     // "tf･m" or "kN･m"
    const char* stress;     // σsa
    const char* unitWeight; // γc
    const char* area;       // bar areas: "cm2" or "mm2"
    const char* cover;      // t, c: "cm" or "mm"
    double coverToMm;       // a cover times this is in mm
    double coverPerM;       // a cover divided by this is in m
    int coverMmDecimals;    // the decimals that show a cover to the whole mm
    BarColumn barColumn;    // the bar-table column of the areas
};

const UnitTable& unitTable(UnitSystem system);

// The table of the system a flag selects (see unitSystemOf).
const UnitTable& unitTableOf(std::int32_t flag);

// The factor that takes a value from the gravitational unit to the SI one.
enum class ConvertedUnit { Force, UnitWeight, Stress, Cover };
double siFactorOf(ConvertedUnit unit);

// "1 tf = 9.80665 kN": the gravitational unit in the SI one.
std::string unitEquation(ConvertedUnit unit);

} // namespace haltrix
