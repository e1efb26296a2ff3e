// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace haltrix::test {

// Runs a Linux program (found on the Linux PATH) from a Windows test running
// under Wine, the way poppler's tools are reached there. Arguments naming
// existing files are handed over as Unix paths. Returns false when not running
// under Wine; otherwise true, with the program's standard output in `output`,
// or `error` set when it failed.
bool runLinuxToolUnderWine(const QString& program, const QStringList& arguments,
                           QByteArray& output, QString& error);

} // namespace haltrix::test
