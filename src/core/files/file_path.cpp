// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_path.h"

namespace haltrix {

std::filesystem::path filesystemPath(const std::string& name) {
#ifdef _WIN32
    // A path built from char text would be read in the ANSI code page.
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return std::filesystem::path(name);
#endif
}

std::string coreFileName(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.string();
#endif
}

} // namespace haltrix
