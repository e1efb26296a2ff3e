// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

namespace haltrix::gui {

// Twips are 1/1440 inch; forms are laid out in them and converted with the
// screen's logical DPI.
inline constexpr double kTwipsPerInch = 1440.0;

int twipsToPixels(double twips, double logicalDpi);
double pixelsToTwips(int pixels, double logicalDpi);

// The logical DPI of the screen a widget is on (the primary screen when it
// has none yet).
double logicalDpiOf(const QWidget* widget);

// Converts a rectangle given in twips (left, top, width, height).
QRect twipsRect(int left, int top, int width, int height, double logicalDpi);

} // namespace haltrix::gui
