// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// haltrix-calc (or another program) run as a separate process, as a user or
// a script runs it. The test target defines HALTRIX_CALC as the program's path.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace haltrix::testing {

struct CalcRun {
    int exitCode = -1; // -1: it did not finish in time; -2: it crashed
    QByteArray out;
    QByteArray err;

    QString outText() const { return QString::fromUtf8(out); }
    QString errText() const { return QString::fromUtf8(err); }
};

// Any program, as haltrix-calc is run below.
inline CalcRun runProgram(
    const QString& program, const QStringList& arguments, const QString& directory = {},
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!directory.isEmpty())
        process.setWorkingDirectory(directory);
    process.start(program, arguments);
    CalcRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
#ifdef Q_OS_WIN
    // Standard output in text mode ends lines with CR LF there.
    run.out.replace("\r\n", "\n");
    run.err.replace("\r\n", "\n");
#endif
    return run;
}

inline CalcRun runHaltrixCalc(
    const QStringList& arguments, const QString& directory = {},
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return runProgram(QStringLiteral(HALTRIX_CALC), arguments, directory, environment);
}

} // namespace haltrix::testing
