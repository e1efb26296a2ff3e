// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QSettings;

namespace haltrix::gui {

// The main window's outer rectangle in twips, as the per-user settings keep
// it under "Settings": "MainLeft", "MainTop", "MainWidth", "MainHeight".
struct Placement {
    double left = 1000;
    double top = 1000;
    double width = 6500;
    double height = 6500;

    bool operator==(const Placement&) const = default;
};

inline constexpr const char* kSettingsGroup = "Settings";
inline constexpr const char* kMainLeftKey = "MainLeft";
inline constexpr const char* kMainTopKey = "MainTop";
inline constexpr const char* kMainWidthKey = "MainWidth";
inline constexpr const char* kMainHeightKey = "MainHeight";

// Reads the four keys in order; a key that is missing, or whose text is not a
// number, gives that key's default.
Placement readPlacement(QSettings& settings);

// Writes the four keys in order, each as the plain text of the value in
// single precision.
void writePlacement(QSettings& settings, const Placement& placement);

// The text a placement value is stored as: shortest single-precision
// decimal, no exponent ("1000", "1012.5").
QString placementText(double twips);

// Conversions with a screen's logical DPI. Values too large for a window are
// clamped to the largest size a widget may have.
QRect placementToPixels(const Placement& placement, double logicalDpi);
Placement placementFromPixels(const QRect& frame, double logicalDpi);

// True when at least one of the four keys is stored; false on the program's
// first start.
bool placementStored(QSettings& settings);

// The main window's outer rectangle, frame included, on a first start:
// `wanted` cut to the available area and centred in it.
QRect firstStartFrame(const QSize& wanted, const QRect& available);

// `frame` brought wholly inside `area`: a side that reaches past the right or
// bottom edge is first drawn in, not below `minimum`, then the frame is moved
// by as little as needed. A frame that cannot shrink enough keeps its size
// and its top-left corner goes to the area's. An empty area changes nothing.
QRect fitInside(const QRect& frame, const QRect& area, const QSize& minimum);

// A frame that lies entirely off every screen is moved to the top-left
// corner of the primary screen's available area, keeping its size; any other
// frame is returned unchanged.
QRect keepOnScreens(const QRect& frame, const QList<QRect>& screenGeometries,
                    const QRect& primaryAvailable);

} // namespace haltrix::gui
