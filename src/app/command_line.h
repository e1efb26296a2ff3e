// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QCoreApplication;

namespace haltrix::app {

// True when the arguments ask for --help or --version. Those are answered
// before any window exists, so they work without a display.
bool asksForInformation(int argc, char* argv[]);

// Prints the help or the version that the arguments ask for and ends the
// program. Needs only a QCoreApplication.
[[noreturn]] void answerInformation(const QCoreApplication& app);

// Reads the command line of haltrix: [options] [FILE.tvx]. Answers --help
// and --version on standard output, and a wrong command line on standard
// error (on Windows in the console that started the program, or in a message
// box when there is none), and then ends the program. Otherwise returns the absolute path of
// the design file to open, or an empty string when none was given.
QString designFileFromCommandLine(const QCoreApplication& app);

} // namespace haltrix::app
