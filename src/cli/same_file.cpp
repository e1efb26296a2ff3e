// SPDX-License-Identifier: GPL-3.0-or-later
#include "same_file.h"

#include <filesystem>

#include "files/file_path.h"

namespace haltrix::cli {

bool sameFile(const std::string& first, const std::string& second) {
    const std::filesystem::path a = filesystemPath(first);
    const std::filesystem::path b = filesystemPath(second);
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec))
        return true;
    const auto canonicalA = std::filesystem::weakly_canonical(a, ec);
    if (ec)
        return false;
    const auto canonicalB = std::filesystem::weakly_canonical(b, ec);
    return !ec && canonicalA == canonicalB;
}

} // namespace haltrix::cli
