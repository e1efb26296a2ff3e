// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "findings/design_warnings.h"

namespace haltrix {

// The page 設計上の注意 that closes a printed report whose design has
// findings or whose calculation stopped: the title, a blank line, the
// engine's message as "計算不能: ..." when there is one, then one line per
// finding ("警告: ..." or "注意: ...") in the order the warnings give them.
// Empty when there is nothing to say, so no page is printed.
inline constexpr const char* kDesignNotesTitle = "設計上の注意";

std::vector<std::string> designNotesLines(const std::vector<Finding>& findings,
                                          const std::optional<std::string>& message);

} // namespace haltrix
