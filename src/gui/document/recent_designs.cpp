// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/recent_designs.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace haltrix::gui {

namespace {

const char* const kRecentKey = "Recent/Designs";

// One spelling per file, so that "a/../b.tvx" and "b.tvx" count once.
QString normalized(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QStringList withRecentDesign(const QStringList& list, const QString& path) {
    const QString entry = normalized(path);
    QStringList result{entry};
    for (const QString& earlier : list) {
        if (result.size() >= kRecentDesignCount)
            break;
        if (!earlier.isEmpty() && normalized(earlier) != entry)
            result.append(earlier);
    }
    return result;
}

QStringList readRecentDesigns(QSettings& settings) {
    QStringList list = settings.value(QLatin1String(kRecentKey)).toStringList();
    list.removeAll(QString());
    if (list.size() > kRecentDesignCount)
        list.resize(kRecentDesignCount);
    return list;
}

QStringList addRecentDesign(QSettings& settings, const QString& path) {
    const QStringList list = withRecentDesign(readRecentDesigns(settings), path);
    settings.setValue(QLatin1String(kRecentKey), list);
    settings.sync();
    return list;
}

} // namespace haltrix::gui
