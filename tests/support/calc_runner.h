// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// haltrix-calc (or another program) run as a separate process, as a user or
// a script runs it. The test target defines HALTRIX_CALC as the program's path.

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
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

#ifdef HALTRIX_SOURCE_DIR
// A file of the source tree, "examples/bracket-si.tvx"; an example design; a
// file of the tests' data.
inline QString source(const QString& relative) {
    return QStringLiteral(HALTRIX_SOURCE_DIR "/") + relative;
}
inline QString example(const QString& name) { return source(QStringLiteral("examples/") + name); }
inline QString testData(const QString& name) { return source(QStringLiteral("tests/data/") + name); }
#endif

// A file's bytes; none if it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What haltrix-calc json writes: an object a line. None at all if a line is
// not an object.
inline QList<QJsonObject> jsonLines(const QByteArray& out) {
    QList<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        if (error.error != QJsonParseError::NoError || !document.isObject())
            return {};
        objects.append(document.object());
    }
    return objects;
}

// The first (or only) object of haltrix-calc's json output.
inline QJsonObject jsonObject(const QByteArray& out) { return jsonLines(out).value(0); }

} // namespace haltrix::testing
