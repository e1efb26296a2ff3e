// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "calculation.h"

namespace haltrix::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitUnreadable = 2;
inline constexpr int kExitMessage = 3;
inline constexpr int kExitNoOutput = 4; // pdf, sketch, convert, table: output could not be written
inline constexpr int kExitWarning = 5;  // check: a design has a 警告

// The exit status of a run over several files: an unreadable file (2) wins
// over a design with a 警告 (5, noted by check only), which wins over the
// engine's message (3), which wins over success (0).
class ExitStatus {
public:
    void unreadable() { m_unreadable = true; }
    void warning() { m_warning = true; }
    void message() { m_message = true; }
    int code() const {
        if (m_unreadable)
            return kExitUnreadable;
        if (m_warning)
            return kExitWarning;
        return m_message ? kExitMessage : kExitOk;
    }

private:
    bool m_unreadable = false;
    bool m_warning = false;
    bool m_message = false;
};

// Writes a design's read error or engine message to standard error and notes
// it in `status`. Returns false when the file could not be read, so there is
// nothing to print for it.
bool reportProblems(const CalculatedDesign& design, ExitStatus& status);

// The loop of the commands over many design files (json, check, csv): each
// file calculated in turn, its problems reported, and every design that could
// be read handed to `each`. Returns the run's exit status.
int forEachDesignFile(const CalcOptions& options,
                      const std::function<void(const CalculatedDesign&, ExitStatus&)>& each);

} // namespace haltrix::cli
