// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/number_input.h"

#include <QLocale>
#include <cmath>

#include "paper/number_format.h"

namespace haltrix::gui {

std::optional<double> numberFromText(const QString& text, const QLocale& locale) {
    // Full-width digits and signs typed with the input method on count as
    // their half-width forms.
    const QString trimmed =
        QString::fromStdString(halfWidthNumberText(text.toStdString())).trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = locale.toDouble(trimmed, &ok);
    if (ok && std::isfinite(value))
        return value;
    return parseNumber(trimmed.toStdString());
}

QString textOfNumber(double value) {
    return QString::fromStdString(plainText(value));
}

} // namespace haltrix::gui
