// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "studies/bar_proposal.h"
#include "files/design_file.h"

namespace haltrix {

// The text of a design file with its main bars (lines 12 to 15) replaced by
// `bars`, written as the design file writer writes them; every other byte,
// line ends included, as it was. `text` must read as a design file; the
// error of reading it otherwise.
std::optional<FileError> designTextWithBars(std::string_view text, const std::string& fileName,
                                            const BarArrangement& bars, std::string& result);

} // namespace haltrix
