// SPDX-License-Identifier: GPL-3.0-or-later
#include "core_path.h"

#include <QDir>
#include <QFile>

namespace haltrix {

std::string pathForCore(const QString& path) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

QString pathFromCore(const std::string& path) {
#ifdef Q_OS_WIN
    return QString::fromStdString(path);
#else
    return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

} // namespace haltrix
