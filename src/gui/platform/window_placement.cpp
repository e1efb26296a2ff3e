// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_placement.h"

#include <QSettings>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "forms/number_input.h"
#include "platform/twips.h"

namespace haltrix::gui {

namespace {

double readKey(QSettings& settings, const char* key, double fallback) {
    const QVariant value = settings.value(QLatin1String(key));
    if (!value.isValid())
        return fallback;
    return numberFromText(value.toString()).value_or(fallback);
}

int clampedPixels(double twips, double logicalDpi) {
    const double limit = QWIDGETSIZE_MAX * kTwipsPerInch / logicalDpi;
    return twipsToPixels(std::clamp(twips, -limit, limit), logicalDpi);
}

} // namespace

Placement readPlacement(QSettings& settings) {
    const Placement defaults;
    Placement placement;
    settings.beginGroup(QLatin1String(kSettingsGroup));
    placement.left = readKey(settings, kMainLeftKey, defaults.left);
    placement.top = readKey(settings, kMainTopKey, defaults.top);
    placement.width = readKey(settings, kMainWidthKey, defaults.width);
    placement.height = readKey(settings, kMainHeightKey, defaults.height);
    settings.endGroup();
    return placement;
}

void writePlacement(QSettings& settings, const Placement& placement) {
    settings.beginGroup(QLatin1String(kSettingsGroup));
    // A value the settings hold already is not set again, so that closing a
    // window that has not moved leaves the file as it is.
    const auto set = [&settings](const char* key, double twips) {
        const QString text = placementText(twips);
        if (settings.value(QLatin1String(key)).toString() != text)
            settings.setValue(QLatin1String(key), text);
    };
    set(kMainLeftKey, placement.left);
    set(kMainTopKey, placement.top);
    set(kMainWidthKey, placement.width);
    set(kMainHeightKey, placement.height);
    settings.endGroup();
}

QString placementText(double twips) {
    const float single = static_cast<float>(twips);
    if (!std::isfinite(single))
        return QStringLiteral("0");
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, single, std::chars_format::fixed);
    if (result.ec != std::errc())
        return QStringLiteral("0");
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

QRect placementToPixels(const Placement& placement, double logicalDpi) {
    return QRect(
        clampedPixels(placement.left, logicalDpi), clampedPixels(placement.top, logicalDpi),
        clampedPixels(placement.width, logicalDpi), clampedPixels(placement.height, logicalDpi));
}

Placement placementFromPixels(const QRect& frame, double logicalDpi) {
    return Placement{pixelsToTwips(frame.x(), logicalDpi), pixelsToTwips(frame.y(), logicalDpi),
                     pixelsToTwips(frame.width(), logicalDpi),
                     pixelsToTwips(frame.height(), logicalDpi)};
}

bool placementStored(QSettings& settings) {
    settings.beginGroup(QLatin1String(kSettingsGroup));
    bool stored = false;
    for (const char* key : {kMainLeftKey, kMainTopKey, kMainWidthKey, kMainHeightKey})
        stored = stored || settings.contains(QLatin1String(key));
    settings.endGroup();
    return stored;
}

QRect firstStartFrame(const QSize& wanted, const QRect& available) {
    const QSize size = wanted.boundedTo(available.size());
    return {QPoint(available.left() + (available.width() - size.width()) / 2,
                   available.top() + (available.height() - size.height()) / 2),
            size};
}

QRect keepOnScreens(const QRect& frame, const QList<QRect>& screenGeometries,
                    const QRect& primaryAvailable) {
    for (const QRect& screen : screenGeometries) {
        if (frame.intersects(screen))
            return frame;
    }
    QRect moved = frame;
    moved.moveTopLeft(primaryAvailable.topLeft());
    return moved;
}

namespace {

// One axis of fitInside: the start and the length of a span inside
// [areaStart, areaStart + areaLength).
std::pair<int, int> fitSpan(int start, int length, int areaStart, int areaLength, int minimum) {
    const int areaEnd = areaStart + areaLength;
    const int room = areaEnd - std::max(start, areaStart);
    // Drawn in where it stands, when what is left is not below the minimum;
    // otherwise moved, no larger than the area allows.
    if (start + length > areaEnd && room >= minimum)
        length = room;
    length = std::min(length, std::max(areaLength, minimum));
    start = std::clamp(start, areaStart, std::max(areaStart, areaEnd - length));
    return {start, length};
}

} // namespace

QRect fitInside(const QRect& frame, const QRect& area, const QSize& minimum) {
    if (area.isEmpty())
        return frame;
    const auto [left, width] =
        fitSpan(frame.left(), frame.width(), area.left(), area.width(), minimum.width());
    const auto [top, height] =
        fitSpan(frame.top(), frame.height(), area.top(), area.height(), minimum.height());
    return {left, top, width, height};
}

} // namespace haltrix::gui
