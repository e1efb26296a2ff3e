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
    const bool gravitational = unitSystem == kUnitGravitational;
    switch (kind) {
    case InputKind::Length:
        return "m";
    case InputKind::Force:
        return gravitational ? "tf" : "kN";
    case InputKind::Cover:
        return gravitational ? "cm" : "mm";
    case InputKind::Count:
        return "本";
    case InputKind::Stress:
        return gravitational ? "kg/cm2" : "N/mm2";
    case InputKind::UnitWeight:
        return gravitational ? "t/m3" : "kN/m3";
    case InputKind::Designation:
    case InputKind::UnitSystem:
        break;
    }
    return "";
}

double siFactor(InputKind kind) {
    switch (kind) {
    case InputKind::Force:
    case InputKind::UnitWeight:
        return kStandardGravity;
    case InputKind::Stress:
        return kKgfPerCm2InNPerMm2;
    case InputKind::Cover:
        return 10.0;
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
