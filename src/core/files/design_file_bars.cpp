// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/design_file_bars.h"

#include <vector>

namespace haltrix {

namespace {

constexpr std::size_t kFirstBarLine = 11; // line 12, counted from 0
constexpr std::size_t kBarLines = 4;

// The lines of a text, each with its own line end (the last may have none).
std::vector<std::string_view> linesWithEnds(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t size = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(0, size));
        text.remove_prefix(size);
    }
    return lines;
}

std::string_view withoutEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

} // namespace

std::optional<FileError> designTextWithBars(std::string_view text, const std::string& fileName,
                                            const BarArrangement& bars, std::string& result) {
    DesignInputs design;
    if (auto error = readDesignText(text, fileName, design))
        return error;
    applyArrangement(design, bars);
    const std::string written = designFileText(design);
    const std::vector<std::string_view> newLines = linesWithEnds(written);
    const std::vector<std::string_view> oldLines = linesWithEnds(text);
    result.clear();
    for (std::size_t i = 0; i < oldLines.size(); ++i) {
        if (i < kFirstBarLine || i >= kFirstBarLine + kBarLines) {
            result += oldLines[i];
            continue;
        }
        // The new content before the line's own end.
        const std::string_view old = oldLines[i];
        result += withoutEnd(newLines[i]);
        result += old.substr(withoutEnd(old).size());
    }
    return std::nullopt;
}

} // namespace haltrix
