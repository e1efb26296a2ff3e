// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace haltrix::cli {

// The arguments after the program's name, in the form the core takes file
// names (src/core/file_path.h). On Windows argv holds them in the ANSI code
// page, which loses any character outside it (a Japanese name on a Western
// system, or "①" on a Japanese one), so there they are taken from the wide
// command line and converted to UTF-8; elsewhere they are argv as given.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// While it lives, a Windows console shows the program's UTF-8 output (reports,
// messages, file names) as UTF-8 instead of in its own code page; it puts the
// console's code page back when it ends. Does nothing elsewhere, and nothing
// to output that goes to a file or a pipe.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    [[maybe_unused]] unsigned int m_previousCodePage = 0;
};

} // namespace haltrix::cli
