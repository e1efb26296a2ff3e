// SPDX-License-Identifier: GPL-3.0-or-later
#include "wine_linux_tool.h"

#ifdef Q_OS_WIN
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <windows.h>
#endif

namespace haltrix::test {

#ifdef Q_OS_WIN
namespace {

// Wine's own conversion of a Windows path to the Unix one, absent on Windows.
using UnixFileNameFunction = char*(CDECL*)(LPCWSTR);

UnixFileNameFunction unixFileNameFunction() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel)
        return nullptr;
    return reinterpret_cast<UnixFileNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
}

QString unixFileName(UnixFileNameFunction convert, const QString& path) {
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    char* name = convert(reinterpret_cast<LPCWSTR>(native.utf16()));
    if (!name)
        return QString();
    const QString result = QString::fromUtf8(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

QString shellQuoted(QString text) {
    text.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

} // namespace

// Wine starts a Linux program but tells the Windows side neither its end nor
// its exit status, and does not connect its output to Windows pipes: so the
// program runs through sh, which leaves its output and status in files; the
// status file appears last, when everything is written.
bool runLinuxToolUnderWine(const QString& program, const QStringList& arguments,
                           QByteArray& output, QString& error) {
    const UnixFileNameFunction convert = unixFileNameFunction();
    const QString shell = QStringLiteral("Z:/bin/sh");
    if (!convert || !QFileInfo::exists(shell))
        return false;
    QTemporaryDir dir;
    const QString unixDir = unixFileName(convert, dir.path());
    if (!dir.isValid() || unixDir.isEmpty()) {
        error = QStringLiteral("no temporary folder for ") + program;
        return true;
    }
    QString command = program;
    for (const QString& argument : arguments) {
        const bool file = !argument.startsWith(QLatin1Char('-')) && QFileInfo::exists(argument);
        command += QLatin1Char(' ') + shellQuoted(file ? unixFileName(convert, argument) : argument);
    }
    const QString out = unixDir + QStringLiteral("/out");
    command += QStringLiteral(" >%1 2>%1.err; echo $? >%1.tmp; mv %1.tmp %1.status")
                   .arg(shellQuoted(out));
    if (!QProcess::startDetached(shell, {QStringLiteral("-c"), command})) {
        error = program + QStringLiteral(" could not be started under Wine");
        return true;
    }
    const QString status = dir.filePath(QStringLiteral("out.status"));
    const QDeadlineTimer deadline(60000);
    while (!QFileInfo::exists(status) && !deadline.hasExpired())
        QThread::msleep(20);
    auto contents = [&dir](const QString& name) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    if (!QFileInfo::exists(status))
        error = program + QStringLiteral(" did not finish within a minute");
    else if (contents(QStringLiteral("out.status")).trimmed() != "0")
        error = program + QStringLiteral(" failed: ") +
                QString::fromUtf8(contents(QStringLiteral("out.err")));
    else
        output = contents(QStringLiteral("out"));
    return true;
}
#else
bool runLinuxToolUnderWine(const QString&, const QStringList&, QByteArray&, QString&) {
    return false;
}
#endif

} // namespace haltrix::test
