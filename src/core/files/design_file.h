// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "design/design_inputs.h"

namespace haltrix {

// A design file that could not be read or written: which file, which line
// (0 when the whole file is meant) and why.
struct FileError {
    std::string file;
    int line = 0;
    std::string reason;

    // One sentence for a message box or standard error.
    std::string message() const;
};

// Longest line a design file may have, its line end not counted; a longer
// one rejects the file, so a huge or binary file cannot exhaust memory.
inline constexpr std::size_t kMaxDesignLineLength = 4096;

// The case block that follows the sixteen lines when a design has more than
// its first case to keep (hasCaseBlock): the marker line, one line per case
// (name, P, H, σsa, joined by a tab), then the side-face line (the label,
// the bar's designation or nothing, the count, joined by a tab). The first
// case line repeats lines 7 to 9.
inline constexpr const char* kCaseBlockMarker = "[荷重ケース]";
inline constexpr const char* kSideFaceLabel = "側面鉄筋";
inline constexpr char kCaseFieldSeparator = '\t';
// The most cases a design file may hold.
inline constexpr std::size_t kMaxLoadCases = 1000;

// The sixteen lines of a design file, each ended by CR LF: the fifteen inputs
// (P, H and σsa of the first case) and unitSystem; then, when the design has
// more to keep, the case block, in UTF-8 and CR LF too. Numbers are written
// as a space (a minus sign instead for negatives), their plain text and a
// space.
std::string designFileText(const DesignInputs& record);

// Reads the sixteen lines of a design file into the inputs and unitSystem of
// `record`, and the case block when line 17 is its marker. On any error the
// record is left exactly as it was. `fileName` names the file in errors. LF
// and CR LF line ends are both accepted; lines after the sixteenth that do
// not start with the marker are ignored, as they always were.
std::optional<FileError> readDesignText(std::string_view text, const std::string& fileName,
                                        DesignInputs& record);

// File names (`path`, and FileError::file) are UTF-8 on Windows, where the
// files are opened through the wide API, and the system's own bytes for the
// name elsewhere (see file_path.h); the windows and haltrix-calc convert
// their names with pathForCore() (src/bridge/core_path.h).
std::optional<FileError> readDesignFile(const std::string& path, DesignInputs& record);

// Refuses, without opening it, a path that names something other than a
// regular file (a folder, a named pipe, a device, a socket), so that opening a
// design can never block on it. A path that does not exist, or names a
// regular file or a link to one, passes: the reader then says what is wrong.
std::optional<FileError> refuseIrregularFile(const std::string& path);

// Writes the design file through a temporary file in the same folder that is
// forced to disk and only then replaces `path` (see file_replace.h): a failed
// write, a crash or a power cut leaves an existing file as it was or
// complete, never short or empty.
std::optional<FileError> writeDesignFile(const std::string& path, const DesignInputs& record);

} // namespace haltrix
