// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/input_fields.h"

namespace haltrix {

std::optional<InputField> inputFieldByName(std::string_view name) {
    for (const InputField& field : kInputFields) {
        if (field.name == name)
            return field;
    }
    return std::nullopt;
}

std::string_view inputUnit(InputKind kind, std::int32_t unitSystem) {
    const UnitTable& units = unitTableOf(unitSystem);
    switch (kind) {
    case InputKind::Length:
        return "m";
    case InputKind::Force:
        return units.force;
    case InputKind::Cover:
        return units.cover;
    case InputKind::Count:
        return "本";
    case InputKind::Stress:
        return units.stress;
    case InputKind::UnitWeight:
        return units.unitWeight;
    case InputKind::Designation:
    case InputKind::UnitSystem:
        break;
    }
    return "";
}

double siFactor(InputKind kind) {
    switch (kind) {
    case InputKind::Force:
        return siFactorOf(ConvertedUnit::Force);
    case InputKind::UnitWeight:
        return siFactorOf(ConvertedUnit::UnitWeight);
    case InputKind::Stress:
        return siFactorOf(ConvertedUnit::Stress);
    case InputKind::Cover:
        return siFactorOf(ConvertedUnit::Cover);
    case InputKind::Length:
    case InputKind::Count:
    case InputKind::Designation:
    case InputKind::UnitSystem:
        break;
    }
    return 1.0;
}

bool roundableOnConversion(InputKind kind) {
    return kind == InputKind::Stress || kind == InputKind::UnitWeight;
}

} // namespace haltrix
