// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace haltrix::cli {

// The programs write UTF-8. A Windows console shows only what comes through
// its wide-character interface correctly, whatever its code page, so while a
// ConsoleOutput lives, std::cout and std::cerr write through WriteConsoleW
// when they are a console; to a file or a pipe they write the UTF-8 bytes as
// they are, the same as on Linux. Elsewhere it changes nothing.
class ConsoleOutput {
public:
    ConsoleOutput();
    ~ConsoleOutput();
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

    // True when standard output goes to a console through its wide-character
    // interface.
    bool wideOutput() const;

private:
    struct Streams;
    std::unique_ptr<Streams> m_streams;
};

// How many bytes from the start of `utf8` form whole characters: a sequence
// cut at the end waits for the rest; bytes that can never start or continue a
// character count as whole (the console shows them as a replacement mark).
std::size_t wholeUtf8Characters(std::string_view utf8);

// Shows `text` (UTF-8) to whoever started a Windows program that has no
// console of its own: on standard output or error when they lead to a file,
// a pipe or a console; else in the console of the program that started it
// (cmd, PowerShell), which it attaches to; else in a message box titled
// `title`. Elsewhere it writes to standard output or error. For the
// desktop program's --help and --version and its command-line errors.
void showInformation(std::string_view text, std::string_view title, bool error);

} // namespace haltrix::cli
