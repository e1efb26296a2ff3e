// SPDX-License-Identifier: GPL-3.0-or-later
#include "findings/design_notes.h"

namespace haltrix {

std::vector<std::string> designNotesLines(const std::vector<Finding>& findings,
                                          const std::optional<std::string>& message) {
    if (findings.empty() && !message)
        return {};
    std::vector<std::string> lines{kDesignNotesTitle, ""};
    if (message) {
        // A line per line of the message; its reason follows, indented.
        std::size_t from = 0;
        for (bool first = true;; first = false) {
            const std::size_t end = message->find('\n', from);
            lines.push_back((first ? "計算不能: " : "　") + message->substr(from, end - from));
            if (end == std::string::npos)
                break;
            from = end + 1;
        }
    }
    for (const Finding& finding : findings)
        lines.push_back(findingLine(finding));
    return lines;
}

} // namespace haltrix
