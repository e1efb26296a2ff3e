// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/anchorage.h"

#include <array>
#include <cmath>

#include "paper/number_format.h"

namespace haltrix::model {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

} // namespace

std::string AnchorageRule::text() const {
    return unit == Unit::Millimetres ? plainText(value) + " mm" : plainText(value) + "φ";
}

std::optional<AnchorageRule> parseAnchorage(std::string_view text, std::string& error) {
    std::string_view rest = trimmed(text);
    AnchorageRule rule;
    rule.unit = AnchorageRule::Unit::Millimetres;
    static constexpr std::array<std::string_view, 5> kDiameterSuffixes = {"φ", "Φ", "ϕ", "phi",
                                                                          "D"};
    bool suffixFound = false;
    for (const std::string_view suffix : kDiameterSuffixes) {
        if (endsWith(rest, suffix)) {
            rest.remove_suffix(suffix.size());
            rule.unit = AnchorageRule::Unit::Diameters;
            suffixFound = true;
            break;
        }
    }
    if (!suffixFound && endsWith(rest, "mm"))
        rest.remove_suffix(2);
    const std::optional<double> number = parseNumber(std::string(trimmed(rest)));
    const double largest =
        rule.unit == AnchorageRule::Unit::Millimetres ? kMaxAnchorageMm : kMaxAnchorageDiameters;
    if (!number || !std::isfinite(*number) || *number <= 0 || *number > largest) {
        error = "定着長には mm の長さ（「600」）か鉄筋径の倍数（「40φ」か「40D」）を、0 より大きく " +
                plainText(kMaxAnchorageMm) + " mm または " + plainText(kMaxAnchorageDiameters) +
                "φ 以下で指定してください（「" + std::string(text) + "」は使えません）";
        return std::nullopt;
    }
    rule.value = *number;
    return rule;
}

} // namespace haltrix::model
