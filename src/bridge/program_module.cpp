// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_module.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

#ifdef Q_OS_WIN
#include <string>

#include <windows.h>
#endif

namespace haltrix {

namespace {

// The folder of the running program, with or without a Qt application.
QString programFolder() {
#ifdef Q_OS_WIN
    std::wstring path(32768, L'\0');
    const DWORD length =
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return QFileInfo(QDir::fromNativeSeparators(
                         QString::fromWCharArray(path.data(), static_cast<qsizetype>(length))))
        .absolutePath();
#else
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
#endif
}

} // namespace

QFunctionPointer programModuleEntry(const QString& name, const char* entry, QString& failure) {
    const QString file = name + QStringLiteral(HALTRIX_MODULE_SUFFIX);
    // Beside the installed program first (HALTRIX_MODULES_FROM_BINDIR is the
    // way from the program's folder to the modules'), then where the build
    // put them.
    const QStringList places = {
        QDir(QDir(programFolder()).filePath(QStringLiteral(HALTRIX_MODULES_FROM_BINDIR)))
            .filePath(file),
        QDir(QStringLiteral(HALTRIX_MODULES_BUILT)).filePath(file)};
    QStringList failures;
    for (const QString& place : places) {
        if (!QFileInfo::exists(place))
            continue;
        // A module once loaded stays loaded: QLibrary counts the loads.
        QLibrary library(place);
        if (const QFunctionPointer found = library.resolve(entry))
            return found;
        failures.append(library.errorString());
    }
    failure = failures.isEmpty()
                  ? QStringLiteral("モジュール %1 がありません").arg(QDir::toNativeSeparators(places.front()))
                  : failures.join(QStringLiteral("; "));
    return nullptr;
}

} // namespace haltrix
