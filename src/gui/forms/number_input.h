// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace haltrix::gui {

// The number a user typed or a setting holds: read with the locale (the
// system's unless told) first and then with "." as the decimal point, blanks
// around it allowed; full-width digits, point, comma, signs and blanks count
// as their half-width forms (halfWidthNumberText). Empty text, other text, infinities and NaN give no value.
std::optional<double> numberFromText(const QString& text,
                                     const QLocale& locale = QLocale::system());

// The plain text of a number, as every text box shows it.
QString textOfNumber(double value);

} // namespace haltrix::gui
