// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QSettings;

namespace haltrix::gui {

// The designs last opened or saved, newest first, as the ﾌｧｲﾙ menu lists
// them. Kept in the per-user settings under "Recent/Designs", so every
// running copy of the program shares them.
inline constexpr int kRecentDesignCount = 5;

// `list` with `path` in front: an earlier mention of the same file is
// removed and the list is cut to kRecentDesignCount.
QStringList withRecentDesign(const QStringList& list, const QString& path);

QStringList readRecentDesigns(QSettings& settings);
// Puts `path` in front of the stored list; returns the new list.
QStringList addRecentDesign(QSettings& settings, const QString& path);

} // namespace haltrix::gui
