// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace haltrix::cli {

// Whether two names lead to the same file: the same file on disk (through
// links too), or, when the second does not exist yet, the same canonical
// path. Names as the core takes them (file_path.h).
bool sameFile(const std::string& first, const std::string& second);

} // namespace haltrix::cli
