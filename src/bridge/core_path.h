// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

namespace haltrix {

// A file name from Qt (a file dialog, a setting) in the form the core opens
// (src/core/file_path.h): on Windows UTF-8 with the native "\" separators
// (so messages show the name as Explorer does), elsewhere the system's bytes
// for the name (QFile::encodeName). QFile::encodeName alone would give the
// ANSI code page on Windows, which cannot hold every name.
std::string pathForCore(const QString& path);

// A file name from the core (a FileError, a name given on the command line)
// for Qt.
QString pathFromCore(const std::string& path);

} // namespace haltrix
