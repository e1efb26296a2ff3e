// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/clear_spacing_settings.h"

#include <QSettings>

#include "forms/number_input.h"

namespace haltrix::gui {

namespace {

std::optional<double> readLength(QSettings& settings, const char* key) {
    const std::optional<double> mm = numberFromText(settings.value(QLatin1String(key)).toString());
    if (mm && isValidSpacingSettingMm(*mm))
        return mm;
    return std::nullopt;
}

} // namespace

ClearSpacingRule readClearSpacingRule(QSettings& settings) {
    ClearSpacingRule rule;
    settings.beginGroup(QLatin1String(kWarningsGroup));
    if (const auto aggregate = readLength(settings, kMaxAggregateKey))
        rule.maxAggregateMm = *aggregate;
    rule.fixedMm = readLength(settings, kFixedMinClearKey);
    if (const auto centre = readLength(settings, kMaxCentreKey))
        rule.maxCentreMm = *centre;
    settings.endGroup();
    return rule;
}

void writeClearSpacingRule(QSettings& settings, const ClearSpacingRule& rule) {
    settings.beginGroup(QLatin1String(kWarningsGroup));
    settings.setValue(QLatin1String(kMaxAggregateKey), textOfNumber(rule.maxAggregateMm));
    settings.setValue(QLatin1String(kFixedMinClearKey),
                      rule.fixedMm ? textOfNumber(*rule.fixedMm) : QString());
    settings.setValue(QLatin1String(kMaxCentreKey), textOfNumber(rule.maxCentreMm));
    settings.endGroup();
}

} // namespace haltrix::gui
