// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/unit_system.h"

#include <charconv>

#include "design/bar_table.h"

namespace haltrix {

namespace {

// clang-format off
constexpr UnitTable kTables[] = {
    {UnitSystem::Gravitational, "tf", "tf･m", "kg/cm2", "t/m3", "cm2", "cm", 10.0, 100.0, 1,
     BarColumn::Cm2},
    {UnitSystem::SI, "kN", "kN･m", "N/mm2", "kN/m3", "mm2", "mm", 1.0, 1000.0, 0,
     BarColumn::Mm2},
};
// clang-format on

constexpr std::int32_t kGravitationalFlag = 1;
constexpr std::int32_t kSIFlag = 2;

const char* UnitTable::*unitOf(ConvertedUnit unit) {
    switch (unit) {
    case ConvertedUnit::Force:
        return &UnitTable::force;
    case ConvertedUnit::UnitWeight:
        return &UnitTable::unitWeight;
    case ConvertedUnit::Stress:
        return &UnitTable::stress;
    case ConvertedUnit::Cover:
        break;
    }
    return &UnitTable::cover;
}

} // namespace

UnitSystem unitSystemOf(std::int32_t flag) {
    return flag == kGravitationalFlag ? UnitSystem::Gravitational : UnitSystem::SI;
}

std::int32_t unitSystemFlag(UnitSystem system) {
    return system == UnitSystem::Gravitational ? kGravitationalFlag : kSIFlag;
}

std::optional<UnitSystem> standardUnitSystem(std::int32_t flag) {
    if (flag == kGravitationalFlag)
        return UnitSystem::Gravitational;
    if (flag == kSIFlag)
        return UnitSystem::SI;
    return std::nullopt;
}

UnitSystem otherUnitSystem(UnitSystem system) {
    return system == UnitSystem::Gravitational ? UnitSystem::SI : UnitSystem::Gravitational;
}

const UnitTable& unitTable(UnitSystem system) {
    return kTables[system == UnitSystem::Gravitational ? 0 : 1];
}

const UnitTable& unitTableOf(std::int32_t flag) {
    return unitTable(unitSystemOf(flag));
}

double siFactorOf(ConvertedUnit unit) {
    switch (unit) {
    case ConvertedUnit::Force:
    case ConvertedUnit::UnitWeight:
        return kStandardGravity;
    case ConvertedUnit::Stress:
        return kKgfPerCm2InNPerMm2;
    case ConvertedUnit::Cover:
        break;
    }
    return unitTable(UnitSystem::Gravitational).coverToMm / unitTable(UnitSystem::SI).coverToMm;
}

std::string unitEquation(ConvertedUnit unit) {
    char factor[32];
    const auto end = std::to_chars(factor, factor + sizeof factor, siFactorOf(unit)).ptr;
    const char* UnitTable::*text = unitOf(unit);
    return std::string("1 ") + unitTable(UnitSystem::Gravitational).*text + " = " +
           std::string(factor, end) + " " + unitTable(UnitSystem::SI).*text;
}

} // namespace haltrix
