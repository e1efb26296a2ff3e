// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFontMetrics;
class QLabel;
class QTableWidgetItem;

namespace haltrix::gui {

// A number's text as a cell or label of `width` pixels can show it: the text
// itself when it fits, else the overflow mark. A cut number would read as
// another value.
QString fittedNumberText(const QString& text, const QFontMetrics& metrics, int width);

// Shows a number in a label of fixed width; one that does not fit shows the
// overflow mark, with the whole text as the tooltip.
void showNumber(QLabel& label, const QString& text);

// The same for a grid cell of `width` pixels (its column's width).
void showNumber(QTableWidgetItem& item, const QString& text, const QFontMetrics& metrics,
                int width);

} // namespace haltrix::gui
