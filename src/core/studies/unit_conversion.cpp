// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/unit_conversion.h"

#include <cmath>

#include "design/load_cases.h"
#include "paper/number_format.h"

namespace haltrix {

std::int32_t otherUnitSystem(std::int32_t unitSystem) {
    return unitSystemFlag(otherUnitSystem(unitSystemOf(unitSystem)));
}

std::string unitSystemName(std::int32_t unitSystem) {
    if (const auto system = standardUnitSystem(unitSystem))
        return *system == UnitSystem::Gravitational ? "重力単位" : "ＳＩ単位";
    return "単位系 " + std::to_string(unitSystem);
}

std::optional<std::string> convertUnitSystem(const DesignInputs& design, std::int32_t to,
                                             int roundingDigits, UnitConversion& result) {
    if (!standardUnitSystem(to))
        return "変換先の単位系は 1（重力単位）か 2（ＳＩ単位）です";
    if (roundingDigits < 0 || roundingDigits > kMaxRoundingDigits)
        return "丸めの桁数は 1 から " + std::to_string(kMaxRoundingDigits) + " です";
    const std::int32_t from = design.unitSystem;
    if (!standardUnitSystem(from))
        return "単位系が " + std::to_string(from) +
               " の設計は変換できません（1 重力単位か 2 ＳＩ単位の設計だけです）";

    UnitConversion conversion;
    conversion.from = from;
    conversion.to = to;
    conversion.roundingDigits = roundingDigits;
    conversion.design = design;
    if (from != to) {
        const bool toSI = unitSystemOf(to) == UnitSystem::SI;
        // Converts one value of a kind; false when it would leave the range.
        std::optional<std::string> failure;
        auto convert = [&](std::string name, InputKind kind, double& value) {
            ConvertedInput changed;
            changed.name = std::move(name);
            changed.unitBefore = inputUnit(kind, from);
            changed.unitAfter = inputUnit(kind, to);
            changed.before = value;
            const double factor = siFactor(kind);
            changed.after = toSI ? changed.before * factor : changed.before / factor;
            if (roundableOnConversion(kind) && roundingDigits > 0) {
                changed.after = roundSignificant(changed.after, roundingDigits);
                changed.rounded = true;
            }
            if (!std::isfinite(changed.after)) {
                failure = changed.name + " = " + plainText(changed.before) + " " +
                          changed.unitBefore + " は変換すると数値の範囲を超えます";
                return false;
            }
            value = changed.after;
            conversion.inputs.push_back(std::move(changed));
            return true;
        };
        // The inputs whose unit the unit system changes, in the table's order.
        for (const InputField& input : kInputFields) {
            if (!input.number || siFactor(input.kind) == 1.0)
                continue;
            if (!convert(std::string(input.symbol), input.kind, conversion.design.*input.number))
                return failure;
        }
        // The later load cases' P, H and σsa, each named with its case.
        for (std::size_t i = 0; i < conversion.design.laterCases.size(); ++i) {
            LoadCase& loadCase = conversion.design.laterCases[i];
            const std::string title = caseTitle(loadCase, static_cast<int>(i) + 1) + " の ";
            if (!convert(title + "P", InputKind::Force, loadCase.P) ||
                !convert(title + "H", InputKind::Force, loadCase.H) ||
                !convert(title + "σsa", InputKind::Stress, loadCase.sigmaSa))
                return failure;
        }
        conversion.design.unitSystem = to;
    }
    result = std::move(conversion);
    return std::nullopt;
}

std::string UnitConversion::description(Tense tense) const {
    const bool done = tense == Tense::Done;
    if (inputs.empty())
        return "すでに" + unitSystemName(to) + "の設計です。値は変換" +
               (done ? "していません。\n" : "しません。\n");
    std::string text = unitSystemName(from) + "から" + unitSystemName(to) + "へ変換" +
                       (done ? "しました。\n" : "します。\n");
    for (const ConvertedInput& input : inputs) {
        text += "  " + input.name + " = " + plainText(input.before) + " " + input.unitBefore +
                " → " + plainText(input.after) + " " + input.unitAfter;
        if (input.rounded)
            text += "（丸め）";
        text += "\n";
    }
    text += "換算: " + unitEquation(ConvertedUnit::Force) + "、" +
            unitEquation(ConvertedUnit::UnitWeight) + "、" + unitEquation(ConvertedUnit::Stress) +
            "、" + unitEquation(ConvertedUnit::Cover) + "。\n";
    text += "H1, H2, l, b, a（m）と鉄筋の呼び名・本数は変わりません。\n";
    if (roundingDigits > 0)
        text += "σsa と γc は有効数字 " + std::to_string(roundingDigits) + " 桁に丸め" +
                (done ? "ました。\n" : "ます。\n");
    else
        text += std::string("σsa と γc は丸め") + (done ? "ていません。\n" : "ません。\n");
    return text;
}

bool holdsInputs(const DesignInputs& r) {
    for (const InputField& field : kInputFields) {
        if ((field.number && r.*field.number != 0.0) || (field.text && !(r.*field.text).empty()))
            return true;
    }
    return !r.laterCases.empty();
}

} // namespace haltrix
