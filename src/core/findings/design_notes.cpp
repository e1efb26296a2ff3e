// SPDX-License-Identifier: GPL-3.0-or-later
#include "findings/design_notes.h"

namespace haltrix {

std::vector<std::string> designNotesLines(const std::vector<Finding>& findings,
                                          const std::optional<std::string>& message) {
    if (findings.empty() && !message)
        return {};
    std::vector<std::string> lines{kDesignNotesTitle, ""};
    if (message)
        lines.push_back("計算不能: " + *message);
    for (const Finding& finding : findings)
        lines.push_back(findingLine(finding));
    return lines;
}

} // namespace haltrix
